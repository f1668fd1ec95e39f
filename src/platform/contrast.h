// SPDX-License-Identifier: MIT
// How well a text stands out from what is behind it, and the text colour that makes it readable:
// the contrast ratio of two colours as accessibility guidelines measure it (from 1 to 21), and a
// colour moved towards black or white until it reaches a ratio.
#pragma once

#include "platform/color.h"

namespace zorbal::platform {

/// The contrast small text needs: 4.5 to 1.
inline constexpr double kReadableContrast = 4.5;
/// The contrast of the high-contrast look's texts: 7 to 1.
inline constexpr double kHighContrast = 7.0;

/// The relative luminance of a colour, from 0 (black) to 1 (white).
double luminance(Color color);

/// The contrast ratio of two colours, from 1 (the same) to 21 (black and white).
double contrastRatio(Color a, Color b);

/// `fore` moved towards black (on a light `back`) or white (on a dark one) in steps of 1/32 until
/// it stands out from `back` by `ratio`; its hue stays. A colour that does already is returned
/// as it is. The window's pure red on its grey face becomes a deeper red.
Color readableColor(Color fore, Color back, double ratio = kReadableContrast);

/// The grey of disabled texts in the high-contrast look: 7:1 on white.
inline constexpr Color kHighContrastDisabled = rgb(0x59, 0x59, 0x59);

/// The colour a back designed as `back` shows in the high-contrast look: the window's grey face
/// becomes white, every other colour stays, as it may carry meaning (the red "Launch!", the
/// history table's marked cells).
Color highContrastBack(Color back);
/// The colour a text designed as `fore` on a back designed as `back` shows in the high-contrast
/// look: readable by kHighContrast on highContrastBack(back).
Color highContrastFore(Color fore, Color back);
/// The colour of a disabled text on a back designed as `back` in the high-contrast look: the
/// disabled grey, made readable by kReadableContrast on a coloured back.
Color highContrastDisabled(Color back);

} // namespace zorbal::platform
