// SPDX-License-Identifier: MIT
#include "support/reference_designs.h"
#include "support/window_fixture.h"

#include <cmath>

namespace zorbal::test {
namespace {

using LaunchSequence = WindowTest;
using Checking = WindowTest;
using Optimiser = WindowTest;

const std::string kNotEnoughAir =
    "Sorry! The launch has been cancelled because there is not enough air in the bottle to fully expel the "
    "water!\r\n\r\nTry reducing the 'Filling Factor' for the bottle or press the blue 'Optimise' button.";

void expectReady(const ui::Zorbal& w) {
    EXPECT_EQ(w.cmdLaunch.Caption, "Launch!");
    EXPECT_EQ(w.cmdLaunch.BackColor, platform::kRed);
    EXPECT_TRUE(w.cmdLaunch.Enabled);
}

TEST_F(LaunchSequence, ALaunchCountsEnablesTheExportsAndShowsTheTrajectoryTab) {
    EXPECT_FALSE(window.cmdCopy.Enabled);
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabTrajectory);
    EXPECT_TRUE(window.cmdCopy.Enabled && window.cmdCopyHistory.Enabled && window.cmdSaveTraj.Enabled &&
                window.cmdSaveHistory.Enabled);
    EXPECT_EQ(window.TrajectoryData(1, 0, 0), 1561);
    expectReady(window);
    EXPECT_TRUE(messagesEmpty());
}

TEST_F(LaunchSequence, TheDefaultDesignShowsItsPreLaunchValuesAndThenItsFigures) {
    const char* expected[14] = {"4.0",  "2.4",    "141.5", "367.3", "",      "-75.9", "",
                                "0.70", "202.08", "",      "-19.0", "154.1", "210.3", "21.4"};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(window.txtOutput[i].Text, expected[i]) << "txtOutput(" << i << ")";
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.txtOutput[4].Text, "4.30");
    EXPECT_EQ(window.txtOutput[6].Text, "22.60");
    EXPECT_EQ(window.txtOutput[9].Text, "51.61");
}

TEST_F(LaunchSequence, AFlightThatNeverLandsIsStoppedWithAMessageAndShowsWhatWasFlown) {
    window.chkOptions[ui::OptionParachute].setValue(1);
    window.optParachute.select(ui::TriggerOnAngle);
    for (const auto& [index, text] : reference::stepBoundInputs())
        type(index, text);
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.LastFlight.outcome, sim::FlightOutcome::StepLimitReached);
    ASSERT_EQ(started.messages().size(), 1u);
    EXPECT_NE(started.messages()[0].find("1,000,000 steps"), std::string::npos);
    EXPECT_TRUE(std::isfinite(window.Rocket.MaxHeight));
    EXPECT_EQ(window.TrajectoryData(1, 0, 0), sim::kMaxFlightSteps);
    expectReady(window);
}

TEST_F(LaunchSequence, ADesignWithTooLittleAirIsRefusedAndNothingIsCounted) {
    type(1, "99");
    type(3, "0.1");
    EXPECT_FALSE(launch());
    EXPECT_EQ(window.LaunchCount, 0);
    ASSERT_EQ(started.messages().size(), 1u);
    EXPECT_EQ(started.messages()[0], kNotEnoughAir);
    EXPECT_FALSE(window.cmdCopy.Enabled);
    EXPECT_EQ(window.txtOutput[1].Text, "0.0"); // the refused design's values stay shown
    expectReady(window);
}

TEST_F(LaunchSequence, TheSecondLaunchButtonShowsBusyBeforeFlyingAndEndsReady) {
    std::string captionWhileWaiting;
    platform.eventPump.post([&] { captionWhileWaiting = window.cmdLaunch.Caption; });
    window.cmdLaunch2_Click();
    EXPECT_EQ(captionWhileWaiting, "Busy...");
    EXPECT_EQ(window.LaunchCount, 1);
    expectReady(window);
    type(0, "25");
    window.cmdLaunch2_Click();
    EXPECT_EQ(window.LaunchCount, 1);
    expectReady(window);
}

TEST_F(LaunchSequence, ALaunchClickedDuringTheEndOfAFlightRunsNestedAndBothComplete) {
    platform.eventPump.post([&] { window.cmdLaunch2_Click(); });
    ASSERT_TRUE(launch() || window.LaunchCount == 2);
    EXPECT_EQ(window.LaunchCount, 2);
    expectReady(window);
}

TEST_F(LaunchSequence, AReplotFliesAgainWithoutCountingAndDoesNothingBeforeTheFirstLaunch) {
    window.Replot();
    EXPECT_EQ(window.LaunchCount, 0);
    EXPECT_EQ(window.TrajectoryData(0, 0, 0), 0);
    ASSERT_TRUE(launch());
    type(10, "5");
    window.Replot();
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_TRUE(window.CountLaunch);
    EXPECT_NE(window.txtOutput[9].Text, "51.61");
}

TEST_F(Checking, RefusesTheFirstViolationWritesTheLimitAndKeepsTheRestForLater) {
    type(0, "25");
    type(1, "0");
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(window.txtInput[0].Text, "20.00");
    EXPECT_EQ(window.txtInput[1].Text, "0");
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(window.txtInput[1].Text, "1.0");
    EXPECT_FALSE(window.CheckParameters());
    EXPECT_EQ(started.messages(),
              (std::vector<std::string>{"Sorry, the maximum volume that can be simulated is 20 litres",
                                        "The rocket won't work if bottle doesn't have some water in!"}));
}

TEST_F(Checking, AcceptsTheLimitsThemselvesAndChecksOptionalInputsOnlyWhenTheirOptionIsOn) {
    type(7, "90");
    type(4, "30");
    type(8, "0");
    type(13, "5");
    EXPECT_FALSE(window.CheckParameters());
    type(7, "90.5");
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(started.messages().back(),
              "90 degrees [a vertical (straight-up) launch] is largest launch angle");
    window.chkOptions[3].setValue(1);
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(started.messages().back(),
              "This program can't simulate a parachute larger than 1 metre in diameter.");
    EXPECT_EQ(window.txtInput[13].Text, "1.00");
    type(10, "-12");
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(window.txtInput[10].Text, "-10.0");
    type(10, "12");
    EXPECT_TRUE(window.CheckParameters());
    EXPECT_EQ(window.txtInput[10].Text, "10.0");
}

TEST_F(Checking, AnEfficiencyThatIsNotAPlainNumberStopsLaunchCheckAndOptimise) {
    type(9, "70%");
    EXPECT_FALSE(launch());
    window.cmdCheck_Click();
    window.cmdOptimise_Click();
    ASSERT_EQ(started.messages().size(), 3u);
    for (const auto& message : started.messages())
        EXPECT_NE(message.find("Nozzle Efficiency"), std::string::npos);
    EXPECT_EQ(window.txtInput[1].Text, "30.0");
    type(9, " 70 ");
    EXPECT_TRUE(launch());
}

TEST_F(Checking, ThePressureBoxTurnsFromWhiteThroughPinkToRed) {
    bool cancel = false;
    auto colourFor = [&](const char* text) {
        type(3, text);
        window.txtInput_Validate(3, cancel);
        return window.txtInput[3].BackColor;
    };
    EXPECT_EQ(colourFor("3"), platform::kWhite);
    EXPECT_EQ(colourFor("3.5"), platform::rgb(255, 127, 127));
    EXPECT_EQ(colourFor("7"), platform::rgb(255, 0, 0));
    EXPECT_EQ(colourFor("8"), platform::rgb(255, 0, 0));
    EXPECT_EQ(colourFor("-1"), platform::rgb(255, 0, 0));
    EXPECT_FALSE(cancel);
}

TEST_F(Checking, TheCheckButtonWarnsAboutTooLittleAirWithoutLaunching) {
    type(1, "99");
    type(3, "0.1");
    window.cmdCheck_Click();
    EXPECT_EQ(started.messages(),
              (std::vector<std::string>{
                  "Caution! There is not enough air in the bottle to fully expel the water!"}));
    EXPECT_EQ(window.LaunchCount, 0);
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabRocketDesign);
}

TEST_F(Optimiser, FindsTwentyOnePerCentForTheDefaultDesign) {
    window.cmdOptimise_Click();
    EXPECT_EQ(window.txtInput[1].Text, "21");
    EXPECT_NEAR(window.Rocket.AccessibleEnergy / window.Rocket.RocketMass, 207.77, 0.005);
    EXPECT_EQ(platform.eventPump.calls, 98);
    EXPECT_EQ(window.LaunchCount, 0);
}

TEST_F(Optimiser, MovesWithTheMassOfTheRocketAndTheDensityOfTheLiquid) {
    type(5, "1000");
    window.cmdOptimise_Click();
    const double heavy = std::stod(window.txtInput[1].Text);
    type(5, "100");
    type(2, "5000");
    window.cmdOptimise_Click();
    const double dense = std::stod(window.txtInput[1].Text);
    EXPECT_GT(heavy, 21);
    EXPECT_LT(dense, 21);
}

TEST_F(Optimiser, StopsBeforeStartingWhenAnInputIsOutOfRange) {
    type(0, "25");
    window.cmdLaunch.Enabled = false;
    window.cmdOptimise_Click();
    EXPECT_EQ(window.txtInput[1].Text, "30.0");
    EXPECT_TRUE(window.cmdLaunch.Enabled);
    EXPECT_EQ(platform.eventPump.calls, 0);
}

} // namespace
} // namespace zorbal::test
