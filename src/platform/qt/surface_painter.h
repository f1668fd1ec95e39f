// SPDX-License-Identifier: MIT
// Painting a recorded drawing surface with QPainter: onto any painter, into an image of any size,
// and into a PNG file. Needs Qt's painting only, no widget and no application object.
#pragma once

#include "platform/drawing_surface.h"

#include <QImage>
#include <QRect>
#include <QSize>

#include <string_view>

class QPainter;

namespace zorbal::platform::qt {

/// Paints `surface` onto `painter` over `target`, a rectangle of whole pixels in the painter's
/// coordinates: the background, then the display list in order with the user rectangle filling
/// `target`. Nothing is painted outside `target`. A point of width w is a square about w pixels
/// across (w × `pixelRatio`, as are the line widths); anything with a non-finite coordinate is left
/// out. The painter's state is as it was afterwards. On an image painted without scaling or
/// clipping the points are written straight into its pixels, elsewhere they are filled squares:
/// the pixels are the same either way.
void paintSurface(QPainter& painter, const DrawingSurface& surface, const QRect& target,
                  double pixelRatio = 1.0);

/// Renders `surface` over the whole of `image` (whose pixels are device pixels); `pixelRatio`
/// scales the line widths. The image must be in QImage::Format_RGB32 or Format_ARGB32(_Premultiplied).
void paintSurface(QImage& image, const DrawingSurface& surface, double pixelRatio = 1.0);

/// Renders `surface` into a new image of `size` logical pixels at `devicePixelRatio`. An empty
/// size gives a null image.
QImage renderSurface(const DrawingSurface& surface, QSize size, double devicePixelRatio = 1.0);

/// The width in pixels `text` takes as a Text entry of `fontPx` pixels (bold or not) writes it,
/// for laying texts out. Needs a QGuiApplication (the offscreen platform will do).
double textWidthPx(std::string_view text, double fontPx, bool isBold);

} // namespace zorbal::platform::qt
