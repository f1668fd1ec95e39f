// SPDX-License-Identifier: MIT
// Designs shared as links: "Copy Link" in the page's bar puts on the clipboard this page's address
// with the design in its fragment (which no server sees), and a page opened with such a link, or
// given one later in its address bar, loads that design as "Load" would and shows it.
//
// The module makes and reads the links (files/design_link.h, as zorbal-cli does). A link opened is
// a deliberate choice, so it wins over the kept lesson: the lesson is brought back first, and the
// link's design is then loaded into it as the lesson's next action, so the launches before it stay
// and a reload shows the lesson with the link's design. The fragment is then taken out of the
// address, so that a reload does not load the link again over the pupil's later work.
'use strict';

(function (Z) {
  const button = document.getElementById('cmdCopyLink');
  const mainWindow = document.getElementById('frmZorbal');

  /** Like "Start again", shown with the main window, whose design it shares. */
  const showButton = () => {
    button.hidden = mainWindow.hidden;
    if (Z.fit && Z.session) Z.fit();
  };
  new MutationObserver(showButton).observe(mainWindow, { attributes: true, attributeFilter: ['hidden'] });
  showButton();

  /** This page's address without its fragment: what a link opens. */
  const pageAddress = () => location.href.split('#')[0];

  button.addEventListener('click', () => Z.act('copylink', 'page', pageAddress()));

  /** Opens the design the address's fragment carries, if it carries one. Returns true when the
   *  fragment was a design link (opened, or refused with the program's message). */
  function openAddressLink() {
    if (!Z.session || !location.hash) return false;
    const outcome = Z.session.openLink(location.hash);
    if (outcome === 0) return false; // not ours: left alone
    try {
      history.replaceState(history.state, '', pageAddress());
    } catch (error) { /* an address that cannot be changed: a reload opens the link again */ }
    Z.keepLesson();
    Z.showEffects();
    return true;
  }

  // A link pasted into the address bar of the open page changes only the fragment.
  window.addEventListener('hashchange', () => Z.whenIdle(() => {
    if (!openAddressLink()) return;
    Z.refresh();
    Z.focusSelectedTab();
  }));

  Z.openAddressLink = openAddressLink;
})(Zorbal);
