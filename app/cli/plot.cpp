// SPDX-License-Identifier: MIT
// Rendering the graphs of the fly command into PNG files with the display-list painter the window uses.
#include "plot.h"

#include "platform/qt/surface_painter.h"

#include <QFile>
#include <QSize>

#include <charconv>
#include <iostream>
#include <optional>

namespace zorbal::cli {

namespace {

/// The pictures' sizes in the window at 96 dots per inch (10575 x 5535 and 10815 x 5775 twips).
constexpr int kTrajectoryWidth = 705, kTrajectoryHeight = 369;
constexpr int kVelocityWidth = 721, kVelocityHeight = 385;
/// Sizes outside these bounds are refused: too small to show anything, or too large to allocate.
constexpr int kSmallestSide = 16, kLargestSide = 10000;

std::optional<QSize> parseSize(const std::string& text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string::npos)
        return std::nullopt;
    int width = 0, height = 0;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const auto w = std::from_chars(begin, begin + x, width);
    const auto h = std::from_chars(begin + x + 1, end, height);
    if (w.ec != std::errc() || w.ptr != begin + x || h.ec != std::errc() || h.ptr != end)
        return std::nullopt;
    if (width < kSmallestSide || width > kLargestSide || height < kSmallestSide || height > kLargestSide)
        return std::nullopt;
    return QSize(width, height);
}

bool writePicture(const platform::DrawingSurface& surface, QSize size, const std::string& file) {
    if (platform::qt::writePng(platform::qt::renderSurface(surface, size), QFile::decodeName(file.c_str())))
        return true;
    std::cerr << "Could not write the picture " << file << "\n";
    return false;
}

} // namespace

void addPlotOptions(CLI::App& command, PlotOptions& options) {
    command
        .add_option("--plot-trajectory", options.trajectory, "Write the trajectory graph as a PNG picture")
        ->type_name("FILE.png");
    command.add_option("--plot-velocity", options.velocity, "Write the velocity graph as a PNG picture")
        ->type_name("FILE.png");
    command
        .add_option("--plot-size", options.size,
                    "Size of the pictures in pixels (default: as in the window, 705x369 and 721x385)")
        ->type_name("WxH")
        ->check(CLI::Validator(
            [](std::string& text) {
                return parseSize(text)
                           ? std::string()
                           : "expected WIDTHxHEIGHT in pixels, each from " + std::to_string(kSmallestSide) +
                                 " to " + std::to_string(kLargestSide);
            },
            ""));
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
