// SPDX-License-Identifier: MIT
// The graphs: the module's commands for each display list stroked and filled onto their canvases,
// in order (the module places everything as the desktop does), the dots of the point runs laid
// over them from the module's layer of pixels.
'use strict';

(function (Z) {
  const { TWIPS_PER_PX, css } = Z;

  // The kinds of the module's canvas commands (CanvasCommand in src/web/web_session.h).
  const DOTS = 0, HAIRLINE = 1, LINE = 2, FILL_RECT = 3, STROKE_RECT = 4, ELLIPSE = 5, ARC = 6;
  const TEXT = 7, STROKE = 8, POLYLINE = 9, POLYLINE_TO = 10, FILL_ELLIPSE = 11, HATCH = 12;
  const ROUND_CAP = 1;
  // The charts' text, as the desktop draws it.
  const CHART_FONT = '"DejaVu Sans", "Liberation Sans", Arial, sans-serif';
  const TEXT_ALIGNS = ['left', 'center', 'right'];
  const TEXT_BASELINES = ['top', 'middle', 'bottom'];
  const HATCH_SPACING = 8; // pixels between the lines of a hatching

  /** Writes `text` at (x, y), placed as its command's flags say: hAlign + 3 * vAlign + 9 * bold + 18 * turned. */
  function paintText(ctx, text, x, y, sizePx, flags, colour) {
    ctx.save();
    ctx.font = ((flags % 18) >= 9 ? 'bold ' : '') + Math.max(1, Math.round(sizePx)) + 'px ' + CHART_FONT;
    ctx.fillStyle = css(colour);
    ctx.textAlign = TEXT_ALIGNS[flags % 3];
    ctx.textBaseline = TEXT_BASELINES[Math.floor(flags / 3) % 3];
    ctx.translate(x, y);
    if (flags >= 18) ctx.rotate(-Math.PI / 2);
    ctx.fillText(text, 0, 0);
    ctx.restore();
  }

  /** Diagonal lines, rising to the right, over the rectangle. */
  function paintHatch(ctx, x, y, w, h, colour) {
    ctx.save();
    ctx.beginPath();
    ctx.rect(x, y, w, h);
    ctx.clip();
    ctx.strokeStyle = css(colour);
    ctx.lineWidth = 1;
    ctx.beginPath();
    for (let k = -h; k < w; k += HATCH_SPACING) {
      ctx.moveTo(x + k, y + h);
      ctx.lineTo(x + k + h, y);
    }
    ctx.stroke();
    ctx.restore();
  }

  function paintGraph(view) {
    const canvas = view.el;
    const ratio = Z.pixelRatio(); // the device's pixels for the window's scale
    // The canvas's pixels are the device's where it is shown: a zoomed graph's border stays a
    // whole CSS pixel, so the inside is not quite the designed size times the scale.
    const shown = canvas.getBoundingClientRect();
    const device = window.devicePixelRatio || 1;
    const widthPx = shown.width > 0 ? Math.round(shown.width * device) : Math.round((view.width / TWIPS_PER_PX - 2) * ratio);
    const heightPx = shown.height > 0 ? Math.round(shown.height * device) : Math.round((view.height / TWIPS_PER_PX - 2) * ratio);
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
    // Everything else comes as commands already mapped, clipped and snapped to the pixels.
    session.prepareLayer(W, H);
    const painting = session.paintCommands(view.which, W, H, ratio);
    const commands = painting.commands;
    const N = module.commandWords;
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.fillStyle = css(painting.back);
    ctx.fillRect(0, 0, W, H);
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
    const setPen = (colour, width, cap) => {
      ctx.strokeStyle = css(colour);
      ctx.lineWidth = width;
      ctx.lineCap = cap === ROUND_CAP ? 'round' : 'square';
      ctx.lineJoin = 'round';
    };
    for (let i = 0; i < commands.length; i += N) {
      const kind = commands[i], colour = commands[i + 1], width = commands[i + 2], cap = commands[i + 3];
      const a = commands[i + 4], b = commands[i + 5], c = commands[i + 6], d = commands[i + 7], e = commands[i + 8];
      if (kind === DOTS) {
        strokeHairlines();
        session.paintPoints(view.which, a, b, c, d, e, ratio);
        dots = true;
        continue;
      }
      flush();
      if (kind === HAIRLINE) {
        // Whole pixels in one colour: a path of several is stroked at once (the grid lines).
        if (hairlines !== colour) {
          strokeHairlines();
          setPen(colour, width, cap);
          ctx.beginPath();
          hairlines = colour;
        }
        ctx.moveTo(a, b);
        ctx.lineTo(c, d);
        continue;
      }
      strokeHairlines();
      if (kind === FILL_RECT) {
        ctx.fillStyle = css(colour);
        ctx.globalAlpha = e / 255;
        ctx.fillRect(a, b, c, d);
        ctx.globalAlpha = 1;
        continue;
      }
      if (kind === TEXT) {
        paintText(ctx, session.surfaceText(view.which, d), a, b, c, e, colour);
        continue;
      }
      if (kind === HATCH) {
        paintHatch(ctx, a, b, c, d, colour);
        continue;
      }
      if (kind === FILL_ELLIPSE) {
        ctx.fillStyle = css(colour);
        ctx.beginPath();
        ctx.ellipse(a, b, c, d, 0, 0, 2 * Math.PI);
        ctx.fill();
        continue;
      }
      if (kind === STROKE) {
        setPen(colour, width, 0);
        ctx.lineCap = 'butt';
        if (e === 1) ctx.setLineDash([3 * width, 3 * width]);
        ctx.beginPath();
        ctx.moveTo(a, b);
        ctx.lineTo(c, d);
        ctx.stroke();
        ctx.setLineDash([]);
        continue;
      }
      if (kind === POLYLINE) {
        // Its points follow it, one command each.
        setPen(colour, width, ROUND_CAP);
        ctx.beginPath();
        ctx.moveTo(a, b);
        while (i + N < commands.length && commands[i + N] === POLYLINE_TO) {
          i += N;
          ctx.lineTo(commands[i + 4], commands[i + 5]);
        }
        ctx.stroke();
        continue;
      }
      setPen(colour, width, cap);
      if (kind === STROKE_RECT) {
        ctx.strokeRect(a, b, c, d);
        continue;
      }
      ctx.beginPath();
      if (kind === LINE) {
        ctx.moveTo(a, b);
        ctx.lineTo(c, d);
      } else if (kind === ELLIPSE) {
        ctx.ellipse(a, b, c, d, 0, 0, 2 * Math.PI);
      } else if (kind === ARC) {
        ctx.arc(a, b, c, d, e, true);
      }
      ctx.stroke();
    }
    strokeHairlines();
    flush();
  }

  Z.paintGraph = paintGraph;
  Z.paintDisplayList = paintDisplayList;
})(Zorbal);
