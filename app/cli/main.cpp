// SPDX-License-Identifier: MIT
// zorbal-cli: flies rocket designs through the same window module as the desktop program,
// without a display.
#include "cli_design.h"
#include "fit_scatter.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "standard_output.h"
#include "sweep.h"
#include "ui/zorbal.h"
#include "zorbal_version.h"
#ifdef ZORBAL_CLI_PLOTS
#include "plot.h"
#endif

#include <CLI/CLI.hpp>
#include <nlohmann/json.hpp>

#include <cstdio>
#include <exception>
#include <iostream>
#include <new>

namespace {

using zorbal::ui::Zorbal;
using Json = nlohmann::json;

constexpr int kExitRefused = 1;
constexpr int kExitUsage = 2;

Json eventsJson(const zorbal::sim::LaunchRecord& r) {
    auto pick = [](const std::array<double, 11>& values) {
        return Json(std::vector<double>(values.begin() + 1, values.begin() + 6));
    };
    return Json{{"time", pick(r.EventTime)},
                {"range", pick(r.EventRange)},
                {"height", pick(r.EventHeight)},
                {"speed", pick(r.EventSpeed)},
                {"angle", pick(r.EventAngle)},
                {"happened", std::vector<bool>(r.EventHappened.begin() + 1, r.EventHappened.begin() + 6)}};
}

const char* outcomeName(zorbal::sim::FlightOutcome outcome) {
    switch (outcome) {
    case zorbal::sim::FlightOutcome::Landed:
        return "landed";
    case zorbal::sim::FlightOutcome::StepLimitReached:
        return "step_limit";
    case zorbal::sim::FlightOutcome::NonFiniteState:
        return "non_finite";
    }
    return "landed";
}

Json windowJson(const Zorbal& window, const zorbal::platform::RecordingMessageBox& messages) {
    Json inputs = Json::array();
    for (const auto& box : window.txtInput)
        inputs.push_back(box.Text);
    Json outputs = Json::array();
    for (const auto& box : window.txtOutput)
        outputs.push_back(box.Text);
    return Json{{"launch_count", window.LaunchCount},
                {"messages", messages.messages},
                {"inputs", inputs},
                {"outputs", outputs}};
}

// The history table's launch rows (rows 1 to LaunchCount + 1: the column headings, then one row
// per launch): their texts under "history", each cell's background and boldness under
// "history_style".
void addHistoryJson(Json& out, const Zorbal& window) {
    const auto& grid = window.MSFlexGrid1;
    Json texts = Json::array();
    Json styles = Json::array();
    for (int row = 1; row <= window.LaunchCount + 1 && row < grid.Rows(); ++row) {
        Json rowTexts = Json::array();
        Json rowStyles = Json::array();
        for (int col = 0; col < grid.Cols(); ++col) {
            const auto& cell = grid.cell(row, col);
            char colour[8];
            std::snprintf(colour, sizeof colour, "#%06X", static_cast<unsigned>(cell.backColor & 0xFFFFFFu));
            rowTexts.push_back(cell.text);
            rowStyles.push_back(Json{{"background", colour}, {"bold", cell.bold}});
        }
        texts.push_back(std::move(rowTexts));
        styles.push_back(std::move(rowStyles));
    }
    out["history"] = std::move(texts);
    out["history_style"] = std::move(styles);
}

void printFlight(const Zorbal& window) {
    const auto& r = window.Rocket;
    std::cout << "Launch number " << window.LaunchCount << "\n"
              << "Flight Duration: " << window.txtOutput[4].Text << " seconds\n"
              << "Maximum Height:  " << window.txtOutput[6].Text << " metres\n"
              << "Range:           " << window.txtOutput[9].Text << " metres\n"
              << "Steps:           " << window.LastFlight.steps << "\n"
              << "Top speed:       " << zorbal::platform::fixedText(r.MaxSpeed, 2) << " m/s\n";
}

/// Runs the command line's command and returns its exit status.
int runTool(int argc, char** argv) {
    CLI::App app{"Zorbal: water-rocket flight simulator, without a window"};
    app.set_version_flag("--version", "zorbal-cli " ZORBAL_VERSION);
    app.require_subcommand(1);

    zorbal::cli::DesignOptions design;
    bool json = false;
    int launches = 1;

    auto* fly = app.add_subcommand("fly", "Press \"Launch!\" and report the flight");
    zorbal::cli::addDesignOptions(*fly, design);
    fly->add_option("--launches", launches, "How many times to press \"Launch!\"")
        ->check(CLI::Range(1, 100000));
    fly->add_flag("--json", json, "Print one JSON object");
    zorbal::cli::ExportOptions exports;
    zorbal::cli::addExportOptions(*fly, exports);
#ifdef ZORBAL_CLI_PLOTS
    zorbal::cli::PlotOptions plots;
    zorbal::cli::addPlotOptions(*fly, plots);
#endif

    auto* check = app.add_subcommand("check", "Press \"Check Parameters\"");
    zorbal::cli::addDesignOptions(*check, design);
    check->add_flag("--json", json, "Print one JSON object");

    std::string designFile;
    auto* saveDesign =
        app.add_subcommand("save-design", "Press \"Save\" and write the design to FILE (- for stdout)");
    saveDesign->add_option("FILE", designFile, "The design file to write")
        ->required()
        ->check(zorbal::cli::nonEmptyFileName());
    zorbal::cli::addDesignOptions(*saveDesign, design);

    std::string linkBase;
    auto* link = app.add_subcommand(
        "link",
        "Print a link to the page at --base that opens the design, as the page's \"Copy Link\" makes it");
    link->add_option("--base", linkBase,
                     "The address of the page (its index.html, or the folder it is served from)")
        ->type_name("URL")
        ->required();
    zorbal::cli::addDesignOptions(*link, design);

    auto* optimise =
        app.add_subcommand("optimise", "Press \"Optimise\" and print the filling factor it chose");
    zorbal::cli::addDesignOptions(*optimise, design);
    optimise->add_flag("--json", json, "Print one JSON object");

    zorbal::cli::SweepCommands sweepCommands(app);
    zorbal::cli::FitScatterCommands fitScatterCommands(app);

    try {
        app.parse(argc, argv);
    } catch (const CLI::ParseError& error) {
        const int code = app.exit(error);
        return code == 0 ? 0 : kExitUsage;
    }
    if (sweepCommands.isChosen())
        return sweepCommands.run();
    if (fitScatterCommands.isChosen())
        return fitScatterCommands.run();

    zorbal::platform::HeadlessPlatform platform(/*echoMessages=*/true);
    Zorbal window(platform.services());
    window.Form_Load();
    if (const auto error = zorbal::cli::applyDesign(window, design); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }

    if (*fly) {
        if (const auto error = zorbal::cli::checkExportOptions(exports, json); !error.empty()) {
            std::cerr << error << "\n";
            return kExitUsage;
        }
        // "-" is standard output, not a file.
        auto asFile = [](const std::string& name) { return name == "-" ? std::string() : name; };
        std::vector<zorbal::cli::OutputFile> outputs = {{"--trajectory", asFile(exports.trajectory)},
                                                        {"--history", asFile(exports.history)}};
#ifdef ZORBAL_CLI_PLOTS
        outputs.push_back({"--plot-trajectory", plots.trajectory});
        outputs.push_back({"--plot-velocity", plots.velocity});
#endif
        if (const auto error = zorbal::cli::clashingFiles(outputs, design.designFile); !error.empty()) {
            std::cerr << error << "\n";
            return kExitUsage;
        }
        bool refused = false;
        for (int i = 0; i < launches && !refused; ++i) {
            const int before = window.LaunchCount;
            window.cmdLaunch_Click();
            refused = window.LaunchCount == before;
        }
        if (json) {
            Json out = windowJson(window, platform.messageBox);
            const auto& r = window.Rocket;
            out["steps"] = window.LaunchCount > 0 ? window.LastFlight.steps : 0;
            out["outcome"] = refused ? "refused" : outcomeName(window.LastFlight.outcome);
            out["flight_time"] = window.LastFlight.flightTime;
            out["max_height"] = r.MaxHeight;
            out["range"] = r.Range;
            out["max_speed"] = r.MaxSpeed;
            out["events"] = eventsJson(r);
            out["commentary"] = window.txtCommentary.Text;
            addHistoryJson(out, window);
            std::cout << out.dump(2) << "\n";
        } else if (!refused && !exports.writesToStdout()) {
            printFlight(window);
        }
        if (!refused && !zorbal::cli::writeExports(window, platform, exports))
            return kExitRefused;
#ifdef ZORBAL_CLI_PLOTS
        if (!refused && !zorbal::cli::writePlots(window, plots))
            return kExitRefused;
#endif
        return refused ? kExitRefused : 0;
    }

    if (*link) {
        const auto made = zorbal::cli::designLinkOf(window, linkBase);
        if (!made) {
            std::cerr << "zorbal-cli: the design is too large to be shared as a link\n";
            return kExitRefused;
        }
        std::cout << *made << "\n";
        return 0;
    }

    if (*saveDesign)
        return zorbal::cli::saveDesign(window, platform, designFile) ? 0 : kExitRefused;

    if (*check) {
        const auto before = platform.messageBox.messages.size();
        window.cmdCheck_Click();
        const bool refused = platform.messageBox.messages.size() != before;
        if (json) {
            Json out = windowJson(window, platform.messageBox);
            out["ok"] = !refused;
            std::cout << out.dump(2) << "\n";
        } else if (!refused) {
            std::cout << "The design is within the limits and has enough air.\n";
        }
        return refused ? kExitRefused : 0;
    }

    if (*optimise) {
        const auto before = platform.messageBox.messages.size();
        window.cmdOptimise_Click();
        const bool refused = platform.messageBox.messages.size() != before;
        if (json) {
            Json out = windowJson(window, platform.messageBox);
            out["ok"] = !refused;
            out["filling_factor"] = window.txtInput[1].Text;
            out["energy_per_mass"] = window.Rocket.AccessibleEnergy / window.Rocket.RocketMass;
            std::cout << out.dump(2) << "\n";
        } else if (!refused) {
            std::cout << window.txtInput[1].Text << "\n";
        }
        return refused ? kExitRefused : 0;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    zorbal::cli::prepareSignals();
    // A command that runs out of memory, or fails in any other way the commands do not report
    // themselves, says so and fails instead of aborting.
    int status = kExitRefused;
    try {
        status = runTool(argc, argv);
    } catch (const std::bad_alloc&) {
        std::cerr << "zorbal-cli: " << zorbal::cli::kNotEnoughMemory << "\n";
    } catch (const std::exception& error) {
        std::cerr << "zorbal-cli: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "zorbal-cli: unexpected failure\n";
    }
    // Whatever the command printed must have arrived: output lost to a full disk or a closed pipe
    // fails the command.
    return zorbal::cli::checkedExitStatus(status);
}
