// SPDX-License-Identifier: MIT
// What the window says to someone who cannot see it: the announcement of a launch's results, and
// for each graph a text saying what it shows and the numbers behind it. Plain functions of the
// window's state, so that every front end speaks the same words.
#pragma once

#include "ui/zorbal.h"

#include <string>
#include <vector>

namespace zorbal::ui {

/// The latest launch's results as the result boxes show them, with their captions and units:
/// "Launch 1: Flight Duration 4.30 seconds, Maximum Height 22.60 metres, Range 13.67 metres."
/// Empty before the first launch.
std::string launchAnnouncement(const Zorbal& window);

/// One event of the latest flight as a graph's table of numbers shows it.
struct FlightEventRow {
    std::string event;  ///< "Water expelled", "Apogee", ...
    std::string time;   ///< seconds after lift-off, as the result boxes write numbers
    std::string height; ///< metres
    std::string range;  ///< metres
    std::string speed;  ///< m/s
};

/// The events of the latest flight in the order they happened; none before the first launch.
std::vector<FlightEventRow> flightEventRows(const Zorbal& window);

/// The title of the table of flightEventRows: "Events of launch 1".
std::string flightEventsCaption(const Zorbal& window);

/// The headings of the columns of flightEventRows, in the order of its fields.
std::vector<std::string> flightEventHeadings();

/// What graph `which` (0: the trajectory, 1: the velocities against time) shows now: the launch,
/// its three results, the times of its phases and how many earlier launches are drawn with it.
std::string graphDescription(const Zorbal& window, int which);

} // namespace zorbal::ui
