// SPDX-License-Identifier: MIT
// The flights that once went wrong, launched through the window under the soak's checks.
#include "random_design.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorbal::test {
namespace {

TEST(Reproducers, EveryKnownFaultyDesignFliesSoundlyThroughTheWindow) {
    for (const auto& [name, design] : reproducerDesigns()) {
        SCOPED_TRACE(name + ": " + design.describe());
        StartedWindow started;
        applyDesign(started.window, design);
        LaunchOutcome outcome;
        for (const auto& problem : launchAndCheck(started.window, started.messages(), outcome))
            ADD_FAILURE() << problem;
        EXPECT_TRUE(outcome.isFlown);
        if (name.rfind("F8", 0) == 0) {
            // Kept aloft by its parachute: stopped at the bound, with a message.
            EXPECT_EQ(outcome.outcome, sim::FlightOutcome::StepLimitReached);
        } else {
            // Every other one lands within what realistic designs need.
            EXPECT_EQ(outcome.outcome, sim::FlightOutcome::Landed);
            EXPECT_LE(outcome.steps, 200000);
        }
    }
}

// The soak's own checks must catch what they look for, or a green soak proves nothing.
TEST(SoakChecks, CatchEnergyFromTheDragNonFiniteSamplesAndNonFiniteTexts) {
    sim::TrajectorySlot slot;
    auto add = [&](double t, double y, double vy) {
        slot.samples.push_back({t, 0, y, 10, vy});
        slot.phases.push_back(sim::PhaseFree);
    };
    // A sound free-flight step: gravity alone, semi-implicit Euler.
    add(1.00, 10, 0);
    add(1.01, 10 - 0.01 * 0.0981, -0.0981);
    EXPECT_TRUE(flightProblems(slot).empty());
    // A "drag" that pushes 1 mm/s along the motion gains energy.
    add(1.02, slot.samples.back().y - 0.01 * 0.1972, -0.1972);
    EXPECT_EQ(flightProblems(slot).size(), 1u);
    slot.samples.back().vy = std::nan("");
    EXPECT_EQ(flightProblems(slot).size(), 1u);

    EXPECT_TRUE(showsNonFinite("-nan"));
    EXPECT_TRUE(showsNonFinite("Height: INF m"));
    EXPECT_TRUE(showsNonFinite("-Infinity"));
    EXPECT_TRUE(showsNonFinite("1.#INF"));
    EXPECT_FALSE(showsNonFinite("information about the influence of a nanny"));
    EXPECT_FALSE(showsNonFinite("n/a"));
    EXPECT_TRUE(showsNonFinite("range n/a", true));
}

} // namespace
} // namespace zorbal::test
