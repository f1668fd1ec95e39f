// SPDX-License-Identifier: MIT
// Advice texts of the help panel for tabs, frames, inputs, results, options and buttons.
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::SSTab1_Click(int PreviousTab) { (void)PreviousTab; }
void Zorbal::Frame1_Click() {}
void Zorbal::frmLauncher_Click() {}
void Zorbal::frmParachute_Click() {}
void Zorbal::cmdShowHelp_Click(int Index) { (void)Index; }
void Zorbal::txtInput_Click(int Index) { (void)Index; }
void Zorbal::txtInput_MouseMove(int Index) { txtInput_Click(Index); }
void Zorbal::txtOutput_Click(int Index) { (void)Index; }
void Zorbal::txtOutput_MouseMove(int Index) { txtOutput_Click(Index); }
void Zorbal::chkOptions_MouseMove(int Index) { (void)Index; }
void Zorbal::optParachute_MouseMove(int Index) { (void)Index; }
void Zorbal::cmdButton_MouseMove(const Button& button) { (void)button; }
void Zorbal::Frame3_MouseMove() {}
void Zorbal::Frame4_MouseMove() {}
void Zorbal::Frame5_MouseMove() {}

} // namespace zorbal::ui
