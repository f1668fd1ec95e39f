// SPDX-License-Identifier: MIT
// Design exploration: a grid of candidate designs over up to three input boxes, each flown as the
// first launch of a freshly started program would fly it, on as many threads as there are cores.
#pragma once

#include "explore/candidate.h"
#include "explore/grid.h"
#include "explore/rows.h"

#include <cstddef>
#include <functional>
#include <vector>

namespace zorbal::explore {

struct SweepOptions {
    int threads = 0;        ///< worker threads; 0 or less: one per core
    DesignSetter setDesign; ///< the design common to all candidates (may be empty)
    /// Called on the calling thread as rows come out: candidates done so far, and in all.
    std::function<void(std::size_t done, std::size_t total)> onProgress;
};

/// More threads than this many per core only add memory and switching, never speed.
inline constexpr int kMaxThreadsPerCore = 4;

/// The number of worker threads `requested` gives: one per core when 0 or less, at most
/// kMaxThreadsPerCore per core, never more than the candidates.
int workerCount(int requested, std::size_t candidates);

/// Flies every candidate of `grid` and hands each row to `onRow` on the calling thread, in grid
/// order whatever the number of threads. Candidates are flown in blocks, so memory stays bounded
/// however large the grid. Workers the system does not let start, or that run out of memory,
/// leave their candidates to the others and to the calling thread, with the same rows; only
/// when the calling thread runs out of memory too does it throw std::bad_alloc.
void runSweep(const SweepGrid& grid, const SweepOptions& options,
              const std::function<void(SweepRow&&)>& onRow);

/// runSweep collected into a vector indexed by grid index.
std::vector<SweepRow> sweepRows(const SweepGrid& grid, const SweepOptions& options);

} // namespace zorbal::explore
