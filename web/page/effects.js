// SPDX-License-Identifier: MIT
// What an action leaves for the page to do, and the actions themselves: message boxes in turn,
// downloads, the clipboard, the user's actions sent to the session in order (a long launch shown
// busy for a frame first) and the file picker that answers "Load".
'use strict';

(function (Z) {
  const { shownText } = Z;

  const messageQueue = [];
  const afterQueue = [];
  let messageOpen = false;

  function afterMessages(action) {
    if (!messageOpen && messageQueue.length === 0) action();
    else afterQueue.push(action);
  }

  /** What had the focus when the message box opened; it has it again once the box is closed. */
  let focusBefore = null;

  function showNextMessage() {
    const dialog = document.getElementById('msgBox');
    if (messageQueue.length === 0) {
      messageOpen = false;
      if (focusBefore && focusBefore.isConnected && focusBefore !== document.body) focusBefore.focus();
      Z.keepFocus(focusBefore);
      focusBefore = null;
      while (afterQueue.length && !messageOpen) afterQueue.shift()();
      return;
    }
    messageOpen = true;
    document.getElementById('msgBoxText').textContent = shownText(messageQueue.shift());
    if (!dialog.open) {
      focusBefore = document.activeElement;
      dialog.showModal();
    }
    document.getElementById('msgBoxOK').focus();
  }

  // The focus stays in the message box until it is answered: its one button keeps it.
  document.getElementById('msgBox').addEventListener('keydown', (event) => {
    if (event.key !== 'Tab') return;
    event.preventDefault();
    document.getElementById('msgBoxOK').focus();
  });

  function closeMessage() {
    const dialog = document.getElementById('msgBox');
    if (messageQueue.length === 0 && dialog.open) dialog.close();
    showNextMessage();
  }

  /** Downloads `bytes` (or a Blob) as the file `name`. */
  function download(name, bytes) {
    const blob = bytes instanceof Blob ? bytes : new Blob([bytes], { type: name.endsWith('.csv') ? 'text/csv' : 'text/plain' });
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  /** The effects the last action left, copied out of the module. */
  function takeEffects() {
    const list = [];
    for (let i = 0, n = Z.session.effectCount(); i < n; ++i) {
      const kind = Z.session.effectKind(i);
      if (kind === 1) list.push({ kind, name: Z.session.effectName(i), bytes: Z.session.effectBytes(i).slice() });
      else if (kind === 3) {
        list.push({ kind, text: Z.session.effectText(i), name: Z.session.effectName(i),
          width: Z.session.effectWidth(i), height: Z.session.effectHeight(i) });
      } else list.push({ kind, text: Z.session.effectText(i) });
    }
    Z.session.clearEffects();
    return list;
  }

  // Inside a frame of another page (a learning platform's), that page may forbid the clipboard and
  // downloads; the browser then refuses the clipboard, and drops a download without a word.
  const isFramed = (() => {
    try {
      return window.self !== window.top;
    } catch (error) {
      return true;
    }
  })();
  const FRAMED_CLIPBOARD =
    'Zorbal is shown inside another page, which does not let it use the clipboard. ' +
    'To copy, open Zorbal in a tab of its own.';
  const FRAMED_DOWNLOAD =
    'Zorbal is shown inside another page. If the file does not arrive in your downloads, that page ' +
    'does not let Zorbal save files: open Zorbal in a tab of its own to save them.';
  let hasToldDownloads = false;

  let pendingEffects = 0;
  let effectChain = Promise.resolve();

  /** Carries out an action's effects in the order of the actions: the clipboard first (when the
   *  browser refuses it, the action runs again with a refusing clipboard, so that the program
   *  shows its own message), then its downloads and messages. */
  function schedule(effects, action) {
    const texts = effects.filter((e) => e.kind === 2).map((e) => e.text);
    if (texts.length === 0 && pendingEffects === 0) { deliver(effects); return; }
    ++pendingEffects;
    effectChain = effectChain
      .then(() => texts.length === 0 ? effects : writeClipboard(texts).then(() => effects, () => {
        Z.session.setClipboardRefusing(true);
        try { Z.session.act(action[0], action[1], action[2]); } finally { Z.session.setClipboardRefusing(false); }
        Z.refresh();
        const list = takeEffects();
        if (isFramed) list.push({ kind: 0, text: FRAMED_CLIPBOARD });
        return list;
      }))
      .then((list) => { --pendingEffects; deliver(list); });
  }

  function writeClipboard(texts) {
    if (!navigator.clipboard || !navigator.clipboard.writeText) return Promise.reject(new Error('no clipboard'));
    return texts.reduce((done, text) => done.then(() => navigator.clipboard.writeText(text)), Promise.resolve());
  }

  function deliver(effects) {
    for (const e of effects) {
      if (e.kind === 0) messageQueue.push(e.text);
      else if (e.kind === 1) download(e.name, e.bytes);
      else if (e.kind === 3) Z.investigatePicture(e); // a picture the page paints (investigate.js)
    }
    if (isFramed && !hasToldDownloads && effects.some((e) => e.kind === 1 || e.kind === 3)) {
      hasToldDownloads = true;
      messageQueue.push(FRAMED_DOWNLOAD);
    }
    if (!messageOpen) showNextMessage();
  }

  // ---- user actions ---------------------------------------------------------------------------

  /** Runs a user action in the module, then shows its result. Returns the validation's cancel.
   *  While a long launch waits for its "Busy..." to be shown, actions wait for the launch. */
  function act(event, id, value, show) {
    if (!Z.session) return false;
    if (waiting !== null) {
      if (event !== 'move') waiting.push(() => act(event, id, value, show));
      return false;
    }
    const text = value === undefined ? '' : String(value);
    const focused = document.activeElement;
    const cancel = Z.session.act(event, id, text);
    Z.keepLesson();
    if (show !== false || Z.session.effectCount() > 0) Z.refresh();
    Z.keepFocus(focused);
    if (Z.session.effectCount() > 0) schedule(takeEffects(), [event, id, text]);
    return cancel;
  }

  /** Runs `action` now, or after the launch that is waiting to run. */
  function whenIdle(action) {
    if (waiting === null) action();
    else waiting.push(action);
  }

  // A launch that draws about this many dots again takes long enough to show its "Busy..." first.
  const LONG_LAUNCH_POINTS = 100000;
  let waiting = null; // the actions that came while a launch waits for the next frame

  const picker = document.getElementById('filePicker');
  function clickButton(id) {
    if (id === 'cmdLoad') {
      // The open dialog is answered before the handler runs: the picker first.
      picker.value = '';
      picker.click();
      return;
    }
    if ((id === 'cmdLaunch' || id === 'cmdLaunch2') && waiting === null &&
        Z.session.graphPoints() >= LONG_LAUNCH_POINTS && Z.session.act('press', id, '')) {
      // A browser shows nothing a handler does until it returns: the launch's first state is put
      // on the screen, and the launch runs once the page has been painted with it.
      const focused = document.activeElement;
      Z.refresh();
      waiting = [];
      requestAnimationFrame(() => setTimeout(() => {
        const after = waiting;
        waiting = null;
        act('click', id);
        Z.keepFocus(focused);
        for (const action of after) action();
      }, 0));
      return;
    }
    act('click', id);
  }
  picker.addEventListener('change', () => {
    const file = picker.files && picker.files[0];
    if (!file) return;
    file.arrayBuffer().then((buffer) => {
      Z.session.pickFile(file.name, new Uint8Array(buffer));
      act('click', 'cmdLoad');
    });
  });

  /** Carries out the effects of what the page ran in the session itself (not a user's action). */
  Z.showEffects = () => {
    if (Z.session.effectCount() > 0) schedule(takeEffects(), ['', '', '']);
  };
  /** Shows a message of the page itself in the program's message box, after those queued. */
  Z.tell = (text) => deliver([{ kind: 0, text }]);
  Z.afterMessages = afterMessages;
  Z.download = download;
  Z.isMessageOpen = () => messageOpen;
  Z.closeMessage = closeMessage;
  Z.act = act;
  Z.whenIdle = whenIdle;
  Z.clickButton = clickButton;
})(Zorbal);
