// SPDX-License-Identifier: MIT
// The program's colours as Qt takes them.
#pragma once

#include "platform/color.h"

#include <QColor>
#include <QRgb>

namespace zorbal::platform::qt {

inline QColor toQColor(Color color) {
    return QColor(redOf(color), greenOf(color), blueOf(color));
}

inline QRgb toQRgb(Color color) {
    return qRgb(redOf(color), greenOf(color), blueOf(color));
}

} // namespace zorbal::platform::qt
