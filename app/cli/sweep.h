// SPDX-License-Identifier: MIT
// zorbal-cli sweep and zorbal-cli best: a grid of designs flown on all cores, and the best of it.
#pragma once

#include "cli_design.h"
#include "explore/sweep.h"
#ifdef ZORBAL_CLI_PLOTS
#include "sweep_plot.h"
#endif

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace zorbal::cli {

/// The `sweep` and `best` commands, registered on the tool's command line.
class SweepCommands {
  public:
    /// Adds both commands to `app`.
    explicit SweepCommands(CLI::App& app);

    /// True when the command line chose one of them.
    bool isChosen() const { return *m_sweep || *m_best; }
    /// Runs the chosen command and returns the exit status: 0 done, 1 no design of the grid
    /// flew (best) or the design file or the picture could not be written, 2 a usage error.
    int run();

  private:
    int runSweep();
    int runBest();
    /// True when --plot asked for a picture (never in a build without pictures).
    bool isPlotting() const;
    /// Keeps what the picture needs of `row` when plotting.
    void keep(std::vector<explore::SweepRow>& kept, explore::SweepRow&& row) const;
    /// Writes the picture when plotting; false when it could not be written.
    bool writePlot(const explore::SweepGrid& grid, const std::vector<explore::SweepRow>& kept,
                   const std::string& defaultFigure, std::optional<std::size_t> winner,
                   const std::string& goal) const;

    CLI::App* m_sweep = nullptr;
    CLI::App* m_best = nullptr;
    DesignOptions m_design;
    std::vector<std::string> m_vary;
    int m_threads = 0;
    bool m_json = false;
    std::string m_maximise = "range";
    std::optional<double> m_targetRange;
    std::string m_saveDesign;
#ifdef ZORBAL_CLI_PLOTS
    SweepPlotOptions m_plot;
#endif
};

} // namespace zorbal::cli
