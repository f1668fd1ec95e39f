// SPDX-License-Identifier: MIT
// The sweep picture painted offscreen, and the pictures of zorbal-cli sweep and best.
#include "explore/qt/sweep_chart_painter.h"
#include "platform/number_text.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>

using namespace zorbal;

class SweepChartPainterTest : public QObject {
    Q_OBJECT
  private slots:
    void paintsCellsInTheirColoursRefusedOnesHatchedAndTheMarker();
    void commandLinePicturesOfSweepAndBest();
};

namespace {

explore::SweepRow row(std::size_t index, double range) {
    explore::SweepRow r;
    r.index = index;
    r.outcome = explore::Outcome::Flown;
    r.range = platform::fixedText(range, 2);
    r.height = platform::fixedText(range / 2, 2);
    r.duration = platform::fixedText(range / 10, 2);
    r.rangeMetres = range;
    r.maxHeight = range / 2;
    r.flightTime = range / 10;
    return r;
}

QRgb rgbOf(platform::Color c) {
    return qRgb(platform::redOf(c), platform::greenOf(c), platform::blueOf(c));
}

/// The pixels of `cell` clear of its edges, the marker and its label.
QList<QPoint> openPixels(const explore::ChartRect& cell, const explore::SweepChart& chart) {
    QList<QPoint> pixels;
    for (int y = static_cast<int>(cell.top) + 2; y < static_cast<int>(cell.bottom()) - 2; ++y) {
        for (int x = static_cast<int>(cell.left) + 2; x < static_cast<int>(cell.right()) - 2; ++x) {
            bool isCovered = false;
            for (const auto& marker : chart.markers) {
                const explore::ChartRect box = marker.labelBox;
                isCovered = isCovered ||
                            (x >= box.left - 2 && x <= box.right() + 2 && y >= box.top - 2 &&
                             y <= box.bottom() + 2) ||
                            std::hypot(x - marker.centre.x, y - marker.centre.y) < marker.radius + 3;
            }
            if (!isCovered)
                pixels.append(QPoint(x, y));
        }
    }
    return pixels;
}

} // namespace

void SweepChartPainterTest::paintsCellsInTheirColoursRefusedOnesHatchedAndTheMarker() {
    explore::VaryAxis fill, pressure;
    QCOMPARE(explore::VaryAxis::parse("1=10:90:40", fill), std::string());
    QCOMPARE(explore::VaryAxis::parse("3=1:5:4", pressure), std::string());
    explore::SweepGrid grid;
    QCOMPARE(explore::SweepGrid::make({fill, pressure}, grid), std::string());
    std::vector<explore::SweepRow> rows = {row(0, 1),  row(1, 20), row(2, 30),
                                           row(3, 45), row(4, 12), row(5, 40)};
    rows[0].outcome = explore::Outcome::Refused;

    explore::SweepChartRequest request;
    request.width = 640;
    request.height = 480;
    request.textWidth = explore::qt::painterTextWidth();
    const auto chart = explore::buildSweepChart(grid, rows, request);
    const QImage image = explore::qt::renderSweepChart(chart);
    QCOMPARE(image.size(), QSize(640, 480));

    const auto& field = chart.fields[0];
    for (std::size_t c = 0; c < 3; ++c) {
        for (std::size_t r = 0; r < 2; ++r) {
            if (field.state(c, r) != explore::CellState::Value)
                continue;
            const auto pixels = openPixels(field.cell(c, r), chart);
            QVERIFY(!pixels.isEmpty());
            for (const QPoint& p : pixels)
                QCOMPARE(image.pixel(p), rgbOf(field.colour(c, r)));
        }
    }
    // The refused cell: its grey and the hatch's darker grey, nothing else.
    const auto refused = openPixels(field.cell(0, 0), chart);
    QVERIFY(!refused.isEmpty());
    int hatched = 0;
    for (const QPoint& p : refused) {
        const QRgb pixel = image.pixel(p);
        QVERIFY(pixel == rgbOf(field.colour(0, 0)) || pixel == qRgb(128, 128, 128));
        hatched += pixel == qRgb(128, 128, 128) ? 1 : 0;
    }
    QVERIFY(hatched > refused.size() / 20 && hatched < refused.size() / 2);

    // The marker: a black dot in a white ring at the best design's cell, 45 metres.
    QCOMPARE(chart.markers.size(), std::size_t{1});
    const auto& marker = chart.markers[0];
    QVERIFY(field.cell(1, 1).contains(marker.centre));
    QCOMPARE(image.pixel(static_cast<int>(marker.centre.x), static_cast<int>(marker.centre.y)),
             qRgb(0, 0, 0));
    const double ring = (marker.radius * 0.35 + marker.radius - 1) / 2; // between the dot and the outline
    QCOMPARE(
        image.pixel(static_cast<int>(std::floor(marker.centre.x + ring)), static_cast<int>(marker.centre.y)),
        qRgb(255, 255, 255));
}

void SweepChartPainterTest::commandLinePicturesOfSweepAndBest() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    auto run = [](const QStringList& arguments, QByteArray* out = nullptr, QByteArray* err = nullptr) {
        QProcess cli;
        cli.start(QStringLiteral(ZORBAL_CLI_PATH), arguments);
        if (!cli.waitForFinished(120000))
            return -1;
        if (out)
            *out = cli.readAllStandardOutput();
        if (err)
            *err = cli.readAllStandardError();
        return cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
    };

    // Two inputs: a map at the asked size; the CSV is the same as without the picture.
    const QStringList sweep = {"sweep", "--vary", "1=5:95:30", "--vary", "3=1:7:3", "--threads", "2"};
    QByteArray plain, plotted;
    QCOMPARE(run(sweep, &plain), 0);
    const QString map = dir.filePath("map.png");
    QCOMPARE(run(sweep + QStringList{"--plot", map, "--plot-size", "500x400", "--plot-figure", "height"},
                 &plotted),
             0);
    QCOMPARE(plotted, plain);
    QCOMPARE(QImage(map).size(), QSize(500, 400));

    // best with one input: the curves at the default size.
    const QString curves = dir.filePath("best.png");
    QCOMPARE(run({"best", "--vary", "1=10:90:20", "--maximise", "height", "--plot", curves}), 0);
    QCOMPARE(QImage(curves).size(), QSize(800, 600));

    // Nine maps side by side are refused before anything flies; a bad figure is a usage error.
    QByteArray err;
    const QString refused = dir.filePath("refused.png");
    QCOMPARE(
        run({"sweep", "--vary", "1=10:90:40", "--vary", "3=1:5:4", "--vary", "4=10:26:2", "--plot", refused},
            nullptr, &err),
        2);
    QVERIFY(err.contains("at most 8 maps"));
    QVERIFY(!QFile::exists(refused));
    QCOMPARE(run({"sweep", "--vary", "1=10:90:40", "--plot", refused, "--plot-figure", "speed"}), 2);
    QCOMPARE(run({"sweep", "--vary", "1=10:90:40", "--plot", refused, "--plot-size", "8x8"}), 2);

    // A picture that cannot be written fails the command after the CSV.
    QCOMPARE(run({"sweep", "--vary", "1=10:90:40", "--plot", dir.filePath("no/such/folder/x.png")}), 1);
}

QTEST_MAIN(SweepChartPainterTest)
#include "sweep_chart_painter_test.moc"
