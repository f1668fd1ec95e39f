// SPDX-License-Identifier: MIT
#include "sim/physics.h"
#include "support/window_fixture.h"

#include <cmath>

namespace zorbal::test {
namespace {

using PreLaunch = WindowTest;

TEST_F(PreLaunch, TheDefaultDesignShowsItsElevenValues) {
    const char* expected[14] = {"4.0",  "2.4",    "141.5", "367.3", "",      "-75.9", "",
                                "0.70", "202.08", "",      "-19.0", "154.1", "210.3", "21.4"};
    for (int i = 0; i < 14; ++i)
        EXPECT_EQ(window.txtOutput[i].Text, expected[i]) << "txtOutput(" << i << ")";
    EXPECT_NEAR(window.Rocket.TimeStep, 8.654e-5, 0.001e-5);
}

TEST_F(PreLaunch, ReadsTheBoxesIntoSiUnits) {
    const auto& r = window.Rocket;
    EXPECT_DOUBLE_EQ(r.InitialPressure, 4 * 101325.0);
    EXPECT_DOUBLE_EQ(r.NozzleDiameter, 0.022);
    EXPECT_DOUBLE_EQ(r.NozzleArea, 0.011 * 0.011 * window.Pi);
    EXPECT_DOUBLE_EQ(r.NozzleImpedance, 220000);
    type(13, "0.5");
    window.AssignParameters();
    EXPECT_NEAR(window.Rocket.ParachuteDragCoefficient, 0.0867, 0.0001);
}

TEST_F(PreLaunch, AHeavierLiquidChangesOnlyMassAndAccelerations) {
    const auto before = window.Rocket;
    type(2, "2000");
    window.AssignParameters();
    window.CalculateLaunchParameters();
    const auto& after = window.Rocket;
    EXPECT_EQ(after.FinalPressure, before.FinalPressure);
    EXPECT_EQ(after.AccessibleEnergy, before.AccessibleEnergy);
    EXPECT_EQ(after.FinalTemperature, before.FinalTemperature);
    EXPECT_GT(after.RocketMass, before.RocketMass);
    EXPECT_LT(after.InitialAcceleration, before.InitialAcceleration);
}

} // namespace
} // namespace zorbal::test
