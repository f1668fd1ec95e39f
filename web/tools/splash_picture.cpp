// SPDX-License-Identifier: MIT
// Writes the splash picture the desktop paints as a JPEG for the web page:
//   zorbal_splash_picture OUT.jpg WIDTH QUALITY
#include "ui/qt/splash_picture.h"

#include <QGuiApplication>
#include <QImage>

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: %s OUT.jpg WIDTH QUALITY\n", argv[0]);
        return 2;
    }
    QGuiApplication application(argc, argv);
    const int width = std::atoi(argv[2]);
    const QImage picture =
        zorbal::ui::qt::paintSplashPicture().scaledToWidth(width, Qt::SmoothTransformation);
    return picture.save(QString::fromLocal8Bit(argv[1]), "JPEG", std::atoi(argv[3])) ? 0 : 1;
}
