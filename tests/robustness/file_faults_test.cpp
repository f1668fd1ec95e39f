// SPDX-License-Identifier: MIT
// File faults injected under the window's Save, export and Load buttons: every failed save
// leaves the previous file byte for byte and says so; every unreadable load says so and leaves
// the window as it was.
#include "support/reference_designs.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <functional>
#include <string>
#include <sys/resource.h>
#include <unistd.h>
#include <vector>

namespace zorbal::test {
namespace {

namespace fs = std::filesystem;

constexpr const char* kSaveProblem =
    "There was a problem saving this file. Possibly the file is in use by another "
    "application. \r\nTry saving the file with a different name.";
constexpr const char* kSaveHistoryProblem =
    "There was a problem saving this file. Possibly the file is in use by "
    "another application...? \r\nTry saving the file with a different name.";
constexpr const char* kCannotOpen = "Sorry, the program can't open that file.";

/// Limits the size of any file this process writes, so a write fails after `bytes` bytes.
class FileSizeLimit {
  public:
    explicit FileSizeLimit(rlim_t bytes) {
        ::getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit small = m_saved;
        small.rlim_cur = bytes;
        m_handler = std::signal(SIGXFSZ, SIG_IGN); // fail the write instead of ending the process
        ::setrlimit(RLIMIT_FSIZE, &small);
    }
    ~FileSizeLimit() {
        ::setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

  private:
    rlimit m_saved{};
    void (*m_handler)(int) = SIG_DFL;
};

/// What a user sees of the window: the design, the results, the counter and the buttons.
std::vector<std::string> windowState(const ui::Zorbal& w) {
    std::vector<std::string> state;
    for (const auto& box : w.txtInput)
        state.push_back(box.Text + (box.Enabled ? "" : " (disabled)"));
    for (const auto& box : w.txtOutput)
        state.push_back(box.Text);
    for (const auto& box : w.chkOptions)
        state.push_back(std::to_string(box.Value()));
    state.push_back(std::to_string(w.optParachute.selected()));
    state.push_back(std::to_string(w.LaunchCount) + " launches, " + std::to_string(w.MSFlexGrid1.Rows()) +
                    " rows");
    for (const auto* button : {&w.cmdSave, &w.cmdLoad, &w.cmdSaveTraj, &w.cmdSaveHistory, &w.cmdLaunch})
        state.push_back(button->Caption + (button->Enabled ? "" : " (disabled)"));
    state.push_back(std::to_string(w.Rocket.BottleVolume) + " " + std::to_string(w.Rocket.DryMass));
    return state;
}

/// The three saves of the window, each with its own message.
struct Save {
    const char* name;
    std::function<void(ui::Zorbal&)> click;
    const char* message;
};

const std::vector<Save>& saves() {
    static const std::vector<Save> all = {
        {"design", [](ui::Zorbal& w) { w.cmdSave_Click(); }, kSaveProblem},
        {"trajectory", [](ui::Zorbal& w) { w.cmdSaveTraj_Click(); }, kSaveProblem},
        {"history", [](ui::Zorbal& w) { w.cmdSaveHistory_Click(); }, kSaveHistoryProblem},
    };
    return all;
}

class FileFaults : public WindowTest {
  protected:
    void SetUp() override {
        // The worst realistic flight makes the trajectory export several megabytes long.
        reference::worstRealisticDesign(window);
        ASSERT_TRUE(launch());
        ASSERT_TRUE(launch());
    }

    void choose(const std::string& path) { platform.fileDialog.answers.push_back(path); }

    /// Runs `save` onto `target` holding `old`, and checks that it failed soundly: the message,
    /// the old bytes, no stray file, the window unchanged.
    void expectFailedSave(const Save& save, const std::string& target, const std::string& old,
                          const std::function<void()>& during = {}) {
        SCOPED_TRACE(std::string(save.name) + " save onto " + target);
        const auto before = windowState(window);
        const std::size_t messagesBefore = started.messages().size();
        const int entriesBefore = folder.entries();
        choose(target);
        if (during) {
            during();
        } else {
            save.click(window);
        }
        ASSERT_EQ(started.messages().size(), messagesBefore + 1);
        EXPECT_EQ(started.messages().back(), save.message);
        if (fs::is_regular_file(target)) {
            EXPECT_EQ(folder.get(fs::path(target).filename().string()), old);
        }
        EXPECT_EQ(folder.entries(), entriesBefore) << "a temporary file was left behind";
        EXPECT_EQ(windowState(window), before);
    }

    TempFolder folder;
};

TEST_F(FileFaults, AReadOnlyFileInAFolderWithoutWritePermissionKeepsItsBytes) {
    if (::geteuid() == 0)
        GTEST_SKIP()
            << "running as root, which writes into read-only folders; the half-way failures cover the "
               "same path";
    // (A writable file there is rewritten in place: the platform tests hold that.)
    for (const auto& save : saves()) {
        const std::string old = std::string("the old ") + save.name + " file\r\n";
        const std::string target = folder.put(std::string(save.name) + ".txt", old);
        fs::permissions(target, fs::perms::owner_read);
        fs::permissions(folder.path(), fs::perms::owner_read | fs::perms::owner_exec);
        expectFailedSave(save, target, old);
        fs::permissions(folder.path(), fs::perms::owner_all);
    }
}

TEST_F(FileFaults, ASaveOntoAFolderOrADeviceChangesNothing) {
    const fs::path sub = folder.path() / "a folder.txt";
    fs::create_directory(sub);
    folder.put("a folder.txt/inside.txt", "untouched");
    for (const auto& save : saves()) {
        expectFailedSave(save, sub.string(), "");
        EXPECT_TRUE(fs::is_directory(sub));
        EXPECT_EQ(folder.get("a folder.txt/inside.txt"), "untouched");
        // A device that is always full: refused before a byte is written.
        if (fs::exists("/dev/full"))
            expectFailedSave(save, "/dev/full", "");
    }
}

TEST_F(FileFaults, AWriteThatFailsHalfWayKeepsTheOldFileByteForByte) {
    for (const auto& save : saves()) {
        std::string old;
        for (int i = 0; i < 200; ++i)
            old += "line " + std::to_string(i) + " of the previous " + save.name + " file\r\n";
        const std::string target = folder.put(std::string(save.name) + ".txt", old);
        // The design file is a few hundred bytes, the history a few hundred, the trajectory of
        // the worst flight megabytes: each write stops part of the way through.
        expectFailedSave(save, target, old, [&] {
            FileSizeLimit limit(std::string(save.name) == "trajectory" ? 65536 : 100);
            save.click(window);
        });
    }
}

TEST_F(FileFaults, AnUnreadableFileShowsTheLoadMessageAndLeavesTheWindowAsItWas) {
    // A design that differs from the one shown in every box, so a partial load would show.
    std::string design;
    for (const char* line :
         {"Volume\t3", "Filling Factor\t40", "Density\t900", "Pressure\t4", "Nozzle\t9", "Mass\t120",
          "Drag\t3", "Efficiency\t80", "Angle\t45", "LaunchTube\t1", "LTLength\t1", "Parachute\t0.3",
          "TriggerMechanism\tTime", "TrAngle\t5", "TrTime\t2", "Wind\t1"})
        design += std::string(line) + "\r\n";

    std::string withNul = design;
    withNul.insert(withNul.find("Pressure\t4") + 9, 1, '\0');
    std::string huge;
    huge.reserve(50u << 20);
    while (huge.size() < (50u << 20))
        huge += design;

    const std::vector<std::pair<std::string, std::string>> files = {
        {"a folder", folder.path().string()},
        {"a file with a NUL byte", folder.put("nul.txt", withNul)},
        {"a 50 MB file", folder.put("huge.txt", huge)},
        {"an empty file", folder.put("empty.txt", "")},
        {"a missing file", folder.file("missing.txt")},
    };
    huge.clear();
    huge.shrink_to_fit();
    for (const auto& [what, path] : files) {
        SCOPED_TRACE(what);
        const auto before = windowState(window);
        const std::size_t messagesBefore = started.messages().size();
        choose(path);
        window.cmdLoad_Click();
        ASSERT_EQ(started.messages().size(), messagesBefore + 1);
        EXPECT_EQ(started.messages().back(), kCannotOpen);
        EXPECT_EQ(windowState(window), before);
    }
    // Still a working window.
    EXPECT_TRUE(launch());
    choose(folder.put("good.txt", design));
    window.cmdLoad_Click();
    EXPECT_EQ(window.txtInput[0].Text, "3");
}

} // namespace
} // namespace zorbal::test
