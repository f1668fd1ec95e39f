// SPDX-License-Identifier: MIT
#include "platform/headless.h"
#include "ui/zorbal.h"

#include <gtest/gtest.h>

#include <chrono>
#include <functional>
#include <vector>

namespace zorbal::test {
namespace {

using namespace std::chrono_literals;
using ui::kWidthWithHelp;
using ui::kWidthWithoutHelp;

/// A window frame that records every width asked for, and may round or refuse it.
class TestFrame final : public platform::WindowFrame {
  public:
    int outerWidthTwips() const override { return width; }
    void setOuterWidthTwips(int twips) override {
        requests.push_back(twips);
        if (refuses && refuses(twips))
            return;
        width = roundTo > 1 ? (twips + roundTo / 2) / roundTo * roundTo : twips;
    }
    int width = kWidthWithHelp;
    int roundTo = 1;
    std::function<bool(int)> refuses;
    std::vector<int> requests;
};

/// A started window on a test frame and a clock that moves only when the events are processed.
class HelpPanel : public ::testing::Test {
  protected:
    HelpPanel() : window(servicesWithFrame()) {
        window.Form_Load();
        frame.requests.clear();
        window.helpPanelClock = [this] { return now; };
        platform.eventPump.onEachCall = [this] {
            now += tick;
            if (onEvents)
                onEvents(platform.eventPump.calls);
        };
    }
    platform::Services servicesWithFrame() {
        auto services = platform.services();
        services.windowFrame = &frame;
        return services;
    }
    void press() { window.cmdShowHelp_Click(0); }
    void expectShown() {
        EXPECT_TRUE(window.HelpPanelShown);
        EXPECT_EQ(frame.requests.back(), kWidthWithHelp);
        EXPECT_EQ(window.cmdShowHelp[0].Caption, "Hide Help");
        EXPECT_EQ(window.cmdShowHelp[0].ToolTip, "");
    }
    void expectHidden() {
        EXPECT_FALSE(window.HelpPanelShown);
        EXPECT_EQ(frame.requests.back(), kWidthWithoutHelp);
        EXPECT_EQ(window.cmdShowHelp[0].Caption, "Show Help");
        EXPECT_EQ(window.cmdShowHelp[0].ToolTip, "Clicking on this button will show the help window.");
    }
    /// Asks the pump to press the button again while it processes events for the `call`-th time.
    void pressDuringCall(int call) {
        pressCalls.push_back(call);
        onEvents = [this](int calls) {
            for (int c : pressCalls)
                if (c == calls)
                    platform.eventPump.post([this] { press(); });
        };
    }

    platform::HeadlessPlatform platform;
    TestFrame frame;
    ui::Zorbal window;
    std::chrono::steady_clock::time_point now{};
    std::chrono::steady_clock::duration tick{};
    std::function<void(int calls)> onEvents;
    std::vector<int> pressCalls;
};

TEST_F(HelpPanel, HidingAndShowingMoveOneTwipPerStepAndRestOnTheExactWidths) {
    std::vector<std::string> captions;
    onEvents = [&](int) { captions.push_back(window.cmdShowHelp[0].Caption); };
    press();
    expectHidden();
    EXPECT_EQ(frame.width, kWidthWithoutHelp);
    ASSERT_EQ(platform.eventPump.calls, 3000);
    for (std::size_t i = 0; i < 3000; ++i)
        ASSERT_EQ(frame.requests[i], kWidthWithHelp - 1 - static_cast<int>(i));
    EXPECT_EQ(captions.front(), "Hiding...");

    captions.clear();
    press();
    expectShown();
    EXPECT_EQ(frame.width, kWidthWithHelp);
    EXPECT_EQ(captions.front(), "Please wait...");
}

TEST_F(HelpPanel, EndsOnAWindowThatRoundsWidthsToWholePixels) {
    frame.roundTo = 15; // 96 dots per inch
    press();
    expectHidden();
    EXPECT_EQ(frame.width, kWidthWithoutHelp);
    press();
    expectShown();
    EXPECT_EQ(frame.width, kWidthWithHelp);

    frame.roundTo = 10; // 144 dots per inch: neither width is a whole number of pixels
    press();
    expectHidden();
    press();
    expectShown();
}

TEST_F(HelpPanel, EndsOnAWindowThatRefusesSizes) {
    frame.refuses = [](int twips) { return twips > 13000 && twips < 14000; };
    press();
    expectHidden();
    EXPECT_EQ(frame.width, kWidthWithoutHelp);

    // A window stuck at one size: the animation still runs its course and ends.
    frame.refuses = [](int) { return true; };
    const int callsBefore = platform.eventPump.calls;
    press();
    expectShown();
    EXPECT_EQ(platform.eventPump.calls - callsBefore, 3000);
}

TEST_F(HelpPanel, ASecondPressDuringTheAnimationTurnsItRound) {
    pressDuringCall(1000);
    press();
    expectShown();
    EXPECT_EQ(frame.width, kWidthWithHelp);
    // Down for a thousand steps, then straight back up: never away from the target after the press.
    for (std::size_t i = 1; i < frame.requests.size(); ++i) {
        const int move = frame.requests[i] - frame.requests[i - 1];
        EXPECT_EQ(move, i < 1000 ? -1 : 1) << i;
    }
}

TEST_F(HelpPanel, TheLastOfSeveralPressesDecidesTheRestingState) {
    pressDuringCall(500);
    pressDuringCall(700);
    press();
    expectHidden();
    EXPECT_EQ(frame.width, kWidthWithoutHelp);

    // A press while the last step's events are processed sends the window back.
    frame.requests.clear();
    pressCalls.clear();
    pressDuringCall(platform.eventPump.calls + 3000);
    press();
    expectHidden();
}

TEST_F(HelpPanel, ASlowWindowStillFinishesWithinHalfASecond) {
    tick = 5ms;
    const auto start = now;
    press();
    expectHidden();
    EXPECT_LE(now - start, 500ms);
    EXPECT_GT(platform.eventPump.calls, 50); // still animated, in longer steps

    // One very slow repaint: the next step jumps to the end.
    tick = 0ms;
    onEvents = [&](int) { now += 2s; };
    press();
    expectShown();
}

TEST_F(HelpPanel, EndsEvenWhenPressesKeepArrivingAndTheClockStandsStill) {
    onEvents = [&](int) { platform.eventPump.post([this] { press(); }); };
    press();
    // The resting state agrees with the width it was left at.
    EXPECT_EQ(frame.requests.back(), window.HelpPanelShown ? kWidthWithHelp : kWidthWithoutHelp);
    EXPECT_EQ(window.cmdShowHelp[0].Caption, window.HelpPanelShown ? "Hide Help" : "Show Help");
}

} // namespace
} // namespace zorbal::test
