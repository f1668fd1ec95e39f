// SPDX-License-Identifier: MIT
#include "web/point_layer.h"

#include "platform/pixel_geometry.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <span>

namespace zorbal::web {

void PointLayer::resize(int width, int height) {
    m_width = std::max(width, 0);
    m_height = std::max(height, 0);
    m_pixels.assign(static_cast<std::size_t>(m_width) * static_cast<std::size_t>(m_height), 0);
    m_written = {};
}

void PointLayer::clear() {
    for (int y = m_written.top; y < m_written.bottom; ++y) {
        const auto row = m_pixels.begin() + static_cast<std::ptrdiff_t>(y) * m_width;
        std::fill(row + m_written.left, row + m_written.right, 0u);
    }
    m_written = {};
}

namespace {

struct Dot {
    std::uint32_t word = 0;
    int size = 1;
    double half = 0.5; ///< half the dot's size
};

/// The dot's upper-left pixel, before rounding down, as the desktop's painter works it out.
double dotLeft(const platform::PixelMapping& m, float x, const Dot& dot) {
    return (x - m.originX) * m.scaleX - dot.half + 0.5;
}
double dotTop(const platform::PixelMapping& m, float y, const Dot& dot) {
    return (y - m.originY) * m.scaleY - dot.half + 0.5;
}

/// The dots of a run of `period` styles, in the order drawn (the velocity curves interleave their
/// colours point by point).
PointLayer::Bounds paintDots(std::span<const platform::PointF> points, const Dot* dots, int period,
                             const platform::PixelMapping& mapping, int width, int height,
                             std::uint32_t* pixels, PointLayer::Bounds written) {
    int lastX = std::numeric_limits<int>::min(), lastY = lastX;
    std::uint32_t lastWord = 0;
    int lastSize = 0;
    int phase = 0;
    for (const platform::PointF& p : points) {
        const Dot& dot = dots[phase];
        if (++phase == period)
            phase = 0;
        const double px = dotLeft(mapping, p.x, dot);
        const double py = dotTop(mapping, p.y, dot);
        // Written so that NaN fails both tests.
        if (!(px > -dot.size && px < width) || !(py > -dot.size && py < height))
            continue;
        const int x0 = static_cast<int>(std::floor(px));
        const int y0 = static_cast<int>(std::floor(py));
        if (x0 == lastX && y0 == lastY && dot.word == lastWord && dot.size == lastSize)
            continue;
        lastX = x0, lastY = y0, lastWord = dot.word, lastSize = dot.size;
        if (dot.size == 1 && x0 >= 0 && y0 >= 0) {
            pixels[static_cast<std::size_t>(y0) * static_cast<std::size_t>(width) +
                   static_cast<std::size_t>(x0)] = dot.word;
            written.left = std::min(written.left, x0), written.right = std::max(written.right, x0 + 1);
            written.top = std::min(written.top, y0), written.bottom = std::max(written.bottom, y0 + 1);
            continue;
        }
        const int left = std::max(x0, 0), right = std::min(x0 + dot.size, width);
        const int top = std::max(y0, 0), bottom = std::min(y0 + dot.size, height);
        if (left >= right || top >= bottom)
            continue;
        for (int y = top; y < bottom; ++y) {
            std::uint32_t* row = pixels + static_cast<std::ptrdiff_t>(y) * width;
            std::fill(row + left, row + right, dot.word);
        }
        written.left = std::min(written.left, left), written.right = std::max(written.right, right);
        written.top = std::min(written.top, top), written.bottom = std::max(written.bottom, bottom);
    }
    return written;
}

/// One-pixel dots of one colour: where they fall in drawing order does not matter, and writing
/// a pixel again is cheaper than finding out whether it was the last one written.
PointLayer::Bounds paintPixels(std::span<const platform::PointF> points, const Dot& dot,
                               const platform::PixelMapping& mapping, int width, int height,
                               std::uint32_t* pixels, PointLayer::Bounds written) {
    const double w = width, h = height;
    for (const platform::PointF& p : points) {
        const double px = dotLeft(mapping, p.x, dot);
        const double py = dotTop(mapping, p.y, dot);
        // The dot's pixel floor(px), floor(py) is in the picture exactly when these hold; NaN
        // fails them.
        if (!((px >= 0) & (px < w) & (py >= 0) & (py < h)))
            continue;
        const int x = static_cast<int>(px), y = static_cast<int>(py); // floor, as both are >= 0
        pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(width) + static_cast<std::size_t>(x)] =
            dot.word;
        written.left = std::min(written.left, x), written.right = std::max(written.right, x + 1);
        written.top = std::min(written.top, y), written.bottom = std::max(written.bottom, y + 1);
    }
    return written;
}

} // namespace

void PointLayer::paint(const platform::DrawingSurface& surface, const platform::Primitive& run,
                       const platform::PixelMapping& mapping, double pixelRatio) {
    const int period = std::clamp<int>(run.period, 1, platform::kMaxRunPeriod);
    std::array<Dot, platform::kMaxRunPeriod> dots{};
    for (int s = 0; s < period; ++s) {
        const platform::PointStyle& style = run.styles[static_cast<std::size_t>(s)];
        Dot& dot = dots[static_cast<std::size_t>(s)];
        dot.word = imageDataWord(style.color);
        dot.size = platform::penWidthPx(style.width, pixelRatio);
        dot.half = 0.5 * dot.size;
    }
    Bounds written = m_written;
    if (written.left >= written.right)
        written = {m_width, m_height, 0, 0};
    const auto points = surface.points(run);
    if (period == 1 && dots[0].size == 1)
        written = paintPixels(points, dots[0], mapping, m_width, m_height, m_pixels.data(), written);
    else
        written =
            paintDots(points, dots.data(), period, mapping, m_width, m_height, m_pixels.data(), written);
    if (written.left < written.right)
        m_written = written;
}

} // namespace zorbal::web
