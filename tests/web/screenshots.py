# SPDX-License-Identifier: MIT
"""Pictures of the web edition in headless Chromium at 1280 x 720: the splash, every tab after a
launch of the default design and a second one with some wind, the help panel hidden; then the
splash and the launched window fitted to a phone (upright and sideways), a tablet, a small
desktop browser and the same at 200 % zoom, and the high-contrast look.

    /usr/bin/python3 tests/web/screenshots.py build-web/site OUT_FOLDER [device scale factor]
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import By, chromium, open_main_window, serve, wait_ready  # noqa: E402
from fit_test import open_window, settle, tap, viewport  # noqa: E402

# name: CSS px wide, high, device pixel ratio, a phone's or tablet's
FITTED = {"phone": (390, 844, 3, True), "phone-sideways": (844, 390, 3, True), "tablet": (768, 1024, 2, True),
          "desktop": (1366, 640, 1, False), "desktop-200": (683, 320, 2, False)}


def main():
    site, out = sys.argv[1], sys.argv[2]
    scale = float(sys.argv[3]) if len(sys.argv) > 3 else 1
    os.makedirs(out, exist_ok=True)
    with serve(site) as url, chromium(fresh=True) as d:
        d.execute_cdp_cmd("Emulation.setDeviceMetricsOverride",
                          {"width": 1280, "height": 720, "deviceScaleFactor": scale, "mobile": False})
        d.get(url)
        wait_ready(d)
        d.save_screenshot(os.path.join(out, "splash.png"))
        open_main_window(d)
        d.find_element(By.ID, "cmdLaunch").click()
        d.save_screenshot(os.path.join(out, "trajectory-default.png"))
        d.execute_script("window.zorbalPage.act('input', 'txtInput_10', '3')")
        d.find_element(By.ID, "cmdLaunch2").click()
        for tab in range(7):
            d.find_element(By.ID, "SSTab1_%d" % tab).click()
            time.sleep(0.1)
            d.save_screenshot(os.path.join(out, "tab-%d.png" % tab))
        d.find_element(By.ID, "cmdShowHelp_0").click()
        time.sleep(0.8)
        d.save_screenshot(os.path.join(out, "help-hidden.png"))
        for name, size in FITTED.items():
            viewport(d, size)
            d.get(url)
            wait_ready(d)
            settle(d)
            d.save_screenshot(os.path.join(out, "fit-%s-splash.png" % name))
            open_window(d)
            tap(d, "cmdLaunch")
            settle(d)
            d.save_screenshot(os.path.join(out, "fit-%s.png" % name))
        viewport(d, (1280, 720, scale, False))
        d.get(url)
        wait_ready(d)
        d.find_element(By.ID, "lookSwitch").click()
        d.save_screenshot(os.path.join(out, "contrast-splash.png"))
        open_main_window(d)
        d.find_element(By.ID, "cmdLaunch").click()
        d.execute_script("window.zorbalPage.act('input', 'txtInput_10', '3')")
        d.find_element(By.ID, "cmdLaunch2").click()
        for tab in (1, 2, 5, 6):
            d.find_element(By.ID, "SSTab1_%d" % tab).click()
            time.sleep(0.1)
            d.save_screenshot(os.path.join(out, "contrast-tab-%d.png" % tab))
        d.find_element(By.ID, "lookSwitch").click()  # the designed look again for the next run


if __name__ == "__main__":
    main()
