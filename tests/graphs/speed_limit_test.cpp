// SPDX-License-Identifier: MIT
// The velocity graph's speed limit.
#include "graphs/graph_frames.h"

#include <gtest/gtest.h>

#include <cmath>

namespace zorbal::graphs {
namespace {

TEST(SpeedLimit, IsTheNextStepAboveTheHighestSpeed) {
    EXPECT_DOUBLE_EQ(speedLimit(25), 35);
    EXPECT_DOUBLE_EQ(speedLimit(10), 10);
    EXPECT_DOUBLE_EQ(speedLimit(4.2), 5);
    EXPECT_DOUBLE_EQ(speedLimit(50), 65);
    EXPECT_DOUBLE_EQ(speedLimit(38.4), 40);
    for (double v = 0.05; v < 400; v *= 1.07)
        EXPECT_GE(speedLimit(v), v) << v;
    // A speed that is no positive number cannot be scaled on a logarithm.
    EXPECT_DOUBLE_EQ(speedLimit(0), 10);
    EXPECT_DOUBLE_EQ(speedLimit(INFINITY), 10);
}

} // namespace
} // namespace zorbal::graphs
