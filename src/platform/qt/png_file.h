// SPDX-License-Identifier: MIT
// Pictures saved as PNG files through the same safe save as every other file the program writes.
#pragma once

#include <QByteArray>
#include <QImage>

#include <string>
#include <system_error>

namespace zorbal::platform::qt {

/// The bytes of `image` as a PNG file; empty for a null image or when it cannot be encoded.
QByteArray pngBytes(const QImage& image);

/// Writes PNG `bytes` to the file at `path` (bytes as the system names files) with
/// saveFileSafely, so a special file is refused and a picture that cannot be written completely
/// leaves the old file as it was. Returns why it failed, or an empty error code.
std::error_code savePngSafely(const QByteArray& bytes, const std::string& path);

/// Encodes `image` and saves it with savePngSafely; an image that cannot be encoded fails with
/// EINVAL and writes nothing.
std::error_code savePngSafely(const QImage& image, const std::string& path);

} // namespace zorbal::platform::qt
