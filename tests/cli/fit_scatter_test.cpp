// SPDX-License-Identifier: MIT
// Fitting an input to a measured launch and the scatter of a design's launches: the reproducible
// draws, the fit's round trip, the scatter's runs, cancellation, and the zorbal-cli commands.
#include "explore/fit.h"
#include "explore/random.h"
#include "explore/scatter.h"
#include "explore/scatter_chart.h"
#include "platform/number_text.h"
#include "support/run_command.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <atomic>
#include <cmath>
#include <fstream>
#include <future>
#include <sstream>
#include <thread>

namespace zorbal::test {
namespace {

using explore::Figure;
using explore::Measurement;
using explore::Outcome;

explore::DesignSetter typing(const std::vector<std::pair<int, std::string>>& boxes) {
    return [boxes](ui::Zorbal& window) {
        for (const auto& [input, text] : boxes)
            window.txtInput[static_cast<std::size_t>(input)].Text = text;
    };
}

TEST(Random, DrawsAreTheReferenceGeneratorsAndExactDoubles) {
    // SplitMix64 and xoshiro256** as their authors publish them.
    explore::SplitMix64 mix(0);
    EXPECT_EQ(mix.next(), 0xE220A8397B1DCDAFULL);
    explore::Xoshiro256 xoshiro(std::array<std::uint64_t, 4>{1, 2, 3, 4});
    EXPECT_EQ(xoshiro.next(), 11520u);
    EXPECT_EQ(xoshiro.next(), 0u);
    EXPECT_EQ(xoshiro.next(), 1509978240u);
    EXPECT_EQ(xoshiro.next(), 1215971899390074240u);

    // Fixed draws: a build whose arithmetic differs (another standard library, the page) fails.
    auto generator = explore::drawGenerator(7, 0, 3);
    EXPECT_EQ(generator.next(), 12967784162044365906u);
    EXPECT_EQ(explore::uniformDraw(generator), 0.4728831605113688);
    EXPECT_EQ(explore::normalDraw(generator), 0.9771591417957097);
    auto other = explore::drawGenerator(7, 1, 3);
    EXPECT_EQ(explore::normalDraw(other), -1.4673424386419356);
}

TEST(Random, NormalDrawsHaveMeanZeroAndDeviationOneAndUniformOnesStayInside) {
    auto generator = explore::drawGenerator(1, 0, 0);
    double sum = 0, squares = 0, largest = 0;
    const int n = 200000;
    for (int i = 0; i < n; ++i) {
        const double z = explore::normalDraw(generator);
        sum += z;
        squares += z * z;
        largest = std::max(largest, std::fabs(z));
    }
    EXPECT_NEAR(sum / n, 0, 0.01);
    EXPECT_NEAR(std::sqrt(squares / n), 1, 0.01);
    EXPECT_LE(largest, 6);
    double low = 1, high = -1;
    for (int i = 0; i < n; ++i) {
        const double u = explore::uniformDraw(generator);
        low = std::min(low, u);
        high = std::max(high, u);
    }
    EXPECT_GE(low, -1);
    EXPECT_LT(high, 1);
    EXPECT_LT(low, -0.999);
    EXPECT_GT(high, 0.999);
}

explore::ScatterResult scatterOf(const std::vector<explore::Spread>& spreads, std::size_t runs,
                                 std::uint64_t seed, int threads, const explore::DesignSetter& design = {}) {
    explore::ScatterRequest request;
    request.spreads = spreads;
    request.runs = runs;
    request.seed = seed;
    explore::SweepOptions options;
    options.threads = threads;
    options.setDesign = design;
    return explore::scatter(request, options);
}

TEST(Scatter, WithoutUncertaintyEveryRunIsTheDesignedFlight) {
    const auto result = scatterOf({{3, 0}, {10, 0}}, 20, 7, 2);
    ASSERT_TRUE(result.isComplete);
    EXPECT_EQ(result.designed.range, "51.61");
    ASSERT_EQ(result.runs.size(), 20u);
    for (const auto& row : result.runs) {
        EXPECT_EQ(row.inputs, (std::vector<std::string>{"3.0", "0.0"}));
        EXPECT_EQ(row.range, result.designed.range);
        EXPECT_EQ(row.rangeMetres, result.designed.rangeMetres);
        EXPECT_EQ(row.maxHeight, result.designed.maxHeight);
    }
    EXPECT_EQ(result.range->low, result.designed.rangeMetres);
    EXPECT_EQ(result.range->high, result.designed.rangeMetres);
    EXPECT_EQ(result.height->mean, result.designed.maxHeight);
}

TEST(Scatter, TheSameSeedGivesTheSameRunsOnAnyNumberOfThreadsAndAnotherSeedOthers) {
    const auto spreads = explore::defaultSpreads();
    const auto one = explore::scatterCsv(scatterOf(spreads, 300, 7, 1));
    EXPECT_EQ(one, explore::scatterCsv(scatterOf(spreads, 300, 7, 3)));
    EXPECT_NE(one, explore::scatterCsv(scatterOf(spreads, 300, 8, 1)));
    // The first runs do not depend on how many follow, nor on the order the spreads were given.
    auto reversed = spreads;
    std::reverse(reversed.begin(), reversed.end());
    const auto fewer = explore::scatterCsv(scatterOf(reversed, 100, 7, 2));
    EXPECT_EQ(one.substr(0, fewer.size()), fewer);
    EXPECT_EQ(
        one.substr(0, one.find("\r\n")),
        "run,filling_factor,pressure,launch_angle,wind_speed,flight_duration,max_height,range,steps,outcome,"
        "message");
}

TEST(Scatter, DrawsSpreadAboutTheDesignWithinTheLimitsAndKeepTheirOwnStreams) {
    // A vertical launch: half of the angles drawn would be beyond 90 degrees, and are taken at 90.
    const auto result = scatterOf({{3, 0.2}, {7, 2}}, 400, 3, 2, typing({{7, "90"}}));
    ASSERT_TRUE(result.isComplete);
    EXPECT_EQ(result.landed, 400u);
    std::size_t atLimit = 0;
    double sum = 0, squares = 0;
    for (const auto& row : result.runs) {
        const double pressure = std::stod(row.inputs[0]);
        const double angle = std::stod(row.inputs[1]);
        EXPECT_LE(angle, 90);
        atLimit += angle == 90 ? 1 : 0;
        sum += pressure - 3;
        squares += (pressure - 3) * (pressure - 3);
        EXPECT_LE(row.inputs[0].size(), 5u) << row.inputs[0]; // two decimals more than the box's one
    }
    EXPECT_GT(atLimit, 150u);
    EXPECT_NEAR(sum / 400, 0, 0.03);
    EXPECT_NEAR(std::sqrt(squares / 400), 0.2, 0.03);
    // Adding a spread to another input changes none of the pressure's draws.
    const auto withWind = scatterOf({{3, 0.2}, {7, 2}, {10, 1}}, 400, 3, 2, typing({{7, "90"}}));
    for (std::size_t k = 0; k < 400; ++k)
        EXPECT_EQ(withWind.runs[k].inputs[0], result.runs[k].inputs[0]);
    EXPECT_GE(result.height->high, result.height->mean);
    EXPECT_LE(result.height->low, result.height->mean);
}

TEST(Scatter, RefusesWhatCannotBeFlown) {
    explore::Spread spread;
    EXPECT_EQ(explore::parseSpread("3=0.2", spread), "");
    EXPECT_EQ(spread.input, 3);
    EXPECT_EQ(spread.amount, 0.2);
    EXPECT_EQ(explore::parseSpread("3=-1", spread),
              "--spread takes I=AMOUNT, not \"3=-1\": AMOUNT is a plain number not below 0, such as 0.2");
    EXPECT_EQ(explore::parseSpread("14=1", spread),
              "--spread takes I=AMOUNT, not \"14=1\": I is an input box from 0 to 13");
    EXPECT_EQ(explore::parseSpread("3", spread), "--spread takes I=AMOUNT, not \"3\"");
    EXPECT_EQ(scatterOf({{3, 1}, {3, 2}}, 10, 1, 1).refusal, "Input 3 is given a spread twice");
    EXPECT_EQ(scatterOf({{3, 1}}, 0, 1, 1).refusal, "A scatter flies at least one run");
    EXPECT_EQ(scatterOf({{3, 1}}, 100001, 1, 1).refusal, "A scatter flies at most 100000 runs");
    const auto notANumber = scatterOf({{3, 1}}, 10, 1, 1, typing({{3, "lots"}}));
    EXPECT_EQ(notANumber.refusal, "The pressure box holds \"lots\", not a number to spread about");
    EXPECT_TRUE(notANumber.runs.empty());
}

TEST(Scatter, ACancelledScatterKeepsNoRuns) {
    std::atomic<bool> cancel{false};
    explore::ScatterRequest request;
    request.spreads = explore::defaultSpreads();
    request.runs = explore::kMaxScatterRuns;
    explore::SweepOptions options;
    options.threads = 2;
    options.cancel = &cancel;
    auto running = std::async(std::launch::async, [&] { return explore::scatter(request, options); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    cancel = true;
    ASSERT_EQ(running.wait_for(std::chrono::seconds(20)), std::future_status::ready);
    const auto result = running.get();
    EXPECT_FALSE(result.isComplete);
    EXPECT_TRUE(result.runs.empty());
    EXPECT_FALSE(result.range);
}

TEST(ScatterChart, DrawsADotPerLandedRunInsideTheFrameAndMarksTheDesign) {
    const auto result = scatterOf(explore::defaultSpreads(), 50, 2, 2);
    explore::ScatterChartRequest request;
    request.spreads = explore::defaultSpreads();
    const auto chart = explore::buildScatterChart(result, request);
    EXPECT_EQ(chart.width, 800);
    ASSERT_EQ(chart.curves.size(), 50u);
    ASSERT_EQ(chart.markers.size(), 1u);
    for (const auto& dot : chart.curves) {
        ASSERT_EQ(dot.points.size(), 1u);
        EXPECT_GT(dot.points[0].x, 0);
        EXPECT_LT(dot.points[0].x, 800);
        EXPECT_GT(dot.points[0].y, 0);
        EXPECT_LT(dot.points[0].y, 600);
    }
    // A longer range is further right, a greater height higher up.
    const auto& a = result.runs[0];
    const auto& b = result.runs[1];
    EXPECT_EQ(a.rangeMetres < b.rangeMetres, chart.curves[0].points[0].x < chart.curves[1].points[0].x);
    EXPECT_EQ(a.maxHeight<b.maxHeight, chart.curves[0].points[0].y> chart.curves[1].points[0].y);
}

explore::FitResult fitOf(int input, const std::vector<Measurement>& measurements,
                         const explore::DesignSetter& design = {}, const std::atomic<bool>* cancel = nullptr,
                         std::function<void(std::size_t, std::size_t)> progress = {}) {
    explore::FitRequest request;
    request.input = input;
    request.measurements = measurements;
    explore::SweepOptions options;
    options.threads = 2;
    options.setDesign = design;
    options.cancel = cancel;
    options.onProgress = std::move(progress);
    return explore::fitMeasured(request, options);
}

TEST(Fit, FindsTheValueOfAFlightZorbalFlewWithinThePrintedPrecision) {
    // Drag factor 7.3 flies 4.58 s, 25.58 m high and 61.48 m far.
    const auto drag =
        fitOf(6, {{Figure::Height, 25.58, 0.5}, {Figure::Duration, 4.58, 0.1}, {Figure::Range, 61.48, 1}});
    ASSERT_TRUE(drag.isComplete);
    ASSERT_TRUE(drag.hasLanded);
    EXPECT_NEAR(drag.value, 7.3, 0.01);
    EXPECT_EQ(drag.text, "7.30");
    EXPECT_EQ(drag.row.height, "25.58");
    EXPECT_TRUE(drag.reaches);
    ASSERT_TRUE(drag.fitted);
    const auto& interval = drag.intervals[*drag.fitted];
    EXPECT_LT(interval.low, 7.3);
    EXPECT_GT(interval.high, 7.3);
    EXPECT_LT(drag.flights, 300);

    // A nozzle efficiency of 55 % on a vertical launch, from its height alone.
    const auto efficiency = fitOf(9, {{Figure::Height, 32.06, 0.3}}, typing({{7, "90"}}));
    ASSERT_TRUE(efficiency.reaches);
    EXPECT_NEAR(efficiency.value, 55, 0.5); // the box holds whole per cents
}

TEST(Fit, TheIntervalsEdgesLieWhereAFigureLeavesItsUncertainty) {
    const std::vector<Measurement> height = {{Figure::Height, 25.58, 1}};
    const auto fit = fitOf(6, height);
    ASSERT_TRUE(fit.fitted);
    const auto& interval = fit.intervals[*fit.fitted];
    // At each edge the height is within 1 m of 25.58; a little outside it is not.
    auto heightAt = [](double drag) {
        explore::CandidateFlyer flyer({});
        return flyer.fly(0, {6}, {platform::generalText(drag)}).maxHeight;
    };
    EXPECT_LE(std::fabs(heightAt(interval.low) - 25.58), 1);
    EXPECT_LE(std::fabs(heightAt(interval.high) - 25.58), 1);
    EXPECT_GT(std::fabs(heightAt(interval.low - 0.01) - 25.58), 1);
    EXPECT_GT(std::fabs(heightAt(interval.high + 0.01) - 25.58), 1);
}

TEST(Fit, SaysWhenNoValueReachesTheMeasurementAndByHowMuch) {
    // 185 g, 0.7 l in a 2 l bottle at 4.1 atmospheres, straight up: 81.7 m by altimeter.
    const auto design = typing({{5, "185"}, {1, "35"}, {3, "4.1"}, {7, "90"}});
    explore::FitRequest request;
    request.input = 6;
    request.measurements = {{Figure::Height, 81.7, 4.085}};
    const auto fit = fitOf(6, request.measurements, design);
    ASSERT_TRUE(fit.hasLanded);
    EXPECT_FALSE(fit.reaches);
    EXPECT_TRUE(fit.intervals.empty());
    EXPECT_EQ(fit.text, "0.00");
    EXPECT_EQ(
        explore::fitSummary(request, fit),
        (std::vector<std::string>{
            "Drag Factor: 0.00",
            "No Drag Factor from 0 to 1000 brings every measured figure within its uncertainty; the nearest "
            "is "
            "0.00.",
            "Its maximum height of 59.03 metres is 22.67 metres short of the measured 81.7 metres (18.59 "
            "metres beyond its uncertainty)."}));
}

TEST(Fit, ACancelledFitStopsBetweenFlights) {
    std::atomic<bool> cancel{false};
    std::size_t lastDone = 0;
    const auto fit = fitOf(6, {{Figure::Height, 25.58, 1}}, {}, &cancel, [&](std::size_t done, std::size_t) {
        lastDone = done;
        if (done > 110)
            cancel = true;
    });
    EXPECT_FALSE(fit.isComplete);
    EXPECT_LE(lastDone, 112u);
}

TEST(Fit, ReadsMeasurementsWithAndWithoutTheirUncertainty) {
    Measurement m;
    EXPECT_EQ(explore::parseMeasurement("height=38.5", 5, m), "");
    EXPECT_EQ(m.figure, Figure::Height);
    EXPECT_EQ(m.value, 38.5);
    EXPECT_DOUBLE_EQ(m.uncertainty, 1.925);
    EXPECT_EQ(explore::parseMeasurement("duration=5.6\u00b10.2", 5, m), "");
    EXPECT_EQ(m.figure, Figure::Duration);
    EXPECT_EQ(m.uncertainty, 0.2);
    EXPECT_EQ(explore::parseMeasurement("range=-3+-1", 5, m), "");
    EXPECT_EQ(m.value, -3);
    EXPECT_EQ(m.uncertainty, 1);
    const std::string prefix = "--measured takes FIGURE=VALUE or FIGURE=VALUE\u00b1U, not ";
    EXPECT_EQ(explore::parseMeasurement("speed=3", 5, m),
              prefix + "\"speed=3\": FIGURE is height, duration or range");
    EXPECT_EQ(explore::parseMeasurement("height=tall", 5, m),
              prefix + "\"height=tall\": VALUE is a plain number such as 38.5");
    EXPECT_EQ(explore::parseMeasurement("height=3+-0", 5, m),
              prefix + "\"height=3+-0\": U is a plain number greater than 0");
    EXPECT_EQ(explore::parseMeasurement("range=0", 5, m),
              prefix + "\"range=0\": a VALUE of 0 needs its uncertainty, as in range=0\u00b10.5");
    EXPECT_EQ(fitOf(6, {}).refusal, "Give at least one --measured FIGURE=VALUE");
}

CommandRun cli(const std::vector<std::string>& arguments) {
    return runProgram(ZORBAL_CLI, arguments);
}

TEST(FitScatterCommands, ScatterWritesTheSameCsvAsTheLibraryToAFileOrStandardOutput) {
    const TempFolder folder;
    const auto toFile = cli({"scatter", "--spread", "3=0.2", "--spread", "10=1", "--runs", "200", "--seed",
                             "7", "--csv", folder.file("runs.csv")});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_NE(toFile.out.find("200 runs (seed 7, normal draws), 200 landed"), std::string::npos)
        << toFile.out;
    std::ifstream file(folder.file("runs.csv"), std::ios::binary);
    std::stringstream written;
    written << file.rdbuf();
    EXPECT_EQ(written.str(), explore::scatterCsv(scatterOf({{3, 0.2}, {10, 1}}, 200, 7, 2)));
    const auto toStdout = cli({"scatter", "--spread", "3=0.2", "--spread", "10=1", "--runs", "200", "--seed",
                               "7", "--csv", "-", "--threads", "1"});
    ASSERT_EQ(toStdout.status, 0);
    EXPECT_EQ(toStdout.out, written.str());
    EXPECT_NE(toStdout.err.find("Range:          5-95 %"), std::string::npos); // the summary moved aside

    const auto json = cli({"scatter", "--runs", "10", "--json", "--spread", "3=0"});
    ASSERT_EQ(json.status, 0);
    const auto out = nlohmann::json::parse(json.out);
    EXPECT_EQ(out["landed"], 10);
    EXPECT_EQ(out["range"]["low_5"], out["range"]["high_95"]);
}

TEST(FitScatterCommands, FitPrintsMeasuredAgainstPredictedAndSavesTheFittedDesign) {
    const TempFolder folder;
    const auto fit = cli({"fit", "--measured", "height=25.58\u00b10.5", "--measured", "duration=4.58+-0.1",
                          "--save-design", folder.file("fitted.txt")});
    ASSERT_EQ(fit.status, 0) << fit.err;
    EXPECT_NE(fit.out.find("Drag Factor: 7.30\n"), std::string::npos) << fit.out;
    EXPECT_NE(fit.out.find("Maximum Height   25.58 \u00b1 0.5 metres      25.58 metres\n"), std::string::npos)
        << fit.out;
    std::ifstream file(folder.file("fitted.txt"), std::ios::binary);
    std::stringstream saved;
    saved << file.rdbuf();
    EXPECT_NE(saved.str().find("\t7.30\r\n"), std::string::npos) << saved.str();

    const auto unreached = cli({"fit", "--measured", "height=500", "--vary", "9", "--json"});
    EXPECT_EQ(unreached.status, 1);
    const auto out = nlohmann::json::parse(unreached.out);
    EXPECT_EQ(out["reaches"], false);
    EXPECT_EQ(out["input"], "nozzle_efficiency");
}

} // namespace
} // namespace zorbal::test
