// SPDX-License-Identifier: MIT
// The help panel's advice texts: what the panel shows for each input, result, option, button,
// frame and tab page. Plain functions of an index, so the texts can be checked on their own.
#pragma once

#include <string>

namespace zorbal::ui {

/// Advice of design input `txtInput(index)`: description, units, valid range and warning, each
/// followed by an empty line except the last. The ranges are fixed texts, independent of the
/// limits table. An index outside 0..13 gives the "Click in a text field" hint.
std::string inputAdvice(int index);

/// Advice of result box `txtOutput(index)`: description and units; an index outside 0..13 gives
/// the same hint as inputAdvice.
std::string outputAdvice(int index);

/// Advice of option check box `chkOptions(index)`; empty for an index outside 0..3.
std::string optionAdvice(int index);

/// Advice of parachute trigger option `optParachute(index)`; empty for an index outside 0..1.
std::string triggerAdvice(int index);

/// Advice of tab page `index` of SSTab1, with its two line ends; empty outside 0..6.
std::string tabAdvice(int index);

/// The buttons and frames that have a fixed advice text of their own.
enum class AdvisedControl {
    cmdCheck,
    cmdDefault,
    cmdLaunch,
    cmdLaunch2,
    cmdOptimise,
    cmdSave,
    cmdLoad,
    cmdCopy,
    cmdSaveTraj,
    cmdCopyHistory,
    cmdSaveHistory,
    cmdCopyCommentary,
    cmdShowHelp,
    Frame1,
    Frame3,
    Frame4,
    Frame5,
    frmLauncher,
    frmParachute,
};

/// The whole panel text of a button or frame.
std::string controlAdvice(AdvisedControl control);

} // namespace zorbal::ui
