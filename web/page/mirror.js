// SPDX-License-Identifier: MIT
// Copies the controls the last action changed into their elements, with the grid and the graphs
// when they moved, and animates the window's width when the help panel opens or closes.
'use strict';

(function (Z) {
  const { px, css, shownText, views, graphs, WIDTH_WITH_HELP } = Z;
  const FRAME_TWIPS = 60; // outer width minus the client area, twips
  const HELP_ANIMATION_MS = 400;

  function setText(el, text) {
    if (el.textContent !== text) el.textContent = text;
  }
  function setTip(el, tip) {
    if (tip) el.title = tip; else el.removeAttribute('title');
  }

  function mirror(id, state) {
    const view = views.get(id);
    if (!view) return;
    const el = view.el;
    switch (view.kind) {
      case 'box':
      case 'area': {
        const text = view.kind === 'area' ? shownText(state.text) : state.text;
        if (el.value !== text) el.value = text;
        el.disabled = !state.enabled;
        el.readOnly = state.locked;
        Z.tint(el, 'back', state.back);
        Z.tint(el, 'fore', state.enabled ? state.fore : null);
        setTip(el, state.tip);
        break;
      }
      case 'button':
        setText(el, state.caption);
        el.disabled = !state.enabled;
        el.hidden = !state.visible;
        Z.tint(el, 'back', state.back);
        setTip(el, state.tip);
        break;
      case 'label':
      case 'splashlabel':
        setText(el, state.caption);
        el.classList.toggle('disabled', !state.enabled);
        // Text meets 4.5:1 on its back in either look (the designed reds are deepened just enough);
        // the splash's words stand on its picture as designed.
        Z.tint(el, 'fore', view.kind === 'splashlabel' ? state.fore : state.enabled ? Z.readable(state.fore, state.back) : null);
        Z.tint(el, 'back', state.back === 0xf0f0f0 ? null : state.back);
        setTip(el, state.tip);
        break;
      case 'frame':
        setText(view.legend, state.caption);
        view.legend.hidden = state.caption === '';
        el.classList.toggle('disabled', !state.enabled);
        Z.tint(el, 'back', state.back === 0xf0f0f0 ? null : state.back);
        setTip(el, state.tip);
        break;
      case 'check':
        setText(view.caption, state.caption);
        el.checked = state.value === 1;
        el.indeterminate = state.value === 2;
        el.disabled = !state.enabled;
        view.wrapper.classList.toggle('disabled', !state.enabled);
        break;
      case 'option':
        setText(view.caption, state.caption);
        el.checked = state.value;
        el.disabled = !state.enabled;
        view.wrapper.classList.toggle('disabled', !state.enabled);
        break;
      case 'keyline': {
        const line = el.firstChild;
        const ratio = Z.pixelRatio();
        const width = Math.max(1, Math.round(state.width * ratio)) / ratio;
        line.style.borderTop = width + 'px solid ' + css(state.color);
        line.style.marginTop = -width / 2 + 'px';
        break;
      }
      case 'tabs':
        state.captions.forEach((caption, i) => {
          const header = view.headers[i];
          setText(header, caption);
          header.setAttribute('aria-selected', String(i === state.tab));
          header.tabIndex = i === state.tab ? 0 : -1;
          view.pages[i].hidden = i !== state.tab;
        });
        break;
      case 'graph':
        view.revision = state.revision;
        break;
      case 'window':
        document.title = state.caption;
        setText(document.getElementById('windowTitle'), state.caption);
        targetWidth(state.width);
        break;
      case 'accessible':
        speak(view, state);
        break;
      case 'splash':
        el.hidden = !state.visible;
        if (state.mainWindowShown) document.getElementById('frmZorbal').hidden = false;
        break;
    }
  }

  /** The module's words for screen readers: a new announcement into the live region, each graph's
   *  description onto its canvas and the latest flight's events into its table of numbers. */
  function speak(view, state) {
    if (state.announced !== view.announced) {
      view.announced = state.announced;
      // Emptied first, so that the same words said again are announced again.
      const region = view.el;
      region.textContent = '';
      requestAnimationFrame(() => { region.textContent = state.announcement; });
    }
    graphs.forEach((graph, i) => {
      graph.el.setAttribute('aria-label', state['graph' + i]);
      const table = graph.numbers;
      const key = JSON.stringify([state.eventsCaption, state.events]);
      if (table.dataset.shown === key) return;
      table.dataset.shown = key;
      const caption = document.createElement('caption');
      caption.textContent = state.eventsCaption;
      const head = document.createElement('tr');
      for (const text of state.headings) {
        const th = document.createElement('th');
        th.scope = 'col';
        th.textContent = text;
        head.appendChild(th);
      }
      const rows = state.events.map((cells) => {
        const tr = document.createElement('tr');
        cells.forEach((text, c) => {
          const cell = document.createElement(c === 0 ? 'th' : 'td');
          if (c === 0) cell.scope = 'row';
          cell.textContent = text;
          tr.appendChild(cell);
        });
        return tr;
      });
      table.replaceChildren(caption, head, ...rows);
    });
  }

  /** The focus stays in the window: when the action hid or disabled `had`, the element that held
   *  the focus, the selected tab takes it. Looked at once the focus has finished moving (an
   *  action can run inside a blur). */
  function keepFocus(had) {
    if (!had || had === document.body) return;
    setTimeout(() => {
      const main = document.getElementById('frmZorbal');
      if (main.hidden || Z.isMessageOpen()) return;
      const now = document.activeElement;
      if (now && now !== document.body && now.getClientRects().length > 0 && !now.disabled) return;
      const tabs = Z.tabViews[0];
      const selected = tabs && tabs.headers.find((header) => header.getAttribute('aria-selected') === 'true');
      if (selected) selected.focus();
    }, 0);
  }

  function refresh() {
    const changed = JSON.parse(Z.session.changedControls());
    for (const id in changed) mirror(id, changed[id]);
    const grid = Z.session.changedGrid();
    if (grid) Z.paintGrid(JSON.parse(grid));
    for (const view of graphs) Z.paintGraph(view);
  }

  // ---- the help panel: the window's width animated by the page ------------------------------

  let shownWidth = WIDTH_WITH_HELP;
  let animation = null;

  function showWidth(twips) {
    shownWidth = twips;
    document.getElementById('frmZorbal').style.width = px(twips - FRAME_TWIPS);
    Z.fit();
  }

  function targetWidth(twips) {
    if (animation === null && twips === shownWidth) return;
    if (document.getElementById('frmZorbal').hidden) { showWidth(twips); return; }
    // A press during the animation turns it round from where it is.
    const from = shownWidth;
    const start = performance.now();
    const token = {};
    animation = token;
    const step = (now) => {
      if (animation !== token) return;
      const fraction = Math.min(1, (now - start) / HELP_ANIMATION_MS);
      if (fraction >= 1) {
        showWidth(twips); // exactly the designed width
        animation = null;
        return;
      }
      showWidth(Math.round(from + (twips - from) * fraction));
      requestAnimationFrame(step);
    };
    requestAnimationFrame(step);
  }

  Z.refresh = refresh;
  Z.keepFocus = keepFocus;
  Z.showWidth = showWidth;
})(Zorbal);
