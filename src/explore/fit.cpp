// SPDX-License-Identifier: MIT
// Fitting one input of a design to a measured launch.
#include "explore/fit.h"

#include "platform/number_text.h"
#include "sim/limits.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace zorbal::explore {

namespace {

/// Values the scan of the limits flies, both limits included.
constexpr std::size_t kScanPoints = 101;
/// Flights the refinement and the edges are expected to take, for the progress.
constexpr std::size_t kRefineFlights = 80;
/// The refinement and the edges stop when they know the value to this many decimals beyond
/// fitDecimals.
constexpr int kSearchExtraDecimals = 2;

constexpr double kInfinity = std::numeric_limits<double>::infinity();

double powerOfTen(int n) {
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

double roundedToDecimals(double value, int decimals) {
    const double power = powerOfTen(decimals);
    return std::nearbyint(value * power) / power;
}

const char* figureWords(Figure figure) {
    switch (figure) {
    case Figure::Range:
        return "range";
    case Figure::Height:
        return "maximum height";
    case Figure::Duration:
        return "flight duration";
    }
    return "range";
}

const char* figureUnit(Figure figure) {
    return figure == Figure::Duration ? "seconds" : "metres";
}

/// How well a flight reproduces the measurements.
struct Score {
    double squares = kInfinity; ///< the sum of squared misses, each in units of its uncertainty
    bool isWithin = false;      ///< every miss within its uncertainty
};

Score scoreOf(const SweepRow& row, const std::vector<Measurement>& measurements) {
    Score score;
    if (row.outcome != Outcome::Flown)
        return score;
    score.squares = 0;
    score.isWithin = true;
    for (const auto& m : measurements) {
        const double miss = (figureOf(row, m.figure) - m.value) / m.uncertainty;
        score.squares += miss * miss;
        score.isWithin = score.isWithin && std::fabs(miss) <= 1;
    }
    return score;
}

} // namespace

std::string parseMeasurement(std::string_view text, double tolerancePercent, Measurement& measurement) {
    const std::string quoted =
        "--measured takes FIGURE=VALUE or FIGURE=VALUE\u00b1U, not \"" + std::string(text) + "\"";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return quoted;
    const auto figure = figureNamed(text.substr(0, equals));
    if (!figure)
        return quoted + ": FIGURE is height, duration or range";
    std::string_view rest = text.substr(equals + 1);
    std::string_view uncertaintyText;
    for (const std::string_view sign : {std::string_view("\u00b1"), std::string_view("+-")}) {
        if (const auto at = rest.find(sign); at != std::string_view::npos) {
            uncertaintyText = rest.substr(at + sign.size());
            rest = rest.substr(0, at);
            if (uncertaintyText.empty())
                return quoted + ": U is a plain number greater than 0";
            break;
        }
    }
    const auto value = platform::readStrict(rest);
    if (!value || !std::isfinite(*value))
        return quoted + ": VALUE is a plain number such as 38.5";
    double uncertainty = std::fabs(*value) * tolerancePercent / 100;
    if (!uncertaintyText.empty()) {
        const auto given = platform::readStrict(uncertaintyText);
        if (!given || !std::isfinite(*given) || *given <= 0)
            return quoted + ": U is a plain number greater than 0";
        uncertainty = *given;
    }
    if (!(uncertainty > 0) || !std::isfinite(uncertainty))
        return quoted + ": a VALUE of 0 needs its uncertainty, as in " + std::string(text.substr(0, equals)) +
               "=0\u00b10.5";
    measurement = {*figure, *value, uncertainty};
    return {};
}

std::string fitRequestRefusal(const FitRequest& request) {
    if (request.input < 0 || request.input >= sim::kInputCount)
        return "Input " + platform::integerText(request.input) + " is not an input box from 0 to 13";
    if (request.measurements.empty())
        return "Give at least one --measured FIGURE=VALUE";
    for (const auto& m : request.measurements) {
        if (!std::isfinite(m.value) || !(m.uncertainty > 0) || !std::isfinite(m.uncertainty))
            return "Each measured figure needs a value and an uncertainty greater than 0";
    }
    return {};
}

int fitDecimals(int input) {
    return sim::limitsTable().DecimalPlaces[static_cast<std::size_t>(input)] + 1;
}

double figureOf(const SweepRow& row, Figure figure) {
    switch (figure) {
    case Figure::Range:
        return row.rangeMetres;
    case Figure::Height:
        return row.maxHeight;
    case Figure::Duration:
        return row.flightTime;
    }
    return row.rangeMetres;
}

FitResult fitMeasured(const FitRequest& request, const SweepOptions& options) {
    FitResult result;
    result.refusal = fitRequestRefusal(request);
    if (!result.refusal.empty())
        return result;
    const int input = request.input;
    const auto& limits = sim::limitsTable();
    result.input = input;
    result.minimum = limits.MinimumValue[static_cast<std::size_t>(input)];
    result.maximum = limits.MaximumValue[static_cast<std::size_t>(input)];
    const double low = result.minimum, high = result.maximum;
    const int decimals = fitDecimals(input);
    const double tolerance = 1 / powerOfTen(decimals + kSearchExtraDecimals);
    const std::vector<int> inputs = {input};
    const std::size_t expected = kScanPoints + kRefineFlights;
    auto isCancelled = [&options] { return options.cancel != nullptr && options.cancel->load(); };

    // The scan: evenly over the limits, flown on all threads.
    std::vector<double> scanValues(kScanPoints);
    for (std::size_t k = 0; k < kScanPoints; ++k)
        scanValues[k] = low + (high - low) * static_cast<double>(k) / static_cast<double>(kScanPoints - 1);
    scanValues.back() = high;
    std::vector<Score> scanScores;
    scanScores.reserve(kScanPoints);
    SweepOptions scanOptions = options;
    scanOptions.onProgress = [&options](std::size_t done, std::size_t) {
        if (options.onProgress)
            options.onProgress(done, expected);
    };
    const bool isScanned = runCandidates(
        kScanPoints,
        [&](CandidateFlyer& flyer, std::size_t k) {
            return flyer.fly(k, inputs, {platform::generalText(scanValues[k])});
        },
        scanOptions, [&](SweepRow&& row) { scanScores.push_back(scoreOf(row, request.measurements)); });
    if (!isScanned)
        return result;
    result.flights = static_cast<int>(kScanPoints);

    const auto bestScan = static_cast<std::size_t>(
        std::min_element(scanScores.begin(), scanScores.end(),
                         [](const Score& a, const Score& b) { return a.squares < b.squares; }) -
        scanScores.begin());
    if (!std::isfinite(scanScores[bestScan].squares)) {
        result.isComplete = true;
        return result;
    }

    // The rest flies one value after another on this thread.
    CandidateFlyer flyer(options.setDesign);
    bool isStopped = false;
    auto flyAt = [&](double value) {
        if (isCancelled()) {
            isStopped = true;
            return Score{};
        }
        ++result.flights;
        if (options.onProgress)
            options.onProgress(std::min<std::size_t>(static_cast<std::size_t>(result.flights), expected - 1),
                               expected);
        return scoreOf(flyer.fly(0, inputs, {platform::generalText(value)}), request.measurements);
    };

    // Golden-section refinement between the best value's neighbours in the scan. Flights are not
    // smooth at the finest scale, so the best value flown anywhere is kept.
    double bestValue = scanValues[bestScan];
    double bestSquares = scanScores[bestScan].squares;
    {
        const double invPhi = (std::sqrt(5.0) - 1) / 2;
        double a = scanValues[bestScan > 0 ? bestScan - 1 : 0];
        double b = scanValues[std::min(bestScan + 1, kScanPoints - 1)];
        double c = b - invPhi * (b - a), d = a + invPhi * (b - a);
        double fc = flyAt(c).squares, fd = flyAt(d).squares;
        while (!isStopped && b - a > tolerance) {
            if (fc < bestSquares) {
                bestSquares = fc;
                bestValue = c;
            }
            if (fd < bestSquares) {
                bestSquares = fd;
                bestValue = d;
            }
            if (fc <= fd) {
                b = d;
                d = c;
                fd = fc;
                c = b - invPhi * (b - a);
                fc = flyAt(c).squares;
            } else {
                a = c;
                c = d;
                fc = fd;
                d = a + invPhi * (b - a);
                fd = flyAt(d).squares;
            }
        }
    }
    if (isStopped)
        return result;

    result.hasLanded = true;
    result.value = bestValue;
    result.text = platform::fixedTextNoGrouping(roundedToDecimals(bestValue, decimals), decimals);
    result.row = flyer.fly(0, inputs, {result.text});
    ++result.flights;
    for (const auto& m : request.measurements)
        result.predicted.push_back(figureOf(result.row, m.figure));
    result.reaches = scoreOf(result.row, request.measurements).isWithin;

    // The edge between a value within every uncertainty and one outside, to the tolerance.
    auto edge = [&](double inside, double outside) {
        while (!isStopped && std::fabs(outside - inside) > tolerance) {
            const double middle = (inside + outside) / 2;
            (flyAt(middle).isWithin ? inside : outside) = middle;
        }
        return inside;
    };
    auto intervalOf = [&](double from, double to) {
        return FitInterval{from, to,
                           platform::fixedTextNoGrouping(roundedToDecimals(from, decimals), decimals),
                           platform::fixedTextNoGrouping(roundedToDecimals(to, decimals), decimals)};
    };

    // The runs of values within every uncertainty among the scan's values and the fitted value
    // (which may lie between two scan values), each widened to its edges.
    struct Sample {
        double value;
        bool isWithin;
        bool isFitted;
    };
    std::vector<Sample> samples;
    samples.reserve(kScanPoints + 1);
    for (std::size_t k = 0; k < kScanPoints; ++k)
        samples.push_back({scanValues[k], scanScores[k].isWithin, false});
    const double fitted = roundedToDecimals(bestValue, decimals);
    const auto at = std::lower_bound(samples.begin(), samples.end(), fitted,
                                     [](const Sample& sample, double v) { return sample.value < v; });
    samples.insert(at, {fitted, result.reaches, true});
    for (std::size_t first = 0; first < samples.size() && !isStopped;) {
        if (!samples[first].isWithin) {
            ++first;
            continue;
        }
        std::size_t last = first;
        bool holdsFit = samples[first].isFitted;
        while (last + 1 < samples.size() && samples[last + 1].isWithin) {
            ++last;
            holdsFit = holdsFit || samples[last].isFitted;
        }
        const double lowEdge = first > 0 ? edge(samples[first].value, samples[first - 1].value) : low;
        const double highEdge =
            last + 1 < samples.size() ? edge(samples[last].value, samples[last + 1].value) : high;
        if (holdsFit)
            result.fitted = result.intervals.size();
        result.intervals.push_back(intervalOf(lowEdge, highEdge));
        first = last + 1;
    }
    if (isStopped)
        return result;
    if (options.onProgress)
        options.onProgress(expected, expected);
    result.isComplete = true;
    return result;
}

std::vector<std::string> fitSummary(const FitRequest& request, const FitResult& result) {
    const int input = result.input;
    const std::string caption = plainInputCaption(input);
    const std::string unit = unitSuffix(input);
    const std::string limits =
        platform::generalText(result.minimum) + " to " + platform::generalText(result.maximum) + unit;
    if (!result.hasLanded)
        return {"No " + caption + " from " + limits + " gives a flight that lands."};

    std::vector<std::string> lines;
    lines.push_back(caption + ": " + result.text + unit);
    if (result.reaches) {
        if (result.fitted) {
            const auto& interval = result.intervals[*result.fitted];
            lines.push_back("Every measured figure is within its uncertainty for " + caption + " from " +
                            interval.lowText + " to " + interval.highText + unit + ".");
        }
        for (std::size_t i = 0; i < result.intervals.size(); ++i) {
            if (result.fitted && i == *result.fitted)
                continue;
            lines.push_back("So it is for " + result.intervals[i].lowText + " to " +
                            result.intervals[i].highText + unit + " too.");
        }
        return lines;
    }
    lines.push_back("No " + caption + " from " + limits +
                    " brings every measured figure within its uncertainty; the nearest is " + result.text +
                    unit + ".");
    for (std::size_t i = 0; i < request.measurements.size() && i < result.predicted.size(); ++i) {
        const auto& m = request.measurements[i];
        const double miss = result.predicted[i] - m.value;
        if (std::fabs(miss) <= m.uncertainty)
            continue;
        const std::string units = figureUnit(m.figure);
        lines.push_back(std::string("Its ") + figureWords(m.figure) + " of " +
                        platform::fixedText(result.predicted[i], 2) + " " + units + " is " +
                        platform::fixedText(std::fabs(miss), 2) + " " + units +
                        (miss < 0 ? " short of" : " over") + " the measured " +
                        platform::generalText(m.value) + " " + units + " (" +
                        platform::fixedText(std::fabs(miss) - m.uncertainty, 2) + " " + units +
                        " beyond its uncertainty).");
    }
    for (const auto& interval : result.intervals)
        lines.push_back("Every measured figure is within its uncertainty for " + caption + " from " +
                        interval.lowText + " to " + interval.highText + unit + ", where the fit is worse.");
    return lines;
}

} // namespace zorbal::explore
