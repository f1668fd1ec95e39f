// SPDX-License-Identifier: MIT
// The program's look: style, window colours and fonts, the same on every desktop.
#pragma once

class QApplication;

namespace zorbal::ui::qt {

/// Gives the application the look the window was designed with: the Fusion style, the
/// window-system grey of dialogs (RGB 240, 240, 240) and a small sans-serif font close to the
/// design's, so the captions fit their designed rectangles.
void applyDesignLook(QApplication& application);

} // namespace zorbal::ui::qt
