// SPDX-License-Identifier: MIT
// A grid control model: cells with text, colours, bold and alignment.
#pragma once

namespace zorbal::platform {

/// The history table's grid.
class Grid {};

} // namespace zorbal::platform
