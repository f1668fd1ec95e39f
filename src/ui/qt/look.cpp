// SPDX-License-Identifier: MIT
// The program's style, palette and font.
#include "ui/qt/look.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QStyle>
#include <QStyleFactory>

namespace zorbal::ui::qt {

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
    QApplication::setPalette(palette);

    // Metric-compatible with the design's fonts first, then what every Linux desktop has.
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"),
                      QStringLiteral("Helvetica"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(8.25);
    font.setStyleHint(QFont::SansSerif);
    application.setFont(font);
}

} // namespace zorbal::ui::qt
