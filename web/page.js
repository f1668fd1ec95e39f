// SPDX-License-Identifier: MIT
// The page of Zorbal's web edition. It builds one element per control of the window at the
// designed position, mirrors the window module's controls into them after every user action and
// sends the user's input through the module's own setters and handlers. Everything the program
// does happens in the module (zorbal.js); the page paints, shows messages, downloads files and
// talks to the clipboard.
'use strict';

(function () {
  const TWIPS_PER_PX = 15;
  const WIDTH_WITH_HELP = 15495;
  const WIDTH_WITHOUT_HELP = 12495;
  const FRAME_TWIPS = 60; // outer width minus the client area, twips
  const CLIENT_HEIGHT = 9990;
  const HELP_ANIMATION_MS = 400;

  const px = (twips) => twips / TWIPS_PER_PX + 'px';
  const css = (color) => '#' + (color >>> 0).toString(16).padStart(6, '0');
  const shownText = (text) => text.replace(/\r\n/g, '\n');

  let session = null;
  let module = null;
  /** id -> {kind, el, ...}: the elements that mirror a control. */
  const views = new Map();
  const moveIds = new Set();
  /** The graphs' views in the form's order (the module's graph 0, 1) and the tab controls'. */
  const graphs = [];
  const tabViews = [];

  // ---- building the window ---------------------------------------------------------------

  function place(el, left, top, width, height) {
    el.classList.add('c');
    el.style.left = px(left);
    el.style.top = px(top);
    el.style.width = px(width);
    el.style.height = px(height);
    return el;
  }

  /** Mouse movement over an element belongs to it, not to the frame around it. */
  function trackMoves(el, id) {
    el.addEventListener('mousemove', (event) => {
      event.stopPropagation();
      if (moveIds.has(id)) act('move', id);
    });
  }

  function make(parent, tag, id, left, top, width, height, kind) {
    const el = document.createElement(tag);
    if (id) el.id = id;
    place(el, left, top, width, height);
    parent.appendChild(el);
    if (id) {
      views.set(id, { kind, el });
      trackMoves(el, id);
    }
    return el;
  }

  function label(parent, id, left, top, width, height, align) {
    const el = make(parent, 'div', id, left, top, width, height, 'label');
    el.classList.add('label');
    if (align) el.style.textAlign = align;
    return el;
  }

  function frame(parent, id, left, top, width, height, clicks, moves) {
    const el = make(parent, 'div', id, left, top, width, height, 'frame');
    el.classList.add('frame');
    const legend = document.createElement('span');
    legend.className = 'legend';
    el.appendChild(legend);
    views.get(id).legend = legend;
    if (moves) moveIds.add(id);
    if (clicks) el.addEventListener('click', (event) => { if (event.target === el || event.target === legend) act('click', id); });
    return el;
  }

  function lineBox(parent, id, left, top, width, height, validates, clicks) {
    const el = make(parent, 'input', id, left, top, width, height, 'box');
    el.type = 'text';
    el.className += ' box';
    el.spellcheck = false;
    el.autocomplete = 'off';
    moveIds.add(id);
    el.addEventListener('input', () => act('input', id, el.value, false));
    if (clicks) el.addEventListener('click', () => act('click', id));
    if (validates) {
      el.addEventListener('blur', (event) => {
        // The focus moves to another control of the window; a message box or another program
        // taking it is not a change of control.
        const next = event.relatedTarget;
        if (!next || !document.getElementById('frmZorbal').contains(next)) return;
        whenIdle(() => { if (act('validate', id)) afterMessages(() => el.focus()); });
      });
    }
    return el;
  }

  function textArea(parent, id, left, top, width, height, classes) {
    const el = make(parent, 'textarea', id, left, top, width, height, 'area');
    el.className += ' area ' + (classes || '');
    el.spellcheck = false;
    el.addEventListener('input', () => act('input', id, el.value.replace(/\r?\n/g, '\r\n'), false));
    return el;
  }

  function button(parent, id, left, top, width, height) {
    const el = make(parent, 'button', id, left, top, width, height, 'button');
    el.type = 'button';
    el.className += ' btn';
    moveIds.add(id);
    el.addEventListener('click', () => clickButton(id));
    return el;
  }

  // A check box or an option button: its input and caption inside a label box; returns the input.
  function choice(parent, id, type, kind, className, left, top, width, height) {
    const el = make(parent, 'label', null, left, top, width, height);
    el.className += ' ' + className;
    const box = document.createElement('input');
    box.type = type;
    box.id = id;
    const caption = document.createElement('span');
    el.append(box, caption);
    views.set(id, { kind, el: box, wrapper: el, caption });
    moveIds.add(id);
    trackMoves(el, id);
    return box;
  }

  function checkBox(parent, id, left, top, width, height, wraps) {
    const box = choice(parent, id, 'checkbox', 'check', 'check' + (wraps ? ' wrap' : ''), left, top, width, height);
    box.addEventListener('click', () => act('click', id, box.checked ? '1' : '0'));
    return box;
  }

  function optionButton(parent, id, group, left, top, width, height) {
    const option = choice(parent, id, 'radio', 'option', 'option', left, top, width, height);
    option.name = group;
    option.addEventListener('click', () => act('click', id));
    return option;
  }

  function graph(parent, id, left, top, width, height) {
    const el = make(parent, 'div', id + '_frame', left, top, width, height, 'graphframe');
    el.classList.add('graph');
    const canvas = document.createElement('canvas');
    canvas.id = id;
    el.appendChild(canvas);
    const view = { kind: 'graph', el: canvas, which: graphs.length, revision: 0, paintedRevision: -1, width, height };
    views.set(id, view);
    graphs.push(view);
    moveIds.add(id);
    canvas.addEventListener('mousemove', (event) => { event.stopPropagation(); act('move', id); });
    return el;
  }

  function tabControl(parent, id, left, top, width, height, count) {
    const tabs = make(parent, 'div', id, left, top, width, height, 'tabs');
    tabs.classList.add('tabcontrol');
    tabs.setAttribute('role', 'tablist');
    const frameEl = document.createElement('div');
    frameEl.className = 'pageframe';
    tabs.appendChild(frameEl);
    const bar = document.createElement('div');
    bar.className = 'tabs';
    tabs.appendChild(bar);
    const pages = [];
    for (let i = 0; i < count; ++i) {
      const header = document.createElement('button');
      header.type = 'button';
      header.id = id + '_' + i;
      header.setAttribute('role', 'tab');
      header.addEventListener('click', () => act('click', header.id));
      bar.appendChild(header);
      views.set(header.id, { kind: 'tab', el: header });
      const page = document.createElement('div');
      page.className = 'page';
      page.id = id + '_page_' + i;
      page.hidden = true;
      tabs.appendChild(page);
      pages.push(page);
    }
    const view = views.get(id);
    view.kind = 'tabs';
    view.pages = pages;
    view.headers = pages.map((_, i) => views.get(id + '_' + i).el);
    tabViews.push(view);
    return pages;
  }

  /** How a label's text stands: the text's alignment and, in a flex box, its two axes. */
  const ALIGNS = {
    centre: ['center', 'center', 'center'],
    topcentre: ['center'],
    topright: ['right'],
    bottomright: ['right', 'flex-end', 'flex-end'],
  };

  /** The element of control `c` of the form in `parent`; for a container, what it holds goes in it. */
  function buildControl(parent, c, containers) {
    const r = [c.left, c.top, c.width, c.height];
    switch (c.kind) {
      case 'tabs':
        tabControl(parent, c.id, ...r, c.pages).forEach((page) => containers.set(page.id, page));
        return document.getElementById(c.id);
      case 'frame':
        return frame(parent, c.id, ...r, c.clicks, c.moves);
      case 'key': {
        const el = frame(parent, c.id, ...r, false, c.moves);
        el.classList.add('key');
        return el;
      }
      case 'keyline': {
        const sample = make(parent, 'div', c.id, ...r, 'keyline');
        sample.classList.add('keyline');
        sample.appendChild(document.createElement('div'));
        return sample;
      }
      case 'label': {
        const [text, items, justify] = ALIGNS[c.align] || [];
        const el = label(parent, c.id, ...r, text);
        if (items) {
          el.style.display = 'flex';
          el.style.alignItems = items;
          el.style.justifyContent = justify;
        }
        return el;
      }
      case 'input':
      case 'output':
      case 'limit':
        return lineBox(parent, c.id, ...r, c.validates, c.clicks);
      case 'area':
        return textArea(parent, c.id, ...r, c.scrolls ? 'scroll' : c.nowrap ? 'nowrap' : '');
      case 'button':
        return button(parent, c.id, ...r);
      case 'check':
        return checkBox(parent, c.id, ...r, c.wraps);
      case 'option':
        return optionButton(parent, c.id, c.group, ...r);
      case 'graph':
        return graph(parent, c.id, ...r);
      case 'grid': {
        const holder = make(parent, 'div', c.id + '_view', ...r, 'historyview');
        holder.classList.add('history');
        const table = document.createElement('table');
        table.id = c.id;
        holder.appendChild(table);
        views.set(c.id, { kind: 'grid', el: table });
        return holder;
      }
      case 'shape': {
        const el = make(parent, 'div', c.id, ...r);
        el.className += ' shape';
        el.style.background = css(c.color);
        return el;
      }
    }
    return null;
  }

  /** The window's elements, one for each control of the module's form, in its order. */
  function buildWindow(root, form) {
    const containers = new Map([['', root]]);
    for (const c of form) {
      const el = buildControl(containers.get(c.parent), c, containers);
      if (c.points) {
        el.style.fontSize = c.points + 'pt';
        if (c.bold) el.style.fontWeight = 'bold';
      }
      containers.set(c.id, el);
    }
  }

  function buildSplash() {
    const splash = document.getElementById('frmSplash');
    splash.style.width = px(6900);
    splash.style.height = px(9075);
    const place2 = (id, l, t, w, h) => {
      const el = document.getElementById(id);
      el.style.left = px(l); el.style.top = px(t); el.style.width = px(w); el.style.height = px(h);
      return el;
    };
    place2('Image1', -120, 0, 7035, 9090).addEventListener('click', () => act('click', 'Image1'));
    const fonts = [['splashLabel1_0', 24], ['splashLabel1_1', 13.5], ['splashLabel3', 9.75]];
    place2('splashLabel1_0', 0, 0, 2895, 2415);
    place2('splashLabel1_1', 120, 4200, 2175, 1335);
    place2('splashLabel3', 5040, 720, 1815, 1455);
    for (const [id, size] of fonts) {
      document.getElementById(id).style.fontSize = size + 'pt';
      views.set(id, { kind: 'splashlabel', el: document.getElementById(id) });
    }
    document.getElementById('splashLabel3').style.fontFamily = 'Arial, "Liberation Sans", sans-serif';
    const ok = place2('cmdOK', 5400, 2520, 975, 615);
    ok.addEventListener('click', () => act('click', 'cmdOK'));
    views.set('cmdOK', { kind: 'button', el: ok });
    views.set('frmSplash', { kind: 'splash', el: splash });
  }

  // ---- mirroring the module's controls ----------------------------------------------------

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
        el.style.backgroundColor = css(state.back);
        el.style.color = state.enabled ? css(state.fore) : '';
        setTip(el, state.tip);
        break;
      }
      case 'button':
        setText(el, state.caption);
        el.disabled = !state.enabled;
        el.hidden = !state.visible;
        el.style.backgroundColor = css(state.back);
        setTip(el, state.tip);
        break;
      case 'label':
      case 'splashlabel':
        setText(el, state.caption);
        el.classList.toggle('disabled', !state.enabled);
        if (view.kind === 'splashlabel' || state.enabled) el.style.color = css(state.fore);
        else el.style.color = '';
        el.style.backgroundColor = state.back === 0xf0f0f0 ? '' : css(state.back);
        setTip(el, state.tip);
        break;
      case 'frame':
        setText(view.legend, state.caption);
        view.legend.hidden = state.caption === '';
        el.classList.toggle('disabled', !state.enabled);
        el.style.backgroundColor = state.back === 0xf0f0f0 ? '' : css(state.back);
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
        const ratio = window.devicePixelRatio || 1;
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
        targetWidth(state.width);
        break;
      case 'splash':
        el.hidden = !state.visible;
        if (state.mainWindowShown) document.getElementById('frmZorbal').hidden = false;
        break;
    }
  }

  function refresh() {
    const changed = JSON.parse(session.changedControls());
    for (const id in changed) mirror(id, changed[id]);
    const grid = session.changedGrid();
    if (grid) paintGrid(JSON.parse(grid));
    for (const view of graphs) paintGraph(view);
  }

  // ---- the help panel: the window's width animated by the page ------------------------------

  let shownWidth = WIDTH_WITH_HELP;
  let animation = null;

  function showWidth(twips) {
    shownWidth = twips;
    document.getElementById('frmZorbal').style.width = px(twips - FRAME_TWIPS);
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

  // ---- the graphs: the module's display lists painted on canvases ---------------------------

  const MARGIN = 64;
  const LARGEST_RADIUS = 1e6;

  function paintGraph(view) {
    const canvas = view.el;
    const ratio = window.devicePixelRatio || 1;
    const widthPx = Math.round((view.width / TWIPS_PER_PX - 2) * ratio);
    const heightPx = Math.round((view.height / TWIPS_PER_PX - 2) * ratio);
    if (view.revision === view.paintedRevision && canvas.width === widthPx && canvas.height === heightPx) return;
    view.paintedRevision = view.revision;
    if (canvas.width !== widthPx) canvas.width = widthPx;
    if (canvas.height !== heightPx) canvas.height = heightPx;
    paintDisplayList(canvas, view, ratio);
  }

  /** The canvas a graph's dots are copied onto before they are laid over the graph. */
  function layerCanvas(view, W, H) {
    if (!view.layer) view.layer = document.createElement('canvas');
    const layer = view.layer;
    if (layer.width !== W) layer.width = W;
    if (layer.height !== H) layer.height = H;
    return layer;
  }

  function paintDisplayList(canvas, view, ratio) {
    const ctx = canvas.getContext('2d', { willReadFrequently: true });
    const W = canvas.width, H = canvas.height;
    // The module writes the point runs' dots into a transparent layer of pixels (taking its
    // memory now, before the views below are made), which is laid over what was drawn before.
    session.prepareLayer(W, H);
    const dl = session.displayList(view.which);
    const entries = dl.entries;
    const floats = new Float32Array(entries.buffer, entries.byteOffset, entries.length);
    const N = module.packedWords;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = css(dl.back);
    ctx.fillRect(0, 0, W, H);
    let map = mapping(dl.scale[0], dl.scale[1], dl.scale[2], dl.scale[3], W, H);
    const penWidth = (w) => Math.max(1, Math.round(w * ratio));
    let dots = false; // dots are in the layer, to be laid over the canvas before any other drawing
    let hairlines = -1; // the colour of the one-pixel lines along an axis in the open path
    const strokeHairlines = () => {
      if (hairlines < 0) return;
      ctx.stroke();
      hairlines = -1;
    };
    const flush = () => {
      if (!dots) return;
      dots = false;
      const layer = session.layer();
      const w = layer.right - layer.left, h = layer.bottom - layer.top;
      if (w > 0 && h > 0) {
        const pixels = new Uint8ClampedArray(layer.pixels.buffer, layer.pixels.byteOffset, layer.pixels.length);
        const canvasLayer = layerCanvas(view, W, H);
        canvasLayer.getContext('2d', { willReadFrequently: true }).putImageData(new ImageData(pixels, W, H), 0, 0, layer.left, layer.top, w, h);
        ctx.drawImage(canvasLayer, layer.left, layer.top, w, h, layer.left, layer.top, w, h);
      }
      session.clearLayer();
    };
    const setPen = (color, width) => {
      const w = penWidth(width);
      ctx.strokeStyle = css(color);
      ctx.lineWidth = w;
      ctx.lineCap = w > 1 ? 'round' : 'square';
      ctx.lineJoin = 'round';
    };
    for (let i = 0; i < entries.length; i += N) {
      const kind = entries[i];
      const x1 = floats[i + 5], y1 = floats[i + 6], x2 = floats[i + 7], y2 = floats[i + 8];
      switch (kind) {
        case 0: // Scale
          map = mapping(x1, y1, x2, y2, W, H);
          break;
        case 1: // PointRun
          strokeHairlines();
          session.paintPoints(view.which, i / N, map.ox, map.oy, map.sx, map.sy, ratio);
          dots = true;
          break;
        case 2: { // Line
          const seg = clip(map.x(x1), map.y(y1), map.x(x2), map.y(y2), W, H);
          if (!seg) break;
          flush();
          const w = penWidth(entries[i + 4]);
          let [a, b, c, d] = seg;
          const straight = a === c || b === d;
          if (straight) {
            // Along an axis: crisp on the pixel grid, on the pixels whose centres the line covers
            // (the middle of a pixel for an odd width, the nearest pixel corner for an even one).
            const snap = w % 2 === 1 ? (v) => Math.floor(v) + 0.5 : (v) => Math.round(v);
            a = snap(a); c = snap(c); b = snap(b); d = snap(d);
          }
          if (straight && w === 1) {
            // Whole pixels in one colour: a path of several is stroked at once (the grid lines).
            const colour = entries[i + 2];
            if (hairlines !== colour) {
              strokeHairlines();
              setPen(colour, entries[i + 4]);
              ctx.beginPath();
              hairlines = colour;
            }
            ctx.moveTo(a, b);
            ctx.lineTo(c, d);
            break;
          }
          strokeHairlines();
          setPen(entries[i + 2], entries[i + 4]);
          ctx.beginPath();
          ctx.moveTo(a, b);
          ctx.lineTo(c, d);
          ctx.stroke();
          break;
        }
        case 3: case 4: { // Box, FilledBox
          const r = boxCorners(map, x1, y1, x2, y2, W, H);
          if (!r) break;
          strokeHairlines();
          flush();
          if (kind === 4) {
            ctx.fillStyle = css(entries[i + 3]);
            ctx.fillRect(Math.round(r[0]), Math.round(r[1]), Math.round(r[2]) - Math.round(r[0]), Math.round(r[3]) - Math.round(r[1]));
          } else {
            setPen(entries[i + 2], entries[i + 4]);
            const odd = ctx.lineWidth % 2 === 1 ? 0.5 : 0;
            ctx.strokeRect(Math.floor(r[0]) + odd, Math.floor(r[1]) + odd, Math.floor(r[2]) - Math.floor(r[0]), Math.floor(r[3]) - Math.floor(r[1]));
          }
          break;
        }
        case 5: case 6: { // Circle, Arc
          const aspect = kind === 5 ? floats[i + 10] : 1;
          const g = circleGeometry(map, x1, y1, floats[i + 9], aspect, W, H);
          if (!g) break;
          strokeHairlines();
          flush();
          setPen(entries[i + 2], entries[i + 4]);
          ctx.beginPath();
          if (kind === 5) {
            ctx.ellipse(g.cx, g.cy, g.rx, g.ry, 0, 0, 2 * Math.PI);
          } else {
            const start = floats[i + 11], end = floats[i + 12];
            if (!isFinite(start) || !isFinite(end)) break;
            let span = end - start;
            if (span < 0) span += 2 * Math.PI;
            // Counter-clockwise on the screen, whose y axis points down.
            ctx.arc(g.cx, g.cy, g.rx, -start, -(start + span), true);
          }
          ctx.stroke();
          break;
        }
      }
    }
    strokeHairlines();
    flush();
  }

  function mapping(left, top, right, bottom, W, H) {
    const uw = right - left, uh = bottom - top;
    const m = { ox: left, oy: top, sx: uw !== 0 ? W / uw : 0, sy: uh !== 0 ? H / uh : 0 };
    m.x = (x) => (x - m.ox) * m.sx;
    m.y = (y) => (y - m.oy) * m.sy;
    return m;
  }

  /** Clips a segment to the picture plus a margin (Liang-Barsky); null when nothing is left. */
  function clip(x1, y1, x2, y2, W, H) {
    if (!isFinite(x1) || !isFinite(y1) || !isFinite(x2) || !isFinite(y2)) return null;
    const lo = [-MARGIN, -MARGIN], hi = [W + MARGIN, H + MARGIN];
    const start = [x1, y1], delta = [x2 - x1, y2 - y1];
    let t0 = 0, t1 = 1, axis0 = -1, axis1 = -1, edge0 = 0, edge1 = 0;
    for (let axis = 0; axis < 2; ++axis) {
      const p = [-delta[axis], delta[axis]];
      const q = [start[axis] - lo[axis], hi[axis] - start[axis]];
      const edge = [lo[axis], hi[axis]];
      for (let side = 0; side < 2; ++side) {
        if (p[side] === 0) { if (q[side] < 0) return null; continue; }
        const t = q[side] / p[side];
        if (p[side] < 0 && t > t0) { t0 = t; axis0 = axis; edge0 = edge[side]; }
        else if (p[side] > 0 && t < t1) { t1 = t; axis1 = axis; edge1 = edge[side]; }
      }
    }
    if (t0 > t1) return null;
    const at = (t, axis, e) => {
      const pt = [Math.min(Math.max(start[0] + t * delta[0], lo[0]), hi[0]), Math.min(Math.max(start[1] + t * delta[1], lo[1]), hi[1])];
      pt[axis] = e;
      return pt;
    };
    let a = [x1, y1], b = [x2, y2];
    if (axis1 >= 0) b = at(t1, axis1, edge1);
    if (axis0 >= 0) a = at(t0, axis0, edge0);
    return [a[0], a[1], b[0], b[1]];
  }

  function boxCorners(map, x1, y1, x2, y2, W, H) {
    let a = map.x(x1), b = map.y(y1), c = map.x(x2), d = map.y(y2);
    if (isNaN(a) || isNaN(b) || isNaN(c) || isNaN(d)) return null;
    const cx = (v) => Math.min(Math.max(v, -MARGIN), W + MARGIN);
    const cy = (v) => Math.min(Math.max(v, -MARGIN), H + MARGIN);
    a = cx(a); c = cx(c); b = cy(b); d = cy(d);
    return [Math.min(a, c), Math.min(b, d), Math.max(a, c), Math.max(b, d)];
  }

  function circleGeometry(map, x, y, radius, aspect, W, H) {
    const cx = map.x(x), cy = map.y(y);
    const r = Math.abs(radius) * Math.abs(map.sx);
    const a = Math.abs(aspect);
    if (!isFinite(cx) || !isFinite(cy) || !isFinite(r) || !isFinite(a) || r > LARGEST_RADIUS) return null;
    const rx = a <= 1 ? r : r / a;
    const ry = a <= 1 ? r * a : r;
    if (cx + rx < -MARGIN || cx - rx > W + MARGIN || cy + ry < -MARGIN || cy - ry > H + MARGIN) return null;
    return { cx, cy, rx, ry };
  }

  // ---- the history grid ---------------------------------------------------------------------

  const ALIGN = ['left', 'left', 'center', 'right'];

  /** The rows shown now, each with the cells it was made from, and the layout they were made for. */
  let gridShown = { layout: null, rows: [], keys: [] };

  /** Shows the grid in its table; a row whose cells did not change keeps its element. */
  function paintGrid(grid) {
    const table = views.get('MSFlexGrid1').el;
    const widths = grid.widths.map((w) => w / TWIPS_PER_PX);
    const layout = JSON.stringify([widths, grid.spans, grid.fixedRows, grid.fixedCols]);
    if (layout !== gridShown.layout) {
      const colgroup = document.createElement('colgroup');
      for (const w of widths) {
        const col = document.createElement('col');
        col.style.width = w + 'px';
        colgroup.appendChild(col);
      }
      table.replaceChildren(colgroup, document.createElement('tbody'));
      table.style.width = widths.reduce((a, b) => a + b, 0) + 'px';
      gridShown = { layout, rows: [], keys: [] };
    }
    const body = table.tBodies[0];
    const spans = new Map();
    for (const [row, col, count] of grid.spans) spans.set(row + ':' + col, count);
    const covered = new Set();
    for (const [row, col, count] of grid.spans) for (let k = 1; k < count; ++k) covered.add(row + ':' + (col + k));
    const lefts = [];
    widths.reduce((sum, w, i) => { lefts[i] = sum; return sum + w; }, 0);
    const rowHeight = 17;
    const makeRow = (cells, r) => {
      const tr = document.createElement('tr');
      if (r < grid.fixedRows) tr.className = 'fixed';
      cells.forEach(([text, back, fore, bold, align], c) => {
        if (covered.has(r + ':' + c)) return;
        const td = document.createElement('td');
        td.textContent = text;
        const span = spans.get(r + ':' + c);
        if (span) { td.colSpan = span; td.style.textAlign = 'center'; }
        else td.style.textAlign = ALIGN[align] || 'left';
        td.style.background = css(back);
        td.style.color = css(fore);
        if (bold) td.style.fontWeight = 'bold';
        if (r < grid.fixedRows) td.style.top = r * rowHeight + 'px';
        if (c < grid.fixedCols) { td.classList.add('fixed'); td.style.left = lefts[c] + 'px'; }
        tr.appendChild(td);
      });
      return tr;
    };
    grid.cells.forEach((cells, r) => {
      const key = JSON.stringify(cells);
      if (gridShown.keys[r] === key) return;
      const tr = makeRow(cells, r);
      if (r < gridShown.rows.length) body.replaceChild(tr, gridShown.rows[r]);
      else body.appendChild(tr);
      gridShown.rows[r] = tr;
      gridShown.keys[r] = key;
    });
    while (gridShown.rows.length > grid.cells.length) {
      gridShown.rows.pop().remove();
      gridShown.keys.pop();
    }
  }

  // ---- effects: messages, downloads, the clipboard -------------------------------------------

  const messageQueue = [];
  const afterQueue = [];
  let messageOpen = false;

  function afterMessages(action) {
    if (!messageOpen && messageQueue.length === 0) action();
    else afterQueue.push(action);
  }

  function showNextMessage() {
    const dialog = document.getElementById('msgBox');
    if (messageQueue.length === 0) {
      messageOpen = false;
      while (afterQueue.length && !messageOpen) afterQueue.shift()();
      return;
    }
    messageOpen = true;
    document.getElementById('msgBoxText').textContent = shownText(messageQueue.shift());
    if (!dialog.open) dialog.showModal();
    document.getElementById('msgBoxOK').focus();
  }

  function closeMessage() {
    const dialog = document.getElementById('msgBox');
    if (messageQueue.length === 0 && dialog.open) dialog.close();
    showNextMessage();
  }

  function download(name, bytes) {
    const blob = new Blob([bytes], { type: name.endsWith('.csv') ? 'text/csv' : 'text/plain' });
    const link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = name;
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(() => URL.revokeObjectURL(link.href), 10000);
  }

  /** The effects the last action left, copied out of the module. */
  function takeEffects() {
    const list = [];
    for (let i = 0, n = session.effectCount(); i < n; ++i) {
      const kind = session.effectKind(i);
      list.push(kind === 1 ? { kind, name: session.effectName(i), bytes: session.effectBytes(i).slice() }
        : { kind, text: session.effectText(i) });
    }
    session.clearEffects();
    return list;
  }

  let pendingEffects = 0;
  let effectChain = Promise.resolve();

  /** Carries out an action's effects in the order of the actions: the clipboard first (when the
   *  browser refuses it, the action runs again with a refusing clipboard, so that the program
   *  shows its own message), then its downloads and messages. */
  function schedule(effects, action) {
    const texts = effects.filter((e) => e.kind === 2).map((e) => e.text);
    if (texts.length === 0 && pendingEffects === 0) { deliver(effects); return; }
    ++pendingEffects;
    effectChain = effectChain
      .then(() => texts.length === 0 ? effects : writeClipboard(texts).then(() => effects, () => {
        session.setClipboardRefusing(true);
        try { session.act(action[0], action[1], action[2]); } finally { session.setClipboardRefusing(false); }
        refresh();
        return takeEffects();
      }))
      .then((list) => { --pendingEffects; deliver(list); });
  }

  function writeClipboard(texts) {
    if (!navigator.clipboard || !navigator.clipboard.writeText) return Promise.reject(new Error('no clipboard'));
    return texts.reduce((done, text) => done.then(() => navigator.clipboard.writeText(text)), Promise.resolve());
  }

  function deliver(effects) {
    for (const e of effects) {
      if (e.kind === 0) messageQueue.push(e.text);
      else if (e.kind === 1) download(e.name, e.bytes);
    }
    if (!messageOpen) showNextMessage();
  }

  // ---- user actions ---------------------------------------------------------------------------

  /** Runs a user action in the module, then shows its result. Returns the validation's cancel.
   *  While a long launch waits for its "Busy..." to be shown, actions wait for the launch. */
  function act(event, id, value, show) {
    if (!session) return false;
    if (waiting !== null) {
      if (event !== 'move') waiting.push(() => act(event, id, value, show));
      return false;
    }
    const text = value === undefined ? '' : String(value);
    const cancel = session.act(event, id, text);
    if (show !== false || session.effectCount() > 0) refresh();
    if (session.effectCount() > 0) schedule(takeEffects(), [event, id, text]);
    return cancel;
  }

  /** Runs `action` now, or after the launch that is waiting to run. */
  function whenIdle(action) {
    if (waiting === null) action();
    else waiting.push(action);
  }

  // A launch that draws about this many dots again takes long enough to show its "Busy..." first.
  const LONG_LAUNCH_POINTS = 100000;
  let waiting = null; // the actions that came while a launch waits for the next frame

  const picker = document.getElementById('filePicker');
  function clickButton(id) {
    if (id === 'cmdLoad') {
      // The open dialog is answered before the handler runs: the picker first.
      picker.value = '';
      picker.click();
      return;
    }
    if ((id === 'cmdLaunch' || id === 'cmdLaunch2') && waiting === null &&
        session.graphPoints() >= LONG_LAUNCH_POINTS && session.act('press', id, '')) {
      // A browser shows nothing a handler does until it returns: the launch's first state is put
      // on the screen, and the launch runs once the page has been painted with it.
      refresh();
      waiting = [];
      requestAnimationFrame(() => setTimeout(() => {
        const after = waiting;
        waiting = null;
        act('click', id);
        for (const action of after) action();
      }, 0));
      return;
    }
    act('click', id);
  }
  picker.addEventListener('change', () => {
    const file = picker.files && picker.files[0];
    if (!file) return;
    file.arrayBuffer().then((buffer) => {
      session.pickFile(file.name, new Uint8Array(buffer));
      act('click', 'cmdLoad');
    });
  });

  function keyboard(event) {
    if (document.getElementById('frmZorbal').hidden || messageOpen) return;
    if (event.key === 'F5') {
      event.preventDefault();
      const launch = document.getElementById('cmdLaunch');
      if (!launch.disabled) launch.click();
    } else if (event.ctrlKey && (event.key === 'PageDown' || event.key === 'PageUp')) {
      // Ctrl+Tab belongs to the browser; Ctrl+PgDown and Ctrl+PgUp step through the pages.
      event.preventDefault();
      const tabs = tabViews[0];
      const count = tabs.headers.length;
      const current = tabs.headers.findIndex((header) => header.getAttribute('aria-selected') === 'true');
      const next = (current + (event.key === 'PageDown' ? 1 : count - 1)) % count;
      act('click', tabs.headers[next].id);
      tabs.headers[next].focus();
    }
  }

  // ---- start ----------------------------------------------------------------------------------

  function start(loaded) {
    module = loaded;
    session = new module.Session();
    const root = document.getElementById('frmZorbal');
    root.style.height = px(CLIENT_HEIGHT);
    views.set('frmZorbal', { kind: 'window', el: root });
    buildWindow(root, JSON.parse(session.form()));
    buildSplash();
    document.getElementById('msgBoxOK').addEventListener('click', closeMessage);
    document.getElementById('msgBox').addEventListener('cancel', (event) => { event.preventDefault(); closeMessage(); });
    document.addEventListener('keydown', keyboard);
    window.addEventListener('resize', () => { for (const view of graphs) paintGraph(view); });
    refresh();
    showWidth(WIDTH_WITH_HELP);
    document.getElementById('frmSplash').hidden = false;
    document.getElementById('cmdOK').focus();
    // Shown once its picture is on the screen.
    const picture = document.getElementById('Image1');
    const shown = () => requestAnimationFrame(() => {
      document.documentElement.dataset.splashShownAt = String(performance.now());
      document.documentElement.dataset.ready = 'splash';
    });
    (picture.decode ? picture.decode() : Promise.resolve()).then(shown, shown);
    // idle(): a promise kept once no launch is waiting to run.
    const idle = () => new Promise((resolve) => whenIdle(resolve));
    window.zorbalPage = { session, module, act, refresh, views, idle };
  }

  createZorbal().then(start);

  if ('serviceWorker' in navigator && (location.protocol === 'https:' || location.protocol === 'http:')) {
    navigator.serviceWorker.register('sw.js').catch(() => {});
  }
})();
