// SPDX-License-Identifier: MIT
// The splash window's picture, painted in code instead of being stored as a bitmap.
#pragma once

#include <QImage>

namespace zorbal::ui::qt {

/// Width and height of the splash picture, pixels (portrait).
inline constexpr int kSplashPictureWidth = 1248;
inline constexpr int kSplashPictureHeight = 1664;

/// Paints the splash picture: a water rocket rising from its launcher over a school field, its
/// water jet still spraying, two pupils watching. The same pixels every time.
QImage paintSplashPicture();

} // namespace zorbal::ui::qt
