// SPDX-License-Identifier: MIT
// Rendering the graphs of the fly command into PNG files with the display-list painter the window uses.
#include "plot.h"

#include "cli_design.h"
#include "platform/qt/png_file.h"
#include "plot_size.h"

#include "platform/qt/surface_painter.h"

#include <QSize>

#include <iostream>
#include <optional>

namespace zorbal::cli {

namespace {

/// The pictures' sizes in the window at 96 dots per inch (10575 x 5535 and 10815 x 5775 twips).
constexpr int kTrajectoryWidth = 705, kTrajectoryHeight = 369;
constexpr int kVelocityWidth = 721, kVelocityHeight = 385;

std::optional<QSize> parseSize(const std::string& text) {
    const auto size = parsePlotSize(text);
    return size ? std::optional<QSize>(QSize(size->width, size->height)) : std::nullopt;
}

bool writePicture(const platform::DrawingSurface& surface, QSize size, const std::string& file) {
    // A picture that could not be made or encoded in memory is too large for the memory left.
    const QByteArray bytes = platform::qt::pngBytes(platform::qt::renderSurface(surface, size));
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

void addPlotOptions(CLI::App& command, PlotOptions& options) {
    command
        .add_option("--plot-trajectory", options.trajectory, "Write the trajectory graph as a PNG picture")
        ->type_name("FILE.png")
        ->check(nonEmptyFileName());
    command.add_option("--plot-velocity", options.velocity, "Write the velocity graph as a PNG picture")
        ->type_name("FILE.png")
        ->check(nonEmptyFileName());
    command
        .add_option("--plot-size", options.size,
                    "Size of the pictures in pixels (default: as in the window, 705x369 and 721x385)")
        ->type_name("WxH")
        ->check(plotSizeValidator());
}

bool writePlots(const ui::Zorbal& window, const PlotOptions& options) {
    QSize trajectorySize(kTrajectoryWidth, kTrajectoryHeight);
    QSize velocitySize(kVelocityWidth, kVelocityHeight);
    if (const auto chosen = parseSize(options.size)) {
        trajectorySize = *chosen;
        velocitySize = *chosen;
    }
    bool written = true;
    if (!options.trajectory.empty())
        written = writePicture(window.pctXYGraph, trajectorySize, options.trajectory) && written;
    if (!options.velocity.empty())
        written = writePicture(window.pctVTgraph, velocitySize, options.velocity) && written;
    return written;
}

} // namespace zorbal::cli
