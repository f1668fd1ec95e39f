// SPDX-License-Identifier: MIT
// The window module's construction, start-up and shut-down.
#include "ui/zorbal.h"

#include "sim/physics.h"

namespace zorbal::ui {

Zorbal::Zorbal(platform::Services services) : m_services(services) {
    for (int i = 0; i < static_cast<int>(chkOptions.size()); ++i)
        chkOptions[i].onClick = [this, i] { chkOptions_Click(i); };
    optParachute.onClick = [this](int index) { optParachute_Click(index); };
    SSTab1.onClick = [this](int previousTab) { SSTab1_Click(previousTab); };
    InitializeComponent();
}

void Zorbal::MsgBox(const std::string& text) {
    m_services.messageBox->show(text);
}

void Zorbal::Form_Load() {
    Pi = sim::kPi;
    MinMaxAssignment();
    ScaleXYGraph();
    for (int i = 0; i <= 7; ++i)
        Line1[i].BorderWidth = 2;
    Line1[8].BorderWidth = 1;
    Line1[0].BorderColor = platform::kMagenta;
    Line1[1].BorderColor = platform::kRed;
    Line1[2].BorderColor = platform::kBlue;
    Line1[4].BorderColor = platform::kRed;
    Line1[5].BorderColor = platform::kGreen;
    Line1[6].BorderColor = platform::kMagenta;
    Line1[7].BorderColor = platform::kOrange;
    Line1[8].BorderColor = platform::kBlue;
    const platform::Color keyBackground = platform::rgb(200, 240, 255);
    Frame8.BackColor = keyBackground;
    for (int i = 3; i <= 7; ++i)
        Label2[i].BackColor = keyBackground;
    ResetLaunchParameters();
    Rocket.LaunchRailUsed = false;
    Rocket.RailLength = 0.5;
    TrajectoryCapacity = 5000;
    SSTab1.setTab(TabRocketDesign);
    SSTab1_Click(0);
    TabAfterLaunch = 2;
    CountLaunch = true;
    PrepareFlexGrid();
    HelpPanelShown = true;
    m_services.windowFrame->setOuterWidthTwips(kWidthWithHelp);
    Loaded = true;
}

void Zorbal::Form_Unload(int& Cancel) {
    (void)Cancel;
    Unloaded = true;
}

} // namespace zorbal::ui
