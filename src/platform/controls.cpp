// SPDX-License-Identifier: MIT
// Code-raised click semantics of the controls model.
#include "platform/controls.h"

namespace zorbal::platform {

void CheckBox::setValue(int value) {
    if (value < 0 || value > 2)
        value = 1;
    if (value == m_value)
        return;
    m_value = value;
    if (onClick)
        onClick();
}

void OptionGroup::select(int index) {
    auto& button = m_buttons.at(static_cast<std::size_t>(index));
    for (auto& other : m_buttons)
        other.Value = false;
    button.Value = true;
    if (onClick)
        onClick(index);
}

int OptionGroup::selected() const {
    for (std::size_t i = 0; i < m_buttons.size(); ++i)
        if (m_buttons[i].Value)
            return static_cast<int>(i);
    return -1;
}

void TabControl::setTab(int tab) {
    if (tab < 0 || tab >= static_cast<int>(m_captions.size()) || tab == m_tab)
        return;
    const int previous = m_tab;
    m_tab = tab;
    if (onClick)
        onClick(previous);
}

} // namespace zorbal::platform
