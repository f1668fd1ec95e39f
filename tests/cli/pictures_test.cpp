// SPDX-License-Identifier: MIT
// zorbal-cli loads Qt only for a picture: its pictures are drawn by zorbal-pictures.so, found
// beside the tool in the build tree or where the package installs it, and a tool whose module is
// missing or broken still does everything else and says why the picture was not drawn.
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;
using zorbal::test::CommandRun;
using zorbal::test::TempFolder;

const fs::path kBuiltTool = ZORBAL_CLI;
const fs::path kBuiltModule = ZORBAL_PICTURES;

/// Runs `tool` with the dynamic loader telling on standard error which libraries it loads.
CommandRun runTellingLibraries(const fs::path& tool, const std::vector<std::string>& arguments) {
    ::setenv("LD_DEBUG", "libs", 1);
    CommandRun r = zorbal::test::runProgram(tool.string(), arguments);
    ::unsetenv("LD_DEBUG");
    return r;
}

bool loadsQt(const CommandRun& r) {
    return r.err.find("libQt6") != std::string::npos;
}

/// A copy of the tool at `folder`/`place`, with no module anywhere near it.
fs::path copyTool(const TempFolder& folder, const fs::path& place) {
    const fs::path tool = folder.path() / place / "zorbal-cli";
    fs::create_directories(tool.parent_path());
    fs::copy_file(kBuiltTool, tool);
    fs::permissions(tool, fs::perms::owner_all);
    return tool;
}

TEST(CommandLinePictureModule, CommandsWithoutPicturesLoadNoQt) {
    TempFolder folder;
    const std::vector<std::vector<std::string>> commands = {
        {"fly"},
        {"fly", "--json", "--launches", "2"},
        {"fly", "--trajectory", folder.file("trajectory.txt")},
        {"check"},
        {"optimise"},
        {"sweep", "--vary", "1=20:40:10"},
        {"best", "--vary", "1=20:40:10"},
    };
    for (const auto& command : commands) {
        SCOPED_TRACE(command.back());
        const CommandRun r = runTellingLibraries(kBuiltTool, command);
        EXPECT_EQ(r.status, 0);
        EXPECT_FALSE(loadsQt(r)) << r.err;
    }
    // The loader does tell of Qt when a picture needs it.
    const CommandRun plotted =
        runTellingLibraries(kBuiltTool, {"fly", "--plot-trajectory", folder.file("t.png")});
    EXPECT_EQ(plotted.status, 0);
    EXPECT_TRUE(loadsQt(plotted));
    EXPECT_NE(plotted.err.find("zorbal-pictures.so"), std::string::npos);
}

TEST(CommandLinePictureModule, TheInstalledLayoutDrawsTheSamePicturesAsTheBuildTree) {
    TempFolder folder;
    const auto built =
        zorbal::test::runProgram(kBuiltTool, {"fly", "--plot-velocity", folder.file("built.png")});
    ASSERT_EQ(built.status, 0) << built.err;

    // usr/bin/zorbal-cli and the module where the package puts it, the tool started through a
    // link from elsewhere (as a user's own bin folder would hold).
    const fs::path tool = copyTool(folder, "usr/bin");
    const fs::path moduleFolder = (tool.parent_path() / ZORBAL_PICTURES_DIR).lexically_normal();
    fs::create_directories(moduleFolder);
    fs::copy_file(kBuiltModule, moduleFolder / "zorbal-pictures.so");
    fs::create_directories(folder.path() / "home");
    fs::create_symlink(tool, folder.path() / "home/zorbal-cli");
    for (const auto& start : {tool, folder.path() / "home/zorbal-cli"}) {
        SCOPED_TRACE(start.string());
        fs::remove(folder.path() / "installed.png");
        const CommandRun r =
            zorbal::test::runProgram(start, {"fly", "--plot-velocity", folder.file("installed.png")});
        EXPECT_EQ(r.status, 0) << r.err;
        EXPECT_EQ(r.out, built.out);
        EXPECT_TRUE(folder.get("installed.png") == folder.get("built.png")) << "the pictures differ";
    }
}

TEST(CommandLinePictureModule, WithoutItsModuleTheToolDoesTheRestAndSaysWhyThePictureIsMissing) {
    TempFolder folder;
    const fs::path tool = copyTool(folder, "bin");
    const std::string trajectory = folder.file("trajectory.txt");
    const std::string design = folder.file("best.txt");
    const std::string picture = folder.file("picture.png");
    const std::string velocity = folder.file("velocity.png");

    struct Case {
        std::vector<std::string> arguments;
        std::vector<std::string> pictures; ///< the pictures asked for, each with its message
        std::string written;               ///< a file the command writes all the same
    };
    const std::vector<Case> cases = {
        {{"fly", "--trajectory", trajectory, "--plot-trajectory", picture, "--plot-velocity", velocity},
         {picture, velocity},
         trajectory},
        {{"sweep", "--vary", "1=20:40:10", "--plot", picture}, {picture}, ""},
        {{"best", "--vary", "1=20:40:10", "--save-design", design, "--plot", picture}, {picture}, design},
    };
    // No module at all, then a file in its place that is no module.
    for (const bool broken : {false, true}) {
        if (broken)
            folder.put("bin/zorbal-pictures.so", "not a shared object");
        const std::string reason = broken
                                       ? "zorbal-pictures.so, which draws the pictures, could not be loaded: "
                                       : "zorbal-pictures.so, which draws the pictures, is in neither ";
        for (const auto& c : cases) {
            SCOPED_TRACE(c.arguments.front() + (broken ? " with a broken module" : " without a module"));
            const CommandRun expected = zorbal::test::runProgram(kBuiltTool, c.arguments);
            ASSERT_EQ(expected.status, 0) << expected.err;
            for (const auto& file : c.pictures)
                fs::remove(file);
            if (!c.written.empty())
                fs::remove(c.written);

            const CommandRun r = zorbal::test::runProgram(tool, c.arguments);
            EXPECT_EQ(r.signal, 0);
            EXPECT_EQ(r.status, 1);
            EXPECT_EQ(r.out, expected.out) << "the command's report changed";
            std::string::size_type at = 0;
            for (const auto& file : c.pictures) {
                EXPECT_FALSE(fs::exists(file)) << file;
                const std::string start = "Could not write the picture " + file + ": ";
                at = r.err.find(start, at);
                ASSERT_NE(at, std::string::npos) << r.err;
                EXPECT_NE(r.err.find(reason, at), std::string::npos) << r.err;
                ++at;
            }
            if (!c.written.empty()) {
                EXPECT_TRUE(fs::exists(c.written)) << "the command wrote less than before: " << c.written;
            }
        }
    }
}

} // namespace
