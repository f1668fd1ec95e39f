// SPDX-License-Identifier: MIT
// Physical constants of the model and the pre-launch calculations of the compressed air.
#pragma once

#include "sim/launch_record.h"

namespace zorbal::sim {

inline constexpr double kAtmosphere = 101325;         ///< Pa, standard atmosphere
inline constexpr double kGravity = 9.81;              ///< m/s^2 (the model's rounded value)
inline constexpr double kPi = 3.14159265358979323846; ///< the double nearest pi, as 4 atan(1) gives it
inline constexpr double kGamma = 1.4;                 ///< ratio of specific heats of air
inline constexpr double kGammaMinusOne = 1.4 - 1;     ///< 0.3999999999999999 in double arithmetic
inline constexpr double kOneMinusGamma = 1 - 1.4;     ///< its negation
inline constexpr double kZeroCelsius = 273.15;        ///< K
inline constexpr double kRoomTemperature = 293.15;    ///< K, air temperature at launch
inline constexpr double kAirBlastSpeed = 340;         ///< m/s, speed of the escaping air
inline constexpr double kAirDensity = 1.2;            ///< kg/m^3 at atmospheric pressure
inline constexpr double kStartHeight = 0.25;          ///< m, height of the rocket on the launcher
inline constexpr double kFreeFlightStep = 0.01;       ///< s

/// The adiabatic expansion of the air from the launch volume to the bottle volume.
/// Reads BottleVolume, InitialAirVolume, InitialPressure, NozzleArea, DryMass, WaterMass;
/// writes InitialTemperature, FinalPressure, FinalTemperature, AccessibleEnergy,
/// InitialAccessibleEnergy, GasBlastEnergy, GasBlastFinalTemperature, TimeStep, RocketMass,
/// InitialThrust and InitialAcceleration. Inside the limits table nothing here divides by zero;
/// outside it (a loaded design) results may be non-finite.
void calculateLaunchParameters(LaunchRecord& rocket);

} // namespace zorbal::sim
