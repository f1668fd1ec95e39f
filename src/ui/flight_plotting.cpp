// SPDX-License-Identifier: MIT
// What a flight draws: earlier launches in blue, the new trajectory in the colours of its phases,
// and after the landing the velocities, the event lines and the parachute symbols.
#include "ui/zorbal.h"

#include <cmath>

namespace zorbal::ui {
namespace {

platform::PointF xyOf(const sim::TrajectorySample& sample) {
    return {static_cast<float>(sample.x), static_cast<float>(sample.y)};
}

} // namespace

void Zorbal::PlotEarlierLaunches() {
    auto& picture = pctXYGraph;
    picture.setDrawWidth(1);
    if (chkOptions[OptionLatestOnly].Value() == 0 && LaunchCount > 1) {
        for (int k = LaunchCount - 1; k >= LaunchCount - 9 && k >= 0; --k) {
            picture.setForeColor(platform::kBlue);
            const sim::TrajectorySlot& earlier = TrajectoryData.slot(SlotOf(k));
            picture.points(earlier.samples.size(),
                           [&earlier](std::size_t i) { return xyOf(earlier.samples[i]); });
        }
    }
    picture.setDrawWidth(2);
}

void Zorbal::PlotTrajectory() {
    auto& picture = pctXYGraph;
    const sim::TrajectorySlot& flight = TrajectoryData.slot(CurrentSlot());
    // The flight stored each step's phase after that step's phase changes, which is when the
    // colour of its point is chosen; the loop never yields, so drawing afterwards looks the same.
    // Steps of one phase share colour and width: each run of them is drawn at once.
    const std::size_t count = flight.samples.size();
    for (std::size_t first = 0; first < count;) {
        const std::uint8_t phase = flight.phases[first];
        std::size_t end = first + 1;
        while (end < count && flight.phases[end] == phase)
            ++end;
        const int propulsion = phase & ~sim::PhaseParachute;
        picture.setForeColor(propulsion == sim::PhaseWater      ? platform::kRed
                             : propulsion == sim::PhaseAirBlast ? platform::kGreen
                                                                : platform::kMagenta);
        if (phase & sim::PhaseParachute) {
            picture.setDrawWidth(3);
            picture.setForeColor(platform::kOrange);
        }
        picture.points(end - first,
                       [&flight, first](std::size_t i) { return xyOf(flight.samples[first + i]); });
        first = end;
    }
}

void Zorbal::PlotVelocities() {
    auto& picture = pctVTgraph;
    const sim::TrajectorySlot& flight = TrajectoryData.slot(CurrentSlot());
    // Speed, horizontal and vertical velocity of each step, in turn: one three-colour run.
    const int width = picture.drawWidth();
    const platform::PointStyle styles[] = {
        {platform::kMagenta, width}, {platform::kRed, width}, {platform::kBlue, width}};
    picture.pointCycles(styles, flight.samples.size(), [&flight](std::size_t i, std::size_t j) {
        const sim::TrajectorySample& sample = flight.samples[i];
        const double v = j == 0   ? std::sqrt(sample.vx * sample.vx + sample.vy * sample.vy)
                         : j == 1 ? sample.vx
                                  : sample.vy;
        return platform::PointF{static_cast<float>(sample.time), static_cast<float>(v)};
    });

    // The event arrays keep the times of older flights for events that did not happen in this
    // one, so only this flight's events get a line.
    const double reach = 2 * Rocket.MaxSpeed;
    auto eventLine = [&](int event, platform::Color color) {
        picture.setForeColor(color);
        const double t = Rocket.EventTime[static_cast<std::size_t>(event)];
        picture.line(t, -reach, t, reach);
    };
    if (Rocket.EventHappened[sim::WaterOut])
        eventLine(sim::WaterOut, platform::kGreen);
    if (Rocket.EventHappened[sim::AirOut])
        eventLine(sim::AirOut, platform::kCyan);
    if (Rocket.ParachuteDeployed)
        eventLine(sim::ParachuteOut, platform::kOrange);
    picture.setForeColor(platform::kBlack);

    if (Rocket.ParachuteDeployed) {
        // A symbol at the first sample after the canopy is fully open, then about once a second.
        double nextSymbol = Rocket.EventTime[sim::ParachuteOut] + Rocket.ParachuteOpeningTime;
        for (const sim::TrajectorySample& sample : flight.samples) {
            if (sample.time > nextSymbol) {
                PlotParachute(sample.x, sample.y, 2 * Rocket.ParachuteDiameter);
                nextSymbol = nextSymbol + 1;
            }
        }
    }
}

void Zorbal::PlotParachute(double X, double Y, double Size) {
    auto& picture = pctXYGraph;
    const double r = Size;
    picture.setDrawWidth(1);
    picture.setForeColor(platform::kBlack);
    picture.arc(X, Y, r, 0, Pi);
    picture.line(X - r, Y, X + r, Y);
    // The shroud lines use r on each axis's own scale, so they are not round like the canopy.
    picture.line(X, Y - r, X - r, Y);
    picture.line(X, Y - r, X + r, Y);
    picture.setDrawWidth(2);
}

} // namespace zorbal::ui
