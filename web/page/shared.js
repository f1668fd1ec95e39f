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

  /** The relative luminance of 0xRRGGBB. */
  const luminance = (color) => [16, 8, 0].map((shift) => {
    const c = ((color >>> shift) & 255) / 255;
    return c <= 0.04045 ? c / 12.92 : Math.pow((c + 0.055) / 1.055, 2.4);
  }).reduce((sum, c, i) => sum + c * [0.2126, 0.7152, 0.0722][i], 0);
  const contrast = (a, b) => {
    const [light, dark] = [luminance(a), luminance(b)].sort((x, y) => y - x);
    return (light + 0.05) / (dark + 0.05);
  };
  const READABLE = 4.5;

  /** Text of colour `fore` on `back`, darkened just enough to be read (a contrast of 4.5:1):
   *  the window's pure red on its grey face becomes a deeper red of the same hue. */
  function readable(fore, back) {
    let color = fore >>> 0;
    if (luminance(color) > luminance(back)) return color;
    for (let k = 0.98; contrast(color, back) < READABLE && k > 0; k -= 0.02) {
      color = [16, 8, 0].reduce((sum, shift) => sum + (Math.floor(((fore >>> shift) & 255) * k) << shift), 0);
    }
    return color;
  }

  return {
    TWIPS_PER_PX,
    WIDTH_WITH_HELP: 15495, // the window's outer width, twips, with the help panel shown
    CLIENT_HEIGHT: 9990,

    px: (twips) => twips / TWIPS_PER_PX + 'px',
    css: (color) => '#' + (color >>> 0).toString(16).padStart(6, '0'),
    readable,
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
