// SPDX-License-Identifier: MIT
// The window's words for screen readers: the launch announcement and the graphs' descriptions.
#include "ui/accessible_text.h"

#include "platform/number_text.h"

#include <algorithm>
#include <array>

namespace zorbal::ui {

namespace {

/// A number as the result boxes write it: two decimals, a minus sign rather than parentheses.
std::string resultText(double value) {
    platform::FixedOptions format;
    format.parentheses = platform::Choice::No;
    return platform::fixedText(value, 2, format);
}

/// The three results of the bottom frame: the box, the label that names it and its unit's label.
struct Result {
    int box;
    int caption;
    int unit;
};
constexpr std::array kResults{Result{ResultFlightTime, 6, 12}, Result{ResultMaxHeight, 4, 11},
                              Result{ResultRange, 9, 10}};

/// "Flight Duration 4.30 seconds, Maximum Height 22.60 metres, Range 13.67 metres"
std::string resultsText(const Zorbal& w) {
    std::string out;
    for (const Result& r : kResults) {
        out += out.empty() ? "" : ", ";
        out += w.lblOutput[r.caption].Caption + " " + w.txtOutput[r.box].Text + " " +
               w.lblOutput[r.unit].Caption;
    }
    return out;
}

struct EventName {
    int event;
    const char* name;
};
constexpr std::array kEvents{EventName{sim::WaterOut, "Water expelled"},
                             EventName{sim::AirOut, "Air expelled"}, EventName{sim::Apogee, "Apogee"},
                             EventName{sim::ParachuteOut, "Parachute deployed"},
                             EventName{sim::Landing, "Landing"}};

/// The events of the latest flight with their times, earliest first.
std::vector<std::pair<double, const EventName*>> happened(const Zorbal& w) {
    std::vector<std::pair<double, const EventName*>> events;
    if (w.LaunchCount == 0)
        return events;
    for (const EventName& e : kEvents)
        if (w.Rocket.EventHappened[e.event])
            events.emplace_back(w.Rocket.EventTime[e.event], &e);
    std::stable_sort(events.begin(), events.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    return events;
}

/// How many earlier launches the trajectory graph draws under the latest one.
int earlierLaunchesShown(const Zorbal& w) {
    if (w.chkOptions[OptionLatestOnly].Value() != 0 || w.LaunchCount <= 1)
        return 0;
    return std::min(w.LaunchCount - 1, 9);
}

} // namespace

std::string launchAnnouncement(const Zorbal& window) {
    if (window.LaunchCount == 0)
        return {};
    return "Launch " + std::to_string(window.LaunchCount) + ": " + resultsText(window) + ".";
}

std::vector<FlightEventRow> flightEventRows(const Zorbal& window) {
    std::vector<FlightEventRow> rows;
    const sim::LaunchRecord& r = window.Rocket;
    for (const auto& [time, e] : happened(window))
        rows.push_back({e->name, resultText(time), resultText(r.EventHeight[e->event]),
                        resultText(r.EventRange[e->event]), resultText(r.EventSpeed[e->event])});
    return rows;
}

std::string flightEventsCaption(const Zorbal& window) {
    return window.LaunchCount == 0 ? "Events: nothing launched yet"
                                   : "Events of launch " + std::to_string(window.LaunchCount);
}

std::vector<std::string> flightEventHeadings() {
    return {"Event", "Time (seconds)", "Height (metres)", "Range (metres)", "Speed (m/s)"};
}

std::string graphDescription(const Zorbal& window, int which) {
    const std::string what =
        which == 0 ? "Trajectory graph, height against range" : "Velocity graph, speeds against time";
    if (window.LaunchCount == 0)
        return what + ": nothing launched yet.";
    std::string out =
        what + " of launch " + std::to_string(window.LaunchCount) + ": " + resultsText(window) + ".";
    const auto events = happened(window);
    if (!events.empty()) {
        out += " ";
        for (std::size_t i = 0; i < events.size(); ++i) {
            out += i == 0 ? "" : ", ";
            out += events[i].second->name + std::string(" at ") + resultText(events[i].first) + " seconds";
        }
        out += ".";
    }
    if (which == 0) {
        const int earlier = earlierLaunchesShown(window);
        if (earlier == 0) {
            out += " No earlier launches shown.";
        } else if (earlier == 1) {
            out += " 1 earlier launch shown.";
        } else {
            out += ' ';
            out += std::to_string(earlier);
            out += " earlier launches shown.";
        }
    }
    return out;
}

} // namespace zorbal::ui
