// SPDX-License-Identifier: MIT
// The web edition's session: effects after the handler, the open dialog answered beforehand,
// downloads, the refused clipboard, the help panel, and what the page is told to mirror.
#include "files/design_file.h"
#include "files/design_link.h"
#include "platform/pixel_geometry.h"
#include "ui/design_loader.h"
#include "web/web_session.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <vector>

namespace zorbal::web {
namespace {

using Kind = Effect::Kind;

std::vector<std::string> messages(const Session& session) {
    std::vector<std::string> texts;
    for (const Effect& e : session.effects())
        if (e.kind == Kind::Message)
            texts.push_back(e.text);
    return texts;
}

class WebSession : public ::testing::Test {
  protected:
    void SetUp() override {
        session.act("click", "cmdOK");
        session.clearEffects();
    }
    std::vector<std::string> messages() const { return web::messages(session); }
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

TEST_F(WebSession, CopyLinkPutsTheSavedDesignOnTheClipboardAndSaysWhenItIsRefused) {
    session.act("input", "txtInput_1", "45");
    session.act("click", "chkOptions_3", "1");
    const std::uint64_t kept = session.journalRevision();
    session.act("copylink", "page", "https://school.example/zorbal/#old");
    ASSERT_EQ(session.effects().size(), 2u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Clipboard);
    const std::string& link = session.effects()[0].text;
    EXPECT_TRUE(link.starts_with("https://school.example/zorbal/#zorbal=1.")) << link;
    EXPECT_EQ(files::readDesignLink(link).designText,
              files::designFileText(ui::designTexts(session.window())));
    EXPECT_NE(messages()[0].find("link to this design has been copied"), std::string::npos);
    EXPECT_EQ(session.journalRevision(), kept); // copying changes nothing to keep

    session.clearEffects();
    session.setClipboardRefusing(true);
    session.act("copylink", "page", "https://school.example/zorbal/");
    session.setClipboardRefusing(false);
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_NE(messages()[0].find("could not be placed on the clipboard"), std::string::npos);
}

/// A link to the design `window` shows.
std::string linkOf(const ui::Zorbal& window) {
    return *files::designLink("https://school.example/zorbal/",
                              files::designFileText(ui::designTexts(window)));
}

TEST(WebSessionLink, OpensOverTheSplashOnTheRocketDesignTabAndComesBackFromTheJournal) {
    Session teacher;
    teacher.act("click", "cmdOK");
    teacher.act("input", "txtInput_0", "1.5");
    teacher.act("click", "chkOptions_3", "1");
    teacher.act("click", "SSTab1_6");
    const std::string link = linkOf(teacher.window());
    const std::string saved = files::designFileText(ui::designTexts(teacher.window()));

    Session pupil; // a fresh page: the splash is open
    ASSERT_TRUE(pupil.splash().Visible);
    EXPECT_EQ(pupil.openLink(link.substr(link.find('#'))), Session::LinkOutcome::Opened);
    EXPECT_TRUE(pupil.effects().empty());
    EXPECT_FALSE(pupil.splash().Visible);
    EXPECT_EQ(pupil.window().SSTab1.Tab(), ui::TabRocketDesign);
    EXPECT_EQ(pupil.window().txtInput[0].Text, "1.5");
    EXPECT_EQ(pupil.window().chkOptions[3].Value(), 1);

    // As "Load" of the same file would have left it, and a reload's replay gives it back.
    Session loaded;
    loaded.act("click", "cmdOK");
    loaded.pickFile("Water Rocket 1.txt", saved);
    loaded.act("click", "cmdLoad");
    EXPECT_EQ(lessonDigest(loaded.window(), loaded.platform().frame.width),
              lessonDigest(pupil.window(), pupil.platform().frame.width));
    Session reloaded;
    EXPECT_EQ(reloaded.restore(pupil.journal()), RestoreOutcome::Restored);
    EXPECT_EQ(reloaded.window().txtInput[0].Text, "1.5");
}

TEST(WebSessionLink, OpensIntoTheLessonSoFarWhoseLaunchesStay) {
    Session pupil;
    pupil.act("click", "cmdOK");
    pupil.act("click", "cmdLaunch");
    pupil.act("click", "SSTab1_6");
    Session teacher;
    teacher.act("click", "cmdOK");
    teacher.act("input", "txtInput_3", "5");
    EXPECT_EQ(pupil.openLink(linkOf(teacher.window())), Session::LinkOutcome::Opened);
    EXPECT_EQ(pupil.window().txtInput[3].Text, "5");
    EXPECT_EQ(pupil.window().LaunchCount, 1);
    EXPECT_EQ(pupil.window().SSTab1.Tab(), ui::TabRocketDesign);
}

TEST(WebSessionLink, LeavesOtherFragmentsAloneAndRefusesDamagedOnesChangingNothing) {
    Session pupil;
    pupil.act("click", "cmdOK");
    pupil.act("input", "txtInput_0", "3");
    pupil.clearEffects();
    const std::uint64_t kept = pupil.journalRevision();
    const std::uint64_t shown = lessonDigest(pupil.window(), pupil.platform().frame.width);
    for (const char* other : {"", "#", "#top", "#/route", "#access_token=x"}) {
        EXPECT_EQ(pupil.openLink(other), Session::LinkOutcome::NotADesign) << other;
        EXPECT_TRUE(pupil.effects().empty());
    }
    const std::string link = linkOf(pupil.window());
    std::string overlong = "Volume\t";
    overlong += std::string(files::kMaxFieldLength + 1, '7'); // a field "Load" cannot read
    const std::string damaged[] = {
        link.substr(0, link.size() - 3),                                       // cut short
        link.substr(0, link.size() - 6) + "!!" + link.substr(link.size() - 4), // not base64
        link + std::string(10'000'000, 'A'),                                   // ten megabytes
        "#zorbal=1." + files::base64UrlEncode("not a zlib stream"),
        *files::designLink("x", overlong),
        *files::designLink("x", ""),
    };
    for (const std::string& text : damaged) {
        EXPECT_EQ(pupil.openLink(text), Session::LinkOutcome::Refused) << text.substr(0, 80);
        EXPECT_EQ(messages(pupil), std::vector<std::string>{"Sorry, the program can't open that file."});
        pupil.clearEffects();
    }
    EXPECT_EQ(pupil.journalRevision(), kept);
    EXPECT_EQ(lessonDigest(pupil.window(), pupil.platform().frame.width), shown);
    EXPECT_EQ(pupil.window().txtInput[0].Text, "3");
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

TEST_F(WebSession, EachLaunchIsAnnouncedByItsResultsOrTheMessageThatRefusedIt) {
    EXPECT_NE(session.changedControls().find("\"accessible\":" + session.accessibleJson()),
              std::string::npos);
    const auto accessible = [this] { return session.accessibleJson(); };
    EXPECT_NE(accessible().find("\"announcement\":\"\",\"announced\":0,"), std::string::npos);
    // A long launch is pressed first and clicked after: it is announced once it has flown.
    ASSERT_TRUE(session.act("press", "cmdLaunch"));
    EXPECT_NE(accessible().find("\"announced\":0,"), std::string::npos);
    session.act("click", "cmdLaunch");
    const std::string launched = accessible();
    EXPECT_NE(launched.find("\"announcement\":\"Launch 1: Flight Duration 4.30 seconds, Maximum Height 22.60 "
                            "metres, Range 51.61 metres.\",\"announced\":1,"),
              std::string::npos)
        << launched;
    EXPECT_NE(launched.find("[\"Landing\",\"4.30\","), std::string::npos) << launched;
    // Refused twice with the same words: each refusal is a new announcement.
    session.act("input", "txtInput_0", "25");
    for (int refusal = 2; refusal <= 3; ++refusal) {
        session.act("click", "cmdLaunch2");
        ASSERT_EQ(messages().size(), 1U);
        EXPECT_NE(accessible().find("\"announcement\":" + jsonString(messages()[0]) +
                                    ",\"announced\":" + std::to_string(refusal) + ","),
                  std::string::npos);
        session.clearEffects();
        session.act("input", "txtInput_0", "25");
    }
    // Other actions say nothing new.
    session.act("move", "cmdLaunch");
    EXPECT_NE(accessible().find("\"announced\":3,"), std::string::npos);
}

TEST(WebJson, EscapesWhatJsonCannotHoldAndKeepsUtf8) {
    EXPECT_EQ(jsonString("a\"b\\c\r\n\t\x01 \xc2\xb0"), "\"a\\\"b\\\\c\\r\\n\\t\\u0001 \xc2\xb0\"");
}

/// One command of canvasCommands, its words by name.
struct Command {
    CanvasCommand kind;
    platform::Color colour;
    int penPx;
    platform::PenCap cap;
    std::array<double, 5> at;
};

std::vector<Command> commandsOf(const platform::DrawingSurface& surface, int width, int height,
                                double ratio) {
    std::vector<double> words;
    canvasCommands(surface, width, height, ratio, words);
    EXPECT_EQ(words.size() % kCanvasCommandWords, 0u);
    std::vector<Command> commands;
    for (std::size_t i = 0; i + kCanvasCommandWords <= words.size(); i += kCanvasCommandWords)
        commands.push_back(Command{static_cast<CanvasCommand>(words[i]),
                                   static_cast<platform::Color>(words[i + 1]),
                                   static_cast<int>(words[i + 2]),
                                   static_cast<platform::PenCap>(words[i + 3]),
                                   {words[i + 4], words[i + 5], words[i + 6], words[i + 7], words[i + 8]}});
    return commands;
}

TEST(WebCanvasCommands, LinesComeMappedClippedAndOnThePixelsTheyCover) {
    platform::DrawingSurface surface;
    surface.scale(0, 10, 10, 0);                   // 10 pixels per unit on 100 x 100, y up
    surface.line(1.02, 5, 8, 5, platform::kRed);   // along x, one pixel: a hairline
    surface.line(-100, 2, 8, 2, platform::kRed);   // from far out on the left
    surface.line(1, 1, 2, 3, platform::kBlue);     // slanted: unchanged
    surface.line(50, 50, 60, 60, platform::kBlue); // wholly outside: left out
    surface.setDrawWidth(2);
    surface.line(3.04, 0, 3.04, 10, platform::kGreen); // along y, two pixels: even, on corners
    const auto commands = commandsOf(surface, 100, 100, 1.0);
    ASSERT_EQ(commands.size(), 4u);
    EXPECT_EQ(commands[0].kind, CanvasCommand::Hairline);
    EXPECT_EQ(commands[0].colour, platform::kRed);
    EXPECT_EQ(commands[0].cap, platform::PenCap::Square);
    EXPECT_EQ(commands[0].at, (std::array<double, 5>{10.5, 50.5, 80.5, 50.5, 0}));
    EXPECT_EQ(commands[1].at, (std::array<double, 5>{-63.5, 80.5, 80.5, 80.5, 0}));
    EXPECT_EQ(commands[2].kind, CanvasCommand::Line);
    EXPECT_NEAR(commands[2].at[0], 10, 1e-4);
    EXPECT_NEAR(commands[2].at[1], 90, 1e-4);
    EXPECT_NEAR(commands[2].at[3], 70, 1e-4);
    EXPECT_EQ(commands[3].kind, CanvasCommand::Line);
    EXPECT_EQ(commands[3].penPx, 2);
    EXPECT_EQ(commands[3].cap, platform::PenCap::Round);
    EXPECT_EQ(commands[3].at, (std::array<double, 5>{30, 100, 30, 0, 0}));

    // At a device pixel ratio of 2 the one-pixel line is two pixels wide: no longer a hairline.
    const auto doubled = commandsOf(surface, 200, 200, 2.0);
    ASSERT_EQ(doubled.size(), 4u);
    EXPECT_EQ(doubled[0].kind, CanvasCommand::Line);
    EXPECT_EQ(doubled[0].penPx, 2);
    EXPECT_EQ(doubled[0].at, (std::array<double, 5>{20, 100, 160, 100, 0}));
    EXPECT_EQ(doubled[3].penPx, 4);
}

TEST(WebCanvasCommands, DotsBoxesAndCirclesKeepTheirOrderAndTheScaleInForce) {
    platform::DrawingSurface surface;
    surface.scale(0, 10, 10, 0);
    surface.setForeColor(platform::kBlue);
    surface.point(5, 6);
    surface.filledBox(1.04, 1, 2.06, 3, platform::kCyan);
    surface.box(1.04, 1, 2.06, 3, platform::kBlack);
    surface.scale(0, 0, 20, 20); // later entries on the new scale, y down
    surface.point(5, 6);
    surface.circle(10, 10, 2, platform::kRed);
    surface.ellipse(10, 10, 2, 0.5, platform::kRed);
    surface.ellipse(1e30, 10, 2, 0.5, platform::kRed); // far outside: left out
    surface.arc(10, 10, 4, 0, 1);
    const auto& list = surface.primitives();
    const auto commands = commandsOf(surface, 100, 100, 1.0);
    ASSERT_EQ(commands.size(), 7u);
    EXPECT_EQ(commands[0].kind, CanvasCommand::Dots);
    EXPECT_EQ(list[static_cast<std::size_t>(commands[0].at[0])].kind, platform::PrimitiveKind::PointRun);
    EXPECT_EQ(commands[0].at[1], 0);
    EXPECT_EQ(commands[0].at[2], 10);
    EXPECT_EQ(commands[0].at[4], -10);
    EXPECT_EQ(commands[1].kind, CanvasCommand::FillRect);
    EXPECT_EQ(commands[1].colour, platform::kCyan);
    EXPECT_EQ(commands[1].at, (std::array<double, 5>{10, 70, 11, 20, 255}));
    EXPECT_EQ(commands[2].kind, CanvasCommand::StrokeRect);
    EXPECT_EQ(commands[2].at, (std::array<double, 5>{10.5, 70.5, 10, 20, 0}));
    EXPECT_EQ(commands[3].kind, CanvasCommand::Dots);
    EXPECT_GT(commands[3].at[0], commands[0].at[0]);
    EXPECT_EQ(commands[3].at[4], 5);
    EXPECT_EQ(commands[4].kind, CanvasCommand::Ellipse);
    EXPECT_EQ(commands[4].at, (std::array<double, 5>{50, 50, 10, 10, 0}));
    EXPECT_EQ(commands[5].at, (std::array<double, 5>{50, 50, 10, 5, 0}));
    // The canvas turns clockwise: counter-clockwise from 0 to 1 radian is 0 to -1, anticlockwise.
    EXPECT_EQ(commands[6].kind, CanvasCommand::Arc);
    EXPECT_EQ(commands[6].colour, platform::kBlue);
    EXPECT_EQ(commands[6].at[2], 20);
    EXPECT_EQ(commands[6].at[3], 0);
    EXPECT_NEAR(commands[6].at[4], -1, 1e-6);
    EXPECT_TRUE(commandsOf(platform::DrawingSurface(), 100, 100, 1.0).empty());
}

TEST(WebCanvasCommands, ChartsDrawnInPixelsComeScaledToTheCanvas) {
    platform::DrawingSurface surface;
    surface.scale(0, 0, 100, 50); // a chart laid out in its 100 x 50 designed pixels
    platform::TextStyle style;
    style.fontPx = 10;
    style.hAlign = platform::HAlign::Right;
    style.vAlign = platform::VAlign::Middle;
    style.isBold = true;
    surface.text(20, 10, "Range", style, platform::kBlue);
    surface.stroke(0, 5, 100, 5, 1.5, platform::kBlack, true);
    const platform::PointD points[] = {{0, 0}, {10, 20}, {30, 40}};
    surface.polyline(points, 2, platform::kRed);
    surface.filledEllipse(50, 25, 4, 3, platform::kGreen, platform::kBlack, 1);
    surface.rect(10.4, 10, 20.6, 30, platform::kCyan, 128, platform::kBlack, 1);
    surface.hatch(0, 0, 5, 5, platform::kBlack);
    surface.text(std::nan(""), 0, "lost", style, platform::kBlue); // not finite: left out
    const auto commands = commandsOf(surface, 200, 100, 2.0);      // drawn at twice the size
    ASSERT_EQ(commands.size(), 10u);
    EXPECT_EQ(commands[0].kind, CanvasCommand::Text);
    EXPECT_EQ(commands[0].at, (std::array<double, 5>{40, 20, 20, 0, 2 + 3 * 1 + 9}));
    EXPECT_EQ(surface.texts()[static_cast<std::size_t>(commands[0].at[3])], "Range");
    EXPECT_EQ(commands[1].kind, CanvasCommand::Stroke);
    EXPECT_EQ(commands[1].penPx, 3);
    EXPECT_EQ(commands[1].at, (std::array<double, 5>{0, 10, 200, 10, 1}));
    EXPECT_EQ(commands[2].kind, CanvasCommand::Polyline);
    EXPECT_EQ(commands[2].penPx, 4);
    EXPECT_EQ(commands[3].kind, CanvasCommand::PolylineTo);
    EXPECT_EQ(commands[4].kind, CanvasCommand::PolylineTo);
    EXPECT_EQ(commands[4].at, (std::array<double, 5>{60, 80, 0, 0, 0}));
    EXPECT_EQ(commands[5].kind, CanvasCommand::FillEllipse);
    EXPECT_EQ(commands[5].colour, platform::kGreen);
    EXPECT_EQ(commands[5].at, (std::array<double, 5>{100, 50, 8, 6, 0}));
    EXPECT_EQ(commands[6].kind, CanvasCommand::Ellipse); // its outline
    EXPECT_EQ(commands[6].penPx, 2);
    EXPECT_EQ(commands[7].kind, CanvasCommand::FillRect);
    EXPECT_EQ(commands[7].at, (std::array<double, 5>{21, 20, 20, 40, 128}));
    EXPECT_EQ(commands[8].kind, CanvasCommand::StrokeRect);
    EXPECT_EQ(commands[9].kind, CanvasCommand::Hatch);
    EXPECT_EQ(commands[9].at, (std::array<double, 5>{0, 0, 10, 10, 0}));
}

} // namespace
} // namespace zorbal::web
