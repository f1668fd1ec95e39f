// SPDX-License-Identifier: MIT
// The progress line the commands that fly many designs draw on standard error.
#pragma once

#include "platform/number_text.h"

#include <algorithm>
#include <chrono>
#include <cstddef>
#include <iostream>
#include <string>
#include <unistd.h>

namespace zorbal::cli {

/// A progress line on standard error, redrawn at most ten times a second, only on a terminal.
class ProgressLine {
  public:
    /// `isShown`: on top of standard error being a terminal (false when the rows themselves go to
    /// the same terminal and would be drawn over).
    explicit ProgressLine(bool isShown) : m_isShown(isShown && isatty(STDERR_FILENO) == 1) {}
    ~ProgressLine() {
        if (m_hasDrawn)
            std::cerr << "\r" << std::string(m_width, ' ') << "\r" << std::flush;
    }
    ProgressLine(const ProgressLine&) = delete;
    ProgressLine& operator=(const ProgressLine&) = delete;

    void update(std::size_t done, std::size_t total) {
        if (!m_isShown)
            return;
        const auto now = std::chrono::steady_clock::now();
        if (m_hasDrawn && done < total && now - m_last < std::chrono::milliseconds(100))
            return;
        m_last = now;
        const std::string line = "Flying designs: " + platform::integerText(static_cast<long long>(done)) +
                                 " of " + platform::integerText(static_cast<long long>(total));
        m_width = std::max(m_width, line.size());
        std::cerr << "\r" << line << std::flush;
        m_hasDrawn = true;
    }

  private:
    bool m_isShown;
    bool m_hasDrawn = false;
    std::size_t m_width = 0;
    std::chrono::steady_clock::time_point m_last;
};

} // namespace zorbal::cli
