// SPDX-License-Identifier: MIT
// Twip <-> pixel conversion at a screen resolution.
#include "platform/qt/twips.h"

#include <cmath>

namespace zorbal::platform::qt {

int twipsToPixels(int twips, double dotsPerInch) {
    return static_cast<int>(std::lround(twips * dotsPerInch / kTwipsPerInch));
}

int pixelsToTwips(int pixels, double dotsPerInch) {
    return static_cast<int>(std::lround(pixels * kTwipsPerInch / dotsPerInch));
}

QRect twipsRect(int left, int top, int width, int height, double dotsPerInch) {
    const int x0 = twipsToPixels(left, dotsPerInch);
    const int y0 = twipsToPixels(top, dotsPerInch);
    const int x1 = twipsToPixels(left + width, dotsPerInch);
    const int y1 = twipsToPixels(top + height, dotsPerInch);
    return QRect(x0, y0, x1 - x0, y1 - y0);
}

} // namespace zorbal::platform::qt
