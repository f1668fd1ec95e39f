// SPDX-License-Identifier: MIT
// The picture of a sweep as plain geometry: curves of the three results against one varied input,
// or colour maps of one result over two inputs (one map per value of a third), and that geometry as
// a display list. A painter only fills, strokes and writes what this holds; everything a user
// could find wrong is decided here.
#pragma once

#include "explore/sweep.h"
#include "files/design_file.h"
#include "platform/color.h"
#include "platform/drawing_surface.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace zorbal::explore {

/// A result of a flight that a chart shows.
enum class Figure { Range, Height, Duration };

/// Reads "range", "height" or "duration"; empty for anything else.
std::optional<Figure> figureNamed(std::string_view name);

/// A figure's caption with its unit as the window labels it: "Range (metres)".
std::string figureCaption(Figure figure);

/// An input box's caption from the limits table, with its unit: "Filling Factor (%)"; inputs
/// without units have none ("Drag Factor").
std::string inputCaption(int input);

/// The colour of `t` (0 to 1, clamped) on the viridis scale: dark blue through green to yellow,
/// perceptually uniform and readable with the common colour-vision deficiencies.
platform::Color viridis(double t);

/// The value a row's result text stands for, as the CSV prints it ("1,234.56" is 1234.56); empty
/// when the row did not land or the text is not a number.
std::optional<double> figureValue(const SweepRow& row, Figure figure);

/// A point or rectangle in pixels of the picture: x to the right, y down from the top-left corner.
struct ChartPoint {
    double x = 0, y = 0;
};
struct ChartRect {
    double left = 0, top = 0, width = 0, height = 0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
    bool contains(ChartPoint p) const {
        return p.x >= left && p.x <= right() && p.y >= top && p.y <= bottom();
    }
};

/// How a cell of a colour field is painted.
enum class CellState : std::uint8_t {
    Value,     ///< filled with its colour
    Refused,   ///< grey and hatched: the window refused the launch
    NotLanded, ///< dark grey: stopped before landing (step limit or numbers no longer finite)
    Empty,     ///< not painted
};

/// A field of equal cells: columns left to right, rows bottom to top (row 0 at the bottom, so a
/// value axis pointing up reads the usual way). Cell edges fall on whole pixels, so neighbours
/// neither overlap nor leave a seam.
struct ChartField {
    ChartRect rect;
    std::size_t columns = 0, rows = 0;
    std::vector<platform::Color> colours; ///< row * columns + column
    std::vector<CellState> states;        ///< row * columns + column

    /// The rectangle of a cell.
    ChartRect cell(std::size_t column, std::size_t row) const;
    CellState state(std::size_t column, std::size_t row) const { return states[row * columns + column]; }
    platform::Color colour(std::size_t column, std::size_t row) const {
        return colours[row * columns + column];
    }
};

struct ChartLine {
    ChartPoint from, to;
    platform::Color colour = platform::kBlack;
    double width = 1;
    bool isDashed = false;
};

/// Joined points; a sweep's curve is broken into one polyline per run of landed designs, and a run
/// of one design is drawn as a dot.
struct ChartPolyline {
    std::vector<ChartPoint> points;
    platform::Color colour = platform::kBlack;
    double width = 2;
};

using platform::HAlign;
using platform::VAlign;

/// A line of text placed by an anchor point and how the text sits on it.
struct ChartText {
    std::string text;
    ChartPoint anchor;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    double fontPx = 12;
    bool isBold = false;
    bool isVertical = false; ///< turned a quarter anticlockwise (reads upwards), aligned as if upright
    platform::Color colour = platform::kBlack;
};

/// A round marker of one design, with a boxed label of a few lines beside it.
struct ChartMarker {
    ChartPoint centre;
    double radius = 5;
    std::size_t gridIndex = 0; ///< the design it marks
    ChartRect labelBox;        ///< white box with a black outline behind the lines
    std::vector<ChartText> label;
};

/// The whole picture, in painting order: background, fields, lines, curves, texts, markers.
struct SweepChart {
    int width = 0, height = 0;
    platform::Color background = platform::kWhite;
    std::vector<ChartField> fields; ///< maps, then the colour scale and legend swatches
    std::size_t mapCount = 0;       ///< the first mapCount fields are maps of the results
    std::vector<ChartLine> lines;
    std::vector<ChartPolyline> curves;
    std::vector<ChartMarker> markers;
    std::vector<ChartText> texts;
};

/// A tick of a value axis: its value and its text.
struct ChartTick {
    double value = 0;
    std::string text;
};

/// Ticks at round values: multiples of 1, 2, 2.5 or 5 times a power of ten inside [low, high],
/// about `wanted` of them, each with its text (as many decimals as the step needs).
std::vector<ChartTick> roundTicks(double low, double high, int wanted);

/// Measures the width in pixels of a text at a font size in pixels (bold or not).
using TextWidth = std::function<double(std::string_view text, double fontPx, bool isBold)>;

/// What to draw.
struct SweepChartRequest {
    int width = 0, height = 0;     ///< pixels; 0: defaultChartSize
    Figure figure = Figure::Range; ///< the figure mapped over two or three inputs
    /// The design common to all candidates, one item each ("Volume of bottle 1 litres"), for the
    /// title; see fixedDesignTexts.
    std::vector<std::string> fixedDesign;
    /// The grid index of the design `best` chose, marked as the winner (with `winnerGoal`, e.g.
    /// "the longest range", in the title); empty: the best design of each figure is marked.
    std::optional<std::size_t> winner;
    std::string winnerGoal;
    TextWidth textWidth; ///< empty: an estimate of 0.6 font sizes per character
};

/// The most maps a three-input picture places side by side.
inline constexpr std::size_t kMaxChartMaps = 8;
/// The most designs a picture shows (their rows are kept until the sweep ends).
inline constexpr std::size_t kMaxChartDesigns = 250'000;

/// Why `grid` cannot be drawn (too many maps side by side, too many designs), or an empty text.
std::string chartRefusal(const SweepGrid& grid);

/// The picture's size when none is asked for: 800 x 600, wider for three inputs' maps side by side.
std::pair<int, int> defaultChartSize(const SweepGrid& grid);

/// The texts of the design common to all candidates: each input box the grid does not vary with
/// its caption, text and unit, then the rail and the parachute (with its trigger) as ticked.
std::vector<std::string> fixedDesignTexts(const files::DesignTexts& design, const SweepGrid& grid);

/// Lays out the picture of a sweep. `rows` holds one row per design of `grid`, in grid order (their
/// `inputs` are not read: the grid gives them). Precondition: chartRefusal(grid) is empty.
SweepChart buildSweepChart(const SweepGrid& grid, const std::vector<SweepRow>& rows,
                           const SweepChartRequest& request);

/// Draws `chart` onto `surface`, erasing it first: its background, a scale of the chart's pixels,
/// then in painting order the fields (each cell on whole pixels, its edges and size rounded half
/// away from zero; refused cells hatched in grey over their colour), the lines, the curves (a
/// curve of one point as a dot), the texts, and the markers (a black dot in a white ring, then
/// the label: a see-through white box outlined in black, and its lines).
void drawSweepChart(const SweepChart& chart, platform::DrawingSurface& surface);

} // namespace zorbal::explore
