// SPDX-License-Identifier: MIT
// The launch history table on a grid: layout, launch rows and their highlighting.
#include "history/history_table.h"

#include "platform/number_text.h"

namespace zorbal::history {

using platform::CellAlignment;
using platform::Grid;

const std::array<Column, kColumnCount>& columns() {
    static const std::array<Column, kColumnCount> table{{
        {"", "Launch", 800, platform::kWhite, false},
        {"Rocket Design", "Vol(l)", 800, kLilac, true},
        {"Rocket Design", "Fill(%)", 800, kLilac, true},
        {"Rocket Design", "P(atm)", 800, kLilac, true},
        {"Rocket Design", "M(g)", 800, kLilac, true},
        {"Rocket Design", "Drag", 800, kLilac, true},
        {"Rocket Design", "Nozz(mm)", 1200, kLilac, true},
        {"Rocket Design", "Eff(%)", 800, kLilac, true},
        {"Launcher", "Rail (m)", 800, kPaleViolet, true},
        {"Launcher", "Angle", 800, kPaleViolet, true},
        {"Wind", "Wind(m/s)", 1200, kPaleBlue, true},
        {"Parachute", "Para Size(m)", 1200, kLavender, true},
        {"Parachute", "Para Trigger", 1200, kLavender, true},
        {"Parachute", "Trig A(deg)", 1200, kLavender, true},
        {"Parachute", "Trig T(s)", 1200, kLavender, true},
        {"Results", "Time(s)", 1200, platform::kWhite, false},
        {"Results", "Height(m)", 1400, platform::kWhite, false},
        {"Results", "Range(m)", 1400, platform::kWhite, false},
    }};
    return table;
}

std::array<std::string, kColumnCount> launchRowTexts(const LaunchEntry& e) {
    const auto& in = e.inputs;
    return {platform::integerText(e.launchNumber),
            in[0],
            in[1],
            in[3],
            in[5],
            in[6],
            in[4],
            in[9],
            e.isRailOn ? in[8] : std::string("0"),
            in[7],
            in[10],
            e.isParachuteOn ? in[13] : std::string("0"),
            e.isTriggerByAngle ? std::string("Angle") : std::string("Time"),
            in[11],
            in[12],
            e.flightTime,
            e.maxHeight,
            e.range};
}

double resultValue(std::string_view cellText) {
    // The result boxes group thousands with commas ("1,234.56"); the lenient reading would stop
    // at the first comma and take such a result for 1.
    std::string digits;
    digits.reserve(cellText.size());
    for (const char ch : cellText)
        if (ch != ',')
            digits.push_back(ch);
    return platform::readLenient(digits);
}

namespace {

void select(Grid& grid, int row, int col) {
    grid.Row = row;
    grid.Col = col;
}

void markResult(Grid& grid, int row, int col, bool isBest) {
    select(grid, row, col);
    grid.setCellBackColor(isBest ? kBestPink : kResultWhite);
    grid.setCellFontBold(isBest);
}

void markChanged(Grid& grid, int row, int col) {
    if (grid.TextMatrix(row, col) == grid.TextMatrix(row - 1, col))
        return;
    select(grid, row, col);
    grid.setCellBackColor(kChangedYellow);
}

// The first row from firstRow to lastRow with the greatest value above 0 in `col`, or -1.
int bestRowOf(const Grid& grid, int col, int firstRow, int lastRow) {
    double best = 0;
    int bestRow = -1;
    for (int r = firstRow; r <= lastRow; ++r) {
        const double value = resultValue(grid.TextMatrix(r, col));
        if (value > best) {
            best = value;
            bestRow = r;
        }
    }
    return bestRow;
}

} // namespace

void prepareGrid(Grid& grid) {
    const auto& cols = columns();
    for (int c = 0; c < kColumnCount; ++c) {
        select(grid, kHeadingRow, c);
        grid.setCellFontBold(true);
        grid.setCellAlignment(CellAlignment::CenterCenter);
        grid.setColWidth(c, 800);
    }
    for (int c = 0; c < kColumnCount; ++c) {
        select(grid, kHeadingRow, c);
        grid.setText(std::string(cols[static_cast<std::size_t>(c)].heading));
        grid.setColWidth(c, cols[static_cast<std::size_t>(c)].widthTwips);
    }
    for (int c = 0; c < kColumnCount; ++c) {
        select(grid, kGroupRow, c);
        grid.setCellFontBold(true);
        grid.setCellAlignment(CellAlignment::CenterCenter);
        grid.setCellForeColor(kGroupRed);
        grid.setText(std::string(cols[static_cast<std::size_t>(c)].group));
    }
    grid.setMergeRow(kGroupRow, true);
    grid.setMergeCells(true);
}

void addLaunch(Grid& grid, int launchNumber, const std::array<std::string, kColumnCount>& texts,
               Marks* marks) {
    if (launchNumber < 1)
        return; // no launch row: row 1 holds the column headings
    const int row = launchNumber + kLaunchRowOffset;
    const int firstRow = 1 + kLaunchRowOffset;
    // The remembered marks describe the table only if nothing else wrote it since, and only
    // for the row written last or the one after it.
    const bool isIncremental = marks != nullptr && marks->gridRevision != 0 &&
                               marks->gridRevision == grid.revision() &&
                               (row == marks->lastRow || row == marks->lastRow + 1);

    if (grid.Rows() < row + 1)
        grid.setRows(row + 1);
    const auto& cols = columns();
    for (int c = 0; c < kColumnCount; ++c) {
        select(grid, row, c);
        grid.setCellAlignment(CellAlignment::CenterCenter);
    }
    for (int c = 0; c < kColumnCount; ++c) {
        const Column& column = cols[static_cast<std::size_t>(c)];
        if (column.hasLaunchColor) {
            select(grid, row, c);
            grid.setCellBackColor(column.launchColor);
        }
    }
    for (int c = 0; c < kColumnCount; ++c) {
        select(grid, row, c);
        grid.setText(texts[static_cast<std::size_t>(c)]);
    }

    if (launchNumber < 2) {
        if (marks != nullptr)
            *marks = Marks{}; // launch 2 examines the whole table
        return;
    }

    // Changed parameters. Only the written row can differ from what earlier calls compared.
    const int firstCompared = isIncremental ? row : firstRow + 1;
    for (int c = kFirstParameterColumn; c <= kLastParameterColumn; ++c)
        for (int r = firstCompared; r <= row; ++r)
            markChanged(grid, r, c);

    // Best results.
    std::array<int, kResultColumnCount> bestRows{};
    for (int k = 0; k < kResultColumnCount; ++k) {
        const int col = kFirstResultColumn + k;
        const int previousBest = isIncremental ? marks->bestRow[static_cast<std::size_t>(k)] : -1;
        if (isIncremental && previousBest != row) {
            // Every other row is as the last call left it: only the written row can take the
            // mark, and a tie keeps the earlier row.
            const double previousValue =
                previousBest >= 0 ? resultValue(grid.TextMatrix(previousBest, col)) : 0;
            const int best = resultValue(grid.TextMatrix(row, col)) > previousValue ? row : previousBest;
            markResult(grid, row, col, best == row);
            if (previousBest >= 0)
                markResult(grid, previousBest, col, best == previousBest);
            bestRows[static_cast<std::size_t>(k)] = best;
        } else {
            const int best = bestRowOf(grid, col, firstRow, row);
            for (int r = firstRow; r <= row; ++r)
                markResult(grid, r, col, r == best);
            bestRows[static_cast<std::size_t>(k)] = best;
        }
    }

    if (marks != nullptr) {
        marks->gridRevision = grid.revision();
        marks->lastRow = row;
        marks->bestRow = bestRows;
    }
}

} // namespace zorbal::history
