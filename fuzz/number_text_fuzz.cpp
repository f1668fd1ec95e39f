// SPDX-License-Identifier: MIT
// Fuzz target: the lenient and strict readings of a text, and the writing of numbers.
//
// Properties: neither reading crashes or gives NaN; a text the strict reading accepts reads
// exactly as the lenient reading reads it; the typed reading is the lenient one except for a
// decimal comma, and its strict reading agrees with it; every number the program writes (general text,
// sign-position text, fixed-decimal text with and without grouping) is well formed, is accepted
// by the strict reading once its group separators are removed, and reads back as the number
// within the digits written (except general text of the largest doubles, whose 15 digits round
// past the largest double and read as an overflow).
#include "fuzz_check.h"
#include "platform/number_text.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

using namespace zorbal::platform;

namespace {

std::string withoutGrouping(const std::string& text) {
    std::string out;
    for (char c : text)
        if (c != ',')
            out += c;
    return out;
}

bool isWellFormedFixed(const std::string& text, int digits, bool grouped) {
    std::size_t i = 0;
    if (i < text.size() && text[i] == '-')
        ++i;
    const std::size_t integerStart = i;
    std::size_t sinceSeparator = 0;
    bool sawSeparator = false;
    while (i < text.size() && (std::isdigit(static_cast<unsigned char>(text[i])) || text[i] == ',')) {
        if (text[i] == ',') {
            if (!grouped || (sawSeparator ? sinceSeparator != 3 : sinceSeparator == 0 || sinceSeparator > 3))
                return false;
            sawSeparator = true;
            sinceSeparator = 0;
        } else {
            ++sinceSeparator;
        }
        ++i;
    }
    if (i == integerStart || (sawSeparator && sinceSeparator != 3))
        return false;
    if (grouped && !sawSeparator && sinceSeparator > 3)
        return false;
    if (digits == 0)
        return i == text.size();
    if (i >= text.size() || text[i] != '.')
        return false;
    ++i;
    std::size_t decimals = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        ++i;
        ++decimals;
    }
    return i == text.size() && decimals == static_cast<std::size_t>(digits);
}

void checkWriting(double v) {
    if (!std::isfinite(v)) {
        FUZZ_CHECK(fixedText(v, 2) == "n/a", "fixedText of a non-finite value gives \"%s\"",
                   fixedText(v, 2).c_str());
        return;
    }
    const std::string general = generalText(v);
    const auto back = readStrict(general);
    if (!back) {
        // Rounded to 15 digits, the largest doubles are written as a number just above the
        // largest double, which both readings take as an overflow.
        FUZZ_CHECK(std::isinf(readLenient(general)) && std::fabs(v) > 1.797693134862e308,
                   "generalText(%.17g) = \"%s\" is refused by the strict reading", v, general.c_str());
        return;
    }
    const double tolerance = std::fabs(v) * 1e-14 + 1e-322;
    FUZZ_CHECK(std::fabs(*back - v) <= tolerance, "generalText(%.17g) = \"%s\" reads back as %.17g", v,
               general.c_str(), *back);
    FUZZ_CHECK(readLenient(general) == *back, "the readings of \"%s\" differ", general.c_str());
    const std::string sign = signText(v);
    FUZZ_CHECK(sign == (v < 0 ? general : " " + general), "signText(%.17g) = \"%s\", generalText \"%s\"", v,
               sign.c_str(), general.c_str());

    for (int digits = 0; digits <= 6; ++digits) {
        for (bool grouped : {false, true}) {
            const std::string text = grouped ? fixedText(v, digits) : fixedTextNoGrouping(v, digits);
            FUZZ_CHECK(isWellFormedFixed(text, digits, grouped), "fixedText(%.17g, %d%s) = \"%s\"", v, digits,
                       grouped ? ", grouped" : "", text.c_str());
            const auto read = readStrict(withoutGrouping(text));
            FUZZ_CHECK(read.has_value(), "fixedText(%.17g, %d) = \"%s\" is refused by the strict reading", v,
                       digits, text.c_str());
            FUZZ_CHECK(!(text[0] == '-' && *read == 0), "fixedText(%.17g, %d) = \"%s\": a minus sign on zero",
                       v, digits, text.c_str());
            // Rounded to `digits` decimals from the exact binary value, then read to the nearest double.
            const double allowed = 0.5 * std::pow(10.0, -digits) * (1 + 1e-9) + std::fabs(v) * 4.5e-16;
            FUZZ_CHECK(std::fabs(*read - v) <= allowed, "fixedText(%.17g, %d) = \"%s\" reads back as %.17g",
                       v, digits, text.c_str(), *read);
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const double lenient = readLenient(text);
    FUZZ_CHECK(!std::isnan(lenient), "the lenient reading gives NaN");
    if (const auto strict = readStrict(text)) {
        FUZZ_CHECK(std::memcmp(&*strict, &lenient, sizeof lenient) == 0,
                   "the strict reading gives %.17g where the lenient one gives %.17g", *strict, lenient);
    }
    // The typed reading is the lenient one unless it found a decimal comma; its strict reading
    // agrees with it.
    const TypedNumber typed = readTypedNumber(text);
    FUZZ_CHECK(!std::isnan(typed.value), "the typed reading gives NaN");
    if (typed.comma != CommaUse::Decimal) {
        FUZZ_CHECK(std::memcmp(&typed.value, &lenient, sizeof lenient) == 0,
                   "the typed reading gives %.17g where the lenient one gives %.17g", typed.value, lenient);
    }
    if (const auto strict = readTypedNumberStrict(text)) {
        FUZZ_CHECK(std::memcmp(&*strict, &typed.value, sizeof *strict) == 0,
                   "the typed strict reading gives %.17g where the typed one gives %.17g", *strict,
                   typed.value);
    }
    checkWriting(lenient);
    // The first eight bytes as a double: every bit pattern, NaN, infinities and subnormals too.
    if (size >= sizeof(double)) {
        double bits = 0;
        std::memcpy(&bits, data, sizeof bits);
        checkWriting(bits);
    }
    return 0;
}
