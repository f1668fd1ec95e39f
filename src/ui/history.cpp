// SPDX-License-Identifier: MIT
// The launch history table of the window: the heading rows at start-up and one row per launch.
#include "history/history_table.h"
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::PrepareFlexGrid() {
    history::prepareGrid(MSFlexGrid1);
}

void Zorbal::AddLaunchtoFlexgrid() {
    history::LaunchEntry entry;
    entry.launchNumber = LaunchCount;
    for (std::size_t i = 0; i < entry.inputs.size(); ++i)
        entry.inputs[i] = txtInput[i].Text;
    entry.isRailOn = Rocket.LaunchRailUsed;
    entry.isParachuteOn = Rocket.ParachuteOn;
    entry.isTriggerByAngle = optParachute[TriggerOnAngle].Value;
    entry.flightTime = txtOutput[ResultFlightTime].Text;
    entry.maxHeight = txtOutput[ResultMaxHeight].Text;
    entry.range = txtOutput[ResultRange].Text;
    history::addLaunch(MSFlexGrid1, LaunchCount, history::launchRowTexts(entry), &HistoryMarks);
}

} // namespace zorbal::ui
