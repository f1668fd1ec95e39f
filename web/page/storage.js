// SPDX-License-Identifier: MIT
// The lesson kept in the browser's storage, so that a reload, a crash or a closed tab loses
// nothing: after every action that changed it, the session's journal (the user's actions so far)
// is written to localStorage, and a new page replays it before it shows anything. "Start again"
// in the page's bar throws the kept lesson away, once the user has said so.
//
// Storage that is turned off, refused or full is said once, in plain words; the page then goes on
// without keeping. A kept lesson this page cannot restore (another journal format, damaged, or
// not coming out the same) is said once too, and the page starts a fresh lesson.
'use strict';

(function (Z) {
  const KEY = 'zorbal.lesson';

  const NOT_KEPT =
    'This browser does not let Zorbal keep the lesson (its storage is turned off, full or not allowed ' +
    'for this page), so a reload or a closed tab will lose the launches and the design.\n\n' +
    'Everything else works as before.';
  const NOT_RESTORED = {
    1: 'The lesson kept in this browser was kept by another version of Zorbal, which this one cannot read.',
    2: 'The lesson kept in this browser is damaged and cannot be brought back.',
    3: 'The lesson kept in this browser does not come out the same in this version of Zorbal.',
  };
  const FRESH = '\n\nZorbal starts a fresh lesson.';
  const ASK_START_AGAIN =
    'Start again with a fresh lesson?\n\nThe launch history, the graphs and the design of this lesson ' +
    'will be thrown away.';

  let storage = null; // localStorage while keeping works
  let keptRevision = 0; // the journal revision written last (0: nothing to keep yet)
  let isDiscarding = false; // "Start again" is reloading the page: nothing is kept any more
  let hasReported = false;

  function reportNotKept() {
    storage = null;
    if (hasReported) return;
    hasReported = true;
    Z.tell(NOT_KEPT);
  }

  /** The kept journal, or null when there is none or the storage cannot be read. */
  function readKept() {
    try {
      storage = window.localStorage;
      return storage.getItem(KEY);
    } catch (error) {
      reportNotKept();
      return null;
    }
  }

  function removeKept() {
    try {
      if (storage) storage.removeItem(KEY);
    } catch (error) {
      reportNotKept();
    }
  }

  /** A session of the module, with the kept lesson replayed into it when there is one. */
  function startSession(module) {
    const kept = readKept();
    let session = new module.Session();
    if (kept === null) return session;
    let outcome;
    try {
      outcome = session.restore(kept);
    } catch (error) {
      outcome = 2; // the replay itself failed: as damaged
    }
    if (outcome === 0) {
      keptRevision = session.journalRevision();
      return session;
    }
    try { session.delete(); } catch (error) { /* a session the failed replay broke */ }
    session = new module.Session();
    removeKept();
    Z.tell((NOT_RESTORED[outcome] || NOT_RESTORED[2]) + FRESH);
    return session;
  }

  let isWritePending = false;

  /** Writes the journal once the actions running now have run, when they changed it: before
   *  the browser does anything else, so a crash after them cannot lose them. */
  function keepLesson() {
    if (!storage || isDiscarding || isWritePending) return;
    isWritePending = true;
    queueMicrotask(writeKept);
  }

  function writeKept() {
    isWritePending = false;
    if (!storage || isDiscarding || !Z.session) return;
    let text;
    try {
      const revision = Z.session.journalRevision();
      if (revision === keptRevision) return;
      text = Z.session.journal();
      keptRevision = revision;
    } catch (error) {
      return; // a module an action brought down: what was kept before it stays
    }
    try {
      storage.setItem(KEY, text);
    } catch (error) {
      // A lesson kept from before this action would come back behind what the user saw.
      try { storage.removeItem(KEY); } catch (ignored) { /* storage gone altogether */ }
      reportNotKept();
    }
  }

  // ---- "Start again" ---------------------------------------------------------------------------

  const startButton = document.getElementById('cmdStartAgain');
  const ask = document.getElementById('askBox');
  const mainWindow = document.getElementById('frmZorbal');

  /** "Start again" is shown with the main window: on the splash there is no lesson yet. The
   *  page's bar it stands in then takes other room, so the windows are fitted again. */
  const showStartAgain = () => {
    startButton.hidden = mainWindow.hidden;
    if (Z.fit && Z.session) Z.fit();
  };
  new MutationObserver(showStartAgain).observe(mainWindow, { attributes: true, attributeFilter: ['hidden'] });
  showStartAgain();

  function askStartAgain() {
    if (ask.open || Z.isMessageOpen()) return;
    document.getElementById('askBoxText').textContent = ASK_START_AGAIN;
    ask.showModal();
    document.getElementById('askBoxNo').focus();
  }

  function startAgain() {
    ask.close();
    isDiscarding = true;
    removeKept();
    location.reload();
  }

  document.getElementById('cmdStartAgain').addEventListener('click', askStartAgain);
  document.getElementById('askBoxYes').addEventListener('click', startAgain);
  document.getElementById('askBoxNo').addEventListener('click', () => ask.close());
  // Escape closes the question as Cancel does; the focus goes back to the button it came from.
  ask.addEventListener('close', () => { if (!isDiscarding) document.getElementById('cmdStartAgain').focus(); });

  Z.startSession = startSession;
  Z.keepLesson = keepLesson;
})(Zorbal);
