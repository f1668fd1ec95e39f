// SPDX-License-Identifier: MIT
// Picking the best candidate of a sweep, and the design file text of a window's design.
#pragma once

#include "explore/sweep.h"

#include <optional>
#include <string>

namespace zorbal::explore {

/// What makes a candidate best.
enum class Goal {
    MaximiseRange,    ///< the longest range
    MaximiseHeight,   ///< the greatest maximum height
    MaximiseDuration, ///< the longest flight
    TargetRange,      ///< the range closest to a mark (either side)
};

struct Criterion {
    Goal goal = Goal::MaximiseRange;
    double targetRange = 0; ///< m, for Goal::TargetRange
};

/// How good a flown row is under `criterion`: larger is better (the distance from the mark,
/// negated, for a target range).
double score(const SweepRow& row, const Criterion& criterion);

/// Keeps the best of the rows it is shown. Only rows that flew and landed compete; of equally
/// good rows the first shown (the first in grid order) is kept.
class BestTracker {
  public:
    explicit BestTracker(Criterion criterion) : m_criterion(criterion) {}
    void consider(const SweepRow& row);
    /// The best row so far; empty while no row has landed.
    const std::optional<SweepRow>& best() const { return m_best; }
    std::size_t considered() const { return m_considered; }
    std::size_t flown() const { return m_flown; }

  private:
    Criterion m_criterion;
    std::optional<SweepRow> m_best;
    double m_bestScore = 0;
    std::size_t m_considered = 0;
    std::size_t m_flown = 0;
};

/// The design file "Save" writes for the window's design (the files module's writer): 16 lines
/// of key, TAB and the box's text as typed, each line ended by CR LF.
std::string designFileText(const ui::Zorbal& window);

} // namespace zorbal::explore
