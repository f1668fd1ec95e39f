// SPDX-License-Identifier: MIT
// What several benchmarks start from: a started window on headless services, and the reference
// designs the tests fly too.
#pragma once

#include "platform/headless.h"
#include "sim/flight.h"
#include "support/reference_designs.h"
#include "ui/zorbal.h"

#include <benchmark/benchmark.h>

#include <cstddef>
#include <utility>
#include <vector>

namespace zorbal::bench {

/// The window after start-up, with recording services.
struct Window {
    Window() : window(platform.services()) { window.Form_Load(); }
    platform::HeadlessPlatform platform;
    ui::Zorbal window;
};

using reference::Design;
using reference::typeDesign;
using reference::worstRealisticDesign;
using reference::worstRealisticInputs;

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
