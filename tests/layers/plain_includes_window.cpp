// SPDX-License-Identifier: MIT
// Plain code that reaches up into the window module. It must not compile: the layer test builds
// it and expects the compiler not to find the window's header.
#include "ui/zorbal.h"

double plainCodeReadingTheWindow(const zorbal::ui::Zorbal& window) {
    return window.WindSpeed;
}
