// SPDX-License-Identifier: MIT
// A grid control model.
#include "platform/grid.h"

#include <algorithm>
#include <stdexcept>

namespace zorbal::platform {

Grid::Grid(int rows, int cols, int fixedRows, int fixedCols)
    : m_cols(cols), m_fixedRows(fixedRows), m_fixedCols(fixedCols),
      m_colWidths(static_cast<std::size_t>(cols), 960) {
    setRows(rows);
}

void Grid::setRows(int rows) {
    rows = std::max(rows, m_fixedRows + 1);
    const auto old = static_cast<int>(m_cells.size());
    if (rows == old)
        return;
    m_cells.resize(static_cast<std::size_t>(rows));
    m_rowRevisions.resize(static_cast<std::size_t>(rows), 0);
    m_mergeRows.resize(static_cast<std::size_t>(rows), false);
    for (int r = old; r < rows; ++r) {
        auto& row = m_cells[static_cast<std::size_t>(r)];
        row.resize(static_cast<std::size_t>(m_cols));
        for (int c = 0; c < m_cols; ++c)
            if (r < m_fixedRows || c < m_fixedCols)
                row[static_cast<std::size_t>(c)].backColor = kFixedColor;
        touchRow(r);
    }
    Row = std::min(Row, rows - 1);
}

const GridCell& Grid::cell(int row, int col) const {
    if (row < 0 || row >= Rows() || col < 0 || col >= m_cols)
        throw std::out_of_range("grid cell out of range");
    return m_cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)];
}

GridCell& Grid::current() {
    return const_cast<GridCell&>(cell(Row, Col));
}

void Grid::touchRow(int row) {
    m_rowRevisions[static_cast<std::size_t>(row)] = ++m_revision;
}

namespace {
// Writes `value` into `field`; true when it changed.
template <typename T> bool assign(T& field, T value) {
    if (field == value)
        return false;
    field = std::move(value);
    return true;
}
} // namespace

void Grid::setText(std::string text) {
    if (assign(current().text, std::move(text)))
        touchRow(Row);
}
void Grid::setCellBackColor(Color color) {
    if (assign(current().backColor, color))
        touchRow(Row);
}
void Grid::setCellForeColor(Color color) {
    if (assign(current().foreColor, color))
        touchRow(Row);
}
void Grid::setCellFontBold(bool bold) {
    if (assign(current().bold, bold))
        touchRow(Row);
}
void Grid::setCellAlignment(CellAlignment alignment) {
    if (assign(current().alignment, alignment))
        touchRow(Row);
}

void Grid::setColWidth(int col, int twips) {
    if (assign(m_colWidths.at(static_cast<std::size_t>(col)), twips))
        m_layoutRevision = ++m_revision;
}

bool Grid::MergeRow(int row) const {
    return m_mergeRows.at(static_cast<std::size_t>(row));
}

void Grid::setMergeRow(int row, bool merge) {
    if (m_mergeRows.at(static_cast<std::size_t>(row)) == merge)
        return;
    m_mergeRows.at(static_cast<std::size_t>(row)) = merge;
    m_layoutRevision = ++m_revision;
}

void Grid::setMergeCells(bool merge) {
    if (assign(m_mergeCells, merge))
        m_layoutRevision = ++m_revision;
}

std::vector<int> Grid::rowsChangedSince(std::uint64_t revision) const {
    std::vector<int> rows;
    for (int r = 0; r < Rows(); ++r)
        if (m_rowRevisions[static_cast<std::size_t>(r)] > revision)
            rows.push_back(r);
    return rows;
}

std::vector<std::pair<int, int>> Grid::mergedSpans(int row) const {
    std::vector<std::pair<int, int>> spans;
    if (!m_mergeCells || !MergeRow(row))
        return spans;
    int start = 0;
    for (int c = 1; c <= m_cols; ++c) {
        if (c == m_cols || TextMatrix(row, c) != TextMatrix(row, start)) {
            if (c - start >= 2 && !TextMatrix(row, start).empty())
                spans.emplace_back(start, c - start);
            start = c;
        }
    }
    return spans;
}

} // namespace zorbal::platform
