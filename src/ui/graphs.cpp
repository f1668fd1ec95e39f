// SPDX-License-Identifier: MIT
// The window's two graph frames: drawn from the limit boxes, erasing the velocity graph and
// re-plotting after a limit edit.
#include "graphs/graph_frames.h"

#include "platform/number_text.h"
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::ScaleXYGraph() {
    auto& picture = pctXYGraph;
    picture.setDrawWidth(1);
    const double H = graphs::readGraphLimit(txtGraph[0], graphs::kHeightLimit);
    const double R = graphs::readGraphLimit(txtGraph[1], graphs::kRangeLimit);
    graphs::drawTrajectoryFrame(picture, H, R, WindSpeed, Limits.MaximumValue[10]);
}

void Zorbal::ScaleVTGraph() {
    auto& picture = pctVTgraph;
    picture.setDrawWidth(1);
    const double P = graphs::speedLimit(Rocket.MaxSpeed);
    platform::FixedOptions oneDigit;
    oneDigit.leadingZero = platform::Choice::No;
    oneDigit.grouping = platform::Choice::No;
    txtGraph[2].Text = platform::fixedText(P, 1, oneDigit);
    const double T = graphs::readGraphLimit(txtGraph[3], graphs::kTimeLimit);
    graphs::drawVelocityFrame(picture, P, T);
}
void Zorbal::cmdClearGraph_Click(int Index) {
    if (Index != 1)
        return;
    pctVTgraph.erase();
    ScaleVTGraph();
}

void Zorbal::txtGraph_Validate(int Index, bool& Cancel) {
    (void)Cancel;
    TabAfterLaunch = (Index == 2 || Index == 3) ? 3 : 2;
    if (LaunchCount == 0) {
        // Nothing to fly again yet; the limits still take effect on the frames they belong to
        // (the velocity graph stays blank until the first flight).
        if (Index == 0 || Index == 1)
            ScaleXYGraph();
        else if (Index == 3)
            graphs::readGraphLimit(txtGraph[3], graphs::kTimeLimit);
    } else {
        Replot();
    }
    TabAfterLaunch = 2;
}

} // namespace zorbal::ui
