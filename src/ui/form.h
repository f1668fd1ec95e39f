// SPDX-License-Identifier: MIT
// The main window's form, described once: every control's name, kind, container, designed
// rectangle, caption and unit labels, group, text style and the handlers its events call. The Qt
// window and the web page both build their widgets from this table, in its order, which is also
// the order the Tab key visits the controls; the model control behind a name and the event
// handlers are found here too, so a front end only turns widgets' events into these calls.
#pragma once

#include "ui/zorbal.h"

#include <cstdint>
#include <functional>
#include <map>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace zorbal::ui {

/// What a control is; each front end makes its own widget for each kind.
enum class ControlKind : std::uint8_t {
    Tabs,         ///< the tab control: its pages are "<id>_page_<n>", one per caption
    Frame,        ///< a group box with a caption
    Label,        ///< a caption, a unit or a heading
    InputBox,     ///< a design box: typed into, clicked for advice, validated when left
    OutputBox,    ///< a result box: read-only, clicked for advice
    GraphLimit,   ///< a graph's axis maximum: validated when left, and when Enter is pressed
    TextArea,     ///< several lines of text
    Button,       ///< a command button
    CheckBox,     ///< a check box
    OptionButton, ///< one of a group of option buttons
    Graph,        ///< a picture box painted from its display list
    GraphKey,     ///< the key frame inside a graph
    KeyLine,      ///< a line sample of a graph's key
    Grid,         ///< the history table
    Shape,        ///< a filled rectangle of the history table's legend
    Picture,      ///< a picture stretched over its rectangle, clicked like a button
    Choice,       ///< a drop-down list of entries, one chosen
    Progress,     ///< a progress bar
};

/// Where a label's text stands in its rectangle.
enum class TextAlign : std::uint8_t {
    TopLeft,
    MiddleLeft, ///< a caption or unit beside a box, centred on the box's height
    Centre,
    TopCentre,
    TopRight,
    BottomRight,
};

/// Designed positions and sizes, twips, relative to the control's container.
struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

/// Details of how a control shows itself.
enum FormFlag : std::uint8_t {
    FlagNone = 0,
    FlagWraps = 1,      ///< a check box whose caption wraps inside its rectangle
    FlagScrolls = 2,    ///< a text area whose vertical scroll bar is always shown
    FlagNoLineWrap = 4, ///< a text area whose lines do not wrap; both scroll bars always shown
};

/// A handler of the window module for a control's event.
using FormHandler = void (*)(Zorbal&);

/// One control of the form as designed.
struct FormControl {
    std::string_view id;     ///< the control's name, with "_<index>" for an element of an array
    ControlKind kind;        ///< what it is
    std::string_view parent; ///< the frame, graph or tab page ("SSTab1_page_1") holding it; "": the window
    TwipsRect rect;          ///< where it stands in its container
    std::string_view caption =
        {}; ///< the control that names a box, text area or grid: its label or option button
    std::string_view unit = {};  ///< the label of a box's unit
    std::string_view group = {}; ///< option buttons of one group share it
    double points = 0;           ///< its font size; 0: the window's
    bool bold = false;
    TextAlign align = TextAlign::TopLeft;
    std::uint8_t flags = FlagNone;
    platform::Color color = 0;   ///< a shape's fill colour
    FormHandler click = nullptr; ///< a button's or frame's click
    FormHandler move = nullptr;  ///< mouse movement over a frame or graph
};

/// The main window's controls in tab order; a container comes before what it holds.
std::span<const FormControl> mainForm();
/// The control named `id`, or nullptr.
const FormControl* findControl(std::string_view id);
/// The index of an array element's name ("txtInput_3" is 3), or -1.
int controlIndex(std::string_view id);

/// The model control behind a name of the form.
using ControlRef =
    std::variant<std::monostate, TextBox*, Button*, Label*, platform::CheckBox*, platform::OptionButton*,
                 KeyLine*, platform::DrawingSurface*, platform::Grid*>;
ControlRef controlOf(FormControls& controls, std::string_view id);

/// The events a front end passes on.
enum class FormEvent : std::uint8_t {
    Click,    ///< a click; a check box's new value comes with it
    Move,     ///< mouse movement over the control
    Input,    ///< the text typed into a box, which comes with it
    Validate, ///< the focus leaves a box; cancelled when the box keeps the focus
};

/// The window module's handlers for the form's events, found by control name. Disabled and
/// hidden controls take no click, whatever the front end's widget did.
class FormActions {
  public:
    explicit FormActions(Zorbal& window);
    /// Runs the handler of `event` on control `id` with `value`; unknown pairs do nothing.
    /// Returns true when a validation cancelled the move of the focus.
    bool run(FormEvent event, std::string_view id, std::string_view value = {});
    /// True when control `id` has a handler for `event`.
    bool handles(FormEvent event, std::string_view id) const;

  private:
    using Action = std::function<bool(std::string_view value)>;
    void on(FormEvent event, std::string_view id, Action action);
    static std::string key(FormEvent event, std::string_view id);
    std::map<std::string, Action, std::less<>> m_actions;
};

} // namespace zorbal::ui
