// SPDX-License-Identifier: MIT
// The window's elements: one for each control of the session's form table, at its designed
// place in twips, each sending its user's input to the session as an action; and the splash
// window's, which index.html holds.
'use strict';

(function (Z) {
  const { px, css, views, moveIds, graphs, tabViews } = Z;

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
      if (moveIds.has(id)) Z.act('move', id);
    });
    longPress(el, id);
  }

  // A touch held this long shows the control's advice, as the mouse moving over it does, and
  // the tap it ends with does not run the control.
  const LONG_PRESS_MS = 500;
  let pressedLong = null;

  function longPress(el, id) {
    let timer = null;
    const cancel = () => { clearTimeout(timer); timer = null; };
    el.addEventListener('pointerdown', (event) => {
      if (event.pointerType !== 'touch') return;
      event.stopPropagation();
      cancel();
      timer = setTimeout(() => {
        timer = null;
        if (!moveIds.has(id)) return;
        pressedLong = el;
        Z.act('move', id);
      }, LONG_PRESS_MS);
    });
    for (const type of ['pointerup', 'pointercancel', 'pointerleave']) el.addEventListener(type, cancel);
    el.addEventListener('contextmenu', (event) => { if (pressedLong === el) event.preventDefault(); });
  }
  // The click after a long press is swallowed before any control sees it.
  document.addEventListener('click', (event) => {
    if (pressedLong && pressedLong.contains(event.target)) {
      event.preventDefault();
      event.stopImmediatePropagation();
    }
    pressedLong = null;
  }, true);

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
    legend.id = id + '_legend';
    el.appendChild(legend);
    el.setAttribute('role', 'group');
    el.setAttribute('aria-labelledby', legend.id);
    views.get(id).legend = legend;
    if (moves) moveIds.add(id);
    if (clicks) el.addEventListener('click', (event) => { if (event.target === el || event.target === legend) Z.act('click', id); });
    return el;
  }

  function lineBox(parent, id, left, top, width, height, validates, clicks) {
    const el = make(parent, 'input', id, left, top, width, height, 'box');
    el.type = 'text';
    el.className += ' box';
    el.spellcheck = false;
    el.autocomplete = 'off';
    moveIds.add(id);
    el.addEventListener('input', () => Z.act('input', id, el.value, false));
    if (clicks) el.addEventListener('click', () => Z.act('click', id));
    if (validates) {
      el.addEventListener('blur', (event) => {
        // The focus moves to another control of the window; a message box or another program
        // taking it is not a change of control.
        const next = event.relatedTarget;
        if (!next || !document.getElementById('frmZorbal').contains(next)) return;
        Z.whenIdle(() => { if (Z.act('validate', id)) Z.afterMessages(() => el.focus()); });
      });
    }
    return el;
  }

  function textArea(parent, id, left, top, width, height, classes) {
    const el = make(parent, 'textarea', id, left, top, width, height, 'area');
    el.className += ' area ' + (classes || '');
    el.spellcheck = false;
    el.addEventListener('input', () => Z.act('input', id, el.value.replace(/\r?\n/g, '\r\n'), false));
    return el;
  }

  function button(parent, id, left, top, width, height) {
    const el = make(parent, 'button', id, left, top, width, height, 'button');
    el.type = 'button';
    el.className += ' btn';
    moveIds.add(id);
    el.addEventListener('click', () => Z.clickButton(id));
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
    box.addEventListener('click', () => Z.act('click', id, box.checked ? '1' : '0'));
    return box;
  }

  /** The option buttons of one group stand in one radio group, named as their frame is. */
  function radioGroup(parent, group) {
    let holder = parent.querySelector(':scope > [role="radiogroup"][data-group="' + group + '"]');
    if (!holder) {
      holder = document.createElement('div');
      holder.setAttribute('role', 'radiogroup');
      holder.dataset.group = group;
      const legend = parent.querySelector(':scope > .legend');
      if (legend) holder.setAttribute('aria-labelledby', legend.id);
      parent.appendChild(holder);
    }
    return holder;
  }

  function optionButton(parent, id, group, left, top, width, height) {
    const option = choice(radioGroup(parent, group), id, 'radio', 'option', 'option', left, top, width, height);
    option.name = group;
    option.addEventListener('click', () => Z.act('click', id));
    return option;
  }

  function graph(parent, id, left, top, width, height) {
    const el = make(parent, 'div', id + '_frame', left, top, width, height, 'graphframe');
    el.classList.add('graph');
    const canvas = document.createElement('canvas');
    canvas.id = id;
    canvas.setAttribute('role', 'img');
    el.appendChild(canvas);
    // The numbers behind the graph, for screen readers: the latest flight's events.
    const numbers = document.createElement('table');
    numbers.className = 'visually-hidden';
    el.appendChild(numbers);
    const view = { kind: 'graph', el: canvas, numbers, which: graphs.length, revision: 0, paintedRevision: -1, width, height };
    views.set(id, view);
    graphs.push(view);
    moveIds.add(id);
    canvas.addEventListener('mousemove', (event) => { event.stopPropagation(); Z.act('move', id); });
    return el;
  }

  function tabControl(parent, id, left, top, width, height, count) {
    const tabs = make(parent, 'div', id, left, top, width, height, 'tabs');
    tabs.classList.add('tabcontrol');
    const frameEl = document.createElement('div');
    frameEl.className = 'pageframe';
    tabs.appendChild(frameEl);
    const bar = document.createElement('div');
    bar.className = 'tabs';
    bar.setAttribute('role', 'tablist');
    bar.addEventListener('keydown', (event) => Z.tabStripKey(event, views.get(id)));
    tabs.appendChild(bar);
    const pages = [];
    for (let i = 0; i < count; ++i) {
      const header = document.createElement('button');
      header.type = 'button';
      header.id = id + '_' + i;
      header.setAttribute('role', 'tab');
      header.setAttribute('aria-controls', id + '_page_' + i);
      header.addEventListener('click', () => Z.act('click', header.id));
      bar.appendChild(header);
      views.set(header.id, { kind: 'tab', el: header });
      const page = document.createElement('div');
      page.className = 'page';
      page.id = id + '_page_' + i;
      page.hidden = true;
      page.setAttribute('role', 'tabpanel');
      page.setAttribute('aria-labelledby', header.id);
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
        // The scroll region takes the focus, so the arrow keys scroll it.
        holder.tabIndex = 0;
        holder.setAttribute('role', 'region');
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
    for (const c of form) name(c, containers);
    // The help panel is the window's complementary region: its text and the label naming it.
    const help = form.find((c) => c.id === 'txtHelp');
    if (help && help.caption) {
      const aside = document.createElement('aside');
      aside.setAttribute('aria-labelledby', help.caption);
      root.insertBefore(aside, document.getElementById(help.caption));
      aside.append(document.getElementById(help.caption), document.getElementById(help.id));
    }
  }

  /** A box, text area or grid is named by the label its row calls its caption and described by
   *  its unit's label. */
  function name(c, containers) {
    if (!c.caption && !c.unit) return;
    const el = c.kind === 'grid' ? containers.get(c.id) : views.get(c.id).el;
    // An option button names the box under it by its caption.
    const caption = c.caption && views.get(c.caption).caption;
    if (caption) caption.id = c.caption + '_caption';
    if (c.caption) el.setAttribute('aria-labelledby', caption ? caption.id : c.caption);
    if (c.unit) el.setAttribute('aria-describedby', c.unit);
  }

  // The families the page stands in for the splash window's designed fonts; the others are the page's.
  const SPLASH_FAMILIES = { Arial: 'Arial, "Liberation Sans", sans-serif' };

  /** The splash window's elements, placed and styled from the module's splash form. */
  function buildSplash(form) {
    const splash = document.getElementById('frmSplash');
    splash.style.width = px(form.width);
    splash.style.height = px(form.height);
    for (const c of form.controls) {
      const el = document.getElementById(c.id);
      el.style.left = px(c.left); el.style.top = px(c.top); el.style.width = px(c.width); el.style.height = px(c.height);
      if (c.kind === 'label') {
        el.style.fontSize = c.points + 'pt';
        if (SPLASH_FAMILIES[c.family]) el.style.fontFamily = SPLASH_FAMILIES[c.family];
        views.set(c.id, { kind: 'splashlabel', el });
      } else {
        el.addEventListener('click', () => Z.act('click', c.id));
        if (c.kind === 'button') views.set(c.id, { kind: 'button', el });
      }
    }
    views.set('frmSplash', { kind: 'splash', el: splash });
  }

  Z.buildWindow = buildWindow;
  Z.buildSplash = buildSplash;
})(Zorbal);
