// SPDX-License-Identifier: MIT
// The texts of the flight commentary.
#include "commentary/commentary_text.h"

#include "platform/number_text.h"

#include <array>

namespace zorbal::commentary {

namespace {

constexpr const char* kCrLf = "\r\n";
const std::string kEquals(18, '=');
const std::string kStars(80, '*');

std::string f1(double v) {
    return platform::fixedText(v, 1);
}
std::string f2(double v) {
    return platform::fixedText(v, 2);
}
std::string f3(double v) {
    return platform::fixedText(v, 3);
}
std::string fd(double v) {
    return platform::fixedText(v, platform::kDefaultDecimals);
}

double degrees(double radians, double pi) {
    return radians * 180 / pi;
}

std::string heading(std::string_view title) {
    std::string text = kCrLf;
    text += title;
    text += kCrLf;
    text += kStars;
    text += kCrLf;
    return text;
}

// The speed, angle and energy sentences shared by the burnout and gas blast sections.
std::string energySentences(const EventValues& e, double dryMass, double energy, double pi,
                            const char* speedLead) {
    const double kinetic = kineticEnergy(e.speed, dryMass);
    const double potential = potentialEnergy(e.height, dryMass);
    std::string text;
    text += speedLead + f1(e.speed) + " metres/second";
    text += " at an angle of " + f1(degrees(e.angle, pi)) + " degrees to the horizontal" + kCrLf;
    text += "The rocket now has " + f1(kinetic) + " joules of kinetic energy and ";
    text += f1(potential) + " joules of potential energy." + kCrLf;
    text += "This has been extracted from " + f1(energy) + " joules of compressed gas energy, ";
    text += "which represents a conversion efficiency of " + f1((potential + kinetic) * 100 / energy) + " %" +
            kCrLf + kCrLf;
    return text;
}

} // namespace

std::string_view verdict(double landingDistance) {
    struct Band {
        double below;
        std::string_view verdict;
    };
    static constexpr std::array<Band, 9> bands{{
        {10, "Mmmm. You can do better than that!"},
        {20, "Mmmm. Not bad."},
        {30, "Mmmm. That's OK"},
        {40, "Pretty Good!"},
        {50, "Excellent!"},
        {60, "Very impressive!"},
        {70, "Wow!"},
        {80, "Uber!"},
        {90, "Superb!"},
    }};
    for (const auto& band : bands)
        if (landingDistance < band.below)
            return band.verdict;
    // 90 or more.
    return "WOW! Can you tell me how you built that?";
}

double kineticEnergy(double speed, double dryMass) {
    return speed * speed * (dryMass * 0.5);
}

double potentialEnergy(double height, double dryMass) {
    return dryMass * 9.81 * height;
}

std::string designSummary(const DesignValues& d) {
    std::string text = "Launch number " + platform::signText(d.launchNumber) + kCrLf;
    text += kEquals + kCrLf;
    text += "The Rocket has a dry weight of " + f2(d.dryMass) + " kg ";
    text += "and a volume of " + f2(d.bottleVolume * 1000) + " litres. " + kCrLf;
    text += "The Nozzle Diameter was  " + f1(d.nozzleDiameter * 1000) + " mm and a cross-sectional area of " +
            f1(d.nozzleArea * 1000000) + " mm^2 ";
    text += "and the Drag Factor was " + f1(d.dragFactor) + kCrLf;
    text += "For comparison, a tennis ball has a drag factor of about 10 and a football has a drag factor of "
            "about "
            "100.";
    text += std::string(kCrLf) + kCrLf;
    text += "The launch mass was " + f2(d.launchMass) + " kg ";
    text +=
        "consisting of " + f2(d.waterMass) + " kg of water in addition to the dry weight." + kCrLf + kCrLf;
    text += "The initial pressure at launch was " + f2(d.bottlePressure / 101325) + " atmospheres ";
    text += "i.e. the pressure in the bottle was " + f2(d.bottlePressure / 101325 - 1) +
            " atmospheres higher than the pressure outside " + kCrLf + kCrLf;
    if (d.isRailUsed)
        text += "A launch rail of length " + f2(d.railLength) + " metres was used at an angle of ";
    else
        text += "No launch rail was used and the initial launch angle was ";
    text += f1(degrees(d.launchAngle, d.pi)) + " degrees from the horizontal." + kCrLf;
    text += "The wind speed at launch was " + f1(d.windSpeed) + " metres per second.";
    text += kCrLf;
    return text;
}

std::string burnoutSection(const std::optional<EventValues>& waterOut, double dryMass,
                           double accessibleEnergy, double pi) {
    std::string text = heading("BURNOUT: The point at which the rocket runs out of water");
    if (!waterOut) {
        text += std::string(kNoBurnout) + kCrLf + kCrLf;
        return text;
    }
    text += "The rocket ran out of water after " + f3(waterOut->time) + " seconds" + kCrLf;
    text += energySentences(*waterOut, dryMass, accessibleEnergy, pi, "At this point it was travelling at ");
    return text;
}

std::string gasBlastSection(const std::optional<EventValues>& airOut, double dryMass, double totalGasEnergy,
                            double pi) {
    std::string text = heading("GAS BLAST OVER: The point at which the rocket runs out of air");
    if (!airOut) {
        text += std::string(kNoGasBlastEnd) + kCrLf + kCrLf;
        return text;
    }
    text += "The 'gas blast' finished " + f3(airOut->time) + " seconds into the flight." + kCrLf;
    text +=
        energySentences(*airOut, dryMass, totalGasEnergy, pi, "At this point the rocket was travelling at ");
    return text;
}

std::string coastingSection(const std::optional<EventValues>& apogee) {
    std::string text = heading(
        "COASTING PHASE: The phase in which the rocket trajectory is governed only by gravity and drag");
    if (!apogee) {
        text += std::string(kNoApogee) + kCrLf;
        return text;
    }
    text += "The rocket reached its maximum height of " + f1(apogee->height) + " metres after " +
            f3(apogee->time) + " seconds." + kCrLf;
    text += "At this point it was " + f1(apogee->range) + " metres down-range and had an air speed of " +
            f1(apogee->speed) + " metres/second";
    text += kCrLf;
    return text;
}

std::string parachuteSection(const EventValues& release) {
    std::string text = heading("PARACHUTE:");
    text += "The  parachute was triggered " + f1(release.time) + " seconds after Launch." + kCrLf;
    text += "At this point the rocket was travelling with an air speed of " + fd(release.speed) +
            " metres/second";
    text += kCrLf;
    text += std::string("The parachute took one second to fully deploy. ") + kCrLf + kCrLf;
    return text;
}

std::string landingSection(const EventValues& landing, bool hasLanded) {
    std::string text;
    if (!hasLanded) {
        text += "The flight was stopped after " + f3(landing.time) +
                " seconds, before the rocket had landed, " + f1(landing.range) + " metres down-range and " +
                f1(landing.height) + " metres above the ground." + kCrLf;
        text += "At that moment it was travelling at " + f1(landing.speed) + " metres per second " + kCrLf;
        return text;
    }
    text += "The rocket landed after " + f3(landing.time) + " seconds ";
    text += f1(landing.range) + " metres down-range" + kCrLf;
    text +=
        "The rocket hit the ground while travelling at " + f1(landing.speed) + " metres per second " + kCrLf;
    return text;
}

std::string verdictLine(double landingDistance) {
    return std::string(kCrLf) + "Taskel says:'" + std::string(verdict(landingDistance)) + "'";
}

std::string flightReport(const FlightValues& f) {
    std::string text = burnoutSection(f.waterOut, f.dryMass, f.initialAccessibleEnergy, f.pi);
    text += gasBlastSection(f.airOut, f.dryMass, f.gasBlastEnergy + f.initialAccessibleEnergy, f.pi);
    text += coastingSection(f.apogee);
    if (f.parachuteOut)
        text += parachuteSection(*f.parachuteOut);
    text += landingSection(f.landing, f.hasLanded);
    text += verdictLine(f.landing.range);
    return text;
}

} // namespace zorbal::commentary
