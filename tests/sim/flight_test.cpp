// SPDX-License-Identifier: MIT
#include "launcher.h"
#include "support/reference_inputs.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

namespace zorbal::test {
namespace {

constexpr double kDisplayed = 0.005; // half a unit of the two shown decimals

class Flight : public ::testing::Test {
  protected:
    Launcher launcher;
    const sim::LaunchRecord& rocket = launcher.rocket;
    Flown fly(const Inputs& typed = {}) { return launcher.fly(typed); }
};

// Kinetic plus potential energy per kilogram.
double energy(const sim::TrajectorySample& s) {
    return 0.5 * (s.vx * s.vx + s.vy * s.vy) + 9.81 * s.y;
}

TEST_F(Flight, TheDefaultDesignFliesThreePhasesToItsKnownFigures) {
    const auto f = fly();
    const auto& r = rocket;
    EXPECT_EQ(f.steps, 1561);
    EXPECT_NEAR(f.time, 4.30, kDisplayed);
    EXPECT_NEAR(f.height, 22.60, kDisplayed);
    EXPECT_NEAR(f.range, 51.61, kDisplayed);
    EXPECT_EQ(f.outcome, sim::FlightOutcome::Landed);
    EXPECT_NEAR(r.MaxSpeed, 38.41, kDisplayed);
    EXPECT_NEAR(r.EventTime[sim::WaterOut], 0.093, 0.0005);
    EXPECT_NEAR(r.EventTime[sim::AirOut] - r.EventTime[sim::WaterOut], 0.006, 0.0005);
    EXPECT_NEAR(r.EventSpeed[sim::AirOut], r.MaxSpeed, 0.05); // fastest at the end of the blast
    EXPECT_TRUE(r.EventHappened[sim::Landing]);
    EXPECT_FALSE(r.EventHappened[sim::ParachuteOut]);
    // Phases in order, and free flight in steps of 0.01 s.
    const auto& slot = launcher.slot;
    EXPECT_EQ(slot.count(), f.steps);
    int previous = sim::PhaseWater;
    for (int n = 1; n <= slot.count(); ++n) {
        EXPECT_GE(slot.phase(n), previous);
        previous = slot.phase(n);
    }
    EXPECT_NEAR(slot.sample(slot.count()).time - slot.sample(slot.count() - 1).time, 0.01, 1e-12);
    EXPECT_LT(slot.sample(slot.count()).y, 0);
}

TEST_F(Flight, AVerticalLaunchStaysOverTheLauncher) {
    const auto f = fly({{7, "90"}});
    EXPECT_NEAR(f.height, 35.76, kDisplayed);
    EXPECT_LT(std::fabs(f.range), 1e-4);
}

TEST_F(Flight, TheRailMattersAtLowThrust) {
    const auto tipping = fly({{4, "10"}});
    EXPECT_EQ(tipping.steps, 609);
    EXPECT_NEAR(tipping.time, 0.26, kDisplayed);
    EXPECT_NEAR(tipping.range, 1.6, 0.05);
    EXPECT_FALSE(rocket.EventHappened[sim::WaterOut]);
    launcher.rail = true;
    const auto railed = fly({{4, "10"}});
    EXPECT_NEAR(railed.time, 4.49, kDisplayed);
    EXPECT_NEAR(railed.height, 22.0, 0.05);
    EXPECT_NEAR(railed.range, 55.5, 0.05);
}

TEST_F(Flight, WindCarriesTheRocketDownwind) {
    const auto calm = fly();
    const auto windy = fly({{10, "5"}});
    EXPECT_GT(windy.range, calm.range + 1);
    const auto headwind = fly({{10, "-10"}, {7, "90"}});
    EXPECT_LT(headwind.range, 0);
}

TEST_F(Flight, AParachuteOnADelayOfZeroOpensInTheFirstStep) {
    launcher.parachute = true;
    launcher.triggerByAngle = false;
    fly({{12, "0"}});
    EXPECT_TRUE(rocket.EventHappened[sim::ParachuteOut]);
    EXPECT_EQ(rocket.EventTime[sim::ParachuteOut], launcher.slot.sample(1).time);
}

TEST_F(Flight, AParachuteOnAnAngleOfZeroOpensJustAfterTheHighestPoint) {
    launcher.parachute = true;
    fly({{11, "0"}});
    const auto& r = rocket;
    ASSERT_TRUE(r.EventHappened[sim::ParachuteOut]);
    EXPECT_NEAR(r.EventTime[sim::ParachuteOut], r.EventTime[sim::Apogee], 0.021);
    EXPECT_GT(r.EventTime[sim::ParachuteOut], r.EventTime[sim::Apogee]);
}

TEST_F(Flight, AParachuteLongerThanTheFlightNeverOpensAndEventsOfEarlierFlightsAreNotReported) {
    fly();
    launcher.parachute = true;
    launcher.triggerByAngle = false;
    fly({{12, "20"}, {4, "10"}});
    EXPECT_FALSE(rocket.EventHappened[sim::ParachuteOut]);
    EXPECT_FALSE(rocket.EventHappened[sim::WaterOut]);
    EXPECT_GT(rocket.EventTime[sim::WaterOut], 0); // kept from the first flight
}

TEST_F(Flight, ARocketThatCannotLiftFallsBackDuringTheWaterPhase) {
    const auto f = fly({{0, "20"}, {1, "75"}, {4, "1"}, {3, "7"}});
    EXPECT_LT(f.time, 0.5);
    EXPECT_FALSE(rocket.EventHappened[sim::WaterOut]);
    EXPECT_NEAR(f.height, 0.25, 1e-12);
}

TEST_F(Flight, TheTopSpeedIsKeptAcrossLaunchesAndLongFlightsKeepEveryStep) {
    fly();
    const double fast = rocket.MaxSpeed;
    launcher.parachute = true;
    fly({{4, "10"}, {13, "1"}, {11, "0"}, {0, "0.5"}}); // a slower flight
    EXPECT_EQ(rocket.MaxSpeed, fast);
    const auto longFlight = fly(reference::designTexts(reference::worstRealisticInputs()));
    EXPECT_GT(longFlight.steps, 100000);
    EXPECT_EQ(launcher.slot.count(), longFlight.steps);
    EXPECT_EQ(longFlight.outcome, sim::FlightOutcome::Landed);
}

// The plain model goes wrong on these designs; each mend keeps the figures above unchanged.
TEST_F(Flight, DragThatWouldReverseTheMotionOnlyStopsIt) {
    const auto hang = fly({{5, "10"}, {6, "1000"}, {7, "10"}});
    EXPECT_EQ(hang.outcome, sim::FlightOutcome::Landed);
    EXPECT_LT(hang.landingSpeed, 2);
    const auto overshoot = fly({{5, "10"}, {6, "500"}, {7, "60"}});
    EXPECT_GT(overshoot.range, 0);
    EXPECT_LT(overshoot.landingSpeed, 2);
    EXPECT_LT(rocket.MaxSpeed, 60);
}

TEST_F(Flight, AVerticalDescentIsSlowedByTheDragNotSpeededUp) {
    const auto f = fly({{5, "20"}, {7, "90"}});
    EXPECT_NEAR(f.landingSpeed, 9.9, 0.1);
}

TEST_F(Flight, AParachuteReleasedAtOnceOnAVerticalLaunchBrakesTheFall) {
    launcher.parachute = true;
    launcher.triggerByAngle = false;
    const auto f = fly({{7, "90"}, {12, "0"}});
    EXPECT_NEAR(f.time, 6.0, 0.05);
    EXPECT_NEAR(f.landingSpeed, 3.4, 0.1);
}

TEST_F(Flight, ARocketSlidingBackDownTheRailIsBrakedByTheDrag) {
    launcher.rail = true;
    const auto f = fly(
        {{0, "2"}, {1, "1.83"}, {3, "5.443"}, {4, "30"}, {5, "10"}, {6, "1000"}, {7, "10"}, {8, "1.753"}});
    EXPECT_NEAR(f.range, 0.4, 0.1);
    EXPECT_NEAR(f.landingSpeed, 2.5, 0.2);
}

TEST_F(Flight, TheMovingMassNeverFallsBelowTheEmptyRocket) {
    const auto f = fly(
        {{0, "0.25"}, {1, "2.16"}, {2, "10000"}, {3, "0.1"}, {4, "30"}, {5, "10"}, {9, "100"}, {7, "90"}});
    EXPECT_LT(f.landingSpeed, 10);
    EXPECT_GE(rocket.RocketMass, rocket.DryMass);
}

TEST_F(Flight, TheAirBlastNeverExpelsMoreAirThanTheBottleHeld) {
    const auto wide = fly({{1, "1"}, {4, "7.6"}});
    const double held = rocket.AirVolume * 1.2 * (rocket.FinalPressure - 101325) / 101325;
    EXPECT_LE(rocket.AirExpelled, held * 1.01);
    const auto narrow = fly({{1, "1"}, {4, "7.4"}});
    EXPECT_LT(wide.range, 5);
    EXPECT_NEAR(wide.range, narrow.range, 0.5);
}

TEST_F(Flight, AFlightThatNeverLandsIsStoppedAtTheStepBoundWithFiniteResults) {
    launcher.parachute = true;
    const auto f = fly(reference::designTexts(reference::stepBoundInputs()));
    EXPECT_EQ(f.outcome, sim::FlightOutcome::StepLimitReached);
    EXPECT_EQ(f.steps, sim::kMaxFlightSteps);
    EXPECT_TRUE(std::isfinite(f.height));
    EXPECT_EQ(launcher.slot.count(), sim::kMaxFlightSteps);
}

TEST(FlightRecording, KeepingOnlyTheLatestSampleFliesTheSameFlightInOneSample) {
    struct Case {
        const char* name;
        Inputs inputs;
        bool parachute;
    };
    const std::vector<Case> cases = {
        {"default", {}, false},
        {"parachute on angle", {{7, "70"}, {11, "30"}}, true},
        {"stopped at the step bound", reference::designTexts(reference::stepBoundInputs()), true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        launcher.parachute = c.parachute;
        launcher.prepare(c.inputs);

        sim::FlightSettings settings = launcher.settings;
        sim::LaunchRecord whole = launcher.rocket, latest = launcher.rocket;
        sim::TrajectorySlot wholeSlot, latestSlot;
        sim::startFlight(whole);
        const auto wholeFlight = sim::integrateFlight(whole, settings, wholeSlot);
        settings.recording = sim::Recording::LatestSampleOnly;
        sim::startFlight(latest);
        const auto latestFlight = sim::integrateFlight(latest, settings, latestSlot);

        ASSERT_EQ(latestSlot.count(), 1);
        EXPECT_LE(latestSlot.samples.capacity(), 1u);
        const auto& a = wholeSlot.samples.back();
        const auto& b = latestSlot.samples.back();
        EXPECT_EQ(std::vector<double>({a.time, a.x, a.y, a.vx, a.vy}),
                  std::vector<double>({b.time, b.x, b.y, b.vx, b.vy}));
        EXPECT_EQ(wholeSlot.phases.back(), latestSlot.phases.back());
        EXPECT_EQ(latestFlight.steps, wholeFlight.steps);
        EXPECT_EQ(latestFlight.flightTime, wholeFlight.flightTime);
        EXPECT_EQ(latestFlight.outcome, wholeFlight.outcome);
        EXPECT_EQ(latest.MaxHeight, whole.MaxHeight);
        EXPECT_EQ(latest.Range, whole.Range);
        EXPECT_EQ(latest.MaxSpeed, whole.MaxSpeed);
        EXPECT_EQ(latest.EventTime, whole.EventTime);
        EXPECT_EQ(latest.EventSpeed, whole.EventSpeed);
        EXPECT_EQ(latest.EventHappened, whole.EventHappened);
    }
}

TEST(FreeFlight, DragNeverAddsMechanicalEnergy) {
    sim::LaunchRecord r;
    r.BottleVolume = 0.002;
    r.DryMass = 0.01;
    r.RocketMass = 0.01;
    r.DragFactor = 1000;
    r.InitialPressure = 101325;
    r.WaterExpelled = true; // no propulsion at all: a thrown dart
    sim::startFlight(r);
    r.WaterExpelled = true;
    r.VelocityX = 30;
    r.VelocityY = 30;
    r.Speed = std::hypot(30.0, 30.0);
    r.FlightAngle = std::atan(1.0);
    r.TimeStep = 0.01;
    sim::TrajectorySlot slot;
    sim::integrateFlight(r, {}, slot);
    double previous = 0.5 * r.Speed * r.Speed + 9.81 * 0.25;
    for (int n = 1; n <= slot.count(); ++n) {
        const double e = energy(slot.sample(n));
        EXPECT_LE(e, previous + 1e-9) << "sample " << n;
        previous = e;
    }
}

// The explicit step takes the new velocity for the position, so a drag-free rocket falls behind
// the parabola y0 + vy0 t - g t^2 / 2 by g h t / 2 (first order in the step h), and no more;
// horizontally it keeps its speed.
TEST(FreeFlight, WithoutDragFollowsTheParabolaWithinTheErrorOfTheExplicitStep) {
    constexpr double vx0 = 12, vy0 = 15, y0 = 0.25, g = 9.81, h = 0.01;
    sim::LaunchRecord r;
    r.DryMass = 0.1;
    r.RocketMass = 0.1;
    r.WaterExpelled = true; // a thrown dart: no water, no air
    sim::startFlight(r);
    r.WaterExpelled = true;
    r.VelocityX = vx0;
    r.VelocityY = vy0;
    r.Speed = std::hypot(vx0, vy0);
    r.FlightAngle = std::atan2(vy0, vx0);
    r.TimeStep = h;
    sim::TrajectorySlot slot;
    const auto flown = sim::integrateFlight(r, {}, slot);

    ASSERT_EQ(flown.outcome, sim::FlightOutcome::Landed);
    ASSERT_GT(slot.count(), 100);
    for (int n = 1; n <= slot.count(); ++n) {
        const auto& s = slot.sample(n);
        const double t = s.time;
        const double parabola = y0 + vy0 * t - g * t * t / 2;
        EXPECT_NEAR(s.x, vx0 * t, 1e-9) << "sample " << n;
        EXPECT_NEAR(s.vx, vx0, 1e-12) << "sample " << n;
        EXPECT_NEAR(s.vy, vy0 - g * t, 1e-9) << "sample " << n;
        EXPECT_LE(s.y, parabola + 1e-9) << "sample " << n;
        EXPECT_GE(s.y, parabola - g * h * t / 2 - 1e-9) << "sample " << n;
    }
    // It lands within a step or two of the parabola's landing, as far out as its time says.
    const double landing = (vy0 + std::sqrt(vy0 * vy0 + 2 * g * y0)) / g;
    EXPECT_NEAR(flown.flightTime, landing, 2 * h);
    EXPECT_NEAR(r.Range, vx0 * flown.flightTime, 1e-9);
    EXPECT_NEAR(r.MaxHeight, y0 + vy0 * vy0 / (2 * g), g * h * (vy0 / g) / 2 + vy0 * h);
}

// Whatever the design, the water runs out before the air, the rocket climbs before it reaches
// its highest point, a parachute opens in flight when its trigger says so, and the landing comes
// last.
TEST(FlightEvents, ComeInTheirPhysicalOrder) {
    constexpr double kDegree = sim::kPi / 180;
    enum class Chute { None, AtTheTop, AfterOneAndAHalfSeconds, BelowThirtyDegrees };
    struct Case {
        const char* name;
        Inputs inputs;
        bool rail;
        Chute chute;
    };
    const std::vector<Case> cases = {
        {"default", {}, false, Chute::None},
        {"10 mm nozzle on the rail", {{4, "10"}}, true, Chute::None},
        {"heavy, wide nozzle", {{1, "60"}, {4, "30"}, {5, "800"}, {7, "45"}}, false, Chute::None},
        {"straight up", {{7, "90"}, {11, "0"}}, false, Chute::AtTheTop},
        {"parachute on time", {{12, "1.5"}}, false, Chute::AfterOneAndAHalfSeconds},
        {"parachute on angle", {{7, "70"}, {11, "30"}}, false, Chute::BelowThirtyDegrees},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        Launcher launcher;
        launcher.rail = c.rail;
        launcher.parachute = c.chute != Chute::None;
        launcher.triggerByAngle = c.chute != Chute::AfterOneAndAHalfSeconds;
        launcher.fly(c.inputs);

        const auto& r = launcher.rocket;
        const auto& time = r.EventTime;
        for (const int e : {sim::WaterOut, sim::AirOut, sim::Apogee, sim::Landing})
            ASSERT_TRUE(r.EventHappened[e]) << "event " << e;
        EXPECT_GT(time[sim::WaterOut], 0);
        EXPECT_GT(time[sim::AirOut], time[sim::WaterOut]);
        EXPECT_GT(time[sim::Apogee], time[sim::AirOut]);
        EXPECT_GT(time[sim::Landing], time[sim::Apogee]);
        EXPECT_EQ(time[sim::Landing], launcher.flight.flightTime);
        // The highest point is the highest of the flight; the landing is below the ground.
        EXPECT_EQ(r.EventHeight[sim::Apogee], r.MaxHeight);
        EXPECT_GT(r.EventHeight[sim::AirOut], sim::kStartHeight);
        EXPECT_LT(r.EventHeight[sim::Landing], 0);

        EXPECT_EQ(r.EventHappened[sim::ParachuteOut], c.chute != Chute::None);
        const double chute = time[sim::ParachuteOut];
        switch (c.chute) {
        case Chute::None:
            break;
        case Chute::AtTheTop: // the nose turns down only over the top
            EXPECT_GT(chute, time[sim::Apogee]);
            EXPECT_LT(chute, time[sim::Landing]);
            break;
        case Chute::AfterOneAndAHalfSeconds: // in the first step past the delay
            EXPECT_GT(chute, 1.5);
            EXPECT_LE(chute, 1.5 + sim::kFreeFlightStep + 1e-9);
            break;
        case Chute::BelowThirtyDegrees: // still climbing when the path flattens to 30 degrees
            EXPECT_GT(chute, time[sim::AirOut]);
            EXPECT_LT(chute, time[sim::Apogee]);
            EXPECT_LT(r.EventAngle[sim::ParachuteOut], 30 * kDegree);
            EXPECT_GT(r.EventAngle[sim::ParachuteOut], 29 * kDegree);
            break;
        }
    }
}

} // namespace
} // namespace zorbal::test
