// SPDX-License-Identifier: MIT
// The main window's event routing: clicks, mouse movement, focus changes, keys and closing go
// to the window module's handlers.
#include "ui/qt/main_window.h"

#include "ui/qt/design_widgets.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMouseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTimer>

#include <exception>

namespace zorbal::ui::qt {

void MainWindow::buildKeyboard() {
    // F5 presses "Launch!" from anywhere in the window, as the button itself would be pressed.
    auto* launch = new QShortcut(QKeySequence(Qt::Key_F5), this);
    connect(launch, &QShortcut::activated, this, [this] {
        if (auto* button = findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
            button && button->isEnabled())
            button->click();
    });
    // F1 explains the focused control in the help panel, as the mouse moving over it does.
    connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
            [this] { showFocusedAdvice(); });
    // Ctrl+Shift+H switches between the designed look and the high-contrast look.
    connect(new QShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_H), this), &QShortcut::activated, this,
            [this] { setHighContrast(!m_highContrast); });
    // Ctrl+Tab and Ctrl+PgDown step through the tab pages as a click on the next tab would.
    auto step = [this](int delta) {
        const int count = m_tabs->count();
        const int next = (m_tabs->currentIndex() + delta + count) % count;
        act([this, next] { m_model->SSTab1.setTab(next); });
    };
    for (const auto& keys : {QKeySequence(Qt::CTRL | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageDown)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(1); });
    for (const auto& keys :
         {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab),
          QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Tab), QKeySequence(Qt::CTRL | Qt::Key_PageUp)})
        connect(new QShortcut(keys, this), &QShortcut::activated, this, [step] { step(-1); });
}

void MainWindow::act(const std::function<void()>& handler) {
    QWidget* focused = QApplication::focusWidget();
    QPointer<QWidget> restoreTo =
        m_actionDepth == 0 && focused && focused->window() == this ? focused : nullptr;
    ++m_actionDepth;
    try {
        handler();
    } catch (const std::exception& error) {
        m_model->services().messageBox->show(std::string("Zorbal could not finish this action: ") +
                                             error.what());
    } catch (...) {
        m_model->services().messageBox->show("Zorbal could not finish this action.");
    }
    refresh(); // may hide the focused control with its page
    --m_actionDepth;
    if (m_actionDepth == 0)
        restoreFocus(restoreTo);
}

void MainWindow::restoreFocus(QWidget* focused) {
    QPointer<QWidget> parked = m_focusParkedOn;
    if (!focused || m_closing) {
        m_focusParkedOn = nullptr;
        return;
    }
    auto usable = [](const QWidget* widget) {
        return widget && widget->isVisible() && widget->isEnabled() && widget->focusPolicy() != Qt::NoFocus;
    };
    QWidget* target = focused;
    const int page = pageOf(focused);
    const int shown = m_tabs->currentIndex();
    const bool pageHidden = page >= 0 && page != shown;
    if (pageHidden) {
        // The action showed another page (a launch shows the trajectory, Ctrl+PgUp the page
        // before): the control gets the focus back when its page is shown again, and meanwhile
        // the focus goes where it last was on the page shown.
        m_pageFocus[page] = focused;
        const auto last = m_pageFocus.find(shown);
        target = last != m_pageFocus.end() && usable(last->second) ? last->second.data() : nullptr;
    }
    if (!usable(target)) {
        const auto counterpart = m_counterparts.find(focused);
        target = counterpart != m_counterparts.end() && usable(counterpart->second) ? counterpart->second
                                                                                    : nullptr;
    }
    // Never a result box of the frame below the pages, where the window system would put it.
    if (!target && pageHidden)
        target = firstControlOf(shown);
    // Only a focus the action took away is given back: a control the user chose meanwhile keeps it.
    QWidget* now = QApplication::focusWidget();
    const bool takenAway = !now || now == parked || now == focused || now->window() != this;
    if (target && takenAway && now != target)
        target->setFocus(Qt::OtherFocusReason);
    m_focusParkedOn = nullptr;
}

int MainWindow::pageOf(const QWidget* widget) const {
    for (int i = 0; i < m_tabs->count(); ++i)
        if (m_tabs->page(i)->isAncestorOf(widget))
            return i;
    return -1;
}

QWidget* MainWindow::firstControlOf(int pageIndex) const {
    if (const auto preferred = m_pageDefaults.find(pageIndex);
        preferred != m_pageDefaults.end() && preferred->second->isVisible() && preferred->second->isEnabled())
        return preferred->second;
    QWidget* page = m_tabs->page(pageIndex);
    for (QWidget* widget = page->nextInFocusChain(); widget && widget != page;
         widget = widget->nextInFocusChain()) {
        if (widget == this)
            break;
        if (page->isAncestorOf(widget) && widget->isVisible() && widget->isEnabled() &&
            (widget->focusPolicy() & Qt::TabFocus))
            return widget;
    }
    return m_tabs->tabBar();
}

void MainWindow::onMouseMove(QWidget* widget, std::function<void()> handler) {
    widget->setMouseTracking(true);
    widget->installEventFilter(this);
    m_moveHandlers[widget] = std::move(handler);
}

void MainWindow::onClick(QWidget* widget, std::function<void()> handler) {
    widget->installEventFilter(this);
    m_clickHandlers[widget] = std::move(handler);
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    auto* widget = qobject_cast<QWidget*>(watched);
    if (!widget || !widget->isEnabled())
        return QWidget::eventFilter(watched, event);
    if (event->type() == QEvent::MouseMove) {
        if (auto it = m_moveHandlers.find(watched); it != m_moveHandlers.end())
            act(it->second);
    } else if (event->type() == QEvent::MouseButtonRelease) {
        const auto* mouse = static_cast<QMouseEvent*>(event);
        if (auto it = m_clickHandlers.find(watched); it != m_clickHandlers.end() &&
                                                     mouse->button() == Qt::LeftButton &&
                                                     widget->rect().contains(mouse->position().toPoint()))
            act(it->second);
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::focusMoved(QWidget* old, QWidget* now) {
    // The focus leaves a box for another control of this window; moves to a message box or
    // another program are not a change of control.
    if (!old || !now || now->window() != this || m_closing)
        return;
    // A control disabled or hidden by a running action hands the focus on; it comes back when
    // the action ends. The control it was parked on is not being left by the user.
    if (m_actionDepth > 0 && (!old->isEnabled() || !old->isVisible())) {
        m_focusParkedOn = now;
    } else if (old == m_focusParkedOn) {
        return;
    }
    const auto it = m_validators.find(old);
    if (it == m_validators.end())
        return;
    bool cancel = false;
    act([&] { it->second(cancel); });
    if (cancel)
        QTimer::singleShot(0, old, [old] { old->setFocus(Qt::OtherFocusReason); });
}

void MainWindow::closeEvent(QCloseEvent* event) {
    m_closing = true;
    int cancel = 0;
    act([&] { m_model->Form_Unload(cancel); });
    event->accept();
    // Closing the main window ends the program, hidden splash window included.
    QCoreApplication::quit();
}

} // namespace zorbal::ui::qt
