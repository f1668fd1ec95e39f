// SPDX-License-Identifier: MIT
// A 1,000-run scatter of the default design with the default spreads (target: 0.5 s on the
// desktop), and a fit of the drag factor to a measured height and duration (target: 0.3 s).
#include "explore/fit.h"
#include "explore/scatter.h"

#include <benchmark/benchmark.h>

namespace {

void scatter1000(benchmark::State& state) {
    zorbal::explore::ScatterRequest request;
    request.spreads = zorbal::explore::defaultSpreads();
    request.runs = 1000;
    request.seed = 7;
    zorbal::explore::SweepOptions options;
    options.threads = static_cast<int>(state.range(0));
    std::size_t landed = 0;
    for (auto _ : state)
        landed = zorbal::explore::scatter(request, options).landed;
    state.counters["landed"] = static_cast<double>(landed);
}
BENCHMARK(scatter1000)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

void fitDragFactor(benchmark::State& state) {
    zorbal::explore::FitRequest request;
    request.input = 6;
    request.measurements = {{zorbal::explore::Figure::Height, 25.58, 1.3},
                            {zorbal::explore::Figure::Duration, 4.58, 0.23}};
    zorbal::explore::SweepOptions options;
    options.threads = static_cast<int>(state.range(0));
    int flights = 0;
    for (auto _ : state)
        flights = zorbal::explore::fitMeasured(request, options).flights;
    state.counters["flights"] = flights;
}
BENCHMARK(fitDragFactor)->ArgName("threads")->Arg(1)->Arg(2)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
