// SPDX-License-Identifier: MIT
// What a sweep puts out for each candidate: its outcome and the window's texts and figures.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace zorbal::explore {

/// How a candidate's launch ended.
enum class Outcome {
    Flown,     ///< the rocket flew and landed
    Refused,   ///< the window refused the launch (limits, efficiency text, too little air)
    StepLimit, ///< the flight was stopped because it had not landed after the step limit
    NonFinite, ///< the flight was stopped because its numbers stopped being finite
};

/// The word for an outcome in the sweep's output: flown, refused, step_limit, non_finite.
const char* outcomeName(Outcome outcome);

/// One candidate's row.
struct SweepRow {
    std::size_t index = 0;           ///< grid index
    std::vector<std::string> inputs; ///< the texts typed into the varied boxes, in axis order
    Outcome outcome = Outcome::Refused;
    std::string message; ///< the window's refusal or stop message; empty after a landing
    /// The result texts as the window shows them (txtOutput 4, 6, 9); empty when refused.
    std::string duration, height, range;
    int steps = 0;          ///< steps of the flight; 0 when refused
    double flightTime = 0;  ///< s
    double maxHeight = 0;   ///< m
    double rangeMetres = 0; ///< m
};

} // namespace zorbal::explore
