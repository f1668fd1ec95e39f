// SPDX-License-Identifier: MIT
#include "platform/number_text.h"

#include "platform/decimal_chars.h"

#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

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

struct TypedCase {
    const char* text;
    double value;
    CommaUse comma;
    std::optional<double> strict; ///< the strict reading; nullopt: refused
};

TEST(TypedReading, TakesACommaAsTheDecimalPointOnlyWhereItCannotGroupThousands) {
    const auto Decimal = CommaUse::Decimal;
    const auto Unclear = CommaUse::Unclear;
    const auto None = CommaUse::None;
    const TypedCase cases[] = {
        // a decimal comma, with blanks anywhere as the lenient reading skips them
        {"1,5", 1.5, Decimal, 1.5},
        {"0,75", 0.75, Decimal, 0.75},
        {"-2,5", -2.5, Decimal, -2.5},
        {" 1,5 ", 1.5, Decimal, 1.5},
        {"1 ,5", 1.5, Decimal, std::nullopt}, // strictly, no blank inside a number
        {",5", 0.5, Decimal, 0.5},
        {"-,5", -0.5, Decimal, -0.5},
        {"0,750", 0.75, Decimal, 0.75},  // a leading 0 groups no thousands
        {"1,2500", 1.25, Decimal, 1.25}, // nor four digits after the comma
        {"1234,567", 1234.567, Decimal, 1234.567},
        {"12,50", 12.5, Decimal, 12.5},
        {"1,5e2", 150, Decimal, 150},
        {"70,5%", 70.5, Decimal, std::nullopt}, // leading number, as "70%" reads 70
        {"1,5 litres", 1.5, Decimal, std::nullopt},
        // a comma that could as well group thousands, or stand among more commas or a point: the
        // reading stops at the comma, as it always did, and the strict reading refuses it
        {"1,250", 1, Unclear, std::nullopt},
        {"-12,500", -12, Unclear, std::nullopt},
        {"100,000", 100, Unclear, std::nullopt},
        {"1,250,000", 1, Unclear, std::nullopt},
        {"1,5,2", 1, Unclear, std::nullopt},
        {"1.250,5", 1.25, Unclear, std::nullopt},
        {"1,250.5", 1, Unclear, std::nullopt},
        {"1,5.2", 1, Unclear, std::nullopt},
        // no comma inside the number: the lenient and strict readings as they are
        {"1.5", 1.5, None, 1.5},
        {" 70 ", 70, None, 70},
        {"12,", 12, None, std::nullopt},
        {"12, about", 12, None, std::nullopt},
        {"abc,5", 0, None, std::nullopt},
        {"&H1F,5", 31, None, std::nullopt},
        {"1e3,5", 1000, None, std::nullopt},
        {"", 0, None, std::nullopt},
    };
    for (const TypedCase& c : cases) {
        const TypedNumber typed = readTypedNumber(c.text);
        EXPECT_DOUBLE_EQ(typed.value, c.value) << c.text;
        EXPECT_EQ(typed.comma, c.comma) << c.text;
        EXPECT_EQ(readTypedNumberStrict(c.text), c.strict) << c.text;
        if (c.comma != CommaUse::Decimal) { // otherwise the readings of the program stay
            EXPECT_EQ(typed.value, readLenient(c.text)) << c.text;
        }
    }
}

TEST(TypedReading, WritesOnlyADecimalCommaAsThePoint) {
    EXPECT_EQ(decimalPointText("1,5"), "1.5");
    EXPECT_EQ(decimalPointText(" 0,75 l"), " 0.75 l");
    EXPECT_EQ(decimalPointText("-,5"), "-.5");
    for (const char* unchanged : {"1,250", "1,5,2", "12,", "2.00", "abc,5", ""})
        EXPECT_EQ(decimalPointText(unchanged), unchanged);
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

// The two ways of writing decimals must give the same bytes, or the web edition (which has no
// floating-point to_chars) would write other texts and files than the desktop.
TEST(DecimalChars, PrintfAndToCharsWriteTheSameText) {
#if ZORBAL_FLOAT_TO_CHARS
    std::vector<double> values = {0,
                                  -0.0,
                                  0.5,
                                  0.125,
                                  2.675,
                                  9.995,
                                  99.5,
                                  1e15,
                                  1e16,
                                  1e17,
                                  1e22,
                                  1e23,
                                  1e-5,
                                  1e-4,
                                  5e-324,
                                  2.5e-308,
                                  0.1,
                                  1.0 / 3,
                                  2.0 / 3,
                                  1e300,
                                  123456789012345.0,
                                  99999999999999.95,
                                  std::numeric_limits<double>::max(),
                                  std::numeric_limits<double>::min()};
    std::mt19937_64 random(2024);
    std::uniform_real_distribution<double> mantissa(-10, 10);
    std::uniform_int_distribution<int> exponent(-12, 20);
    std::uniform_int_distribution<int> halves(0, 1 << 20);
    for (int i = 0; i < 4000; ++i) {
        values.push_back(mantissa(random) * std::pow(10.0, exponent(random)));
        // Exact ties of every rounding position, where rounding to even matters.
        values.push_back(std::ldexp(halves(random) * 2.0 + 1, -(i % 12) - 1));
        // Any finite bit pattern: huge, tiny and subnormal values.
        const double any = std::bit_cast<double>(random());
        if (std::isfinite(any))
            values.push_back(any);
    }
    char a[400];
    char b[400];
    auto text = [](const char* first, const char* end) { return std::string(first, end); };
    for (const double v : values) {
        for (int precision = 0; precision <= 17; ++precision) {
            const char* ea = decimal_chars::generalByPrintf(a, a + sizeof a, v, precision);
            const char* eb = decimal_chars::generalByToChars(b, b + sizeof b, v, precision);
            ASSERT_TRUE(ea && eb);
            ASSERT_EQ(text(a, ea), text(b, eb)) << v << " %." << precision << "g";
            ea = decimal_chars::fixedByPrintf(a, a + sizeof a, v, precision);
            eb = decimal_chars::fixedByToChars(b, b + sizeof b, v, precision);
            ASSERT_EQ(ea == nullptr, eb == nullptr) << v;
            if (ea) {
                ASSERT_EQ(text(a, ea), text(b, eb)) << v << " %." << precision << "f";
            }
        }
    }
    // Both report a buffer too small instead of writing past it.
    const double fiveDigits = 12345.0 + static_cast<double>(random() % 2);
    EXPECT_EQ(decimal_chars::fixedByPrintf(a, a + 4, fiveDigits, 0), nullptr);
    EXPECT_EQ(decimal_chars::fixedByToChars(a, a + 4, fiveDigits, 0), nullptr);
#else
    GTEST_SKIP() << "this C++ library has no floating-point to_chars";
#endif
}

} // namespace
} // namespace zorbal::platform
