// SPDX-License-Identifier: MIT
// The Investigate window's widgets: one per row of the form, at its designed position, mirroring
// the model's controls; the user's events passed to the model.
#include "investigate/qt/investigate_window.h"

#include "platform/qt/canvas_widget.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/twips.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/look.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTimer>
#include <QToolTip>

#include <cmath>
#include <exception>

namespace zorbal::investigate::qt {

using platform::qt::toQtText;

namespace {

Qt::Alignment alignmentOf(ui::TextAlign align) {
    switch (align) {
    case ui::TextAlign::MiddleLeft:
        return Qt::AlignLeft | Qt::AlignVCenter;
    case ui::TextAlign::Centre:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case ui::TextAlign::TopCentre:
        return Qt::AlignHCenter | Qt::AlignTop;
    case ui::TextAlign::TopRight:
        return Qt::AlignRight | Qt::AlignTop;
    case ui::TextAlign::BottomRight:
        return Qt::AlignRight | Qt::AlignBottom;
    case ui::TextAlign::TopLeft:
        break;
    }
    return Qt::AlignLeft | Qt::AlignTop;
}

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

/// Sets a widget's property only when it differs, so mirroring an unchanged control costs
/// nothing and tells assistive technology nothing.
template <typename Widget, typename Value, typename Setter>
void setIfChanged(Widget* widget, const Value& current, const Value& wanted, Setter setter) {
    if (current != wanted)
        (widget->*setter)(wanted);
}

bool usable(const QWidget* widget) {
    return widget && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus;
}

} // namespace

InvestigateWindow::InvestigateWindow(const platform::Services& services,
                                     platform::MessageBox* messageBoxOverride, QWidget* parent)
    : QWidget(parent), m_model([&] {
          platform::Services own = services;
          own.messageBox = messageBoxOverride ? messageBoxOverride : &m_messageBox;
          own.fileDialog = &m_fileDialog;
          return own;
      }()),
      m_dotsPerInch(screenDotsPerInch()) {
    setObjectName(QStringLiteral("frmInvestigate"));
    setWindowTitle(QString::fromLatin1(kInvestigateTitle));
    m_messageBox.parent = this;
    m_fileDialog.parent = this;
    ui::qt::showFixedSizeButtons(*this);
    const QRect client = designRect(kInvestigateArea);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        resize(client.size());
    else
        setFixedSize(client.size());
    m_model.encodePng = drawingPng;
    // "Close" closes the window once the model has cancelled what ran; the closing waits for it.
    m_model.onClose = [this] { QTimer::singleShot(0, this, [this] { close(); }); };
    build();
    buildKeyboard();
    m_announcer = new ui::qt::AnnouncementWidget(this);
    m_announcer->setObjectName(QStringLiteral("announcer"));
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        // Leaving a box for another control of this window validates it.
        if (!old || !now || now->window() != this || old->window() != this)
            return;
        const auto it = m_index.find(old);
        if (it != m_index.end() && m_bound[it->second].kind == ui::ControlKind::InputBox)
            act(ui::FormEvent::Validate, m_bound[it->second].id);
    });
    refresh(true);
}

InvestigateWindow::~InvestigateWindow() {
    disconnect(m_focusConnection);
    stopJob();
}

QRect InvestigateWindow::designRect(const ui::TwipsRect& rect) const {
    return platform::qt::twipsRect(rect.left, rect.top, rect.width, rect.height, m_dotsPerInch);
}

void InvestigateWindow::build() {
    std::unordered_map<std::string, QWidget*> containers{{std::string(), this}};
    for (const ui::FormControl& control : investigateForm()) {
        const auto parent = containers.find(std::string(control.parent));
        QWidget* widget = makeControl(parent == containers.end() ? this : parent->second, control);
        containers[std::string(control.id)] = widget;
        if (control.kind == ui::ControlKind::Tabs)
            for (int page = 0; page < m_tabs->count(); ++page)
                containers[std::string(control.id) + "_page_" + std::to_string(page)] = m_tabs->page(page);
    }
}

QWidget* InvestigateWindow::makeControl(QWidget* parent, const ui::FormControl& control) {
    const std::string id(control.id);
    const ControlState& state = m_model.control(id);
    QWidget* widget = nullptr;
    switch (control.kind) {
    case ui::ControlKind::Tabs: {
        m_tabs = new ui::qt::DesignTabControl(parent);
        m_tabs->setGeometry(designRect(control.rect));
        for (const std::string& caption : state.items)
            m_tabs->addPage(qs(caption));
        connect(m_tabs, &ui::qt::DesignTabControl::currentChanged, this,
                [this, id](int index) { act(ui::FormEvent::Input, id, std::to_string(index)); });
        widget = m_tabs;
        break;
    }
    case ui::ControlKind::Frame:
    case ui::ControlKind::GraphKey:
        widget = new QGroupBox(parent);
        break;
    case ui::ControlKind::Label: {
        auto* label = new QLabel(parent);
        label->setWordWrap(true);
        label->setAlignment(alignmentOf(control.align));
        widget = label;
        break;
    }
    case ui::ControlKind::InputBox:
    case ui::ControlKind::OutputBox:
    case ui::ControlKind::GraphLimit: {
        auto* box = new QLineEdit(parent);
        box->setReadOnly(control.kind == ui::ControlKind::OutputBox);
        connect(box, &QLineEdit::textEdited, this,
                [this, id](const QString& text) { act(ui::FormEvent::Input, id, text.toStdString()); });
        widget = box;
        break;
    }
    case ui::ControlKind::TextArea: {
        auto* area = new QPlainTextEdit(parent);
        area->setTabChangesFocus(true);
        area->setReadOnly(true);
        // Read with the keyboard too: arrows, Page Up/Down, Ctrl+Home/End.
        area->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
        if (control.flags & ui::FlagNoLineWrap) {
            area->setLineWrapMode(QPlainTextEdit::NoWrap);
            area->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        }
        if (control.flags & (ui::FlagScrolls | ui::FlagNoLineWrap))
            area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        // The results are tables lined up with spaces, as zorbal-cli prints them: a font of one
        // width keeps their columns.
        QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
        fixed.setPointSizeF(area->font().pointSizeF());
        area->setFont(fixed);
        widget = area;
        break;
    }
    case ui::ControlKind::Button:
    case ui::ControlKind::Picture: {
        auto* button = new QPushButton(parent);
        button->setAutoDefault(true); // Enter presses the focused button
        connect(button, &QPushButton::clicked, this, [this, id] { act(ui::FormEvent::Click, id); });
        widget = button;
        break;
    }
    case ui::ControlKind::Choice: {
        auto* choice = new QComboBox(parent);
        connect(choice, &QComboBox::activated, this,
                [this, id](int index) { act(ui::FormEvent::Input, id, std::to_string(index)); });
        widget = choice;
        break;
    }
    case ui::ControlKind::Progress: {
        auto* bar = new QProgressBar(parent);
        bar->setRange(0, 100);
        bar->setTextVisible(true);
        widget = bar;
        break;
    }
    case ui::ControlKind::Graph: {
        auto* graph = new platform::qt::CanvasWidget(parent);
        graph->setSurface(&m_model.surface(id));
        graph->setFocusPolicy(Qt::TabFocus);
        graph->setMouseTracking(true);
        graph->installEventFilter(this);
        widget = graph;
        break;
    }
    case ui::ControlKind::CheckBox:
    case ui::ControlKind::OptionButton:
    case ui::ControlKind::KeyLine:
    case ui::ControlKind::Grid:
    case ui::ControlKind::Shape: // the main window's kinds: this window has none
        widget = new QWidget(parent);
        break;
    }
    widget->setObjectName(QString::fromLatin1(control.id.data(), static_cast<qsizetype>(control.id.size())));
    widget->setGeometry(designRect(control.rect));
    if (control.points > 0) {
        QFont font = widget->font();
        font.setPointSizeF(control.points);
        font.setBold(control.bold);
        widget->setFont(font);
    }
    m_index[widget] = m_bound.size();
    // Graphs take clicks and movement in the designed pixels, 15 twips each.
    m_bound.push_back(Bound{id, control.kind, widget, std::string(control.caption), std::string(control.unit),
                            control.rect.width / 15, control.rect.height / 15});
    return widget;
}

void InvestigateWindow::buildKeyboard() {
    // Escape closes the window (an open list takes it first, to close itself).
    connect(new QShortcut(QKeySequence(Qt::Key_Escape), this), &QShortcut::activated, this,
            [this] { close(); });
    // F1 shows the focused control's advice where the control is.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { showFocusedAdvice(); });
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), this), &QShortcut::activated, this,
            [this] {
                if (onToggleLook)
                    onToggleLook();
            });
    // Ctrl+Tab and Ctrl+PgDown step through the pages as a click on the next tab would.
    auto step = [this](int delta) {
        if (!m_tabs || m_tabs->count() == 0)
            return;
        const int count = m_tabs->count();
        m_tabs->tabBar()->setCurrentIndex((m_tabs->currentIndex() + delta + count) % count);
    };
    for (const auto& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(1); });
    for (const auto& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(-1); });
}

void InvestigateWindow::openDesign(const std::string& designFile) {
    QWidget* focused = QApplication::focusWidget();
    m_model.open(designFile);
    afterEvent(focused && focused->window() == this ? focused : nullptr);
    show();
    raise();
    activateWindow();
    if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != this) {
        if (m_tabs)
            m_tabs->tabBar()->setFocus(Qt::ActiveWindowFocusReason);
    }
}

void InvestigateWindow::act(ui::FormEvent event, const std::string& id, const std::string& value) {
    QWidget* focused = QApplication::focusWidget();
    ++m_actionDepth;
    try {
        m_model.act(event, id, value);
    } catch (const std::exception& error) {
        m_messageBox.show(std::string("Zorbal could not finish this action: ") + error.what());
    } catch (...) {
        m_messageBox.show("Zorbal could not finish this action.");
    }
    --m_actionDepth;
    afterEvent(focused && focused->window() == this ? focused : nullptr);
}

void InvestigateWindow::afterEvent(QWidget* focusedBefore) {
    refresh();
    if (m_model.announcementCount() != m_shownAnnouncements) {
        m_shownAnnouncements = m_model.announcementCount();
        m_announcer->announce(qs(m_model.announcement()));
    }
    startWaitingJob();
    if (m_actionDepth == 0)
        keepFocus(focusedBefore);
}

void InvestigateWindow::keepFocus(QWidget* focusedBefore) {
    QWidget* now = QApplication::focusWidget();
    if (now && now->window() != this)
        return; // the user is in another window: its focus is not this window's to move
    // A control disabled while it had the focus takes it back once usable, unless the user has
    // moved on meanwhile. The window system may have moved it on from where it was parked, when
    // that control was disabled in turn ("Cancel" as the run ends).
    if (m_focusOwner) {
        const bool parked =
            !now || now == m_focusParkedOn || (focusedBefore && focusedBefore == m_focusParkedOn);
        if (!parked) {
            m_focusOwner = nullptr;
            m_focusParkedOn = nullptr;
        } else if (usable(m_focusOwner)) {
            m_focusOwner->setFocus(Qt::OtherFocusReason);
            m_focusOwner = nullptr;
            m_focusParkedOn = nullptr;
            return;
        }
    }
    if (!focusedBefore || usable(focusedBefore))
        return;
    // The control with the focus was disabled or hidden (a run button while its job runs): the
    // focus goes to "Cancel", else to the next usable control, never nowhere.
    QWidget* target = findChild<QWidget*>(QStringLiteral("cmdCancel"));
    if (!usable(target)) {
        target = nullptr;
        for (QWidget* w = focusedBefore->nextInFocusChain(); w && w != focusedBefore;
             w = w->nextInFocusChain())
            if (w->window() == this && usable(w) && (w->focusPolicy() & Qt::TabFocus)) {
                target = w;
                break;
            }
    }
    if (target) {
        if (!m_focusOwner)
            m_focusOwner = focusedBefore;
        m_focusParkedOn = target;
        if (now != target)
            target->setFocus(Qt::OtherFocusReason);
    }
}

void InvestigateWindow::refresh(bool always) {
    if (!always && m_model.revision() == m_shownRevision)
        return;
    m_shownRevision = m_model.revision();
    for (Bound& bound : m_bound)
        mirror(bound);
}

void InvestigateWindow::mirror(Bound& bound) {
    const ControlState& state = m_model.control(bound.id);
    QWidget* widget = bound.widget;
    const QSignalBlocker blocker(widget);
    const QString text = qs(state.text);
    switch (bound.kind) {
    case ui::ControlKind::Tabs:
        if (m_tabs->currentIndex() != state.selected && state.selected >= 0 &&
            state.selected < m_tabs->count())
            m_tabs->showPage(state.selected);
        for (int i = 0; i < m_tabs->count() && i < static_cast<int>(state.items.size()); ++i)
            if (m_tabs->tabBar()->tabText(i) != qs(state.items[static_cast<std::size_t>(i)]))
                m_tabs->tabBar()->setTabText(i, qs(state.items[static_cast<std::size_t>(i)]));
        break;
    case ui::ControlKind::Frame:
    case ui::ControlKind::GraphKey:
        if (auto* frame = qobject_cast<QGroupBox*>(widget))
            setIfChanged(frame, frame->title(), text, &QGroupBox::setTitle);
        break;
    case ui::ControlKind::Label:
        if (auto* label = qobject_cast<QLabel*>(widget))
            setIfChanged(label, label->text(), text, &QLabel::setText);
        break;
    case ui::ControlKind::InputBox:
    case ui::ControlKind::OutputBox:
    case ui::ControlKind::GraphLimit:
        if (auto* box = qobject_cast<QLineEdit*>(widget); box && box->text() != text) {
            // Keep the caret where the user was typing when only the text's end changed.
            const int caret = box->cursorPosition();
            box->setText(text);
            box->setCursorPosition(std::min(caret, static_cast<int>(text.size())));
        }
        break;
    case ui::ControlKind::TextArea:
        if (auto* area = qobject_cast<QPlainTextEdit*>(widget)) {
            const QString shown = toQtText(state.text);
            if (area->toPlainText() != shown)
                area->setPlainText(shown);
        }
        break;
    case ui::ControlKind::Button:
    case ui::ControlKind::Picture:
        if (auto* button = qobject_cast<QPushButton*>(widget))
            setIfChanged(button, button->text(), text, &QPushButton::setText);
        break;
    case ui::ControlKind::Choice:
        if (auto* choice = qobject_cast<QComboBox*>(widget)) {
            QStringList items;
            for (const std::string& item : state.items)
                items.push_back(qs(item));
            QStringList shown;
            for (int i = 0; i < choice->count(); ++i)
                shown.push_back(choice->itemText(i));
            if (shown != items) {
                choice->clear();
                choice->addItems(items);
            }
            if (choice->currentIndex() != state.selected && state.selected < choice->count())
                choice->setCurrentIndex(state.selected);
        }
        break;
    case ui::ControlKind::Progress:
        if (auto* bar = qobject_cast<QProgressBar*>(widget))
            setIfChanged(bar, bar->value(), std::clamp(state.value, 0, 100), &QProgressBar::setValue);
        break;
    case ui::ControlKind::Graph:
        static_cast<platform::qt::CanvasWidget*>(widget)->refresh();
        break;
    default:
        break;
    }
    if (widget->isEnabledTo(widget->parentWidget()) != state.enabled)
        widget->setEnabled(state.enabled);
    if (bound.kind != ui::ControlKind::Tabs && widget->isVisibleTo(widget->parentWidget()) != state.visible)
        widget->setVisible(state.visible);
    setIfChanged(widget, widget->toolTip(), qs(state.toolTip), &QWidget::setToolTip);
    // Assistive technology names a control by its caption label and describes it by its unit
    // label; a graph by its text alternative.
    QString name = bound.caption.empty() ? QString() : qs(m_model.control(bound.caption).text);
    QString description = bound.unit.empty() ? QString() : qs(m_model.control(bound.unit).text);
    if (bound.kind == ui::ControlKind::Graph)
        description = qs(state.description);
    if (bound.kind == ui::ControlKind::Progress && name.isEmpty())
        name = QStringLiteral("Progress");
    if (bound.kind == ui::ControlKind::Button && name.isEmpty())
        name = text;
    setIfChanged(widget, widget->accessibleName(), name, &QWidget::setAccessibleName);
    setIfChanged(widget, widget->accessibleDescription(), description, &QWidget::setAccessibleDescription);
}

std::string InvestigateWindow::designedPoint(const Bound& bound, QPointF position) const {
    const QWidget* widget = bound.widget;
    const double x = widget->width() > 0 ? position.x() * bound.designWidth / widget->width() : 0.0;
    const double y = widget->height() > 0 ? position.y() * bound.designHeight / widget->height() : 0.0;
    const auto clampTo = [](double v, int size) {
        return static_cast<int>(std::clamp(std::floor(v), 0.0, static_cast<double>(std::max(0, size - 1))));
    };
    return std::to_string(clampTo(x, bound.designWidth)) + "," +
           std::to_string(clampTo(y, bound.designHeight));
}

bool InvestigateWindow::eventFilter(QObject* watched, QEvent* event) {
    const auto it = m_index.find(watched);
    if (it == m_index.end() || m_bound[it->second].kind != ui::ControlKind::Graph)
        return QWidget::eventFilter(watched, event);
    const Bound& bound = m_bound[it->second];
    if (!bound.widget->isEnabled())
        return QWidget::eventFilter(watched, event);
    switch (event->type()) {
    case QEvent::MouseMove:
        act(ui::FormEvent::Move, bound.id,
            designedPoint(bound, static_cast<QMouseEvent*>(event)->position()));
        break;
    case QEvent::Leave:
        act(ui::FormEvent::Move, bound.id, {});
        break;
    case QEvent::KeyPress: {
        // The arrows, Home and End choose the designs one after another, as clicks would.
        static constexpr std::pair<int, const char*> kKeys[] = {
            {Qt::Key_Left, "left"}, {Qt::Key_Right, "right"}, {Qt::Key_Up, "up"},
            {Qt::Key_Down, "down"}, {Qt::Key_Home, "home"},   {Qt::Key_End, "end"}};
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
            break;
        for (const auto& [code, name] : kKeys)
            if (key->key() == code) {
                act(ui::FormEvent::Input, bound.id, name);
                return true;
            }
        break;
    }
    case QEvent::MouseButtonRelease: {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (mouse->button() == Qt::LeftButton && bound.widget->rect().contains(mouse->position().toPoint()))
            act(ui::FormEvent::Click, bound.id, designedPoint(bound, mouse->position()));
        break;
    }
    default:
        break;
    }
    return QWidget::eventFilter(watched, event);
}

void InvestigateWindow::showFocusedAdvice() {
    QWidget* focused = QApplication::focusWidget();
    if (!focused || focused->window() != this)
        return;
    // A tab row or a list's parts stand for their control.
    QWidget* control = focused;
    while (control && control != this && !m_index.contains(control))
        control = control->parentWidget();
    if (!control || control == this)
        return;
    const QString advice = control->toolTip();
    if (!advice.isEmpty())
        QToolTip::showText(control->mapToGlobal(QPoint(0, control->height())), advice, control);
}

void InvestigateWindow::closeEvent(QCloseEvent* event) {
    stopJob();
    QToolTip::hideText();
    event->accept();
}

} // namespace zorbal::investigate::qt
