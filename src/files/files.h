// SPDX-License-Identifier: MIT
// Design files and exports as the window uses them: the design read from and written into the
// window's controls. The handlers themselves are members of ui::Zorbal.
#pragma once

#include "files/design_file.h"
#include "ui/zorbal.h"

#include <string_view>

namespace zorbal::files {

/// The design the window shows: the input texts, the rail and parachute options and the trigger.
DesignTexts designTexts(const ui::Zorbal& window);

/// Loads a design file's text into the window as "Load" does: each field sets its box or option
/// (options through their click handlers, as a user's click would), then the design is read
/// into the launch record and the pre-launch values are recomputed. Returns false when the text
/// cannot be read (an empty text, a field over kMaxFieldLength characters); the fields read
/// before that stay applied and nothing is recomputed. A text over kMaxDesignFileBytes or with a
/// NUL character is refused before anything is applied.
bool applyDesignFile(ui::Zorbal& window, std::string_view content);

} // namespace zorbal::files
