# SPDX-License-Identifier: MIT
"""The page's Investigate window: opened from the bar or with Ctrl+I on the main window's design,
used with the keyboard alone, its graphs pointed at, its design used in the main window and the
lesson, a long job cancelled, its files as zorbal-cli writes them, and axe, the high-contrast look
and every screen size on each of its pages. page_test.py runs these with the rest; SITE and CLI
are set by it."""
import os
import pathlib
import random
import struct
import subprocess
import time
import unittest

from selenium.webdriver.common.action_chains import ActionChains
from selenium.webdriver.common.keys import Keys
from selenium.webdriver.support.ui import Select

from browser import (BrowserTest, By, WebDriverWait, axe_violations, chromium, close_message, messages_open,
                     open_main_window)

CLI = None


def is_open(driver):
    return driver.execute_script("return document.getElementById('frmInvestigate').open")


def status(driver):
    return driver.find_element(By.ID, "lblStatus").text


def wait_status(driver, start, timeout=60):
    WebDriverWait(driver, timeout).until(lambda d: status(d).startswith(start))
    return status(driver)


def focused(driver):
    return driver.switch_to.active_element.get_attribute("id")


def press(driver, *keys):
    ActionChains(driver).send_keys(*keys).perform()


def control_i(driver):
    ActionChains(driver).key_down(Keys.CONTROL).send_keys("i").key_up(Keys.CONTROL).perform()


def painted(driver, canvas_id):
    """How many of the canvas's pixels are not its white back."""
    return driver.execute_script("""
        const c = document.getElementById(arguments[0]);
        const data = c.getContext('2d').getImageData(0, 0, c.width, c.height).data;
        let n = 0;
        for (let i = 0; i < data.length; i += 4) if (data[i] < 250 || data[i + 1] < 250 || data[i + 2] < 250) ++n;
        return n;""", canvas_id)


class Investigate(BrowserTest):
    saves_files = True

    def setUp(self):
        d = self.driver
        d.get(self.url)
        open_main_window(d)

    def open_window(self):
        d = self.driver
        d.find_element(By.ID, "cmdInvestigate").click()
        WebDriverWait(d, 10).until(is_open)

    def wait_for_file(self, name, timeout=20):
        path = os.path.join(self.downloads, name)
        deadline = time.time() + timeout
        while time.time() < deadline:
            if os.path.exists(path) and not os.path.exists(path + ".crdownload") and os.path.getsize(path) > 0:
                time.sleep(0.2)
                with open(path, "rb") as f:
                    data = f.read()
                os.remove(path)
                return data
            time.sleep(0.1)
        self.fail("%s was not downloaded" % name)

    def test_a_sweep_with_the_keyboard_alone_then_pointed_at_and_closed_with_escape(self):
        d = self.driver
        d.find_element(By.ID, "txtInput_0").click()
        control_i(d)
        WebDriverWait(d, 10).until(is_open)
        self.assertEqual(focused(d), "tabInvestigate_0")
        press(d, Keys.TAB)
        self.assertEqual(focused(d), "cboVary_0")
        for _ in range(3):  # From, To, Values
            press(d, Keys.TAB)
        self.assertEqual(focused(d), "txtSteps_0")
        d.switch_to.active_element.send_keys(Keys.CONTROL, "a")
        press(d, "5")
        while focused(d) != "cmdVaryRun":
            press(d, Keys.TAB)
        press(d, Keys.F1)  # its advice, beside it
        advice = d.find_element(By.ID, "investigateAdvice")
        self.assertEqual(advice.text, d.find_element(By.ID, "cmdVaryRun").get_attribute("title"))
        self.assertTrue(advice.is_displayed())
        press(d, Keys.ENTER)
        self.assertEqual(wait_status(d, "Done:"), "Done: 5 designs flown, 4 landed.")
        WebDriverWait(d, 5).until(lambda d: d.find_element(By.ID, "investigateAnnouncer").text == status(d))
        WebDriverWait(d, 5).until(lambda d: painted(d, "picVary") > 1000)
        self.assertIn("5 designs", d.find_element(By.ID, "picVary").get_attribute("aria-label"))
        # On the graph the arrow keys choose its designs one after another.
        for _ in range(8):
            if focused(d) == "picVary":
                break
            press(d, Keys.TAB)
        self.assertEqual(focused(d), "picVary")
        press(d, Keys.ARROW_RIGHT, Keys.ARROW_RIGHT)
        self.assertTrue(d.find_element(By.ID, "txtVaryPoint").get_attribute("value").startswith("Chosen: design 2 of 5"))
        self.assertTrue(d.find_element(By.ID, "cmdUseDesign").is_enabled())
        # Pointing at the curves shows the design there, and leaving clears it.
        canvas = d.find_element(By.ID, "picVary")
        ActionChains(d).move_to_element_with_offset(canvas, canvas.size["width"] // 3, 0).perform()
        WebDriverWait(d, 5).until(lambda d: d.find_element(By.ID, "txtVaryPoint").get_attribute("value") != "")
        self.assertIn("Initial Pressure", d.find_element(By.ID, "txtVaryPoint").get_attribute("value"))
        press(d, Keys.ESCAPE)
        self.assertFalse(is_open(d))
        self.assertEqual(focused(d), "txtInput_0")  # back where it was
        self.assertIsNone(messages_open(d))

    def test_the_best_design_used_goes_into_the_main_window_and_the_lesson(self):
        d = self.driver
        self.open_window()
        d.find_element(By.ID, "cmdVaryRun").click()
        wait_status(d, "Done:")
        self.assertFalse(d.find_element(By.ID, "cmdUseDesign").is_enabled())
        d.find_element(By.ID, "cmdBest").click()
        d.find_element(By.ID, "cmdUseDesign").click()
        self.assertEqual(d.find_element(By.ID, "txtInput_3").get_attribute("value"), "7")
        self.assertIn("Investigate.txt", d.execute_script("return localStorage.getItem('zorbal.lesson')"))
        d.find_element(By.ID, "cmdClose").click()
        self.assertFalse(is_open(d))
        self.assertEqual(focused(d), "cmdInvestigate")
        # Opened again on the design now in the main window, whose results it has not got yet.
        self.open_window()
        self.assertFalse(d.find_element(By.ID, "cmdUseDesign").is_enabled())

    def test_a_long_map_is_cancelled_and_the_window_stays_ready(self):
        d = self.driver
        self.open_window()
        Select(d.find_element(By.ID, "cboVary_1")).select_by_index(8)
        for box, text in (("txtSteps_0", "100"), ("txtSteps_1", "100")):
            el = d.find_element(By.ID, box)
            el.clear()
            el.send_keys(text)
        d.find_element(By.ID, "cmdVaryRun").click()
        WebDriverWait(d, 10).until(lambda d: d.find_element(By.ID, "cmdCancel").is_enabled())
        time.sleep(0.3)
        d.find_element(By.ID, "cmdCancel").click()
        self.assertEqual(wait_status(d, "Cancelled"), "Cancelled; the results shown before are kept.")
        self.assertFalse(d.find_element(By.ID, "cmdCancel").is_enabled())
        self.assertFalse(d.execute_script("return Zorbal.jobs.isRunning()"))
        # And the next run runs.
        for box in ("txtSteps_0", "txtSteps_1"):
            el = d.find_element(By.ID, box)
            el.clear()
            el.send_keys("3")
        d.find_element(By.ID, "cmdVaryRun").click()
        wait_status(d, "Done: 9 designs flown")

    def test_the_runs_and_the_picture_are_saved_as_the_command_line_tool_writes_them(self):
        d = self.driver
        self.open_window()
        d.find_element(By.ID, "tabInvestigate_2").click()
        for box, text in (("txtRuns", "50"), ("txtSeed", "1")):
            el = d.find_element(By.ID, box)
            el.clear()
            el.send_keys(text)
        d.find_element(By.ID, "cmdScatterRun").click()
        wait_status(d, "Done:")
        WebDriverWait(d, 5).until(lambda d: painted(d, "picScatter") > 1000)
        d.find_element(By.ID, "cmdSaveRuns").click()
        expected = subprocess.run([CLI, "scatter", "--runs", "50", "--seed", "1", "--csv", "-"],
                                  capture_output=True, timeout=120).stdout
        self.assertEqual(self.wait_for_file("Runs.csv"), expected)
        d.find_element(By.ID, "cmdSaveScatterPicture").click()
        png = self.wait_for_file("Investigate.png")
        self.assertEqual(png[:8], b"\x89PNG\r\n\x1a\n")
        self.assertEqual(struct.unpack(">II", png[16:24]), (600, 380))
        self.assertIsNone(messages_open(d))

    def test_every_page_fits_every_screen_and_axe_finds_nothing_in_either_look(self):
        d = self.driver
        self.open_window()
        d.find_element(By.ID, "cmdVaryRun").click()
        wait_status(d, "Done:")
        try:
            for width, height, mobile in ((1366, 640, False), (768, 1024, True), (390, 844, True)):
                d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                                  {"width": width, "height": height, "deviceScaleFactor": 2, "mobile": mobile})
                time.sleep(0.3)
                for page in range(3):
                    d.execute_script("document.getElementById(arguments[0]).click()", "tabInvestigate_%d" % page)
                    box = d.execute_script("""
                        const r = document.getElementById('frmInvestigate').getBoundingClientRect();
                        const root = document.documentElement;
                        return [r.left, r.top, r.right, r.bottom, root.clientWidth, root.clientHeight];""")
                    context = (width, height, page, box)
                    self.assertGreaterEqual(box[0], -0.5, context)
                    self.assertGreaterEqual(box[1], -0.5, context)
                    self.assertLessEqual(box[2], box[4] + 0.5, context)
                    self.assertLessEqual(box[3], box[5] + 0.5, context)
                    if width == 1366 or page == 0:
                        for look in ("plain", "contrast"):
                            d.execute_script("document.documentElement.classList.toggle('contrast', arguments[0])",
                                             look == "contrast")
                            self.assertEqual(axe_violations(d), {}, (context, look))
        finally:
            d.execute_script("document.documentElement.classList.remove('contrast')")
            d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                              {"width": 1280, "height": 720, "deviceScaleFactor": 1, "mobile": False})

    def test_random_actions_leave_no_error_and_the_window_still_working(self):
        d = self.driver
        self.open_window()
        d.get_log("browser")  # what came before
        rng = random.Random(int(os.environ.get("SEED", "7")))
        texts = ["", "0", "1", "3", "2,5", "-4", "1e9", "abc", "7;8", "100", "NaN", "\u00e9", " 2 "]
        keys = [Keys.ARROW_LEFT, Keys.ARROW_RIGHT, Keys.ARROW_UP, Keys.ARROW_DOWN, Keys.HOME, Keys.END, Keys.F1]
        for _ in range(150):
            if messages_open(d):
                close_message(d)
                continue
            page = d.execute_script(
                "return [...document.querySelectorAll('#frmInvestigate [role=tab]')].findIndex("
                "(t) => t.getAttribute('aria-selected') === 'true')")
            controls = d.execute_script("""
                return [...document.querySelectorAll('#frmInvestigate [role=tab], #tabInvestigate_page_'
                  + arguments[0] + ' :is(input, select, button, canvas), #cmdCancel')]
                  .filter((el) => !el.disabled && el.id !== 'cmdClose').map((el) => el.id);""", page)
            target = d.find_element(By.ID, rng.choice(controls))
            tag = target.tag_name
            if tag == "input":
                target.clear()
                target.send_keys(rng.choice(texts))
            elif tag == "select":
                options = target.find_elements(By.TAG_NAME, "option")
                Select(target).select_by_index(rng.randrange(len(options)))
            elif tag == "canvas":
                d.execute_script("arguments[0].focus()", target)
                if rng.random() < 0.5:
                    press(d, rng.choice(keys))
                else:
                    ActionChains(d).move_to_element_with_offset(
                        target, rng.randint(-250, 250), rng.randint(-150, 150)).click().perform()
            else:
                target.click()
            if rng.random() < 0.1:
                time.sleep(0.5)  # now and then a job runs to its end
        self.assertTrue(is_open(d))
        errors = [e["message"] for e in d.get_log("browser") if e["level"] == "SEVERE"]
        self.assertEqual(errors, [])
        # Still working: a small sweep runs to its end.
        if messages_open(d):
            close_message(d)
        d.find_element(By.ID, "tabInvestigate_0").click()
        if d.find_element(By.ID, "cmdCancel").is_enabled():
            d.find_element(By.ID, "cmdCancel").click()
        Select(d.find_element(By.ID, "cboVary_0")).select_by_visible_text("Initial Pressure (atmospheres)")
        Select(d.find_element(By.ID, "cboVary_1")).select_by_index(0)
        for box, text in (("txtFrom_0", "1"), ("txtTo_0", "3"), ("txtSteps_0", "3")):
            el = d.find_element(By.ID, box)
            el.clear()
            el.send_keys(text)
        WebDriverWait(d, 30).until(lambda d: d.find_element(By.ID, "cmdVaryRun").is_enabled())
        d.find_element(By.ID, "cmdVaryRun").click()
        try:
            wait_status(d, "Done: 3 designs flown", timeout=60)
        except Exception:
            self.fail("status %r, message %r" % (status(d), messages_open(d)))


class InvestigateFromFile(unittest.TestCase):
    def test_a_page_from_a_folder_says_once_that_its_runs_hold_the_page(self):
        with chromium(fresh=True) as d:
            d.get(pathlib.Path(BrowserTest.site, "index.html").resolve().as_uri())
            open_main_window(d)
            d.find_element(By.ID, "cmdInvestigate").click()
            told = []
            for _ in range(2):
                d.find_element(By.ID, "cmdVaryRun").click()
                wait_status(d, "Done: 21 designs flown")
                said = messages_open(d)
                if said is not None:
                    told.append(said)
                    close_message(d)
                    self.assertEqual(focused(d), "cmdVaryRun")
            self.assertEqual(len(told), 1, told)
            self.assertIn("opened from a folder", told[0])


if __name__ == "__main__":
    unittest.main()
