// SPDX-License-Identifier: MIT
// The window's design inputs: limits, reading the boxes into the launch record, checking them,
// restoring the default design and showing the pre-launch values.
#include "platform/number_text.h"
#include "sim/design.h"
#include "sim/physics.h"
#include "ui/zorbal.h"

#include <cmath>
#include <string>

namespace zorbal::ui {

using platform::CommaUse;
using platform::fixedTextNoGrouping;
using platform::readTypedNumber;

namespace {

// The refusal of a box whose comma could stand for the decimal point as well as between
// thousands: the program cannot know which number the user meant.
std::string unclearCommaMessage(int index, const std::string& text) {
    std::string caption;
    for (const char c : sim::inputCaptions()[static_cast<std::size_t>(index)]) {
        if (c != ' ' || (!caption.empty() && caption.back() != ' '))
            caption += c;
    }
    while (!caption.empty() && caption.back() == ' ')
        caption.pop_back();
    return "The " + caption + " box holds \"" + text +
           "\", which could mean more than one number. Please write it with a decimal point and no "
           "commas, such as 1.5 or 1500.";
}

} // namespace

void Zorbal::MinMaxAssignment() {
    Limits = sim::limitsTable();
}

void Zorbal::AssignParameters() {
    sim::DesignInputs inputs;
    for (int i = 0; i < sim::kInputCount; ++i)
        inputs.values[static_cast<std::size_t>(i)] = readTypedNumber(txtInput[i].Text).value;
    // CheckParameters refuses a malformed efficiency before any launch; a loaded design that is
    // not a plain number is computed with the leading number it starts with.
    if (const auto efficiency = platform::readTypedNumberStrict(txtInput[sim::Efficiency].Text))
        inputs.values[sim::Efficiency] = *efficiency;
    inputs.parachuteOn = chkOptions[OptionParachute].Value() != 0;
    Rocket.setDesign(sim::designFromInputs(inputs));
    WindSpeed = inputs.values[sim::Wind];
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
        const auto typed = readTypedNumber(txtInput[i].Text);
        if (typed.comma == CommaUse::Unclear) {
            MsgBox(unclearCommaMessage(i, txtInput[i].Text));
            return true;
        }
        const double v = typed.value;
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
        if (i == sim::Efficiency && !platform::readTypedNumberStrict(txtInput[i].Text)) {
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
    const auto typed = readTypedNumber(txtInput[3].Text);
    if (typed.comma == CommaUse::Unclear)
        return; // no number to judge, as for one beyond the limits
    const double fraction = typed.value / Limits.MaximumValue[3];
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
