// SPDX-License-Identifier: MIT
// The work the Investigate window hands to a background thread (the desktop) or a Web Worker (the
// page): a sweep of one or two inputs, a fit to a measured launch or a scatter of landings, each
// over one design file's text, and what comes back. Plain values, so the page can send them
// between its two module instances as text.
#pragma once

#include "explore/fit.h"
#include "explore/grid.h"
#include "explore/scatter.h"
#include "explore/sweep.h"

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::investigate {

enum class JobKind : std::uint8_t { Sweep, Fit, Scatter };

/// One piece of background work.
struct Job {
    std::uint64_t id = 0; ///< numbers the jobs of one window, so a late result is recognised
    JobKind kind = JobKind::Sweep;
    std::string designFile;              ///< the design every flight starts from, as "Save" writes it
    std::vector<explore::VaryAxis> axes; ///< Sweep: one or two axes
    explore::FitRequest fit;             ///< Fit
    explore::ScatterRequest scatter;     ///< Scatter
};

/// What a job gave.
struct JobResult {
    std::uint64_t id = 0;
    JobKind kind = JobKind::Sweep;
    /// False when the job was cancelled; then nothing below holds and the window keeps what it
    /// showed before.
    bool isComplete = false;
    std::string refusal;                 ///< why nothing was flown (a design that does not read)
    std::vector<explore::SweepRow> rows; ///< Sweep: every candidate's row, in grid order
    explore::FitResult fit;              ///< Fit
    explore::ScatterResult scatter;      ///< Scatter
};

/// Runs `job` on the calling thread (the sweep and the scatter spread over `threads` workers, 0:
/// one per core). `onProgress` (may be empty) is called on the calling thread with the flights
/// done and expected; `cancel` (may be null) stops the work between flights.
JobResult runJob(const Job& job, int threads, const std::function<void(std::size_t, std::size_t)>& onProgress,
                 const std::atomic<bool>* cancel);

/// The job as one line of text (JSON), for a Web Worker, and back; a text that does not read
/// as a job gives nothing.
std::string jobText(const Job& job);
std::optional<Job> readJob(std::string_view text);

/// The result as text (JSON) and back; a text that does not read as a result gives nothing.
/// Every field survives the round trip exactly (doubles as their shortest exact decimal), so a
/// result read back draws, exports and compares as the one written.
std::string resultText(const JobResult& result);
std::optional<JobResult> readResult(std::string_view text);

/// The longest job text readJob reads (a design file is at most 1 MiB, and a byte may take six
/// characters).
inline constexpr std::size_t kMaxJobTextBytes = std::size_t{8} << 20;
/// The most rows a result text carries (a sweep's, a scatter's runs); readJob refuses a sweep with
/// more candidates, so the result of every job it reads can be read back.
inline constexpr std::size_t kMaxResultRows = explore::kMaxScatterRuns;
/// The longest result text readResult reads.
inline constexpr std::size_t kMaxResultTextBytes = std::size_t{256} << 20;

} // namespace zorbal::investigate
