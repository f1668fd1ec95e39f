// SPDX-License-Identifier: MIT
// Colours and the pure rules of the two graph frames.
#pragma once

#include "platform/color.h"

namespace zorbal::graphs {

inline constexpr platform::Color kSkyBlue = platform::rgb(200, 240, 255);
inline constexpr platform::Color kLightGrey = platform::rgb(200, 200, 200);
inline constexpr platform::Color kLightGreen = platform::rgb(100, 255, 100);

/// Accepted ranges of the graph limit boxes and the numbers written into a box outside them.
struct GraphLimit {
    double lowest, highest;            ///< accepted, both ends included
    double writtenBelow, writtenAbove; ///< replacement texts, as whole numbers
};
inline constexpr GraphLimit kHeightLimit{5, 100, 5, 100};  ///< txtGraph(0), m
inline constexpr GraphLimit kRangeLimit{10, 500, 10, 500}; ///< txtGraph(1), m
inline constexpr GraphLimit kTimeLimit{0.5, 30, 1, 30};    ///< txtGraph(3), s

/// The velocity graph's limit P (m/s) for the highest speed `maxSpeed` (m/s): the smallest power
/// of ten not below it, times the first factor of a fixed table whose step the speed stays under,
/// so P >= maxSpeed. A speed that is not a positive finite number gives 10.
double speedLimit(double maxSpeed);

} // namespace zorbal::graphs
