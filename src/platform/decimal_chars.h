// SPDX-License-Identifier: MIT
// Decimal text of doubles written into a character buffer exactly as printf's "%.*g" and "%.*f"
// write it in the C locale: through std::to_chars where the C++ library has it for floating point
// (it needs no locale and is about three times faster), through snprintf otherwise (the libc++
// of the web edition's compiler has no floating-point to_chars).
#pragma once

#include <charconv>
#include <cmath>
#include <cstddef>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

// ZORBAL_FLOAT_TO_CHARS: 1 when std::to_chars takes a double and a precision. The build may set
// it; otherwise the library's feature-test macro decides.
#ifndef ZORBAL_FLOAT_TO_CHARS
#if defined(__cpp_lib_to_chars) && __cpp_lib_to_chars >= 201611L
#define ZORBAL_FLOAT_TO_CHARS 1
#else
#define ZORBAL_FLOAT_TO_CHARS 0
#endif
#endif

namespace zorbal::platform::decimal_chars {

// Each function writes `value` with `precision` into [first, last) without a terminating zero
// and returns the end of the text, or nullptr when the buffer is too small. Callers handle
// infinities and NaN themselves.

/// "%.*g" through snprintf.
inline char* generalByPrintf(char* first, char* last, double value, int precision) {
    const auto room = static_cast<std::size_t>(last - first);
    const int n = std::snprintf(first, room, "%.*g", precision, value);
    return n >= 0 && static_cast<std::size_t>(n) < room ? first + n : nullptr;
}

/// "%.*f" through snprintf.
inline char* fixedByPrintf(char* first, char* last, double value, int precision) {
    const auto room = static_cast<std::size_t>(last - first);
    const int n = std::snprintf(first, room, "%.*f", precision, value);
    return n >= 0 && static_cast<std::size_t>(n) < room ? first + n : nullptr;
}

#if ZORBAL_FLOAT_TO_CHARS
/// "%.*g" through std::to_chars.
inline char* generalByToChars(char* first, char* last, double value, int precision) {
    const auto [end, error] = std::to_chars(first, last, value, std::chars_format::general, precision);
    return error == std::errc{} ? end : nullptr;
}

/// "%.*f" through std::to_chars.
inline char* fixedByToChars(char* first, char* last, double value, int precision) {
    const auto [end, error] = std::to_chars(first, last, value, std::chars_format::fixed, precision);
    return error == std::errc{} ? end : nullptr;
}
#endif

/// "%.*g", the fastest way this library offers.
inline char* general(char* first, char* last, double value, int precision) {
#if ZORBAL_FLOAT_TO_CHARS
    return generalByToChars(first, last, value, precision);
#else
    return generalByPrintf(first, last, value, precision);
#endif
}

/// "%.*f", the fastest way this library offers.
inline char* fixed(char* first, char* last, double value, int precision) {
#if ZORBAL_FLOAT_TO_CHARS
    return fixedByToChars(first, last, value, precision);
#else
    return fixedByPrintf(first, last, value, precision);
#endif
}

/// Reads the whole of [first, last) as a decimal number, correctly rounded, in no locale.
inline bool parse(const char* first, const char* last, double& value) {
#if ZORBAL_FLOAT_TO_CHARS
    const auto [end, error] = std::from_chars(first, last, value);
    return error == std::errc{} && end == last;
#else
    // The web edition's C library runs in the C locale; strtod needs a terminated copy.
    char copy[40];
    const auto length = static_cast<std::size_t>(last - first);
    if (length >= sizeof copy)
        return false;
    std::memcpy(copy, first, length);
    copy[length] = '\0';
    char* end = nullptr;
    value = std::strtod(copy, &end);
    return end == copy + length;
#endif
}

/// "%.*g" with the fewest significant digits that read back as exactly `value` (17 always do),
/// the sign of a zero kept. The buffer needs 32 characters; a finite value is expected.
inline char* shortest(char* first, char* last, double value) {
    int low = 1, high = 17;
    while (low < high) {
        const int middle = (low + high) / 2;
        double back = 0;
        char* end = general(first, last, value, middle);
        if (end && parse(first, end, back) && back == value && std::signbit(back) == std::signbit(value))
            high = middle;
        else
            low = middle + 1;
    }
    return general(first, last, value, low);
}

} // namespace zorbal::platform::decimal_chars
