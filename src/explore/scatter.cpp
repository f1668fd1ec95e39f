// SPDX-License-Identifier: MIT
// The scatter of a design's launches under uncertain inputs.
#include "explore/scatter.h"

#include "explore/random.h"
#include "files/export_text.h"
#include "platform/number_text.h"
#include "sim/limits.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zorbal::explore {

namespace {

/// Decimals a drawn value keeps beyond those the limits table gives its input.
constexpr int kExtraDecimals = 2;

double roundedToDecimals(double value, int decimals) {
    double power = 1;
    for (int i = 0; i < decimals; ++i)
        power *= 10;
    return std::nearbyint(value * power) / power;
}

/// The text typed into box `input` for a designed value `designed` moved by `amount` times `draw`.
std::string drawnText(int input, double designed, double amount, double draw) {
    const auto& limits = sim::limitsTable();
    const auto i = static_cast<std::size_t>(input);
    const double value = std::clamp(designed + amount * draw, limits.MinimumValue[i], limits.MaximumValue[i]);
    return platform::generalText(roundedToDecimals(value, limits.DecimalPlaces[i] + kExtraDecimals));
}

} // namespace

std::vector<Spread> defaultSpreads() {
    return {{sim::FillingFactorInput, 2}, {sim::Pressure, 0.2}, {sim::Angle, 2}, {sim::Wind, 1}};
}

std::string parseSpread(std::string_view text, Spread& spread) {
    const std::string quoted = "--spread takes I=AMOUNT, not \"" + std::string(text) + "\"";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return quoted;
    const auto input = readInputIndex(text.substr(0, equals));
    if (!input)
        return quoted + ": I is an input box from 0 to 13";
    const auto amount = platform::readStrict(text.substr(equals + 1));
    if (!amount || !std::isfinite(*amount) || *amount < 0)
        return quoted + ": AMOUNT is a plain number not below 0, such as 0.2";
    spread.input = *input;
    spread.amount = *amount;
    return {};
}

std::string scatterRequestRefusal(const ScatterRequest& request) {
    if (request.runs == 0)
        return "A scatter flies at least one run";
    if (request.runs > kMaxScatterRuns)
        return "A scatter flies at most " + platform::integerText(static_cast<long long>(kMaxScatterRuns)) +
               " runs";
    for (std::size_t a = 0; a < request.spreads.size(); ++a) {
        const auto& spread = request.spreads[a];
        if (spread.input < 0 || spread.input >= sim::kInputCount)
            return "Input " + platform::integerText(spread.input) + " is not an input box from 0 to 13";
        if (!std::isfinite(spread.amount) || spread.amount < 0)
            return "The spread of input " + platform::integerText(spread.input) +
                   " must be a number not below 0";
        for (std::size_t b = 0; b < a; ++b) {
            if (request.spreads[b].input == spread.input)
                return "Input " + platform::integerText(spread.input) + " is given a spread twice";
        }
    }
    return {};
}

double quantile(const std::vector<double>& values, double p) {
    const double position = p * static_cast<double>(values.size() - 1);
    const auto below = static_cast<std::size_t>(std::floor(position));
    const std::size_t above = std::min(below + 1, values.size() - 1);
    const double fraction = position - static_cast<double>(below);
    return values[below] + (values[above] - values[below]) * fraction;
}

ScatterResult scatter(const ScatterRequest& request, const SweepOptions& options) {
    ScatterResult result;
    result.refusal = scatterRequestRefusal(request);
    if (!result.refusal.empty())
        return result;

    std::vector<Spread> spreads = request.spreads;
    std::sort(spreads.begin(), spreads.end(),
              [](const Spread& a, const Spread& b) { return a.input < b.input; });
    for (const auto& spread : spreads)
        result.inputs.push_back(spread.input);

    // The designed values, as the design types them into a freshly started window.
    std::vector<double> designed;
    std::vector<std::string> designedTexts;
    {
        CandidateFlyer flyer(options.setDesign);
        for (const auto& spread : spreads) {
            const std::string& text = flyer.window().txtInput[static_cast<std::size_t>(spread.input)].Text;
            const auto value = platform::readTypedNumberStrict(text);
            if (!value || !std::isfinite(*value)) {
                result.refusal = "The " + inputNames()[static_cast<std::size_t>(spread.input)] +
                                 " box holds \"" + text + "\", not a number to spread about";
                return result;
            }
            designed.push_back(*value);
            designedTexts.push_back(text);
        }
        result.designed = flyer.fly(0, result.inputs, designedTexts);
    }

    const bool isUniform = request.distribution == Distribution::Uniform;
    auto fly = [&](CandidateFlyer& flyer, std::size_t run) {
        std::vector<std::string> texts(spreads.size());
        for (std::size_t a = 0; a < spreads.size(); ++a) {
            if (spreads[a].amount == 0) {
                texts[a] = designedTexts[a];
                continue;
            }
            Xoshiro256 generator = drawGenerator(request.seed, run, spreads[a].input);
            const double draw = isUniform ? uniformDraw(generator) : normalDraw(generator);
            texts[a] = drawnText(spreads[a].input, designed[a], spreads[a].amount, draw);
        }
        return flyer.fly(run, result.inputs, texts);
    };
    std::vector<SweepRow> runs;
    runs.reserve(request.runs);
    if (!runCandidates(request.runs, fly, options,
                       [&runs](SweepRow&& row) { runs.push_back(std::move(row)); }))
        return result;
    result.runs = std::move(runs);
    result.isComplete = true;

    std::vector<double> ranges, heights;
    for (const auto& row : result.runs) {
        if (row.outcome != Outcome::Flown)
            continue;
        ranges.push_back(row.rangeMetres);
        heights.push_back(row.maxHeight);
    }
    result.landed = ranges.size();
    auto spreadOf = [](std::vector<double>& values) -> std::optional<FigureSpread> {
        if (values.empty())
            return std::nullopt;
        double sum = 0;
        for (const double v : values)
            sum += v;
        std::sort(values.begin(), values.end());
        return FigureSpread{quantile(values, 0.05), quantile(values, 0.95),
                            sum / static_cast<double>(values.size())};
    };
    result.range = spreadOf(ranges);
    result.height = spreadOf(heights);
    return result;
}

std::string scatterCsv(const ScatterResult& result) {
    std::string out = "run,";
    for (const int input : result.inputs)
        out += inputNames()[static_cast<std::size_t>(input)] + ",";
    out += "flight_duration,max_height,range,steps,outcome,message\r\n";
    for (const auto& row : result.runs) {
        out += platform::integerText(static_cast<long long>(row.index)) + ",";
        for (const auto& text : row.inputs)
            out += files::csvField(text) + ",";
        const bool hasFlown = row.outcome != Outcome::Refused;
        out += files::csvField(row.duration) + "," + files::csvField(row.height) + "," +
               files::csvField(row.range) + "," + (hasFlown ? platform::integerText(row.steps) : "") + "," +
               outcomeName(row.outcome) + "," + files::csvField(row.message) + "\r\n";
    }
    return out;
}

} // namespace zorbal::explore
