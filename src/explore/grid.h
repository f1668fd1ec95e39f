// SPDX-License-Identifier: MIT
// The axes of a sweep (an input box varied from FROM to TO by STEP) and the grid of candidates.
#pragma once

#include "sim/limits.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::explore {

/// The most inputs a sweep varies at once.
inline constexpr std::size_t kMaxAxes = 3;
/// The most candidates one sweep flies.
inline constexpr std::size_t kMaxCandidates = 10'000'000;

/// An input box's index written as a whole number from 0 to 13 and nothing else, or nothing.
std::optional<int> readInputIndex(std::string_view text);

/// An input box's caption from the limits table without its trailing blanks: "Filling Factor".
std::string plainInputCaption(int input);
/// An input box's unit from the limits table; empty for an input without units.
std::string inputUnit(int input);
/// What follows a value of an input in a sentence: " litres", "%", nothing without units.
std::string unitSuffix(int input);

/// Short names of the fourteen input boxes, used as column names and JSON keys.
const std::array<std::string, sim::kInputCount>& inputNames();

/// One varied input box: FROM, FROM + STEP, FROM + 2 STEP, ... up to TO.
class VaryAxis {
  public:
    /// Reads "I=FROM:TO:STEP" (I an input index 0..13; FROM, TO and STEP plain numbers, STEP not
    /// 0 and pointing from FROM towards TO). Returns an empty text, or the reason it was refused.
    static std::string parse(std::string_view text, VaryAxis& axis);

    int input() const { return m_input; }
    /// The text the axis was read from, "I=FROM:TO:STEP" as given: parsing it again gives the
    /// same axis (how a job sends an axis to the page's worker).
    const std::string& source() const { return m_source; }
    /// Number of values, TO included when it lies on the grid (within a billionth of a step).
    std::size_t count() const { return m_count; }
    /// Value k, FROM + k STEP, computed from k (never accumulated) and rounded to 13 significant
    /// digits of the axis' largest magnitude so that it is the double of a short decimal.
    double value(std::size_t k) const;
    /// Value k as typed into the box: the general text (up to 15 significant digits, no trailing
    /// zeros, "." as decimal point), so 0.1 + 2 x 0.1 is typed "0.3".
    std::string text(std::size_t k) const;

  private:
    std::string m_source;
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

} // namespace zorbal::explore
