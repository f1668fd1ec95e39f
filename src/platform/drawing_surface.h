// SPDX-License-Identifier: MIT
// A picture box as a drawing surface that records what is drawn as a display list.
#pragma once

#include "platform/color.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::platform {

/// A position in user coordinates, kept in single precision as the picture box takes it.
struct PointF {
    float x = 0, y = 0;
    friend bool operator==(const PointF&, const PointF&) = default;
};

/// Colour and line width of a point.
struct PointStyle {
    Color color = kBlack;
    int width = 1;
    friend bool operator==(const PointStyle&, const PointStyle&) = default;
};

enum class PrimitiveKind : std::uint8_t {
    Scale,     ///< a new user coordinate system for everything after it
    PointRun,  ///< consecutive points, stored in the surface's point buffer
    Line,      ///< from (x1, y1) to (x2, y2)
    Box,       ///< outline of the rectangle with corners (x1, y1) and (x2, y2)
    FilledBox, ///< the rectangle with corners (x1, y1) and (x2, y2), filled in `fill`
    Circle,    ///< outline centred (x1, y1); `radius` along the horizontal axis; `aspect`
    Arc,       ///< part of a round circle centred (x1, y1), from `start` to `end`
    // Drawn in pixels of the picture, as charts lay them out (see DrawingSurface::text and on):
    Text,          ///< a line of text placed by an anchor
    Stroke,        ///< a straight line of any pen width, square ends, solid or dashed
    Polyline,      ///< joined points, smoothed, round joins and ends
    FilledEllipse, ///< a smoothed ellipse filled, with or without an outline
    Rect,          ///< a rectangle on whole pixels, filled (see-through allowed), with or without an outline
    Hatch,         ///< diagonal hatching over a rectangle on whole pixels
};

/// How a text sits on its anchor: which of its edges (or its middle) the anchor is at.
enum class HAlign : std::uint8_t { Left, Centre, Right };
enum class VAlign : std::uint8_t { Top, Middle, Bottom };

/// The font and placement of a text.
struct TextStyle {
    double fontPx = 12; ///< font size in pixels
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool isBold = false;
    bool isVertical = false; ///< turned a quarter anticlockwise (reads upwards), aligned as if upright
};

/// A position kept in double precision, for the kinds drawn in pixels.
struct PointD {
    double x = 0, y = 0;
    friend bool operator==(const PointD&, const PointD&) = default;
};

/// The most styles a point run cycles through (e.g. speed, horizontal and vertical velocity).
inline constexpr int kMaxRunPeriod = 4;

/// One entry of the display list. Which fields mean something depends on `kind`:
/// - Scale: (x1, y1) upper-left and (x2, y2) lower-right corner of the picture.
/// - PointRun: points `first` to `first + count - 1` of points(); point i of the run has style
///   `styles[i % period]`. `color` and `width` are those of styles[0].
/// - Line, Box: `color`, `width`. FilledBox: `fill` (no outline).
/// - Circle: `color`, `width`; `radius` in horizontal user units; `aspect` = height / width of the
///   ellipse. The radius is the longer half-axis: with aspect <= 1 the horizontal one, above 1
///   the vertical one (measured in horizontal units, so the shape is the same on any scale).
/// - Arc: `color`, `width`, `radius` as for Circle (always round on the screen); `start` and `end`
///   in radians, counter-clockwise on the screen from the direction of increasing x.
///
/// The kinds drawn in pixels keep their numbers in double precision, values `first` to
/// `first + count - 1` of values(); lengths (pen widths, radii, font sizes) are in pixels, which
/// a scale of (0, 0) to the picture's size in pixels makes of positions too. `width` is not used.
/// - Text: values x, y (the anchor), font size; `text` indexes texts(); `color`, `hAlign`,
///   `vAlign`, `isBold`, `isVertical`.
/// - Stroke: values x1, y1, x2, y2, pen width; `color`, `isDashed`.
/// - Polyline: values pen width, then x and y of each point (at least two); `color`.
/// - FilledEllipse: values centre x, y, radius x, y, outline width (0: none); `fill`, the
///   outline's `color`.
/// - Rect: corners (x1, y1) and (x2, y2), whole pixels once mapped (rounded half away from zero,
///   not reordered); `fill` at `opacity` (255: opaque); an outline in `color` of `width` pixels
///   when `width` > 0.
/// - Hatch: corners as for Rect; hatching in `color`.
struct Primitive {
    PrimitiveKind kind = PrimitiveKind::Line;
    std::uint8_t period = 1;
    Color color = kBlack;
    Color fill = kBlack;
    int width = 1;
    float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    float radius = 0, aspect = 1, start = 0, end = 0;
    std::uint32_t first = 0, count = 0;
    std::array<PointStyle, kMaxRunPeriod> styles{};
    std::uint32_t text = 0;
    std::uint8_t opacity = 255;
    HAlign hAlign = HAlign::Left;
    VAlign vAlign = VAlign::Top;
    bool isBold = false, isVertical = false, isDashed = false;
};

/// The user coordinate system: the user values at the picture's upper-left and lower-right corners.
struct UserScale {
    double left = 0, top = 0, right = 1, bottom = 1;
    friend bool operator==(const UserScale&, const UserScale&) = default;
};

/// Maps user coordinates onto a picture of a given size in pixels, the user rectangle filling it:
/// pixel x runs from 0 at the left edge to `widthPx` at the right, pixel y from 0 at the top down.
struct PixelMapping {
    double originX = 0, originY = 0; ///< user coordinates of the upper-left corner
    double scaleX = 1, scaleY = 1;   ///< pixels per user unit (negative when the axis is reversed)

    /// The mapping of `scale` onto widthPx x heightPx pixels. An empty user range maps to 0.
    static PixelMapping of(const UserScale& scale, double widthPx, double heightPx) {
        const double userWidth = scale.right - scale.left;
        const double userHeight = scale.bottom - scale.top;
        return PixelMapping{scale.left, scale.top, userWidth != 0 ? widthPx / userWidth : 0,
                            userHeight != 0 ? heightPx / userHeight : 0};
    }
    double toPixelX(double x) const { return (x - originX) * scaleX; }
    double toPixelY(double y) const { return (y - originY) * scaleY; }
    /// A length along the horizontal axis, in pixels.
    double lengthToPixels(double length) const { return length * (scaleX < 0 ? -scaleX : scaleX); }
    double toUserX(double px) const { return scaleX != 0 ? originX + px / scaleX : originX; }
    double toUserY(double py) const { return scaleY != 0 ? originY + py / scaleY : originY; }
};

/// A picture box: a user coordinate system from two corners, a background, the current drawing
/// colour, fill colour and line width, and the drawing operations of the program. Everything drawn
/// is recorded in user coordinates as a display list, which a view paints and tests read.
///
/// Points are stored compactly: consecutive points go into one PointRun as long as their styles
/// repeat with a period of at most kMaxRunPeriod (one colour, or the three interleaved velocity
/// colours), so a long flight costs 8 bytes per point and one list entry per phase.
///
/// Coordinates, radii and angles are taken as doubles and kept in single precision. Nothing here
/// rejects a value: infinite or NaN positions are recorded, and the painter leaves them out.
class DrawingSurface {
  public:
    /// Sets the user coordinate system: (x1, y1) at the upper-left corner, (x2, y2) at the
    /// lower-right. Drawing already on the surface keeps the place it was drawn at: the list
    /// records a Scale entry before the first drawing after each change.
    void scale(double x1, double y1, double x2, double y2);
    /// Removes all drawing.
    void erase();

    Color backColor() const { return m_backColor; }
    /// Sets the background colour; this erases the picture, also when the colour is unchanged.
    void setBackColor(Color color);
    Color foreColor() const { return m_foreColor; }
    void setForeColor(Color color) { m_foreColor = color; }
    Color fillColor() const { return m_fillColor; }
    void setFillColor(Color color) { m_fillColor = color; }
    int drawWidth() const { return m_drawWidth; }
    /// Line width in pixels; values below 1 are taken as 1.
    void setDrawWidth(int width) { m_drawWidth = width < 1 ? 1 : width; }

    /// A dot about drawWidth() pixels across in the drawing colour.
    void point(double x, double y) {
        addPoint(PointStyle{m_foreColor, m_drawWidth}, PointF{static_cast<float>(x), static_cast<float>(y)});
    }
    /// `count` dots in the drawing colour and width, dot i at `at(i)` (a PointF): the same display
    /// list as `count` calls of point(), built without examining the run at every dot.
    template <class At> void points(std::size_t count, At at) {
        const PointStyle style{m_foreColor, m_drawWidth};
        pointCycles(std::span<const PointStyle>(&style, 1), count,
                    [&at](std::size_t i, std::size_t) { return at(i); });
    }
    /// `cycles` times one dot in each of `styles` (at most kMaxRunPeriod), dot j of cycle i at
    /// `at(i, j)` (a PointF): the same display list as calling point() for each after setting the
    /// drawing colour and width of its style. Leaves the drawing colour at the last style's colour
    /// when at least one cycle is drawn, as those calls would.
    template <class At> void pointCycles(std::span<const PointStyle> styles, std::size_t cycles, At at) {
        const std::size_t period = styles.size();
        std::size_t i = 0;
        // One cycle at a time until the last run is known to take whole cycles as they come
        // (usually after the first).
        while (i < cycles) {
            for (std::size_t j = 0; j < period; ++j)
                addPoint(styles[j], at(i, j));
            ++i;
            if (lastRunRepeats(styles))
                break;
        }
        if (i < cycles) {
            const std::size_t more = (cycles - i) * period;
            if (m_points.capacity() < m_points.size() + more)
                m_points.reserve(std::max(m_points.size() + more, 2 * m_points.capacity()));
            for (; i < cycles; ++i)
                for (std::size_t j = 0; j < period; ++j)
                    m_points.push_back(at(i, j));
            m_list.back().count += static_cast<std::uint32_t>(more);
            m_revision += more;
        }
        if (cycles > 0 && period > 0)
            m_foreColor = styles.back().color;
    }
    /// A line in the drawing colour and width.
    void line(double x1, double y1, double x2, double y2) { line(x1, y1, x2, y2, m_foreColor); }
    /// A line in `color` (the drawing colour is not changed).
    void line(double x1, double y1, double x2, double y2, Color color);
    /// The outline of a rectangle in the drawing colour and width.
    void box(double x1, double y1, double x2, double y2) { box(x1, y1, x2, y2, m_foreColor); }
    void box(double x1, double y1, double x2, double y2, Color color);
    /// A rectangle filled with the fill colour.
    void filledBox(double x1, double y1, double x2, double y2) { filledBox(x1, y1, x2, y2, m_fillColor); }
    /// A rectangle filled with `color`.
    void filledBox(double x1, double y1, double x2, double y2, Color color);
    /// A round circle outline; `radius` in horizontal user units.
    void circle(double x, double y, double radius) { ellipse(x, y, radius, 1.0, m_foreColor); }
    void circle(double x, double y, double radius, Color color) { ellipse(x, y, radius, 1.0, color); }
    /// An ellipse outline; `aspect` = height / width (see Primitive for which half-axis `radius` is).
    void ellipse(double x, double y, double radius, double aspect, Color color);
    /// An arc of a round circle from `start` to `end` radians, in the drawing colour and width.
    void arc(double x, double y, double radius, double start, double end);

    // Drawing in pixels, as a chart lays itself out: positions in user coordinates (a scale of
    // the picture's size in pixels makes them pixels), lengths in pixels, nothing taken from the
    // drawing colour or width. Numbers are kept in double precision, but for the rectangles'
    // corners, which are whole pixels (exact in single precision).

    /// A line of text anchored at (x, y).
    void text(double x, double y, std::string_view content, const TextStyle& style, Color color);
    /// A straight line with a pen `widthPx` wide and square ends, dashed or solid.
    void stroke(double x1, double y1, double x2, double y2, double widthPx, Color color, bool isDashed);
    /// Points joined by a smoothed line with round joins and ends; fewer than two draw nothing.
    void polyline(std::span<const PointD> points, double widthPx, Color color);
    /// A smoothed ellipse filled with `fill`, outlined in `outline` when `outlineWidthPx` > 0.
    void filledEllipse(double x, double y, double radiusX, double radiusY, Color fill, Color outline = kBlack,
                       double outlineWidthPx = 0);
    /// The rectangle with corners (x1, y1) and (x2, y2) on whole pixels, filled with `fill` at
    /// `opacity` (255 opaque), outlined in `outline` when `outlineWidthPx` > 0.
    void rect(double x1, double y1, double x2, double y2, Color fill, std::uint8_t opacity = 255,
              Color outline = kBlack, int outlineWidthPx = 0);
    /// Diagonal hatching in `color` over the rectangle with corners (x1, y1) and (x2, y2).
    void hatch(double x1, double y1, double x2, double y2, Color color);

    /// The user coordinate system in force now.
    const UserScale& userScale() const { return m_scale; }
    /// The display list in drawing order. When not empty it starts with a Scale entry.
    const std::vector<Primitive>& primitives() const { return m_list; }
    /// The points of a PointRun entry.
    std::span<const PointF> points(const Primitive& run) const {
        return std::span<const PointF>(m_points).subspan(run.first, run.count);
    }
    /// The style of point `index` of a PointRun entry.
    static const PointStyle& styleOf(const Primitive& run, std::size_t index) {
        return run.styles[index % run.period];
    }
    /// The numbers of an entry drawn in pixels (see Primitive).
    std::span<const double> values(const Primitive& entry) const {
        return std::span<const double>(m_values).subspan(entry.first, entry.count);
    }
    /// The texts of Text entries, indexed by their `text`.
    const std::vector<std::string>& texts() const { return m_texts; }
    /// Total number of recorded points.
    std::size_t pointCount() const { return m_points.size(); }
    /// Grows by one (at least) with every change of the picture, so a view knows when to repaint.
    std::uint64_t revision() const { return m_revision; }

  private:
    void addPoint(const PointStyle& style, PointF at) {
        if (!extendRun(style))
            startRun(style);
        m_points.push_back(at);
        ++m_revision;
    }
    /// Whether every further cycle of `styles` would extend the last run, with its cycle of
    /// styles in step with theirs.
    bool lastRunRepeats(std::span<const PointStyle> styles) const {
        if (m_scalePending || m_list.empty())
            return false;
        const Primitive& run = m_list.back();
        if (run.kind != PrimitiveKind::PointRun || run.first + run.count != m_points.size() ||
            run.period != styles.size())
            return false;
        for (std::size_t j = 0; j < styles.size(); ++j)
            if (!(run.styles[(run.count + j) % run.period] == styles[j]))
                return false;
        return true;
    }
    /// Appends the next point of the last run when the style fits its cycle.
    bool extendRun(const PointStyle& style) {
        if (m_scalePending || m_list.empty())
            return false;
        Primitive& run = m_list.back();
        if (run.kind != PrimitiveKind::PointRun || run.first + run.count != m_points.size())
            return false;
        if (run.styles[run.count % run.period] == style) {
            ++run.count;
            return true;
        }
        // Still in the first cycle: the run can learn one more style.
        if (run.count == run.period && run.period < kMaxRunPeriod) {
            run.styles[run.period] = style;
            ++run.period;
            ++run.count;
            return true;
        }
        return false;
    }
    void startRun(const PointStyle& style);
    Primitive& add(PrimitiveKind kind, Color color);
    /// An entry drawn in pixels, its numbers `values` appended to the value buffer.
    Primitive& addExact(PrimitiveKind kind, Color color, std::initializer_list<double> values);

    UserScale m_scale;
    bool m_scalePending = true; ///< the next drawing must record m_scale first
    Color m_backColor = kWhite;
    Color m_foreColor = kBlack;
    Color m_fillColor = kBlack;
    int m_drawWidth = 1;
    std::vector<Primitive> m_list;
    std::vector<PointF> m_points;
    std::vector<double> m_values;
    std::vector<std::string> m_texts;
    std::uint64_t m_revision = 0;
};

} // namespace zorbal::platform
