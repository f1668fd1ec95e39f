// SPDX-License-Identifier: MIT
// Flight integration: the rocket flown step by step through the water phase, the air blast, free
// flight and an optional parachute descent, and the trajectory record that keeps every step.
#pragma once

#include "sim/launch_record.h"

#include <array>
#include <cstdint>
#include <vector>

namespace zorbal::sim {

/// +1 for x >= 0, otherwise -1 (so Sign(0) = +1).
inline double Sign(double x) {
    return x >= 0 ? 1.0 : -1.0;
}

/// The propulsion phase of a stored sample, as the trajectory graph colours it.
enum SamplePhase : std::uint8_t {
    PhaseWater = 0,    ///< water is being expelled
    PhaseAirBlast = 1, ///< the remaining air is blowing out
    PhaseFree = 2,     ///< free flight
    PhaseParachute = 4 ///< bit: the parachute has been released
};

/// One stored step: the state at the end of the step.
struct TrajectorySample {
    double time, x, y, vx, vy;
};

/// One launch's samples; sample n (1-based, as the record numbers them) is samples[n - 1].
struct TrajectorySlot {
    std::vector<TrajectorySample> samples;
    std::vector<std::uint8_t> phases;
    int count() const { return static_cast<int>(samples.size()); }
    const TrajectorySample& sample(int n) const { return samples[static_cast<std::size_t>(n - 1)]; }
    std::uint8_t phase(int n) const { return phases[static_cast<std::size_t>(n - 1)]; }
};

/// The trajectory record: eleven slots (slot = LaunchCount mod 10; slot 10 is never used), each
/// stored on its own so one long flight costs memory once.
class TrajectoryRecord {
  public:
    static constexpr int kSlots = 11;
    TrajectorySlot& slot(int s) { return m_slots.at(static_cast<std::size_t>(s)); }
    const TrajectorySlot& slot(int s) const { return m_slots.at(static_cast<std::size_t>(s)); }
    /// The record read as TrajectoryData(slot, column, sample): column 0..4 is time, x, y, vx, vy;
    /// (slot, 0, 0) is the slot's sample count. Outside the stored samples it gives 0.
    double operator()(int slot, int column, int sample) const;

  private:
    std::array<TrajectorySlot, kSlots> m_slots;
};

/// A flight that has not landed after this many steps is stopped. Realistic designs need up to
/// about 180,000 steps.
inline constexpr int kMaxFlightSteps = 1'000'000;

/// What a flight keeps in its trajectory slot: every sample, as the graphs and exports need, or
/// only the latest one, for a caller that needs the results alone (a sweep), so the memory a flight
/// takes does not grow with its length.
enum class Recording { EverySample, LatestSampleOnly };

/// What the flight reads from outside the launch record.
struct FlightSettings {
    bool triggerByAngle = true; ///< the parachute's trigger option: angle (true) or delay
    double windSpeed = 0;       ///< m/s, positive down-range
    int maxSteps = kMaxFlightSteps;
    int reserveSamples = 5000; ///< the record's first allocation
    Recording recording = Recording::EverySample;
};

enum class FlightOutcome {
    Landed,           ///< the rocket is below the ground
    StepLimitReached, ///< stopped after FlightSettings::maxSteps without landing
    NonFiniteState,   ///< stopped because the state stopped being a finite number
};

struct FlightResult {
    FlightOutcome outcome = FlightOutcome::Landed;
    double flightTime = 0; ///< s
    int steps = 0;
};

/// Resets the flight state of the record for a new flight (position on the launcher, pressure,
/// speeds, phase flags). MaxSpeed and the event arrays are kept; EventHappened is cleared.
void startFlight(LaunchRecord& rocket);

/// Flies the rocket from the state set by startFlight until it is below the ground (or a limit
/// stops it), storing every step in `slot`. Records events 1 to 5, MaxHeight and Range.
///
/// Explicit first-order steps: forces from the state at the start of the step, then velocity,
/// then position with the new velocity:  m dv/dt = T - D - m g,  dx/dt = v + wind sin^2(angle).
/// Mends of the plain model: the drag never more than stops the motion along the flight path and
/// always opposes it; the flight direction follows the velocity in every quadrant; the mass used
/// for the motion never falls below the dry mass; the air blast never expels more air than the
/// bottle held above atmospheric pressure.
FlightResult integrateFlight(LaunchRecord& rocket, const FlightSettings& settings, TrajectorySlot& slot);

} // namespace zorbal::sim
