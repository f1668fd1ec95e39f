// SPDX-License-Identifier: MIT
// The design boxes' values turned into SI units, as the flight takes them.
#include "sim/design.h"
#include "sim/launch_record.h"
#include "sim/physics.h"

#include <gtest/gtest.h>

namespace zorbal::sim {
namespace {

TEST(DesignFromInputs, TheDefaultDesignInSiUnits) {
    DesignInputs inputs{limitsTable().DefaultValue, true};
    const Design d = designFromInputs(inputs);
    EXPECT_DOUBLE_EQ(d.BottleVolume, 0.002); // 2 litres
    EXPECT_DOUBLE_EQ(d.FillingFactor, 0.3);  // 30 %
    EXPECT_DOUBLE_EQ(d.WaterVolume, 0.0006); // of it water
    EXPECT_DOUBLE_EQ(d.InitialAirVolume, 0.0014);
    EXPECT_DOUBLE_EQ(d.WaterMass, 0.6);                   // at 1000 kg/m^3
    EXPECT_DOUBLE_EQ(d.InitialPressure, 4 * kAtmosphere); // 3 atmospheres above the air's
    EXPECT_DOUBLE_EQ(d.NozzleDiameter, 0.022);
    EXPECT_DOUBLE_EQ(d.NozzleArea, 0.011 * 0.011 * kPi);
    EXPECT_DOUBLE_EQ(d.NozzleSize, 22e6);
    EXPECT_DOUBLE_EQ(d.NozzleImpedance, 22e4);
    EXPECT_DOUBLE_EQ(d.NozzleEfficiency, 0.7);
    EXPECT_DOUBLE_EQ(d.DryMass, 0.1);         // 100 grammes
    EXPECT_DOUBLE_EQ(d.LaunchAngle, kPi / 3); // 60 degrees
    EXPECT_TRUE(d.ParachuteOn);
    EXPECT_DOUBLE_EQ(d.ParachuteDelay, 3);
    // A canopy of 0.5 m: a tenth of 4.4145 N s^2/m^4 over its disc.
    EXPECT_DOUBLE_EQ(d.ParachuteDragCoefficient, 0.25 * 0.25 * kPi * 4.4145 * 0.1);
    EXPECT_DOUBLE_EQ(d.ParachuteOpeningTime, 1.0);
}

TEST(DesignFromInputs, TheRecordStartsFullOnTheLauncherWhateverFlewBefore) {
    LaunchRecord record;
    record.WaterRemaining = 0;
    record.AirVolume = 1;
    record.FlightAngle = -1;
    const Design d = designFromInputs(DesignInputs{limitsTable().DefaultValue, false});
    record.setDesign(d);
    EXPECT_EQ(record.WaterRemaining, d.WaterMass);
    EXPECT_EQ(record.AirVolume, d.InitialAirVolume);
    EXPECT_EQ(record.RocketMass, d.DryMass + d.WaterMass);
    EXPECT_EQ(record.FlightAngle, d.LaunchAngle);
    EXPECT_FALSE(record.ParachuteOn);
}

} // namespace
} // namespace zorbal::sim
