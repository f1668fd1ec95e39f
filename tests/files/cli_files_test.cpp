// SPDX-License-Identifier: MIT
// zorbal-cli's design files and exports: --design, save-design, fly --trajectory/--history.
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace {

zorbal::test::CommandRun run(const std::string& arguments) {
    return zorbal::test::runCommand(ZORBAL_CLI, arguments);
}

std::string quoted(const std::string& path) {
    return "'" + path + "'";
}

TEST(CommandLineFiles, SavedDesignsLoadBackThroughTheSameLoader) {
    zorbal::test::TempFolder folder;
    const std::string a = folder.file("a design.txt");
    ASSERT_EQ(
        run("save-design " + quoted(a) + " --rail --parachute --trigger time --input 0=1.50 --input 13=0.75")
            .status,
        0);
    EXPECT_EQ(folder.get("a design.txt").substr(0, 14), "Volume\t1.50\r\nF");
    // Loading normalises "1.50" to "1.5"; after that a design saves back unchanged.
    const auto b = run("save-design - --design " + quoted(a));
    ASSERT_EQ(b.status, 0);
    EXPECT_NE(b.out.find("Volume\t1.5\r\n"), std::string::npos);
    EXPECT_NE(b.out.find("\r\nLaunchTube\t1\r\n"), std::string::npos);
    EXPECT_NE(b.out.find("\r\nParachute\t0.75\r\nTriggerMechanism\tTime\r\n"), std::string::npos);
    const std::string bPath = folder.put("b.txt", b.out);
    EXPECT_EQ(run("save-design - --design " + quoted(bPath)).out, b.out);
    // The options after --design change the loaded design.
    EXPECT_NE(run("save-design - --design " + quoted(bPath) + " --input 0=3").out.find("Volume\t3\r\n"),
              std::string::npos);

    EXPECT_EQ(run("fly --design " + quoted(folder.file("missing.txt"))).status, 2);
    EXPECT_EQ(run("save-design " + quoted(folder.path().string())).status, 1);
}

TEST(CommandLineFiles, LinksCarryTheDesignAsSavedAndFlyAsTheFileDoes) {
    zorbal::test::TempFolder folder;
    const std::string options = "--input 0=1.5 --input 3=5 --parachute --trigger time";
    const std::string design = folder.put("d.txt", run("save-design - " + options).out);
    const auto made = run("link --design " + quoted(design) + " --base 'https://school.example/zorbal/#x'");
    ASSERT_EQ(made.status, 0);
    ASSERT_EQ(made.out.back(), '\n');
    const std::string link = made.out.substr(0, made.out.size() - 1);
    EXPECT_EQ(link.rfind("https://school.example/zorbal/#zorbal=1.", 0), 0u) << link;
    // The link holds the design as "Save" writes it: the design loaded from the link is the one
    // loaded from the file, byte for byte, and flies the same.
    EXPECT_EQ(run("save-design - --link " + quoted(link)).out,
              run("save-design - --design " + quoted(design)).out);
    EXPECT_EQ(run("fly --link " + quoted(link)).out, run("fly --design " + quoted(design)).out);
    // A link made of the typed design loads as the file saved of it; options after the link
    // change its design.
    const std::string typed = run("link --base file:///srv/zorbal/index.html " + options).out;
    EXPECT_EQ(typed.rfind("file:///srv/zorbal/index.html#zorbal=1.", 0), 0u) << typed;
    EXPECT_EQ(run("save-design - --link " + quoted(typed.substr(0, typed.size() - 1))).out,
              run("save-design - --design " + quoted(design)).out);
    EXPECT_NE(run("save-design - --link " + quoted(link) + " --input 0=3").out.find("Volume\t3\r\n"),
              std::string::npos);

    const auto other =
        zorbal::test::runProgram(ZORBAL_CLI, {"fly", "--link", "https://school.example/zorbal/#top"});
    EXPECT_EQ(other.status, 2);
    EXPECT_EQ(other.err, "--link: the link carries no Zorbal design\n");
    const auto cut = zorbal::test::runProgram(ZORBAL_CLI, {"fly", "--link", link.substr(0, link.size() - 4)});
    EXPECT_EQ(cut.status, 2);
    EXPECT_EQ(cut.err, "--link: Sorry, the program can't open that file.\n");
    EXPECT_EQ(run("fly --design " + quoted(design) + " --link " + quoted(link)).status, 2);
    EXPECT_EQ(run("link --design " + quoted(design)).status, 2); // --base is required
}

TEST(CommandLineFiles, FlyWritesTheExportsOfTheLastLaunch) {
    zorbal::test::TempFolder folder;
    const auto csv = run("fly --trajectory - --csv");
    ASSERT_EQ(csv.status, 0);
    EXPECT_EQ(csv.out.substr(0, 37), "t (s),x (m),y (m),Vx (m/s),Vy (m/s)\r\n");
    EXPECT_EQ(csv.out.substr(csv.out.size() - 4), "\r\n\r\n");
    EXPECT_EQ(csv.out.find("Launch number"), std::string::npos);

    const auto flown = run("fly --launches 2 --history " + quoted(folder.file("h.txt")) + " --trajectory " +
                           quoted(folder.file("t.txt")));
    ASSERT_EQ(flown.status, 0);
    EXPECT_NE(flown.out.find("Launch number 2"), std::string::npos);
    const std::string history = folder.get("h.txt");
    EXPECT_EQ(history.substr(0, 7), "Launch\t");
    EXPECT_EQ(std::count(history.begin(), history.end(), '\n'), 4); // headings, 2 launches, empty line
    EXPECT_EQ(folder.get("t.txt").substr(0, 6), "t (s)\t");

    EXPECT_EQ(run("fly --trajectory " + quoted(folder.path().string())).status, 1);
    EXPECT_EQ(run("fly --trajectory - --history -").status, 2);
}

TEST(CommandLineFiles, OutputsNamingOneAnotherOrTheDesignFileAreUsageErrorsThatWriteNothing) {
    namespace fs = std::filesystem;
    zorbal::test::TempFolder folder;
    const std::string design = folder.put("d.txt", run("save-design - --input 5=120").out);
    const std::string designText = folder.get("d.txt");
    fs::create_symlink("d.txt", folder.path() / "link.txt");
    fs::create_directory(folder.path() / "real");
    fs::create_directory_symlink("real", folder.path() / "alias");
    const std::string d = folder.file("d.txt"), link = folder.file("link.txt");
    const std::string sameD = (folder.path() / "real" / ".." / "d.txt").string();
    const std::string x = folder.file("real/x.png"), sameX = folder.file("alias/x.png");
    const std::string t = folder.file("t.txt"), sameT = (folder.path() / "." / "t.txt").string();
    struct Case {
        std::vector<std::string> arguments;
        std::string message;
    };
    const std::string designClash = "cannot write over the --design file";
    const std::vector<Case> cases = {
        {{"best", "--design", d, "--save-design", sameD}, "--save-design " + designClash},
        {{"best", "--design", link, "--save-design", d}, "--save-design " + designClash},
        {{"fly", "--design", d, "--trajectory", d}, "--trajectory " + designClash},
        {{"fly", "--design", sameD, "--history", link}, "--history " + designClash},
        {{"fly", "--trajectory", t, "--history", sameT}, "--trajectory and --history cannot both write"},
#ifdef ZORBAL_CLI_PLOTS
        {{"sweep", "--design", d, "--plot", link}, "--plot " + designClash},
        {{"best", "--design", d, "--plot", d}, "--plot " + designClash},
        {{"best", "--save-design", x, "--plot", sameX}, "--save-design and --plot cannot both write"},
        {{"fly", "--design", d, "--plot-velocity", d}, "--plot-velocity " + designClash},
        {{"fly", "--plot-trajectory", x, "--plot-velocity", x},
         "--plot-trajectory and --plot-velocity cannot both write"},
        {{"fly", "--history", t, "--plot-trajectory", sameT}, "--history and --plot-trajectory cannot both"},
        {{"sweep", "--plot", ""}, "--plot: the file name is empty"},
        {{"best", "--plot", ""}, "--plot: the file name is empty"},
        {{"sweep", "--plot-size", "100x100"}, "--plot-size requires --plot"},
        {{"best", "--plot-figure", "height"}, "--plot-figure requires --plot"},
#endif
    };
    for (const auto& usage : cases) {
        auto arguments = usage.arguments;
        if (arguments[0] != "fly")
            arguments.insert(arguments.begin() + 1, {"--vary", "1=20:40:10"});
        std::string line;
        for (const auto& word : arguments)
            line += word + " ";
        SCOPED_TRACE(line);
        const auto r = zorbal::test::runProgram(ZORBAL_CLI, arguments);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.out, "");
        EXPECT_NE(r.err.find(usage.message), std::string::npos) << "standard error: " << r.err;
        EXPECT_EQ(folder.get("d.txt"), designText);
        EXPECT_EQ(folder.entries(), 4) << "a file was written";
        EXPECT_TRUE(fs::is_empty(folder.path() / "real")) << "a file was written";
    }
    // Files of their own are written; a design saved back over the file it was loaded from is
    // what "Load", a change and "Save" do.
    EXPECT_EQ(run("best --vary 1=20:40:10 --design " + quoted(d) + " --save-design " + quoted(t)).status, 0);
    EXPECT_EQ(run("save-design " + quoted(d) + " --design " + quoted(link) + " --input 5=130").status, 0);
    EXPECT_NE(folder.get("d.txt").find("Mass\t130\r\n"), std::string::npos);
}

} // namespace
