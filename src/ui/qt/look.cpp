// SPDX-License-Identifier: MIT
// The program's style, palette and font.
#include "ui/qt/look.h"

#include "platform/contrast.h"
#include "platform/qt/qt_color.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPainter>
#include <QPalette>
#include <QProxyStyle>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>
#include <QStyleOption>
#include <QWidget>

#include <algorithm>

namespace zorbal::ui::qt {

namespace {

/// Fusion, with push buttons painted flat in exactly their palette's button colour. Fusion shades
/// a button with a gradient lighter than its colour: the red "Launch!" came out pink, the green
/// "Busy..." pale.
class DesignStyle final : public QProxyStyle {
  public:
    explicit DesignStyle(QStyle* base) : QProxyStyle(base) {}

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override {
        if (element == PE_PanelButtonCommand && option) {
            paintButtonPanel(*option, *painter);
            return;
        }
        QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

  private:
    static void paintButtonPanel(const QStyleOption& option, QPainter& painter) {
        const QRect r = option.rect;
        if (r.width() < 3 || r.height() < 3)
            return;
        const QColor face = option.palette.color(QPalette::Button);
        const bool pressed = (option.state & (State_Sunken | State_On)) != 0;
        const bool focused = (option.state & State_HasFocus) != 0 && (option.state & State_Enabled) != 0;
        const QColor outline = focused ? option.palette.color(QPalette::Highlight)
                                       : option.palette.color(QPalette::Window).darker(pressed ? 170 : 140);
        painter.save();
        painter.setRenderHint(QPainter::Antialiasing, false);
        painter.fillRect(r, face);
        painter.setPen(outline);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(r.adjusted(0, 0, -1, -1));
        if (focused)
            painter.drawRect(r.adjusted(1, 1, -2, -2));
        if (pressed) {
            // A shadow along the top and left edges inside the outline, as a pressed key shows.
            painter.setPen(face.darker(130));
            const int inset = focused ? 2 : 1;
            painter.drawLine(r.left() + inset, r.top() + inset, r.right() - inset, r.top() + inset);
            painter.drawLine(r.left() + inset, r.top() + inset, r.left() + inset, r.bottom() - inset);
        }
        painter.restore();
    }
};

constexpr double kDesignPoints = 8.25;
constexpr double kSmallestPoints = 7.0;
/// The longest unit caption, and its width in Arial (or a font of the same widths) at 8.25 points
/// on a 96 dpi screen, pixels.
constexpr const char* kSample = "metres per second per second";
constexpr double kSampleWidthAt96Dpi = 148.5;
} // namespace

void applyDesignLook(QApplication& application) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(new DesignStyle(fusion));

    applyLookPalette(false);

    // Metric-compatible with the design's fonts first, then what every Linux desktop has.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"),
                      QStringLiteral("Nimbus Sans"), QStringLiteral("Helvetica"),
                      QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(kDesignPoints);
    font.setStyleHint(QFont::SansSerif);
    // The captions were fitted to a font of Arial's widths. A wider font (DejaVu Sans, the only
    // one a minimal system may have) is made smaller until it is as wide, so no caption is cut.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dotsPerInch = screen ? screen->logicalDotsPerInchX() : 96.0;
    const double designWidth = kSampleWidthAt96Dpi * dotsPerInch / 96.0;
    const double width = QFontMetricsF(font).horizontalAdvance(QString::fromLatin1(kSample));
    if (width > designWidth)
        font.setPointSizeF(std::max(kSmallestPoints, kDesignPoints * designWidth / width));
    application.setFont(font);
}

void applyLookPalette(bool highContrast) {
    // Backgrounds are the same in every state; texts keep the style's grey when disabled.
    QPalette palette = QApplication::style()->standardPalette();
    const QColor face = highContrast ? QColor(Qt::white) : QColor(240, 240, 240);
    palette.setColor(QPalette::Window, face);
    palette.setColor(QPalette::Button, face);
    palette.setColor(QPalette::ToolTipBase, QColor(255, 255, 225));
    palette.setColor(QPalette::ToolTipText, Qt::black);
    for (auto group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::WindowText, Qt::black);
        palette.setColor(group, QPalette::ButtonText, Qt::black);
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, Qt::black);
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, Qt::white);
    if (highContrast) {
        const QColor disabled = platform::qt::toQColor(platform::kHighContrastDisabled);
        for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text})
            palette.setColor(QPalette::Disabled, role, disabled);
        for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
            palette.setColor(group, QPalette::Highlight, QColor(0, 0, 128));
            palette.setColor(group, QPalette::HighlightedText, Qt::white);
        }
    } else {
        // Dark enough to read on a coloured button, such as the green "Busy..." of a launch.
        palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 110, 110));
    }
    QApplication::setPalette(palette);
}

void showFixedSizeButtons(QWidget& window) {
    window.setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                          Qt::WindowCloseButtonHint);
}

} // namespace zorbal::ui::qt
