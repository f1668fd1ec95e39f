// SPDX-License-Identifier: MIT
// zorbal-cli fit and zorbal-cli scatter: one input fitted to a measured launch, and where a design
// lands when its inputs are uncertain.
#pragma once

#include "cli_design.h"
#include "explore/fit.h"
#include "explore/scatter.h"

#include <CLI/CLI.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace zorbal::cli {

/// The `fit` and `scatter` commands, registered on the tool's command line.
class FitScatterCommands {
  public:
    /// Adds both commands to `app`.
    explicit FitScatterCommands(CLI::App& app);

    /// True when the command line chose one of them.
    bool isChosen() const { return *m_fit || *m_scatter; }
    /// Runs the chosen command and returns the exit status: 0 done, 1 no value reaches the
    /// measurements (fit), no run landed (scatter) or a file could not be written, 2 a usage error.
    int run();

  private:
    int runFit();
    int runScatter();
    /// The design typed into a window once: a malformed one is a usage error, reported here.
    bool prepareDesign();

    CLI::App* m_fit = nullptr;
    CLI::App* m_scatter = nullptr;
    DesignOptions m_design;
    int m_threads = 0;
    bool m_json = false;
    // fit
    std::vector<std::string> m_measured;
    int m_input = 6;
    double m_tolerance = explore::kDefaultTolerancePercent;
    std::string m_saveDesign;
    // scatter
    std::vector<std::string> m_spreads;
    std::size_t m_runs = 1000;
    std::uint64_t m_seed = 1;
    std::string m_distribution = "normal";
    std::string m_csv;
    std::string m_plot;
    std::string m_plotSize;
};

} // namespace zorbal::cli
