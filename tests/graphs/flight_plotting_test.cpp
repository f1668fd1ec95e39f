// SPDX-License-Identifier: MIT
#include "support/display_list.h"

#include "support/window_fixture.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>

namespace zorbal::test {
namespace {

using platform::kBlue;
using platform::kCyan;
using platform::kGreen;
using platform::kMagenta;
using platform::kOrange;
using platform::kRed;
using platform::PrimitiveKind;

class FlightPlotting : public WindowTest {
  protected:
    void parachuteByTime(const char* delay) {
        window.chkOptions[3].setValue(1);
        window.optParachute.select(1);
        type(12, delay);
    }
    const sim::TrajectorySlot& lastFlight() { return window.TrajectoryData.slot(window.LaunchCount % 10); }
};

TEST_F(FlightPlotting, DrawsEachStepInTheColourOfItsPhase) {
    ASSERT_TRUE(launch());
    const auto points = styledPoints(window.pctXYGraph);
    const auto& flight = lastFlight();
    ASSERT_EQ(points.size(), static_cast<std::size_t>(flight.count()));
    // Red, then a few green, then magenta to the ground; nothing blue on the first launch.
    std::size_t i = 0;
    while (i < points.size() && points[i].style.color == kRed)
        ++i;
    const std::size_t red = i;
    while (i < points.size() && points[i].style.color == kGreen)
        ++i;
    const std::size_t green = i - red;
    while (i < points.size() && points[i].style.color == kMagenta)
        ++i;
    EXPECT_EQ(i, points.size());
    ASSERT_GT(red, 500u);
    ASSERT_GE(green, 1u);
    // The first step without water is already green, the step in which the blast ends magenta.
    EXPECT_DOUBLE_EQ(flight.samples[red].time, window.Rocket.EventTime[1]);
    EXPECT_DOUBLE_EQ(flight.samples[red + green].time, window.Rocket.EventTime[2]);
    for (const auto& p : points)
        ASSERT_EQ(p.style.width, 2);
    EXPECT_FLOAT_EQ(points.back().at.x, static_cast<float>(flight.samples.back().x));

    // Speed, horizontal and vertical velocity of each sample, in this order, in one run.
    const auto velocities = styledPoints(window.pctVTgraph);
    ASSERT_EQ(velocities.size(), 3 * points.size());
    const auto& sample = flight.sample(10);
    EXPECT_EQ(velocities[27].style, (platform::PointStyle{kMagenta, 2}));
    EXPECT_FLOAT_EQ(velocities[27].at.x, static_cast<float>(sample.time));
    EXPECT_FLOAT_EQ(velocities[27].at.y, static_cast<float>(std::hypot(sample.vx, sample.vy)));
    EXPECT_EQ(velocities[28].style.color, kRed);
    EXPECT_FLOAT_EQ(velocities[28].at.y, static_cast<float>(sample.vx));
    EXPECT_EQ(velocities[29].style.color, kBlue);
    EXPECT_FLOAT_EQ(velocities[29].at.y, static_cast<float>(sample.vy));
}

TEST_F(FlightPlotting, RedrawsUpToNineEarlierLaunchesInBlue) {
    ASSERT_TRUE(launch());
    ASSERT_TRUE(launch());
    const auto perFlight = static_cast<std::size_t>(lastFlight().count());
    EXPECT_EQ(pointsIn(window.pctXYGraph, kBlue), perFlight);
    for (int i = 0; i < 9; ++i)
        ASSERT_TRUE(launch());
    ASSERT_EQ(window.LaunchCount, 11);
    // Launches 2 to 10 reappear; launch 1 shared its slot with launch 11.
    EXPECT_EQ(pointsIn(window.pctXYGraph, kBlue), 9 * perFlight);
    for (const auto& p : styledPoints(window.pctXYGraph)) {
        if (p.style.color == kBlue) {
            ASSERT_EQ(p.style.width, 1);
        }
    }

    window.chkOptions[0].setValue(1); // "Only plot the last rocket I launched" re-plots at once
    EXPECT_EQ(window.LaunchCount, 11);
    EXPECT_EQ(pointsIn(window.pctXYGraph, kBlue), 0u);
    EXPECT_EQ(pointsIn(window.pctXYGraph, kRed) + pointsIn(window.pctXYGraph, kGreen) +
                  pointsIn(window.pctXYGraph, kMagenta),
              perFlight);
}

TEST_F(FlightPlotting, EventLinesOnlyForThisFlightsEvents) {
    ASSERT_TRUE(launch());
    const auto& r = window.Rocket;
    const auto green = lines(window.pctVTgraph, kGreen);
    const auto cyan = lines(window.pctVTgraph, kCyan);
    ASSERT_EQ(green.size(), 1u);
    ASSERT_EQ(cyan.size(), 1u);
    EXPECT_EQ((std::array{green[0].x1, green[0].y1, green[0].x2, green[0].y2}),
              (std::array{static_cast<float>(r.EventTime[1]), static_cast<float>(-2 * r.MaxSpeed),
                          static_cast<float>(r.EventTime[1]), static_cast<float>(2 * r.MaxSpeed)}));
    EXPECT_FLOAT_EQ(cyan[0].x1, static_cast<float>(r.EventTime[2]));
    EXPECT_TRUE(lines(window.pctVTgraph, kOrange).empty());

    // A 10 mm nozzle without the rail lands in the water phase: the record still holds the first
    // flight's water and air events, which must not be drawn for this one.
    type(4, "10");
    ASSERT_TRUE(launch());
    ASSERT_FALSE(r.EventHappened[1]);
    EXPECT_TRUE(lines(window.pctVTgraph, kGreen).empty());
    EXPECT_TRUE(lines(window.pctVTgraph, kCyan).empty());
}

TEST_F(FlightPlotting, ParachuteTurnsTheTrajectoryOrangeAndDrawsASymbolEachSecond) {
    parachuteByTime("3");
    ASSERT_TRUE(launch());
    const auto& r = window.Rocket;
    ASSERT_TRUE(r.ParachuteDeployed);
    const auto& flight = lastFlight();

    // Orange, width 3, from the release to the ground.
    const auto points = styledPoints(window.pctXYGraph);
    std::size_t firstOrange = points.size();
    for (std::size_t i = 0; i < points.size() && firstOrange == points.size(); ++i) {
        if (points[i].style.color == kOrange)
            firstOrange = i;
    }
    ASSERT_LT(firstOrange, points.size());
    EXPECT_NEAR(flight.samples[firstOrange].time, 3.0, 0.011);
    for (std::size_t i = firstOrange; i < points.size(); ++i)
        ASSERT_TRUE(points[i].style.color == kOrange && points[i].style.width == 3) << i;

    const auto orangeLines = lines(window.pctVTgraph, kOrange);
    ASSERT_EQ(orangeLines.size(), 1u);
    EXPECT_FLOAT_EQ(orangeLines[0].x1, static_cast<float>(r.EventTime[5]));

    // Symbols: first at the first sample after the canopy is open, then a second apart.
    const auto canopies = entries(window.pctXYGraph, PrimitiveKind::Arc, platform::kBlack);
    ASSERT_GE(canopies.size(), 1u);
    const double open = r.EventTime[5] + r.ParachuteOpeningTime;
    std::size_t n = 0;
    while (flight.samples[n].time <= open)
        ++n;
    EXPECT_FLOAT_EQ(canopies[0].x1, static_cast<float>(flight.samples[n].x));
    EXPECT_FLOAT_EQ(canopies[0].y1, static_cast<float>(flight.samples[n].y));
    EXPECT_FLOAT_EQ(canopies[0].radius, static_cast<float>(2 * r.ParachuteDiameter));
    EXPECT_FLOAT_EQ(canopies[0].start, 0);
    EXPECT_FLOAT_EQ(canopies[0].end, static_cast<float>(window.Pi));
    EXPECT_EQ(canopies[0].width, 1);
    const double landing = flight.samples.back().time;
    EXPECT_NEAR(static_cast<double>(canopies.size()), std::floor(landing - open) + 1, 1);
    // Rim and two shroud lines per symbol.
    EXPECT_EQ(lines(window.pctXYGraph, platform::kBlack).size(), 3 * canopies.size());
    EXPECT_EQ(window.pctXYGraph.drawWidth(), 2);
}

TEST_F(FlightPlotting, ALaunchWithoutParachuteDrawsNoOrangeAfterOneWithIt) {
    parachuteByTime("1");
    ASSERT_TRUE(launch());
    window.chkOptions[3].setValue(0);
    ASSERT_TRUE(launch());
    EXPECT_EQ(pointsIn(window.pctXYGraph, kOrange), 0u);
    EXPECT_TRUE(lines(window.pctVTgraph, kOrange).empty());
    EXPECT_TRUE(entries(window.pctXYGraph, PrimitiveKind::Arc, 0, true).empty());
    EXPECT_GT(pointsIn(window.pctXYGraph, kBlue), 0u); // the parachute flight, in blue
}

TEST_F(FlightPlotting, AdviceTextsOfTheGraphsAndLimitBoxes) {
    window.pctXYGraph_MouseMove();
    const std::string trajectory = window.txtHelp.Text;
    EXPECT_EQ(
        trajectory,
        "This picture shows the trajectory of a rocket launch. \r\n\r\n"
        "The MOST RECENT launch is shown in three or four colours\r\n\r\n"
        "RED indicates water is being expelled.\r\nGREEN indicates air is being expelled.\r\n"
        "PURPLE indicates free (so-called Ballistic) flight.\r\n\r\n"
        "If a parachute has been deployed, the trajectory is plotted in ORANGE and a small parachute is "
        "drawn for every second that the parachute is open.\r\n\r\nPrevious launches are shown in BLUE.");
    window.txtGraph_MouseMove(3);
    EXPECT_EQ(window.txtHelp.Text,
              "Enter a number here to change the HORIZONTAL scale of the velocity versus time graph. \r\n\r\n"
              "Can be changed in the range 0.5 second to 30 seconds.\r\n\r\n");
    window.pctXYGraph_MouseMove();
    EXPECT_EQ(window.txtHelp.Text, trajectory);

    window.pctVTgraph_MouseMove();
    EXPECT_EQ(window.txtHelp.Text,
              "This picture shows a graph of the rockets speed throughout its flight in PURPLE. \r\n\r\n"
              "Also shown are the horizontal velocity in RED and vertical velocity in BLUE.\r\n\r\n"
              "Vertical lines have been drawn to mark events in the rocket's flight.\r\n\r\n"
              "A GREEN line shows the time at which the last of the water was ejected.\r\n"
              "A CYAN line shows the time at which the 'Air Blast' finished.\r\n"
              "An ORANGE line shows the time at which the parachute (if present) was deployed.\r\n\r\n"
              "Please note: The cyan and green lines are often very close together.\r\n\r\n");

    window.txtGraph_MouseMove(0);
    EXPECT_EQ(window.txtHelp.Text,
              "Enter a number here to change the VERTICAL scale of the trajectory graph. \r\n\r\n"
              "Please note that if VERTICAL scale is not very roughly one third of the HORIZONTAL range then "
              "some drawn objects may look distorted.");
    window.txtGraph_MouseMove(1);
    EXPECT_TRUE(window.txtHelp.Text.starts_with("Enter a number here to change the HORIZONTAL scale of the "
                                                "trajectory graph. \r\n\r\nPlease note that if"));
    window.txtGraph_MouseMove(2);
    EXPECT_EQ(window.txtHelp.Text,
              "Enter a number here to change the VERTICAL scale of the velocity versus time graph. \r\n\r\n"
              "Can be changed in the range 3 second to 100 meters per second.\r\n\r\n");
    window.txtGraph_MouseMove(4);
    EXPECT_EQ(window.txtHelp.Text, "");
}

} // namespace
} // namespace zorbal::test
