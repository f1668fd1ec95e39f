// SPDX-License-Identifier: MIT
// The commentary of each launch: the design summary before the flight and the flight report
// after it, in the commentary box.
#include "commentary/commentary_text.h"
#include "ui/zorbal.h"

namespace zorbal::ui {

namespace {

commentary::EventValues eventValues(const sim::LaunchRecord& r, int k) {
    const auto i = static_cast<std::size_t>(k);
    return {r.EventTime[i], r.EventRange[i], r.EventHeight[i], r.EventSpeed[i], r.EventAngle[i]};
}

// The event as recorded in the latest flight; empty when it did not happen in it (the record
// still holds an earlier flight's values then).
std::optional<commentary::EventValues> eventOfThisFlight(const sim::LaunchRecord& r, int k) {
    if (!r.EventHappened[static_cast<std::size_t>(k)])
        return std::nullopt;
    return eventValues(r, k);
}

} // namespace

void Zorbal::CommentaryCreation(int Stage) {
    const auto& r = Rocket;
    if (Stage == 1) {
        commentary::DesignValues design;
        design.launchNumber = LaunchCount;
        design.dryMass = r.DryMass;
        design.bottleVolume = r.BottleVolume;
        design.nozzleDiameter = r.NozzleDiameter;
        design.nozzleArea = r.NozzleArea;
        design.dragFactor = r.DragFactor;
        design.launchMass = r.RocketMass;
        design.waterMass = r.WaterMass;
        design.bottlePressure = r.InitialPressure; // the bottle's pressure on the launcher
        design.isRailUsed = r.LaunchRailUsed;
        design.railLength = r.RailLength;
        design.launchAngle = r.LaunchAngle;
        design.pi = Pi;
        design.windSpeed = WindSpeed;
        txtCommentary.Text = commentary::designSummary(design);
    } else if (Stage == 2) {
        commentary::FlightValues flight;
        flight.dryMass = r.DryMass;
        flight.pi = Pi;
        flight.initialAccessibleEnergy = r.InitialAccessibleEnergy;
        flight.gasBlastEnergy = r.GasBlastEnergy;
        flight.waterOut = eventOfThisFlight(r, sim::WaterOut);
        flight.airOut = eventOfThisFlight(r, sim::AirOut);
        flight.apogee = eventOfThisFlight(r, sim::Apogee);
        if (r.ParachuteDeployed)
            flight.parachuteOut = eventValues(r, sim::ParachuteOut);
        flight.landing = eventValues(r, sim::Landing);
        flight.hasLanded = r.EventHappened[sim::Landing];
        txtCommentary.Text += commentary::flightReport(flight);
    }
}

} // namespace zorbal::ui
