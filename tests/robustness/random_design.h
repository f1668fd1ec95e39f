// SPDX-License-Identifier: MIT
// Random rocket designs drawn inside the limits table, and the checks every flown design must
// pass, shared by the soak and the monkey tests.
#pragma once

#include "sim/flight.h"
#include "sim/limits.h"
#include "ui/zorbal.h"

#include <array>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::test {

/// A design as a user would type it: the fourteen box texts and the three options.
struct RandomDesign {
    std::array<std::string, sim::kInputCount> inputs;
    bool isRailOn = false;
    bool isParachuteOn = false;
    bool isTriggerByAngle = true;
    /// One line that reproduces the design with zorbal-cli's design options.
    std::string describe() const;
};

/// Draws designs inside the limits table, reproducibly from a seed. Each input is at its minimum
/// (15 %), at its maximum (15 %), at its default (10 %), or in between (60 %), half of those
/// uniformly and half log-uniformly (for a range that reaches zero or below, the magnitude is
/// log-uniform over six decades below the largest bound and the sign follows the range). Rail,
/// parachute and trigger are each chosen with even odds.
class DesignGenerator {
  public:
    explicit DesignGenerator(std::uint64_t seed) : m_engine(seed) {}
    RandomDesign next();
    /// A uniform number in [0, 1), the same on every standard library.
    double unit();
    /// A uniform integer in [0, n).
    int below(int n);
    std::mt19937_64& engine() { return m_engine; }

  private:
    double drawInput(int index);
    std::mt19937_64 m_engine;
};

/// Puts a design into the window as a user would: options first (their handlers run as clicks),
/// then the box texts.
void applyDesign(ui::Zorbal& window, const RandomDesign& design);

/// The foundation's reproducers of flights that went wrong, plus the worst realistic design and
/// the heavy design that cannot lift: each a named design built on the default one.
struct NamedDesign {
    std::string name;
    RandomDesign design;
};
std::vector<NamedDesign> reproducerDesigns();

/// True when a text shows a non-finite number: a word "nan", "inf" or "infinity" in any case
/// (as printf and stream formatting write them), or, with `includeNotAvailable`, the "n/a" the
/// program writes for a value it could not compute.
bool showsNonFinite(std::string_view text, bool includeNotAvailable = false);

/// Names of the window's computed texts (output boxes, commentary, help panel, the result
/// columns of the history) that show a non-finite number; empty when there is none. The input
/// boxes, and the history columns that repeat them, show what the user typed.
std::vector<std::string> nonFiniteTexts(const ui::Zorbal& window, bool includeNotAvailable = false);

/// What a launch of a design inside the limits must satisfy, checked after cmdLaunch_Click:
/// - bounded: the flight took at most sim::kMaxFlightSteps steps, the record holds every step,
///   and a flight stopped at the bound says so in a message;
/// - finite: every stored sample, the results and the five events are finite numbers; the flight
///   never stopped on a non-finite state;
/// - no energy from the drag: between two consecutive free-flight samples the mechanical energy
///   per kilogram, v^2 / 2 + g y, falls by at least g^2 dt^2 / 2 (see flightProblems);
/// - every box, the commentary and the history show no "nan", "inf" or "n/a".
/// Returns the problems found, each a sentence; empty when the launch is sound.
struct LaunchOutcome {
    bool isFlown = false;   ///< counted and flown
    bool isRefused = false; ///< refused for lack of air
    int steps = 0;
    sim::FlightOutcome outcome = sim::FlightOutcome::Landed;
};
std::vector<std::string> launchAndCheck(ui::Zorbal& window, const std::vector<std::string>& messages,
                                        LaunchOutcome& result);

/// The checks of the stored flight in `slot` alone (bounded, finite, energy); empty when sound.
std::vector<std::string> flightProblems(const sim::TrajectorySlot& slot);

/// The whole number in environment variable `name`, or `fallback` when it is unset, empty,
/// negative or not a number.
long long environmentNumber(const char* name, long long fallback);

} // namespace zorbal::test
