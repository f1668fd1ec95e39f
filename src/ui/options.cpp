// SPDX-License-Identifier: MIT
// Handlers of the option check boxes, the parachute trigger options, the tabs, the frames and
// the help panel button.
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::chkOptions_Click(int Index) {
    switch (Index) {
    case 0:
        Replot();
        break;
    case 2: {
        const bool isOn = chkOptions[2].Value() == 1;
        Rocket.LaunchRailUsed = isOn;
        txtInput[8].Enabled = isOn;
        lblInput[25].Enabled = isOn;
        break;
    }
    case 3: {
        const bool isOn = chkOptions[3].Value() == 1;
        Rocket.ParachuteOn = isOn;
        optParachute[0].Enabled = isOn;
        optParachute[1].Enabled = isOn;
        frmParachute.Enabled = isOn;
        for (int i : {11, 12, 13})
            txtInput[i].Enabled = isOn;
        for (int i : {30, 32, 34, 35})
            lblInput[i].Enabled = isOn;
        break;
    }
    default:
        break;
    }
}

void Zorbal::optParachute_Click(int Index) {
    const bool byAngle = Index == 0;
    txtInput[11].Enabled = byAngle;
    lblInput[30].Enabled = byAngle;
    txtInput[12].Enabled = !byAngle;
    lblInput[32].Enabled = !byAngle;
}

} // namespace zorbal::ui
