// SPDX-License-Identifier: MIT
// The launch record: one launch's design in SI units, its pre-launch values, the flight state
// and the flights' results and events.
#pragma once

#include "sim/design.h"

#include <array>

namespace zorbal::sim {

/// Flight events, by their index in the event arrays.
enum FlightEvent : int {
    WaterOut = 1,     ///< the last water has left the bottle
    AirOut = 2,       ///< the air blast has ended
    Apogee = 3,       ///< the highest point so far
    Landing = 4,      ///< the rocket is below the ground
    ParachuteOut = 5, ///< the parachute is released
};

/// What the pre-launch calculation finds from the design: the compressed air's expansion.
struct PreLaunch {
    double InitialTemperature = 0;
    double FinalPressure = 0; ///< absolute, when the last water has left
    double FinalTemperature = 0;
    double InitialAccessibleEnergy = 0;
    double GasBlastEnergy = 0;
    double GasBlastFinalTemperature = 0;
    double TimeStep = 0;
    double InitialThrust = 0, InitialAcceleration = 0;
};

/// The state of the rocket as it flies, step by step.
struct FlightState {
    double WaterRemaining = 0;
    double AirVolume = 0;
    double BottlePressure = 0;
    double RocketMass = 0;
    double FlightAngle = 0;
    double StepVolume = 0, StepMass = 0, StepMomentum = 0;
    double ExhaustVelocity = 0;
    double Thrust = 0;
    double ForceX = 0, ForceY = 0;
    double Speed = 0, VelocityX = 0, VelocityY = 0;
    double AccelerationX = 0, AccelerationY = 0;
    double PositionX = 0, PositionY = 0;
    double StepX = 0, StepY = 0;
    bool WaterExpelled = false;
    double AccessibleEnergy = 0;
    bool LaunchRailUsed = false;
    double DragForce = 0;
    double StepVelocityX = 0, StepVelocityY = 0;
    bool GasBlast = false;
    double AirDensity = 0;
    bool ParachuteDeployed = false;
    double ParachuteOpenFor = 0;
    /// Air expelled by the blast so far in this flight, kg.
    double AirExpelled = 0;
};

/// What flights found: the highest speed since start-up, the latest flight's height and range,
/// and its events.
struct FlightResults {
    double MaxSpeed = 0; ///< highest speed of any flight since start-up
    double MaxHeight = 0, Range = 0;
    std::array<double, 11> EventTime{}, EventRange{}, EventHeight{}, EventSpeed{}, EventAngle{};
    /// Which events happened in the latest flight (the event arrays keep older flights' values).
    std::array<bool, 11> EventHappened{};
};

/// One launch: its design, its pre-launch values, the flight state and the results. All fields
/// in SI units (m, kg, s, Pa, K, rad) unless stated.
struct LaunchRecord : Design, PreLaunch, FlightState, FlightResults {
    /// Takes `design` and sets the flight state to the rocket on the launcher, full.
    void setDesign(const Design& design) {
        static_cast<Design&>(*this) = design;
        AirVolume = InitialAirVolume;
        WaterRemaining = WaterMass;
        RocketMass = DryMass + WaterMass;
        FlightAngle = LaunchAngle;
    }

    /// Writes FlightTime and the current position, speed and angle as event `k`.
    void recordEvent(int k, double flightTime) {
        EventTime[k] = flightTime;
        EventRange[k] = PositionX;
        EventHeight[k] = PositionY;
        EventSpeed[k] = Speed;
        EventAngle[k] = FlightAngle;
        EventHappened[k] = true;
    }
};

} // namespace zorbal::sim
