// SPDX-License-Identifier: MIT
// Wall time of one press of "Hide Help" / "Show Help": the animation must end within half a
// second however slowly the window repaints between its one-twip steps.
#include "platform/headless.h"
#include "ui/zorbal.h"

#include <benchmark/benchmark.h>

#include <chrono>
#include <thread>

namespace {

using zorbal::ui::Zorbal;

/// Processing the pending events takes as long as a repaint of the resized window would.
class SlowEventPump final : public zorbal::platform::EventPump {
  public:
    explicit SlowEventPump(std::chrono::microseconds repaint) : m_repaint(repaint) {}
    void doEvents() override { std::this_thread::sleep_for(m_repaint); }

  private:
    std::chrono::microseconds m_repaint;
};

/// One press on a started window whose repaint after each step takes `range(0)` microseconds.
void BM_HelpPanelPress(benchmark::State& state) {
    zorbal::platform::HeadlessPlatform platform;
    platform.windowFrame.roundTo = 15; // whole pixels at 96 dots per inch
    SlowEventPump pump{std::chrono::microseconds(state.range(0))};
    auto services = platform.services();
    services.eventPump = &pump;
    Zorbal window(services);
    window.Form_Load();
    for (auto _ : state)
        window.cmdShowHelp_Click(0);
    if (platform.windowFrame.width != zorbal::ui::kWidthWithHelp &&
        platform.windowFrame.width != zorbal::ui::kWidthWithoutHelp)
        state.SkipWithError("the animation did not rest on a designed width");
}
// No repaint cost, a fast repaint, and one frame of a 60 Hz display per step.
BENCHMARK(BM_HelpPanelPress)->Arg(0)->Arg(100)->Arg(16667)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
