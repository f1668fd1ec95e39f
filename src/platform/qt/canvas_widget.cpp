// SPDX-License-Identifier: MIT
// The picture box: a cached rendering of its surface, its context menu and mouse movement.
#include "platform/qt/canvas_widget.h"

#include "platform/qt/png_file.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/surface_painter.h"

#include <QClipboard>
#include <QContextMenuEvent>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMenu>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>

#include <cmath>

namespace zorbal::platform::qt {

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
    return !savePngSafely(picture(), QFile::encodeName(path).toStdString());
}

void CanvasWidget::savePictureAs() {
    // One folder for the pictures of both graphs, remembered for the run.
    static QString pictureFolder;
    QString path = runFileDialog(this, QFileDialog::AcceptSave, tr("Save Picture As"), pictureFolder,
                                 QString(), QString(), tr("PNG pictures (*.png)"));
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

void CanvasWidget::paintEvent(QPaintEvent* /*event*/) {
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
    // The window's own commands follow, as they do in the menu of the window around the picture.
    if (const QList<QAction*> commands = window()->actions(); !commands.isEmpty()) {
        menu.addSeparator();
        menu.addActions(commands);
    }
    menu.exec(event->globalPos());
}

} // namespace zorbal::platform::qt
