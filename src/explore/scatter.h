// SPDX-License-Identifier: MIT
// Where a design lands when its inputs are uncertain: many launches of the design, each with the
// uncertain inputs drawn at random about their designed values (seeded, the same on every build),
// and the spread of their ranges and heights.
#pragma once

#include "explore/sweep.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::explore {

/// The uncertainty of one input box, in the box's units.
struct Spread {
    int input = 0;
    double amount = 0; ///< the standard deviation (normal draws) or the half-width (uniform)
};

/// How the uncertain inputs are drawn.
enum class Distribution {
    Normal,  ///< about normal, mean the designed value, standard deviation the spread (never
             ///< beyond six)
    Uniform, ///< evenly from the designed value less the spread to the designed value plus it
};

/// The uncertainties when none are given: pressure 0.2 atmospheres, filling factor 2 %, launch
/// angle 2 degrees, wind speed 1 metre per second.
std::vector<Spread> defaultSpreads();

/// Reads "I=AMOUNT" (I an input index 0..13, AMOUNT a plain number not below 0). Returns an
/// empty text, or the reason it was refused.
std::string parseSpread(std::string_view text, Spread& spread);

/// The most runs one scatter flies (every run's row is kept).
inline constexpr std::size_t kMaxScatterRuns = 100'000;

struct ScatterRequest {
    std::vector<Spread> spreads; ///< at most one per input; a spread of 0 leaves the box as designed
    std::size_t runs = 1000;
    std::uint64_t seed = 1;
    Distribution distribution = Distribution::Normal;
};

/// Why `request` cannot be flown (no runs, too many, an input given twice, a negative or
/// non-finite spread), or an empty text.
std::string scatterRequestRefusal(const ScatterRequest& request);

/// The 5 %, 95 % points and the mean of one figure over the runs that landed.
struct FigureSpread {
    double low = 0;  ///< 5 % of the runs landed below this
    double high = 0; ///< 5 % of the runs landed above this
    double mean = 0;
};

/// The value at fraction `p` (0 to 1) of sorted `values`, linear between neighbours (position
/// p (n - 1) counted from 0). Precondition: values sorted and not empty.
double quantile(const std::vector<double>& values, double p);

struct ScatterResult {
    /// Why nothing was flown: the request refused, or a spread box whose designed text is not a
    /// number. Empty otherwise.
    std::string refusal;
    /// False when the scatter was cancelled: then `runs` is empty.
    bool isComplete = false;
    std::vector<int> inputs;    ///< the spread inputs in increasing order: the columns of `runs`
    SweepRow designed;          ///< the design as it is, flown once (index 0, inputs as designed)
    std::vector<SweepRow> runs; ///< run k at index k; inputs: the texts typed, in `inputs` order
    std::size_t landed = 0;     ///< runs that flew and landed
    /// Over the runs that landed; empty when none did.
    std::optional<FigureSpread> range, height;
};

/// Flies `request.runs` launches of the design `options.setDesign` types (each as the first launch
/// of a freshly started program, on options.threads threads), run k with each spread input's
/// value drawn from the generator of (seed, k, input): the designed value plus the spread times
/// the draw, taken at the input's limit beyond it, rounded to two more decimals than the limits
/// table gives the input, and typed as general text. A cancelled scatter returns no runs.
ScatterResult scatter(const ScatterRequest& request, const SweepOptions& options);

/// The runs as CSV (RFC 4180, CR LF): a heading row (run, the spread inputs' names,
/// flight_duration, max_height, range, steps, outcome, message), then one row per run.
std::string scatterCsv(const ScatterResult& result);

} // namespace zorbal::explore
