// SPDX-License-Identifier: MIT
// Painting a sweep chart into an image: the chart's display list (drawSweepChart) painted by the
// display-list painter of platform/qt, nothing decided here.
#pragma once

#include "explore/sweep_chart.h"

#include <QImage>

namespace zorbal::explore::qt {

/// Measures texts in the font renderSweepChart writes them in (that of the display list's Text
/// entries). Needs a QGuiApplication.
TextWidth painterTextWidth();

/// Paints `chart` into a new image of chart.width x chart.height pixels (Format_RGB32): the
/// background, the fields (refused cells grey and hatched, cells that did not land dark grey),
/// the lines, the curves, the texts, then the markers with their labels. Needs a QGuiApplication
/// (the offscreen platform will do). An empty size gives a null image.
QImage renderSweepChart(const SweepChart& chart);

} // namespace zorbal::explore::qt
