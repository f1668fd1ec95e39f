// SPDX-License-Identifier: MIT
// Converting the window's designed positions and sizes, in twips, to screen pixels.
#pragma once

#include <QRect>

namespace zorbal::platform::qt {

/// Twips per inch: a twip is 1/20 of a point.
inline constexpr int kTwipsPerInch = 1440;

/// Pixels covered by `twips` at `dotsPerInch`, rounded to the nearest pixel (halves away from
/// zero). Negative lengths and positions convert symmetrically.
int twipsToPixels(int twips, double dotsPerInch);

/// Twips covered by `pixels` at `dotsPerInch`, rounded to the nearest twip.
int pixelsToTwips(int pixels, double dotsPerInch);

/// A designed rectangle (left, top, width, height in twips) in pixels. The edges are converted,
/// not the sizes, so controls that touch as designed still touch on screen.
QRect twipsRect(int left, int top, int width, int height, double dotsPerInch);

} // namespace zorbal::platform::qt
