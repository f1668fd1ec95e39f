// SPDX-License-Identifier: MIT
// Laying out and painting the map of a 100 x 100 sweep, from rows flown beforehand.
#include "explore/qt/sweep_chart_painter.h"
#include "platform/number_text.h"

#include <benchmark/benchmark.h>

#include <cmath>

namespace {

using namespace zorbal;

/// Filling factor 0.5 to 99.5 % by pressure 0.07 to 7 atmospheres: ranges on a smooth hill with the
/// lowest pressures at small fillings refused, as a real sweep looks.
struct HundredByHundred {
    explore::SweepGrid grid;
    std::vector<explore::SweepRow> rows;

    HundredByHundred() {
        explore::VaryAxis fill, pressure;
        explore::VaryAxis::parse("1=0.5:99.5:1", fill);
        explore::VaryAxis::parse("3=0.07:7:0.07", pressure);
        explore::SweepGrid::make({fill, pressure}, grid);
        rows.resize(grid.size());
        for (std::size_t i = 0; i < grid.size(); ++i) {
            const auto at = grid.position(i);
            const double f = fill.value(at[0]) / 100, p = pressure.value(at[1]);
            auto& row = rows[i];
            row.index = i;
            if (p < 2 * f) {
                row.outcome = explore::Outcome::Refused;
                continue;
            }
            row.outcome = explore::Outcome::Flown;
            row.rangeMetres = 12 * p * std::sin(3.1 * f) + 0.5 * p * p;
            row.maxHeight = row.rangeMetres / 2;
            row.flightTime = std::sqrt(row.maxHeight) * 0.9;
            row.range = platform::fixedText(row.rangeMetres, 2);
            row.height = platform::fixedText(row.maxHeight, 2);
            row.duration = platform::fixedText(row.flightTime, 2);
        }
    }
};

const HundredByHundred& sweep() {
    static const HundredByHundred instance;
    return instance;
}

// What `sweep --plot` does after the last design flew: the layout, with the painter's text
// measurement, and the picture at the default size.
void BM_SweepMap100x100(benchmark::State& state) {
    const auto& s = sweep();
    explore::SweepChartRequest request;
    request.textWidth = explore::qt::painterTextWidth();
    request.fixedDesign = {"Volume of bottle 2 litres",
                           "Density of liquid 1000 kg/m^3",
                           "Nozzle Diameter 21 millimetres",
                           "Mass of empty rocket 100 grammes",
                           "Drag Factor 0.3",
                           "Launch Angle 45 degrees",
                           "no launch rail",
                           "no parachute"};
    for (auto _ : state) {
        const auto chart = explore::buildSweepChart(s.grid, s.rows, request);
        const QImage image = explore::qt::renderSweepChart(chart);
        benchmark::DoNotOptimize(image.constBits());
    }
    state.counters["cells"] = static_cast<double>(s.grid.size());
}
BENCHMARK(BM_SweepMap100x100)->Unit(benchmark::kMillisecond);

// The same map on a picture nine times as large.
void BM_SweepMap100x100Large(benchmark::State& state) {
    const auto& s = sweep();
    explore::SweepChartRequest request;
    request.width = 2400;
    request.height = 1800;
    request.textWidth = explore::qt::painterTextWidth();
    for (auto _ : state) {
        const QImage image = explore::qt::renderSweepChart(explore::buildSweepChart(s.grid, s.rows, request));
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_SweepMap100x100Large)->Unit(benchmark::kMillisecond);

} // namespace
