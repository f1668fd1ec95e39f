// SPDX-License-Identifier: MIT
// zorbal-cli fit and zorbal-cli scatter.
#include "fit_scatter.h"

#include "explore/best.h"
#include "explore/grid.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "platform/safe_file.h"
#include "progress_line.h"
#include "sim/limits.h"
#ifdef ZORBAL_CLI_PLOTS
#include "pictures.h"
#include "plot_size.h"

#include "explore/scatter_chart.h"
#include "ui/design_loader.h"
#endif

#include <nlohmann/json.hpp>

#include <algorithm>
#include <iostream>
#include <sstream>

namespace zorbal::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kExitNothing = 1;
constexpr int kExitUsage = 2;

const char* figureName(explore::Figure figure) {
    switch (figure) {
    case explore::Figure::Range:
        return "range";
    case explore::Figure::Height:
        return "height";
    case explore::Figure::Duration:
        return "duration";
    }
    return "range";
}

/// The window's result text of `figure` in `row`, with its unit.
std::string resultText(const explore::SweepRow& row, explore::Figure figure) {
    switch (figure) {
    case explore::Figure::Range:
        return row.range + " metres";
    case explore::Figure::Height:
        return row.height + " metres";
    case explore::Figure::Duration:
        return row.duration + " seconds";
    }
    return row.range;
}

std::string caption(explore::Figure figure) {
    switch (figure) {
    case explore::Figure::Range:
        return "Range";
    case explore::Figure::Height:
        return "Maximum Height";
    case explore::Figure::Duration:
        return "Flight Duration";
    }
    return "Range";
}

std::string padded(std::string text, std::size_t width) {
    // Columns count characters, and "±" is two bytes.
    std::size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    if (characters < width)
        text.append(width - characters, ' ');
    return text;
}

std::string measuredText(const explore::Measurement& m) {
    return platform::generalText(m.value) + " \u00b1 " + platform::generalText(m.uncertainty) +
           (m.figure == explore::Figure::Duration ? " seconds" : " metres");
}

/// Writes `bytes` to `file` with the safe save; false, with a message, when it could not.
bool writeFile(const std::string& file, const std::string& bytes, const std::string& what) {
    const auto error = platform::saveFileSafely(file, bytes);
    if (!error)
        return true;
    std::cerr << "Could not write " << what << " \"" << file << "\"" << reasonSuffix(error) << ".\n";
    return false;
}

Json rowFigures(const explore::SweepRow& row) {
    const bool hasFlown = row.outcome != explore::Outcome::Refused;
    return Json{{"flight_duration", hasFlown ? Json(row.duration) : Json()},
                {"max_height", hasFlown ? Json(row.height) : Json()},
                {"range", hasFlown ? Json(row.range) : Json()},
                {"outcome", explore::outcomeName(row.outcome)},
                {"message", row.message}};
}

Json spreadJson(const std::optional<explore::FigureSpread>& spread) {
    if (!spread)
        return Json();
    return Json{{"low_5", spread->low}, {"high_95", spread->high}, {"mean", spread->mean}};
}

} // namespace

FitScatterCommands::FitScatterCommands(CLI::App& app) {
    m_fit = app.add_subcommand("fit", "Find the value of one input that reproduces a measured launch");
    m_scatter = app.add_subcommand(
        "scatter", "Fly the design many times with its inputs drawn at random about their values");
    for (auto* command : {m_fit, m_scatter}) {
        addDesignOptions(*command, m_design);
        command
            ->add_option("--threads", m_threads,
                         "Worker threads (default: one per core; more than " +
                             std::to_string(explore::kMaxThreadsPerCore) + " per core are not started)")
            ->check(CLI::Range(1, 1024));
        command->add_flag("--json", m_json, "Print one JSON object");
    }

    m_fit
        ->add_option("--measured", m_measured,
                     "A measured figure (height, duration or range) in metres or seconds, with its "
                     "uncertainty after \u00b1 or +- (default: --tolerance); several for several figures "
                     "or launches of the design")
        ->type_name("FIGURE=VALUE[\u00b1U]")
        ->required();
    m_fit->add_option("--vary", m_input, "The input box I (0..13) to fit (default 6, the drag factor)")
        ->type_name("I")
        ->check(CLI::Range(0, sim::kInputCount - 1));
    m_fit
        ->add_option("--tolerance", m_tolerance,
                     "The uncertainty of a measured figure given without one, in per cent of it (default 5)")
        ->type_name("PERCENT")
        ->check(CLI::Range(0.001, 100.0));
    m_fit
        ->add_option("--save-design", m_saveDesign,
                     "Also write the design with the fitted value as a design file")
        ->type_name("FILE")
        ->check(nonEmptyFileName());
    m_fit->footer(
        "The fitted value is the least squares fit over the input's limits, each figure weighted by "
        "its uncertainty. Exit status 1 when no value brings every figure within its uncertainty.");

    m_scatter
        ->add_option(
            "--spread", m_spreads,
            "The uncertainty of input box I in its units: the standard deviation, or the half-width "
            "with --distribution uniform (default: 3=0.2 1=2 7=2 10=1; giving any replaces them all)")
        ->type_name("I=AMOUNT");
    m_scatter->add_option("--runs", m_runs, "How many launches to fly (default 1000)")
        ->check(CLI::Range(std::size_t{1}, explore::kMaxScatterRuns));
    m_scatter->add_option("--seed", m_seed,
                          "The seed of the random draws (default 1): the same seed, the same runs");
    m_scatter->add_option("--distribution", m_distribution, "How the inputs are drawn (default normal)")
        ->check(CLI::IsMember({"normal", "uniform"}));
    m_scatter
        ->add_option("--csv", m_csv,
                     "Also write every run as CSV to FILE (- for standard output; the summary then goes to "
                     "standard error)")
        ->type_name("FILE")
        ->check(nonEmptyFileName());
#ifdef ZORBAL_CLI_PLOTS
    auto* plot =
        m_scatter->add_option("--plot", m_plot, "Also draw the landing points and heights as a PNG picture")
            ->type_name("FILE.png")
            ->check(nonEmptyFileName());
    m_scatter->add_option("--plot-size", m_plotSize, "Size of the picture in pixels (default 800x600)")
        ->type_name("WxH")
        ->check(plotSizeValidator())
        ->needs(plot);
#endif
    m_scatter->footer(
        "Prints the 5-95 % range and the mean of the range and of the maximum height of the runs "
        "that landed. The CSV has a heading row: run, the spread inputs, flight_duration, "
        "max_height, range, steps, outcome and message.");
}

int FitScatterCommands::run() {
    std::vector<OutputFile> outputs;
    if (*m_fit) {
        outputs.push_back({"--save-design", m_saveDesign});
    } else {
        outputs.push_back({"--csv", m_csv == "-" ? std::string() : m_csv});
        outputs.push_back({"--plot", m_plot});
    }
    if (const auto error = clashingFiles(outputs, m_design.designFile); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }
    if (!prepareDesign())
        return kExitUsage;
    return *m_fit ? runFit() : runScatter();
}

bool FitScatterCommands::prepareDesign() {
    if (const auto error = checkDesign(m_design); !error.empty()) {
        std::cerr << error << "\n";
        return false;
    }
    return true;
}

int FitScatterCommands::runFit() {
    explore::FitRequest request;
    request.input = m_input;
    for (const auto& text : m_measured) {
        explore::Measurement measurement;
        if (const auto error = explore::parseMeasurement(text, m_tolerance, measurement); !error.empty()) {
            std::cerr << error << "\n";
            return kExitUsage;
        }
        request.measurements.push_back(measurement);
    }
    if (const auto error = explore::fitRequestRefusal(request); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }

    explore::SweepOptions options;
    options.threads = m_threads;
    options.setDesign = [this](ui::Zorbal& w) { applyDesign(w, m_design); };
    explore::FitResult result;
    {
        ProgressLine progress(true);
        options.onProgress = [&progress](std::size_t done, std::size_t total) {
            progress.update(done, total);
        };
        result = explore::fitMeasured(request, options);
    }
    const auto summary = explore::fitSummary(request, result);
    const std::string name = explore::inputNames()[static_cast<std::size_t>(m_input)];

    std::string designText;
    if (result.hasLanded) {
        platform::HeadlessPlatform platform;
        ui::Zorbal window(platform.services());
        window.Form_Load();
        applyDesign(window, m_design);
        window.txtInput[static_cast<std::size_t>(m_input)].Text = result.text;
        designText = explore::designFileText(window);
    }
    bool isSaved = true;
    if (!m_saveDesign.empty() && result.hasLanded) {
        platform::DiskTextFiles files;
        isSaved = files.write(m_saveDesign, designText);
        if (!isSaved)
            std::cerr << "Could not write the design file \"" << m_saveDesign << "\""
                      << reasonSuffix(files.lastWriteError()) << ".\n";
    }

    if (m_json) {
        Json out;
        out["input"] = name;
        out["minimum"] = result.minimum;
        out["maximum"] = result.maximum;
        out["landed"] = result.hasLanded;
        out["value"] = result.hasLanded ? Json(result.value) : Json();
        out["text"] = result.hasLanded ? Json(result.text) : Json();
        out["reaches"] = result.reaches;
        Json measurements = Json::array();
        for (std::size_t i = 0; i < request.measurements.size(); ++i) {
            const auto& m = request.measurements[i];
            measurements.push_back(
                Json{{"figure", figureName(m.figure)},
                     {"measured", m.value},
                     {"uncertainty", m.uncertainty},
                     {"predicted", result.hasLanded ? Json(result.predicted[i]) : Json()}});
        }
        out["measurements"] = measurements;
        Json intervals = Json::array();
        for (const auto& interval : result.intervals)
            intervals.push_back(Json{{"low", interval.low},
                                     {"high", interval.high},
                                     {"low_text", interval.lowText},
                                     {"high_text", interval.highText}});
        out["intervals"] = intervals;
        out["fitted_interval"] = result.fitted ? Json(*result.fitted) : Json();
        out["flight"] = result.hasLanded ? rowFigures(result.row) : Json();
        out["flights"] = result.flights;
        out["summary"] = summary;
        out["design_file"] = result.hasLanded ? Json(designText) : Json();
        std::cout << out.dump(2) << "\n";
    } else {
        for (const auto& line : summary)
            std::cout << line << "\n";
        if (result.hasLanded) {
            std::cout << "\n" << padded("", 17) << padded("Measured", 24) << "Predicted\n";
            for (const auto& m : request.measurements)
                std::cout << padded(caption(m.figure), 17) << padded(measuredText(m), 24)
                          << resultText(result.row, m.figure) << "\n";
            if (!m_saveDesign.empty() && isSaved)
                std::cout << "\nSaved as " << m_saveDesign << "\n";
        }
    }
    return result.reaches && isSaved ? 0 : kExitNothing;
}

int FitScatterCommands::runScatter() {
    explore::ScatterRequest request;
    request.runs = m_runs;
    request.seed = m_seed;
    request.distribution =
        m_distribution == "uniform" ? explore::Distribution::Uniform : explore::Distribution::Normal;
    if (m_spreads.empty()) {
        request.spreads = explore::defaultSpreads();
    } else {
        for (const auto& text : m_spreads) {
            explore::Spread spread;
            if (const auto error = explore::parseSpread(text, spread); !error.empty()) {
                std::cerr << error << "\n";
                return kExitUsage;
            }
            request.spreads.push_back(spread);
        }
    }
    if (const auto error = explore::scatterRequestRefusal(request); !error.empty()) {
        std::cerr << error << "\n";
        return kExitUsage;
    }

    explore::SweepOptions options;
    options.threads = m_threads;
    options.setDesign = [this](ui::Zorbal& w) { applyDesign(w, m_design); };
    explore::ScatterResult result;
    {
        ProgressLine progress(true);
        options.onProgress = [&progress](std::size_t done, std::size_t total) {
            progress.update(done, total);
        };
        result = explore::scatter(request, options);
    }
    if (!result.refusal.empty()) {
        std::cerr << result.refusal << "\n";
        return kExitUsage;
    }

    bool isWritten = true;
    const bool csvToStdout = m_csv == "-";
    if (csvToStdout)
        std::cout << explore::scatterCsv(result);
    else if (!m_csv.empty())
        isWritten = writeFile(m_csv, explore::scatterCsv(result), "the runs");

    std::ostream& report = csvToStdout ? std::cerr : std::cout;
    const char* distribution = request.distribution == explore::Distribution::Uniform ? "uniform" : "normal";
    if (m_json) {
        Json out;
        out["runs"] = result.runs.size();
        out["seed"] = request.seed;
        out["distribution"] = distribution;
        Json spreads = Json::array();
        for (const auto& spread : request.spreads)
            spreads.push_back(Json{{"input", explore::inputNames()[static_cast<std::size_t>(spread.input)]},
                                   {"amount", spread.amount}});
        out["spreads"] = spreads;
        out["landed"] = result.landed;
        out["designed"] = rowFigures(result.designed);
        out["range"] = spreadJson(result.range);
        out["max_height"] = spreadJson(result.height);
        report << out.dump(2) << "\n";
    } else {
        report << platform::integerText(static_cast<long long>(result.runs.size())) << " runs (seed "
               << std::to_string(request.seed) << ", " << distribution << " draws), "
               << platform::integerText(static_cast<long long>(result.landed)) << " landed\n";
        report << "Spreads:";
        for (std::size_t i = 0; i < request.spreads.size(); ++i) {
            const auto& spread = request.spreads[i];
            report << (i == 0 ? " " : ", ") << explore::plainInputCaption(spread.input) << " \u00b1 "
                   << platform::generalText(spread.amount) << explore::unitSuffix(spread.input);
        }
        report << "\n";
        if (result.designed.outcome == explore::Outcome::Flown)
            report << "Designed flight: range " << result.designed.range << " metres, maximum height "
                   << result.designed.height << " metres\n";
        else
            report << "Designed flight: " << explore::outcomeName(result.designed.outcome) << "\n";
        auto line = [&report](const std::string& caption,
                              const std::optional<explore::FigureSpread>& spread) {
            if (!spread)
                return;
            report << padded(caption, 16) << "5-95 % " << platform::fixedText(spread->low, 2) << " to "
                   << platform::fixedText(spread->high, 2) << " metres, mean "
                   << platform::fixedText(spread->mean, 2) << " metres\n";
        };
        line("Range:", result.range);
        line("Maximum Height:", result.height);
    }
#ifdef ZORBAL_CLI_PLOTS
    if (!m_plot.empty() && result.landed > 0) {
        std::string why;
        const PictureFunctions* pictures = loadPictures(why);
        if (pictures == nullptr) {
            isWritten = pictureModuleMissing(m_plot, why) && isWritten;
        } else {
            auto layout = [&](const explore::TextWidth& textWidth) {
                explore::ScatterChartRequest chart;
                if (const auto size = parsePlotSize(m_plotSize)) {
                    chart.width = size->width;
                    chart.height = size->height;
                }
                chart.textWidth = textWidth;
                chart.seed = request.seed;
                chart.spreads = request.spreads;
                return explore::buildScatterChart(result, chart);
            };
            isWritten = writePicture(pictures->sweepChartPng(layout), m_plot) && isWritten;
        }
    }
#endif
    return result.landed > 0 && isWritten ? 0 : kExitNothing;
}

} // namespace zorbal::cli
