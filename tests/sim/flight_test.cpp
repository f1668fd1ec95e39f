// SPDX-License-Identifier: MIT
#include "support/window_fixture.h"

namespace zorbal::test {
namespace {

using Flight = WindowTest;

TEST_F(Flight, TheDefaultDesignFliesItsKnownFigures) {
    ASSERT_TRUE(launch());
    EXPECT_EQ(window.LastFlight.steps, 1561);
    EXPECT_EQ(window.txtOutput[4].Text, "4.30");
    EXPECT_EQ(window.txtOutput[6].Text, "22.60");
    EXPECT_EQ(window.txtOutput[9].Text, "51.61");
    EXPECT_NEAR(window.Rocket.MaxSpeed, 38.41, 0.005);
}

} // namespace
} // namespace zorbal::test
