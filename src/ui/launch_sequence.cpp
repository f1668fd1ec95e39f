// SPDX-License-Identifier: MIT
// The launch sequence of the two "Launch!" buttons, "Check Parameters", the flight as the window
// runs it, and the filling-factor optimiser.
#include "platform/number_text.h"
#include "sim/physics.h"
#include "ui/zorbal.h"

#include <cmath>

namespace zorbal::ui {

namespace {
constexpr const char* kNotEnoughAir =
    "Sorry! The launch has been cancelled because there is not enough air in the bottle to fully expel the "
    "water!\r\n\r\nTry reducing the 'Filling Factor' for the bottle or press the blue 'Optimise' button.";
constexpr const char* kNotEnoughAirCaution =
    "Caution! There is not enough air in the bottle to fully expel the water!";
} // namespace

void Zorbal::setLaunchButtonBusy() {
    cmdLaunch.Caption = "Busy...";
    cmdLaunch.BackColor = platform::kGreen;
    cmdLaunch.Enabled = false;
}

void Zorbal::setLaunchButtonReady() {
    cmdLaunch.Enabled = true;
    cmdLaunch.Caption = "Launch!";
    cmdLaunch.BackColor = platform::kRed;
}

void Zorbal::cmdLaunch_Click() {
    setLaunchButtonBusy();
    if (LaunchRefused()) {
        setLaunchButtonReady();
        return;
    }
    ScaleXYGraph();
    if (CountLaunch)
        LaunchCount = LaunchCount + 1;
    CalculateTrajectory();
    setLaunchButtonReady();
    cmdCopy.Enabled = true;
    cmdCopyHistory.Enabled = true;
    cmdSaveTraj.Enabled = true;
    cmdSaveHistory.Enabled = true;
    SSTab1.setTab(TabAfterLaunch);
}

bool Zorbal::LaunchRefused() {
    if (CheckParameters())
        return true;
    AssignParameters();
    CalculateLaunchParameters();
    if (Rocket.FinalPressure < sim::kAtmosphere) {
        MsgBox(kNotEnoughAir);
        return true;
    }
    return false;
}

void Zorbal::cmdLaunch2_Click() {
    setLaunchButtonBusy();
    m_services.eventPump->doEvents();
    cmdLaunch_Click();
    cmdLaunch.Caption = "Launch!";
    cmdLaunch.BackColor = platform::kRed;
    cmdLaunch.Enabled = true;
}

void Zorbal::cmdCheck_Click() {
    if (CheckParameters()) {
        cmdLaunch.Enabled = true;
        return;
    }
    AssignParameters();
    CalculateLaunchParameters();
    if (Rocket.FinalPressure < sim::kAtmosphere)
        MsgBox(kNotEnoughAirCaution);
}

void Zorbal::Replot() {
    // Nothing has been launched yet, so there is nothing to fly again.
    if (LaunchCount == 0)
        return;
    CountLaunch = false;
    cmdLaunch_Click();
    CountLaunch = true;
}

void Zorbal::CalculateTrajectory() {
    PlotEarlierLaunches();
    CommentaryCreation(1);
    FlyCurrentDesign();
    PlotTrajectory();

    cmdClearGraph_Click(1);
    PlotVelocities();
    AddLaunchtoFlexgrid();
    CommentaryCreation(2);

    if (const std::string stopped = FlightStoppedMessage(); !stopped.empty())
        MsgBox(stopped);
    m_services.eventPump->doEvents();
}

void Zorbal::FlyCurrentDesign(sim::Recording recording) {
    sim::startFlight(Rocket);
    auto settings = WindowFlightSettings();
    settings.recording = recording;
    LastFlight = sim::integrateFlight(Rocket, settings, TrajectoryData.slot(CurrentSlot()));
    ShowFlightResults();
}

sim::FlightSettings Zorbal::WindowFlightSettings() const {
    sim::FlightSettings settings;
    settings.triggerByAngle = optParachute[TriggerOnAngle].Value;
    settings.windSpeed = WindSpeed;
    settings.reserveSamples = TrajectoryCapacity;
    return settings;
}

void Zorbal::ShowFlightResults() {
    platform::FixedOptions resultFormat;
    resultFormat.parentheses = platform::Choice::No;
    txtOutput[ResultFlightTime].Text = platform::fixedText(LastFlight.flightTime, 2, resultFormat);
    txtOutput[ResultMaxHeight].Text = platform::fixedText(Rocket.MaxHeight, 2, resultFormat);
    txtOutput[ResultRange].Text = platform::fixedText(Rocket.Range, 2, resultFormat);
}

std::string Zorbal::FlightStoppedMessage() const {
    if (LastFlight.outcome == sim::FlightOutcome::StepLimitReached)
        return "This flight was stopped after " + platform::fixedText(LastFlight.steps, 0) + " steps (" +
               platform::fixedText(LastFlight.flightTime, 1) +
               " seconds of flight) because the rocket had not landed by then. The results show the flight "
               "up to that point.";
    if (LastFlight.outcome == sim::FlightOutcome::NonFiniteState)
        return "This flight was stopped after " + platform::fixedText(LastFlight.steps, 0) +
               " steps because the simulation could no longer be calculated. The results show the flight up "
               "to that point.";
    return {};
}

void Zorbal::cmdOptimise_Click() {
    if (CheckParameters()) {
        cmdLaunch.Enabled = true;
        return;
    }
    double best = 0;
    double bestFraction = 0;
    // f is accumulated in steps of 0.01, so it passes 0.99 after 98 candidates (1 % to 98 %).
    for (double f = 0.01; f <= 0.99; f = f + 0.01) {
        txtInput[1].Text = platform::fixedTextNoGrouping(f * 100, 0);
        m_services.eventPump->doEvents();
        AssignParameters();
        CalculateLaunchParameters();
        const double energyPerMass = Rocket.AccessibleEnergy / Rocket.RocketMass;
        if (energyPerMass > best) {
            best = energyPerMass;
            bestFraction = f;
        }
    }
    txtInput[1].Text = platform::fixedTextNoGrouping(bestFraction * 100, 0);
    AssignParameters();
    CalculateLaunchParameters();
}

} // namespace zorbal::ui
