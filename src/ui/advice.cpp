// SPDX-License-Identifier: MIT
// Advice texts of the help panel for tabs, frames, inputs, results, options and buttons, and the
// handlers that show them. Every handler replaces the panel's whole text and does nothing else.
#include "ui/advice.h"

#include "ui/zorbal.h"

#include <array>

namespace zorbal::ui {

namespace {

// The texts are the program's own wording, typing slips included; keep them character for character.
#define ZORBAL_CRLF "\r\n"
#define ZORBAL_CRLF2 "\r\n\r\n"

/// The four parts of an input's or result's advice.
struct BoxAdvice {
    const char* description;
    const char* units;
    const char* range;
    const char* warning;
};

constexpr const char* kClickHint = "Click in a text field for help on what to enter... ";

constexpr std::array<BoxAdvice, 14> kInputAdvice{{
    {"The volume of the water bottle when it is empty. ", "UNITS: litres ", "VALID RANGE: 0.25 to 20", ""},
    {"The fraction of the bottle that is filled with water expressed as a percentage of the total volume.",
     "UNITS: per cent ", "VALID RANGE: 1 to 99", ""},
    {"Water has a density 1000 kg/m^3. " ZORBAL_CRLF2
     "You might find it interesting to consider whether there might be a better liquid to work with...?",
     "UNITS: kilograms per cubic metre ", "VALID RANGE: 80 to 10000", ""},
    {"The excess pressure in the bottle above atmospheric pressure. Sometimes this is called the gauge "
     "pressure",
     "UNITS: atmospheres (or bar)", "VALID RANGE: 0.1 to 7",
     "WARNING! High pressures are potentially dangerous and the background colour of the cell changes to "
     "indicate the degree of danger."},
    {"The nozzle diameter determines how rapidly water can leave the bottle. ", "UNITS: millimetres",
     "VALID RANGE: 1 to 30", ""},
    {"The weight of rocket when its empty of fuel. ", "UNITS: grammes", "VALID RANGE: 10 to 1000", ""},
    {"Drag is tricky to estimate. It scales approximately as the cross-sectional area of the rocket. For "
     "comparison, a tennis ball (diameter 6.35 cm) has a drag factor of about 10. A football diameter 20 cm) "
     "has "
     "a drag factor of about 100. ",
     "UNITS: none", "VALID RANGE: 0 to 1000", ""},
    {"A launch angle of 90 degrees is 'straight up' and 0 degrees is horizontal.", "UNITS: degrees",
     "VALID RANGE: 10 to 90", ""},
    {"A launch rail stops the rocket from 'flopping' at the start of its flight. This is the length of the "
     "launch tube",
     "UNITS: metres", "VALID RANGE: 0.5 to 2", ""},
    {"The nozzle efficiency specifies how much of the energy of the compressed gas is converted into kinetic "
     "energy of the emerging water. ",
     "UNITS: per cent", "VALID RANGE: 1 to 100", ""},
    {"Simulates the effect of a headwind (negative numbers) or a tailwind (positive numbers). " ZORBAL_CRLF2
     "1 metre per second is approximately equal to 2.4 miles per hour " ZORBAL_CRLF2
     "The strength of the wind is indicated by the length of red arrows drawn on the graph." ZORBAL_CRLF2,
     "UNITS: metres per second", "VALID RANGE: -10 to 10", ""},
    {"Entering an angle of 0 triggers the parachute at the maximum altitude of the rocket "
     "flight." ZORBAL_CRLF2 "Angles greater than 0 i.e. positive numbers) earlier." ZORBAL_CRLF2
     "Angles less than zero (i.e. negative numbers) trigger later" ZORBAL_CRLF2,
     "UNITS: degrees", "VALID RANGE: -90 to +90", ""},
    {"Specifies how long after launch the parachute is triggered." ZORBAL_CRLF2
     "Full deployment takes one second from the time the parachute is triggered." ZORBAL_CRLF2,
     "UNITS: seconds", "VALID RANGE: 0 to 20", ""},
    {"The diameter of the parachute (assuming it is round).", "UNITS: metres", "VALID RANGE: 0.01 to 2", ""},
}};

constexpr std::array<BoxAdvice, 14> kOutputAdvice{{
    {"The initial pressure of the air in the rocket." ZORBAL_CRLF2
     "Please note that this is the ABSOLUTE pressure in the rocket. The pumps used to pressurise the rocket "
     "read "
     "what is known as GAUGE pressure. Guage Pressure is the pressure with respect to atmospheric "
     "pressure." ZORBAL_CRLF2
     "For this reason this pressure is one atmosphere greater than the value enetered as "
     "the Initial Pressure in the Rocket Design section." ZORBAL_CRLF2,
     "UNITS: atmospheres. " ZORBAL_CRLF "1 atmosphere is also called 1 bar.  ", "", ""},
    {"The final pressure of the air in the rocket after all the water has been expelled." ZORBAL_CRLF2
     "Please note that this is the ABSOLUTE pressure in the rocket. This must be greater than 1 atmosphere "
     "otherwise not all the water will be expelled from the bottle." ZORBAL_CRLF2,
     "UNITS: atmospheres. ", "", ""},
    {"This is the work which will be done by the gas in expanding and expelling the water."
     "If all this energy is converted to kinetic energy of the rocket then your rocket nozzle is 100% "
     "efficient." ZORBAL_CRLF2
     "Typically some of this energy pushes water sideways (rather than straight back) "
     "and some is used creating turbulence in the water." ZORBAL_CRLF2,
     "UNITS: joules", "", ""},
    {"After the water has been expelled, there will in general be some pressurised gas within the rocket.   "
     "This is" ZORBAL_CRLF2
     "At this point the rocket will be rather light and the exit of this compressed gas "
     "can give the rocket a significant boost in speed." ZORBAL_CRLF2
     "This energy is calculated as the work done in expanding to atmsopheric pressure." ZORBAL_CRLF2,
     "UNITS: joules", "", ""},
    {"The estimated time taken for the rocket to reach the ground after the last simulated launch.",
     "UNITS: seconds", "", ""},
    {"After the water has been expelled, there will in general be some pressurised gas within the "
     "rocket." ZORBAL_CRLF2 "As this expands very rapidly, it cools quite dramatically and this must be "
     "accounted for." ZORBAL_CRLF2 "This kind of rapid expansion is known as an ADIABATIC expansion.",
     "UNITS: Celsius" ZORBAL_CRLF2
     "Note: Degrees Centigrade is an obselete term: please use the correct unit. "
     "One degree celsius is very close (but not exactly) to being equal to 1 degree centigrade.",
     "", ""},
    {"The estimated maximum height reached on the last simulated launch.", "UNITS: metres", "", ""},
    {"The is the mass of the rocket at launch including its charge of water.", "UNITS: kilograms", "", ""},
    {"The is the accessible energy at launch divided by the mass of the rocket. "
     "This is the quanity which is optimised by the [Optimise] button on the 'Rocket Design' Tab.",
     "UNITS: joules per kilogram", "", ""},
    {"The estimated distance travelled before the rocket hits the ground on the last simulated launch.",
     "UNITS: metres", "", ""},
    {"The program assumes that initially the gas is at 20 Celsius. As the gas expands and expels the water, "
     "it "
     "cools, quite dramatically." ZORBAL_CRLF2
     "This kind of rapid expansion is known as an ADIABATIC expansion.",
     "UNITS: Celsius" ZORBAL_CRLF2
     "Note: Degrees Centigrade is an obselete term: please use the correct unit. "
     "One degree celsius is very close to (but not exactly equal to) one degree centigrade.",
     "", ""},
    {"This is the force pushing the rocket upwards at the moment of launch." ZORBAL_CRLF2
     "For reference, the gravitional force of 1 kg is roughly 10 newtons.",
     "", "", ""},
    {"This is the initial acceleration of the rocket upwards just after launch." ZORBAL_CRLF2
     "For reference, 'g' has a value of roughly 9.8 metres per second per second.",
     "", "", ""},
    {"This is the initial acceleration of the rocket upwards just after launch expressed as a multiple of "
     "'g', "
     "the acceleration due to gravity." ZORBAL_CRLF2 "Initial accelerations can be >extremely< large. ",
     "", "", ""},
}};

constexpr std::array<const char*, 4> kOptionAdvice{
    "Checking this box causes the program to only plot the trajectory of the most recently launched rocket.",
    "Checking this box causes the program to save files delimited by a comma (.csv) rather than by a tab "
    "character " ZORBAL_CRLF2,
    "Checking this box enables simulation of the effect of a launch rail. " ZORBAL_CRLF2
    "A launch rail stops the rocket from 'flopping' at the start of its flight. " ZORBAL_CRLF2
    "If checked, this constrains the rocket to travel at its launch angle for the first part of its "
    "trajectory",
    "Checking this box enables simulation of the effect of a parachute. " ZORBAL_CRLF2
    "The details of the parachute's size and trigger mechanism can be set in the region below the check "
    "box." ZORBAL_CRLF2
    "The parachute can be triggered when either (a) the rocket reaches a particular angle or "
    "(b) after a particular time." ZORBAL_CRLF2
    "After triggering, the program assumes that the parachute takes one second to fully deploy.",
};

constexpr std::array<const char*, 2> kTriggerAdvice{
    "Selecting this button will trigger parachute deployment when the rocket trajectory reaches the "
    "specified "
    "angle." ZORBAL_CRLF2,
    "Selecting this button will trigger parachute deployment at the specified time after the rocket "
    "launch." ZORBAL_CRLF2,
};

constexpr std::array<const char*, 7> kTabAdvice{
    "This tab panel contains my introduction to the program ",
    "On this tab panel you can change parameters to design and simulate the launch of your own rocket. ",
    "On this tab panel you can view the predicted trajectory of your rocket. ",
    "On this tab panel you can view the predicted speed of your rocket during its flight. ",
    "On this tab panel you can view a commentary of the previous launch. ",
    "On this tab panel you can view more details about the calculations and select one or two rarely used "
    "options. ",
    "On this tab panel you can compare details of the current flight with previous flights. ",
};

#define ZORBAL_TRAJECTORY_COLUMNS                                                                            \
    "The data is pasted as five columns" ZORBAL_CRLF "Column 1: Time" ZORBAL_CRLF                            \
    "Column 2: X position" ZORBAL_CRLF "Column 3: Y position" ZORBAL_CRLF "Column 4: X-Velocity" ZORBAL_CRLF \
    "Column 5: Y-Velocity" ZORBAL_CRLF

const char* controlAdviceText(AdvisedControl control) {
    switch (control) {
    case AdvisedControl::cmdCheck:
        return "Clicking this button will perform a preliminary check of your rockets design "
               "parameters " ZORBAL_CRLF2;
    case AdvisedControl::cmdDefault:
        return "Clicking this button will return all rocket design parameters to their default "
               "values. " ZORBAL_CRLF2;
    case AdvisedControl::cmdLaunch:
        return "Clicking this button will begin the simulated launch of your rocket." ZORBAL_CRLF2
               "When the simulation is finished the calculated trajectory will be shown on the next "
               "tab." ZORBAL_CRLF2;
    case AdvisedControl::cmdLaunch2:
        return "Clicking this button will begin the simulated launch of your rocket." ZORBAL_CRLF2;
    case AdvisedControl::cmdOptimise:
        return "Pressing this button will cause the program to evaluate all filling factors ranging from 1% "
               "to "
               "99% " ZORBAL_CRLF2 "The program selects the filling factor which gives the highest ratio of "
               "'accessible energy' to initial launch mass." ZORBAL_CRLF2
               "Further details of what this means can be found on the [Advanced] Tab." ZORBAL_CRLF2;
    case AdvisedControl::cmdSave:
        return "Clicking this button will save the current rocket design." ZORBAL_CRLF2
               "The file will contain details of the rocket's design, the launcher, and the "
               "parachute." ZORBAL_CRLF2
               "The file will can be loaded by clicking the nearby 'Load' button." ZORBAL_CRLF2;
    case AdvisedControl::cmdLoad:
        return "Clicking this button will load a previously saved rocket design file." ZORBAL_CRLF2;
    case AdvisedControl::cmdCopy:
        return "Clicking this button copies the data describing the trajectory of the most recent simulation "
               "for "
               "pasting into a spreadsheet." ZORBAL_CRLF2 ZORBAL_TRAJECTORY_COLUMNS;
    case AdvisedControl::cmdSaveTraj:
        return "Clicking this button saves the data describing the trajectory of the most recent simulation "
               "for "
               "pasting into a spreadsheet." ZORBAL_CRLF2 ZORBAL_TRAJECTORY_COLUMNS;
    case AdvisedControl::cmdCopyHistory:
        return "Clicking this button copies the 'Launch History' Table to the clipboard for pasting into a "
               "spreadsheet or word processor." ZORBAL_CRLF2;
    case AdvisedControl::cmdSaveHistory:
        return "Clicking this button saves the 'Launch History' Table to disk. The file can be opened for "
               "analysis "
               "by most spreadsheet programs." ZORBAL_CRLF2
               "By default, the data file will be saved as 'tab-delimited' text, which means a <tab> "
               "character is "
               "placed in between the numbers."
               "Optionally the file can also be saved in a 'comma-separated variable' (.csv) format by "
               "selecting "
               "this option on he 'Advanced' Tab";
    case AdvisedControl::cmdCopyCommentary:
        return "Copies the commentary to the clipboard for pasting into a word processor." ZORBAL_CRLF2;
    case AdvisedControl::cmdShowHelp:
        return "Clicking this button will show or hide the help panel " ZORBAL_CRLF2;
    case AdvisedControl::Frame1:
        return "This frame contains details of the water rocket itself. " ZORBAL_CRLF2
               "Click into a text box, or hold the mouse over a control button for more information.";
    case AdvisedControl::Frame3:
        return "This frame contains the key results from the most recent launch." ZORBAL_CRLF2;
    case AdvisedControl::Frame4:
        return "This frame contains buttons for saving and loading files describing the trajectory of the "
               "most "
               "recent launch " ZORBAL_CRLF2;
    case AdvisedControl::Frame5:
        return "This frame contains buttons for saving and loading files describing the rocket, its launcher "
               "and the "
               "parachute. " ZORBAL_CRLF2;
    case AdvisedControl::frmLauncher:
        return "This frame contains details of the Launcher. " ZORBAL_CRLF2
               "Please be aware that if you launch a rocket at a shallow angle (less than roughly 60 "
               "degrees) it "
               "shows a strong tendency to 'flop over'" ZORBAL_CRLF2
               "This tendency to flop can be overcome by the use of a launch rail.";
    case AdvisedControl::frmParachute:
        return "This frame contains details of the parachute. " ZORBAL_CRLF2
               "Please be aware that in addition to being difficult to make, parachutes are also difficult "
               "to "
               "simulate. So this simulation is only approximately correct." ZORBAL_CRLF2
               "The parachute can be triggered when either (a) the rocket reaches a particular angle or (B) "
               "after "
               "a particular time. After triggering, the program assumes that the parachute takes one second "
               "to "
               "fully deploy.";
    }
    return "";
}

#undef ZORBAL_TRAJECTORY_COLUMNS
#undef ZORBAL_CRLF2
#undef ZORBAL_CRLF

/// Description, units, range and warning, joined by empty lines.
std::string compose(const BoxAdvice& advice) {
    constexpr const char* kGap = "\r\n\r\n";
    std::string text = advice.description;
    text += kGap;
    text += advice.units;
    text += kGap;
    text += advice.range;
    text += kGap;
    text += advice.warning;
    return text;
}

std::string boxAdvice(const std::array<BoxAdvice, 14>& table, int index) {
    if (index < 0 || index >= static_cast<int>(table.size()))
        return compose(BoxAdvice{kClickHint, "", "", ""});
    return compose(table[static_cast<std::size_t>(index)]);
}

template <std::size_t N> std::string entryOrEmpty(const std::array<const char*, N>& table, int index) {
    if (index < 0 || index >= static_cast<int>(N))
        return {};
    return table[static_cast<std::size_t>(index)];
}

} // namespace

std::string inputAdvice(int index) {
    return boxAdvice(kInputAdvice, index);
}
std::string outputAdvice(int index) {
    return boxAdvice(kOutputAdvice, index);
}
std::string optionAdvice(int index) {
    return entryOrEmpty(kOptionAdvice, index);
}
std::string triggerAdvice(int index) {
    return entryOrEmpty(kTriggerAdvice, index);
}

std::string tabAdvice(int index) {
    if (index < 0 || index >= static_cast<int>(kTabAdvice.size()))
        return {};
    return std::string(kTabAdvice[static_cast<std::size_t>(index)]) + "\r\n\r\n";
}

std::string controlAdvice(AdvisedControl control) {
    return controlAdviceText(control);
}

// ---- Handlers --------------------------------------------------------------------------------

void Zorbal::SSTab1_Click(int PreviousTab) {
    (void)PreviousTab;
    txtHelp.Text = tabAdvice(SSTab1.Tab());
}

void Zorbal::Frame1_Click() {
    txtHelp.Text = controlAdvice(AdvisedControl::Frame1);
}
void Zorbal::frmLauncher_Click() {
    txtHelp.Text = controlAdvice(AdvisedControl::frmLauncher);
}
void Zorbal::frmParachute_Click() {
    txtHelp.Text = controlAdvice(AdvisedControl::frmParachute);
}

void Zorbal::txtInput_Click(int Index) {
    txtHelp.Text = inputAdvice(Index);
}
void Zorbal::txtInput_MouseMove(int Index) {
    txtInput_Click(Index);
}
void Zorbal::txtOutput_Click(int Index) {
    txtHelp.Text = outputAdvice(Index);
}
void Zorbal::txtOutput_MouseMove(int Index) {
    txtOutput_Click(Index);
}
void Zorbal::chkOptions_MouseMove(int Index) {
    txtHelp.Text = optionAdvice(Index);
}
void Zorbal::optParachute_MouseMove(int Index) {
    txtHelp.Text = triggerAdvice(Index);
}

void Zorbal::cmdCheck_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdCheck);
}
void Zorbal::cmdCopy_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdCopy);
}
void Zorbal::cmdCopyCommentary_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdCopyCommentary);
}
void Zorbal::cmdCopyHistory_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdCopyHistory);
}
void Zorbal::cmdDefault_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdDefault);
}
void Zorbal::cmdLaunch_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdLaunch);
}
void Zorbal::cmdLaunch2_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdLaunch2);
}
void Zorbal::cmdLoad_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdLoad);
}
void Zorbal::cmdOptimise_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdOptimise);
}
void Zorbal::cmdSave_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdSave);
}
void Zorbal::cmdSaveHistory_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdSaveHistory);
}
void Zorbal::cmdSaveTraj_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::cmdSaveTraj);
}
void Zorbal::cmdShowHelp_MouseMove(int Index) {
    (void)Index;
    txtHelp.Text = controlAdvice(AdvisedControl::cmdShowHelp);
}

void Zorbal::cmdButton_MouseMove(const Button& button) {
    const std::array<std::pair<const Button*, void (Zorbal::*)()>, 12> handlers{{
        {&cmdCheck, &Zorbal::cmdCheck_MouseMove},
        {&cmdCopy, &Zorbal::cmdCopy_MouseMove},
        {&cmdCopyCommentary, &Zorbal::cmdCopyCommentary_MouseMove},
        {&cmdCopyHistory, &Zorbal::cmdCopyHistory_MouseMove},
        {&cmdDefault, &Zorbal::cmdDefault_MouseMove},
        {&cmdLaunch, &Zorbal::cmdLaunch_MouseMove},
        {&cmdLaunch2, &Zorbal::cmdLaunch2_MouseMove},
        {&cmdLoad, &Zorbal::cmdLoad_MouseMove},
        {&cmdOptimise, &Zorbal::cmdOptimise_MouseMove},
        {&cmdSave, &Zorbal::cmdSave_MouseMove},
        {&cmdSaveHistory, &Zorbal::cmdSaveHistory_MouseMove},
        {&cmdSaveTraj, &Zorbal::cmdSaveTraj_MouseMove},
    }};
    if (&button == &cmdShowHelp[0]) {
        cmdShowHelp_MouseMove(0);
        return;
    }
    for (const auto& [control, handler] : handlers) {
        if (control == &button) {
            (this->*handler)();
            return;
        }
    }
}

void Zorbal::Frame3_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::Frame3);
}
void Zorbal::Frame4_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::Frame4);
}
void Zorbal::Frame5_MouseMove() {
    txtHelp.Text = controlAdvice(AdvisedControl::Frame5);
}

} // namespace zorbal::ui
