// SPDX-License-Identifier: MIT
// One candidate flown through the window as the first launch of a freshly started program.
#include "explore/candidate.h"

namespace zorbal::explore {

CandidateFlyer::CandidateFlyer(const DesignSetter& setDesign) : m_window(m_platform.services()) {
    m_window.Form_Load();
    if (setDesign)
        setDesign(m_window);
    m_startControls = m_window.controls();
    m_startState = m_window.state();
}

void CandidateFlyer::typeCandidate(const std::vector<int>& inputs, const std::vector<std::string>& texts) {
    // Everything a launch reads or writes goes back to its state after start-up: a refused check
    // writes a limit into a box, and speeds and events otherwise carry over from the previous
    // flight.
    m_window.controls() = m_startControls;
    m_window.state() = m_startState;
    for (std::size_t k = 0; k < inputs.size(); ++k)
        m_window.txtInput[static_cast<std::size_t>(inputs[k])].Text = texts[k];
}

SweepRow CandidateFlyer::fly(const SweepGrid& grid, std::size_t index) {
    std::vector<int> inputs;
    inputs.reserve(grid.axes().size());
    for (const auto& axis : grid.axes())
        inputs.push_back(axis.input());
    return fly(index, inputs, grid.texts(index));
}

SweepRow CandidateFlyer::fly(std::size_t index, const std::vector<int>& inputs,
                             const std::vector<std::string>& texts) {
    SweepRow row;
    row.index = index;
    typeCandidate(inputs, texts);
    for (const int input : inputs)
        row.inputs.push_back(m_window.txtInput[static_cast<std::size_t>(input)].Text);

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
