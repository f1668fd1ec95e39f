# SPDX-License-Identifier: MIT
"""The web edition's page in headless Chromium: start-up, launches, limits, graphs, files, and
random designs showing exactly what zorbal-cli reports for them.

    /usr/bin/python3 tests/web/page_test.py SITE_FOLDER ZORBAL_CLI [unittest options]
"""
import base64
import concurrent.futures
import json
import os
import pathlib
import random
import subprocess
import sys
import tempfile
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.actions import interaction
from selenium.webdriver.common.actions.action_builder import ActionBuilder
from selenium.webdriver.common.actions.pointer_input import PointerInput
from selenium.webdriver.common.keys import Keys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import (BrowserTest, By, WebDriverWait, axe_violations, chromium, close_message, designed_viewport,  # noqa: E402
                     messages_open, open_main_window, serve, wait_ready, wait_still)
import fit_test  # noqa: E402
from fit_test import Fit, Look  # noqa: E402,F401  (run with these tests)
import investigate_test  # noqa: E402
from investigate_test import Investigate, InvestigateFromFile  # noqa: E402,F401  (run with these tests)

SITE = None
CLI = None

# Each design input's default, minimum, maximum and decimals, as the program's limits table has them.
LIMITS = [
    (2, 0.25, 20, 2), (30, 1, 99, 1), (1000, 75, 10000, 0), (3, 0.1, 7, 1), (22, 1, 30, 0),
    (100, 10, 10000, 0), (10, 0, 1000, 1), (60, 10, 90, 0), (0.5, 0.1, 2, 2), (70, 10, 100, 0),
    (0, -10, 10, 1), (0, -90, 90, 0), (3, 0, 20, 1), (0.5, 0.01, 1, 2),
]


def cli(*args):
    run = subprocess.run([CLI, *args], capture_output=True, timeout=120)
    return run.stdout, run.stderr.decode("utf-8"), run.returncode


# pageState(only): the output boxes' texts and the history table's rows as the page shows them
# (with `only`, a list of row indices, the other rows are null).
PAGE_STATE = """
    const pageState = (only) => {
      const outputs = [];
      for (let i = 0; i < 14; ++i) outputs.push(document.getElementById('txtOutput_' + i).value);
      const rows = [];
      document.querySelectorAll('#MSFlexGrid1 tr').forEach((tr, r) => {
        if (only && !only.includes(r)) { rows.push(null); return; }
        const cells = [];
        for (const td of tr.children) for (let k = 0; k < td.colSpan; ++k) cells.push(td.textContent);
        rows.push(cells);
      });
      return {outputs, rows};
    };"""


def page_state(driver, only=None):
    return driver.execute_script(PAGE_STATE + "return pageState(arguments[0]);", only)


def canvas_colours(driver, canvas_id, colours):
    """How many pixels of the canvas are near each of the given 0xRRGGBB colours (smoothed lines
    blend into the background)."""
    return driver.execute_script("""
        const c = document.getElementById(arguments[0]);
        const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        const counts = arguments[1].map(() => 0);
        for (let i = 0; i < data.length; i += 4) {
          arguments[1].forEach((c, k) => {
            if (Math.abs(data[i] - (c >> 16)) < 60 && Math.abs(data[i + 1] - ((c >> 8) & 255)) < 60 &&
                Math.abs(data[i + 2] - (c & 255)) < 60) ++counts[k];
          });
        }
        return counts;""", canvas_id, colours)


def type_into(driver, element_id, text, then_click):
    box = driver.find_element(By.ID, element_id)
    box.click()
    box.clear()
    box.send_keys(text)
    driver.find_element(By.ID, then_click).click()


def drain_messages(driver):
    shown = []
    while (text := messages_open(driver)) is not None:
        shown.append(text)
        close_message(driver)
    return shown


def wait_for_file(path, timeout=20):
    end = time.time() + timeout
    while time.time() < end:
        if path.exists() and not pathlib.Path(str(path) + ".crdownload").exists():
            return path.read_bytes()
        time.sleep(0.1)
    raise AssertionError("no download " + str(path))


# Launches a design twice, then counts for each graph and colour the pixels of exactly that colour
# in both the canvas and the desktop's picture (same) and in only one of them (other).
COMPARE_WITH_DESKTOP = """
    const [inputs, pictures, done] = arguments;
    const p = window.zorbalPage;
    p.act('click', 'chkOptions_3', '1');
    p.act('click', 'optParachute_0');
    for (const [i, text] of Object.entries(inputs)) p.act('input', 'txtInput_' + i, text);
    p.act('click', 'cmdLaunch');
    document.getElementById('cmdLaunch').click();
    const pixels = (canvas) => canvas.getContext('2d').getImageData(0, 0, canvas.width, canvas.height).data;
    const decode = (png) => new Promise((resolve) => {
      const picture = new Image();
      picture.onload = () => {
        const canvas = document.createElement('canvas');
        canvas.width = picture.width;
        canvas.height = picture.height;
        canvas.getContext('2d').drawImage(picture, 0, 0);
        resolve(pixels(canvas));
      };
      picture.src = 'data:image/png;base64,' + png;
    });
    const compared = [[0xff00ff, 0xff0000, 0x00ff00],
                      [0xff00ff, 0xff0000, 0x0000ff, 0x00ff00, 0x00ffff, 0xffc800, 0x000000]];
    Promise.all(pictures.map(decode)).then((desktop) => done(['pctXYGraph', 'pctVTgraph'].map((id, g) => {
      const web = pixels(document.getElementById(id));
      if (web.length !== desktop[g].length) return {size: [web.length, desktop[g].length]};
      const counts = {};
      for (const c of compared[g]) {
        const rgb = [c >> 16, (c >> 8) & 255, c & 255];
        const is = (data, i) => data[i] === rgb[0] && data[i + 1] === rgb[1] && data[i + 2] === rgb[2];
        let same = 0, other = 0;
        for (let i = 0; i < web.length; i += 4) {
          const w = is(web, i), k = is(desktop[g], i);
          if (w && k) ++same; else if (w || k) ++other;
        }
        counts[c.toString(16)] = [same, other];
      }
      return counts;
    })));"""


class Page(BrowserTest):
    # These tests open the page as a freshly started program on every visit; the lesson the
    # page keeps in the browser's storage is tested by KeptLesson.
    saves_files = True

    def setUp(self):
        for f in pathlib.Path(self.downloads).iterdir():
            f.unlink()
        self.driver.get(self.url)

    def launch_default(self):
        open_main_window(self.driver)
        self.driver.find_element(By.ID, "cmdLaunch").click()
        self.assertIsNone(messages_open(self.driver))

    def test_splash_then_main_window(self):
        d = self.driver
        wait_ready(d)
        self.assertTrue(d.find_element(By.ID, "frmSplash").is_displayed())
        self.assertFalse(d.find_element(By.ID, "frmZorbal").is_displayed())
        self.assertGreater(d.execute_script("return document.getElementById('Image1').naturalWidth"), 0)
        self.assertEqual(d.find_element(By.ID, "cmdOK").text, "OK")
        self.assertEqual(d.find_element(By.ID, "splashLabel1_0").text, "Zorbal (v1.2)")
        open_main_window(d)
        self.assertFalse(d.find_element(By.ID, "frmSplash").is_displayed())
        self.assertEqual(d.find_element(By.ID, "SSTab1_1").get_attribute("aria-selected"), "true")
        self.assertEqual(d.title, "Zorbal 1.2")

    def test_the_page_is_built_as_recorded(self):
        # Every element with an id, in the order of the page (the order Tab visits them): its
        # tag, classes, container, designed place and text style, against the recorded form.
        d = self.driver
        open_main_window(d)
        actual = d.execute_script("""
            const lines = [];
            for (const el of document.querySelectorAll('#frmSplash [id], #frmZorbal [id]')) {
              let parent = el.parentElement;
              while (parent && !parent.id) parent = parent.parentElement;
              const s = el.style, c = getComputedStyle(el);
              lines.push([el.id, el.tagName.toLowerCase(), el.getAttribute('type') || '', el.className,
                'in', parent ? parent.id : '-', s.left, s.top, s.width, s.height, c.fontSize, c.fontWeight,
                c.textAlign, c.display, c.alignItems, c.justifyContent, el.getAttribute('role') || '',
                el.getAttribute('name') || '', c.backgroundColor].join(' '));
            }
            return lines;""")
        written = pathlib.Path(tempfile.gettempdir()) / "page_form.txt"
        written.write_text("\n".join(actual) + "\n")
        recorded = (pathlib.Path(__file__).parent / "page_form.txt").read_text().splitlines()
        self.assertEqual(actual, recorded, "the page as built is in %s" % written)

    def test_default_design_launches_onto_the_trajectory_tab(self):
        self.launch_default()
        d = self.driver
        shown = [d.find_element(By.ID, "txtOutput_%d" % i).get_attribute("value") for i in (4, 6, 9)]
        self.assertEqual(shown, ["4.30", "22.60", "51.61"])
        self.assertEqual(d.find_element(By.ID, "SSTab1_2").get_attribute("aria-selected"), "true")
        self.assertTrue(d.find_element(By.ID, "pctXYGraph").is_displayed())
        free_flight, = canvas_colours(d, "pctXYGraph", [0xFF00FF])
        self.assertGreater(free_flight, 100)

    def test_help_panel_moves_to_the_designed_widths_and_f5_launches(self):
        d = self.driver
        open_main_window(d)
        width = lambda: d.execute_script("return document.getElementById('frmZorbal').getBoundingClientRect().width")
        self.assertAlmostEqual(width(), (15495 - 60) / 15 + 2, delta=0.01)  # with its border
        d.find_element(By.ID, "cmdShowHelp_0").click()
        WebDriverWait(d, 5).until(lambda dr: abs(width() - ((12495 - 60) / 15 + 2)) < 0.01)
        self.assertEqual(d.find_element(By.ID, "cmdShowHelp_0").text, "Show Help")
        d.find_element(By.ID, "cmdShowHelp_0").click()
        WebDriverWait(d, 5).until(lambda dr: abs(width() - ((15495 - 60) / 15 + 2)) < 0.01)
        self.assertEqual(d.find_element(By.ID, "cmdShowHelp_0").text, "Hide Help")
        d.find_element(By.ID, "txtInput_5").send_keys(Keys.F5)
        self.assertEqual(d.find_element(By.ID, "txtOutput_9").get_attribute("value"), "51.61")

    def test_graphs_show_the_desktops_dots_and_straight_lines(self):
        # Slanted lines, arcs and circles are smoothed differently by the two painters; the dots
        # and the lines along an axis are compared pixel for pixel with the desktop's painting of
        # the same design (on the trajectory, without the earlier launch, hidden under the same
        # flight, and the parachute's, under its smoothed symbols). The second design is the
        # largest realistic one: about 111,000 dots a flight.
        d = self.driver
        designs = [{1: "20", 3: "5", 10: "4", 13: "0.6"},
                   {0: "20", 1: "75.83", 2: "1136", 3: "7", 4: "30", 5: "50", 6: "6.074", 7: "90", 11: "0", 13: "1"}]
        for inputs in designs:
            d.get(self.url)
            open_main_window(d)
            args = ["fly", "--parachute", "--trigger", "angle", "--launches", "2"]
            for i, text in inputs.items():
                args += ["--input", "%d=%s" % (i, text)]
            pictures = []
            for option, size in (("--plot-trajectory", "703x367"), ("--plot-velocity", "719x383")):
                with tempfile.TemporaryDirectory() as folder:
                    path = pathlib.Path(folder, "graph.png")
                    _, _, status = cli(*args, option, str(path), "--plot-size", size)
                    self.assertEqual(status, 0)
                    pictures.append(base64.b64encode(path.read_bytes()).decode())
            compared = d.execute_async_script(COMPARE_WITH_DESKTOP, inputs, pictures)
            for graph in compared:
                for colour, (same, other) in graph.items():
                    self.assertEqual(other, 0, (inputs, colour, graph))
            self.assertGreater(compared[1]["ff00ff"][0], 300)  # the speed's dots are there
            self.assertGreater(compared[1]["ffff"][0], 300)  # and the event lines

    def test_a_long_launch_shows_busy_on_its_button_before_it_flies(self):
        d = self.driver
        open_main_window(d)
        d.execute_script("""
            const p = window.zorbalPage;
            for (const [i, text] of Object.entries(arguments[0])) p.act('input', 'txtInput_' + i, text);
            p.act('click', 'chkOptions_3', '1');
            p.act('click', 'cmdLaunch');  // the graphs hold a long flight now
            p.act('click', 'SSTab1_1');""", {"0": "20", "1": "75.83", "2": "1136", "3": "7", "4": "30", "5": "50",
                                             "6": "6.074", "7": "90", "11": "0", "13": "1"})
        before = page_state(d)["rows"]
        shown = d.execute_script("""
            const button = document.getElementById('cmdLaunch');
            button.click();
            return [button.textContent, button.disabled, getComputedStyle(button).backgroundColor,
                    document.querySelectorAll('#MSFlexGrid1 tr').length];""")
        self.assertEqual(shown, ["Busy...", True, "rgb(0, 255, 0)", len(before)])
        d.execute_async_script("window.zorbalPage.idle().then(arguments[0]);")
        launch = d.find_element(By.ID, "cmdLaunch")
        self.assertEqual([launch.get_attribute("textContent"), launch.is_enabled()], ["Launch!", True])
        self.assertEqual(len(page_state(d)["rows"]), len(before) + 1)
        self.assertEqual(d.find_element(By.ID, "SSTab1_2").get_attribute("aria-selected"), "true")
        self.assertIsNone(messages_open(d))

    def test_the_manifest_is_accepted_with_icons_for_every_shape(self):
        d = self.driver
        wait_ready(d)
        manifest = d.execute_cdp_cmd("Page.getAppManifest", {})
        self.assertEqual(manifest["errors"], [])
        # This fetches the icons as an installation would.
        self.assertEqual(d.execute_cdp_cmd("Page.getInstallabilityErrors", {})["installabilityErrors"], [])
        shown = d.execute_async_script("""
            const [icons, done] = arguments;
            Promise.all(icons.filter((icon) => icon.type === 'image/png').map((icon) => new Promise((resolve) => {
              const picture = new Image();
              picture.onload = () => resolve([icon.purpose, icon.sizes, picture.naturalWidth + 'x' + picture.naturalHeight]);
              picture.onerror = () => resolve([icon.purpose, icon.sizes, 'unreadable']);
              picture.src = icon.src;
            }))).then(done);""", json.loads(manifest["data"])["icons"])
        self.assertEqual(sorted(shown), [[purpose, size, size] for purpose in ("any", "maskable")
                                         for size in ("192x192", "512x512")])
        console = [entry["message"] for entry in d.get_log("browser")]
        self.assertEqual([text for text in console if "anifest" in text], [])

    def test_limit_refusal_shows_its_message_and_corrects_the_box(self):
        d = self.driver
        open_main_window(d)
        type_into(d, "txtInput_0", "25", "cmdLaunch")
        _, expected, status = cli("check", "--input", "0=25")
        self.assertEqual(status, 1)
        text = messages_open(d)
        self.assertEqual(text, expected.strip().replace("\r\n", "\n"))
        self.assertEqual(d.find_element(By.ID, "msgBoxTitle").text, "Zorbal")
        close_message(d)
        self.assertEqual(d.find_element(By.ID, "txtInput_0").get_attribute("value"), "20.00")
        self.assertEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "")
        self.assertIsNone(messages_open(d))

    def test_graph_limit_change_replots(self):
        self.launch_default()
        d = self.driver
        before = d.execute_script("return document.getElementById('pctXYGraph').toDataURL()")
        type_into(d, "txtGraph_1", "200", "txtGraph_0")
        self.assertIsNone(messages_open(d))
        after = d.execute_script("return document.getElementById('pctXYGraph').toDataURL()")
        self.assertNotEqual(before, after)
        self.assertEqual(d.find_element(By.ID, "txtGraph_1").get_attribute("value"), "200")

    def test_only_the_last_rocket_is_plotted_when_ticked(self):
        self.launch_default()
        d = self.driver
        type_into(d, "txtInput_10", "5", "cmdLaunch2")  # some wind: the second flight lands elsewhere
        blue, = canvas_colours(d, "pctXYGraph", [0x0000FF])
        self.assertGreater(blue, 100)  # the earlier launch
        d.find_element(By.ID, "chkOptions_0").click()
        self.assertTrue(d.find_element(By.ID, "chkOptions_0").is_selected())
        blue_after, magenta = canvas_colours(d, "pctXYGraph", [0x0000FF, 0xFF00FF])
        self.assertLess(blue_after, blue / 4)
        self.assertGreater(magenta, 100)

    def test_loading_a_design_file(self):
        d = self.driver
        design = pathlib.Path(self.downloads).parent / ("zorbal-design-%d.txt" % os.getpid())
        out, _, status = cli("save-design", str(design), "--input", "0=1.5", "--input", "3=5", "--parachute")
        self.assertEqual(status, 0, out)
        try:
            open_main_window(d)
            d.find_element(By.ID, "filePicker").send_keys(str(design))
            WebDriverWait(d, 10).until(
                lambda dr: dr.find_element(By.ID, "txtInput_0").get_attribute("value") == "1.5")
            self.assertEqual(d.find_element(By.ID, "txtInput_3").get_attribute("value"), "5")
            self.assertTrue(d.find_element(By.ID, "chkOptions_3").is_selected())
            self.assertTrue(d.find_element(By.ID, "txtInput_13").is_enabled())
            self.assertIsNone(messages_open(d))
        finally:
            design.unlink()

    def test_saved_design_and_history_match_the_command_line_tool(self):
        d = self.driver
        open_main_window(d)
        type_into(d, "txtInput_1", "45", "txtInput_0")
        d.find_element(By.ID, "cmdSave").click()
        expected, _, _ = cli("save-design", "-", "--input", "1=45")
        self.assertEqual(wait_for_file(pathlib.Path(self.downloads) / "Water Rocket 1.txt"), expected)
        d.find_element(By.ID, "SSTab1_1").click()
        d.find_element(By.ID, "cmdLaunch").click()
        d.find_element(By.ID, "SSTab1_6").click()
        d.find_element(By.ID, "cmdSaveHistory").click()
        saved = wait_for_file(pathlib.Path(self.downloads) / "Launch Data 1.txt")
        expected, _, _ = cli("fly", "--input", "1=45", "--history", "-")
        self.assertEqual(saved, expected)
        drain_messages(d)

    def test_refused_clipboard_shows_the_programs_message(self):
        self.launch_default()
        d = self.driver
        d.execute_script("navigator.clipboard.writeText = () => Promise.reject(new Error('refused'));")
        d.find_element(By.ID, "cmdCopy").click()
        WebDriverWait(d, 10).until(lambda dr: messages_open(dr) is not None)
        self.assertIn("could not be placed on the clipboard", messages_open(d))
        close_message(d)
        self.assertIsNone(messages_open(d))
        self.assertEqual(d.find_element(By.ID, "cmdCopy").text, "Copy")

    def test_random_designs_show_what_the_command_line_tool_reports(self):
        d = self.driver
        open_main_window(d)
        count = int(os.environ.get("ZORBAL_WEB_DESIGNS", "200"))
        rng = random.Random(int(os.environ.get("ZORBAL_WEB_SEED", "12")))
        designs = []
        for n in range(count):
            inputs = []
            for default, low, high, decimals in LIMITS:
                pick = rng.random()
                value = low if pick < 0.1 else high if pick < 0.2 else default if pick < 0.3 else rng.uniform(low, high)
                inputs.append("%.*f" % (decimals, value))
            rail, parachute, by_angle = rng.random() < 0.5, rng.random() < 0.5, rng.random() < 0.5
            args = ["fly", "--json", "--rail" if rail else "--no-rail",
                    "--parachute" if parachute else "--no-parachute", "--trigger", "angle" if by_angle else "time"]
            for i, text in enumerate(inputs):
                args += ["--input", "%d=%s" % (i, text)]
            designs.append((inputs, rail, parachute, by_angle, args))
        # The command-line tool flies the designs while the page does.
        with concurrent.futures.ThreadPoolExecutor(2) as pool:
            reports = pool.map(lambda design: json.loads(cli(*design[4])[0]), designs)
            self.check_random_designs(d, designs, reports, count)

    def check_random_designs(self, d, designs, reports, count):
        launches = 0
        for (inputs, rail, parachute, by_angle, args), report in zip(designs, reports):
            rows = [1, launches + 1, launches + 2]
            state = d.execute_script(PAGE_STATE + """
                const [inputs, rail, parachute, byAngle, rows] = arguments;
                const p = window.zorbalPage;
                p.act('click', 'chkOptions_2', rail ? '1' : '0');
                // The trigger options take a click only with the parachute ticked, as a user sees them.
                p.act('click', 'chkOptions_3', '1');
                p.act('click', byAngle ? 'optParachute_0' : 'optParachute_1');
                p.act('click', 'chkOptions_3', parachute ? '1' : '0');
                inputs.forEach((text, i) => p.act('input', 'txtInput_' + i, text));
                p.act('click', 'cmdLaunch');
                return document.getElementById('msgBox').open ? null : pageState(rows);""",
                                     inputs, rail, parachute, by_angle, rows)
            if state is None:
                drain_messages(d)
                state = page_state(d, rows)
            context = " ".join(args)
            if report["outcome"] == "refused":
                # The page still shows the results of its previous flight; a fresh program has none.
                flight = (4, 6, 9)
                self.assertEqual([t for i, t in enumerate(state["outputs"]) if i not in flight],
                                 [t for i, t in enumerate(report["outputs"]) if i not in flight], context)
                continue
            self.assertEqual(state["outputs"], report["outputs"], context)
            launches += 1
            self.assertEqual(state["rows"][1], report["history"][0], context)
            self.assertEqual(state["rows"][launches + 1][1:], report["history"][1][1:], context)
            self.assertEqual(state["rows"][launches + 1][0], str(launches), context)
        self.assertGreater(launches, count // 2)


# lessonState(): what a lesson shows: every history cell with its marks, every box and option of
# the window but the advice, both graphs' pixels, the selected tab, the window's width and title.
LESSON_STATE = """
    const lessonState = () => {
      const cells = [];
      document.querySelectorAll('#MSFlexGrid1 tr').forEach((tr) => cells.push([...tr.children].map((td) =>
        [td.textContent, td.colSpan, td.style.background, td.style.color, td.style.fontWeight].join('|'))));
      const boxes = {};
      document.querySelectorAll('#frmZorbal input, #frmZorbal textarea').forEach((el) => {
        if (el.id !== 'txtHelp') boxes[el.id] = [el.type === 'checkbox' || el.type === 'radio' ? el.checked : el.value, el.disabled];
      });
      const graphs = ['pctXYGraph', 'pctVTgraph'].map((id) => document.getElementById(id).toDataURL());
      const tab = [...document.querySelectorAll('#SSTab1 [role=tab]')].findIndex((h) => h.getAttribute('aria-selected') === 'true');
      return {cells, boxes, graphs, tab, width: document.getElementById('frmZorbal').style.width, title: document.title};
    };"""

# Makes the page's storage throw: `writes` when only writing does (full), else any use (refused).
STORAGE_THROWS = """
    (() => {
      const error = () => new DOMException('The quota has been exceeded.', 'QuotaExceededError');
      if (%s) Storage.prototype.setItem = function () { throw error(); };
      else Object.defineProperty(window, 'localStorage', { get() { throw new DOMException('denied', 'SecurityError'); } });
    })();"""


def launches_shown(driver):
    """How many launches the history table shows (the rows numbered in their first cell)."""
    return sum(1 for row in page_state(driver)["rows"] if row and row[0].isdigit())


def lesson_state(driver):
    return driver.execute_script(LESSON_STATE + "return lessonState();")


def wait_restored(driver, timeout=60):
    WebDriverWait(driver, timeout).until(
        lambda d: d.execute_script("return document.documentElement.dataset.ready === 'window'"))


def kept_journal(driver):
    text = driver.execute_script("return localStorage.getItem('zorbal.lesson')")
    return None if text is None else json.loads(text)


class KeptLesson(BrowserTest):
    """The lesson kept in the browser's storage: back after a reload or a closed tab, thrown away
    by "Start again", and the reload keys and storage failures that must not lose or break it."""

    keeps_lessons = True

    def setUp(self):
        self.driver.get("about:blank")
        self.driver.execute_cdp_cmd("Storage.clearDataForOrigin", {
            "origin": self.url.rstrip("/"), "storageTypes": "local_storage"})
        self.driver.get(self.url)

    def teach(self):
        """A lesson of four launches, a refused one, a re-plot, a design typed and not launched,
        the help panel hidden and the history shown."""
        d = self.driver
        open_main_window(d)
        type_into(d, "txtInput_1", "45", "cmdLaunch")
        type_into(d, "txtInput_10", "4", "cmdLaunch2")
        d.execute_script("""
            const p = window.zorbalPage;
            p.act('input', 'txtInput_0', '25');
            p.act('click', 'cmdLaunch');""")
        self.assertIn("maximum", drain_messages(d)[0])
        type_into(d, "txtGraph_1", "200", "txtGraph_0")
        d.execute_script("""
            const p = window.zorbalPage;
            p.act('click', 'chkOptions_3', '1');
            p.act('input', 'txtInput_3', '5');
            p.act('click', 'cmdLaunch');
            p.act('input', 'txtInput_7', '50');
            p.act('click', 'cmdLaunch');
            p.act('input', 'txtInput_5', '120');""")
        d.find_element(By.ID, "cmdShowHelp_0").click()
        d.find_element(By.ID, "SSTab1_6").click()
        WebDriverWait(d, 5).until(lambda dr: lesson_state(dr)["width"] == "829px")
        self.assertIsNone(messages_open(d))

    def test_a_lesson_comes_back_exactly_after_a_reload_and_a_closed_tab(self):
        d = self.driver
        self.teach()
        before = lesson_state(d)
        self.assertEqual(launches_shown(d), 4)
        self.assertEqual(before["boxes"]["txtInput_5"][0], "120")
        journal = kept_journal(d)
        self.assertEqual([journal["zorbal"], journal["format"], journal["launches"]], ["lesson", 1, 4])

        d.refresh()
        wait_restored(d)
        self.assertFalse(d.find_element(By.ID, "frmSplash").is_displayed())
        self.assertIsNone(messages_open(d))
        self.assertEqual(lesson_state(d), before)

        # A closed tab loses nothing either; the lesson goes on from where it was.
        first = d.current_window_handle
        d.switch_to.new_window("tab")
        designed_viewport(d)
        second = d.current_window_handle
        d.switch_to.window(first)
        d.close()
        d.switch_to.window(second)
        d.get(self.url)
        wait_restored(d)
        self.assertEqual(lesson_state(d), before)
        d.find_element(By.ID, "SSTab1_1").click()
        d.find_element(By.ID, "cmdLaunch").click()
        self.assertEqual(launches_shown(d), 5)
        self.assertEqual(kept_journal(d)["launches"], 5)

    def test_start_again_asks_first_and_then_throws_the_lesson_away(self):
        d = self.driver
        open_main_window(d)
        d.find_element(By.ID, "cmdLaunch").click()
        d.execute_script("window.zorbalMarker = 1;")
        # The page's bar comes before the window in the keyboard's order.
        d.find_element(By.ID, "SSTab1_2").click()
        ActionChains(d).key_down(Keys.SHIFT).send_keys(Keys.TAB).key_up(Keys.SHIFT).perform()
        self.assertEqual(d.switch_to.active_element.get_attribute("id"), "cmdStartAgain")
        ActionChains(d).send_keys(Keys.ENTER).perform()
        ask = d.find_element(By.ID, "askBox")
        self.assertTrue(ask.is_displayed())
        self.assertIn("thrown away", d.find_element(By.ID, "askBoxText").text)
        self.assertEqual(d.find_element(By.ID, "askBoxTitle").text, "Zorbal")
        self.assertEqual(d.switch_to.active_element.get_attribute("id"), "askBoxNo")
        ActionChains(d).send_keys(Keys.ENTER).perform()  # Cancel
        self.assertFalse(ask.is_displayed())
        ActionChains(d).send_keys(Keys.ENTER).perform()  # back on "Start again"
        self.assertTrue(ask.is_displayed())
        ActionChains(d).send_keys(Keys.ESCAPE).perform()
        self.assertFalse(ask.is_displayed())
        self.assertEqual(d.execute_script("return window.zorbalMarker"), 1)
        self.assertEqual(kept_journal(d)["launches"], 1)

        d.find_element(By.ID, "cmdStartAgain").click()
        d.find_element(By.ID, "askBoxYes").click()
        WebDriverWait(d, 30).until(lambda dr: dr.execute_script(  # a fresh program: the splash again
            "return window.zorbalMarker === undefined && document.documentElement.dataset.ready === 'splash'"))
        self.assertIsNone(kept_journal(d))
        self.assertFalse(d.find_element(By.ID, "cmdStartAgain").is_displayed())
        open_main_window(d)
        self.assertEqual(launches_shown(d), 0)
        d.refresh()
        wait_restored(d)  # the fresh lesson is kept from its first action on
        self.assertEqual(launches_shown(d), 0)

    def test_reload_keys_with_a_message_or_the_splash_shown_reload_and_launch_nothing(self):
        d = self.driver
        wait_ready(d)
        d.execute_script("""
            window.zorbalMarker = 1;
            window.zorbalPrevented = [];
            window.addEventListener('keydown', (e) => window.zorbalPrevented.push(e.key + ':' + e.defaultPrevented));""")

        def press_reload_keys(expected):
            ActionChains(d).send_keys(Keys.F5).perform()
            ActionChains(d).key_down(Keys.CONTROL).send_keys("r").key_up(Keys.CONTROL).perform()
            time.sleep(0.5)
            self.assertEqual(d.execute_script("return window.zorbalMarker"), 1)
            prevented = d.execute_script("return window.zorbalPrevented.splice(0)")
            self.assertEqual([k for k in prevented if k.startswith(("F5", "r"))], ["F5:true", "r:true"])
            self.assertEqual(launches_shown(d), expected)

        press_reload_keys(0)  # the splash: no window, nothing launched
        self.assertTrue(d.find_element(By.ID, "frmSplash").is_displayed())
        open_main_window(d)
        d.execute_script("window.zorbalPage.act('input', 'txtInput_0', '25');")
        d.find_element(By.ID, "cmdLaunch").click()
        message = messages_open(d)
        self.assertIsNotNone(message)
        press_reload_keys(0)
        self.assertEqual(messages_open(d), message)
        close_message(d)
        self.assertIsNone(messages_open(d))
        # With the window shown, F5 still presses "Launch!"; Ctrl+R does nothing at all.
        d.find_element(By.ID, "txtInput_3").click()
        ActionChains(d).send_keys(Keys.F5).perform()
        self.assertEqual(launches_shown(d), 1)
        ActionChains(d).key_down(Keys.CONTROL).send_keys("r").key_up(Keys.CONTROL).perform()
        time.sleep(0.5)
        self.assertEqual(d.execute_script("return window.zorbalMarker"), 1)
        self.assertEqual(launches_shown(d), 1)

    def test_storage_that_throws_is_said_once_and_the_page_works_without_keeping(self):
        d = self.driver
        for writes in (True, False):
            added = d.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument",
                                      {"source": STORAGE_THROWS % ("true" if writes else "false")})
            try:
                d.get(self.url)
                wait_ready(d)
                shown = drain_messages(d)  # a storage refused altogether is found at once
                open_main_window(d)
                shown += drain_messages(d)  # one that refuses writing, at the first thing kept
                for inputs in ("45", "30", "60"):
                    type_into(d, "txtInput_1", inputs, "cmdLaunch")
                    d.find_element(By.ID, "SSTab1_1").click()
                    shown += drain_messages(d)
                self.assertEqual(len(shown), 1, (writes, shown))
                self.assertIn("does not let Zorbal keep the lesson", shown[0])
                self.assertEqual(launches_shown(d), 3)
                self.assertNotEqual(lesson_state(d)["boxes"]["txtOutput_9"][0], "")
            finally:
                d.execute_cdp_cmd("Page.removeScriptToEvaluateOnNewDocument", {"identifier": added["identifier"]})
            d.get(self.url)
            wait_ready(d)  # nothing was kept
            self.assertIsNone(messages_open(d))
            self.assertIsNone(kept_journal(d))

    def test_a_kept_lesson_this_page_cannot_restore_starts_a_fresh_one_said_once(self):
        d = self.driver
        open_main_window(d)
        d.find_element(By.ID, "cmdLaunch").click()
        journal = kept_journal(d)
        newer = dict(journal, format=2)
        garbled = dict(journal, actions=journal["actions"][:-1])  # the launch lost: not the same lesson
        for kept, said in ((json.dumps(newer), "another version"), (json.dumps(journal)[:-9], "damaged"),
                           (json.dumps(garbled), "does not come out the same"), ("\\ud800{", "damaged")):
            d.execute_script("localStorage.setItem('zorbal.lesson', arguments[0]);", kept)
            d.refresh()
            wait_ready(d)
            self.assertEqual(len(shown := drain_messages(d)), 1)
            self.assertIn(said, shown[0])
            self.assertIn("starts a fresh lesson", shown[0])
            self.assertEqual(d.switch_to.active_element.get_attribute("id"), "cmdOK")
            self.assertIsNone(kept_journal(d))
            d.refresh()
            wait_ready(d)
            self.assertIsNone(messages_open(d))
            open_main_window(d)
            self.assertEqual(launches_shown(d), 0)

    def test_the_pages_bar_never_overlaps_the_window(self):
        d = self.driver
        open_main_window(d)
        try:
            for width, height in ((320, 480), (800, 600), (1031, 700), (1280, 720), (2560, 1440)):
                d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                  {"width": width, "height": height, "deviceScaleFactor": 1, "mobile": False})
                for _ in range(2):  # with the help panel shown, then hidden
                    wait_still(d, "frmZorbal")
                    d.find_element(By.ID, "cmdShowHelp_0").click()
                    wait_still(d, "frmZorbal")
                    *buttons, window = d.execute_script("""
                        return ['cmdCopyLink', 'cmdStartAgain', 'frmZorbal'].map((id) => {
                          const r = document.getElementById(id).getBoundingClientRect();
                          return [r.left + scrollX, r.top + scrollY, r.right + scrollX, r.bottom + scrollY];
                        });""")
                    for button in buttons:
                        context = (width, height, button, window)
                        # Above the window or beside it, never over it.
                        self.assertTrue(button[3] <= window[1] or button[0] >= window[2], context)
                        self.assertGreaterEqual(button[0], 0, context)
                        self.assertGreater(button[2] - button[0], 40, context)
        finally:
            designed_viewport(d)


def shown_design(driver):
    """The design boxes' texts and the ticked options as the page shows them."""
    return driver.execute_script("""
        const boxes = [];
        for (let i = 0; i < 14; ++i) boxes.push(document.getElementById('txtInput_' + i).value);
        return {boxes, rail: document.getElementById('chkOptions_2').checked,
                parachute: document.getElementById('chkOptions_3').checked};""")


def selected_tab(driver):
    return driver.execute_script("return document.querySelector('[role=tab][aria-selected=true]').id")


class Links(unittest.TestCase):
    """Designs shared as links: "Copy Link", links opened on a fresh page, over a kept lesson and
    inside a frame, links made by zorbal-cli, and damaged or hostile ones."""

    @classmethod
    def setUpClass(cls):
        cls.downloads = tempfile.mkdtemp(prefix="zorbal-downloads-")
        cls._server = serve(SITE)
        cls.url = cls._server.__enter__()
        cls._chromium = chromium(downloads=cls.downloads)
        cls.driver = cls._chromium.__enter__()
        cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
            "origin": cls.url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    @classmethod
    def tearDownClass(cls):
        cls._chromium.__exit__(None, None, None)
        cls._server.__exit__(None, None, None)

    def setUp(self):
        for f in pathlib.Path(self.downloads).iterdir():
            f.unlink()
        self.fresh()

    def fresh(self, address=None):
        """A new page at `address` (the site by default) with no kept lesson."""
        d = self.driver
        d.get("about:blank")
        d.execute_cdp_cmd("Storage.clearDataForOrigin", {
            "origin": self.url.rstrip("/"), "storageTypes": "local_storage"})
        d.get(address or self.url)

    def saved_design(self):
        """The design file "Save" downloads now."""
        self.driver.find_element(By.ID, "SSTab1_1").click()
        self.driver.find_element(By.ID, "cmdSave").click()
        path = pathlib.Path(self.downloads) / "Water Rocket 1.txt"
        saved = wait_for_file(path)
        path.unlink()
        return saved

    def copy_link(self):
        d = self.driver
        button = d.find_element(By.ID, "cmdCopyLink")
        self.assertEqual(button.get_attribute("type"), "button")
        self.assertEqual(button.text, "Copy Link")  # its name
        # Reached and pressed with the keyboard.
        d.execute_script("arguments[0].focus();", button)
        ActionChains(d).send_keys(Keys.ENTER).perform()
        WebDriverWait(d, 10).until(lambda dr: messages_open(dr) is not None)
        self.assertIn("link to this design has been copied", messages_open(d))
        close_message(d)
        return d.execute_async_script("navigator.clipboard.readText().then(arguments[0]);")

    def test_a_copied_link_opens_the_same_design_on_a_fresh_page_and_in_the_open_one(self):
        d = self.driver
        open_main_window(d)
        type_into(d, "txtInput_0", "1.5", "txtInput_3")
        type_into(d, "txtInput_3", "5", "txtInput_0")
        d.find_element(By.ID, "chkOptions_3").click()
        d.find_element(By.ID, "SSTab1_6").click()
        link = self.copy_link()
        self.assertTrue(link.startswith(self.url + "#zorbal=1."), link)
        # zorbal-cli makes the same link of the same design.
        out, _, status = cli("link", "--base", self.url, "--input", "0=1.5", "--input", "3=5", "--parachute")
        self.assertEqual(status, 0)
        self.assertEqual(out.decode().strip(), link)

        self.fresh(link)
        wait_restored(d)
        self.assertIsNone(messages_open(d))
        self.assertEqual(selected_tab(d), "SSTab1_1")
        self.assertEqual(d.switch_to.active_element.get_attribute("id"), "SSTab1_1")
        before = shown_design(d)
        self.assertEqual([before["boxes"][0], before["boxes"][3], before["parachute"]], ["1.5", "5", True])
        self.assertEqual(d.execute_script("return location.href"), self.url)  # the fragment is gone
        # As "Load" of the design file the link carries, byte for byte.
        expected, _, _ = cli("save-design", "-", "--link", link)
        self.assertEqual(self.saved_design(), expected)
        d.refresh()
        wait_restored(d)
        self.assertEqual(shown_design(d), before)

        # Given to the page already open (only the fragment changes: no reload).
        type_into(d, "txtInput_0", "3", "txtInput_3")
        d.execute_script("window.zorbalMarker = 1; location.hash = arguments[0];", link[link.index("#"):])
        WebDriverWait(d, 10).until(lambda dr: shown_design(dr) == before)
        self.assertEqual(d.execute_script("return window.zorbalMarker"), 1)
        self.assertEqual(d.execute_script("return location.hash"), "")

    def test_a_link_made_by_the_tool_opens_over_the_kept_lesson_which_keeps_its_launches(self):
        d = self.driver
        open_main_window(d)
        d.find_element(By.ID, "cmdLaunch").click()
        self.assertEqual(launches_shown(d), 1)
        out, _, _ = cli("link", "--base", self.url, "--input", "1=45", "--rail")
        link = out.decode().strip()
        expected, _, _ = cli("save-design", "-", "--link", link)
        d.get("about:blank")
        d.get(link)  # the kept lesson comes back, then the link's design is loaded into it
        wait_restored(d)
        self.assertIsNone(messages_open(d))
        self.assertEqual(launches_shown(d), 1)
        self.assertEqual(selected_tab(d), "SSTab1_1")
        self.assertEqual(shown_design(d)["boxes"][1], "45")
        self.assertTrue(shown_design(d)["rail"])
        self.assertEqual(self.saved_design(), expected)
        # Work after the link survives a reload: the link is not loaded again over it.
        type_into(d, "txtInput_1", "50", "txtInput_0")
        d.refresh()
        wait_restored(d)
        self.assertEqual(shown_design(d)["boxes"][1], "50")
        self.assertEqual(launches_shown(d), 1)

    def test_damaged_and_hostile_links_give_the_programs_message_and_change_nothing(self):
        d = self.driver
        out, _, _ = cli("link", "--base", self.url, "--input", "1=45")
        link = out.decode().strip()
        payload = link.index("#zorbal=1.") + len("#zorbal=1.")
        damaged = {
            "truncated": link[:-5],
            "wrong base64": link[:payload + 3] + "+/=" + link[payload + 6:],
            "not a stream": link[:payload] + base64.urlsafe_b64encode(b"hello").decode().rstrip("="),
            "another format": link.replace("#zorbal=1.", "#zorbal=7."),
            "1.5 MB": link + "A" * 1_500_000,
        }
        for name, address in damaged.items():
            self.fresh(address)
            WebDriverWait(d, 30).until(lambda dr: messages_open(dr) is not None)
            self.assertEqual(messages_open(d), "Sorry, the program can't open that file.", name)
            close_message(d)
            wait_ready(d)  # the splash, as a fresh program opens: nothing was loaded
            self.assertEqual(d.execute_script("return location.hash"), "", name)
            self.assertIsNone(kept_journal(d), name)
        for name, fragment in {"top": "#top", "route": "#/route", "token": "#access_token=x&zorbal=1"}.items():
            self.fresh(self.url + fragment)
            wait_ready(d)
            self.assertIsNone(messages_open(d), name)
            self.assertEqual(d.execute_script("return location.hash"), fragment, name)  # left alone
        # Ten megabytes, more than an address may hold, handed to the module at once.
        open_main_window(d)
        before = shown_design(d)
        outcome = d.execute_script("""
            const s = window.zorbalPage.session;
            const outcome = s.openLink('#zorbal=1.' + 'A'.repeat(10 * 1024 * 1024));
            const said = s.effectCount() === 1 ? s.effectText(0) : null;
            s.clearEffects();
            return [outcome, said];""")
        self.assertEqual(outcome, [2, "Sorry, the program can't open that file."])
        self.assertEqual(shown_design(d), before)

    def test_in_a_frame_links_open_and_a_forbidden_clipboard_is_said(self):
        d = self.driver
        out, _, _ = cli("link", "--base", self.url + "index.html", "--input", "3=6")
        link = out.decode().strip()
        # A learning platform's page holding the site in a frame that may not use the clipboard.
        d.get(self.url + "manifest.webmanifest")
        d.execute_script("""
            document.documentElement.innerHTML = '<body></body>';
            const frame = document.createElement('iframe');
            frame.width = 1280; frame.height = 700; frame.allow = "clipboard-write 'none'";
            frame.src = arguments[0];
            document.body.appendChild(frame);""", link)
        d.switch_to.frame(d.find_element(By.TAG_NAME, "iframe"))
        try:
            wait_restored(d)
            self.assertEqual(shown_design(d)["boxes"][3], "6")
            d.find_element(By.ID, "cmdCopyLink").click()
            shown = []
            WebDriverWait(d, 10).until(lambda dr: messages_open(dr) is not None)
            shown = drain_messages(d)
            self.assertEqual(len(shown), 2, shown)
            self.assertIn("could not be placed on the clipboard", shown[0])
            self.assertIn("inside another page, which does not let it use the clipboard", shown[1])
        finally:
            d.switch_to.default_content()


class Accessible(BrowserTest):
    """What a screen reader and a keyboard meet: names, the announcements, axe-core's checks, the
    keys, and the long press on a touch screen."""
    saves_files = True

    def setUp(self):
        for f in pathlib.Path(self.downloads).iterdir():
            f.unlink()
        self.driver.get(self.url)

    def focused(self):
        # After the page's own look at the focus, which waits for the focus to finish moving.
        return self.driver.execute_async_script(
            "const done = arguments[0]; setTimeout(() => done(document.activeElement.id || document.activeElement.tagName), 0);")

    def keys(self, *keys):
        ActionChains(self.driver).send_keys(*keys).perform()

    def chord(self, modifier, key):
        ActionChains(self.driver).key_down(modifier).send_keys(key).key_up(modifier).perform()

    def tab_to(self, element_id, limit=80):
        for _ in range(limit):
            if self.focused() == element_id:
                return
            self.keys(Keys.TAB)
        self.fail("Tab never reached " + element_id)

    def test_axe_finds_nothing_in_the_high_contrast_look_and_on_small_and_zoomed_screens(self):
        d = self.driver
        found = {}
        sizes = {"phone": (390, 844, 3, True), "tablet": (768, 1024, 2, True), "laptop": (1366, 640, 1, False),
                 "200 % zoom": (683, 320, 2, False)}
        try:
            for name, size in sizes.items():
                fit_test.viewport(d, size)
                d.get(self.url)
                wait_ready(d)
                fit_test.settle(d)
                found[name + " splash"] = axe_violations(d)
                fit_test.open_window(d)
                fit_test.tap(d, "SSTab1_1")
                fit_test.tap(d, "cmdLaunch")
                fit_test.settle(d)
                found[name + " after a launch"] = axe_violations(d)
        finally:
            fit_test.viewport(d, (1280, 720, 1, False))
        d.get(self.url)
        wait_ready(d)
        d.find_element(By.ID, "lookSwitch").click()
        found["high contrast splash"] = axe_violations(d)
        open_main_window(d)
        d.find_element(By.ID, "SSTab1_1").click()
        d.find_element(By.ID, "cmdLaunch").click()
        for tab in d.find_elements(By.CSS_SELECTOR, "[role=tab]"):
            tab.click()
            found["high contrast " + tab.text] = axe_violations(d)
        d.find_element(By.ID, "lookSwitch").click()  # the designed look for the tests after this one
        self.assertEqual({state: rules for state, rules in found.items() if rules}, {})

    def test_axe_finds_nothing_on_the_splash_on_every_tab_and_in_a_message_box(self):
        d = self.driver
        wait_ready(d)
        found = {"splash": axe_violations(d)}
        open_main_window(d)
        tabs = d.find_elements(By.CSS_SELECTOR, "[role=tab]")
        for when in ("before", "after"):
            if when == "after":
                d.find_element(By.ID, "SSTab1_1").click()
                d.find_element(By.ID, "cmdLaunch").click()
            for tab in tabs:
                tab.click()
                found["%s %s launch" % (tab.text, when)] = axe_violations(d)
        d.find_element(By.ID, "SSTab1_1").click()
        type_into(d, "txtInput_0", "25", "cmdLaunch")
        self.assertIsNotNone(messages_open(d))
        found["message box"] = axe_violations(d)
        self.assertEqual({state: rules for state, rules in found.items() if rules}, {})

    def test_controls_are_named_by_the_forms_labels_and_launches_are_announced(self):
        d = self.driver
        open_main_window(d)
        name = lambda element_id: d.find_element(By.ID, element_id).accessible_name
        text = lambda element_id: d.find_element(By.ID, element_id).text
        self.assertEqual(name("txtInput_0"), text("lblInput_0"))
        self.assertEqual(d.find_element(By.ID, "txtInput_0").get_attribute("aria-describedby"), "lblInput_15")
        self.assertEqual(name("txtInput_11"), " ".join(d.execute_script(
            "return document.getElementById('optParachute_0').parentElement.textContent").split()))
        self.assertEqual(name("cmdLaunch"), "Launch!")
        self.assertEqual(name("txtOutput_4"), "Flight Duration")
        tab = d.find_element(By.ID, "SSTab1_2")
        self.assertEqual(tab.aria_role, "tab")
        page = d.find_element(By.ID, tab.get_attribute("aria-controls"))
        self.assertEqual(page.get_attribute("aria-labelledby"), "SSTab1_2")
        d.find_element(By.ID, "SSTab1_6").click()
        self.assertEqual(d.find_element(By.ID, "MSFlexGrid1_view").accessible_name, "Launch History Table")
        d.find_element(By.ID, "SSTab1_1").click()
        self.assertEqual(d.execute_script("return document.querySelector('aside').textContent.length > 0"), True)

        d.find_element(By.ID, "cmdLaunch").click()
        said = "Launch 1: Flight Duration 4.30 seconds, Maximum Height 22.60 metres, Range 51.61 metres."
        WebDriverWait(d, 5).until(lambda dr: dr.find_element(By.ID, "announcer").get_attribute("textContent") == said)
        graph = d.find_element(By.ID, "pctXYGraph")
        self.assertEqual(graph.aria_role, "image")
        self.assertTrue(graph.get_attribute("aria-label").startswith("Trajectory graph, height against range of launch 1"))
        events = d.execute_script("""
            return [...document.querySelectorAll('#pctXYGraph_frame table tr')].map(
              (tr) => [...tr.children].map((cell) => cell.textContent));""")
        self.assertEqual(events[0][0], "Event")
        self.assertEqual(events[-1][:2], ["Landing", "4.30"])
        self.assertEqual(d.execute_script("return document.querySelectorAll('#MSFlexGrid1 th[scope=col]').length > 5"), True)

        # A refused launch is announced by its message, and the focus comes back where it was.
        d.find_element(By.ID, "SSTab1_1").click()
        type_into(d, "txtInput_0", "25", "cmdLaunch")
        message = messages_open(d)
        self.assertEqual(self.focused(), "msgBoxOK")
        self.assertEqual(d.find_element(By.ID, "msgBox").accessible_name, "Zorbal")
        WebDriverWait(d, 5).until(lambda dr: dr.find_element(By.ID, "announcer").get_attribute("textContent") == message)
        close_message(d)
        self.assertEqual(self.focused(), "cmdLaunch")

    def test_the_default_lesson_with_the_keyboard_alone(self):
        d = self.driver
        wait_ready(d)
        self.assertEqual(self.focused(), "cmdOK")
        self.keys(Keys.ENTER)
        WebDriverWait(d, 10).until(lambda dr: dr.find_element(By.ID, "frmZorbal").is_displayed())
        self.assertEqual(self.focused(), "SSTab1_1")  # never the page's body
        # Only the selected tab is in the Tab order.
        self.assertEqual([t.get_attribute("tabindex") for t in d.find_elements(By.CSS_SELECTOR, "[role=tab]")],
                         ["-1", "0", "-1", "-1", "-1", "-1", "-1"])
        self.tab_to("txtInput_0")
        self.chord(Keys.CONTROL, "a")
        self.keys("1.5")
        self.tab_to("cmdLaunch")
        self.assertEqual(d.find_element(By.ID, "txtInput_0").get_attribute("value"), "1.5")
        self.keys(Keys.ENTER)
        self.assertIsNone(messages_open(d))
        self.assertEqual(d.find_element(By.ID, "SSTab1_2").get_attribute("aria-selected"), "true")
        self.assertEqual(self.focused(), "SSTab1_2")  # the launch button's page was hidden
        self.assertNotEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "")
        # Every tab, with the arrows and Enter; Home and End; Ctrl+PgUp.
        for step in range(7):
            self.keys(Keys.ARROW_RIGHT)
            expected = "SSTab1_%d" % ((3 + step) % 7)
            self.assertEqual(self.focused(), expected)
            self.keys(Keys.ENTER)
            self.assertEqual(d.find_element(By.ID, expected).get_attribute("aria-selected"), "true")
        self.keys(Keys.END)
        self.assertEqual(self.focused(), "SSTab1_6")
        self.keys(Keys.SPACE)
        self.assertTrue(d.find_element(By.ID, "MSFlexGrid1_view").is_displayed())
        self.tab_to("MSFlexGrid1_view", 10)
        self.keys(Keys.ARROW_RIGHT, Keys.ARROW_RIGHT, Keys.ARROW_RIGHT)
        WebDriverWait(d, 5).until(  # the browser scrolls smoothly
            lambda dr: dr.execute_script("return document.getElementById('MSFlexGrid1_view').scrollLeft") > 0)
        self.chord(Keys.SHIFT, Keys.TAB)
        self.keys(Keys.HOME)
        self.assertEqual(self.focused(), "SSTab1_0")
        self.keys(Keys.ENTER)
        self.chord(Keys.CONTROL, Keys.PAGE_UP)
        self.assertEqual(d.find_element(By.ID, "SSTab1_6").get_attribute("aria-selected"), "true")
        self.chord(Keys.CONTROL, Keys.PAGE_DOWN)
        self.chord(Keys.CONTROL, Keys.PAGE_DOWN)
        self.assertEqual(self.focused(), "SSTab1_1")
        # A message box keeps the focus until it is answered, then gives it back.
        self.tab_to("txtInput_0")
        self.chord(Keys.CONTROL, "a")
        self.keys("25")
        self.tab_to("cmdLaunch")
        self.keys(Keys.ENTER)
        self.assertIsNotNone(messages_open(d))
        for _ in range(3):
            self.keys(Keys.TAB)
            self.assertEqual(self.focused(), "msgBoxOK")
        self.keys(Keys.ENTER)
        self.assertIsNone(messages_open(d))
        self.assertEqual(self.focused(), "cmdLaunch")

    def test_saving_loading_copying_and_the_history_with_the_keyboard_alone(self):
        d = self.driver
        wait_ready(d)
        self.keys(Keys.ENTER)
        WebDriverWait(d, 10).until(lambda dr: dr.find_element(By.ID, "frmZorbal").is_displayed())
        self.tab_to("txtInput_1")
        self.chord(Keys.CONTROL, "a")
        self.keys("45")
        self.tab_to("cmdSave")
        self.keys(Keys.ENTER)
        expected, _, _ = cli("save-design", "-", "--input", "1=45")
        design = pathlib.Path(self.downloads) / "Water Rocket 1.txt"
        self.assertEqual(wait_for_file(design), expected)
        self.assertEqual(self.focused(), "cmdSave")
        # Enter on "Load" opens the file dialog; the file chosen there is loaded.
        self.tab_to("txtInput_1")
        self.chord(Keys.CONTROL, "a")
        self.keys("30")
        self.tab_to("cmdLoad", 120)
        self.keys(Keys.ENTER)
        d.find_element(By.ID, "filePicker").send_keys(str(design))
        WebDriverWait(d, 10).until(lambda dr: dr.find_element(By.ID, "txtInput_1").get_attribute("value") == "45")
        self.assertIsNone(messages_open(d))
        self.assertNotEqual(self.focused(), "BODY")
        self.tab_to("cmdLaunch", 120)
        self.keys(Keys.ENTER)
        self.assertIsNone(messages_open(d))
        self.tab_to("cmdCopy", 120)
        self.keys(Keys.ENTER)
        WebDriverWait(d, 10).until(lambda dr: messages_open(dr) is not None)
        self.assertIn("copied to the clipboard", messages_open(d))
        self.keys(Keys.ENTER)
        self.assertIsNone(messages_open(d))
        self.assertEqual(self.focused(), "cmdCopy")
        copied = d.execute_async_script("navigator.clipboard.readText().then(arguments[0], () => arguments[0](null));")
        self.assertTrue(copied and "\t" in copied, copied)
        self.tab_to("SSTab1_2")  # the selected tab, the trajectory's
        self.keys(Keys.END, Keys.ENTER)  # the last tab, the history
        self.tab_to("cmdSaveHistory")
        self.keys(Keys.ENTER)
        saved = wait_for_file(pathlib.Path(self.downloads) / "Launch Data 1.txt")
        # The boxes hold the loaded file's texts, which the history shows as they are.
        expected, _, _ = cli("fly", "--design", str(design), "--history", "-")
        self.assertEqual(saved, expected)
        drain_messages(d)

    def test_f1_and_a_long_press_show_a_controls_advice(self):
        d = self.driver
        open_main_window(d)
        help_text = lambda: d.find_element(By.ID, "txtHelp").get_attribute("value")
        d.execute_script("zorbalPage.act('move', 'txtInput_3')")
        pressure_advice = help_text()
        d.execute_script("zorbalPage.act('move', 'cmdDefault')")
        default_advice = help_text()
        self.assertNotEqual(pressure_advice, default_advice)
        d.find_element(By.ID, "txtInput_3").click()
        self.keys(Keys.F1)
        self.assertEqual(help_text(), pressure_advice)
        # A long press on "Default" explains it and does not put the default design back.
        type_into(d, "txtInput_0", "1.5", "txtInput_3")
        touch = ActionBuilder(d, mouse=PointerInput(interaction.POINTER_TOUCH, "finger"))
        touch.pointer_action.move_to(d.find_element(By.ID, "cmdDefault")).pointer_down().pause(0.8).pointer_up()
        touch.perform()
        self.assertEqual(help_text(), default_advice)
        self.assertEqual(d.find_element(By.ID, "txtInput_0").get_attribute("value"), "1.5")


class Offline(unittest.TestCase):
    def test_a_visited_page_starts_again_without_its_server(self):
        with chromium() as d:
            with serve(SITE) as url:
                d.get(url)
                wait_ready(d)
                d.execute_async_script(
                    "const done = arguments[0]; navigator.serviceWorker.ready.then(() => done(true));")
                self.assertTrue(d.execute_script("return document.querySelector('link[rel=manifest]') !== null"))
            d.get(url)  # the server has stopped
            wait_ready(d)
            open_main_window(d)
            d.find_element(By.ID, "cmdLaunch").click()
            self.assertEqual(d.find_element(By.ID, "txtOutput_4").get_attribute("value"), "4.30")


class FileUrl(unittest.TestCase):
    def test_splash_from_the_folder_without_a_server(self):
        with chromium() as d:
            d.get(pathlib.Path(SITE, "index.html").resolve().as_uri())
            wait_ready(d)
            self.assertGreater(d.execute_script("return document.getElementById('Image1').naturalWidth"), 0)
            open_main_window(d)
            d.find_element(By.ID, "cmdLaunch").click()
            self.assertEqual(d.find_element(By.ID, "txtOutput_6").get_attribute("value"), "22.60")


JOBS_DATA = pathlib.Path(__file__).resolve().parent.parent / "data" / "jobs"

# Runs a job through Zorbal.jobs and answers {result, progress, where} or {error, name}.
RUN_JOB = """
    const [jobText, done] = arguments;
    const progress = [];
    Zorbal.jobs.run(jobText, (d, t) => progress.push([d, t])).then(
      (result) => done({result, progress, where: Zorbal.jobs.where()}),
      (error) => done({error: String(error), name: error.name}));"""


class InvestigateJobs(BrowserTest):
    """The Investigate window's jobs run in the page's worker: the same result text as the desktop
    and the page's own module give, progress on the way, cancelling at any time."""

    @classmethod
    def setUpClass(cls):
        super().setUpClass()
        cls.job = (JOBS_DATA / "sweep_pressure_angle.job.json").read_text(encoding="ascii")
        cls.result = (JOBS_DATA / "sweep_pressure_angle.result.json").read_text(encoding="ascii")
        cls.driver.get(cls.url)
        wait_ready(cls.driver)

    def test_a_sweep_in_the_worker_gives_the_desktops_result_text(self):
        d = self.driver
        answer = d.execute_async_script(RUN_JOB, self.job)
        self.assertEqual(answer.get("error"), None)
        self.assertEqual(answer["where"], "worker")
        self.assertEqual(answer["result"], self.result)  # byte for byte what the native build wrote
        self.assertEqual(answer["progress"][-1], [25, 25])
        on_main_thread = d.execute_script(
            "return window.zorbalPage.module.runInvestigateJob(arguments[0], undefined);", self.job)
        self.assertEqual(on_main_thread, self.result)
        # A text that is no job is refused, not answered with an empty result.
        refused = d.execute_async_script(RUN_JOB, self.job[:-1])
        self.assertIn("not a job", refused["error"])

    def test_cancel_stops_a_long_sweep_and_the_next_job_runs_in_a_fresh_worker(self):
        d = self.driver
        big = json.loads(self.job)
        big["axes"] = ["3=2.05:7:0.05", "8=10.8:90:0.8"]
        answer = d.execute_async_script("""
            const [jobText, done] = arguments;
            const started = performance.now();
            Zorbal.jobs.run(jobText, () => {}).then(
              () => done({finished: true}),
              (error) => done({name: error.name, afterMs: performance.now() - started,
                               running: Zorbal.jobs.isRunning()}));
            setTimeout(() => Zorbal.jobs.cancel(), 300);""", json.dumps(big))
        self.assertEqual(answer.get("name"), "AbortError", answer)
        self.assertLess(answer["afterMs"], 1000)
        self.assertFalse(answer["running"])
        again = d.execute_async_script(RUN_JOB, self.job)
        self.assertEqual(again.get("result"), self.result)
        # A new job cancels the one still running.
        both = d.execute_async_script("""
            const [bigText, smallText, done] = arguments;
            const first = Zorbal.jobs.run(bigText).then(() => 'finished', (error) => error.name);
            const second = Zorbal.jobs.run(smallText);
            Promise.all([first, second]).then(done, (error) => done(['failed', String(error)]));""",
                                      json.dumps(big), self.job)
        self.assertEqual(both, ["AbortError", self.result])


class InvestigateJobsOffline(unittest.TestCase):
    def test_a_visited_page_runs_jobs_in_its_worker_without_its_server(self):
        # The service worker keeps the worker's script and the module it loads.
        job = (JOBS_DATA / "sweep_pressure_angle.job.json").read_text(encoding="ascii")
        with chromium() as d:
            with serve(SITE) as url:
                d.get(url)
                wait_ready(d)
                d.execute_async_script(
                    "const done = arguments[0]; navigator.serviceWorker.ready.then(() => done(true));")
            d.get(url)  # the server has stopped
            wait_ready(d)
            answer = d.execute_async_script(RUN_JOB, job)
            self.assertEqual(answer.get("where"), "worker", answer)
            self.assertEqual(answer["result"], (JOBS_DATA / "sweep_pressure_angle.result.json").read_text(encoding="ascii"))


class InvestigateJobsFromFile(unittest.TestCase):
    def test_a_page_from_the_folder_runs_jobs_in_its_own_module(self):
        # Chromium refuses a worker to a page from file:// (the constructor throws a
        # SecurityError): the job runs in the page's module and says so.
        job = (JOBS_DATA / "sweep_pressure_angle.job.json").read_text(encoding="ascii")
        with chromium() as d:
            d.get(pathlib.Path(SITE, "index.html").resolve().as_uri())
            wait_ready(d)
            d.execute_script("window.fellBack = []; Zorbal.jobs.onFallback = (why) => window.fellBack.push(why);")
            answer = d.execute_async_script(RUN_JOB, job)
            self.assertEqual(answer["where"], "page")
            self.assertEqual(answer["result"], (JOBS_DATA / "sweep_pressure_angle.result.json").read_text(encoding="ascii"))
            fell_back = d.execute_script("return window.fellBack;")
            self.assertEqual(len(fell_back), 1)
            self.assertIn("SecurityError", fell_back[0])
            # A job cancelled before its turn on the main thread is dropped; the next one runs.
            cancelled = d.execute_async_script("""
                const [jobText, done] = arguments;
                const first = Zorbal.jobs.run(jobText).then(() => 'finished', (error) => error.name);
                Zorbal.jobs.cancel();
                first.then((name) => Zorbal.jobs.run(jobText).then((result) => done([name, result])));""", job)
            self.assertEqual(cancelled[0], "AbortError")
            self.assertEqual(cancelled[1], answer["result"])


if __name__ == "__main__":
    SITE, CLI = sys.argv[1], sys.argv[2]
    fit_test.SITE = SITE
    investigate_test.CLI = CLI
    BrowserTest.site = SITE
    unittest.main(argv=[sys.argv[0]] + sys.argv[3:], verbosity=2)
