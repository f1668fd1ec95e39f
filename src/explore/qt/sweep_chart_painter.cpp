// SPDX-License-Identifier: MIT
// Painting a sweep chart with QPainter.
#include "explore/qt/sweep_chart_painter.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace zorbal::explore::qt {

namespace {

/// The hatch over refused cells.
const QColor kHatch(128, 128, 128);

QColor colourOf(platform::Color c) {
    return QColor(platform::redOf(c), platform::greenOf(c), platform::blueOf(c));
}

QFont fontOf(double px, bool isBold) {
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(std::max(1, static_cast<int>(std::lround(px))));
    font.setBold(isBold);
    return font;
}

QRect pixelRect(const ChartRect& r) {
    return QRect(static_cast<int>(std::lround(r.left)), static_cast<int>(std::lround(r.top)),
                 static_cast<int>(std::lround(r.width)), static_cast<int>(std::lround(r.height)));
}

void paintField(QPainter& painter, const ChartField& field) {
    const QBrush hatch(kHatch, Qt::BDiagPattern);
    for (std::size_t row = 0; row < field.rows; ++row) {
        for (std::size_t column = 0; column < field.columns; ++column) {
            const CellState state = field.state(column, row);
            if (state == CellState::Empty)
                continue;
            const QRect cell = pixelRect(field.cell(column, row));
            painter.fillRect(cell, colourOf(field.colour(column, row)));
            if (state == CellState::Refused)
                painter.fillRect(cell, hatch);
        }
    }
}

void paintText(QPainter& painter, const ChartText& text) {
    const QFont font = fontOf(text.fontPx, text.isBold);
    const QFontMetricsF metrics(font);
    const QString content = QString::fromStdString(text.text);
    const double width = metrics.horizontalAdvance(content);
    const double height = metrics.ascent() + metrics.descent();
    double x = 0, y = 0; // upper-left corner of the text, relative to the anchor
    if (text.hAlign == HAlign::Centre)
        x = -width / 2;
    else if (text.hAlign == HAlign::Right)
        x = -width;
    if (text.vAlign == VAlign::Middle)
        y = -height / 2;
    else if (text.vAlign == VAlign::Bottom)
        y = -height;
    painter.save();
    painter.translate(text.anchor.x, text.anchor.y);
    if (text.isVertical)
        painter.rotate(-90);
    painter.setFont(font);
    painter.setPen(colourOf(text.colour));
    painter.drawText(QPointF(x, y + metrics.ascent()), content);
    painter.restore();
}

void paintMarker(QPainter& painter, const ChartMarker& marker) {
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setPen(QPen(Qt::black, 2));
    painter.setBrush(Qt::white);
    painter.drawEllipse(QPointF(marker.centre.x, marker.centre.y), marker.radius, marker.radius);
    painter.setBrush(Qt::black);
    painter.setPen(Qt::NoPen);
    const double dot = std::max(1.0, marker.radius * 0.35);
    painter.drawEllipse(QPointF(marker.centre.x, marker.centre.y), dot, dot);
    painter.setRenderHint(QPainter::Antialiasing, false);
    if (marker.label.empty())
        return;
    painter.setPen(QPen(Qt::black, 1));
    painter.setBrush(QColor(255, 255, 255, 235));
    painter.drawRect(pixelRect(marker.labelBox));
    painter.setBrush(Qt::NoBrush);
    for (const auto& text : marker.label)
        paintText(painter, text);
}

} // namespace

TextWidth painterTextWidth() {
    return [](std::string_view text, double fontPx, bool isBold) {
        const QFontMetricsF metrics(fontOf(fontPx, isBold));
        return metrics.horizontalAdvance(QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())));
    };
}

QImage renderSweepChart(const SweepChart& chart) {
    if (chart.width <= 0 || chart.height <= 0)
        return {};
    QImage image(chart.width, chart.height, QImage::Format_RGB32);
    image.fill(colourOf(chart.background));
    QPainter painter(&image);

    for (const auto& field : chart.fields)
        paintField(painter, field);

    for (const auto& line : chart.lines) {
        QPen pen(colourOf(line.colour), line.width);
        if (line.isDashed)
            pen.setStyle(Qt::DashLine);
        painter.setPen(pen);
        painter.drawLine(QPointF(line.from.x, line.from.y), QPointF(line.to.x, line.to.y));
    }

    painter.setRenderHint(QPainter::Antialiasing, true);
    for (const auto& curve : chart.curves) {
        const QColor colour = colourOf(curve.colour);
        if (curve.points.size() == 1) {
            painter.setPen(Qt::NoPen);
            painter.setBrush(colour);
            painter.drawEllipse(QPointF(curve.points[0].x, curve.points[0].y), curve.width * 1.5,
                                curve.width * 1.5);
            continue;
        }
        QPainterPath path(QPointF(curve.points[0].x, curve.points[0].y));
        for (std::size_t i = 1; i < curve.points.size(); ++i)
            path.lineTo(curve.points[i].x, curve.points[i].y);
        QPen pen(colour, curve.width);
        pen.setJoinStyle(Qt::RoundJoin);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawPath(path);
    }
    painter.setRenderHint(QPainter::Antialiasing, false);

    for (const auto& text : chart.texts)
        paintText(painter, text);
    for (const auto& marker : chart.markers)
        paintMarker(painter, marker);
    return image;
}

} // namespace zorbal::explore::qt
