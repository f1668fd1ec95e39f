// SPDX-License-Identifier: MIT
// One candidate of a sweep flown through a started window on headless services.
#pragma once

#include "explore/grid.h"
#include "explore/rows.h"
#include "platform/headless.h"
#include "ui/zorbal.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zorbal::explore {

/// Prepares a started window with the design common to all candidates (texts typed into the
/// boxes, options ticked), as a user would before typing the candidate's values.
using DesignSetter = std::function<void(ui::Zorbal&)>;

/// A started window on headless services that flies one candidate after another, each as the
/// first launch after start-up: the whole window (controls and module state) goes back to its
/// state after start-up and the common design before each candidate. Not thread-safe; one per
/// thread.
class CandidateFlyer {
  public:
    explicit CandidateFlyer(const DesignSetter& setDesign);
    CandidateFlyer(const CandidateFlyer&) = delete;
    CandidateFlyer& operator=(const CandidateFlyer&) = delete;

    /// Types candidate `index`'s texts into the boxes and presses "Launch!" without drawing,
    /// history or commentary: the launch's checks (refusal message taken from the message box),
    /// then the flight and the three result texts exactly as the window makes them.
    SweepRow fly(const SweepGrid& grid, std::size_t index);

    /// The same for a candidate given by its texts: `texts[k]` typed into box `inputs[k]`; the
    /// row's index is `index`.
    SweepRow fly(std::size_t index, const std::vector<int>& inputs, const std::vector<std::string>& texts);

    /// Puts the window back to its state after start-up and the common design, then types
    /// `texts[k]` into box `inputs[k]`.
    void typeCandidate(const std::vector<int>& inputs, const std::vector<std::string>& texts);

    /// The window: after construction (before the first flight) it shows the common design.
    const ui::Zorbal& window() const { return m_window; }

  private:
    platform::HeadlessPlatform m_platform;
    ui::Zorbal m_window;
    /// The window's controls and module state after start-up and the common design.
    ui::FormControls m_startControls;
    ui::ModuleState m_startState;
};

} // namespace zorbal::explore
