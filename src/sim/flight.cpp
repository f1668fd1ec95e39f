// SPDX-License-Identifier: MIT
// Flight integration.
#include "sim/flight.h"

#include "sim/physics.h"

#include <algorithm>
#include <cmath>

namespace zorbal::sim {

double TrajectoryRecord::operator()(int s, int column, int sample) const {
    if (s < 0 || s >= kSlots)
        return 0;
    const auto& slot = m_slots[static_cast<std::size_t>(s)];
    if (sample == 0)
        return column == 0 ? slot.count() : 0;
    if (sample < 1 || sample > slot.count())
        return 0;
    const auto& p = slot.sample(sample);
    switch (column) {
    case 0:
        return p.time;
    case 1:
        return p.x;
    case 2:
        return p.y;
    case 3:
        return p.vx;
    case 4:
        return p.vy;
    default:
        return 0;
    }
}

void startFlight(LaunchRecord& r) {
    r.PositionY = kStartHeight;
    r.MaxHeight = kStartHeight;
    r.PositionX = 0;
    r.BottlePressure = r.InitialPressure;
    r.Speed = r.VelocityX = r.VelocityY = 0;
    r.StepX = r.StepY = 0;
    r.WaterExpelled = false;
    r.GasBlast = false;
    r.ParachuteDeployed = false;
    r.AirExpelled = 0;
    r.EventHappened.fill(false);
}

namespace {

std::uint8_t phaseOf(const LaunchRecord& r) {
    std::uint8_t phase = !r.WaterExpelled ? PhaseWater : (r.GasBlast ? PhaseAirBlast : PhaseFree);
    if (r.ParachuteDeployed)
        phase |= PhaseParachute;
    return phase;
}

bool isFiniteState(const LaunchRecord& r) {
    return std::isfinite(r.PositionX) && std::isfinite(r.PositionY) && std::isfinite(r.VelocityX) &&
           std::isfinite(r.VelocityY) && std::isfinite(r.FlightAngle);
}

} // namespace

FlightResult integrateFlight(LaunchRecord& r, const FlightSettings& settings, TrajectorySlot& slot) {
    constexpr double pi = 3.14159265358979323846;
    slot.samples.clear();
    slot.phases.clear();
    slot.samples.reserve(static_cast<std::size_t>(std::max(settings.reserveSamples, 0)));
    slot.phases.reserve(static_cast<std::size_t>(std::max(settings.reserveSamples, 0)));

    FlightResult result;
    double flightTime = 0;
    int sampleCount = 0;
    double airBudget = 0; // kg of air above atmospheric pressure when the water ran out
    double cachedAngle = r.FlightAngle;
    double cosine = std::cos(cachedAngle);
    double sine = std::sin(cachedAngle);

    do {
        flightTime += r.TimeStep;
        ++sampleCount;

        if (r.WaterRemaining > 0) {
            // Water phase: Bernoulli exit speed v = sqrt(2 eta (p - p_atm) / rho), adiabatic
            // expansion of the air into the volume the water leaves.
            r.WaterExpelled = false;
            if (Sign(r.BottlePressure - kAtmosphere) == 1) {
                r.ExhaustVelocity =
                    std::sqrt(2 * r.NozzleEfficiency * (r.BottlePressure - kAtmosphere) / r.LiquidDensity);
                r.StepVolume = r.ExhaustVelocity * r.TimeStep * r.NozzleArea;
                r.StepMass = r.StepVolume * r.LiquidDensity;
                r.WaterRemaining = r.WaterRemaining - r.StepMass;
                // The last step may take more water than was left; the mass that moves never
                // falls below the empty rocket.
                r.RocketMass = r.DryMass + std::max(r.WaterRemaining, 0.0);
                r.BottlePressure =
                    std::pow(r.AirVolume / (r.AirVolume + r.StepVolume), 1.4) * r.BottlePressure;
                r.AirVolume = r.AirVolume + r.StepVolume;
            } else {
                r.StepVolume = 0;
                r.StepMass = 0;
            }
            r.StepMomentum = r.StepVolume * r.LiquidDensity * r.ExhaustVelocity;
            r.Thrust = r.StepMomentum / r.TimeStep;
        } else if (!r.WaterExpelled) {
            r.recordEvent(WaterOut, flightTime);
            r.GasBlast = true;
            r.WaterExpelled = true;
            airBudget = r.AirVolume * kAirDensity * (r.BottlePressure - kAtmosphere) / kAtmosphere;
        }

        if (r.GasBlast) {
            // Air blast: flow through the nozzle impedance, exit speed 340 m/s.
            r.RocketMass = r.DryMass;
            r.StepVolume = (r.BottlePressure - kAtmosphere) / r.NozzleImpedance * r.TimeStep;
            r.AirDensity = r.BottlePressure / kAtmosphere * kAirDensity;
            r.StepMass = r.AirDensity * r.StepVolume;
            bool isSpent = false;
            const double airLeft = airBudget - r.AirExpelled;
            if (r.StepMass > airLeft || r.StepMass < 0) {
                // Never more air out than the bottle held above atmospheric pressure.
                const double allowed = std::max(airLeft, 0.0);
                r.StepVolume = r.StepMass > 0 ? r.StepVolume * (allowed / r.StepMass) : 0;
                r.StepMass = r.StepMass > 0 ? allowed : 0;
                isSpent = true;
            }
            r.AirExpelled += r.StepMass;
            r.BottlePressure = std::pow(r.AirVolume / (r.AirVolume + r.StepVolume), 1.4) * r.BottlePressure;
            r.StepMomentum = r.StepMass * kAirBlastSpeed;
            r.Thrust = r.StepMomentum / r.TimeStep;
            if (r.BottlePressure / kAtmosphere < 1.1 || isSpent) {
                r.recordEvent(AirOut, flightTime);
                r.GasBlast = false;
                r.WaterExpelled = true;
            }
        }

        if (!r.GasBlast && r.WaterExpelled) {
            r.TimeStep = kFreeFlightStep;
            r.Thrust = 0;
            r.StepMass = 0;
            r.StepMomentum = 0;
        }

        // Drag D = k v^2 with k = drag factor x 0.0002, from the speed at the start of the step.
        r.DragForce = r.Speed * r.Speed * (r.DragFactor * 0.0002);

        if (r.ParachuteOn && !r.ParachuteDeployed) {
            const bool isTriggered =
                settings.triggerByAngle ? r.FlightAngle < r.ParachuteAngle : flightTime > r.ParachuteDelay;
            if (isTriggered) {
                r.recordEvent(ParachuteOut, flightTime);
                r.ParachuteDeployed = true;
            }
        }
        if (r.ParachuteDeployed) {
            // The canopy replaces the rocket's drag and opens over ParachuteOpeningTime with a
            // quadratic ramp.
            r.DragForce = r.Speed * r.Speed * r.ParachuteDragCoefficient;
            r.ParachuteOpenFor = flightTime - r.EventTime[ParachuteOut];
            if (r.ParachuteOpenFor < r.ParachuteOpeningTime) {
                const double opened = r.ParachuteOpenFor / r.ParachuteOpeningTime;
                r.DragForce = r.DragForce * (opened * opened);
            }
        }

        // The angle often stays the same for many steps (on the rail, or straight up).
        if (r.FlightAngle != cachedAngle) {
            cachedAngle = r.FlightAngle;
            cosine = std::cos(cachedAngle);
            sine = std::sin(cachedAngle);
        }
        // The drag acts along the flight direction against the motion along it; within one step
        // it can at most bring that motion to rest.
        double drag = r.DragForce * Sign(r.Speed);
        const double alongPath = r.VelocityX * cosine + r.VelocityY * sine;
        if (!(alongPath > 0 && r.DragForce * r.TimeStep / r.RocketMass <= alongPath)) {
            const double stoppingForce = std::fabs(alongPath) * r.RocketMass / r.TimeStep;
            drag = std::copysign(std::min(r.DragForce, stoppingForce), alongPath);
        }
        r.Thrust = r.Thrust - drag;

        r.ForceX = r.Thrust * cosine;
        r.ForceY = r.Thrust * sine - r.RocketMass * kGravity;
        r.AccelerationX = r.ForceX / r.RocketMass;
        r.AccelerationY = r.ForceY / r.RocketMass;
        if (r.ParachuteDeployed) {
            if (std::fabs(r.AccelerationY) < 1e-9)
                r.AccelerationY = 0;
            if (std::fabs(r.AccelerationX) < 1e-9)
                r.AccelerationX = 0;
        }
        r.StepVelocityX = r.AccelerationX * r.TimeStep;
        r.StepVelocityY = r.AccelerationY * r.TimeStep;
        r.VelocityX = r.VelocityX + r.StepVelocityX;
        r.VelocityY = r.VelocityY + r.StepVelocityY;
        r.Speed = std::sqrt(r.VelocityX * r.VelocityX + r.VelocityY * r.VelocityY);

        // The wind carries the rocket sideways, most strongly when it moves vertically.
        r.StepX = sine * sine * settings.windSpeed * r.TimeStep + r.TimeStep * r.VelocityX;
        r.StepY = r.TimeStep * r.VelocityY;
        r.PositionX = r.PositionX + r.StepX;
        r.PositionY = r.PositionY + r.StepY;

        if (!isFiniteState(r)) {
            // Keep what was flown up to the last sound step.
            --sampleCount;
            result.outcome = FlightOutcome::NonFiniteState;
            const TrajectorySample last =
                slot.samples.empty() ? TrajectorySample{0, 0, kStartHeight, 0, 0} : slot.samples.back();
            flightTime = last.time;
            r.PositionX = last.x;
            r.PositionY = last.y;
            r.VelocityX = last.vx;
            r.VelocityY = last.vy;
            r.Speed = std::sqrt(last.vx * last.vx + last.vy * last.vy);
            if (!std::isfinite(r.FlightAngle))
                r.FlightAngle = r.LaunchAngle;
            break;
        }
        if (r.Speed > r.MaxSpeed)
            r.MaxSpeed = r.Speed;
        if (r.PositionY > r.MaxHeight) {
            r.recordEvent(Apogee, flightTime);
            r.MaxHeight = r.PositionY;
        }

        const double fromStartY = r.PositionY - kStartHeight;
        if (!r.LaunchRailUsed ||
            std::sqrt(fromStartY * fromStartY + r.PositionX * r.PositionX) > r.RailLength) {
            // Direction of flight. arctan(vy/vx) while moving forwards (as the model always had
            // it); otherwise the direction the velocity really has, straight up only at rest.
            if (r.VelocityX > 0)
                r.FlightAngle = std::atan(r.VelocityY / r.VelocityX);
            else if (r.VelocityX == 0 && r.VelocityY == 0)
                r.FlightAngle = pi * 0.5;
            else
                r.FlightAngle = std::atan2(r.VelocityY, r.VelocityX);
        }

        slot.samples.push_back({flightTime, r.PositionX, r.PositionY, r.VelocityX, r.VelocityY});
        slot.phases.push_back(phaseOf(r));

        if (sampleCount >= settings.maxSteps && r.PositionY >= 0) {
            result.outcome = FlightOutcome::StepLimitReached;
            break;
        }
    } while (r.PositionY >= 0);

    if (slot.samples.capacity() > 4 * slot.samples.size() + 100000) {
        slot.samples.shrink_to_fit();
        slot.phases.shrink_to_fit();
    }
    r.recordEvent(Landing, flightTime);
    r.EventHappened[Landing] = result.outcome == FlightOutcome::Landed;
    r.Range = r.PositionX;
    result.flightTime = flightTime;
    result.steps = sampleCount;
    return result;
}

} // namespace zorbal::sim
