// SPDX-License-Identifier: MIT
// Number <-> text conversions of the program, with the English regional settings fixed.
#include "platform/number_text.h"

#include "platform/decimal_chars.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace zorbal::platform {
namespace {

bool isSkipped(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}
bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads "&H..." or "&O..." after the ampersand; `i` points past the radix letter.
double readRadix(std::string_view text, std::size_t i, int radix) {
    double value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (isSkipped(c))
            continue;
        int digit = -1;
        if (isDigit(c))
            digit = c - '0';
        else if (radix == 16 && c >= 'a' && c <= 'f')
            digit = c - 'a' + 10;
        else if (radix == 16 && c >= 'A' && c <= 'F')
            digit = c - 'A' + 10;
        if (digit < 0 || digit >= radix)
            break;
        value = value * radix + digit;
    }
    return value;
}

// "%.*f" of a non-negative finite value; a text too long for the buffer is cut short as
// snprintf cuts it.
template <std::size_t N> std::string_view fixedDigits(char (&buffer)[N], double magnitude, int digits) {
    if (const char* end = decimal_chars::fixed(buffer, buffer + N, magnitude, digits))
        return {buffer, static_cast<std::size_t>(end - buffer)};
    std::snprintf(buffer, N, "%.*f", digits, magnitude);
    return buffer;
}

// The integer digits, with "," between groups of three when grouping.
void appendIntegerDigits(std::string& text, std::string_view digits, bool grouping) {
    if (!grouping || digits.size() <= 3) {
        text += digits;
        return;
    }
    const std::size_t lead = digits.size() % 3;
    for (std::size_t k = 0; k < digits.size(); ++k) {
        if (k != 0 && k % 3 == lead)
            text += ',';
        text += digits[k];
    }
}

// Where the comma of a typed number stands and what it stands for; scanned as readLenient
// scans, skipping blanks anywhere.
struct CommaScan {
    CommaUse use = CommaUse::None;
    std::size_t position = 0;
};

CommaScan scanComma(std::string_view text) {
    std::size_t i = 0;
    const auto at = [&](std::size_t k) { return k < text.size() ? text[k] : '\0'; };
    const auto skip = [&] {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
    };
    skip();
    if (at(i) == '+' || at(i) == '-') {
        ++i;
        skip();
    }
    std::size_t integerDigits = 0;
    bool startsWithZero = false;
    for (; isDigit(at(i)); ++i, skip()) {
        if (integerDigits++ == 0)
            startsWithZero = text[i] == '0';
    }
    bool hasPoint = false;
    if (at(i) == '.') {
        hasPoint = true;
        for (++i, skip(); isDigit(at(i)); ++i, skip()) {
        }
    }
    if (at(i) != ',')
        return {};
    const std::size_t comma = i;
    ++i;
    skip();
    std::size_t decimals = 0;
    for (; isDigit(at(i)); ++i, skip())
        ++decimals;
    if (decimals == 0) // "12," or "12, about": the comma is no part of the number
        return {};
    if (hasPoint || at(i) == ',' || at(i) == '.')
        return {CommaUse::Unclear, comma};
    const bool mayBeGrouped = integerDigits >= 1 && integerDigits <= 3 && !startsWithZero && decimals == 3;
    return {mayBeGrouped ? CommaUse::Unclear : CommaUse::Decimal, comma};
}

std::string withPointAt(std::string_view text, std::size_t position) {
    std::string pointed(text);
    pointed[position] = '.';
    return pointed;
}

} // namespace

double readLenient(std::string_view text) {
    // Collect the characters of the leading number, skipping blanks anywhere, then let strtod
    // convert that clean text (correctly rounded).
    std::string number;
    std::size_t i = 0;
    auto skip = [&] {
        while (i < text.size() && isSkipped(text[i]))
            ++i;
    };
    skip();
    if (i + 1 < text.size() && text[i] == '&') {
        const char r = text[i + 1];
        if (r == 'h' || r == 'H')
            return readRadix(text, i + 2, 16);
        if (r == 'o' || r == 'O')
            return readRadix(text, i + 2, 8);
        return 0;
    }
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        number += text[i++];
    }
    bool anyDigit = false;
    for (skip(); i < text.size() && isDigit(text[i]); ++i, skip()) {
        number += text[i];
        anyDigit = true;
    }
    if (i < text.size() && text[i] == '.') {
        number += '.';
        for (++i, skip(); i < text.size() && isDigit(text[i]); ++i, skip()) {
            number += text[i];
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        std::string exponent = "e";
        std::size_t j = i + 1;
        while (j < text.size() && isSkipped(text[j]))
            ++j;
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            exponent += text[j++];
        bool expDigit = false;
        for (; j < text.size(); ++j) {
            if (isSkipped(text[j]))
                continue;
            if (!isDigit(text[j]))
                break;
            exponent += text[j];
            expDigit = true;
        }
        if (expDigit)
            number += exponent;
    }
    return std::strtod(number.c_str(), nullptr);
}

std::optional<double> readStrict(std::string_view text) {
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && (text[begin] == ' ' || text[begin] == '\t'))
        ++begin;
    while (end > begin && (text[end - 1] == ' ' || text[end - 1] == '\t'))
        --end;
    const std::string_view body = text.substr(begin, end - begin);
    std::size_t i = 0;
    if (i < body.size() && (body[i] == '+' || body[i] == '-'))
        ++i;
    bool anyDigit = false;
    while (i < body.size() && isDigit(body[i])) {
        ++i;
        anyDigit = true;
    }
    if (i < body.size() && body[i] == '.') {
        ++i;
        while (i < body.size() && isDigit(body[i])) {
            ++i;
            anyDigit = true;
        }
    }
    if (!anyDigit)
        return std::nullopt;
    if (i < body.size() && (body[i] == 'e' || body[i] == 'E')) {
        ++i;
        if (i < body.size() && (body[i] == '+' || body[i] == '-'))
            ++i;
        bool expDigit = false;
        while (i < body.size() && isDigit(body[i])) {
            ++i;
            expDigit = true;
        }
        if (!expDigit)
            return std::nullopt;
    }
    if (i != body.size())
        return std::nullopt;
    const double value = readLenient(body);
    if (!std::isfinite(value))
        return std::nullopt;
    return value;
}

TypedNumber readTypedNumber(std::string_view text) {
    const CommaScan scan = scanComma(text);
    if (scan.use == CommaUse::Decimal)
        return {readLenient(withPointAt(text, scan.position)), CommaUse::Decimal};
    return {readLenient(text), scan.use};
}

std::optional<double> readTypedNumberStrict(std::string_view text) {
    const CommaScan scan = scanComma(text);
    if (scan.use == CommaUse::Unclear)
        return std::nullopt;
    if (scan.use == CommaUse::Decimal)
        return readStrict(withPointAt(text, scan.position));
    return readStrict(text);
}

std::string decimalPointText(std::string_view text) {
    const CommaScan scan = scanComma(text);
    return scan.use == CommaUse::Decimal ? withPointAt(text, scan.position) : std::string(text);
}

std::string fixedText(double value, int digits, FixedOptions options) {
    if (!std::isfinite(value))
        return "n/a";
    if (digits < 0)
        digits = 0;
    const bool negative = std::signbit(value);
    const double magnitude = std::fabs(value);

    // Exact ties lie at odd multiples of 2^-(digits+1); printf rounds those to even, the program
    // rounds them away from zero. Every other value printf rounds correctly from its exact
    // binary expansion.
    char buffer[512];
    std::string_view digitsText;
    std::string rounded; // the digits of a tie, rounded away from zero
    const double scaled = std::ldexp(magnitude, digits + 1);
    const bool isTie = magnitude < 1e17 && scaled == std::floor(scaled) && std::fmod(scaled, 2.0) == 1.0;
    if (isTie) {
        rounded = fixedDigits(buffer, magnitude, digits + 1);
        rounded.pop_back(); // the trailing 5
        if (digits == 0)
            rounded.pop_back(); // the decimal point
        // Add one unit in the last place, carrying through nines.
        int k = static_cast<int>(rounded.size()) - 1;
        for (; k >= 0; --k) {
            if (rounded[k] == '.')
                continue;
            if (rounded[k] == '9') {
                rounded[k] = '0';
            } else {
                ++rounded[k];
                break;
            }
        }
        if (k < 0)
            rounded.insert(rounded.begin(), '1');
        digitsText = rounded;
    } else {
        digitsText = fixedDigits(buffer, magnitude, digits);
    }

    const auto dot = digitsText.find('.');
    const std::string_view integerPart = digitsText.substr(0, dot);
    const std::string_view fraction =
        dot == std::string_view::npos ? std::string_view() : digitsText.substr(dot + 1);
    const bool isZero = digitsText.find_first_not_of("0.") == std::string_view::npos;
    const bool isSigned = negative && !isZero;
    const bool inParentheses = isSigned && options.parentheses == Choice::Yes;

    std::string text;
    text.reserve(integerPart.size() + integerPart.size() / 3 + fraction.size() + 3);
    if (isSigned)
        text += inParentheses ? '(' : '-';
    const bool dropsLeadingZero =
        options.leadingZero == Choice::No && integerPart == "0" && !fraction.empty();
    if (!dropsLeadingZero) // ".5"
        appendIntegerDigits(text, integerPart, options.grouping != Choice::No);
    if (!fraction.empty()) {
        text += '.';
        text += fraction;
    }
    if (inParentheses)
        text += ')';
    return text;
}

std::string generalText(double value) {
    if (value == 0)
        return "0";
    if (std::isnan(value))
        return "n/a";
    if (std::isinf(value))
        return value > 0 ? "1.79769313486231E+308" : "-1.79769313486231E+308";
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.15G", value);
    return buffer;
}

std::string signText(double value) {
    std::string text;
    appendSignText(text, value);
    return text;
}

void appendSignText(std::string& out, double value) {
    if (!std::signbit(value) || value == 0)
        out += ' ';
    out += generalText(value);
}

std::string integerText(long long value) {
    return std::to_string(value);
}

} // namespace zorbal::platform
