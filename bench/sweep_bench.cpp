// SPDX-License-Identifier: MIT
// A 100 x 100 sweep of the default design (filling factor x pressure) on one core and on two, and
// the peak memory of a sweep of flights that never land, on 32 threads.
#include "explore/sweep.h"
#include "support/reference_designs.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>

namespace {

zorbal::explore::SweepGrid fillingFactorByPressure() {
    // Filling factor 1 % to 98.02 % and pressure 0.07 to 7 atmospheres, 100 values each: the
    // whole design range, with the designs the window refuses (too little air, too low a
    // pressure) among them as in any real sweep.
    zorbal::explore::VaryAxis fill, pressure;
    zorbal::explore::VaryAxis::parse("1=1:98.02:0.98", fill);
    zorbal::explore::VaryAxis::parse("3=0.07:7:0.07", pressure);
    zorbal::explore::SweepGrid grid;
    zorbal::explore::SweepGrid::make({fill, pressure}, grid);
    return grid;
}

void sweep100x100(benchmark::State& state) {
    const auto grid = fillingFactorByPressure();
    zorbal::explore::SweepOptions options;
    options.threads = static_cast<int>(state.range(0));
    std::size_t flown = 0;
    for (auto _ : state) {
        flown = 0;
        zorbal::explore::runSweep(grid, options, [&flown](zorbal::explore::SweepRow&& row) {
            flown += row.outcome == zorbal::explore::Outcome::Flown ? 1 : 0;
        });
    }
    state.counters["designs"] = static_cast<double>(grid.size());
    state.counters["flown"] = static_cast<double>(flown);
}
BENCHMARK(sweep100x100)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

/// The peak resident memory of the process so far, in MiB ("VmHWM" of /proc/self/status).
double peakMiB() {
    std::ifstream status("/proc/self/status");
    std::string name;
    double kiB = 0;
    while (status >> name) {
        if (name == "VmHWM:") {
            status >> kiB;
            return kiB / 1024;
        }
        std::getline(status, name);
    }
    return 0;
}

/// 33 designs that are still climbing under the parachute when the flight is stopped after a
/// million steps, asked for on 32 threads. The peak must stay under 100 MiB: each worker keeps no
/// more of a flight than its latest sample. Run it alone for a clean figure:
/// --benchmark_filter=stepBoundSweepPeakMemory.
void stepBoundSweepPeakMemory(benchmark::State& state) {
    zorbal::explore::VaryAxis railLength;
    zorbal::explore::VaryAxis::parse("8=0.1:0.42:0.01", railLength);
    zorbal::explore::SweepGrid grid;
    zorbal::explore::SweepGrid::make({railLength}, grid);
    zorbal::explore::SweepOptions options;
    options.threads = 32;
    options.setDesign = zorbal::reference::stepBoundDesign;
    std::size_t stopped = 0;
    for (auto _ : state) {
        stopped = 0;
        zorbal::explore::runSweep(grid, options, [&stopped](zorbal::explore::SweepRow&& row) {
            stopped += row.outcome == zorbal::explore::Outcome::StepLimit ? 1 : 0;
        });
    }
    state.counters["designs"] = static_cast<double>(grid.size());
    state.counters["step_limit"] = static_cast<double>(stopped);
    state.counters["workers"] = zorbal::explore::workerCount(options.threads, grid.size());
    state.counters["peak_MiB"] = peakMiB();
}
BENCHMARK(stepBoundSweepPeakMemory)->Iterations(1)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
