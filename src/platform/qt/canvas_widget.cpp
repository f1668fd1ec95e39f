// SPDX-License-Identifier: MIT
// Painting a recorded drawing surface with QPainter, points rasterised directly for speed.
#include "platform/qt/canvas_widget.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QSaveFile>

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorbal::platform::qt {

namespace {

QColor toQColor(Color c) {
    return QColor(redOf(c), greenOf(c), blueOf(c));
}
QRgb toRgb(Color c) {
    return qRgb(redOf(c), greenOf(c), blueOf(c));
}

/// Positions further than this outside the image are not handed to QPainter, whose fixed-point
/// rasteriser cannot take arbitrary magnitudes.
constexpr double kMarginPx = 64;
/// Circles and arcs larger than this are left out: nothing a picture box shows comes close.
constexpr double kLargestRadiusPx = 1e6;

struct Paint {
    QImage& image;
    QPainter& painter;
    double pixelRatio;
    int widthPx, heightPx;
    PixelMapping mapping;

    int penWidth(int width) const { return std::max(1, static_cast<int>(std::lround(width * pixelRatio))); }

    void setPen(Color color, int width) {
        QPen pen(toQColor(color));
        const int w = penWidth(width);
        pen.setWidth(w);
        pen.setCapStyle(w > 1 ? Qt::RoundCap : Qt::SquareCap);
        pen.setJoinStyle(Qt::RoundJoin);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
    }

    // Square dots written straight into the image: a long flight is hundreds of thousands of them,
    // in the order drawn (the velocity curves interleave their colours point by point).
    void pointRun(const DrawingSurface& surface, const Primitive& run) {
        struct DotStyle {
            QRgb rgb;
            int size;
        };
        std::array<DotStyle, kMaxRunPeriod> styles{};
        for (int s = 0; s < run.period; ++s)
            styles[static_cast<std::size_t>(s)] = {toRgb(run.styles[static_cast<std::size_t>(s)].color),
                                                   penWidth(run.styles[static_cast<std::size_t>(s)].width)};
        uchar* bits = image.bits();
        const qsizetype bytesPerLine = image.bytesPerLine();
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
            for (int y = top; y < bottom; ++y) {
                auto* row = reinterpret_cast<QRgb*>(bits + y * bytesPerLine);
                std::fill(row + left, row + right, style.rgb);
            }
        }
    }

    /// Clips the segment to the image plus a margin (Liang-Barsky); false when nothing is left.
    /// A clipped end is put exactly on the edge it was clipped at: interpolating from a far-away
    /// end would lose every digit that matters.
    bool clip(double& x1, double& y1, double& x2, double& y2) const {
        if (!std::isfinite(x1) || !std::isfinite(y1) || !std::isfinite(x2) || !std::isfinite(y2))
            return false;
        const double lo[2] = {-kMarginPx, -kMarginPx};
        const double hi[2] = {widthPx + kMarginPx, heightPx + kMarginPx};
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
                        return false;
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
            return false;
        auto placeAt = [&](double t, int axis, double edge, double& x, double& y) {
            x = std::clamp(start[0] + t * delta[0], lo[0], hi[0]);
            y = std::clamp(start[1] + t * delta[1], lo[1], hi[1]);
            (axis == 0 ? x : y) = edge;
        };
        if (axis1 >= 0)
            placeAt(t1, axis1, edge1, x2, y2);
        if (axis0 >= 0)
            placeAt(t0, axis0, edge0, x1, y1);
        return true;
    }

    double clampX(double x) const { return std::clamp(x, -kMarginPx, widthPx + kMarginPx); }
    double clampY(double y) const { return std::clamp(y, -kMarginPx, heightPx + kMarginPx); }

    void line(const Primitive& e) {
        double x1 = mapping.toPixelX(e.x1), y1 = mapping.toPixelY(e.y1);
        double x2 = mapping.toPixelX(e.x2), y2 = mapping.toPixelY(e.y2);
        if (!clip(x1, y1, x2, y2))
            return;
        setPen(e.color, e.width);
        // Lines along an axis stay crisp; slanted ones are smoothed.
        painter.setRenderHint(QPainter::Antialiasing, x1 != x2 && y1 != y2);
        painter.drawLine(QPointF(x1, y1), QPointF(x2, y2));
    }

    bool boxCorners(const Primitive& e, QRectF& rect) const {
        const double x1 = mapping.toPixelX(e.x1), y1 = mapping.toPixelY(e.y1);
        const double x2 = mapping.toPixelX(e.x2), y2 = mapping.toPixelY(e.y2);
        if (std::isnan(x1) || std::isnan(y1) || std::isnan(x2) || std::isnan(y2))
            return false;
        rect = QRectF(QPointF(clampX(x1), clampY(y1)), QPointF(clampX(x2), clampY(y2))).normalized();
        return true;
    }

    void box(const Primitive& e) {
        QRectF rect;
        if (!boxCorners(e, rect))
            return;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.drawRect(rect);
    }

    void filledBox(const Primitive& e) {
        QRectF rect;
        if (!boxCorners(e, rect))
            return;
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(rect, toQColor(e.fill));
    }

    /// Centre and half-axes in pixels of a circle entry; false when it cannot be seen.
    bool circleGeometry(const Primitive& e, double aspect, QPointF& centre, double& rx, double& ry) const {
        const double cx = mapping.toPixelX(e.x1), cy = mapping.toPixelY(e.y1);
        const double r = mapping.lengthToPixels(std::abs(static_cast<double>(e.radius)));
        const double a = std::abs(aspect);
        if (!std::isfinite(cx) || !std::isfinite(cy) || !std::isfinite(r) || !std::isfinite(a) ||
            r > kLargestRadiusPx)
            return false;
        // The radius is the longer half-axis.
        rx = a <= 1 ? r : r / a;
        ry = a <= 1 ? r * a : r;
        if (cx + rx < -kMarginPx || cx - rx > widthPx + kMarginPx || cy + ry < -kMarginPx ||
            cy - ry > heightPx + kMarginPx)
            return false;
        centre = QPointF(cx, cy);
        return true;
    }

    void circle(const Primitive& e) {
        QPointF centre;
        double rx = 0, ry = 0;
        if (!circleGeometry(e, e.aspect, centre, rx, ry))
            return;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawEllipse(centre, rx, ry);
    }

    void arc(const Primitive& e) {
        QPointF centre;
        double r = 0, unused = 0;
        if (!circleGeometry(e, 1.0, centre, r, unused) || !std::isfinite(e.start) || !std::isfinite(e.end))
            return;
        constexpr double kSixteenthsPerRadian = 180.0 / 3.14159265358979323846 * 16;
        double span = static_cast<double>(e.end) - static_cast<double>(e.start);
        // Counter-clockwise from the start to the end angle.
        if (span < 0)
            span += 2 * 3.14159265358979323846;
        setPen(e.color, e.width);
        painter.setRenderHint(QPainter::Antialiasing, true);
        painter.drawArc(QRectF(centre.x() - r, centre.y() - r, 2 * r, 2 * r),
                        static_cast<int>(std::lround(e.start * kSixteenthsPerRadian)),
                        static_cast<int>(std::lround(span * kSixteenthsPerRadian)));
    }
};

} // namespace

void paintSurface(QImage& image, const DrawingSurface& surface, double pixelRatio) {
    if (image.isNull())
        return;
    image.fill(toRgb(surface.backColor()));
    // The dots are written into the image's memory while the painter draws into the same memory
    // in between; take the pointer before painting so the image is not detached under the painter.
    (void)image.bits();
    QPainter painter(&image);
    Paint paint{image,          painter,
                pixelRatio,     image.width(),
                image.height(), PixelMapping::of(surface.userScale(), image.width(), image.height())};
    for (const Primitive& e : surface.primitives()) {
        switch (e.kind) {
        case PrimitiveKind::Scale:
            paint.mapping =
                PixelMapping::of(UserScale{e.x1, e.y1, e.x2, e.y2}, image.width(), image.height());
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

bool writePng(const QImage& image, const QString& path) {
    if (image.isNull())
        return false;
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    if (!image.save(&file, "PNG")) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

CanvasWidget::CanvasWidget(QWidget* parent) : QWidget(parent) {
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void CanvasWidget::setSurface(const DrawingSurface* surface) {
    m_surface = surface;
    update();
}

void CanvasWidget::refresh() {
    if (m_surface != m_cachedSurface || (m_surface && m_surface->revision() != m_cachedRevision))
        update();
}

QImage CanvasWidget::picture() const {
    const double ratio = devicePixelRatioF();
    const QSize devicePixels(static_cast<int>(std::lround(width() * ratio)),
                             static_cast<int>(std::lround(height() * ratio)));
    const bool stale = m_cache.size() != devicePixels || m_cache.devicePixelRatio() != ratio ||
                       m_surface != m_cachedSurface ||
                       (m_surface && m_surface->revision() != m_cachedRevision);
    if (stale) {
        if (m_surface) {
            m_cache = renderSurface(*m_surface, size(), ratio);
            m_cachedRevision = m_surface->revision();
        } else if (!devicePixels.isEmpty()) {
            m_cache = QImage(devicePixels, QImage::Format_RGB32);
            m_cache.fill(palette().color(backgroundRole()));
            m_cache.setDevicePixelRatio(ratio);
        } else {
            m_cache = QImage();
        }
        m_cachedSurface = m_surface;
    }
    return m_cache;
}

void CanvasWidget::copyPicture() const {
    if (auto* clipboard = QGuiApplication::clipboard())
        clipboard->setImage(picture());
}

bool CanvasWidget::savePicture(const QString& path) const {
    return writePng(picture(), path);
}

void CanvasWidget::savePictureAs() {
    QString path =
        QFileDialog::getSaveFileName(this, tr("Save Picture As"), QString(), tr("PNG pictures (*.png)"));
    if (path.isEmpty())
        return;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".png");
    if (!savePicture(path))
        QMessageBox::warning(
            this, QStringLiteral("Zorbal"),
            tr("The picture could not be saved as \"%1\".").arg(QDir::toNativeSeparators(path)));
}

QPointF CanvasWidget::toUser(QPointF position) const {
    if (!m_surface)
        return position;
    const PixelMapping mapping = PixelMapping::of(m_surface->userScale(), width(), height());
    return {mapping.toUserX(position.x()), mapping.toUserY(position.y())};
}

void CanvasWidget::paintEvent(QPaintEvent* event) {
    (void)event;
    QPainter painter(this);
    const QImage image = picture();
    if (!image.isNull())
        painter.drawImage(QPointF(0, 0), image);
}

void CanvasWidget::mouseMoveEvent(QMouseEvent* event) {
    emit mouseMoved(toUser(event->position()));
    QWidget::mouseMoveEvent(event);
}

void CanvasWidget::contextMenuEvent(QContextMenuEvent* event) {
    QMenu menu(this);
    menu.addAction(tr("Copy Picture"), this, [this] { copyPicture(); });
    menu.addAction(QString::fromUtf8("Save Picture As\u2026"), this, [this] { savePictureAs(); });
    menu.exec(event->globalPos());
}

} // namespace zorbal::platform::qt
