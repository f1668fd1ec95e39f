// SPDX-License-Identifier: MIT
// Writes the installed web app's icons, painted after web/icon.svg (a water rocket rising from
// its jet of spray on a sky-blue tile):
//   zorbal_icon_pictures FOLDER
// icon-192.png and icon-512.png are the tile with its rounded corners; icon-maskable-192.png and
// icon-maskable-512.png have sky and ground to the edges and the rocket within the middle 80 %
// circle, which every shape a system cuts the icon to keeps.
#include <QColor>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

#include <cstdio>

namespace {

QPainterPath polygon(std::initializer_list<QPointF> corners) {
    QPainterPath path;
    for (const QPointF& corner : corners)
        path.elementCount() == 0 ? path.moveTo(corner) : path.lineTo(corner);
    path.closeSubpath();
    return path;
}

void fill(QPainter& p, const QPainterPath& path, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPath(path);
}

void fillAndOutline(QPainter& p, const QPainterPath& path, const QColor& colour, const QColor& line) {
    p.setPen(QPen(line, 1.5));
    p.setBrush(colour);
    p.drawPath(path);
}

/// The rocket and its spray, in the 128 x 128 units of the picture.
void paintRocket(QPainter& p) {
    const QColor spray(0xe8, 0xf6, 0xff);
    QColor mist = spray;
    mist.setAlphaF(0.9F);
    fill(p, polygon({{61, 86}, {67, 86}, {80, 116}, {48, 116}}), mist);
    p.setBrush(spray);
    p.drawEllipse(QPointF(52, 112), 3, 3);
    p.drawEllipse(QPointF(76, 113), 3, 3);
    p.drawEllipse(QPointF(64, 120), 2.5, 2.5);
    const QColor fin(0xc8, 0x1e, 0x28);
    fill(p, polygon({{52, 62}, {40, 82}, {41, 90}, {52, 80}}), fin);
    fill(p, polygon({{76, 62}, {88, 82}, {87, 90}, {76, 80}}), fin);

    QPainterPath body(QPointF(60, 86));
    body.cubicTo(59, 80, 50, 78, 50, 72);
    body.lineTo(50, 34);
    body.cubicTo(50, 30, 54, 29, 64, 29);
    body.cubicTo(74, 29, 78, 30, 78, 34);
    body.lineTo(78, 72);
    body.cubicTo(78, 78, 69, 80, 68, 86);
    body.closeSubpath();
    fillAndOutline(p, body, QColor(0xd2, 0xf2, 0xec), QColor(0x46, 0x78, 0x78));
    p.setPen(Qt::NoPen);
    p.fillRect(QRectF(51, 64, 26, 10), QColor(0x3c, 0x8c, 0xe6));
    p.fillRect(QRectF(51, 44, 26, 8), QColor(0xfa, 0xd2, 0x28));
    p.fillRect(QRectF(56, 33, 4, 28), QColor(255, 255, 255, 153));

    QPainterPath nose(QPointF(50, 35));
    nose.cubicTo(50, 22, 58, 14, 64, 10);
    nose.cubicTo(70, 14, 78, 22, 78, 35);
    nose.closeSubpath();
    fillAndOutline(p, nose, QColor(0xdc, 0x28, 0x2d), QColor(0x82, 0x14, 0x1a));
    p.fillRect(QRectF(62, 86, 4, 4), QColor(0x46, 0x46, 0x50));
}

QImage paintIcon(int size, bool maskable) {
    QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 128.0, size / 128.0);
    const QColor sky(0xa8, 0xdc, 0xfa), ground(0x5f, 0xb4, 0x4f);
    QPainterPath hill;
    if (maskable) {
        p.fillRect(QRectF(0, 0, 128, 128), sky);
        hill.moveTo(0, 100.9);
        hill.cubicTo(40, 92, 80, 98, 128, 89.6);
        hill.lineTo(128, 128);
        hill.lineTo(0, 128);
    } else {
        QPainterPath tile;
        tile.addRoundedRect(QRectF(4, 4, 120, 120), 22, 22);
        fill(p, tile, sky);
        hill.moveTo(4, 100);
        hill.cubicTo(40, 92, 80, 98, 124, 90);
        hill.lineTo(124, 102);
        hill.cubicTo(124, 114, 114, 124, 102, 124);
        hill.lineTo(26, 124);
        hill.cubicTo(14, 124, 4, 114, 4, 102);
    }
    hill.closeSubpath();
    fill(p, hill, ground);
    if (maskable) {
        // From the tip of the nose to the spray the rocket is 110 units tall: at 0.8 it keeps
        // inside the circle of radius 51.2 around the middle.
        p.translate(64, 64);
        p.scale(0.8, 0.8);
        p.translate(-64, -65);
    }
    paintRocket(p);
    p.end();
    return image;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    for (const int size : {192, 512})
        for (const bool maskable : {false, true}) {
            const QString name =
                QString("%1/icon-%2%3.png").arg(folder, maskable ? "maskable-" : "", QString::number(size));
            if (!paintIcon(size, maskable).save(name, "PNG", 9)) {
                std::fprintf(stderr, "cannot write %s\n", qPrintable(name));
                return 1;
            }
        }
    return 0;
}
