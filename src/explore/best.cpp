// SPDX-License-Identifier: MIT
// Picking the best candidate of a sweep, and the design file text of a window's design.
#include "explore/best.h"

#include "ui/design_loader.h"

#include <cmath>

namespace zorbal::explore {

double score(const SweepRow& row, const Criterion& criterion) {
    switch (criterion.goal) {
    case Goal::MaximiseRange:
        return row.rangeMetres;
    case Goal::MaximiseHeight:
        return row.maxHeight;
    case Goal::MaximiseDuration:
        return row.flightTime;
    case Goal::TargetRange:
        return -std::fabs(row.rangeMetres - criterion.targetRange);
    }
    return row.rangeMetres;
}

void BestTracker::consider(const SweepRow& row) {
    ++m_considered;
    if (row.outcome != Outcome::Flown)
        return;
    ++m_flown;
    const double value = score(row, m_criterion);
    // Strictly better only, so a tie keeps the earlier candidate.
    if (!m_best || value > m_bestScore) {
        m_best = row;
        m_bestScore = value;
    }
}

std::string designFileText(const ui::Zorbal& window) {
    return files::designFileText(ui::designTexts(window));
}

} // namespace zorbal::explore
