// SPDX-License-Identifier: MIT
// Painting a recorded drawing surface with QPainter, points rasterised directly for speed.
#include "platform/qt/surface_painter.h"

#include "platform/pixel_geometry.h"
#include "platform/qt/qt_color.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>
#include <numbers>
#include <optional>

namespace zorbal::platform::qt {

namespace {

QFont textFont(double px, bool isBold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(px))));
    font.setBold(isBold);
    return font;
}

bool allFinite(std::span<const double> values) {
    return std::all_of(values.begin(), values.end(), [](double v) { return std::isfinite(v); });
}

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

    // The kinds drawn in pixels. Entries with a number that is not finite are left out.

    QPointF pixelPoint(double x, double y) const { return QPointF(mapping.toPixelX(x), mapping.toPixelY(y)); }

    void text(const DrawingSurface& surface, const Primitive& e) {
        const std::span<const double> v = surface.values(e);
        if (!allFinite(v) || e.text >= surface.texts().size())
            return;
        const QFont font = textFont(v[2] * pixelRatio, e.isBold);
        const QFontMetricsF metrics(font);
        const QString content = QString::fromStdString(surface.texts()[e.text]);
        const double width = metrics.horizontalAdvance(content);
        const double height = metrics.ascent() + metrics.descent();
        double x = 0, y = 0; // upper-left corner of the text, relative to the anchor
        if (e.hAlign == HAlign::Centre)
            x = -width / 2;
        else if (e.hAlign == HAlign::Right)
            x = -width;
        if (e.vAlign == VAlign::Middle)
            y = -height / 2;
        else if (e.vAlign == VAlign::Bottom)
            y = -height;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.save();
        painter.translate(pixelPoint(v[0], v[1]));
        if (e.isVertical)
            painter.rotate(-90);
        painter.setFont(font);
        painter.setPen(toQColor(e.color));
        painter.drawText(QPointF(x, y + metrics.ascent()), content);
        painter.restore();
    }

    void stroke(const DrawingSurface& surface, const Primitive& e) {
        const std::span<const double> v = surface.values(e);
        if (!allFinite(v))
            return;
        QPen pen(toQColor(e.color), v[4] * pixelRatio);
        if (e.isDashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawLine(pixelPoint(v[0], v[1]), pixelPoint(v[2], v[3]));
    }

    void polyline(const DrawingSurface& surface, const Primitive& e) {
        const std::span<const double> v = surface.values(e);
        if (v.size() < 5 || !allFinite(v))
            return;
        QPainterPath path(pixelPoint(v[1], v[2]));
        for (std::size_t i = 3; i + 1 < v.size(); i += 2)
            path.lineTo(pixelPoint(v[i], v[i + 1]));
        QPen pen(toQColor(e.color), v[0] * pixelRatio);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }

    void filledEllipse(const DrawingSurface& surface, const Primitive& e) {
        const std::span<const double> v = surface.values(e);
        if (!allFinite(v))
            return;
        painter.setRenderHint(QPainter::Antialiasing, true);
        if (v[4] > 0)
            painter.setPen(QPen(toQColor(e.color), v[4] * pixelRatio));
        else
            painter.setPen(Qt::NoPen);
        painter.setBrush(toQColor(e.fill));
        painter.drawEllipse(pixelPoint(v[0], v[1]), v[2] * pixelRatio, v[3] * pixelRatio);
    }

    /// The rectangle of a Rect or Hatch entry on whole pixels, its corners rounded half away from
    /// zero and kept in the order given; nothing when a corner is not finite.
    std::optional<QRect> wholePixels(const Primitive& e) const {
        // Far enough out that no pen reaches into the picture, near enough for int arithmetic.
        constexpr double kFar = 1 << 20;
        const double corners[] = {mapping.toPixelX(e.x1), mapping.toPixelY(e.y1), mapping.toPixelX(e.x2),
                                  mapping.toPixelY(e.y2)};
        int at[4];
        for (int k = 0; k < 4; ++k) {
            if (!std::isfinite(corners[k]))
                return std::nullopt;
            const double limit = (k % 2 == 0 ? widthPx : heightPx) + kFar;
            at[k] = static_cast<int>(std::lround(std::clamp(corners[k], -kFar, limit)));
        }
        return QRect(at[0], at[1], at[2] - at[0], at[3] - at[1]);
    }

    void rect(const Primitive& e) {
        const std::optional<QRect> r = wholePixels(e);
        if (!r)
            return;
        const QColor fill(redOf(e.fill), greenOf(e.fill), blueOf(e.fill), e.opacity);
        painter.setRenderHint(QPainter::Antialiasing, false);
        if (e.width <= 0) {
            painter.fillRect(*r, fill);
            return;
        }
        painter.setPen(QPen(toQColor(e.color), e.width * pixelRatio));
        painter.setBrush(fill);
        painter.drawRect(*r);
        painter.setBrush(Qt::NoBrush);
    }

    void hatch(const Primitive& e) {
        const std::optional<QRect> r = wholePixels(e);
        if (!r)
            return;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(*r, QBrush(toQColor(e.color), Qt::BDiagPattern));
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
        case PrimitiveKind::Text:
            paint.text(surface, e);
            break;
        case PrimitiveKind::Stroke:
            paint.stroke(surface, e);
            break;
        case PrimitiveKind::Polyline:
            paint.polyline(surface, e);
            break;
        case PrimitiveKind::FilledEllipse:
            paint.filledEllipse(surface, e);
            break;
        case PrimitiveKind::Rect:
            paint.rect(e);
            break;
        case PrimitiveKind::Hatch:
            paint.hatch(e);
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

double textWidthPx(std::string_view text, double fontPx, bool isBold) {
    const QFontMetricsF metrics(textFont(fontPx, isBold));
    return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
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
