// SPDX-License-Identifier: MIT
// Drawing sweep and best results into a PNG file with the sweep chart's painter, in the picture
// module.
#include "sweep_plot.h"

#include "cli_design.h"
#include "pictures.h"
#include "plot_size.h"

#include "explore/sweep_chart.h"
#include "platform/headless.h"
#include "ui/design_loader.h"

namespace zorbal::cli {

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
    std::string why;
    const PictureFunctions* pictures = loadPictures(why);
    if (pictures == nullptr)
        return pictureModuleMissing(options.file, why);

    // Laid out inside the module, which measures the texts in the font it paints them in.
    auto layout = [&](const explore::TextWidth& textWidth) {
        explore::SweepChartRequest request;
        if (const auto size = parsePlotSize(options.size)) {
            request.width = size->width;
            request.height = size->height;
        }
        request.figure = explore::figureNamed(options.figure.empty() ? defaultFigure : options.figure)
                             .value_or(explore::Figure::Range);
        request.winner = winner;
        request.winnerGoal = goal;
        request.textWidth = textWidth;
        {
            // The common design as the sweep typed it into every window.
            platform::HeadlessPlatform platform;
            ui::Zorbal window(platform.services());
            window.Form_Load();
            applyDesign(window, design);
            request.fixedDesign = explore::fixedDesignTexts(ui::designTexts(window), grid);
        }
        return explore::buildSweepChart(grid, rows, request);
    };
    return writePicture(pictures->sweepChartPng(layout), options.file);
}

} // namespace zorbal::cli
