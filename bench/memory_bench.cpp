// SPDX-License-Identifier: MIT
// Peak memory of the desktop program after 1,000 launches, on Qt's offscreen platform: the main
// window shown, "Launch!" clicked a thousand times with the window repainting after each. Run each
// benchmark in its own process (--benchmark_filter), since the peak counts the whole process.
#include "bench_designs.h"
#include "platform/headless.h"
#include "platform/qt/qt_services.h"
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QPushButton>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <fstream>
#include <string>
#include <utility>
#include <vector>

namespace {

using zorbal::ui::qt::MainWindow;

/// A line of /proc/self/status in MiB ("VmHWM" is the peak resident memory).
double statusMiB(const std::string& key) {
    std::ifstream status("/proc/self/status");
    std::string name;
    double kiB = 0;
    while (status >> name) {
        if (name == key + ":") {
            status >> kiB;
            return kiB / 1024;
        }
        std::getline(status, name);
    }
    return 0;
}

void thousandLaunches(benchmark::State& state, const std::vector<std::pair<int, const char*>>& design,
                      bool parachute) {
    constexpr int kLaunches = 1000;
    int launched = 0;
    std::size_t messages = 0;
    for (auto _ : state) {
        zorbal::platform::qt::QtPlatform platform;
        zorbal::platform::RecordingMessageBox recorded;
        MainWindow window(platform, &recorded);
        window.load();
        window.show();
        while (!window.windowHandle() || !window.windowHandle()->isExposed())
            QCoreApplication::processEvents();
        for (const auto& [index, text] : design)
            window.model().txtInput[static_cast<std::size_t>(index)].Text = text;
        if (parachute) {
            window.model().chkOptions[3].setValue(1);
            window.model().optParachute.select(0);
        }
        window.refresh();
        auto* launch = window.findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
        for (int i = 0; i < kLaunches; ++i) {
            launch->click();
            QCoreApplication::processEvents();
        }
        window.repaint();
        launched = window.model().LaunchCount;
        messages = recorded.messages.size();
    }
    state.counters["launches"] = launched;
    state.counters["peak_MiB"] = statusMiB("VmHWM");
    state.counters["resident_MiB"] = statusMiB("VmRSS");
    if (messages != 0)
        state.SkipWithError("a launch showed a message");
}

void BM_PeakMemoryAfterThousandLaunches_DefaultDesign(benchmark::State& state) {
    thousandLaunches(state, {}, false);
}
BENCHMARK(BM_PeakMemoryAfterThousandLaunches_DefaultDesign)->Iterations(1)->Unit(benchmark::kSecond);

void BM_PeakMemoryAfterThousandLaunches_WorstRealisticDesign(benchmark::State& state) {
    thousandLaunches(state, zorbal::bench::worstRealisticInputs(), true);
}
BENCHMARK(BM_PeakMemoryAfterThousandLaunches_WorstRealisticDesign)->Iterations(1)->Unit(benchmark::kSecond);

} // namespace
