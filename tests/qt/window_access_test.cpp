// SPDX-License-Identifier: MIT
// The main window with the keyboard alone and through assistive technology: the tab row's keys,
// F1, the focus after a launch and a message box, the focus frame, the history table's scrolling
// and headings, what is announced and what the graphs say, and the high-contrast look.
#include "platform/contrast.h"
#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"
#include "started_window.h"
#include "ui/accessible_text.h"
#include "ui/qt/look.h"

#include <QAccessible>
#include <QApplication>
#include <QFocusFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <QTimer>

#include <functional>

using zorbal::platform::qt::HistoryTableView;
using zorbal::ui::qt::DesignTabControl;
using zorbal::ui::qt::MainWindow;

namespace {

QAccessibleInterface* told(QWidget* widget) {
    QAccessibleInterface* interface = QAccessible::queryAccessibleInterface(widget);
    if (!interface)
        qFatal("no accessible interface for %s", qPrintable(widget->objectName()));
    return interface;
}

QWidget* focused() {
    return QApplication::focusWidget();
}

/// Presses Tab until `target` has the focus; false when it never does.
bool tabTo(QWidget* target, int limit = 120) {
    for (int i = 0; i < limit && focused() != target; ++i)
        QTest::keyClick(focused(), Qt::Key_Tab);
    return focused() == target;
}

zorbal::platform::Color colourOf(const QColor& colour) {
    return zorbal::platform::rgb(colour.red(), colour.green(), colour.blue());
}

/// What `widget`'s text stands on: the colour of the nearest painted widget around it, else the
/// window's.
QColor behind(const QWidget* widget, QPalette::ColorGroup group) {
    for (const QWidget* w = widget; w; w = w->parentWidget())
        if (w->autoFillBackground() || w->isWindow())
            return w->palette().color(group, w->backgroundRole());
    return {};
}

/// The texts of the window shown in a contrast below 4.5:1, each as "name fore on back: ratio".
QStringList unreadableTexts(QWidget& window) {
    QStringList found;
    for (QWidget* widget : window.findChildren<QWidget*>()) {
        if (!widget->isVisible())
            continue;
        const QPalette::ColorGroup group = widget->isEnabled() ? QPalette::Active : QPalette::Disabled;
        const QPalette& p = widget->palette();
        QColor fore;
        QColor back;
        if (qobject_cast<QLineEdit*>(widget) || qobject_cast<QPlainTextEdit*>(widget)) {
            fore = p.color(group, QPalette::Text);
            back = p.color(group, QPalette::Base);
        } else if (qobject_cast<QPushButton*>(widget)) {
            fore = p.color(group, QPalette::ButtonText);
            back = p.color(group, QPalette::Button);
        } else if ((qobject_cast<QLabel*>(widget) && !qobject_cast<QLabel*>(widget)->text().isEmpty()) ||
                   (qobject_cast<QGroupBox*>(widget) &&
                    !qobject_cast<QGroupBox*>(widget)->title().isEmpty()) ||
                   qobject_cast<QAbstractButton*>(widget) || qobject_cast<QTabBar*>(widget)) {
            fore = p.color(group, QPalette::WindowText);
            back = behind(widget, group);
        } else {
            continue;
        }
        const double ratio = zorbal::platform::contrastRatio(colourOf(fore), colourOf(back));
        if (ratio < zorbal::platform::kReadableContrast)
            found << QStringLiteral("%1 %2 on %3: %4")
                         .arg(widget->objectName(), fore.name(), back.name())
                         .arg(ratio, 0, 'f', 2);
    }
    return found;
}

} // namespace

class WindowAccessTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { zorbal::ui::qt::applyDesignLook(*qApp); }

    // The tab row keeps the window system's arrows (the tab beside, no wrapping) and adds Home,
    // End, Enter and Space; Ctrl+PgDown still steps; the focus stays in the row throughout.
    void theTabRowTakesTheTabPatternsKeys() {
        Started started;
        auto* bar = started.find<DesignTabControl>("SSTab1")->tabBar();
        bar->setFocus(Qt::TabFocusReason);
        QCOMPARE(started.tab(), 1);
        const struct {
            Qt::Key key;
            Qt::KeyboardModifiers modifiers;
            int tab;
        } steps[] = {{Qt::Key_Home, Qt::NoModifier, 0},  {Qt::Key_Right, Qt::NoModifier, 1},
                     {Qt::Key_End, Qt::NoModifier, 6},   {Qt::Key_Right, Qt::NoModifier, 6},
                     {Qt::Key_Left, Qt::NoModifier, 5},  {Qt::Key_Return, Qt::NoModifier, 5},
                     {Qt::Key_Space, Qt::NoModifier, 5}, {Qt::Key_PageDown, Qt::ControlModifier, 6},
                     {Qt::Key_Home, Qt::NoModifier, 0},  {Qt::Key_PageUp, Qt::ControlModifier, 6}};
        for (const auto& step : steps) {
            QTest::keyClick(focused(), step.key, step.modifiers);
            QCOMPARE(started.tab(), step.tab);
            QCOMPARE(started.window.model().SSTab1.Tab(), step.tab);
            QCOMPARE(focused(), static_cast<QWidget*>(bar));
        }
        QVERIFY(started.find<QWidget>("MSFlexGrid1")->isVisible());
    }

    // Tab reaches the tab row, the graphs and the history table, whose arrows then scroll it; a
    // focus frame shows where the focus is on the graphs and the table, which paint themselves.
    void tabReachesEveryRegionAndTheFocusIsFramed() {
        Started started;
        auto* tabs = started.find<DesignTabControl>("SSTab1");
        auto* volume = started.find<QWidget>("txtInput_0");
        volume->setFocus(Qt::TabFocusReason);
        QTest::keyClick(volume, Qt::Key_Tab, Qt::ShiftModifier);
        for (int i = 0; i < 60 && focused() != tabs->tabBar(); ++i)
            QTest::keyClick(focused(), Qt::Key_Tab, Qt::ShiftModifier);
        QCOMPARE(focused(), static_cast<QWidget*>(tabs->tabBar()));

        auto* frame = started.window.findChild<QFocusFrame*>();
        QVERIFY(frame);
        QTest::keyClick(focused(), Qt::Key_Right); // the trajectory page
        auto* graph = started.find<QWidget>("pctXYGraph");
        QVERIFY(tabTo(graph));
        QVERIFY(frame->isVisible());
        QCOMPARE(frame->widget(), graph);
        QVERIFY(frame->geometry().contains(graph->geometry()));
        QTest::keyClick(focused(), Qt::Key_Tab);
        QVERIFY(!frame->isVisible());

        for (int i = 0; i < 30; ++i)
            QTest::keyClick(focused(), Qt::Key_F5);
        tabs->tabBar()->setFocus(Qt::TabFocusReason);
        QTest::keyClick(focused(), Qt::Key_End);
        auto* table = started.find<HistoryTableView>("MSFlexGrid1");
        QVERIFY(tabTo(table));
        QCOMPARE(frame->widget(), static_cast<QWidget*>(table));
        QScrollBar* down = table->verticalScrollBar();
        QScrollBar* across = table->horizontalScrollBar();
        QVERIFY(down->maximum() > 0);
        QCOMPARE(down->value(), down->maximum()); // the latest launch is in view
        QTest::keyClick(table, Qt::Key_Up);
        QCOMPARE(down->value(), down->maximum() - down->singleStep());
        QTest::keyClick(table, Qt::Key_Home);
        QCOMPARE(down->value(), 0);
        QTest::keyClick(table, Qt::Key_PageDown);
        QVERIFY(down->value() > 0);
        if (across->maximum() > 0) {
            QTest::keyClick(table, Qt::Key_Right);
            QVERIFY(across->value() > 0);
        }
        // Tab leaves the table, not a cell of it.
        QTest::keyClick(table, Qt::Key_Tab);
        QVERIFY(focused() != table);
    }

    // F1 shows in the help panel what the mouse moving over the focused control shows.
    void f1ExplainsTheFocusedControl() {
        Started started;
        auto* pressure = started.find<QWidget>("txtInput_3");
        auto* volume = started.find<QWidget>("txtInput_0");
        pressure->setFocus(Qt::TabFocusReason);
        QTest::keyClick(pressure, Qt::Key_F1);
        const QString pressureAdvice = started.help();
        volume->setFocus(Qt::TabFocusReason);
        QTest::keyClick(volume, Qt::Key_F1);
        QVERIFY(started.help() != pressureAdvice);
        started.window.model().txtInput_MouseMove(3);
        started.window.refresh();
        QCOMPARE(started.help(), pressureAdvice);
        QCOMPARE(focused(), volume);
        // A control without advice of its own leaves the panel as it is.
        auto* bar = started.find<DesignTabControl>("SSTab1")->tabBar();
        bar->setFocus(Qt::TabFocusReason);
        QTest::keyClick(bar, Qt::Key_F1);
        QCOMPARE(started.help(), pressureAdvice);
    }

    // Each launch is announced by its results, a refused one by its message; the graphs say
    // what they show and give their numbers.
    void launchesAreAnnouncedAndTheGraphsDescribed() {
        Started started;
        auto* announcer = started.find<QWidget>("announcer");
        QCOMPARE(told(announcer)->role(), QAccessible::Notification);
        auto* graph = started.find<QWidget>("pctXYGraph");
        QCOMPARE(told(graph)->text(QAccessible::Name),
                 QStringLiteral("Trajectory graph, height against range: nothing launched yet."));
        QCOMPARE(told(graph)->text(QAccessible::Description),
                 QStringLiteral("Events: nothing launched yet."));

        auto* launch = started.find<QPushButton>("cmdLaunch");
        launch->setFocus(Qt::TabFocusReason);
        QTest::keyClick(launch, Qt::Key_Return);
        const QString said = told(announcer)->text(QAccessible::Name);
        QCOMPARE(said, QString::fromStdString(zorbal::ui::launchAnnouncement(started.window.model())));
        QVERIFY2(said.startsWith(QLatin1String("Launch 1: Flight Duration 4.30 seconds, Maximum Height 22.60 "
                                               "metres, Range ")),
                 qPrintable(said));
        QVERIFY(!told(announcer)->state().invisible);
        QVERIFY(told(graph)
                    ->text(QAccessible::Name)
                    .startsWith(QLatin1String(
                        "Trajectory graph, height against range of launch 1: Flight Duration 4.30 seconds")));
        const QString numbers = told(started.find<QWidget>("pctVTgraph"))->text(QAccessible::Description);
        QVERIFY2(numbers.startsWith(QLatin1String("Events of launch 1: Water expelled, Time (seconds) ")),
                 qPrintable(numbers));
        QVERIFY2(numbers.contains(QLatin1String("; Landing, Time (seconds) 4.30, Height (metres) ")),
                 qPrintable(numbers));

        // The same results said again are announced again; a refusal says its message.
        auto* again = started.find<QPushButton>("cmdLaunch2");
        QCOMPARE(focused(), static_cast<QWidget*>(again));
        auto* announcing = qobject_cast<zorbal::ui::qt::AnnouncementWidget*>(announcer);
        const int count = announcing->count();
        started.window.model().txtInput[0].Text = "99";
        started.window.refresh();
        QTest::keyClick(again, Qt::Key_Return);
        QCOMPARE(started.messages.messages.size(), std::size_t{1});
        QCOMPARE(announcing->count(), count + 1);
        QCOMPARE(told(announcer)->text(QAccessible::Name),
                 QString::fromStdString(started.messages.messages.front()));
        QCOMPARE(started.window.model().LaunchCount, 1);
    }

    // A real message box is described by its message, keeps the focus until it is answered and
    // gives it back to the control that had it.
    void aMessageBoxIsDescribedByItsTextAndGivesTheFocusBack() {
        zorbal::platform::qt::QtPlatform platform;
        MainWindow window(platform);
        window.load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        window.model().txtInput[0].Text = "99";
        window.refresh();
        auto* launch = window.findChild<QPushButton*>(QStringLiteral("cmdLaunch"));
        launch->setFocus();
        QString description;
        QString text;
        bool kept = false;
        auto* timer = new QTimer(&window);
        timer->setInterval(10);
        connect(timer, &QTimer::timeout, timer, [&] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            if (!box)
                return;
            timer->stop();
            text = box->text();
            description = told(box)->text(QAccessible::Description);
            QTest::keyClick(focused(), Qt::Key_Tab);
            kept = box->isAncestorOf(focused());
            QTest::keyClick(focused(), Qt::Key_Return);
        });
        timer->start();
        QTest::keyClick(launch, Qt::Key_Return);
        QVERIFY(!text.isEmpty());
        QCOMPARE(description, text);
        QVERIFY(kept);
        QTRY_COMPARE(window.focusWidget(), static_cast<QWidget*>(launch));
        auto* announcer = window.findChild<QWidget*>(QStringLiteral("announcer"));
        QCOMPARE(told(announcer)->text(QAccessible::Name), text);
    }

    // The history table gives each column a heading from the heading rows above it.
    void theHistoryTableHasColumnHeadings() {
        Started started;
        auto* table = started.find<HistoryTableView>("MSFlexGrid1");
        QAccessibleTableInterface* cells = told(table)->tableInterface();
        QVERIFY(cells);
        const auto& grid = started.window.model().MSFlexGrid1;
        QVERIFY(grid.FixedRows() >= 1);
        for (int c = 0; c < grid.Cols(); ++c) {
            const QString heading = cells->columnDescription(c);
            QVERIFY2(!heading.isEmpty(), qPrintable(QString::number(c)));
            QVERIFY2(
                heading.contains(QString::fromStdString(grid.TextMatrix(grid.FixedRows() - 1, c)).trimmed()),
                qPrintable(heading));
        }
    }

    // In the high-contrast look every text stands out by 4.5:1 or more (black on the red "Launch!"
    // cannot reach the 7:1 the look gives the others), before and after a launch and on every
    // page; back in the designed look the window is as before.
    void theHighContrastLookMakesEveryTextReadableAndTheDesignedLookReturns() {
        Started started;
        auto* tabs = started.find<DesignTabControl>("SSTab1");
        // Ctrl+Shift+H switches there and back; back, the window is as designed.
        const QImage designed = started.window.grab().toImage();
        QTest::keyClick(focused(), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(started.window.highContrast());
        QVERIFY(started.window.grab().toImage() != designed);
        QTest::keyClick(focused(), Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!started.window.highContrast());
        QCOMPARE(started.window.grab().toImage(), designed);

        started.window.setHighContrast(true);
        QCoreApplication::processEvents(); // the window itself takes the new palette from an event
        QCOMPARE(started.window.palette().color(QPalette::Window), QColor(Qt::white));
        for (int tab = 0; tab < tabs->count(); ++tab) {
            tabs->tabBar()->setCurrentIndex(tab);
            const QStringList found = unreadableTexts(started.window);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String("; "))));
        }
        tabs->tabBar()->setCurrentIndex(1);
        started.click("cmdLaunch");
        started.click("chkOptions_3"); // the parachute's boxes change their state
        for (int tab : {1, 2, 6}) {
            tabs->tabBar()->setCurrentIndex(tab);
            const QStringList found = unreadableTexts(started.window);
            QVERIFY2(found.isEmpty(), qPrintable(found.join(QLatin1String("; "))));
        }
        started.window.setHighContrast(false);
    }
};

QTEST_MAIN(WindowAccessTest)
#include "window_access_test.moc"
