// SPDX-License-Identifier: MIT
// Design links: base64url around a zlib stream of the design file's text.
#include "files/design_link.h"

#include "files/zlib_stream.h"

#include <array>
#include <cstdint>

namespace zorbal::files {

namespace {

constexpr std::string_view kAlphabet = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789-_";

int digitOf(char c) {
    if (c >= 'A' && c <= 'Z')
        return c - 'A';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 26;
    if (c >= '0' && c <= '9')
        return c - '0' + 52;
    if (c == '-')
        return 62;
    if (c == '_')
        return 63;
    return -1;
}

} // namespace

std::string base64UrlEncode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() * 4 + 2) / 3);
    std::uint32_t buffer = 0;
    int count = 0;
    for (const char c : bytes) {
        buffer = (buffer << 8) | static_cast<unsigned char>(c);
        count += 8;
        while (count >= 6) {
            count -= 6;
            out += kAlphabet[(buffer >> count) & 63u];
        }
    }
    if (count > 0)
        out += kAlphabet[(buffer << (6 - count)) & 63u];
    return out;
}

std::optional<std::string> base64UrlDecode(std::string_view text) {
    if (text.size() % 4 == 1)
        return std::nullopt;
    std::string out;
    out.reserve(text.size() * 3 / 4);
    std::uint32_t buffer = 0;
    int count = 0;
    for (const char c : text) {
        const int digit = digitOf(c);
        if (digit < 0)
            return std::nullopt;
        buffer = ((buffer << 6) | static_cast<std::uint32_t>(digit)) & 0xFFFFu;
        count += 6;
        if (count >= 8) {
            count -= 8;
            out += static_cast<char>((buffer >> count) & 0xFFu);
        }
    }
    if ((buffer & ((1u << count) - 1u)) != 0)
        return std::nullopt; // bits no encoder writes
    return out;
}

std::optional<std::string> designLinkFragment(std::string_view designText) {
    if (designText.size() > kMaxLinkDesignBytes)
        return std::nullopt;
    std::string fragment = std::string(kDesignLinkKey) + std::string(kDesignLinkFormat) +
                           base64UrlEncode(zlibCompress(designText));
    if (fragment.size() > kMaxLinkFragmentLength)
        return std::nullopt;
    return fragment;
}

std::optional<std::string> designLink(std::string_view base, std::string_view designText) {
    auto fragment = designLinkFragment(designText);
    if (!fragment)
        return std::nullopt;
    return std::string(base.substr(0, base.find('#'))) + "#" + *fragment;
}

DesignLinkReading readDesignLink(std::string_view link) {
    const std::size_t hash = link.find('#');
    if (hash == std::string_view::npos)
        return {};
    const std::string_view fragment = link.substr(hash + 1);
    if (!fragment.starts_with(kDesignLinkKey))
        return {};
    DesignLinkReading damaged{LinkContent::Damaged, {}};
    const std::string_view versioned = fragment.substr(kDesignLinkKey.size());
    if (fragment.size() > kMaxLinkFragmentLength || !versioned.starts_with(kDesignLinkFormat))
        return damaged;
    const auto stream = base64UrlDecode(versioned.substr(kDesignLinkFormat.size()));
    if (!stream)
        return damaged;
    auto text = zlibDecompress(*stream, kMaxLinkDesignBytes);
    if (!text)
        return damaged;
    return {LinkContent::Design, std::move(*text)};
}

} // namespace zorbal::files
