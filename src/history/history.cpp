// SPDX-License-Identifier: MIT
// The launch history table.
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::PrepareFlexGrid() {}
void Zorbal::AddLaunchtoFlexgrid() {}

} // namespace zorbal::ui
