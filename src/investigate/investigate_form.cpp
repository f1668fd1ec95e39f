// SPDX-License-Identifier: MIT
#include "investigate/investigate.h"

#include <algorithm>

namespace zorbal::investigate {

std::span<const ui::FormControl> investigateForm() {
    return {};
}

const ui::FormControl* findInvestigateControl(std::string_view id) {
    const auto form = investigateForm();
    const auto it =
        std::find_if(form.begin(), form.end(), [id](const ui::FormControl& c) { return c.id == id; });
    return it == form.end() ? nullptr : &*it;
}

} // namespace zorbal::investigate
