// SPDX-License-Identifier: MIT
// A picture box of the window showing a recorded drawing surface.
#pragma once

#include "platform/drawing_surface.h"

#include <QImage>
#include <QSize>
#include <QString>
#include <QWidget>

#include <cstdint>

namespace zorbal::platform::qt {

/// A picture box of the window: paints a DrawingSurface it observes, mapping the surface's user
/// rectangle onto the whole widget. The painted picture is cached and rendered again only when the
/// surface's revision or the widget's size changes. Offers "Copy Picture" and "Save Picture As…"
/// in its context menu (then the commands its window offers as actions), and reports mouse movement for the
/// window's advice texts.
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
