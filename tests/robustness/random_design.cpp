// SPDX-License-Identifier: MIT
// Random designs inside the limits table and the checks of a launched design.
#include "random_design.h"

#include "platform/number_text.h"
#include "sim/physics.h"
#include "support/reference_designs.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace zorbal::test {

namespace {

constexpr double kDecades = 6; // the span of a log-uniform draw whose range reaches zero

std::string designLine(const RandomDesign& d) {
    std::string line = "zorbal-cli fly";
    for (std::size_t i = 0; i < d.inputs.size(); ++i)
        line += " --input " + std::to_string(i) + "='" + d.inputs[i] + "'";
    line += d.isRailOn ? " --rail" : " --no-rail";
    line += d.isParachuteOn ? " --parachute" : " --no-parachute";
    line += d.isTriggerByAngle ? " --trigger angle" : " --trigger time";
    return line;
}

RandomDesign defaultDesign() {
    RandomDesign d;
    const auto& limits = sim::limitsTable();
    for (int i = 0; i < sim::kInputCount; ++i)
        d.inputs[static_cast<std::size_t>(i)] =
            platform::fixedTextNoGrouping(limits.DefaultValue[static_cast<std::size_t>(i)],
                                          limits.DecimalPlaces[static_cast<std::size_t>(i)]);
    return d;
}

} // namespace

std::string RandomDesign::describe() const {
    return designLine(*this);
}

double DesignGenerator::unit() {
    return static_cast<double>(m_engine() >> 11) * 0x1.0p-53;
}

int DesignGenerator::below(int n) {
    return static_cast<int>(unit() * n);
}

double DesignGenerator::drawInput(int index) {
    const auto& limits = sim::limitsTable();
    const auto i = static_cast<std::size_t>(index);
    const double low = limits.MinimumValue[i];
    const double high = limits.MaximumValue[i];
    const double pick = unit();
    if (pick < 0.15)
        return low;
    if (pick < 0.30)
        return high;
    if (pick < 0.40)
        return limits.DefaultValue[i];
    if (pick < 0.70)
        return low + (high - low) * unit();
    if (low > 0)
        return low * std::pow(high / low, unit());
    // The range reaches zero (drag, delay) or spans it (wind, trigger angle): a log-uniform
    // magnitude with the sign the range allows.
    const double largest = std::max(std::fabs(low), std::fabs(high));
    const double magnitude = largest * std::pow(10.0, -kDecades * unit());
    const bool isNegative = low < 0 && (high <= 0 || unit() < 0.5);
    return std::clamp(isNegative ? -magnitude : magnitude, low, high);
}

RandomDesign DesignGenerator::next() {
    RandomDesign d;
    for (int i = 0; i < sim::kInputCount; ++i) {
        // Up to 15 significant digits: the rounding keeps a value inside its decimal limits, and
        // reading the text back gives the limit itself at a bound.
        d.inputs[static_cast<std::size_t>(i)] = platform::generalText(drawInput(i));
    }
    d.isRailOn = unit() < 0.5;
    d.isParachuteOn = unit() < 0.5;
    d.isTriggerByAngle = unit() < 0.5;
    return d;
}

void applyDesign(ui::Zorbal& w, const RandomDesign& d) {
    w.chkOptions[2].setValue(d.isRailOn ? 1 : 0);
    w.chkOptions[3].setValue(d.isParachuteOn ? 1 : 0);
    w.optParachute.select(d.isTriggerByAngle ? 0 : 1);
    for (std::size_t i = 0; i < d.inputs.size(); ++i)
        w.txtInput[i].Text = d.inputs[i];
}

std::vector<NamedDesign> reproducerDesigns() {
    using Inputs = std::vector<std::pair<int, std::string>>;
    Inputs worstRealistic;
    for (const auto& [index, text] : reference::worstRealisticInputs())
        worstRealistic.emplace_back(index, text);
    auto make = [](std::string name, const Inputs& inputs, bool rail = false, bool parachute = false,
                   bool byAngle = true) {
        NamedDesign named{std::move(name), defaultDesign()};
        for (const auto& [index, text] : inputs)
            named.design.inputs[static_cast<std::size_t>(index)] = text;
        named.design.isRailOn = rail;
        named.design.isParachuteOn = parachute;
        named.design.isTriggerByAngle = byAngle;
        return named;
    };
    return {
        make("F1 hang", {{5, "10"}, {6, "1000"}, {7, "10"}}),
        make("F2 drag overshoot", {{5, "10"}, {6, "500"}}),
        make("F3 vertical descent", {{5, "20"}, {7, "90"}}),
        make("F4 parachute at once on a vertical launch", {{7, "90"}, {12, "0"}}, false, true, false),
        make(
            "F5 sliding back down the rail",
            {{0, "2"}, {1, "1.83"}, {3, "5.443"}, {4, "30"}, {5, "10"}, {6, "1000"}, {7, "10"}, {8, "1.753"}},
            true),
        make("F6 negative mass", {{0, "0.25"},
                                  {1, "2.16"},
                                  {2, "10000"},
                                  {3, "0.1"},
                                  {4, "30"},
                                  {5, "10"},
                                  {9, "100"},
                                  {7, "90"}}),
        make("F7 more air out than was in, 7.6 mm", {{1, "1"}, {4, "7.6"}}),
        make("F7 more air out than was in, 7.4 mm", {{1, "1"}, {4, "7.4"}}),
        make("F8 endless flight",
             {{0, "20"},
              {1, "1"},
              {2, "75"},
              {3, "7"},
              {4, "30"},
              {5, "10"},
              {6, "0"},
              {9, "100"},
              {7, "90"},
              {11, "0"},
              {13, "1"}},
             false, true, true),
        make("worst realistic design", worstRealistic, false, true, true),
        make("1 mm nozzle under a full 20-litre bottle at 7 atmospheres",
             {{0, "20"}, {1, "75"}, {3, "7"}, {4, "1"}}),
    };
}

bool showsNonFinite(std::string_view text, bool includeNotAvailable) {
    auto isLetter = [](char c) { return std::isalpha(static_cast<unsigned char>(c)) != 0; };
    std::size_t i = 0;
    while (i < text.size()) {
        if (!isLetter(text[i])) {
            if (includeNotAvailable && text.substr(i, 3) == "n/a")
                return true;
            ++i;
            continue;
        }
        std::size_t end = i;
        std::string word;
        while (end < text.size() && isLetter(text[end]))
            word += static_cast<char>(std::tolower(static_cast<unsigned char>(text[end++])));
        if (word == "nan" || word == "inf" || word == "infinity")
            return true;
        if (includeNotAvailable && word == "n" && text.substr(i, 3) == "n/a")
            return true;
        i = end;
    }
    return false;
}

std::vector<std::string> nonFiniteTexts(const ui::Zorbal& w, bool includeNotAvailable) {
    std::vector<std::string> found;
    auto check = [&](const std::string& name, const std::string& text) {
        if (showsNonFinite(text, includeNotAvailable))
            found.push_back(name + " shows \"" + text.substr(0, 200) + "\"");
    };
    for (std::size_t i = 0; i < w.txtOutput.size(); ++i)
        check("txtOutput(" + std::to_string(i) + ")", w.txtOutput[i].Text);
    check("txtCommentary", w.txtCommentary.Text);
    check("txtHelp", w.txtHelp.Text);
    // The history's design columns repeat the boxes as typed; its result columns are computed.
    const auto& grid = w.MSFlexGrid1;
    for (int row = 0; row < grid.Rows(); ++row)
        for (int col = std::max(grid.Cols() - 3, 0); col < grid.Cols(); ++col)
            check("MSFlexGrid1(" + std::to_string(row) + "," + std::to_string(col) + ")",
                  grid.TextMatrix(row, col));
    return found;
}

std::vector<std::string> flightProblems(const sim::TrajectorySlot& slot) {
    std::vector<std::string> problems;
    if (slot.count() > sim::kMaxFlightSteps)
        problems.push_back("the record holds " + std::to_string(slot.count()) +
                           " steps, more than the bound");
    auto energy = [](const sim::TrajectorySample& s) {
        return 0.5 * (s.vx * s.vx + s.vy * s.vy) + sim::kGravity * s.y;
    };
    auto scale = [](const sim::TrajectorySample& s) {
        const double speed = std::sqrt(s.vx * s.vx + s.vy * s.vy);
        return 0.5 * speed * speed + sim::kGravity * std::fabs(s.y) + speed + 1;
    };
    auto isFree = [](std::uint8_t phase) { return (phase & 3) == sim::PhaseFree; };
    // One free-flight step with the new velocity moving the position (semi-implicit Euler):
    //   v' = v - c u - g dt y^,  y' = y + dt v'_y,
    // where u is the flight direction and c, of the sign of the motion along u (s = v.u) and at
    // most |s|, is the velocity the drag takes away. Then
    //   E' - E = -g^2 dt^2 / 2 - c (s - c / 2) <= -g^2 dt^2 / 2,
    // whatever the drag, the parachute or its opening ramp, and the wind drift moves only x.
    // The parachute's zeroing of accelerations below 1e-9 m/s^2 changes E by less than
    // 1e-9 |v| dt, inside the tolerance.
    constexpr double dt = sim::kFreeFlightStep;
    constexpr double gravityLoss = 0.5 * sim::kGravity * sim::kGravity * dt * dt;
    int reported = 0;
    for (int n = 1; n <= slot.count(); ++n) {
        const auto& s = slot.sample(n);
        if (!std::isfinite(s.time) || !std::isfinite(s.x) || !std::isfinite(s.y) || !std::isfinite(s.vx) ||
            !std::isfinite(s.vy)) {
            problems.push_back("sample " + std::to_string(n) + " is not finite");
            break;
        }
        if (n < 2 || !isFree(slot.phase(n - 1)) || !isFree(slot.phase(n)))
            continue;
        const auto& before = slot.sample(n - 1);
        const double change = energy(s) - energy(before);
        const double tolerance = 1e-9 * (scale(s) + scale(before));
        if (change > -gravityLoss + tolerance && reported++ < 3)
            problems.push_back("free-flight step " + std::to_string(n) +
                               " changes the energy per kilogram by " + platform::generalText(change) +
                               " J/kg (at most " + platform::generalText(-gravityLoss) + " allowed)");
    }
    return problems;
}

std::vector<std::string> launchAndCheck(ui::Zorbal& w, const std::vector<std::string>& messages,
                                        LaunchOutcome& result) {
    std::vector<std::string> problems;
    const std::size_t messagesBefore = messages.size();
    const int countBefore = w.LaunchCount;
    w.cmdLaunch_Click();
    const std::vector<std::string> shown(messages.begin() + static_cast<std::ptrdiff_t>(messagesBefore),
                                         messages.end());
    result = LaunchOutcome{};

    if (w.cmdLaunch.Caption != "Launch!" || !w.cmdLaunch.Enabled || w.cmdLaunch.BackColor != platform::kRed)
        problems.push_back("the launch button is not ready after the launch");
    for (const auto& text : nonFiniteTexts(w, true))
        problems.push_back(text);

    if (w.LaunchCount == countBefore) {
        result.isRefused = true;
        // Inside the limits only the lack of air may refuse a design.
        if (shown.size() != 1 || shown[0].rfind("Sorry! The launch has been cancelled", 0) != 0)
            problems.push_back("the design was refused without the not-enough-air message");
        if (!(w.Rocket.FinalPressure < sim::kAtmosphere))
            problems.push_back("the design was refused although its final pressure is " +
                               platform::generalText(w.Rocket.FinalPressure) + " Pa");
        return problems;
    }
    if (w.LaunchCount != countBefore + 1)
        problems.push_back("the launch count went from " + std::to_string(countBefore) + " to " +
                           std::to_string(w.LaunchCount));
    result.isFlown = true;
    result.steps = w.LastFlight.steps;
    result.outcome = w.LastFlight.outcome;

    const auto& slot = w.TrajectoryData.slot(w.LaunchCount % 10);
    if (w.LastFlight.steps > sim::kMaxFlightSteps || slot.count() != w.LastFlight.steps)
        problems.push_back("the flight took " + std::to_string(w.LastFlight.steps) + " steps and stored " +
                           std::to_string(slot.count()));
    switch (w.LastFlight.outcome) {
    case sim::FlightOutcome::Landed:
        if (slot.count() == 0 || !(slot.sample(slot.count()).y < 0))
            problems.push_back("the flight ended above the ground without saying why");
        if (!shown.empty())
            problems.push_back("a landed flight showed the message \"" + shown.front() + "\"");
        break;
    case sim::FlightOutcome::StepLimitReached:
        if (w.LastFlight.steps != sim::kMaxFlightSteps || shown.size() != 1 ||
            shown[0].find("stopped after 1,000,000 steps") == std::string::npos)
            problems.push_back("a flight stopped at the step bound without its message");
        break;
    case sim::FlightOutcome::NonFiniteState:
        problems.push_back("the flight stopped on a non-finite state after " +
                           std::to_string(w.LastFlight.steps) + " steps");
        break;
    }
    const auto& r = w.Rocket;
    for (double value : {r.MaxHeight, r.Range, r.MaxSpeed, w.LastFlight.flightTime})
        if (!std::isfinite(value))
            problems.push_back("a result of the flight is not finite");
    for (int k = 1; k <= 5; ++k) {
        const auto e = static_cast<std::size_t>(k);
        if (!std::isfinite(r.EventTime[e]) || !std::isfinite(r.EventRange[e]) ||
            !std::isfinite(r.EventHeight[e]) || !std::isfinite(r.EventSpeed[e]) ||
            !std::isfinite(r.EventAngle[e]))
            problems.push_back("event " + std::to_string(k) + " is not finite");
    }
    for (auto& problem : flightProblems(slot))
        problems.push_back(std::move(problem));
    return problems;
}

long long environmentNumber(const char* name, long long fallback) {
    const char* text = std::getenv(name);
    if (text == nullptr || *text == '\0')
        return fallback;
    char* end = nullptr;
    const long long value = std::strtoll(text, &end, 10);
    return end != text && value >= 0 ? value : fallback;
}

} // namespace zorbal::test
