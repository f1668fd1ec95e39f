// SPDX-License-Identifier: MIT
// The page's two looks: the window as designed, and a high-contrast look in which every text
// stands out from what is behind it by 7:1 or more. The high-contrast look is chosen by the
// switch above the window, remembered in the browser's storage; until the user chooses, it
// follows the system's wish for more contrast or forced colours. The colours the module gives
// controls (their BackColor and ForeColor) reach the elements through tint(), which keeps the
// designed colour on the element and shows it mapped for the look.
'use strict';

(function (Z) {
  const { css } = Z;
  const FACE = 0xf0f0f0; // the designed window grey
  const CONTRAST_FACE = 0xffffff;
  const TEXT_CONTRAST = 7;
  const READABLE = 4.5;
  const STORAGE_KEY = 'zorbal.look';
  const SYSTEM_QUERY = '(prefers-contrast: more), (forced-colors: active)';

  function luminance(rgb) {
    const channel = (c) => {
      const v = c / 255;
      return v <= 0.03928 ? v / 12.92 : Math.pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel((rgb >> 16) & 255) + 0.7152 * channel((rgb >> 8) & 255) + 0.0722 * channel(rgb & 255);
  }

  /** The contrast ratio of two 0xRRGGBB colours, from 1 to 21. */
  function contrast(a, b) {
    const la = luminance(a), lb = luminance(b);
    return (Math.max(la, lb) + 0.05) / (Math.min(la, lb) + 0.05);
  }

  /** `fore` moved towards black (on a light back) or white (on a dark one) in steps until it
   *  stands out from `back` by `ratio` (by default the 4.5:1 small text needs in either look: the
   *  window's pure red on its grey face becomes a deeper red); its hue stays. */
  function readable(fore, back, ratio = READABLE) {
    const target = luminance(back) > 0.18 ? 0x000000 : 0xffffff;
    let shown = fore;
    for (let step = 1; step <= 32 && contrast(shown, back) < ratio; ++step) {
      const mix = (shift) => {
        const f = (fore >> shift) & 255, t = (target >> shift) & 255;
        return Math.round(f + (t - f) * step / 32) << shift;
      };
      shown = mix(16) | mix(8) | mix(0);
    }
    return shown;
  }

  let high = false;

  /** The colour shown for a control's designed back colour in the present look. */
  function shownBack(rgb) {
    return high && rgb === FACE ? CONTRAST_FACE : rgb;
  }

  function designed(el, part) {
    const value = el.dataset[part];
    return value === undefined ? null : Number(value);
  }

  /** Shows the element's designed colours in the present look. */
  function paint(el) {
    const fore = designed(el, 'fore'), back = designed(el, 'back');
    el.style.backgroundColor = back === null ? '' : css(shownBack(back));
    if (fore === null || !high) {
      el.style.color = fore === null ? '' : css(fore);
      return;
    }
    // The text's back: its own, or the nearest element's around it that has one, or the face.
    const around = back === null && el.parentElement ? el.parentElement.closest('[data-back]') : null;
    const behind = back !== null ? back : around ? designed(around, 'back') : null;
    el.style.color = css(readable(fore, behind === null ? CONTRAST_FACE : shownBack(behind), TEXT_CONTRAST));
  }

  /** Gives the element the module's colour `rgb` (0xRRGGBB) as its text ('fore') or back
   *  ('back') colour; null leaves it to the page's style. */
  function tint(el, part, rgb) {
    if (rgb === null || rgb === undefined) delete el.dataset[part];
    else el.dataset[part] = String(rgb);
    paint(el);
  }

  function stored() {
    try {
      return window.localStorage.getItem(STORAGE_KEY);
    } catch (error) {
      return null; // storage refused (private modes, a file:// page, a blocked site)
    }
  }

  function store(value) {
    try {
      window.localStorage.setItem(STORAGE_KEY, value);
    } catch (error) {
      // The look still changes; it is only not remembered.
    }
  }

  function apply(on) {
    high = on;
    document.documentElement.classList.toggle('contrast', on);
    const button = document.getElementById('lookSwitch');
    if (button) button.setAttribute('aria-pressed', String(on));
    document.querySelectorAll('[data-fore], [data-back]').forEach(paint);
    // The window's text may be wider or narrower; the bar's height may change with the note.
    if (Z.fit && Z.session) Z.fit();
  }

  const system = window.matchMedia ? window.matchMedia(SYSTEM_QUERY) : null;
  const choice = () => {
    const value = stored();
    if (value === 'contrast') return true;
    if (value === 'designed') return false;
    return !!system && system.matches;
  };

  apply(choice());
  if (system) system.addEventListener('change', () => apply(choice()));
  const button = document.getElementById('lookSwitch');
  if (button) {
    button.setAttribute('aria-pressed', String(high));
    button.addEventListener('click', () => {
      store(high ? 'designed' : 'contrast');
      apply(!high);
    });
  }

  Z.tint = tint;
  Z.contrast = contrast;
  Z.readable = readable;
  Z.highContrast = () => high;
})(Zorbal);
