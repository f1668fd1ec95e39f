// SPDX-License-Identifier: MIT
// Widgets that give Qt the look and coordinates of the window as designed: a tab control whose
// pages use the control's own coordinates, a check box whose caption wraps, a legend line, a
// filled legend rectangle, and the unseen widget through which the window speaks to screen readers.
#pragma once

#include <QCheckBox>
#include <QColor>
#include <QLabel>
#include <QTabBar>
#include <QWidget>

#include <vector>

namespace zorbal::ui::qt {

/// A tab control with a row of equally wide tabs. Each page covers the whole control, so the
/// controls on a page are placed in the control's coordinates, tab row included, as designed;
/// the tab row lies on top of the pages. In the tab row Left and Right select the tab beside the
/// selected one, Home and End the first and the last; Enter and Space select the focused tab,
/// which is the selected one, and go no further.
class DesignTabControl final : public QWidget {
    Q_OBJECT
  public:
    explicit DesignTabControl(QWidget* parent = nullptr);

    /// Adds a page with the caption and returns it for its controls.
    QWidget* addPage(const QString& caption);
    QWidget* page(int index) const { return m_pages.at(static_cast<std::size_t>(index)); }
    int count() const { return static_cast<int>(m_pages.size()); }
    QTabBar* tabBar() const { return m_bar; }

    int currentIndex() const { return m_bar->currentIndex(); }
    /// Shows page `index` without emitting currentChanged.
    void showPage(int index);

  signals:
    /// The user selected another page.
    void currentChanged(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void layoutBar();
    QTabBar* m_bar;
    std::vector<QWidget*> m_pages;
};

/// A check box whose caption wraps onto several lines inside its designed rectangle. The whole
/// rectangle takes the click, as a window-system check box does.
class WrapCheckBox final : public QCheckBox {
    Q_OBJECT
  public:
    explicit WrapCheckBox(QWidget* parent = nullptr);
    void setCaption(const QString& caption);
    QString caption() const;

  protected:
    bool hitButton(const QPoint& pos) const override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

  private:
    QLabel* m_label;
};

/// A short horizontal line of a graph key, drawn across the middle of the widget.
class KeyLineWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit KeyLineWidget(QWidget* parent = nullptr);
    void setLine(const QColor& color, int widthPixels);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_color = Qt::black;
    int m_width = 1;
};

/// An unseen widget that says a text to assistive technology: each announce() shows it again
/// with the text as its accessible name, as a notification, which screen readers read out when
/// it appears (Qt here has no announcement event of its own). It paints nothing and takes no
/// input.
class AnnouncementWidget final : public QWidget {
    Q_OBJECT
  public:
    explicit AnnouncementWidget(QWidget* parent = nullptr);
    /// Says `text`, the same text again too; an empty text says nothing.
    void announce(const QString& text);
    /// How many texts were said.
    int count() const { return m_count; }

  private:
    int m_count = 0;
};

/// A filled rectangle with a thin black border (the history legend's colour samples).
class ShapeBox final : public QWidget {
    Q_OBJECT
  public:
    ShapeBox(const QColor& fill, QWidget* parent = nullptr);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor m_fill;
};

} // namespace zorbal::ui::qt
