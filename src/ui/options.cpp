// SPDX-License-Identifier: MIT
// Handlers of the option check boxes, the parachute trigger options, the tabs, the frames and
// the help panel button.
#include "ui/zorbal.h"

#include <algorithm>
#include <chrono>
#include <cmath>

namespace zorbal::ui {

void Zorbal::chkOptions_Click(int Index) {
    switch (Index) {
    case OptionLatestOnly:
        Replot();
        break;
    case OptionRail: {
        const bool isOn = chkOptions[OptionRail].Value() == 1;
        Rocket.LaunchRailUsed = isOn;
        txtInput[8].Enabled = isOn;
        lblInput[25].Enabled = isOn;
        break;
    }
    case OptionParachute: {
        const bool isOn = chkOptions[OptionParachute].Value() == 1;
        Rocket.ParachuteOn = isOn;
        optParachute[TriggerOnAngle].Enabled = isOn;
        optParachute[TriggerOnDelay].Enabled = isOn;
        frmParachute.Enabled = isOn;
        for (int i : {11, 12, 13})
            txtInput[i].Enabled = isOn;
        for (int i : {30, 32, 34, 35})
            lblInput[i].Enabled = isOn;
        break;
    }
    default:
        break;
    }
}

void Zorbal::optParachute_Click(int Index) {
    const bool byAngle = Index == TriggerOnAngle;
    txtInput[11].Enabled = byAngle;
    lblInput[30].Enabled = byAngle;
    txtInput[12].Enabled = !byAngle;
    lblInput[32].Enabled = !byAngle;
}

namespace {

/// The animation ends this long after the press, however slowly the window repaints: one-twip
/// steps while the event pump keeps up, longer steps when it falls behind, and a final jump to
/// the resting width if the time runs out. Leaves headroom below half a second for the last
/// repaint.
constexpr std::chrono::milliseconds kHelpPanelAnimationTime{400};

/// A ceiling on the steps of one animation, so that it ends even if the clock stands still while
/// presses keep turning it round (two full sweeps).
constexpr int kHelpPanelMaximumSteps = 2 * (kWidthWithHelp - kWidthWithoutHelp) + 2;

} // namespace

// The width is stepped by a counter of requested widths rather than by reading the width back:
// a window system that rounds widths to whole pixels, or refuses a size, would otherwise hold
// the read-back width still and the loop would never reach its target.
//
// A press that arrives while the animation runs (from inside doEvents) turns it round: it flips
// HelpPanelShown and the busy caption, and returns at once; the running loop then heads for the
// new target. Only the outermost press moves the window, so no two loops ever pull against each
// other, and the resting state always follows the last press.
void Zorbal::cmdShowHelp_Click(int Index) {
    (void)Index; // the control array has its element 0 only
    Button& button = cmdShowHelp[0];
    HelpPanelShown = !HelpPanelShown;
    button.Caption = HelpPanelShown ? "Please wait..." : "Hiding...";
    if (m_isHelpPanelMoving)
        return;
    m_isHelpPanelMoving = true;
    // Cleared however the loop is left, so a failure in a nested handler cannot freeze the button.
    struct MovingFlag {
        bool& isMoving;
        ~MovingFlag() { isMoving = false; }
    } movingFlag{m_isHelpPanelMoving};

    platform::WindowFrame& frame = *m_services.windowFrame;
    const auto deadline = helpPanelClock() + kHelpPanelAnimationTime;
    auto targetOf = [this] { return HelpPanelShown ? kWidthWithHelp : kWidthWithoutHelp; };

    int requested = frame.outerWidthTwips();
    int target = targetOf();
    // The leg being run: from where, towards which width, starting when.
    int legStart = requested;
    auto legStartTime = helpPanelClock();
    int steps = 0;
    while (requested != target) {
        const auto now = helpPanelClock();
        if (now >= deadline || steps >= kHelpPanelMaximumSteps)
            break;
        // Where the leg should be by now if it is to arrive at the deadline.
        const double fraction = std::chrono::duration<double>(now - legStartTime) /
                                std::chrono::duration<double>(deadline - legStartTime);
        const int scheduled =
            legStart + static_cast<int>(std::lround((target - legStart) * std::min(fraction, 1.0)));
        const int direction = target > requested ? 1 : -1;
        requested = direction > 0 ? std::min(target, std::max(requested + 1, scheduled))
                                  : std::max(target, std::min(requested - 1, scheduled));
        frame.setOuterWidthTwips(requested);
        ++steps;
        m_services.eventPump->doEvents();
        if (targetOf() != target) {
            target = targetOf();
            legStart = requested;
            legStartTime = helpPanelClock();
        }
    }
    // Out of time: settle exactly on the resting width, without yielding again, so that no
    // further press can slip in between the width and the caption.
    if (requested != target)
        frame.setOuterWidthTwips(target);
    if (HelpPanelShown) {
        button.Caption = "Hide Help";
        button.ToolTip = "";
    } else {
        button.Caption = "Show Help";
        button.ToolTip = "Clicking on this button will show the help window.";
    }
}

} // namespace zorbal::ui
