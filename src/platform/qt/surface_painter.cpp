// SPDX-License-Identifier: MIT
// Painting a recorded drawing surface with QPainter, points rasterised directly for speed.
#include "platform/qt/surface_painter.h"

#include "platform/pixel_geometry.h"
#include "platform/qt/qt_color.h"

#include <QPainter>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace zorbal::platform::qt {

namespace {

/// The pixels of the image a painter paints on, when dots can be written into them directly: the
/// painter only shifts by whole pixels and clips nothing. Coordinates are the target's.
struct DirectPixels {
    uchar* bits;
    qsizetype bytesPerLine;
    int offsetX, offsetY;
    /// The image's extent in the target's coordinates.
    int left, top, right, bottom;

    void fill(int x0, int x1, int y0, int y1, QRgb rgb) const {
        x0 = std::max(x0, left), x1 = std::min(x1, right);
        y0 = std::max(y0, top), y1 = std::min(y1, bottom);
        if (x0 >= x1)
            return;
        for (int y = y0; y < y1; ++y) {
            auto* row = reinterpret_cast<QRgb*>(bits + (y + offsetY) * bytesPerLine);
            std::fill(row + x0 + offsetX, row + x1 + offsetX, rgb);
        }
    }
};

struct Paint {
    QPainter& painter;
    const DirectPixels* direct;
    double pixelRatio;
    int widthPx, heightPx;
    PixelMapping mapping;

    int penWidth(int width) const { return penWidthPx(width, pixelRatio); }

    void setPen(Color color, int width) {
        QPen pen(toQColor(color));
        const int w = penWidth(width);
        pen.setWidth(w);
        pen.setCapStyle(penCapOf(w) == PenCap::Round ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
    }

    // Square dots, in the order drawn (the velocity curves interleave their colours point by
    // point): a long flight is hundreds of thousands of them, so on an image they are written
    // straight into its pixels.
    void pointRun(const DrawingSurface& surface, const Primitive& run) {
        struct DotStyle {
            QRgb rgb;
            int size;
        };
        std::array<DotStyle, kMaxRunPeriod> styles{};
        for (int s = 0; s < run.period; ++s)
            styles[static_cast<std::size_t>(s)] = {toQRgb(run.styles[static_cast<std::size_t>(s)].color),
                                                   penWidth(run.styles[static_cast<std::size_t>(s)].width)};
        if (!direct)
            painter.setRenderHint(QPainter::Antialiasing, false);
        const auto points = surface.points(run);
        int lastX = std::numeric_limits<int>::min(), lastY = lastX;
        QRgb lastRgb = 0;
        int lastSize = 0;
        std::size_t phase = 0;
        for (const PointF& p : points) {
            const DotStyle& style = styles[phase];
            if (++phase == run.period)
                phase = 0;
            const double half = 0.5 * style.size;
            const double px = mapping.toPixelX(p.x) - half + 0.5;
            const double py = mapping.toPixelY(p.y) - half + 0.5;
            // Written so that NaN fails both tests.
            if (!(px > -style.size && px < widthPx) || !(py > -style.size && py < heightPx))
                continue;
            const int x0 = static_cast<int>(std::floor(px));
            const int y0 = static_cast<int>(std::floor(py));
            if (x0 == lastX && y0 == lastY && style.rgb == lastRgb && style.size == lastSize)
                continue;
            lastX = x0, lastY = y0, lastRgb = style.rgb, lastSize = style.size;
            const int left = std::max(x0, 0), right = std::min(x0 + style.size, widthPx);
            const int top = std::max(y0, 0), bottom = std::min(y0 + style.size, heightPx);
            if (direct)
                direct->fill(left, right, top, bottom, style.rgb);
            else
                painter.fillRect(QRect(left, top, right - left, bottom - top), QColor(style.rgb));
        }
    }

    void line(const Primitive& e) {
        const std::optional<PixelSegment> segment = lineInPixels(mapping, e, widthPx, heightPx);
        if (!segment)
            return;
        setPen(e.color, e.width);
        // Lines along an axis stay crisp; slanted ones are smoothed.
        painter.setRenderHint(QPainter::Antialiasing, !segment->isAlongAxis());
        painter.drawLine(QPointF(segment->x1, segment->y1), QPointF(segment->x2, segment->y2));
    }

    /// The box's rectangle, normalised as QRectF normalises it.
    std::optional<QRectF> boxRect(const Primitive& e) const {
        const std::optional<PixelBox> box = boxInPixels(mapping, e, widthPx, heightPx);
        if (!box)
            return std::nullopt;
        return QRectF(QPointF(box->x1, box->y1), QPointF(box->x2, box->y2)).normalized();
    }

    void box(const Primitive& e) {
        const std::optional<QRectF> rect = boxRect(e);
        if (!rect)
            return;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(*rect);
    }

    void filledBox(const Primitive& e) {
        const std::optional<QRectF> rect = boxRect(e);
        if (!rect)
            return;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(*rect, toQColor(e.fill));
    }

    void circle(const Primitive& e) {
        const std::optional<PixelEllipse> ellipse = circleInPixels(mapping, e, widthPx, heightPx);
        if (!ellipse)
            return;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(QPointF(ellipse->centreX, ellipse->centreY), ellipse->radiusX, ellipse->radiusY);
    }

    void arc(const Primitive& e) {
        const std::optional<PixelArc> arc = arcInPixels(mapping, e, widthPx, heightPx);
        if (!arc)
            return;
        constexpr double kSixteenthsPerRadian = 180.0 / std::numbers::pi * 16;
        const double r = arc->radius;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawArc(QRectF(arc->centreX - r, arc->centreY - r, 2 * r, 2 * r),
                        static_cast<int>(std::lround(arc->start * kSixteenthsPerRadian)),
                        static_cast<int>(std::lround(arc->span * kSixteenthsPerRadian)));
    }
};

/// Direct access to the pixels under `painter`, or nothing when dots must go through it.
std::optional<DirectPixels> directPixels(QPainter& painter, QSize size) {
    QPaintDevice* device = painter.device();
    if (!device || device->devType() != QInternal::Image || painter.hasClipping())
        return std::nullopt;
    auto* image = static_cast<QImage*>(device);
    const QImage::Format format = image->format();
    if (!image->isDetached())
        return std::nullopt;
    if (format != QImage::Format_RGB32 && format != QImage::Format_ARGB32 &&
        format != QImage::Format_ARGB32_Premultiplied)
        return std::nullopt;
    const QTransform transform = painter.deviceTransform();
    if (transform.type() > QTransform::TxTranslate)
        return std::nullopt;
    const double dx = transform.dx(), dy = transform.dy();
    if (dx != std::floor(dx) || dy != std::floor(dy) || std::abs(dx) > 1e6 || std::abs(dy) > 1e6)
        return std::nullopt;
    const int offsetX = static_cast<int>(dx), offsetY = static_cast<int>(dy);
    // The painter holds the image's only copy, so taking its pixels does not detach them from
    // what the painter draws into. The dots stay inside the target; the clip set for it later
    // is the painter's, which the image's pixels do not see.
    return DirectPixels{image->bits(),
                        image->bytesPerLine(),
                        offsetX,
                        offsetY,
                        std::max(0, -offsetX),
                        std::max(0, -offsetY),
                        std::min(size.width(), image->width() - offsetX),
                        std::min(size.height(), image->height() - offsetY)};
}

void paintEntries(QPainter& painter, const std::optional<DirectPixels>& direct, const DrawingSurface& surface,
                  QSize size, double pixelRatio) {
    Paint paint{painter,       direct ? &*direct : nullptr,
                pixelRatio,    size.width(),
                size.height(), PixelMapping::of(surface.userScale(), size.width(), size.height())};
    for (const Primitive& e : surface.primitives()) {
        switch (e.kind) {
        case PrimitiveKind::Scale:
            paint.mapping = PixelMapping::of(UserScale{e.x1, e.y1, e.x2, e.y2}, size.width(), size.height());
            break;
        case PrimitiveKind::PointRun:
            paint.pointRun(surface, e);
            break;
        case PrimitiveKind::Line:
            paint.line(e);
            break;
        case PrimitiveKind::Box:
            paint.box(e);
            break;
        case PrimitiveKind::FilledBox:
            paint.filledBox(e);
            break;
        case PrimitiveKind::Circle:
            paint.circle(e);
            break;
        case PrimitiveKind::Arc:
            paint.arc(e);
            break;
        }
    }
}

} // namespace

void paintSurface(QPainter& painter, const DrawingSurface& surface, const QRect& target, double pixelRatio) {
    if (target.isEmpty() || !painter.isActive())
        return;
    painter.save();
    painter.translate(target.topLeft());
    const QRect area(QPoint(0, 0), target.size());
    const std::optional<DirectPixels> direct = directPixels(painter, target.size());
    const QPaintDevice* device = painter.device();
    // A picture that covers its whole device needs no clip, and leaves the fast path open.
    const bool wholeDevice = painter.deviceTransform().isIdentity() && device &&
                             area == QRect(0, 0, device->width(), device->height()) && !painter.hasClipping();
    if (!wholeDevice)
        painter.setClipRect(area, Qt::IntersectClip);
    painter.setOpacity(1.0);
    painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.fillRect(area, toQColor(surface.backColor()));
    paintEntries(painter, direct, surface, target.size(), pixelRatio);
    painter.restore();
}

void paintSurface(QImage& image, const DrawingSurface& surface, double pixelRatio) {
    if (image.isNull())
        return;
    image.fill(toQRgb(surface.backColor()));
    QPainter painter(&image);
    paintEntries(painter, directPixels(painter, image.size()), surface, image.size(), pixelRatio);
}

QImage renderSurface(const DrawingSurface& surface, QSize size, double devicePixelRatio) {
    if (size.isEmpty())
        return {};
    const double ratio = devicePixelRatio > 0 ? devicePixelRatio : 1.0;
    QImage image(static_cast<int>(std::lround(size.width() * ratio)),
                 static_cast<int>(std::lround(size.height() * ratio)), QImage::Format_RGB32);
    if (image.isNull())
        return image;
    paintSurface(image, surface, ratio);
    image.setDevicePixelRatio(ratio);
    return image;
}

} // namespace zorbal::platform::qt
