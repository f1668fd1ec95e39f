// SPDX-License-Identifier: MIT
// Building the exports of the longest realistic flight, the history export of a long run, and
// fixed-decimal text.
#include "bench_designs.h"
#include "files/export_text.h"
#include "platform/number_text.h"
#include "sim/flight.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <iterator>
#include <utility>

namespace {

using zorbal::bench::Window;
using zorbal::ui::Zorbal;

// Flies the worst realistic design (BM_WorstRealisticFlight in flight_bench.cpp) into slot 0 of
// the window's record (LaunchCount 0).
void flyWorstFlight(Zorbal& w) {
    zorbal::bench::worstRealisticDesign(w);
    w.AssignParameters();
    w.CalculateLaunchParameters();
    zorbal::sim::FlightSettings settings;
    settings.triggerByAngle = w.optParachute[0].Value;
    zorbal::sim::startFlight(w.Rocket);
    zorbal::sim::integrateFlight(w.Rocket, settings, w.TrajectoryData.slot(0));
}

void BM_TrajectoryExportText(benchmark::State& state) {
    Window w;
    flyWorstFlight(w.window);
    const auto& slot = w.window.TrajectoryData.slot(0);
    const char separator = state.range(0) ? zorbal::files::kCommaSeparator : zorbal::files::kTabSeparator;
    std::size_t bytes = 0;
    for (auto _ : state) {
        const std::string text = zorbal::files::trajectoryExportText(slot, separator);
        bytes = text.size();
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["samples"] = slot.count();
    state.counters["bytes"] = static_cast<double>(bytes);
}

// A longer record than any realistic flight (the flight code expects up to about 180,000 steps),
// made of the worst flight's samples over again.
void BM_TrajectoryExportLongRecord(benchmark::State& state) {
    Window w;
    flyWorstFlight(w.window);
    const auto& flight = w.window.TrajectoryData.slot(0);
    zorbal::sim::TrajectorySlot slot;
    const auto samples = static_cast<std::size_t>(state.range(0));
    for (std::size_t i = 0; i < samples; ++i)
        slot.samples.push_back(flight.samples[i % flight.samples.size()]);
    for (auto _ : state) {
        const std::string text = zorbal::files::trajectoryExportText(slot, zorbal::files::kTabSeparator);
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["samples"] = slot.count();
}

// The whole "Copy" button: text, clipboard, message.
void BM_TrajectoryCopyButton(benchmark::State& state) {
    Window w;
    flyWorstFlight(w.window);
    for (auto _ : state) {
        w.window.cmdCopy_Click();
        benchmark::DoNotOptimize(w.platform.clipboard.text.data());
        w.platform.messageBox.messages.clear();
    }
    state.counters["samples"] = w.window.TrajectoryData.slot(0).count();
}

void BM_HistoryExportText(benchmark::State& state) {
    const int launches = static_cast<int>(state.range(0));
    zorbal::platform::Grid grid(launches + 2, 18, 2, 1);
    for (int row = 1; row < grid.Rows(); ++row)
        for (int col = 0; col < 18; ++col) {
            grid.Row = row;
            grid.Col = col;
            grid.setText(col == 17 ? "1,234.56" : "12.34");
        }
    for (auto _ : state) {
        const std::string text =
            zorbal::files::historyExportText(grid, launches, zorbal::files::kCommaSeparator);
        benchmark::DoNotOptimize(text.data());
    }
}

} // namespace

// Fixed-decimal text as a launch writes it into the result boxes, the history and the
// commentary (about 47 calls a launch): ten calls an iteration, items are calls.
void BM_FixedText(benchmark::State& state) {
    const std::pair<double, int> values[] = {{4.3012, 2},  {22.6034, 2}, {51.6123, 2}, {0.0931, 3},
                                             {30.7456, 1}, {141.53, 1},  {0.5, 2},     {1234.567, 2},
                                             {-19.04, 1},  {3.0, 1}};
    for (auto _ : state)
        for (const auto& [value, digits] : values)
            benchmark::DoNotOptimize(zorbal::platform::fixedText(value, digits));
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(std::size(values)));
}

BENCHMARK(BM_TrajectoryExportText)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrajectoryExportLongRecord)->Arg(132000)->Arg(180000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_TrajectoryCopyButton)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_HistoryExportText)->Arg(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FixedText);
