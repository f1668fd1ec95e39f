// SPDX-License-Identifier: MIT
// The main window's mirroring: the window module's controls copied into the widgets.
#include "ui/qt/main_window.h"

#include "platform/contrast.h"
#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"
#include "platform/qt/qt_color.h"
#include "ui/qt/design_widgets.h"

#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zorbal::ui::qt {

using platform::qt::toQColor;
using platform::qt::toQtText;

namespace {

/// Sets one palette role in every colour group, so a disabled box keeps its background.
void setRole(QWidget* widget, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = widget->palette();
    for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled})
        palette.setColor(group, role, color);
    widget->setPalette(palette);
}

template <typename Widget, typename Value>
void setIfChanged(Widget* widget, const Value& current, const Value& wanted,
                  void (Widget::*setter)(const Value&)) {
    if (current != wanted)
        (widget->*setter)(wanted);
}

/// Shows `text` in a line box or on a button unless it shows it already.
template <typename Widget> void mirrorText(Widget* widget, const std::string& text) {
    const QString wanted = QString::fromStdString(text);
    if (widget->text() != wanted)
        widget->setText(wanted);
}

void mirrorToolTip(QWidget* widget, const std::string& tip) {
    setIfChanged<QWidget, QString>(widget, widget->toolTip(), QString::fromStdString(tip),
                                   &QWidget::setToolTip);
}

/// Enables or disables a widget as its control is, whatever its parents are.
void mirrorEnabled(QWidget* widget, bool enabled) {
    if (widget->isEnabledTo(widget->parentWidget()) != enabled)
        widget->setEnabled(enabled);
}

/// True when a control's colour differs from the one last set on its widget, which becomes
/// `wanted`: palettes are set only on a change.
bool colourChanged(platform::Color& shown, platform::Color wanted) {
    if (shown == wanted)
        return false;
    shown = wanted;
    return true;
}

} // namespace

platform::Color MainWindow::lookBack(platform::Color back) const {
    return m_highContrast ? platform::highContrastBack(back) : back;
}

platform::Color MainWindow::lookFore(platform::Color fore, platform::Color back) const {
    return m_highContrast ? platform::highContrastFore(fore, back) : fore;
}

void MainWindow::paintText(QWidget* widget, QPalette::ColorRole role, platform::Color fore,
                           platform::Color back) const {
    QPalette palette = widget->palette();
    const QColor shown = toQColor(lookFore(fore, back));
    palette.setColor(QPalette::Active, role, shown);
    palette.setColor(QPalette::Inactive, role, shown);
    // A disabled text keeps the look's grey, made readable on a coloured back in high contrast.
    palette.setColor(QPalette::Disabled, role,
                     m_highContrast ? toQColor(platform::highContrastDisabled(back))
                                    : QApplication::palette().color(QPalette::Disabled, role));
    widget->setPalette(palette);
}

template <typename Binding> void MainWindow::mirrorBoxState(Binding& binding) {
    const TextBox& box = *binding.model;
    auto* widget = binding.widget;
    mirrorEnabled(widget, box.Enabled);
    if (widget->isReadOnly() != box.Locked)
        widget->setReadOnly(box.Locked);
    const bool backChanged = colourChanged(binding.shownBack, box.BackColor);
    const bool foreChanged = colourChanged(binding.shownFore, box.ForeColor);
    if (backChanged)
        setRole(widget, QPalette::Base, toQColor(lookBack(box.BackColor)));
    if (backChanged || foreChanged)
        paintText(widget, QPalette::Text, box.ForeColor, box.BackColor);
}

void MainWindow::refreshLabel(LabelBinding& binding) {
    const Label& label = *binding.model;
    QWidget* widget = binding.widget;
    const QString caption = QString::fromStdString(label.Caption);
    if (auto* text = qobject_cast<QLabel*>(widget))
        setIfChanged<QLabel, QString>(text, text->text(), caption, &QLabel::setText);
    else if (auto* frame = qobject_cast<QGroupBox*>(widget))
        setIfChanged<QGroupBox, QString>(frame, frame->title(), caption, &QGroupBox::setTitle);
    mirrorEnabled(widget, label.Enabled);
    mirrorToolTip(widget, label.ToolTip);
    const bool backChanged = colourChanged(binding.shownBack, label.BackColor);
    const bool foreChanged = colourChanged(binding.shownFore, label.ForeColor);
    if (backChanged)
        setRole(widget, QPalette::Window, toQColor(lookBack(label.BackColor)));
    // A label or frame in the window's own colour lets the style's shading of tab pages and
    // frames show through; any other colour is painted, so a graph's key hides the curves behind
    // it. A label in the colour of the painted frame around it shows the frame's own shading
    // too, so no band of another shade lies behind its text.
    const auto* frame = qobject_cast<const QGroupBox*>(widget->parentWidget());
    const bool likeFrame = frame && frame->autoFillBackground() &&
                           frame->palette().color(QPalette::Window) == toQColor(lookBack(label.BackColor));
    const bool painted = label.BackColor != platform::kButtonFace && !likeFrame;
    if (widget->autoFillBackground() != painted)
        widget->setAutoFillBackground(painted);
    // The text stands on the label's own colour, else on the painted frame around it.
    platform::Color behind = label.BackColor;
    if (behind == platform::kButtonFace && frame && frame->autoFillBackground())
        behind = static_cast<platform::Color>(frame->palette().color(QPalette::Window).rgb() & 0xFFFFFF);
    if (backChanged || foreChanged || colourChanged(binding.shownBehind, behind))
        paintText(widget, QPalette::WindowText, label.ForeColor, behind);
}

void MainWindow::refresh() {
    const Zorbal& m = *m_model;
    const QString title = QString::fromStdString(m.Caption);
    if (windowTitle() != title)
        setWindowTitle(title);

    for (LineBinding& binding : m_lines) {
        const QSignalBlocker blocker(binding.widget);
        mirrorText(binding.widget, binding.model->Text);
        mirrorBoxState(binding);
        mirrorToolTip(binding.widget, binding.model->ToolTip);
    }
    for (TextAreaBinding& binding : m_textAreas) {
        const QSignalBlocker blocker(binding.widget);
        if (binding.shown != binding.model->Text) {
            binding.shown = binding.model->Text;
            binding.widget->setPlainText(toQtText(binding.model->Text));
        }
        mirrorBoxState(binding);
        // A read-only text is still read with the keyboard: arrows, Page Up/Down, Ctrl+Home/End.
        const Qt::TextInteractionFlags reading = Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard;
        if (binding.widget->isReadOnly() && binding.widget->textInteractionFlags() != reading)
            binding.widget->setTextInteractionFlags(reading);
    }
    for (ButtonBinding& binding : m_buttons) {
        const Button& button = *binding.model;
        QPushButton* widget = binding.widget;
        mirrorText(widget, button.Caption);
        mirrorEnabled(widget, button.Enabled);
        if (widget->isVisibleTo(widget->parentWidget()) != button.Visible)
            widget->setVisible(button.Visible);
        mirrorToolTip(widget, button.ToolTip);
        if (colourChanged(binding.shownBack, button.BackColor)) {
            setRole(widget, QPalette::Button, toQColor(lookBack(button.BackColor)));
            paintText(widget, QPalette::ButtonText, platform::kBlack, button.BackColor);
        }
    }
    for (LabelBinding& binding : m_labels)
        refreshLabel(binding);
    for (CheckBinding& binding : m_checks) {
        const CheckBox& box = *binding.model;
        QCheckBox* widget = binding.widget;
        const QSignalBlocker blocker(widget);
        const QString caption = QString::fromStdString(box.Caption);
        if (auto* wrapping = qobject_cast<WrapCheckBox*>(widget)) {
            if (wrapping->caption() != caption)
                wrapping->setCaption(caption);
        } else if (widget->text() != caption) {
            widget->setText(caption);
        }
        const Qt::CheckState state = box.Value() == 0   ? Qt::Unchecked
                                     : box.Value() == 1 ? Qt::Checked
                                                        : Qt::PartiallyChecked;
        if (widget->checkState() != state) {
            widget->setTristate(state == Qt::PartiallyChecked);
            widget->setCheckState(state);
        }
        mirrorEnabled(widget, box.Enabled);
    }
    for (std::size_t i = 0; i < m_options.size(); ++i) {
        const platform::OptionButton& option = m.optParachute[i];
        QRadioButton* widget = m_options[i];
        const QSignalBlocker blocker(widget);
        mirrorText(widget, option.Caption);
        if (widget->isChecked() != option.Value) {
            // Qt keeps one button of a group checked; clearing them all needs the group open.
            widget->setAutoExclusive(option.Value);
            widget->setChecked(option.Value);
            widget->setAutoExclusive(true);
        }
        mirrorEnabled(widget, option.Enabled);
    }
    for (KeyBinding& binding : m_keys)
        binding.widget->setLine(toQColor(binding.model->BorderColor), binding.model->BorderWidth);

    for (platform::qt::CanvasWidget* graph : m_graphs)
        graph->refresh();
    refreshGraphTexts();
    m_history->refresh();

    if (m_tabs->currentIndex() != m.SSTab1.Tab())
        m_tabs->showPage(m.SSTab1.Tab());
}

} // namespace zorbal::ui::qt
