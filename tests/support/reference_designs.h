// SPDX-License-Identifier: MIT
// The reference designs typed into the window, with the options they need.
#pragma once

#include "support/reference_inputs.h"
#include "ui/zorbal.h"

#include <cstddef>

namespace zorbal::reference {

/// Types `design` into the window's input boxes.
inline void typeDesign(ui::Zorbal& w, const Design& design) {
    for (const auto& [index, text] : design)
        w.txtInput[static_cast<std::size_t>(index)].Text = text;
}

/// The worst realistic design with its parachute on, triggered by angle: a long parachute
/// descent of about 111,000 recorded steps.
inline void worstRealisticDesign(ui::Zorbal& w) {
    typeDesign(w, worstRealisticInputs());
    w.chkOptions[ui::OptionParachute].setValue(1);
    w.optParachute.select(ui::TriggerOnAngle);
}

/// The step-bound design with its parachute on, triggered by angle.
inline void stepBoundDesign(ui::Zorbal& w) {
    typeDesign(w, stepBoundInputs());
    w.chkOptions[ui::OptionParachute].setValue(1);
    w.optParachute.select(ui::TriggerOnAngle);
}

} // namespace zorbal::reference
