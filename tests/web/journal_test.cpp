// SPDX-License-Identifier: MIT
// The kept lesson: what the journal keeps of a session, its replay giving back the same window,
// and the journals a page must refuse without harm.
#include "files/design_file.h"
#include "ui/design_loader.h"
#include "web/journal.h"
#include "web/web_session.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace zorbal::web {
namespace {

/// Everything a page is sent by a session: every control, the grid and both display lists.
struct Shown {
    std::string controls, grid;
    std::vector<std::uint32_t> trajectory, velocity;
    std::vector<platform::PointF> trajectoryPoints, velocityPoints;
    int launches = 0;
};

std::vector<platform::PointF> pointsOf(const platform::DrawingSurface& surface) {
    std::vector<platform::PointF> all;
    for (const platform::Primitive& entry : surface.primitives())
        if (entry.kind == platform::PrimitiveKind::PointRun)
            for (const platform::PointF& point : surface.points(entry))
                all.push_back(point);
    return all;
}

Shown shown(Session& session) {
    Shown s;
    s.controls = session.changedControls();
    s.grid = session.changedGrid();
    packDisplayList(session.window().pctXYGraph, s.trajectory);
    packDisplayList(session.window().pctVTgraph, s.velocity);
    s.trajectoryPoints = pointsOf(session.window().pctXYGraph);
    s.velocityPoints = pointsOf(session.window().pctVTgraph);
    s.launches = session.window().LaunchCount;
    return s;
}

void expectSame(Session& kept, Session& restored) {
    const Shown a = shown(kept), b = shown(restored);
    EXPECT_EQ(a.controls, b.controls);
    EXPECT_EQ(a.grid, b.grid);
    EXPECT_EQ(a.trajectory, b.trajectory);
    EXPECT_EQ(a.velocity, b.velocity);
    EXPECT_EQ(a.trajectoryPoints, b.trajectoryPoints);
    EXPECT_EQ(a.velocityPoints, b.velocityPoints);
    EXPECT_EQ(a.launches, b.launches);
}

/// A lesson of a few launches with everything that leaves its mark on the window: a refused
/// launch, the second launch button, a graph limit that re-plots, the option that plots the last
/// launch alone, the help panel hidden, a design typed but not launched and another tab.
void teach(Session& session) {
    session.act("click", "cmdOK");
    session.act("input", "txtInput_1", "4");
    session.act("input", "txtInput_1", "45");
    session.act("click", "cmdLaunch");
    session.act("input", "txtInput_0", "25"); // over the limit: refused, the box corrected
    session.act("click", "cmdLaunch");
    session.act("input", "txtInput_10", "4");
    session.act("click", "chkOptions_3", "1");
    session.act("click", "optParachute_1");
    session.act("click", "cmdLaunch2");
    session.act("input", "txtGraph_1", "150");
    session.act("validate", "txtGraph_1");
    session.act("input", "txtInput_3", "6");
    session.act("press", "cmdLaunch");
    session.act("click", "cmdLaunch");
    session.act("click", "chkOptions_0", "1");
    session.act("click", "cmdShowHelp_0");
    session.act("input", "txtInput_5", "120");
    session.act("input", "txtCommentary", "my notes");
    session.act("click", "SSTab1_6");
    session.clearEffects();
}

TEST(Journal, AReplayedLessonShowsExactlyWhatItShowedAndGoesOnAlike) {
    Session kept;
    teach(kept);
    ASSERT_EQ(kept.window().LaunchCount, 3);
    const std::string journal = kept.journal();

    Session restored;
    ASSERT_EQ(restored.restore(journal), RestoreOutcome::Restored);
    EXPECT_TRUE(restored.effects().empty()); // the refused launch's message is not shown again
    EXPECT_FALSE(restored.splash().Visible);
    EXPECT_EQ(restored.window().txtInput[5].Text, "120"); // as typed, not launched
    EXPECT_EQ(restored.window().txtInput[0].Text, kept.window().txtInput[0].Text);
    EXPECT_EQ(restored.platform().frame.width, ui::kWidthWithoutHelp);
    expectSame(kept, restored);
    EXPECT_EQ(restored.journal(), journal);

    // The next launch marks the history against the same earlier ones and draws them alike.
    for (Session* session : {&kept, &restored}) {
        session->act("click", "chkOptions_0", "0");
        session->act("click", "cmdLaunch");
    }
    expectSame(kept, restored);
}

TEST(Journal, KeepsTheActionsThatChangeTheLessonOnce) {
    Session session;
    session.act("click", "cmdOK");
    session.act("move", "cmdLaunch");
    session.act("input", "txtInput_0", "1");
    session.act("input", "txtInput_0", "1.5");
    session.act("input", "txtInput_1", "40");
    session.act("press", "cmdLaunch");
    session.act("click", "cmdLaunch");
    session.setClipboardRefusing(true); // the page's second run of a refused copy
    session.act("click", "cmdCopy");
    session.setClipboardRefusing(false);
    const std::vector<JournalAction> expected = {
        {"click", "cmdOK", ""},
        {"input", "txtInput_0", "1.5"},
        {"input", "txtInput_1", "40"},
        {"click", "cmdLaunch", ""},
    };
    EXPECT_EQ(session.journal().find("\"move\""), std::string::npos);
    const JournalContent read = readJournal(session.journal());
    ASSERT_EQ(read.outcome, RestoreOutcome::Restored);
    EXPECT_EQ(read.actions, expected);
    EXPECT_EQ(read.launches, 1);
}

TEST(Journal, ALoadedFileIsKeptWithItsBytes) {
    Session kept;
    kept.act("click", "cmdOK");
    ui::Zorbal& w = kept.window();
    w.txtInput[0].Text = "1.5";
    w.chkOptions[3].setValue(1);
    std::string design = files::designFileText(ui::designTexts(w));
    design += "\r\n\xff\xfe \x80"; // bytes that are no text survive too
    kept.act("click", "cmdDefault");
    kept.pickFile("design.txt", design);
    kept.act("click", "cmdLoad");
    // A file far too long for a design is refused as it was, from a short stand-in.
    kept.pickFile("film.mp4", std::string(files::kMaxDesignFileBytes + 1, 'x'));
    kept.act("click", "cmdLoad");
    kept.act("click", "cmdLaunch");
    kept.clearEffects();
    EXPECT_LT(kept.journal().size(), std::size_t{4000});
    const JournalContent read = readJournal(kept.journal());
    ASSERT_EQ(read.outcome, RestoreOutcome::Restored);
    EXPECT_EQ(read.actions[2], (JournalAction{"pick", "design.txt", design}));

    Session restored;
    ASSERT_EQ(restored.restore(kept.journal()), RestoreOutcome::Restored);
    expectSame(kept, restored);
    EXPECT_EQ(restored.window().chkOptions[3].Value(), 1);
}

TEST(Journal, RefusesWhatNoPageOfThisFormatWrote) {
    Session kept;
    teach(kept);
    const std::string journal = kept.journal();
    auto outcome = [](const std::string& text) {
        Session session;
        return session.restore(text);
    };
    auto replaced = [&journal](const std::string& from, const std::string& to) {
        std::string text = journal;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return text.replace(at, from.size(), to);
    };
    for (const char* text : {"", "{}", "null", "[1,2]", "lesson", "{\"zorbal\":\"lesson\"}",
                             "{\"zorbal\":\"lesson\",\"format\":\"1\"}"})
        EXPECT_EQ(outcome(text), RestoreOutcome::Damaged) << text;
    // Cut short anywhere, it is damaged; a page of another format is said to be so.
    for (std::size_t length = 0; length < journal.size(); length += 7)
        EXPECT_EQ(readJournal(journal.substr(0, length)).outcome, RestoreOutcome::Damaged) << length;
    EXPECT_EQ(outcome(replaced("\"format\":1", "\"format\":2")), RestoreOutcome::OtherFormat);
    EXPECT_EQ(outcome("{\"zorbal\":\"lesson\",\"format\":0,\"data\":{\"any\":[true,null,-1.5e3]}}"),
              RestoreOutcome::OtherFormat);
    EXPECT_EQ(outcome(replaced("\"format\":1", "\"format\":1,\"format\":1")), RestoreOutcome::Damaged);
    EXPECT_EQ(outcome(replaced("[\"click\",\"cmdLaunch\",\"\"]", "[\"click\",\"cmdLaunch\"]")),
              RestoreOutcome::Damaged);
    EXPECT_EQ(outcome(replaced("[\"click\",\"cmdOK\",\"\"]", "[\"unload\",\"frmZorbal\",\"\"]")),
              RestoreOutcome::Damaged);
    EXPECT_EQ(outcome(journal + " x"), RestoreOutcome::Damaged);
    // Garbled but well formed: the lesson comes out otherwise, and that is noticed.
    EXPECT_EQ(outcome(replaced("\"45\"", "\"46\"")), RestoreOutcome::Different);
    EXPECT_EQ(outcome(replaced("\"launches\":3", "\"launches\":4")), RestoreOutcome::Different);
    const std::size_t state = journal.find("\"state\":\"") + 9;
    std::string otherState = journal;
    otherState[state] = otherState[state] == '0' ? '1' : '0';
    EXPECT_EQ(outcome(otherState), RestoreOutcome::Different);
    EXPECT_EQ(outcome(journal), RestoreOutcome::Restored);
}

TEST(Journal, ReadsTheEscapesJsonAllows) {
    const JournalContent read = readJournal(
        " {\"format\" : 1, \"zorbal\":\"lesson\", \"launches\":0, \"state\":\"00000000000000ff\", "
        "\"actions\":[ [\"input\",\"txtCommentary\",\"a\\u00b0\\ud83d\\ude00\\/\\r\\n\"] ] }\n");
    ASSERT_EQ(read.outcome, RestoreOutcome::Restored);
    ASSERT_EQ(read.actions.size(), 1u);
    EXPECT_EQ(read.actions[0].value, "a\xc2\xb0\xf0\x9f\x98\x80/\r\n");
    EXPECT_EQ(read.state, 0xffu);
    for (const char* broken : {"\"\\ud83d\"", "\"\\ude00\"", "\"\\u00g0\"", "\"\\x\"", "\"tab\there\""}) {
        const std::string text = std::string("{\"zorbal\":\"lesson\",\"format\":1,\"launches\":0,\"state\":"
                                             "\"0000000000000000\",\"actions\":[[\"input\",\"Text1\",") +
                                 broken + "]]}";
        EXPECT_EQ(readJournal(text).outcome, RestoreOutcome::Damaged) << broken;
    }
}

TEST(Base64, RoundTripsEveryByteAndRefusesAnythingElse) {
    std::string bytes;
    for (int i = 0; i < 256; ++i)
        bytes += static_cast<char>(i);
    for (std::size_t length : {0u, 1u, 2u, 3u, 4u, 256u}) {
        std::string back;
        ASSERT_TRUE(base64Decode(base64Encode(bytes.substr(0, length)), back)) << length;
        EXPECT_EQ(back, bytes.substr(0, length));
    }
    EXPECT_EQ(base64Encode("Zorbal"), "Wm9yYmFs");
    EXPECT_EQ(base64Encode("Zorba"), "Wm9yYmE=");
    std::string out;
    for (const char* text : {"Wm9yYmE", "Wm9y=mFs", "Wm9yYm==E=", "Wm9y YmFs", "====", "Wm9yYmE\xc3"})
        EXPECT_FALSE(base64Decode(text, out)) << text;
}

} // namespace
} // namespace zorbal::web
