// SPDX-License-Identifier: MIT
// The design the window shows, and a design file's text loaded into the window as "Load" does.
#include "ui/design_loader.h"

#include "ui/zorbal.h"

#include <utility>

namespace zorbal::ui {

files::DesignTexts designTexts(const Zorbal& window) {
    files::DesignTexts design;
    for (std::size_t i = 0; i < design.inputs.size(); ++i)
        design.inputs[i] = window.txtInput[i].Text;
    design.railTicked = window.chkOptions[OptionRail].Value() == 1;
    design.parachuteTicked = window.chkOptions[OptionParachute].Value() == 1;
    design.triggerByAngle = window.optParachute[TriggerOnAngle].Value;
    return design;
}

namespace {

void applyDesignLine(Zorbal& w, const files::DesignLine& line) {
    switch (line.target) {
    case files::DesignTarget::None:
        break;
    case files::DesignTarget::InputBox:
        w.txtInput[static_cast<std::size_t>(line.input)].Text = line.valueText;
        break;
    case files::DesignTarget::LaunchRail: {
        const bool isOn = line.value > 0.5;
        w.chkOptions[OptionRail].setValue(isOn ? 1 : 0);
        w.txtInput[8].Enabled = isOn;
        break;
    }
    case files::DesignTarget::Parachute: {
        const bool isOn = line.value >= 0.01;
        w.chkOptions[OptionParachute].setValue(isOn ? 1 : 0);
        w.frmParachute.Enabled = isOn;
        w.txtInput[13].Text = line.valueText;
        for (int i : {30, 34, 35})
            w.lblInput[static_cast<std::size_t>(i)].Enabled = isOn;
        for (int i : {11, 12, 13})
            w.txtInput[static_cast<std::size_t>(i)].Enabled = isOn;
        w.optParachute[TriggerOnAngle].Enabled = isOn;
        w.optParachute[TriggerOnDelay].Enabled = isOn;
        break;
    }
    case files::DesignTarget::Trigger:
        w.optParachute.select(files::isAngleTrigger(line.rawValue) ? 0 : 1);
        break;
    }
}

// The trigger line follows the parachute line in a saved file, and selecting a trigger enables
// its input whether or not the parachute is on. Without the parachute the whole group stays
// disabled, as it is after the user clears the parachute.
void disableTriggerInputsWithoutParachute(Zorbal& w) {
    if (w.chkOptions[OptionParachute].Value() == 1)
        return;
    for (int i : {11, 12})
        w.txtInput[static_cast<std::size_t>(i)].Enabled = false;
    for (int i : {30, 32})
        w.lblInput[static_cast<std::size_t>(i)].Enabled = false;
}

} // namespace

bool applyDesignFile(Zorbal& window, std::string_view content) {
    // A design file is a few hundred bytes of text. A NUL character or a size far beyond any
    // design means another kind of file was chosen: none of it is applied.
    if (content.size() > files::kMaxDesignFileBytes || content.find('\0') != std::string_view::npos)
        return false;
    files::DesignFieldReader reader(content);
    std::string field;
    do {
        if (!reader.read(field)) {
            disableTriggerInputsWithoutParachute(window);
            return false;
        }
        files::DesignLine line = files::parseDesignLine(field);
        if (const auto tail = reader.commaTail()) {
            if (auto whole = files::joinCommaValue(line, *tail)) {
                line = std::move(*whole);
                reader.skipCommaTail();
            }
        }
        applyDesignLine(window, line);
    } while (!reader.atEnd());
    disableTriggerInputsWithoutParachute(window);
    window.AssignParameters();
    window.CalculateLaunchParameters();
    return true;
}

} // namespace zorbal::ui
