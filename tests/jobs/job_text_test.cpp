// SPDX-License-Identifier: MIT
// The job and result texts: every field back exactly, the same text written again, and every
// text that is not one of them refused without harm.
#include "investigate/job.h"
#include "platform/headless.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>

namespace zorbal::investigate {
namespace {

std::string defaultDesignFile() {
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    return files::designFileText(ui::designTexts(window));
}

explore::VaryAxis axis(const std::string& written) {
    explore::VaryAxis a;
    EXPECT_EQ(explore::VaryAxis::parse(written, a), "");
    return a;
}

std::uint64_t bits(double value) {
    std::uint64_t b = 0;
    std::memcpy(&b, &value, sizeof b); // the web edition's libc++ has no std::bit_cast
    return b;
}

/// Doubles are the same when their bits are (NaN aside, which has no payload here).
void expectSame(double a, double b) {
    if (std::isnan(a))
        EXPECT_TRUE(std::isnan(b));
    else
        EXPECT_EQ(bits(a), bits(b)) << a << " and " << b;
}

void expectSameRow(const explore::SweepRow& a, const explore::SweepRow& b) {
    EXPECT_EQ(a.index, b.index);
    EXPECT_EQ(a.inputs, b.inputs);
    EXPECT_EQ(a.outcome, b.outcome);
    EXPECT_EQ(a.message, b.message);
    EXPECT_EQ(a.duration, b.duration);
    EXPECT_EQ(a.height, b.height);
    EXPECT_EQ(a.range, b.range);
    EXPECT_EQ(a.steps, b.steps);
    expectSame(a.flightTime, b.flightTime);
    expectSame(a.maxHeight, b.maxHeight);
    expectSame(a.rangeMetres, b.rangeMetres);
}

void expectSameRows(const std::vector<explore::SweepRow>& a, const std::vector<explore::SweepRow>& b) {
    ASSERT_EQ(a.size(), b.size());
    for (std::size_t i = 0; i < a.size(); ++i)
        expectSameRow(a[i], b[i]);
}

/// Writes `result`, reads it back and checks the second writing is the first byte for byte.
JobResult throughText(const JobResult& result) {
    const std::string text = resultText(result);
    const auto back = readResult(text);
    EXPECT_TRUE(back.has_value()) << text.substr(0, 400);
    if (!back)
        return {};
    EXPECT_EQ(resultText(*back), text);
    return *back;
}

TEST(JobText, EveryKindOfJobComesBackFieldForFieldAndWritesTheSameText) {
    Job sweep;
    sweep.id = std::numeric_limits<std::uint64_t>::max();
    sweep.kind = JobKind::Sweep;
    // Every byte a design file could hold: quotes, backslashes, line ends, tabs, control bytes,
    // UTF-8 and bytes that are no UTF-8 at all.
    sweep.designFile = defaultDesignFile() + "\"\\/\t\x01\x7f caf\xc3\xa9 \xff\xfe";
    sweep.axes = {axis("3=2:8:0.5"), axis("1=0.1:0.5:0.1")};
    const std::string text = jobText(sweep);
    EXPECT_EQ(text.find_first_of("\r\n\x7f\x80\xff"), std::string::npos) << "plain ASCII on one line";
    const auto back = readJob(text);
    ASSERT_TRUE(back);
    EXPECT_EQ(back->id, sweep.id);
    EXPECT_EQ(back->kind, JobKind::Sweep);
    EXPECT_EQ(back->designFile, sweep.designFile);
    ASSERT_EQ(back->axes.size(), 2u);
    EXPECT_EQ(back->axes[1].source(), "1=0.1:0.5:0.1");
    EXPECT_EQ(back->axes[1].count(), 5u);
    EXPECT_EQ(back->axes[1].text(2), "0.3");
    EXPECT_EQ(jobText(*back), text);

    Job fit;
    fit.id = 7;
    fit.kind = JobKind::Fit;
    fit.designFile = defaultDesignFile();
    fit.fit.input = 9;
    fit.fit.measurements = {{explore::Figure::Height, 31.25, 0.1},
                            {explore::Figure::Duration, 5e-324, 1.7976931348623157e308},
                            {explore::Figure::Range, -0.0, 1.0 / 3.0}};
    const auto fitBack = readJob(jobText(fit));
    ASSERT_TRUE(fitBack);
    EXPECT_EQ(fitBack->kind, JobKind::Fit);
    EXPECT_EQ(fitBack->fit.input, 9);
    ASSERT_EQ(fitBack->fit.measurements.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(fitBack->fit.measurements[i].figure, fit.fit.measurements[i].figure);
        expectSame(fitBack->fit.measurements[i].value, fit.fit.measurements[i].value);
        expectSame(fitBack->fit.measurements[i].uncertainty, fit.fit.measurements[i].uncertainty);
    }
    // Shortest decimals that read back: 0.1 is "0.1", a third sixteen digits.
    EXPECT_NE(jobText(fit).find("[\"height\",31.25,0.1]"), std::string::npos) << jobText(fit);
    EXPECT_NE(jobText(fit).find("-0,0.3333333333333333]"), std::string::npos) << jobText(fit);

    Job scatter;
    scatter.kind = JobKind::Scatter;
    scatter.designFile = "x";
    scatter.scatter = {{{3, 0.2}, {10, 1.5}},
                       12345,
                       std::numeric_limits<std::uint64_t>::max() - 1,
                       explore::Distribution::Uniform};
    const auto scatterBack = readJob(jobText(scatter));
    ASSERT_TRUE(scatterBack);
    EXPECT_EQ(scatterBack->scatter.runs, 12345u);
    EXPECT_EQ(scatterBack->scatter.seed, scatter.scatter.seed);
    EXPECT_EQ(scatterBack->scatter.distribution, explore::Distribution::Uniform);
    ASSERT_EQ(scatterBack->scatter.spreads.size(), 2u);
    EXPECT_EQ(scatterBack->scatter.spreads[1].input, 10);
    expectSame(scatterBack->scatter.spreads[1].amount, 1.5);
}

TEST(JobText, ResultsOfRealJobsReadBackToTheSameRowsCsvAndFigures) {
    Job job;
    job.designFile = defaultDesignFile();

    job.kind = JobKind::Sweep;
    job.axes = {axis("3=3:5:1"), axis("6=0.2:0.6:0.2")};
    const JobResult sweep = runJob(job, 1, {}, nullptr);
    ASSERT_TRUE(sweep.isComplete);
    ASSERT_EQ(sweep.rows.size(), 9u);
    const JobResult sweepBack = throughText(sweep);
    EXPECT_TRUE(sweepBack.isComplete);
    expectSameRows(sweepBack.rows, sweep.rows);

    job.kind = JobKind::Scatter;
    job.scatter = {explore::defaultSpreads(), 40, 7, explore::Distribution::Normal};
    const JobResult scatter = runJob(job, 1, {}, nullptr);
    ASSERT_TRUE(scatter.isComplete);
    const JobResult scatterBack = throughText(scatter);
    EXPECT_EQ(explore::scatterCsv(scatterBack.scatter), explore::scatterCsv(scatter.scatter));
    expectSameRows(scatterBack.scatter.runs, scatter.scatter.runs);
    expectSameRow(scatterBack.scatter.designed, scatter.scatter.designed);
    EXPECT_EQ(scatterBack.scatter.inputs, scatter.scatter.inputs);
    EXPECT_EQ(scatterBack.scatter.landed, scatter.scatter.landed);
    ASSERT_TRUE(scatterBack.scatter.range && scatterBack.scatter.height);
    expectSame(scatterBack.scatter.range->low, scatter.scatter.range->low);
    expectSame(scatterBack.scatter.height->mean, scatter.scatter.height->mean);

    job.kind = JobKind::Fit;
    job.fit.input = 6;
    job.fit.measurements = {{explore::Figure::Height, sweep.rows[1].maxHeight, 0.5}};
    const JobResult fit = runJob(job, 1, {}, nullptr);
    ASSERT_TRUE(fit.isComplete);
    ASSERT_TRUE(fit.fit.reaches);
    const JobResult fitBack = throughText(fit);
    EXPECT_EQ(fitBack.fit.text, fit.fit.text);
    expectSame(fitBack.fit.value, fit.fit.value);
    expectSameRow(fitBack.fit.row, fit.fit.row);
    ASSERT_EQ(fitBack.fit.intervals.size(), fit.fit.intervals.size());
    EXPECT_EQ(fitBack.fit.intervals[0].lowText, fit.fit.intervals[0].lowText);
    expectSame(fitBack.fit.intervals[0].high, fit.fit.intervals[0].high);
    EXPECT_EQ(fitBack.fit.fitted, fit.fit.fitted);
    EXPECT_EQ(fitBack.fit.flights, fit.fit.flights);
    EXPECT_EQ(explore::fitSummary(job.fit, fitBack.fit), explore::fitSummary(job.fit, fit.fit));

    // A refusal and a cancelled job come back as such.
    job.designFile = std::string("Volume\t2\0", 9);
    const JobResult refused = throughText(runJob(job, 1, {}, nullptr));
    EXPECT_FALSE(refused.isComplete);
    EXPECT_EQ(refused.refusal, ui::kCannotOpenDesign);
}

TEST(JobText, FiguresThatAreNotFiniteAndExtremeNumbersSurvive) {
    JobResult result;
    result.kind = JobKind::Scatter;
    explore::SweepRow row;
    row.index = 3;
    row.outcome = explore::Outcome::NonFinite;
    row.flightTime = std::numeric_limits<double>::quiet_NaN();
    row.maxHeight = -std::numeric_limits<double>::infinity();
    row.rangeMetres = std::numeric_limits<double>::denorm_min();
    result.scatter.runs = {row};
    result.scatter.range = explore::FigureSpread{-0.0, std::numeric_limits<double>::max(), 0.1 + 0.2};
    const JobResult back = throughText(result);
    ASSERT_EQ(back.scatter.runs.size(), 1u);
    expectSameRow(back.scatter.runs[0], row);
    ASSERT_TRUE(back.scatter.range);
    expectSame(back.scatter.range->low, -0.0);
    expectSame(back.scatter.range->high, std::numeric_limits<double>::max());
    expectSame(back.scatter.range->mean, 0.1 + 0.2);
    EXPECT_FALSE(back.scatter.height);
}

TEST(JobText, RefusesGarbageTruncationsAndAnythingBeyondItsShapeOrLimits) {
    Job job;
    job.designFile = "design";
    job.axes = {axis("3=2:8:0.5")};
    const std::string text = jobText(job);
    ASSERT_TRUE(readJob(text));
    ASSERT_TRUE(readJob("  " + text + "\n"));
    // Every shorter text, and the text with anything after it.
    for (std::size_t n = 0; n < text.size(); ++n)
        EXPECT_FALSE(readJob(text.substr(0, n))) << n;
    EXPECT_FALSE(readJob(text + "}"));
    EXPECT_FALSE(readJob(text + ","));
    // A result is no job, and the reverse.
    EXPECT_FALSE(readResult(text));
    EXPECT_FALSE(readJob(resultText(JobResult{})));

    auto replaced = [&text](const std::string& from, const std::string& to) {
        std::string t = text;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return t.replace(at, from.size(), to);
    };
    for (const auto& [from, to] : std::vector<std::pair<std::string, std::string>>{
             {"\"format\":1", "\"format\":2"},
             {"\"kind\":\"sweep\"", "\"kind\":\"best\""},
             {"\"3=2:8:0.5\"", "\"3=2:8:0\""},        // not an axis
             {"\"3=2:8:0.5\"", "\"3=0:1000:0.001\""}, // more candidates than a result carries
             {"\"3=2:8:0.5\"", "\"3=2:8:0.5\",\"1=0:1:1\",\"2=0:1:1\",\"4=0:1:1\""}, // four axes
             {"\"runs\":1000", "\"runs\":01000"},                                    // a leading zero
             {"\"runs\":1000", "\"runs\":-1000"},
             {"\"seed\":1", "\"seed\":18446744073709551616"}, // past 64 bits
             {"\"id\":0", "\"id\":1.5"},
             {"\"design\":\"design\"", "\"design\":\"d\\u0100\""},  // not a byte
             {"\"design\":\"design\"", "\"design\":\"d\xc3\xa9\""}, // raw bytes are always escaped
             {"\"design\":\"design\"", "\"design\":\"d\\q\""},
             {"\"distribution\":\"normal\"", "\"distribution\":\"lognormal\""},
             {"\"input\":6", "\"input\":6,\"extra\":1"},
             {"{\"zorbal\"", "{\"format\":1,\"zorbal\""}, // fields out of order
         })
        EXPECT_FALSE(readJob(replaced(from, to))) << from << " -> " << to;
    EXPECT_TRUE(readJob(replaced("\"design\":\"design\"", "\"design\":\"d\\u00E9\\n\\/\"")));

    // Numbers as JSON writes them, and no other.
    Job fit = job;
    fit.kind = JobKind::Fit;
    fit.fit.measurements = {{explore::Figure::Height, 12.5, 0.5}};
    const std::string fitText = jobText(fit);
    for (const std::string bad :
         {"12.", ".5", "1e", "+12.5", "0x1p3", "12.5.1", "1e999", "\"1\"", "nan", "NaN"}) {
        std::string t = fitText;
        t.replace(t.find("12.5"), 4, bad);
        EXPECT_FALSE(readJob(t)) << bad;
    }
    for (const std::string good : {"1.25e1", "125E-1", "-0", "0.0000125e6"}) {
        std::string t = fitText;
        t.replace(t.find("12.5"), 4, good);
        EXPECT_TRUE(readJob(t)) << good;
    }

    // Too long a text is refused unread.
    Job huge = job;
    huge.designFile.assign(kMaxJobTextBytes, 'x');
    EXPECT_FALSE(readJob(jobText(huge)));
}

TEST(ResultText, RefusesTruncationsAndMoreRowsThanAResultCarries) {
    JobResult result;
    result.isComplete = true;
    explore::SweepRow row;
    row.inputs = {"3"};
    row.outcome = explore::Outcome::Flown;
    row.range = "51.61";
    result.rows = {row, row};
    result.fit.intervals = {{1, 2, "1", "2"}};
    result.fit.fitted = 0;
    const std::string text = resultText(result);
    ASSERT_TRUE(readResult(text));
    for (std::size_t n = 0; n < text.size(); n += 3)
        EXPECT_FALSE(readResult(text.substr(0, n))) << n;

    auto replaced = [&text](const std::string& from, const std::string& to) {
        std::string t = text;
        const auto at = t.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        return t.replace(at, from.size(), to);
    };
    EXPECT_FALSE(readResult(replaced("\"flown\"", "\"landed\"")));
    EXPECT_FALSE(readResult(replaced("\"fitted\":0", "\"fitted\":1"))) << "past the intervals";
    EXPECT_FALSE(readResult(replaced("[\"3\"]", "[\"3\",\"4\",\"5\",\"6\"]"))) << "a sweep varies three";
    EXPECT_FALSE(readResult(replaced("\"complete\":true", "\"complete\":1")));
    EXPECT_FALSE(readResult(replaced("\"inputs\":[]", "\"inputs\":[14]")));

    // One row more than kMaxResultRows is refused while reading, not after taking the memory.
    JobResult many;
    many.rows.assign(kMaxResultRows, explore::SweepRow{});
    const std::string manyText = resultText(many);
    ASSERT_TRUE(readResult(manyText));
    std::string tooMany = manyText;
    const std::string oneRow = "[0,[],\"refused\",\"\",\"\",\"\",\"\",0,0,0,0]";
    tooMany.insert(tooMany.find("\"rows\":[") + 8, oneRow + ",");
    EXPECT_FALSE(readResult(tooMany));
}

} // namespace
} // namespace zorbal::investigate
