// SPDX-License-Identifier: MIT
// The main window where a user would trip: the focus after an action, the buttons' colours, the
// window's width and buttons, the keyboard in the commentary and the limit boxes, the alignment of
// captions on their boxes, and the file dialogs' folder and size.
#include "platform/qt/history_table.h"
#include "platform/qt/qt_services.h"
#include "platform/qt/twips.h"
#include "started_window.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"

#include <QApplication>
#include <QFileDialog>
#include <QFontDatabase>
#include <QFontInfo>
#include <QFontMetrics>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <algorithm>
#include <functional>
#include <map>

using zorbal::platform::qt::twipsToPixels;
using zorbal::ui::qt::MainWindow;

namespace {

/// The colour covering most of a widget as it is painted.
QRgb mainColour(QWidget* widget) {
    const QImage image = widget->grab().toImage().convertToFormat(QImage::Format_RGB32);
    std::map<QRgb, int> counts;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            ++counts[image.pixel(x, y)];
    return std::max_element(counts.begin(), counts.end(),
                            [](const auto& a, const auto& b) { return a.second < b.second; })
        ->first;
}

/// The lowest pixel row of `area` in `image` with dark (text) pixels, or -1.
int lowestInkRow(const QImage& image, const QRect& area) {
    for (int y = area.bottom(); y >= area.top(); --y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (qGray(image.pixel(x, y)) < 100)
                return y;
    return -1;
}

/// Runs `check` on the next modal window to open (a message box or a file dialog), then goes on.
void whenModalOpens(std::function<void(QWidget*)> check) {
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, check = std::move(check)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            check(modal);
        }
    });
    timer->start();
}

} // namespace

class WindowUseTest : public QObject {
    Q_OBJECT
  private slots:
    void initTestCase() {
        zorbal::ui::qt::applyDesignLook(*qApp);
        // The file dialogs keep their column widths in the user's settings: these tests start
        // from none and leave the user's own alone.
        QVERIFY(m_settings.isValid());
        qputenv("XDG_CONFIG_HOME", QFile::encodeName(m_settings.path()));
    }

    void enterEnterLaunchesTwiceAndTheFocusStaysOnLaunch() {
        Started started;
        auto* launch = started.find<QPushButton>("cmdLaunch");
        launch->setFocus();
        QTest::keyClick(launch, Qt::Key_Return);
        QCOMPARE(started.window.model().LaunchCount, 1);
        // The launch showed the trajectory page; its "Launch!" has the focus, no result box.
        QCOMPARE(started.tab(), 2);
        QCOMPARE(QApplication::focusWidget(), started.find<QWidget>("cmdLaunch2"));
        QVERIFY(started.find<QLineEdit>("txtOutput_4")->selectedText().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(started.window.model().LaunchCount, 2);
        QCOMPARE(QApplication::focusWidget(), started.find<QWidget>("cmdLaunch2"));
        // A click on another tab hides the button: the tabs take the focus, as the click would.
        auto* tabs = started.find<zorbal::ui::qt::DesignTabControl>("SSTab1");
        tabs->tabBar()->setCurrentIndex(6);
        QCOMPARE(started.tab(), 6);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(tabs->tabBar()));
        QVERIFY(started.find<QLineEdit>("txtOutput_4")->selectedText().isEmpty());
    }

    void aRefusedLaunchKeepsTheFocusOnLaunch() {
        Started started;
        started.window.model().txtInput[0].Text = "99"; // more than the largest bottle
        started.window.refresh();
        auto* launch = started.find<QPushButton>("cmdLaunch");
        launch->setFocus();
        QTest::keyClick(launch, Qt::Key_Return);
        QCOMPARE(started.messages.messages.size(), std::size_t{1});
        QCOMPARE(started.window.model().LaunchCount, 0);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(launch));
    }

    void f5LeavesNoFocusInAResultBoxAndEachPageGetsItsOwnBack() {
        Started started;
        auto* volume = started.find<QLineEdit>("txtInput_0");
        auto* launchAgain = started.find<QWidget>("cmdLaunch2");
        auto* duration = started.find<QLineEdit>("txtOutput_4");
        volume->setFocus();
        QTest::keyClick(volume, Qt::Key_F5);
        QCOMPARE(started.window.model().LaunchCount, 1);
        QCOMPARE(started.tab(), 2);
        QCOMPARE(QApplication::focusWidget(), launchAgain);
        QVERIFY(duration->selectedText().isEmpty());
        // Back on the design page, typing goes on in the box that had the focus.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(started.tab(), 1);
        QCOMPARE(QApplication::focusWidget(), static_cast<QWidget*>(volume));
        volume->selectAll();
        QTest::keyClicks(QApplication::focusWidget(), "1.5");
        QCOMPARE(volume->text(), QStringLiteral("1.5"));
        // The same after "Default Design", pressed from the keyboard.
        auto* reset = started.find<QWidget>("cmdDefault");
        reset->setFocus();
        QTest::keyClick(reset, Qt::Key_Space);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_F5);
        QCOMPARE(started.window.model().LaunchCount, 2);
        QCOMPARE(QApplication::focusWidget(), launchAgain);
        QVERIFY(duration->selectedText().isEmpty());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(QApplication::focusWidget(), reset);
        // A page shown for the first time gives the focus to its first control.
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
        QCOMPARE(started.tab(), 0);
        QVERIFY(QApplication::focusWidget() != duration);
        QVERIFY(started.find<QWidget>("SSTab1")->isAncestorOf(QApplication::focusWidget()));
    }

    void aVolumeTypedWithADecimalCommaFliesAsTypedInTheHistory() {
        Started started;
        auto* volume = started.find<QLineEdit>("txtInput_0");
        volume->setFocus();
        volume->selectAll();
        QTest::keyClicks(volume, "1,5");
        QTest::keyClick(volume, Qt::Key_F5);
        const auto& model = started.window.model();
        QVERIFY(started.messages.messages.empty());
        QCOMPARE(model.LaunchCount, 1);
        QCOMPARE(model.Rocket.BottleVolume, 0.0015);
        QCOMPARE(volume->text(), QStringLiteral("1,5"));
        auto* table = started.find<zorbal::platform::qt::HistoryTableView>("MSFlexGrid1");
        QCOMPARE(table->model()->index(2, 1).data().toString(), QStringLiteral("1,5"));
    }

    void theFocusComesBackAfterARealMessageBox() {
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
        bool shown = false;
        whenModalOpens([&shown](QWidget* modal) {
            shown = qobject_cast<QMessageBox*>(modal) != nullptr;
            QTest::keyClick(modal, Qt::Key_Return);
        });
        QTest::keyClick(launch, Qt::Key_Return);
        QVERIFY(shown);
        // The control the window gives the focus to when it is active again.
        QTRY_COMPARE(window.focusWidget(), static_cast<QWidget*>(launch));
    }

    void buttonsShowExactlyTheirDesignedColours() {
        Started started;
        QCOMPARE(mainColour(started.find<QWidget>("cmdLaunch")), qRgb(255, 0, 0));
        QCOMPARE(mainColour(started.find<QWidget>("cmdOptimise")), qRgb(128, 255, 255));
        QCOMPARE(mainColour(started.find<QWidget>("cmdShowHelp_0")), qRgb(255, 255, 128));
        QCOMPARE(mainColour(started.find<QWidget>("cmdDefault")), qRgb(240, 240, 240));
        // The busy button of a running launch, disabled.
        auto& launch = started.window.model().cmdLaunch;
        launch.BackColor = zorbal::platform::kGreen;
        launch.Caption = "Busy...";
        launch.Enabled = false;
        started.window.refresh();
        QCOMPARE(mainColour(started.find<QWidget>("cmdLaunch")), qRgb(0, 255, 0));
    }

    void aGraphKeyIsOneColourBehindItsTexts() {
        Started started;
        for (const char* name : {"Frame8", "Frame7"}) {
            auto* key = started.find<QWidget>(name);
            const QImage image = key->grab().toImage().convertToFormat(QImage::Format_RGB32);
            // Beside each text, inside its label, and in the gap to the next label (the last: to
            // the one before), at the same distance from the frame's right edge: the same colour,
            // no band behind each text. The gaps lie between labels, clear of the frame's border
            // and title, wherever the font puts those.
            auto labels = key->findChildren<QLabel*>();
            QVERIFY(labels.size() >= 3);
            std::sort(labels.begin(), labels.end(),
                      [](const QLabel* a, const QLabel* b) { return a->y() < b->y(); });
            for (qsizetype i = 0; i < labels.size(); ++i) {
                const QLabel* label = labels[i];
                const QRect r = label->geometry();
                const int x = r.right() - 2;
                // No glyph reaches that column: the text, left-aligned, ends well before it.
                const QFontMetrics metrics(label->font());
                const int textEnd = r.left() + label->contentsRect().left() + label->margin() +
                                    std::max(0, label->indent()) +
                                    metrics.boundingRect(label->text()).right() + metrics.averageCharWidth();
                QVERIFY2(textEnd < x, qPrintable(label->objectName()));
                const QLabel* neighbour = i + 1 < labels.size() ? labels[i + 1] : labels[i - 1];
                const QRect n = neighbour->geometry();
                const int gapY = (n.top() > r.bottom() ? r.bottom() + n.top() : n.bottom() + r.top()) / 2;
                QVERIFY(!r.contains(x, gapY) && !n.contains(x, gapY));
                QCOMPARE(QColor(image.pixel(x, r.center().y())), QColor(image.pixel(x, gapY)));
            }
        }
    }

    void theWindowReturnsToItsStartingWidthAndCannotBeMaximised() {
        Started started;
        const Qt::WindowFlags flags = started.window.windowFlags();
        QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
        QVERIFY(flags & Qt::WindowMinimizeButtonHint);
        QVERIFY(flags & Qt::WindowCloseButtonHint);
        const int startWidth = started.window.width();
        QCOMPARE(startWidth, twipsToPixels(15435, started.window.dotsPerInch()));
        auto* help = started.find<QPushButton>("cmdShowHelp_0");
        QTest::mouseClick(help, Qt::LeftButton);
        QVERIFY(started.window.width() < startWidth);
        QTest::mouseClick(help, Qt::LeftButton);
        QCOMPARE(started.window.width(), startWidth);
    }

    void ctrlHomeAndCtrlEndMoveThroughTheCommentary() {
        Started started;
        for (int i = 0; i < 3; ++i)
            started.window.model().cmdLaunch_Click();
        started.window.model().SSTab1.setTab(4);
        started.window.refresh();
        auto* commentary = started.find<QPlainTextEdit>("txtCommentary");
        QVERIFY(commentary->isReadOnly());
        QVERIFY(commentary->verticalScrollBar()->maximum() > 0);
        commentary->setFocus();
        QTest::keyClick(commentary, Qt::Key_End, Qt::ControlModifier);
        QCOMPARE(commentary->textCursor().position(), commentary->document()->characterCount() - 1);
        QVERIFY(commentary->verticalScrollBar()->value() > 0);
        QVERIFY(commentary->viewport()->rect().contains(commentary->cursorRect()));
        QTest::keyClick(commentary, Qt::Key_Home, Qt::ControlModifier);
        QCOMPARE(commentary->textCursor().position(), 0);
        QCOMPARE(commentary->verticalScrollBar()->value(), 0);
        // Reading with the keyboard does not make the text editable.
        QTest::keyClicks(commentary, QStringLiteral("x"));
        QVERIFY(!commentary->toPlainText().startsWith(QLatin1Char('x')));
    }

    void enterInALimitBoxValidatesAndPlotsOnceAsLeavingDoes() {
        Started started;
        started.click("cmdLaunch");
        const auto& graph = started.window.model().pctXYGraph;
        auto* height = started.find<QLineEdit>("txtGraph_0");
        auto typeInto = [&](const QString& text) {
            height->setFocus();
            height->selectAll();
            QTest::keyClicks(height, text);
        };
        // What leaving the box costs the graph: one plot.
        typeInto(QStringLiteral("50"));
        auto before = graph.revision();
        QTest::keyClick(height, Qt::Key_Tab);
        const auto onePlot = graph.revision() - before;
        QVERIFY(onePlot > 0);

        typeInto(QStringLiteral("150"));
        before = graph.revision();
        QTest::keyClick(height, Qt::Key_Return);
        QCOMPARE(height->text(), QStringLiteral("100")); // validated: replaced by the upper limit
        QVERIFY(QApplication::focusWidget() != height);  // and left, as Tab leaves it
        typeInto(QStringLiteral("50"));
        QCOMPARE(graph.revision() - before, onePlot);
        QVERIFY(started.messages.messages.empty());
    }

    void captionsAndUnitsStandCentredOnTheirBoxes() {
        Started started;
        // The font the window asks for first, which these tests measure.
        QVERIFY2(QFontDatabase::families().contains(QStringLiteral("Liberation Sans")),
                 "Liberation Sans is missing: install the Debian package fonts-liberation2 "
                 "(bash scripts/install-deps.sh)");
        auto* volume = started.find<QLabel>("lblInput_0");
        QCOMPARE(QFontInfo(volume->font()).family(), QStringLiteral("Liberation Sans"));
        // Every caption and unit beside a box has its middle on the box's middle.
        int pairs = 0;
        for (QLineEdit* box : started.window.findChildren<QLineEdit*>()) {
            for (QLabel* label : box->parentWidget()->findChildren<QLabel*>(Qt::FindDirectChildrenOnly)) {
                const QRect l = label->geometry(), b = box->geometry();
                const bool beside =
                    l.top() >= b.top() && l.bottom() <= b.bottom() &&
                    (l.right() < b.left() || l.left() > b.right()) &&
                    std::min(std::abs(l.right() - b.left()), std::abs(l.left() - b.right())) < 30;
                if (!beside)
                    continue;
                ++pairs;
                QVERIFY2(std::abs(l.center().y() - b.center().y()) <= 1, qPrintable(label->objectName()));
                QVERIFY2(label->alignment() & Qt::AlignVCenter, qPrintable(label->objectName()));
            }
        }
        QVERIFY(pairs >= 40);
        // And the texts stand on one line: "Volume of bottle", "2.00" and "litres" have no descenders.
        auto* frame = started.find<QGroupBox>("Frame1");
        const QImage image = frame->grab().toImage();
        const QRect box = started.find<QWidget>("txtInput_0")->geometry().adjusted(4, 3, -4, -3);
        const int boxLine = lowestInkRow(image, box);
        QVERIFY(boxLine > 0);
        for (const char* name : {"lblInput_0", "lblInput_15"}) {
            const int labelLine = lowestInkRow(image, started.find<QWidget>(name)->geometry());
            QVERIFY2(std::abs(labelLine - boxLine) <= 1, name);
        }
    }

    void fileDialogsOpenWhereAFileWasLastChosenAndLargeEnough() {
        QTemporaryDir proposed, elsewhere;
        QVERIFY(proposed.isValid() && elsewhere.isValid());
        zorbal::platform::qt::QtFileDialog dialog;
        dialog.Filter = "text files(*.txt)";
        dialog.InitDir = proposed.path().toStdString();
        dialog.FileName = "Water Rocket 1.txt";
        const QString chosen = QDir(elsewhere.path()).filePath(QStringLiteral("mine.txt"));
        QString openedIn;
        QSize openedAt;
        whenModalOpens([&](QWidget* modal) {
            auto* files = qobject_cast<QFileDialog*>(modal);
            QVERIFY(files);
            openedIn = files->directory().absolutePath();
            openedAt = files->size();
            // As the user types a file name into the name box and presses Save.
            auto* name = files->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"));
            QVERIFY(name);
            name->setText(chosen);
            QMetaObject::invokeMethod(files, "accept");
        });
        QVERIFY(dialog.showSave());
        QCOMPARE(openedIn, QDir(proposed.path()).absolutePath());
        QCOMPARE(QString::fromStdString(dialog.FileName), QDir::toNativeSeparators(chosen));
        const QSize screen = QGuiApplication::primaryScreen()->availableGeometry().size();
        QVERIFY(openedAt.width() >= std::min(860, screen.width()));
        QVERIFY(openedAt.height() >= std::min(520, screen.height()));

        // The next time it opens where the file was chosen, though the program proposes its folder.
        dialog.InitDir = proposed.path().toStdString();
        dialog.FileName = "Water Rocket 1.txt";
        whenModalOpens([&](QWidget* modal) {
            openedIn = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
            qobject_cast<QFileDialog*>(modal)->reject();
        });
        QVERIFY(!dialog.showOpen());
        QCOMPARE(openedIn, QDir(elsewhere.path()).absolutePath());
        QCOMPARE(dialog.FileName, std::string("Water Rocket 1.txt")); // a cancel changes nothing

        // Another dialog whose proposed folder is missing opens where the user last was.
        zorbal::platform::qt::QtFileDialog other;
        other.InitDir = QDir(proposed.path()).filePath(QStringLiteral("Water Rockets")).toStdString();
        whenModalOpens([&](QWidget* modal) {
            openedIn = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
            qobject_cast<QFileDialog*>(modal)->reject();
        });
        QVERIFY(!other.showOpen());
        QCOMPARE(openedIn, QDir(elsewhere.path()).absolutePath());
        QCOMPARE(zorbal::platform::qt::fileDialogFolder(QString(), QStringLiteral("/no/such/folder")),
                 QDir(elsewhere.path()).absolutePath());
    }

    void fileDialogColumnsShowTheirTextsWhole() {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        QFile file(QDir(folder.path()).filePath(QStringLiteral("Water Rocket Trajectory 1.txt")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(185912, 'x'));
        file.close();
        zorbal::platform::qt::QtFileDialog dialog;
        dialog.Filter = "text files(*.txt)";
        dialog.InitDir = folder.path().toStdString();
        QStringList cut;
        bool shown = false;
        int rows = 0;
        whenModalOpens([&](QWidget* modal) {
            auto* view = modal->findChild<QTreeView*>(QStringLiteral("treeView"));
            QVERIFY(view);
            const QModelIndex root = view->rootIndex();
            // The model lists the folder, then fills in each file's details.
            const auto details = [&] { return view->model()->index(0, 3, root).data().toString(); };
            shown = QTest::qWaitFor([&] { return !details().isEmpty(); });
            rows = view->model()->rowCount(root);
            const QFontMetrics metrics(view->font());
            const int margin =
                2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1);
            for (int column = 1; column <= 3; ++column) {
                const QString text = view->model()->index(0, column, root).data().toString();
                if (text.isEmpty() ||
                    metrics.horizontalAdvance(text) + margin > view->header()->sectionSize(column))
                    cut << text;
            }
            qobject_cast<QFileDialog*>(modal)->reject();
        });
        QVERIFY(!dialog.showOpen());
        QVERIFY(shown);
        QCOMPARE(rows, 1);
        QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(", "))));
    }

  private:
    QTemporaryDir m_settings;
};

QTEST_MAIN(WindowUseTest)
#include "window_use_test.moc"
