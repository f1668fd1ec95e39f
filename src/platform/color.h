// SPDX-License-Identifier: MIT
// 24-bit RGB colours as the program uses them.
#pragma once

#include <cstdint>

namespace zorbal::platform {

/// A colour as 0xRRGGBB.
using Color = std::uint32_t;

constexpr Color rgb(int red, int green, int blue) {
    return (static_cast<Color>(red & 0xFF) << 16) | (static_cast<Color>(green & 0xFF) << 8) |
           static_cast<Color>(blue & 0xFF);
}
constexpr int redOf(Color c) {
    return static_cast<int>((c >> 16) & 0xFF);
}
constexpr int greenOf(Color c) {
    return static_cast<int>((c >> 8) & 0xFF);
}
constexpr int blueOf(Color c) {
    return static_cast<int>(c & 0xFF);
}

inline constexpr Color kWhite = rgb(255, 255, 255);
inline constexpr Color kBlack = rgb(0, 0, 0);
inline constexpr Color kRed = rgb(255, 0, 0);
inline constexpr Color kGreen = rgb(0, 255, 0);
inline constexpr Color kBlue = rgb(0, 0, 255);
inline constexpr Color kMagenta = rgb(255, 0, 255);
inline constexpr Color kCyan = rgb(0, 255, 255);
inline constexpr Color kOrange = rgb(255, 200, 0);
/// The system's button face, used where a control keeps its designed look.
inline constexpr Color kButtonFace = rgb(240, 240, 240);

} // namespace zorbal::platform
