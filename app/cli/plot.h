// SPDX-License-Identifier: MIT
// The fly command's pictures of the two graphs, rendered without a display by the picture module
// (pictures.h). Compiled only with the Qt layer (ZORBAL_CLI_PLOTS); uses no Qt itself.
#pragma once

#include "ui/zorbal.h"

#include <CLI/CLI.hpp>

#include <string>

namespace zorbal::cli {

/// Where `fly` writes the pictures of its last launch; empty: not written.
struct PlotOptions {
    std::string trajectory; ///< PNG of the trajectory graph
    std::string velocity;   ///< PNG of the velocity graph
    std::string size;       ///< "WxH" in pixels; empty: each picture at its size in the window
};

/// Adds --plot-trajectory, --plot-velocity and --plot-size to `command`.
void addPlotOptions(CLI::App& command, PlotOptions& options);

/// Renders the window's graphs as the window paints them and writes the requested PNG files.
/// Returns false (with a message on standard error) when a file could not be written, or the
/// picture module could not be loaded.
bool writePlots(const ui::Zorbal& window, const PlotOptions& options);

} // namespace zorbal::cli
