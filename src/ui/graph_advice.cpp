// SPDX-License-Identifier: MIT
// The advice shown in the help panel while the mouse moves over the graphs and their limit boxes.
#include "ui/zorbal.h"

namespace zorbal::ui {

namespace {

constexpr const char* kTrajectoryAdvice = "This picture shows the trajectory of a rocket launch. \r\n\r\n"
                                          "The MOST RECENT launch is shown in three or four colours\r\n\r\n"
                                          "RED indicates water is being expelled.\r\n"
                                          "GREEN indicates air is being expelled.\r\n"
                                          "PURPLE indicates free (so-called Ballistic) flight.\r\n\r\n"
                                          "If a parachute has been deployed, the trajectory is plotted in "
                                          "ORANGE and a small parachute is drawn for "
                                          "every second that the parachute is open.\r\n\r\n"
                                          "Previous launches are shown in BLUE.";

constexpr const char* kVelocityAdvice =
    "This picture shows a graph of the rockets speed throughout its flight in PURPLE. \r\n\r\n"
    "Also shown are the horizontal velocity in RED and vertical velocity in BLUE.\r\n\r\n"
    "Vertical lines have been drawn to mark events in the rocket's flight.\r\n\r\n"
    "A GREEN line shows the time at which the last of the water was ejected.\r\n"
    "A CYAN line shows the time at which the 'Air Blast' finished.\r\n"
    "An ORANGE line shows the time at which the parachute (if present) was deployed.\r\n\r\n"
    "Please note: The cyan and green lines are often very close together.\r\n\r\n";

constexpr const char* kDistortionNote = "Please note that if VERTICAL scale is not very roughly one third of "
                                        "the HORIZONTAL range then some drawn "
                                        "objects may look distorted.";

} // namespace

void Zorbal::pctXYGraph_MouseMove() {
    txtHelp.Text = kTrajectoryAdvice;
}

void Zorbal::pctVTgraph_MouseMove() {
    txtHelp.Text = kVelocityAdvice;
}

void Zorbal::txtGraph_MouseMove(int Index) {
    switch (Index) {
    case 0:
        txtHelp.Text =
            std::string(
                "Enter a number here to change the VERTICAL scale of the trajectory graph. \r\n\r\n") +
            kDistortionNote;
        break;
    case 1:
        txtHelp.Text =
            std::string(
                "Enter a number here to change the HORIZONTAL scale of the trajectory graph. \r\n\r\n") +
            kDistortionNote;
        break;
    case 2:
        txtHelp.Text =
            "Enter a number here to change the VERTICAL scale of the velocity versus time graph. \r\n\r\n"
            "Can be changed in the range 3 second to 100 meters per second.\r\n\r\n";
        break;
    case 3:
        txtHelp.Text =
            "Enter a number here to change the HORIZONTAL scale of the velocity versus time graph. "
            "\r\n\r\nCan be changed in the range 0.5 second to 30 seconds.\r\n\r\n";
        break;
    default:
        txtHelp.Text.clear();
        break;
    }
}

} // namespace zorbal::ui
