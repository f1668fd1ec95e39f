// SPDX-License-Identifier: MIT
// The page's Investigate window through the session: its jobs handed out as text and their
// results taken back, a cancelled or failed job, the design used in the main window and kept in
// the lesson, and its saves as the page receives them.
#include "files/design_file.h"
#include "investigate/job.h"
#include "ui/design_loader.h"
#include "web/web_session.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace zorbal::web {
namespace {

using Kind = Effect::Kind;

class InvestigateSession : public ::testing::Test {
  protected:
    void SetUp() override {
        session.act("click", "cmdOK");
        session.openInvestigate();
        session.clearEffects();
    }
    /// Runs the job the window asked for as the page's worker does, from text to text.
    void runWaitingJob() {
        const std::string job = session.takeInvestigateJob();
        ASSERT_FALSE(job.empty());
        const auto read = investigate::readJob(job);
        ASSERT_TRUE(read);
        session.investigateProgress(1, 5);
        session.finishInvestigateJob(
            investigate::resultText(investigate::runJob(*read, 1, nullptr, nullptr)));
    }
    std::string status() { return session.investigator().control("lblStatus").text; }
    std::string design() { return files::designFileText(ui::designTexts(session.window())); }
    Session session;
};

TEST_F(InvestigateSession, AJobGoesOutAsTextOnceAndItsResultComesBack) {
    const auto& graph = session.investigateSurface("picVary");
    const auto before = graph.revision();
    session.investigateAct("input", "txtSteps_0", "5");
    EXPECT_TRUE(session.takeInvestigateJob().empty()); // nothing asked for yet
    EXPECT_TRUE(session.investigateAct("click", "cmdVaryRun", ""));
    EXPECT_NE(session.changedInvestigateControls().find("\"busy\":true"), std::string::npos);
    runWaitingJob();
    EXPECT_TRUE(session.takeInvestigateJob().empty());
    EXPECT_FALSE(session.investigator().isBusy());
    EXPECT_EQ(status().rfind("Done: 5 designs flown", 0), 0u) << status();
    EXPECT_NE(graph.revision(), before);
    // What changed is sent once.
    EXPECT_NE(session.changedInvestigateControls().find("\"lblStatus\":{\"text\":\"Done: 5"),
              std::string::npos);
    EXPECT_EQ(session.changedInvestigateControls(), "{}");
}

TEST_F(InvestigateSession, AFailedOrCancelledJobLeavesTheWindowReady) {
    session.investigateAct("click", "cmdVaryRun", "");
    ASSERT_FALSE(session.takeInvestigateJob().empty());
    session.finishInvestigateJob(""); // the worker gave nothing: the browser stopped it
    EXPECT_FALSE(session.investigator().isBusy());
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Message);
    EXPECT_NE(session.effects()[0].text.find("could not finish"), std::string::npos);
    session.clearEffects();

    session.investigateAct("click", "cmdVaryRun", "");
    ASSERT_FALSE(session.takeInvestigateJob().empty());
    session.changedInvestigateControls();
    session.investigateAct("click", "cmdCancel", "");
    EXPECT_NE(session.changedInvestigateControls().find("\"cancelled\":true"), std::string::npos);
    session.investigateJobStopped(); // the page stopped its worker
    EXPECT_FALSE(session.investigator().isBusy());
    EXPECT_EQ(status(), "Cancelled; the results shown before are kept.");
    EXPECT_TRUE(session.effects().empty());
}

TEST_F(InvestigateSession, AUsedDesignIsLoadedIntoTheLessonAndReplayed) {
    session.investigateAct("click", "cmdVaryRun", "");
    runWaitingJob();
    const std::string original = design();
    session.investigateAct("click", "cmdBest", "");
    session.investigateAct("click", "cmdUseDesign", "");
    EXPECT_NE(design(), original);
    EXPECT_EQ(session.window().SSTab1.Tab(), ui::TabRocketDesign);
    EXPECT_TRUE(session.effects().empty());

    Session reloaded;
    EXPECT_EQ(reloaded.restore(session.journal()), RestoreOutcome::Restored);
    EXPECT_EQ(files::designFileText(ui::designTexts(reloaded.window())), design());
}

TEST_F(InvestigateSession, SavesBecomeDownloadsAndPicturesThePagePaints) {
    session.investigateAct("input", "txtSteps_0", "3");
    session.investigateAct("click", "cmdVaryRun", "");
    runWaitingJob();
    session.investigateAct("click", "cmdSaveTable", "");
    session.investigateAct("click", "cmdSavePicture", "");
    ASSERT_EQ(session.effects().size(), 2u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Download);
    EXPECT_EQ(session.effects()[0].name, "Sweep.csv");
    EXPECT_GE(std::count(session.effects()[0].text.begin(), session.effects()[0].text.end(), '\n'),
              4); // a row each
    const Effect& picture = session.effects()[1];
    EXPECT_EQ(picture.kind, Kind::Picture);
    EXPECT_EQ(picture.text, "picVary");
    EXPECT_EQ(picture.name, "Investigate.png");
    EXPECT_EQ(picture.width, 600);
    EXPECT_EQ(picture.height, 380);
    // A file whose bytes happen to be an old picture's token is written as it is.
    session.clearEffects();
    session.platform().textFiles.write("Other.png", "\x89PNG zorbal picture 1");
    ASSERT_EQ(session.effects().size(), 1u);
    EXPECT_EQ(session.effects()[0].kind, Kind::Download);
}

TEST_F(InvestigateSession, TheFormNamesEveryControlAndItsFirstStateCoversThemAll) {
    const std::string form = session.investigateForm();
    EXPECT_EQ(form.rfind("{\"width\":14400,\"height\":9600,\"title\":\"Investigate\",\"controls\":[", 0), 0u);
    const std::string first = session.changedInvestigateControls();
    for (const ui::FormControl& control : investigate::investigateForm()) {
        EXPECT_NE(form.find("\"id\":\"" + std::string(control.id) + "\""), std::string::npos) << control.id;
        EXPECT_NE(first.find("\"" + std::string(control.id) + "\":{"), std::string::npos) << control.id;
    }
    EXPECT_NE(form.find("\"kind\":\"choice\""), std::string::npos);
    EXPECT_NE(form.find("\"kind\":\"progress\""), std::string::npos);
    // Unknown controls and events change nothing.
    EXPECT_FALSE(session.investigateAct("click", "cmdNoSuch", ""));
    EXPECT_FALSE(session.investigateAct("wave", "cmdVaryRun", ""));
    EXPECT_TRUE(session.takeInvestigateJob().empty());
}

} // namespace
} // namespace zorbal::web
