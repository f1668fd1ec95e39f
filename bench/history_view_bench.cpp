// SPDX-License-Identifier: MIT
// The history table on screen: a rewritten launch row shown in a short and in a long table.
#include "history/history_table.h"
#include "platform/qt/history_table.h"

#include <QApplication>
#include <benchmark/benchmark.h>

namespace {

namespace history = zorbal::history;

std::array<std::string, history::kColumnCount> launchTexts(int n, const std::string& range) {
    history::LaunchEntry e;
    e.launchNumber = n;
    e.inputs = {"2.00", "30.0", "1000", "3.0", "22", "100", "10.0",
                "60",   "0.50", "70",   "0.0", "0",  "3.0", "0.50"};
    e.flightTime = "4.30";
    e.maxHeight = "22.60";
    e.range = range;
    return history::launchRowTexts(e);
}

// A re-plot of the last launch of a table of state.range(0) launches whose range alternates between two
// values, so the row and the pink mark change each time; the view is refreshed and repainted.
void BM_HistoryViewReplot(benchmark::State& state) {
    zorbal::platform::Grid grid;
    history::prepareGrid(grid);
    history::Marks marks;
    const int launches = static_cast<int>(state.range(0));
    for (int n = 1; n <= launches; ++n)
        history::addLaunch(grid, n, launchTexts(n, "50.00"), &marks);
    zorbal::platform::qt::HistoryTableView view(grid);
    view.resize(769, 289);
    view.show();
    view.scrollToBottom();
    QApplication::processEvents();
    bool isLong = false;
    for (auto _ : state) {
        isLong = !isLong;
        history::addLaunch(grid, launches, launchTexts(launches, isLong ? "60.00" : "40.00"), &marks);
        view.refresh();
        view.viewport()->repaint();
    }
}
BENCHMARK(BM_HistoryViewReplot)->Arg(10)->Arg(1000)->Unit(benchmark::kMicrosecond);

} // namespace
