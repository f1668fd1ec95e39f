// SPDX-License-Identifier: MIT
// The window's design inputs: limits, reading the boxes into the launch record, checking them,
// restoring the default design and showing the pre-launch values.
#include "platform/number_text.h"
#include "sim/physics.h"
#include "ui/zorbal.h"

#include <cmath>

namespace zorbal::ui {

using platform::fixedTextNoGrouping;
using platform::readLenient;

void Zorbal::MinMaxAssignment() {
    Limits = sim::limitsTable();
}

void Zorbal::AssignParameters() {
    auto value = [this](int i) { return readLenient(txtInput[i].Text); };
    auto& r = Rocket;
    r.BottleVolume = value(0) / 1000;
    r.FillingFactor = value(1) / 100;
    r.LiquidDensity = value(2);
    r.WaterVolume = r.FillingFactor * r.BottleVolume;
    r.InitialAirVolume = (1 - r.FillingFactor) * r.BottleVolume;
    r.WaterMass = r.WaterVolume * r.LiquidDensity;
    r.AirVolume = r.InitialAirVolume;
    r.WaterRemaining = r.WaterMass;
    r.InitialPressure = (value(3) + 1) * sim::kAtmosphere;
    r.NozzleSize = value(4) * 1000000;
    r.NozzleDiameter = value(4) * 0.001;
    r.NozzleArea = (r.NozzleDiameter / 2) * (r.NozzleDiameter / 2) * Pi;
    // CheckParameters refuses a malformed efficiency before any launch; a loaded design that is
    // not a plain number is computed with the leading number it starts with.
    const auto efficiency = platform::readStrict(txtInput[9].Text);
    r.NozzleEfficiency = (efficiency ? *efficiency : value(9)) / 100;
    r.NozzleImpedance = r.NozzleSize / 100;
    r.DryMass = value(5) / 1000;
    r.RocketMass = r.DryMass + r.WaterMass;
    r.DragFactor = value(6);
    r.FlightAngle = value(7) * Pi / 180;
    r.LaunchAngle = r.FlightAngle;
    r.RailLength = value(8);
    WindSpeed = value(10);
    r.ParachuteOn = chkOptions[OptionParachute].Value() != 0;
    r.ParachuteAngle = value(11) * Pi / 180;
    r.ParachuteDelay = value(12);
    r.ParachuteDiameter = value(13);
    r.ParachuteOpeningTime = 1.0;
    r.ParachuteDragCoefficient = (r.ParachuteDiameter / 2) * (r.ParachuteDiameter / 2) * (Pi * 4.4145);
    r.ParachuteDragCoefficient = r.ParachuteDragCoefficient * 0.1;
}

void Zorbal::ResetLaunchParameters() {
    for (int i = 0; i < sim::kInputCount; ++i)
        txtInput[i].Text = fixedTextNoGrouping(Limits.DefaultValue[i], Limits.DecimalPlaces[i]);
    chkOptions[OptionRail].setValue(0);
    chkOptions[OptionParachute].setValue(0);
    AssignParameters();
    CalculateLaunchParameters();
}

void Zorbal::cmdDefault_Click() {
    ResetLaunchParameters();
}

bool Zorbal::CheckParameters() {
    for (int i = 0; i < sim::kInputCount; ++i) {
        if (i == sim::RailLengthInput && chkOptions[OptionRail].Value() != 1)
            continue;
        if (i >= sim::TriggerAngle && chkOptions[OptionParachute].Value() != 1)
            continue;
        const double v = readLenient(txtInput[i].Text);
        if (v < Limits.MinimumValue[i]) {
            MsgBox(Limits.TooLowMessage[i]);
            txtInput[i].Text = fixedTextNoGrouping(Limits.MinimumValue[i], Limits.DecimalPlaces[i]);
            return true;
        }
        if (v > Limits.MaximumValue[i]) {
            MsgBox(Limits.TooHighMessage[i]);
            txtInput[i].Text = fixedTextNoGrouping(Limits.MaximumValue[i], Limits.DecimalPlaces[i]);
            return true;
        }
        if (i == sim::Efficiency && !platform::readStrict(txtInput[i].Text)) {
            // The efficiency must be a plain number: "70%" passes the range check above but is
            // not a number the program can be sure the user meant.
            MsgBox("The Nozzle Efficiency box must hold a plain number, such as 70, with no per cent sign "
                   "or other characters.");
            return true;
        }
    }
    return false;
}

void Zorbal::txtInput_Validate(int Index, bool& Cancel) {
    (void)Cancel;
    if (Index != sim::Pressure)
        return;
    const double fraction = readLenient(txtInput[3].Text) / Limits.MaximumValue[3];
    if (fraction >= 0 && fraction < 0.5) {
        txtInput[3].BackColor = platform::kWhite;
    } else if (fraction >= 0.5 && fraction <= 1) {
        const int c = static_cast<int>(std::nearbyint(fraction * 255)); // halves to even
        txtInput[3].BackColor = platform::rgb(255, 255 - c, 255 - c);
    }
}

void Zorbal::CalculateLaunchParameters() {
    sim::calculateLaunchParameters(Rocket);
    const auto& r = Rocket;
    txtOutput[ResultInitialPressure].Text = fixedTextNoGrouping(r.InitialPressure / sim::kAtmosphere, 1);
    txtOutput[ResultFinalPressure].Text = fixedTextNoGrouping(r.FinalPressure / sim::kAtmosphere, 1);
    txtOutput[ResultAccessibleEnergy].Text = fixedTextNoGrouping(r.AccessibleEnergy, 1);
    txtOutput[ResultGasBlastEnergy].Text = fixedTextNoGrouping(r.GasBlastEnergy, 1);
    txtOutput[ResultGasBlastTemperature].Text =
        fixedTextNoGrouping(r.GasBlastFinalTemperature - sim::kZeroCelsius, 1);
    txtOutput[ResultLaunchMass].Text = fixedTextNoGrouping(r.RocketMass, 2);
    txtOutput[ResultEnergyPerMass].Text = fixedTextNoGrouping(r.AccessibleEnergy / r.RocketMass, 2);
    txtOutput[ResultFinalTemperature].Text = fixedTextNoGrouping(r.FinalTemperature - sim::kZeroCelsius, 1);
    txtOutput[ResultInitialThrust].Text = fixedTextNoGrouping(r.InitialThrust, 1);
    txtOutput[ResultInitialAcceleration].Text = fixedTextNoGrouping(r.InitialAcceleration - sim::kGravity, 1);
    txtOutput[ResultAccelerationInG].Text =
        fixedTextNoGrouping((r.InitialAcceleration - sim::kGravity) / sim::kGravity, 1);
}

} // namespace zorbal::ui
