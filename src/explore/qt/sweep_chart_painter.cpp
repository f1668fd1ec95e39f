// SPDX-License-Identifier: MIT
// Painting a sweep chart: its display list, painted by the painter the graphs use.
#include "explore/qt/sweep_chart_painter.h"

#include "platform/qt/surface_painter.h"

namespace zorbal::explore::qt {

TextWidth painterTextWidth() {
    return [](std::string_view text, double fontPx, bool isBold) {
        return platform::qt::textWidthPx(text, fontPx, isBold);
    };
}

QImage renderSweepChart(const SweepChart& chart) {
    if (chart.width <= 0 || chart.height <= 0)
        return {};
    platform::DrawingSurface surface;
    drawSweepChart(chart, surface);
    return platform::qt::renderSurface(surface, QSize(chart.width, chart.height));
}

} // namespace zorbal::explore::qt
