// SPDX-License-Identifier: MIT
// Contrast ratios and readable text colours.
#include "platform/contrast.h"

#include <algorithm>
#include <cmath>

namespace zorbal::platform {

namespace {

double channel(int value) {
    const double v = value / 255.0;
    return v <= 0.03928 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
}

/// `from` moved `step` 32nds of the way to `to`, rounded to whole levels.
int towards(int from, int to, int step) {
    return static_cast<int>(std::lround(from + (to - from) * step / 32.0));
}

} // namespace

double luminance(Color color) {
    return 0.2126 * channel(redOf(color)) + 0.7152 * channel(greenOf(color)) +
           0.0722 * channel(blueOf(color));
}

double contrastRatio(Color a, Color b) {
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Color readableColor(Color fore, Color back, double ratio) {
    const Color target = luminance(back) > 0.18 ? kBlack : kWhite;
    Color shown = fore;
    for (int step = 1; step <= 32 && contrastRatio(shown, back) < ratio; ++step)
        shown = rgb(towards(redOf(fore), redOf(target), step), towards(greenOf(fore), greenOf(target), step),
                    towards(blueOf(fore), blueOf(target), step));
    return shown;
}

Color highContrastBack(Color back) {
    return back == kButtonFace ? kWhite : back;
}

Color highContrastFore(Color fore, Color back) {
    return readableColor(fore, highContrastBack(back), kHighContrast);
}

Color highContrastDisabled(Color back) {
    return readableColor(kHighContrastDisabled, highContrastBack(back), kReadableContrast);
}

} // namespace zorbal::platform
