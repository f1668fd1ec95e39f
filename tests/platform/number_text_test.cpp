// SPDX-License-Identifier: MIT
#include "platform/number_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace zorbal::platform {
namespace {

TEST(LenientReading, ReadsTheLeadingNumberAndSkipsBlanks) {
    EXPECT_DOUBLE_EQ(readLenient(" 1 2.5x"), 12.5);
    EXPECT_DOUBLE_EQ(readLenient("-.5"), -0.5);
    EXPECT_DOUBLE_EQ(readLenient("1e3"), 1000);
    EXPECT_DOUBLE_EQ(readLenient("2.5D2"), 250);
    EXPECT_DOUBLE_EQ(readLenient("50 %"), 50);
    EXPECT_DOUBLE_EQ(readLenient("12,5"), 12);
    EXPECT_DOUBLE_EQ(readLenient("0,5"), 0);
    EXPECT_DOUBLE_EQ(readLenient("&H1F"), 31);
    EXPECT_DOUBLE_EQ(readLenient("&O17"), 15);
    EXPECT_DOUBLE_EQ(readLenient("1e"), 1);
    EXPECT_DOUBLE_EQ(readLenient("7.5e+"), 7.5);
    EXPECT_EQ(readLenient("letters"), 0);
    EXPECT_EQ(readLenient(""), 0);
    EXPECT_EQ(readLenient("-"), 0);
    EXPECT_EQ(readLenient("."), 0);
    EXPECT_TRUE(std::isinf(readLenient("1e400")));
}

TEST(StrictReading, AcceptsOnlyAPlainNumberReadAsTheLenientReadingReadsIt) {
    EXPECT_EQ(readStrict(" 70 "), 70);
    EXPECT_EQ(readStrict("-7.25e1"), -72.5);
    EXPECT_EQ(readStrict(".5"), 0.5);
    EXPECT_FALSE(readStrict("70%"));
    EXPECT_FALSE(readStrict("1,000"));
    EXPECT_FALSE(readStrict(""));
    EXPECT_FALSE(readStrict("abc"));
    EXPECT_FALSE(readStrict("1e"));
    EXPECT_FALSE(readStrict("1e999"));
}

TEST(FixedText, RoundsTheExactBinaryValueWithTiesAwayFromZero) {
    EXPECT_EQ(fixedText(0.125, 2), "0.13");
    EXPECT_EQ(fixedText(2.675, 2), "2.67");
    EXPECT_EQ(fixedText(-0.125, 2), "-0.13");
    EXPECT_EQ(fixedText(0.5, 0), "1");
    EXPECT_EQ(fixedText(2.5, 0), "3");
    EXPECT_EQ(fixedText(9.995, 2), "9.99"); // stored below the tie
    EXPECT_EQ(fixedText(99.5, 0), "100");
    EXPECT_EQ(fixedText(-0.004, 2), "0.00");
    EXPECT_EQ(fixedText(-0.0, 1), "0.0");
}

TEST(FixedText, FollowsTheLeadingZeroGroupingAndNegativeChoices) {
    EXPECT_EQ(fixedText(0.5, 2), "0.50");
    EXPECT_EQ(fixedText(0.5, 1, {Choice::No, Choice::Regional, Choice::Regional}), ".5");
    EXPECT_EQ(fixedText(1234567.891, 2), "1,234,567.89");
    EXPECT_EQ(fixedText(123456, 0), "123,456");
    EXPECT_EQ(fixedText(-1234.5, 1), "-1,234.5");
    EXPECT_EQ(fixedTextNoGrouping(1234.5, 1), "1234.5");
    EXPECT_EQ(fixedText(-5, 1, {Choice::Regional, Choice::Yes, Choice::Regional}), "(5.0)");
    EXPECT_EQ(fixedText(std::numeric_limits<double>::quiet_NaN(), 2), "n/a");
}

TEST(GeneralAndSignText, WriteFifteenSignificantDigitsWithoutTrailingZeros) {
    EXPECT_EQ(generalText(1.0), "1");
    EXPECT_EQ(generalText(0.5), "0.5");
    EXPECT_EQ(generalText(-0.0), "0");
    EXPECT_EQ(generalText(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(generalText(1e-5), "1E-05");
    EXPECT_EQ(generalText(1e15), "1E+15");
    EXPECT_EQ(generalText(123456789012345.0), "123456789012345");
    EXPECT_EQ(signText(7), " 7");
    EXPECT_EQ(signText(-2.5), "-2.5");
    EXPECT_EQ(signText(0), " 0");
    EXPECT_EQ(readLenient(generalText(std::numeric_limits<double>::infinity())), 1.79769313486231e308);
}

} // namespace
} // namespace zorbal::platform
