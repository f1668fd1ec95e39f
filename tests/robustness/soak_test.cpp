// SPDX-License-Identifier: MIT
// The soak: thousands of random designs inside the limits, each launched through the window.
//
//   ZORBAL_SOAK_DESIGNS=100000 ctest --test-dir build -L soak --output-on-failure
//
// runs the long soak (the default is 3,000 designs); ZORBAL_SOAK_SEED picks another sequence.
#include "random_design.h"
#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>

namespace zorbal::test {
namespace {

// A window is started afresh after this many designs: the history table and the earlier
// launches on the graph grow with every launch, as they would in one long class, but a
// hundred thousand rows would measure the table rather than the flights.
constexpr int kDesignsPerWindow = 250;

TEST(Soak, RandomDesignsInsideTheLimitsFlySoundly) {
    const long long designs = environmentNumber("ZORBAL_SOAK_DESIGNS", 3000);
    const auto seed = static_cast<std::uint64_t>(environmentNumber("ZORBAL_SOAK_SEED", 20240611));
    DesignGenerator generator(seed);

    long long flown = 0, refused = 0, stopped = 0, totalSteps = 0, failed = 0;
    int mostSteps = 0;
    std::string longest;
    double slowestSeconds = 0;
    std::unique_ptr<StartedWindow> started;
    const auto start = std::chrono::steady_clock::now();
    for (long long n = 0; n < designs; ++n) {
        if (n % kDesignsPerWindow == 0)
            started = std::make_unique<StartedWindow>();
        const RandomDesign design = generator.next();
        applyDesign(started->window, design);
        LaunchOutcome outcome;
        const auto before = std::chrono::steady_clock::now();
        const auto problems = launchAndCheck(started->window, started->messages(), outcome);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
        slowestSeconds = std::max(slowestSeconds, seconds);
        if (!problems.empty() && failed++ < 20) {
            std::string all;
            for (const auto& p : problems)
                all += "\n  - " + p;
            ADD_FAILURE() << "design " << n << ": " << design.describe() << all;
        }
        flown += outcome.isFlown ? 1 : 0;
        refused += outcome.isRefused ? 1 : 0;
        stopped += outcome.outcome == sim::FlightOutcome::StepLimitReached ? 1 : 0;
        totalSteps += outcome.steps;
        if (outcome.steps > mostSteps) {
            mostSteps = outcome.steps;
            longest = design.describe();
        }
    }
    const double elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    std::printf(
        "soak: %lld designs (seed %llu) in %.1f s: %lld flown, %lld refused for lack of air, %lld stopped "
        "at the step bound, %lld failed; %lld steps in all, at most %d in one flight (%s); slowest launch "
        "%.3f s\n",
        designs, static_cast<unsigned long long>(seed), elapsed, flown, refused, stopped, failed, totalSteps,
        mostSteps, longest.c_str(), slowestSeconds);
    EXPECT_EQ(failed, 0);
    EXPECT_EQ(flown + refused, designs);
}

} // namespace
} // namespace zorbal::test
