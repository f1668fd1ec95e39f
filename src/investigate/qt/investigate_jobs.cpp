// SPDX-License-Identifier: MIT
// The Investigate window's background work: the job its model asks for runs on a worker thread,
// its progress and its result are handed back on the window's thread; and the way in from the
// main window.
#include "investigate/qt/investigate_window.h"

#include "platform/qt/png_file.h"
#include "platform/qt/surface_painter.h"
#include "platform/qt/twips.h"
#include "ui/qt/main_window.h"

#include <QAction>
#include <QApplication>
#include <QPushButton>

#include <exception>

namespace zorbal::investigate::qt {

void InvestigateWindow::startWaitingJob() {
    if (std::optional<Job> job = m_model.takeJob())
        m_waiting = std::move(job); // a newer job replaces one still waiting
    // The model awaits one job at a time: a job asked for while another runs (after another
    // design was opened, or a cancelled run) makes the running one's result useless, so it stops
    // rather than hold the new one up. The model's own cancel flag cannot say so: the new job
    // has cleared it.
    if (isRunning() && (m_waiting || m_model.cancelFlag()))
        m_stop = true;
    if (!m_waiting || isRunning())
        return;
    Job job = std::move(*m_waiting);
    m_waiting.reset();
    m_done = 0;
    m_total = 0;
    m_progressPosted = false;
    m_stop = false;
    m_worker = std::thread([this, job = std::move(job)] {
        const auto onProgress = [this](std::size_t done, std::size_t total) {
            m_done = done;
            m_total = total;
            // One message in the queue at a time: the window shows the latest count when it
            // gets to it, however fast the flights come.
            if (!m_progressPosted.exchange(true))
                QMetaObject::invokeMethod(
                    this,
                    [this] {
                        m_progressPosted = false;
                        if (!isRunning())
                            return;
                        m_model.progress(m_done, m_total);
                        afterEvent(nullptr);
                    },
                    Qt::QueuedConnection);
        };
        JobResult result;
        try {
            result = runJob(job, 0, onProgress, &m_stop);
        } catch (const std::exception& error) {
            result = JobResult{};
            result.isComplete = true;
            result.refusal = std::string("Zorbal could not finish this work: ") + error.what();
        } catch (...) {
            result = JobResult{};
            result.isComplete = true;
            result.refusal = "Zorbal could not finish this work.";
        }
        result.id = job.id;
        result.kind = job.kind;
        {
            const std::lock_guard lock(m_resultLock);
            m_result = std::move(result);
        }
        QMetaObject::invokeMethod(
            this, [this] { collectResult(); }, Qt::QueuedConnection);
    });
}

void InvestigateWindow::collectResult() {
    std::optional<JobResult> result;
    {
        const std::lock_guard lock(m_resultLock);
        result.swap(m_result);
    }
    if (!result)
        return; // handed over already (stopJob)
    if (m_worker.joinable())
        m_worker.join();
    QWidget* focused = QApplication::focusWidget();
    try {
        m_model.finish(std::move(*result));
    } catch (const std::exception& error) {
        m_messageBox.show(std::string("Zorbal could not show this result: ") + error.what());
    }
    afterEvent(focused && focused->window() == this ? focused : nullptr);
}

void InvestigateWindow::stopJob() {
    m_waiting.reset();
    if (!isRunning())
        return;
    // "Cancel" as the user would press it, so the model knows; the job stops between two flights.
    if (!m_model.cancelFlag()) {
        try {
            m_model.act(ui::FormEvent::Click, "cmdCancel");
        } catch (...) {
            // the job is stopped all the same
        }
    }
    m_stop = true;
    m_worker.join();
    std::optional<JobResult> result;
    {
        const std::lock_guard lock(m_resultLock);
        result.swap(m_result);
    }
    if (result) {
        try {
            m_model.finish(std::move(*result));
        } catch (...) {
            // the window is closing: nothing to show it in
        }
    }
    m_waiting.reset();
    (void)m_model.takeJob(); // nothing starts from a closing window
    refresh();
}

std::string drawingPng(const platform::DrawingSurface& drawing, int width, int height) {
    if (width <= 0 || height <= 0)
        return {};
    const QImage image = platform::qt::renderSurface(drawing, QSize(width, height));
    const QByteArray bytes = platform::qt::pngBytes(image);
    return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

InvestigateLink::InvestigateLink(ui::qt::MainWindow& mainWindow, platform::qt::QtPlatform& platform,
                                 platform::MessageBox* messageBoxOverride)
    : QObject(&mainWindow), m_main(mainWindow), m_platform(platform),
      m_messageBoxOverride(messageBoxOverride),
      m_action(new QAction(QStringLiteral("&Investigate..."), &mainWindow)) {
    setObjectName(QStringLiteral("investigateLink"));
    m_action->setObjectName(QStringLiteral("actInvestigate"));
    m_action->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_I));
    m_action->setShortcutContext(Qt::WindowShortcut);
    m_action->setToolTip(QStringLiteral("Vary the design, compare it with a real launch, or see where it "
                                        "will land (Ctrl+I)"));
    // The action is offered where it hides nothing of the designed window: its context menu.
    mainWindow.addAction(m_action);
    mainWindow.setContextMenuPolicy(Qt::ActionsContextMenu);
    connect(m_action, &QAction::triggered, this, [this] { open(); });

    // And as a button in the free corner below "Hide Help", where no designed control stands and
    // which the window keeps with the help panel hidden too; it follows "Hide Help" in the Tab order.
    auto* button = new QPushButton(QStringLiteral("Investigate..."), &mainWindow);
    button->setObjectName(QStringLiteral("cmdInvestigate"));
    button->setGeometry(platform::qt::twipsRect(9480, 9135, 2415, 495, mainWindow.dotsPerInch()));
    button->setAutoDefault(true); // Enter presses the focused button, as on the designed ones
    button->setToolTip(m_action->toolTip());
    button->setAccessibleName(QStringLiteral("Investigate"));
    button->setAccessibleDescription(m_action->toolTip());
    connect(button, &QPushButton::clicked, this, [this] { open(); });
    if (auto* help = mainWindow.findChild<QWidget*>(QStringLiteral("cmdShowHelp_0")))
        QWidget::setTabOrder(help, button);
    button->show();
}

InvestigateLink::~InvestigateLink() = default;

void InvestigateLink::open() {
    if (!m_window) {
        m_window = std::make_unique<InvestigateWindow>(m_platform.services(), m_messageBoxOverride);
        m_window->onToggleLook = [this] { m_main.setHighContrast(!m_main.highContrast()); };
        m_window->model().onUseDesign = [this](const std::string& designFile) {
            m_main.openDesignText(designFile);
            m_main.show();
            m_main.raise();
            m_main.activateWindow();
        };
    }
    m_window->openDesign(m_main.designText());
}

} // namespace zorbal::investigate::qt
