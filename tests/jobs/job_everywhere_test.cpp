// SPDX-License-Identifier: MIT
// The same job gives the same result on every build: the desktop's, the command line's (both
// native) and the page's (WebAssembly, run under node). Golden texts in tests/data/jobs hold the
// results byte for byte; ZORBAL_UPDATE_GOLDEN=1 rewrites them.
#include "investigate/job.h"
#include "platform/headless.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

namespace zorbal::investigate {
namespace {

void expectGolden(const std::string& text, const std::string& name) {
    const std::string path = std::string(ZORBAL_TEST_DATA) + "/jobs/" + name;
    if (const char* update = std::getenv("ZORBAL_UPDATE_GOLDEN");
        update != nullptr && std::string(update) == "1") {
        std::ofstream(path, std::ios::binary) << text;
        return;
    }
    std::ifstream file(path, std::ios::binary);
    ASSERT_TRUE(file) << "missing golden file " << path << " (run with ZORBAL_UPDATE_GOLDEN=1)";
    std::stringstream golden;
    golden << file.rdbuf();
    EXPECT_EQ(text, golden.str()) << "differs from " << path;
}

Job defaultJob(JobKind kind) {
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    Job job;
    job.id = 42;
    job.kind = kind;
    job.designFile = files::designFileText(ui::designTexts(window));
    return job;
}

TEST(JobEverywhere, ASeededScatterGivesTheSameCsvOnEveryBuild) {
    Job job = defaultJob(JobKind::Scatter);
    job.scatter = {explore::defaultSpreads(), 60, 7, explore::Distribution::Normal};
    const JobResult result = runJob(job, 1, {}, nullptr);
    ASSERT_TRUE(result.isComplete);
    expectGolden(explore::scatterCsv(result.scatter), "scatter_seed7.csv");
    // What the page's worker sends back reads as the same CSV.
    const auto back = readResult(resultText(result));
    ASSERT_TRUE(back);
    EXPECT_EQ(explore::scatterCsv(back->scatter), explore::scatterCsv(result.scatter));
}

TEST(JobEverywhere, ASweepsResultTextIsTheSameOnEveryBuildAndAnyNumberOfThreads) {
    Job job = defaultJob(JobKind::Sweep);
    explore::VaryAxis pressure, angle;
    ASSERT_EQ(explore::VaryAxis::parse("3=2:6:1", pressure), "");
    ASSERT_EQ(explore::VaryAxis::parse("8=30:80:12.5", angle), "");
    job.axes = {pressure, angle};
    // The page test sends this job text to the page's worker and expects this result text.
    expectGolden(jobText(job), "sweep_pressure_angle.job.json");
    const std::string text = resultText(runJob(job, 1, {}, nullptr));
    expectGolden(text, "sweep_pressure_angle.result.json");
    // Asking for threads where the build has none (the page's module) flies the same rows on the
    // calling thread.
    EXPECT_EQ(resultText(runJob(job, 4, {}, nullptr)), text);
}

TEST(JobEverywhere, AFitGivesTheSameValueOnEveryBuild) {
    Job job = defaultJob(JobKind::Fit);
    job.fit.input = 6;
    job.fit.measurements = {{explore::Figure::Range, 120, 3}, {explore::Figure::Height, 40, 2}};
    const JobResult result = runJob(job, 1, {}, nullptr);
    ASSERT_TRUE(result.isComplete);
    expectGolden(resultText(result), "fit_drag.result.json");
}

} // namespace
} // namespace zorbal::investigate
