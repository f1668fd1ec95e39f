// SPDX-License-Identifier: MIT
// A grid control model: rows of cells with text, colours, bold and alignment, driven through a
// current cell as the history table's code expects, plus direct access for views and exports.
#pragma once

#include "platform/color.h"

#include <cstdint>
#include <string>
#include <vector>

namespace zorbal::platform {

enum class CellAlignment : std::uint8_t { General, LeftCenter, CenterCenter, RightCenter };

struct GridCell {
    std::string text;
    Color backColor = kWhite;
    Color foreColor = kBlack;
    bool bold = false;
    CellAlignment alignment = CellAlignment::General;
};

/// The grid. Rows and columns count from 0; the first FixedRows rows and FixedCols columns are
/// headings. Every change bumps revision() and marks its row, so a view can update only what
/// changed; writing a value a cell already has changes nothing and bumps nothing.
class Grid {
  public:
    Grid(int rows = 3, int cols = 18, int fixedRows = 2, int fixedCols = 1);

    int Rows() const { return static_cast<int>(m_cells.size()); }
    /// Sets the row count (at least FixedRows + 1); new rows get blank white cells, their fixed
    /// columns the fixed colour. The current row stays inside the grid.
    void setRows(int rows);
    int Cols() const { return m_cols; }
    int FixedRows() const { return m_fixedRows; }
    int FixedCols() const { return m_fixedCols; }

    /// The current cell.
    int Row = 0;
    int Col = 0;
    const std::string& Text() const { return cell(Row, Col).text; }
    void setText(std::string text);
    void setCellBackColor(Color color);
    void setCellForeColor(Color color);
    void setCellFontBold(bool bold);
    void setCellAlignment(CellAlignment alignment);

    /// Column widths in twips.
    int ColWidth(int col) const { return m_colWidths.at(static_cast<std::size_t>(col)); }
    void setColWidth(int col, int twips);

    /// Merging of equal neighbours, enabled per row.
    bool MergeRow(int row) const;
    void setMergeRow(int row, bool merge);

    /// Direct access by position (row and column in range).
    const GridCell& cell(int row, int col) const;
    const std::string& TextMatrix(int row, int col) const { return cell(row, col).text; }

    /// Spans of merged equal neighbours in a merging row: (first column, count) for runs of two
    /// or more equal, non-empty texts.
    std::vector<std::pair<int, int>> mergedSpans(int row) const;

    /// Free merging (MergeCells) switched on or off.
    void setMergeCells(bool merge);

    /// Changes so far; views compare it with the last revision they showed.
    std::uint64_t revision() const { return m_revision; }
    /// The revision at which a row last changed.
    std::uint64_t rowRevision(int row) const { return m_rowRevisions.at(static_cast<std::size_t>(row)); }
    /// The revision at which the column widths or the merging switches last changed (rows added
    /// show in rowsChangedSince instead).
    std::uint64_t layoutRevision() const { return m_layoutRevision; }
    /// The rows that changed after `revision`, in order (rows added since then included).
    std::vector<int> rowsChangedSince(std::uint64_t revision) const;

    static constexpr Color kFixedColor = rgb(240, 240, 240);

  private:
    GridCell& current();
    void touchRow(int row);

    int m_cols;
    int m_fixedRows;
    int m_fixedCols;
    std::vector<std::vector<GridCell>> m_cells;
    std::vector<int> m_colWidths;
    std::vector<bool> m_mergeRows;
    std::vector<std::uint64_t> m_rowRevisions;
    bool m_mergeCells = false;
    std::uint64_t m_revision = 0;
    std::uint64_t m_layoutRevision = 0;
};

} // namespace zorbal::platform
