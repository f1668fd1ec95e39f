// SPDX-License-Identifier: MIT
// The Investigate window: "Investigate..." in the page's bar (or Ctrl+I) opens it over the main
// window on the design the main window shows. Its elements are built from the module's form for
// it, one per control at its designed place, and mirror the module's model of the window after
// every action; the jobs its run buttons ask for go to the page's worker (investigate_jobs.js),
// and their progress and results come back to the model. "Use this design" loads the design into
// the main window as "Load" does, so the lesson keeps it. F1 (or a long press) shows a control's
// advice. Escape or "Close" closes the window, a running job cancelled first; the focus goes back
// to where it was.
'use strict';

(function (Z) {
  const { px, TWIPS_PER_PX } = Z;
  // The module's surfaces of the two graphs (Page::surface in src/web/binding.cpp).
  const SURFACES = { picVary: 2, picScatter: 3 };
  const GAP_PX = 8; // the grey around the window

  const dialog = document.getElementById('frmInvestigate');
  const area = document.getElementById('investigateArea');
  const announcer = document.getElementById('investigateAnnouncer');
  const barButton = document.getElementById('cmdInvestigate');
  const mainWindow = document.getElementById('frmZorbal');

  const views = new Map(); // id -> {kind, el, ...}
  let form = null; // the window's size in twips, once built
  let scale = 1;
  let announced = 0;
  let closes = 0;
  let running = null; // the token of the job the worker runs for the model
  let focusBefore = null;

  function place(el, c) {
    el.classList.add('c');
    el.style.left = px(c.left);
    el.style.top = px(c.top);
    el.style.width = px(c.width);
    el.style.height = px(c.height);
    return el;
  }

  /** The ids of a control's caption and unit labels, which name it. */
  const namedBy = (c) => [c.caption, c.unit].filter(Boolean).join(' ');

  // ---- the elements -----------------------------------------------------------------------------

  function tabControl(parent, c, count) {
    const tabs = place(document.createElement('div'), c);
    tabs.id = c.id;
    tabs.classList.add('tabcontrol');
    const frame = document.createElement('div');
    frame.className = 'pageframe';
    const bar = document.createElement('div');
    bar.className = 'tabs';
    bar.setAttribute('role', 'tablist');
    tabs.append(frame, bar);
    const headers = [], pages = [];
    for (let i = 0; i < count; ++i) {
      const header = document.createElement('button');
      header.type = 'button';
      header.id = c.id + '_' + i;
      header.setAttribute('role', 'tab');
      header.setAttribute('aria-controls', c.id + '_page_' + i);
      header.addEventListener('click', () => act('input', c.id, String(i)));
      bar.appendChild(header);
      const page = document.createElement('div');
      page.className = 'page';
      page.id = c.id + '_page_' + i;
      page.hidden = true;
      page.setAttribute('role', 'tabpanel');
      page.setAttribute('aria-labelledby', header.id);
      tabs.appendChild(page);
      headers.push(header);
      pages.push(page);
    }
    // The arrows, Home and End move along the strip and select the tab, as a tab strip does.
    bar.addEventListener('keydown', (event) => {
      const current = headers.indexOf(document.activeElement);
      if (current < 0 || event.ctrlKey || event.altKey || event.metaKey) return;
      const next = { ArrowRight: (current + 1) % count, ArrowLeft: (current + count - 1) % count,
        Home: 0, End: count - 1 }[event.key];
      if (next === undefined) return;
      event.preventDefault();
      act('input', c.id, String(next));
      headers[next].focus();
    });
    parent.appendChild(tabs);
    views.set(c.id, { kind: 'tabs', el: tabs, headers, pages });
    return pages;
  }

  function build(c, parent) {
    let el;
    switch (c.kind) {
      case 'frame': {
        el = document.createElement('div');
        el.classList.add('frame');
        const legend = document.createElement('span');
        legend.className = 'legend';
        legend.id = c.id + '_legend';
        el.appendChild(legend);
        el.setAttribute('role', 'group');
        el.setAttribute('aria-labelledby', legend.id);
        views.set(c.id, { kind: 'frame', el, legend });
        break;
      }
      case 'label':
        el = document.createElement('div');
        el.classList.add('label');
        if (c.align === 'middleleft') el.classList.add('middle');
        views.set(c.id, { kind: 'label', el });
        break;
      case 'input':
        el = document.createElement('input');
        el.type = 'text';
        el.className = 'box';
        el.spellcheck = false;
        el.autocomplete = 'off';
        el.addEventListener('input', () => act('input', c.id, el.value, true));
        el.addEventListener('blur', () => act('validate', c.id));
        views.set(c.id, { kind: 'input', el });
        break;
      case 'choice':
        el = document.createElement('select');
        el.className = 'choice';
        el.addEventListener('change', () => act('input', c.id, String(el.selectedIndex)));
        views.set(c.id, { kind: 'choice', el, items: '' });
        break;
      case 'button':
        el = document.createElement('button');
        el.type = 'button';
        el.className = 'btn';
        el.addEventListener('click', () => act('click', c.id));
        views.set(c.id, { kind: 'button', el });
        break;
      case 'area':
        el = document.createElement('textarea');
        el.className = 'area scroll';
        el.readOnly = true;
        el.spellcheck = false;
        views.set(c.id, { kind: 'area', el });
        break;
      case 'progress':
        el = document.createElement('progress');
        el.max = 100;
        el.value = 0;
        el.setAttribute('aria-label', 'Progress');
        views.set(c.id, { kind: 'progress', el });
        break;
      case 'graph': {
        el = document.createElement('div');
        el.classList.add('graph');
        const canvas = document.createElement('canvas');
        canvas.setAttribute('role', 'img');
        canvas.id = c.id;
        el.appendChild(canvas);
        const view = { kind: 'graph', el: canvas, frame: el, which: SURFACES[c.id], width: c.width, height: c.height,
          revision: 0, paintedRevision: -1 };
        views.set(c.id, view);
        // Pointing shows the design drawn there; a click (or a tap) chooses it.
        const at = (event) => {
          const r = canvas.getBoundingClientRect();
          if (r.width <= 0 || r.height <= 0) return '';
          const x = (event.clientX - r.left) / r.width * (c.width / TWIPS_PER_PX);
          const y = (event.clientY - r.top) / r.height * (c.height / TWIPS_PER_PX);
          return Math.round(x) + ',' + Math.round(y);
        };
        canvas.addEventListener('pointermove', (event) => act('move', c.id, at(event), true));
        canvas.addEventListener('pointerleave', () => act('move', c.id, '', true));
        canvas.addEventListener('click', (event) => act('click', c.id, at(event)));
        // The arrows, Home and End choose the designs one after another, as clicks would.
        canvas.tabIndex = 0;
        canvas.addEventListener('keydown', (event) => {
          const key = { ArrowLeft: 'left', ArrowRight: 'right', ArrowUp: 'up', ArrowDown: 'down',
            Home: 'home', End: 'end' }[event.key];
          if (!key || event.ctrlKey || event.altKey || event.metaKey) return;
          event.preventDefault();
          act('input', c.id, key);
        });
        break;
      }
      default:
        return;
    }
    el.id = c.kind === 'graph' ? c.id + '_frame' : c.id;
    place(el, c);
    if (['input', 'choice', 'area', 'graph'].includes(c.kind) && namedBy(c)) {
      (c.kind === 'graph' ? el.firstChild : el).setAttribute('aria-labelledby', namedBy(c));
    }
    parent.appendChild(el);
  }

  function buildWindow() {
    const layout = JSON.parse(Z.session.investigateForm());
    form = layout;
    area.style.width = px(layout.width);
    area.style.height = px(layout.height);
    const containers = new Map([['', area]]);
    // The tab control's pages: as many as its captions (the model's first state says).
    const first = JSON.parse(Z.session.changedInvestigateControls());
    for (const c of layout.controls) {
      const parent = containers.get(c.parent) || area;
      if (c.kind === 'tabs') {
        tabControl(parent, c, first[c.id].items.length).forEach((page) => containers.set(page.id, page));
        continue;
      }
      build(c, parent);
      if (c.kind === 'frame') containers.set(c.id, views.get(c.id).el);
    }
    show(first);
  }

  // ---- the mirror -----------------------------------------------------------------------------

  function show(changed) {
    for (const [id, state] of Object.entries(changed)) {
      if (id === 'investigate') { showWindow(state); continue; }
      const view = views.get(id);
      if (!view) continue;
      const el = view.el;
      if (state.tip) el.title = state.tip; else el.removeAttribute('title');
      switch (view.kind) {
        case 'tabs':
          view.headers.forEach((header, i) => {
            header.textContent = state.items[i] || '';
            const selected = i === state.selected;
            header.setAttribute('aria-selected', String(selected));
            header.tabIndex = selected ? 0 : -1;
            view.pages[i].hidden = !selected;
          });
          break;
        case 'frame':
          view.legend.textContent = state.text;
          el.classList.toggle('disabled', !state.enabled);
          break;
        case 'label':
          el.textContent = state.text;
          el.classList.toggle('disabled', !state.enabled);
          break;
        case 'input':
          if (el.value !== state.text) el.value = state.text;
          el.disabled = !state.enabled;
          break;
        case 'choice': {
          const items = JSON.stringify(state.items);
          if (view.items !== items) {
            view.items = items;
            el.replaceChildren(...state.items.map((text) => new Option(text)));
          }
          el.selectedIndex = state.selected;
          el.disabled = !state.enabled;
          break;
        }
        case 'button':
          el.textContent = state.text;
          el.disabled = !state.enabled;
          break;
        case 'area':
          if (el.value !== Z.shownText(state.text)) el.value = Z.shownText(state.text);
          break;
        case 'progress':
          el.value = state.value;
          break;
        case 'graph':
          el.setAttribute('aria-label', state.description || 'Graph');
          view.revision = state.revision;
          view.back = state.back;
          paintSoon(view);
          break;
      }
      const shown = view.kind === 'graph' ? view.frame : el;
      shown.hidden = !state.visible;
    }
  }

  function showWindow(state) {
    if (state.announced !== announced) {
      announced = state.announced;
      announcer.textContent = '';
      requestAnimationFrame(() => { announcer.textContent = state.announcement; });
    }
    if (state.cancelled && running) Z.jobs.cancel(); // its promise says so to the model
    if (state.closes !== closes) {
      closes = state.closes;
      close();
    }
  }

  /** Paints the graph in the next frame: a large result is taken in one task and painted in
   *  another, so the page answers in between. */
  function paintSoon(view) {
    if (view.paintQueued) return;
    view.paintQueued = true;
    requestAnimationFrame(() => {
      view.paintQueued = false;
      paint(view);
    });
  }

  function paint(view) {
    const canvas = view.el;
    const shown = canvas.getBoundingClientRect();
    const device = window.devicePixelRatio || 1;
    const ratio = device * scale;
    const widthPx = Math.max(1, Math.round((shown.width || view.width / TWIPS_PER_PX * scale) * device));
    const heightPx = Math.max(1, Math.round((shown.height || view.height / TWIPS_PER_PX * scale) * device));
    if (view.revision === view.paintedRevision && canvas.width === widthPx && canvas.height === heightPx) return;
    view.paintedRevision = view.revision;
    if (canvas.width !== widthPx) canvas.width = widthPx;
    if (canvas.height !== heightPx) canvas.height = heightPx;
    Z.paintDisplayList(canvas, view, ratio);
  }

  /** Everything the model changed, the main window too (a design used), then its job, if any. */
  function refresh() {
    show(JSON.parse(Z.session.changedInvestigateControls()));
    startJob();
  }

  // ---- jobs -------------------------------------------------------------------------------------

  function startJob() {
    const job = Z.session.takeInvestigateJob();
    if (!job) return;
    const mine = {};
    running = mine;
    Z.jobs.run(job, (done, total) => {
      if (running !== mine) return;
      Z.session.investigateProgress(done, total);
      refresh();
    }).then((result) => {
      if (running !== mine) return;
      // A large result is read in this task and shown in the next (then painted in a frame), so
      // that the page answers in between.
      Z.session.takeInvestigateResult(result);
      setTimeout(() => {
        if (running !== mine) return;
        running = null;
        Z.session.showInvestigateResult();
        afterModel();
      }, 0);
    }, (error) => {
      // A job replaced by a newer one is forgotten by the model already.
      if (running !== mine) return;
      running = null;
      if (error && error.name === 'AbortError') {
        Z.session.investigateJobStopped();
      } else {
        Z.session.takeInvestigateResult(''); // a failed worker: the job's refusal
        Z.session.showInvestigateResult();
      }
      afterModel();
    });
  }

  /** After the model ran: the windows shown as they are now and the messages and files it left. */
  function afterModel() {
    const focused = document.activeElement;
    refresh();
    Z.keepLesson();
    Z.refresh();
    if (focused && focused.isConnected && dialog.open && dialog.contains(focused) && !focused.disabled) focused.focus();
    Z.showEffects();
  }

  function act(event, id, value, quiet) {
    if (!Z.session || !dialog.open) return;
    const text = value === undefined ? '' : String(value);
    Z.session.investigateAct(event, id, text);
    if (quiet && Z.session.effectCount() === 0) {
      refresh();
      return;
    }
    afterModel();
  }

  // ---- advice -----------------------------------------------------------------------------------
  // F1 shows the focused control's advice beside it, as a long press of a finger does (without
  // running the control); any other key, a tap or a click hides it.

  const advice = document.createElement('div');
  advice.id = 'investigateAdvice';
  advice.className = 'tooltip advice';
  advice.setAttribute('role', 'tooltip');
  advice.hidden = true;
  area.appendChild(advice);
  const LONG_PRESS_MS = 500;
  let pressedLong = null;

  function showAdvice(el) {
    const text = el && el.title;
    if (!text) { advice.hidden = true; return; }
    const box = el.getBoundingClientRect(), room = area.getBoundingClientRect();
    advice.textContent = text;
    advice.hidden = false;
    const left = (box.left - room.left) / scale, top = (box.bottom - room.top) / scale + 2;
    const width = area.offsetWidth;
    advice.style.left = Math.max(0, Math.min(left, width - advice.offsetWidth - 2)) + 'px';
    advice.style.top = (top + advice.offsetHeight > area.offsetHeight ? (box.top - room.top) / scale - advice.offsetHeight - 2 : top) + 'px';
    announcer.textContent = text;
  }

  dialog.addEventListener('keydown', (event) => {
    if (event.key === 'F1') {
      event.preventDefault();
      showAdvice(document.activeElement);
      return;
    }
    advice.hidden = true;
  });
  let pressTimer = 0;
  area.addEventListener('pointerdown', (event) => {
    advice.hidden = true;
    if (event.pointerType !== 'touch') return;
    const el = event.target.closest('[title]');
    clearTimeout(pressTimer);
    pressTimer = setTimeout(() => { pressedLong = el; showAdvice(el); }, LONG_PRESS_MS);
  });
  for (const type of ['pointerup', 'pointercancel', 'pointerleave']) area.addEventListener(type, () => clearTimeout(pressTimer));
  // The tap a long press ends with runs nothing.
  area.addEventListener('click', (event) => {
    if (pressedLong && pressedLong.contains(event.target)) {
      event.preventDefault();
      event.stopImmediatePropagation();
    }
    pressedLong = null;
  }, true);
  area.addEventListener('contextmenu', (event) => { if (pressedLong) event.preventDefault(); });

  // ---- opening and closing ----------------------------------------------------------------------

  /** Zooms the window to the largest size that fits the viewport, as the main window is. */
  function fit() {
    if (!form || !dialog.open) return;
    const root = document.documentElement;
    const width = form.width / TWIPS_PER_PX + 2, height = form.height / TWIPS_PER_PX + 2;
    scale = Z.fitScale(width, height, root.clientWidth - 2 * GAP_PX, root.clientHeight - 2 * GAP_PX);
    dialog.style.zoom = String(scale);
    const left = Math.max(0, (root.clientWidth - width * scale) / 2);
    const top = Math.max(0, (root.clientHeight - height * scale) / 2);
    dialog.style.left = left / scale + 'px';
    dialog.style.top = top / scale + 'px';
    for (const view of views.values()) if (view.kind === 'graph') paint(view);
  }

  function open() {
    if (!Z.session || mainWindow.hidden || dialog.open) return;
    if (!form) buildWindow();
    focusBefore = document.activeElement;
    Z.session.openInvestigate();
    dialog.showModal();
    fit();
    refresh();
    const tabs = views.get('tabInvestigate');
    const selected = tabs && tabs.headers.find((header) => header.getAttribute('aria-selected') === 'true');
    if (selected) selected.focus();
  }

  function close() {
    if (!dialog.open) return;
    if (running) Z.jobs.cancel();
    dialog.close();
  }

  dialog.addEventListener('cancel', (event) => {
    // Escape: "Close", as the window's own button (a running job is cancelled first).
    event.preventDefault();
    act('click', 'cmdClose');
    if (dialog.open) close();
  });
  dialog.addEventListener('close', () => {
    if (focusBefore && focusBefore.isConnected) focusBefore.focus();
    focusBefore = null;
  });
  barButton.addEventListener('click', open);
  document.addEventListener('keydown', (event) => {
    if ((event.ctrlKey || event.metaKey) && !event.altKey && (event.key === 'i' || event.key === 'I') &&
        !dialog.open && !document.querySelector('dialog[open]') && !mainWindow.hidden) {
      event.preventDefault();
      open();
    }
  });
  window.addEventListener('resize', fit);
  // Shown with the main window, whose design it investigates.
  const showButton = () => {
    barButton.hidden = mainWindow.hidden;
    if (Z.fit && Z.session) Z.fit();
  };
  new MutationObserver(showButton).observe(mainWindow, { attributes: true, attributeFilter: ['hidden'] });
  showButton();

  // A page opened from a folder gets no worker: its runs hold the page until they end, said once.
  Z.jobs.onFallback = () => Z.tell(
    'This page was opened from a folder, where the browser lets Zorbal run its work only in the page ' +
    'itself: the page does not answer until each run has ended. Open Zorbal from its web address to ' +
    'keep it answering.');

  Z.openInvestigate = open;
  Z.investigatePicture = (effect) => {
    // The graph painted at the picture's size, as the desktop renders it, then downloaded.
    const view = views.get(effect.text);
    if (!view) return;
    const canvas = document.createElement('canvas');
    canvas.width = effect.width;
    canvas.height = effect.height;
    Z.paintDisplayList(canvas, { which: view.which }, 1);
    canvas.toBlob((blob) => {
      if (blob) Z.download(effect.name, blob);
      else Z.tell('Sorry, the picture could not be made.');
    }, 'image/png');
  };
})(Zorbal);
