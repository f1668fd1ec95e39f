// SPDX-License-Identifier: MIT
// A picture box as a drawing surface that records what is drawn as a display list.
#pragma once

namespace zorbal::platform {

/// Records drawing in user coordinates; see the graphs for its use.
class DrawingSurface {};

} // namespace zorbal::platform
