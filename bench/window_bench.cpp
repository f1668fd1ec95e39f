// SPDX-License-Identifier: MIT
// The desktop program's speed as a user meets it, on Qt's offscreen platform: from start to the
// main window on screen, and from pressing "Launch!" until both graphs have been painted again.
#include "bench_designs.h"
#include "platform/qt/qt_services.h"
#include "ui/qt/main_window.h"
#include "ui/qt/splash_window.h"
#include "ui/splash.h"

#include <QApplication>
#include <QPushButton>
#include <QWindow>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

using zorbal::bench::Design;
using zorbal::ui::qt::MainWindow;

/// Processes events until the window is on screen, then paints it once more, synchronously.
void waitUntilShown(QWidget& window) {
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents();
    window.repaint();
}

/// A main window on screen with its messages recorded, and the design typed into its inputs.
struct ShownWindow {
    /// `parachuteTrigger`: -1 parachute off, 0 by angle, 1 by delay.
    explicit ShownWindow(const Design& design, int parachuteTrigger) {
        window.load();
        window.show();
        waitUntilShown(window);
        zorbal::bench::typeDesign(window.model(), design);
        if (parachuteTrigger >= 0) {
            window.model().chkOptions[3].setValue(1);
            window.model().optParachute.select(parachuteTrigger);
        }
        window.refresh();
        launch = window.findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
        trajectory = window.findChild<QWidget*>(QStringLiteral("pctXYGraph"));
        velocity = window.findChild<QWidget*>(QStringLiteral("pctVTgraph"));
    }
    zorbal::platform::qt::QtPlatform platform;
    zorbal::platform::RecordingMessageBox messages;
    MainWindow window{platform, &messages};
    QPushButton* launch = nullptr;
    QWidget* trajectory = nullptr;
    QWidget* velocity = nullptr;
};

/// From the program's start to the main window on screen: the main window's widgets, the splash
/// window with its picture painted, "OK", the start-up and the first paint of the main window.
void BM_StartupToMainWindowShown(benchmark::State& state) {
    for (auto _ : state) {
        zorbal::platform::qt::QtPlatform platform;
        zorbal::platform::RecordingMessageBox messages;
        MainWindow window(platform, &messages);
        zorbal::ui::Splash model(window.model());
        model.onShowMainWindow = [&window] {
            window.refresh();
            window.show();
        };
        zorbal::ui::qt::SplashWindow splash(model);
        splash.show();
        waitUntilShown(splash);
        splash.findChild<QPushButton*>(QStringLiteral("cmdOK"))->click();
        waitUntilShown(window);
        benchmark::DoNotOptimize(window.model().Loaded);
    }
}
BENCHMARK(BM_StartupToMainWindowShown)->Unit(benchmark::kMillisecond);

/// Presses "Launch!" and waits until the trajectory graph on screen has been repainted and the
/// velocity graph (on its own tab) has been rendered. The window is renewed every 30 launches so
/// the history table stays the length of a lesson; the earlier nine flights are redrawn as usual.
void launchToRepaint(benchmark::State& state, const Design& design, int parachuteTrigger) {
    auto shown = std::make_unique<ShownWindow>(design, parachuteTrigger);
    int launches = 0;
    for (auto _ : state) {
        if (++launches % 30 == 0) {
            state.PauseTiming();
            shown.reset();
            shown = std::make_unique<ShownWindow>(design, parachuteTrigger);
            state.ResumeTiming();
        }
        shown->launch->click();
        shown->trajectory->repaint();
        benchmark::DoNotOptimize(shown->velocity->grab());
    }
    if (!shown->messages.messages.empty())
        state.SkipWithError(shown->messages.messages.front().c_str());
}

void BM_LaunchToRepaint_DefaultDesign(benchmark::State& state) {
    launchToRepaint(state, {}, -1);
}
BENCHMARK(BM_LaunchToRepaint_DefaultDesign)->Unit(benchmark::kMillisecond);

/// The worst realistic design: about 111,000 steps, a long parachute descent opened at the top.
void BM_LaunchToRepaint_WorstRealisticDesign(benchmark::State& state) {
    launchToRepaint(state, zorbal::bench::worstRealisticInputs(), 0);
}
BENCHMARK(BM_LaunchToRepaint_WorstRealisticDesign)->Unit(benchmark::kMillisecond);

/// The longest flight a class is likely to try: the largest bottle at the highest pressure and
/// the widest nozzle, straight up, with a parachute opened by a 20-second delay.
void BM_LaunchToRepaint_LargestRocketWithParachute(benchmark::State& state) {
    launchToRepaint(state, {{0, "20"}, {3, "7"}, {4, "30"}, {7, "90"}, {12, "20"}, {13, "1"}}, 1);
}
BENCHMARK(BM_LaunchToRepaint_LargestRocketWithParachute)->Unit(benchmark::kMillisecond);

/// The longest flight inside the limits: the same rocket without drag or parachute (26,921 steps,
/// 65 s of flight).
void BM_LaunchToRepaint_LongestFlight(benchmark::State& state) {
    launchToRepaint(state, {{0, "20"}, {3, "7"}, {4, "30"}, {6, "0"}, {7, "90"}}, -1);
}
BENCHMARK(BM_LaunchToRepaint_LongestFlight)->Unit(benchmark::kMillisecond);

} // namespace
