// SPDX-License-Identifier: MIT
// The splash window "frmSplash": its texts, and opening the main window from "OK" or the picture.
#pragma once

#include "platform/controls.h"
#include "ui/form.h"

#include <array>
#include <functional>
#include <span>
#include <string>
#include <string_view>

namespace zorbal::ui {

class Zorbal;

/// A font as designed: family, size in points, bold.
struct FontNote {
    std::string family;
    double pointSize = 8.25;
    bool isBold = false;
};

/// The splash window's area as designed, twips.
inline constexpr TwipsRect kSplashArea{0, 0, 6900, 9075};

/// The splash window's controls as designed, from the bottom up: the picture, the three labels
/// over it and "OK". Their fonts are the model's (Splash::fontOf).
std::span<const FormControl> splashForm();

/// The splash window. It opens the main window once; the view binds onShowMainWindow to show the
/// main window's widget and hides itself when `Visible` turns false.
class Splash {
  public:
    /// The splash of `mainWindow`, which has not been loaded yet.
    explicit Splash(Zorbal& mainWindow);
    Splash(const Splash&) = delete;
    Splash& operator=(const Splash&) = delete;

    std::array<platform::Label, 2> Label1; ///< title and maker, in red
    platform::Label Label3;                ///< the advice hint, in red
    platform::Button cmdOK;
    std::array<FontNote, 2> Label1Font;
    FontNote Label3Font;
    FontNote cmdOKFont;
    bool Visible = true;
    /// The main window has been opened from here.
    bool MainWindowShown = false;
    /// The splash was closed before the main window opened: the program ends.
    bool Unloaded = false;

    /// The label of the splash form named `id` ("Label1_0", "Label1_1", "Label3"), or nullptr.
    const platform::Label* labelOf(std::string_view id) const;
    /// The font of the label or button of the splash form named `id`, or nullptr.
    const FontNote* fontOf(std::string_view id) const;

    /// Called once when the main window is to be shown (after its Form_Load has run).
    std::function<void()> onShowMainWindow;

    /// "OK": runs the main window's Form_Load unless it has run, shows it, hides the splash.
    void cmdOK_Click();
    /// A click on the picture does what "OK" does.
    void Image1_Click() { cmdOK_Click(); }
    /// The splash window is closed by the window system before "OK": the program ends.
    void Form_Unload(int& Cancel);

  private:
    Zorbal& m_mainWindow;
};

} // namespace zorbal::ui
