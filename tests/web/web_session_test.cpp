// SPDX-License-Identifier: MIT
// The web edition's session: effects after the handler, the open dialog answered beforehand,
// downloads, the refused clipboard, the help panel, and what the page is told to mirror.
#include "files/design_file.h"
#include "ui/design_loader.h"
#include "web/web_session.h"

#include <gtest/gtest.h>

#include <cstring>

namespace zorbal::web {
namespace {

using Kind = Effect::Kind;

class WebSession : public ::testing::Test {
  protected:
    void SetUp() override {
        session.act("click", "cmdOK");
        session.clearEffects();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> texts;
        for (const Effect& e : session.effects())
            if (e.kind == Kind::Message)
                texts.push_back(e.text);
        return texts;
    }
    Session session;
};

TEST_F(WebSession, OkOpensTheMainWindowOnce) {
    EXPECT_TRUE(session.window().Loaded);
    EXPECT_FALSE(session.splash().Visible);
    EXPECT_EQ(session.window().SSTab1.Tab(), ui::TabRocketDesign);
    session.act("click", "Image1");
    EXPECT_TRUE(session.effects().empty());
}

TEST_F(WebSession, DefaultDesignLaunchesWithItsFigures) {
    session.act("click", "cmdLaunch");
    EXPECT_TRUE(session.effects().empty());
    EXPECT_EQ(session.window().txtOutput[4].Text, "4.30");
    EXPECT_EQ(session.window().txtOutput[6].Text, "22.60");
    EXPECT_EQ(session.window().txtOutput[9].Text, "51.61");
    EXPECT_EQ(session.window().SSTab1.Tab(), ui::TabTrajectory);
}

TEST_F(WebSession, APressedLaunchButtonShowsBusyUntilItsClickHasLaunched) {
    for (const char* button : {"cmdLaunch", "cmdLaunch2"}) {
        const int launches = session.window().LaunchCount;
        EXPECT_TRUE(session.act("press", button));
        const auto& launch = session.window().cmdLaunch;
        EXPECT_EQ(launch.Caption, "Busy...");
        EXPECT_EQ(launch.BackColor, platform::kGreen);
        EXPECT_FALSE(launch.Enabled);
        EXPECT_EQ(session.window().LaunchCount, launches); // nothing flown yet
        session.act("click", button);
        EXPECT_EQ(session.window().LaunchCount, launches + 1);
        EXPECT_EQ(session.window().txtOutput[9].Text, "51.61");
        EXPECT_EQ(launch.Caption, "Launch!");
        EXPECT_EQ(launch.BackColor, platform::kRed);
        EXPECT_TRUE(launch.Enabled);
    }
    // A busy button takes no second press; the click after the press launches once. A refused
    // launch ends ready.
    EXPECT_TRUE(session.act("press", "cmdLaunch"));
    EXPECT_FALSE(session.act("press", "cmdLaunch"));
    session.act("click", "cmdLaunch");
    EXPECT_EQ(session.window().LaunchCount, 3);
    session.act("input", "txtInput_0", "25");
    EXPECT_TRUE(session.act("press", "cmdLaunch"));
    session.act("click", "cmdLaunch");
    EXPECT_EQ(messages().size(), 1u);
    EXPECT_EQ(session.window().cmdLaunch.Caption, "Launch!");
    EXPECT_TRUE(session.window().cmdLaunch.Enabled);
}

TEST_F(WebSession, ARefusedLaunchQueuesItsMessageAndCorrectsTheBox) {
    session.act("input", "txtInput_0", "25");
    session.act("click", "cmdLaunch");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_NE(messages()[0].find("maximum volume"), std::string::npos);
    EXPECT_NE(session.window().txtInput[0].Text, "25");
    EXPECT_EQ(session.window().LaunchCount, 0);
}

TEST_F(WebSession, AVolumeTypedWithADecimalCommaFliesAndIsSavedAsTheNumberMeant) {
    session.act("input", "txtInput_0", "1,5");
    session.act("click", "cmdLaunch");
    EXPECT_TRUE(messages().empty());
    EXPECT_DOUBLE_EQ(session.window().Rocket.BottleVolume, 0.0015);
    EXPECT_EQ(session.window().txtInput[0].Text, "1,5");
    EXPECT_EQ(session.window().MSFlexGrid1.TextMatrix(2, 1), "1,5");
    session.clearEffects();
    session.act("click", "cmdSave");
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_EQ(session.effects()[0].text.rfind("Volume\t1.5\r\n", 0), 0u);
}

TEST_F(WebSession, AGraphLimitLeftReplotsWithoutCountingALaunch) {
    session.act("click", "cmdLaunch");
    const auto revision = session.window().pctXYGraph.revision();
    session.act("input", "txtGraph_1", "200");
    EXPECT_FALSE(session.act("validate", "txtGraph_1"));
    EXPECT_TRUE(session.effects().empty());
    EXPECT_GT(session.window().pctXYGraph.revision(), revision);
    EXPECT_EQ(session.window().LaunchCount, 1);
    EXPECT_EQ(session.window().SSTab1.Tab(), ui::TabTrajectory);
}

TEST_F(WebSession, LoadReadsTheFilePickedBeforeItRanAndOnlyOnce) {
    session.act("click", "cmdLoad"); // no pick: the dialog was cancelled
    EXPECT_TRUE(session.effects().empty());

    ui::Zorbal& w = session.window();
    w.txtInput[0].Text = "1.5";
    w.chkOptions[3].setValue(1);
    const std::string design = files::designFileText(ui::designTexts(w));
    session.act("click", "cmdDefault");
    ASSERT_EQ(w.txtInput[0].Text, "2.00");

    session.pickFile("my design.txt", design);
    session.act("click", "cmdLoad");
    EXPECT_TRUE(session.effects().empty());
    EXPECT_EQ(w.txtInput[0].Text, "1.5");
    EXPECT_EQ(w.chkOptions[3].Value(), 1);

    session.act("click", "cmdDefault");
    session.act("click", "cmdLoad"); // the pick was used up
    EXPECT_EQ(w.txtInput[0].Text, "2.00");
}

TEST_F(WebSession, AnUnreadableFileShowsTheProgramsMessage) {
    session.pickFile("picture.png", std::string("\x89PNG\0\0", 6));
    session.act("click", "cmdLoad");
    EXPECT_EQ(messages(), std::vector<std::string>{"Sorry, the program can't open that file."});
}

TEST_F(WebSession, SaveDownloadsTheDesignFileUnderItsProposedName) {
    session.act("input", "txtInput_1", "45");
    session.act("click", "cmdSave");
    ASSERT_EQ(session.effects().size(), 1u);
    const Effect& download = session.effects()[0];
    EXPECT_EQ(download.kind, Kind::Download);
    EXPECT_EQ(download.name, "Water Rocket 1.txt");
    EXPECT_EQ(download.text, files::designFileText(ui::designTexts(session.window())));
    EXPECT_NE(download.text.find("45"), std::string::npos);
}

TEST_F(WebSession, HistorySaveGoesToTheClipboardAndDownloadsWithTheCommaOption) {
    session.act("click", "cmdLaunch");
    session.act("click", "chkOptions_1", "1");
    session.act("click", "cmdSaveHistory");
    ASSERT_EQ(session.effects().size(), 2u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Clipboard);
    EXPECT_EQ(session.effects()[1].kind, Kind::Download);
    EXPECT_EQ(session.effects()[1].name, "Launch Data 1.csv");
}

TEST_F(WebSession, ARefusedClipboardRepeatsTheCopyWithTheProgramsFailureMessage) {
    session.act("click", "cmdLaunch");
    session.act("click", "cmdCopy");
    ASSERT_EQ(session.effects().size(), 2u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Clipboard);
    EXPECT_NE(session.effects()[1].text.find("have been copied to the clipboard"), std::string::npos);

    session.clearEffects();
    session.setClipboardRefusing(true);
    session.act("click", "cmdCopy");
    session.setClipboardRefusing(false);
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_NE(messages()[0].find("could not be placed on the clipboard"), std::string::npos);
    EXPECT_EQ(session.window().cmdCopy.Caption, "Copy");
    EXPECT_TRUE(session.window().cmdCopy.Enabled);
    // The clipboard works again for the next action.
    session.clearEffects();
    session.act("click", "cmdCopyCommentary");
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Clipboard);
}

TEST_F(WebSession, ADisabledButtonTakesNoClick) {
    ASSERT_FALSE(session.window().cmdCopy.Enabled);
    session.act("click", "cmdCopy");
    EXPECT_TRUE(session.effects().empty());
}

TEST_F(WebSession, HelpPanelButtonEndsAtTheDesignedWidthsAtOnce) {
    session.act("click", "cmdShowHelp_0");
    EXPECT_EQ(session.platform().frame.width, ui::kWidthWithoutHelp);
    EXPECT_EQ(session.window().cmdShowHelp[0].Caption, "Show Help");
    session.act("click", "cmdShowHelp_0");
    EXPECT_EQ(session.platform().frame.width, ui::kWidthWithHelp);
    EXPECT_EQ(session.window().cmdShowHelp[0].Caption, "Hide Help");
}

TEST_F(WebSession, OnlyChangedControlsAreSentAgain) {
    const std::string all = session.changedControls();
    EXPECT_NE(all.find("\"txtInput_13\":"), std::string::npos);
    EXPECT_NE(all.find("\"SSTab1\":{\"captions\":[\"Introduction\""), std::string::npos);
    EXPECT_EQ(session.changedControls(), "{}");
    session.act("move", "cmdLaunch");
    const std::string changed = session.changedControls();
    EXPECT_NE(changed.find("\"txtHelp\":"), std::string::npos);
    EXPECT_EQ(changed.find("\"txtInput_0\":"), std::string::npos);
    EXPECT_FALSE(session.changedGrid().empty());
    EXPECT_TRUE(session.changedGrid().empty());
}

TEST(WebJson, EscapesWhatJsonCannotHoldAndKeepsUtf8) {
    EXPECT_EQ(jsonString("a\"b\\c\r\n\t\x01 \xc2\xb0"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001 \xc2\xb0\"");
}

TEST(WebDisplayList, PackedEntriesKeepKindsColoursCoordinatesAndRuns) {
    platform::DrawingSurface surface;
    surface.scale(0, 10, 10, 0);
    surface.line(1, 2, 3, 4, platform::kRed);
    surface.setForeColor(platform::kBlue);
    surface.setDrawWidth(3);
    surface.point(5, 6);
    surface.point(7, 8);
    std::vector<std::uint32_t> packed;
    packDisplayList(surface, packed);
    ASSERT_EQ(packed.size(), 3 * kPackedWords);
    auto floatAt = [&](std::size_t word) {
        float value = 0;
        std::memcpy(&value, &packed[word], sizeof value);
        return value;
    };
    EXPECT_EQ(packed[0], static_cast<std::uint32_t>(platform::PrimitiveKind::Scale));
    EXPECT_EQ(floatAt(6), 10.0f);
    const std::size_t line = kPackedWords, run = 2 * kPackedWords;
    EXPECT_EQ(packed[line], static_cast<std::uint32_t>(platform::PrimitiveKind::Line));
    EXPECT_EQ(packed[line + 2], platform::kRed);
    EXPECT_EQ(floatAt(line + 7), 3.0f);
    EXPECT_EQ(packed[run], static_cast<std::uint32_t>(platform::PrimitiveKind::PointRun));
    EXPECT_EQ(packed[run + 13], 0u); // first point
    EXPECT_EQ(packed[run + 14], 2u); // count
    EXPECT_EQ(packed[run + 15], platform::kBlue);
    EXPECT_EQ(packed[run + 16], 3u);
}

} // namespace
} // namespace zorbal::web
