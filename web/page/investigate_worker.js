// SPDX-License-Identifier: MIT
// The Investigate window's background work: a dedicated worker with a module of its own that runs
// one job text at a time (investigate::runJob on its one thread) and answers with the result text.
// Messages in: {job: text}. Messages out: {ready: true} once its module has started; for a job,
// {progress: [done, total]} as the flights are flown, then {result: text}, or {error: why} when
// the text is not a job or the module fails. Cancelling is the page's: it terminates the worker
// and starts a fresh one for the next job.
/* eslint-env worker */
'use strict';

importScripts('../zorbal.js');

const ready = createZorbal();
ready.then(() => self.postMessage({ ready: true }), () => {});

self.onmessage = (event) => {
  const job = event.data && event.data.job;
  ready.then((module) => {
    let result = '';
    try {
      result = module.runInvestigateJob(String(job), (done, total) => {
        self.postMessage({ progress: [done, total] });
      });
    } catch (error) {
      self.postMessage({ error: `the job failed: ${error}` });
      return;
    }
    if (result === '') self.postMessage({ error: 'not a job text' });
    else self.postMessage({ result });
  }, (error) => self.postMessage({ error: `the worker's module did not start: ${error}` }));
};
