// SPDX-License-Identifier: MIT
// Design exploration: a grid of candidate designs over up to three input boxes, each flown as the
// first launch of a freshly started program would fly it, on as many threads as there are cores.
#pragma once

#include "explore/candidate.h"
#include "explore/grid.h"
#include "explore/rows.h"

#include <atomic>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace zorbal::explore {

struct SweepOptions {
    int threads = 0;        ///< worker threads; 0 or less: one per core
    DesignSetter setDesign; ///< the design common to all candidates (may be empty)
    /// Called on the calling thread as rows come out: candidates done so far, and in all.
    std::function<void(std::size_t done, std::size_t total)> onProgress;
    /// When set and it becomes true, no further candidate is started: the run ends early, with
    /// the rows handed on so far (a background thread's "Cancel").
    const std::atomic<bool>* cancel = nullptr;
};

/// Flies candidate `index` with one of the workers' flyers.
using FlyCandidate = std::function<SweepRow(CandidateFlyer& flyer, std::size_t index)>;

/// More threads than this many per core only add memory and switching, never speed.
inline constexpr int kMaxThreadsPerCore = 4;

/// The number of worker threads `requested` gives: one per core when 0 or less, at most
/// kMaxThreadsPerCore per core, never more than the candidates.
int workerCount(int requested, std::size_t candidates);

/// Flies candidates 0 to `total` - 1 with `fly` and hands each row to `onRow` on the calling
/// thread, in index order whatever the number of threads. Candidates are flown in blocks, so
/// memory stays bounded however many there are. Workers the system does not let start, or that
/// run out of memory, leave their candidates to the others and to the calling thread, with the
/// same rows; only when the calling thread runs out of memory too does it throw std::bad_alloc.
/// Returns false when options.cancel stopped it before every row was handed on.
bool runCandidates(std::size_t total, const FlyCandidate& fly, const SweepOptions& options,
                   const std::function<void(SweepRow&&)>& onRow);

/// runCandidates over every candidate of `grid`, in grid order.
bool runSweep(const SweepGrid& grid, const SweepOptions& options,
              const std::function<void(SweepRow&&)>& onRow);

/// runSweep collected into a vector indexed by grid index.
std::vector<SweepRow> sweepRows(const SweepGrid& grid, const SweepOptions& options);

/// The heading row of a sweep's CSV (RFC 4180, CR LF): the varied inputs' names, flight_duration,
/// max_height, range, steps, outcome, message.
std::string sweepCsvHeading(const SweepGrid& grid);
/// One candidate's CSV row: the texts typed into the varied boxes, the three result texts, the
/// steps (empty when refused), the outcome's word and the message; ended by CR LF.
std::string sweepCsvRow(const SweepRow& row);
/// The heading and every row of `rows`, in their order: the whole CSV of a sweep.
std::string sweepCsv(const SweepGrid& grid, const std::vector<SweepRow>& rows);

} // namespace zorbal::explore
