// SPDX-License-Identifier: MIT
// zorbal-cli's design files and exports: --design, save-design, fly --trajectory/--history.
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

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

} // namespace
