// SPDX-License-Identifier: MIT
// The layer of dots the page lays over its graphs: the same pixels as drawing every dot as its
// clipped square in turn, as the desktop's painter does, although it skips and batches dots.
#include "web/point_layer.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <random>
#include <vector>

namespace zorbal::web {
namespace {

using platform::PointF;
using platform::PointStyle;

/// Every dot of every run drawn as its square, clipped to the picture, one after the other.
std::vector<std::uint32_t> everyDot(const platform::DrawingSurface& surface, const platform::PixelMapping& m,
                                    double ratio, int width, int height) {
    std::vector<std::uint32_t> pixels(static_cast<std::size_t>(width * height), 0);
    for (const platform::Primitive& run : surface.primitives()) {
        if (run.kind != platform::PrimitiveKind::PointRun)
            continue;
        const auto points = surface.points(run);
        for (std::size_t i = 0; i < points.size(); ++i) {
            const PointStyle& style = platform::DrawingSurface::styleOf(run, i);
            const int size = std::max(1, static_cast<int>(std::lround(style.width * ratio)));
            const double x = m.toPixelX(points[i].x) - 0.5 * size + 0.5;
            const double y = m.toPixelY(points[i].y) - 0.5 * size + 0.5;
            if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > 1e6 || std::abs(y) > 1e6)
                continue;
            const int x0 = static_cast<int>(std::floor(x)), y0 = static_cast<int>(std::floor(y));
            for (int py = std::max(y0, 0); py < std::min(y0 + size, height); ++py)
                for (int px = std::max(x0, 0); px < std::min(x0 + size, width); ++px)
                    pixels[static_cast<std::size_t>(py * width + px)] = imageDataWord(style.color);
        }
    }
    return pixels;
}

std::vector<std::uint32_t> layerOf(const platform::DrawingSurface& surface, const platform::PixelMapping& m,
                                   double ratio, PointLayer& layer) {
    for (const platform::Primitive& run : surface.primitives())
        if (run.kind == platform::PrimitiveKind::PointRun)
            layer.paint(surface, run, m, ratio);
    const std::uint32_t* p = layer.pixels();
    return {p, p + static_cast<std::ptrdiff_t>(layer.width()) * layer.height()};
}

TEST(PointLayer, RandomRunsGiveThePixelsOfEveryDotDrawnInTurn) {
    std::mt19937 rng(7);
    std::uniform_real_distribution<double> unit(0, 1);
    const platform::Color colours[] = {platform::kBlue, platform::kMagenta, platform::kRed,
                                       platform::kOrange};
    PointLayer layer;
    for (int trial = 0; trial < 60; ++trial) {
        const int width = 20 + trial % 7 * 13, height = 15 + trial % 5 * 11;
        const double ratio = trial % 3 == 0 ? 1.0 : trial % 3 == 1 ? 1.5 : 2.0;
        platform::DrawingSurface surface;
        surface.scale(-1, 10, 9, trial % 2 ? -2.0 : 2.0); // both directions of the vertical axis
        // Walks that stay on a pixel for a while (skipped dots), leave the picture, turn back.
        double x = unit(rng) * 10 - 1, y = unit(rng) * 8;
        for (int run = 0; run < 5; ++run) {
            const int period = 1 + static_cast<int>(unit(rng) * 3);
            std::vector<PointStyle> styles;
            for (int s = 0; s < period; ++s)
                styles.push_back({colours[(run + s) % 4], 1 + static_cast<int>(unit(rng) * 3)});
            const double step = unit(rng) < 0.5 ? 0.01 : 0.4;
            surface.pointCycles(styles, 200, [&](std::size_t, std::size_t j) {
                x += (unit(rng) - 0.5) * step * (j + 1), y += (unit(rng) - 0.5) * step;
                return PointF{static_cast<float>(x), static_cast<float>(y)};
            });
        }
        const float nan = std::numeric_limits<float>::quiet_NaN(),
                    inf = std::numeric_limits<float>::infinity();
        surface.setForeColor(platform::kGreen);
        surface.points(4, [&](std::size_t i) { return i % 2 ? PointF{nan, 1} : PointF{2, -inf}; });
        const auto m = platform::PixelMapping::of(surface.userScale(), width, height);
        layer.resize(width, height);
        ASSERT_EQ(layerOf(surface, m, ratio, layer), everyDot(surface, m, ratio, width, height)) << trial;

        // The written area holds every dot and clearing leaves the layer transparent.
        const PointLayer::Bounds b = layer.written();
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px)
                if (layer.pixel(px, py) != 0)
                    ASSERT_TRUE(px >= b.left && px < b.right && py >= b.top && py < b.bottom) << trial;
        layer.clear();
        for (int py = 0; py < height; ++py)
            for (int px = 0; px < width; ++px)
                ASSERT_EQ(layer.pixel(px, py), 0u);
    }
}

TEST(PointLayer, DotsJustOutsideThePictureLeaveNoPixel) {
    // One-pixel dots a fraction of a pixel left of or above the picture, and at its far edges.
    platform::DrawingSurface surface;
    surface.scale(0, 0, 10, 10);
    surface.setForeColor(platform::kRed);
    const PointF outside[] = {{-0.05F, 5}, {5, -0.05F}, {10, 5}, {5, 10}};
    surface.points(4, [&](std::size_t i) { return outside[i]; });
    PointLayer layer;
    layer.resize(10, 10);
    const auto pixels = layerOf(surface, platform::PixelMapping::of(surface.userScale(), 10, 10), 1, layer);
    EXPECT_EQ(std::count(pixels.begin(), pixels.end(), 0u), 100);
    EXPECT_GE(layer.written().left, layer.written().right);
}

} // namespace
} // namespace zorbal::web
