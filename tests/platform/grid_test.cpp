// SPDX-License-Identifier: MIT
// The grid model: growing rows, the current cell, revisions that tell a view what changed.
#include "platform/grid.h"

#include <gtest/gtest.h>

namespace zorbal::platform {
namespace {

TEST(Grid, NewRowsAreBlankWithTheFixedColumnShaded) {
    Grid grid(3, 18, 2, 1);
    grid.setRows(6);
    ASSERT_EQ(grid.Rows(), 6);
    EXPECT_EQ(grid.cell(5, 0).backColor, Grid::kFixedColor);
    EXPECT_EQ(grid.cell(5, 1).backColor, kWhite);
    EXPECT_EQ(grid.cell(0, 7).backColor, Grid::kFixedColor);
    EXPECT_EQ(grid.TextMatrix(5, 17), "");
    EXPECT_THROW((void)grid.cell(6, 0), std::out_of_range);
}

TEST(Grid, OnlyRealChangesBumpTheRevisionOfTheirRow) {
    Grid grid(5, 4, 1, 1);
    grid.Row = 3;
    grid.Col = 2;
    grid.setText("12.5");
    grid.setCellBackColor(rgb(1, 2, 3));
    EXPECT_EQ(grid.Text(), "12.5");
    const auto before = grid.revision();
    grid.setText("12.5");
    grid.setCellBackColor(rgb(1, 2, 3));
    grid.setCellFontBold(false);
    grid.setCellAlignment(CellAlignment::General);
    grid.setRows(5);
    EXPECT_EQ(grid.revision(), before);

    grid.setCellFontBold(true);
    grid.Row = 1;
    grid.setCellForeColor(kRed);
    EXPECT_EQ(grid.rowsChangedSince(before), (std::vector<int>{1, 3}));
    grid.setRows(7);
    EXPECT_EQ(grid.rowsChangedSince(before), (std::vector<int>{1, 3, 5, 6}));
    EXPECT_LT(grid.layoutRevision(), before);
}

TEST(Grid, EqualNeighboursMergeOnlyWhenTheRowAndTheGridAllowIt) {
    Grid grid(2, 5, 1, 0);
    for (int c = 0; c < 5; ++c) {
        grid.Col = c;
        grid.setText(c < 3 ? "A" : (c == 3 ? "" : "B"));
    }
    EXPECT_TRUE(grid.mergedSpans(0).empty());
    grid.setMergeRow(0, true);
    EXPECT_TRUE(grid.mergedSpans(0).empty());
    const auto before = grid.layoutRevision();
    grid.setMergeCells(true);
    EXPECT_GT(grid.layoutRevision(), before);
    EXPECT_EQ(grid.mergedSpans(0), (std::vector<std::pair<int, int>>{{0, 3}}));
}

} // namespace
} // namespace zorbal::platform
