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

/// What a comma inside a typed number stands for.
enum class CommaUse {
    None,    ///< the number runs into no comma: it reads exactly as readLenient reads it
    Decimal, ///< one comma as the decimal point: "1,5", "-0,75", ",5", "0,750", "1,2500", "1,5 l"
    Unclear, ///< a comma that may as well group thousands ("1,250", "-12,500") or stands among
             ///< more commas or beside a "." ("1,250,000", "1.250,5", "1,250.5", "1,5,2")
};

/// A number typed into a design box, with what its comma stood for.
struct TypedNumber {
    double value = 0;                ///< an unclear comma ends the number, as readLenient ends it
    CommaUse comma = CommaUse::None; ///< how the comma was taken
};

/// Reads a number typed into a design box by a user of decimal commas or of decimal points.
/// Without a comma inside the number it is readLenient. A comma that directly follows the
/// leading digits (with no "." before it) and is followed by digits is the decimal point, unless
/// the text could be a number with its thousands grouped: one to three digits not starting with
/// 0, the comma and exactly three digits ("1,250": 1.25 or 1250?), or more commas or a "." after
/// the decimals. Such a text is Unclear and keeps the reading up to the comma; the caller refuses
/// it where a value matters. Blanks are skipped anywhere, as readLenient skips them.
TypedNumber readTypedNumber(std::string_view text);

/// The strict reading with the same decimal comma: the whole text, surrounding blanks allowed,
/// must be one plain number with "." or a Decimal comma before its decimals ("70,5"). An Unclear
/// comma fails. A number accepted here is read exactly as readTypedNumber reads it.
std::optional<double> readTypedNumberStrict(std::string_view text);

/// The text with a Decimal comma written as "." ("1,5" gives "1.5", " 0,75 l" gives " 0.75 l"),
/// for a reader that knows only the point; any other text unchanged.
std::string decimalPointText(std::string_view text);

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
