// SPDX-License-Identifier: MIT
// The window's Save, Load, Copy and export buttons, driven as a user would on headless services.
#include "files/design_file.h"
#include "platform/number_text.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "ui/design_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <csignal>
#include <ostream>
#include <sys/resource.h>
#include <unistd.h>

namespace zorbal::test {
namespace {

constexpr const char* kSaveProblem =
    "There was a problem saving this file. Possibly the file is in use by another "
    "application. \r\nTry saving the file with a different name.";
constexpr const char* kCannotOpen = "Sorry, the program can't open that file.";
constexpr const char* kPasteAdvice =
    "They can be pasted into a spreadsheet or word processing package for analysis.";

/// Everything a loaded design may change in the window.
struct DesignState {
    std::array<std::string, 14> inputs;
    int rail, parachute, trigger;
    std::vector<bool> enabled;
    bool railUsed, parachuteOn;
    bool operator==(const DesignState&) const = default;
};

DesignState stateOf(const ui::Zorbal& w) {
    DesignState s;
    for (std::size_t i = 0; i < 14; ++i)
        s.inputs[i] = w.txtInput[i].Text;
    s.rail = w.chkOptions[2].Value();
    s.parachute = w.chkOptions[3].Value();
    s.trigger = w.optParachute.selected();
    for (int i : {8, 11, 12, 13})
        s.enabled.push_back(w.txtInput[static_cast<std::size_t>(i)].Enabled);
    for (int i : {25, 30, 32, 34, 35})
        s.enabled.push_back(w.lblInput[static_cast<std::size_t>(i)].Enabled);
    s.enabled.push_back(w.frmParachute.Enabled);
    s.enabled.push_back(w.optParachute[0].Enabled);
    s.enabled.push_back(w.optParachute[1].Enabled);
    s.railUsed = w.Rocket.LaunchRailUsed;
    s.parachuteOn = w.Rocket.ParachuteOn;
    return s;
}

void PrintTo(const DesignState& s, std::ostream* os) {
    for (const auto& text : s.inputs)
        *os << '"' << text << "\" ";
    *os << "rail " << s.rail << " parachute " << s.parachute << " trigger " << s.trigger << " enabled ";
    for (bool e : s.enabled)
        *os << e;
    *os << " flags " << s.railUsed << s.parachuteOn;
}

/// The state with the input texts as a load brings them back ("2.00" as "2").
DesignState normalised(DesignState s) {
    for (auto& text : s.inputs)
        text = platform::generalText(platform::readLenient(text));
    return s;
}

std::vector<std::string> linesOf(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    for (std::size_t end; (end = text.find("\r\n", start)) != std::string::npos; start = end + 2)
        lines.push_back(text.substr(start, end - start));
    return lines;
}

class FilesWindow : public WindowTest {
  protected:
    TempFolder folder;
    const std::vector<std::string>& messages() const { return started.messages(); }
    platform::ScriptedFileDialog& dialog() { return platform.fileDialog; }
    void choose(const std::string& path) { dialog().answers.emplace_back(path); }
    void load(const std::string& content) {
        choose(folder.put("design.txt", content));
        window.cmdLoad_Click();
    }
    std::string saveDesign() {
        choose(folder.file("saved.txt"));
        window.cmdSave_Click();
        return folder.get("saved.txt");
    }
};

TEST_F(FilesWindow, DefaultDesignRoundTripsThroughSaveAndLoad) {
    DesignState before = normalised(stateOf(window));
    before.inputs[13] = "0"; // the parachute is off: its line holds 0, not the diameter
    const std::string file = saveDesign();
    EXPECT_EQ(file, files::designFileText(ui::designTexts(window)));
    const auto& use = dialog().uses.back();
    EXPECT_TRUE(use.save);
    EXPECT_EQ(use.flags, 2);
    EXPECT_EQ(use.filter, "text files(*.txt)");
    EXPECT_EQ(use.fileName, "Water Rocket 1.txt");
    EXPECT_EQ(use.initDir, files::initialDesignFolder(".", files::processEnvironment()));

    const double volume = window.Rocket.BottleVolume;
    type(0, "9");
    window.chkOptions[2].setValue(1);
    window.chkOptions[3].setValue(1);
    window.optParachute.select(1);
    window.AssignParameters();
    load(file);
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(stateOf(window), before);
    EXPECT_DOUBLE_EQ(window.Rocket.BottleVolume, volume); // recomputed
    EXPECT_FALSE(dialog().uses.back().save);

    // A design with rail, parachute and the delay trigger comes back as well.
    window.chkOptions[2].setValue(1);
    window.chkOptions[3].setValue(1);
    window.optParachute.select(1);
    type(13, "0.5");
    const DesignState changed = normalised(stateOf(window));
    const std::string second = saveDesign();
    window.cmdDefault_Click();
    load(second);
    EXPECT_EQ(stateOf(window), changed);
}

TEST_F(FilesWindow, LowerCaseKeysLoadAsTheSavedOnes) {
    window.chkOptions[2].setValue(1);
    window.chkOptions[3].setValue(1);
    type(13, "0.75");
    std::string file = saveDesign();
    window.cmdDefault_Click();
    load(file);
    const DesignState saved = stateOf(window);
    window.cmdDefault_Click();
    std::transform(file.begin(), file.end(), file.begin(),
                   [](char c) { return static_cast<char>(std::tolower(c)); });
    load(file);
    EXPECT_EQ(stateOf(window), saved);
    EXPECT_EQ(window.chkOptions[3].Value(), 1);
    EXPECT_EQ(window.txtInput[13].Text, "0.75");
}

TEST_F(FilesWindow, AByteOrderMarkBeforeTheFirstKeyIsSkipped) {
    type(0, "1.5");
    const std::string file = saveDesign();
    window.cmdDefault_Click();
    load(file);
    const DesignState loaded = stateOf(window);
    window.cmdDefault_Click();
    // As editors that save UTF-8 with a signature write it: the first key must still be read.
    load("\xEF\xBB\xBF" + file);
    EXPECT_EQ(window.txtInput[0].Text, "1.5");
    EXPECT_EQ(stateOf(window), loaded);
    // Only at the start: elsewhere the three bytes are part of a field as before.
    window.cmdDefault_Click();
    load(file + "\xEF\xBB\xBFVolume\t3\r\n");
    EXPECT_EQ(window.txtInput[0].Text, "1.5");
}

TEST_F(FilesWindow, RailAndParachuteSwitchAtTheirThresholds) {
    load("LaunchTube\t0.5\r\nParachute\t0.009\r\n");
    EXPECT_EQ(window.chkOptions[2].Value(), 0);
    EXPECT_FALSE(window.txtInput[8].Enabled);
    EXPECT_EQ(window.chkOptions[3].Value(), 0);
    EXPECT_EQ(window.txtInput[13].Text, "0.009");
    EXPECT_FALSE(window.Rocket.ParachuteOn);

    load("LaunchTube\t0.6\r\nParachute\t0.01\r\n");
    EXPECT_EQ(window.chkOptions[2].Value(), 1);
    EXPECT_TRUE(window.txtInput[8].Enabled);
    EXPECT_TRUE(window.Rocket.LaunchRailUsed);
    EXPECT_EQ(window.chkOptions[3].Value(), 1);
    EXPECT_EQ(window.txtInput[13].Text, "0.01");
    EXPECT_TRUE(window.Rocket.ParachuteOn);
    EXPECT_DOUBLE_EQ(window.Rocket.ParachuteDiameter, 0.01);
    // Right after switching the parachute on both trigger inputs are open.
    EXPECT_TRUE(window.txtInput[11].Enabled);
    EXPECT_TRUE(window.txtInput[12].Enabled);
    EXPECT_TRUE(messages().empty());
}

TEST_F(FilesWindow, TriggerNarrowsTheInputsOnlyWhenTheParachuteIsOn) {
    load("Parachute\t1\r\nTriggerMechanism\taNgLe\r\n");
    EXPECT_EQ(window.optParachute.selected(), 0);
    EXPECT_TRUE(window.txtInput[11].Enabled);
    EXPECT_FALSE(window.txtInput[12].Enabled);
    load("Parachute\t1\r\nTriggerMechanism\tsoon\r\n");
    EXPECT_EQ(window.optParachute.selected(), 1);
    EXPECT_FALSE(window.txtInput[11].Enabled);
    EXPECT_TRUE(window.lblInput[32].Enabled);
    // Without the parachute the selected trigger's input stays closed with the rest of the group.
    load("Parachute\t0\r\nTriggerMechanism\tTime\r\n");
    EXPECT_EQ(window.optParachute.selected(), 1);
    EXPECT_FALSE(window.txtInput[12].Enabled);
    EXPECT_FALSE(window.lblInput[32].Enabled);
}

TEST_F(FilesWindow, LoadsOnlyWhatTheFieldsNameAndSplitsFieldsAtCommas) {
    const DesignState before = stateOf(window);
    load("Volume\t1,Pressure\t4\nTrTime\t3Wind\t7\nColour\tred\nMass\t10\nMass\t12\n");
    DesignState expected = before;
    expected.inputs[0] = "1";
    expected.inputs[3] = "4";
    expected.inputs[12] = "3";
    expected.inputs[5] = "12";
    EXPECT_EQ(stateOf(window), expected);
    EXPECT_DOUBLE_EQ(window.Rocket.BottleVolume, 0.001);
    load("Wind 4\r\n"); // no TAB: the whole line reads as no number
    EXPECT_EQ(window.txtInput[10].Text, "0");
    EXPECT_TRUE(messages().empty());
}

TEST_F(FilesWindow, ADecimalCommaIsSavedAsThePointAndComesBackAsTheNumberMeant) {
    const std::string ordinary = saveDesign();
    type(0, "1,5");
    window.chkOptions[3].setValue(1);
    type(13, " 0,75");
    type(5, "1,250"); // unclear: written as typed
    const std::string file = saveDesign();
    // Only the lines of those boxes differ from the design saved before.
    std::vector<std::string> lines = linesOf(ordinary);
    lines[0] = "Volume\t1.5";
    lines[5] = "Mass\t1,250";
    lines[11] = "Parachute\t 0.75";
    EXPECT_EQ(linesOf(file), lines);

    StartedWindow fresh;
    fresh.platform.fileDialog.answers.emplace_back(folder.file("saved.txt"));
    fresh.window.cmdLoad_Click();
    auto& w = fresh.window;
    EXPECT_EQ(w.txtInput[0].Text, "1.5");
    EXPECT_DOUBLE_EQ(w.Rocket.BottleVolume, 0.0015);
    EXPECT_EQ(w.chkOptions[3].Value(), 1);
    EXPECT_EQ(w.txtInput[13].Text, "0.75");
    EXPECT_EQ(w.txtInput[5].Text, "1,250");
    EXPECT_TRUE(fresh.messages().empty());
    EXPECT_FALSE(fresh.launch()); // asked which mass is meant
    EXPECT_NE(fresh.messages().back().find("\"1,250\""), std::string::npos);
}

TEST_F(FilesWindow, AFileWithADecimalCommaFromAnEarlierVersionLoadsTheNumberMeant) {
    // Earlier versions wrote the box's text as typed, and the field reading cut it at the comma.
    load("Volume\t1,5\r\nParachute\t0,5\r\nWind\t-2,5 m/s\r\nDrag\t1,5,Angle\t45\r\n"
         "LaunchTube\t0,6\r\nMass\t1,250\r\nTrTime\t2,");
    EXPECT_EQ(window.txtInput[0].Text, "1.5");
    EXPECT_DOUBLE_EQ(window.Rocket.BottleVolume, 0.0015);
    EXPECT_EQ(window.chkOptions[3].Value(), 1);
    EXPECT_EQ(window.txtInput[13].Text, "0.5");
    EXPECT_EQ(window.txtInput[10].Text, "-2.5");
    // More than one comma on a line, or a comma that is no decimal comma: fields as always.
    EXPECT_EQ(window.txtInput[6].Text, "1");
    EXPECT_EQ(window.txtInput[7].Text, "45");
    EXPECT_EQ(window.chkOptions[2].Value(), 0); // an option, not a box: 0,6 is 0
    EXPECT_EQ(window.txtInput[12].Text, "2");
    // A comma that may group thousands stays as written, for the launch check to ask about.
    EXPECT_EQ(window.txtInput[5].Text, "1,250");
    EXPECT_TRUE(messages().empty());
}

TEST_F(FilesWindow, UnreadableFilesShowTheMessageAndAreNotRecomputed) {
    const double volume = window.Rocket.BottleVolume;
    load("");
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0], kCannotOpen);
    load("Volume\t9\r\n" + std::string(40000, 'x') + "\r\n");
    EXPECT_EQ(window.txtInput[0].Text, "9"); // what was read before the failure stays
    EXPECT_DOUBLE_EQ(window.Rocket.BottleVolume, volume);
    choose(folder.file("missing.txt"));
    window.cmdLoad_Click();
    choose(folder.path().string()); // a folder
    window.cmdLoad_Click();
    EXPECT_EQ(messages(), std::vector<std::string>(4, kCannotOpen));
}

TEST_F(FilesWindow, CancelledDialogsWriteAndReadNothing) {
    const DesignState before = stateOf(window);
    window.cmdSave_Click();
    window.cmdLoad_Click();
    EXPECT_EQ(dialog().uses.size(), 2u);
    EXPECT_EQ(folder.entries(), 0);
    EXPECT_FALSE(std::filesystem::exists("Water Rocket 1.txt"));
    EXPECT_EQ(stateOf(window), before);
    ASSERT_TRUE(launch());
    window.cmdSaveTraj_Click();
    window.cmdSaveHistory_Click();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(window.cmdSaveTraj.Caption, "Save");
    EXPECT_TRUE(window.cmdSaveHistory.Enabled);
}

TEST_F(FilesWindow, FailedSaveLeavesTheOldFileByteForByte) {
    const std::string old = "Volume\t2\r\nmy old design\r\n";
    const std::string target = folder.put("old.txt", old);
    const bool isRoot = ::geteuid() == 0;
    rlimit saved{};
    if (isRoot) {
        // Permissions do not stop root: fail the write itself, past its first bytes.
        ::getrlimit(RLIMIT_FSIZE, &saved);
        rlimit small = saved;
        small.rlim_cur = 64;
        std::signal(SIGXFSZ, SIG_IGN);
        ::setrlimit(RLIMIT_FSIZE, &small);
    } else {
        std::filesystem::permissions(folder.path(),
                                     std::filesystem::perms::owner_read | std::filesystem::perms::owner_exec);
    }
    choose(target);
    window.cmdSave_Click();
    if (isRoot) {
        ::setrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_DFL);
    } else {
        std::filesystem::permissions(folder.path(), std::filesystem::perms::owner_all);
    }
    EXPECT_EQ(messages(), std::vector<std::string>{kSaveProblem});
    EXPECT_EQ(folder.get("old.txt"), old);
    EXPECT_EQ(folder.entries(), 1); // no temporary file left behind
}

TEST_F(FilesWindow, TrajectoryCopyAndSave) {
    ASSERT_TRUE(launch());
    const auto& slot = window.TrajectoryData.slot(window.LaunchCount % 10);
    ASSERT_GT(slot.count(), 10);
    window.cmdCopy_Click();
    const std::string text = platform.clipboard.text;
    const auto lines = linesOf(text);
    ASSERT_EQ(lines.size(), static_cast<std::size_t>(slot.count()) + 1);
    EXPECT_EQ(lines[0], "t (s)\tx (m)\ty (m)\tVx (m/s)\tVy (m/s)");
    for (const auto& line : lines)
        ASSERT_EQ(std::count(line.begin(), line.end(), '\t'), 4) << line;
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(messages().back(),
              std::to_string(slot.count()) +
                  "  trajectory data points have been copied to the clipboard in a tab-delimited "
                  "file format.\r\n" +
                  kPasteAdvice);
    EXPECT_EQ(window.cmdCopy.Caption, "Copy");
    EXPECT_TRUE(window.cmdCopy.Enabled);

    window.chkOptions[1].setValue(1);
    window.cmdCopy_Click();
    EXPECT_EQ(messages().back(),
              std::to_string(slot.count()) +
                  "  trajectory data points have been copied to the clipboard in a comma separated "
                  "varaiables (.csv) file format.\r\n" +
                  kPasteAdvice);
    choose(folder.file("t.csv"));
    window.cmdSaveTraj_Click();
    const auto& use = dialog().uses.back();
    EXPECT_EQ(use.filter, "comma separated variable files(*.csv)");
    EXPECT_EQ(use.fileName, "Water Rocket Trajectory 1.csv");
    EXPECT_EQ(use.flags, 2);
    EXPECT_EQ(platform.clipboard.text.substr(0, 36), "t (s),x (m),y (m),Vx (m/s),Vy (m/s)\r");
    EXPECT_EQ(folder.get("t.csv"), platform.clipboard.text + "\r\n");
    EXPECT_EQ(window.cmdSaveTraj.Caption, "Save");
    EXPECT_EQ(messages().size(), 2u);

    window.chkOptions[1].setValue(0);
    choose(folder.path().string()); // a folder cannot be written
    window.cmdSaveTraj_Click();
    EXPECT_EQ(dialog().uses.back().fileName, "Water Rocket Trajectory 1.txt");
    EXPECT_EQ(messages().back(), kSaveProblem);
    EXPECT_EQ(platform.clipboard.text.substr(0, 6), "t (s)\t"); // the clipboard has it anyway
    EXPECT_TRUE(window.cmdSaveTraj.Enabled);
}

TEST_F(FilesWindow, HistoryCopyAndCommaSaveQuoteGroupedCells) {
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(launch());
    window.cmdCopyHistory_Click();
    const auto lines = linesOf(platform.clipboard.text);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[0].substr(0, 7), "Launch\t");
    for (const auto& line : lines)
        EXPECT_EQ(std::count(line.begin(), line.end(), '\t'), 17) << line;
    EXPECT_EQ(messages().back(),
              "3  launch records have been copied to the clipboard in a tab-delimited file "
              "format.\r\n" +
                  std::string(kPasteAdvice));
    EXPECT_EQ(window.MSFlexGrid1.Row, 4);
    EXPECT_EQ(window.MSFlexGrid1.Col, 17);
    EXPECT_EQ(window.cmdCopyHistory.Caption, "Copy");

    // A long flight's range is shown with digit grouping.
    window.MSFlexGrid1.Row = 3;
    window.MSFlexGrid1.Col = 17;
    window.MSFlexGrid1.setText("1,234.56");
    window.chkOptions[1].setValue(1);
    choose(folder.file("h.csv"));
    window.cmdSaveHistory_Click();
    EXPECT_EQ(dialog().uses.back().fileName, "Launch Data 1.csv");
    EXPECT_EQ(dialog().uses.back().filter, "comma separated variable files(*.csv)");
    const std::string file = folder.get("h.csv");
    EXPECT_EQ(file, platform.clipboard.text + "\r\n");
    const auto saved = linesOf(file);
    ASSERT_EQ(saved.size(), 5u);
    EXPECT_EQ(saved[2].substr(saved[2].size() - 11), ",\"1,234.56\"");
    EXPECT_EQ(std::count(saved[1].begin(), saved[1].end(), ','), 17);
    EXPECT_EQ(saved[4], "");

    choose(folder.path().string());
    window.cmdSaveHistory_Click();
    EXPECT_EQ(messages().back(),
              "There was a problem saving this file. Possibly the file is in use by another "
              "application...? \r\nTry saving the file with a different name.");
    EXPECT_EQ(window.cmdSaveHistory.Caption, "Save");
    EXPECT_TRUE(window.cmdSaveHistory.Enabled);
}

TEST_F(FilesWindow, CommentaryCopyAndClipboardFailures) {
    window.cmdCopyCommentary_Click();
    EXPECT_EQ(platform.clipboard.text,
              "After a launch this box contains a text file summarising 'what happened'\r\n");
    EXPECT_TRUE(messages().empty());

    ASSERT_TRUE(launch());
    platform.clipboard.failing = true;
    window.cmdCopy_Click();
    window.cmdCopyHistory_Click();
    window.cmdCopyCommentary_Click();
    ASSERT_EQ(messages().size(), 3u);
    for (const auto& message : messages())
        EXPECT_NE(message.find("could not be placed on the clipboard"), std::string::npos);
    for (const auto* button : {&window.cmdCopy, &window.cmdCopyHistory}) {
        EXPECT_EQ(button->Caption, "Copy");
        EXPECT_TRUE(button->Enabled);
    }
    // Saving still writes the file and says the clipboard did not take the text.
    choose(folder.file("t.txt"));
    window.cmdSaveTraj_Click();
    EXPECT_EQ(messages().size(), 4u);
    EXPECT_EQ(folder.get("t.txt").substr(0, 6), "t (s)\t");
}

} // namespace
} // namespace zorbal::test
