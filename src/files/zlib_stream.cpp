// SPDX-License-Identifier: MIT
// zlib streams: LZ77 with the fixed Huffman codes to write, a canonical-code DEFLATE reader to read.
#include "files/zlib_stream.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace zorbal::files {

namespace {

// The DEFLATE length and distance codes (RFC 1951, 3.2.5): the first value of each code and how
// many extra bits follow it.
constexpr std::array<std::uint16_t, 29> kLengthBase = {3,  4,  5,  6,   7,   8,   9,   10,  11, 13,
                                                       15, 17, 19, 23,  27,  31,  35,  43,  51, 59,
                                                       67, 83, 99, 115, 131, 163, 195, 227, 258};
constexpr std::array<std::uint8_t, 29> kLengthExtra = {0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 2, 2, 2,
                                                       2, 3, 3, 3, 3, 4, 4, 4, 4, 5, 5, 5, 5, 0};
constexpr std::array<std::uint16_t, 30> kDistanceBase = {
    1,   2,   3,   4,   5,   7,    9,    13,   17,   25,   33,   49,   65,    97,    129,
    193, 257, 385, 513, 769, 1025, 1537, 2049, 3073, 4097, 6145, 8193, 12289, 16385, 24577};
constexpr std::array<std::uint8_t, 30> kDistanceExtra = {0, 0, 0, 0, 1, 1, 2, 2,  3,  3,  4,  4,  5,  5,  6,
                                                         6, 7, 7, 8, 8, 9, 9, 10, 10, 11, 11, 12, 12, 13, 13};

constexpr std::size_t kWindow = 32768;
constexpr std::size_t kMinMatch = 3;
constexpr std::size_t kMaxMatch = 258;
constexpr int kMaxChain = 64; // how many earlier places with the same three bytes are tried

// ---- writing ---------------------------------------------------------------------------------

/// Bits packed from the least significant bit of each byte up, as DEFLATE stores them.
class BitWriter {
  public:
    explicit BitWriter(std::string& out) : m_out(out) {}
    void bits(std::uint32_t value, int count) {
        m_buffer |= value << m_count;
        m_count += count;
        while (m_count >= 8) {
            m_out += static_cast<char>(m_buffer & 0xFF);
            m_buffer >>= 8;
            m_count -= 8;
        }
    }
    /// A Huffman code, which DEFLATE stores from its most significant bit.
    void code(std::uint32_t code, int length) {
        std::uint32_t reversed = 0;
        for (int i = 0; i < length; ++i)
            reversed |= ((code >> i) & 1u) << (length - 1 - i);
        bits(reversed, length);
    }
    void flush() {
        if (m_count > 0)
            m_out += static_cast<char>(m_buffer & 0xFF);
        m_buffer = 0;
        m_count = 0;
    }

  private:
    std::string& m_out;
    std::uint32_t m_buffer = 0;
    int m_count = 0;
};

/// A literal or length symbol in the fixed code (RFC 1951, 3.2.6).
void fixedSymbol(BitWriter& out, unsigned symbol) {
    if (symbol < 144)
        out.code(0x30 + symbol, 8);
    else if (symbol < 256)
        out.code(0x190 + (symbol - 144), 9);
    else if (symbol < 280)
        out.code(symbol - 256, 7);
    else
        out.code(0xC0 + (symbol - 280), 8);
}

void writeMatch(BitWriter& out, std::size_t length, std::size_t distance) {
    std::size_t code = kLengthBase.size() - 1;
    while (kLengthBase[code] > length)
        --code;
    fixedSymbol(out, static_cast<unsigned>(257 + code));
    out.bits(static_cast<std::uint32_t>(length - kLengthBase[code]), kLengthExtra[code]);
    std::size_t d = kDistanceBase.size() - 1;
    while (kDistanceBase[d] > distance)
        --d;
    out.code(static_cast<std::uint32_t>(d), 5);
    out.bits(static_cast<std::uint32_t>(distance - kDistanceBase[d]), kDistanceExtra[d]);
}

std::uint32_t hash3(std::string_view bytes, std::size_t at) {
    const auto b = [&](std::size_t i) {
        return static_cast<std::uint32_t>(static_cast<unsigned char>(bytes[i]));
    };
    return ((b(at) << 10) ^ (b(at + 1) << 5) ^ b(at + 2)) & 0x7FFF;
}

// ---- reading ---------------------------------------------------------------------------------

constexpr int kMaxBits = 15;

/// A canonical Huffman code as the count of codes of each length and the symbols in code order.
struct Huffman {
    std::array<std::uint16_t, kMaxBits + 1> count{};
    std::vector<std::uint16_t> symbol;
};

/// Builds the code from the code length of each symbol. False when the lengths over-subscribe
/// the code, or leave it incomplete where more than one code is used (a single code of one bit
/// is allowed, as RFC 1951 allows one distance code).
bool buildHuffman(Huffman& h, const std::uint8_t* lengths, std::size_t n) {
    h.count.fill(0);
    for (std::size_t i = 0; i < n; ++i)
        ++h.count[lengths[i]];
    if (h.count[0] == n) {
        h.symbol.clear();
        return true; // no codes: any use of the code fails
    }
    int left = 1;
    for (int len = 1; len <= kMaxBits; ++len) {
        left <<= 1;
        left -= h.count[static_cast<std::size_t>(len)];
        if (left < 0)
            return false;
    }
    std::array<std::uint16_t, kMaxBits + 1> offsets{};
    for (int len = 1; len < kMaxBits; ++len)
        offsets[static_cast<std::size_t>(len) + 1] = static_cast<std::uint16_t>(
            offsets[static_cast<std::size_t>(len)] + h.count[static_cast<std::size_t>(len)]);
    h.symbol.assign(n, 0);
    for (std::size_t i = 0; i < n; ++i)
        if (lengths[i] != 0)
            h.symbol[offsets[lengths[i]]++] = static_cast<std::uint16_t>(i);
    const bool isSingleCode = n - h.count[0] == 1 && h.count[1] == 1;
    return left == 0 || isSingleCode;
}

class Inflater {
  public:
    Inflater(std::string_view in, std::size_t maxBytes) : m_in(in), m_max(maxBytes) {}

    /// Reads the DEFLATE blocks up to the final one; false on anything unsound.
    bool run() {
        bool isLast = false;
        while (!isLast) {
            std::uint32_t header = 0;
            if (!bits(1, header))
                return false;
            isLast = header != 0;
            std::uint32_t type = 0;
            if (!bits(2, type))
                return false;
            bool ok = false;
            if (type == 0)
                ok = stored();
            else if (type == 1)
                ok = fixed();
            else if (type == 2)
                ok = dynamic();
            if (!ok)
                return false;
        }
        return true;
    }
    /// Where the DEFLATE data ended: the first whole byte after it.
    std::size_t end() const { return m_position; }
    std::string& out() { return m_out; }

  private:
    bool bits(int need, std::uint32_t& value) {
        while (m_count < need) {
            if (m_position >= m_in.size())
                return false;
            m_buffer |= static_cast<std::uint32_t>(static_cast<unsigned char>(m_in[m_position++])) << m_count;
            m_count += 8;
        }
        value = m_buffer & ((1u << need) - 1u);
        m_buffer >>= need;
        m_count -= need;
        return true;
    }

    bool put(char c) {
        if (m_out.size() >= m_max)
            return false;
        m_out += c;
        return true;
    }

    bool stored() {
        m_buffer = 0;
        m_count = 0; // to the next byte
        if (m_in.size() - m_position < 4)
            return false;
        const auto byte = [&](std::size_t i) {
            return static_cast<unsigned>(static_cast<unsigned char>(m_in[m_position + i]));
        };
        const unsigned length = byte(0) | (byte(1) << 8);
        const unsigned complement = byte(2) | (byte(3) << 8);
        if (length != (~complement & 0xFFFFu))
            return false;
        m_position += 4;
        if (m_in.size() - m_position < length || m_out.size() + length > m_max)
            return false;
        m_out.append(m_in.substr(m_position, length));
        m_position += length;
        return true;
    }

    /// The next symbol of `h`, read a bit at a time from the code's most significant bit; -1
    /// when the input ends or the bits are no code.
    int decode(const Huffman& h) {
        int code = 0, first = 0, index = 0;
        for (int len = 1; len <= kMaxBits; ++len) {
            std::uint32_t bit = 0;
            if (!bits(1, bit))
                return -1;
            code |= static_cast<int>(bit);
            const int count = h.count[static_cast<std::size_t>(len)];
            if (code - count < first) {
                const int at = index + (code - first); // code >= first here: never below 0
                return h.symbol[static_cast<std::size_t>(at)];
            }
            index += count;
            first += count;
            first <<= 1;
            code <<= 1;
        }
        return -1;
    }

    bool codes(const Huffman& lengthCode, const Huffman& distanceCode) {
        for (;;) {
            const int symbol = decode(lengthCode);
            if (symbol < 0)
                return false;
            if (symbol < 256) {
                if (!put(static_cast<char>(symbol)))
                    return false;
                continue;
            }
            if (symbol == 256)
                return true;
            const auto l = static_cast<std::size_t>(symbol - 257);
            if (l >= kLengthBase.size())
                return false;
            std::uint32_t extra = 0;
            if (!bits(kLengthExtra[l], extra))
                return false;
            const std::size_t length = kLengthBase[l] + extra;
            const int d = decode(distanceCode);
            if (d < 0 || static_cast<std::size_t>(d) >= kDistanceBase.size())
                return false;
            if (!bits(kDistanceExtra[static_cast<std::size_t>(d)], extra))
                return false;
            const std::size_t distance = kDistanceBase[static_cast<std::size_t>(d)] + extra;
            if (distance > m_out.size() || m_out.size() + length > m_max)
                return false;
            const std::size_t from = m_out.size() - distance;
            for (std::size_t i = 0; i < length; ++i)
                m_out += m_out[from + i];
        }
    }

    bool fixed() {
        static const std::array<Huffman, 2> kFixed = [] {
            std::array<std::uint8_t, 288> lengths{};
            for (std::size_t i = 0; i < lengths.size(); ++i)
                lengths[i] = i < 144 ? 8 : i < 256 ? 9 : i < 280 ? 7 : 8;
            std::array<Huffman, 2> codes;
            buildHuffman(codes[0], lengths.data(), lengths.size());
            // 32 five-bit codes, of which 30 and 31 stand for no distance.
            std::array<std::uint8_t, 32> distances{};
            distances.fill(5);
            buildHuffman(codes[1], distances.data(), distances.size());
            return codes;
        }();
        return codes(kFixed[0], kFixed[1]);
    }

    bool dynamic() {
        std::uint32_t literals = 0, distances = 0, lengthCodes = 0;
        if (!bits(5, literals) || !bits(5, distances) || !bits(4, lengthCodes))
            return false;
        literals += 257;
        distances += 1;
        lengthCodes += 4;
        if (literals > 286 || distances > 30)
            return false;
        static constexpr std::array<std::uint8_t, 19> kOrder = {16, 17, 18, 0, 8,  7, 9,  6, 10, 5,
                                                                11, 4,  12, 3, 13, 2, 14, 1, 15};
        std::array<std::uint8_t, 19> codeLengths{};
        for (std::size_t i = 0; i < lengthCodes; ++i) {
            std::uint32_t length = 0;
            if (!bits(3, length))
                return false;
            codeLengths[kOrder[i]] = static_cast<std::uint8_t>(length);
        }
        Huffman lengthHuffman;
        if (!buildHuffman(lengthHuffman, codeLengths.data(), codeLengths.size()))
            return false;
        std::array<std::uint8_t, 286 + 30> lengths{};
        std::size_t index = 0;
        while (index < literals + distances) {
            const int symbol = decode(lengthHuffman);
            if (symbol < 0)
                return false;
            if (symbol < 16) {
                lengths[index++] = static_cast<std::uint8_t>(symbol);
                continue;
            }
            std::uint8_t repeated = 0;
            std::uint32_t times = 0;
            if (symbol == 16) {
                if (index == 0 || !bits(2, times))
                    return false;
                repeated = lengths[index - 1];
                times += 3;
            } else if (symbol == 17) {
                if (!bits(3, times))
                    return false;
                times += 3;
            } else {
                if (!bits(7, times))
                    return false;
                times += 11;
            }
            if (index + times > literals + distances)
                return false;
            while (times-- > 0)
                lengths[index++] = repeated;
        }
        if (lengths[256] == 0)
            return false; // no end-of-block code
        Huffman lengthCode, distanceCode;
        if (!buildHuffman(lengthCode, lengths.data(), literals) ||
            !buildHuffman(distanceCode, lengths.data() + literals, distances))
            return false;
        return codes(lengthCode, distanceCode);
    }

    std::string_view m_in;
    std::size_t m_max;
    std::size_t m_position = 2; // after the zlib header
    std::uint32_t m_buffer = 0;
    int m_count = 0;
    std::string m_out;
};

} // namespace

unsigned long adler32(std::string_view bytes) {
    std::uint32_t a = 1, b = 0;
    constexpr std::uint32_t kModulus = 65521;
    for (const char c : bytes) {
        a = (a + static_cast<unsigned char>(c)) % kModulus;
        b = (b + a) % kModulus;
    }
    return (static_cast<unsigned long>(b) << 16) | a;
}

std::string zlibCompress(std::string_view bytes) {
    // CMF: DEFLATE with a 32 KiB window; FLG: the check bits, no dictionary, "fastest" level.
    std::string out = "\x78\x01";
    BitWriter writer(out);
    writer.bits(1, 1); // the one and final block
    writer.bits(1, 2); // fixed Huffman codes
    std::vector<std::int32_t> head(0x8000, -1);
    std::vector<std::int32_t> previous(bytes.size(), -1);
    const auto insert = [&](std::size_t at) {
        if (at + kMinMatch > bytes.size())
            return;
        const std::uint32_t h = hash3(bytes, at);
        previous[at] = head[h];
        head[h] = static_cast<std::int32_t>(at);
    };
    std::size_t at = 0;
    while (at < bytes.size()) {
        std::size_t bestLength = 0, bestDistance = 0;
        if (at + kMinMatch <= bytes.size()) {
            const std::size_t limit = std::min(kMaxMatch, bytes.size() - at);
            std::int32_t candidate = head[hash3(bytes, at)];
            for (int chain = 0; candidate >= 0 && chain < kMaxChain; ++chain) {
                const auto from = static_cast<std::size_t>(candidate);
                if (at - from > kWindow)
                    break;
                std::size_t length = 0;
                while (length < limit && bytes[from + length] == bytes[at + length])
                    ++length;
                if (length > bestLength) {
                    bestLength = length;
                    bestDistance = at - from;
                    if (length == limit)
                        break;
                }
                candidate = previous[from];
            }
        }
        if (bestLength >= kMinMatch) {
            writeMatch(writer, bestLength, bestDistance);
            for (std::size_t i = 0; i < bestLength; ++i)
                insert(at + i);
            at += bestLength;
        } else {
            fixedSymbol(writer, static_cast<unsigned char>(bytes[at]));
            insert(at);
            ++at;
        }
    }
    fixedSymbol(writer, 256);
    writer.flush();
    const unsigned long check = adler32(bytes);
    for (int shift = 24; shift >= 0; shift -= 8)
        out += static_cast<char>((check >> shift) & 0xFF);
    return out;
}

std::optional<std::string> zlibDecompress(std::string_view stream, std::size_t maxBytes) {
    if (stream.size() < 2 + 4)
        return std::nullopt;
    const auto cmf = static_cast<unsigned char>(stream[0]);
    const auto flg = static_cast<unsigned char>(stream[1]);
    const bool isDeflate = (cmf & 0x0F) == 8 && (cmf >> 4) <= 7;
    const bool hasDictionary = (flg & 0x20) != 0;
    if (!isDeflate || hasDictionary || (cmf * 256u + flg) % 31u != 0)
        return std::nullopt;
    Inflater inflater(stream.substr(0, stream.size() - 4), maxBytes);
    if (!inflater.run() || inflater.end() != stream.size() - 4)
        return std::nullopt;
    unsigned long check = 0;
    for (std::size_t i = stream.size() - 4; i < stream.size(); ++i)
        check = (check << 8) | static_cast<unsigned char>(stream[i]);
    if (check != adler32(inflater.out()))
        return std::nullopt;
    return std::move(inflater.out());
}

} // namespace zorbal::files
