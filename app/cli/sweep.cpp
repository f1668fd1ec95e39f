// SPDX-License-Identifier: MIT
// zorbal-cli sweep and zorbal-cli best.
#include "sweep.h"

#include "explore/best.h"
#include "explore/sweep.h"
#include "explore/sweep_chart.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "progress_line.h"
#include "sim/limits.h"
#include "standard_output.h"

#include <nlohmann/json.hpp>

#include <charconv>
#include <chrono>
#include <cmath>
#include <iostream>
#include <string>
#include <unistd.h>

namespace zorbal::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kExitNothing = 1;
constexpr int kExitUsage = 2;

/// The grid and the sweep settings shared by both commands.
struct Prepared {
    explore::SweepGrid grid;
    explore::SweepOptions options;
};

std::optional<int> prepare(const std::vector<std::string>& vary, DesignOptions& design, int threads,
                           [[maybe_unused]] bool plotting, Prepared& prepared) {
    std::vector<explore::VaryAxis> axes;
    for (const auto& text : vary) {
        explore::VaryAxis axis;
        if (const auto error = explore::VaryAxis::parse(text, axis); !error.empty()) {
            std::cerr << error << "\n";
            return kExitUsage;
        }
        axes.push_back(axis);
    }
    if (const auto error = explore::SweepGrid::make(std::move(axes), prepared.grid); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }
    // The common design is typed into every worker's window; a malformed one is reported once.
    // Its file is read once, here: every worker, and the best design's window, type the same text.
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    if (auto error = readDesignFile(design, platform.textFiles); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }
    if (const auto error = applyDesign(window, design); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }
#ifdef ZORBAL_CLI_PLOTS
    if (const auto refusal = explore::chartRefusal(prepared.grid); plotting && !refusal.empty()) {
        std::cerr << refusal << "\n";
        return kExitUsage;
    }
#endif
    prepared.options.threads = threads;
    prepared.options.setDesign = [&design](ui::Zorbal& w) { applyDesign(w, design); };
    return std::nullopt;
}

/// The plain caption of input box `input`, with its unit: "Filling Factor (%)".
std::string captionWithUnit(int input) {
    std::string caption = sim::inputCaptions()[static_cast<std::size_t>(input)];
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    const std::string& unit = sim::inputUnits()[static_cast<std::size_t>(input)];
    return unit == "no units" ? caption : caption + " (" + unit + ")";
}

Json rowJson(const explore::SweepGrid& grid, const explore::SweepRow& row) {
    Json out;
    for (std::size_t a = 0; a < grid.axes().size(); ++a)
        out[explore::inputNames()[static_cast<std::size_t>(grid.axes()[a].input())]] = row.inputs[a];
    const bool hasFlown = row.outcome != explore::Outcome::Refused;
    out["flight_duration"] = hasFlown ? Json(row.duration) : Json();
    out["max_height"] = hasFlown ? Json(row.height) : Json();
    out["range"] = hasFlown ? Json(row.range) : Json();
    out["steps"] = hasFlown ? Json(row.steps) : Json();
    out["outcome"] = explore::outcomeName(row.outcome);
    out["message"] = row.message;
    return out;
}

} // namespace

SweepCommands::SweepCommands(CLI::App& app) {
    m_sweep = app.add_subcommand("sweep", "Fly every design of a grid over up to three inputs, one row each");
    m_best = app.add_subcommand("best", "Fly every design of a grid and print the best one");
    for (auto* command : {m_sweep, m_best}) {
        addDesignOptions(*command, m_design);
        command
            ->add_option("--vary", m_vary,
                         "Vary input box I from FROM to TO in steps of STEP (up to three; a grid over all)")
            ->type_name("I=FROM:TO:STEP")
            ->required();
        command
            ->add_option("--threads", m_threads,
                         "Worker threads (default: one per core; more than " +
                             std::to_string(explore::kMaxThreadsPerCore) + " per core are not started)")
            ->check(CLI::Range(1, 1024));
        command->add_flag("--json", m_json, "Print JSON (sweep: one object per line)");
#ifdef ZORBAL_CLI_PLOTS
        addSweepPlotOptions(*command, m_plot);
#endif
    }
    m_sweep->footer(
        "Prints CSV (RFC 4180) with a heading row: the varied inputs, flight_duration, max_height, "
        "range, steps, outcome (flown, refused, step_limit, non_finite) and message.");
    auto* maximise = m_best->add_option("--maximise", m_maximise, "What the best design maximises")
                         ->check(CLI::IsMember({"range", "height", "duration"}));
    auto* target =
        m_best
            ->add_option("--target-range", m_targetRange,
                         "Find the design that lands closest to this many metres from the launcher")
            ->type_name("METRES")
            ->check(CLI::Validator(
                [](const std::string& text) {
                    double metres = 0;
                    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), metres);
                    return error == std::errc() && end == text.data() + text.size() && std::isfinite(metres)
                               ? std::string()
                               : "expected a finite number of metres, not \"" + text + "\"";
                },
                ""));
    maximise->excludes(target);
    m_best->add_option("--save-design", m_saveDesign, "Also write the best design as a design file")
        ->type_name("FILE")
        ->check(nonEmptyFileName());
}

int SweepCommands::run() {
    // Files written over one another, or over the design they were made from, are lost: refused
    // before anything flies.
    std::vector<OutputFile> outputs;
    if (*m_best)
        outputs.push_back({"--save-design", m_saveDesign});
#ifdef ZORBAL_CLI_PLOTS
    outputs.push_back({"--plot", m_plot.file});
#endif
    if (const auto error = clashingFiles(outputs, m_design.designFile); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }
    return *m_sweep ? runSweep() : runBest();
}

int SweepCommands::runSweep() {
    Prepared prepared;
    if (const auto status = prepare(m_vary, m_design, m_threads, isPlotting(), prepared))
        return *status;
    const auto& grid = prepared.grid;
    ProgressLine progress(isatty(STDOUT_FILENO) != 1);
    prepared.options.onProgress = [&progress](std::size_t done, std::size_t total) {
        progress.update(done, total);
    };

    if (!m_json)
        std::cout << explore::sweepCsvHeading(grid);
    std::vector<explore::SweepRow> kept;
    // Rows that standard output no longer takes stop the sweep; main reports the loss.
    auto print = [](const std::string& text) {
        std::cout << text;
        if (standardOutputFailed())
            throw StandardOutputLost{};
    };
    try {
        explore::runSweep(grid, prepared.options, [&](explore::SweepRow&& row) {
            if (m_json) {
                print(rowJson(grid, row).dump() + '\n');
                keep(kept, std::move(row));
                return;
            }
            print(explore::sweepCsvRow(row));
            keep(kept, std::move(row));
        });
    } catch (const StandardOutputLost&) {
        return kExitNothing;
    }
    std::cout << std::flush;
    return writePlot(grid, kept, "range", std::nullopt, "") ? 0 : kExitNothing;
}

int SweepCommands::runBest() {
    Prepared prepared;
    if (const auto status = prepare(m_vary, m_design, m_threads, isPlotting(), prepared))
        return *status;
    const auto& grid = prepared.grid;

    explore::Criterion criterion;
    std::string goal = "the longest range";
    if (m_targetRange) {
        criterion.goal = explore::Goal::TargetRange;
        criterion.targetRange = *m_targetRange;
        goal = "the range closest to " + platform::generalText(*m_targetRange) + " metres";
    } else if (m_maximise == "height") {
        criterion.goal = explore::Goal::MaximiseHeight;
        goal = "the greatest height";
    } else if (m_maximise == "duration") {
        criterion.goal = explore::Goal::MaximiseDuration;
        goal = "the longest flight";
    }

    explore::BestTracker tracker(criterion);
    std::vector<explore::SweepRow> kept;
    {
        ProgressLine progress(true);
        prepared.options.onProgress = [&progress](std::size_t done, std::size_t total) {
            progress.update(done, total);
        };
        explore::runSweep(grid, prepared.options, [&](explore::SweepRow&& row) {
            tracker.consider(row);
            keep(kept, std::move(row));
        });
    }
    if (!tracker.best()) {
        std::cerr << "None of the " << grid.size() << " designs flew.\n";
        return kExitNothing;
    }
    const auto& best = *tracker.best();

    // The best design typed into a freshly started window, as the design file saves it.
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    applyDesign(window, m_design);
    for (std::size_t a = 0; a < grid.axes().size(); ++a)
        window.txtInput[static_cast<std::size_t>(grid.axes()[a].input())].Text = best.inputs[a];
    const std::string designText = explore::designFileText(window);

    bool isSaved = true;
    if (!m_saveDesign.empty()) {
        platform::DiskTextFiles files;
        isSaved = files.write(m_saveDesign, designText);
        if (!isSaved)
            std::cerr << "Could not write the design file \"" << m_saveDesign << "\""
                      << reasonSuffix(files.lastWriteError()) << ".\n";
    }

    if (m_json) {
        Json out;
        out["goal"] = m_targetRange ? "target_range" : m_maximise;
        if (m_targetRange)
            out["target_range"] = *m_targetRange;
        out["designs"] = grid.size();
        out["flown"] = tracker.flown();
        Json inputs;
        for (std::size_t a = 0; a < grid.axes().size(); ++a)
            inputs[explore::inputNames()[static_cast<std::size_t>(grid.axes()[a].input())]] = best.inputs[a];
        out["inputs"] = inputs;
        out["flight_duration"] = best.duration;
        out["max_height"] = best.height;
        out["range"] = best.range;
        out["steps"] = best.steps;
        out["design_file"] = designText;
        std::cout << out.dump(2) << "\n";
    } else {
        std::cout << "Best of " << grid.size() << " designs (" << tracker.flown() << " flew) for " << goal
                  << ":\n";
        for (std::size_t a = 0; a < grid.axes().size(); ++a)
            std::cout << "  " << captionWithUnit(grid.axes()[a].input()) << ": " << best.inputs[a] << "\n";
        std::cout << "Flight Duration: " << best.duration << " seconds\n"
                  << "Maximum Height:  " << best.height << " metres\n"
                  << "Range:           " << best.range << " metres\n"
                  << "Steps:           " << best.steps << "\n"
                  << "\nDesign file:\n"
                  << designText;
        if (!m_saveDesign.empty() && isSaved)
            std::cout << "\nSaved as " << m_saveDesign << "\n";
    }
    const std::string plotted = m_targetRange ? "range" : m_maximise;
    const bool isPlotted = writePlot(grid, kept, plotted, best.index, goal);
    return isSaved && isPlotted ? 0 : kExitNothing;
}

bool SweepCommands::isPlotting() const {
#ifdef ZORBAL_CLI_PLOTS
    return m_plot.isWanted();
#else
    return false;
#endif
}

void SweepCommands::keep([[maybe_unused]] std::vector<explore::SweepRow>& kept,
                         [[maybe_unused]] explore::SweepRow&& row) const {
#ifdef ZORBAL_CLI_PLOTS
    if (isPlotting())
        kept.push_back(keptForPlot(std::move(row)));
#endif
}

bool SweepCommands::writePlot([[maybe_unused]] const explore::SweepGrid& grid,
                              [[maybe_unused]] const std::vector<explore::SweepRow>& kept,
                              [[maybe_unused]] const std::string& defaultFigure,
                              [[maybe_unused]] std::optional<std::size_t> winner,
                              [[maybe_unused]] const std::string& goal) const {
#ifdef ZORBAL_CLI_PLOTS
    if (isPlotting())
        return writeSweepPlot(m_plot, grid, kept, m_design, defaultFigure, winner, goal);
#endif
    return true;
}

} // namespace zorbal::cli
