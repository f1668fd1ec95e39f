// SPDX-License-Identifier: MIT
#include "support/window_fixture.h"
#include "ui/advice.h"

#include <set>

namespace zorbal::test {
namespace {

using ui::AdvisedControl;
using Advice = WindowTest;

const std::string kGap = "\r\n\r\n";

bool endsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

TEST_F(Advice, PointingAtAnInputAndClickingInItShowTheSameTextWhichStays) {
    window.txtInput_MouseMove(4);
    const std::string shown = window.txtHelp.Text;
    EXPECT_EQ(shown, "The nozzle diameter determines how rapidly water can leave the bottle. " + kGap +
                         "UNITS: millimetres" + kGap + "VALID RANGE: 1 to 30" + kGap);
    window.txtHelp.Text.clear();
    window.txtInput_Click(4);
    EXPECT_EQ(window.txtHelp.Text, shown);
}

TEST(InputAdvice, ComposesItsPartsWithTheirOwnBlanksAndBreaks) {
    EXPECT_EQ(
        ui::inputAdvice(3),
        "The excess pressure in the bottle above atmospheric pressure. Sometimes this is called the gauge "
        "pressure\r\n\r\nUNITS: atmospheres (or bar)\r\n\r\nVALID RANGE: 0.1 to 7\r\n\r\nWARNING! High "
        "pressures are potentially dangerous and the background colour of the cell changes to indicate the "
        "degree of danger.");
    EXPECT_EQ(ui::inputAdvice(2),
              "Water has a density 1000 kg/m^3. \r\n\r\nYou might find it interesting to "
              "consider whether there might be a better liquid to work with...?\r\n\r\nUNITS: "
              "kilograms per cubic metre \r\n\r\nVALID RANGE: 80 to 10000\r\n\r\n");
    EXPECT_EQ(ui::inputAdvice(0), "The volume of the water bottle when it is empty. \r\n\r\nUNITS: litres "
                                  "\r\n\r\nVALID RANGE: 0.25 to 20\r\n\r\n");
    // Only the pressure ends with text; wind, trigger angle and delay carry four breaks before the units.
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(endsWith(ui::inputAdvice(i), kGap), i != 3) << i;
    for (int i : {10, 11, 12})
        EXPECT_NE(ui::inputAdvice(i).find("\r\n\r\n\r\n\r\nUNITS: "), std::string::npos) << i;
    EXPECT_NE(
        ui::inputAdvice(11).find("\r\n\r\nAngles greater than 0 i.e. positive numbers) earlier.\r\n\r\n"),
        std::string::npos);
    EXPECT_TRUE(endsWith(ui::inputAdvice(11), "VALID RANGE: -90 to +90" + kGap));
    EXPECT_EQ(ui::inputAdvice(14),
              "Click in a text field for help on what to enter... \r\n\r\n\r\n\r\n\r\n\r\n");
    EXPECT_EQ(ui::inputAdvice(-1), ui::inputAdvice(14));
}

TEST_F(Advice, TheRangesAreFixedTextsWhateverTheLimitsHold) {
    window.Limits.MinimumValue[2] = 75;
    window.Limits.MaximumValue[13] = 1;
    window.txtInput_Click(2);
    EXPECT_NE(window.txtHelp.Text.find("VALID RANGE: 80 to 10000"), std::string::npos);
    window.txtInput_Click(13);
    EXPECT_NE(window.txtHelp.Text.find("VALID RANGE: 0.01 to 2"), std::string::npos);
}

TEST(OutputAdvice, EndsWithItsUnitsAndFourBreaks) {
    EXPECT_EQ(
        ui::outputAdvice(0),
        "The initial pressure of the air in the rocket.\r\n\r\nPlease note that this is the ABSOLUTE "
        "pressure "
        "in the rocket. The pumps used to pressurise the rocket read what is known as GAUGE pressure. Guage "
        "Pressure is the pressure with respect to atmospheric pressure.\r\n\r\nFor this reason this pressure "
        "is one atmosphere greater than the value enetered as the Initial Pressure in the Rocket Design "
        "section.\r\n\r\n\r\n\r\nUNITS: atmospheres. \r\n1 atmosphere is also called 1 bar.  "
        "\r\n\r\n\r\n\r\n");
    EXPECT_NE(ui::outputAdvice(2).find("expelling the water.If all this energy"), std::string::npos);
    EXPECT_NE(ui::outputAdvice(8).find("rocket. This is the quanity"), std::string::npos);
    EXPECT_TRUE(endsWith(ui::outputAdvice(5),
                         "This kind of rapid expansion is known as an ADIABATIC "
                         "expansion.\r\n\r\nUNITS: Celsius\r\n\r\nNote: Degrees Centigrade "
                         "is an obselete term: please use the correct unit. One degree celsius "
                         "is very close (but not exactly) to being equal to 1 degree "
                         "centigrade.\r\n\r\n\r\n\r\n"));
    EXPECT_TRUE(endsWith(ui::outputAdvice(10),
                         "UNITS: Celsius\r\n\r\nNote: Degrees Centigrade is an obselete "
                         "term: please use the correct unit. One degree celsius is very "
                         "close to (but not exactly equal to) one degree "
                         "centigrade.\r\n\r\n\r\n\r\n"));
    // No units line: the description is followed by six breaks.
    EXPECT_TRUE(endsWith(ui::outputAdvice(11), "roughly 10 newtons.\r\n\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_TRUE(endsWith(ui::outputAdvice(13), ">extremely< large. \r\n\r\n\r\n\r\n\r\n\r\n"));
    EXPECT_EQ(ui::outputAdvice(14), ui::inputAdvice(14));
}

TEST_F(Advice, OptionsAndTriggersHaveTheirOwnTextsAndEmptyThePanelOutsideTheirRange) {
    window.chkOptions_MouseMove(0);
    EXPECT_EQ(window.txtHelp.Text,
              "Checking this box causes the program to only plot the trajectory of the most "
              "recently launched rocket.");
    window.chkOptions_MouseMove(1);
    EXPECT_EQ(window.txtHelp.Text,
              "Checking this box causes the program to save files delimited by a comma (.csv) "
              "rather than by a tab character \r\n\r\n");
    window.chkOptions_MouseMove(3);
    EXPECT_NE(window.txtHelp.Text.find(
                  "check box.\r\n\r\nThe parachute can be triggered when either (a) the rocket "
                  "reaches a particular angle or (b) after"),
              std::string::npos);
    window.optParachute_MouseMove(1);
    EXPECT_EQ(window.txtHelp.Text,
              "Selecting this button will trigger parachute deployment at the specified time "
              "after the rocket launch.\r\n\r\n");
    window.chkOptions_MouseMove(4);
    EXPECT_EQ(window.txtHelp.Text, "");
    window.optParachute_MouseMove(0);
    window.optParachute_MouseMove(2);
    EXPECT_EQ(window.txtHelp.Text, "");
}

TEST_F(Advice, EachButtonShowsItsOwnAdvice) {
    const std::vector<std::pair<const ui::Button*, AdvisedControl>> buttons{
        {&window.cmdCheck, AdvisedControl::cmdCheck},
        {&window.cmdDefault, AdvisedControl::cmdDefault},
        {&window.cmdLaunch, AdvisedControl::cmdLaunch},
        {&window.cmdLaunch2, AdvisedControl::cmdLaunch2},
        {&window.cmdOptimise, AdvisedControl::cmdOptimise},
        {&window.cmdSave, AdvisedControl::cmdSave},
        {&window.cmdLoad, AdvisedControl::cmdLoad},
        {&window.cmdCopy, AdvisedControl::cmdCopy},
        {&window.cmdSaveTraj, AdvisedControl::cmdSaveTraj},
        {&window.cmdCopyHistory, AdvisedControl::cmdCopyHistory},
        {&window.cmdSaveHistory, AdvisedControl::cmdSaveHistory},
        {&window.cmdCopyCommentary, AdvisedControl::cmdCopyCommentary},
        {&window.cmdShowHelp[0], AdvisedControl::cmdShowHelp},
    };
    std::set<std::string> seen;
    for (const auto& [button, control] : buttons) {
        window.txtHelp.Text.clear();
        window.cmdButton_MouseMove(*button);
        EXPECT_EQ(window.txtHelp.Text, ui::controlAdvice(control)) << button->Caption;
        seen.insert(window.txtHelp.Text);
    }
    EXPECT_EQ(seen.size(), buttons.size());
    window.txtHelp.Text = "kept";
    window.cmdButton_MouseMove(window.cmdClearGraph[1]);
    EXPECT_EQ(window.txtHelp.Text, "kept");

    EXPECT_EQ(ui::controlAdvice(AdvisedControl::cmdLaunch2),
              "Clicking this button will begin the simulated launch of your rocket.\r\n\r\n");
    EXPECT_EQ(ui::controlAdvice(AdvisedControl::cmdLaunch),
              ui::controlAdvice(AdvisedControl::cmdLaunch2) +
                  "When the simulation is finished the calculated trajectory will be shown on the next "
                  "tab.\r\n\r\n");
    EXPECT_TRUE(
        endsWith(ui::controlAdvice(AdvisedControl::cmdCopy),
                 "spreadsheet.\r\n\r\nThe data is pasted as five columns\r\nColumn 1: Time\r\nColumn 2: X "
                 "position\r\nColumn 3: Y position\r\nColumn 4: X-Velocity\r\nColumn 5: Y-Velocity\r\n"));
    EXPECT_TRUE(endsWith(
        ui::controlAdvice(AdvisedControl::cmdSaveHistory),
        "spreadsheet programs.\r\n\r\nBy default, the data file will be saved as 'tab-delimited' "
        "text, which means a <tab> character is placed in between the numbers.Optionally the file "
        "can also be saved in a 'comma-separated variable' (.csv) format by selecting this option on "
        "he 'Advanced' Tab"));
}

TEST_F(Advice, FramesShowTheirAdviceOnClickAndOnPointing) {
    window.Frame3_MouseMove();
    EXPECT_EQ(window.txtHelp.Text,
              "This frame contains the key results from the most recent launch.\r\n\r\n");
    window.frmParachute_MouseMove();
    EXPECT_EQ(
        window.txtHelp.Text,
        "This frame contains details of the parachute. \r\n\r\nPlease be aware that in addition to being "
        "difficult to make, parachutes are also difficult to simulate. So this simulation is only "
        "approximately correct.\r\n\r\nThe parachute can be triggered when either (a) the rocket reaches a "
        "particular angle or (B) after a particular time. After triggering, the program assumes that the "
        "parachute takes one second to fully deploy.");
    window.frmLauncher_Click();
    EXPECT_TRUE(endsWith(window.txtHelp.Text,
                         "'flop over'\r\n\r\nThis tendency to flop can be overcome by the use "
                         "of a launch rail."));
    window.Frame1_MouseMove();
    EXPECT_EQ(window.txtHelp.Text,
              "This frame contains details of the water rocket itself. \r\n\r\nClick into a "
              "text box, or hold the mouse over a control button for more information.");
}

TEST_F(Advice, SelectingATabShowsItsAdviceWithTwoLineEnds) {
    for (int tab : {0, 2, 3, 4, 5, 6, 1}) {
        window.SSTab1.setTab(tab);
        EXPECT_EQ(window.txtHelp.Text, ui::tabAdvice(tab)) << tab;
    }
    EXPECT_EQ(ui::tabAdvice(1),
              "On this tab panel you can change parameters to design and simulate the launch of "
              "your own rocket. \r\n\r\n");
    EXPECT_EQ(ui::tabAdvice(7), "");
}

} // namespace
} // namespace zorbal::test
