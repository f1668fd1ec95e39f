// SPDX-License-Identifier: MIT
// Number <-> text conversions of the program, with the English regional settings fixed.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace zorbal::platform {

/// Lenient reading: the leading number of a text. Blanks, tabs and line feeds are skipped
/// anywhere; then an optional sign, digits, an optional "." and digits, an optional exponent
/// (E or D). "&H" and "&O" introduce hexadecimal and octal integers. Reading stops at the first
/// character that cannot continue the number; no number gives 0. "12,5" reads as 12.
/// A magnitude too large for a double gives +/-infinity (callers refuse non-finite values).
double readLenient(std::string_view text);

/// Strict reading: the whole text, surrounding blanks allowed, must be one plain number
/// (optional sign, digits with an optional "." and an optional exponent). Group separators are
/// refused, so a number accepted here is read exactly as readLenient reads it.
std::optional<double> readStrict(std::string_view text);

/// A yes/no/regional choice of the fixed-decimal formatting.
enum class Choice { No, Yes, Regional };

struct FixedOptions {
    Choice leadingZero = Choice::Regional; ///< English: yes ("0.5")
    Choice parentheses = Choice::Regional; ///< English: no ("-5")
    Choice grouping = Choice::Regional;    ///< English: yes ("1,234.5")
};

/// The regional default number of decimals (two with English settings).
inline constexpr int kDefaultDecimals = 2;

/// Fixed-decimal text: the exact binary value of `value` rounded to `digits` decimals, ties away
/// from zero; "." before the decimals, "," between groups of three digits when grouping. A value
/// that rounds to zero has no minus sign. Non-finite values give "n/a".
std::string fixedText(double value, int digits, FixedOptions options = {});

/// Fixed-decimal text without digit grouping (the form the program writes into boxes).
inline std::string fixedTextNoGrouping(double value, int digits) {
    return fixedText(value, digits, FixedOptions{Choice::Regional, Choice::Regional, Choice::No});
}

/// General text: up to 15 significant digits, no trailing zeros, no grouping, exponent form as
/// %.15G chooses it, a leading zero below 1 ("0.5"). Negative zero is written "0".
std::string generalText(double value);

/// Sign-position text: generalText with one blank before a value that is not negative.
std::string signText(double value);

/// Appends signText(value) to `out` without a temporary string (for long exports).
void appendSignText(std::string& out, double value);

/// Decimal integer text without a leading blank.
std::string integerText(long long value);

} // namespace zorbal::platform
