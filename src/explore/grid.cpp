// SPDX-License-Identifier: MIT
// The axes of a sweep and the grid of their combinations.
#include "explore/grid.h"

#include "platform/number_text.h"

#include <algorithm>
#include <charconv>
#include <cmath>

namespace zorbal::explore {

const std::array<std::string, sim::kInputCount>& inputNames() {
    static const std::array<std::string, sim::kInputCount> names = {
        "volume",     "filling_factor", "liquid_density", "pressure",           "nozzle_diameter",
        "empty_mass", "drag_factor",    "launch_angle",   "rail_length",        "nozzle_efficiency",
        "wind_speed", "trigger_angle",  "trigger_delay",  "parachute_diameter",
    };
    return names;
}

namespace {

/// Significant digits kept of an axis' largest magnitude when its values are rounded.
constexpr int kAxisDigits = 13;
/// A TO this close to a grid point, in steps, counts as on it.
constexpr double kStepTolerance = 1e-9;

/// 10^n for 0 <= n <= 22, exactly.
double exactPowerOfTen(int n) {
    double p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

std::optional<int> readInputIndex(std::string_view text) {
    int input = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), input);
    if (error != std::errc{} || end != text.data() + text.size() || input < 0 || input >= sim::kInputCount)
        return std::nullopt;
    return input;
}

std::string plainInputCaption(int input) {
    std::string caption = sim::inputCaptions()[static_cast<std::size_t>(input)];
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    return caption;
}

std::string inputUnit(int input) {
    const std::string& unit = sim::inputUnits()[static_cast<std::size_t>(input)];
    return unit == "no units" ? std::string() : unit;
}

std::string unitSuffix(int input) {
    const std::string unit = inputUnit(input);
    return unit.empty() || unit == "%" ? unit : " " + unit;
}

std::string VaryAxis::parse(std::string_view text, VaryAxis& axis) {
    const std::string quoted = "--vary takes I=FROM:TO:STEP, not \"" + std::string(text) + "\"";
    const auto equals = text.find('=');
    if (equals == std::string_view::npos)
        return quoted;
    const auto parsedInput = readInputIndex(text.substr(0, equals));
    if (!parsedInput)
        return quoted + ": I is an input box from 0 to 13";
    const int input = *parsedInput;

    std::array<double, 3> numbers{};
    std::string_view rest = text.substr(equals + 1);
    for (std::size_t n = 0; n < numbers.size(); ++n) {
        const auto colon = rest.find(':');
        if ((n < 2) != (colon != std::string_view::npos))
            return quoted;
        const auto number = platform::readStrict(rest.substr(0, colon));
        if (!number || !std::isfinite(*number))
            return quoted + ": FROM, TO and STEP are plain numbers such as 0.5";
        numbers[n] = *number;
        rest = colon == std::string_view::npos ? std::string_view{} : rest.substr(colon + 1);
    }
    const auto [from, to, step] = numbers;
    if (step == 0)
        return quoted + ": STEP cannot be 0";
    const double steps = (to - from) / step;
    if (!(steps >= -kStepTolerance))
        return quoted + ": STEP must lead from FROM towards TO";
    if (!(steps < static_cast<double>(kMaxCandidates)))
        return quoted + ": more than " + platform::integerText(static_cast<long long>(kMaxCandidates)) +
               " values";

    axis.m_source = std::string(text);
    axis.m_input = input;
    axis.m_from = from;
    axis.m_to = to;
    axis.m_step = step;
    axis.m_count = static_cast<std::size_t>(std::floor(std::max(steps, 0.0) + kStepTolerance)) + 1;
    const double magnitude = std::max({std::fabs(from), std::fabs(to), std::fabs(step)});
    // Values are rounded to whole multiples of 10^-decimals; beyond 10^22 powers of ten are not
    // exact doubles, and such axes are left unrounded.
    axis.m_decimals = kAxisDigits - 1 - static_cast<int>(std::floor(std::log10(magnitude)));
    axis.m_isRounded = std::abs(axis.m_decimals) <= 22;
    axis.m_power = axis.m_isRounded ? exactPowerOfTen(std::abs(axis.m_decimals)) : 1;
    return {};
}

double VaryAxis::value(std::size_t k) const {
    const double exact = m_from + static_cast<double>(k) * m_step;
    if (!m_isRounded)
        return exact;
    // Dividing a whole number by an exact power of ten gives the double nearest to the decimal,
    // the same double the box's text reads back as.
    if (m_decimals >= 0)
        return std::nearbyint(exact * m_power) / m_power;
    return std::nearbyint(exact / m_power) * m_power;
}

std::string VaryAxis::text(std::size_t k) const {
    return platform::generalText(value(k));
}

std::string SweepGrid::make(std::vector<VaryAxis> axes, SweepGrid& grid) {
    if (axes.empty())
        return "Give at least one --vary I=FROM:TO:STEP";
    if (axes.size() > kMaxAxes)
        return "A sweep varies at most three inputs";
    std::size_t size = 1;
    for (std::size_t a = 0; a < axes.size(); ++a) {
        for (std::size_t b = 0; b < a; ++b) {
            if (axes[a].input() == axes[b].input())
                return "Input " + platform::integerText(axes[a].input()) + " is varied twice";
        }
        if (axes[a].count() > kMaxCandidates / size)
            return "A sweep flies at most " + platform::integerText(static_cast<long long>(kMaxCandidates)) +
                   " designs";
        size *= axes[a].count();
    }
    grid.m_axes = std::move(axes);
    grid.m_size = size;
    return {};
}

std::vector<std::size_t> SweepGrid::position(std::size_t index) const {
    std::vector<std::size_t> at(m_axes.size());
    for (std::size_t a = m_axes.size(); a-- > 0;) {
        at[a] = index % m_axes[a].count();
        index /= m_axes[a].count();
    }
    return at;
}

std::vector<std::string> SweepGrid::texts(std::size_t index) const {
    const auto at = position(index);
    std::vector<std::string> result;
    result.reserve(at.size());
    for (std::size_t a = 0; a < at.size(); ++a)
        result.push_back(m_axes[a].text(at[a]));
    return result;
}

} // namespace zorbal::explore
