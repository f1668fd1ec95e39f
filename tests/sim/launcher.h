// SPDX-License-Identifier: MIT
// Launching designs as the window does, from the physics layer alone.
#pragma once

#include "platform/number_text.h"
#include "sim/design.h"
#include "sim/flight.h"
#include "sim/physics.h"

#include <gtest/gtest.h>

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace zorbal::test {

/// Texts typed into input boxes over the default design: (box index, text) pairs.
using Inputs = std::vector<std::pair<int, std::string>>;

struct Flown {
    int steps;
    double time, height, range, landingSpeed;
    sim::FlightOutcome outcome;
};

/// Launches designs as the window does, without the window: the default design's values as its
/// boxes show them, the typed texts over them, the options, then the pre-launch calculation and
/// the flight. The launch record is kept from launch to launch, as the window keeps it.
class Launcher {
  public:
    bool rail = false, parachute = false, triggerByAngle = true;
    sim::LaunchRecord rocket;
    sim::TrajectorySlot slot;
    sim::FlightResult flight;

    static sim::DesignInputs inputsOf(const Inputs& typed, bool parachuteOn) {
        const auto& limits = sim::limitsTable();
        sim::DesignInputs inputs;
        for (int i = 0; i < sim::kInputCount; ++i) {
            const auto k = static_cast<std::size_t>(i);
            inputs.values[k] = platform::readLenient(
                platform::fixedTextNoGrouping(limits.DefaultValue[k], limits.DecimalPlaces[k]));
        }
        for (const auto& [index, text] : typed)
            inputs.values[static_cast<std::size_t>(index)] = platform::readTypedNumber(text).value;
        inputs.parachuteOn = parachuteOn;
        return inputs;
    }

    /// Sets the design and the pre-launch values, ready to fly.
    void prepare(const Inputs& typed) {
        const auto inputs = inputsOf(typed, parachute);
        rocket.setDesign(sim::designFromInputs(inputs));
        rocket.LaunchRailUsed = rail;
        sim::calculateLaunchParameters(rocket);
        settings.triggerByAngle = triggerByAngle;
        settings.windSpeed = inputs.values[sim::Wind];
    }

    Flown fly(const Inputs& typed = {}) {
        prepare(typed);
        EXPECT_GE(rocket.FinalPressure, sim::kAtmosphere) << "the window would refuse this design";
        sim::startFlight(rocket);
        flight = sim::integrateFlight(rocket, settings, slot);
        return {
            flight.steps,  flight.flightTime, rocket.MaxHeight, rocket.Range, rocket.EventSpeed[sim::Landing],
            flight.outcome};
    }

    sim::FlightSettings settings;
};

} // namespace zorbal::test
