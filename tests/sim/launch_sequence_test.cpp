// SPDX-License-Identifier: MIT
#include "support/window_fixture.h"
