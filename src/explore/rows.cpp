// SPDX-License-Identifier: MIT
// What a sweep puts out for each candidate.
#include "explore/rows.h"

namespace zorbal::explore {

const char* outcomeName(Outcome outcome) {
    switch (outcome) {
    case Outcome::Flown:
        return "flown";
    case Outcome::Refused:
        return "refused";
    case Outcome::StepLimit:
        return "step_limit";
    case Outcome::NonFinite:
        return "non_finite";
    }
    return "refused";
}

} // namespace zorbal::explore
