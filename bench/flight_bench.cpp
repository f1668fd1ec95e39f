// SPDX-License-Identifier: MIT
// The flight and the optimiser, without drawing.
#include "bench_designs.h"
#include "sim/flight.h"

#include <benchmark/benchmark.h>

namespace {

using zorbal::bench::Window;
using zorbal::ui::Zorbal;

// One flight recorded into the trajectory record, not drawn.
void flyRecorded(benchmark::State& state, void (*design)(Zorbal&)) {
    Window w;
    if (design)
        design(w.window);
    w.window.AssignParameters();
    w.window.CalculateLaunchParameters();
    zorbal::sim::FlightSettings settings;
    settings.triggerByAngle = w.window.optParachute[0].Value;
    state.counters["steps"] = zorbal::bench::flyRecordedRepeatedly(state, w.window.Rocket, settings);
}

void BM_DefaultFlight(benchmark::State& state) {
    flyRecorded(state, nullptr);
}
void BM_WorstRealisticFlight(benchmark::State& state) {
    flyRecorded(state, zorbal::bench::worstRealisticDesign);
}

void BM_Optimiser(benchmark::State& state) {
    Window w;
    for (auto _ : state) {
        w.window.txtInput[1].Text = "30.0";
        w.window.cmdOptimise_Click();
        benchmark::DoNotOptimize(w.window.txtInput[1].Text);
    }
}

} // namespace

BENCHMARK(BM_DefaultFlight)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_WorstRealisticFlight)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_Optimiser)->Unit(benchmark::kMicrosecond);
