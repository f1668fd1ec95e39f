// SPDX-License-Identifier: MIT
// Design files as the window uses them: the design read from and written into the window's
// controls (the "Save" and "Load" handlers, zorbal-cli --design and the sweeps use these).
#pragma once

#include "files/design_file.h"

#include <string_view>

namespace zorbal::ui {

class Zorbal;

/// The design the window shows: the input texts, the rail and parachute options and the trigger.
files::DesignTexts designTexts(const Zorbal& window);

/// Loads a design file's text into the window as "Load" does: each field sets its box or option
/// (options through their click handlers, as a user's click would), then the design is read
/// into the launch record and the pre-launch values are recomputed. Returns false when the text
/// cannot be read (an empty text, a field over files::kMaxFieldLength characters); the fields read
/// before that stay applied and nothing is recomputed. A text over files::kMaxDesignFileBytes or with a
/// NUL character is refused before anything is applied.
bool applyDesignFile(Zorbal& window, std::string_view content);

/// What "Load" says when it cannot open a file.
inline constexpr const char* kCannotOpenDesign = "Sorry, the program can't open that file.";

} // namespace zorbal::ui
