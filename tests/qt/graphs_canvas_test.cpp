// SPDX-License-Identifier: MIT
// The trajectory picture painted offscreen, onto any painter, and the canvas widget that shows it.
#include "platform/headless.h"
#include "platform/qt/canvas_widget.h"
#include "platform/qt/surface_painter.h"
#include "ui/zorbal.h"

#include <QPainter>
#include <QPixmap>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <cmath>
#include <limits>

using zorbal::platform::DrawingSurface;
using zorbal::platform::PixelMapping;
using zorbal::platform::qt::CanvasWidget;
using zorbal::platform::qt::paintSurface;
using zorbal::platform::qt::renderSurface;

namespace {

/// A flown window with nine earlier flights, a parachute and a velocity graph: every kind of
/// entry the window draws.
struct Flown {
    Flown() : window(platform.services()) {
        window.Form_Load();
        window.chkOptions[3].setValue(1);
        window.optParachute.select(1);
        window.txtInput[12].Text = "2";
        for (int i = 0; i < 3; ++i)
            window.cmdLaunch_Click();
    }
    zorbal::platform::HeadlessPlatform platform;
    zorbal::ui::Zorbal window;
};

/// The part of `image` at `area`, in RGB32 for comparing.
QImage part(const QImage& image, const QRect& area) {
    return image.copy(area).convertToFormat(QImage::Format_RGB32);
}

} // namespace

class GraphsCanvasTest : public QObject {
    Q_OBJECT
  private slots:
    void paintsSkyGroundAndTheWaterPhaseInRed();
    void widgetShowsTheRenderedPictureAndFollowsChanges();
    void leavesOutWhatCannotBePainted();
    void commandLinePicturesMatchTheWindow();
    void paintsTheSamePictureOntoAnyPainter();
};

void GraphsCanvasTest::paintsSkyGroundAndTheWaterPhaseInRed() {
    zorbal::platform::HeadlessPlatform platform;
    zorbal::ui::Zorbal window(platform.services());
    window.Form_Load();
    window.cmdLaunch_Click();
    QCOMPARE(window.LaunchCount, 1);

    const QSize size(705, 369);
    const QImage image = renderSurface(window.pctXYGraph, size);
    QCOMPARE(image.size(), size);
    QCOMPARE(image.pixel(20, 20), qRgb(200, 240, 255));   // sky above and behind the launcher
    QCOMPARE(image.pixel(600, 360), qRgb(100, 255, 100)); // ground strip

    // A point half-way through the water phase, a dot two pixels across.
    const auto& flight = window.TrajectoryData.slot(1);
    int water = 0;
    while (water < flight.count() && flight.phase(water + 1) == zorbal::sim::PhaseWater)
        ++water;
    QVERIFY(water > 100);
    const auto& sample = flight.sample(water / 2);
    const auto mapping = PixelMapping::of(window.pctXYGraph.userScale(), size.width(), size.height());
    const int x = static_cast<int>(std::floor(mapping.toPixelX(sample.x)));
    const int y = static_cast<int>(std::floor(mapping.toPixelY(sample.y)));
    QCOMPARE(image.pixel(x, y), qRgb(255, 0, 0));
}

void GraphsCanvasTest::widgetShowsTheRenderedPictureAndFollowsChanges() {
    DrawingSurface surface;
    surface.scale(0, 10, 10, 0);
    surface.setBackColor(zorbal::platform::kWhite);
    surface.setForeColor(zorbal::platform::kBlue);
    surface.setDrawWidth(3);
    surface.point(5, 5);

    CanvasWidget canvas;
    canvas.resize(100, 50);
    canvas.setSurface(&surface);
    const QImage shown = canvas.grab().toImage().convertToFormat(QImage::Format_RGB32);
    const QImage rendered = renderSurface(surface, QSize(100, 50), canvas.devicePixelRatioF());
    QCOMPARE(shown.size(), rendered.size());
    QCOMPARE(shown, rendered.convertToFormat(QImage::Format_RGB32));
    // A dot three pixels across.
    for (int x = 49; x <= 51; ++x)
        QCOMPARE(shown.pixel(x, 25), qRgb(0, 0, 255));
    QCOMPARE(shown.pixel(48, 25), qRgb(255, 255, 255));
    QCOMPARE(shown.pixel(52, 25), qRgb(255, 255, 255));

    const QPointF user = canvas.toUser(QPointF(50, 25));
    QCOMPARE(user, QPointF(5, 5));

    surface.setBackColor(zorbal::platform::kRed);
    QCOMPARE(canvas.picture().pixel(50, 25), qRgb(255, 0, 0));

    QTemporaryDir dir;
    QVERIFY(canvas.savePicture(dir.filePath("picture.png")));
    QVERIFY(!canvas.savePicture(dir.filePath("missing/picture.png")));
}

void GraphsCanvasTest::leavesOutWhatCannotBePainted() {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double huge = 1e30;
    DrawingSurface surface;
    surface.scale(0, 1, 1, 0);
    surface.setBackColor(zorbal::platform::kWhite);
    surface.point(nan, 0.5);
    surface.point(huge, -huge);
    surface.line(-huge, 0.5, huge, 0.5);
    surface.line(nan, 0, 1, 1);
    surface.box(-huge, huge, huge, -huge);
    surface.filledBox(nan, 0, 1, 1);
    surface.circle(0.5, 0.5, huge);
    surface.arc(0.5, 0.5, 0.25, 0, nan);
    // Likewise what is drawn in pixels; a rectangle far out has its outline off the picture.
    surface.text(nan, 0.5, "text", zorbal::platform::TextStyle{}, zorbal::platform::kBlack);
    surface.stroke(0, 0.2, 1, 0.2, nan, zorbal::platform::kBlack, false);
    const std::vector<zorbal::platform::PointD> points = {{0, 0.2}, {1, nan}};
    surface.polyline(points, 2, zorbal::platform::kBlack);
    surface.filledEllipse(0.5, 0.5, huge, nan, zorbal::platform::kBlack);
    surface.rect(nan, 0, 1, 1, zorbal::platform::kBlack);
    surface.rect(-huge, huge, huge, -huge, zorbal::platform::kBlack, 0, zorbal::platform::kBlack, 1);
    surface.hatch(0, 0, 1, -nan, zorbal::platform::kBlack);
    const QImage image = renderSurface(surface, QSize(64, 64));
    // Only the clipped horizontal line is left: one black pixel per column across the middle.
    for (int x : {0, 32, 63}) {
        int black = 0;
        for (int y = 0; y < 64; ++y)
            black += image.pixel(x, y) == qRgb(0, 0, 0) ? 1 : 0;
        QCOMPARE(black, 1);
    }
    QCOMPARE(image.pixel(32, 10), qRgb(255, 255, 255));
    QVERIFY(renderSurface(surface, QSize(0, 10)).isNull());
}

void GraphsCanvasTest::commandLinePicturesMatchTheWindow() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QProcess cli;
    cli.start(QStringLiteral(ZORBAL_CLI_PATH),
              {"fly", "--launches", "2", "--input", "10=3", "--parachute", "--trigger", "time", "--input",
               "12=2", "--plot-trajectory", dir.filePath("trajectory.png"), "--plot-velocity",
               dir.filePath("velocity.png")});
    QVERIFY(cli.waitForFinished(60000));
    QCOMPARE(cli.exitCode(), 0);

    zorbal::platform::HeadlessPlatform platform;
    zorbal::ui::Zorbal window(platform.services());
    window.Form_Load();
    window.txtInput[10].Text = "3";
    window.chkOptions[3].setValue(1);
    window.optParachute.select(1);
    window.txtInput[12].Text = "2";
    window.cmdLaunch_Click();
    window.cmdLaunch_Click();
    QCOMPARE(window.LaunchCount, 2);

    const QImage trajectory(dir.filePath("trajectory.png"));
    const QImage velocity(dir.filePath("velocity.png"));
    QCOMPARE(trajectory.convertToFormat(QImage::Format_RGB32),
             renderSurface(window.pctXYGraph, QSize(705, 369)));
    QCOMPARE(velocity.convertToFormat(QImage::Format_RGB32),
             renderSurface(window.pctVTgraph, QSize(721, 385)));
}

void GraphsCanvasTest::paintsTheSamePictureOntoAnyPainter() {
    Flown flown;
    for (const DrawingSurface* surface : {&flown.window.pctXYGraph, &flown.window.pctVTgraph}) {
        const QSize size(705, 369);
        const QImage alone = renderSurface(*surface, size);

        // Into part of a larger picture, through a shifted painter: the same pixels, and the
        // surroundings untouched although the trajectory runs off the graph.
        QImage sheet(900, 500, QImage::Format_ARGB32_Premultiplied);
        sheet.fill(Qt::magenta);
        {
            QPainter painter(&sheet);
            painter.translate(40, 0);
            paintSurface(painter, *surface, QRect(QPoint(60, 70), size));
        }
        const QRect placed(QPoint(100, 70), size);
        QCOMPARE(part(sheet, placed), alone);
        for (const QPoint outside : {QPoint(99, 100), QPoint(805, 100), QPoint(300, 69), QPoint(300, 439)})
            QCOMPARE(sheet.pixel(outside), QColor(Qt::magenta).rgba());

        // Onto a device whose pixels the painter does not expose: the dots are filled squares
        // and must land on the same pixels.
        QPixmap pixmap(size);
        {
            QPainter painter(&pixmap);
            paintSurface(painter, *surface, QRect(QPoint(0, 0), size));
        }
        QCOMPARE(pixmap.toImage().convertToFormat(QImage::Format_RGB32), alone);

        // Straddling the edge of the device: what lies on it is what the whole picture shows there.
        QImage corner(300, 200, QImage::Format_RGB32);
        {
            QPainter painter(&corner);
            paintSurface(painter, *surface, QRect(QPoint(-405, -169), size));
        }
        QCOMPARE(corner, part(alone, QRect(405, 169, 300, 200)));
    }
}

QTEST_MAIN(GraphsCanvasTest)
#include "graphs_canvas_test.moc"
