// SPDX-License-Identifier: MIT
// The main window "frmZorbal": Qt widgets at the designed positions, bound to the window module.
#pragma once

#include "platform/qt/qt_services.h"
#include "ui/form.h"
#include "ui/zorbal.h"

#include <QPalette>
#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

class QCheckBox;
class QFocusFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

namespace zorbal::platform::qt {
class CanvasWidget;
class HistoryTableView;
} // namespace zorbal::platform::qt

namespace zorbal::ui::qt {

class AnnouncementWidget;
class DesignTabControl;
class KeyLineWidget;

/// The program's main window. It owns the window module (`model()`) and shows its controls: after
/// every user action and inside every call of the event pump, refresh() copies the model into the
/// widgets with their signals blocked. User input goes into the model's fields and setters, then
/// the model's handler runs; widgets hold nothing the model lacks.
///
/// Widgets carry the controls' names as object names, array elements with their index after an
/// underscore ("txtInput_3", "cmdShowHelp_0", "SSTab1", "pctXYGraph").
class MainWindow final : public QWidget {
    Q_OBJECT
  public:
    /// Creates the window's widgets and its window module on `platform`'s services. Form_Load has
    /// not run yet (load(), or the splash window's "OK", runs it). `messageBoxOverride`, when
    /// set, receives the messages instead of a dialog.
    explicit MainWindow(platform::qt::QtPlatform& platform,
                        platform::MessageBox* messageBoxOverride = nullptr, QWidget* parent = nullptr);
    ~MainWindow() override;

    Zorbal& model() { return *m_model; }
    /// Runs Form_Load unless it has run, and shows its result; the window is not shown.
    void load();
    /// Copies the model's controls into the widgets.
    void refresh();
    /// Opens the design file at `path` as "Load" does once its dialog has chosen the file ("Load"'s
    /// message when it cannot), then shows the Rocket Design tab: how `zorbal FILE` opens a file.
    void openDesignFile(const QString& path);
    /// Loads a design file's text as "Load" loads a file ("Load"'s message when it cannot be
    /// read), then shows the Rocket Design tab: how the Investigate window's "Use this design"
    /// hands a design back.
    void openDesignText(const std::string& text);
    /// The design the window shows, as "Save" would write it.
    std::string designText() const;
    /// Screen resolution used to convert the design's twips, dots per inch.
    double dotsPerInch() const { return m_dotsPerInch; }
    /// Shows the window in the high-contrast look, in which every text stands out from what is
    /// behind it by 7:1 or more, or (false) in the look it was designed with. Ctrl+Shift+H
    /// switches between them.
    void setHighContrast(bool on);
    bool highContrast() const { return m_highContrast; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    /// The window's message box, passing each message on to the box that shows it and, while a
    /// launch runs, keeping it to be announced.
    class HeardMessageBox final : public platform::MessageBox {
      public:
        explicit HeardMessageBox(platform::MessageBox& shown) : m_shown(shown) {}
        void show(std::string_view text) override;
        /// The messages shown since the last call, joined by spaces.
        std::string takeHeard();

      private:
        platform::MessageBox& m_shown;
        std::string m_heard;
    };

    struct LineBinding {
        platform::TextBox* model;
        QLineEdit* widget;
        platform::Color shownBack = platform::kWhite;
        platform::Color shownFore = platform::kBlack;
    };
    struct TextAreaBinding {
        platform::TextBox* model;
        QPlainTextEdit* widget;
        std::string shown;
        platform::Color shownBack = platform::kWhite;
        platform::Color shownFore = platform::kBlack;
    };
    struct ButtonBinding {
        Button* model;
        QPushButton* widget;
        platform::Color shownBack = platform::kButtonFace;
    };
    struct LabelBinding {
        Label* model;
        QWidget* widget; ///< a QLabel or a QGroupBox
        platform::Color shownBack = platform::kButtonFace;
        platform::Color shownFore = platform::kBlack;
        platform::Color shownBehind = platform::kButtonFace; ///< what the text stands on
    };
    struct CheckBinding {
        CheckBox* model;
        QCheckBox* widget;
    };
    struct KeyBinding {
        const ui::KeyLine* model;
        KeyLineWidget* widget;
    };

    // ---- building the window -------------------------------------------------------------
    /// Makes the widgets of the form's controls, in the form's order.
    void build();
    /// The widget of `control` in `parent`, bound to its model control and wired to the form's
    /// handlers.
    QWidget* makeControl(QWidget* parent, const FormControl& control);
    void buildKeyboard();
    /// Makes the unseen widgets that serve assistive technology and the keyboard: the launch
    /// announcer and the focus frame of the owner-drawn controls.
    void buildAccessibility();

    /// Presses launch button `id`, then announces the launch's results, or the messages that
    /// refused it.
    void launch(const std::string& id);
    /// F1: the advice the help panel shows when the mouse moves over the focused control.
    void showFocusedAdvice();
    /// Gives the graphs their descriptions and their numbers for assistive technology.
    void refreshGraphTexts();
    /// Draws the focus frame around `focused` when it paints itself (a graph, the history
    /// table), whose own painting shows no focus; hides it otherwise.
    void showFocusFrame(QWidget* focused);
    /// The colour a back designed as `back` is shown in, in the present look.
    platform::Color lookBack(platform::Color back) const;
    /// The colour a text designed as `fore` on a back designed as `back` is shown in.
    platform::Color lookFore(platform::Color fore, platform::Color back) const;
    /// Gives `widget` its text colour `fore` on `back` in the present look; in the high-contrast
    /// look its disabled text too.
    void paintText(QWidget* widget, QPalette::ColorRole role, platform::Color fore,
                   platform::Color back) const;

    QRect designRect(int left, int top, int width, int height) const;

    /// Runs a model handler for a user action, keeping exceptions out of the event loop, then
    /// refreshes the view.
    void act(const std::function<void()>& handler);
    /// Routes mouse movement and clicks over `widget` to model handlers.
    void onMouseMove(QWidget* widget, std::function<void()> handler);
    void onClick(QWidget* widget, std::function<void()> handler);
    void focusMoved(QWidget* old, QWidget* now);
    /// Gives the focus back to `focused`, the control that had it when an action began, when
    /// the action moved it away (see m_focusParkedOn). When the action showed another page, the
    /// control last focused there takes it, else a hidden control's counterpart, else the page's
    /// first control.
    void restoreFocus(QWidget* focused);
    /// The index of the tab page holding `widget`, or -1 for a control outside the pages.
    int pageOf(const QWidget* widget) const;
    /// Where the focus goes on a page shown without a control of its own to return to: its
    /// preferred control (m_pageDefaults), else the first in the tab order, else the tabs.
    QWidget* firstControlOf(int pageIndex) const;

    void refreshLabel(LabelBinding& binding);
    /// Mirrors what a one-line and a multi-line text box share: Enabled, Locked and the colours.
    template <typename Binding> void mirrorBoxState(Binding& binding);

    HeardMessageBox m_messages;
    std::unique_ptr<Zorbal> m_model;
    /// The handlers of the form's events, on m_model.
    std::unique_ptr<FormActions> m_actions;
    platform::qt::QtPlatform& m_platform;
    double m_dotsPerInch;

    DesignTabControl* m_tabs = nullptr;
    std::vector<LineBinding> m_lines;
    std::vector<TextAreaBinding> m_textAreas;
    std::vector<ButtonBinding> m_buttons;
    std::vector<LabelBinding> m_labels;
    std::vector<CheckBinding> m_checks;
    std::vector<QRadioButton*> m_options;
    std::vector<KeyBinding> m_keys;
    std::vector<platform::qt::CanvasWidget*> m_graphs;
    platform::qt::HistoryTableView* m_history = nullptr;
    AnnouncementWidget* m_announcer = nullptr;
    /// Shows where the focus is on a control that paints itself: a graph, the history table.
    QPointer<QFocusFrame> m_focusFrame;
    bool m_highContrast = false;
    std::unordered_map<QObject*, std::function<void()>> m_moveHandlers;
    std::unordered_map<QObject*, std::function<void()>> m_clickHandlers;
    /// Boxes whose validation runs when the focus leaves them.
    std::unordered_map<QObject*, std::function<void(bool&)>> m_validators;
    /// Controls that stand in for each other when one is hidden: the two "Launch!" buttons.
    std::unordered_map<QObject*, QWidget*> m_counterparts;
    /// The control of each page that had the focus when an action hid the page.
    std::unordered_map<int, QPointer<QWidget>> m_pageFocus;
    /// The control a page gives the focus to first: the trajectory page's "Launch!".
    std::unordered_map<int, QWidget*> m_pageDefaults;
    /// Nesting of act(): the focus is restored when the outermost action ends.
    int m_actionDepth = 0;
    /// Where the window system put the focus during an action because the control that had it
    /// was disabled or hidden (the busy "Launch!" button hands it to the next control).
    QPointer<QWidget> m_focusParkedOn;
    QMetaObject::Connection m_focusConnection;
    bool m_closing = false;
};

} // namespace zorbal::ui::qt
