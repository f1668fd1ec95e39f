// SPDX-License-Identifier: MIT
// The trajectory and history export texts and the comma-mode quoting.
#include "files/export_text.h"
#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>

namespace zorbal::files {
namespace {

std::string field(std::string_view text, char separator) {
    std::string out;
    appendField(out, text, separator);
    return out;
}

TEST(ExportField, QuotesOnlyCommaModeCellsThatWouldSplitTheirRow) {
    EXPECT_EQ(field("1,234.56", ','), "\"1,234.56\"");
    EXPECT_EQ(field("say \"hi\"", ','), "\"say \"\"hi\"\"\"");
    EXPECT_EQ(field("two\r\nlines", ','), "\"two\r\nlines\"");
    EXPECT_EQ(field("Range(m)", ','), "Range(m)");
    EXPECT_EQ(field("", ','), "");
    EXPECT_EQ(field("1,234.56", '\t'), "1,234.56");
    EXPECT_EQ(field("a\"b", '\t'), "a\"b");
    // The sweep's CSV output quotes its fields the same way.
    EXPECT_EQ(csvField("two\r\nlines, \"quoted\""), field("two\r\nlines, \"quoted\"", ','));
}

TEST(ExportNumber, WritesExactlyTheSignPositionText) {
    std::vector<double> values = {0.0,
                                  -0.0,
                                  7,
                                  -7,
                                  0.5,
                                  -0.25,
                                  1e-5,
                                  -1.5e-5,
                                  123456789012345.0,
                                  1e15,
                                  1e16,
                                  -1e16,
                                  1e-300,
                                  1e300,
                                  0.1,
                                  1.0 / 3,
                                  2.0 / 3,
                                  99999999999999.95,
                                  1e-4,
                                  1.0e-5,
                                  5e-324,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::infinity(),
                                  -std::numeric_limits<double>::infinity()};
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-30, 30);
    for (int i = 0; i < 20000; ++i)
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
    for (double v : values) {
        std::string fast;
        appendExportNumber(fast, v);
        ASSERT_EQ(fast, platform::signText(v)) << v;
    }
}

TEST(TrajectoryExport, HasTheHeaderAndOneLinePerSampleWithFourSeparators) {
    sim::TrajectorySlot slot;
    slot.samples = {{0.001, 0, 0.05, 1.5, -2}, {0.002, 0.25, -0.0, -1e-7, 12.125}};
    EXPECT_EQ(trajectoryExportText(slot, kTabSeparator), "t (s)\tx (m)\ty (m)\tVx (m/s)\tVy (m/s)\r\n"
                                                         " 0.001\t 0\t 0.05\t 1.5\t-2\r\n"
                                                         " 0.002\t 0.25\t 0\t-1E-07\t 12.125\r\n");
    EXPECT_EQ(trajectoryExportText(slot, kCommaSeparator), "t (s),x (m),y (m),Vx (m/s),Vy (m/s)\r\n"
                                                           " 0.001, 0, 0.05, 1.5,-2\r\n"
                                                           " 0.002, 0.25, 0,-1E-07, 12.125\r\n");
    EXPECT_EQ(trajectoryExportText(sim::TrajectorySlot{}, kTabSeparator),
              "t (s)\tx (m)\ty (m)\tVx (m/s)\tVy (m/s)\r\n");
}

TEST(HistoryExport, ExportsHeadingsAndLaunchRowsAndLeavesTheCurrentCellOnTheLastOne) {
    platform::Grid grid(4, 18, 2, 1);
    for (int row = 0; row < 4; ++row)
        for (int col = 0; col < 18; ++col) {
            grid.Row = row;
            grid.Col = col;
            grid.setText("r" + std::to_string(row) + "c" + std::to_string(col));
        }
    grid.Row = 3;
    grid.Col = 17;
    grid.setText("1,234.56");
    grid.Row = 0;
    grid.Col = 0;

    const std::string tab = historyExportText(grid, 2, kTabSeparator);
    EXPECT_EQ(tab.find("r0c"), std::string::npos); // the group headings are not exported
    EXPECT_EQ(tab.substr(0, 14), "r1c0\tr1c1\tr1c2");
    EXPECT_EQ(std::count(tab.begin(), tab.end(), '\t'), 3 * 17);
    EXPECT_TRUE(tab.ends_with("\tr3c16\t1,234.56\r\n")) << tab;
    EXPECT_EQ(grid.Row, 3);
    EXPECT_EQ(grid.Col, 17);

    const std::string comma = historyExportText(grid, 2, kCommaSeparator);
    EXPECT_TRUE(comma.ends_with(",r3c16,\"1,234.56\"\r\n")) << comma;

    // A count beyond the grid's rows exports what the grid has.
    EXPECT_EQ(historyExportText(grid, 5, kTabSeparator), tab);
}

} // namespace
} // namespace zorbal::files
