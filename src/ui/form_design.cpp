// SPDX-License-Identifier: MIT
// The controls of the main window as designed: captions, texts, colours and enabled states.
#include "sim/limits.h"
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::InitializeComponent() {
    using platform::rgb;
    Caption = "Zorbal 1.2";

    cmdLaunch.Caption = "Launch!";
    cmdLaunch.BackColor = platform::kRed;
    cmdLaunch2.Caption = "Launch!";
    cmdCheck.Caption = "Check Parameters";
    cmdDefault.Caption = "Default Design";
    cmdOptimise.Caption = "Optimise";
    cmdOptimise.BackColor = rgb(128, 255, 255);
    cmdSave.Caption = "Save";
    cmdLoad.Caption = "Load";
    cmdCopy.Caption = "Copy";
    cmdCopy.Enabled = false;
    cmdSaveTraj.Caption = "Save";
    cmdSaveTraj.Enabled = false;
    cmdCopyHistory.Caption = "Copy";
    cmdCopyHistory.Enabled = false;
    cmdCopyHistory.ToolTip = "Copies data from the most recent launch to the clipboard. The data can be pasted into a "
                             "spreadsheet for further analysis.";
    cmdSaveHistory.Caption = "Save";
    cmdSaveHistory.Enabled = false;
    cmdCopyCommentary.Caption = "Copy Commentary";
    cmdShowHelp[0].Caption = "Hide Help";
    cmdShowHelp[0].BackColor = rgb(255, 255, 128);
    cmdClearGraph[1].Caption = "Clear Graph";
    cmdClearGraph[1].ToolTip = "Clears the graph";
    cmdClearGraph[1].Visible = false;

    chkOptions[0].Caption = "Only plot the last rocket I launched";
    chkOptions[1].Caption = "Save files delimited by a comma (.csv) rather than a tab character";
    chkOptions[2].Caption = "Launch Rail";
    chkOptions[3].Caption = "Parachute";
    optParachute[0].Caption = "Trigger by angle from  horizontal";
    optParachute[1].Caption = "Trigger by time delay after launch";
    optParachute[0].Value = true; // selected at design time, without raising its handler

    for (auto& box : txtOutput)
        box.Locked = true;
    txtCommentary.Locked = true;
    txtCommentary.Text = "After a launch this box contains a text file summarising 'what happened'\r\n";
    txtHelp.Text = "Place Mouse over a text box for advice...";
    txtHelp.BackColor = rgb(255, 255, 192);
    txtGraph[0].Text = "30";
    txtGraph[1].Text = "100";
    txtGraph[2].Text = "10";
    txtGraph[3].Text = "5";
    txtInput[1].ToolTip = "The fraction of the bottle that is filled with water expressed as percentage of the total "
                          "volume. Units: %. (Valid range 1 to 99)";

    // Disabled at design time: the rail length and the whole parachute group.
    txtInput[8].Enabled = false;
    lblInput[25].Enabled = false;
    frmParachute.Enabled = false;
    optParachute[0].Enabled = false;
    optParachute[1].Enabled = false;
    for (int i : {11, 12, 13})
        txtInput[i].Enabled = false;
    for (int i : {30, 32, 34, 35})
        lblInput[i].Enabled = false;

    Frame1.Caption = "Rocket";
    frmLauncher.Caption = "Launcher";
    frmParachute.Caption = "Parachute";
    Frame2.Caption = "Calculated Parameters";
    Frame3.Caption = "Simulation Results";
    Frame4.Caption = "Trajectory";
    Frame5.Caption = "Rocket Design";
    Frame6.Caption = "History";
    Frame7.Caption = "Key";
    Frame8.Caption = "Key";
    frmWater.Caption = "Water propulsion";
    frmAir.Caption = "Air Propulsion";
    frmParameters.Caption = "Launch Parameters";
}

} // namespace zorbal::ui
