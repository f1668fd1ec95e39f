// SPDX-License-Identifier: MIT
// zorbal-cli when its output cannot be written: folders, pipes and devices named as files, a
// file-size limit, a full device or a closed pipe on standard output. Each failure exits with 1
// and the system's reason on standard error, and leaves old files byte for byte. And when the
// system refuses threads or memory: the commands carry on with what they get, or say that memory
// ran out, and never abort.
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <pwd.h>
#include <string>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#include <vector>

// Built with AddressSanitizer or ThreadSanitizer.
#if defined(__SANITIZE_ADDRESS__) || defined(__SANITIZE_THREAD__)
#define ZORBAL_SANITIZED 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer) || __has_feature(thread_sanitizer)
#define ZORBAL_SANITIZED 1
#endif
#endif
#ifndef ZORBAL_SANITIZED
#define ZORBAL_SANITIZED 0
#endif

namespace {

namespace fs = std::filesystem;
using zorbal::test::CommandRun;
using zorbal::test::ProgramSetup;
using zorbal::test::TempFolder;

CommandRun run(const std::vector<std::string>& arguments, const ProgramSetup& setup = {}) {
    return zorbal::test::runProgram(ZORBAL_CLI, arguments, setup);
}

ProgramSetup sizeLimit(std::uint64_t bytes, std::string output = {}) {
    ProgramSetup setup;
    setup.fileSizeLimit = bytes;
    setup.standardOutput = std::move(output);
    return setup;
}

ProgramSetup outputTo(std::string output) {
    return sizeLimit(0, std::move(output));
}

/// A failed write as the tool reports it: exit status 1 (not a signal), the reason on stderr.
void expectFailure(const CommandRun& r, const std::string& reason) {
    EXPECT_EQ(r.signal, 0) << "ended by a signal";
    EXPECT_EQ(r.status, 1);
    EXPECT_NE(r.err.find(reason), std::string::npos) << "standard error: " << r.err;
}

TEST(CommandLineOutputFaults, AFileSizeLimitFailsEachSaveAndKeepsTheOldFile) {
    TempFolder folder;
    struct Save {
        std::vector<std::string> arguments;
        const char* name;
    };
    const std::vector<Save> saves = {
        {{"save-design", folder.file("design.txt")}, "design.txt"},
        {{"fly", "--trajectory", folder.file("trajectory.txt")}, "trajectory.txt"},
        {{"fly", "--launches", "3", "--history", folder.file("history.txt")}, "history.txt"},
#ifdef ZORBAL_CLI_PLOTS
        {{"fly", "--plot-trajectory", folder.file("trajectory.png")}, "trajectory.png"},
        {{"fly", "--plot-velocity", folder.file("velocity.png")}, "velocity.png"},
#endif
        {{"best", "--vary", "1=20:40:10", "--save-design", folder.file("best.txt")}, "best.txt"},
    };
    const std::string old(60, 'o');
    for (const auto& save : saves) {
        SCOPED_TRACE(save.name);
        folder.put(save.name, old);
        // Every one of these files is longer than 100 bytes.
        expectFailure(run(save.arguments, sizeLimit(100)), "File too large");
        EXPECT_EQ(folder.get(save.name), old);
        EXPECT_EQ(folder.entries(), static_cast<int>(&save - saves.data()) + 1)
            << "a temporary file was left behind";
    }
    // Without the limit the same commands write their files.
    for (const auto& save : saves) {
        ASSERT_EQ(run(save.arguments).status, 0) << save.name;
        EXPECT_GT(folder.get(save.name).size(), 100u) << save.name;
    }
}

#ifdef ZORBAL_CLI_PLOTS
TEST(CommandLineOutputFaults, PicturesRefuseFoldersPipesAndDevicesAndLeaveThemAlone) {
    TempFolder folder;
    fs::create_directory(folder.path() / "pictures");
    ASSERT_EQ(::mkfifo(folder.file("pipe.png").c_str(), 0600), 0);
    // A device node of the test's own (the always-full device), where the test may make one.
    const bool hasDevice = ::mknod(folder.file("full.png").c_str(), S_IFCHR | 0666, makedev(1, 7)) == 0;
    const std::vector<std::vector<std::string>> commands = {
        {"fly", "--plot-trajectory"},
        {"fly", "--plot-velocity"},
        {"sweep", "--vary", "1=20:40:10", "--plot"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.back());
        const auto to = [&command](std::string file) {
            auto arguments = command;
            arguments.push_back(std::move(file));
            return arguments;
        };
        expectFailure(run(to(folder.file("pictures"))), "Is a directory");
        EXPECT_TRUE(fs::is_directory(folder.path() / "pictures"));
        expectFailure(run(to(folder.file("pipe.png"))), "Not a regular file");
        EXPECT_TRUE(fs::is_fifo(folder.path() / "pipe.png"));
        if (hasDevice) {
            expectFailure(run(to(folder.file("full.png"))), "Not a regular file");
            EXPECT_TRUE(fs::is_character_file(folder.path() / "full.png"));
        }
    }
    EXPECT_EQ(folder.entries(), hasDevice ? 3 : 2);
}

TEST(CommandLineOutputFaults, APictureThroughALinkAnotherUserPlantedInASharedFolderIsRefused) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        GTEST_SKIP() << "needs root, to give links to the user nobody";
    TempFolder folder;
    const auto [shared, victim, privateDir] = makeSharedFolderScene(folder);
    fs::create_symlink(victim, shared / "map.png");
    fs::create_symlink(privateDir / "map.png", shared / "new.png");
    for (const char* link : {"map.png", "new.png"})
        ASSERT_EQ(::lchown((shared / link).c_str(), nobody->pw_uid, nobody->pw_gid), 0);

    for (const char* link : {"map.png", "new.png"}) {
        SCOPED_TRACE(link);
        expectFailure(run({"sweep", "--vary", "1=10:30:10", "--plot", (shared / link).string()}),
                      "Permission denied");
    }
    EXPECT_TRUE(folder.get("victim.txt") == "root's file") << "root's file was replaced";
    EXPECT_TRUE(fs::is_empty(folder.path() / "private"));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 2);
}
#endif

TEST(CommandLineOutputFaults, EveryCommandReportsAStandardOutputItCouldNotWrite) {
    const std::vector<std::vector<std::string>> commands = {
        {"fly"},
        {"fly", "--json"},
        {"fly", "--trajectory", "-"},
        {"fly", "--history", "-"},
        {"save-design", "-"},
        {"check"},
        {"optimise", "--json"},
        {"sweep", "--vary", "1=20:40:10"},
        {"sweep", "--json", "--vary", "1=20:40:10"},
        {"best", "--vary", "1=20:40:10"},
    };
    const bool hasFullDevice = fs::exists("/dev/full");
    for (const auto& command : commands) {
        std::string line;
        for (const auto& word : command)
            line += word + " ";
        SCOPED_TRACE(line);
        if (hasFullDevice)
            expectFailure(run(command, outputTo("/dev/full")), "No space left on device");
        expectFailure(run(command, outputTo(zorbal::test::kClosedPipe)), "Broken pipe");
        EXPECT_EQ(run(command).status, 0);
    }
}

TEST(CommandLineOutputFaults, ASweepCutShortByAFullDiskFails) {
    TempFolder folder;
    const auto r = run({"sweep", "--vary", "1=10:90:0.5"}, sizeLimit(4096, folder.file("rows.csv")));
    expectFailure(r, "File too large");
    EXPECT_LE(fs::file_size(folder.file("rows.csv")), 4096u);
}

/// Sweeps over one and two blocks of rows, as CSV and as JSON, and the best of a grid.
const std::vector<std::vector<std::string>>& threadedCommands() {
    static const std::vector<std::vector<std::string>> commands = {
        {"sweep", "--threads", "8", "--vary", "1=2:90:4", "--vary", "3=0.5:6.5:0.5"},
        {"sweep", "--json", "--threads", "2", "--vary", "1=10:10.2099:0.0001"},
        {"best", "--threads", "8", "--vary", "1=2:90:4", "--vary", "7=30:80:10"},
    };
    return commands;
}

std::string commandLine(const std::vector<std::string>& command) {
    std::string line;
    for (const auto& word : command)
        line += word + " ";
    return line;
}

/// Sets an environment variable for the programs the test starts, and restores it.
class ScopedEnvironment {
  public:
    ScopedEnvironment(const char* name, const std::string& value) : m_name(name) {
        if (const char* old = std::getenv(name))
            m_old = old;
        ::setenv(name, value.c_str(), 1);
    }
    ~ScopedEnvironment() {
        if (m_old)
            ::setenv(m_name, m_old->c_str(), 1);
        else
            ::unsetenv(m_name);
    }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

  private:
    const char* m_name;
    std::optional<std::string> m_old;
};

TEST(CommandLineSystemLimits, ThreadsThatCannotStartLeaveTheWorkToTheOthersWithTheSameRows) {
    if (::geteuid() != 0)
        GTEST_SKIP() << "only root can run the tool as a user of its own, whose process limit holds";
#if ZORBAL_SANITIZED
    // The leak check at exit runs in a thread of its own, which the limit would refuse.
    const char* options = std::getenv("ASAN_OPTIONS");
    const ScopedEnvironment noLeakCheck("ASAN_OPTIONS",
                                        std::string(options ? options : "") + ":detect_leaks=0");
#endif
    // The user of its own may not reach the build folder (a checkout in root's home, say), so it
    // runs a copy of the tool from a folder anyone may enter.
    TempFolder folder;
    namespace fs = std::filesystem;
    fs::permissions(folder.path(), fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec |
                                       fs::perms::others_read | fs::perms::others_exec);
    const std::string tool = folder.file("zorbal-cli");
    fs::copy_file(ZORBAL_CLI, tool);
    for (const auto& command : threadedCommands()) {
        SCOPED_TRACE(commandLine(command));
        const CommandRun unlimited = run(command);
        ASSERT_EQ(unlimited.status, 0) << unlimited.err;
        // The first thread alone, then one and two workers besides it.
        for (const std::uint64_t processes : {1, 2, 3}) {
            SCOPED_TRACE("process limit " + std::to_string(processes));
            ProgramSetup setup;
            setup.isOwnUser = true;
            setup.processLimit = processes;
            const CommandRun limited = zorbal::test::runProgram(tool, command, setup);
            EXPECT_EQ(limited.signal, 0) << "ended by a signal";
            EXPECT_EQ(limited.status, 0);
            EXPECT_EQ(limited.err, "");
            EXPECT_TRUE(limited.out == unlimited.out) << "the rows differ from those of an unlimited run";
        }
    }
}

#if !ZORBAL_SANITIZED // the sanitizers map far more than any limit allows
TEST(CommandLineSystemLimits, UnderAnyAddressSpaceLimitTheToolWorksOrSaysMemoryRanOut) {
    // From the smallest limit the program loads under, a megabyte at a time: some limits leave
    // room for only a few of the threads' stacks, some for the stacks but not for the windows
    // the threads then fly in.
    constexpr std::uint64_t kMegabyte = 1 << 20;
    const auto& command = threadedCommands()[0];
    const CommandRun unlimited = run(command);
    ASSERT_EQ(unlimited.status, 0) << unlimited.err;
    auto limited = [&command](std::uint64_t limit) {
        ProgramSetup setup;
        setup.addressSpaceLimit = limit;
        return run(command, setup);
    };
    // The dynamic loader gives up with 127 before the program starts; the tool never exits so.
    auto loads = [](const CommandRun& r) { return r.status != 127; };
    std::uint64_t fails = 8 * kMegabyte, works = 2048 * kMegabyte;
    ASSERT_TRUE(loads(limited(works)));
    while (works - fails > kMegabyte) {
        const auto middle = (fails + works) / 2;
        (loads(limited(middle)) ? works : fails) = middle;
    }
    int worked = 0;
    for (auto limit = works; limit < works + 48 * kMegabyte; limit += kMegabyte) {
        SCOPED_TRACE("address space limit " + std::to_string(limit / kMegabyte) + " MiB");
        const CommandRun r = limited(limit);
        if (!loads(r))
            continue;
        EXPECT_EQ(r.signal, 0) << "ended by a signal; standard error: " << r.err;
        if (r.status == 0) {
            ++worked;
            EXPECT_TRUE(r.out == unlimited.out) << "the rows differ from those of an unlimited run";
            EXPECT_EQ(r.err, "");
        } else {
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.err, "zorbal-cli: Not enough memory\n");
        }
    }
    EXPECT_GT(worked, 0);
}

#ifdef ZORBAL_CLI_PLOTS
TEST(CommandLineSystemLimits, APictureTooLargeForTheMemoryLeftSaysSoAndKeepsTheOldFile) {
    // 10000 x 10000 pixels take 400 MB, more than the whole address space allowed.
    TempFolder folder;
    const std::vector<std::vector<std::string>> commands = {
        {"sweep", "--threads", "1", "--vary", "1=20:40:10", "--plot-size", "10000x10000", "--plot"},
        {"fly", "--plot-size", "10000x10000", "--plot-trajectory"},
        {"fly", "--plot-size", "10000x10000", "--plot-velocity"},
    };
    ProgramSetup setup;
    setup.addressSpaceLimit = 320 << 20;
    for (const auto& command : commands) {
        SCOPED_TRACE(commandLine(command));
        const std::string old = folder.put("picture.png", "old");
        auto arguments = command;
        arguments.push_back(old);
        const CommandRun r = run(arguments, setup);
        EXPECT_EQ(r.signal, 0) << "ended by a signal";
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(r.err, "Could not write the picture " + old + ": Not enough memory\n");
        EXPECT_EQ(folder.get("picture.png"), "old");
        EXPECT_EQ(folder.entries(), 1);
    }
}
#endif
#endif

} // namespace
