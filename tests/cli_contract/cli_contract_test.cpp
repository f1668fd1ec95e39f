// SPDX-License-Identifier: MIT
// zorbal-cli as a script or a teacher uses it: arguments in, words or JSON and an exit status out.
#include "support/run_command.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <string>

namespace {

zorbal::test::CommandRun run(const std::string& arguments) {
    return zorbal::test::runCommand(ZORBAL_CLI, arguments);
}

TEST(CommandLine, FlyReportsTheDefaultFlightAsJson) {
    const auto r = run("fly --json");
    ASSERT_EQ(r.status, 0);
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["launch_count"], 1);
    EXPECT_EQ(json["steps"], 1561);
    EXPECT_EQ(json["outputs"][4], "4.30");
    EXPECT_EQ(json["outputs"][6], "22.60");
    EXPECT_EQ(json["outputs"][9], "51.61");
    EXPECT_EQ(json["inputs"][1], "30.0");
    EXPECT_NEAR(json["max_speed"].get<double>(), 38.41, 0.005);
    EXPECT_EQ(json["events"]["time"].size(), 5u);
    EXPECT_TRUE(json["messages"].empty());
}

TEST(CommandLine, DesignOptionsTypeIntoTheBoxesAndTickTheOptions) {
    const auto r =
        run("fly --json --launches 2 --input 4=10 --rail --parachute --trigger time --input 12=20");
    ASSERT_EQ(r.status, 0);
    const auto json = nlohmann::json::parse(r.out);
    EXPECT_EQ(json["launch_count"], 2);
    EXPECT_EQ(json["inputs"][4], "10");
    EXPECT_EQ(json["outputs"][4], "4.49");
}

TEST(CommandLine, InputsTypedWithADecimalCommaFlyTheNumberMeant) {
    const auto withCommas = run("fly --json --input 0=1,5 --input 3=3,5 --rail --input 8=0,75");
    const auto withPoints = run("fly --json --input 0=1.5 --input 3=3.5 --rail --input 8=0.75");
    ASSERT_EQ(withCommas.status, 0);
    const auto commas = nlohmann::json::parse(withCommas.out);
    const auto points = nlohmann::json::parse(withPoints.out);
    EXPECT_EQ(commas["outputs"], points["outputs"]);
    EXPECT_EQ(commas["commentary"], points["commentary"]);
    EXPECT_EQ(commas["inputs"][0], "1,5"); // the box shows it as typed
    const auto cutAtTheComma = run("fly --json --input 0=1 --input 3=3.5 --rail --input 8=0.75");
    EXPECT_NE(commas["outputs"][9], nlohmann::json::parse(cutAtTheComma.out)["outputs"][9]);
    // A sweep around the design, and its saved design file, read it too.
    EXPECT_EQ(run("sweep --vary 1=20:40:20 --input 0=1,5").out,
              run("sweep --vary 1=20:40:20 --input 0=1.5").out);
    EXPECT_NE(run("save-design - --input 0=1,5").out.find("Volume\t1.5\r\n"), std::string::npos);
    // A comma that may group thousands is refused with the program's question.
    const auto unclear = run("check --json --input 5=1,250");
    EXPECT_EQ(unclear.status, 1);
    const std::string message = nlohmann::json::parse(unclear.out)["messages"][0];
    EXPECT_NE(message.find("\"1,250\", which could mean more than one number"), std::string::npos);
}

TEST(CommandLine, RefusalsExitWithOneAndUsageErrorsWithTwo) {
    const auto refused = run("fly --json --input 1=99 --input 3=0.1");
    EXPECT_EQ(refused.status, 1);
    const auto json = nlohmann::json::parse(refused.out);
    EXPECT_EQ(json["launch_count"], 0);
    ASSERT_EQ(json["messages"].size(), 1u);
    EXPECT_EQ(run("check --input 0=25").status, 1);
    EXPECT_EQ(run("check").status, 0);
    EXPECT_EQ(run("fly --input 14=3").status, 2);
    EXPECT_EQ(run("fly --input x").status, 2);
    EXPECT_EQ(run("launch").status, 2);
}

TEST(CommandLine, TargetsThatAreNotFiniteAndEmptyFileNamesAreUsageErrors) {
    for (const char* target : {"nan", "inf", "-inf", "1e400", "50x"})
        EXPECT_EQ(run("best --vary 1=20:40:10 --target-range " + std::string(target)).status, 2) << target;
    EXPECT_EQ(run("best --vary 1=20:40:10 --target-range 50").status, 0);
    for (const char* command :
         {"fly --design ''", "fly --trajectory ''", "fly --history ''", "fly --plot-trajectory ''",
          "fly --plot-velocity ''", "save-design ''", "sweep --vary 1=20:40:10 --design ''",
          "best --vary 1=20:40:10 --save-design ''"})
        EXPECT_EQ(run(command).status, 2) << command;
}

TEST(CommandLine, OptimisePrintsTheChosenFillingFactor) {
    const auto r = run("optimise");
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "21\n");
    const auto json = nlohmann::json::parse(run("optimise --json").out);
    EXPECT_NEAR(json["energy_per_mass"].get<double>(), 207.77, 0.005);
}

TEST(CommandLine, FitAndScatterRefuseMalformedOptionsAsUsageErrors) {
    auto refusal = [](const std::vector<std::string>& arguments) {
        const auto r = zorbal::test::runProgram(ZORBAL_CLI, arguments);
        EXPECT_EQ(r.status, 2) << r.err;
        EXPECT_TRUE(r.out.empty()) << r.out;
        return r.err;
    };
    EXPECT_NE(refusal({"fit"}).find("--measured is required"), std::string::npos);
    EXPECT_EQ(
        refusal({"fit", "--measured", "speed=3"}),
        "--measured takes FIGURE=VALUE or FIGURE=VALUE\u00b1U, not \"speed=3\": FIGURE is height, duration "
        "or range\n");
    EXPECT_NE(refusal({"fit", "--measured", "height=3", "--vary", "14"}).find("--vary"), std::string::npos);
    EXPECT_EQ(refusal({"scatter", "--spread", "3=-0.2"}),
              "--spread takes I=AMOUNT, not \"3=-0.2\": AMOUNT is a plain number not below 0, such as 0.2\n");
    EXPECT_EQ(refusal({"scatter", "--spread", "3=1", "--spread", "3=2"}),
              "Input 3 is given a spread twice\n");
    EXPECT_NE(refusal({"scatter", "--runs", "0"}).find("--runs"), std::string::npos);
    EXPECT_NE(refusal({"scatter", "--distribution", "odd"}).find("--distribution"), std::string::npos);
    EXPECT_EQ(refusal({"scatter", "--input", "3=lots"}),
              "The pressure box holds \"lots\", not a number to spread about\n");
}

} // namespace
