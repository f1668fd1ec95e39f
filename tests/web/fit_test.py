# SPDX-License-Identifier: MIT
"""The page on any screen and in its high-contrast look: the windows fit the viewport at phone,
tablet, desktop and zoomed sizes with every control inside it and under the finger that taps it,
the note asking for a turn appears only where turning helps, and in the high-contrast look every
text stands out from its back. page_test.py runs these with the rest; SITE is set by it."""
import unittest

from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput

from browser import BrowserTest, By, WebDriverWait, chromium, close_message, messages_open, serve, wait_ready

SITE = None

# Viewports as CSS px, device pixel ratio and whether they are a phone's or tablet's.
PHONE = (390, 844, 3, True)
PHONE_SIDEWAYS = (844, 390, 3, True)
SMALLEST_PHONE = (320, 568, 2, True)
TABLET = (768, 1024, 2, True)
DESKTOP = (1366, 640, 1, False)
DESKTOP_AT_200 = (683, 320, 2, False)  # 1366 x 640 device pixels at 200 % zoom
LARGE = (3840, 2160, 1, False)

# Every element with an id built from the form (and the splash window's) whose box is laid out,
# outside the viewport; and, for each control a finger taps, whether a tap at its middle lands on it.
PLACES = """
    const [selector] = arguments;
    const vw = document.documentElement.clientWidth, vh = document.documentElement.clientHeight;
    const outside = [], missed = [];
    for (const el of document.querySelectorAll(selector)) {
      const box = el.getBoundingClientRect();
      if (box.width === 0 && box.height === 0) continue;
      // What the window shows of it: the windows clip what they hold (the splash picture).
      const w = (el.closest('.window') || el).getBoundingClientRect();
      const r = {left: Math.max(box.left, w.left), top: Math.max(box.top, w.top),
                 right: Math.min(box.right, w.right), bottom: Math.min(box.bottom, w.bottom)};
      if (r.right <= r.left || r.bottom <= r.top) continue; // outside the window's width (the help panel hidden)
      if (r.left < -0.5 || r.top < -0.5 || r.right > vw + 0.5 || r.bottom > vh + 0.5)
        outside.push([el.id, r.left, r.top, r.right, r.bottom]);
      if (!el.matches('button, input, textarea, canvas, img') || el.hidden || el.closest('[hidden]')) continue;
      if (r.right - r.left < 4 || r.bottom - r.top < 4) continue; // a sliver at the window's edge
      const hit = document.elementFromPoint((r.left + r.right) / 2, (r.top + r.bottom) / 2);
      const target = el.closest('label') || el;
      if (!hit || !(target === hit || target.contains(hit))) missed.push([el.id, hit ? hit.id || hit.tagName : null]);
    }
    const scrolls = document.documentElement.scrollWidth > vw || document.documentElement.scrollHeight > vh;
    return {outside, missed, scrolls, vw, vh, noteShown: !document.getElementById('fitNote').hidden};"""

# The contrast of every visible text of the windows, the bar and an open message box against
# what is behind it, from the computed styles: [id or tag, text, ratio, needed].
CONTRASTS = """
    const channel = (v) => { v /= 255; return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4); };
    const parse = (text) => { const m = text.match(/[\\d.]+/g).map(Number); return [m[0], m[1], m[2], m.length > 3 ? m[3] : 1]; };
    const luminance = ([r, g, b]) => 0.2126 * channel(r) + 0.7152 * channel(g) + 0.0722 * channel(b);
    const backOf = (el) => {
      // The colours behind the element blended from the nearest opaque one outwards.
      const layers = [];
      for (let e = el; e; e = e.parentElement) {
        const c = parse(getComputedStyle(e).backgroundColor);
        if (c[3] > 0) layers.push(c);
        if (c[3] >= 1) break;
      }
      let back = [255, 255, 255];
      for (const [r, g, b, a] of layers.reverse()) back = [r * a + back[0] * (1 - a), g * a + back[1] * (1 - a), b * a + back[2] * (1 - a)];
      return back;
    };
    const found = [];
    const seen = new Set();
    const walker = document.createTreeWalker(document.body, NodeFilter.SHOW_TEXT);
    const texts = [];
    for (let n = walker.nextNode(); n; n = walker.nextNode()) if (n.textContent.trim()) texts.push(n.parentElement);
    for (const el of document.querySelectorAll('input.box, textarea')) if (el.value.trim()) texts.push(el);
    for (const el of texts) {
      if (seen.has(el) || el.closest('[hidden], script, noscript, style')) continue;
      seen.add(el);
      const r = el.getBoundingClientRect();
      if (r.width === 0 || r.height === 0 || !el.checkVisibility()) continue;
      const s = getComputedStyle(el);
      const fore = parse(s.color);
      const back = backOf(el);
      const blended = fore.slice(0, 3).map((c, i) => c * fore[3] + back[i] * (1 - fore[3]));
      const [a, b] = [luminance(blended), luminance(back)];
      const ratio = (Math.max(a, b) + 0.05) / (Math.min(a, b) + 0.05);
      const px = parseFloat(s.fontSize), bold = Number(s.fontWeight) >= 700;
      const large = px >= 24 || (bold && px >= 18.66);
      found.push([el.id || el.tagName.toLowerCase(), (el.value || el.textContent).trim().slice(0, 30),
                  Math.round(ratio * 100) / 100, large ? 3 : 4.5, s.color, 'rgb(' + back.map(Math.round).join(', ') + ')']);
    }
    return found;"""


def viewport(driver, size):
    width, height, ratio, mobile = size
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": width, "height": height, "deviceScaleFactor": ratio, "mobile": mobile})
    driver.execute_cdp_cmd("Emulation.setTouchEmulationEnabled", {"enabled": mobile})


def tap(driver, element_id, finger=False):
    """A press at the middle of the element as it is shown (chromedriver's own clicks aim by the
    element's unzoomed size), with the mouse or a finger."""
    x, y = driver.execute_script("""
        const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return [Math.round((r.left + r.right) / 2), Math.round((r.top + r.bottom) / 2)];""", element_id)
    actions = ActionBuilder(driver, mouse=PointerInput(interaction.POINTER_TOUCH, "finger") if finger else None)
    actions.pointer_action.move_to_location(x, y).click()
    actions.perform()


def move_over(driver, element_id):
    x, y = driver.execute_script("""
        const r = document.getElementById(arguments[0]).getBoundingClientRect();
        return [Math.round(r.left + r.width / 3), Math.round(r.top + r.height / 2)];""", element_id)
    actions = ActionBuilder(driver)
    actions.pointer_action.move_to_location(x, y)
    actions.perform()


def open_window(driver):
    wait_ready(driver)
    tap(driver, "cmdOK")
    WebDriverWait(driver, 10).until(lambda d: d.find_element(By.ID, "frmZorbal").is_displayed())


def settle(driver):
    """Waits for two frames, so that a resize has been fitted and painted."""
    driver.execute_async_script("const done = arguments[0]; requestAnimationFrame(() => requestAnimationFrame(() => done()));")


class Fit(BrowserTest):
    def places(self, selector):
        return self.driver.execute_script(PLACES, selector)

    def open_at(self, size):
        d = self.driver
        viewport(d, size)
        d.get(self.url)
        wait_ready(d)
        settle(d)

    def check_fits(self, size, note):
        """The splash window, then every tab page of the main window, lie in the viewport at `size`."""
        d = self.driver
        self.open_at(size)
        splash = self.places("#frmSplash, #frmSplash [id]")
        self.assertEqual([splash["outside"], splash["missed"], splash["scrolls"]], [[], [], False], (size, splash))
        self.assertEqual(splash["noteShown"], note, size)
        open_window(d)
        for tab in range(7):
            d.execute_script("window.zorbalPage.act('click', arguments[0])", "SSTab1_%d" % tab)
            shown = self.places("#frmZorbal, #frmZorbal [id]")
            self.assertEqual([shown["outside"], shown["missed"], shown["scrolls"]], [[], [], False], (size, tab, shown))
            self.assertEqual(shown["noteShown"], note, size)
        return d.execute_script("return parseFloat(document.getElementById('frmZorbal').style.zoom)")

    def test_the_windows_fit_phones_tablets_desktops_and_zoomed_browsers(self):
        self.open_at(PHONE)
        viewport_meta = self.driver.execute_script("return document.querySelector('meta[name=viewport]').content")
        self.assertNotRegex(viewport_meta, "user-scalable|maximum-scale")  # pinch-zoom stays
        self.assertAlmostEqual(self.check_fits(PHONE, True), 388 / 1029, delta=0.002)  # fitted to the width
        self.assertAlmostEqual(self.check_fits(SMALLEST_PHONE, True), 318 / 1029, delta=0.002)
        self.assertLess(self.check_fits(PHONE_SIDEWAYS, False), 0.6)  # sideways: nothing more to ask for
        self.assertAlmostEqual(self.check_fits(TABLET, False), 766 / 1029, delta=0.002)
        self.assertLess(self.check_fits(DESKTOP, False), 1)
        self.assertLess(self.check_fits(DESKTOP_AT_200, False), 0.5)
        self.assertEqual(self.check_fits(LARGE, False), 3)  # grown in quarter steps
        self.assertEqual(self.check_fits((1280, 720, 1, False), False), 1)  # the designed size

    def test_the_window_fits_again_when_the_help_panel_closes_and_the_screen_turns(self):
        d = self.driver
        self.open_at(PHONE)
        open_window(d)
        tap(d, "cmdShowHelp_0", finger=True)
        WebDriverWait(d, 5).until(lambda dr: dr.find_element(By.ID, "cmdShowHelp_0").text == "Show Help")
        WebDriverWait(d, 5).until(lambda dr: abs(dr.execute_script(
            "return document.getElementById('frmZorbal').getBoundingClientRect().width") - 390) < 1.5)
        shown = self.places("#frmZorbal, #frmZorbal [id]")
        self.assertEqual([shown["outside"], shown["missed"]], [[], []])
        # The canvases follow the scale at the device's pixels once the animation has ended.
        d.execute_script("window.zorbalPage.act('click', 'SSTab1_2')")
        WebDriverWait(d, 5).until(lambda dr: dr.execute_script("""
            const c = document.getElementById('pctXYGraph');
            return c.width === Math.round(c.getBoundingClientRect().width * devicePixelRatio);"""))
        viewport(d, PHONE_SIDEWAYS)
        settle(d)
        shown = self.places("#frmZorbal, #frmZorbal [id]")
        self.assertEqual([shown["outside"], shown["missed"], shown["scrolls"], shown["noteShown"]], [[], [], False, False])

    def test_the_mouse_over_a_scaled_graph_reaches_the_graph(self):
        d = self.driver
        self.open_at(DESKTOP_AT_200)
        open_window(d)
        tap(d, "cmdLaunch")
        self.assertEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "4.30")
        help_text = lambda: d.find_element(By.ID, "txtHelp").get_attribute("value")
        move_over(d, "cmdLaunch2")
        before = help_text()
        move_over(d, "pctXYGraph")
        self.assertNotEqual(help_text(), before)
        self.assertIn("traject", help_text().lower())

    def test_an_on_screen_keyboard_leaves_the_window_as_it_was(self):
        d = self.driver
        self.open_at(PHONE_SIDEWAYS)
        open_window(d)
        zoom = lambda: d.execute_script("return document.getElementById('frmZorbal').style.zoom")
        before = zoom()
        tap(d, "txtInput_0", finger=True)
        self.assertEqual(d.switch_to.active_element.get_attribute("id"), "txtInput_0")
        viewport(d, (844, 200, 3, True))  # the keyboard takes the lower half
        settle(d)
        self.assertEqual(zoom(), before)
        d.execute_script("document.activeElement.blur()")
        viewport(d, (844, 201, 3, True))  # a real resize with no box being edited
        settle(d)
        self.assertNotEqual(zoom(), before)


class Look(unittest.TestCase):
    @classmethod
    def setUpClass(cls):
        cls._server = serve(SITE)
        cls.url = cls._server.__enter__()

    @classmethod
    def tearDownClass(cls):
        cls._server.__exit__(None, None, None)

    def contrasts(self, d):
        return d.execute_script(CONTRASTS)

    def low(self, d):
        return [c for c in self.contrasts(d) if c[2] < c[3]]

    def test_the_switch_changes_the_look_and_is_remembered(self):
        with chromium(fresh=True) as d:
            d.get(self.url)
            wait_ready(d)
            high = lambda: d.execute_script("return document.documentElement.classList.contains('contrast')")
            switch = d.find_element(By.ID, "lookSwitch")
            self.assertEqual([high(), switch.get_attribute("aria-pressed"), switch.text], [False, "false", "High contrast"])
            switch.send_keys("\n")  # reached and pressed with the keyboard
            self.assertEqual([high(), switch.get_attribute("aria-pressed")], [True, "true"])
            d.get(self.url)
            wait_ready(d)
            self.assertTrue(high())
            open_window(d)
            d.find_element(By.ID, "lookSwitch").click()
            self.assertFalse(high())
            # The module's colours are shown as designed again.
            self.assertEqual(d.execute_script("""
                return [...document.querySelectorAll('[data-fore]')].filter((el) => {
                  const rgb = Number(el.dataset.fore);
                  return el.style.color !== `rgb(${rgb >> 16}, ${(rgb >> 8) & 255}, ${rgb & 255})`;
                }).map((el) => el.id);"""), [])
            d.get(self.url)
            wait_ready(d)
            self.assertFalse(high())

    def test_a_refused_storage_still_switches(self):
        with chromium(fresh=True) as d:
            d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {"source": """
                Object.defineProperty(window, 'localStorage', {get() { throw new DOMException('refused', 'SecurityError'); }});"""})
            d.get(self.url)
            wait_ready(d)
            # The page says once that it cannot keep the lesson; the look is not kept either.
            WebDriverWait(d, 10).until(lambda dr: messages_open(dr) is not None)
            close_message(d)
            d.find_element(By.ID, "lookSwitch").click()
            self.assertTrue(d.execute_script("return document.documentElement.classList.contains('contrast')"))
            open_window(d)
            d.find_element(By.ID, "cmdLaunch").click()
            self.assertEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "4.30")
            errors = [e["message"] for e in d.get_log("browser") if e["level"] == "SEVERE"]
            self.assertEqual(errors, [])

    def test_every_text_stands_out_in_the_high_contrast_look(self):
        # Chosen by the system's wish for more contrast; every tab page after two launches (the
        # history marks its cells), the splash window, a message box and the help panel.
        with chromium(fresh=True) as d:
            d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "prefers-contrast", "value": "more"}]})
            d.get(self.url)
            wait_ready(d)
            self.assertEqual(d.find_element(By.ID, "lookSwitch").get_attribute("aria-pressed"), "true")
            self.assertEqual(self.low(d), [])
            open_window(d)
            d.find_element(By.ID, "cmdLaunch").click()
            d.execute_script("window.zorbalPage.act('input', 'txtInput_10', '3')")
            d.find_element(By.ID, "cmdLaunch2").click()
            checked = 0
            for tab in range(7):
                d.find_element(By.ID, "SSTab1_%d" % tab).click()
                self.assertEqual(self.low(d), [], tab)
                checked += len(self.contrasts(d))
            self.assertGreater(checked, 200)
            d.find_element(By.ID, "SSTab1_1").click()
            d.execute_script("window.zorbalPage.act('input', 'txtInput_0', '25')")
            d.find_element(By.ID, "cmdLaunch").click()
            self.assertIsNotNone(messages_open(d))
            self.assertEqual(self.low(d), [])
            close_message(d)

    def test_forced_colours_choose_the_high_contrast_look_and_the_page_works(self):
        with chromium(fresh=True) as d:
            d.execute_cdp_cmd("Emulation.setEmulatedMedia", {"features": [{"name": "forced-colors", "value": "active"}]})
            d.get(self.url)
            wait_ready(d)
            self.assertTrue(d.execute_script("return document.documentElement.classList.contains('contrast')"))
            open_window(d)
            d.find_element(By.ID, "cmdLaunch").click()
            self.assertEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "4.30")
            self.assertTrue(d.find_element(By.ID, "pctXYGraph").is_displayed())

