// SPDX-License-Identifier: MIT
// The flight commentary's texts from plain values.
#include "commentary/commentary_text.h"

#include <gtest/gtest.h>

namespace zorbal::commentary {
namespace {

DesignValues defaultDesign() {
    DesignValues d;
    d.launchNumber = 1;
    d.dryMass = 0.1;
    d.bottleVolume = 0.002;
    d.nozzleDiameter = 0.022;
    d.nozzleArea = 0.011 * 0.011 * 3.141592653589793;
    d.dragFactor = 10;
    d.launchMass = 0.7;
    d.waterMass = 0.6;
    d.bottlePressure = 4 * 101325.0;
    d.launchAngle = 3.141592653589793 / 3;
    d.pi = 3.141592653589793;
    d.railLength = 0.5;
    return d;
}

TEST(CommentaryVerdict, EachBandEndsStrictlyBelowItsBound) {
    const std::pair<double, const char*> cases[] = {
        {-3.5, "Mmmm. You can do better than that!"},
        {0, "Mmmm. You can do better than that!"},
        {9.99, "Mmmm. You can do better than that!"},
        {10, "Mmmm. Not bad."},
        {19.999, "Mmmm. Not bad."},
        {20, "Mmmm. That's OK"},
        {30, "Pretty Good!"},
        {40, "Excellent!"},
        {50, "Very impressive!"},
        {60, "Wow!"},
        {70, "Uber!"},
        {80, "Superb!"},
        {89.999, "Superb!"},
        {90, "WOW! Can you tell me how you built that?"},
        {1500, "WOW! Can you tell me how you built that?"},
    };
    for (const auto& [distance, expected] : cases)
        EXPECT_EQ(verdict(distance), expected) << distance;
    EXPECT_EQ(verdictLine(51.6), "\r\nTaskel says:'Very impressive!'");
}

TEST(CommentaryDesignSummary, HeadsWithTheLaunchNumberInItsSignPosition) {
    auto design = defaultDesign();
    EXPECT_EQ(designSummary(design).substr(0, 38), "Launch number  1\r\n==================\r\n");
    design.launchNumber = 12;
    EXPECT_EQ(designSummary(design).substr(0, 19), "Launch number  12\r\n");
}

TEST(CommentaryDesignSummary, RailSentenceAndPressures) {
    auto design = defaultDesign();
    const std::string noRail = designSummary(design);
    EXPECT_NE(noRail.find("No launch rail was used and the initial launch angle was 60.0 degrees from the "
                          "horizontal.\r\nThe wind speed at launch was 0.0 metres per second.\r\n"),
              std::string::npos)
        << noRail;
    EXPECT_NE(
        noRail.find("The initial pressure at launch was 4.00 atmospheres i.e. the pressure in the bottle was "
                    "3.00 atmospheres higher than the pressure outside \r\n\r\n"),
        std::string::npos);

    design.isRailUsed = true;
    EXPECT_NE(
        designSummary(design).find("\r\n\r\nA launch rail of length 0.50 metres was used at an angle of 60.0 "
                                   "degrees from the horizontal.\r\n"),
        std::string::npos);
}

TEST(CommentarySections, LargeEnergiesAreGroupedInThousands) {
    const EventValues burnout{0.25, 3, 4, 40, 0.9};
    const std::string text = burnoutSection(burnout, 0.1, 12345.67, 3.141592653589793);
    EXPECT_NE(text.find("extracted from 12,345.7 joules of compressed gas energy, "), std::string::npos)
        << text;
    // 40^2 x 0.05 = 80 J, 0.1 x 9.81 x 4 = 3.9 J; (80 + 3.924) x 100 / 12345.67 = 0.7 %
    EXPECT_NE(text.find("has 80.0 joules of kinetic energy and 3.9 joules of potential energy.\r\n"),
              std::string::npos);
    EXPECT_NE(text.find("conversion efficiency of 0.7 %\r\n\r\n"), std::string::npos);
}

TEST(CommentarySections, PhasesThatDidNotHappenSaySoInsteadOfFigures) {
    EXPECT_EQ(burnoutSection(std::nullopt, 0.1, 50, 3.14),
              "\r\nBURNOUT: The point at which the rocket runs out of water\r\n" + std::string(80, '*') +
                  "\r\nThe rocket did not run out of water in this flight.\r\n\r\n");
    EXPECT_EQ(gasBlastSection(std::nullopt, 0.1, 50, 3.14),
              "\r\nGAS BLAST OVER: The point at which the rocket runs out of air\r\n" + std::string(80, '*') +
                  "\r\nThe rocket did not run out of air in this flight.\r\n\r\n");
    EXPECT_EQ(coastingSection(std::nullopt),
              "\r\nCOASTING PHASE: The phase in which the rocket trajectory is governed only by gravity and "
              "drag\r\n" +
                  std::string(80, '*') +
                  "\r\nThe rocket never rose above its starting height in this flight.\r\n");
}

TEST(CommentarySections, AFlightStoppedBeforeLandingIsNotReportedAsLanded) {
    const EventValues stopped{10000, 12.34, 5.5, 1.25, -1.5};
    EXPECT_EQ(
        landingSection(stopped, false),
        "The flight was stopped after 10,000.000 seconds, before the rocket had landed, 12.3 metres "
        "down-range and 5.5 metres above the ground.\r\nAt that moment it was travelling at 1.3 metres per "
        "second \r\n");
    EXPECT_EQ(landingSection(stopped, true), "The rocket landed after 10,000.000 seconds 12.3 metres "
                                             "down-range\r\nThe rocket hit the ground while "
                                             "travelling at 1.3 metres per second \r\n");
}

} // namespace
} // namespace zorbal::commentary
