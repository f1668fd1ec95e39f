// SPDX-License-Identifier: MIT
// The launch history table as launches from the window fill it.
#include "history/history_table.h"
#include "marked_cells.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

namespace zorbal::history {
namespace {

using platform::Grid;

using HistoryWindow = test::WindowTest;

TEST_F(HistoryWindow, ThreeLaunchesAndARePlot) {
    ASSERT_TRUE(launch());
    type(10, "2");
    ASSERT_TRUE(launch());
    type(8, "1.5"); // ignored while the rail is off
    ASSERT_TRUE(launch());
    const Grid& grid = window.MSFlexGrid1;
    ASSERT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(2, 0), "1");
    EXPECT_EQ(grid.TextMatrix(4, 0), "3");
    EXPECT_EQ(grid.TextMatrix(3, 10), "2");
    EXPECT_EQ(grid.cell(3, 10).backColor, kChangedYellow);
    EXPECT_EQ(grid.TextMatrix(4, 8), "0");
    EXPECT_EQ(grid.TextMatrix(4, 12), "Angle");
    EXPECT_EQ(grid.TextMatrix(4, 17), window.txtOutput[9].Text);
    EXPECT_EQ(marked(grid, 4), std::vector<int>{});

    window.chkOptions[2].setValue(1);
    type(8, "0.5");
    window.Replot();
    EXPECT_EQ(window.LaunchCount, 3);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.TextMatrix(4, 8), "0.5");
    EXPECT_EQ(grid.cell(4, 8).backColor, kChangedYellow);
}

} // namespace
} // namespace zorbal::history
