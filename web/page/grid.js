// SPDX-License-Identifier: MIT
// The history grid: the module's cells shown in a table, only the rows that changed made again.
'use strict';

(function (Z) {
  const { TWIPS_PER_PX, views } = Z;

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
        // The fixed rows head the columns, the fixed columns the rows.
        const heads = (r < grid.fixedRows || c < grid.fixedCols) && text !== '';
        const td = document.createElement(heads ? 'th' : 'td');
        if (heads) td.scope = r < grid.fixedRows ? (spans.has(r + ':' + c) ? 'colgroup' : 'col') : 'row';
        td.textContent = text;
        const span = spans.get(r + ':' + c);
        if (span) { td.colSpan = span; td.style.textAlign = 'center'; }
        else td.style.textAlign = ALIGN[align] || 'left';
        Z.tint(td, 'back', back);
        Z.tint(td, 'fore', Z.readable(fore, back));
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

  Z.paintGrid = paintGrid;
})(Zorbal);
