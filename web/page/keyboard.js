// SPDX-License-Identifier: MIT
// The window's keys: F5 presses "Launch!", Ctrl+PgDown and Ctrl+PgUp step through the tab pages,
// F1 shows the focused control's advice; in the tab strip the arrows, Home and End move between
// the tabs and Enter or Space selects one. F5 and Ctrl+R never reload the page.
'use strict';

(function (Z) {
  const { tabViews } = Z;

  /** F5 and Ctrl+R (Cmd+R): the browser's reload keys. */
  const isReloadKey = (event) =>
    event.key === 'F5' || ((event.ctrlKey || event.metaKey) && (event.key === 'r' || event.key === 'R'));

  function keyboard(event) {
    // A reload pressed by habit, or F5 meant for "Launch!" while a message box or the splash is
    // shown, reloads nothing.
    if (isReloadKey(event)) event.preventDefault();
    if (document.getElementById('frmZorbal').hidden || Z.isMessageOpen() || document.querySelector('dialog[open]')) return;
    if (event.key === 'F5') {
      const launch = document.getElementById('cmdLaunch');
      if (!launch.disabled) launch.click();
    } else if (event.key === 'F1') {
      // The advice the mouse moving over the control shows.
      event.preventDefault();
      const focused = document.activeElement;
      if (focused && focused.id && Z.moveIds.has(focused.id)) Z.act('move', focused.id);
    } else if (event.ctrlKey && (event.key === 'PageDown' || event.key === 'PageUp')) {
      // Ctrl+Tab belongs to the browser; Ctrl+PgDown and Ctrl+PgUp step through the pages.
      event.preventDefault();
      const tabs = tabViews[0];
      const count = tabs.headers.length;
      const current = tabs.headers.findIndex((header) => header.getAttribute('aria-selected') === 'true');
      const next = (current + (event.key === 'PageDown' ? 1 : count - 1)) % count;
      Z.act('click', tabs.headers[next].id);
      tabs.headers[next].focus();
    }
  }

  /** The arrows, Home and End move the focus along the tab strip; Enter and Space (the tab is a
   *  button) select the focused tab. */
  function tabStripKey(event, tabs) {
    if (event.ctrlKey || event.altKey || event.metaKey) return;
    const count = tabs.headers.length;
    const current = tabs.headers.indexOf(document.activeElement);
    if (current < 0) return;
    const next = { ArrowRight: (current + 1) % count, ArrowLeft: (current + count - 1) % count,
      Home: 0, End: count - 1 }[event.key];
    if (next === undefined) return;
    event.preventDefault();
    tabs.headers[next].focus();
  }

  Z.keyboard = keyboard;
  Z.tabStripKey = tabStripKey;
})(Zorbal);
