// SPDX-License-Identifier: MIT
// Which cells of a history row carry a mark.
#pragma once

#include "history/history_table.h"

#include <vector>

namespace zorbal::history {

/// The cells of `row` that are yellow, pink or bold.
inline std::vector<int> marked(const platform::Grid& grid, int row) {
    std::vector<int> cols;
    for (int c = 0; c < kColumnCount; ++c) {
        const auto& cell = grid.cell(row, c);
        if (cell.backColor == kChangedYellow || cell.backColor == kBestPink || cell.bold)
            cols.push_back(c);
    }
    return cols;
}

} // namespace zorbal::history
