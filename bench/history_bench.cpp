// SPDX-License-Identifier: MIT
// The launch history table: writing a run of 1,000 launches with their highlighting.
#include "history/history_table.h"

#include <benchmark/benchmark.h>

namespace {

namespace history = zorbal::history;

std::array<std::string, history::kColumnCount> launchTexts(int n) {
    history::LaunchEntry e;
    e.launchNumber = n;
    e.inputs = {"2.00", "30.0", "1000", "3.0", "22", "100", "10.0",
                "60",   "0.50", "70",   "0.0", "0",  "3.0", "0.50"};
    e.inputs[10] = n % 3 == 0 ? "2" : "0.0"; // a wind that keeps changing
    e.flightTime = "4.30";
    e.maxHeight = std::to_string(20 + n % 7) + ".00";
    e.range = std::to_string(40 + (n * 37) % 50) + ".25";
    return history::launchRowTexts(e);
}

// 1,000 launches into a fresh table, as AddLaunchtoFlexgrid writes them (with its marks).
void thousandLaunches(benchmark::State& state, bool isRemembering) {
    constexpr int kLaunches = 1000;
    std::vector<std::array<std::string, history::kColumnCount>> rows;
    for (int n = 1; n <= kLaunches; ++n)
        rows.push_back(launchTexts(n));
    for (auto _ : state) {
        zorbal::platform::Grid grid;
        history::prepareGrid(grid);
        history::Marks marks;
        for (int n = 1; n <= kLaunches; ++n)
            history::addLaunch(grid, n, rows[static_cast<std::size_t>(n - 1)],
                               isRemembering ? &marks : nullptr);
        benchmark::DoNotOptimize(grid.revision());
    }
    state.counters["per_launch"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * kLaunches,
                           benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void BM_HistoryThousandLaunches(benchmark::State& state) {
    thousandLaunches(state, true);
}
void BM_HistoryThousandLaunchesEveryRowReexamined(benchmark::State& state) {
    thousandLaunches(state, false);
}

BENCHMARK(BM_HistoryThousandLaunches)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryThousandLaunchesEveryRowReexamined)->Unit(benchmark::kMillisecond);

} // namespace
