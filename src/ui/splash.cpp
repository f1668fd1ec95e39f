// SPDX-License-Identifier: MIT
// The splash window's texts and its opening of the main window.
#include "ui/splash.h"

#include "ui/zorbal.h"
#include "zorbal_version.h"

namespace zorbal::ui {

std::span<const FormControl> splashForm() {
    using K = ControlKind;
    static const FormControl kControls[] = {
        {.id = "Image1", .kind = K::Picture, .parent = "", .rect = {-120, 0, 7035, 9090}},
        {.id = "Label1_0", .kind = K::Label, .parent = "", .rect = {0, 0, 2895, 2415}},
        {.id = "Label1_1", .kind = K::Label, .parent = "", .rect = {120, 4200, 2175, 1335}},
        {.id = "Label3", .kind = K::Label, .parent = "", .rect = {5040, 720, 1815, 1455}},
        {.id = "cmdOK", .kind = K::Button, .parent = "", .rect = {5400, 2520, 975, 615}},
    };
    return kControls;
}

Splash::Splash(Zorbal& mainWindow) : m_mainWindow(mainWindow) {
    Label1[0].Caption = "Zorbal (v" ZORBAL_VERSION ")";
    Label1Font[0] = FontNote{"MS Sans Serif", 24, true};
    Label1[1].Caption = "Tarnwick Software";
    Label1Font[1] = FontNote{"MS Sans Serif", 13.5, true};
    Label3.Caption = "Hold the cursor over text boxes or buttons for advice";
    Label3Font = FontNote{"Arial", 9.75, true};
    for (platform::Label* label : {&Label1[0], &Label1[1], &Label3})
        label->ForeColor = platform::kRed;
    cmdOK.Caption = "OK";
    cmdOK.ToolTip = "Press this button to open the rocket design window.";
    cmdOKFont = FontNote{"MS Sans Serif", 18, true};
}

namespace {

/// The splash form's texts in the order of Splash's labels: Label1(0), Label1(1), Label3.
constexpr std::string_view kSplashLabels[] = {"Label1_0", "Label1_1", "Label3"};

/// The index of the splash label named `id` in kSplashLabels, or -1.
int splashLabelIndex(std::string_view id) {
    for (int i = 0; i < 3; ++i)
        if (kSplashLabels[i] == id)
            return i;
    return -1;
}

} // namespace

const platform::Label* Splash::labelOf(std::string_view id) const {
    const platform::Label* labels[] = {&Label1[0], &Label1[1], &Label3};
    const int i = splashLabelIndex(id);
    return i < 0 ? nullptr : labels[i];
}

const FontNote* Splash::fontOf(std::string_view id) const {
    if (id == "cmdOK")
        return &cmdOKFont;
    const FontNote* fonts[] = {&Label1Font[0], &Label1Font[1], &Label3Font};
    const int i = splashLabelIndex(id);
    return i < 0 ? nullptr : fonts[i];
}

void Splash::cmdOK_Click() {
    // The hidden splash receives no clicks; a second activation (e.g. a queued click) is ignored.
    if (MainWindowShown)
        return;
    if (!m_mainWindow.Loaded)
        m_mainWindow.Form_Load();
    MainWindowShown = true;
    if (onShowMainWindow)
        onShowMainWindow();
    Visible = false;
}

void Splash::Form_Unload(int& Cancel) {
    (void)Cancel;
    Unloaded = true;
}

} // namespace zorbal::ui
