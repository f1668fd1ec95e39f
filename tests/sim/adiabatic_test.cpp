// SPDX-License-Identifier: MIT
// The pre-launch physics from a launch record alone.
#include "sim/physics.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorbal::sim {
namespace {

TEST(AdiabaticExpansion, KeepsPressureTimesVolumeToTheGammaConstant) {
    LaunchRecord r;
    r.BottleVolume = 0.002;
    r.InitialAirVolume = 0.0013;
    r.InitialPressure = 5 * kAtmosphere;
    r.NozzleArea = 1e-4;
    r.WaterMass = 0.7;
    r.DryMass = 0.1;
    calculateLaunchParameters(r);
    EXPECT_NEAR(r.FinalPressure * std::pow(r.BottleVolume, 1.4),
                r.InitialPressure * std::pow(r.InitialAirVolume, 1.4), 1e-9);
    EXPECT_GT(r.AccessibleEnergy, 0);
    EXPECT_DOUBLE_EQ(r.InitialAccessibleEnergy, r.AccessibleEnergy);
}

} // namespace
} // namespace zorbal::sim
