// SPDX-License-Identifier: MIT
// The pixel geometry of a display list's entries, worked out once for every painter: lines
// clipped and snapped, boxes clamped and rounded, circles and arcs placed, pen widths scaled.
#pragma once

#include "platform/drawing_surface.h"

#include <cstdint>
#include <optional>

namespace zorbal::platform {

/// How far outside the picture, in pixels, a position may lie and still be handed to a painter:
/// rasterisers work in fixed point and cannot take arbitrary magnitudes, and anything further
/// out cannot reach the picture through a line's width or a round cap.
inline constexpr double kClipMarginPx = 64;
/// Circles and arcs with a larger radius in pixels are left out: nothing a picture box shows
/// comes close.
inline constexpr double kLargestRadiusPx = 1e6;

/// A line width in pixels of the picture: `width` (pixels at a device pixel ratio of 1) times
/// `pixelRatio`, rounded to whole pixels, at least 1.
int penWidthPx(int width, double pixelRatio);

/// The end of a stroked line: square (flat, reaching half the pen past the end) for one-pixel
/// pens, round for wider ones.
enum class PenCap : std::uint8_t { Square, Round };
inline PenCap penCapOf(int penPx) {
    return penPx > 1 ? PenCap::Round : PenCap::Square;
}

/// `value` rounded to the nearest whole number, halves upwards (towards +inf) as a canvas's
/// script rounds: -2.5 gives -2, not -3.
double roundHalfUp(double value);

/// A segment in pixels of the picture (x to the right, y down).
struct PixelSegment {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    /// Whether it runs along the x or the y axis (or is a single point).
    bool isAlongAxis() const { return x1 == x2 || y1 == y2; }
    friend bool operator==(const PixelSegment&, const PixelSegment&) = default;
};

/// The part of `segment` inside a widthPx x heightPx picture widened by kClipMarginPx on every
/// side (Liang-Barsky), or nothing when no part is inside or an end is not finite. An end that
/// is clipped lies exactly on the edge it was clipped at (interpolating from a far-away end
/// would lose every digit that matters), the other coordinate clamped into the widened picture.
std::optional<PixelSegment> clipSegment(const PixelSegment& segment, double widthPx, double heightPx);

/// A Line entry mapped to pixels and clipped as clipSegment does.
std::optional<PixelSegment> lineInPixels(const PixelMapping& mapping, const Primitive& line, double widthPx,
                                         double heightPx);

/// A coordinate of a line along an axis moved onto the pixel grid so that the line covers whole
/// pixels: for an odd pen width the middle of the pixel it falls in (floor + 0.5), for an even
/// one the nearest pixel corner (rounded, halves upwards).
double snapToPixelGrid(double coordinate, int penPx);
/// `segment` with all four coordinates snapped when it runs along an axis; a slanted segment
/// is returned unchanged.
PixelSegment snapAlongAxis(const PixelSegment& segment, int penPx);

/// The corners of a Box or FilledBox entry in pixels, each coordinate clamped into the picture
/// widened by kClipMarginPx, in the order the entry gives them (not sorted).
struct PixelBox {
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double left() const { return x1 < x2 ? x1 : x2; }
    double right() const { return x1 < x2 ? x2 : x1; }
    double top() const { return y1 < y2 ? y1 : y2; }
    double bottom() const { return y1 < y2 ? y2 : y1; }
};
/// The box of `entry` (corners (x1, y1) and (x2, y2)) on `mapping`; nothing when a corner is NaN
/// (an infinite corner is clamped to the widened picture's edge).
std::optional<PixelBox> boxInPixels(const PixelMapping& mapping, const Primitive& entry, double widthPx,
                                    double heightPx);

/// A rectangle of whole pixels: [left, left + width) x [top, top + height).
struct PixelRect {
    int left = 0, top = 0, width = 0, height = 0;
    friend bool operator==(const PixelRect&, const PixelRect&) = default;
};
/// The whole pixels a filled box covers: its normalised corners rounded (halves upwards).
PixelRect filledPixels(const PixelBox& box);

/// The rectangle an outlined box is stroked along with a pen of `penPx`: the normalised corners
/// rounded down, moved half a pixel right and down for an odd width, so that the outline covers
/// whole pixels.
struct StrokeRect {
    double x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const StrokeRect&, const StrokeRect&) = default;
};
StrokeRect outlinePixels(const PixelBox& box, int penPx);

/// An ellipse in pixels: centre and the horizontal and vertical half-axes.
struct PixelEllipse {
    double centreX = 0, centreY = 0, radiusX = 0, radiusY = 0;
};
/// The ellipse centred at user (x, y) with `radius` (horizontal user units; its absolute value)
/// as the longer half-axis and `aspect` = height / width (its absolute value), as a Circle entry
/// describes it. Nothing when it cannot be seen: a value not finite, a radius above
/// kLargestRadiusPx, or the ellipse's bounds wholly outside the picture widened by kClipMarginPx.
std::optional<PixelEllipse> ellipseInPixels(const PixelMapping& mapping, double x, double y, double radius,
                                            double aspect, double widthPx, double heightPx);
/// A Circle entry (with its aspect) as ellipseInPixels places it.
std::optional<PixelEllipse> circleInPixels(const PixelMapping& mapping, const Primitive& circle,
                                           double widthPx, double heightPx);

/// An arc of a round circle in pixels: centre, radius, and the angles in radians counter-clockwise
/// on the screen from the direction of increasing x; the arc runs `span` on from `start`.
struct PixelArc {
    double centreX = 0, centreY = 0, radius = 0;
    double start = 0, span = 0;
};
/// An Arc entry placed as a round circle by ellipseInPixels; nothing also when an angle is not
/// finite. The span is end - start, plus 2 pi when the end angle is below the start (the arc
/// always runs counter-clockwise).
std::optional<PixelArc> arcInPixels(const PixelMapping& mapping, const Primitive& arc, double widthPx,
                                    double heightPx);

} // namespace zorbal::platform
