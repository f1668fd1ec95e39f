# SPDX-License-Identifier: MIT
"""Pictures of the web edition in headless Chromium at 1280 x 720: the splash, every tab after a
launch of the default design and a second one with some wind, the help panel hidden.

    /usr/bin/python3 tests/web/screenshots.py build-web/site OUT_FOLDER [device scale factor]
"""
import os
import sys
import time

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from browser import By, chromium, open_main_window, serve, wait_ready  # noqa: E402


def main():
    site, out = sys.argv[1], sys.argv[2]
    scale = float(sys.argv[3]) if len(sys.argv) > 3 else 1
    os.makedirs(out, exist_ok=True)
    with serve(site) as url, chromium() as d:
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


if __name__ == "__main__":
    main()
