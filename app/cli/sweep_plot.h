// SPDX-License-Identifier: MIT
// The pictures of sweep and best: curves or colour maps of the grid's results, rendered without a
// display by the picture module (pictures.h). Compiled only with the Qt layer (ZORBAL_CLI_PLOTS);
// uses no Qt itself.
#pragma once

#include "cli_design.h"
#include "explore/sweep.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace zorbal::cli {

/// Where and how sweep and best draw their grid; an empty file: no picture.
struct SweepPlotOptions {
    std::string file;   ///< PNG file
    std::string figure; ///< "range", "height", "duration"; empty: the command's default
    std::string size;   ///< "WxH" in pixels; empty: the chart's default size

    bool isWanted() const { return !file.empty(); }
};

/// Adds --plot, --plot-figure and --plot-size to `command`.
void addSweepPlotOptions(CLI::App& command, SweepPlotOptions& options);

/// The row kept for the picture: what the chart reads of a design's row, without its input texts
/// and message (the grid gives the inputs).
explore::SweepRow keptForPlot(explore::SweepRow&& row);

/// Draws `rows` (one per design of `grid`, in grid order) with the fixed design `design` in the
/// title and writes the PNG file; `winner` is best's choice, for `goal` ("the longest range").
/// `defaultFigure` is mapped when --plot-figure was not given. Returns false (with a message on
/// standard error) when the picture could not be written or the picture module could not be
/// loaded.
bool writeSweepPlot(const SweepPlotOptions& options, const explore::SweepGrid& grid,
                    const std::vector<explore::SweepRow>& rows, const DesignOptions& design,
                    const std::string& defaultFigure, std::optional<std::size_t> winner = std::nullopt,
                    const std::string& goal = {});

} // namespace zorbal::cli
