// SPDX-License-Identifier: MIT
// The launch record: one launch's design values in SI units, its pre-launch values, the flight
// state and the flight's results and events.
#pragma once

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

/// All fields in SI units (m, kg, s, Pa, K, rad) unless stated.
struct LaunchRecord {
    double BottleVolume = 0;
    double InitialTemperature = 0;
    double WaterVolume = 0;
    double WaterMass = 0;
    double InitialAirVolume = 0;
    double WaterRemaining = 0;
    double AirVolume = 0;
    double InitialPressure = 0; ///< absolute
    double FinalPressure = 0;   ///< absolute, when the last water has left
    double FinalTemperature = 0;
    double FillingFactor = 0; ///< fraction
    double BottlePressure = 0;
    double LiquidDensity = 0;
    double NozzleSize = 0; ///< nozzle diameter in millimetres x 1000000
    double DryMass = 0;
    double RocketMass = 0;
    double DragFactor = 0;
    double LaunchAngle = 0;
    double FlightAngle = 0;
    double TimeStep = 0;
    double StepVolume = 0, StepMass = 0, StepMomentum = 0;
    double ExhaustVelocity = 0;
    double Thrust = 0;
    double ForceX = 0, ForceY = 0;
    double Speed = 0, VelocityX = 0, VelocityY = 0;
    double MaxSpeed = 0; ///< highest speed of any flight since start-up
    double AccelerationX = 0, AccelerationY = 0;
    double PositionX = 0, PositionY = 0;
    double StepX = 0, StepY = 0;
    double MaxHeight = 0, Range = 0;
    bool WaterExpelled = false;
    double InitialAccessibleEnergy = 0;
    double AccessibleEnergy = 0;
    bool LaunchRailUsed = false;
    double RailLength = 0;
    double DragForce = 0;
    double GasBlastEnergy = 0;
    double StepVelocityX = 0, StepVelocityY = 0;
    bool GasBlast = false;
    double NozzleImpedance = 0; ///< NozzleSize / 100
    double AirDensity = 0;
    std::array<double, 11> EventTime{}, EventRange{}, EventHeight{}, EventSpeed{}, EventAngle{};
    /// Which events happened in the latest flight (the event arrays keep older flights' values).
    std::array<bool, 11> EventHappened{};
    double GasBlastFinalTemperature = 0;
    double NozzleDiameter = 0;
    double NozzleArea = 0;
    double NozzleEfficiency = 0; ///< fraction
    bool ParachuteOn = false;
    double ParachuteAngle = 0;
    double ParachuteDelay = 0;
    double ParachuteDragCoefficient = 0; ///< N s^2 / m^2 of the open canopy
    double ParachuteDiameter = 0;
    bool ParachuteDeployed = false;
    double ParachuteOpeningTime = 0;
    double ParachuteOpenFor = 0;
    double InitialThrust = 0, InitialAcceleration = 0;
    /// Air expelled by the blast so far in this flight, kg.
    double AirExpelled = 0;

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
