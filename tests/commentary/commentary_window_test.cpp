// SPDX-License-Identifier: MIT
// The commentary report a launch leaves in the window's box.
#include "commentary/commentary_text.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

namespace zorbal::commentary {
namespace {

using test::WindowTest;

// Compares `text` with the golden file byte for byte; ZORBAL_UPDATE_GOLDEN=1 rewrites the file.
void expectGolden(const std::string& text, const std::string& name) {
    const std::string path = std::string(ZORBAL_TEST_DATA) + "/commentary/" + name;
    if (const char* update = std::getenv("ZORBAL_UPDATE_GOLDEN");
        update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing golden file " << path << " (run with ZORBAL_UPDATE_GOLDEN=1)";
    std::stringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(text, golden.str()) << "differs from " << path;
}

// ---- The report a launch leaves in the box ------------------------------------------------------

using CommentaryWindow = WindowTest;

TEST_F(CommentaryWindow, DefaultDesignReportMatchesTheGoldenText) {
    ASSERT_TRUE(launch());
    expectGolden(window.txtCommentary.Text, "default_design.txt");
}

TEST_F(CommentaryWindow, EachLaunchReplacesTheReportAndNumbersIt) {
    for (int i = 1; i <= 10; ++i)
        ASSERT_TRUE(launch());
    const std::string& text = window.txtCommentary.Text;
    EXPECT_EQ(text.rfind("Launch number  10\r\n==================\r\n", 0), 0u);
    EXPECT_EQ(text.find("Launch number", 1), std::string::npos);
    EXPECT_EQ(text.back(), '\'');

    window.Replot();
    EXPECT_EQ(window.txtCommentary.Text.rfind("Launch number  10\r\n", 0), 0u);
    const std::string before = window.txtCommentary.Text;
    window.CommentaryCreation(3);
    EXPECT_EQ(window.txtCommentary.Text, before);
}

TEST_F(CommentaryWindow, RailSentenceFollowsTheRailOption) {
    window.chkOptions[2].setValue(1);
    ASSERT_TRUE(launch());
    EXPECT_NE(window.txtCommentary.Text.find("A launch rail of length 0.50 metres was used at an angle of "
                                             "60.0 degrees from the horizontal.\r\n"),
              std::string::npos);
}

TEST_F(CommentaryWindow, ParachuteSectionOnlyWhenItWasReleasedInThisFlight) {
    window.chkOptions[3].setValue(1);
    window.optParachute.select(1);
    type(12, "1");
    ASSERT_TRUE(launch());
    const std::string stars = std::string(80, '*');
    const std::string& text = window.txtCommentary.Text;
    const auto section =
        text.find("\r\nPARACHUTE:\r\n" + stars +
                  "\r\nThe  parachute was triggered 1.0 seconds after "
                  "Launch.\r\nAt this point the rocket was travelling with an air speed of ");
    ASSERT_NE(section, std::string::npos) << text;
    const auto end =
        text.find(" metres/second\r\nThe parachute took one second to fully deploy. \r\n\r\nThe rocket "
                  "landed after ",
                  section);
    EXPECT_NE(end, std::string::npos) << text;

    type(12, "15"); // longer than the flight
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.txtCommentary.Text.find("PARACHUTE:"), std::string::npos);
}

TEST_F(CommentaryWindow, ARocketTooHeavyToClimbDoesNotReportAnEarlierFlightsPhases) {
    ASSERT_TRUE(launch()); // leaves burnout and gas blast figures in the event record
    type(0, "20");
    type(1, "75");
    type(3, "7");
    type(4, "1");
    ASSERT_TRUE(launch());
    ASSERT_FALSE(window.Rocket.EventHappened[sim::WaterOut]);
    const std::string& text = window.txtCommentary.Text;
    EXPECT_NE(text.find(std::string(kNoBurnout)), std::string::npos) << text;
    EXPECT_NE(text.find(std::string(kNoGasBlastEnd)), std::string::npos);
    EXPECT_NE(text.find(std::string(kNoApogee)), std::string::npos);
    EXPECT_EQ(text.find("ran out of water after"), std::string::npos);
    EXPECT_EQ(text.find("'gas blast' finished"), std::string::npos);
    EXPECT_NE(text.find("The rocket landed after "), std::string::npos);
    EXPECT_NE(text.find("Taskel says:'Mmmm. You can do better than that!'"), std::string::npos);
}

} // namespace
} // namespace zorbal::commentary
