// SPDX-License-Identifier: MIT
// A started main window on headless services, for tests that drive it as a user would.
#pragma once

#include "platform/headless.h"
#include "ui/zorbal.h"

#include <gtest/gtest.h>

#include <string>

namespace zorbal::test {

/// The window after start-up, with scripted services.
struct StartedWindow {
    StartedWindow();
    platform::HeadlessPlatform platform;
    ui::Zorbal window;

    /// Types `text` into design input `index`.
    void type(int index, const std::string& text) {
        window.txtInput[static_cast<std::size_t>(index)].Text = text;
    }
    /// Presses "Launch!" and returns true when the launch was counted.
    bool launch();
    const std::vector<std::string>& messages() const { return platform.messageBox.messages; }
};

/// A test fixture holding a started window.
class WindowTest : public ::testing::Test {
  protected:
    StartedWindow started;
    ui::Zorbal& window = started.window;
    platform::HeadlessPlatform& platform = started.platform;
    void type(int index, const std::string& text) { started.type(index, text); }
    bool launch() { return started.launch(); }
    bool messagesEmpty() const { return started.messages().empty(); }
};

} // namespace zorbal::test
