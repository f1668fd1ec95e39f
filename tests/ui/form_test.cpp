// SPDX-License-Identifier: MIT
// The form table: every control is bound to its model control, sits in a container made before
// it and inside it, names labels that exist; and the form's events reach the right handlers,
// refused where the control is disabled.
#include "support/window_fixture.h"
#include "ui/form.h"

#include <map>
#include <set>
#include <string>
#include <type_traits>

namespace zorbal::test {
namespace {

using ui::ControlKind;
using ui::FormEvent;
using FormTable = WindowTest;

bool boundAsItsKind(const ui::FormControl& control, const ui::ControlRef& model) {
    switch (control.kind) {
    case ControlKind::Tabs:
    case ControlKind::Shape:
    case ControlKind::Picture:
        return std::holds_alternative<std::monostate>(model);
    case ControlKind::Frame:
    case ControlKind::GraphKey:
    case ControlKind::Label:
        return std::holds_alternative<platform::Label*>(model);
    case ControlKind::InputBox:
    case ControlKind::OutputBox:
    case ControlKind::GraphLimit:
    case ControlKind::TextArea:
        return std::holds_alternative<platform::TextBox*>(model);
    case ControlKind::Button:
        return std::holds_alternative<platform::Button*>(model);
    case ControlKind::CheckBox:
        return std::holds_alternative<platform::CheckBox*>(model);
    case ControlKind::OptionButton:
        return std::holds_alternative<platform::OptionButton*>(model);
    case ControlKind::Graph:
        return std::holds_alternative<platform::DrawingSurface*>(model);
    case ControlKind::KeyLine:
        return std::holds_alternative<ui::KeyLine*>(model);
    case ControlKind::Grid:
        return std::holds_alternative<platform::Grid*>(model);
    case ControlKind::Choice: // the Investigate window's kinds; the main window has none
    case ControlKind::Progress:
        return false;
    }
    return false;
}

/// The address of the model control, or nullptr for none.
const void* addressOf(const ui::ControlRef& model) {
    return std::visit(
        [](const auto& p) -> const void* {
            if constexpr (std::is_pointer_v<std::decay_t<decltype(p)>>)
                return p;
            else
                return nullptr;
        },
        model);
}

TEST_F(FormTable, EveryControlIsBoundAndSitsInsideAContainerMadeBeforeIt) {
    std::map<std::string, ui::TwipsRect> made{{"", {0, 0, ui::kWidthWithHelp, 9990}}};
    std::set<const void*> models;
    for (const ui::FormControl& control : ui::mainForm()) {
        SCOPED_TRACE(std::string(control.id));
        const ui::ControlRef model = ui::controlOf(window, control.id);
        EXPECT_TRUE(boundAsItsKind(control, model));
        if (const void* address = addressOf(model)) {
            EXPECT_TRUE(models.insert(address).second); // one widget per model control
        }
        const auto parent = made.find(std::string(control.parent));
        ASSERT_NE(parent, made.end());
        EXPECT_GT(control.rect.width, 0);
        EXPECT_GT(control.rect.height, 0);
        EXPECT_GE(control.rect.left, 0);
        EXPECT_GE(control.rect.top, 0);
        EXPECT_LE(control.rect.left + control.rect.width, parent->second.width);
        // The key's sixth line lies below its frame, out of sight, as designed.
        if (control.id != "Line1_3") {
            EXPECT_LE(control.rect.top + control.rect.height, parent->second.height);
        }
        EXPECT_TRUE(made.emplace(std::string(control.id), control.rect).second); // names are unique
        if (control.kind == ControlKind::Tabs) {
            for (std::size_t page = 0; page < window.SSTab1.captions().size(); ++page)
                made.emplace(std::string(control.id) + "_page_" + std::to_string(page), control.rect);
        }
        for (std::string_view named : {control.caption, control.unit}) {
            if (!named.empty()) {
                EXPECT_NE(ui::findControl(named), nullptr) << " names " << named;
            }
        }
    }
    // Every box of the window's model has its place on the form.
    for (std::size_t i = 0; i < window.txtInput.size(); ++i)
        EXPECT_NE(ui::findControl("txtInput_" + std::to_string(i)), nullptr) << i;
    for (std::size_t i = 0; i < window.txtOutput.size(); ++i)
        EXPECT_NE(ui::findControl("txtOutput_" + std::to_string(i)), nullptr) << i;
    EXPECT_EQ(ui::controlOf(window, "txtInput_14"), ui::ControlRef());
    EXPECT_EQ(ui::controlOf(window, "txtInput_x"), ui::ControlRef());
    EXPECT_EQ(ui::controlIndex("Label1_07x"), -1);
}

TEST_F(FormTable, EventsReachTheirHandlersAndDisabledControlsTakeNone) {
    ui::FormActions actions(window);
    EXPECT_TRUE(actions.handles(FormEvent::Validate, "txtInput_0"));
    EXPECT_FALSE(actions.handles(FormEvent::Validate, "txtOutput_4"));
    EXPECT_FALSE(actions.run(FormEvent::Click, "noSuchControl"));

    // Typing and leaving the pressure box colours it by the danger.
    actions.run(FormEvent::Input, "txtInput_3", "6.3");
    EXPECT_EQ(window.txtInput[3].Text, "6.3");
    EXPECT_FALSE(actions.run(FormEvent::Validate, "txtInput_3"));
    EXPECT_EQ(window.txtInput[3].BackColor, platform::rgb(255, 25, 25));
    actions.run(FormEvent::Input, "txtInput_3", "3");

    // The rail's box is disabled until the rail is ticked; the click carries the new value.
    actions.run(FormEvent::Click, "chkOptions_2", "1");
    EXPECT_EQ(window.chkOptions[ui::OptionRail].Value(), 1);
    EXPECT_TRUE(window.txtInput[8].Enabled);

    // A disabled button takes no click; an enabled one runs its own handler.
    ASSERT_FALSE(window.cmdCopy.Enabled);
    actions.run(FormEvent::Click, "cmdCopy");
    EXPECT_TRUE(platform.clipboard.text.empty());
    actions.run(FormEvent::Click, "cmdLaunch");
    EXPECT_EQ(window.LaunchCount, 1);
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabTrajectory);
    actions.run(FormEvent::Click, "SSTab1_5");
    EXPECT_EQ(window.SSTab1.Tab(), ui::TabAdvanced);

    // A locked text area keeps its text; an open one takes what is typed.
    const std::string commentary = window.txtCommentary.Text;
    actions.run(FormEvent::Input, "txtCommentary", "typed");
    EXPECT_EQ(window.txtCommentary.Text, commentary);
    actions.run(FormEvent::Input, "Text1", "typed");
    EXPECT_EQ(window.Text1.Text, "typed");
}

} // namespace
} // namespace zorbal::test
