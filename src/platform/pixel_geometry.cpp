// SPDX-License-Identifier: MIT
#include "platform/pixel_geometry.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace zorbal::platform {

int penWidthPx(int width, double pixelRatio) {
    return std::max(1, static_cast<int>(std::lround(width * pixelRatio)));
}

double roundHalfUp(double value) {
    // value - floor(value) is exact for every double, so a value just below a half is never
    // pushed up to it (as floor(value + 0.5) would push 0.49999999999999994).
    const double down = std::floor(value);
    return value - down >= 0.5 ? down + 1 : down;
}

std::optional<PixelSegment> clipSegment(const PixelSegment& segment, double widthPx, double heightPx) {
    const auto [x1, y1, x2, y2] = segment;
    if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
        return std::nullopt;
    const double lo[2] = {-kClipMarginPx, -kClipMarginPx};
    const double hi[2] = {widthPx + kClipMarginPx, heightPx + kClipMarginPx};
    const double start[2] = {x1, y1};
    const double delta[2] = {x2 - x1, y2 - y1};
    double t0 = 0, t1 = 1;
    int axis0 = -1, axis1 = -1;
    double edge0 = 0, edge1 = 0;
    for (int axis = 0; axis < 2; ++axis) {
        const double p[2] = {-delta[axis], delta[axis]};
        const double q[2] = {start[axis] - lo[axis], hi[axis] - start[axis]};
        const double edge[2] = {lo[axis], hi[axis]};
        for (int side = 0; side < 2; ++side) {
            if (p[side] == 0) {
                if (q[side] < 0)
                    return std::nullopt;
                continue;
            }
            const double t = q[side] / p[side];
            if (p[side] < 0 && t > t0) {
                t0 = t, axis0 = axis, edge0 = edge[side];
            } else if (p[side] > 0 && t < t1) {
                t1 = t, axis1 = axis, edge1 = edge[side];
            }
        }
    }
    if (t0 > t1)
        return std::nullopt;
    PixelSegment clipped = segment;
    auto placeAt = [&](double t, int axis, double edge, double& x, double& y) {
        x = std::clamp(start[0] + t * delta[0], lo[0], hi[0]);
        y = std::clamp(start[1] + t * delta[1], lo[1], hi[1]);
        (axis == 0 ? x : y) = edge;
    };
    if (axis1 >= 0)
        placeAt(t1, axis1, edge1, clipped.x2, clipped.y2);
    if (axis0 >= 0)
        placeAt(t0, axis0, edge0, clipped.x1, clipped.y1);
    return clipped;
}

std::optional<PixelSegment> lineInPixels(const PixelMapping& mapping, const Primitive& line, double widthPx,
                                         double heightPx) {
    return clipSegment(PixelSegment{mapping.toPixelX(line.x1), mapping.toPixelY(line.y1),
                                    mapping.toPixelX(line.x2), mapping.toPixelY(line.y2)},
                       widthPx, heightPx);
}

double snapToPixelGrid(double coordinate, int penPx) {
    return penPx % 2 == 1 ? std::floor(coordinate) + 0.5 : roundHalfUp(coordinate);
}

PixelSegment snapAlongAxis(const PixelSegment& segment, int penPx) {
    if (!segment.isAlongAxis())
        return segment;
    return PixelSegment{snapToPixelGrid(segment.x1, penPx), snapToPixelGrid(segment.y1, penPx),
                        snapToPixelGrid(segment.x2, penPx), snapToPixelGrid(segment.y2, penPx)};
}

std::optional<PixelBox> boxInPixels(const PixelMapping& mapping, const Primitive& entry, double widthPx,
                                    double heightPx) {
    const double x1 = mapping.toPixelX(entry.x1), y1 = mapping.toPixelY(entry.y1);
    const double x2 = mapping.toPixelX(entry.x2), y2 = mapping.toPixelY(entry.y2);
    if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2))
        return std::nullopt;
    auto clampX = [&](double x) { return std::clamp(x, -kClipMarginPx, widthPx + kClipMarginPx); };
    auto clampY = [&](double y) { return std::clamp(y, -kClipMarginPx, heightPx + kClipMarginPx); };
    return PixelBox{clampX(x1), clampY(y1), clampX(x2), clampY(y2)};
}

PixelRect filledPixels(const PixelBox& box) {
    const double left = roundHalfUp(box.left()), top = roundHalfUp(box.top());
    return PixelRect{static_cast<int>(left), static_cast<int>(top),
                     static_cast<int>(roundHalfUp(box.right()) - left),
                     static_cast<int>(roundHalfUp(box.bottom()) - top)};
}

StrokeRect outlinePixels(const PixelBox& box, int penPx) {
    const double odd = penPx % 2 == 1 ? 0.5 : 0;
    const double left = std::floor(box.left()), top = std::floor(box.top());
    return StrokeRect{left + odd, top + odd, std::floor(box.right()) - left, std::floor(box.bottom()) - top};
}

std::optional<PixelEllipse> ellipseInPixels(const PixelMapping& mapping, double x, double y, double radius,
                                            double aspect, double widthPx, double heightPx) {
    const double cx = mapping.toPixelX(x), cy = mapping.toPixelY(y);
    const double r = mapping.lengthToPixels(std::abs(radius));
    const double a = std::abs(aspect);
    if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !std::isfinite(a) ||
        r > kLargestRadiusPx)
        return std::nullopt;
    // The radius is the longer half-axis.
    const double rx = a <= 1 ? r : r / a;
    const double ry = a <= 1 ? r * a : r;
    if (cx + rx < -kClipMarginPx || cx - rx > widthPx + kClipMarginPx || cy + ry < -kClipMarginPx ||
        cy - ry > heightPx + kClipMarginPx)
        return std::nullopt;
    return PixelEllipse{cx, cy, rx, ry};
}

std::optional<PixelEllipse> circleInPixels(const PixelMapping& mapping, const Primitive& circle,
                                           double widthPx, double heightPx) {
    return ellipseInPixels(mapping, circle.x1, circle.y1, circle.radius, circle.aspect, widthPx, heightPx);
}

std::optional<PixelArc> arcInPixels(const PixelMapping& mapping, const Primitive& arc, double widthPx,
                                    double heightPx) {
    const std::optional<PixelEllipse> circle =
        ellipseInPixels(mapping, arc.x1, arc.y1, arc.radius, 1.0, widthPx, heightPx);
    if (!circle || !std::isfinite(arc.start) || !std::isfinite(arc.end))
        return std::nullopt;
    double span = static_cast<double>(arc.end) - static_cast<double>(arc.start);
    if (span < 0)
        span += 2 * std::numbers::pi;
    return PixelArc{circle->centreX, circle->centreY, circle->radiusX, arc.start, span};
}

} // namespace zorbal::platform
