// SPDX-License-Identifier: MIT
// Laying out the picture of a sweep: titles, axes, colour fields, curves, markers and labels.
#include "explore/sweep_chart.h"

#include "explore/best.h"
#include "platform/number_text.h"
#include "sim/limits.h"

#include <algorithm>
#include <array>
#include <cassert>
#include <cmath>

namespace zorbal::explore {

namespace {

using platform::Color;
using platform::rgb;

constexpr Color kRefusedGrey = rgb(205, 205, 205);
constexpr Color kNotLandedGrey = rgb(96, 96, 96);
constexpr Color kGridGrey = rgb(228, 228, 228);
constexpr Color kWinnerColour = rgb(204, 0, 102);
/// The hatch over refused cells, and the opacity of the white box behind a marker's label.
constexpr Color kHatchGrey = rgb(128, 128, 128);
constexpr std::uint8_t kLabelOpacity = 235;
/// The curves' colours (blue, vermilion, bluish green), told apart with any colour vision.
constexpr std::array<Color, 3> kCurveColours = {rgb(0, 114, 178), rgb(213, 94, 0), rgb(0, 140, 100)};
constexpr std::array<Figure, 3> kFigures = {Figure::Range, Figure::Height, Figure::Duration};

/// Rows of the colour scale; enough that neighbouring bands cannot be told apart.
constexpr std::size_t kScaleBands = 128;

std::string trimmed(const std::string& text) {
    // Captions of the limits table carry a trailing blank or a doubled one inside.
    std::string out;
    for (char c : text)
        if (c != ' ' || (!out.empty() && out.back() != ' '))
            out += c;
    while (!out.empty() && out.back() == ' ')
        out.pop_back();
    return out;
}

std::string plainCaption(int input) {
    return trimmed(sim::inputCaptions()[static_cast<std::size_t>(input)]);
}

/// The unit of an input box, empty for "no units".
std::string unitOf(int input) {
    const std::string& unit = sim::inputUnits()[static_cast<std::size_t>(input)];
    return unit == "no units" ? std::string() : unit;
}

std::string withUnit(const std::string& text, const std::string& unit) {
    return unit.empty() ? text : text + " " + unit;
}

const char* figureTitle(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return "Range";
    case Figure::Height:
        return "Maximum Height";
    case Figure::Duration:
        return "Flight Duration";
    }
    return "Range";
}

const char* figureUnit(Figure figure) {
    return figure == Figure::Duration ? "seconds" : "metres";
}

const std::string& figureText(const SweepRow& row, Figure figure) {
    switch (figure) {
    case Figure::Range:
        return row.range;
    case Figure::Height:
        return row.height;
    case Figure::Duration:
        return row.duration;
    }
    return row.range;
}

Goal goalOf(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return Goal::MaximiseRange;
    case Figure::Height:
        return Goal::MaximiseHeight;
    case Figure::Duration:
        return Goal::MaximiseDuration;
    }
    return Goal::MaximiseRange;
}

/// The position in `rows` of the design `best --maximise` would choose for `figure`: the first of
/// the largest that landed.
std::optional<std::size_t> bestOf(const std::vector<SweepRow>& rows, Figure figure) {
    const Criterion criterion{goalOf(figure), 0};
    std::optional<std::size_t> best;
    double bestScore = 0;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (!figureValue(rows[i], figure))
            continue;
        const double rowScore = score(rows[i], criterion);
        if (!best || rowScore > bestScore) {
            best = i;
            bestScore = rowScore;
        }
    }
    return best;
}

CellState stateOf(const SweepRow& row, Figure figure) {
    switch (row.outcome) {
    case Outcome::Refused:
        return CellState::Refused;
    case Outcome::StepLimit:
    case Outcome::NonFinite:
        return CellState::NotLanded;
    case Outcome::Flown:
        break;
    }
    return figureValue(row, figure) ? CellState::Value : CellState::NotLanded;
}

using Tick = ChartTick;

/// The every-how-many-th value of an axis gets a tick so that `extent` pixels (a text's width or
/// height and a gap) fit between neighbouring ticks `pitch` pixels apart: 1, 2, 5, 10, 20, ...
std::size_t tickStride(double pitch, double extent) {
    for (std::size_t power = 1; power < 1'000'000'000; power *= 10)
        for (std::size_t mantissa : {1, 2, 5})
            if (pitch * static_cast<double>(mantissa * power) >= extent)
                return mantissa * power;
    return 1'000'000'000;
}

/// The value of an axis its every `stride`-th ticks start from: the one whose ticks read roundest
/// (texts a quarter of a character shorter on average, so 0.7, 1.4, 2.1 rather than 0.07, 0.77,
/// 1.47), else the first.
std::size_t tickStart(const VaryAxis& axis, std::size_t stride) {
    std::size_t best = 0;
    double bestLength = HUGE_VAL;
    for (std::size_t start = 0; start < std::min(stride, axis.count()); ++start) {
        double length = 0, ticks = 0;
        for (std::size_t k = start; k < axis.count(); k += stride) {
            length += static_cast<double>(axis.text(k).size());
            ++ticks;
        }
        if (length / ticks < bestLength - 0.25) {
            best = start;
            bestLength = length / ticks;
        }
    }
    return best;
}

/// The builder's shared state: sizes, fonts and the output.
class Layout {
  public:
    Layout(const SweepChartRequest& request, int width, int height)
        : m_measure(request.textWidth),
          font(std::clamp(std::round(std::min(width, height) / 50.0), 9.0, 18.0)),
          line(std::round(font * 1.3)), margin(std::round(font * 0.8)) {
        chart.width = width;
        chart.height = height;
    }

    double measure(std::string_view text, double px, bool isBold = false) const {
        if (m_measure)
            return m_measure(text, px, isBold);
        return static_cast<double>(text.size()) * px * (isBold ? 0.65 : 0.6);
    }

    void text(std::string content, ChartPoint at, HAlign h, VAlign v, bool isBold = false,
              Color colour = platform::kBlack, bool isVertical = false) {
        chart.texts.push_back(ChartText{std::move(content), at, h, v, font, isBold, isVertical, colour});
    }
    void lineTo(ChartPoint from, ChartPoint to, Color colour = platform::kBlack, double width = 1,
                bool isDashed = false) {
        chart.lines.push_back(ChartLine{from, to, colour, width, isDashed});
    }
    void frame(const ChartRect& r) {
        lineTo({r.left, r.top}, {r.right(), r.top});
        lineTo({r.right(), r.top}, {r.right(), r.bottom()});
        lineTo({r.right(), r.bottom()}, {r.left, r.bottom()});
        lineTo({r.left, r.bottom()}, {r.left, r.top});
    }

    /// Words of `content` on as many lines of `maxWidth` pixels as they need.
    std::vector<std::string> wrap(const std::string& content, double maxWidth, bool isBold) const {
        std::vector<std::string> lines;
        std::string current;
        std::size_t start = 0;
        while (start <= content.size()) {
            auto end = content.find(' ', start);
            if (end == std::string::npos)
                end = content.size();
            const std::string word = content.substr(start, end - start);
            const std::string joined = current.empty() ? word : current + " " + word;
            if (!current.empty() && measure(joined, font, isBold) > maxWidth) {
                lines.push_back(current);
                current = word;
            } else {
                current = joined;
            }
            start = end + 1;
        }
        if (!current.empty())
            lines.push_back(current);
        return lines;
    }

    /// Writes the title lines from the top and returns the y below them.
    double title(const std::string& heading, const std::vector<std::string>& fixedDesign) {
        const double maxWidth = chart.width - 2 * margin;
        double y = margin;
        for (const auto& part : wrap(heading, maxWidth, true)) {
            text(part, {chart.width / 2.0, y}, HAlign::Centre, VAlign::Top, true);
            y += line;
        }
        if (!fixedDesign.empty()) {
            // Lines break between the items where they can, so "Launch Angle 45 degrees" stays whole.
            std::vector<std::string> lines;
            std::string current = "Fixed design:";
            for (std::size_t i = 0; i < fixedDesign.size(); ++i) {
                const std::string item = fixedDesign[i] + (i + 1 < fixedDesign.size() ? "," : "");
                if (measure(current + " " + item, font) <= maxWidth) {
                    current += " " + item;
                    continue;
                }
                lines.push_back(current);
                current.clear();
                for (const auto& part : wrap(item, maxWidth, false)) {
                    if (!current.empty())
                        lines.push_back(current);
                    current = part;
                }
            }
            lines.push_back(current);
            for (const auto& part : lines) {
                text(part, {chart.width / 2.0, y}, HAlign::Centre, VAlign::Top);
                y += line;
            }
        }
        return y + font * 0.6;
    }

    /// A boxed label beside a marker at `at`, inside `bounds` where it fits: upper right, upper
    /// left, lower right or lower left of the marker, the first that fits and covers the fewest of
    /// `avoid` (the points of the curves it would hide).
    void marker(ChartPoint at, std::size_t gridIndex, const std::vector<std::string>& lines,
                const ChartRect& bounds, double radius, const std::vector<ChartPoint>& avoid = {}) {
        ChartMarker m;
        m.centre = at;
        m.radius = radius;
        m.gridIndex = gridIndex;
        double width = 0;
        for (std::size_t i = 0; i < lines.size(); ++i)
            width = std::max(width, measure(lines[i], font, i == 0));
        const double pad = std::round(font * 0.35);
        const double boxWidth = width + 2 * pad;
        const double boxHeight = static_cast<double>(lines.size()) * line + pad;
        const double gap = radius + font * 0.4;
        double left = 0, top = 0;
        double bestScore = HUGE_VAL;
        // Right of and above the marker, then left, then below.
        static constexpr std::array<std::pair<bool, bool>, 4> kPlaces{
            {{true, true}, {false, true}, {true, false}, {false, false}}};
        for (const auto& [isRight, isAbove] : kPlaces) {
            double x = isRight ? at.x + gap : at.x - gap - boxWidth;
            double y = isAbove ? at.y - gap - boxHeight : at.y + gap;
            const bool fits = x >= bounds.left && x + boxWidth <= bounds.right() && y >= bounds.top &&
                              y + boxHeight <= bounds.bottom();
            x = std::clamp(x, bounds.left, std::max(bounds.left, bounds.right() - boxWidth));
            y = std::clamp(y, bounds.top, std::max(bounds.top, bounds.bottom() - boxHeight));
            const ChartRect box{x - radius, y - radius, boxWidth + 2 * radius, boxHeight + 2 * radius};
            double score = (fits ? 0 : 1000) + (box.contains(at) ? 2000 : 0);
            for (const auto& point : avoid)
                score += box.contains(point) ? 1 : 0;
            if (score < bestScore) {
                bestScore = score;
                left = x;
                top = y;
            }
        }
        left = std::clamp(left, 1.0, std::max(1.0, chart.width - 1 - boxWidth));
        top = std::clamp(top, 1.0, std::max(1.0, chart.height - 1 - boxHeight));
        m.labelBox = ChartRect{left, top, boxWidth, boxHeight};
        for (std::size_t i = 0; i < lines.size(); ++i)
            m.label.push_back(ChartText{lines[i],
                                        {left + pad, top + pad * 0.5 + static_cast<double>(i) * line},
                                        HAlign::Left,
                                        VAlign::Top,
                                        font,
                                        i == 0,
                                        false,
                                        platform::kBlack});
        chart.markers.push_back(std::move(m));
    }

    /// A legend swatch (a one-cell field in `state`) with its text, at the upper-left `at`.
    void swatch(ChartPoint at, CellState state, const std::string& caption) {
        ChartField field;
        field.rect = ChartRect{std::round(at.x), std::round(at.y), std::round(font * 1.2), std::round(font)};
        field.columns = field.rows = 1;
        field.states = {state};
        field.colours = {state == CellState::Refused ? kRefusedGrey : kNotLandedGrey};
        chart.fields.push_back(field);
        frame(field.rect);
        text(caption, {field.rect.right() + font * 0.4, field.rect.top + field.rect.height / 2}, HAlign::Left,
             VAlign::Middle);
    }
    double swatchWidth(const std::string& caption) const {
        return std::round(font * 1.2) + font * 0.4 + measure(caption, font);
    }

    SweepChart chart;

  private:
    TextWidth m_measure;

  public:
    const double font;   ///< font size in pixels
    const double line;   ///< line height in pixels
    const double margin; ///< around the picture
};

ChartRect wholePixels(ChartRect r) {
    const double left = std::round(r.left), top = std::round(r.top);
    return ChartRect{left, top, std::max(1.0, std::round(r.right()) - left),
                     std::max(1.0, std::round(r.bottom()) - top)};
}

std::string axisValueLine(const SweepGrid& grid, std::size_t axisIndex, std::size_t valueIndex) {
    const int input = grid.axes()[axisIndex].input();
    return plainCaption(input) + ": " + withUnit(grid.axes()[axisIndex].text(valueIndex), unitOf(input));
}

std::string valueLine(const SweepRow& row, Figure figure) {
    return std::string(figureTitle(figure)) + ": " + figureText(row, figure) + " " + figureUnit(figure);
}

/// The label of a marked design: a heading, each varied input and the figure's value.
std::vector<std::string> designLabel(const std::string& heading, const SweepGrid& grid, std::size_t index,
                                     const SweepRow& row, const std::vector<Figure>& figures) {
    std::vector<std::string> lines{heading};
    const auto position = grid.position(index);
    for (std::size_t a = 0; a < grid.axes().size(); ++a)
        lines.push_back(axisValueLine(grid, a, position[a]));
    for (Figure figure : figures)
        lines.push_back(valueLine(row, figure));
    return lines;
}

// ---- Curves of one input ------------------------------------------------------------------------

SweepChart buildCurves(const SweepGrid& grid, const std::vector<SweepRow>& rows,
                       const SweepChartRequest& request, Layout& layout) {
    auto& chart = layout.chart;
    const auto& axis = grid.axes()[0];
    const std::size_t count = axis.count();
    const double font = layout.font;

    std::string heading = "Range, Maximum Height and Flight Duration by " + inputCaption(axis.input());
    if (request.winner)
        heading += "; the best for " + request.winnerGoal + " marked";
    const double top = layout.title(heading, request.fixedDesign);

    // Value ticks of each panel first: their widths set the left margin.
    struct Panel {
        Figure figure;
        std::vector<std::optional<double>> values;
        double low = 0, high = 1;
        std::vector<Tick> ticks;
        ChartRect rect;
    };
    std::array<Panel, 3> panels;
    const double bottomSpace = font * 0.4 + layout.line * 2 + layout.margin;
    const double gap = layout.line + font * 0.6; // the next panel's heading
    const double panelHeight =
        std::max(1.0, (chart.height - top - layout.line - bottomSpace - 2 * gap) / 3.0);
    double tickWidth = 0;
    for (std::size_t p = 0; p < 3; ++p) {
        auto& panel = panels[p];
        panel.figure = kFigures[p];
        panel.values.resize(count);
        double low = HUGE_VAL, high = -HUGE_VAL;
        for (std::size_t k = 0; k < count; ++k) {
            panel.values[k] = figureValue(rows[k], panel.figure);
            if (panel.values[k]) {
                low = std::min(low, *panel.values[k]);
                high = std::max(high, *panel.values[k]);
            }
        }
        if (!(low <= high)) {
            low = 0;
            high = 1;
        } else if (high - low < 1e-9 * std::max(1.0, std::fabs(high))) {
            const double half = std::max(std::fabs(high) * 0.05, 0.5);
            low -= half;
            high += half;
        } else {
            const double pad = (high - low) * 0.08;
            low -= pad;
            high += pad;
        }
        panel.low = low;
        panel.high = high;
        panel.ticks =
            roundTicks(low, high, std::clamp(static_cast<int>(panelHeight / (layout.line * 1.6)), 2, 6));
        for (const auto& tick : panel.ticks)
            tickWidth = std::max(tickWidth, layout.measure(tick.text, font));
    }

    const double left = std::round(layout.margin + tickWidth + font * 0.8);
    const double right = std::round(chart.width - layout.margin - font);
    const double width = std::max(1.0, right - left);
    const double pitch = width / static_cast<double>(count);
    auto xOf = [&](std::size_t k) { return left + (static_cast<double>(k) + 0.5) * pitch; };

    // Input ticks: the axis' own value texts, as the CSV writes them.
    double valueWidth = 0;
    for (std::size_t k = 0; k < count; ++k)
        valueWidth = std::max(valueWidth, layout.measure(axis.text(k), font));
    const std::size_t stride = tickStride(pitch, valueWidth + font);
    const std::size_t firstTick = tickStart(axis, stride);

    bool hasRefused = false, hasNotLanded = false;
    double y = top + layout.line;
    for (std::size_t p = 0; p < 3; ++p) {
        auto& panel = panels[p];
        panel.rect = wholePixels(ChartRect{left, y, width, panelHeight});
        const ChartRect& r = panel.rect;
        const Color colour = kCurveColours[p];
        layout.text(figureCaption(panel.figure), {r.left, r.top - font * 0.3}, HAlign::Left, VAlign::Bottom,
                    true, colour);
        auto yOf = [&](double value) {
            return r.bottom() - (value - panel.low) / (panel.high - panel.low) * r.height;
        };

        // Refused designs shade their column, so the gap in the curve is explained.
        ChartField shade;
        shade.rect = r;
        shade.columns = count;
        shade.rows = 1;
        shade.colours.assign(count, kRefusedGrey);
        shade.states.assign(count, CellState::Empty);
        bool isShaded = false;
        for (std::size_t k = 0; k < count; ++k) {
            const CellState state = stateOf(rows[k], panel.figure);
            if (state == CellState::Refused || state == CellState::NotLanded) {
                shade.states[k] = state;
                shade.colours[k] = state == CellState::Refused ? kRefusedGrey : kNotLandedGrey;
                isShaded = true;
                hasRefused = hasRefused || state == CellState::Refused;
                hasNotLanded = hasNotLanded || state == CellState::NotLanded;
            }
        }
        if (isShaded)
            chart.fields.push_back(std::move(shade));

        for (const auto& tick : panel.ticks) {
            const double ty = yOf(tick.value);
            layout.lineTo({r.left, ty}, {r.right(), ty}, kGridGrey);
            layout.lineTo({r.left - font * 0.3, ty}, {r.left, ty});
            layout.text(tick.text, {r.left - font * 0.45, ty}, HAlign::Right, VAlign::Middle);
        }
        for (std::size_t k = firstTick; k < count; k += stride) {
            layout.lineTo({xOf(k), r.top}, {xOf(k), r.bottom()}, kGridGrey);
            layout.lineTo({xOf(k), r.bottom()}, {xOf(k), r.bottom() + font * 0.3});
        }
        layout.frame(r);

        // One polyline per run of landed designs; a refused design breaks the curve.
        ChartPolyline run;
        run.colour = colour;
        for (std::size_t k = 0; k <= count; ++k) {
            if (k < count && panel.values[k]) {
                run.points.push_back({xOf(k), yOf(*panel.values[k])});
            } else if (!run.points.empty()) {
                chart.curves.push_back(run);
                run.points.clear();
            }
        }

        if (const auto best = bestOf(rows, panel.figure)) {
            const ChartPoint at{xOf(*best), yOf(*panel.values[*best])};
            std::vector<ChartPoint> points;
            for (std::size_t k = 0; k < count; ++k)
                if (panel.values[k])
                    points.push_back({xOf(k), yOf(*panel.values[k])});
            layout.marker(at, *best,
                          {"Best: " + figureText(rows[*best], panel.figure) + " " + figureUnit(panel.figure),
                           axisValueLine(grid, 0, *best)},
                          r, std::round(font * 0.4), points);
        } else {
            layout.text("No design landed", {r.left + r.width / 2, r.top + r.height / 2}, HAlign::Centre,
                        VAlign::Middle);
        }
        y = r.bottom() + gap;
    }

    const ChartRect& lowest = panels[2].rect;
    for (std::size_t k = firstTick; k < count; k += stride)
        layout.text(axis.text(k), {xOf(k), lowest.bottom() + font * 0.4}, HAlign::Centre, VAlign::Top);
    const double captionY = lowest.bottom() + font * 0.4 + layout.line;
    layout.text(inputCaption(axis.input()), {left + width / 2, captionY}, HAlign::Centre, VAlign::Top);

    // The legend of the shading, on the caption's line at the right.
    double legendX = right;
    if (hasNotLanded) {
        legendX -= layout.swatchWidth("did not land");
        layout.swatch({legendX, captionY + 1}, CellState::NotLanded, "did not land");
        legendX -= font;
    }
    if (hasRefused) {
        legendX -= layout.swatchWidth("refused");
        layout.swatch({legendX, captionY + 1}, CellState::Refused, "refused");
    }

    if (request.winner) {
        // best's choice: a dashed line through the panels, a dot on each curve, and a note at the
        // right of the first panel's heading.
        const std::size_t w = *request.winner;
        const double x = xOf(w);
        layout.lineTo({x, panels[0].rect.top}, {x, panels[2].rect.bottom()}, kWinnerColour, 2, true);
        for (const auto& panel : panels)
            if (panel.values[w])
                chart.curves.push_back(ChartPolyline{
                    {{x, panel.rect.bottom() -
                             (*panel.values[w] - panel.low) / (panel.high - panel.low) * panel.rect.height}},
                    kWinnerColour,
                    3});
        layout.text("Best for " + request.winnerGoal + ": " + axisValueLine(grid, 0, w),
                    {panels[0].rect.right(), panels[0].rect.top - font * 0.3}, HAlign::Right, VAlign::Bottom,
                    true, kWinnerColour);
    }
    return std::move(layout.chart);
}

// ---- Maps of two or three inputs ------------------------------------------------------------------

SweepChart buildMaps(const SweepGrid& grid, const std::vector<SweepRow>& rows,
                     const SweepChartRequest& request, Layout& layout) {
    auto& chart = layout.chart;
    const Figure figure = request.figure;
    const auto& xAxis = grid.axes()[0];
    const auto& yAxis = grid.axes()[1];
    const bool hasPanels = grid.axes().size() == 3;
    const std::size_t mapCount = hasPanels ? grid.axes()[2].count() : 1;
    const std::size_t columns = xAxis.count(), rowCount = yAxis.count();
    const double font = layout.font;

    std::string heading =
        figureCaption(figure) + " by " + inputCaption(xAxis.input()) + " and " + inputCaption(yAxis.input());
    if (hasPanels)
        heading += ", one map for each " + inputCaption(grid.axes()[2].input());
    if (request.winner)
        heading += "; the best for " + request.winnerGoal + " marked";
    const double top = layout.title(heading, request.fixedDesign) + (hasPanels ? layout.line : 0);

    // The colour scale runs over the values of every map, so the maps compare.
    std::vector<std::optional<double>> values(rows.size());
    double low = HUGE_VAL, high = -HUGE_VAL;
    bool hasRefused = false, hasNotLanded = false;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        values[i] = figureValue(rows[i], figure);
        if (values[i]) {
            low = std::min(low, *values[i]);
            high = std::max(high, *values[i]);
        }
        const CellState state = stateOf(rows[i], figure);
        hasRefused = hasRefused || state == CellState::Refused;
        hasNotLanded = hasNotLanded || state == CellState::NotLanded;
    }
    const bool hasValues = low <= high;
    auto tOf = [&](double v) { return high > low ? (v - low) / (high - low) : 0.5; };

    const double bottomSpace = font * 0.4 + layout.line * 2 + layout.margin;
    const double fieldTop = std::round(top);
    const double fieldBottom = std::round(std::max(fieldTop + 1, chart.height - bottomSpace));
    const double fieldHeight = fieldBottom - fieldTop;

    // The right-hand column: colour scale with its ticks and caption, the legend below it.
    std::vector<Tick> scaleTicks;
    if (hasValues)
        scaleTicks =
            high > low
                ? roundTicks(low, high, std::clamp(static_cast<int>(fieldHeight / (layout.line * 2.5)), 2, 8))
                : std::vector<Tick>{Tick{low, figureText(rows[*bestOf(rows, figure)], figure)}};
    double scaleTickWidth = 0;
    for (const auto& tick : scaleTicks)
        scaleTickWidth = std::max(scaleTickWidth, layout.measure(tick.text, font));
    const double scaleWidth = std::round(font * 1.3);
    double columnWidth = hasValues ? scaleWidth + font * 0.5 + scaleTickWidth + font * 0.5 + layout.line : 0;
    if (hasRefused)
        columnWidth = std::max(columnWidth, layout.swatchWidth("refused"));
    if (hasNotLanded)
        columnWidth = std::max(columnWidth, layout.swatchWidth("did not land"));
    const double plotRight = chart.width - layout.margin - columnWidth - font * 1.2;

    // Left: the second input's caption upright, then its value texts.
    double yValueWidth = 0;
    for (std::size_t k = 0; k < rowCount; ++k)
        yValueWidth = std::max(yValueWidth, layout.measure(yAxis.text(k), font));
    const double plotLeft = std::round(layout.margin + layout.line + font * 0.4 + yValueWidth + font * 0.5);
    const double mapGap = hasPanels ? std::round(font * 1.5) : 0;
    const double mapWidth =
        std::max(1.0, (plotRight - plotLeft - mapGap * static_cast<double>(mapCount - 1)) /
                          static_cast<double>(mapCount));

    double xValueWidth = 0;
    for (std::size_t k = 0; k < columns; ++k)
        xValueWidth = std::max(xValueWidth, layout.measure(xAxis.text(k), font));
    const std::size_t xStride = tickStride(mapWidth / static_cast<double>(columns), xValueWidth + font);
    const std::size_t yStride = tickStride(fieldHeight / static_cast<double>(rowCount), layout.line * 1.1);
    const std::size_t xFirst = tickStart(xAxis, xStride), yFirst = tickStart(yAxis, yStride);

    // The fields.
    const std::size_t perMap = columns * rowCount;
    for (std::size_t m = 0; m < mapCount; ++m) {
        ChartField field;
        const double left = plotLeft + static_cast<double>(m) * (mapWidth + mapGap);
        field.rect = wholePixels(ChartRect{left, fieldTop, mapWidth, fieldHeight});
        field.columns = columns;
        field.rows = rowCount;
        field.colours.resize(perMap);
        field.states.resize(perMap);
        for (std::size_t c = 0; c < columns; ++c) {
            for (std::size_t r = 0; r < rowCount; ++r) {
                // Grid order: the first input changes slowest, the third fastest.
                const std::size_t index = (c * rowCount + r) * mapCount + m;
                const std::size_t cell = r * columns + c;
                const CellState state = stateOf(rows[index], figure);
                field.states[cell] = state;
                field.colours[cell] = state == CellState::Value     ? viridis(tOf(*values[index]))
                                      : state == CellState::Refused ? kRefusedGrey
                                                                    : kNotLandedGrey;
            }
        }
        chart.fields.push_back(std::move(field));
    }
    chart.mapCount = mapCount;

    // Axes of each map.
    for (std::size_t m = 0; m < mapCount; ++m) {
        const ChartField& field = chart.fields[m];
        const ChartRect& r = field.rect;
        layout.frame(r);
        for (std::size_t c = xFirst; c < columns; c += xStride) {
            const ChartRect cell = field.cell(c, 0);
            const double x = cell.left + cell.width / 2;
            layout.lineTo({x, r.bottom()}, {x, r.bottom() + font * 0.3});
            layout.text(xAxis.text(c), {x, r.bottom() + font * 0.4}, HAlign::Centre, VAlign::Top);
        }
        if (m == 0) {
            for (std::size_t k = yFirst; k < rowCount; k += yStride) {
                const ChartRect cell = field.cell(0, k);
                const double y = cell.top + cell.height / 2;
                layout.lineTo({r.left - font * 0.3, y}, {r.left, y});
                layout.text(yAxis.text(k), {r.left - font * 0.45, y}, HAlign::Right, VAlign::Middle);
            }
        }
        if (hasPanels)
            layout.text(axisValueLine(grid, 2, m), {r.left + r.width / 2, r.top - font * 0.3}, HAlign::Centre,
                        VAlign::Bottom, true);
    }
    const ChartRect& first = chart.fields[0].rect;
    const ChartRect& last = chart.fields[mapCount - 1].rect;
    layout.text(inputCaption(xAxis.input()),
                {(first.left + last.right()) / 2, first.bottom() + font * 0.4 + layout.line}, HAlign::Centre,
                VAlign::Top);
    layout.text(inputCaption(yAxis.input()), {layout.margin, first.top + first.height / 2}, HAlign::Centre,
                VAlign::Top, false, platform::kBlack, true);

    // The colour scale, lowest value at the bottom, and the legend of the greys below it.
    const double columnLeft = std::round(last.right() + font * 1.2);
    double legendHeight = 0;
    if (hasRefused)
        legendHeight += layout.line * 1.3;
    if (hasNotLanded)
        legendHeight += layout.line * 1.3;
    if (hasValues) {
        ChartField scale;
        scale.rect = wholePixels(
            ChartRect{columnLeft, fieldTop, scaleWidth, std::max(1.0, fieldHeight - legendHeight)});
        scale.columns = 1;
        scale.rows = kScaleBands;
        scale.states.assign(kScaleBands, CellState::Value);
        for (std::size_t b = 0; b < kScaleBands; ++b)
            scale.colours.push_back(high > low ? viridis((static_cast<double>(b) + 0.5) / kScaleBands)
                                               : viridis(0.5));
        const ChartRect sr = scale.rect;
        chart.fields.push_back(std::move(scale));
        layout.frame(sr);
        for (const auto& tick : scaleTicks) {
            const double y = sr.bottom() - tOf(tick.value) * sr.height;
            layout.lineTo({sr.right(), y}, {sr.right() + font * 0.3, y});
            layout.text(tick.text, {sr.right() + font * 0.45, y}, HAlign::Left, VAlign::Middle);
        }
        layout.text(figureCaption(figure),
                    {sr.right() + font * 0.45 + scaleTickWidth + font * 0.5, sr.top + sr.height / 2},
                    HAlign::Centre, VAlign::Top, false, platform::kBlack, true);
    } else {
        layout.text("None of the designs landed",
                    {(first.left + last.right()) / 2, first.top + first.height / 2}, HAlign::Centre,
                    VAlign::Middle, true);
    }
    double legendY = fieldBottom - legendHeight + layout.line * 0.3;
    if (hasRefused) {
        layout.swatch({columnLeft, legendY}, CellState::Refused, "refused");
        legendY += layout.line * 1.3;
    }
    if (hasNotLanded)
        layout.swatch({columnLeft, legendY}, CellState::NotLanded, "did not land");

    // The marked design: `best`'s winner, or the best of the mapped figure.
    const auto marked = request.winner ? request.winner : bestOf(rows, figure);
    if (marked) {
        const auto position = grid.position(*marked);
        const ChartField& field = chart.fields[hasPanels ? position[2] : 0];
        const ChartRect cell = field.cell(position[0], position[1]);
        const double radius = std::clamp(std::min(cell.width, cell.height) * 0.35, font * 0.35, font * 0.6);
        layout.marker({cell.left + cell.width / 2, cell.top + cell.height / 2}, *marked,
                      designLabel(request.winner ? "Best for " + request.winnerGoal : "Best", grid, *marked,
                                  rows[*marked], {figure}),
                      field.rect, radius);
    }
    return std::move(layout.chart);
}

} // namespace

std::vector<ChartTick> roundTicks(double low, double high, int wanted) {
    if (!(high > low) || !std::isfinite(low) || !std::isfinite(high))
        return {ChartTick{low, platform::generalText(low)}};
    const double raw = (high - low) / std::max(wanted, 1);
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    double step = 10 * power;
    for (double mantissa : {1.0, 2.0, 2.5, 5.0}) {
        if (mantissa * power >= raw * (1 - 1e-9)) {
            step = mantissa * power;
            break;
        }
    }
    // As many decimals as the step needs: 0.25 two, 2.5 one, 25 none.
    int decimals = 0;
    for (double scaled = step; decimals < 12 && std::fabs(scaled - std::round(scaled)) > 1e-6 * scaled;
         ++decimals)
        scaled *= 10;
    std::vector<ChartTick> ticks;
    const auto first = static_cast<long long>(std::ceil(low / step - 1e-9));
    const auto last = static_cast<long long>(std::floor(high / step + 1e-9));
    for (long long k = first; k <= last && ticks.size() < 50; ++k) {
        const double value = static_cast<double>(k) * step;
        ticks.push_back(ChartTick{value, platform::fixedText(value, decimals)});
    }
    return ticks;
}

std::optional<Figure> figureNamed(std::string_view name) {
    if (name == "range")
        return Figure::Range;
    if (name == "height")
        return Figure::Height;
    if (name == "duration")
        return Figure::Duration;
    return std::nullopt;
}

std::string figureCaption(Figure figure) {
    return std::string(figureTitle(figure)) + " (" + figureUnit(figure) + ")";
}

std::string inputCaption(int input) {
    const std::string unit = unitOf(input);
    return unit.empty() ? plainCaption(input) : plainCaption(input) + " (" + unit + ")";
}

platform::Color viridis(double t) {
    // A polynomial fit of matplotlib's viridis map (within about one step of 8 bits per channel).
    static constexpr std::array<std::array<double, 3>, 7> kCoefficients = {{
        {0.2777273272234177, 0.005407344544966578, 0.3340998053353061},
        {0.1050930431085774, 1.404613529898575, 1.384590162594685},
        {-0.3308618287255563, 0.214847559468213, 0.09509516302823659},
        {-4.634230498983486, -5.799100973351585, -19.33244095627987},
        {6.228269936347081, 14.17993336680509, 56.69055260068105},
        {4.776384997670288, -13.74514537774601, -65.35303263337234},
        {-5.435455855934631, 4.645852612178535, 26.3124352495832},
    }};
    t = std::isfinite(t) ? std::clamp(t, 0.0, 1.0) : 0.0;
    std::array<int, 3> channels{};
    for (std::size_t c = 0; c < 3; ++c) {
        double value = 0;
        for (std::size_t k = kCoefficients.size(); k-- > 0;)
            value = value * t + kCoefficients[k][c];
        channels[c] = static_cast<int>(std::lround(std::clamp(value, 0.0, 1.0) * 255));
    }
    return rgb(channels[0], channels[1], channels[2]);
}

std::optional<double> figureValue(const SweepRow& row, Figure figure) {
    if (row.outcome != Outcome::Flown)
        return std::nullopt;
    std::string digits;
    for (char c : figureText(row, figure))
        if (c != ',')
            digits += c;
    const auto value = platform::readStrict(digits);
    if (!value || !std::isfinite(*value))
        return std::nullopt;
    return value;
}

ChartRect ChartField::cell(std::size_t column, std::size_t row) const {
    auto edge = [](double start, double length, std::size_t parts, std::size_t k) {
        return std::round(start + length * static_cast<double>(k) / static_cast<double>(parts));
    };
    const double left = edge(rect.left, rect.width, columns, column);
    const double right = edge(rect.left, rect.width, columns, column + 1);
    // Row 0 at the bottom.
    const double bottom = edge(rect.bottom(), -rect.height, rows, row);
    const double top = edge(rect.bottom(), -rect.height, rows, row + 1);
    return ChartRect{left, top, right - left, bottom - top};
}

std::string chartRefusal(const SweepGrid& grid) {
    if (grid.size() > kMaxChartDesigns)
        return "A picture shows at most " + platform::fixedText(static_cast<double>(kMaxChartDesigns), 0) +
               " designs; this grid has " + platform::fixedText(static_cast<double>(grid.size()), 0) + ".";
    if (grid.axes().size() == 3 && grid.axes()[2].count() > kMaxChartMaps)
        return "A picture shows at most " + std::to_string(kMaxChartMaps) +
               " maps side by side, one for each value of the third --vary; " +
               inputCaption(grid.axes()[2].input()) + " has " + std::to_string(grid.axes()[2].count()) +
               " values. Vary it over fewer values, or swap it with one of the first two.";
    return {};
}

std::pair<int, int> defaultChartSize(const SweepGrid& grid) {
    if (grid.axes().size() == 3) {
        const auto maps = static_cast<int>(grid.axes()[2].count());
        return {std::max(800, 160 + 330 * maps), 560};
    }
    return {800, 600};
}

std::vector<std::string> fixedDesignTexts(const files::DesignTexts& design, const SweepGrid& grid) {
    std::array<bool, sim::kInputCount> isVaried{};
    for (const auto& axis : grid.axes())
        isVaried[static_cast<std::size_t>(axis.input())] = true;
    const bool hasRail = design.railTicked;
    const bool hasParachute = design.parachuteTicked;
    const bool byAngle = design.triggerByAngle;
    std::vector<std::string> texts;
    for (int i = 0; i < static_cast<int>(sim::kInputCount); ++i) {
        // Boxes the design does not use (a rail length without the rail, the other trigger) are left out.
        const bool unused = (i == sim::RailLengthInput && !hasRail) ||
                            (i >= sim::TriggerAngle && !hasParachute) ||
                            (i == sim::TriggerAngle && !byAngle) || (i == sim::TriggerDelay && byAngle);
        if (isVaried[static_cast<std::size_t>(i)] || unused)
            continue;
        texts.push_back(plainCaption(i) + " " +
                        withUnit(design.inputs[static_cast<std::size_t>(i)], unitOf(i)));
    }
    if (!hasRail)
        texts.push_back("no launch rail");
    texts.push_back(!hasParachute ? "no parachute"
                    : byAngle     ? "parachute triggered by angle"
                                  : "parachute triggered by time delay");
    return texts;
}

SweepChart buildSweepChart(const SweepGrid& grid, const std::vector<SweepRow>& rows,
                           const SweepChartRequest& request) {
    assert(rows.size() == grid.size() && !grid.axes().empty() && chartRefusal(grid).empty());
    auto [width, height] = defaultChartSize(grid);
    if (request.width > 0 && request.height > 0) {
        width = request.width;
        height = request.height;
    }
    Layout layout(request, width, height);
    return grid.axes().size() == 1 ? buildCurves(grid, rows, request, layout)
                                   : buildMaps(grid, rows, request, layout);
}

// ---- The chart as a display list ------------------------------------------------------------------

namespace {

/// The corners of `r` on whole pixels: its left and top edges, width and height each rounded half
/// away from zero.
struct PixelCorners {
    double x1, y1, x2, y2;
};
PixelCorners pixelCorners(const ChartRect& r) {
    const long left = std::lround(r.left), top = std::lround(r.top);
    return {static_cast<double>(left), static_cast<double>(top),
            static_cast<double>(left + std::lround(r.width)),
            static_cast<double>(top + std::lround(r.height))};
}

void drawText(platform::DrawingSurface& surface, const ChartText& text) {
    surface.text(text.anchor.x, text.anchor.y, text.text,
                 platform::TextStyle{text.fontPx, text.hAlign, text.vAlign, text.isBold, text.isVertical},
                 text.colour);
}

} // namespace

void drawSweepChart(const SweepChart& chart, platform::DrawingSurface& surface) {
    surface.setBackColor(chart.background);
    surface.scale(0, 0, chart.width, chart.height);
    for (const auto& field : chart.fields) {
        for (std::size_t row = 0; row < field.rows; ++row) {
            for (std::size_t column = 0; column < field.columns; ++column) {
                const CellState state = field.state(column, row);
                if (state == CellState::Empty)
                    continue;
                const PixelCorners cell = pixelCorners(field.cell(column, row));
                surface.rect(cell.x1, cell.y1, cell.x2, cell.y2, field.colour(column, row));
                if (state == CellState::Refused)
                    surface.hatch(cell.x1, cell.y1, cell.x2, cell.y2, kHatchGrey);
            }
        }
    }
    for (const auto& line : chart.lines)
        surface.stroke(line.from.x, line.from.y, line.to.x, line.to.y, line.width, line.colour,
                       line.isDashed);
    std::vector<platform::PointD> points;
    for (const auto& curve : chart.curves) {
        if (curve.points.size() == 1) {
            const double radius = curve.width * 1.5;
            surface.filledEllipse(curve.points[0].x, curve.points[0].y, radius, radius, curve.colour);
            continue;
        }
        points.clear();
        for (const ChartPoint& p : curve.points)
            points.push_back({p.x, p.y});
        surface.polyline(points, curve.width, curve.colour);
    }
    for (const auto& text : chart.texts)
        drawText(surface, text);
    for (const auto& marker : chart.markers) {
        const double x = marker.centre.x, y = marker.centre.y;
        surface.filledEllipse(x, y, marker.radius, marker.radius, platform::kWhite, platform::kBlack, 2);
        const double dot = std::max(1.0, marker.radius * 0.35);
        surface.filledEllipse(x, y, dot, dot, platform::kBlack);
        if (marker.label.empty())
            continue;
        const PixelCorners box = pixelCorners(marker.labelBox);
        surface.rect(box.x1, box.y1, box.x2, box.y2, platform::kWhite, kLabelOpacity, platform::kBlack, 1);
        for (const auto& text : marker.label)
            drawText(surface, text);
    }
}

} // namespace zorbal::explore
