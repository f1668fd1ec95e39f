// SPDX-License-Identifier: MIT
// The commentary of each launch.
#include "ui/zorbal.h"

namespace zorbal::ui {

void Zorbal::CommentaryCreation(int Stage) { (void)Stage; }

} // namespace zorbal::ui
