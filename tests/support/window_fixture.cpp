// SPDX-License-Identifier: MIT
// A started main window on headless services.
#include "support/window_fixture.h"

namespace zorbal::test {

StartedWindow::StartedWindow() : window(platform.services()) {
    window.Form_Load();
}

bool StartedWindow::launch() {
    const int before = window.LaunchCount;
    window.cmdLaunch_Click();
    return window.LaunchCount == before + 1;
}

} // namespace zorbal::test
