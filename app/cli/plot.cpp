// SPDX-License-Identifier: MIT
// Rendering the graphs of the fly command into PNG files with the display-list painter the window
// uses, in the picture module.
#include "plot.h"

#include "cli_design.h"
#include "pictures.h"
#include "plot_size.h"

namespace zorbal::cli {

namespace {

/// The pictures' sizes in the window at 96 dots per inch (10575 x 5535 and 10815 x 5775 twips).
constexpr PlotSize kTrajectorySize{705, 369};
constexpr PlotSize kVelocitySize{721, 385};

bool writeSurface(const platform::DrawingSurface& surface, PlotSize size, const std::string& file) {
    std::string why;
    const PictureFunctions* pictures = loadPictures(why);
    if (pictures == nullptr)
        return pictureModuleMissing(file, why);
    return writePicture(pictures->surfacePng(surface, size.width, size.height), file);
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
    PlotSize trajectorySize = kTrajectorySize;
    PlotSize velocitySize = kVelocitySize;
    if (const auto chosen = parsePlotSize(options.size)) {
        trajectorySize = *chosen;
        velocitySize = *chosen;
    }
    bool written = true;
    if (!options.trajectory.empty())
        written = writeSurface(window.pctXYGraph, trajectorySize, options.trajectory) && written;
    if (!options.velocity.empty())
        written = writeSurface(window.pctVTgraph, velocitySize, options.velocity) && written;
    return written;
}

} // namespace zorbal::cli
