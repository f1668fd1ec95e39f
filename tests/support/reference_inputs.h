// SPDX-License-Identifier: MIT
// Reference designs that tests and benchmarks fly, as the texts typed over the default design's
// input boxes; plain data, for tests of any layer.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace zorbal::reference {

/// A design as the texts typed into the input boxes: (box index, text) pairs.
using Design = std::vector<std::pair<int, const char*>>;

/// The inputs of the worst realistic design: a 20 litre bottle at 7 atmospheres with a 30 mm
/// nozzle, straight up, the parachute opening at the top (angle 0) with a 1 m diameter.
inline const Design& worstRealisticInputs() {
    static const Design inputs = {{0, "20"}, {1, "75.83"}, {2, "1136"}, {3, "7"},  {4, "30"},
                                  {5, "50"}, {6, "6.074"}, {7, "90"},   {11, "0"}, {13, "1"}};
    return inputs;
}

/// The inputs of a design still in the air when its flight is stopped after a million steps: a
/// 20 litre bottle with 1 % water at 7 atmospheres, no drag, straight up, the parachute set to
/// open at the top.
inline const Design& stepBoundInputs() {
    static const Design inputs = {{0, "20"}, {1, "1"},   {2, "75"}, {3, "7"},  {4, "30"}, {5, "10"},
                                  {6, "0"},  {9, "100"}, {7, "90"}, {11, "0"}, {13, "1"}};
    return inputs;
}

/// `design` with its texts as strings, for tables of designs that hold texts of their own too.
inline std::vector<std::pair<int, std::string>> designTexts(const Design& design) {
    return {design.begin(), design.end()};
}

} // namespace zorbal::reference
