// SPDX-License-Identifier: MIT
// The picture of a scatter as plain geometry: each landed run a dot at its range and maximum
// height, the designed flight marked, and the 5-95 % ranges of both figures as dashed lines.
// Painted by the sweep chart's painter.
#pragma once

#include "explore/scatter.h"
#include "explore/sweep_chart.h"

#include <cstdint>
#include <vector>

namespace zorbal::explore {

struct ScatterChartRequest {
    int width = 0, height = 0; ///< pixels; 0: 800 x 600
    std::uint64_t seed = 1;    ///< for the title
    std::vector<Spread> spreads;
    TextWidth textWidth; ///< empty: an estimate of 0.6 font sizes per character
};

/// Lays out the picture of `result`, which must hold at least one landed run.
SweepChart buildScatterChart(const ScatterResult& result, const ScatterChartRequest& request);

} // namespace zorbal::explore
