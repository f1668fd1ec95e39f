// SPDX-License-Identifier: MIT
// The Investigate window on the desktop: Qt widgets at the designed positions of
// investigate::investigateForm(), every event handed to the model (investigate::Investigator),
// its jobs run on a worker thread, and the way in from the main window.
#pragma once

#include "investigate/investigate.h"
#include "platform/qt/qt_services.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <unordered_map>
#include <vector>

class QAction;
class QComboBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace zorbal::platform::qt {
class CanvasWidget;
} // namespace zorbal::platform::qt

namespace zorbal::ui::qt {
class AnnouncementWidget;
class DesignTabControl;
class MainWindow;
} // namespace zorbal::ui::qt

namespace zorbal::investigate::qt {

/// The Investigate window: a thin view of its model. Every widget carries its control's name as
/// its object name; user events go to Investigator::act, and after each one the widgets mirror
/// the controls (signals blocked) when the model's revision moved. The job a run button asks for
/// runs on a worker thread; its progress and result come back through the window's event loop,
/// so the window and the main window stay usable meanwhile. One job runs at a time; a job asked
/// for while another runs stops the other and starts when it has. Closing the window, or destroying
/// it, while a job runs cancels the job and waits for the thread.
class InvestigateWindow final : public QWidget {
    Q_OBJECT
  public:
    /// The window over `services`' text files; its messages go to a box of its own (or to
    /// `messageBoxOverride`) and its file dialogs open over it.
    explicit InvestigateWindow(const platform::Services& services,
                               platform::MessageBox* messageBoxOverride = nullptr, QWidget* parent = nullptr);
    ~InvestigateWindow() override;

    Investigator& model() { return m_model; }
    /// Investigates `designFile` (Investigator::open), then shows the window, or raises it when
    /// it is shown.
    void openDesign(const std::string& designFile);
    /// Copies the model's controls into the widgets when its revision moved (or `always`).
    void refresh(bool always = false);
    /// Passes a user's event to the model, mirrors it, starts the job it asked for and keeps the
    /// focus on a usable control.
    void act(ui::FormEvent event, const std::string& id, const std::string& value = {});
    /// True while a job runs on the worker thread.
    bool isRunning() const { return m_worker.joinable(); }
    /// Cancels the running job, if any, and waits for its thread; its result is handed over.
    void stopJob();
    double dotsPerInch() const { return m_dotsPerInch; }

    /// Ctrl+Shift+H in this window: the main window switches the program's look.
    std::function<void()> onToggleLook;

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    struct Bound {
        std::string id;
        ui::ControlKind kind;
        QWidget* widget;
        std::string caption; ///< the label naming it
        std::string unit;    ///< the label of its unit
        int designWidth = 0; ///< a graph's designed size, pixels at 96 dots per inch
        int designHeight = 0;
    };

    void build();
    QWidget* makeControl(QWidget* parent, const ui::FormControl& control);
    void buildKeyboard();
    QRect designRect(const ui::TwipsRect& rect) const;
    void mirror(Bound& bound);
    /// After an event or a job's news: mirror, announce, run what waits.
    void afterEvent(QWidget* focusedBefore);
    /// Keeps the focus on a usable control of the window: a control disabled by a run gives it
    /// to "Cancel" and takes it back when it is usable again.
    void keepFocus(QWidget* focusedBefore);
    void startWaitingJob();
    /// The worker's result, on the window's thread.
    void collectResult();
    /// "x,y" of a graph's position, in its designed pixels.
    std::string designedPoint(const Bound& bound, QPointF position) const;
    void showFocusedAdvice();

    platform::qt::QtMessageBox m_messageBox;
    platform::qt::QtFileDialog m_fileDialog;
    Investigator m_model;
    double m_dotsPerInch;
    std::vector<Bound> m_bound;
    std::unordered_map<const QObject*, std::size_t> m_index;
    ui::qt::DesignTabControl* m_tabs = nullptr;
    ui::qt::AnnouncementWidget* m_announcer = nullptr;
    std::uint64_t m_shownRevision = 0;
    std::uint64_t m_shownAnnouncements = 0;
    int m_actionDepth = 0;
    /// The control a run disabled while it had the focus, and where the focus went meanwhile.
    QPointer<QWidget> m_focusOwner;
    QPointer<QWidget> m_focusParkedOn;

    /// The job waiting for the worker to be free.
    std::optional<Job> m_waiting;
    std::thread m_worker;
    std::mutex m_resultLock;
    std::optional<JobResult> m_result;
    std::atomic<std::size_t> m_done{0};
    std::atomic<std::size_t> m_total{0};
    std::atomic<bool> m_progressPosted{false};
    /// Stops the running job between two flights: set when the model's cancel flag is (after
    /// every event), when a newer job makes it useless, and when the window closes.
    std::atomic<bool> m_stop{false};
    QMetaObject::Connection m_focusConnection;
};

/// The way into the Investigate window from the main window: the action "Investigate..."
/// (Ctrl+I, and in the main window's context menu: a right click on the window's background, the
/// tab row or a graph, or the Menu key there) opens the window on the design the main window shows, or raises
/// it. "Use this design" loads a design into the main window as "Load" does and brings it
/// forward. Owned by the main window; the Investigate window is made when first opened.
class InvestigateLink final : public QObject {
    Q_OBJECT
  public:
    InvestigateLink(ui::qt::MainWindow& mainWindow, platform::qt::QtPlatform& platform,
                    platform::MessageBox* messageBoxOverride = nullptr);
    ~InvestigateLink() override;

    QAction* action() const { return m_action; }
    /// Opens the window on the main window's design, or raises it.
    void open();
    /// The window, once opened.
    InvestigateWindow* window() const { return m_window.get(); }

  private:
    ui::qt::MainWindow& m_main;
    platform::qt::QtPlatform& m_platform;
    platform::MessageBox* m_messageBoxOverride;
    QAction* m_action;
    std::unique_ptr<InvestigateWindow> m_window;
};

/// Turns a drawing into a PNG file's bytes at `width` x `height` pixels with the surface painter;
/// empty when it cannot be encoded.
std::string drawingPng(const platform::DrawingSurface& drawing, int width, int height);

} // namespace zorbal::investigate::qt
