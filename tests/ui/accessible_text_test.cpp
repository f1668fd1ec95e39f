// SPDX-License-Identifier: MIT
#include "support/window_fixture.h"
#include "ui/accessible_text.h"

namespace zorbal::test {
namespace {

using AccessibleText = WindowTest;

TEST_F(AccessibleText, NothingIsAnnouncedOrDescribedBeforeTheFirstLaunch) {
    EXPECT_EQ(ui::launchAnnouncement(window), "");
    EXPECT_TRUE(ui::flightEventRows(window).empty());
    EXPECT_EQ(ui::graphDescription(window, 0),
              "Trajectory graph, height against range: nothing launched yet.");
    EXPECT_EQ(ui::graphDescription(window, 1), "Velocity graph, speeds against time: nothing launched yet.");
}

TEST_F(AccessibleText, ALaunchIsAnnouncedAsItsResultBoxesShowIt) {
    ASSERT_TRUE(launch());
    EXPECT_EQ(ui::launchAnnouncement(window),
              "Launch 1: Flight Duration 4.30 seconds, Maximum Height 22.60 metres, Range 51.61 metres.");
    ASSERT_TRUE(launch());
    EXPECT_EQ(ui::launchAnnouncement(window).substr(0, 10), "Launch 2: ");
}

TEST_F(AccessibleText, TheGraphsTellTheirLaunchPhasesAndEarlierLaunches) {
    ASSERT_TRUE(launch());
    const std::vector<ui::FlightEventRow> rows = ui::flightEventRows(window);
    ASSERT_GE(rows.size(), 4U);
    // The events in the order they happened, ending on the ground after the flight's duration.
    EXPECT_EQ(rows.front().event, "Water expelled");
    EXPECT_EQ(rows.back().event, "Landing");
    EXPECT_EQ(rows.back().time, window.txtOutput[ui::ResultFlightTime].Text);
    EXPECT_EQ(rows.back().height.substr(0, 1), "-"); // below the ground, where the flight stops
    for (std::size_t i = 1; i < rows.size(); ++i)
        EXPECT_LE(std::stod(rows[i - 1].time), std::stod(rows[i].time)) << rows[i].event;
    EXPECT_EQ(ui::flightEventHeadings().size(), 5U);
    EXPECT_EQ(ui::flightEventsCaption(window), "Events of launch 1");

    const std::string trajectory = ui::graphDescription(window, 0);
    EXPECT_EQ(
        trajectory.rfind("Trajectory graph, height against range of launch 1: Flight Duration 4.30 seconds, "
                         "Maximum Height 22.60 metres, Range 51.61 metres. Water expelled at ",
                         0),
        0U)
        << trajectory;
    EXPECT_NE(trajectory.find("Landing at 4.30 seconds."), std::string::npos) << trajectory;
    EXPECT_NE(trajectory.find("No earlier launches shown."), std::string::npos);
    EXPECT_EQ(ui::graphDescription(window, 1).find("earlier"), std::string::npos);

    ASSERT_TRUE(launch());
    EXPECT_NE(ui::graphDescription(window, 0).find(" 1 earlier launch shown."), std::string::npos);
    for (int i = 0; i < 10; ++i)
        ASSERT_TRUE(launch());
    EXPECT_NE(ui::graphDescription(window, 0).find(" 9 earlier launches shown."), std::string::npos);
    window.chkOptions[ui::OptionLatestOnly].setValue(1);
    EXPECT_NE(ui::graphDescription(window, 0).find("No earlier launches shown."), std::string::npos);
}

} // namespace
} // namespace zorbal::test
