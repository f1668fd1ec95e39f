// SPDX-License-Identifier: MIT
// Pre-launch calculations: what the compressed air can do.
#include "sim/physics.h"

#include <cmath>

namespace zorbal::sim {

void calculateLaunchParameters(LaunchRecord& r) {
    // Adiabatic expansion, p V^gamma constant, T V^(gamma-1) constant.
    const double ratio = r.InitialAirVolume / r.BottleVolume;
    r.InitialTemperature = kRoomTemperature;
    r.FinalPressure = std::pow(ratio, kGamma) * r.InitialPressure;
    r.FinalTemperature = std::pow(ratio, kGammaMinusOne) * r.InitialTemperature;
    // Work above atmospheric pressure: integral of (p - p_atm) dV from V0 to Vbottle.
    r.AccessibleEnergy =
        std::pow(r.InitialAirVolume, kGamma) * (r.InitialPressure - kAtmosphere) / kOneMinusGamma;
    r.AccessibleEnergy = r.AccessibleEnergy * (std::pow(r.BottleVolume, kOneMinusGamma) -
                                               std::pow(r.InitialAirVolume, kOneMinusGamma));
    r.InitialAccessibleEnergy = r.AccessibleEnergy;
    // Energy of the air left in the bottle, expanding to atmospheric pressure.
    r.GasBlastEnergy = r.FinalPressure * r.BottleVolume / kGammaMinusOne;
    r.GasBlastEnergy = r.GasBlastEnergy * (1 - 1 / std::pow(r.FinalPressure / kAtmosphere, kGammaMinusOne));
    r.GasBlastFinalTemperature =
        std::pow(r.FinalPressure / kAtmosphere, kOneMinusGamma / kGamma) * r.FinalTemperature;
    r.TimeStep = 0.01 / ((r.InitialPressure - kAtmosphere) * r.NozzleArea);
    r.RocketMass = r.WaterMass + r.DryMass;
    r.InitialThrust = r.NozzleArea * r.InitialPressure;
    r.InitialAcceleration = r.InitialThrust / r.RocketMass;
}

} // namespace zorbal::sim
