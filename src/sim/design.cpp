// SPDX-License-Identifier: MIT
#include "sim/design.h"

#include "sim/physics.h"

namespace zorbal::sim {

namespace {

/// Drag of the open canopy per square metre of its disc and per (m/s)^2: the model's constant.
constexpr double kCanopyDrag = 4.4145;
/// The share of that drag the canopy gives.
constexpr double kCanopyShare = 0.1;
/// Seconds the canopy takes to open.
constexpr double kCanopyOpeningTime = 1.0;

} // namespace

Design designFromInputs(const DesignInputs& inputs) {
    const auto& value = inputs.values;
    Design d;
    d.BottleVolume = value[Volume] / 1000;
    d.FillingFactor = value[FillingFactorInput] / 100;
    d.LiquidDensity = value[Density];
    d.WaterVolume = d.FillingFactor * d.BottleVolume;
    d.InitialAirVolume = (1 - d.FillingFactor) * d.BottleVolume;
    d.WaterMass = d.WaterVolume * d.LiquidDensity;
    d.InitialPressure = (value[Pressure] + 1) * kAtmosphere;
    d.NozzleSize = value[Nozzle] * 1000000;
    d.NozzleDiameter = value[Nozzle] * 0.001;
    d.NozzleArea = (d.NozzleDiameter / 2) * (d.NozzleDiameter / 2) * kPi;
    d.NozzleEfficiency = value[Efficiency] / 100;
    d.NozzleImpedance = d.NozzleSize / 100;
    d.DryMass = value[Mass] / 1000;
    d.DragFactor = value[Drag];
    d.LaunchAngle = value[Angle] * kPi / 180;
    d.RailLength = value[RailLengthInput];
    d.ParachuteOn = inputs.parachuteOn;
    d.ParachuteAngle = value[TriggerAngle] * kPi / 180;
    d.ParachuteDelay = value[TriggerDelay];
    d.ParachuteDiameter = value[ParachuteSize];
    d.ParachuteOpeningTime = kCanopyOpeningTime;
    // In two steps, as the model rounds them.
    d.ParachuteDragCoefficient = (d.ParachuteDiameter / 2) * (d.ParachuteDiameter / 2) * (kPi * kCanopyDrag);
    d.ParachuteDragCoefficient = d.ParachuteDragCoefficient * kCanopyShare;
    return d;
}

} // namespace zorbal::sim
