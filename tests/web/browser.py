# SPDX-License-Identifier: MIT
"""Headless Chromium driven by selenium for the web edition's page tests and benchmarks."""
import contextlib
import functools
import http.server
import os
import shutil
import tempfile
import threading
import unittest

from selenium import webdriver
from selenium.webdriver.chrome.service import Service
from selenium.webdriver.common.by import By
from selenium.webdriver.support.ui import WebDriverWait

CHROMIUM_FLAGS = [
    "--headless=new", "--no-sandbox", "--disable-gpu", "--no-first-run",
    "--disable-background-networking", "--disable-component-update", "--disable-sync",
    "--disable-dev-shm-usage", "--window-size=1280,720", "--force-device-scale-factor=1",
]


class QuietHandler(http.server.SimpleHTTPRequestHandler):
    def log_message(self, *args):
        pass


@contextlib.contextmanager
def serve(folder):
    """Serves `folder` on a free port of 127.0.0.1 with Python's http.server; yields the URL."""
    handler = functools.partial(QuietHandler, directory=folder)
    server = http.server.ThreadingHTTPServer(("127.0.0.1", 0), handler)
    thread = threading.Thread(target=server.serve_forever, daemon=True)
    thread.start()
    try:
        yield "http://127.0.0.1:%d/" % server.server_address[1]
    finally:
        server.shutdown()
        server.server_close()


def designed_viewport(driver, scale=1):
    """Gives the driver's current tab the viewport the window is shown in at its designed size
    (--window-size leaves less for the page than it says; a new tab needs it again)."""
    driver.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                           {"width": 1280, "height": 720, "deviceScaleFactor": scale, "mobile": False})


def fresh_visits(driver):
    """Every page the driver opens from now on starts as a freshly started program: the lesson
    the page keeps in the browser's storage is removed before the page's scripts run."""
    driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
        "source": "try { localStorage.removeItem('zorbal.lesson'); } catch (error) {}"})


@contextlib.contextmanager
def chromium(downloads=None, scale=1, fresh=False):
    """A headless Chromium with a fresh profile; files it downloads land in `downloads`. With
    `fresh`, every visit starts a fresh program (see fresh_visits)."""
    profile = tempfile.mkdtemp(prefix="zorbal-chromium-")
    options = webdriver.ChromeOptions()
    options.binary_location = os.environ.get("ZORBAL_CHROMIUM", "/usr/bin/chromium")
    for flag in CHROMIUM_FLAGS:
        options.add_argument(flag.replace("scale-factor=1", "scale-factor=%s" % scale))
    options.add_argument("--user-data-dir=" + profile)
    options.set_capability("goog:loggingPrefs", {"browser": "ALL"})  # the console, for the tests
    if downloads:
        options.add_experimental_option("prefs", {
            "download.default_directory": downloads, "download.prompt_for_download": False})
    service = Service(os.environ.get("ZORBAL_CHROMEDRIVER", "/usr/bin/chromedriver"))
    driver = webdriver.Chrome(service=service, options=options)
    driver.set_page_load_timeout(60)
    driver.set_script_timeout(120)
    try:
        designed_viewport(driver, scale)
        if fresh:
            fresh_visits(driver)
        if downloads:
            driver.execute_cdp_cmd("Page.setDownloadBehavior", {"behavior": "allow", "downloadPath": downloads})
        yield driver
    finally:
        driver.quit()
        shutil.rmtree(profile, ignore_errors=True)


class BrowserTest(unittest.TestCase):
    """Tests sharing one server of the site and one headless Chromium, which opens every page as
    a freshly started program unless the class keeps lessons."""
    site = None  # the site's folder, set by the test program before the tests run
    keeps_lessons = False
    saves_files = False  # downloads land in cls.downloads, and the clipboard may be read and written

    @classmethod
    def setUpClass(cls):
        cls._server = serve(BrowserTest.site)
        cls.url = cls._server.__enter__()
        cls.downloads = tempfile.mkdtemp(prefix="zorbal-downloads-") if cls.saves_files else None
        cls._chromium = chromium(downloads=cls.downloads, fresh=not cls.keeps_lessons)
        cls.driver = cls._chromium.__enter__()
        if cls.saves_files:
            cls.driver.execute_cdp_cmd("Browser.setDownloadBehavior", {
                "behavior": "allow", "downloadPath": cls.downloads})
            cls.driver.execute_cdp_cmd("Browser.grantPermissions", {
                "origin": cls.url.rstrip("/"), "permissions": ["clipboardReadWrite", "clipboardSanitizedWrite"]})

    @classmethod
    def tearDownClass(cls):
        cls._chromium.__exit__(None, None, None)
        cls._server.__exit__(None, None, None)
        if cls.downloads:
            shutil.rmtree(cls.downloads, ignore_errors=True)


def wait_ready(driver, timeout=30):
    WebDriverWait(driver, timeout).until(
        lambda d: d.execute_script("return document.documentElement.dataset.ready === 'splash'"))


def wait_still(driver, element_id, frames=3, timeout=10):
    """Waits until the element has kept its place and size for `frames` frames: a resize has been
    fitted and the help panel's animation has ended."""
    driver.set_script_timeout(timeout)
    driver.execute_async_script("""
        const [id, frames, done] = arguments;
        let last = '', still = 0;
        const look = () => {
          const r = document.getElementById(id).getBoundingClientRect();
          const now = [r.left, r.top, r.width, r.height].join();
          still = now === last ? still + 1 : 0;
          last = now;
          if (still >= frames) done(); else requestAnimationFrame(look);
        };
        requestAnimationFrame(look);""", element_id, frames)


def open_main_window(driver):
    wait_ready(driver)
    driver.find_element(By.ID, "cmdOK").click()
    WebDriverWait(driver, 10).until(lambda d: d.find_element(By.ID, "frmZorbal").is_displayed())


def messages_open(driver):
    """The text of the open message box, or None."""
    return driver.execute_script(
        "const d = document.getElementById('msgBox'); return d.open ? document.getElementById('msgBoxText').textContent : null;")


def close_message(driver):
    driver.find_element(By.ID, "msgBoxOK").click()


AXE_SCRIPT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "web", "node_modules",
                          "axe-core", "axe.min.js")


def axe_violations(driver):
    """axe-core's violations on the page as it is now: {rule: [elements]}, with every rule axe runs."""
    if not driver.execute_script("return !!window.axe"):
        with open(AXE_SCRIPT, encoding="utf-8") as script:
            driver.execute_script(script.read())
    return driver.execute_async_script("""
        const done = arguments[0];
        axe.run(document, {resultTypes: ['violations']}).then((r) => {
          const found = {};
          for (const v of r.violations) found[v.id] = v.nodes.map((n) => n.target.join(' '));
          done(found);
        }, (error) => done({'axe failed': [String(error)]}));""")
