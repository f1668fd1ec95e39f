// SPDX-License-Identifier: MIT
// Drawing sweep and best results into a PNG file with the sweep chart's painter.
#include "sweep_plot.h"

#include "cli_design.h"
#include "plot_size.h"

#include "explore/qt/sweep_chart_painter.h"
#include "explore/sweep_chart.h"
#include "platform/headless.h"
#include "platform/qt/png_file.h"
#include "ui/design_loader.h"

#include <QGuiApplication>

#include <iostream>
#include <memory>

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

/// Writes the picture; the one place a sweep picture reaches the disk.
bool writePicture(const QImage& image, const std::string& file) {
    // A picture that could not be made or encoded in memory is too large for the memory left.
    const QByteArray bytes = platform::qt::pngBytes(image);
    if (bytes.isEmpty()) {
        std::cerr << "Could not write the picture " << file << ": " << kNotEnoughMemory << "\n";
        return false;
    }
    const auto error = platform::qt::savePngSafely(bytes, file);
    if (!error)
        return true;
    std::cerr << "Could not write the picture " << file << reasonSuffix(error) << "\n";
    return false;
}

} // namespace

void addSweepPlotOptions(CLI::App& command, SweepPlotOptions& options) {
    auto* plot = command
                     .add_option("--plot", options.file,
                                 "Also draw the results as a PNG picture: curves for one varied input, a "
                                 "colour map for two, one map per value of the third for three")
                     ->type_name("FILE.png")
                     ->check(nonEmptyFileName());
    command
        .add_option(
            "--plot-figure", options.figure,
            "The result the maps of two or three inputs show (default: range; best: what it maximises)")
        ->check(CLI::IsMember({"range", "height", "duration"}))
        ->needs(plot);
    command
        .add_option("--plot-size", options.size,
                    "Size of the picture in pixels (default 800x600; three inputs: wider, one map each)")
        ->type_name("WxH")
        ->check(plotSizeValidator())
        ->needs(plot);
}

explore::SweepRow keptForPlot(explore::SweepRow&& row) {
    row.inputs = {};
    row.message = {};
    return std::move(row);
}

bool writeSweepPlot(const SweepPlotOptions& options, const explore::SweepGrid& grid,
                    const std::vector<explore::SweepRow>& rows, const DesignOptions& design,
                    const std::string& defaultFigure, std::optional<std::size_t> winner,
                    const std::string& goal) {
    const OffscreenApplication application;

    explore::SweepChartRequest request;
    if (const auto size = parsePlotSize(options.size)) {
        request.width = size->width;
        request.height = size->height;
    }
    request.figure = explore::figureNamed(options.figure.empty() ? defaultFigure : options.figure)
                         .value_or(explore::Figure::Range);
    request.winner = winner;
    request.winnerGoal = goal;
    request.textWidth = explore::qt::painterTextWidth();
    {
        // The common design as the sweep typed it into every window.
        platform::HeadlessPlatform platform;
        ui::Zorbal window(platform.services());
        window.Form_Load();
        applyDesign(window, design);
        request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(window), grid);
    }
    return writePicture(explore::qt::renderSweepChart(explore::buildSweepChart(grid, rows, request)),
                        options.file);
}

} // namespace zorbal::cli
