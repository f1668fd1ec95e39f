// SPDX-License-Identifier: MIT
// The page's side of the Investigate window's background work. Zorbal.jobs.run(jobText,
// onProgress) sends a job text (investigate::jobText) to a dedicated worker
// (investigate_worker.js, a module of its own) and keeps a promise of the result text; the page
// stays answering input while the flights are flown. onProgress(done, total) is called as they
// are. Zorbal.jobs.cancel() terminates the worker, rejecting the running job's promise with an
// error named 'AbortError'; the next job starts a fresh worker.
//
// Where no worker can be made (Chromium refuses a worker to a page opened from file://), the job
// runs in the page's own module on the main thread, which then does not answer input until it
// ends: Zorbal.jobs.where() says 'page' instead of 'worker', and onFallback(reason), when set, is
// told once.
'use strict';

(function (Z) {
  const WORKER_URL = 'page/investigate_worker.js';

  let worker = null;
  let running = null; // {resolve, reject, onProgress} of the job in the worker
  let where = 'worker';
  let told = false;

  function cancelledError() {
    const error = new Error('The job was cancelled');
    error.name = 'AbortError';
    return error;
  }

  function fallBack(reason) {
    where = 'page';
    worker = null;
    if (!told) {
      told = true;
      if (jobs.onFallback) jobs.onFallback(reason);
    }
  }

  /** The worker, made on first use; null when the browser refuses one. */
  function theWorker() {
    if (worker || where === 'page') return worker;
    let w = null;
    try {
      w = new Worker(WORKER_URL);
    } catch (error) {
      fallBack(String(error));
      return null;
    }
    worker = w;
    let isReady = false; // its module has started
    // A terminated worker's messages still queued belong to no job.
    w.onmessage = (event) => {
      const message = event.data;
      if (message.ready) isReady = true;
      const job = running;
      if (w !== worker || !job || message.ready) return;
      if (message.progress) {
        if (job.onProgress) job.onProgress(message.progress[0], message.progress[1]);
        return;
      }
      running = null;
      if (typeof message.result === 'string') job.resolve(message.result);
      else job.reject(new Error(message.error || 'the job failed'));
    };
    w.onerror = (event) => {
      event.preventDefault();
      if (w !== worker) return;
      const job = running;
      running = null;
      w.terminate();
      worker = null;
      if (isReady) {
        // A worker that failed in a job: the job fails, and is not tried again in the page.
        if (job) job.reject(new Error(`the job failed: ${event.message}`));
        return;
      }
      // The script or its module could not be loaded: the job goes to the page's module.
      fallBack(event.message || 'the worker could not start');
      if (job) runInPage(job.jobText, job.onProgress).then(job.resolve, job.reject);
    };
    return w;
  }

  /** The job on the main thread in the page's own module, a task later (so the page has painted
   *  what it showed before it); cancelling before that task drops it. */
  function runInPage(jobText, onProgress) {
    return new Promise((resolve, reject) => {
      const job = { resolve, reject, onProgress, jobText, timer: 0 };
      job.timer = setTimeout(() => {
        if (running === job) running = null;
        let result = '';
        try {
          result = Z.module.runInvestigateJob(jobText, (done, total) => { if (onProgress) onProgress(done, total); });
        } catch (error) {
          reject(new Error(`the job failed: ${error}`));
          return;
        }
        if (result === '') reject(new Error('not a job text'));
        else resolve(result);
      }, 0);
      running = job;
    });
  }

  /** Runs one job; a job still running is cancelled first. */
  function run(jobText, onProgress) {
    cancel();
    const w = theWorker();
    if (!w) return runInPage(jobText, onProgress);
    return new Promise((resolve, reject) => {
      running = { resolve, reject, onProgress, jobText };
      w.postMessage({ job: jobText });
    });
  }

  /** Stops the running job, if any: its promise is rejected with an 'AbortError'. */
  function cancel() {
    if (!running) return;
    const job = running;
    running = null;
    clearTimeout(job.timer);
    if (worker) worker.terminate();
    worker = null;
    job.reject(cancelledError());
  }

  /** Starts the worker ahead of the first job, so its module is ready when the job comes. */
  function prepare() {
    theWorker();
  }

  const jobs = { run, cancel, prepare, where: () => where, isRunning: () => running !== null, onFallback: null };
  Z.jobs = jobs;
})(Zorbal);
