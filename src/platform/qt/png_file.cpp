// SPDX-License-Identifier: MIT
// PNG pictures encoded in memory, then saved whole.
#include "platform/qt/png_file.h"

#include "platform/safe_file.h"

#include <QBuffer>

#include <cerrno>
#include <string_view>

namespace zorbal::platform::qt {

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    if (image.isNull())
        return bytes;
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::WriteOnly) || !image.save(&buffer, "PNG"))
        return {};
    return bytes;
}

std::error_code savePngSafely(const QByteArray& bytes, const std::string& path) {
    if (bytes.isEmpty())
        return {EINVAL, std::generic_category()};
    return saveFileSafely(path, std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
}

std::error_code savePngSafely(const QImage& image, const std::string& path) {
    return savePngSafely(pngBytes(image), path);
}

} // namespace zorbal::platform::qt
