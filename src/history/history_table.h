// SPDX-License-Identifier: MIT
// The launch history table: its layout, the texts of a launch row, and the highlighting of changed
// parameters (yellow) and best results (pink, bold), all on a platform::Grid.
#pragma once

#include "platform/color.h"
#include "platform/grid.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace zorbal::history {

inline constexpr int kColumnCount = 18;
inline constexpr int kGroupRow = 0;   ///< group headings, merged where equal
inline constexpr int kHeadingRow = 1; ///< column headings
/// Launch n occupies row n + kLaunchRowOffset.
inline constexpr int kLaunchRowOffset = 1;
inline constexpr int kFirstParameterColumn = 1;
inline constexpr int kLastParameterColumn = 14;
inline constexpr int kFirstResultColumn = 15; ///< Time(s), Height(m), Range(m)
inline constexpr int kResultColumnCount = 3;

inline constexpr platform::Color kLilac = platform::rgb(255, 180, 255);
inline constexpr platform::Color kPaleViolet = platform::rgb(245, 220, 255);
inline constexpr platform::Color kPaleBlue = platform::rgb(235, 240, 255);
inline constexpr platform::Color kLavender = platform::rgb(225, 220, 255);
inline constexpr platform::Color kChangedYellow = platform::rgb(255, 255, 100);
inline constexpr platform::Color kBestPink = platform::rgb(255, 200, 200);
inline constexpr platform::Color kResultWhite = platform::rgb(255, 255, 255);
inline constexpr platform::Color kGroupRed = platform::rgb(255, 0, 0);

/// One column of the table as designed.
struct Column {
    std::string_view group;   ///< row 0 text
    std::string_view heading; ///< row 1 text
    int widthTwips;
    /// Background of the column's cell in a newly written launch row; result columns keep
    /// whatever the highlighting gives them and column 0 keeps the fixed colour.
    platform::Color launchColor;
    bool hasLaunchColor;
};

/// The 18 columns, from "Launch" to "Range(m)".
const std::array<Column, kColumnCount>& columns();

/// What a launch row shows, as the window's boxes and options stood after the flight.
struct LaunchEntry {
    int launchNumber = 0;
    std::array<std::string, 14> inputs; ///< the texts of the 14 design input boxes
    bool isRailOn = false;
    bool isParachuteOn = false;
    bool isTriggerByAngle = true;
    std::string flightTime, maxHeight, range; ///< the texts of the three result boxes
};

/// The 18 cell texts of a launch row: the launch number, the input texts as typed ("0" for the
/// rail length and the parachute size while their option is off), "Angle" or "Time", the results.
std::array<std::string, kColumnCount> launchRowTexts(const LaunchEntry& entry);

/// A result cell read as a number for the best-result test: the lenient reading, with the
/// group separators that the result boxes write for values of 1,000 and more left out.
double resultValue(std::string_view cellText);

/// What the table remembers between two launches so that a launch changes only the rows whose
/// look really changes. Valid only while nothing but addLaunch has written the grid.
struct Marks {
    std::uint64_t gridRevision = 0; ///< the grid's revision after the last addLaunch; 0: none
    int lastRow = -1;               ///< the row that addLaunch last wrote
    std::array<int, kResultColumnCount> bestRow{-1, -1, -1}; ///< pink row per result column
};

/// Formats the two heading rows and the column widths of a grid of 18 columns.
void prepareGrid(platform::Grid& grid);

/// Writes launch `launchNumber`'s row (row launchNumber + 1, grown as needed; a re-plot
/// rewrites the same row) and recomputes the highlighting: a parameter cell turns yellow when
/// its text differs from the row above as exact strings (marks are never removed from other
/// rows), and in each result column the first row with the greatest value above 0 is pink and
/// bold. The first launch gets no highlighting. A launch number below 1 changes nothing.
///
/// With `marks` the work is limited to the rows that change (it then takes constant time per
/// launch, except a re-plot of the row that held a best result); without it, or when the grid
/// was written by anything else since, every row is re-examined. Both give the same table.
void addLaunch(platform::Grid& grid, int launchNumber, const std::array<std::string, kColumnCount>& texts,
               Marks* marks = nullptr);

} // namespace zorbal::history
