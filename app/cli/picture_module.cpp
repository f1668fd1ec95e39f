// SPDX-License-Identifier: MIT
// zorbal-pictures.so: zorbal-cli's pictures painted with the painters the window and the sweep
// chart use, and encoded as PNG. Built with hidden symbols: it exports its entry point alone.
#include "pictures.h"

#include "explore/qt/sweep_chart_painter.h"
#include "platform/qt/png_file.h"
#include "platform/qt/surface_painter.h"
#include "zorbal_version.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>
#include <new>

namespace zorbal::cli {

namespace {

/// Fonts need a QGuiApplication; without one, an offscreen one is made for the picture, so no
/// display is needed.
class OffscreenApplication {
  public:
    OffscreenApplication() {
        if (QGuiApplication::instance() != nullptr)
            return;
        // Qt's notes about the environment (no runtime directory, ...) are not the user's concern.
        m_previousHandler =
            qInstallMessageHandler([](QtMsgType type, const QMessageLogContext&, const QString& text) {
                if (type == QtCriticalMsg || type == QtFatalMsg)
                    std::cerr << text.toStdString() << "\n";
            });
        m_application = std::make_unique<QGuiApplication>(m_argc, m_argv);
    }
    ~OffscreenApplication() {
        if (m_application)
            qInstallMessageHandler(m_previousHandler);
    }
    OffscreenApplication(const OffscreenApplication&) = delete;
    OffscreenApplication& operator=(const OffscreenApplication&) = delete;

  private:
    char m_name[11] = "zorbal-cli";
    char m_platformOption[10] = "-platform";
    char m_platform[10] = "offscreen";
    char* m_argv[4] = {m_name, m_platformOption, m_platform, nullptr};
    int m_argc = 3;
    QtMessageHandler m_previousHandler = nullptr;
    std::unique_ptr<QGuiApplication> m_application;
};

/// The PNG bytes of `image`; nothing when it could not be encoded, or its bytes copied, in the
/// memory left.
std::string pngOf(const QImage& image) {
    const QByteArray bytes = platform::qt::pngBytes(image);
    try {
        return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

std::string surfacePng(const platform::DrawingSurface& surface, int width, int height) {
    return pngOf(platform::qt::renderSurface(surface, QSize(width, height)));
}

std::string sweepChartPng(const SweepChartLayout& layout) {
    const OffscreenApplication application;
    return pngOf(explore::qt::renderSweepChart(layout(explore::qt::painterTextWidth())));
}

const PictureFunctions kFunctions{kPictureInterface, ZORBAL_VERSION, surfacePng, sweepChartPng};

} // namespace

} // namespace zorbal::cli

extern "C" __attribute__((visibility("default"))) const zorbal::cli::PictureFunctions* zorbal_pictures() {
    return &zorbal::cli::kFunctions;
}
