// SPDX-License-Identifier: MIT
// The program's look: style, window colours and fonts, the same on every desktop.
#pragma once

class QApplication;
class QWidget;

namespace zorbal::ui::qt {

/// Gives the application the look the window was designed with: the Fusion style with push
/// buttons flat in exactly their colour, the window-system grey of dialogs (RGB 240, 240, 240)
/// and a small sans-serif font close to the design's, so the captions fit their designed
/// rectangles.
void applyDesignLook(QApplication& application);

/// Gives the application the palette of the look the window was designed with, or (true) of the
/// high-contrast look: white for the grey faces, black texts, disabled texts in a grey of 7:1 on
/// white, a dark selection under white text. The style and font stay.
void applyLookPalette(bool highContrast);

/// Gives a window of fixed size the buttons it can honour: minimise and close, no maximise.
void showFixedSizeButtons(QWidget& window);

} // namespace zorbal::ui::qt
