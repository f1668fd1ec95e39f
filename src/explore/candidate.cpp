// SPDX-License-Identifier: MIT
// One candidate flown through the window as the first launch of a freshly started program.
#include "explore/candidate.h"

namespace zorbal::explore {

CandidateFlyer::CandidateFlyer(const SweepGrid& grid, const DesignSetter& setDesign)
    : m_grid(grid), m_window(m_platform.services()) {
    m_window.Form_Load();
    if (setDesign)
        setDesign(m_window);
    m_startControls = m_window.controls();
    m_startState = m_window.state();
}

void CandidateFlyer::typeCandidate(std::size_t index) {
    // Everything a launch reads or writes goes back to its state after start-up: a refused check
    // writes a limit into a box, and speeds and events otherwise carry over from the previous
    // flight.
    m_window.controls() = m_startControls;
    m_window.state() = m_startState;
    const auto at = m_grid.position(index);
    for (std::size_t a = 0; a < at.size(); ++a) {
        const auto& axis = m_grid.axes()[a];
        m_window.txtInput[static_cast<std::size_t>(axis.input())].Text = axis.text(at[a]);
    }
}

SweepRow CandidateFlyer::fly(std::size_t index) {
    SweepRow row;
    row.index = index;
    typeCandidate(index);
    for (const auto& axis : m_grid.axes())
        row.inputs.push_back(m_window.txtInput[static_cast<std::size_t>(axis.input())].Text);

    auto& messages = m_platform.messageBox.messages;
    messages.clear();
    if (m_window.LaunchRefused()) {
        row.outcome = Outcome::Refused;
        for (const auto& message : messages)
            row.message += row.message.empty() ? message : "\r\n" + message;
        return row;
    }

    // The row needs the results only: a flight stopped at the step bound would otherwise hold a
    // million samples in every worker.
    m_window.FlyCurrentDesign(sim::Recording::LatestSampleOnly);

    const auto& flight = m_window.LastFlight;
    switch (flight.outcome) {
    case sim::FlightOutcome::Landed:
        row.outcome = Outcome::Flown;
        break;
    case sim::FlightOutcome::StepLimitReached:
        row.outcome = Outcome::StepLimit;
        break;
    case sim::FlightOutcome::NonFiniteState:
        row.outcome = Outcome::NonFinite;
        break;
    }
    row.message = m_window.FlightStoppedMessage();
    row.duration = m_window.txtOutput[ui::ResultFlightTime].Text;
    row.height = m_window.txtOutput[ui::ResultMaxHeight].Text;
    row.range = m_window.txtOutput[ui::ResultRange].Text;
    row.steps = flight.steps;
    row.flightTime = flight.flightTime;
    row.maxHeight = m_window.Rocket.MaxHeight;
    row.rangeMetres = m_window.Rocket.Range;
    return row;
}

} // namespace zorbal::explore
