// SPDX-License-Identifier: MIT
// The launch history table: headings, launch rows, changed-parameter and best-result marks.
#include "history/history_table.h"
#include "marked_cells.h"

#include <gtest/gtest.h>

#include <random>

namespace zorbal::history {
namespace {

using platform::Grid;
using Texts = std::array<std::string, kColumnCount>;

LaunchEntry defaultEntry(int launchNumber) {
    LaunchEntry e;
    e.launchNumber = launchNumber;
    e.inputs = {"2.00", "30.0", "1000", "3.0", "22", "100", "10.0",
                "60",   "0.50", "70",   "0.0", "0",  "3.0", "0.50"};
    e.flightTime = "4.30";
    e.maxHeight = "22.58";
    e.range = "51.57";
    return e;
}

Texts texts(int launchNumber, int col = -1, const std::string& text = {}) {
    Texts t = launchRowTexts(defaultEntry(launchNumber));
    if (col >= 0)
        t[static_cast<std::size_t>(col)] = text;
    return t;
}

Grid preparedGrid() {
    Grid grid;
    prepareGrid(grid);
    return grid;
}

TEST(HistoryHeadings, TwoBoldCentredRowsWithGroupsMergedAndDesignedWidths) {
    const Grid grid = preparedGrid();
    const char* headings[] = {"Launch",    "Vol(l)",       "Fill(%)",      "P(atm)",      "M(g)",
                              "Drag",      "Nozz(mm)",     "Eff(%)",       "Rail (m)",    "Angle",
                              "Wind(m/s)", "Para Size(m)", "Para Trigger", "Trig A(deg)", "Trig T(s)",
                              "Time(s)",   "Height(m)",    "Range(m)"};
    const int widths[] = {800, 800,  800,  800,  800,  800,  1200, 800,  800,
                          800, 1200, 1200, 1200, 1200, 1200, 1200, 1400, 1400};
    for (int c = 0; c < kColumnCount; ++c) {
        EXPECT_EQ(grid.TextMatrix(1, c), headings[c]);
        EXPECT_EQ(grid.ColWidth(c), widths[c]) << c;
        for (int r = 0; r < 2; ++r) {
            EXPECT_TRUE(grid.cell(r, c).bold);
            EXPECT_EQ(grid.cell(r, c).alignment, platform::CellAlignment::CenterCenter);
        }
        EXPECT_EQ(grid.cell(0, c).foreColor, kGroupRed);
        EXPECT_EQ(grid.cell(1, c).foreColor, platform::kBlack);
    }
    EXPECT_EQ(grid.TextMatrix(0, 0), "");
    EXPECT_EQ(grid.TextMatrix(0, 10), "Wind");
    const std::vector<std::pair<int, int>> groups{{1, 7}, {8, 2}, {11, 4}, {15, 3}};
    EXPECT_EQ(grid.mergedSpans(0), groups);
    EXPECT_TRUE(grid.mergedSpans(1).empty());
    EXPECT_EQ(grid.Rows(), 3);
}

TEST(HistoryRows, FirstLaunchHasGroupColoursAndNoMarks) {
    Grid grid = preparedGrid();
    addLaunch(grid, 1, texts(1));
    EXPECT_EQ(grid.Rows(), 3);
    const platform::Color colours[] = {
        Grid::kFixedColor, kLilac,      kLilac,    kLilac,    kLilac,    kLilac,    kLilac,    kLilac,
        kPaleViolet,       kPaleViolet, kPaleBlue, kLavender, kLavender, kLavender, kLavender, kResultWhite,
        kResultWhite,      kResultWhite};
    for (int c = 0; c < kColumnCount; ++c) {
        EXPECT_EQ(grid.cell(2, c).backColor, colours[c]) << c;
        EXPECT_EQ(grid.cell(2, c).alignment, platform::CellAlignment::CenterCenter);
    }
    EXPECT_TRUE(marked(grid, 2).empty());
    EXPECT_EQ(grid.TextMatrix(2, 0), "1");
    EXPECT_EQ(grid.TextMatrix(2, 17), "51.57");
}

TEST(HistoryRows, TextsComeFromTheBoxesAsTypedWithOptionsApplied) {
    LaunchEntry e = defaultEntry(7);
    e.inputs[8] = "1.5";
    e.inputs[13] = "0.75";
    e.isTriggerByAngle = false;
    const Texts off = launchRowTexts(e);
    EXPECT_EQ(off[8], "0");
    EXPECT_EQ(off[11], "0");
    EXPECT_EQ(off[12], "Time");
    EXPECT_EQ(off[13], "0");   // trigger angle box, whatever the parachute option
    EXPECT_EQ(off[14], "3.0"); // trigger delay box
    e.isRailOn = true;
    e.isParachuteOn = true;
    e.isTriggerByAngle = true;
    const Texts on = launchRowTexts(e);
    const Texts expected{"7",  "2.00", "30.0", "3.0",   "100", "10.0", "22",   "70",    "1.5",
                         "60", "0.0",  "0.75", "Angle", "0",   "3.0",  "4.30", "22.58", "51.57"};
    EXPECT_EQ(on, expected);
}

TEST(HistoryChanges, ChangedTextsTurnYellowAsExactStrings) {
    Grid grid = preparedGrid();
    addLaunch(grid, 1, texts(1));
    addLaunch(grid, 2, texts(2));
    EXPECT_EQ(marked(grid, 3), std::vector<int>{}); // same inputs, and equal results stay with launch 1
    EXPECT_EQ(marked(grid, 2), std::vector<int>({15, 16, 17}));

    addLaunch(grid, 3, texts(3, 10, "2")); // wind 0 -> 2
    addLaunch(grid, 4, texts(4, 1, "2"));  // volume "2.00" retyped as "2"
    addLaunch(grid, 5, texts(5, 1, "2"));
    EXPECT_EQ(grid.cell(4, 10).backColor, kChangedYellow);
    EXPECT_EQ(grid.cell(4, 1).backColor, kLilac);
    EXPECT_EQ(grid.cell(5, 1).backColor, kChangedYellow);
    EXPECT_EQ(grid.cell(5, 10).backColor, kChangedYellow); // back from 2 to 0.0
    EXPECT_EQ(grid.cell(6, 1).backColor, kLilac);
    EXPECT_EQ(grid.cell(4, 9).backColor, kPaleViolet);
}

TEST(HistoryBest, FirstGreatestPositiveResultIsPinkAndBold) {
    Grid grid = preparedGrid();
    addLaunch(grid, 1, texts(1, 17, "51.57"));
    addLaunch(grid, 2, texts(2, 17, "40.00"));
    addLaunch(grid, 3, texts(3, 17, "51.57")); // equal: the earlier launch keeps the mark
    EXPECT_EQ(grid.cell(2, 17).backColor, kBestPink);
    EXPECT_TRUE(grid.cell(2, 17).bold);
    EXPECT_EQ(grid.cell(4, 17).backColor, kResultWhite);
    EXPECT_FALSE(grid.cell(4, 17).bold);

    addLaunch(grid, 4, texts(4, 17, "1,204.10")); // grouped thousands still count in full
    EXPECT_EQ(grid.cell(5, 17).backColor, kBestPink);
    EXPECT_EQ(grid.cell(2, 17).backColor, kResultWhite);
    EXPECT_FALSE(grid.cell(2, 17).bold);
    EXPECT_DOUBLE_EQ(resultValue("1,204.10"), 1204.1);
    EXPECT_DOUBLE_EQ(resultValue("n/a"), 0);
}

TEST(HistoryBest, NoMarkWhenNoResultIsAboveZero) {
    Grid grid = preparedGrid();
    addLaunch(grid, 1, texts(1, 17, "-3.20"));
    addLaunch(grid, 2, texts(2, 17, "0.00"));
    addLaunch(grid, 3, texts(3, 17, "-0.50"));
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(grid.cell(r, 17).backColor, kResultWhite);
        EXPECT_FALSE(grid.cell(r, 17).bold);
    }
    EXPECT_EQ(grid.cell(2, 15).backColor, kBestPink); // the times are positive
}

TEST(HistoryReplot, RewritesTheLastRowWithoutAddingOne) {
    Grid grid = preparedGrid();
    Marks marks;
    addLaunch(grid, 1, texts(1, 17, "60.00"), &marks);
    addLaunch(grid, 2, texts(2), &marks);
    addLaunch(grid, 3, texts(3, 10, "2"), &marks);
    ASSERT_EQ(grid.cell(4, 10).backColor, kChangedYellow);
    ASSERT_EQ(grid.Rows(), 5);

    // Flown again with the wind back at 0 and further than any launch: the yellow goes, the
    // pink moves to the rewritten row; then flown again shorter, the pink returns to launch 1.
    addLaunch(grid, 3, texts(3, 17, "70.00"), &marks);
    EXPECT_EQ(grid.Rows(), 5);
    EXPECT_EQ(grid.cell(4, 10).backColor, kPaleBlue);
    EXPECT_EQ(grid.cell(4, 17).backColor, kBestPink);
    EXPECT_EQ(grid.cell(2, 17).backColor, kResultWhite);
    addLaunch(grid, 3, texts(3, 17, "10.00"), &marks);
    EXPECT_EQ(grid.cell(2, 17).backColor, kBestPink);
    EXPECT_EQ(grid.cell(4, 17).backColor, kResultWhite);
    EXPECT_EQ(grid.TextMatrix(4, 17), "10.00");
}

TEST(HistoryRows, LaunchNumberBelowOneChangesNothing) {
    Grid grid = preparedGrid();
    const auto before = grid.revision();
    addLaunch(grid, 0, texts(0));
    EXPECT_EQ(grid.revision(), before);
}

// With its marks remembered, a launch changes the same cells as a full re-examination of the table.
TEST(HistoryMarks, RememberedMarksGiveTheSameTableAsAFullPass) {
    std::mt19937 random(12345);
    const char* values[] = {"1", "1.0", "2", "0.00", "-1.50", "10.00", "10.00", "9.99"};
    auto pick = [&] { return std::string(values[random() % 8]); };
    Grid full = preparedGrid();
    Grid remembered = preparedGrid();
    Marks marks;
    int launch = 0;
    for (int step = 0; step < 300; ++step) {
        if (launch == 0 || random() % 4 != 0)
            ++launch; // otherwise a re-plot of the last launch
        Texts t = texts(launch);
        for (int c : {1, 10, 12, 15, 16, 17})
            t[static_cast<std::size_t>(c)] = pick();
        addLaunch(full, launch, t);
        addLaunch(remembered, launch, t, &marks);
        ASSERT_EQ(full.Rows(), remembered.Rows());
        for (int r = 0; r < full.Rows(); ++r)
            for (int c = 0; c < kColumnCount; ++c) {
                const auto& a = full.cell(r, c);
                const auto& b = remembered.cell(r, c);
                ASSERT_TRUE(a.text == b.text && a.backColor == b.backColor && a.bold == b.bold)
                    << "step " << step << " row " << r << " col " << c;
            }
    }
}

TEST(HistoryMarks, ANewLaunchThatIsNotBestTouchesOnlyItsOwnRow) {
    Grid grid = preparedGrid();
    Marks marks;
    for (int n = 1; n <= 1000; ++n)
        addLaunch(grid, n, texts(n, 17, n == 1 ? "99.00" : "50.00"), &marks);
    const auto before = grid.revision();
    addLaunch(grid, 1001, texts(1001, 10, "3"), &marks);
    EXPECT_EQ(grid.rowsChangedSince(before), std::vector<int>{1002});
    EXPECT_EQ(grid.cell(1002, 10).backColor, kChangedYellow);

    // A grid written by someone else is examined in full again.
    grid.Row = 2;
    grid.Col = 17;
    grid.setCellBackColor(kResultWhite);
    addLaunch(grid, 1001, texts(1001, 10, "3"), &marks);
    EXPECT_EQ(grid.cell(2, 17).backColor, kBestPink);
}

} // namespace
} // namespace zorbal::history
