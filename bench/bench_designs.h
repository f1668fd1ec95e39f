// SPDX-License-Identifier: MIT
// What several benchmarks start from: a started window on headless services, and designs typed
// into its boxes.
#pragma once

#include "platform/headless.h"
#include "sim/flight.h"
#include "ui/zorbal.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace zorbal::bench {

/// A design as the texts typed into the input boxes: (box index, text) pairs.
using Design = std::vector<std::pair<int, const char*>>;

/// The window after start-up, with recording services.
struct Window {
    Window() : window(platform.services()) { window.Form_Load(); }
    platform::HeadlessPlatform platform;
    ui::Zorbal window;
};

/// The inputs of the worst realistic design: a 20 litre bottle at 7 atmospheres with a 30 mm
/// nozzle, straight up, the parachute opening at the top (angle 0) with a 1 m diameter.
inline const Design& worstRealisticInputs() {
    static const Design inputs = {{0, "20"}, {1, "75.83"}, {2, "1136"}, {3, "7"},  {4, "30"},
                                  {5, "50"}, {6, "6.074"}, {7, "90"},   {11, "0"}, {13, "1"}};
    return inputs;
}

/// Types `design` into the window's input boxes.
inline void typeDesign(ui::Zorbal& w, const Design& design) {
    for (const auto& [index, text] : design)
        w.txtInput[static_cast<std::size_t>(index)].Text = text;
}

/// The worst realistic design with its parachute on, triggered by angle: a long parachute
/// descent of about 111,000 recorded steps.
inline void worstRealisticDesign(ui::Zorbal& w) {
    typeDesign(w, worstRealisticInputs());
    w.chkOptions[3].setValue(1);
    w.optParachute.select(0);
}

/// Flies `start` again on every iteration of `state`, recorded into one slot and not drawn;
/// returns the steps of the flight.
inline int flyRecordedRepeatedly(benchmark::State& state, const sim::LaunchRecord& start,
                                 const sim::FlightSettings& settings) {
    sim::TrajectorySlot slot;
    int steps = 0;
    for (auto _ : state) {
        sim::LaunchRecord rocket = start;
        sim::startFlight(rocket);
        steps = sim::integrateFlight(rocket, settings, slot).steps;
        benchmark::DoNotOptimize(rocket.Range);
    }
    return steps;
}

} // namespace zorbal::bench
