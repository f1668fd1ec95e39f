// SPDX-License-Identifier: MIT
// The program's style, palette and font.
#include "ui/qt/look.h"

#include <QApplication>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QPalette>
#include <QScreen>
#include <QStyle>
#include <QStyleFactory>

#include <algorithm>

namespace zorbal::ui::qt {

namespace {
constexpr double kDesignPoints = 8.25;
constexpr double kSmallestPoints = 7.0;
/// The longest unit caption, and its width in Arial (or a font of the same widths) at 8.25 points
/// on a 96 dpi screen, pixels.
constexpr const char* kSample = "metres per second per second";
constexpr double kSampleWidthAt96Dpi = 148.5;
} // namespace

void applyDesignLook(QApplication& application) {
    if (QStyle* fusion = QStyleFactory::create(QStringLiteral("Fusion")))
        QApplication::setStyle(fusion);

    // Backgrounds are the same in every state; texts keep the style's grey when disabled.
    QPalette palette = QApplication::style()->standardPalette();
    const QColor face(240, 240, 240);
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
    // Dark enough to read on a coloured button, such as the green "Busy..." of a launch.
    palette.setColor(QPalette::Disabled, QPalette::ButtonText, QColor(110, 110, 110));
    QApplication::setPalette(palette);

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

} // namespace zorbal::ui::qt
