// SPDX-License-Identifier: MIT
// The size of zorbal-cli's pictures as --plot-size gives it: WIDTHxHEIGHT in pixels.
#pragma once

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <string_view>

namespace zorbal::cli {

/// Sizes outside these bounds are refused: too small to show anything, or too large to allocate.
inline constexpr int kSmallestPlotSide = 16, kLargestPlotSide = 10000;

struct PlotSize {
    int width = 0, height = 0;
};

/// Reads "WxH" (or "WXH"), each side a whole number from kSmallestPlotSide to kLargestPlotSide;
/// empty for anything else.
std::optional<PlotSize> parsePlotSize(std::string_view text);

/// The check of a --plot-size option, with the message for a refused text.
CLI::Validator plotSizeValidator();

} // namespace zorbal::cli
