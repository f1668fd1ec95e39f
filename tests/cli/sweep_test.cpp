// SPDX-License-Identifier: MIT
// Parameter sweeps: the grid's values, candidates flown as a fresh program's first launch, grid
// order on any number of threads, the best design, and the zorbal-cli commands.
#include "explore/best.h"
#include "explore/sweep.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

#ifdef __linux__
#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>
#endif

namespace zorbal::test {
namespace {

using Json = nlohmann::json;

using explore::Outcome;
using explore::SweepGrid;
using explore::SweepRow;
using explore::VaryAxis;

VaryAxis axis(const std::string& text) {
    VaryAxis result;
    const auto error = VaryAxis::parse(text, result);
    EXPECT_EQ(error, "") << text;
    return result;
}

std::vector<std::string> texts(const VaryAxis& a) {
    std::vector<std::string> result;
    for (std::size_t k = 0; k < a.count(); ++k)
        result.push_back(a.text(k));
    return result;
}

SweepGrid grid(const std::vector<std::string>& vary) {
    std::vector<VaryAxis> axes;
    for (const auto& text : vary)
        axes.push_back(axis(text));
    SweepGrid result;
    EXPECT_EQ(SweepGrid::make(axes, result), "");
    return result;
}

TEST(VaryAxis, BuildsEveryValueFromItsIndexWithoutDriftAddingOrDroppingPoints) {
    // Accumulating 0.1 would give 0.30000000000000004 and (0.3 - 0.1) / 0.1 is just below 2.
    EXPECT_EQ(texts(axis("6=0.1:0.3:0.1")), (std::vector<std::string>{"0.1", "0.2", "0.3"}));
    EXPECT_EQ(texts(axis("10=-0.3:0.3:0.1")),
              (std::vector<std::string>{"-0.3", "-0.2", "-0.1", "0", "0.1", "0.2", "0.3"}));
    EXPECT_EQ(texts(axis("1=90:50:-20")), (std::vector<std::string>{"90", "70", "50"}));
    EXPECT_EQ(texts(axis("1=5:5:1")), (std::vector<std::string>{"5"}));
    EXPECT_EQ(texts(axis("0=1:2.5:1")), (std::vector<std::string>{"1", "2"})); // TO off the grid

    const auto pressure = axis("3=0.07:7:0.07");
    ASSERT_EQ(pressure.count(), 100u);
    EXPECT_EQ(pressure.text(99), "7");
    EXPECT_EQ(pressure.text(42), "3.01");
    EXPECT_EQ(axis("1=1:98:1").count(), 98u);
    EXPECT_EQ(axis("12=0:20:0.001").text(17001), "17.001");
}

TEST(VaryAxis, RefusesWhatIsNotAnInputAndThreeNumbersLeadingFromFromToTo) {
    VaryAxis a;
    EXPECT_NE(VaryAxis::parse("14=1:2:1", a), "");
    EXPECT_NE(VaryAxis::parse("x=1:2:1", a), "");
    EXPECT_NE(VaryAxis::parse("1=1:2", a), "");
    EXPECT_NE(VaryAxis::parse("1=1:2:1:4", a), "");
    EXPECT_NE(VaryAxis::parse("1=1:2:0", a), "");
    EXPECT_NE(VaryAxis::parse("1=1:2:-1", a), "");
    EXPECT_NE(VaryAxis::parse("1=1%:2:1", a), "");
    EXPECT_NE(VaryAxis::parse("1=0:1e300:1", a), "");

    SweepGrid g;
    EXPECT_NE(SweepGrid::make({}, g), "");
    EXPECT_NE(SweepGrid::make({axis("1=1:2:1"), axis("1=3:4:1")}, g), "");
    EXPECT_NE(SweepGrid::make({axis("0=1:2:1"), axis("1=1:2:1"), axis("3=1:2:1"), axis("4=1:2:1")}, g), "");
    EXPECT_NE(SweepGrid::make({axis("0=0:5000:1"), axis("1=0:5000:1")}, g), ""); // 25 million designs
}

TEST(SweepGrid, NumbersTheCandidatesWithTheFirstAxisChangingSlowest) {
    const auto g = grid({"1=10:30:10", "3=1:2:1"});
    ASSERT_EQ(g.size(), 6u);
    EXPECT_EQ(g.texts(0), (std::vector<std::string>{"10", "1"}));
    EXPECT_EQ(g.texts(1), (std::vector<std::string>{"10", "2"}));
    EXPECT_EQ(g.texts(2), (std::vector<std::string>{"20", "1"}));
    EXPECT_EQ(g.texts(5), (std::vector<std::string>{"30", "2"}));
}

/// The common design of the sweeps below: the rail and the parachute by time ticked, so their
/// options reach every worker's window.
void railAndParachute(ui::Zorbal& w) {
    w.txtInput[5].Text = "150";
    w.chkOptions[2].setValue(1);
    w.chkOptions[3].setValue(1);
    w.optParachute.select(1);
    w.txtInput[12].Text = "2.5";
}

/// Each row against a freshly started window on which the same design is launched.
void expectRowsAreFirstLaunches(const SweepGrid& g, const std::vector<SweepRow>& rows,
                                const explore::DesignSetter& setDesign) {
    ASSERT_EQ(rows.size(), g.size());
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE("candidate " + std::to_string(i));
        StartedWindow fresh;
        if (setDesign)
            setDesign(fresh.window);
        const auto candidate = g.texts(i);
        for (std::size_t a = 0; a < candidate.size(); ++a)
            fresh.type(g.axes()[a].input(), candidate[a]);
        const bool isCounted = fresh.launch();
        const auto& row = rows[i];
        EXPECT_EQ(row.index, i);
        EXPECT_EQ(row.inputs, candidate);
        if (!isCounted) {
            EXPECT_EQ(row.outcome, Outcome::Refused);
            ASSERT_EQ(fresh.messages().size(), 1u);
            EXPECT_EQ(row.message, fresh.messages()[0]);
            EXPECT_EQ(row.duration + row.height + row.range, "");
            continue;
        }
        EXPECT_EQ(row.outcome, Outcome::Flown);
        EXPECT_EQ(row.message, "");
        EXPECT_EQ(row.duration, fresh.window.txtOutput[4].Text);
        EXPECT_EQ(row.height, fresh.window.txtOutput[6].Text);
        EXPECT_EQ(row.range, fresh.window.txtOutput[9].Text);
        EXPECT_EQ(row.steps, fresh.window.LastFlight.steps);
        EXPECT_EQ(row.rangeMetres, fresh.window.Rocket.Range);
    }
}

TEST(Sweep, EachRowIsTheFirstLaunchOfAFreshlyStartedProgram) {
    // Filling factors from below the minimum (refused by the limits) to too little air (refused
    // by the launch), at two angles; one window flies them all one after another.
    const auto g = grid({"1=0:80:16", "7=45:75:30"});
    explore::SweepOptions options;
    options.threads = 1;
    const auto rows = explore::sweepRows(g, options);
    expectRowsAreFirstLaunches(g, rows, {});
    EXPECT_EQ(rows[0].message, "The rocket won't work if bottle doesn't have some water in!");
    EXPECT_EQ(rows[10].outcome, Outcome::Refused);
    EXPECT_EQ(
        rows[10].message,
        "Sorry! The launch has been cancelled because there is not enough air in the bottle to fully expel "
        "the water!\r\n\r\nTry reducing the 'Filling Factor' for the bottle or press the blue 'Optimise' "
        "button.");
    EXPECT_EQ(rows[4].outcome, Outcome::Flown); // 32 %, 45 degrees

    options.setDesign = railAndParachute;
    const auto withOptions = explore::sweepRows(grid({"1=10:50:20", "12=0:4:2"}), options);
    expectRowsAreFirstLaunches(grid({"1=10:50:20", "12=0:4:2"}), withOptions, railAndParachute);
}

TEST(Sweep, ACommonInputOutOfRangeRefusesEveryCandidateNotJustTheFirst) {
    // The check writes the limit into the box; the next candidate starts from the design again.
    explore::SweepOptions options;
    options.threads = 1;
    options.setDesign = [](ui::Zorbal& w) { w.txtInput[0].Text = "25"; };
    for (const auto& row : explore::sweepRows(grid({"1=20:40:10"}), options)) {
        EXPECT_EQ(row.outcome, Outcome::Refused);
        EXPECT_EQ(row.message, "Sorry, the maximum volume that can be simulated is 20 litres");
    }
}

TEST(Sweep, TheEfficiencyBoxIsCheckedAsTheWindowChecksIt) {
    // Efficiencies typed as general text are plain numbers; one below the minimum is refused.
    const auto g = grid({"9=5:15:5"});
    explore::SweepOptions options;
    options.threads = 1;
    const auto rows = explore::sweepRows(g, options);
    expectRowsAreFirstLaunches(g, rows, {});
    EXPECT_EQ(rows[0].outcome, Outcome::Refused);
    EXPECT_EQ(rows[1].outcome, Outcome::Flown);
}

TEST(Sweep, RowOrderDoesNotDependOnTheNumberOfThreads) {
    const auto g = grid({"1=2:90:4", "3=0.5:6.5:2"});
    explore::SweepOptions options;
    options.threads = 1;
    const auto one = explore::sweepRows(g, options);
    for (int threads : {2, 3, 7}) {
        options.threads = threads;
        std::size_t progressCalls = 0;
        options.onProgress = [&](std::size_t done, std::size_t total) {
            ++progressCalls;
            EXPECT_EQ(total, g.size());
            EXPECT_LE(done, total);
        };
        const auto many = explore::sweepRows(g, options);
        ASSERT_EQ(many.size(), one.size());
        EXPECT_GE(progressCalls, 1u);
        for (std::size_t i = 0; i < one.size(); ++i) {
            EXPECT_EQ(many[i].index, i);
            EXPECT_EQ(many[i].inputs, one[i].inputs);
            EXPECT_EQ(many[i].outcome, one[i].outcome);
            EXPECT_EQ(many[i].message, one[i].message);
            EXPECT_EQ(many[i].range, one[i].range);
            EXPECT_EQ(many[i].steps, one[i].steps);
        }
    }
    // However many are asked for, no more workers start than a few per core or than candidates.
    const int cores = static_cast<int>(std::max(std::thread::hardware_concurrency(), 1U));
    EXPECT_EQ(explore::workerCount(1024, 1'000'000), cores * explore::kMaxThreadsPerCore);
    EXPECT_EQ(explore::workerCount(0, 1'000'000), cores);
    EXPECT_EQ(explore::workerCount(7, 3), 3);
}

TEST(Sweep, LargeGridsAreHandedOnInGridOrderBlockAfterBlock) {
    // More candidates than one block of rows.
    const auto g = grid({"1=10:10.2999:0.0001"});
    ASSERT_EQ(g.size(), 3000u);
    explore::SweepOptions options;
    options.threads = 2;
    std::size_t expected = 0;
    explore::runSweep(g, options, [&](SweepRow&& row) {
        EXPECT_EQ(row.index, expected);
        ++expected;
    });
    EXPECT_EQ(expected, g.size());
}

TEST(BestDesign, IsAGridPointWhoseResultIsAtLeastEveryOtherOnes) {
    const auto g = grid({"1=5:75:5", "7=30:80:10"});
    const auto rows = explore::sweepRows(g, {});
    for (const explore::Goal goal : {explore::Goal::MaximiseRange, explore::Goal::MaximiseHeight,
                                     explore::Goal::MaximiseDuration, explore::Goal::TargetRange}) {
        const explore::Criterion criterion{goal, 30.0};
        explore::BestTracker tracker(criterion);
        for (const auto& row : rows)
            tracker.consider(row);
        ASSERT_TRUE(tracker.best());
        const auto& best = *tracker.best();
        EXPECT_EQ(best.outcome, Outcome::Flown);
        EXPECT_EQ(best.inputs, g.texts(best.index));
        std::size_t flown = 0;
        for (const auto& row : rows) {
            if (row.outcome != Outcome::Flown)
                continue;
            ++flown;
            EXPECT_GE(explore::score(best, criterion), explore::score(row, criterion));
        }
        EXPECT_EQ(tracker.flown(), flown);
        EXPECT_LT(flown, rows.size()); // the fullest bottles are refused and never chosen
    }
}

TEST(BestDesign, KeepsTheFirstOfEquallyGoodDesigns) {
    SweepRow first, second, refused;
    first.outcome = second.outcome = Outcome::Flown;
    first.index = 3;
    second.index = 8;
    first.rangeMetres = second.rangeMetres = 12.5;
    refused.rangeMetres = 99;
    explore::BestTracker tracker({});
    tracker.consider(refused);
    tracker.consider(first);
    tracker.consider(second);
    EXPECT_EQ(tracker.best()->index, 3u);
}

// ---- The commands ----------------------------------------------------------------------------

/// Runs zorbal-cli with `arguments`.
CommandRun runCli(const std::string& arguments) {
    return runCommand(ZORBAL_CLI, arguments);
}

/// The report of `zorbal-cli fly --json` for a design typed as --input options.
Json flyJson(const std::string& inputs) {
    return Json::parse(runCli("fly --json " + inputs).out);
}

TEST(SweepCommand, PrintsOneCsvRecordPerDesignEqualToTheFlyCommandsResults) {
    const auto sweep = runCli("sweep --vary 1=0:98:49");
    EXPECT_EQ(sweep.status, 0);
    const Json flown = flyJson("--input 1=49");
    const auto& outputs = flown["outputs"];
    const std::string notEnoughAir = flyJson("--input 1=98")["messages"][0];
    EXPECT_EQ(sweep.out, "filling_factor,flight_duration,max_height,range,steps,outcome,message\r\n"
                         "0,,,,,refused,The rocket won't work if bottle doesn't have some water in!\r\n"
                         "49," +
                             outputs[4].get<std::string>() + "," + outputs[6].get<std::string>() + "," +
                             outputs[9].get<std::string>() + "," + std::to_string(flown["steps"].get<int>()) +
                             ",flown,\r\n"
                             "98,,,,,refused,\"" +
                             notEnoughAir + "\"\r\n");
}

TEST(SweepCommand, JsonLinesMatchTheFlyCommandAndBestPicksTheLongestRange) {
    const std::string vary = "--vary 1=10:70:15 --vary 7=40:70:15 --input 5=120 --rail";
    const auto sweep = runCli("sweep --json --threads 2 " + vary);
    EXPECT_EQ(sweep.status, 0);
    std::istringstream lines(sweep.out);
    double longest = 0;
    std::size_t count = 0;
    for (std::string line; std::getline(lines, line); ++count) {
        const Json row = Json::parse(line);
        const std::string fill = row["filling_factor"], angle = row["launch_angle"];
        const Json fly = flyJson("--input 5=120 --rail --input 1=" + fill + " --input 7=" + angle);
        if (row["outcome"] == "refused") {
            EXPECT_EQ(row["message"], fly["messages"][0]);
            EXPECT_TRUE(row["range"].is_null());
            continue;
        }
        EXPECT_EQ(row["outcome"], "flown");
        EXPECT_EQ(row["flight_duration"], fly["outputs"][4]);
        EXPECT_EQ(row["max_height"], fly["outputs"][6]);
        EXPECT_EQ(row["range"], fly["outputs"][9]);
        EXPECT_EQ(row["steps"], fly["steps"]);
        longest = std::max(longest, std::stod(row["range"].get<std::string>()));
    }
    EXPECT_EQ(count, 15u);

    const auto designFile = std::filesystem::temp_directory_path() / "zorbal_sweep_test_best.txt";
    const auto bestRun = runCli("best --json " + vary + " --save-design " + designFile.string());
    EXPECT_EQ(bestRun.status, 0);
    const Json best = Json::parse(bestRun.out);
    EXPECT_EQ(std::stod(best["range"].get<std::string>()), longest);
    std::ifstream saved(designFile, std::ios::binary);
    const std::string savedText{std::istreambuf_iterator<char>(saved), {}};
    EXPECT_EQ(savedText, best["design_file"]);
    EXPECT_NE(
        savedText.find("Filling Factor\t" + best["inputs"]["filling_factor"].get<std::string>() + "\r\n"),
        std::string::npos);
    EXPECT_NE(savedText.find("Mass\t120\r\nDrag"), std::string::npos);
    EXPECT_NE(savedText.find("LaunchTube\t1\r\n"), std::string::npos);
    std::filesystem::remove(designFile);
}

TEST(SweepCommand, ReportsUsageErrorsAndAGridWhereNothingFlies) {
    EXPECT_EQ(runCli("sweep --vary 1=1:2:0").status, 2);
    EXPECT_EQ(runCli("best --vary 1=1:2:1 --maximise width").status, 2);
    EXPECT_EQ(runCli("best --vary 1=1:2:1 --input 15=3").status, 2);
    EXPECT_EQ(runCli("best --vary 1=97:99:1 --input 3=0.1").status, 1);
}

#ifdef __linux__
TEST(SweepCommand, BestPrintsAndSavesTheDesignItFlewEvenWhenTheFileChangesMeanwhile) {
    TempFolder folder;
    const std::string heavy = runCli("save-design - --input 5=120 --rail").out;
    const std::string light = runCli("save-design - --input 5=75").out;
    ASSERT_NE(heavy.find("Mass\t120\r\n"), std::string::npos);
    const std::string design = folder.put("design.txt", heavy);

    // Watch for the end of the tool's first reading of the file, then replace the file at once
    // with a different design while the search is still flying.
    const int watch = ::inotify_init1(IN_CLOEXEC);
    ASSERT_GE(watch, 0);
    ASSERT_GE(::inotify_add_watch(watch, design.c_str(), IN_CLOSE_NOWRITE), 0);
    auto best = std::async(std::launch::async, [&] {
        return runProgram(ZORBAL_CLI,
                          {"best", "--json", "--design", design, "--vary", "1=10:90:0.1", "--vary",
                           "7=40:70:5", "--threads", "1", "--save-design", folder.file("best.txt")});
    });
    pollfd event{watch, POLLIN, 0};
    ASSERT_EQ(::poll(&event, 1, 60000), 1) << "the design file was never read";
    const std::string replacement = folder.put("replacement.txt", light);
    std::filesystem::rename(replacement, design);
    ::close(watch);

    const CommandRun run = best.get();
    ASSERT_EQ(run.status, 0) << run.err;
    const Json result = Json::parse(run.out);
    const std::string designText = result["design_file"];
    EXPECT_NE(designText.find("Mass\t120\r\n"), std::string::npos) << designText;
    EXPECT_EQ(folder.get("best.txt"), designText);
    // And the saved design flies the reported flight.
    const Json flown = Json::parse(runCli("fly --json --design " + folder.file("best.txt")).out);
    EXPECT_EQ(flown["outputs"][9], result["range"]);
    EXPECT_EQ(flown["outputs"][4], result["flight_duration"]);
}
#endif

} // namespace
} // namespace zorbal::test
