// SPDX-License-Identifier: MIT
// Painting a recorded drawing surface: into an image of any size, and as a widget of the window.
#pragma once

#include "platform/drawing_surface.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace zorbal::platform::qt {

/// Renders `surface` into a new image of `size` logical pixels at `devicePixelRatio`: the
/// background, then the display list in order with the user rectangle filling the image. A point
/// of width w is a square about w logical pixels across; everything outside the image, and
/// anything with a non-finite coordinate, is left out. An empty size gives a null image.
QImage renderSurface(const DrawingSurface& surface, QSize size, double devicePixelRatio = 1.0);

/// Renders `surface` over the whole of `image` (whose pixels are device pixels); `pixelRatio`
/// scales the line widths. The image must be in QImage::Format_RGB32 or Format_ARGB32(_Premultiplied).
void paintSurface(QImage& image, const DrawingSurface& surface, double pixelRatio = 1.0);

/// Writes `image` as a PNG file. The file is replaced only when the whole picture was written.
/// Returns false when it could not be written.
bool writePng(const QImage& image, const QString& path);

/// A picture box of the window: paints a DrawingSurface it observes, mapping the surface's user
/// rectangle onto the whole widget. The painted picture is cached and rendered again only when the
/// surface's revision or the widget's size changes. Offers "Copy Picture" and "Save Picture As…"
/// in its context menu, and reports mouse movement for the window's advice texts.
class CanvasWidget : public QWidget {
    Q_OBJECT
  public:
    explicit CanvasWidget(QWidget* parent = nullptr);

    /// The surface to paint; may be null (the widget is then plain). Not owned; it must outlive
    /// the widget or be replaced first.
    void setSurface(const DrawingSurface* surface);
    const DrawingSurface* surface() const { return m_surface; }

    /// Schedules a repaint when the surface changed since it was last painted. Call it after
    /// every action of the window (the view's refresh).
    void refresh();

    /// The picture as the widget shows it, at the widget's size and pixel ratio.
    QImage picture() const;
    /// Puts the picture on the clipboard.
    void copyPicture() const;
    /// Saves the picture as a PNG file; false when it could not be written.
    bool savePicture(const QString& path) const;
    /// Asks for a file name and saves the picture there, reporting a failure in a message box.
    void savePictureAs();

    /// The user coordinates under a position of the widget.
    QPointF toUser(QPointF position) const;

    QSize sizeHint() const override { return {705, 369}; }

  signals:
    /// The mouse moved over the picture (buttons held or not).
    void mouseMoved(QPointF userPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    const DrawingSurface* m_surface = nullptr;
    mutable QImage m_cache;
    mutable std::uint64_t m_cachedRevision = 0;
    mutable const DrawingSurface* m_cachedSurface = nullptr;
};

} // namespace zorbal::platform::qt
