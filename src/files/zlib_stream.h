// SPDX-License-Identifier: MIT
// A small zlib stream (RFC 1950 around RFC 1951 DEFLATE) writer and reader, enough to make the
// text of a design short in a link: the writer finds repeats (LZ77) and codes them with the fixed
// Huffman codes; the reader reads any DEFLATE stream (stored, fixed and dynamic blocks), as
// other tools write them. The reader is written for hostile input: it never reads past its input,
// never writes more than the limit it is given, and stops at the first thing that does not fit.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zorbal::files {

/// `bytes` as a zlib stream: header, fixed-Huffman DEFLATE blocks, Adler-32 of the bytes. The
/// same bytes always give the same stream.
std::string zlibCompress(std::string_view bytes);

/// The bytes of the zlib stream `stream`; std::nullopt when it is not one whole, sound zlib
/// stream (a bad header, a preset dictionary, a code or distance that does not fit, the stream
/// cut short, bytes after its end, a wrong Adler-32) or when it holds more than `maxBytes`
/// (it stops decoding there, so a small stream that would expand hugely costs nothing).
std::optional<std::string> zlibDecompress(std::string_view stream, std::size_t maxBytes);

/// The Adler-32 checksum of `bytes` (RFC 1950).
unsigned long adler32(std::string_view bytes);

} // namespace zorbal::files
