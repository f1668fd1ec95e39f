// SPDX-License-Identifier: MIT
// The design options every zorbal-cli command shares, applied to the window as a user would.
#pragma once

#include "ui/zorbal.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <vector>

namespace zorbal::cli {

struct DesignOptions {
    std::vector<std::string> inputs; ///< "I=TEXT"
    std::optional<bool> rail;
    std::optional<bool> parachute;
    std::string trigger; ///< "angle", "time" or empty
};

/// Adds --input, --rail/--no-rail, --parachute/--no-parachute and --trigger to `command`.
void addDesignOptions(CLI::App& command, DesignOptions& options);

/// Types the design into the window's boxes and options. Returns an error text for a malformed
/// --input, or an empty string.
std::string applyDesign(ui::Zorbal& window, const DesignOptions& options);

} // namespace zorbal::cli
