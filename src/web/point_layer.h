// SPDX-License-Identifier: MIT
// The dots of a display list's point runs, written into a layer of pixels that the page lays
// over its canvas: a long flight is hundreds of thousands of dots, too many to paint one by one
// from JavaScript.
#pragma once

#include "platform/drawing_surface.h"

#include <cstdint>
#include <vector>

namespace zorbal::web {

/// A transparent picture of `width` x `height` pixels as a canvas's ImageData holds them (bytes
/// red, green, blue, alpha) on which point runs are drawn as opaque square dots, exactly as the
/// desktop's painter draws them: a dot of pen width w (times the pixel ratio, at least 1) covers
/// the w x w pixels from floor(centre - w/2 + 1/2), clipped to the picture, later dots over
/// earlier ones. Laid over a canvas in the source-over way, it changes exactly the dots' pixels.
class PointLayer {
  public:
    /// The pixel area written since the last clear: [left, right) x [top, bottom); empty when
    /// left >= right.
    struct Bounds {
        int left = 0, top = 0, right = 0, bottom = 0;
    };

    /// A layer of the given size, all transparent. The memory is taken here, so that painting
    /// allocates nothing.
    void resize(int width, int height);
    /// Makes the written area transparent again.
    void clear();
    /// Draws the dots of the PointRun entry `run` of `surface`, user coordinates mapped to pixels
    /// by `mapping`, pen widths times `pixelRatio`. A dot on the same pixels as the one just
    /// drawn, in the same colour and size, changes nothing and is skipped.
    void paint(const platform::DrawingSurface& surface, const platform::Primitive& run,
               const platform::PixelMapping& mapping, double pixelRatio);

    int width() const { return m_width; }
    int height() const { return m_height; }
    const Bounds& written() const { return m_written; }
    /// One word per pixel, row by row, in the memory order of ImageData's bytes.
    const std::uint32_t* pixels() const { return m_pixels.data(); }
    std::uint32_t pixel(int x, int y) const {
        return m_pixels[static_cast<std::size_t>(y) * static_cast<std::size_t>(m_width) +
                        static_cast<std::size_t>(x)];
    }

  private:
    int m_width = 0, m_height = 0;
    std::vector<std::uint32_t> m_pixels;
    Bounds m_written;
};

/// An opaque 0xRRGGBB colour as the word of a pixel in ImageData's byte order (red first).
constexpr std::uint32_t imageDataWord(platform::Color color) {
    const std::uint32_t c = color;
    return 0xff000000u | ((c & 0xffu) << 16) | (c & 0xff00u) | ((c >> 16) & 0xffu);
}

} // namespace zorbal::web
