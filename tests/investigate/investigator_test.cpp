// SPDX-License-Identifier: MIT
// The Investigate window's model driven as a front end drives it: events through act, the job it
// asks for run by runJob, the result handed to finish. What it shows and saves must be what
// explore and zorbal-cli give for the same request.
#include "explore/best.h"
#include "explore/scatter.h"
#include "explore/sweep_chart.h"
#include "investigate/investigate.h"
#include "support/run_command.h"
#include "support/temp_folder.h"
#include "support/window_fixture.h"
#include "ui/design_loader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <charconv>
#include <string>
#include <vector>

namespace zorbal::test {
namespace {

using investigate::Investigator;
using ui::FormEvent;

std::string defaultDesign() {
    StartedWindow started;
    return explore::designFileText(started.window);
}

/// The design file with box `input` showing `text`, as the main window's "Save" writes it.
std::string designWith(const std::string& design, const std::vector<std::pair<int, std::string>>& texts) {
    StartedWindow started;
    ui::applyDesignFile(started.window, design);
    for (const auto& [input, text] : texts)
        started.type(input, text);
    return explore::designFileText(started.window);
}

explore::SweepGrid gridOf(const std::vector<std::string>& vary) {
    std::vector<explore::VaryAxis> axes;
    for (const auto& text : vary) {
        explore::VaryAxis axis;
        EXPECT_EQ(explore::VaryAxis::parse(text, axis), "");
        axes.push_back(axis);
    }
    explore::SweepGrid grid;
    EXPECT_EQ(explore::SweepGrid::make(axes, grid), "");
    return grid;
}

explore::SweepOptions optionsFor(const std::string& design) {
    explore::SweepOptions options;
    options.threads = 2;
    options.setDesign = [design](ui::Zorbal& window) { ui::applyDesignFile(window, design); };
    return options;
}

class InvestigatorTest : public ::testing::Test {
  protected:
    InvestigatorTest() {
        model.open(design);
        model.onUseDesign = [this](const std::string& file) { used.push_back(file); };
    }

    void type(const std::string& id, const std::string& text) { model.act(FormEvent::Input, id, text); }
    void choose(const std::string& id, int index) { model.act(FormEvent::Input, id, std::to_string(index)); }
    void click(const std::string& id) { model.act(FormEvent::Click, id); }
    const std::string& text(const std::string& id) { return model.control(id).text; }

    /// Runs the job the model asks for, as the front end's thread would; false when none waits.
    bool runWaitingJob() {
        auto job = model.takeJob();
        if (!job)
            return false;
        model.finish(investigate::runJob(
            *job, 2,
            [this](std::size_t done, std::size_t total) {
                model.progress(done, total);
                lastProgress = model.control("prgProgress").value;
            },
            &model.cancelFlag()));
        return true;
    }
    /// What "Save ..." button `id` writes, through the file dialog to a file of the temp folder.
    std::string saved(const std::string& id, const std::string& name) {
        platform.fileDialog.answers.push_back(folder.file(name));
        click(id);
        return folder.get(name);
    }
    void varyPressure(const std::string& from, const std::string& to, const std::string& values) {
        choose("cboVary_0", 3);
        type("txtFrom_0", from);
        type("txtTo_0", to);
        type("txtSteps_0", values);
    }

    platform::HeadlessPlatform platform;
    TempFolder folder;
    std::string design = defaultDesign();
    Investigator model{platform.services()};
    std::vector<std::string> used;
    int lastProgress = -1;
};

TEST_F(InvestigatorTest, StartsReadyWithTheLimitsAsTheRangeAndOnlyTheRunButtonsEnabled) {
    EXPECT_EQ(model.control("cboVary_1").items.front(), "(none)");
    EXPECT_EQ(model.control("cboVary_0").items[3], explore::inputCaption(3));
    EXPECT_EQ(model.control("cboFitInput").selected, 6);
    EXPECT_EQ(text("txtSpread_3"), "0.2");
    EXPECT_EQ(text("txtSpread_10"), "1");
    EXPECT_EQ(text("txtSpread_0"), "0");
    EXPECT_EQ(text("txtRuns"), "1000");
    EXPECT_EQ(text("txtSeed"), "1");
    choose("cboVary_0", 1); // the filling factor, 1 to 99 %
    EXPECT_EQ(text("txtFrom_0"), "1");
    EXPECT_EQ(text("txtTo_0"), "99");
    EXPECT_EQ(text("lblFromUnit_0"), "%");
    EXPECT_FALSE(model.control("txtFrom_1").enabled);
    choose("cboVary_1", 1 + 7);
    EXPECT_TRUE(model.control("txtFrom_1").enabled);
    EXPECT_EQ(text("txtTo_1"), "90");
    for (const char* id : {"cmdVaryRun", "cmdFit", "cmdScatterRun", "cmdClose"})
        EXPECT_TRUE(model.control(id).enabled) << id;
    for (const char* id :
         {"cmdCancel", "cmdBest", "cmdUseDesign", "cmdSaveTable", "cmdUseFit", "cmdSaveRuns"})
        EXPECT_FALSE(model.control(id).enabled) << id;
    EXPECT_FALSE(model.control("cmdVaryRun").toolTip.empty());
    EXPECT_FALSE(model.act(FormEvent::Click, "cmdBest")) << "a disabled button takes no click";
}

TEST_F(InvestigatorTest, ASweepOfOneInputGivesTheRowsAndTheCsvOfExploreAndTheCommandLine) {
    varyPressure("1", "5", "5");
    const auto before = model.announcementCount();
    click("cmdVaryRun");
    EXPECT_TRUE(model.isBusy());
    EXPECT_FALSE(model.control("cmdVaryRun").enabled);
    EXPECT_TRUE(model.control("cmdCancel").enabled);
    EXPECT_EQ(model.announcement(), "Flying 5 designs...");
    EXPECT_GT(model.announcementCount(), before);
    ASSERT_TRUE(runWaitingJob());
    EXPECT_EQ(lastProgress, 100);
    EXPECT_EQ(model.control("prgProgress").value, 0) << "the bar empties when the job is done";
    EXPECT_FALSE(model.isBusy());
    EXPECT_FALSE(model.control("cmdCancel").enabled);
    EXPECT_EQ(model.announcement(), "Done: 5 designs flown, 5 landed.");

    const auto grid = gridOf({"3=1:5:1"});
    const auto rows = explore::sweepRows(grid, optionsFor(design));
    const std::string csv = explore::sweepCsv(grid, rows);
    EXPECT_EQ(saved("cmdSaveTable", "table.csv"), csv);
    const auto cli = runCommand(ZORBAL_CLI, "sweep --vary 3=1:5:1 --threads 2");
    EXPECT_EQ(cli.status, 0);
    EXPECT_EQ(cli.out, csv);
    EXPECT_EQ(model.announcement(), "Saved the table.");
    EXPECT_FALSE(model.surface("picVary").primitives().empty());
    EXPECT_NE(model.control("picVary").description.find("Initial Pressure from 1 to 5 atmospheres"),
              std::string::npos)
        << model.control("picVary").description;

    // Pointing at the first point of the first curve shows the first design.
    explore::SweepChartRequest request;
    request.width = 600;
    request.height = 380;
    StartedWindow started;
    request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(started.window), grid);
    const auto chart = explore::buildSweepChart(grid, rows, request);
    const auto at = chart.curves.at(0).points.at(0);
    model.act(FormEvent::Move, "picVary", std::to_string(at.x) + "," + std::to_string(at.y));
    EXPECT_NE(text("txtVaryPoint").find("Pointed at: design 1 of 5"), std::string::npos)
        << text("txtVaryPoint");
    EXPECT_NE(text("txtVaryPoint").find("Range: " + rows[0].range + " metres"), std::string::npos);
    model.act(FormEvent::Move, "picVary", "");
    EXPECT_EQ(text("txtVaryPoint"), "");
}

TEST_F(InvestigatorTest, PointingAtTheShadedColumnOfARefusedDesignSaysWhyItDidNotFly) {
    varyPressure("0.1", "7", "4"); // 0.1 atmospheres is too little to fly
    click("cmdVaryRun");
    ASSERT_TRUE(runWaitingJob());
    const auto grid = gridOf({"3=0.1:7:2.3"});
    const auto rows = explore::sweepRows(grid, optionsFor(design));
    ASSERT_EQ(rows[0].outcome, explore::Outcome::Refused);
    explore::SweepChartRequest request;
    request.width = 600;
    request.height = 380;
    StartedWindow started;
    request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(started.window), grid);
    const auto chart = explore::buildSweepChart(grid, rows, request);
    const auto shade =
        std::find_if(chart.fields.begin(), chart.fields.end(),
                     [](const explore::ChartField& f) { return f.columns == 4 && f.rows == 1; });
    ASSERT_NE(shade, chart.fields.end());
    const auto cell = shade->cell(0, 0);
    model.act(FormEvent::Move, "picVary",
              std::to_string(cell.left + cell.width / 2) + "," + std::to_string(cell.top + cell.height / 2));
    EXPECT_NE(text("txtVaryPoint").find("Pointed at: design 1 of 4"), std::string::npos)
        << text("txtVaryPoint");
    EXPECT_NE(text("txtVaryPoint").find("Refused: " + rows[0].message), std::string::npos)
        << text("txtVaryPoint");
}

TEST_F(InvestigatorTest, AMapOfTwoInputsShowsTheCellPointedAtAndUsesTheChosenDesign) {
    varyPressure("2", "4", "3");
    choose("cboVary_1", 1 + 1); // the filling factor
    type("txtFrom_1", "20");
    type("txtTo_1", "40,5"); // a decimal comma
    type("txtSteps_1", "4");
    choose("cboFigure", 1); // the maximum height
    click("cmdVaryRun");
    ASSERT_TRUE(runWaitingJob());

    // The step the window works out: 20.5 / 3, written so that it reads back exactly.
    std::array<char, 32> step{};
    const auto end = std::to_chars(step.data(), step.data() + step.size(), 20.5 / 3).ptr;
    const auto grid = gridOf({"3=2:4:1", "1=20:40.5:" + std::string(step.data(), end)});
    const auto rows = explore::sweepRows(grid, optionsFor(design));
    ASSERT_EQ(rows.size(), 12U);
    EXPECT_EQ(saved("cmdSaveTable", "map.csv"), explore::sweepCsv(grid, rows));

    // The cell of the second pressure and the last filling factor: grid index 1 * 4 + 3.
    explore::SweepChartRequest request;
    request.width = 600;
    request.height = 380;
    request.figure = explore::Figure::Height;
    StartedWindow started;
    request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(started.window), grid);
    const auto chart = explore::buildSweepChart(grid, rows, request);
    const auto cell = chart.fields.at(0).cell(1, 3);
    const std::string at =
        std::to_string(cell.left + cell.width / 2) + "," + std::to_string(cell.top + cell.height / 2);
    model.act(FormEvent::Move, "picVary", at);
    EXPECT_NE(text("txtVaryPoint").find("design 8 of 12"), std::string::npos) << text("txtVaryPoint");
    EXPECT_NE(text("txtVaryPoint").find("Initial Pressure: 3 atmospheres"), std::string::npos);
    EXPECT_NE(text("txtVaryPoint").find("Filling Factor: 40.5 %"), std::string::npos);
    EXPECT_NE(text("txtVaryPoint").find("Maximum Height: " + rows[7].height + " metres"), std::string::npos);
    EXPECT_FALSE(model.control("cmdUseDesign").enabled) << "pointing alone chooses nothing";

    model.act(FormEvent::Click, "picVary", at);
    model.act(FormEvent::Move, "picVary", "");
    EXPECT_NE(text("txtVaryPoint").find("Chosen: design 8 of 12"), std::string::npos);
    click("cmdUseDesign");
    ASSERT_EQ(used.size(), 1U);
    EXPECT_EQ(used[0], designWith(design, {{3, "3"}, {1, "40.5"}}));

    // Best: the first of the greatest heights, as BestTracker finds it.
    explore::BestTracker tracker({explore::Goal::MaximiseHeight, 0});
    for (const auto& row : rows)
        tracker.consider(row);
    ASSERT_TRUE(tracker.best());
    click("cmdBest");
    const auto& best = *tracker.best();
    EXPECT_NE(text("txtVaryPoint").find("Best: design " + std::to_string(best.index + 1) + " of 12"),
              std::string::npos)
        << text("txtVaryPoint");
    EXPECT_NE(model.control("picVary").description.find("Best for the greatest height"), std::string::npos)
        << model.control("picVary").description;
    click("cmdUseDesign");
    ASSERT_EQ(used.size(), 2U);
    EXPECT_EQ(used[1], designWith(design, {{3, best.inputs[0]}, {1, best.inputs[1]}}));
}

TEST_F(InvestigatorTest, TheArrowKeysOnTheGraphChooseTheDesignsOfAMapOneAfterAnother) {
    EXPECT_FALSE(model.act(FormEvent::Input, "picVary", "right")) << "no designs yet";
    varyPressure("2", "4", "3");
    choose("cboVary_1", 1 + 1); // the filling factor
    type("txtFrom_1", "20");
    type("txtTo_1", "40");
    type("txtSteps_1", "4");
    click("cmdVaryRun");
    ASSERT_TRUE(runWaitingJob());
    auto chosen = [this] { return text("txtVaryPoint").substr(0, text("txtVaryPoint").find('\r')); };
    // The first key chooses the first design; right and left step the pressure, up and down the
    // filling factor (the map's rows), stopping at the ends; Home and End go to the pressure's ends.
    const std::pair<const char*, const char*> steps[] = {
        {"up", "Chosen: design 1 of 12"},     {"up", "Chosen: design 2 of 12"},
        {"right", "Chosen: design 6 of 12"},  {"right", "Chosen: design 10 of 12"},
        {"right", "Chosen: design 10 of 12"}, {"home", "Chosen: design 2 of 12"},
        {"down", "Chosen: design 1 of 12"},   {"down", "Chosen: design 1 of 12"},
        {"end", "Chosen: design 9 of 12"},
    };
    for (const auto& [key, expected] : steps) {
        EXPECT_TRUE(model.act(FormEvent::Input, "picVary", key));
        EXPECT_EQ(chosen(), expected) << key;
    }
    EXPECT_TRUE(model.control("cmdUseDesign").enabled);
    EXPECT_EQ(model.announcement().rfind(
                  "Chose design 9 of 12: Initial Pressure 4 atmospheres, Filling Factor 20 %; "
                  "Range ",
                  0),
              0U)
        << model.announcement();
    // The chosen design is framed on the map: the drawing changes with each step.
    const auto framed = model.surface("picVary").revision();
    model.act(FormEvent::Input, "picVary", "up");
    EXPECT_NE(model.surface("picVary").revision(), framed);
    model.act(FormEvent::Input, "picVary", "down");
    EXPECT_FALSE(model.act(FormEvent::Input, "picVary", "sideways"));
    click("cmdUseDesign");
    ASSERT_EQ(used.size(), 1U);
    EXPECT_EQ(used[0], designWith(design, {{3, "4"}, {1, "20"}}));
}

TEST_F(InvestigatorTest, AFitToTheDesignsOwnHeightGivesItsDragFactorBack) {
    StartedWindow flown;
    ASSERT_TRUE(flown.launch());
    const std::string height = flown.window.txtOutput[6].Text;
    const std::string drag = flown.window.txtInput[6].Text;
    type("txtMeasured_1", height);
    click("cmdFit");
    ASSERT_TRUE(runWaitingJob());
    const auto& result = text("txtFitResult");
    EXPECT_NE(result.find("Measured"), std::string::npos) << result;
    EXPECT_NE(result.find("Predicted"), std::string::npos) << result;
    ASSERT_TRUE(model.control("cmdUseFit").enabled) << result;
    click("cmdUseFit");
    ASSERT_EQ(used.size(), 1U);
    // The fitted text as typed into the drag factor box, within the printed precision.
    StartedWindow loaded;
    ASSERT_TRUE(ui::applyDesignFile(loaded.window, used[0]));
    const double fitted = std::stod(loaded.window.txtInput[6].Text);
    EXPECT_NEAR(fitted, std::stod(drag), 0.05) << loaded.window.txtInput[6].Text;
    EXPECT_EQ(used[0], designWith(design, {{6, loaded.window.txtInput[6].Text}}));

    // Two launches and a range nobody can reach: the summary says so, and by how much.
    type("txtMeasured_1", height + "; " + height);
    type("txtMeasured_2", "100000");
    type("txtUncertainty_2", "1");
    click("cmdFit");
    ASSERT_TRUE(runWaitingJob());
    explore::FitRequest request;
    const double h = std::stod(height);
    const double tolerance = h * explore::kDefaultTolerancePercent / 100;
    request.measurements = {{explore::Figure::Height, h, tolerance},
                            {explore::Figure::Height, h, tolerance},
                            {explore::Figure::Range, 100000, 1}};
    const auto expected = explore::fitSummary(request, explore::fitMeasured(request, optionsFor(design)));
    ASSERT_FALSE(expected.empty());
    EXPECT_EQ(text("txtFitResult").substr(0, expected[0].size()), expected[0]);
}

TEST_F(InvestigatorTest, AScatterWithoutSpreadsFliesTheDesignedFlightEveryTime) {
    for (int i = 0; i < 14; ++i)
        type("txtSpread_" + std::to_string(i), "0");
    type("txtRuns", "5");
    click("cmdScatterRun");
    ASSERT_TRUE(runWaitingJob());
    StartedWindow flown;
    ASSERT_TRUE(flown.launch());
    const std::string range = flown.window.txtOutput[9].Text;
    const auto& result = text("txtScatterResult");
    EXPECT_NE(result.find("5 runs (seed 1, normal draws), 5 landed"), std::string::npos) << result;
    EXPECT_NE(result.find("Designed flight: range " + range + " metres"), std::string::npos) << result;
    const std::string csv = saved("cmdSaveRuns", "runs.csv");
    const auto lines = std::count(csv.begin(), csv.end(), '\n');
    ASSERT_EQ(lines, 6);
    // Every run is the designed flight: one row's figures repeated.
    const auto second = csv.find("\r\n") + 2;
    const auto row = [&](std::size_t k) {
        std::size_t start = second;
        for (std::size_t i = 0; i < k; ++i)
            start = csv.find("\r\n", start) + 2;
        const std::string line = csv.substr(start, csv.find("\r\n", start) - start);
        return line.substr(line.find(','));
    };
    for (std::size_t k = 1; k < 5; ++k)
        EXPECT_EQ(row(k), row(0));
    EXPECT_NE(row(0).find(range), std::string::npos);
}

TEST_F(InvestigatorTest, TheSameSeedSavesTheBytesOfExploreAndOfTheCommandLine) {
    type("txtRuns", "40");
    type("txtSeed", "7");
    choose("cboDistribution", 1);
    click("cmdScatterRun");
    ASSERT_TRUE(runWaitingJob());
    explore::ScatterRequest request;
    request.spreads = explore::defaultSpreads();
    request.runs = 40;
    request.seed = 7;
    request.distribution = explore::Distribution::Uniform;
    const std::string csv = explore::scatterCsv(explore::scatter(request, optionsFor(design)));
    EXPECT_EQ(saved("cmdSaveRuns", "runs.csv"), csv);
    const auto cli =
        runCommand(ZORBAL_CLI, "scatter --runs 40 --seed 7 --distribution uniform --csv - --threads 2");
    EXPECT_EQ(cli.out, csv);
    EXPECT_FALSE(model.surface("picScatter").primitives().empty());
    EXPECT_NE(model.control("picScatter").description.find("40 launches"), std::string::npos);
    EXPECT_NE(text("txtScatterResult").find("Range: 5-95 % "), std::string::npos);
}

TEST_F(InvestigatorTest, ACancelledJobLeavesThePreviousResultsAndALateResultIsDropped) {
    varyPressure("1", "3", "3");
    click("cmdVaryRun");
    ASSERT_TRUE(runWaitingJob());
    const std::string first = saved("cmdSaveTable", "first.csv");
    const std::string point = text("txtVaryPoint");

    varyPressure("4", "6", "21");
    click("cmdVaryRun");
    auto job = model.takeJob();
    ASSERT_TRUE(job);
    click("cmdCancel");
    EXPECT_TRUE(model.cancelFlag());
    model.finish(investigate::runJob(*job, 2, {}, &model.cancelFlag()));
    EXPECT_FALSE(model.isBusy());
    EXPECT_EQ(model.announcement(), "Cancelled; the results shown before are kept.");
    EXPECT_EQ(saved("cmdSaveTable", "second.csv"), first);
    EXPECT_EQ(text("txtVaryPoint"), point);

    // Cancelled before the front end took it: no job is handed out.
    click("cmdVaryRun");
    click("cmdCancel");
    EXPECT_FALSE(model.isBusy());
    EXPECT_FALSE(model.takeJob());

    // A result of a job no longer awaited (another design opened meanwhile) is dropped.
    click("cmdVaryRun");
    job = model.takeJob();
    ASSERT_TRUE(job);
    model.open(designWith(design, {{5, "150"}}));
    EXPECT_FALSE(model.isBusy());
    EXPECT_FALSE(model.control("cmdSaveTable").enabled) << "another design's results are cleared";
    model.finish(investigate::runJob(*job, 2, {}, nullptr));
    EXPECT_FALSE(model.control("cmdSaveTable").enabled);

    // Close cancels the running job before the window goes.
    bool closed = false;
    model.onClose = [&] { closed = true; };
    click("cmdScatterRun");
    ASSERT_TRUE(model.takeJob());
    click("cmdClose");
    EXPECT_TRUE(closed);
    EXPECT_TRUE(model.cancelFlag());
}

TEST_F(InvestigatorTest, AFailedSaveSaysSoAndAPictureIsWrittenAsTheEncoderMadeIt) {
    varyPressure("1", "2", "2");
    click("cmdVaryRun");
    ASSERT_TRUE(runWaitingJob());
    platform.fileDialog.answers.push_back(folder.file("missing/table.csv"));
    click("cmdSaveTable");
    ASSERT_EQ(platform.messageBox.messages.size(), 1U);
    EXPECT_NE(platform.messageBox.messages[0].find("Could not save the table"), std::string::npos);
    EXPECT_EQ(model.announcement(), "Could not save the table.");

    click("cmdSavePicture");
    ASSERT_EQ(platform.messageBox.messages.size(), 2U);
    EXPECT_EQ(platform.messageBox.messages[1], "Sorry, the picture cannot be saved here.");

    int width = 0, height = 0;
    model.encodePng = [&](const platform::DrawingSurface&, int w, int h) {
        width = w;
        height = h;
        return std::string("\x89PNG picture", 12);
    };
    EXPECT_EQ(saved("cmdSavePicture", "graph.png"), std::string("\x89PNG picture", 12));
    EXPECT_EQ(width, 600);
    EXPECT_EQ(height, 380);
    EXPECT_EQ(platform.fileDialog.uses.back().filter, "PNG pictures(*.png)");

    model.encodePng = [](const platform::DrawingSurface&, int, int) { return std::string(); };
    click("cmdSavePicture");
    EXPECT_EQ(platform.messageBox.messages.back(), "Sorry, the picture could not be made.");
}

TEST_F(InvestigatorTest, ARefusedBoxSaysWhichAndWhyAndStartsNoJob) {
    struct Case {
        std::string id, text, run, says;
    };
    const std::vector<Case> cases = {
        {"txtSteps_0", "1", "cmdVaryRun",
         "The Values box of the first input needs a whole number from 2 to 200"},
        {"txtSteps_0", "201", "cmdVaryRun", "The Values box of the first input"},
        {"txtFrom_0", "abc", "cmdVaryRun", "The From box of the first input needs a number, not \"abc\""},
        {"txtTo_0", "8", "cmdVaryRun",
         "The To box of the first input must lie within the limits of Initial Pressure: "
         "0.1 to 7 atmospheres"},
        {"txtTo_0", "1,250", "cmdVaryRun", "The To box of the first input needs a number"},
        {"txtRuns", "0", "cmdScatterRun", "The Runs box needs a whole number from 1 to 100000"},
        {"txtRuns", "2.5", "cmdScatterRun", "The Runs box"},
        {"txtSeed", "-1", "cmdScatterRun", "The Seed box needs a whole number"},
        {"txtSpread_3", "-0.2", "cmdScatterRun",
         "The uncertainty of Initial Pressure needs a number not below 0"},
        {"txtMeasured_1", "12;x", "cmdFit",
         "The measured Maximum Height needs numbers separated by \";\", not \"x\""},
        {"txtUncertainty_1", "0", "cmdFit",
         "The uncertainty of Maximum Height needs a number greater than 0"},
    };
    for (const auto& c : cases) {
        Investigator fresh(platform.services());
        fresh.open(design);
        platform.messageBox.messages.clear();
        if (c.run == "cmdFit" && c.id != "txtMeasured_1")
            fresh.act(FormEvent::Input, "txtMeasured_1", "20");
        fresh.act(FormEvent::Input, c.id, c.text);
        fresh.act(FormEvent::Click, c.run);
        ASSERT_EQ(platform.messageBox.messages.size(), 1U) << c.id << " " << c.text;
        EXPECT_NE(platform.messageBox.messages[0].find(c.says), std::string::npos)
            << platform.messageBox.messages[0];
        EXPECT_EQ(fresh.announcement(), "Refused: " + platform.messageBox.messages[0]);
        EXPECT_FALSE(fresh.isBusy()) << c.id;
        EXPECT_FALSE(fresh.takeJob()) << c.id;
    }
    platform.messageBox.messages.clear();
    click("cmdFit");
    ASSERT_EQ(platform.messageBox.messages.size(), 1U);
    EXPECT_NE(platform.messageBox.messages[0].find("Type at least one measured figure"), std::string::npos);
    choose("cboVary_1", 1 + 3);
    click("cmdVaryRun");
    EXPECT_NE(platform.messageBox.messages.back().find("The second input must differ from the first"),
              std::string::npos);
    EXPECT_FALSE(model.takeJob());
}

} // namespace
} // namespace zorbal::test
