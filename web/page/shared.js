// SPDX-License-Identifier: MIT
// The page of Zorbal's web edition. It builds one element per control of the window at the
// designed position, mirrors the window module's controls into them after every user action and
// sends the user's input through the module's own setters and handlers. Everything the program
// does happens in the module (zorbal.js); the page paints, shows messages, downloads files and
// talks to the clipboard.
//
// The page is plain scripts, loaded in order by index.html (modules are refused on file://), each
// filling this one namespace: the units, colours and views they share are here; the session and
// the module are set once the module has loaded (main.js).
'use strict';

window.Zorbal = (function () {
  const TWIPS_PER_PX = 15;

  return {
    TWIPS_PER_PX,
    WIDTH_WITH_HELP: 15495, // the window's outer width, twips, with the help panel shown
    CLIENT_HEIGHT: 9990,

    px: (twips) => twips / TWIPS_PER_PX + 'px',
    css: (color) => '#' + (color >>> 0).toString(16).padStart(6, '0'),
    shownText: (text) => text.replace(/\r\n/g, '\n'),

    /** The module's session and the module itself. */
    session: null,
    module: null,
    /** id -> {kind, el, ...}: the elements that mirror a control. */
    views: new Map(),
    /** The controls whose mouse movement is sent to the session. */
    moveIds: new Set(),
    /** The graphs' views in the form's order (the module's graph 0, 1) and the tab controls'. */
    graphs: [],
    tabViews: [],
  };
})();
