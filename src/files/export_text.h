// SPDX-License-Identifier: MIT
// The texts of the trajectory and history exports, built without the window.
#pragma once

#include "platform/grid.h"
#include "sim/flight.h"

#include <string>
#include <string_view>

namespace zorbal::files {

inline constexpr char kTabSeparator = '\t';
inline constexpr char kCommaSeparator = ',';

/// The export separator: a comma when the comma option is ticked (check box value 1), else TAB.
inline char exportSeparator(int commaOptionValue) {
    return commaOptionValue == 1 ? kCommaSeparator : kTabSeparator;
}

/// Appends a field of a CSV record (RFC 4180), as spreadsheets read it: in double quotes, with
/// its double quotes doubled, when it holds a comma, a double quote, CR or LF; unchanged otherwise.
/// The exports in comma mode and the sweep's CSV output both quote their fields with it.
void appendCsvField(std::string& out, std::string_view field);

/// The CSV field of `text`, as appendCsvField writes it.
std::string csvField(std::string_view text);

/// Appends one cell of an export: as a CSV field with the comma separator, unchanged with TAB.
void appendField(std::string& out, std::string_view field, char separator);

/// Appends a number as the trajectory export writes it: the sign-position text (a blank before
/// a value that is not negative, up to 15 significant digits, "." as the decimal point, exponent
/// form as %.15G chooses it), identical to platform::appendSignText but several times faster.
void appendExportNumber(std::string& out, double value);

/// The trajectory export of one launch: the header line and one line per sample (time, x, y,
/// vx, vy), every line ended by CR LF. The saved file has one more CR LF after this text.
std::string trajectoryExportText(const sim::TrajectorySlot& slot, char separator);

/// The history export: the column-heading row (grid row 1) and the rows of launches 1 to
/// `launchCount` (grid rows 2 ..), 18 cells each, every line ended by CR LF. The cells are read
/// through the grid's current cell, which ends on column 17 of the last exported row. Rows the
/// grid does not have are not exported.
std::string historyExportText(platform::Grid& grid, int launchCount, char separator);

/// The content of a saved export file: the text followed by one more CR LF.
inline std::string exportFileContent(std::string text) {
    text += "\r\n";
    return text;
}

} // namespace zorbal::files
