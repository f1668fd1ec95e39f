// SPDX-License-Identifier: MIT
// The Investigate window's jobs from the click of a run button to the result shown, on two
// threads: a 100 x 100 map through runJob and the model's finish, the chart laid out and drawn
// (target: 1 s); a 1,000-run scatter with its picture (target: 0.5 s); a fit of the drag factor
// to a measured height and duration (target: 0.3 s).
#include "explore/best.h"
#include "investigate/investigate.h"
#include "platform/headless.h"
#include "ui/zorbal.h"

#include <benchmark/benchmark.h>

#include <string>

namespace {

using zorbal::investigate::Investigator;
using zorbal::ui::FormEvent;

std::string defaultDesign() {
    zorbal::platform::HeadlessPlatform platform;
    zorbal::ui::Zorbal window(platform.services());
    window.Form_Load();
    return zorbal::explore::designFileText(window);
}

/// Clicks `button`, runs the job asked for on two threads and hands the result back.
void runOnce(benchmark::State& state, Investigator& model, const char* button) {
    model.act(FormEvent::Click, button);
    auto job = model.takeJob();
    if (!job) {
        state.SkipWithError("no job was asked for");
        return;
    }
    model.finish(zorbal::investigate::runJob(*job, 2, {}, &model.cancelFlag()));
}

void map100x100(benchmark::State& state) {
    zorbal::platform::HeadlessPlatform platform;
    Investigator model(platform.services());
    model.open(defaultDesign());
    model.act(FormEvent::Input, "cboVary_0", "3"); // pressure
    model.act(FormEvent::Input, "txtSteps_0", "100");
    model.act(FormEvent::Input, "cboVary_1", "2"); // (none) first: the filling factor
    model.act(FormEvent::Input, "txtSteps_1", "100");
    for (auto _ : state)
        runOnce(state, model, "cmdVaryRun");
    state.counters["primitives"] = static_cast<double>(model.surface("picVary").primitives().size());
}
BENCHMARK(map100x100)->Unit(benchmark::kMillisecond)->UseRealTime();

void scatter1000(benchmark::State& state) {
    zorbal::platform::HeadlessPlatform platform;
    Investigator model(platform.services());
    model.open(defaultDesign());
    for (auto _ : state)
        runOnce(state, model, "cmdScatterRun");
    state.counters["primitives"] = static_cast<double>(model.surface("picScatter").primitives().size());
}
BENCHMARK(scatter1000)->Unit(benchmark::kMillisecond)->UseRealTime();

void fitDragFactor(benchmark::State& state) {
    zorbal::platform::HeadlessPlatform platform;
    Investigator model(platform.services());
    model.open(defaultDesign());
    model.act(FormEvent::Input, "txtMeasured_0", "4.58");
    model.act(FormEvent::Input, "txtUncertainty_0", "0.23");
    model.act(FormEvent::Input, "txtMeasured_1", "25.58");
    model.act(FormEvent::Input, "txtUncertainty_1", "1.3");
    for (auto _ : state)
        runOnce(state, model, "cmdFit");
}
BENCHMARK(fitDragFactor)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
