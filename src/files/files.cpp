// SPDX-License-Identifier: MIT
// Design files, trajectory and history exports, commentary copy.
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::cmdSave_Click() {}
void Zorbal::cmdLoad_Click() {}
void Zorbal::cmdCopy_Click() {}
void Zorbal::cmdSaveTraj_Click() {}
void Zorbal::cmdCopyHistory_Click() {}
void Zorbal::cmdSaveHistory_Click() {}
void Zorbal::cmdCopyCommentary_Click() {}

} // namespace zorbal::ui
