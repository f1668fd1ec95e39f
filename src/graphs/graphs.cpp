// SPDX-License-Identifier: MIT
// The two graphs: frames, scaling and the flight's drawing.
#include "ui/zorbal.h"

#include <cmath>

namespace zorbal::ui {

void Zorbal::ScaleXYGraph() {}
void Zorbal::ScaleVTGraph() {}
double Zorbal::Log10(double x) { return std::log(x) / std::log(10.0); }
void Zorbal::cmdClearGraph_Click(int Index) { (void)Index; }
void Zorbal::txtGraph_Validate(int Index, bool& Cancel) {
    (void)Cancel;
    TabAfterLaunch = (Index == 2 || Index == 3) ? 3 : 2;
    Replot();
    TabAfterLaunch = 2;
}
void Zorbal::PlotEarlierLaunches() {}
void Zorbal::PlotTrajectory() {}
void Zorbal::PlotVelocities() {}
void Zorbal::PlotParachute(double X, double Y, double Size) { (void)X, (void)Y, (void)Size; }
void Zorbal::pctXYGraph_MouseMove() {}
void Zorbal::pctVTgraph_MouseMove() {}
void Zorbal::txtGraph_MouseMove(int Index) { (void)Index; }

} // namespace zorbal::ui
