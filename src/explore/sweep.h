// SPDX-License-Identifier: MIT
// Design exploration: a grid of candidate designs over up to three input boxes, each flown as the
// first launch of a freshly started program would fly it, on as many threads as there are cores.
#pragma once

#include "platform/headless.h"
#include "sim/flight.h"
#include "sim/launch_record.h"
#include "ui/zorbal.h"

#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::explore {

/// The most inputs a sweep varies at once.
inline constexpr std::size_t kMaxAxes = 3;
/// The most candidates one sweep flies.
inline constexpr std::size_t kMaxCandidates = 10'000'000;

/// Short names of the fourteen input boxes, used as column names and JSON keys.
const std::array<std::string, sim::kInputCount>& inputNames();

/// One varied input box: FROM, FROM + STEP, FROM + 2 STEP, ... up to TO.
class VaryAxis {
  public:
    /// Reads "I=FROM:TO:STEP" (I an input index 0..13; FROM, TO and STEP plain numbers, STEP not
    /// 0 and pointing from FROM towards TO). Returns an empty text, or the reason it was refused.
    static std::string parse(std::string_view text, VaryAxis& axis);

    int input() const { return m_input; }
    /// Number of values, TO included when it lies on the grid (within a billionth of a step).
    std::size_t count() const { return m_count; }
    /// Value k, FROM + k STEP, computed from k (never accumulated) and rounded to 13 significant
    /// digits of the axis' largest magnitude so that it is the double of a short decimal.
    double value(std::size_t k) const;
    /// Value k as typed into the box: the general text (up to 15 significant digits, no trailing
    /// zeros, "." as decimal point), so 0.1 + 2 x 0.1 is typed "0.3".
    std::string text(std::size_t k) const;

  private:
    int m_input = 0;
    double m_from = 0, m_to = 0, m_step = 1;
    std::size_t m_count = 0;
    int m_decimals = 0;       ///< values are whole multiples of 10^-m_decimals
    bool m_isRounded = false; ///< false when 10^|m_decimals| is not an exact double
    double m_power = 1;       ///< 10^|m_decimals|
};

/// The candidates: every combination of the axes' values in nested order (the first axis
/// changes slowest), numbered from 0.
class SweepGrid {
  public:
    SweepGrid() = default;
    /// Builds the grid. Returns an empty text, or the reason it was refused (no axis, more than
    /// three, an input varied twice, more than kMaxCandidates candidates).
    static std::string make(std::vector<VaryAxis> axes, SweepGrid& grid);

    const std::vector<VaryAxis>& axes() const { return m_axes; }
    std::size_t size() const { return m_size; }
    /// The value index on each axis of candidate `index`.
    std::vector<std::size_t> position(std::size_t index) const;
    /// The texts typed into the varied boxes for candidate `index`, in axis order.
    std::vector<std::string> texts(std::size_t index) const;

  private:
    std::vector<VaryAxis> m_axes;
    std::size_t m_size = 0;
};

/// How a candidate's launch ended.
enum class Outcome {
    Flown,     ///< the rocket flew and landed
    Refused,   ///< the window refused the launch (limits, efficiency text, too little air)
    StepLimit, ///< the flight was stopped because it had not landed after the step limit
    NonFinite, ///< the flight was stopped because its numbers stopped being finite
};

/// The word for an outcome in the sweep's output: flown, refused, step_limit, non_finite.
const char* outcomeName(Outcome outcome);

/// One candidate's row.
struct SweepRow {
    std::size_t index = 0;           ///< grid index
    std::vector<std::string> inputs; ///< the texts typed into the varied boxes, in axis order
    Outcome outcome = Outcome::Refused;
    std::string message; ///< the window's refusal or stop message; empty after a landing
    /// The result texts as the window shows them (txtOutput 4, 6, 9); empty when refused.
    std::string duration, height, range;
    int steps = 0;          ///< steps of the flight; 0 when refused
    double flightTime = 0;  ///< s
    double maxHeight = 0;   ///< m
    double rangeMetres = 0; ///< m
};

/// Prepares a started window with the design common to all candidates (texts typed into the
/// boxes, options ticked), as a user would before typing the candidate's values.
using DesignSetter = std::function<void(ui::Zorbal&)>;

/// A started window on headless services that flies one candidate after another, each as the
/// first launch after start-up: the whole window (controls and module state) goes back to its
/// state after start-up and the common design before each candidate. Not thread-safe; one per
/// thread.
class CandidateFlyer {
  public:
    CandidateFlyer(const SweepGrid& grid, const DesignSetter& setDesign);
    CandidateFlyer(const CandidateFlyer&) = delete;
    CandidateFlyer& operator=(const CandidateFlyer&) = delete;

    /// Types candidate `index`'s texts into the boxes and presses "Launch!" without drawing,
    /// history or commentary: the launch's checks (refusal message taken from the message box),
    /// then the flight and the three result texts exactly as the window makes them.
    SweepRow fly(std::size_t index);

    /// Puts the window back to its state after start-up and the common design, then types
    /// candidate `index`'s texts into the varied boxes.
    void typeCandidate(std::size_t index);

  private:
    const SweepGrid& m_grid;
    platform::HeadlessPlatform m_platform;
    ui::Zorbal m_window;
    /// The window's controls and module state after start-up and the common design.
    ui::FormControls m_startControls;
    ui::ModuleState m_startState;
};

struct SweepOptions {
    int threads = 0;        ///< worker threads; 0 or less: one per core
    DesignSetter setDesign; ///< the design common to all candidates (may be empty)
    /// Called on the calling thread as rows come out: candidates done so far, and in all.
    std::function<void(std::size_t done, std::size_t total)> onProgress;
};

/// The number of worker threads `requested` gives: one per core when 0 or less, never more than
/// the candidates.
int workerCount(int requested, std::size_t candidates);

/// Flies every candidate of `grid` and hands each row to `onRow` on the calling thread, in grid
/// order whatever the number of threads. Candidates are flown in blocks, so memory stays bounded
/// however large the grid.
void runSweep(const SweepGrid& grid, const SweepOptions& options,
              const std::function<void(SweepRow&&)>& onRow);

/// runSweep collected into a vector indexed by grid index.
std::vector<SweepRow> sweepRows(const SweepGrid& grid, const SweepOptions& options);

/// A field of a CSV record (RFC 4180): quoted, with quotes doubled, when it holds a comma, a
/// quote, CR or LF; as it is otherwise.
std::string csvField(std::string_view text);

} // namespace zorbal::explore
