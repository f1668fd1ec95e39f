// SPDX-License-Identifier: MIT
// A Qt-free model of the window's controls: the properties the program's handlers touch, and the
// window system's rule that setting a value from code raises the control's click handler.
#pragma once

#include "platform/color.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zorbal::platform {

/// A text box. `Text` is the text as typed; the view mirrors every field.
struct TextBox {
    std::string Text;
    bool Enabled = true;
    bool Locked = false; ///< read-only for the user
    Color BackColor = kWhite;
    Color ForeColor = kBlack; ///< colour of the text
    std::string ToolTip;
};

/// A command button.
struct Button {
    std::string Caption;
    bool Enabled = true;
    bool Visible = true;
    Color BackColor = kButtonFace;
    std::string ToolTip;
};

/// A label or a frame: a caption that can be greyed out.
struct Label {
    std::string Caption;
    bool Enabled = true;
    std::string ToolTip;
    Color BackColor = kButtonFace;
    Color ForeColor = kBlack; ///< colour of the caption
};

/// A check box with the window system's values 0 (clear), 1 (ticked) and 2 (grey).
/// Giving it a different value from code runs its click handler, as a user's click would.
class CheckBox {
  public:
    std::string Caption;
    bool Enabled = true;
    /// The click handler, raised whenever the value changes.
    std::function<void()> onClick;

    int Value() const { return m_value; }
    /// Sets the value; runs onClick when it changed. Values outside 0..2 are taken as 1.
    void setValue(int value);

  private:
    int m_value = 0;
};

/// One option button of a group.
struct OptionButton {
    std::string Caption;
    bool Enabled = true;
    bool Value = false; ///< selected
};

/// A group of option buttons of which at most one is selected. Selecting one from code deselects
/// the others and runs the group's click handler with its index, as a user's click would.
class OptionGroup {
  public:
    explicit OptionGroup(std::size_t count = 0) : m_buttons(count) {}
    std::function<void(int index)> onClick;

    OptionButton& operator[](std::size_t i) { return m_buttons.at(i); }
    const OptionButton& operator[](std::size_t i) const { return m_buttons.at(i); }
    std::size_t size() const { return m_buttons.size(); }

    /// Selects button `index` and runs onClick, also when it was selected already.
    void select(int index);
    /// The selected index, or -1.
    int selected() const;

  private:
    std::vector<OptionButton> m_buttons;
};

/// A tab control. Selecting a different page from code runs the tab handler with the previous
/// page, as a user's click would.
class TabControl {
  public:
    explicit TabControl(std::vector<std::string> captions) : m_captions(std::move(captions)) {}
    std::function<void(int previousTab)> onClick;

    int Tab() const { return m_tab; }
    void setTab(int tab);
    const std::vector<std::string>& captions() const { return m_captions; }

  private:
    std::vector<std::string> m_captions;
    int m_tab = 0;
};

} // namespace zorbal::platform
