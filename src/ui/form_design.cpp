// SPDX-License-Identifier: MIT
// The controls of the main window as designed: captions, texts, colours and enabled states.
#include "sim/limits.h"
#include "ui/zorbal.h"
#include "zorbal_version.h"

#include <array>

namespace zorbal::ui {

namespace {

/// The introduction tab's text; every line ends with CR LF.
constexpr const char* kWelcomeText =
    "Water rockets are great fun and I never tire of launching them and trying to make them better. But \r\n"
    "designing and building rockets takes time, and that's where this program can help you. It allows you to "
    "\r\n"
    "simulate the effect of changing design parameters and seeing how they affect the rocket trajectory. "
    "This \r\n"
    "way you can direct your activity to the parts of the design that make the most difference.\r\n"
    "\r\n"
    "To get started just click on the [Rocket Design] tab above. You can change any of the rocket design \r\n"
    "parameters and then click the big red [Launch] button to see what happens. If you want to try changing "
    "\r\n"
    "something, just click back to the [Rocket Design] tab, and then [Launch] again. \r\n"
    "\r\n"
    "If you enjoy this program, or have any comments, suggestions for improvements, or bug reports can be "
    "\r\n"
    "e-mailed to me at:\r\n"
    "\r\n"
    "zorbal@example.org\r\n"
    "\r\n"
    "Happy rocketeering!\r\n";

} // namespace

void Zorbal::InitializeComponent() {
    using platform::rgb;
    Caption = "Zorbal " ZORBAL_VERSION;

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
    cmdCopyHistory.ToolTip =
        "Copies data from the most recent launch to the clipboard. The data can be pasted into a "
        "spreadsheet for further analysis.";
    cmdSaveHistory.Caption = "Save";
    cmdSaveHistory.Enabled = false;
    cmdCopyCommentary.Caption = "Copy Commentary";
    cmdShowHelp[0].Caption = "Hide Help";
    cmdShowHelp[0].BackColor = rgb(255, 255, 128);
    cmdClearGraph[1].Caption = "Clear Graph";
    cmdClearGraph[1].ToolTip = "Clears the graph";
    cmdClearGraph[1].Visible = false;

    chkOptions[OptionLatestOnly].Caption = "Only plot the last rocket I launched";
    chkOptions[OptionCommaFiles].Caption =
        "Save files delimited by a comma (.csv) rather than a tab character";
    chkOptions[OptionRail].Caption = "Launch Rail";
    chkOptions[OptionParachute].Caption = "Parachute";
    optParachute[TriggerOnAngle].Caption = "Trigger by angle from  horizontal";
    optParachute[TriggerOnDelay].Caption = "Trigger by time delay after launch";
    optParachute[TriggerOnAngle].Value = true; // selected at design time, without raising its handler

    for (auto& box : txtOutput)
        box.Locked = true;
    txtCommentary.Locked = true;
    txtCommentary.Text = "After a launch this box contains a text file summarising 'what happened'\r\n";
    txtHelp.Text = "Place Mouse over a text box for advice...";
    txtHelp.BackColor = rgb(255, 255, 192);
    txtHelp.ForeColor = platform::kBlue;
    Text1.Text = kWelcomeText;
    txtGraph[0].Text = "30";
    txtGraph[1].Text = "100";
    txtGraph[2].Text = "10";
    txtGraph[3].Text = "5";
    txtInput[1].ToolTip =
        "The fraction of the bottle that is filled with water expressed as percentage of the total "
        "volume. Units: %. (Valid range 1 to 99)";

    // Disabled at design time: the rail length and the whole parachute group.
    txtInput[8].Enabled = false;
    lblInput[25].Enabled = false;
    frmParachute.Enabled = false;
    optParachute[TriggerOnAngle].Enabled = false;
    optParachute[TriggerOnDelay].Enabled = false;
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
    Frame1.ToolTip = "These are the parameters you need to define a rocket design";
    Frame2.ToolTip = "These are useful parameters calculated prior to launch";
    Frame3.ToolTip = "These are the results of the latest launch";
    frmWater.ToolTip =
        "Initially the rocket is propelled by the expulsion of water pushed out of the bottle bythe "
        "expanding gas.";
    frmAir.ToolTip =
        "After all the water has been expelled, the rocket is propelled by a rapid expansion of air out "
        "the rocket nozzle. This is the 'Gas Blast'";
    frmParameters.ToolTip = "I think these are probably the most important launch parameters. ";

    // Headings in red.
    Label4.Caption = "Welcome to the Zorbal!";
    Label3.Caption = "Hold the cursor over buttons or click in text boxes for advice";
    Label6[0].Caption = "Help Panel";
    Label6[1].Caption = "Launch History Table";
    Label6[2].Caption = "Commentary";
    for (Label* heading : {&Label4, &Label3, &Label6[0], &Label6[1], &Label6[2]})
        heading->ForeColor = platform::kRed;

    // Design inputs, their units, and the units of the calculated values.
    const std::array<const char*, 37> inputLabels{
        "Volume of bottle",             // 0
        "Filling Factor",               // 1
        "Density of liquid",            // 2
        "Initial Pressure",             // 3
        "Nozzle Diameter",              // 4
        "Mass of empty rocket",         // 5
        "Drag Factor ",                 // 6
        "Launch Angle",                 // 7
        "degrees",                      // 8
        "no units",                     // 9
        "grammes",                      // 10
        "millimetres",                  // 11
        "atmospheres",                  // 12
        "kg/m^3",                       // 13
        "%",                            // 14
        "litres",                       // 15
        "atmospheres",                  // 16
        "atmospheres",                  // 17
        "joules",                       // 18
        "joules",                       // 19
        "celsius",                      // 20
        "kilogram",                     // 21
        "joules/kilogram",              // 22
        "celsius",                      // 23
        "metres",                       // 24
        "Launch Rail Length",           // 25
        "Nozzle Efficiency",            // 26
        "%",                            // 27
        "metres per second",            // 28
        "Wind speed",                   // 29
        "degrees",                      // 30
        "newtons",                      // 31
        "s",                            // 32
        "metres per second per second", // 33
        "Parachute Diameter",           // 34
        "metres",                       // 35
        "x Gravity",                    // 36
    };
    for (std::size_t i = 0; i < inputLabels.size(); ++i)
        lblInput[i].Caption = inputLabels[i];

    // Names and units of the calculated values and results.
    const std::array<const char*, 17> outputLabels{
        "Initial Pressure",     // 0
        "Final Pressure",       // 1
        "Accessible Energy",    // 2
        "'Gas Blast' Energy",   // 3
        "Maximum Height",       // 4
        "Final Temperature",    // 5
        "Flight Duration",      // 6
        "Launch Mass",          // 7
        "Energy/Mass",          // 8
        "Range",                // 9
        "metres",               // 10
        "metres",               // 11
        "seconds",              // 12
        "Final temperature",    // 13
        "Initial Thrust",       // 14
        "Initial Acceleration", // 15
        "Initial Acceleration", // 16
    };
    for (std::size_t i = 0; i < outputLabels.size(); ++i)
        lblOutput[i].Caption = outputLabels[i];
    lblOutput[5].ToolTip = "The temperature of the air at the end of the 'Gas Blast'";

    // Graph axes and the history legend.
    const std::array<const char*, 10> graphLabels{
        "Time (seconds)",
        "Maximum Time (s)",
        "Speed (m/s)",
        "Maximum Speed or velocity (m/s)",
        "Maximum Range (m)",
        "Height (metres)",
        "Maximum Height (m)",
        "Range (metres)",
        "Yellow highlighting indicates that a parameter has changed since the previous launch",
        "Pink highlighting indicates that the result is a maximum for the series of launches",
    };
    for (std::size_t i = 0; i < graphLabels.size(); ++i)
        Label1[i].Caption = graphLabels[i];

    // Graph keys; Form_Load gives the lines their colours and the trajectory key its background.
    const std::array<const char*, 8> keyLabels{
        "Air Speed",    "Horizontal velocity", "Vertical velocity",  "Free Flight",
        "Air Expelled", "Water expelled",      "Parachute Deployed", "Previous Launch",
    };
    for (std::size_t i = 0; i < keyLabels.size(); ++i)
        Label2[i].Caption = keyLabels[i];
    // The velocity key stays as designed: white labels in a frame of the system's window colour.
    Frame7.BackColor = platform::kWhite;
    for (std::size_t i = 0; i <= 2; ++i)
        Label2[i].BackColor = platform::kWhite;
}

} // namespace zorbal::ui
