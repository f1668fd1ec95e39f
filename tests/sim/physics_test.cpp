// SPDX-License-Identifier: MIT
#include "launcher.h"

namespace zorbal::test {
namespace {

TEST(PreLaunch, TheDefaultDesignsValuesInSiUnits) {
    Launcher launcher;
    launcher.prepare({});
    const auto& r = launcher.rocket;
    EXPECT_DOUBLE_EQ(r.InitialPressure, 4 * 101325.0);
    EXPECT_DOUBLE_EQ(r.NozzleDiameter, 0.022);
    EXPECT_DOUBLE_EQ(r.NozzleArea, 0.011 * 0.011 * sim::kPi);
    EXPECT_DOUBLE_EQ(r.NozzleImpedance, 220000);
    EXPECT_NEAR(r.TimeStep, 8.654e-5, 0.001e-5);
    EXPECT_NEAR(r.RocketMass, 0.70, 0.005);
    EXPECT_NEAR(r.AccessibleEnergy, 141.5, 0.05);
    EXPECT_NEAR(r.AccessibleEnergy / r.RocketMass, 202.08, 0.005);
    launcher.prepare({{13, "0.5"}});
    EXPECT_NEAR(launcher.rocket.ParachuteDragCoefficient, 0.0867, 0.0001);
}

TEST(PreLaunch, AHeavierLiquidChangesOnlyMassAndAccelerations) {
    Launcher launcher;
    launcher.prepare({});
    const auto before = launcher.rocket;
    launcher.prepare({{2, "2000"}});
    const auto& after = launcher.rocket;
    EXPECT_EQ(after.FinalPressure, before.FinalPressure);
    EXPECT_EQ(after.AccessibleEnergy, before.AccessibleEnergy);
    EXPECT_EQ(after.FinalTemperature, before.FinalTemperature);
    EXPECT_GT(after.RocketMass, before.RocketMass);
    EXPECT_LT(after.InitialAcceleration, before.InitialAcceleration);
}

} // namespace
} // namespace zorbal::test
