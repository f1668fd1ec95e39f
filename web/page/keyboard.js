// SPDX-License-Identifier: MIT
// The window's keys: F5 presses "Launch!", Ctrl+PgDown and Ctrl+PgUp step through the tab pages;
// F5 and Ctrl+R never reload the page.
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

  Z.keyboard = keyboard;
})(Zorbal);
