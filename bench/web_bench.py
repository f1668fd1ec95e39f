# SPDX-License-Identifier: MIT
"""Benchmarks of the web edition in headless Chromium:

- the whole transfer of the site, compressed (gzip -9 of each text file, as a web server sends
  it; the JPEG picture as it is);
- page load to the splash shown, from the local server (median of fresh loads);
- "Launch!" to both graphs repainted and the page laid out again (median), for the default design
  and for the worst realistic design over nine earlier launches (which shows "Busy..." for a
  frame before it flies).

    /usr/bin/python3 bench/web_bench.py build-web/site [runs]
"""
import gzip
import os
import pathlib
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser import chromium, open_main_window, serve, wait_ready  # noqa: E402

# A 20 litre bottle at 7 atmospheres with a 30 mm nozzle, straight up, the parachute opening at
# the top (angle 0) with a 1 m diameter: about 111,000 recorded steps.
WORST = {0: "20", 1: "75.83", 2: "1136", 3: "7", 4: "30", 5: "50", 6: "6.074", 7: "90", 11: "0", 13: "1"}

LAUNCH_TO_REPAINT = """
    const [design, earlier, runs, done] = arguments;
    const p = window.zorbalPage;
    if (design) {
      for (const [i, text] of Object.entries(design)) p.act('input', 'txtInput_' + i, text);
      p.act('click', 'chkOptions_3', '1');
      p.act('click', 'optParachute_0');
    }
    for (let k = 0; k < earlier; ++k) p.act('click', 'cmdLaunch');
    const times = [];
    const next = (k) => {
      if (k === runs) { done(times); return; }
      const start = performance.now();
      // The handler, the mirroring, both paints and the page's new layout; a long launch first
      // shows "Busy..." for a frame.
      document.getElementById('cmdLaunch').click();
      (p.idle ? p.idle() : Promise.resolve()).then(() => {
        void document.body.offsetHeight;
        times.push(performance.now() - start);
        setTimeout(() => next(k + 1), 0);
      });
    };
    next(0);"""


def transfer_size(site):
    total = 0
    rows = []
    root = pathlib.Path(site)
    for f in sorted(f for f in root.rglob("*") if f.is_file()):
        # Pictures are sent as they are; text is compressed.
        data = f.read_bytes()
        size = len(data) if f.suffix in (".jpg", ".png") else len(gzip.compress(data, 9))
        rows.append((f.relative_to(root).as_posix(), f.stat().st_size, size))
        total += size
    return total, rows


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 9
    total, rows = transfer_size(site)
    for name, raw, packed in rows:
        print("  %-22s %8d bytes, %7d compressed" % (name, raw, packed))
    print("transfer, compressed: %.1f KB (target <= 400 KB)" % (total / 1024))

    with serve(site) as url, chromium() as driver:
        # Every visit starts the program afresh, without the lesson the page kept.
        driver.execute_cdp_cmd("Page.addScriptToEvaluateOnNewDocument", {
            "source": "try { localStorage.removeItem('zorbal.lesson'); } catch (error) {}"})
        loads = []
        for _ in range(runs):
            driver.get("about:blank")
            driver.get(url)
            wait_ready(driver)
            loads.append(driver.execute_script(
                "return Number(document.documentElement.dataset.splashShownAt)"))
        print("page load to splash: median %.0f ms (of %d; min %.0f, max %.0f; target <= 1000 ms)"
              % (statistics.median(loads), runs, min(loads), max(loads)))

        open_main_window(driver)
        times = driver.execute_async_script(LAUNCH_TO_REPAINT, None, 1, runs)
        print("Launch! to repaint, default design: median %.1f ms, fastest %.1f ms (target <= 16 ms)"
              % (statistics.median(times), min(times)))
        driver.get(url)
        open_main_window(driver)
        times = driver.execute_async_script(LAUNCH_TO_REPAINT, WORST, 9, runs)
        print("Launch! to repaint, worst design over nine earlier launches: median %.1f ms, fastest %.1f ms"
              " (target <= 150 ms)" % (statistics.median(times), min(times)))


if __name__ == "__main__":
    main()
