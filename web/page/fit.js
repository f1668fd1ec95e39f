// SPDX-License-Identifier: MIT
// The windows scaled to the screen: the main window and the splash window keep their designed
// layout in CSS pixels and are zoomed as a whole (CSS zoom, so text and borders are laid out
// again at the scale and stay sharp) to the largest size that fits the viewport below the page
// bar. Below the designed size the scale fits exactly; above it the window grows only in quarter
// steps, so a browser window a little larger than the window shows it pixel for pixel as
// designed. The graphs' canvases are painted at the device's real pixels for the scale
// (pixelRatio). Pinch-zoom is the browser's own and changes nothing here.
'use strict';

(function (Z) {
  const { TWIPS_PER_PX, CLIENT_HEIGHT, WIDTH_WITH_HELP } = Z;
  const FRAME_TWIPS = 60; // outer width minus the client area, twips
  const BORDER_PX = 2; // the window's border, both sides
  const GAP_PX = 8; // the grey above and below the window
  const BAR_GAP_PX = 12; // between the buttons of the page's bar (look.css)
  const STEP = 0.25; // the steps a window grows in above its designed size
  // Below this the window's 11 px text is under 6.6 CSS px, about a millimetre high on a phone:
  // hard to read without pinching. A phone held sideways reaches about this scale, so the page
  // asks for it when the viewport stands upright and turning it would show the window larger.
  const READABLE_SCALE = 0.6;

  /** The scale at which a window of `width` x `height` CSS px with its border fits the room.
   *  A zoomed border stays at least one CSS pixel wide, so the room is shared out without it
   *  below the designed size; the scale is cut to four decimals, which is what the zoom keeps. */
  function fitScale(width, height, fullWidth, fullHeight) {
    // Half a pixel short of the room: the zoomed layout rounds to fractions of a pixel, and a
    // window a fraction too large would bring scroll bars that make the room smaller again.
    const roomWidth = fullWidth - 0.5, roomHeight = fullHeight - 0.5;
    const fit = Math.min((roomWidth - BORDER_PX) / (width - BORDER_PX), (roomHeight - BORDER_PX) / (height - BORDER_PX),
      roomWidth / width, roomHeight / height);
    if (fit < 1) return Math.max(0.05, Math.floor(fit * 1e4) / 1e4);
    return Math.floor(fit / STEP + 1e-9) * STEP;
  }

  let mainScale = 1;
  let lastRoom = null;
  let repaintTimer = 0;

  /** A text box or area has the focus: an on-screen keyboard may be what took the height. */
  function typing() {
    const el = document.activeElement;
    return !!el && (el.tagName === 'TEXTAREA' || (el.tagName === 'INPUT' && el.type === 'text'));
  }

  function zoom(el, scale) {
    const text = String(scale);
    if (el.style.zoom !== text) el.style.zoom = text;
  }

  /** The window's left edge that centres it, moved left as far as needed for the bar beside it. */
  function leftEdge(roomWidth, shownWidth, aside) {
    return Math.max(0, Math.min((roomWidth - shownWidth) / 2, roomWidth - shownWidth - aside));
  }

  /** Zooms both windows to the viewport, the main one for its present width, and places the bar:
   *  beside the window, top right, where there is room for it; otherwise above the window, with
   *  the note when the viewport stands upright and the window would be shown too small. */
  function fit() {
    const main = document.getElementById('frmZorbal');
    const splash = document.getElementById('frmSplash');
    const bar = document.getElementById('pageBar');
    const noteEl = document.getElementById('fitNote');
    const root = document.documentElement;
    let r = { width: root.clientWidth, height: root.clientHeight };
    // An on-screen keyboard that takes part of the height while a box is edited leaves the
    // window as it was: shrinking it would move the box away from under the finger.
    if (lastRoom && typing() && r.width === lastRoom.width && r.height < lastRoom.height) r = lastRoom;
    lastRoom = r;
    const widest = (WIDTH_WITH_HELP - FRAME_TWIPS) / TWIPS_PER_PX + BORDER_PX;
    const width = main.style.width ? parseFloat(main.style.width) + BORDER_PX : widest;
    const height = CLIENT_HEIGHT / TWIPS_PER_PX + BORDER_PX;
    const free = r.height - 2 * GAP_PX;
    // The largest the window can be, with the whole height for it.
    const best = fitScale(width, height, r.width, free);
    const turned = fitScale(width, height, r.height, r.width - 2 * GAP_PX);
    const showNote = best < READABLE_SCALE && r.height > r.width && turned > best;
    // The room the bar's buttons take beside the window (a hidden one takes none).
    let aside = 2 * GAP_PX - BAR_GAP_PX;
    for (const button of bar.querySelectorAll('button')) {
      if (!button.hidden) aside += button.getBoundingClientRect().width + BAR_GAP_PX;
    }
    const beside = !showNote && r.width - widest * best >= aside;
    noteEl.hidden = !showNote;
    bar.classList.toggle('beside', beside);
    const scale = beside ? best : fitScale(width, height, r.width, free - bar.getBoundingClientRect().height);
    zoom(main, scale);
    // The window keeps its left edge while the help panel opens and closes: it is placed for its
    // width with the panel shown, at the scale it has now (its margins are zoomed with it).
    const left = leftEdge(r.width, widest * scale, beside ? aside : 0);
    main.style.margin = GAP_PX / scale + 'px 0 ' + GAP_PX / scale + 'px ' + left / scale + 'px';
    if (splash.style.width) {
      const splashWidth = parseFloat(splash.style.width) + BORDER_PX;
      const splashScale = fitScale(splashWidth, parseFloat(splash.style.height) + BORDER_PX,
        r.width - (beside ? 2 * aside : 0), beside ? free : free - bar.getBoundingClientRect().height);
      zoom(splash, splashScale);
      splash.style.margin = GAP_PX / splashScale + 'px 0 0 ' + (r.width - splashWidth * splashScale) / 2 / splashScale + 'px';
    }
    if (scale !== mainScale) {
      mainScale = scale;
      // The canvases are painted again for the new scale once it stops changing (the help
      // panel's animation changes it in every frame while the window is narrower than the screen).
      clearTimeout(repaintTimer);
      repaintTimer = setTimeout(() => { for (const view of Z.graphs) Z.paintGraph(view); }, 120);
    }
  }

  /** The device pixels for one CSS pixel of the main window: what its canvases are painted at. */
  function pixelRatio() {
    return (window.devicePixelRatio || 1) * mainScale;
  }

  function startFitting() {
    window.addEventListener('resize', fit);
    window.addEventListener('orientationchange', fit);
    fit();
  }

  Z.fit = fit;
  Z.fitScale = fitScale;
  Z.pixelRatio = pixelRatio;
  Z.startFitting = startFitting;
  Z.scale = () => mainScale;
})(Zorbal);
