// SPDX-License-Identifier: MIT
// The texts of the flight commentary, built from plain values: the design summary written before
// a flight, the phase-by-phase flight report written after it, and the closing verdict.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorbal::commentary {

/// The verdict on a landing distance in metres (each band's bound is a strict "less than").
std::string_view verdict(double landingDistance);

/// The design as launched.
struct DesignValues {
    int launchNumber = 0;
    double dryMass = 0;        ///< kg
    double bottleVolume = 0;   ///< m^3
    double nozzleDiameter = 0; ///< m
    double nozzleArea = 0;     ///< m^2
    double dragFactor = 0;
    double launchMass = 0;     ///< kg, dry mass plus water
    double waterMass = 0;      ///< kg
    double bottlePressure = 0; ///< Pa, absolute, at launch
    bool isRailUsed = false;
    double railLength = 0;  ///< m
    double launchAngle = 0; ///< rad
    double pi = 0;          ///< the window's value of pi
    double windSpeed = 0;   ///< m/s
};

/// The design summary, from "Launch number" to the wind sentence and its line break.
std::string designSummary(const DesignValues& design);

/// A flight event as recorded: time since launch (s), down-range distance (m), height (m),
/// speed (m/s) and flight-path angle to the horizontal (rad).
struct EventValues {
    double time = 0, range = 0, height = 0, speed = 0, angle = 0;
};

/// Kinetic energy of the empty rocket at `speed`, J: v^2 (m / 2).
double kineticEnergy(double speed, double dryMass);
/// Potential energy of the empty rocket at `height`, J: m g h with g = 9.81 m/s^2.
double potentialEnergy(double height, double dryMass);

/// The sentences that stand in for a section whose event did not happen in the flight.
inline constexpr std::string_view kNoBurnout = "The rocket did not run out of water in this flight.";
inline constexpr std::string_view kNoGasBlastEnd = "The rocket did not run out of air in this flight.";
inline constexpr std::string_view kNoApogee =
    "The rocket never rose above its starting height in this flight.";

/// The BURNOUT section. `waterOut` is empty when the water did not run out in this flight.
/// `accessibleEnergy` (J) must be positive.
std::string burnoutSection(const std::optional<EventValues>& waterOut, double dryMass,
                           double accessibleEnergy, double pi);

/// The GAS BLAST OVER section. `airOut` is empty when the air blast did not end in this flight.
/// `totalGasEnergy` (J, the accessible energy plus the gas blast energy) must be positive.
std::string gasBlastSection(const std::optional<EventValues>& airOut, double dryMass, double totalGasEnergy,
                            double pi);

/// The COASTING PHASE section. `apogee` is empty when the rocket never rose above its start.
std::string coastingSection(const std::optional<EventValues>& apogee);

/// The PARACHUTE section, for a flight in which the parachute was released.
std::string parachuteSection(const EventValues& release);

/// The landing sentences; for a flight stopped before it landed, where and how fast the rocket
/// was when it was stopped.
std::string landingSection(const EventValues& landing, bool hasLanded);

/// The closing line with the verdict on `landingDistance`, without a line break after it.
std::string verdictLine(double landingDistance);

/// Everything the flight report reads.
struct FlightValues {
    double dryMass = 0;                                                ///< kg
    double pi = 0;                                                     ///< the window's value of pi
    double initialAccessibleEnergy = 0;                                ///< J
    double gasBlastEnergy = 0;                                         ///< J
    std::optional<EventValues> waterOut, airOut, apogee, parachuteOut; ///< empty: did not happen
    EventValues landing;
    bool hasLanded = true;
};

/// The flight report: the sections above in order, ending with the verdict line.
std::string flightReport(const FlightValues& flight);

} // namespace zorbal::commentary
