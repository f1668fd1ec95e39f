// SPDX-License-Identifier: MIT
// What a flight costs against its number of steps: the endless flight (a light rocket held aloft
// by its parachute) cut after 1,000 to 1,000,000 steps, recorded but not drawn; and whole launches
// through the window (drawing, history, commentary) of designs from 609 to 1,000,000 steps.
#include "bench_designs.h"

#include <benchmark/benchmark.h>

#include <memory>
#include <utility>
#include <vector>

namespace {

using zorbal::bench::Design;
using zorbal::bench::Window;
using zorbal::ui::Zorbal;

struct NamedDesign {
    const char* name;
    Design inputs;
    bool rail, parachute;
};

/// Designs whose flights take from a few hundred to a million steps (the parachute ones trigger
/// by angle).
const std::vector<NamedDesign>& designs() {
    static const std::vector<NamedDesign> all = {
        {"10 mm nozzle, no rail", {{4, "10"}}, false, false},
        {"default design", {}, false, false},
        {"largest rocket, no drag", {{0, "20"}, {3, "7"}, {4, "30"}, {6, "0"}, {7, "90"}}, false, false},
        {"worst realistic design", zorbal::bench::worstRealisticInputs(), false, true},
        {"endless flight, stopped at the bound",
         {{0, "20"},
          {1, "1"},
          {2, "75"},
          {3, "7"},
          {4, "30"},
          {5, "10"},
          {6, "0"},
          {9, "100"},
          {7, "90"},
          {11, "0"},
          {13, "1"}},
         false,
         true},
    };
    return all;
}

void setDesign(Zorbal& w, const NamedDesign& design) {
    w.chkOptions[2].setValue(design.rail ? 1 : 0);
    w.chkOptions[3].setValue(design.parachute ? 1 : 0);
    w.optParachute.select(0);
    zorbal::bench::typeDesign(w, design.inputs);
}

void stepCounters(benchmark::State& state, int steps) {
    state.counters["steps"] = steps;
    // Seconds per step, shown in ns: flat across the sweep when time is proportional to steps.
    state.counters["per_step"] =
        benchmark::Counter(static_cast<double>(steps),
                           benchmark::Counter::kIsIterationInvariantRate | benchmark::Counter::kInvert);
}

// The endless flight, recorded but not drawn, stopped after state.range(0) steps.
void BM_FlightSteps(benchmark::State& state) {
    Window w;
    setDesign(w.window, designs().back());
    w.window.AssignParameters();
    w.window.CalculateLaunchParameters();
    zorbal::sim::FlightSettings settings;
    settings.triggerByAngle = true;
    settings.maxSteps = static_cast<int>(state.range(0));
    stepCounters(state, zorbal::bench::flyRecordedRepeatedly(state, w.window.Rocket, settings));
}

// "Launch!" through the window, drawing and all; the window is renewed every 30 launches so the
// history stays the length of a lesson.
void BM_WindowLaunchSteps(benchmark::State& state) {
    const auto& design = designs()[static_cast<std::size_t>(state.range(0))];
    state.SetLabel(design.name);
    auto w = std::make_unique<Window>();
    setDesign(w->window, design);
    int launches = 0;
    for (auto _ : state) {
        if (++launches % 30 == 0) {
            state.PauseTiming();
            w = std::make_unique<Window>();
            setDesign(w->window, design);
            state.ResumeTiming();
        }
        w->window.cmdLaunch_Click();
        benchmark::DoNotOptimize(w->window.LaunchCount);
    }
    stepCounters(state, w->window.LastFlight.steps);
}

} // namespace

BENCHMARK(BM_FlightSteps)->RangeMultiplier(10)->Range(1000, 1000000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WindowLaunchSteps)->DenseRange(0, 4)->Unit(benchmark::kMillisecond);
