// SPDX-License-Identifier: MIT
// Painting the splash picture: sky, clouds, hills, launcher, pupils and a rising water rocket.
#include "ui/qt/splash_picture.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdint>

namespace zorbal::ui::qt {

namespace {

/// A small fixed-seed generator, so the spray looks the same on every start.
class Scatter {
  public:
    double next() {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return static_cast<double>(m_state >> 11) / static_cast<double>(1ULL << 53);
    }

  private:
    std::uint64_t m_state = 0x5eed2024ULL;
};

void paintSky(QPainter& p) {
    QLinearGradient sky(0, 0, 0, 1250);
    sky.setColorAt(0.0, QColor(150, 205, 250));
    sky.setColorAt(0.6, QColor(195, 230, 255));
    sky.setColorAt(1.0, QColor(235, 248, 255));
    p.fillRect(QRect(0, 0, kSplashPictureWidth, 1300), sky);

    QRadialGradient sun(QPointF(720, 150), 150);
    sun.setColorAt(0.0, QColor(255, 250, 200));
    sun.setColorAt(0.45, QColor(255, 235, 120));
    sun.setColorAt(0.5, QColor(255, 240, 170, 160));
    sun.setColorAt(1.0, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(sun);
    p.drawEllipse(QPointF(720, 150), 150, 150);
}

void paintCloud(QPainter& p, double x, double y, double scale) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 230));
    const double puffs[][3] = {{0, 0, 60},   {55, -25, 70}, {120, 0, 58},
                               {60, 20, 62}, {-45, 15, 45}, {165, 18, 42}};
    for (const auto& puff : puffs)
        p.drawEllipse(QPointF(x + puff[0] * scale, y + puff[1] * scale), puff[2] * scale * 1.3,
                      puff[2] * scale);
}

void paintLand(QPainter& p) {
    QPainterPath far;
    far.moveTo(0, 1260);
    far.cubicTo(250, 1180, 480, 1230, 700, 1215);
    far.cubicTo(900, 1200, 1100, 1150, 1248, 1190);
    far.lineTo(1248, 1664);
    far.lineTo(0, 1664);
    far.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 190, 110));
    p.drawPath(far);

    // A row of trees along the far hedge.
    for (int i = 0; i < 9; ++i) {
        const double x = 60 + i * 140 + (i % 3) * 25;
        const double y = 1225 - std::sin(i * 1.3) * 20;
        p.setBrush(QColor(110, 80, 50));
        p.drawRect(QRectF(x - 6, y - 10, 12, 40));
        p.setBrush(QColor(60 + (i % 2) * 20, 130 + (i % 3) * 15, 60));
        p.drawEllipse(QPointF(x, y - 35), 38, 45);
    }

    QPainterPath field;
    field.moveTo(0, 1330);
    field.cubicTo(300, 1290, 800, 1320, 1248, 1285);
    field.lineTo(1248, 1664);
    field.lineTo(0, 1664);
    field.closeSubpath();
    QLinearGradient grass(0, 1290, 0, 1664);
    grass.setColorAt(0.0, QColor(110, 200, 90));
    grass.setColorAt(1.0, QColor(60, 150, 50));
    p.setBrush(grass);
    p.drawPath(field);

    // Mown stripes.
    p.setBrush(QColor(255, 255, 255, 22));
    for (int i = 0; i < 6; ++i) {
        QPolygonF stripe;
        stripe << QPointF(i * 260.0, 1664) << QPointF(i * 260.0 + 130, 1664) << QPointF(i * 210.0 + 140, 1310)
               << QPointF(i * 210.0 + 75, 1312);
        p.drawPolygon(stripe);
    }
}

void paintPupil(QPainter& p, double x, double ground, double height, const QColor& shirt, const QColor& hair,
                bool waving) {
    const double unit = height / 10;
    QPen limb(QColor(70, 50, 40), unit * 0.9, Qt::SolidLine, Qt::RoundCap);
    // Legs.
    p.setPen(QPen(QColor(40, 50, 110), unit * 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - unit * 0.6, ground - unit * 4), QPointF(x - unit * 1.1, ground));
    p.drawLine(QPointF(x + unit * 0.6, ground - unit * 4), QPointF(x + unit * 1.1, ground));
    // Body.
    p.setPen(Qt::NoPen);
    p.setBrush(shirt);
    p.drawRoundedRect(QRectF(x - unit * 1.4, ground - unit * 7.6, unit * 2.8, unit * 3.9), unit * 0.8,
                      unit * 0.8);
    // Arms, raised with excitement.
    p.setPen(QPen(shirt.darker(115), unit * 0.9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(x - unit * 1.2, ground - unit * 7.1), QPointF(x - unit * 2.6, ground - unit * 9.6));
    if (waving)
        p.drawLine(QPointF(x + unit * 1.2, ground - unit * 7.1),
                   QPointF(x + unit * 2.9, ground - unit * 9.2));
    else
        p.drawLine(QPointF(x + unit * 1.2, ground - unit * 7.1),
                   QPointF(x + unit * 2.4, ground - unit * 5.0));
    p.setPen(limb);
    p.drawPoint(QPointF(x - unit * 2.6, ground - unit * 9.6));
    // Head and hair.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(240, 200, 165));
    p.drawEllipse(QPointF(x, ground - unit * 8.7), unit * 1.05, unit * 1.15);
    p.setBrush(hair);
    p.drawChord(QRectF(x - unit * 1.1, ground - unit * 9.95, unit * 2.2, unit * 1.6), 0, 180 * 16);
}

void paintLauncher(QPainter& p, QPointF base) {
    p.setPen(Qt::NoPen);
    // Base board and its shadow.
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawEllipse(base + QPointF(0, 18), 120, 16);
    p.setBrush(QColor(150, 100, 55));
    p.drawRect(QRectF(base.x() - 110, base.y() - 8, 220, 22));
    // Legs of the stand.
    p.setPen(QPen(QColor(90, 90, 100), 9, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(base + QPointF(-70, -2), base + QPointF(-14, -120));
    p.drawLine(base + QPointF(70, -2), base + QPointF(14, -120));
    // Launch tube and release ring.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(210, 210, 215));
    p.drawRect(QRectF(base.x() - 9, base.y() - 210, 18, 205));
    p.setBrush(QColor(230, 60, 40));
    p.drawRect(QRectF(base.x() - 20, base.y() - 130, 40, 16));
    // Hose to the foot pump.
    QPainterPath hose;
    hose.moveTo(base + QPointF(-20, 0));
    hose.cubicTo(base + QPointF(-120, 60), base + QPointF(-260, 40), base + QPointF(-330, 70));
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(250, 150, 30), 8, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(hose);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(40, 90, 170));
    p.drawRoundedRect(QRectF(base.x() - 380, base.y() + 50, 70, 40), 8, 8);
}

void paintTrail(QPainter& p, QPointF from, QPointF to) {
    QPainterPath trail;
    trail.moveTo(from);
    trail.cubicTo(from + QPointF(0, -300), to + QPointF(-140, 260), to);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(255, 255, 255, 170), 6, Qt::DashLine, Qt::RoundCap));
    p.drawPath(trail);
}

/// The rocket in its own frame: nozzle at the origin, body upwards (negative y).
void paintRocket(QPainter& p) {
    Scatter scatter;
    // Water jet: a widening cone of spray below the nozzle, then droplets.
    QPolygonF jet;
    jet << QPointF(-8, 0) << QPointF(8, 0) << QPointF(70, 330) << QPointF(-70, 330);
    QLinearGradient jetColour(0, 0, 0, 330);
    jetColour.setColorAt(0.0, QColor(235, 250, 255, 240));
    jetColour.setColorAt(0.5, QColor(140, 200, 255, 170));
    jetColour.setColorAt(1.0, QColor(140, 200, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(jetColour);
    p.drawPolygon(jet);
    for (int i = 0; i < 260; ++i) {
        const double along = scatter.next();
        const double across = scatter.next() * 2 - 1;
        const double y = along * along * 420 + 10;
        const double x = across * (8 + y * 0.28);
        const double r = 2 + scatter.next() * 5;
        const int alpha = static_cast<int>(230 * (1 - along * 0.8));
        p.setBrush(QColor(215 + static_cast<int>(scatter.next() * 40), 240, 255, alpha));
        p.drawEllipse(QPointF(x, y), r, r);
    }

    // Neck and nozzle.
    p.setBrush(QColor(70, 70, 80));
    p.drawRect(QRectF(-12, -24, 24, 26));
    // Fins behind the body.
    p.setBrush(QColor(200, 30, 40));
    QPolygonF leftFin;
    leftFin << QPointF(-50, -150) << QPointF(-105, -30) << QPointF(-100, 10) << QPointF(-48, -40);
    QPolygonF rightFin;
    rightFin << QPointF(50, -150) << QPointF(105, -30) << QPointF(100, 10) << QPointF(48, -40);
    p.drawPolygon(leftFin);
    p.drawPolygon(rightFin);

    // The bottle: clear plastic, shoulders down to the neck, water still inside.
    QPainterPath bottle;
    bottle.moveTo(-18, -24);
    bottle.cubicTo(-22, -60, -58, -70, -58, -110);
    bottle.lineTo(-58, -370);
    bottle.cubicTo(-58, -392, -40, -400, 0, -400);
    bottle.cubicTo(40, -400, 58, -392, 58, -370);
    bottle.lineTo(58, -110);
    bottle.cubicTo(58, -70, 22, -60, 18, -24);
    bottle.closeSubpath();
    QLinearGradient plastic(-58, 0, 58, 0);
    plastic.setColorAt(0.0, QColor(150, 215, 200, 230));
    plastic.setColorAt(0.35, QColor(230, 255, 250, 240));
    plastic.setColorAt(1.0, QColor(120, 190, 180, 230));
    p.setBrush(plastic);
    p.setPen(QPen(QColor(70, 120, 120), 3));
    p.drawPath(bottle);
    p.save();
    p.setClipPath(bottle);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 140, 230, 190));
    p.drawRect(QRectF(-60, -150, 120, 130));
    p.setBrush(QColor(255, 255, 255, 120));
    p.drawEllipse(QPointF(0, -150), 58, 8);
    // Label band.
    p.setBrush(QColor(250, 210, 40));
    p.drawRect(QRectF(-60, -300, 120, 60));
    p.setBrush(QColor(200, 30, 40));
    p.drawRect(QRectF(-60, -282, 120, 22));
    // Highlight.
    p.setBrush(QColor(255, 255, 255, 110));
    p.drawRoundedRect(QRectF(-38, -380, 16, 330), 8, 8);
    p.restore();

    // Nose cone over the bottle's base.
    QPainterPath nose;
    nose.moveTo(-60, -372);
    nose.cubicTo(-60, -470, -20, -520, 0, -540);
    nose.cubicTo(20, -520, 60, -470, 60, -372);
    nose.closeSubpath();
    p.setPen(QPen(QColor(130, 20, 25), 3));
    p.setBrush(QColor(220, 40, 45));
    p.drawPath(nose);
    // The middle fin, seen edge on.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(150, 20, 30));
    p.drawRect(QRectF(-5, -140, 10, 150));
}

} // namespace

QImage paintSplashPicture() {
    QImage image(kSplashPictureWidth, kSplashPictureHeight, QImage::Format_RGB32);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    paintSky(p);
    paintCloud(p, 110, 560, 0.9);
    paintCloud(p, 960, 700, 1.1);
    paintCloud(p, 420, 980, 0.6);
    paintLand(p);

    const QPointF launcher(820, 1480);
    paintTrail(p, launcher + QPointF(0, -210), QPointF(700, 900));
    paintLauncher(p, launcher);
    paintPupil(p, 330, 1560, 190, QColor(60, 120, 220), QColor(90, 60, 30), true);
    paintPupil(p, 500, 1590, 170, QColor(240, 120, 40), QColor(30, 25, 20), false);

    p.save();
    p.translate(700, 900);
    p.rotate(-12);
    p.scale(0.8, 0.8);
    paintRocket(p);
    p.restore();
    return image;
}

} // namespace zorbal::ui::qt
