// SPDX-License-Identifier: MIT
// A rocket design in SI units, made from the values of the fourteen design inputs.
#pragma once

#include "sim/limits.h"

#include <array>

namespace zorbal::sim {

/// The design inputs' values in the units their boxes show (litres, per cent, kg/m^3,
/// atmospheres above the air's, millimetres, grammes, degrees, metres, m/s, seconds), and
/// whether the parachute is fitted.
struct DesignInputs {
    std::array<double, kInputCount> values{};
    bool parachuteOn = false;
};

/// A design in SI units (m, m^3, kg, Pa, rad, s); fractions as fractions.
struct Design {
    double BottleVolume = 0;
    double FillingFactor = 0; ///< fraction
    double LiquidDensity = 0;
    double WaterVolume = 0;
    double InitialAirVolume = 0;
    double WaterMass = 0;
    double InitialPressure = 0; ///< absolute
    double NozzleSize = 0;      ///< nozzle diameter in millimetres x 1000000
    double NozzleDiameter = 0;
    double NozzleArea = 0;
    double NozzleEfficiency = 0; ///< fraction
    double NozzleImpedance = 0;  ///< NozzleSize / 100
    double DryMass = 0;
    double DragFactor = 0;
    double LaunchAngle = 0;
    double RailLength = 0;
    bool ParachuteOn = false;
    double ParachuteAngle = 0;
    double ParachuteDelay = 0;
    double ParachuteDiameter = 0;
    double ParachuteOpeningTime = 0;     ///< s the canopy takes to open
    double ParachuteDragCoefficient = 0; ///< N s^2 / m^2 of the open canopy
};

/// The design of `inputs` in SI units. The rail length and the parachute's values are converted
/// whether or not the rail and the parachute are in use.
Design designFromInputs(const DesignInputs& inputs);

} // namespace zorbal::sim
