// SPDX-License-Identifier: MIT
// The graphs: the module's display lists painted onto their canvases as the desktop paints them,
// the dots of the point runs laid over them from the module's layer of pixels.
'use strict';

(function (Z) {
  const { TWIPS_PER_PX, css } = Z;

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
    const { session, module } = Z;
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

  Z.paintGraph = paintGraph;
})(Zorbal);
