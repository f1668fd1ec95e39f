// SPDX-License-Identifier: MIT
// Links that carry a design: the design file's text, compressed (a zlib stream) and written in
// URL-safe base64 (RFC 4648 section 5, no padding) after "#zorbal=1." at the end of the page's
// address. The fragment stays in the browser: no server sees it. The page and zorbal-cli make and
// read links with these functions only, so both give the same bytes.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorbal::files {

/// What starts a design link's fragment (after the "#"): the key and the link format.
inline constexpr std::string_view kDesignLinkKey = "zorbal=";
inline constexpr std::string_view kDesignLinkFormat = "1.";

/// The largest design text a link carries; a link whose text would decode beyond it is refused
/// (a design file is a few hundred bytes).
inline constexpr std::size_t kMaxLinkDesignBytes = 64 * 1024;
/// The longest fragment read, in characters: more than any link of kMaxLinkDesignBytes.
inline constexpr std::size_t kMaxLinkFragmentLength = 100'000;

/// `bytes` in URL-safe base64 without padding, and back (refusing any other character, a
/// length no encoding has, and unused bits that are not zero).
std::string base64UrlEncode(std::string_view bytes);
std::optional<std::string> base64UrlDecode(std::string_view text);

/// The fragment (without "#") that carries `designText`; std::nullopt when it would be longer
/// than kMaxLinkFragmentLength or the text longer than kMaxLinkDesignBytes.
std::optional<std::string> designLinkFragment(std::string_view designText);

/// `base` without any fragment it has, then "#" and the fragment carrying `designText`.
std::optional<std::string> designLink(std::string_view base, std::string_view designText);

/// What a link holds.
enum class LinkContent {
    NotADesign, ///< no fragment, or one that is not ours ("#top", "#/route"): leave it alone
    Damaged,    ///< ours, but cut short, garbled, too long or of another link format
    Design,     ///< a design's text
};

struct DesignLinkReading {
    LinkContent content = LinkContent::NotADesign;
    std::string designText; ///< for LinkContent::Design
};

/// Reads a link: a whole address (what follows its first "#") or a fragment that starts with
/// "#". Only the first characters of an over-long text are looked at before it is refused.
DesignLinkReading readDesignLink(std::string_view link);

} // namespace zorbal::files
