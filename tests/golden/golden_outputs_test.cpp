// SPDX-License-Identifier: MIT
// The outputs of a set of varied designs, recorded once, must stay byte for byte the same: the
// `fly --json` report, the trajectory and history exports of zorbal-cli, and the display lists of
// the trajectory and velocity graphs after the same launches in the window.
//
// Small outputs are kept whole under tests/data/golden (a difference shows in a diff); every
// output also has its length and FNV-1a digest in digests.txt, which covers the exports of long
// flights too large to keep. ZORBAL_RECORD_GOLDEN=1 rewrites the recording from the current build.
#include "support/reference_designs.h"
#include "support/run_command.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <unistd.h>

namespace zorbal::test {
namespace {

namespace fs = std::filesystem;

struct Design {
    std::string name{};
    std::vector<std::pair<int, std::string>> inputs{};
    int rail = -1;         ///< -1 as started, 0 cleared, 1 ticked
    int parachute = -1;    ///< the same
    std::string trigger{}; ///< "", "angle" or "time"
    int launches = 1;
    bool csv = false;
};

// Each design exercises a different path of the flight, the texts or the exports.
const std::vector<Design>& designs() {
    static const std::vector<Design> all = {
        {.name = "default"},
        {.name = "worst_realistic",
         .inputs = reference::designTexts(reference::worstRealisticInputs()),
         .parachute = 1,
         .trigger = "angle"},
        {.name = "rail_tailwind", .inputs = {{8, "1.5"}, {10, "5"}}, .rail = 1},
        {.name = "steep_headwind", .inputs = {{7, "80"}, {10, "-10"}}},
        {.name = "parachute_on_angle",
         .inputs = {{11, "20"}, {13, "0.8"}},
         .parachute = 1,
         .trigger = "angle"},
        {.name = "parachute_on_time", .inputs = {{12, "1.5"}}, .parachute = 1, .trigger = "time"},
        {.name = "straight_up", .inputs = {{7, "90"}}},
        {.name = "step_bound",
         .inputs = reference::designTexts(reference::stepBoundInputs()),
         .parachute = 1,
         .trigger = "angle",
         .csv = true},
        {.name = "refused_no_air", .inputs = {{1, "99"}, {3, "0.1"}}},
        {.name = "out_of_limits", .inputs = {{0, "25"}}},
        {.name = "nozzle_10mm", .inputs = {{4, "10"}}},
        {.name = "nozzle_10mm_rail", .inputs = {{4, "10"}}, .rail = 1},
        {.name = "three_launches", .inputs = {{1, "21"}, {3, "5"}}, .launches = 3},
        {.name = "eleven_launches", .inputs = {{5, "250"}, {6, "40"}}, .launches = 11},
        {.name = "comma_no_drag", .inputs = {{3, "7"}, {6, "0"}, {7, "45"}}, .launches = 2, .csv = true},
        {.name = "comma_rail_parachute",
         .inputs = {{10, "3.5"}, {9, "100"}},
         .rail = 1,
         .parachute = 1,
         .trigger = "time",
         .csv = true},
    };
    return all;
}

std::string cliArguments(const Design& d) {
    std::string args;
    for (const auto& [index, text] : d.inputs)
        args += " --input " + std::to_string(index) + "=" + text;
    if (d.rail >= 0)
        args += d.rail ? " --rail" : " --no-rail";
    if (d.parachute >= 0)
        args += d.parachute ? " --parachute" : " --no-parachute";
    if (!d.trigger.empty())
        args += " --trigger " + d.trigger;
    if (d.launches != 1)
        args += " --launches " + std::to_string(d.launches);
    if (d.csv)
        args += " --csv";
    return args;
}

// FNV-1a, 64 bits.
struct Digest {
    std::uint64_t hash = 14695981039346656037ull;
    std::uint64_t bytes = 0;
    void add(const void* data, std::size_t n) {
        const auto* p = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < n; ++i) {
            hash = (hash ^ p[i]) * 1099511628211ull;
        }
        bytes += n;
    }
    void add(const std::string& s) { add(s.data(), s.size()); }
    template <class T> void addValue(T value) { add(&value, sizeof value); }
    std::string text() const {
        char buffer[64];
        std::snprintf(buffer, sizeof buffer, "%llu %016llx", static_cast<unsigned long long>(bytes),
                      static_cast<unsigned long long>(hash));
        return buffer;
    }
};

std::string digestOf(const std::string& content) {
    Digest d;
    d.add(content);
    return d.text();
}

// A display list as bytes: every field of every entry, then every point, in drawing order.
std::string displayListDigest(const platform::DrawingSurface& surface) {
    Digest d;
    for (const auto& e : surface.primitives()) {
        d.addValue(static_cast<int>(e.kind));
        d.addValue(static_cast<int>(e.period));
        d.addValue(e.color);
        d.addValue(e.fill);
        d.addValue(e.width);
        for (const float f : {e.x1, e.y1, e.x2, e.y2, e.radius, e.aspect, e.start, e.end})
            d.addValue(std::bit_cast<std::uint32_t>(f));
        d.addValue(e.first);
        d.addValue(e.count);
        for (int i = 0; i < e.period; ++i) {
            d.addValue(e.styles[static_cast<std::size_t>(i)].color);
            d.addValue(e.styles[static_cast<std::size_t>(i)].width);
        }
        if (e.kind != platform::PrimitiveKind::PointRun)
            continue;
        for (const auto& p : surface.points(e)) {
            d.addValue(std::bit_cast<std::uint32_t>(p.x));
            d.addValue(std::bit_cast<std::uint32_t>(p.y));
        }
    }
    d.addValue(surface.backColor());
    return std::to_string(surface.primitives().size()) + " entries " + d.text();
}

bool readFile(const fs::path& path, std::string& content) {
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream s;
    s << in.rdbuf();
    content = s.str();
    return true;
}

void writeFile(const fs::path& path, const std::string& content) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << content;
}

const fs::path kGolden = fs::path(ZORBAL_TEST_DATA) / "golden";
constexpr std::size_t kKeptWholeUpTo = 64'000;

bool recording() {
    const char* flag = std::getenv("ZORBAL_RECORD_GOLDEN");
    return flag && std::string(flag) == "1";
}

// The outputs of one design, by name ("default.json", "default.trajectory" ...).
using Outputs = std::map<std::string, std::string>;

Outputs cliOutputs(const Design& d, const fs::path& folder) {
    const fs::path trajectory = folder / (d.name + ".trajectory");
    const fs::path history = folder / (d.name + ".history");
    const auto run =
        runCommand(ZORBAL_CLI, "fly --json" + cliArguments(d) + " --trajectory '" + trajectory.string() +
                                   "' --history '" + history.string() + "'");
    Outputs out;
    out[d.name + ".json"] = "exit " + std::to_string(run.status) + "\n" + run.out;
    for (const auto& [path, key] : {std::pair{trajectory, ".trajectory"}, std::pair{history, ".history"}}) {
        std::string content;
        out[d.name + key] = readFile(path, content) ? content : std::string("(not written)\n");
    }
    return out;
}

Outputs windowOutputs(const Design& d) {
    StartedWindow started;
    auto& w = started.window;
    for (const auto& [index, text] : d.inputs)
        started.type(index, text);
    if (d.rail >= 0)
        w.chkOptions[2].setValue(d.rail);
    if (d.parachute >= 0)
        w.chkOptions[3].setValue(d.parachute);
    if (d.trigger == "angle")
        w.optParachute.select(0);
    else if (d.trigger == "time")
        w.optParachute.select(1);
    for (int i = 0; i < d.launches; ++i)
        started.launch();
    return {{d.name + ".trajectory-graph", displayListDigest(w.pctXYGraph)},
            {d.name + ".velocity-graph", displayListDigest(w.pctVTgraph)}};
}

std::map<std::string, std::string> readDigests() {
    std::map<std::string, std::string> digests;
    std::ifstream in(kGolden / "digests.txt");
    std::string key, rest;
    while (in >> key && std::getline(in, rest))
        digests[key] = rest.substr(1);
    return digests;
}

TEST(GoldenOutputs, EveryDesignWritesWhatWasRecordedByteForByte) {
    const fs::path folder = fs::temp_directory_path() / ("zorbal-golden-" + std::to_string(::getpid()));
    fs::create_directories(folder);
    Outputs all;
    for (const auto& d : designs()) {
        all.merge(cliOutputs(d, folder));
        all.merge(windowOutputs(d));
    }
    fs::remove_all(folder);

    if (recording()) {
        fs::create_directories(kGolden);
        std::string digests;
        for (const auto& [key, content] : all) {
            const bool isDisplayList = key.ends_with("-graph");
            digests += key + " " + (isDisplayList ? content : digestOf(content)) + "\n";
            if (!isDisplayList && content.size() <= kKeptWholeUpTo)
                writeFile(kGolden / (key + ".txt"), content);
        }
        writeFile(kGolden / "digests.txt", digests);
        GTEST_SKIP() << "recorded " << all.size() << " outputs into " << kGolden;
    }

    const auto digests = readDigests();
    ASSERT_FALSE(digests.empty()) << "no recording in " << kGolden;
    EXPECT_EQ(digests.size(), all.size());
    for (const auto& [key, content] : all) {
        SCOPED_TRACE(key);
        const bool isDisplayList = key.ends_with("-graph");
        const auto found = digests.find(key);
        ASSERT_NE(found, digests.end());
        EXPECT_EQ(found->second, isDisplayList ? content : digestOf(content));
        std::string whole;
        if (!isDisplayList && readFile(kGolden / (key + ".txt"), whole)) {
            EXPECT_EQ(whole, content);
        }
    }
}

} // namespace
} // namespace zorbal::test
