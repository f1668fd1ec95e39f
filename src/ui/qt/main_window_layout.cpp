// SPDX-License-Identifier: MIT
// The main window's layout: one widget for each control of the form table, at its designed
// position, bound to its model control, its events passed to the form's handlers.
#include "ui/qt/main_window.h"

#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"
#include "platform/qt/qt_color.h"
#include "ui/qt/design_widgets.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>

namespace zorbal::ui::qt {

using platform::qt::fromQtText;

namespace {

Qt::Alignment alignmentOf(TextAlign align) {
    switch (align) {
    case TextAlign::MiddleLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case TextAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case TextAlign::TopCentre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case TextAlign::TopRight:
        return Qt::AlignRight | Qt::AlignTop;
    case TextAlign::BottomRight:
        return Qt::AlignRight | Qt::AlignBottom;
    case TextAlign::TopLeft:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

template <typename Control> Control& modelOf(Zorbal& model, std::string_view id) {
    return *std::get<Control*>(controlOf(model, id));
}

/// The caption of the label or option button named `id`, as the window shows it; empty for none.
QString captionOf(Zorbal& model, std::string_view id) {
    const ControlRef control = controlOf(model, id);
    if (const auto* label = std::get_if<Label*>(&control))
        return QString::fromStdString((*label)->Caption);
    if (const auto* option = std::get_if<platform::OptionButton*>(&control))
        return QString::fromStdString((*option)->Caption);
    return {};
}

} // namespace

void MainWindow::build() {
    std::unordered_map<std::string, QWidget*> containers{{std::string(), this}};
    for (const FormControl& control : mainForm()) {
        QWidget* parent = containers.at(std::string(control.parent));
        containers[std::string(control.id)] = makeControl(parent, control);
        if (control.kind == ControlKind::Tabs)
            for (int page = 0; page < m_tabs->count(); ++page)
                containers[std::string(control.id) + "_page_" + std::to_string(page)] = m_tabs->page(page);
    }
    // Assistive technology names each box by the caption beside it and describes it by its unit.
    for (const FormControl& control : mainForm()) {
        QWidget* widget = containers.at(std::string(control.id));
        if (!control.caption.empty())
            widget->setAccessibleName(captionOf(*m_model, control.caption));
        if (!control.unit.empty())
            widget->setAccessibleDescription(captionOf(*m_model, control.unit));
    }
    // A launch from the design page shows the trajectory page: the "Launch!" there takes the focus.
    auto* launch = findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
    auto* launchAgain = findChild<QPushButton*>(QStringLiteral("cmdLaunch2"));
    m_counterparts[launch] = launchAgain;
    m_counterparts[launchAgain] = launch;
    m_pageDefaults[TabTrajectory] = launchAgain;
}

QWidget* MainWindow::makeControl(QWidget* parent, const FormControl& control) {
    Zorbal& m = *m_model;
    const QString name = QString::fromLatin1(control.id.data(), static_cast<qsizetype>(control.id.size()));
    const std::string id(control.id);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ControlKind::Tabs: {
        m_tabs = new DesignTabControl(parent);
        // The pages take the control's designed size as they are made.
        m_tabs->setGeometry(
            designRect(control.rect.left, control.rect.top, control.rect.width, control.rect.height));
        for (const std::string& caption : m.SSTab1.captions())
            m_tabs->addPage(QString::fromStdString(caption));
        connect(m_tabs, &DesignTabControl::currentChanged, this,
                [this](int index) { act([this, index] { m_model->SSTab1.setTab(index); }); });
        widget = m_tabs;
        break;
    }
    case ControlKind::Frame:
    case ControlKind::GraphKey: {
        auto* frame = new QGroupBox(parent);
        m_labels.push_back(
            LabelBinding{&modelOf<Label>(m, id), frame, platform::kButtonFace, platform::kBlack});
        widget = frame;
        break;
    }
    case ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setWordWrap(true);
        label->setAlignment(alignmentOf(control.align));
        m_labels.push_back(
            LabelBinding{&modelOf<Label>(m, id), label, platform::kButtonFace, platform::kBlack});
        widget = label;
        break;
    }
    case ControlKind::InputBox:
    case ControlKind::OutputBox:
    case ControlKind::GraphLimit: {
        auto* box = new QLineEdit(parent);
        TextBox& model = modelOf<TextBox>(m, id);
        connect(box, &QLineEdit::textEdited, this,
                [&model](const QString& text) { model.Text = text.toStdString(); });
        m_lines.push_back(LineBinding{&model, box, platform::kWhite, platform::kBlack});
        if (m_actions->handles(FormEvent::Validate, id))
            m_validators[box] = [this, id](bool& cancel) {
                cancel = m_actions->run(FormEvent::Validate, id);
            };
        if (control.kind == ControlKind::GraphLimit) {
            // Enter leaves the box as Tab does: it is validated and the graph plotted again, once.
            connect(box, &QLineEdit::returnPressed, box, [box] {
                QKeyEvent tab(QEvent::KeyPress, Qt::Key_Tab, Qt::NoModifier);
                QCoreApplication::sendEvent(box, &tab);
            });
        }
        widget = box;
        break;
    }
    case ControlKind::TextArea: {
        auto* area = new QPlainTextEdit(parent);
        area->setTabChangesFocus(true);
        if (control.flags & FlagNoLineWrap) {
            area->setLineWrapMode(QPlainTextEdit::NoWrap);
            area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        if (control.flags & (FlagScrolls | FlagNoLineWrap))
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        const std::size_t slot = m_textAreas.size();
        m_textAreas.push_back(TextAreaBinding{&modelOf<TextBox>(m, id), area, std::string(), platform::kWhite,
                                              platform::kBlack});
        connect(area, &QPlainTextEdit::textChanged, this, [this, slot] {
            TextAreaBinding& binding = m_textAreas[slot];
            binding.model->Text = fromQtText(binding.widget->toPlainText());
            binding.shown = binding.model->Text;
        });
        widget = area;
        break;
    }
    case ControlKind::Button: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(true); // Enter presses the focused button
        if (id == "cmdLaunch" || id == "cmdLaunch2")
            connect(button, &QPushButton::clicked, this, [this, id] { launch(id); });
        else
            connect(button, &QPushButton::clicked, this,
                    [this, id] { act([this, id] { m_actions->run(FormEvent::Click, id); }); });
        m_buttons.push_back(ButtonBinding{&modelOf<Button>(m, id), button, platform::kButtonFace});
        widget = button;
        break;
    }
    case ControlKind::CheckBox: {
        QCheckBox* box = control.flags & FlagWraps ? new WrapCheckBox(parent) : new QCheckBox(parent);
        connect(box, &QCheckBox::clicked, this, [this, box, id] {
            const int value = box->checkState() == Qt::Checked     ? 1
                              : box->checkState() == Qt::Unchecked ? 0
                                                                   : 2;
            act([this, id, value] { m_actions->run(FormEvent::Click, id, std::to_string(value)); });
        });
        m_checks.push_back(CheckBinding{&modelOf<platform::CheckBox>(m, id), box});
        widget = box;
        break;
    }
    case ControlKind::OptionButton: {
        auto* option = new QRadioButton(parent);
        m_options.push_back(option);
        connect(option, &QRadioButton::clicked, this,
                [this, id] { act([this, id] { m_actions->run(FormEvent::Click, id); }); });
        widget = option;
        break;
    }
    case ControlKind::Graph: {
        auto* graph = new platform::qt::CanvasWidget(parent);
        graph->setSurface(&modelOf<platform::DrawingSurface>(m, id));
        connect(graph, &platform::qt::CanvasWidget::mouseMoved, this,
                [this, id] { act([this, id] { m_actions->run(FormEvent::Move, id); }); });
        m_graphs.push_back(graph);
        widget = graph;
        break;
    }
    case ControlKind::KeyLine: {
        auto* sample = new KeyLineWidget(parent);
        m_keys.push_back(KeyBinding{&modelOf<KeyLine>(m, id), sample});
        widget = sample;
        break;
    }
    case ControlKind::Grid:
        m_history = new platform::qt::HistoryTableView(m.MSFlexGrid1, parent);
        widget = m_history;
        break;
    case ControlKind::Shape:
        widget = new ShapeBox(platform::qt::toQColor(control.color), parent);
        break;
    case ControlKind::Picture: // the splash window's; the main window shows none
    case ControlKind::Choice:  // the Investigate window's
    case ControlKind::Progress:
        widget = new QWidget(parent);
        break;
    }
    widget->setObjectName(name);
    widget->setGeometry(
        designRect(control.rect.left, control.rect.top, control.rect.width, control.rect.height));
    if (control.points > 0) {
        QFont font = widget->font();
        font.setPointSizeF(control.points);
        font.setBold(control.bold);
        widget->setFont(font);
    }
    // Movement over a control belongs to it, not to the frame around it; the graph's own
    // mouseMoved signal and the grid's view take theirs without the filter.
    const bool ownsMouse = control.kind != ControlKind::Tabs && control.kind != ControlKind::TextArea &&
                           control.kind != ControlKind::KeyLine && control.kind != ControlKind::Grid &&
                           control.kind != ControlKind::Shape && control.kind != ControlKind::OptionButton;
    if (ownsMouse)
        widget->setAttribute(Qt::WA_NoMousePropagation);
    if (control.kind != ControlKind::Graph && m_actions->handles(FormEvent::Move, id))
        onMouseMove(widget, [this, id] { m_actions->run(FormEvent::Move, id); });
    const bool clickedByButton =
        control.kind == ControlKind::Button || control.kind == ControlKind::CheckBox ||
        control.kind == ControlKind::OptionButton || control.kind == ControlKind::Tabs;
    if (!clickedByButton && m_actions->handles(FormEvent::Click, id))
        onClick(widget, [this, id] { m_actions->run(FormEvent::Click, id); });
    return widget;
}

} // namespace zorbal::ui::qt
