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

/// What one flight carries from step to step besides the launch record.
struct FlightClock {
    double time = 0;        ///< s, at the end of the current step
    int steps = 0;          ///< steps taken, the current one included
    double airBudget = 0;   ///< kg of air above atmospheric pressure when the water ran out
    double cachedAngle = 0; ///< the flight angle whose cosine and sine are below
    double cosine = 1, sine = 0;
};

/// Water phase: Bernoulli exit speed v = sqrt(2 eta (p - p_atm) / rho), and the adiabatic
/// expansion of the air into the volume the water leaves.
void waterPhase(LaunchRecord& r) {
    r.WaterExpelled = false;
    if (Sign(r.BottlePressure - kAtmosphere) == 1) {
        r.ExhaustVelocity =
            std::sqrt(2 * r.NozzleEfficiency * (r.BottlePressure - kAtmosphere) / r.LiquidDensity);
        r.StepVolume = r.ExhaustVelocity * r.TimeStep * r.NozzleArea;
        r.StepMass = r.StepVolume * r.LiquidDensity;
        r.WaterRemaining = r.WaterRemaining - r.StepMass;
        // The last step may take more water than was left; the mass that moves never falls
        // below the empty rocket.
        r.RocketMass = r.DryMass + std::max(r.WaterRemaining, 0.0);
        r.BottlePressure = std::pow(r.AirVolume / (r.AirVolume + r.StepVolume), kGamma) * r.BottlePressure;
        r.AirVolume = r.AirVolume + r.StepVolume;
    } else {
        r.StepVolume = 0;
        r.StepMass = 0;
    }
    r.StepMomentum = r.StepVolume * r.LiquidDensity * r.ExhaustVelocity;
    r.Thrust = r.StepMomentum / r.TimeStep;
}

/// The first step without water: the air blast begins with the air the bottle still holds
/// above atmospheric pressure.
void startAirBlast(LaunchRecord& r, FlightClock& f) {
    r.recordEvent(WaterOut, f.time);
    r.GasBlast = true;
    r.WaterExpelled = true;
    f.airBudget = r.AirVolume * kAirDensity * (r.BottlePressure - kAtmosphere) / kAtmosphere;
}

/// Air blast: flow through the nozzle impedance, the air leaving at 340 m/s, until the pressure
/// is nearly atmospheric or the air budget is spent.
void airBlast(LaunchRecord& r, FlightClock& f) {
    r.RocketMass = r.DryMass;
    r.StepVolume = (r.BottlePressure - kAtmosphere) / r.NozzleImpedance * r.TimeStep;
    r.AirDensity = r.BottlePressure / kAtmosphere * kAirDensity;
    r.StepMass = r.AirDensity * r.StepVolume;
    bool isSpent = false;
    const double airLeft = f.airBudget - r.AirExpelled;
    if (r.StepMass > airLeft || r.StepMass < 0) {
        // Never more air out than the bottle held above atmospheric pressure.
        const double allowed = std::max(airLeft, 0.0);
        r.StepVolume = r.StepMass > 0 ? r.StepVolume * (allowed / r.StepMass) : 0;
        r.StepMass = r.StepMass > 0 ? allowed : 0;
        isSpent = true;
    }
    r.AirExpelled += r.StepMass;
    r.BottlePressure = std::pow(r.AirVolume / (r.AirVolume + r.StepVolume), kGamma) * r.BottlePressure;
    r.StepMomentum = r.StepMass * kAirBlastSpeed;
    r.Thrust = r.StepMomentum / r.TimeStep;
    if (r.BottlePressure / kAtmosphere < 1.1 || isSpent) {
        r.recordEvent(AirOut, f.time);
        r.GasBlast = false;
        r.WaterExpelled = true;
    }
}

/// The thrust of this step: water, then air, then none (with the longer free-flight step).
void propulsion(LaunchRecord& r, FlightClock& f) {
    if (r.WaterRemaining > 0)
        waterPhase(r);
    else if (!r.WaterExpelled)
        startAirBlast(r, f);
    if (r.GasBlast)
        airBlast(r, f);
    if (!r.GasBlast && r.WaterExpelled) {
        r.TimeStep = kFreeFlightStep;
        r.Thrust = 0;
        r.StepMass = 0;
        r.StepMomentum = 0;
    }
}

/// Drag D = k v^2 from the speed at the start of the step, k = drag factor x 0.0002; once the
/// parachute is out, the canopy's k instead, opening over ParachuteOpeningTime with a quadratic
/// ramp.
void dragAndParachute(LaunchRecord& r, const FlightSettings& settings, double time) {
    r.DragForce = r.Speed * r.Speed * (r.DragFactor * 0.0002);
    if (r.ParachuteOn && !r.ParachuteDeployed) {
        const bool isTriggered =
            settings.triggerByAngle ? r.FlightAngle < r.ParachuteAngle : time > r.ParachuteDelay;
        if (isTriggered) {
            r.recordEvent(ParachuteOut, time);
            r.ParachuteDeployed = true;
        }
    }
    if (r.ParachuteDeployed) {
        r.DragForce = r.Speed * r.Speed * r.ParachuteDragCoefficient;
        r.ParachuteOpenFor = time - r.EventTime[ParachuteOut];
        if (r.ParachuteOpenFor < r.ParachuteOpeningTime) {
            const double opened = r.ParachuteOpenFor / r.ParachuteOpeningTime;
            r.DragForce = r.DragForce * (opened * opened);
        }
    }
}

/// Motion: thrust less drag along the flight direction and gravity give the acceleration; then
/// the new velocity, and the position from the new velocity and the wind.
void motion(LaunchRecord& r, FlightClock& f, const FlightSettings& settings) {
    // The angle often stays the same for many steps (on the rail, or straight up).
    if (r.FlightAngle != f.cachedAngle) {
        f.cachedAngle = r.FlightAngle;
        f.cosine = std::cos(f.cachedAngle);
        f.sine = std::sin(f.cachedAngle);
    }
    // The drag acts along the flight direction against the motion along it; within one step it
    // can at most bring that motion to rest.
    double drag = r.DragForce * Sign(r.Speed);
    const double alongPath = r.VelocityX * f.cosine + r.VelocityY * f.sine;
    if (!(alongPath > 0 && r.DragForce * r.TimeStep / r.RocketMass <= alongPath)) {
        const double stoppingForce = std::fabs(alongPath) * r.RocketMass / r.TimeStep;
        drag = std::copysign(std::min(r.DragForce, stoppingForce), alongPath);
    }
    r.Thrust = r.Thrust - drag;

    r.ForceX = r.Thrust * f.cosine;
    r.ForceY = r.Thrust * f.sine - r.RocketMass * kGravity;
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
    r.StepX = f.sine * f.sine * settings.windSpeed * r.TimeStep + r.TimeStep * r.VelocityX;
    r.StepY = r.TimeStep * r.VelocityY;
    r.PositionX = r.PositionX + r.StepX;
    r.PositionY = r.PositionY + r.StepY;
}

/// A step whose state is no longer a finite number is dropped: the rocket is put back where the
/// last recorded step left it.
void returnToLastSoundStep(LaunchRecord& r, FlightClock& f, const TrajectorySlot& slot) {
    --f.steps;
    const TrajectorySample last =
        slot.samples.empty() ? TrajectorySample{0, 0, kStartHeight, 0, 0} : slot.samples.back();
    f.time = last.time;
    r.PositionX = last.x;
    r.PositionY = last.y;
    r.VelocityX = last.vx;
    r.VelocityY = last.vy;
    r.Speed = std::sqrt(last.vx * last.vx + last.vy * last.vy);
    if (!std::isfinite(r.FlightAngle))
        r.FlightAngle = r.LaunchAngle;
}

/// The top speed and the highest point so far (each new height is the apogee until a higher one).
void recordExtremes(LaunchRecord& r, double time) {
    if (r.Speed > r.MaxSpeed)
        r.MaxSpeed = r.Speed;
    if (r.PositionY > r.MaxHeight) {
        r.recordEvent(Apogee, time);
        r.MaxHeight = r.PositionY;
    }
}

/// Flight direction: held at the launch angle while on the rail, then along the velocity:
/// arctan(vy/vx) while moving forwards (as the model always had it), otherwise the direction the
/// velocity really has, straight up only at rest.
void flightDirection(LaunchRecord& r) {
    const double fromStartY = r.PositionY - kStartHeight;
    const bool isOffTheRail =
        !r.LaunchRailUsed || std::sqrt(fromStartY * fromStartY + r.PositionX * r.PositionX) > r.RailLength;
    if (!isOffTheRail)
        return;
    if (r.VelocityX > 0)
        r.FlightAngle = std::atan(r.VelocityY / r.VelocityX);
    else if (r.VelocityX == 0 && r.VelocityY == 0)
        r.FlightAngle = kPi * 0.5;
    else
        r.FlightAngle = std::atan2(r.VelocityY, r.VelocityX);
}

/// Recording: the state at the end of the step and its phase, added to the slot or, when only the
/// latest sample is kept, in place of the one before.
void recordSample(TrajectorySlot& slot, const LaunchRecord& r, double time, Recording recording) {
    const TrajectorySample sample{time, r.PositionX, r.PositionY, r.VelocityX, r.VelocityY};
    if (recording == Recording::LatestSampleOnly && !slot.samples.empty()) {
        slot.samples.back() = sample;
        slot.phases.back() = phaseOf(r);
        return;
    }
    slot.samples.push_back(sample);
    slot.phases.push_back(phaseOf(r));
}

} // namespace

FlightResult integrateFlight(LaunchRecord& r, const FlightSettings& settings, TrajectorySlot& slot) {
    slot.samples.clear();
    slot.phases.clear();
    const auto reserve = static_cast<std::size_t>(
        settings.recording == Recording::LatestSampleOnly ? 1 : std::max(settings.reserveSamples, 0));
    slot.samples.reserve(reserve);
    slot.phases.reserve(reserve);

    FlightResult result;
    FlightClock f;
    f.cachedAngle = r.FlightAngle;
    f.cosine = std::cos(f.cachedAngle);
    f.sine = std::sin(f.cachedAngle);

    do {
        f.time += r.TimeStep;
        ++f.steps;

        propulsion(r, f);
        dragAndParachute(r, settings, f.time);
        motion(r, f, settings);
        if (!isFiniteState(r)) {
            // Keep what was flown up to the last sound step.
            returnToLastSoundStep(r, f, slot);
            result.outcome = FlightOutcome::NonFiniteState;
            break;
        }
        recordExtremes(r, f.time);
        flightDirection(r);
        recordSample(slot, r, f.time, settings.recording);

        if (f.steps >= settings.maxSteps && r.PositionY >= 0) {
            result.outcome = FlightOutcome::StepLimitReached;
            break;
        }
    } while (r.PositionY >= 0);

    if (slot.samples.capacity() > 4 * slot.samples.size() + 100000) {
        slot.samples.shrink_to_fit();
        slot.phases.shrink_to_fit();
    }
    r.recordEvent(Landing, f.time);
    r.EventHappened[Landing] = result.outcome == FlightOutcome::Landed;
    r.Range = r.PositionX;
    result.flightTime = f.time;
    result.steps = f.steps;
    return result;
}

} // namespace zorbal::sim
