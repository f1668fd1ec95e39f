// SPDX-License-Identifier: MIT
// The limits table of the fourteen design inputs.
#pragma once

#include <array>
#include <string>

namespace zorbal::sim {

inline constexpr int kInputCount = 14;

/// Index of each design input box txtInput(i).
enum Input : int {
    Volume = 0,
    FillingFactorInput = 1,
    Density = 2,
    Pressure = 3,
    Nozzle = 4,
    Mass = 5,
    Drag = 6,
    Angle = 7,
    RailLengthInput = 8,
    Efficiency = 9,
    Wind = 10,
    TriggerAngle = 11,
    TriggerDelay = 12,
    ParachuteSize = 13,
};

/// Defaults and limits in the units of the boxes, with the refusal messages.
struct LimitsTable {
    std::array<double, kInputCount> DefaultValue{};
    std::array<double, kInputCount> MinimumValue{};
    std::array<double, kInputCount> MaximumValue{};
    std::array<std::string, kInputCount> TooLowMessage;
    std::array<std::string, kInputCount> TooHighMessage;
    std::array<int, kInputCount> DecimalPlaces{};
};

/// The program's limits table.
const LimitsTable& limitsTable();

/// The caption beside each input box (e.g. "Volume of bottle").
const std::array<std::string, kInputCount>& inputCaptions();
/// The unit label beside each input box (e.g. "litres").
const std::array<std::string, kInputCount>& inputUnits();

} // namespace zorbal::sim
