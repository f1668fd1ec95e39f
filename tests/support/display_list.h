// SPDX-License-Identifier: MIT
// Reading a drawing surface's display list in tests.
#pragma once

#include "platform/drawing_surface.h"

#include <cstddef>
#include <vector>

namespace zorbal::test {

/// The entries of one kind (and, unless `anyColor`, one colour) in drawing order.
inline std::vector<platform::Primitive> entries(const platform::DrawingSurface& surface,
                                                platform::PrimitiveKind kind, platform::Color color,
                                                bool anyColor = false) {
    std::vector<platform::Primitive> found;
    for (const auto& e : surface.primitives())
        if (e.kind == kind && (anyColor || e.color == color))
            found.push_back(e);
    return found;
}

/// Lines in `color`.
inline std::vector<platform::Primitive> lines(const platform::DrawingSurface& surface,
                                              platform::Color color) {
    return entries(surface, platform::PrimitiveKind::Line, color);
}

/// Every recorded point with its style, in drawing order.
struct StyledPoint {
    platform::PointF at;
    platform::PointStyle style;
};
inline std::vector<StyledPoint> styledPoints(const platform::DrawingSurface& surface) {
    std::vector<StyledPoint> all;
    for (const auto& e : surface.primitives()) {
        if (e.kind != platform::PrimitiveKind::PointRun)
            continue;
        const auto points = surface.points(e);
        for (std::size_t i = 0; i < points.size(); ++i)
            all.push_back({points[i], platform::DrawingSurface::styleOf(e, i)});
    }
    return all;
}

/// Number of points drawn in `color`.
inline std::size_t pointsIn(const platform::DrawingSurface& surface, platform::Color color) {
    std::size_t n = 0;
    for (const auto& p : styledPoints(surface))
        n += p.style.color == color ? 1 : 0;
    return n;
}

} // namespace zorbal::test
