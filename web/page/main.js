// SPDX-License-Identifier: MIT
// Starts the page once the module has loaded: makes the session (with the kept lesson replayed),
// builds the window from its form, opens the design of the link the page was opened with, shows
// the splash window (or the main window of the lesson as it was left, or of the link) and registers the service worker that keeps a visited page offline.
'use strict';

(function (Z) {
  const { px, views, graphs, CLIENT_HEIGHT, WIDTH_WITH_HELP } = Z;

  /** The splash window, as a fresh program opens. */
  function showSplash() {
    document.getElementById('frmSplash').hidden = false;
    // After the page's own message, if it has one (a kept lesson it could not bring back).
    Z.afterMessages(() => document.getElementById('cmdOK').focus());
    // Shown once its picture is on the screen.
    const picture = document.getElementById('Image1');
    const shown = () => requestAnimationFrame(() => {
      document.documentElement.dataset.splashShownAt = String(performance.now());
      document.documentElement.dataset.ready = 'splash';
    });
    (picture.decode ? picture.decode() : Promise.resolve()).then(shown, shown);
  }

  /** The focus on the selected tab, once the messages are answered. */
  function focusSelectedTab() {
    const tabs = Z.tabViews[0];
    const selected = tabs.headers.find((header) => header.getAttribute('aria-selected') === 'true');
    if (selected) Z.afterMessages(() => selected.focus());
  }

  /** The main window of a lesson brought back, as it was left, or opened by a link. */
  function showRestored() {
    focusSelectedTab();
    requestAnimationFrame(() => { document.documentElement.dataset.ready = 'window'; });
  }

  function start(module) {
    // The kept lesson, if any, is replayed before anything is shown.
    const session = Z.startSession(module);
    Z.module = module;
    Z.session = session;
    const root = document.getElementById('frmZorbal');
    root.style.height = px(CLIENT_HEIGHT);
    views.set('frmZorbal', { kind: 'window', el: root });
    views.set('accessible', { kind: 'accessible', el: document.getElementById('announcer'), announced: 0 });
    Z.buildWindow(root, JSON.parse(session.form()));
    Z.buildSplash(JSON.parse(session.splashForm()));
    Z.startFitting();
    document.getElementById('msgBoxOK').addEventListener('click', Z.closeMessage);
    document.getElementById('msgBox').addEventListener('cancel', (event) => { event.preventDefault(); Z.closeMessage(); });
    document.addEventListener('keydown', Z.keyboard);
    window.addEventListener('resize', () => { for (const view of graphs) Z.paintGraph(view); });
    Z.showWidth(WIDTH_WITH_HELP);
    Z.openAddressLink(); // after the kept lesson: a link opened wins over its design
    Z.refresh(); // a lesson brought back or a link opened shows its main window, at its width
    if (document.getElementById('frmZorbal').hidden) showSplash();
    else showRestored();
    // idle(): a promise kept once no launch is waiting to run.
    const idle = () => new Promise((resolve) => Z.whenIdle(resolve));
    window.zorbalPage = { session, module, act: Z.act, refresh: Z.refresh, views, idle };
  }

  Z.focusSelectedTab = focusSelectedTab;
  createZorbal().then(start);

  if ('serviceWorker' in navigator && (location.protocol === 'https:' || location.protocol === 'http:')) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})(Zorbal);
