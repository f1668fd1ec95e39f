// SPDX-License-Identifier: MIT
// The Investigate window driven as a user would: opened with Ctrl+I on the main window's design,
// its controls where they were designed, named and reached with Tab, a sweep run from the
// keyboard, a cancelled run that keeps what was shown, "Use this design" loading the main
// window, and closing or destroying the window while a job runs.
#include "investigate/qt/investigate_window.h"
#include "platform/qt/twips.h"
#include "started_window.h"
#include "ui/qt/look.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QContextMenuEvent>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QTabBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>

#include <memory>
#include <string>

using zorbal::investigate::findInvestigateControl;
using zorbal::investigate::investigateForm;
using zorbal::investigate::qt::InvestigateLink;
using zorbal::investigate::qt::InvestigateWindow;
using zorbal::ui::ControlKind;

namespace {

QWidget* focused() {
    return QApplication::focusWidget();
}

/// A started main window with its way into the Investigate window.
struct Linked : Started {
    Linked() : link(new InvestigateLink(window, platform, &messages)) {}
    /// Opens the Investigate window with Ctrl+I, as the user would.
    InvestigateWindow& open() {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window))
            qFatal("the main window did not become active");
        QTest::keyClick(&window, Qt::Key_I, Qt::ControlModifier);
        if (!link->window())
            qFatal("Ctrl+I opened no Investigate window");
        if (!QTest::qWaitForWindowExposed(link->window()))
            qFatal("the Investigate window was not shown");
        return *link->window();
    }
    InvestigateLink* link;
};

template <typename Widget = QWidget> Widget* in(InvestigateWindow& window, const char* name) {
    auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
    if (!widget)
        qFatal("no widget %s in the Investigate window", name);
    return widget;
}

/// Types `text` over a box's text from the keyboard, then leaves the box with Tab.
void typeInto(InvestigateWindow& window, const char* box, const QString& text) {
    auto* edit = in<QLineEdit>(window, box);
    edit->setFocus(Qt::TabFocusReason);
    QTest::keyClick(edit, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(edit, text);
    QTest::keyClick(edit, Qt::Key_Tab);
    QCOMPARE(QString::fromStdString(window.model().control(box).text), text);
}

/// Chooses entry `index` of a list from the keyboard.
void choose(InvestigateWindow& window, const char* list, int index) {
    auto* choice = in<QComboBox>(window, list);
    choice->setFocus(Qt::TabFocusReason);
    QTest::keyClick(choice, Qt::Key_Home);
    for (int i = 0; i < index; ++i)
        QTest::keyClick(choice, Qt::Key_Down);
    QCOMPARE(window.model().control(list).selected, index);
}

/// Presses a button from the keyboard: the focus on it, then Space.
void pressKey(InvestigateWindow& window, const char* button) {
    auto* widget = in<QPushButton>(window, button);
    QVERIFY2(widget->isEnabled(), button);
    widget->setFocus(Qt::TabFocusReason);
    QTest::keyClick(widget, Qt::Key_Space);
}

bool idle(InvestigateWindow& window) {
    return !window.isRunning() && !window.model().isBusy();
}

/// A sweep of the first input alone over `steps` values.
void smallSweep(InvestigateWindow& window, int steps) {
    choose(window, "cboVary_1", 0); // "(none)"
    typeInto(window, "txtSteps_0", QString::number(steps));
    pressKey(window, "cmdVaryRun");
}

/// A sweep of two inputs, `steps` values each: long enough to be cancelled.
void largeSweep(InvestigateWindow& window, int steps) {
    choose(window, "cboVary_1", 2);
    typeInto(window, "txtSteps_0", QString::number(steps));
    typeInto(window, "txtSteps_1", QString::number(steps));
    pressKey(window, "cmdVaryRun");
}

/// True when the picture has more than one colour in it: something was drawn.
bool drawn(QWidget* graph) {
    const QImage image = graph->grab().toImage();
    const QRgb first = image.pixel(0, 0);
    for (int y = 0; y < image.height(); y += 3)
        for (int x = 0; x < image.width(); x += 3)
            if (image.pixel(x, y) != first)
                return true;
    return false;
}

} // namespace

class InvestigateWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { zorbal::ui::qt::applyDesignLook(*qApp); }

    void ctrlIOpensOnTheCurrentDesign() {
        Linked started;
        // The designed window is as it was: the way in hides nothing.
        QCOMPARE(started.window.contextMenuPolicy(), Qt::ActionsContextMenu);
        QVERIFY(started.window.actions().contains(started.link->action()));
        QCOMPARE(started.link->action()->shortcut(), QKeySequence(Qt::CTRL | Qt::Key_I));
        QVERIFY(!started.link->action()->text().isEmpty());

        auto* box = started.find<QLineEdit>("txtInput_0");
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(box, QStringLiteral("1.75"));
        QTest::keyClick(box, Qt::Key_Tab);
        const std::string design = started.window.designText();
        QVERIFY(design.find("1.75") != std::string::npos);

        InvestigateWindow& window = started.open();
        QVERIFY(window.isVisible());
        QCOMPARE(window.windowTitle(), QString::fromLatin1(zorbal::investigate::kInvestigateTitle));
        QCOMPARE(window.model().designFile(), design);
        QVERIFY(QTest::qWaitForWindowActive(&window));
        QVERIFY(focused() && focused()->window() == &window);

        // Escape closes it; Ctrl+I opens the same window again on the design as it is now.
        QTest::keyClick(focused(), Qt::Key_Escape);
        QTRY_VERIFY(!window.isVisible());
        InvestigateWindow& again = started.open();
        QCOMPARE(&again, &window);
        QVERIFY(again.isVisible());
    }

    void aButtonBelowHideHelpOpensItFromTheKeyboard() {
        Linked started;
        auto* button = started.find<QPushButton>("cmdInvestigate");
        QVERIFY(button->isVisible());
        QVERIFY(!button->accessibleName().isEmpty());
        // It stands where no designed control does, inside the window with the help panel shown
        // or hidden.
        const QRect place = button->geometry();
        for (const QWidget* other : started.window.findChildren<QWidget*>()) {
            if (other == button || other->parentWidget() != &started.window || !other->isVisible())
                continue;
            QVERIFY2(!place.intersects(other->geometry()), qPrintable(other->objectName()));
        }
        QVERIFY(place.right() <
                zorbal::platform::qt::twipsRect(0, 0, 12495, 0, started.window.dotsPerInch()).width());
        // Tab from "Hide Help" reaches it, and Space opens the window.
        auto* help = started.find<QPushButton>("cmdShowHelp_0");
        started.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&started.window));
        help->setFocus(Qt::TabFocusReason);
        QTest::keyClick(help, Qt::Key_Tab);
        QCOMPARE(focused(), button);
        QTest::keyClick(button, Qt::Key_Space);
        QVERIFY(started.link->window() && started.link->window()->isVisible());
    }

    void theContextMenusOfferIt() {
        Linked started;
        // The Menu key on the tab row or on a graph (whose menu has the picture's commands
        // first) offers "Investigate..." too.
        for (const char* name : {"SSTab1", "pctXYGraph"}) {
            QWidget* widget = started.find<QWidget>(name);
            if (auto* tabs = qobject_cast<zorbal::ui::qt::DesignTabControl*>(widget))
                widget = tabs->tabBar();
            started.window.activateWindow();
            widget->setFocus();
            bool offered = false;
            QTimer::singleShot(0, [&] {
                if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
                    offered = menu->actions().contains(started.link->action());
                    menu->close();
                }
            });
            QContextMenuEvent menuKey(QContextMenuEvent::Keyboard, QPoint(4, 4),
                                      widget->mapToGlobal(QPoint(4, 4)));
            QApplication::sendEvent(widget, &menuKey);
            QVERIFY2(offered, name);
        }
        QVERIFY(!started.link->window()); // nothing opened without being asked
    }

    void everyControlIsPlacedNamedAndReachable() {
        Linked started;
        InvestigateWindow& window = started.open();
        const double dpi = window.dotsPerInch();
        QCOMPARE(window.size(),
                 zorbal::platform::qt::twipsRect(0, 0, zorbal::investigate::kInvestigateArea.width,
                                                 zorbal::investigate::kInvestigateArea.height, dpi)
                     .size());
        QVERIFY(!investigateForm().empty());
        for (const zorbal::ui::FormControl& control : investigateForm()) {
            const QByteArray id(control.id.data(), static_cast<qsizetype>(control.id.size()));
            QWidget* widget = in(window, id.constData());
            const QRect designed = zorbal::platform::qt::twipsRect(
                control.rect.left, control.rect.top, control.rect.width, control.rect.height, dpi);
            QCOMPARE(widget->geometry(), designed);
            const QString parent = control.parent.empty()
                                       ? QStringLiteral("frmInvestigate")
                                       : QString::fromLatin1(control.parent.data(),
                                                             static_cast<qsizetype>(control.parent.size()));
            if (!parent.contains(QLatin1String("_page_")))
                QCOMPARE(widget->parentWidget()->objectName(), parent);
            if (!control.caption.empty()) {
                const std::string caption(control.caption);
                QVERIFY2(!widget->accessibleName().isEmpty(), id.constData());
                QCOMPARE(widget->accessibleName(),
                         QString::fromStdString(window.model().control(caption).text));
            }
            if (!control.unit.empty())
                QCOMPARE(widget->accessibleDescription(),
                         QString::fromStdString(window.model().control(std::string(control.unit)).text));
            if (control.kind == ControlKind::Choice)
                QVERIFY2(qobject_cast<QComboBox*>(widget), id.constData());
            if (control.kind == ControlKind::Progress)
                QVERIFY2(qobject_cast<QProgressBar*>(widget), id.constData());
        }

        // On every page, Tab visits the page's usable controls and those below the pages, in the
        // form's order, and comes round to where it began.
        auto* tabs = in<zorbal::ui::qt::DesignTabControl>(window, "tabInvestigate");
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->tabBar()->setFocus(Qt::TabFocusReason);
            QTest::keyClick(tabs->tabBar(), Qt::Key_Home);
            for (int i = 0; i < page; ++i)
                QTest::keyClick(tabs->tabBar(), Qt::Key_Right);
            QCOMPARE(tabs->currentIndex(), page);
            const QString pageName = QStringLiteral("tabInvestigate_page_%1").arg(page);
            QStringList expected;
            for (const zorbal::ui::FormControl& control : investigateForm()) {
                QWidget* widget =
                    in(window, QByteArray(control.id.data(), qsizetype(control.id.size())).constData());
                const bool onPage = tabs->page(page)->isAncestorOf(widget) || !tabs->isAncestorOf(widget);
                if (onPage && widget->isVisible() && widget->isEnabled() &&
                    (widget->focusPolicy() & Qt::TabFocus) && widget != tabs)
                    expected.push_back(widget->objectName());
            }
            QStringList visited;
            for (int i = 0; i < 200; ++i) {
                QTest::keyClick(focused(), Qt::Key_Tab);
                QWidget* now = focused();
                QVERIFY(now && now->window() == &window);
                if (now == tabs->tabBar())
                    break;
                QWidget* control = now;
                while (control && control->objectName().isEmpty())
                    control = control->parentWidget();
                if (control && (visited.isEmpty() || visited.back() != control->objectName()))
                    visited.push_back(control->objectName());
            }
            QCOMPARE(visited, expected);
            QCOMPARE(focused(), tabs->tabBar());
        }
    }

    void adviceAndLookFromTheKeyboard() {
        Linked started;
        InvestigateWindow& window = started.open();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // F1 shows the focused control's advice.
        auto* steps = in<QLineEdit>(window, "txtSteps_0");
        steps->setFocus(Qt::TabFocusReason);
        QVERIFY(!steps->toolTip().isEmpty());
        QCOMPARE(steps->toolTip(), QString::fromStdString(window.model().control("txtSteps_0").toolTip));
        QTest::keyClick(steps, Qt::Key_F1);
        QTRY_COMPARE(QToolTip::text(), steps->toolTip());
        // Ctrl+Shift+H here switches the program's look, this window's too.
        QTest::keyClick(steps, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(started.window.highContrast());
        QTRY_COMPARE(window.palette().color(QPalette::Window), QColor(Qt::white));
        QCOMPARE(in(window, "cmdVaryRun")->palette().color(QPalette::ButtonText), QColor(Qt::black));
        QTest::keyClick(steps, Qt::Key_H, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(!started.window.highContrast());
        QTRY_COMPARE(window.palette().color(QPalette::Window), QColor(240, 240, 240));
        QCOMPARE(focused(), steps);
    }

    void aSmallSweepFromTheKeyboardFinishesAndDraws() {
        Linked started;
        InvestigateWindow& window = started.open();
        auto* graph = in(window, "picVary");
        smallSweep(window, 4);
        QTRY_VERIFY_WITH_TIMEOUT(idle(window), 60000);
        QVERIFY(!window.model().surface("picVary").primitives().empty());
        QVERIFY(drawn(graph));
        QCOMPARE(in<QProgressBar>(window, "prgProgress")->value(),
                 window.model().control("prgProgress").value);
        QVERIFY(!in<QLabel>(window, "lblStatus")->text().isEmpty());
        // What finished is said to assistive technology.
        auto* announcer = window.findChild<zorbal::ui::qt::AnnouncementWidget*>(QStringLiteral("announcer"));
        QVERIFY(announcer && announcer->count() > 0);
        QCOMPARE(announcer->accessibleName(), QString::fromStdString(window.model().announcement()));
        // The graph tells assistive technology what it shows.
        QVERIFY(!graph->accessibleDescription().isEmpty());
        QCOMPARE(graph->accessibleDescription(),
                 QString::fromStdString(window.model().control("picVary").description));
        // The focus came back to the run button, usable again.
        QTRY_COMPARE(focused(), in(window, "cmdVaryRun"));
        QVERIFY(started.messages.messages.empty());
        // On the graph the arrow keys choose its designs one after another.
        graph->setFocus();
        QTest::keyClick(graph, Qt::Key_Right);
        QTest::keyClick(graph, Qt::Key_Right);
        const QString point = in<QWidget>(window, "txtVaryPoint")->property("plainText").toString();
        QVERIFY2(point.startsWith(QStringLiteral("Chosen: design 2 of 4")), qPrintable(point));
        QVERIFY(in<QPushButton>(window, "cmdUseDesign")->isEnabled());
    }

    void cancelKeepsTheEarlierResults() {
        Linked started;
        InvestigateWindow& window = started.open();
        auto* graph = in(window, "picVary");
        smallSweep(window, 4);
        QTRY_VERIFY_WITH_TIMEOUT(idle(window), 60000);
        const QImage before = graph->grab().toImage();
        const QString pointBefore = in<QWidget>(window, "txtVaryPoint")->property("plainText").toString();

        largeSweep(window, 200);
        QTRY_VERIFY_WITH_TIMEOUT(window.isRunning(), 5000);
        // Meanwhile the main window still takes input.
        QVERIFY(started.find<QLineEdit>("txtInput_0")->isEnabled());
        auto* cancel = in<QPushButton>(window, "cmdCancel");
        QTRY_VERIFY(cancel->isEnabled());
        QTest::mouseClick(cancel, Qt::LeftButton);
        QTRY_VERIFY_WITH_TIMEOUT(idle(window), 30000);
        QCOMPARE(graph->grab().toImage(), before);
        QCOMPARE(in<QWidget>(window, "txtVaryPoint")->property("plainText").toString(), pointBefore);
        QVERIFY(focused() && focused()->window() == &window && focused()->isEnabled());
    }

    void aRunForAnotherDesignDoesNotWaitForTheOldOne() {
        Linked started;
        InvestigateWindow& window = started.open();
        largeSweep(window, 200);
        QTRY_VERIFY_WITH_TIMEOUT(window.isRunning(), 5000);
        // Another design in the main window, opened here: the running map is for the old one.
        started.window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&started.window));
        auto* volume = started.find<QLineEdit>("txtInput_0");
        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(volume, QStringLiteral("1.25"));
        QTest::keyClick(volume, Qt::Key_Tab);
        QCOMPARE(&started.open(), &window);
        QCOMPARE(window.model().designFile(), started.window.designText());
        // A small run now is not held up by the rest of the old map.
        QTRY_VERIFY(in<QPushButton>(window, "cmdVaryRun")->isEnabled());
        smallSweep(window, 4);
        QTRY_VERIFY_WITH_TIMEOUT(idle(window), 2000);
        QVERIFY(in<QLabel>(window, "lblStatus")->text().contains(QLatin1String("4 designs")));
    }

    void useThisDesignLoadsTheMainWindow() {
        Linked started;
        InvestigateWindow& window = started.open();
        const std::string before = started.window.designText();
        smallSweep(window, 4);
        QTRY_VERIFY_WITH_TIMEOUT(idle(window), 60000);
        // The design at the far end of the sweep, chosen on the graph.
        auto* graph = in(window, "picVary");
        QTest::mouseClick(graph, Qt::LeftButton, {}, QPoint(graph->width() * 9 / 10, graph->height() / 2));
        if (!in<QPushButton>(window, "cmdUseDesign")->isEnabled())
            pressKey(window, "cmdBest");
        QTRY_VERIFY(in<QPushButton>(window, "cmdUseDesign")->isEnabled());
        pressKey(window, "cmdUseDesign");
        QVERIFY(started.messages.messages.empty());
        QVERIFY(started.window.designText() != before);
        QCOMPARE(started.tab(), int(zorbal::ui::TabRocketDesign));
    }

    void closingOrDestroyingWhileRunningIsSafe() {
        Linked started;
        InvestigateWindow& window = started.open();
        largeSweep(window, 200);
        QTRY_VERIFY_WITH_TIMEOUT(window.isRunning(), 5000);
        window.close();
        QVERIFY(!window.isVisible());
        QVERIFY(!window.isRunning());
        QVERIFY(!window.model().isBusy());
        // "Close" while a run goes does the same.
        InvestigateWindow& reopened = started.open();
        largeSweep(reopened, 200);
        QTRY_VERIFY_WITH_TIMEOUT(reopened.isRunning(), 5000);
        pressKey(reopened, "cmdClose");
        QTRY_VERIFY(!reopened.isVisible());
        QVERIFY(!reopened.isRunning());
        QVERIFY(!reopened.model().isBusy());
        // Open again and leave a run going while the main window, and with it the Investigate
        // window, goes away.
        InvestigateWindow& again = started.open();
        largeSweep(again, 200);
        QTRY_VERIFY_WITH_TIMEOUT(again.isRunning(), 5000);
        delete started.link;
        QCoreApplication::processEvents(); // a late message from the thread goes nowhere
    }

    void drawingsBecomePngFiles() {
        zorbal::platform::DrawingSurface surface;
        surface.scale(0, 0, 100, 100);
        surface.line(10, 10, 90, 90);
        const std::string png = zorbal::investigate::qt::drawingPng(surface, 120, 80);
        const QImage image = QImage::fromData(QByteArray(png.data(), qsizetype(png.size())), "PNG");
        QCOMPARE(image.size(), QSize(120, 80));
        QVERIFY(zorbal::investigate::qt::drawingPng(surface, 0, 80).empty());
    }
};

QTEST_MAIN(InvestigateWindowTest)
#include "investigate_window_test.moc"
