// SPDX-License-Identifier: MIT
// A 100 x 100 sweep of the default design (filling factor x pressure) on one core and on two.
#include "explore/sweep.h"

#include <benchmark/benchmark.h>

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

} // namespace
