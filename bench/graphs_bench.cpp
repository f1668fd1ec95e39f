// SPDX-License-Identifier: MIT
// Drawing and painting the trajectory graph of the worst realistic flight over nine earlier launches.
#include "bench_designs.h"
#include "platform/qt/surface_painter.h"

#include <benchmark/benchmark.h>

namespace {

using zorbal::ui::Zorbal;

/// The trajectory picture's designed size at 96 dots per inch (10575 x 5535 twips).
const QSize kTrajectoryPixels{705, 369};
/// The velocity picture's designed size at 96 dots per inch (10815 x 5775 twips).
const QSize kVelocityPixels{721, 385};

/// A window that has launched the worst realistic design ten times: a long parachute descent of
/// about 111,000 steps, drawn over nine earlier launches of the same length.
struct TenLaunches : zorbal::bench::Window {
    TenLaunches() {
        zorbal::bench::worstRealisticDesign(window);
        for (int i = 0; i < 10; ++i)
            window.cmdLaunch_Click();
    }
};

TenLaunches& launched() {
    static TenLaunches instance;
    return instance;
}

void counters(benchmark::State& state, const zorbal::platform::DrawingSurface& surface) {
    state.counters["points"] = static_cast<double>(surface.pointCount());
    state.counters["entries"] = static_cast<double>(surface.primitives().size());
    state.counters["steps"] = launched().window.LastFlight.steps;
}

// The frame, the nine earlier launches and the new flight recorded into the display list.
void BM_DrawTrajectoryDisplayList(benchmark::State& state) {
    Zorbal& w = launched().window;
    for (auto _ : state) {
        w.ScaleXYGraph();
        w.PlotEarlierLaunches();
        w.PlotTrajectory();
        benchmark::DoNotOptimize(w.pctXYGraph.revision());
    }
    counters(state, w.pctXYGraph);
}

// Painting the recorded trajectory picture, as the canvas widget does after the flight.
void BM_PaintTrajectory(benchmark::State& state) {
    const auto& surface = launched().window.pctXYGraph;
    const double ratio = static_cast<double>(state.range(0));
    for (auto _ : state) {
        QImage image = zorbal::platform::qt::renderSurface(surface, kTrajectoryPixels, ratio);
        benchmark::DoNotOptimize(image.constBits());
    }
    counters(state, surface);
}

void BM_PaintVelocities(benchmark::State& state) {
    const auto& surface = launched().window.pctVTgraph;
    for (auto _ : state) {
        QImage image = zorbal::platform::qt::renderSurface(surface, kVelocityPixels);
        benchmark::DoNotOptimize(image.constBits());
    }
    counters(state, surface);
}

} // namespace

BENCHMARK(BM_DrawTrajectoryDisplayList)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintTrajectory)->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_PaintVelocities)->Unit(benchmark::kMillisecond);
