// SPDX-License-Identifier: MIT
// The designed-coordinates tab control, the wrapping check box and the legend widgets.
#include "ui/qt/design_widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QEvent>
#include <QKeyEvent>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionTabWidgetFrame>

namespace zorbal::ui::qt {

namespace {

/// The tab row: the window system's keys (Left and Right select the tab beside, without
/// wrapping) and the tab pattern's Home, End, Enter and Space.
class DesignTabBar final : public QTabBar {
  public:
    using QTabBar::QTabBar;

  protected:
    void keyPressEvent(QKeyEvent* event) override {
        if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) {
            QTabBar::keyPressEvent(event);
            return;
        }
        switch (event->key()) {
        case Qt::Key_Home:
            setCurrentIndex(0);
            break;
        case Qt::Key_End:
            setCurrentIndex(count() - 1);
            break;
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Space:
            break; // the focused tab is the selected one already
        default:
            QTabBar::keyPressEvent(event);
            return;
        }
        event->accept();
    }
};

/// The accessible side of an AnnouncementWidget: a notification named by its text.
QAccessibleInterface* announcementInterface(const QString& className, QObject* object) {
    if (className == QLatin1String("zorbal::ui::qt::AnnouncementWidget") && object && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::Notification);
    return nullptr;
}

} // namespace

DesignTabControl::DesignTabControl(QWidget* parent) : QWidget(parent), m_bar(new DesignTabBar(this)) {
    m_bar->setExpanding(true);
    m_bar->setDrawBase(false);
    m_bar->setUsesScrollButtons(false);
    m_bar->setElideMode(Qt::ElideNone);
    connect(m_bar, &QTabBar::currentChanged, this, [this](int index) {
        // The tabs take the focus from a control on the page about to be hidden, as a click on a
        // window-system tab control does; hidden, it would hand the focus to the next control.
        if (QWidget* focused = QApplication::focusWidget();
            focused && focused != m_bar && isAncestorOf(focused))
            m_bar->setFocus(Qt::MouseFocusReason);
        showPage(index);
        emit currentChanged(index);
    });
}

QWidget* DesignTabControl::addPage(const QString& caption) {
    auto* page = new QWidget(this);
    page->setGeometry(rect());
    m_pages.push_back(page);
    {
        const QSignalBlocker blocker(m_bar);
        m_bar->addTab(caption);
    }
    showPage(m_bar->currentIndex());
    m_bar->raise();
    layoutBar();
    return page;
}

void DesignTabControl::showPage(int index) {
    if (m_bar->currentIndex() != index) {
        const QSignalBlocker blocker(m_bar);
        m_bar->setCurrentIndex(index);
    }
    for (std::size_t i = 0; i < m_pages.size(); ++i)
        m_pages[i]->setVisible(static_cast<int>(i) == index);
    m_bar->raise();
}

void DesignTabControl::layoutBar() {
    m_bar->setGeometry(0, 0, width(), m_bar->sizeHint().height());
    for (QWidget* page : m_pages)
        page->setGeometry(rect());
}

void DesignTabControl::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    layoutBar();
}

void DesignTabControl::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionTabWidgetFrame option;
    option.initFrom(this);
    const int barHeight = m_bar->height();
    option.rect = QRect(0, barHeight - 1, width(), height() - barHeight + 1);
    option.tabBarSize = m_bar->size();
    option.shape = QTabBar::RoundedNorth;
    option.lineWidth = style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, this);
    style()->drawPrimitive(QStyle::PE_FrameTabWidget, &option, &painter, this);
}

WrapCheckBox::WrapCheckBox(QWidget* parent) : QCheckBox(parent), m_label(new QLabel(this)) {
    m_label->setWordWrap(true);
    m_label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_label->setAttribute(Qt::WA_TransparentForMouseEvents);
}

void WrapCheckBox::setCaption(const QString& caption) {
    m_label->setText(caption);
    setAccessibleName(caption);
}

QString WrapCheckBox::caption() const {
    return m_label->text();
}

bool WrapCheckBox::hitButton(const QPoint& pos) const {
    return rect().contains(pos);
}

void WrapCheckBox::resizeEvent(QResizeEvent* event) {
    QCheckBox::resizeEvent(event);
    QStyleOptionButton option;
    initStyleOption(&option);
    const int indicator = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this) +
                          style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);
    m_label->setGeometry(indicator, 0, width() - indicator, height());
}

void WrapCheckBox::changeEvent(QEvent* event) {
    QCheckBox::changeEvent(event);
    if (event->type() == QEvent::EnabledChange)
        m_label->setEnabled(isEnabled());
}

KeyLineWidget::KeyLineWidget(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void KeyLineWidget::setLine(const QColor& color, int widthPixels) {
    if (color == m_color && widthPixels == m_width)
        return;
    m_color = color;
    m_width = widthPixels;
    update();
}

void KeyLineWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(QPen(m_color, m_width, Qt::SolidLine, Qt::FlatCap));
    const int y = height() / 2;
    painter.drawLine(0, y, width(), y);
}

AnnouncementWidget::AnnouncementWidget(QWidget* parent) : QWidget(parent) {
    static const bool installed = [] {
        QAccessible::installFactory(announcementInterface);
        return true;
    }();
    (void)installed;
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
    setGeometry(0, 0, 1, 1);
}

void AnnouncementWidget::announce(const QString& text) {
    if (text.isEmpty())
        return;
    // Hidden and shown again, so that the same words said twice are read twice.
    hide();
    setAccessibleName(text);
    ++m_count;
    show();
}

ShapeBox::ShapeBox(const QColor& fill, QWidget* parent) : QWidget(parent), m_fill(fill) {}

void ShapeBox::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(Qt::black);
    painter.setBrush(m_fill);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

} // namespace zorbal::ui::qt
