// SPDX-License-Identifier: MIT
#include "support/window_fixture.h"
#include "ui/advice.h"
#include "ui/splash.h"

namespace zorbal::test {
namespace {

using StartUp = WindowTest;
using Options = WindowTest;

TEST_F(StartUp, OpensOnTheDesignTabWithTheHelpPanelShownAndTheOptionsOff) {
    EXPECT_TRUE(window.Loaded);
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabRocketDesign);
    EXPECT_EQ(window.txtHelp.Text, ui::tabAdvice(1));
    EXPECT_TRUE(window.HelpPanelShown);
    EXPECT_EQ(platform.windowFrame.width, ui::kWidthWithHelp);
    EXPECT_EQ(window.cmdShowHelp[0].Caption, "Hide Help");
    EXPECT_EQ(window.cmdShowHelp[0].ToolTip, "");
    EXPECT_TRUE(window.CountLaunch);
    EXPECT_EQ(window.TabAfterLaunch, 2);
    EXPECT_FALSE(window.txtInput[8].Enabled || window.lblInput[25].Enabled);
    EXPECT_FALSE(window.frmParachute.Enabled || window.txtInput[11].Enabled || window.lblInput[32].Enabled);
    EXPECT_FALSE(window.cmdCopy.Enabled || window.cmdSaveTraj.Enabled || window.cmdCopyHistory.Enabled ||
                 window.cmdSaveHistory.Enabled);
    EXPECT_EQ(window.lblInput[6].Caption, "Drag Factor ");
    EXPECT_EQ(window.lblOutput[16].Caption, "Initial Acceleration");
    EXPECT_EQ(window.optParachute[0].Caption, "Trigger by angle from  horizontal");
}

TEST_F(StartUp, TheWelcomeTextHasFifteenLinesEachEndingInCrLf) {
    const std::string& text = window.Text1.Text;
    std::vector<std::string> lines;
    std::size_t from = 0;
    for (std::size_t end; (end = text.find("\r\n", from)) != std::string::npos; from = end + 2)
        lines.push_back(text.substr(from, end - from));
    EXPECT_EQ(from, text.size()); // nothing after the last CR LF
    ASSERT_EQ(lines.size(), 15u);
    EXPECT_EQ(lines[0],
              "Water rockets are great fun and I never tire of launching them and trying to make them "
              "better. But ");
    EXPECT_EQ(lines[7], "something, just click back to the [Rocket Design] tab, and then [Launch] again. ");
    for (std::size_t blank : {4u, 8u, 11u, 13u})
        EXPECT_EQ(lines[blank], "") << blank;
    EXPECT_NE(lines[12].find('@'), std::string::npos);
    EXPECT_EQ(lines[14], "Happy rocketeering!");
    EXPECT_EQ(text.find('\n'), text.find("\r\n") + 1); // no bare line feeds
}

TEST_F(Options, TheParachuteSwitchesItsWholeGroupAndTheTriggerChoosesItsInput) {
    window.chkOptions[3].setValue(1);
    EXPECT_TRUE(window.Rocket.ParachuteOn);
    EXPECT_TRUE(window.frmParachute.Enabled && window.optParachute[0].Enabled &&
                window.optParachute[1].Enabled);
    EXPECT_TRUE(window.txtInput[11].Enabled && window.txtInput[12].Enabled && window.txtInput[13].Enabled);
    EXPECT_TRUE(window.lblInput[30].Enabled && window.lblInput[32].Enabled && window.lblInput[35].Enabled);

    window.optParachute.select(1);
    EXPECT_FALSE(window.txtInput[11].Enabled || window.lblInput[30].Enabled);
    EXPECT_TRUE(window.txtInput[12].Enabled && window.lblInput[32].Enabled);

    window.chkOptions[3].setValue(0);
    EXPECT_FALSE(window.Rocket.ParachuteOn);
    EXPECT_FALSE(window.frmParachute.Enabled || window.optParachute[1].Enabled ||
                 window.txtInput[12].Enabled || window.lblInput[32].Enabled || window.txtInput[13].Enabled ||
                 window.lblInput[34].Enabled);
}

TEST_F(Options, TheLaunchRailEnablesItsLengthAndClearingKeepsTheText) {
    window.chkOptions[2].setValue(1);
    EXPECT_TRUE(window.Rocket.LaunchRailUsed);
    EXPECT_TRUE(window.txtInput[8].Enabled && window.lblInput[25].Enabled);
    type(8, "1.5");
    window.chkOptions[2].setValue(0);
    EXPECT_FALSE(window.Rocket.LaunchRailUsed);
    EXPECT_FALSE(window.txtInput[8].Enabled || window.lblInput[25].Enabled);
    EXPECT_EQ(window.txtInput[8].Text, "1.5");
}

TEST_F(Options, OnlyPlotTheLastRocketReflysWithoutCounting) {
    window.chkOptions[0].setValue(1); // nothing launched yet: nothing to fly again
    EXPECT_EQ(window.LaunchCount, 0);
    EXPECT_TRUE(started.messages().empty());

    ASSERT_TRUE(launch());
    window.SSTab1.setTab(ui::TabRocketDesign);
    window.chkOptions[0].setValue(0);
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_TRUE(window.CountLaunch);
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabTrajectory);

    type(3, "99");
    window.chkOptions[0].setValue(1);
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_EQ(started.messages().size(), 1u);
    EXPECT_TRUE(window.CountLaunch);
}

TEST(Splash, OkOrThePictureOpensTheMainWindowOnce) {
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    ui::Splash splash(window);
    EXPECT_EQ(splash.Label3.Caption, "Hold the cursor over text boxes or buttons for advice");
    EXPECT_EQ(splash.cmdOK.ToolTip, "Press this button to open the rocket design window.");
    int shows = 0;
    splash.onShowMainWindow = [&] {
        EXPECT_TRUE(window.Loaded);
        ++shows;
    };
    splash.Image1_Click();
    EXPECT_EQ(shows, 1);
    EXPECT_FALSE(splash.Visible);
    EXPECT_EQ(window.txtHelp.Text, ui::tabAdvice(1));

    window.txtHelp.Text = "after start-up";
    splash.cmdOK_Click();
    EXPECT_EQ(shows, 1);
    EXPECT_EQ(window.txtHelp.Text, "after start-up");
}

} // namespace
} // namespace zorbal::test
