// SPDX-License-Identifier: MIT
// The Investigate window's background work and its texts for the page's worker.
#include "investigate/job.h"

#include "platform/decimal_chars.h"
#include "platform/headless.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <utility>

namespace zorbal::investigate {

JobResult runJob(const Job& job, int threads, const std::function<void(std::size_t, std::size_t)>& onProgress,
                 const std::atomic<bool>* cancel) {
    JobResult result;
    result.id = job.id;
    result.kind = job.kind;
    {
        // A design that does not load is refused once, before any worker starts.
        platform::HeadlessPlatform platform;
        ui::Zorbal window(platform.services());
        window.Form_Load();
        if (!ui::applyDesignFile(window, job.designFile)) {
            result.refusal = ui::kCannotOpenDesign;
            return result;
        }
    }
    explore::SweepOptions options;
    options.threads = threads;
    options.setDesign = [&job](ui::Zorbal& window) { ui::applyDesignFile(window, job.designFile); };
    options.onProgress = onProgress;
    options.cancel = cancel;
    switch (job.kind) {
    case JobKind::Sweep: {
        explore::SweepGrid grid;
        if (auto error = explore::SweepGrid::make(job.axes, grid); !error.empty()) {
            result.refusal = std::move(error);
            return result;
        }
        result.rows.reserve(grid.size());
        result.isComplete = explore::runSweep(
            grid, options, [&result](explore::SweepRow&& row) { result.rows.push_back(std::move(row)); });
        if (!result.isComplete)
            result.rows.clear();
        break;
    }
    case JobKind::Fit:
        result.fit = explore::fitMeasured(job.fit, options);
        result.refusal = result.fit.refusal;
        result.isComplete = result.fit.isComplete;
        break;
    case JobKind::Scatter:
        result.scatter = explore::scatter(job.scatter, options);
        result.refusal = result.scatter.refusal;
        result.isComplete = result.scatter.isComplete;
        break;
    }
    return result;
}

// ---- the texts ----------------------------------------------------------------------------------
//
// One JSON object each, its fields always present and always in the order written here; the reader
// takes exactly that shape (spaces between tokens allowed) and nothing else, so it needs neither
// recursion nor a general JSON library. Strings carry bytes: '"' and '\' escaped, every byte below
// 0x20, 0x7F and from 0x80 up as \u00XX, so the text is plain ASCII and crosses JavaScript's
// strings unchanged whatever bytes a design file holds. Doubles are the "%.*g" text with the
// fewest digits that reads back as the same double ("NaN", "Infinity", "-Infinity" as strings);
// every build writes the same text for the same value.
//
// Job:    {"zorbal":"job","format":1,"id":N,"kind":"sweep","design":"...","axes":["I=FROM:TO:STEP",...],
//          "fit":{"input":6,"measurements":[["height",VALUE,U],...]},
//          "scatter":{"spreads":[[I,AMOUNT],...],"runs":N,"seed":N,"distribution":"normal"}}
// Result: {"zorbal":"result","format":1,"id":N,"kind":"sweep","complete":true,"refusal":"...",
//          "rows":[ROW,...],"fit":{...},"scatter":{...}}
// ROW:    [index,[inputs...],"outcome","message","duration","height","range",steps,flightTime,
//          maxHeight,rangeMetres]

namespace {

constexpr int kTextFormat = 1;

const char* kindName(JobKind kind) {
    switch (kind) {
    case JobKind::Fit:
        return "fit";
    case JobKind::Scatter:
        return "scatter";
    case JobKind::Sweep:
        break;
    }
    return "sweep";
}

const char* figureName(explore::Figure figure) {
    switch (figure) {
    case explore::Figure::Height:
        return "height";
    case explore::Figure::Duration:
        return "duration";
    case explore::Figure::Range:
        break;
    }
    return "range";
}

const char* distributionName(explore::Distribution distribution) {
    return distribution == explore::Distribution::Uniform ? "uniform" : "normal";
}

class Writer {
  public:
    std::string text;

    void raw(std::string_view part) { text += part; }
    void key(std::string_view name) {
        if (!text.empty() && text.back() != '{')
            text += ',';
        text += '"';
        text += name;
        text += "\":";
    }
    void comma() {
        if (!text.empty() && text.back() != '[')
            text += ',';
    }
    void string(std::string_view value) {
        static constexpr char kHex[] = "0123456789abcdef";
        text += '"';
        for (const char c : value) {
            const auto byte = static_cast<unsigned char>(c);
            if (byte == '"' || byte == '\\') {
                text += '\\';
                text += c;
            } else if (byte < 0x20 || byte >= 0x7f) {
                text += "\\u00";
                text += kHex[byte >> 4];
                text += kHex[byte & 15];
            } else {
                text += c;
            }
        }
        text += '"';
    }
    void number(double value) {
        if (std::isnan(value))
            return string("NaN");
        if (std::isinf(value))
            return string(value > 0 ? "Infinity" : "-Infinity");
        // The fewest significant digits that read back as the value.
        char buffer[40];
        char* end = platform::decimal_chars::shortest(buffer, buffer + sizeof buffer, value);
        text.append(buffer, end);
    }
    void integer(std::uint64_t value) { text += std::to_string(value); }
    void integer(int value) { text += std::to_string(value); }
    void boolean(bool value) { text += value ? "true" : "false"; }

    void row(const explore::SweepRow& row) {
        raw("[");
        integer(static_cast<std::uint64_t>(row.index));
        raw(",[");
        for (const auto& input : row.inputs) {
            comma();
            string(input);
        }
        raw("],");
        string(explore::outcomeName(row.outcome));
        for (const std::string* t : {&row.message, &row.duration, &row.height, &row.range}) {
            raw(",");
            string(*t);
        }
        raw(",");
        integer(row.steps);
        for (const double v : {row.flightTime, row.maxHeight, row.rangeMetres}) {
            raw(",");
            number(v);
        }
        raw("]");
    }
    void figureSpread(const std::optional<explore::FigureSpread>& spread) {
        if (!spread)
            return raw("null");
        raw("[");
        number(spread->low);
        raw(",");
        number(spread->high);
        raw(",");
        number(spread->mean);
        raw("]");
    }
};

/// A strict reader of exactly the shapes the writer writes.
class Reader {
  public:
    explicit Reader(std::string_view text) : m_text(text) {}

    bool atEnd() {
        space();
        return m_at == m_text.size();
    }
    bool take(char c) {
        space();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool peek(char c) {
        space();
        return m_at < m_text.size() && m_text[m_at] == c;
    }
    /// `"name":`, after a comma unless it is the object's first field.
    bool key(std::string_view name, bool isFirst = false) {
        if (!isFirst && !take(','))
            return false;
        std::string read;
        return string(read) && read == name && take(':');
    }
    bool word(std::string_view w) {
        space();
        if (m_text.substr(m_at, w.size()) != w)
            return false;
        m_at += w.size();
        return true;
    }
    bool boolean(bool& value) {
        if (word("true"))
            return value = true, true;
        if (word("false"))
            return value = false, true;
        return false;
    }
    bool isNull() { return word("null"); }

    bool string(std::string& out) {
        out.clear();
        if (!take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            const auto byte = static_cast<unsigned char>(c);
            if (c == '"')
                return true;
            if (byte < 0x20 || byte >= 0x7f)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at == m_text.size())
                return false;
            switch (m_text[m_at++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u': {
                // Only the bytes the writer escapes: \u0000 to \u00ff.
                unsigned code = 0;
                if (m_text.size() - m_at < 4)
                    return false;
                for (int i = 0; i < 4; ++i) {
                    const char h = m_text[m_at++];
                    const int digit = h >= '0' && h <= '9'   ? h - '0'
                                      : h >= 'a' && h <= 'f' ? h - 'a' + 10
                                      : h >= 'A' && h <= 'F' ? h - 'A' + 10
                                                             : -1;
                    if (digit < 0)
                        return false;
                    code = code * 16 + static_cast<unsigned>(digit);
                }
                if (code > 0xff)
                    return false;
                out += static_cast<char>(code);
                break;
            }
            default:
                return false;
            }
        }
        return false;
    }

    /// A whole number from 0 to `maximum`, as JSON writes it (no sign, no leading zero).
    bool unsignedNumber(std::uint64_t& value, std::uint64_t maximum) {
        space();
        const std::size_t start = m_at;
        value = 0;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9') {
            const auto digit = static_cast<std::uint64_t>(m_text[m_at] - '0');
            if (value > (maximum - digit) / 10)
                return false;
            value = value * 10 + digit;
            ++m_at;
        }
        return m_at > start && (m_at - start == 1 || m_text[start] != '0');
    }
    bool size(std::size_t& value, std::size_t maximum) {
        std::uint64_t v = 0;
        if (!unsignedNumber(v, maximum))
            return false;
        value = static_cast<std::size_t>(v);
        return true;
    }
    /// A whole number from `minimum` to `maximum`.
    bool integer(int& value, int minimum, int maximum) {
        const bool isNegative = take('-');
        std::uint64_t magnitude = 0;
        if (!unsignedNumber(magnitude, static_cast<std::uint64_t>(std::max(std::abs(minimum), maximum))))
            return false;
        const auto v = static_cast<long long>(magnitude) * (isNegative ? -1 : 1);
        if (v < minimum || v > maximum)
            return false;
        value = static_cast<int>(v);
        return true;
    }
    bool number(double& value) {
        if (peek('"')) {
            std::string name;
            if (!string(name))
                return false;
            if (name == "NaN")
                value = std::numeric_limits<double>::quiet_NaN();
            else if (name == "Infinity")
                value = std::numeric_limits<double>::infinity();
            else if (name == "-Infinity")
                value = -std::numeric_limits<double>::infinity();
            else
                return false;
            return true;
        }
        // JSON's grammar: -?(0|[1-9][0-9]*)(.[0-9]+)?([eE][+-]?[0-9]+)?
        space();
        const std::size_t start = m_at;
        auto digits = [this] {
            const std::size_t from = m_at;
            while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
                ++m_at;
            return m_at - from;
        };
        if (m_at < m_text.size() && m_text[m_at] == '-')
            ++m_at;
        const std::size_t integerStart = m_at;
        const std::size_t integerDigits = digits();
        if (integerDigits == 0 || (integerDigits > 1 && m_text[integerStart] == '0'))
            return false;
        if (m_at < m_text.size() && m_text[m_at] == '.') {
            ++m_at;
            if (digits() == 0)
                return false;
        }
        if (m_at < m_text.size() && (m_text[m_at] == 'e' || m_text[m_at] == 'E')) {
            ++m_at;
            if (m_at < m_text.size() && (m_text[m_at] == '+' || m_text[m_at] == '-'))
                ++m_at;
            if (digits() == 0)
                return false;
        }
        const char* first = m_text.data() + start;
        return platform::decimal_chars::parse(first, m_text.data() + m_at, value) && std::isfinite(value);
    }

    /// `[` item, item, ... `]` with at most `maximum` items, each read by `item`.
    template <typename Item> bool list(std::size_t maximum, Item&& item) {
        if (!take('['))
            return false;
        if (take(']'))
            return true;
        std::size_t count = 0;
        do {
            if (++count > maximum || !item())
                return false;
        } while (take(','));
        return take(']');
    }

    bool row(explore::SweepRow& row, std::size_t maxInputs) {
        std::string outcome;
        if (!take('[') || !size(row.index, kMaxResultRows) || !take(','))
            return false;
        row.inputs.clear();
        if (!list(maxInputs, [&] { return string(row.inputs.emplace_back()); }) || !take(',') ||
            !string(outcome))
            return false;
        bool isKnown = false;
        for (const auto o : {explore::Outcome::Flown, explore::Outcome::Refused, explore::Outcome::StepLimit,
                             explore::Outcome::NonFinite})
            if (outcome == explore::outcomeName(o)) {
                row.outcome = o;
                isKnown = true;
            }
        if (!isKnown)
            return false;
        for (std::string* t : {&row.message, &row.duration, &row.height, &row.range})
            if (!take(',') || !string(*t))
                return false;
        if (!take(',') || !integer(row.steps, 0, std::numeric_limits<int>::max()))
            return false;
        for (double* v : {&row.flightTime, &row.maxHeight, &row.rangeMetres})
            if (!take(',') || !number(*v))
                return false;
        return take(']');
    }
    bool figureSpread(std::optional<explore::FigureSpread>& spread) {
        if (isNull()) {
            spread.reset();
            return true;
        }
        explore::FigureSpread s;
        if (!take('[') || !number(s.low) || !take(',') || !number(s.high) || !take(',') || !number(s.mean) ||
            !take(']'))
            return false;
        spread = s;
        return true;
    }
    /// The opening of a text: `{"zorbal":"<what>","format":1,"id":N,"kind":"<kind>"`.
    bool header(std::string_view what, std::uint64_t& id, JobKind& kind) {
        std::string read;
        std::size_t format = 0;
        if (!take('{') || !key("zorbal", true) || !string(read) || read != what || !key("format") ||
            !size(format, 1000) || format != kTextFormat || !key("id") ||
            !unsignedNumber(id, std::numeric_limits<std::uint64_t>::max()) || !key("kind") || !string(read))
            return false;
        for (const auto k : {JobKind::Sweep, JobKind::Fit, JobKind::Scatter})
            if (read == kindName(k)) {
                kind = k;
                return true;
            }
        return false;
    }

  private:
    void space() {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

/// The most measurements a fit is sent, spreads a scatter has, intervals a fit finds.
constexpr std::size_t kMaxMeasurements = 10'000;
constexpr std::size_t kMaxIntervals = 100'000;

} // namespace

std::string jobText(const Job& job) {
    Writer w;
    w.raw("{");
    w.key("zorbal");
    w.string("job");
    w.key("format");
    w.integer(kTextFormat);
    w.key("id");
    w.integer(job.id);
    w.key("kind");
    w.string(kindName(job.kind));
    w.key("design");
    w.string(job.designFile);
    w.key("axes");
    w.raw("[");
    for (const auto& axis : job.axes) {
        w.comma();
        w.string(axis.source());
    }
    w.raw("]");
    w.key("fit");
    w.raw("{");
    w.key("input");
    w.integer(job.fit.input);
    w.key("measurements");
    w.raw("[");
    for (const auto& m : job.fit.measurements) {
        w.comma();
        w.raw("[");
        w.string(figureName(m.figure));
        w.raw(",");
        w.number(m.value);
        w.raw(",");
        w.number(m.uncertainty);
        w.raw("]");
    }
    w.raw("]}");
    w.key("scatter");
    w.raw("{");
    w.key("spreads");
    w.raw("[");
    for (const auto& s : job.scatter.spreads) {
        w.comma();
        w.raw("[");
        w.integer(s.input);
        w.raw(",");
        w.number(s.amount);
        w.raw("]");
    }
    w.raw("]");
    w.key("runs");
    w.integer(static_cast<std::uint64_t>(job.scatter.runs));
    w.key("seed");
    w.integer(job.scatter.seed);
    w.key("distribution");
    w.string(distributionName(job.scatter.distribution));
    w.raw("}}");
    return std::move(w.text);
}

std::optional<Job> readJob(std::string_view text) {
    if (text.size() > kMaxJobTextBytes)
        return std::nullopt;
    Reader r(text);
    Job job;
    std::string read;
    if (!r.header("job", job.id, job.kind) || !r.key("design") || !r.string(job.designFile) || !r.key("axes"))
        return std::nullopt;
    const bool axesRead = r.list(explore::kMaxAxes, [&] {
        explore::VaryAxis axis;
        if (!r.string(read) || !explore::VaryAxis::parse(read, axis).empty())
            return false;
        job.axes.push_back(std::move(axis));
        return true;
    });
    if (!axesRead)
        return std::nullopt;
    // A grid whose rows could not all come back in a result is no job for the worker.
    std::size_t candidates = 1;
    for (const auto& axis : job.axes) {
        if (axis.count() > kMaxResultRows / candidates)
            return std::nullopt;
        candidates *= axis.count();
    }
    if (!r.key("fit") || !r.take('{') || !r.key("input", true) ||
        !r.integer(job.fit.input, -1'000'000, 1'000'000) || !r.key("measurements"))
        return std::nullopt;
    const bool measurementsRead = r.list(kMaxMeasurements, [&] {
        explore::Measurement m;
        if (!r.take('[') || !r.string(read))
            return false;
        const auto figure = explore::figureNamed(read);
        if (!figure || !r.take(',') || !r.number(m.value) || !r.take(',') || !r.number(m.uncertainty) ||
            !r.take(']'))
            return false;
        m.figure = *figure;
        job.fit.measurements.push_back(m);
        return true;
    });
    if (!measurementsRead || !r.take('}') || !r.key("scatter") || !r.take('{') || !r.key("spreads", true))
        return std::nullopt;
    const bool spreadsRead = r.list(kMaxMeasurements, [&] {
        explore::Spread s;
        if (!r.take('[') || !r.integer(s.input, -1'000'000, 1'000'000) || !r.take(',') ||
            !r.number(s.amount) || !r.take(']'))
            return false;
        job.scatter.spreads.push_back(s);
        return true;
    });
    if (!spreadsRead || !r.key("runs") ||
        !r.size(job.scatter.runs, std::numeric_limits<std::uint32_t>::max()) || !r.key("seed") ||
        !r.unsignedNumber(job.scatter.seed, std::numeric_limits<std::uint64_t>::max()) ||
        !r.key("distribution") || !r.string(read))
        return std::nullopt;
    if (read == "normal")
        job.scatter.distribution = explore::Distribution::Normal;
    else if (read == "uniform")
        job.scatter.distribution = explore::Distribution::Uniform;
    else
        return std::nullopt;
    if (!r.take('}') || !r.take('}') || !r.atEnd())
        return std::nullopt;
    return job;
}

std::string resultText(const JobResult& result) {
    Writer w;
    w.raw("{");
    w.key("zorbal");
    w.string("result");
    w.key("format");
    w.integer(kTextFormat);
    w.key("id");
    w.integer(result.id);
    w.key("kind");
    w.string(kindName(result.kind));
    w.key("complete");
    w.boolean(result.isComplete);
    w.key("refusal");
    w.string(result.refusal);
    w.key("rows");
    w.raw("[");
    for (const auto& row : result.rows) {
        w.comma();
        w.row(row);
    }
    w.raw("]");

    const explore::FitResult& fit = result.fit;
    w.key("fit");
    w.raw("{");
    w.key("refusal");
    w.string(fit.refusal);
    w.key("complete");
    w.boolean(fit.isComplete);
    w.key("input");
    w.integer(fit.input);
    w.key("minimum");
    w.number(fit.minimum);
    w.key("maximum");
    w.number(fit.maximum);
    w.key("landed");
    w.boolean(fit.hasLanded);
    w.key("value");
    w.number(fit.value);
    w.key("text");
    w.string(fit.text);
    w.key("row");
    w.row(fit.row);
    w.key("predicted");
    w.raw("[");
    for (const double p : fit.predicted) {
        w.comma();
        w.number(p);
    }
    w.raw("]");
    w.key("reaches");
    w.boolean(fit.reaches);
    w.key("intervals");
    w.raw("[");
    for (const auto& interval : fit.intervals) {
        w.comma();
        w.raw("[");
        w.number(interval.low);
        w.raw(",");
        w.number(interval.high);
        w.raw(",");
        w.string(interval.lowText);
        w.raw(",");
        w.string(interval.highText);
        w.raw("]");
    }
    w.raw("]");
    w.key("fitted");
    if (fit.fitted)
        w.integer(static_cast<std::uint64_t>(*fit.fitted));
    else
        w.raw("null");
    w.key("flights");
    w.integer(fit.flights);
    w.raw("}");

    const explore::ScatterResult& scatter = result.scatter;
    w.key("scatter");
    w.raw("{");
    w.key("refusal");
    w.string(scatter.refusal);
    w.key("complete");
    w.boolean(scatter.isComplete);
    w.key("inputs");
    w.raw("[");
    for (const int input : scatter.inputs) {
        w.comma();
        w.integer(input);
    }
    w.raw("]");
    w.key("designed");
    w.row(scatter.designed);
    w.key("runs");
    w.raw("[");
    for (const auto& row : scatter.runs) {
        w.comma();
        w.row(row);
    }
    w.raw("]");
    w.key("landed");
    w.integer(static_cast<std::uint64_t>(scatter.landed));
    w.key("range");
    w.figureSpread(scatter.range);
    w.key("height");
    w.figureSpread(scatter.height);
    w.raw("}}");
    return std::move(w.text);
}

std::optional<JobResult> readResult(std::string_view text) {
    if (text.size() > kMaxResultTextBytes)
        return std::nullopt;
    Reader r(text);
    JobResult result;
    if (!r.header("result", result.id, result.kind) || !r.key("complete") || !r.boolean(result.isComplete) ||
        !r.key("refusal") || !r.string(result.refusal) || !r.key("rows"))
        return std::nullopt;
    if (!r.list(kMaxResultRows, [&] { return r.row(result.rows.emplace_back(), explore::kMaxAxes); }))
        return std::nullopt;

    explore::FitResult& fit = result.fit;
    if (!r.key("fit") || !r.take('{') || !r.key("refusal", true) || !r.string(fit.refusal) ||
        !r.key("complete") || !r.boolean(fit.isComplete) || !r.key("input") ||
        !r.integer(fit.input, -1'000'000, 1'000'000) || !r.key("minimum") || !r.number(fit.minimum) ||
        !r.key("maximum") || !r.number(fit.maximum) || !r.key("landed") || !r.boolean(fit.hasLanded) ||
        !r.key("value") || !r.number(fit.value) || !r.key("text") || !r.string(fit.text) || !r.key("row") ||
        !r.row(fit.row, explore::kMaxAxes) || !r.key("predicted") ||
        !r.list(kMaxMeasurements, [&] { return r.number(fit.predicted.emplace_back()); }) ||
        !r.key("reaches") || !r.boolean(fit.reaches) || !r.key("intervals"))
        return std::nullopt;
    const bool intervalsRead = r.list(kMaxIntervals, [&] {
        auto& interval = fit.intervals.emplace_back();
        return r.take('[') && r.number(interval.low) && r.take(',') && r.number(interval.high) &&
               r.take(',') && r.string(interval.lowText) && r.take(',') && r.string(interval.highText) &&
               r.take(']');
    });
    if (!intervalsRead || !r.key("fitted"))
        return std::nullopt;
    if (!r.isNull()) {
        std::size_t fitted = 0;
        if (!r.size(fitted, kMaxIntervals) || fitted >= fit.intervals.size())
            return std::nullopt;
        fit.fitted = fitted;
    }
    if (!r.key("flights") || !r.integer(fit.flights, 0, std::numeric_limits<int>::max()) || !r.take('}'))
        return std::nullopt;

    explore::ScatterResult& scatter = result.scatter;
    if (!r.key("scatter") || !r.take('{') || !r.key("refusal", true) || !r.string(scatter.refusal) ||
        !r.key("complete") || !r.boolean(scatter.isComplete) || !r.key("inputs") ||
        !r.list(sim::kInputCount,
                [&] { return r.integer(scatter.inputs.emplace_back(), 0, sim::kInputCount - 1); }) ||
        !r.key("designed") || !r.row(scatter.designed, sim::kInputCount) || !r.key("runs") ||
        !r.list(kMaxResultRows, [&] { return r.row(scatter.runs.emplace_back(), sim::kInputCount); }) ||
        !r.key("landed") || !r.size(scatter.landed, kMaxResultRows) || !r.key("range") ||
        !r.figureSpread(scatter.range) || !r.key("height") || !r.figureSpread(scatter.height) ||
        !r.take('}') || !r.take('}') || !r.atEnd())
        return std::nullopt;
    return result;
}

} // namespace zorbal::investigate
