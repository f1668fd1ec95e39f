# SPDX-License-Identifier: MIT
"""The Investigate window's background work on the page, in headless Chromium over http: a sweep
of 100 x 100 designs (pressure and launch angle) sent through Zorbal.jobs.run to the page's worker,
timed from the call to the result text, while the page's main thread is watched: the longest gap
between two setTimeout(0) tasks and between two animation frames during the run. The first run
starts the worker (its module is compiled); the later ones find it ready. Then the same size of
map through the Investigate window as a user runs it: from the click on "Run" to "Done" in its
status, with the window's progress shown and the map painted, the main thread watched the same way.

    /usr/bin/python3 bench/page_investigate_bench.py build-web/site [runs]

Targets: the sweep within 4 s, no gap in the main thread longer than 100 ms. Run by hand; it is
not part of the test command.
"""
import json
import os
import statistics
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "tests", "web"))
from browser import chromium, serve, wait_ready  # noqa: E402

HERE = os.path.dirname(os.path.abspath(__file__))
with open(os.path.join(HERE, "..", "tests", "data", "jobs", "sweep_pressure_angle.job.json"), encoding="ascii") as f:
    JOB = json.loads(f.read())
# 100 pressures from 2.05 to 7 atmospheres, 100 launch angles from 10.8 to 90 degrees.
JOB["axes"] = ["3=2.05:7:0.05", "8=10.8:90:0.8"]
JOB_TEXT = json.dumps(JOB, separators=(",", ":"))

RUN_AND_WATCH = """
    const [jobText, done] = arguments;
    let watching = true;
    let lastTask = performance.now(), longestTask = 0, tasks = 0;
    const task = () => {
      const now = performance.now();
      longestTask = Math.max(longestTask, now - lastTask);
      lastTask = now;
      ++tasks;
      if (watching) setTimeout(task, 0);
    };
    let lastFrame = null, longestFrame = 0, frames = 0;
    const frame = (now) => {
      if (lastFrame !== null) longestFrame = Math.max(longestFrame, now - lastFrame);
      lastFrame = now;
      ++frames;
      if (watching) requestAnimationFrame(frame);
    };
    setTimeout(task, 0);
    requestAnimationFrame(frame);
    let progress = 0;
    const start = performance.now();
    Zorbal.jobs.run(jobText, () => { ++progress; }).then((result) => {
      const ms = performance.now() - start;
      watching = false;
      done({ms, longestTask, tasks, longestFrame, frames, progress, where: Zorbal.jobs.where(),
            rows: (result.match(/"flown"/g) || []).length, bytes: result.length});
    }, (error) => { watching = false; done({error: String(error)}); });"""


WINDOW_RUN = """
    const [done] = arguments;
    let watching = true;
    let lastTask = performance.now(), longestTask = 0;
    const task = () => {
      const now = performance.now();
      longestTask = Math.max(longestTask, now - lastTask);
      lastTask = now;
      if (watching) setTimeout(task, 0);
    };
    let lastFrame = null, longestFrame = 0;
    const frame = (now) => {
      if (lastFrame !== null) longestFrame = Math.max(longestFrame, now - lastFrame);
      lastFrame = now;
      if (watching) requestAnimationFrame(frame);
    };
    setTimeout(task, 0);
    requestAnimationFrame(frame);
    const status = document.getElementById('lblStatus');
    const start = performance.now();
    document.getElementById('cmdVaryRun').click();
    const check = () => {
      if (!status.textContent.startsWith('Done')) { setTimeout(check, 2); return; }
      // Until the map is on the screen.
      requestAnimationFrame(() => {
        watching = false;
        done({ms: performance.now() - start, longestTask, longestFrame, status: status.textContent});
      });
    };
    check();"""


def window_runs(d, runs):
    """The 100 x 100 map of pressure and launch angle through the Investigate window."""
    from browser import By, open_main_window
    from selenium.webdriver.support.ui import Select
    open_main_window(d)
    d.find_element(By.ID, "cmdInvestigate").click()
    Select(d.find_element(By.ID, "cboVary_1")).select_by_visible_text("Launch Angle (degrees)")
    for box in ("txtSteps_0", "txtSteps_1"):
        el = d.find_element(By.ID, box)
        el.clear()
        el.send_keys("100")
    return [d.execute_async_script(WINDOW_RUN) for _ in range(runs)]


def main():
    site = sys.argv[1]
    runs = int(sys.argv[2]) if len(sys.argv) > 2 else 3
    with serve(site) as url, chromium(fresh=True) as d:
        d.set_script_timeout(300)
        d.get(url)
        wait_ready(d)
        results = [d.execute_async_script(RUN_AND_WATCH, JOB_TEXT) for _ in range(runs)]
        # The same job in the page's own module, as a page opened from file:// runs it: the main
        # thread answers nothing meanwhile.
        on_page = d.execute_script("""
            const start = performance.now();
            window.zorbalPage.module.runInvestigateJob(arguments[0], undefined);
            return performance.now() - start;""", JOB_TEXT)
        in_window = window_runs(d, runs)
    for k, r in enumerate(results):
        if "error" in r:
            print("run %d failed: %s" % (k, r["error"]))
            sys.exit(1)
        print("run %d%s: %.0f ms in the %s, %d landed rows, result %d bytes, %d progress calls; "
              "main thread: longest task gap %.1f ms (%d tasks), longest frame gap %.1f ms (%d frames)"
              % (k, " (starts the worker)" if k == 0 else "", r["ms"], r["where"], r["rows"], r["bytes"],
                 r["progress"], r["longestTask"], r["tasks"], r["longestFrame"], r["frames"]))
    warm = [r["ms"] for r in results[1:]] or [results[0]["ms"]]
    print("sweep of 10,000 designs: first %.0f ms, then median %.0f ms; longest main-thread gap %.1f ms"
          % (results[0]["ms"], statistics.median(warm), max(max(r["longestTask"], r["longestFrame"]) for r in results)))
    print("the same sweep on the page's main thread (no worker): %.0f ms without a task or a frame" % on_page)
    for k, r in enumerate(in_window):
        print("in the Investigate window, run %d: %.0f ms from the click to the map shown (%s); main thread: "
              "longest task gap %.1f ms, longest frame gap %.1f ms"
              % (k, r["ms"], r["status"], r["longestTask"], r["longestFrame"]))


if __name__ == "__main__":
    main()
