// SPDX-License-Identifier: MIT
// The main window's binding on Qt's offscreen platform: start-up state, a launch by mouse and by
// keyboard, option boxes, a graph limit re-plot, the help panel, advice on mouse movement, the
// splash window, and the conversions the layer relies on.
#include "platform/headless.h"
#include "platform/qt/canvas_widget.h"
#include "platform/qt/history_table.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/twips.h"
#include "started_window.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/splash_window.h"
#include "ui/splash.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <stdexcept>

using zorbal::platform::qt::pixelsToTwips;
using zorbal::platform::qt::twipsRect;
using zorbal::platform::qt::twipsToPixels;
using zorbal::ui::qt::MainWindow;

class MainWindowTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() { zorbal::ui::qt::applyDesignLook(*qApp); }

    void twipsConvertAtTheScreenResolution() {
        QCOMPARE(twipsToPixels(1440, 96), 96);
        QCOMPARE(twipsToPixels(15, 96), 1);
        QCOMPARE(twipsToPixels(7, 96), 0);
        QCOMPARE(twipsToPixels(8, 96), 1);
        QCOMPARE(twipsToPixels(-120, 96), -8);
        QCOMPARE(twipsToPixels(1440, 144), 144);
        QCOMPARE(pixelsToTwips(1033, 96), 15495);
        QCOMPARE(pixelsToTwips(833, 96), 12495);
        // Edges, not sizes, are converted: neighbours that touch as designed still touch.
        const QRect left = twipsRect(0, 0, 1447, 100, 96);
        const QRect right = twipsRect(1447, 0, 1447, 100, 96);
        QCOMPARE(left.right() + 1, right.left());
        QCOMPARE(twipsRect(120, 120, 12135, 7695, 96), QRect(8, 8, 809, 513));
    }

    void servicesTalkToQt() {
        using zorbal::platform::qt::fromQtText;
        using zorbal::platform::qt::QtFileDialog;
        using zorbal::platform::qt::toQtText;
        QCOMPARE(toQtText("a\r\n\r\nb"), QStringLiteral("a\n\nb"));
        QCOMPARE(fromQtText(QStringLiteral("a\n\nb")), std::string("a\r\n\r\nb"));
        QCOMPARE(fromQtText(QStringLiteral("a\r\nb")), std::string("a\r\nb"));
        QCOMPARE(QtFileDialog::qtFilter("text files(*.txt)"), QStringLiteral("text files(*.txt)"));
        QCOMPARE(QtFileDialog::qtFilter("Text|*.txt|All files (*.*)|*.*"),
                 QStringLiteral("Text (*.txt);;All files (*.*)"));
        zorbal::platform::qt::QtClipboard clipboard;
        QVERIFY(clipboard.setText("1\t2\r\n"));
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("1\t2\r\n"));
        // The width is whole pixels: at 96 dpi a twip less than 15495 is still 1033 pixels.
        QWidget window;
        zorbal::platform::qt::QtWindowFrame frame;
        frame.window = &window;
        frame.setOuterWidthTwips(15495);
        QCOMPARE(frame.outerWidthTwips(), 15495);
        frame.setOuterWidthTwips(15494);
        QCOMPARE(frame.outerWidthTwips(), 15495);
        frame.setOuterWidthTwips(12495);
        QCOMPARE(frame.outerWidthTwips(), 12495);
    }

    void startsOnTheRocketDesignPage() {
        Started started;
        QCOMPARE(started.window.windowTitle(), QStringLiteral("Zorbal 1.2"));
        QCOMPARE(started.tab(), 1);
        QVERIFY(started.find<QGroupBox>("Frame1")->isVisible());
        QVERIFY(!started.find<QWidget>("pctXYGraph")->isVisible());
        QCOMPARE(started.help(),
                 QStringLiteral("On this tab panel you can change parameters to design and simulate "
                                "the launch of your own rocket. \n\n"));
        for (int i = 0; i < 14; ++i) {
            const QString name = QStringLiteral("txtInput_%1").arg(i);
            QCOMPARE(
                started.window.findChild<QLineEdit*>(name)->text(),
                QString::fromStdString(started.window.model().txtInput[static_cast<std::size_t>(i)].Text));
        }
        QCOMPARE(started.find<QLineEdit>("txtInput_0")->text(), QStringLiteral("2.00"));
        QCOMPARE(started.find<QLineEdit>("txtGraph_1")->text(), QStringLiteral("100"));
        QVERIFY(!started.find<QLineEdit>("txtOutput_7")->text().isEmpty()); // pre-launch values
        QVERIFY(started.find<QLineEdit>("txtOutput_7")->isReadOnly());
        QVERIFY(!started.find<QWidget>("txtInput_8")->isEnabled());
        QVERIFY(!started.find<QWidget>("frmParachute")->isEnabled());
        for (const char* button : {"cmdCopy", "cmdSaveTraj", "cmdCopyHistory", "cmdSaveHistory"})
            QVERIFY(!started.find<QWidget>(button)->isEnabled());
        QVERIFY(!started.find<QWidget>("cmdClearGraph_1")->isVisibleTo(&started.window));
        QCOMPARE(started.find<QPushButton>("cmdShowHelp_0")->text(), QStringLiteral("Hide Help"));
        QCOMPARE(started.window.width(), twipsToPixels(15495, started.window.dotsPerInch()) -
                                             twipsToPixels(60, started.window.dotsPerInch()));
    }

    void clickingLaunchFliesAndShowsTheTrajectory() {
        Started started;
        const auto& grid = started.window.model().MSFlexGrid1;
        started.click("cmdLaunch");
        QVERIFY(started.messages.messages.empty());
        QCOMPARE(started.window.model().LaunchCount, 1);
        QCOMPARE(started.tab(), 2);
        QVERIFY(started.find<QWidget>("pctXYGraph")->isVisible());
        for (const char* name : {"txtOutput_4", "txtOutput_6", "txtOutput_9"})
            QVERIFY(started.find<QLineEdit>(name)->text().toDouble() > 0);
        QCOMPARE(started.find<QPushButton>("cmdLaunch")->text(), QStringLiteral("Launch!"));
        QVERIFY(started.find<QWidget>("cmdLaunch")->isEnabled());
        QVERIFY(started.find<QWidget>("cmdSaveHistory")->isEnabled());
        QVERIFY(started.find<QPlainTextEdit>("txtCommentary")
                    ->toPlainText()
                    .startsWith(QStringLiteral("Launch number")));
        // The history row as the table shows it.
        auto* table = started.find<zorbal::platform::qt::HistoryTableView>("MSFlexGrid1");
        QCOMPARE(table->model()->rowCount(), grid.Rows());
        QCOMPARE(table->model()->index(2, 0).data().toString(), QStringLiteral("1"));
        QCOMPARE(table->model()->index(2, 17).data().toString(),
                 started.find<QLineEdit>("txtOutput_9")->text());
        // Both graphs show the flight.
        auto* trajectory = started.find<zorbal::platform::qt::CanvasWidget>("pctXYGraph");
        QCOMPARE(trajectory->surface(), &started.window.model().pctXYGraph);
        QVERIFY(!trajectory->picture().isNull());
    }

    void keyboardReachesAndPressesLaunch() {
        Started started;
        // Tab runs down the design inputs in their order on the page.
        started.find<QWidget>("txtInput_0")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtInput_1"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget()->objectName(), QStringLiteral("txtInput_3"));
        // Enter presses the focused button.
        started.find<QWidget>("cmdLaunch")->setFocus();
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(started.window.model().LaunchCount, 1);
        // F5 presses "Launch!" from anywhere.
        QTest::keyClick(&started.window, Qt::Key_F5);
        QCOMPARE(started.window.model().LaunchCount, 2);
        // Ctrl+PgDown steps to the next tab page as a click on its tab would.
        QTest::keyClick(&started.window, Qt::Key_PageDown, Qt::ControlModifier);
        QCOMPARE(started.tab(), 3);
        QCOMPARE(started.help(),
                 QStringLiteral("On this tab panel you can view the predicted speed of your rocket "
                                "during its flight. \n\n"));
    }

    void parachuteBoxEnablesItsGroup() {
        Started started;
        auto* parachute = started.find<QCheckBox>("chkOptions_3");
        QTest::mouseClick(parachute, Qt::LeftButton);
        QCOMPARE(started.window.model().chkOptions[3].Value(), 1);
        QVERIFY(started.window.model().Rocket.ParachuteOn);
        for (const char* name : {"frmParachute", "optParachute_0", "optParachute_1", "txtInput_11",
                                 "txtInput_12", "txtInput_13", "lblInput_32"})
            QVERIFY2(started.find<QWidget>(name)->isEnabled(), name);
        // Choosing the time trigger disables the angle input.
        QTest::mouseClick(started.find<QRadioButton>("optParachute_1"), Qt::LeftButton);
        QVERIFY(started.find<QRadioButton>("optParachute_1")->isChecked());
        QVERIFY(!started.find<QWidget>("txtInput_11")->isEnabled());
        QVERIFY(started.find<QWidget>("txtInput_12")->isEnabled());
        QTest::mouseClick(parachute, Qt::LeftButton);
        QCOMPARE(started.window.model().chkOptions[3].Value(), 0);
        for (const char* name : {"frmParachute", "txtInput_12", "txtInput_13"})
            QVERIFY2(!started.find<QWidget>(name)->isEnabled(), name);
    }

    void leavingALimitBoxPlotsAgain() {
        Started started;
        started.click("cmdLaunch");
        const auto& model = started.window.model();
        const int rows = model.MSFlexGrid1.Rows();
        auto* height = started.find<QLineEdit>("txtGraph_0");
        height->setFocus();
        height->selectAll();
        QTest::keyClicks(height, QStringLiteral("150"));
        QCOMPARE(model.txtGraph[0].Text, std::string("150"));
        const auto before = model.pctXYGraph.revision();
        QTest::keyClick(height, Qt::Key_Tab);            // the focus leaves the box
        QCOMPARE(height->text(), QStringLiteral("100")); // replaced by the upper limit
        QVERIFY(model.pctXYGraph.revision() != before);
        QCOMPARE(model.LaunchCount, 1); // flown again, not counted
        QCOMPARE(model.MSFlexGrid1.Rows(), rows);
        QCOMPARE(started.tab(), 2);
        QVERIFY(started.messages.messages.empty());
    }

    void helpPanelHidesAndShows() {
        Started started;
        auto* button = started.find<QPushButton>("cmdShowHelp_0");
        const double dpi = started.window.dotsPerInch();
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("Show Help"));
        QCOMPARE(button->toolTip(), QStringLiteral("Clicking on this button will show the help window."));
        QVERIFY(!started.window.model().HelpPanelShown);
        QCOMPARE(started.platform.windowFrame.outerWidthTwips(),
                 pixelsToTwips(twipsToPixels(12495, dpi), dpi));
        QTest::mouseClick(button, Qt::LeftButton);
        QCOMPARE(button->text(), QStringLiteral("Hide Help"));
        QVERIFY(button->toolTip().isEmpty());
        QVERIFY(started.window.model().HelpPanelShown);
        QCOMPARE(started.platform.windowFrame.outerWidthTwips(),
                 pixelsToTwips(twipsToPixels(15495, dpi), dpi));
    }

    void mouseMovementAndFocusReachTheHandlers() {
        Started started;
        auto* nozzle = started.find<QLineEdit>("txtInput_4");
        QTest::mouseMove(nozzle, QPoint(5, 5));
        QTRY_VERIFY(started.help().endsWith(QStringLiteral("VALID RANGE: 1 to 30\n\n")));
        QTest::mouseMove(started.find<QWidget>("cmdDefault"), QPoint(10, 10));
        QTRY_COMPARE(started.help(),
                     QStringLiteral("Clicking this button will return all rocket design parameters "
                                    "to their default values. \n\n"));
        // Over a label inside a frame, the frame's advice does not appear.
        QTest::mouseMove(started.find<QWidget>("lblInput_0"), QPoint(3, 3));
        QTest::qWait(20);
        QVERIFY(
            !started.help().startsWith(QStringLiteral("This frame contains details of the water rocket")));
        QTest::mouseMove(started.find<QWidget>("Frame1"), QPoint(3, 40));
        QTRY_VERIFY(
            started.help().startsWith(QStringLiteral("This frame contains details of the water rocket")));
        // A click on the frame's own surface, where the mouse already is, shows its advice again.
        started.window.model().txtHelp.Text.clear();
        started.window.refresh();
        QTest::mouseClick(started.find<QWidget>("Frame1"), Qt::LeftButton, {}, QPoint(3, 40));
        QVERIFY(started.help().startsWith(QStringLiteral("This frame contains details of the water rocket")));
        // Leaving the pressure box validates it: a high pressure colours the box.
        auto* pressure = started.find<QLineEdit>("txtInput_3");
        pressure->setFocus();
        pressure->selectAll();
        QTest::keyClicks(pressure, QStringLiteral("6.5"));
        QTest::keyClick(pressure, Qt::Key_Tab);
        QVERIFY(started.window.model().txtInput[3].BackColor != zorbal::platform::kWhite);
        QVERIFY(pressure->palette().color(QPalette::Base) != QColor(Qt::white));
    }

    void controlsStandWhereDesigned() {
        Started started;
        const double dpi = started.window.dotsPerInch();
        // Controls on a tab page are placed in the tab control's coordinates, tab row included.
        QCOMPARE(started.find<QWidget>("Frame1")->mapTo(started.find<QWidget>("SSTab1"), QPoint(0, 0)),
                 twipsRect(360, 840, 5655, 3975, dpi).topLeft());
        QCOMPARE(started.find<QWidget>("txtHelp")->geometry(), twipsRect(12450, 600, 2895, 9255, dpi));
        QCOMPARE(started.find<QWidget>("cmdLaunch")->size(), twipsRect(0, 0, 2535, 495, dpi).size());
        QCOMPARE(started.find<QWidget>("Frame7")->parentWidget(), started.find<QWidget>("pctVTgraph"));
        QCOMPARE(started.find<QWidget>("Frame7")->geometry(), twipsRect(8160, 0, 2535, 1815, dpi));
    }

    void userInputRunsEachHandlerOnce() {
        Started started;
        auto& model = started.window.model();
        int railClicks = 0, triggerClicks = 0, tabClicks = 0;
        auto rail = model.chkOptions[2].onClick;
        model.chkOptions[2].onClick = [&] {
            ++railClicks;
            rail();
        };
        auto trigger = model.optParachute.onClick;
        model.optParachute.onClick = [&](int index) {
            ++triggerClicks;
            trigger(index);
        };
        auto tab = model.SSTab1.onClick;
        model.SSTab1.onClick = [&](int previous) {
            ++tabClicks;
            tab(previous);
        };
        QTest::mouseClick(started.find<QCheckBox>("chkOptions_2"), Qt::LeftButton);
        QTest::mouseClick(started.find<QCheckBox>("chkOptions_3"), Qt::LeftButton);
        QTest::mouseClick(started.find<QRadioButton>("optParachute_1"), Qt::LeftButton);
        started.find<zorbal::ui::qt::DesignTabControl>("SSTab1")->tabBar()->setCurrentIndex(5);
        started.window.refresh();
        QCOMPARE(railClicks, 1);
        QCOMPARE(triggerClicks, 1);
        QCOMPARE(tabClicks, 1);
        // Typing changes the text and runs nothing.
        auto* volume = started.find<QLineEdit>("txtInput_0");
        volume->setFocus();
        QTest::keyClicks(volume, QStringLiteral("5"));
        QCOMPARE(model.txtInput[0].Text, volume->text().toStdString());
        QCOMPARE(model.LaunchCount, 0);
    }

    void changesMadeByTheProgramShow() {
        Started started;
        auto& model = started.window.model();
        // As the design file loader sets them.
        model.chkOptions[3].setValue(1);
        model.optParachute.select(1);
        model.txtInput[13].Text = "0.75";
        model.txtCommentary.Text = "First\r\n\r\nSecond\r\n";
        model.SSTab1.setTab(4);
        started.window.refresh();
        QVERIFY(started.find<QCheckBox>("chkOptions_3")->isChecked());
        QVERIFY(started.find<QRadioButton>("optParachute_1")->isChecked());
        QVERIFY(!started.find<QRadioButton>("optParachute_0")->isChecked());
        QCOMPARE(started.find<QLineEdit>("txtInput_13")->text(), QStringLiteral("0.75"));
        QCOMPARE(started.tab(), 4);
        QVERIFY(started.find<QWidget>("txtCommentary")->isVisible());
        QCOMPARE(started.find<QPlainTextEdit>("txtCommentary")->toPlainText(),
                 QStringLiteral("First\n\nSecond\n"));
        // A user's line break in a multi-line box reaches the model as CR LF.
        auto* welcome = started.find<QPlainTextEdit>("Text1");
        welcome->setPlainText(QStringLiteral("a\nb"));
        QCOMPARE(model.Text1.Text, std::string("a\r\nb"));
    }

    void failuresInAHandlerBecomeAMessage() {
        Started started;
        started.window.model().chkOptions[1].onClick = [] { throw std::runtime_error("disk on fire"); };
        QTest::mouseClick(started.find<QCheckBox>("chkOptions_1"), Qt::LeftButton);
        QCOMPARE(started.messages.messages.size(), std::size_t{1});
        QCOMPARE(started.messages.messages[0],
                 std::string("Zorbal could not finish this action: disk on fire"));
        QVERIFY(started.window.isVisible());
    }

    void closingTheWindowUnloadsIt() {
        Started started;
        QVERIFY(started.window.close());
        QVERIFY(started.window.model().Unloaded);
    }

    void splashOpensTheMainWindow() {
        zorbal::platform::qt::QtPlatform platform;
        zorbal::platform::RecordingMessageBox messages;
        MainWindow window(platform, &messages);
        zorbal::ui::Splash model(window.model());
        model.onShowMainWindow = [&window] {
            window.refresh();
            window.show();
        };
        zorbal::ui::qt::SplashWindow splash(model);
        splash.show();
        QVERIFY(QTest::qWaitForWindowExposed(&splash));
        QCOMPARE(splash.findChild<QWidget*>(QStringLiteral("Label1_0"))->property("text").toString(),
                 QStringLiteral("Zorbal (v1.2)"));
        QVERIFY(!window.model().Loaded);
        // A click on the picture away from the labels and the button.
        QTest::mouseClick(splash.findChild<QWidget*>(QStringLiteral("Image1")), Qt::LeftButton, {},
                          QPoint(200, 560));
        QVERIFY(window.model().Loaded);
        QVERIFY(window.isVisible());
        QVERIFY(!splash.isVisible());
        QCOMPARE(window.findChild<QLineEdit*>(QStringLiteral("txtInput_0"))->text(), QStringLiteral("2.00"));
    }

    void closingTheSplashEndsTheProgram() {
        zorbal::platform::qt::QtPlatform platform;
        zorbal::platform::RecordingMessageBox messages;
        MainWindow window(platform, &messages);
        zorbal::ui::Splash model(window.model());
        zorbal::ui::qt::SplashWindow splash(model);
        splash.show();
        QVERIFY(splash.close());
        QVERIFY(model.Unloaded);
        QVERIFY(!window.model().Loaded);
    }
};

QTEST_MAIN(MainWindowTest)
#include "main_window_test.moc"
