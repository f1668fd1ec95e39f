// SPDX-License-Identifier: MIT
// The Investigate window's model: the controls' texts and states, the checks of the typed boxes,
// the jobs the run buttons ask for, their results drawn and written out, and the designs chosen
// on the graphs handed back to the main window.
#include "investigate/investigate.h"

#include "explore/best.h"
#include "explore/scatter_chart.h"
#include "explore/sweep_chart.h"
#include "platform/decimal_chars.h"
#include "platform/headless.h"
#include "platform/number_text.h"
#include "sim/limits.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>

namespace zorbal::investigate {

namespace {

using explore::Figure;

constexpr int kTwipsPerPixel = 15;
/// The fewest and most values along one varied input.
constexpr int kMinValues = 2, kMaxValues = 200;
/// How far from a curve's point, in pixels, the pointer still picks it.
constexpr double kPickDistance = 24;
/// Half the side of the square framing a chosen design's point on a curve, pixels.
constexpr double kChosenHalf = 5;

constexpr std::array<Figure, 3> kFigures = {Figure::Range, Figure::Height, Figure::Duration};
/// The measured figures in the order of the boxes txtMeasured_0..2.
constexpr std::array<Figure, 3> kMeasuredFigures = {Figure::Duration, Figure::Height, Figure::Range};
constexpr std::array<const char*, 3> kMeasuredCaptions = {"Flight Duration", "Maximum Height", "Range"};
constexpr std::array<const char*, 2> kAxisNames = {"first input", "second input"};

std::string trimmed(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    const auto last = text.find_last_not_of(" \t");
    return std::string(text.substr(first, last - first + 1));
}

/// "3.5 atmospheres", "30 %", "0.3" (no units).
std::string withUnit(const std::string& value, int input) {
    const std::string unit = explore::inputUnit(input);
    return unit.empty() ? value : value + " " + unit;
}

const char* figureUnit(Figure figure) {
    return figure == Figure::Duration ? "seconds" : "metres";
}

const char* figureHeading(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return "Range";
    case Figure::Height:
        return "Maximum Height";
    case Figure::Duration:
        return "Flight Duration";
    }
    return "Range";
}

const std::string& figureText(const explore::SweepRow& row, Figure figure) {
    switch (figure) {
    case Figure::Range:
        return row.range;
    case Figure::Height:
        return row.height;
    case Figure::Duration:
        return row.duration;
    }
    return row.range;
}

/// What "Best" maximises for a figure, and the words the chart's title gives it.
explore::Goal goalOf(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return explore::Goal::MaximiseRange;
    case Figure::Height:
        return explore::Goal::MaximiseHeight;
    case Figure::Duration:
        return explore::Goal::MaximiseDuration;
    }
    return explore::Goal::MaximiseRange;
}
const char* goalWords(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return "the longest range";
    case Figure::Height:
        return "the greatest height";
    case Figure::Duration:
        return "the longest flight";
    }
    return "the longest range";
}

std::string count(std::size_t n) {
    return platform::integerText(static_cast<long long>(n));
}

std::string joinLines(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines)
        text += line + "\r\n";
    return text;
}

/// Pads to `width` characters ("±" is two bytes and one character).
std::string padded(std::string text, std::size_t width) {
    std::size_t characters = 0;
    for (const char c : text)
        characters += (static_cast<unsigned char>(c) & 0xC0) != 0x80 ? 1 : 0;
    if (characters < width)
        text.append(width - characters, ' ');
    return text;
}

/// "x,y" in pixels; nothing for any other text.
std::optional<explore::ChartPoint> readPoint(std::string_view text) {
    const auto comma = text.find(',');
    if (comma == std::string_view::npos)
        return std::nullopt;
    const auto x = platform::readStrict(text.substr(0, comma));
    const auto y = platform::readStrict(text.substr(comma + 1));
    if (!x || !y || !std::isfinite(*x) || !std::isfinite(*y))
        return std::nullopt;
    return explore::ChartPoint{*x, *y};
}

/// A whole number typed into a box (blanks around it allowed), or nothing.
std::optional<std::uint64_t> readWhole(std::string_view text) {
    const std::string t = trimmed(text);
    std::uint64_t value = 0;
    const auto [end, error] = std::from_chars(t.data(), t.data() + t.size(), value);
    if (t.empty() || error != std::errc{} || end != t.data() + t.size())
        return std::nullopt;
    return value;
}

/// The shortest text that reads back as `value` exactly (for the step of an axis).
std::string exactText(double value) {
    if (!std::isfinite(value))
        return platform::generalText(value);
    std::array<char, 40> buffer{};
    char* end = platform::decimal_chars::shortest(buffer.data(), buffer.data() + buffer.size(), value);
    return end ? std::string(buffer.data(), end) : platform::generalText(value);
}

/// A started headless window showing `designFile`, for the texts of a design or a file to write.
struct DesignWindow {
    platform::HeadlessPlatform platform;
    ui::Zorbal window{platform.services()};
    explicit DesignWindow(const std::string& designFile) {
        window.Form_Load();
        ui::applyDesignFile(window, designFile);
    }
};

/// `designFile` with box `inputs[k]` showing `texts[k]`, as the main window's "Save" writes it.
std::string designWith(const std::string& designFile, const std::vector<int>& inputs,
                       const std::vector<std::string>& texts) {
    DesignWindow d(designFile);
    for (std::size_t k = 0; k < inputs.size() && k < texts.size(); ++k)
        d.window.txtInput[static_cast<std::size_t>(inputs[k])].Text = texts[k];
    return explore::designFileText(d.window);
}

std::string rangeText(const std::optional<explore::FigureSpread>& spread) {
    return "5-95 % " + platform::fixedText(spread->low, 2) + " to " + platform::fixedText(spread->high, 2) +
           " metres, mean " + platform::fixedText(spread->mean, 2) + " metres";
}

} // namespace

struct Investigator::State {
    platform::Services services;
    std::string designFile;
    std::map<std::string, ControlState, std::less<>> controls;
    platform::DrawingSurface vary, scatter;
    std::uint64_t revision = 0;
    std::atomic<bool> cancel{false};
    std::string announcement;
    std::uint64_t announcements = 0;

    // The job asked for and not yet taken, and the one whose result is awaited.
    std::optional<Job> pending;
    std::optional<std::uint64_t> awaited;
    Job running; ///< the awaited job as asked for: its result is read against it
    std::uint64_t nextId = 1;
    // The window's callbacks, as set when they are called.
    std::function<void(const std::string&)> onUse;
    std::function<std::string(const platform::DrawingSurface&, int, int)> encodePng;
    std::function<bool()> hasEncoder;

    // The latest complete sweep: its grid and rows, the picture and the design chosen on it.
    std::optional<explore::SweepGrid> grid;
    std::vector<explore::SweepRow> rows;
    std::string sweepDesign; ///< the design the sweep flew
    explore::SweepChart chart;
    std::optional<std::size_t> chosen; ///< a grid index clicked or found by "Best"
    std::optional<std::size_t> winner; ///< the grid index "Best" marked
    std::optional<std::size_t> pointed;

    // The latest complete fit and scatter, with the requests they answer.
    std::optional<explore::FitRequest> fitRequest;
    std::optional<explore::FitResult> fit;
    std::string fitDesign;
    std::optional<explore::ScatterRequest> scatterRequest;
    std::optional<explore::ScatterResult> scatterResult;

    ControlState& c(std::string_view id) {
        const auto it = controls.find(id);
        return it != controls.end() ? it->second
                                    : controls.emplace(std::string(id), ControlState{}).first->second;
    }
    void changed() { ++revision; }
    void announce(std::string text) {
        c("lblStatus").text = text;
        announcement = std::move(text);
        ++announcements;
        changed();
    }
    void message(const std::string& text) {
        if (services.messageBox != nullptr)
            services.messageBox->show(text);
    }
    /// A refused request: said in the message box and in the status line; no job starts.
    void refuse(const std::string& why) {
        message(why);
        announce("Refused: " + why);
    }
    Figure figure() const {
        const auto it = controls.find("cboFigure");
        const int selected = it == controls.end() ? 0 : it->second.selected;
        return kFigures[static_cast<std::size_t>(std::clamp(selected, 0, 2))];
    }
    int varied(int axis) {
        const int selected = c(axis == 0 ? "cboVary_0" : "cboVary_1").selected;
        return axis == 0 ? selected : selected - 1; // the second choice has "(none)" first
    }

    void initialise();
    void updateStates();
    void setAxisDefaults(int axis);
    bool startJob(Job job, const std::string& startText);
    void startSweep();
    void startFit();
    void startScatter();
    void showSweep();
    void showFit();
    void showScatter();
    void drawVary();
    std::optional<std::size_t> designAt(explore::ChartPoint at) const;
    /// Calls `visit` with each point of the curves and the design it stands for.
    void forEachCurvePoint(const std::function<void(explore::ChartPoint, std::size_t design)>& visit) const;
    /// Frames the chosen design on the graph.
    void markChosen();
    /// The status line's words for design `index` chosen with a key: its varied inputs and the
    /// chosen figure.
    std::string chosenSummary(std::size_t index) const;
    /// The design a key steps to from the one chosen (or pointed at; the first when neither):
    /// "left" and "right" along the first input, "up" and "down" along the second, "home" and
    /// "end" to the first input's ends. Nothing for another key, or without a sweep.
    std::optional<std::size_t> steppedTo(std::string_view key) const;
    std::string designLines(std::size_t index, const char* heading) const;
    void showPoint();
    void best();
    void useDesign();
    void useFit();
    void save(const std::string& filter, const std::string& name, const std::string& bytes,
              const std::string& what);
    void savePicture(const platform::DrawingSurface& surface, std::string_view graph);
    std::string varyDescription() const;
    std::string scatterDescription() const;
};

void Investigator::State::initialise() {
    for (const auto& row : investigateForm())
        controls.emplace(std::string(row.id), ControlState{});
    auto& tabs = c("tabInvestigate");
    tabs.items = {"Vary", "Compare with a real launch", "Where will it land?"};
    tabs.toolTip = "Vary inputs of the design, compare it with a launch you measured, or see where it lands";

    std::vector<std::string> inputs;
    inputs.reserve(sim::kInputCount);
    for (int i = 0; i < sim::kInputCount; ++i)
        inputs.push_back(explore::inputCaption(i));
    for (int a = 0; a < 2; ++a) {
        const std::string n = std::to_string(a);
        c("fraAxis_" + n).text = a == 0 ? "First input" : "Second input (for a map)";
        c("lblVary_" + n).text = "Input";
        c("lblFrom_" + n).text = "From";
        c("lblTo_" + n).text = "To";
        c("lblSteps_" + n).text = "Values";
        c("lblStepsUnit_" + n).text = "(2 to 200)";
        auto& choice = c("cboVary_" + n);
        choice.items = inputs;
        if (a == 1)
            choice.items.insert(choice.items.begin(), "(none)");
        choice.toolTip = a == 0 ? "The input varied along the graph's horizontal axis"
                                : "A second input, for a map of one figure over both; (none) for curves";
        c("txtFrom_" + n).toolTip = "The first value of the input; within its limits";
        c("txtTo_" + n).toolTip = "The last value of the input; within its limits";
        c("txtSteps_" + n).toolTip = "How many values from From to To, evenly spaced (2 to 200)";
    }
    c("cboVary_0").selected = sim::Pressure;
    c("cboVary_1").selected = 0;
    setAxisDefaults(0);
    setAxisDefaults(1);
    c("txtSteps_0").text = "21";
    c("txtSteps_1").text = "11";
    c("lblFigure").text = "Figure";
    auto& figure = c("cboFigure");
    for (const Figure f : kFigures)
        figure.items.push_back(explore::figureCaption(f));
    figure.toolTip = "The result the map colours and \"Best\" looks for the most of";
    c("cmdVaryRun").text = "Run";
    c("cmdVaryRun").toolTip = "Flies every design from From to To in the background";
    c("cmdBest").text = "Best";
    c("cmdBest").toolTip = "Marks the design with the most of the chosen figure";
    c("cmdUseDesign").text = "Use this design";
    c("cmdUseDesign").toolTip = "Puts the chosen design into the Rocket Design tab";
    c("cmdSaveTable").text = "Save Table...";
    c("cmdSaveTable").toolTip = "Saves every design's results as a CSV file for a spreadsheet";
    c("cmdSavePicture").text = "Save Picture...";
    c("cmdSavePicture").toolTip = "Saves the graph as a PNG picture";
    c("lblVaryGraph").text = "Results";
    c("picVary").toolTip = "Point at a design to see it; click to choose it (or choose with the arrow keys)";
    c("lblVaryPoint").text = "Design pointed at or chosen";
    c("txtVaryPoint").toolTip = "The design under the pointer, or the one chosen";

    c("fraMeasured").text = "Measured launch";
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i);
        c("lblMeasured_" + n).text = kMeasuredCaptions[i];
        c("lblUncertainty_" + n).text = "give or take";
        c("lblMeasuredUnit_" + n).text = figureUnit(kMeasuredFigures[i]);
        c("txtMeasured_" + n).toolTip = "What you measured; several launches of this design separated by ;";
        c("txtUncertainty_" + n).toolTip = "How far off the measurement may be; blank: 5 % of it";
    }
    c("lblMeasuredHint_0").text = "Several launches of one design: separate the values with \";\".";
    c("lblMeasuredHint_1").text = "A blank uncertainty is " +
                                  platform::generalText(explore::kDefaultTolerancePercent) +
                                  " % of the value.";
    c("lblFitInput").text = "Uncertain input";
    c("cboFitInput").items = inputs;
    c("cboFitInput").selected = sim::Drag;
    c("cboFitInput").toolTip = "The input whose value you are least sure of; the fit finds it";
    c("cmdFit").text = "Fit";
    c("cmdFit").toolTip = "Finds the value of the uncertain input that reproduces the launch";
    c("cmdUseFit").text = "Put into design";
    c("cmdUseFit").toolTip = "Puts the fitted value into the Rocket Design tab";
    c("lblFitResult").text = "Measured against predicted";

    c("fraSpreads").text = "Uncertainty of each input (give or take)";
    std::array<double, sim::kInputCount> spreads{};
    for (const auto& spread : explore::defaultSpreads())
        spreads[static_cast<std::size_t>(spread.input)] = spread.amount;
    for (int i = 0; i < sim::kInputCount; ++i) {
        const std::string n = std::to_string(i);
        // The two triggers' captions are too long for one line beside their boxes.
        c("lblSpread_" + n).text = i == sim::TriggerAngle   ? "Trigger angle"
                                   : i == sim::TriggerDelay ? "Trigger delay"
                                                            : explore::plainInputCaption(i);
        c("lblSpreadUnit_" + n).text = explore::inputUnit(i);
        c("txtSpread_" + n).text = platform::generalText(spreads[static_cast<std::size_t>(i)]);
        c("txtSpread_" + n).toolTip = "How far this input may be off; 0 keeps it as designed";
    }
    c("lblRuns").text = "Runs";
    c("txtRuns").text = "1000";
    c("txtRuns").toolTip = "How many launches to fly, 1 to " + count(explore::kMaxScatterRuns);
    c("lblSeed").text = "Seed";
    c("txtSeed").text = "1";
    c("txtSeed").toolTip = "The same seed gives the same launches";
    c("lblDistribution").text = "Distribution";
    c("cboDistribution").items = {"Normal", "Uniform"};
    c("cboDistribution").toolTip = "Normal: the uncertainty is a standard deviation; uniform: a half-width";
    c("cmdScatterRun").text = "Run";
    c("cmdScatterRun").toolTip = "Flies the design many times with its inputs drawn at random";
    c("cmdSaveRuns").text = "Save Runs...";
    c("cmdSaveRuns").toolTip = "Saves every launch as a CSV file for a spreadsheet";
    c("cmdSaveScatterPicture").text = "Save Picture...";
    c("cmdSaveScatterPicture").toolTip = "Saves the graph as a PNG picture";
    c("lblScatterGraph").text = "Where it lands";
    c("lblScatterResult").text = "Spread of the landings";

    c("cmdCancel").text = "Cancel";
    c("cmdCancel").toolTip = "Stops the job; the results shown before stay";
    c("cmdClose").text = "Close";
    c("lblStatus").text = "Ready.";
    c("prgProgress").toolTip = "How much of the job is done";
    c("picVary").description = varyDescription();
    c("picScatter").description = scatterDescription();
    updateStates();
}

void Investigator::State::setAxisDefaults(int axis) {
    const std::string n = std::to_string(axis);
    const int input = varied(axis);
    const bool isUsed = input >= 0;
    for (const char* id : {"txtFrom_", "txtTo_", "txtSteps_", "lblFrom_", "lblTo_", "lblSteps_",
                           "lblFromUnit_", "lblToUnit_", "lblStepsUnit_"})
        c(id + n).enabled = isUsed;
    if (!isUsed) {
        c("lblFromUnit_" + n).text = c("lblToUnit_" + n).text = "";
        return;
    }
    const auto& limits = sim::limitsTable();
    c("txtFrom_" + n).text = platform::generalText(limits.MinimumValue[static_cast<std::size_t>(input)]);
    c("txtTo_" + n).text = platform::generalText(limits.MaximumValue[static_cast<std::size_t>(input)]);
    c("lblFromUnit_" + n).text = c("lblToUnit_" + n).text = explore::inputUnit(input);
}

void Investigator::State::updateStates() {
    const bool busy = awaited.has_value();
    const bool hasSweep = grid.has_value();
    for (const char* id : {"cmdVaryRun", "cmdFit", "cmdScatterRun"})
        c(id).enabled = !busy;
    c("cmdCancel").enabled = busy;
    c("cmdBest").enabled = hasSweep;
    c("cmdUseDesign").enabled = hasSweep && chosen.has_value();
    c("cmdSaveTable").enabled = hasSweep;
    c("cmdSavePicture").enabled = hasSweep;
    c("cmdUseFit").enabled = fit && fit->hasLanded;
    c("cmdSaveRuns").enabled = scatterResult.has_value();
    c("cmdSaveScatterPicture").enabled = scatterResult && scatterResult->landed > 0;
    changed();
}

bool Investigator::State::startJob(Job job, const std::string& startText) {
    job.id = nextId++;
    job.designFile = designFile;
    cancel = false;
    awaited = job.id;
    running = job;
    pending = std::move(job);
    c("prgProgress").value = 0;
    updateStates();
    announce(startText);
    return true;
}

void Investigator::State::startSweep() {
    const auto& limits = sim::limitsTable();
    std::vector<explore::VaryAxis> axes;
    for (int a = 0; a < 2; ++a) {
        const int input = varied(a);
        if (input < 0)
            continue;
        const std::string n = std::to_string(a);
        const std::string of = std::string(" of the ") + kAxisNames[static_cast<std::size_t>(a)];
        const std::size_t i = static_cast<std::size_t>(input);
        std::array<double, 2> ends{};
        for (std::size_t e = 0; e < 2; ++e) {
            const std::string box = e == 0 ? "From" : "To";
            const std::string& text = c((e == 0 ? "txtFrom_" : "txtTo_") + n).text;
            const auto value = platform::readTypedNumberStrict(text);
            if (!value || !std::isfinite(*value))
                return refuse("The " + box + " box" + of + " needs a number, not \"" + text + "\".");
            if (*value < limits.MinimumValue[i] || *value > limits.MaximumValue[i])
                return refuse("The " + box + " box" + of + " must lie within the limits of " +
                              explore::plainInputCaption(input) + ": " +
                              platform::generalText(limits.MinimumValue[i]) + " to " +
                              withUnit(platform::generalText(limits.MaximumValue[i]), input) + ".");
            ends[e] = *value;
        }
        const std::string& stepsText = c("txtSteps_" + n).text;
        const auto values = readWhole(stepsText);
        if (!values || *values < kMinValues || *values > kMaxValues)
            return refuse("The Values box" + of + " needs a whole number from " + std::to_string(kMinValues) +
                          " to " + std::to_string(kMaxValues) + ", not \"" + stepsText + "\".");
        if (ends[0] == ends[1])
            return refuse("The From and To boxes" + of + " must differ.");
        if (a == 1 && input == varied(0))
            return refuse("The second input must differ from the first.");
        const double step = (ends[1] - ends[0]) / static_cast<double>(*values - 1);
        explore::VaryAxis axis;
        const std::string written = std::to_string(input) + "=" + exactText(ends[0]) + ":" +
                                    exactText(ends[1]) + ":" + exactText(step);
        if (auto error = explore::VaryAxis::parse(written, axis); !error.empty() || axis.count() != *values)
            return refuse("The values" + of + " cannot be spaced evenly from " +
                          platform::generalText(ends[0]) + " to " + platform::generalText(ends[1]) + ".");
        axes.push_back(axis);
    }
    std::size_t designs = 1;
    for (const auto& axis : axes)
        designs *= axis.count();
    Job job;
    job.kind = JobKind::Sweep;
    job.axes = std::move(axes);
    startJob(std::move(job), "Flying " + count(designs) + " designs...");
}

void Investigator::State::startFit() {
    explore::FitRequest request;
    request.input = c("cboFitInput").selected;
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string n = std::to_string(i);
        const std::string caption = kMeasuredCaptions[i];
        const std::string& text = c("txtMeasured_" + n).text;
        if (trimmed(text).empty())
            continue;
        const std::string& uncertaintyText = c("txtUncertainty_" + n).text;
        std::optional<double> uncertainty;
        if (!trimmed(uncertaintyText).empty()) {
            uncertainty = platform::readTypedNumberStrict(uncertaintyText);
            if (!uncertainty || !std::isfinite(*uncertainty) || *uncertainty <= 0)
                return refuse("The uncertainty of " + caption + " needs a number greater than 0, not \"" +
                              uncertaintyText + "\".");
        }
        std::size_t start = 0;
        while (start <= text.size()) {
            const auto end = std::min(text.find(';', start), text.size());
            const std::string piece = trimmed(std::string_view(text).substr(start, end - start));
            start = end + 1;
            if (piece.empty())
                continue;
            const auto value = platform::readTypedNumberStrict(piece);
            if (!value || !std::isfinite(*value))
                return refuse("The measured " + caption + " needs numbers separated by \";\", not \"" +
                              piece + "\".");
            // A rocket blown back lands behind the launcher; no flight lasts or climbs below 0.
            if (*value < 0 && kMeasuredFigures[i] != Figure::Range)
                return refuse("The measured " + caption + " cannot be below 0 (\"" + piece + "\").");
            explore::Measurement measurement;
            measurement.figure = kMeasuredFigures[i];
            measurement.value = *value;
            measurement.uncertainty =
                uncertainty ? *uncertainty : std::fabs(*value) * explore::kDefaultTolerancePercent / 100;
            if (!(measurement.uncertainty > 0))
                return refuse("The measured " + caption + " of 0 needs an uncertainty greater than 0.");
            request.measurements.push_back(measurement);
        }
    }
    if (request.measurements.empty())
        return refuse(
            "Type at least one measured figure: the flight duration, the maximum height or the range.");
    if (auto error = explore::fitRequestRefusal(request); !error.empty())
        return refuse(error);
    Job job;
    job.kind = JobKind::Fit;
    const std::size_t measurements = request.measurements.size();
    const std::string caption = explore::plainInputCaption(request.input);
    job.fit = std::move(request);
    startJob(std::move(job), "Fitting " + caption + " to " + count(measurements) +
                                 (measurements == 1 ? " measurement..." : " measurements..."));
}

void Investigator::State::startScatter() {
    explore::ScatterRequest request;
    for (int i = 0; i < sim::kInputCount; ++i) {
        const std::string& text = c("txtSpread_" + std::to_string(i)).text;
        if (trimmed(text).empty())
            continue;
        const auto amount = platform::readTypedNumberStrict(text);
        if (!amount || !std::isfinite(*amount) || *amount < 0)
            return refuse("The uncertainty of " + explore::plainInputCaption(i) +
                          " needs a number not below 0, not \"" + text + "\".");
        if (*amount > 0)
            request.spreads.push_back({i, *amount});
    }
    const std::string& runsText = c("txtRuns").text;
    const auto runs = readWhole(runsText);
    if (!runs || *runs < 1 || *runs > explore::kMaxScatterRuns)
        return refuse("The Runs box needs a whole number from 1 to " + count(explore::kMaxScatterRuns) +
                      ", not \"" + runsText + "\".");
    const std::string& seedText = c("txtSeed").text;
    const auto seed = readWhole(seedText);
    if (!seed)
        return refuse("The Seed box needs a whole number from 0 up, not \"" + seedText + "\".");
    request.runs = static_cast<std::size_t>(*runs);
    request.seed = *seed;
    request.distribution =
        c("cboDistribution").selected == 1 ? explore::Distribution::Uniform : explore::Distribution::Normal;
    if (auto error = explore::scatterRequestRefusal(request); !error.empty())
        return refuse(error);
    Job job;
    job.kind = JobKind::Scatter;
    job.scatter = std::move(request);
    const std::size_t runCount = job.scatter.runs;
    startJob(std::move(job), "Flying " + count(runCount) + (runCount == 1 ? " run..." : " runs..."));
}

// ---- Vary -------------------------------------------------------------------------------------------

void Investigator::State::drawVary() {
    if (!grid) {
        chart = {};
        vary.erase();
        return;
    }
    const auto* graph = findInvestigateControl("picVary");
    explore::SweepChartRequest request;
    request.width = graph->rect.width / kTwipsPerPixel;
    request.height = graph->rect.height / kTwipsPerPixel;
    request.figure = figure();
    {
        DesignWindow d(sweepDesign);
        request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(d.window), *grid);
    }
    if (winner) {
        request.winner = winner;
        request.winnerGoal = goalWords(figure());
    }
    chart = explore::buildSweepChart(*grid, rows, request);
    explore::drawSweepChart(chart, vary);
    markChosen();
    c("picVary").description = varyDescription();
}

std::optional<std::size_t> Investigator::State::designAt(explore::ChartPoint at) const {
    if (!grid)
        return std::nullopt;
    if (grid->axes().size() >= 2) {
        if (chart.mapCount == 0)
            return std::nullopt;
        const auto& field = chart.fields[0];
        for (std::size_t column = 0; column < field.columns; ++column) {
            const auto columnRect = field.cell(column, 0);
            if (at.x < columnRect.left || at.x > columnRect.right())
                continue;
            for (std::size_t row = 0; row < field.rows; ++row) {
                const auto cell = field.cell(column, row);
                if (at.y >= cell.top && at.y <= cell.bottom())
                    return column * field.rows + row; // the first input changes slowest
            }
        }
        return std::nullopt;
    }
    // Curves: a panel with designs that did not land is shaded column by column, one column per
    // design, so there the column under the pointer is the design (landed or not).
    for (const auto& field : chart.fields) {
        if (field.rows != 1 || field.columns != rows.size() || !field.rect.contains(at))
            continue;
        for (std::size_t column = 0; column < field.columns; ++column) {
            const auto cell = field.cell(column, 0);
            if (at.x >= cell.left && at.x <= cell.right())
                return column;
        }
    }
    // Elsewhere the nearest point within reach picks its design.
    std::optional<std::size_t> best;
    double bestDistance = kPickDistance;
    forEachCurvePoint([&](explore::ChartPoint point, std::size_t design) {
        const double distance = std::hypot(point.x - at.x, point.y - at.y);
        if (distance <= bestDistance) {
            bestDistance = distance;
            best = design;
        }
    });
    return best;
}

void Investigator::State::forEachCurvePoint(
    const std::function<void(explore::ChartPoint, std::size_t design)>& visit) const {
    // Each figure's curves hold, in order, one point per design that landed with that figure; the
    // panels are drawn Range, Height, Duration from the top, their curves in that order.
    std::size_t curve = 0;
    for (std::size_t p = 0; p < kFigures.size(); ++p) {
        std::vector<std::size_t> landed;
        for (std::size_t k = 0; k < rows.size(); ++k)
            if (explore::figureValue(rows[k], kFigures[p]))
                landed.push_back(k);
        std::size_t next = 0;
        while (next < landed.size() && curve < chart.curves.size()) {
            for (const auto& point : chart.curves[curve].points) {
                if (next >= landed.size())
                    break;
                visit(point, landed[next]);
                ++next;
            }
            ++curve;
        }
    }
}

void Investigator::State::markChosen() {
    // "Best" marks its own design; another chosen one gets a frame: its map cell, or a square about
    // its point on each figure's curve.
    if (!grid || !chosen || (winner && *winner == *chosen) || *chosen >= rows.size())
        return;
    std::vector<explore::ChartRect> frames;
    if (grid->axes().size() >= 2) {
        if (chart.mapCount == 0)
            return;
        const auto at = grid->position(*chosen);
        frames.push_back(chart.fields[0].cell(at[0], at[1]));
    } else {
        forEachCurvePoint([&](explore::ChartPoint point, std::size_t design) {
            if (design == *chosen)
                frames.push_back(explore::ChartRect{point.x - kChosenHalf, point.y - kChosenHalf,
                                                    2 * kChosenHalf, 2 * kChosenHalf});
        });
    }
    for (const auto& r : frames) {
        // Black outside, white inside: seen on any colour of the map.
        vary.rect(r.left - 2, r.top - 2, r.right() + 2, r.bottom() + 2, platform::kWhite, 0, platform::kBlack,
                  2);
        vary.rect(r.left, r.top, r.right(), r.bottom(), platform::kWhite, 0, platform::kWhite, 1);
    }
}

std::string Investigator::State::chosenSummary(std::size_t index) const {
    const auto& row = rows[index];
    std::string text = "Chose design " + count(index + 1) + " of " + count(rows.size()) + ":";
    for (std::size_t a = 0; a < grid->axes().size(); ++a) {
        const int input = grid->axes()[a].input();
        text += (a ? ", " : " ") + explore::plainInputCaption(input) + " " +
                withUnit(grid->axes()[a].text(grid->position(index)[a]), input);
    }
    if (row.outcome == explore::Outcome::Refused)
        return text + "; refused.";
    const Figure f = figure();
    return text + "; " + figureHeading(f) + " " + figureText(row, f) + " " + figureUnit(f) + ".";
}

std::optional<std::size_t> Investigator::State::steppedTo(std::string_view key) const {
    if (!grid || rows.size() != grid->size() || rows.empty())
        return std::nullopt;
    const auto& axes = grid->axes();
    const std::optional<std::size_t> from = chosen ? chosen : pointed;
    if (!from)
        return key == "left" || key == "right" || key == "up" || key == "down" || key == "home" ||
                       key == "end"
                   ? std::optional<std::size_t>(0)
                   : std::nullopt;
    std::vector<std::size_t> at = grid->position(*from);
    auto step = [&](std::size_t axis, bool up) {
        if (axis >= axes.size())
            return;
        if (up && at[axis] + 1 < axes[axis].count())
            ++at[axis];
        else if (!up && at[axis] > 0)
            --at[axis];
    };
    if (key == "left" || key == "right")
        step(0, key == "right");
    else if (key == "up" || key == "down")
        step(1, key == "up");
    else if (key == "home")
        at[0] = 0;
    else if (key == "end")
        at[0] = axes[0].count() - 1;
    else
        return std::nullopt;
    std::size_t index = 0;
    for (std::size_t a = 0; a < axes.size(); ++a)
        index = index * axes[a].count() + at[a];
    return index;
}

std::string Investigator::State::designLines(std::size_t index, const char* heading) const {
    const auto& row = rows[index];
    std::vector<std::string> lines;
    lines.push_back(std::string(heading) + " design " + count(index + 1) + " of " + count(rows.size()));
    for (std::size_t a = 0; a < grid->axes().size(); ++a) {
        const int input = grid->axes()[a].input();
        lines.push_back(explore::plainInputCaption(input) + ": " +
                        withUnit(grid->axes()[a].text(grid->position(index)[a]), input));
    }
    if (row.outcome == explore::Outcome::Refused) {
        lines.push_back("Refused: " + row.message);
    } else {
        for (const Figure f : {Figure::Duration, Figure::Height, Figure::Range})
            lines.push_back(std::string(figureHeading(f)) + ": " + figureText(row, f) + " " + figureUnit(f));
        if (row.outcome != explore::Outcome::Flown)
            lines.push_back("Did not land: " + row.message);
    }
    return joinLines(lines);
}

void Investigator::State::showPoint() {
    auto& box = c("txtVaryPoint");
    if (pointed)
        box.text = designLines(*pointed, "Pointed at:");
    else if (chosen)
        box.text = designLines(*chosen, winner && *winner == *chosen ? "Best:" : "Chosen:");
    else
        box.text.clear();
    changed();
}

void Investigator::State::showSweep() {
    pointed.reset();
    chosen.reset();
    winner.reset();
    drawVary();
    showPoint();
}

void Investigator::State::best() {
    explore::BestTracker tracker(explore::Criterion{goalOf(figure()), 0});
    for (const auto& row : rows)
        tracker.consider(row);
    if (!tracker.best()) {
        message("None of the " + count(rows.size()) + " designs landed.");
        announce("None of the " + count(rows.size()) + " designs landed.");
        return;
    }
    winner = chosen = tracker.best()->index;
    pointed.reset();
    drawVary();
    showPoint();
    updateStates();
    announce("Best for " + std::string(goalWords(figure())) + ": design " + count(*winner + 1) + ", " +
             figureHeading(figure()) + " " + figureText(rows[*winner], figure()) + " " +
             figureUnit(figure()) + ".");
}

void Investigator::State::useDesign() {
    if (!grid || !chosen)
        return;
    std::vector<int> inputs;
    for (const auto& axis : grid->axes())
        inputs.push_back(axis.input());
    const std::string file = designWith(sweepDesign, inputs, grid->texts(*chosen));
    if (onUse)
        onUse(file);
    announce("Design " + count(*chosen + 1) + " was put into the Rocket Design tab.");
}

std::string Investigator::State::varyDescription() const {
    if (!grid)
        return "No designs flown yet: choose an input and its values, then Run.";
    std::size_t landed = 0;
    for (const auto& row : rows)
        landed += row.outcome == explore::Outcome::Flown ? 1 : 0;
    std::string text;
    auto axisText = [this](std::size_t a) {
        const auto& axis = grid->axes()[a];
        return explore::plainInputCaption(axis.input()) + " from " + axis.text(0) + " to " +
               withUnit(axis.text(axis.count() - 1), axis.input()) + " (" + count(axis.count()) + " values)";
    };
    if (grid->axes().size() == 1)
        text = "Curves of the Range, Maximum Height and Flight Duration against " + axisText(0);
    else
        text = "A map of the " + std::string(figureHeading(figure())) + " over " + axisText(0) +
               " across and " + axisText(1) + " up";
    text += ": " + count(rows.size()) + " designs, " + count(landed) + " landed.";
    if (winner)
        text += " Best for " + std::string(goalWords(figure())) + ": " + designLines(*winner, "").substr(1);
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    for (auto at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n"))
        text.replace(at, 2, "; ");
    return text;
}

// ---- Compare ------------------------------------------------------------------------------------------

void Investigator::State::showFit() {
    std::vector<std::string> lines = explore::fitSummary(*fitRequest, *fit);
    if (fit->hasLanded) {
        lines.emplace_back();
        lines.push_back(padded("", 17) + padded("Measured", 24) + "Predicted");
        for (std::size_t i = 0; i < fitRequest->measurements.size(); ++i) {
            const auto& measurement = fitRequest->measurements[i];
            const std::string unit = figureUnit(measurement.figure);
            const std::string measured = platform::generalText(measurement.value) + " \u00b1 " +
                                         platform::generalText(measurement.uncertainty) + " " + unit;
            lines.push_back(padded(figureHeading(measurement.figure), 17) + padded(measured, 24) +
                            figureText(fit->row, measurement.figure) + " " + unit);
        }
    }
    c("txtFitResult").text = joinLines(lines);
    changed();
}

void Investigator::State::useFit() {
    if (!fit || !fit->hasLanded)
        return;
    const std::string file = designWith(fitDesign, {fitRequest->input}, {fit->text});
    if (onUse)
        onUse(file);
    announce(explore::plainInputCaption(fitRequest->input) + " " + fit->text +
             " was put into the Rocket Design tab.");
}

// ---- Where will it land -------------------------------------------------------------------------------

void Investigator::State::showScatter() {
    const auto& result = *scatterResult;
    const auto& request = *scatterRequest;
    std::vector<std::string> lines;
    lines.push_back(count(result.runs.size()) + " runs (seed " + std::to_string(request.seed) + ", " +
                    (request.distribution == explore::Distribution::Uniform ? "uniform" : "normal") +
                    " draws), " + count(result.landed) + " landed");
    if (result.designed.outcome == explore::Outcome::Flown)
        lines.push_back("Designed flight: range " + result.designed.range + " metres, maximum height " +
                        result.designed.height + " metres");
    else
        lines.push_back("Designed flight: " + std::string(explore::outcomeName(result.designed.outcome)) +
                        (result.designed.message.empty() ? "" : " (" + result.designed.message + ")"));
    if (result.range)
        lines.push_back("Range: " + rangeText(result.range));
    if (result.height)
        lines.push_back("Maximum Height: " + rangeText(result.height));
    if (result.landed == 0)
        lines.push_back("None of the runs landed.");
    c("txtScatterResult").text = joinLines(lines);

    if (result.landed > 0) {
        const auto* graph = findInvestigateControl("picScatter");
        explore::ScatterChartRequest chartRequest;
        chartRequest.width = graph->rect.width / kTwipsPerPixel;
        chartRequest.height = graph->rect.height / kTwipsPerPixel;
        chartRequest.seed = request.seed;
        chartRequest.spreads = request.spreads;
        explore::drawSweepChart(explore::buildScatterChart(result, chartRequest), scatter);
    } else {
        scatter.erase();
    }
    c("picScatter").description = scatterDescription();
    changed();
}

std::string Investigator::State::scatterDescription() const {
    if (!scatterResult)
        return "No launches flown yet: give each input's uncertainty, then Run.";
    const auto& result = *scatterResult;
    std::string text = "Where " + count(result.runs.size()) +
                       " launches land: each landed run a dot at its range "
                       "and maximum height; " +
                       count(result.landed) + " landed.";
    if (result.range)
        text += " Range " + rangeText(result.range) + ".";
    if (result.height)
        text += " Maximum Height " + rangeText(result.height) + ".";
    if (result.designed.outcome == explore::Outcome::Flown)
        text += " The designed flight lands at " + result.designed.range + " metres, " +
                result.designed.height + " metres high.";
    return text;
}

// ---- Saving ---------------------------------------------------------------------------------------------

void Investigator::State::save(const std::string& filter, const std::string& name, const std::string& bytes,
                               const std::string& what) {
    auto* dialog = services.fileDialog;
    if (dialog == nullptr || services.textFiles == nullptr)
        return;
    dialog->Filter = filter;
    dialog->FileName = name;
    dialog->Flags = 2;
    if (!dialog->showSave())
        return;
    const std::string path = dialog->FileName;
    if (!services.textFiles->write(path, bytes)) {
        message("Could not save " + what + " as \"" + path + "\". The file was not changed.");
        announce("Could not save " + what + ".");
        return;
    }
    announce("Saved " + what + ".");
}

void Investigator::State::savePicture(const platform::DrawingSurface& surface, std::string_view graph) {
    const auto* control = findInvestigateControl(graph);
    const int width = control->rect.width / kTwipsPerPixel, height = control->rect.height / kTwipsPerPixel;
    if (!hasEncoder()) {
        message("Sorry, the picture cannot be saved here.");
        announce("The picture was not saved.");
        return;
    }
    const std::string bytes = encodePng(surface, width, height);
    if (bytes.empty()) {
        message("Sorry, the picture could not be made.");
        announce("The picture was not saved.");
        return;
    }
    save("PNG pictures(*.png)", "Investigate.png", bytes, "the picture");
}

// ---- The window's interface -----------------------------------------------------------------------------

Investigator::Investigator(const platform::Services& services) : m(std::make_unique<State>()) {
    m->services = services;
    m->onUse = [this](const std::string& file) {
        if (onUseDesign)
            onUseDesign(file);
    };
    m->encodePng = [this](const platform::DrawingSurface& drawing, int width, int height) {
        return encodePng ? encodePng(drawing, width, height) : std::string();
    };
    m->hasEncoder = [this] { return static_cast<bool>(encodePng); };
    m->initialise();
}
Investigator::~Investigator() = default;

void Investigator::open(const std::string& designFile) {
    if (designFile != m->designFile) {
        // Results of another design no longer describe this one; a job for it is no longer awaited.
        if (m->awaited) {
            m->cancel = true;
            m->awaited.reset();
            m->pending.reset();
            m->c("prgProgress").value = 0;
        }
        m->grid.reset();
        m->rows.clear();
        m->fit.reset();
        m->fitRequest.reset();
        m->scatterResult.reset();
        m->scatterRequest.reset();
        m->c("txtFitResult").text.clear();
        m->c("txtScatterResult").text.clear();
        m->scatter.erase();
        m->c("picScatter").description = m->scatterDescription();
        m->showSweep();
        m->updateStates();
    }
    m->designFile = designFile;
    m->changed();
}
const std::string& Investigator::designFile() const {
    return m->designFile;
}

const ControlState& Investigator::control(std::string_view id) const {
    static const ControlState none = [] {
        ControlState state;
        state.enabled = false;
        return state;
    }();
    const auto it = m->controls.find(id);
    return it == m->controls.end() ? none : it->second;
}

const platform::DrawingSurface& Investigator::surface(std::string_view id) const {
    return id == "picScatter" ? m->scatter : m->vary;
}
std::uint64_t Investigator::revision() const {
    return m->revision;
}

bool Investigator::act(ui::FormEvent event, std::string_view id, std::string_view value) {
    const auto* row = findInvestigateControl(id);
    if (row == nullptr)
        return false;
    auto& state = m->c(id);
    switch (event) {
    case ui::FormEvent::Input: {
        if (id == "picVary") {
            // A key on the graph chooses the design next to the one chosen, as a click there would.
            const auto index = m->steppedTo(value);
            if (!index)
                return false;
            if (index != m->chosen) {
                m->chosen = index;
                m->pointed.reset();
                m->drawVary();
                m->showPoint();
                m->updateStates();
            }
            m->announce(m->chosenSummary(*index));
            return true;
        }
        if (row->kind == ui::ControlKind::InputBox) {
            state.text = std::string(value);
            m->changed();
            return true;
        }
        const auto index = readWhole(value);
        if (!index || (row->kind != ui::ControlKind::Choice && row->kind != ui::ControlKind::Tabs) ||
            *index >= state.items.size())
            return false;
        const int selected = static_cast<int>(*index);
        if (selected == state.selected)
            return true;
        state.selected = selected;
        if (id == "cboVary_0")
            m->setAxisDefaults(0);
        else if (id == "cboVary_1")
            m->setAxisDefaults(1);
        else if (id == "cboFigure" && m->grid) {
            // The map recoloured; the mark of "Best" was for the other figure.
            m->winner.reset();
            m->drawVary();
            m->showPoint();
        }
        m->changed();
        return true;
    }
    case ui::FormEvent::Validate:
        return row->kind == ui::ControlKind::InputBox;
    case ui::FormEvent::Move: {
        if (id != "picVary")
            return false;
        const auto at = readPoint(value);
        const auto index = at ? m->designAt(*at) : std::nullopt;
        if (index != m->pointed) {
            m->pointed = index;
            m->showPoint();
        }
        return true;
    }
    case ui::FormEvent::Click:
        break;
    }
    if (!state.enabled || !state.visible)
        return false;
    if (id == "picVary") {
        const auto at = readPoint(value);
        const auto index = at ? m->designAt(*at) : std::nullopt;
        if (!index)
            return true;
        m->chosen = index;
        m->pointed.reset();
        m->drawVary();
        m->showPoint();
        m->updateStates();
        m->announce("Chose design " + count(*index + 1) + ".");
        return true;
    }
    if (id == "cmdVaryRun")
        m->startSweep();
    else if (id == "cmdFit")
        m->startFit();
    else if (id == "cmdScatterRun")
        m->startScatter();
    else if (id == "cmdCancel")
        cancelRunning();
    else if (id == "cmdBest")
        m->best();
    else if (id == "cmdUseDesign")
        m->useDesign();
    else if (id == "cmdUseFit")
        m->useFit();
    else if (id == "cmdSaveTable")
        m->save("CSV files(*.csv)", "Sweep.csv", explore::sweepCsv(*m->grid, m->rows), "the table");
    else if (id == "cmdSavePicture")
        m->savePicture(m->vary, "picVary");
    else if (id == "cmdSaveRuns")
        m->save("CSV files(*.csv)", "Runs.csv", explore::scatterCsv(*m->scatterResult), "the runs");
    else if (id == "cmdSaveScatterPicture")
        m->savePicture(m->scatter, "picScatter");
    else if (id == "cmdClose") {
        cancelRunning();
        if (onClose)
            onClose();
    } else
        return false;
    return true;
}

void Investigator::cancelRunning() {
    if (!m->awaited)
        return;
    m->cancel = true;
    if (m->pending) {
        // Never handed to a thread: nothing will come back.
        m->pending.reset();
        m->awaited.reset();
        m->c("prgProgress").value = 0;
        m->updateStates();
        m->announce("Cancelled; the results shown before are kept.");
    }
}

std::optional<Job> Investigator::takeJob() {
    std::optional<Job> job = std::move(m->pending);
    m->pending.reset();
    return job;
}
bool Investigator::isBusy() const {
    return m->awaited.has_value();
}
const std::atomic<bool>& Investigator::cancelFlag() const {
    return m->cancel;
}
void Investigator::progress(std::size_t done, std::size_t total) {
    if (!m->awaited || total == 0)
        return;
    const int percent = static_cast<int>(std::min<std::size_t>(100, done * 100 / total));
    if (percent != m->c("prgProgress").value) {
        m->c("prgProgress").value = percent;
        m->changed();
    }
}

void Investigator::finish(JobResult result) {
    if (!m->awaited || result.id != *m->awaited)
        return;
    m->awaited.reset();
    m->pending.reset();
    m->c("prgProgress").value = 0;
    m->updateStates();
    if (!result.refusal.empty()) {
        m->refuse(result.refusal);
        return;
    }
    if (!result.isComplete) {
        m->announce("Cancelled; the results shown before are kept.");
        return;
    }
    switch (result.kind) {
    case JobKind::Sweep: {
        explore::SweepGrid grid;
        if (!explore::SweepGrid::make(m->running.axes, grid).empty() || result.rows.size() != grid.size()) {
            m->refuse("The sweep's results do not match the designs asked for.");
            return;
        }
        m->grid = std::move(grid);
        m->rows = std::move(result.rows);
        m->sweepDesign = m->running.designFile;
        m->showSweep();
        std::size_t landed = 0;
        for (const auto& row : m->rows)
            landed += row.outcome == explore::Outcome::Flown ? 1 : 0;
        m->updateStates();
        m->announce("Done: " + count(m->rows.size()) + " designs flown, " + count(landed) + " landed.");
        break;
    }
    case JobKind::Fit: {
        m->fitRequest = m->running.fit;
        m->fit = std::move(result.fit);
        m->fitDesign = m->running.designFile;
        m->showFit();
        m->updateStates();
        const std::string caption = explore::plainInputCaption(m->fitRequest->input);
        m->announce(m->fit->hasLanded ? "Done: " + caption + " fitted, " + m->fit->text +
                                            (m->fit->reaches ? "; every measurement reached."
                                                             : "; not every measurement reached.")
                                      : "Done: no value of " + caption + " flew and landed.");
        break;
    }
    case JobKind::Scatter: {
        m->scatterRequest = m->running.scatter;
        m->scatterResult = std::move(result.scatter);
        m->showScatter();
        m->updateStates();
        m->announce("Done: " + count(m->scatterResult->runs.size()) + " runs flown, " +
                    count(m->scatterResult->landed) + " landed.");
        break;
    }
    }
}

const std::string& Investigator::announcement() const {
    return m->announcement;
}
std::uint64_t Investigator::announcementCount() const {
    return m->announcements;
}

} // namespace zorbal::investigate
