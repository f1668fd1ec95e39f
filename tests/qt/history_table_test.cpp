// SPDX-License-Identifier: MIT
// The history table on screen: the model over the grid, and the view's widths and spans.
#include "history/history_table.h"
#include "platform/qt/history_table.h"
#include "platform/qt/twips.h"

#include <QAbstractItemModelTester>
#include <QFont>
#include <QHeaderView>
#include <QScrollBar>
#include <QSignalSpy>
#include <QtTest>

using zorbal::platform::Grid;
using zorbal::platform::qt::HistoryTableModel;
using zorbal::platform::qt::HistoryTableView;
namespace history = zorbal::history;

namespace {

std::array<std::string, history::kColumnCount> launchTexts(int n, const std::string& range) {
    history::LaunchEntry e;
    e.launchNumber = n;
    e.inputs = {"2.00", "30.0", "1000", "3.0", "22", "100", "10.0",
                "60",   "0.50", "70",   "0.0", "0",  "3.0", "0.50"};
    e.flightTime = "4.30";
    e.maxHeight = "22.60";
    e.range = range;
    return history::launchRowTexts(e);
}

} // namespace

class HistoryTableTest : public QObject {
    Q_OBJECT

  private slots:
    void modelShowsTheGridCells() {
        Grid grid;
        history::prepareGrid(grid);
        history::addLaunch(grid, 1, launchTexts(1, "51.61"));
        HistoryTableModel model(grid);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QCOMPARE(model.rowCount(), 3);
        QCOMPARE(model.columnCount(), 18);
        QCOMPARE(model.data(model.index(1, 17)).toString(), QString("Range(m)"));
        QCOMPARE(model.data(model.index(2, 17)).toString(), QString("51.61"));
        QCOMPARE(model.data(model.index(2, 1), Qt::BackgroundRole).value<QColor>(), QColor(255, 180, 255));
        QCOMPARE(model.data(model.index(0, 3), Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
        QVERIFY(model.data(model.index(0, 3), Qt::FontRole).value<QFont>().bold());
        QVERIFY(!model.data(model.index(2, 3), Qt::FontRole).isValid());
        QCOMPARE(model.data(model.index(2, 5), Qt::TextAlignmentRole).value<Qt::Alignment>(),
                 Qt::Alignment(Qt::AlignCenter));
    }

    void aNewLaunchInsertsOneRowAndReportsOnlyChangedRows() {
        Grid grid;
        history::prepareGrid(grid);
        history::Marks marks;
        for (int n = 1; n <= 1000; ++n)
            history::addLaunch(grid, n, launchTexts(n, n == 1 ? "90.00" : "50.00"), &marks);
        HistoryTableModel model(grid);
        QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::QtTest);
        QSignalSpy inserted(&model, &QAbstractItemModel::rowsInserted);
        QSignalSpy changed(&model, &QAbstractItemModel::dataChanged);
        QSignalSpy reset(&model, &QAbstractItemModel::modelReset);
        QSignalSpy layout(&model, &HistoryTableModel::gridLayoutChanged);

        history::addLaunch(grid, 1001, launchTexts(1001, "60.00"), &marks);
        model.refresh();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(inserted.at(0).at(1).toInt(), 1002);
        QCOMPARE(inserted.at(0).at(2).toInt(), 1002);
        QCOMPARE(changed.count(), 0);
        QCOMPARE(reset.count(), 0);
        QCOMPARE(layout.count(), 0);

        // A re-plot that takes the best range rewrites its own row and the row that loses the mark.
        history::addLaunch(grid, 1001, launchTexts(1001, "95.00"), &marks);
        model.refresh();
        QCOMPARE(inserted.count(), 1);
        QCOMPARE(changed.count(), 2);
        QCOMPARE(changed.at(0).at(0).toModelIndex().row(), 2);
        QCOMPARE(changed.at(1).at(0).toModelIndex().row(), 1002);
        QCOMPARE(model.data(model.index(1002, 17), Qt::BackgroundRole).value<QColor>(),
                 QColor(255, 200, 200));
    }

    void viewHasDesignedWidthsAndMergedGroups() {
        Grid grid;
        history::prepareGrid(grid);
        HistoryTableView view(grid);
        const double dpi = view.logicalDpiX();
        QCOMPARE(view.columnWidth(0), zorbal::platform::qt::twipsToPixels(800, dpi));
        QCOMPARE(view.columnWidth(6), zorbal::platform::qt::twipsToPixels(1200, dpi));
        QCOMPARE(view.columnWidth(17), zorbal::platform::qt::twipsToPixels(1400, dpi));
        QCOMPARE(view.columnSpan(0, 1), 7);
        QCOMPARE(view.columnSpan(0, 8), 2);
        QCOMPARE(view.columnSpan(0, 10), 1);
        QCOMPARE(view.columnSpan(0, 11), 4);
        QCOMPARE(view.columnSpan(0, 15), 3);
        QCOMPARE(view.columnSpan(1, 1), 1);
        QVERIFY(view.horizontalHeader()->isHidden());

        history::addLaunch(grid, 1, launchTexts(1, "51.61"));
        history::addLaunch(grid, 2, launchTexts(2, "51.61"));
        view.refresh();
        QCOMPARE(view.model()->rowCount(), 4);
        QCOMPARE(view.columnSpan(0, 1), 7);
    }

    void headingRowsStayInViewOverALongTable() {
        Grid grid;
        history::prepareGrid(grid);
        for (int n = 1; n <= 200; ++n)
            history::addLaunch(grid, n, launchTexts(n, "51.61"));
        HistoryTableView view(grid);
        view.resize(769, 289);
        view.show();
        view.scrollToBottom();
        QVERIFY(view.rowViewportPosition(0) < 0);
        const auto* headings = view.findChild<QTableView*>(QStringLiteral("fixedRows"));
        QVERIFY(headings);
        QVERIFY(headings->isVisible());
        QCOMPARE(headings->rowViewportPosition(0), 0);
        QCOMPARE(headings->height(), view.rowHeight(0) + view.rowHeight(1));
        QCOMPARE(headings->geometry().top(), view.viewport()->geometry().top());
        QCOMPARE(headings->columnSpan(0, 15), 3);
    }

    void launchColumnStaysInViewWhenScrollingSideways() {
        Grid grid;
        history::prepareGrid(grid);
        for (int n = 1; n <= 200; ++n)
            history::addLaunch(grid, n, launchTexts(n, "51.61"));
        HistoryTableView view(grid);
        view.resize(769, 289);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QRect viewport = view.viewport()->geometry();
        const QRect strip(viewport.topLeft(), QSize(view.columnWidth(0), viewport.height()));
        // Scrolling down moves the launch rows, the fixed column's among them.
        const QRect rows = viewport.adjusted(0, 3 * view.rowHeight(0), 0, 0);
        const QImage top = view.grab(rows).toImage();
        view.scrollToBottom();
        QVERIFY(view.grab(rows).toImage() != top);
        const QImage before = view.grab(strip).toImage();

        view.horizontalScrollBar()->setValue(view.horizontalScrollBar()->maximum());
        QVERIFY(view.columnViewportPosition(0) < 0);
        QCOMPARE(view.grab(strip).toImage(), before);
        // The strip shows the launch numbers of the rows beside it, headings included.
        const auto* fixed = view.findChild<QTableView*>(QStringLiteral("fixedColumns"));
        QVERIFY(fixed && fixed->isVisible());
        const int y = viewport.height() - view.rowHeight(0) / 2;
        QCOMPARE(fixed->indexAt(QPoint(5, y)).row(), view.indexAt(QPoint(5, y)).row());
        QCOMPARE(fixed->indexAt(QPoint(5, y)).data().toString(), QStringLiteral("200"));
        const auto* corner = view.findChild<QTableView*>(QStringLiteral("fixedCorner"));
        QVERIFY(corner && corner->isVisible());
        QCOMPARE(corner->indexAt(QPoint(5, view.rowHeight(0) + 2)).data().toString(),
                 QStringLiteral("Launch"));
    }

    void aNewRowBelowTheVisibleOnesScrollsIntoView() {
        Grid grid;
        history::prepareGrid(grid);
        for (int n = 1; n <= 40; ++n)
            history::addLaunch(grid, n, launchTexts(n, "51.61"));
        HistoryTableView view(grid);
        view.resize(769, 289);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        view.scrollToTop();
        history::addLaunch(grid, 41, launchTexts(41, "51.61"));
        view.refresh();
        const QModelIndex added = view.model()->index(view.model()->rowCount() - 1, 0);
        QCOMPARE(added.data().toString(), QStringLiteral("41"));
        QTRY_VERIFY(view.viewport()->rect().contains(view.visualRect(added)));
        // Added while the table's page is hidden, it is in view when the page is shown.
        view.hide();
        view.scrollToTop();
        history::addLaunch(grid, 42, launchTexts(42, "51.61"));
        view.refresh();
        view.show();
        const QModelIndex last = view.model()->index(view.model()->rowCount() - 1, 0);
        QCOMPARE(last.data().toString(), QStringLiteral("42"));
        QTRY_VERIFY(view.viewport()->rect().contains(view.visualRect(last)));
    }

    void theLaunchColumnShowsTheRowsBesideIt() {
        Grid grid;
        history::prepareGrid(grid);
        for (int n = 1; n <= 25; ++n)
            history::addLaunch(grid, n, launchTexts(n, "51.61"));
        HistoryTableView view(grid);
        view.resize(769, 289);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const auto* fixed = view.findChild<QTableView*>(QStringLiteral("fixedColumns"));
        QVERIFY(fixed);
        auto sameRows = [&] {
            for (int y = 3 * view.rowHeight(0) - 2; y < view.viewport()->height(); y += view.rowHeight(0))
                if (fixed->indexAt(QPoint(5, y)).row() != view.indexAt(QPoint(5, y)).row())
                    return false;
            return true;
        };
        const int bottom = view.viewport()->height() - view.rowHeight(0) / 2;
        // A launch adds a row while the table is shown, scrolled to the top or to the bottom.
        for (int n : {26, 27}) {
            if (n == 26)
                view.scrollToTop();
            history::addLaunch(grid, n, launchTexts(n, "51.61"));
            view.refresh();
            QTRY_COMPARE(view.indexAt(QPoint(5, bottom)).data().toString(), QString::number(n));
            QTRY_COMPARE(fixed->indexAt(QPoint(5, bottom)).data().toString(), QString::number(n));
            QVERIFY(sameRows());
        }
        // The page is left after scrolling up, a launch adds its row, the page is shown again.
        view.scrollToTop();
        view.hide();
        history::addLaunch(grid, 28, launchTexts(28, "51.61"));
        view.refresh();
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        QTRY_COMPARE(view.indexAt(QPoint(5, bottom)).data().toString(), QStringLiteral("28"));
        QTRY_COMPARE(fixed->indexAt(QPoint(5, bottom)).data().toString(), QStringLiteral("28"));
        QVERIFY(sameRows());
        // Dragging the scroll bar moves both.
        view.verticalScrollBar()->setValue(3);
        QVERIFY(sameRows());
    }

    void mergedHeadingsShowNoGridLinesInside() {
        Grid grid;
        history::prepareGrid(grid);
        history::addLaunch(grid, 1, launchTexts(1, "51.61"));
        HistoryTableView view(grid);
        view.resize(1200, 289);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        const QImage shown = view.viewport()->grab().toImage();
        const QImage headings = view.findChild<QTableView*>(QStringLiteral("fixedRows"))->grab().toImage();
        for (const QImage& image : {shown, headings}) {
            // "Rocket Design" spans columns 1 to 7: its top and bottom pixel rows inside carry no
            // line, the column lines end at the row below it, and its own right edge has one.
            const QRect merged =
                view.visualRect(view.model()->index(0, 1)).united(view.visualRect(view.model()->index(0, 7)));
            const QRgb background = image.pixel(merged.left() + 1, merged.top() + 1);
            for (int x = merged.left(); x < merged.right() - 1; ++x)
                for (int y : {merged.top(), merged.top() + 1, merged.bottom() - 2})
                    QCOMPARE(image.pixel(x, y), background);
            const int lineX = view.columnViewportPosition(2) - 1;
            QVERIFY(image.pixel(lineX, merged.bottom() + 3) != background);
        }
    }
};

QTEST_MAIN(HistoryTableTest)
#include "history_table_test.moc"
