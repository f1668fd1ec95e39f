// SPDX-License-Identifier: MIT
// Reading --plot-size.
#include "plot_size.h"

#include <charconv>

namespace zorbal::cli {

std::optional<PlotSize> parsePlotSize(std::string_view text) {
    const auto x = text.find_first_of("xX");
    if (x == std::string_view::npos)
        return std::nullopt;
    PlotSize size;
    const char* begin = text.data();
    const char* end = text.data() + text.size();
    const auto w = std::from_chars(begin, begin + x, size.width);
    const auto h = std::from_chars(begin + x + 1, end, size.height);
    if (w.ec != std::errc() || w.ptr != begin + x || h.ec != std::errc() || h.ptr != end)
        return std::nullopt;
    if (size.width < kSmallestPlotSide || size.width > kLargestPlotSide || size.height < kSmallestPlotSide ||
        size.height > kLargestPlotSide)
        return std::nullopt;
    return size;
}

CLI::Validator plotSizeValidator() {
    return CLI::Validator(
        [](std::string& text) {
            return parsePlotSize(text)
                       ? std::string()
                       : "expected WIDTHxHEIGHT in pixels, each from " + std::to_string(kSmallestPlotSide) +
                             " to " + std::to_string(kLargestPlotSide);
        },
        "");
}

} // namespace zorbal::cli
