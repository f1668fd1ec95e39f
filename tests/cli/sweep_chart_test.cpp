// SPDX-License-Identifier: MIT
// The sweep picture's layout: marked designs, refused cells, curves through the CSV's values, axis
// texts, the colour scale and the title's fixed design.
#include "explore/sweep_chart.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "ui/design_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

namespace zorbal::test {
namespace {

using explore::CellState;
using explore::ChartField;
using explore::ChartPoint;
using explore::ChartRect;
using explore::Figure;
using explore::Outcome;
using explore::SweepChart;
using explore::SweepChartRequest;
using explore::SweepGrid;
using explore::SweepRow;
using explore::VaryAxis;

constexpr double kPixel = 1.0;

SweepGrid grid(const std::vector<std::string>& vary) {
    std::vector<VaryAxis> axes;
    for (const auto& text : vary) {
        VaryAxis axis;
        EXPECT_EQ(VaryAxis::parse(text, axis), "") << text;
        axes.push_back(axis);
    }
    SweepGrid result;
    EXPECT_EQ(SweepGrid::make(axes, result), "");
    return result;
}

SweepRow flown(std::size_t index, double range, double height = 10, double duration = 3) {
    SweepRow row;
    row.index = index;
    row.outcome = Outcome::Flown;
    row.rangeMetres = range;
    row.maxHeight = height;
    row.flightTime = duration;
    row.range = platform::fixedText(range, 2);
    row.height = platform::fixedText(height, 2);
    row.duration = platform::fixedText(duration, 2);
    return row;
}

SweepRow refused(std::size_t index) {
    SweepRow row;
    row.index = index;
    row.outcome = Outcome::Refused;
    row.message = "not enough air";
    return row;
}

bool hasText(const std::vector<explore::ChartText>& texts, const std::string& wanted) {
    return std::any_of(texts.begin(), texts.end(),
                       [&](const auto& t) { return t.text.find(wanted) != std::string::npos; });
}

/// A 3 x 2 grid of filling factor by pressure: the best range at (50 %, 5 atm), the corner
/// (10 %, 1 atm) refused, the other corner stopped before landing.
struct SmallMap {
    SweepGrid sweep = grid({"1=10:90:40", "3=1:5:4"});
    std::vector<SweepRow> rows;
    SmallMap() {
        // Grid order: filling factor slowest; index = column * 2 + row.
        rows = {refused(0), flown(1, 20.5), flown(2, 30.25), flown(3, 1234.56), flown(4, 12), flown(5, 40)};
        rows[5].outcome = Outcome::StepLimit;
    }
};

TEST(SweepChart, MarksTheBestDesignInItsCellWithTheCsvTexts) {
    SmallMap map;
    SweepChartRequest request;
    request.width = 640;
    request.height = 480;
    const SweepChart chart = explore::buildSweepChart(map.sweep, map.rows, request);

    ASSERT_EQ(chart.mapCount, 1u);
    ASSERT_EQ(chart.markers.size(), 1u);
    const auto& marker = chart.markers[0];
    EXPECT_EQ(marker.gridIndex, 3u);
    const ChartField& field = chart.fields[0];
    EXPECT_TRUE(field.cell(1, 1).contains(marker.centre)); // 50 %, 5 atmospheres
    // The value as the CSV writes it, grouping and all, and the inputs as typed.
    EXPECT_TRUE(hasText(marker.label, "1,234.56 metres"));
    EXPECT_TRUE(hasText(marker.label, "Filling Factor: 50 %"));
    EXPECT_TRUE(hasText(marker.label, "Initial Pressure: 5 atmospheres"));
    for (const auto& text : marker.label)
        EXPECT_TRUE(marker.labelBox.contains(text.anchor));
    EXPECT_GE(marker.labelBox.left, 0);
    EXPECT_LE(marker.labelBox.right(), chart.width);
    EXPECT_GE(marker.labelBox.top, 0);
    EXPECT_LE(marker.labelBox.bottom(), chart.height);

    // best's winner is marked instead of the longest range, and named in the title.
    request.winner = 2;
    request.winnerGoal = "the range closest to 30 metres";
    const SweepChart winner = explore::buildSweepChart(map.sweep, map.rows, request);
    ASSERT_EQ(winner.markers.size(), 1u);
    EXPECT_TRUE(winner.fields[0].cell(1, 0).contains(winner.markers[0].centre));
    EXPECT_TRUE(hasText(winner.markers[0].label, "30.25 metres"));
    std::string title;
    for (const auto& text : winner.texts)
        title += text.text + " ";
    EXPECT_NE(title.find("the best for the range closest to 30 metres marked"), std::string::npos) << title;
}

TEST(SweepChart, PaintsRefusedAndUnlandedCellsApartFromTheColourScale) {
    SmallMap map;
    const SweepChart chart = explore::buildSweepChart(map.sweep, map.rows, SweepChartRequest{});
    const ChartField& field = chart.fields[0];
    EXPECT_EQ(field.state(0, 0), CellState::Refused);
    EXPECT_EQ(field.state(2, 1), CellState::NotLanded);
    EXPECT_NE(field.colour(0, 0), field.colour(2, 1));
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t r = 0; r < 2; ++r) {
            if (field.state(c, r) != CellState::Value)
                continue;
            EXPECT_NE(field.colour(c, r), field.colour(0, 0));
            EXPECT_NE(field.colour(c, r), field.colour(2, 1));
        }
    }
    // The scale spans the landed values only: the lowest at its dark end, the highest at its light one.
    EXPECT_EQ(field.colour(2, 0), explore::viridis(0));
    EXPECT_EQ(field.colour(1, 1), explore::viridis(1));
    EXPECT_TRUE(hasText(chart.texts, "refused"));
    EXPECT_TRUE(hasText(chart.texts, "did not land"));
}

TEST(SweepChart, CellsTileTheFieldOnWholePixelsWithoutSeams) {
    const auto sweep = grid({"1=1:98:1", "3=0.07:7:0.07"});
    std::vector<SweepRow> rows;
    for (std::size_t i = 0; i < sweep.size(); ++i)
        rows.push_back(flown(i, static_cast<double>(i % 97)));
    SweepChartRequest request;
    request.width = 777;
    request.height = 555;
    const SweepChart chart = explore::buildSweepChart(sweep, rows, request);
    const ChartField& field = chart.fields[0];
    ASSERT_EQ(field.columns, 98u);
    ASSERT_EQ(field.rows, 100u);
    double covered = 0;
    for (std::size_t c = 0; c < field.columns; ++c) {
        for (std::size_t r = 0; r < field.rows; ++r) {
            const ChartRect cell = field.cell(c, r);
            EXPECT_EQ(cell.left, std::round(cell.left));
            EXPECT_EQ(cell.top, std::round(cell.top));
            covered += cell.width * cell.height;
            if (c + 1 < field.columns) {
                EXPECT_EQ(cell.right(), field.cell(c + 1, r).left);
            }
            if (r + 1 < field.rows) {
                EXPECT_EQ(cell.top, field.cell(c, r + 1).bottom()); // row 0 at the bottom
            }
        }
    }
    EXPECT_EQ(covered, field.rect.width * field.rect.height);
}

/// The texts written left of `panel` (its value ticks), as value and y pixel.
std::vector<std::pair<double, double>> valueTicks(const SweepChart& chart, const ChartRect& panel) {
    std::vector<std::pair<double, double>> ticks;
    for (const auto& text : chart.texts)
        if (text.hAlign == explore::HAlign::Right && text.anchor.x < panel.left &&
            text.anchor.y >= panel.top && text.anchor.y <= panel.bottom())
            ticks.emplace_back(*platform::readStrict(text.text), text.anchor.y);
    return ticks;
}

TEST(SweepChart, OneInputsCurvesPassThroughTheCsvValuesAndBreakAtRefusedDesigns) {
    const auto sweep = grid({"1=10:90:10"});
    std::vector<SweepRow> rows;
    const std::vector<double> ranges = {30.11, 41.5, 47.25, 0, 49.99, 45.2, 38.01, 29.6, 18.4};
    for (std::size_t k = 0; k < ranges.size(); ++k)
        rows.push_back(k == 3 ? refused(k) : flown(k, ranges[k], ranges[k] / 2, ranges[k] / 10));
    SweepChartRequest request;
    request.width = 700;
    request.height = 600;
    const SweepChart chart = explore::buildSweepChart(sweep, rows, request);

    // Range is the first figure: two runs either side of the refused design.
    ASSERT_GE(chart.curves.size(), 2u);
    const auto& before = chart.curves[0].points;
    const auto& after = chart.curves[1].points;
    ASSERT_EQ(before.size(), 3u);
    ASSERT_EQ(after.size(), 5u);

    // The range panel is the one above the first curve; its ticks map pixels back to metres.
    const ChartField* shade = nullptr;
    for (const auto& field : chart.fields)
        if (field.rect.contains(before[0]))
            shade = &field;
    ASSERT_NE(shade, nullptr);
    EXPECT_EQ(shade->state(3, 0), CellState::Refused);
    const auto ticks = valueTicks(chart, shade->rect);
    ASSERT_GE(ticks.size(), 2u);
    const auto [v1, y1] = ticks.front();
    const auto [v2, y2] = ticks.back();
    // The bindings by value: the web edition's clang cannot capture structured bindings.
    auto valueAt = [v1 = v1, y1 = y1, v2 = v2, y2 = y2](double y) {
        return v1 + (y - y1) * (v2 - v1) / (y2 - y1);
    };
    const double metresPerPixel = std::fabs((v2 - v1) / (y2 - y1));

    std::vector<ChartPoint> points(before);
    points.insert(points.end(), after.begin(), after.end());
    std::size_t p = 0;
    for (std::size_t k = 0; k < ranges.size(); ++k) {
        if (k == 3)
            continue;
        EXPECT_TRUE(shade->cell(k, 0).contains(points[p])) << k; // above its input value
        EXPECT_NEAR(valueAt(points[p].y), *platform::readStrict(rows[k].range), metresPerPixel * kPixel) << k;
        ++p;
    }
    // Each figure's best is marked with its CSV text.
    ASSERT_EQ(chart.markers.size(), 3u);
    EXPECT_TRUE(hasText(chart.markers[0].label, "Best: 49.99 metres"));
    EXPECT_TRUE(hasText(chart.markers[0].label, "Filling Factor: 50 %"));
    EXPECT_TRUE(hasText(chart.markers[2].label, "Best: 5.00 seconds"));
}

TEST(SweepChart, AxisTicksAreTheTypedValueTextsAndDoNotOverlap) {
    const auto sweep = grid({"6=0.1:0.9:0.01", "7=30:80:0.5"});
    std::vector<SweepRow> rows;
    for (std::size_t i = 0; i < sweep.size(); ++i)
        rows.push_back(flown(i, 1 + static_cast<double>(i % 13)));
    const SweepChart chart = explore::buildSweepChart(sweep, rows, SweepChartRequest{});
    const ChartRect& field = chart.fields[0].rect;
    std::vector<const explore::ChartText*> below, left;
    for (const auto& text : chart.texts) {
        if (text.anchor.y > field.bottom() && text.anchor.y < field.bottom() + text.fontPx)
            below.push_back(&text);
        if (text.hAlign == explore::HAlign::Right && text.anchor.x < field.left)
            left.push_back(&text);
    }
    ASSERT_GE(below.size(), 3u);
    ASSERT_GE(left.size(), 3u);
    EXPECT_TRUE(hasText(chart.texts, "0.3")); // never 0.30000000000000004
    for (const auto* text : below)
        EXPECT_EQ(text->text.find("000000"), std::string::npos) << text->text;
    // The default estimate gives 0.6 font sizes a character; neighbours keep a gap.
    for (std::size_t i = 1; i < below.size(); ++i) {
        const double halfWidths =
            0.3 * below[i]->fontPx * static_cast<double>(below[i]->text.size() + below[i - 1]->text.size());
        EXPECT_GT(below[i]->anchor.x - below[i - 1]->anchor.x, halfWidths);
    }
    for (std::size_t i = 1; i < left.size(); ++i)
        EXPECT_GT(std::fabs(left[i]->anchor.y - left[i - 1]->anchor.y), left[i]->fontPx);
}

TEST(SweepChart, ThreeInputsGiveOneMapPerValueSharingOneScale) {
    const auto sweep = grid({"1=20:40:10", "3=2:4:1", "4=10:30:10"});
    std::vector<SweepRow> rows;
    for (std::size_t i = 0; i < sweep.size(); ++i)
        rows.push_back(flown(i, 10 + static_cast<double>(i)));
    rows[13] = flown(13, 99); // filling factor 30, pressure 3, nozzle 20: the middle of everything
    const SweepChart chart = explore::buildSweepChart(sweep, rows, SweepChartRequest{});
    ASSERT_EQ(chart.mapCount, 3u);
    for (std::size_t m = 1; m < 3; ++m)
        EXPECT_GT(chart.fields[m].rect.left, chart.fields[m - 1].rect.right());
    ASSERT_EQ(chart.markers.size(), 1u);
    EXPECT_TRUE(chart.fields[1].cell(1, 1).contains(chart.markers[0].centre));
    EXPECT_EQ(chart.fields[1].colour(1, 1), explore::viridis(1));
    EXPECT_EQ(chart.fields[0].colour(0, 0), explore::viridis(0)); // index 0, in the first map
    EXPECT_TRUE(hasText(chart.texts, "Nozzle Diameter: 20 millimetres"));

    EXPECT_EQ(explore::chartRefusal(sweep), "");
    const auto tooMany = grid({"1=20:40:10", "3=2:4:1", "4=10:30:2"});
    EXPECT_NE(explore::chartRefusal(tooMany).find("at most 8 maps"), std::string::npos);
    EXPECT_NE(explore::chartRefusal(grid({"1=1:98:1", "3=0.01:9:0.01", "4=10:12:1"}))
                  .find("at most 250,000 designs"),
              std::string::npos);
}

TEST(SweepChart, AGridWhereNothingLandsOrEverythingIsEqualStillDraws) {
    SmallMap map;
    for (auto& row : map.rows)
        row = refused(row.index);
    const SweepChart none = explore::buildSweepChart(map.sweep, map.rows, SweepChartRequest{});
    EXPECT_TRUE(none.markers.empty());
    EXPECT_TRUE(hasText(none.texts, "None of the designs landed"));

    for (auto& row : map.rows)
        row = flown(row.index, 7);
    const SweepChart same = explore::buildSweepChart(map.sweep, map.rows, SweepChartRequest{});
    EXPECT_EQ(same.fields[0].colour(2, 1), same.fields[0].colour(0, 0));
    EXPECT_TRUE(hasText(same.texts, "7.00"));
    ASSERT_EQ(same.markers.size(), 1u);
    EXPECT_EQ(same.markers[0].gridIndex, 0u); // the first of equals, as best keeps it

    // The smallest picture --plot-size allows: everything stays inside and finite.
    SweepChartRequest tiny;
    tiny.width = tiny.height = 16;
    const SweepChart small = explore::buildSweepChart(map.sweep, map.rows, tiny);
    for (const auto& field : small.fields) {
        EXPECT_GE(field.rect.width, 1);
        EXPECT_GE(field.rect.height, 1);
    }
    for (const auto& text : small.texts)
        EXPECT_TRUE(std::isfinite(text.anchor.x) && std::isfinite(text.anchor.y));
}

// ---- The chart as a display list ------------------------------------------------------------------

using platform::Primitive;
using platform::PrimitiveKind;

std::vector<const Primitive*> entriesOf(const platform::DrawingSurface& surface, PrimitiveKind kind) {
    std::vector<const Primitive*> found;
    for (const auto& e : surface.primitives())
        if (e.kind == kind)
            found.push_back(&e);
    return found;
}

TEST(SweepChartDisplayList, AMapsCellsAreWholePixelRectsHatchedWhereRefusedThenLinesTextsAndTheMarker) {
    SmallMap map;
    SweepChartRequest request;
    request.width = 641;
    request.height = 479;
    const SweepChart chart = explore::buildSweepChart(map.sweep, map.rows, request);
    platform::DrawingSurface surface;
    surface.setBackColor(platform::kRed);
    surface.line(0, 0, 1, 1);
    explore::drawSweepChart(chart, surface);

    EXPECT_EQ(surface.backColor(), chart.background);
    const auto& list = surface.primitives();
    ASSERT_FALSE(list.empty());
    EXPECT_EQ(list[0].kind, PrimitiveKind::Scale); // the picture's pixels; what was there is gone
    EXPECT_EQ(surface.userScale(), (platform::UserScale{0, 0, 641, 479}));

    // The map's six cells first, row by row from the bottom, each on whole pixels rounded half away
    // from zero as the cell's edges and size are; the refused one hatched over its grey.
    const ChartField& field = chart.fields[0];
    std::size_t k = 1;
    for (std::size_t r = 0; r < 2; ++r) {
        for (std::size_t c = 0; c < 3; ++c) {
            const ChartRect cell = field.cell(c, r);
            const Primitive& e = list[k++];
            ASSERT_EQ(e.kind, PrimitiveKind::Rect) << c << "," << r;
            EXPECT_EQ(e.fill, field.colour(c, r));
            EXPECT_EQ(e.opacity, 255);
            EXPECT_EQ(e.width, 0); // no outline
            EXPECT_EQ(e.x1, std::lround(cell.left));
            EXPECT_EQ(e.y1, std::lround(cell.top));
            EXPECT_EQ(e.x2 - e.x1, std::lround(cell.width));
            EXPECT_EQ(e.y2 - e.y1, std::lround(cell.height));
            if (field.state(c, r) == CellState::Refused) {
                const Primitive& h = list[k++];
                ASSERT_EQ(h.kind, PrimitiveKind::Hatch);
                EXPECT_EQ(h.color, platform::rgb(128, 128, 128));
                EXPECT_EQ((std::array{h.x1, h.y1, h.x2, h.y2}), (std::array{e.x1, e.y1, e.x2, e.y2}));
            }
        }
    }
    // Then the other fields (the colour scale, the legend's swatches), the lines, the texts, and
    // each marker: its ring, its dot, its label's box and lines.
    std::size_t fieldEntries = 0;
    for (const auto& f : chart.fields)
        for (std::size_t i = 0; i < f.states.size(); ++i)
            fieldEntries += f.states[i] == CellState::Empty ? 0 : f.states[i] == CellState::Refused ? 2 : 1;
    std::vector<PrimitiveKind> expected(fieldEntries, PrimitiveKind::Rect);
    expected.insert(expected.begin(), PrimitiveKind::Scale);
    expected.insert(expected.end(), chart.lines.size(), PrimitiveKind::Stroke);
    expected.insert(expected.end(), chart.texts.size(), PrimitiveKind::Text);
    for (const auto& m : chart.markers) {
        expected.insert(expected.end(), 2, PrimitiveKind::FilledEllipse);
        expected.push_back(PrimitiveKind::Rect);
        expected.insert(expected.end(), m.label.size(), PrimitiveKind::Text);
    }
    std::vector<PrimitiveKind> kinds;
    for (const auto& e : list)
        kinds.push_back(e.kind == PrimitiveKind::Hatch ? PrimitiveKind::Rect : e.kind);
    EXPECT_EQ(kinds, expected);

    // Texts keep their place, font and alignment exactly, the vertical caption included.
    const auto texts = entriesOf(surface, PrimitiveKind::Text);
    for (std::size_t i = 0; i < chart.texts.size(); ++i) {
        const auto& t = chart.texts[i];
        const Primitive& e = *texts[i];
        EXPECT_EQ(surface.texts()[e.text], t.text);
        const auto v = surface.values(e);
        ASSERT_EQ(v.size(), 3u);
        EXPECT_EQ(v[0], t.anchor.x);
        EXPECT_EQ(v[1], t.anchor.y);
        EXPECT_EQ(v[2], t.fontPx);
        EXPECT_EQ(e.hAlign, t.hAlign);
        EXPECT_EQ(e.vAlign, t.vAlign);
        EXPECT_EQ(e.isBold, t.isBold);
        EXPECT_EQ(e.isVertical, t.isVertical);
        EXPECT_EQ(e.color, t.colour);
    }
    EXPECT_TRUE(std::any_of(texts.begin(), texts.end(), [](const Primitive* e) { return e->isVertical; }));

    // The marker: a white disc ringed in black two pixels wide, a black dot, and the label's box
    // (white, slightly see-through, outlined one pixel black) on whole pixels, rounded half away
    // from zero as the chart's rectangles are.
    const auto& marker = chart.markers.at(0);
    const auto ellipses = entriesOf(surface, PrimitiveKind::FilledEllipse);
    ASSERT_EQ(ellipses.size(), 2u);
    const auto ring = surface.values(*ellipses[0]);
    EXPECT_EQ(std::vector<double>(ring.begin(), ring.end()),
              (std::vector<double>{marker.centre.x, marker.centre.y, marker.radius, marker.radius, 2}));
    EXPECT_EQ(ellipses[0]->fill, platform::kWhite);
    EXPECT_EQ(ellipses[0]->color, platform::kBlack);
    const auto dot = surface.values(*ellipses[1]);
    EXPECT_EQ(dot[2], std::max(1.0, marker.radius * 0.35));
    EXPECT_EQ(dot[4], 0); // no outline
    EXPECT_EQ(ellipses[1]->fill, platform::kBlack);
    const Primitive& box = *(ellipses[1] + 1);
    ASSERT_EQ(box.kind, PrimitiveKind::Rect);
    EXPECT_EQ(box.opacity, 235);
    EXPECT_EQ(box.width, 1);
    EXPECT_EQ(box.x1, std::lround(marker.labelBox.left));
    EXPECT_EQ(box.x2 - box.x1, std::lround(marker.labelBox.width));
}

TEST(SweepChartDisplayList, CurvesArePolylinesInDoublePrecisionAndOnePointCurvesDots) {
    const auto sweep = grid({"1=10:90:10"});
    std::vector<SweepRow> rows;
    for (std::size_t k = 0; k < 9; ++k) {
        const double x = static_cast<double>(k);
        rows.push_back(k == 3 ? refused(k) : flown(k, 30.1 + x * 1.37, 10 + x * 0.3, 2 + x * 0.11));
    }
    SweepChartRequest request;
    request.winner = 5;
    request.winnerGoal = "the longest range";
    const SweepChart chart = explore::buildSweepChart(sweep, rows, request);
    platform::DrawingSurface surface;
    explore::drawSweepChart(chart, surface);

    const auto polylines = entriesOf(surface, PrimitiveKind::Polyline);
    std::size_t dots = 0, joined = 0;
    for (const auto& curve : chart.curves)
        (curve.points.size() == 1 ? dots : joined) += 1;
    EXPECT_EQ(dots, 3u); // the winner on each figure's curve
    ASSERT_EQ(polylines.size(), joined);
    ASSERT_EQ(joined, 6u); // each figure's curve broken at the refused design
    std::size_t p = 0;
    for (const auto& curve : chart.curves) {
        if (curve.points.size() == 1)
            continue;
        const Primitive& e = *polylines[p++];
        const auto v = surface.values(e);
        ASSERT_EQ(v.size(), 1 + 2 * curve.points.size());
        EXPECT_EQ(v[0], curve.width);
        EXPECT_EQ(e.color, curve.colour);
        for (std::size_t i = 0; i < curve.points.size(); ++i) {
            EXPECT_EQ(v[1 + 2 * i], curve.points[i].x); // not rounded to single precision
            EXPECT_EQ(v[2 + 2 * i], curve.points[i].y);
        }
    }
    // The winner's dots come after the curves and before the texts, filled in the curve's colour.
    const auto ellipses = entriesOf(surface, PrimitiveKind::FilledEllipse);
    ASSERT_EQ(ellipses.size(), dots + 2 * chart.markers.size());
    const auto winnerDot = surface.values(*ellipses[0]);
    EXPECT_EQ(winnerDot[2], chart.curves.back().width * 1.5);
    EXPECT_EQ(winnerDot[4], 0);
    EXPECT_LT(ellipses[0], entriesOf(surface, PrimitiveKind::Text).front());
    EXPECT_GT(ellipses[0], polylines.back());
    // best's choice is a dashed line; the grid lines are solid.
    const auto strokes = entriesOf(surface, PrimitiveKind::Stroke);
    EXPECT_EQ(std::count_if(strokes.begin(), strokes.end(), [](const Primitive* e) { return e->isDashed; }),
              1);
}

TEST(Viridis, RunsFromDarkBlueToYellowGettingLighterAllTheWay) {
    // matplotlib's end colours #440154 and #FDE725, within a few steps of 8 bits.
    const auto near = [](platform::Color c, platform::Color reference) {
        return std::abs(platform::redOf(c) - platform::redOf(reference)) <= 4 &&
               std::abs(platform::greenOf(c) - platform::greenOf(reference)) <= 4 &&
               std::abs(platform::blueOf(c) - platform::blueOf(reference)) <= 4;
    };
    EXPECT_TRUE(near(explore::viridis(0), platform::rgb(0x44, 0x01, 0x54)));
    EXPECT_TRUE(near(explore::viridis(0.5), platform::rgb(0x21, 0x91, 0x8C)));
    EXPECT_TRUE(near(explore::viridis(1), platform::rgb(0xFD, 0xE7, 0x25)));
    EXPECT_EQ(explore::viridis(-1), explore::viridis(0));
    EXPECT_EQ(explore::viridis(NAN), explore::viridis(0));
    double previous = -1;
    for (int i = 0; i <= 100; ++i) {
        const auto c = explore::viridis(i / 100.0);
        const double luma =
            0.2126 * platform::redOf(c) + 0.7152 * platform::greenOf(c) + 0.0722 * platform::blueOf(c);
        EXPECT_GT(luma, previous) << i;
        previous = luma;
    }
}

TEST(SweepChart, TheTitleNamesTheFixedDesignWithoutTheVariedOrUnusedBoxes) {
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    const auto sweep = grid({"1=10:90:40", "3=1:5:4"});
    const auto texts = explore::fixedDesignTexts(ui::designTexts(window), sweep);
    const auto has = [&](const std::string& wanted) {
        return std::find(texts.begin(), texts.end(), wanted) != texts.end();
    };
    EXPECT_TRUE(has("Volume of bottle " + window.txtInput[0].Text + " litres"));
    EXPECT_TRUE(has("Drag Factor " + window.txtInput[6].Text));
    for (const auto& text : texts) {
        EXPECT_EQ(text.find("Filling Factor"), std::string::npos);
        EXPECT_EQ(text.find("Initial Pressure"), std::string::npos);
        EXPECT_EQ(text.find("  "), std::string::npos) << text;
    }
    const bool hasParachute = window.chkOptions[3].Value() == 1;
    EXPECT_EQ(has("no parachute"), !hasParachute);
    for (const auto& text : texts)
        EXPECT_TRUE(hasParachute || text.find("Parachute Diameter") == std::string::npos) << text;
}

} // namespace
} // namespace zorbal::test
