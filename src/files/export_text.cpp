// SPDX-License-Identifier: MIT
// The texts of the trajectory and history exports.
#include "files/export_text.h"

#include "platform/decimal_chars.h"
#include "platform/number_text.h"

#include <algorithm>
#include <cmath>

namespace zorbal::files {

void appendCsvField(std::string& out, std::string_view field) {
    if (field.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += field;
        return;
    }
    out += '"';
    for (const char c : field) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

std::string csvField(std::string_view text) {
    std::string field;
    appendCsvField(field, text);
    return field;
}

void appendField(std::string& out, std::string_view field, char separator) {
    if (separator == kCommaSeparator)
        appendCsvField(out, field);
    else
        out += field;
}

void appendExportNumber(std::string& out, double value) {
    if (value == 0) { // also -0, which the sign-position text writes as " 0"
        out += " 0";
        return;
    }
    if (!std::isfinite(value)) {
        platform::appendSignText(out, value);
        return;
    }
    // "%.15g" without printf's locale and stream machinery; only the exponent letter differs
    // from the "%.15G" of the sign-position text.
    char buffer[32];
    char* const end = platform::decimal_chars::general(buffer, buffer + sizeof buffer, value, 15);
    if (!end) {
        platform::appendSignText(out, value);
        return;
    }
    std::replace(buffer, end, 'e', 'E');
    if (!std::signbit(value))
        out += ' ';
    out.append(buffer, end);
}

std::string trajectoryExportText(const sim::TrajectorySlot& slot, char separator) {
    static constexpr std::string_view kHeadings[] = {"t (s)", "x (m)", "y (m)", "Vx (m/s)", "Vy (m/s)"};
    std::string text;
    // A sample line is at most five 22-character numbers and their separators.
    text.reserve(64 + static_cast<std::size_t>(slot.count()) * 5 * 23 + 2);
    for (std::size_t c = 0; c < std::size(kHeadings); ++c) {
        text += kHeadings[c];
        text += c + 1 < std::size(kHeadings) ? std::string_view(&separator, 1) : std::string_view("\r\n");
    }
    for (const sim::TrajectorySample& s : slot.samples) {
        appendExportNumber(text, s.time);
        text += separator;
        appendExportNumber(text, s.x);
        text += separator;
        appendExportNumber(text, s.y);
        text += separator;
        appendExportNumber(text, s.vx);
        text += separator;
        appendExportNumber(text, s.vy);
        text += "\r\n";
    }
    return text;
}

std::string historyExportText(platform::Grid& grid, int launchCount, char separator) {
    constexpr int kLastColumn = 17;
    const int lastColumn = std::min(kLastColumn, grid.Cols() - 1);
    const int lastRow = std::min(launchCount + 1, grid.Rows() - 1);
    std::string text;
    for (int row = 1; row <= lastRow; ++row) {
        grid.Row = row;
        for (int col = 0; col <= lastColumn; ++col) {
            grid.Col = col;
            appendField(text, grid.Text(), separator);
            if (col < lastColumn)
                text += separator;
        }
        text += "\r\n";
    }
    return text;
}

} // namespace zorbal::files
