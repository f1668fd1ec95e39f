// SPDX-License-Identifier: MIT
// Fuzz target: random trajectories and history grid texts through the export writers.
//
// Properties: the trajectory export has a header and one line per sample, each of five fields,
// and every number is written as the sign-position text writes it; the history export in comma
// mode reads back, with RFC 4180 quoting, as one record per row of exactly 18 fields holding the
// cells' texts unchanged.
#include "files/export_text.h"
#include "fuzz_check.h"
#include "platform/grid.h"
#include "platform/number_text.h"

#include <cstdint>
#include <cstring>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

using namespace zorbal;

namespace {

/// Reads the next bytes of the input.
class Bytes {
  public:
    Bytes(const std::uint8_t* data, std::size_t size) : m_data(data), m_size(size) {}
    bool empty() const { return m_position >= m_size; }
    std::uint8_t byte() { return empty() ? 0 : m_data[m_position++]; }
    double number() {
        double value = 0;
        if (m_size - m_position >= sizeof value) {
            std::memcpy(&value, m_data + m_position, sizeof value);
            m_position += sizeof value;
        } else {
            value = byte();
        }
        return value;
    }
    std::string text() {
        const std::size_t length = byte() % 24;
        std::string out;
        for (std::size_t i = 0; i < length && !empty(); ++i)
            out += static_cast<char>(byte());
        return out;
    }

  private:
    const std::uint8_t* m_data;
    std::size_t m_size;
    std::size_t m_position = 0;
};

using Record = std::vector<std::string>;

/// RFC 4180: records end with CR LF; a field is either plain (no comma, quote, CR or LF) or
/// quoted, with a doubled quote for each quote inside. std::nullopt when the text breaks the rules.
std::optional<std::vector<Record>> readCsv(std::string_view text) {
    std::vector<Record> records;
    Record record;
    std::size_t i = 0;
    while (i < text.size()) {
        std::string field;
        if (text[i] == '"') {
            ++i;
            for (;;) {
                if (i >= text.size())
                    return std::nullopt; // unterminated quote
                if (text[i] == '"') {
                    if (i + 1 < text.size() && text[i + 1] == '"') {
                        field += '"';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                field += text[i++];
            }
        } else {
            while (i < text.size() && text[i] != ',' && text[i] != '\r' && text[i] != '\n') {
                if (text[i] == '"')
                    return std::nullopt; // a quote in a plain field
                field += text[i++];
            }
        }
        record.push_back(std::move(field));
        if (i < text.size() && text[i] == ',') {
            ++i;
            continue;
        }
        if (text.substr(i, 2) != "\r\n")
            return std::nullopt; // a field must end at a comma or CR LF
        i += 2;
        records.push_back(std::move(record));
        record.clear();
    }
    if (!record.empty())
        return std::nullopt;
    return records;
}

void checkTrajectory(Bytes& in, char separator) {
    sim::TrajectorySlot slot;
    const std::size_t samples = in.byte() % 16;
    for (std::size_t n = 0; n < samples; ++n) {
        slot.samples.push_back({in.number(), in.number(), in.number(), in.number(), in.number()});
        slot.phases.push_back(0);
    }
    const std::string text = files::trajectoryExportText(slot, separator);
    std::size_t lines = 0;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find("\r\n", start);
        FUZZ_CHECK(end != std::string::npos, "a trajectory line without CR LF");
        const std::string_view line(text.data() + start, end - start);
        std::vector<std::string_view> fields;
        std::size_t from = 0;
        for (;;) {
            const std::size_t at = line.find(separator, from);
            fields.push_back(
                line.substr(from, at == std::string_view::npos ? std::string_view::npos : at - from));
            if (at == std::string_view::npos)
                break;
            from = at + 1;
        }
        FUZZ_CHECK(fields.size() == 5, "trajectory line %zu has %zu fields", lines, fields.size());
        if (lines > 0) {
            const auto& s = slot.samples[lines - 1];
            const double values[] = {s.time, s.x, s.y, s.vx, s.vy};
            for (std::size_t c = 0; c < 5; ++c) {
                const std::string expected = platform::signText(values[c]);
                FUZZ_CHECK(fields[c] == expected, "%.17g is exported as \"%.*s\", not \"%s\"", values[c],
                           static_cast<int>(fields[c].size()), fields[c].data(), expected.c_str());
            }
        }
        ++lines;
        start = end + 2;
    }
    FUZZ_CHECK(lines == samples + 1, "%zu samples gave %zu lines", samples, lines);
}

void checkHistory(Bytes& in, char separator) {
    const int rows = 3 + in.byte() % 6;
    platform::Grid grid(rows, 18, 2, 1);
    std::vector<std::vector<std::string>> cells(static_cast<std::size_t>(rows), std::vector<std::string>(18));
    for (int r = 1; r < rows; ++r) {
        for (int c = 0; c < 18; ++c) {
            if (in.empty())
                break;
            grid.Row = r;
            grid.Col = c;
            std::string text = in.text();
            grid.setText(text);
            cells[static_cast<std::size_t>(r)][static_cast<std::size_t>(c)] = grid.Text();
        }
    }
    const int launchCount = in.byte() % 10;
    const std::string text = files::historyExportText(grid, launchCount, separator);
    const std::size_t exportedRows = static_cast<std::size_t>(std::min(launchCount + 1, rows - 1));
    if (separator != files::kCommaSeparator) {
        // TAB mode writes the cells unchanged, as spreadsheets have always read it.
        return;
    }
    const auto records = readCsv(text);
    FUZZ_CHECK(records.has_value(), "the comma export breaks the quoting rules:\n%s", text.c_str());
    FUZZ_CHECK(records->size() == exportedRows, "%zu rows exported as %zu records", exportedRows,
               records->size());
    for (std::size_t r = 0; r < records->size(); ++r) {
        FUZZ_CHECK((*records)[r].size() == 18, "record %zu has %zu fields", r, (*records)[r].size());
        for (std::size_t c = 0; c < 18; ++c)
            FUZZ_CHECK((*records)[r][c] == cells[r + 1][c], "cell (%zu, %zu) \"%s\" reads back as \"%s\"",
                       r + 1, c, cells[r + 1][c].c_str(), (*records)[r][c].c_str());
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    Bytes in(data, size);
    const std::uint8_t mode = in.byte();
    const char separator = files::exportSeparator(mode & 1);
    if (mode & 2)
        checkHistory(in, separator);
    else
        checkTrajectory(in, separator);
    return 0;
}
