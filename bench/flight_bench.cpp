// SPDX-License-Identifier: MIT
// The flight and the optimiser, without drawing.
#include "platform/headless.h"
#include "sim/flight.h"
#include "ui/zorbal.h"

#include <benchmark/benchmark.h>

namespace {

using zorbal::ui::Zorbal;

struct Window {
    Window() : window(platform.services()) { window.Form_Load(); }
    zorbal::platform::HeadlessPlatform platform;
    Zorbal window;
};

void worstRealisticDesign(Zorbal& w) {
    const char* texts[] = {"20", "75.83", "1136", "7", "30", "50", "6.074", "90"};
    const int boxes[] = {0, 1, 2, 3, 4, 5, 6, 7};
    for (int i = 0; i < 8; ++i)
        w.txtInput[boxes[i]].Text = texts[i];
    w.chkOptions[3].setValue(1);
    w.optParachute.select(0);
    w.txtInput[11].Text = "0";
    w.txtInput[13].Text = "1";
}

// One flight recorded into the trajectory record, not drawn.
void flyRecorded(benchmark::State& state, void (*design)(Zorbal&)) {
    Window w;
    if (design)
        design(w.window);
    w.window.AssignParameters();
    w.window.CalculateLaunchParameters();
    const zorbal::sim::LaunchRecord start = w.window.Rocket;
    zorbal::sim::TrajectorySlot slot;
    zorbal::sim::FlightSettings settings;
    settings.triggerByAngle = w.window.optParachute[0].Value;
    int steps = 0;
    for (auto _ : state) {
        zorbal::sim::LaunchRecord rocket = start;
        zorbal::sim::startFlight(rocket);
        steps = zorbal::sim::integrateFlight(rocket, settings, slot).steps;
        benchmark::DoNotOptimize(rocket.Range);
    }
    state.counters["steps"] = steps;
}

void BM_DefaultFlight(benchmark::State& state) { flyRecorded(state, nullptr); }
void BM_WorstRealisticFlight(benchmark::State& state) { flyRecorded(state, worstRealisticDesign); }

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
