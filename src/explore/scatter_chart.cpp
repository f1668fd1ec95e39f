// SPDX-License-Identifier: MIT
// Laying out the picture of a scatter.
#include "explore/scatter_chart.h"

#include "platform/number_text.h"
#include "sim/limits.h"

#include <algorithm>
#include <cmath>
#include <tuple>

namespace zorbal::explore {

namespace {

using platform::Color;
using platform::rgb;

constexpr Color kDotColour = rgb(0, 114, 178);
constexpr Color kSpreadColour = rgb(213, 94, 0);
constexpr Color kDesignedColour = rgb(204, 0, 102);
constexpr Color kGridGrey = rgb(228, 228, 228);
constexpr double kFont = 12;

/// The extent of `values` with a margin, never empty.
std::pair<double, double> paddedExtent(double low, double high) {
    if (high - low < 1e-9 * std::max(1.0, std::fabs(high))) {
        const double half = std::max(std::fabs(high) * 0.05, 0.5);
        return {low - half, high + half};
    }
    const double pad = (high - low) * 0.08;
    return {low - pad, high + pad};
}

} // namespace

SweepChart buildScatterChart(const ScatterResult& result, const ScatterChartRequest& request) {
    SweepChart chart;
    chart.width = request.width > 0 ? request.width : 800;
    chart.height = request.height > 0 ? request.height : 600;
    auto measure = [&request](const std::string& text, double font, bool isBold = false) {
        return request.textWidth ? request.textWidth(text, font, isBold)
                                 : 0.6 * font * static_cast<double>(text.size());
    };
    auto text = [&chart](std::string content, ChartPoint at, HAlign h, VAlign v, bool isBold = false,
                         bool isVertical = false, Color colour = platform::kBlack) {
        ChartText t;
        t.text = std::move(content);
        t.anchor = at;
        t.hAlign = h;
        t.vAlign = v;
        t.fontPx = kFont;
        t.isBold = isBold;
        t.isVertical = isVertical;
        t.colour = colour;
        chart.texts.push_back(std::move(t));
    };
    const double line = kFont * 1.4, margin = 10;

    // Title: what was flown, then the spreads.
    std::string heading = "Where it lands: " + platform::integerText(static_cast<long long>(result.landed)) +
                          " of " + platform::integerText(static_cast<long long>(result.runs.size())) +
                          " runs landed (seed " + std::to_string(request.seed) + ")";
    // The spreads, one item after another, on as many lines as the width needs.
    std::vector<std::string> spreadLines = {"Spreads:"};
    for (std::size_t i = 0; i < request.spreads.size(); ++i) {
        std::string caption = sim::inputCaptions()[static_cast<std::size_t>(request.spreads[i].input)];
        while (!caption.empty() && caption.back() == ' ')
            caption.pop_back();
        const std::string& unit = sim::inputUnits()[static_cast<std::size_t>(request.spreads[i].input)];
        const std::string item = caption + " \u00b1 " + platform::generalText(request.spreads[i].amount) +
                                 (unit == "no units" ? ""
                                  : unit == "%"      ? unit
                                                     : " " + unit) +
                                 (i + 1 < request.spreads.size() ? "," : "");
        const std::string joined = spreadLines.back() + " " + item;
        if (i > 0 && measure(joined, kFont) > chart.width - 2 * margin)
            spreadLines.push_back(item);
        else
            spreadLines.back() = joined;
    }
    text(heading, {chart.width / 2.0, margin}, HAlign::Centre, VAlign::Top, true);
    double below = margin + line;
    for (const auto& part : spreadLines) {
        text(part, {chart.width / 2.0, below}, HAlign::Centre, VAlign::Top);
        below += line;
    }
    const double top = std::round(below + kFont);

    // The extents of the landed runs and the designed flight.
    double xLow = HUGE_VAL, xHigh = -HUGE_VAL, yLow = HUGE_VAL, yHigh = -HUGE_VAL;
    auto include = [&](const SweepRow& row) {
        if (row.outcome != Outcome::Flown)
            return;
        xLow = std::min(xLow, row.rangeMetres);
        xHigh = std::max(xHigh, row.rangeMetres);
        yLow = std::min(yLow, row.maxHeight);
        yHigh = std::max(yHigh, row.maxHeight);
    };
    for (const auto& row : result.runs)
        include(row);
    include(result.designed);
    if (!(xLow <= xHigh)) {
        xLow = yLow = 0;
        xHigh = yHigh = 1;
    }
    std::tie(xLow, xHigh) = paddedExtent(xLow, xHigh);
    std::tie(yLow, yHigh) = paddedExtent(yLow, yHigh);
    const auto yTicks = roundTicks(yLow, yHigh, 6);
    double tickWidth = 0;
    for (const auto& tick : yTicks)
        tickWidth = std::max(tickWidth, measure(tick.text, kFont));

    const double left = std::round(margin + line + tickWidth + kFont * 0.8);
    const double right = std::round(chart.width - margin - kFont);
    const double bottom = std::round(chart.height - margin - 3 * line);
    const ChartRect plot{left, top, std::max(1.0, right - left), std::max(1.0, bottom - top)};
    auto xOf = [&](double v) { return plot.left + (v - xLow) / (xHigh - xLow) * plot.width; };
    auto yOf = [&](double v) { return plot.bottom() - (v - yLow) / (yHigh - yLow) * plot.height; };

    // Grid, frame and ticks.
    const auto xTicks = roundTicks(xLow, xHigh, 8);
    for (const auto& tick : xTicks) {
        const double x = xOf(tick.value);
        chart.lines.push_back({{x, plot.top}, {x, plot.bottom()}, kGridGrey, 1, false});
        text(tick.text, {x, plot.bottom() + kFont * 0.4}, HAlign::Centre, VAlign::Top);
    }
    for (const auto& tick : yTicks) {
        const double y = yOf(tick.value);
        chart.lines.push_back({{plot.left, y}, {plot.right(), y}, kGridGrey, 1, false});
        text(tick.text, {plot.left - kFont * 0.4, y}, HAlign::Right, VAlign::Middle);
    }
    chart.lines.push_back({{plot.left, plot.top}, {plot.right(), plot.top}, platform::kBlack, 1, false});
    chart.lines.push_back(
        {{plot.left, plot.bottom()}, {plot.right(), plot.bottom()}, platform::kBlack, 1, false});
    chart.lines.push_back({{plot.left, plot.top}, {plot.left, plot.bottom()}, platform::kBlack, 1, false});
    chart.lines.push_back(
        {{plot.right(), plot.top}, {plot.right(), plot.bottom()}, platform::kBlack, 1, false});
    text(figureCaption(Figure::Range), {plot.left + plot.width / 2, plot.bottom() + kFont * 0.4 + line},
         HAlign::Centre, VAlign::Top);
    text(figureCaption(Figure::Height), {margin, plot.top + plot.height / 2}, HAlign::Centre, VAlign::Top,
         false, true);

    // The 5-95 % ranges.
    if (result.range) {
        for (const double v : {result.range->low, result.range->high})
            chart.lines.push_back({{xOf(v), plot.top}, {xOf(v), plot.bottom()}, kSpreadColour, 1.5, true});
    }
    if (result.height) {
        for (const double v : {result.height->low, result.height->high})
            chart.lines.push_back({{plot.left, yOf(v)}, {plot.right(), yOf(v)}, kSpreadColour, 1.5, true});
    }
    if (result.range && result.height)
        text("Dashed, 5-95 %: range " + platform::fixedText(result.range->low, 2) + " to " +
                 platform::fixedText(result.range->high, 2) + " m, height " +
                 platform::fixedText(result.height->low, 2) + " to " +
                 platform::fixedText(result.height->high, 2) + " m",
             {plot.left + plot.width / 2, plot.bottom() + kFont * 0.4 + 2 * line}, HAlign::Centre,
             VAlign::Top, false, false, kSpreadColour);

    // The runs, each a dot, then the designed flight marked.
    for (const auto& row : result.runs) {
        if (row.outcome != Outcome::Flown)
            continue;
        chart.curves.push_back({{{xOf(row.rangeMetres), yOf(row.maxHeight)}}, kDotColour, 1.5});
    }
    if (result.designed.outcome == Outcome::Flown) {
        ChartMarker m;
        m.centre = {xOf(result.designed.rangeMetres), yOf(result.designed.maxHeight)};
        m.radius = 5;
        const std::string label =
            "Designed: " + result.designed.range + " m, " + result.designed.height + " m high";
        const double width = measure(label, kFont) + 8;
        double labelLeft = m.centre.x + 8;
        if (labelLeft + width > plot.right())
            labelLeft = m.centre.x - 8 - width;
        const double labelTop = std::max(plot.top, m.centre.y - 8 - line);
        m.labelBox = {labelLeft, labelTop, width, line};
        ChartText t;
        t.text = label;
        t.anchor = {labelLeft + 4, labelTop + line / 2};
        t.vAlign = VAlign::Middle;
        t.fontPx = kFont;
        t.colour = kDesignedColour;
        m.label.push_back(std::move(t));
        chart.markers.push_back(std::move(m));
    }
    return chart;
}

} // namespace zorbal::explore
