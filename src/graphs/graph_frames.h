// SPDX-License-Identifier: MIT
// The two graph frames drawn from plain values: colours, the limit boxes' ranges, the speed limit.
#pragma once

#include "platform/color.h"
#include "platform/controls.h"
#include "platform/drawing_surface.h"

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

/// The decimal logarithm as the speed limit has always computed it: ln x / ln 10 (not std::log10,
/// whose last bit may differ).
double Log10(double x);

/// Reads a limit box leniently; a value outside the accepted range is replaced in the box by the
/// whole number of its side, which is then read again. Text that is no number reads as 0.
double readGraphLimit(platform::TextBox& box, const GraphLimit& limit);

/// The trajectory frame for height `H` and range `R` (m): the user scale, the sky, the ground,
/// the launcher, two stick figures and, for a wind of at least 0.1 m/s, four red arrows whose
/// length is the wind's share of `maxWindSpeed`. Leaves the drawing width at 2.
void drawTrajectoryFrame(platform::DrawingSurface& picture, double H, double R, double windSpeed,
                         double maxWindSpeed);

/// The velocity frame for the speed limit `P` (m/s) and the time limit `T` (s): the user scale,
/// a grey grid of 0.1 s and 5 m/s, black seconds and the zero line. Leaves the drawing width at 2.
void drawVelocityFrame(platform::DrawingSurface& picture, double P, double T);

} // namespace zorbal::graphs
