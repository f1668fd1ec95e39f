// SPDX-License-Identifier: MIT
// Fitting one input to a measured launch: the value of an uncertain input (the drag factor, the
// nozzle efficiency, any box) for which the design's flight best reproduces what was measured,
// and the values for which every measured figure is within its stated uncertainty.
#pragma once

#include "explore/sweep.h"
#include "explore/sweep_chart.h"

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::explore {

/// One measured figure of a launch: its value and its uncertainty (both in the figure's units:
/// seconds or metres).
struct Measurement {
    Figure figure = Figure::Height;
    double value = 0;
    double uncertainty = 0; ///< greater than 0
};

/// The uncertainty of a measurement given without one, as a percentage of its value.
inline constexpr double kDefaultTolerancePercent = 5;

/// Reads "FIGURE=VALUE" or "FIGURE=VALUE±U" ("+-" for "±"): FIGURE height, duration or range,
/// VALUE and U plain numbers, U greater than 0; without U the uncertainty is `tolerancePercent`
/// of VALUE's magnitude. Returns an empty text, or the reason it was refused.
std::string parseMeasurement(std::string_view text, double tolerancePercent, Measurement& measurement);

struct FitRequest {
    int input = 6; ///< the input box fitted (the drag factor unless chosen)
    std::vector<Measurement> measurements;
};

/// Why `request` cannot be fitted (no measurement, an input outside 0..13, an uncertainty that
/// is not greater than 0), or an empty text.
std::string fitRequestRefusal(const FitRequest& request);

/// Values of the input from `low` to `high` for which every measurement is within its
/// uncertainty.
struct FitInterval {
    double low = 0, high = 0;
    std::string lowText, highText; ///< rounded to fitDecimals
};

/// The decimals of a fitted value: one more than the limits table gives the input.
int fitDecimals(int input);

struct FitResult {
    /// Why nothing was flown (the request refused); empty otherwise.
    std::string refusal;
    /// False when the fit was cancelled; then nothing below holds.
    bool isComplete = false;
    int input = 6;
    double minimum = 0, maximum = 0; ///< the input's limits, which the fit searches
    /// False when no value in the limits flew and landed: then nothing below holds.
    bool hasLanded = false;
    double value = 0; ///< the fitted value: least squares, each figure weighted by its uncertainty
    std::string text; ///< the value rounded to fitDecimals, as typed into the design
    SweepRow row;     ///< the flight with `text` typed into the box
    /// The predicted figure of each measurement (from `row`), in the request's order.
    std::vector<double> predicted;
    /// True when every measurement is within its uncertainty at the fitted value.
    bool reaches = false;
    /// The runs of values within every uncertainty, in increasing order; `fitted` indexes the one
    /// holding the fitted value (empty when it does not reach).
    std::vector<FitInterval> intervals;
    std::optional<std::size_t> fitted;
    int flights = 0; ///< flights the fit took
};

/// The design's figure `figure` as flown in `row`, in seconds or metres.
double figureOf(const SweepRow& row, Figure figure);

/// Fits box `request.input` of the design `options.setDesign` types to the measurements: every
/// value is flown as the first launch of a freshly started program. A scan of the input's limits
/// (on options.threads threads), golden-section refinement about the best value of the scan, then
/// the edges of the runs of values within every uncertainty found by bisection. Progress goes to
/// options.onProgress (flights done, flights expected); options.cancel stops it between flights.
FitResult fitMeasured(const FitRequest& request, const SweepOptions& options);

/// The fit's outcome in a few lines for a person: the fitted value and its interval, or that no
/// value reaches the measurements and how far the nearest falls short.
std::vector<std::string> fitSummary(const FitRequest& request, const FitResult& result);

} // namespace zorbal::explore
