// SPDX-License-Identifier: MIT
#include "web/journal.h"

#include "files/design_file.h"
#include "web/web_session.h"

#include <array>
#include <cstring>
#include <optional>

namespace zorbal::web {

void Journal::record(std::string_view event, std::string_view id, std::string_view value) {
    if (!keeps(event))
        return;
    ++m_revision;
    if (event == "input" && !m_actions.empty() && m_actions.back().event == "input" &&
        m_actions.back().id == id) {
        m_actions.back().value = std::string(value); // typing only sets the box's text
        return;
    }
    m_actions.push_back(JournalAction{std::string(event), std::string(id), std::string(value)});
}

void Journal::recordPick(std::string_view name, std::string_view content) {
    ++m_revision;
    const bool isDesignSized = content.size() <= files::kMaxDesignFileBytes;
    m_actions.push_back(JournalAction{"pick", std::string(name),
                                      isDesignSized ? std::string(content) : std::string(1, '\0')});
}

namespace {

constexpr const char* kHexDigits = "0123456789abcdef";

std::string hex64(std::uint64_t value) {
    std::string out(16, '0');
    for (int i = 15; i >= 0; --i, value >>= 4)
        out[static_cast<std::size_t>(i)] = kHexDigits[value & 15];
    return out;
}

/// FNV-1a, 64 bits: a digest to tell two lessons apart, not a protection against tampering.
class Digest {
  public:
    void add(std::uint64_t word) {
        for (int i = 0; i < 8; ++i, word >>= 8)
            byte(static_cast<unsigned char>(word & 0xff));
    }
    void add(std::string_view text) {
        add(static_cast<std::uint64_t>(text.size()));
        for (const char c : text)
            byte(static_cast<unsigned char>(c));
    }
    void addWords(const std::uint32_t* words, std::size_t count) {
        for (std::size_t i = 0; i < count; ++i)
            m_value = (m_value ^ words[i]) * kPrime;
    }
    std::uint64_t value() const { return m_value; }

  private:
    static constexpr std::uint64_t kPrime = 0x100000001b3ULL;
    void byte(unsigned char b) { m_value = (m_value ^ b) * kPrime; }
    std::uint64_t m_value = 0xcbf29ce484222325ULL;
};

} // namespace

void packDisplayList(const platform::DrawingSurface& surface, std::vector<std::uint32_t>& out) {
    const auto& list = surface.primitives();
    out.assign(list.size() * kDisplayListWords, 0);
    std::uint32_t* word = out.data();
    for (const platform::Primitive& e : list) {
        word[0] = static_cast<std::uint32_t>(e.kind);
        word[1] = e.period;
        word[2] = e.color;
        word[3] = e.fill;
        word[4] = static_cast<std::uint32_t>(e.width);
        const float floats[] = {e.x1, e.y1, e.x2, e.y2, e.radius, e.aspect, e.start, e.end};
        for (std::size_t k = 0; k < std::size(floats); ++k)
            std::memcpy(&word[5 + k], &floats[k], sizeof(float)); // libc++ 13 has no bit_cast
        word[13] = e.first;
        word[14] = e.count;
        for (std::size_t s = 0; s < platform::kMaxRunPeriod; ++s) {
            word[15 + 2 * s] = e.styles[s].color;
            word[16 + 2 * s] = static_cast<std::uint32_t>(e.styles[s].width);
        }
        word += kDisplayListWords;
    }
}

std::uint64_t surfaceDigest(const platform::DrawingSurface& surface) {
    Digest digest;
    std::vector<std::uint32_t> packed;
    packDisplayList(surface, packed);
    digest.add(static_cast<std::uint64_t>(packed.size()));
    digest.addWords(packed.data(), packed.size());
    digest.add(static_cast<std::uint64_t>(surface.backColor()));
    for (const platform::Primitive& entry : surface.primitives()) {
        if (entry.kind != platform::PrimitiveKind::PointRun)
            continue;
        const std::span<const platform::PointF> points = surface.points(entry);
        digest.add(static_cast<std::uint64_t>(points.size()));
        for (const platform::PointF& point : points) {
            std::uint32_t words[2];
            std::memcpy(&words[0], &point.x, sizeof(float)); // libc++ 13 has no bit_cast
            std::memcpy(&words[1], &point.y, sizeof(float));
            digest.addWords(words, 2);
        }
    }
    return digest.value();
}

std::uint64_t lessonDigest(const ui::Zorbal& window, int windowWidth) {
    return lessonDigest(window, windowWidth, surfaceDigest(window.pctXYGraph),
                        surfaceDigest(window.pctVTgraph));
}

std::uint64_t lessonDigest(const ui::Zorbal& w, int windowWidth, std::uint64_t trajectoryDigest,
                           std::uint64_t velocityDigest) {
    Digest digest;
    digest.add(static_cast<std::uint64_t>(w.LaunchCount));
    digest.add(static_cast<std::uint64_t>(w.SSTab1.Tab()));
    digest.add(static_cast<std::uint64_t>(windowWidth));
    // Every text box but the advice, which follows the mouse (not kept).
    for (const auto* boxes : {&w.txtInput, &w.txtOutput})
        for (const platform::TextBox& box : *boxes)
            digest.add(box.Text);
    for (const platform::TextBox& box : w.txtGraph)
        digest.add(box.Text);
    digest.add(w.txtCommentary.Text);
    digest.add(w.Text1.Text);
    for (const platform::CheckBox& check : w.chkOptions)
        digest.add(static_cast<std::uint64_t>(check.Value()));
    digest.add(static_cast<std::uint64_t>(w.optParachute.selected() + 1));
    const platform::Grid& grid = w.MSFlexGrid1;
    digest.add(static_cast<std::uint64_t>(grid.Rows()));
    digest.add(static_cast<std::uint64_t>(grid.Cols()));
    for (int r = 0; r < grid.Rows(); ++r)
        for (int c = 0; c < grid.Cols(); ++c) {
            const platform::GridCell& cell = grid.cell(r, c);
            digest.add(cell.text);
            digest.add(static_cast<std::uint64_t>(cell.backColor) << 32 | cell.foreColor);
            digest.add(static_cast<std::uint64_t>(cell.bold) << 8 |
                       static_cast<std::uint64_t>(cell.alignment));
        }
    digest.add(trajectoryDigest);
    digest.add(velocityDigest);
    return digest.value();
}

std::string Journal::text(const ui::Zorbal& window, int windowWidth) const {
    std::string out =
        "{\"zorbal\":\"lesson\",\"format\":" + std::to_string(kJournalFormat) + ",\"actions\":[";
    bool first = true;
    for (const JournalAction& action : m_actions) {
        out += first ? "[" : ",[";
        first = false;
        out += jsonString(action.event) + "," + jsonString(action.id) + ",";
        out += action.event == "pick" ? "\"" + base64Encode(action.value) + "\"" : jsonString(action.value);
        out += "]";
    }
    const std::uint64_t state = lessonDigest(window, windowWidth, graphDigest(0, window.pctXYGraph),
                                             graphDigest(1, window.pctVTgraph));
    out += "],\"launches\":" + std::to_string(window.LaunchCount) + ",\"state\":\"" + hex64(state) + "\"}";
    return out;
}

std::uint64_t Journal::graphDigest(std::size_t which, const platform::DrawingSurface& surface) const {
    // A long flight's graphs hold hundreds of thousands of points; typing changes none of them.
    GraphDigest& kept = m_graphDigests[which];
    if (kept.revision != surface.revision() + 1)
        kept = GraphDigest{surface.revision() + 1, surfaceDigest(surface)};
    return kept.digest;
}

// ---- reading ---------------------------------------------------------------------------------

namespace {

/// A strict reader of the JSON the journal is written in.
class Reader {
  public:
    explicit Reader(std::string_view text) : m_text(text) {}

    std::size_t position() const { return m_at; }
    /// The position of the next value, after any spaces.
    std::size_t valueStart() {
        space();
        return m_at;
    }
    bool atEnd() {
        space();
        return m_at == m_text.size();
    }
    bool take(char c) {
        space();
        if (m_at < m_text.size() && m_text[m_at] == c) {
            ++m_at;
            return true;
        }
        return false;
    }
    bool peek(char c) {
        space();
        return m_at < m_text.size() && m_text[m_at] == c;
    }

    bool string(std::string& out) {
        out.clear();
        if (!take('"'))
            return false;
        while (m_at < m_text.size()) {
            const char c = m_text[m_at++];
            if (c == '"')
                return true;
            if (static_cast<unsigned char>(c) < 0x20)
                return false;
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_at == m_text.size())
                return false;
            switch (m_text[m_at++]) {
            case '"':
                out += '"';
                break;
            case '\\':
                out += '\\';
                break;
            case '/':
                out += '/';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'n':
                out += '\n';
                break;
            case 'r':
                out += '\r';
                break;
            case 't':
                out += '\t';
                break;
            case 'u':
                if (!unicodeEscape(out))
                    return false;
                break;
            default:
                return false;
            }
        }
        return false;
    }

    bool integer(long long& value) {
        space();
        const std::size_t start = m_at;
        if (m_at < m_text.size() && m_text[m_at] == '-')
            ++m_at;
        const std::size_t digits = m_at;
        while (m_at < m_text.size() && m_text[m_at] >= '0' && m_text[m_at] <= '9')
            ++m_at;
        if (m_at == digits || m_at - digits > 15)
            return false;
        value = 0;
        for (std::size_t i = digits; i < m_at; ++i)
            value = value * 10 + (m_text[i] - '0');
        if (m_text[start] == '-')
            value = -value;
        return true;
    }

    /// Passes over any JSON value, at most `depth` arrays and objects deep.
    bool skipValue(int depth = 16) {
        if (depth == 0)
            return false;
        std::string ignored;
        if (peek('"'))
            return string(ignored);
        if (take('[')) {
            if (take(']'))
                return true;
            do {
                if (!skipValue(depth - 1))
                    return false;
            } while (take(','));
            return take(']');
        }
        if (take('{')) {
            if (take('}'))
                return true;
            do {
                if (!string(ignored) || !take(':') || !skipValue(depth - 1))
                    return false;
            } while (take(','));
            return take('}');
        }
        for (const std::string_view word : {"true", "false", "null"})
            if (m_text.substr(m_at, word.size()) == word) {
                m_at += word.size();
                return true;
            }
        return number();
    }

  private:
    void space() {
        while (m_at < m_text.size() &&
               (m_text[m_at] == ' ' || m_text[m_at] == '\t' || m_text[m_at] == '\n' || m_text[m_at] == '\r'))
            ++m_at;
    }
    bool number() {
        const std::size_t start = m_at;
        while (m_at < m_text.size() && std::strchr("+-0123456789.eE", m_text[m_at]) && m_text[m_at] != '\0')
            ++m_at;
        return m_at > start;
    }
    bool hex4(unsigned& value) {
        if (m_text.size() - m_at < 4)
            return false;
        value = 0;
        for (int i = 0; i < 4; ++i) {
            const char c = m_text[m_at++];
            const char* digit = std::strchr(kHexDigits, c >= 'A' && c <= 'F' ? c - 'A' + 'a' : c);
            if (!digit || c == '\0')
                return false;
            value = value * 16 + static_cast<unsigned>(digit - kHexDigits);
        }
        return true;
    }
    bool unicodeEscape(std::string& out) {
        unsigned code = 0;
        if (!hex4(code))
            return false;
        if (code >= 0xd800 && code < 0xdc00) {
            unsigned low = 0;
            if (m_text.substr(m_at, 2) != "\\u")
                return false;
            m_at += 2;
            if (!hex4(low) || low < 0xdc00 || low >= 0xe000)
                return false;
            code = 0x10000 + ((code - 0xd800) << 10) + (low - 0xdc00);
        } else if (code >= 0xdc00 && code < 0xe000) {
            return false;
        }
        auto put = [&out](unsigned byte) { out += static_cast<char>(byte); };
        if (code < 0x80) {
            put(code);
        } else if (code < 0x800) {
            put(0xc0 | code >> 6);
            put(0x80 | (code & 0x3f));
        } else if (code < 0x10000) {
            put(0xe0 | code >> 12);
            put(0x80 | (code >> 6 & 0x3f));
            put(0x80 | (code & 0x3f));
        } else {
            put(0xf0 | code >> 18);
            put(0x80 | (code >> 12 & 0x3f));
            put(0x80 | (code >> 6 & 0x3f));
            put(0x80 | (code & 0x3f));
        }
        return true;
    }

    std::string_view m_text;
    std::size_t m_at = 0;
};

bool readActions(std::string_view text, std::vector<JournalAction>& actions) {
    Reader reader(text);
    if (!reader.take('['))
        return false;
    if (reader.take(']'))
        return reader.atEnd();
    do {
        JournalAction action;
        if (!reader.take('[') || !reader.string(action.event) || !reader.take(',') ||
            !reader.string(action.id) || !reader.take(',') || !reader.string(action.value) ||
            !reader.take(']'))
            return false;
        if (action.event == "pick") {
            std::string bytes;
            if (!base64Decode(action.value, bytes))
                return false;
            action.value = std::move(bytes);
        }
        actions.push_back(std::move(action));
    } while (reader.take(','));
    return reader.take(']') && reader.atEnd();
}

bool readState(std::string_view text, std::uint64_t& state) {
    if (text.size() != 16)
        return false;
    state = 0;
    for (const char c : text) {
        const char* digit = std::strchr(kHexDigits, c);
        if (!digit || c == '\0')
            return false;
        state = state << 4 | static_cast<std::uint64_t>(digit - kHexDigits);
    }
    return true;
}

} // namespace

JournalContent readJournal(std::string_view text) {
    JournalContent content;
    if (text.size() > kMaxJournalBytes)
        return content;
    // The object's fields first, the actions only once the format is known to be this one.
    Reader reader(text);
    std::optional<std::string> kind, state;
    std::optional<long long> format, launches;
    std::optional<std::string_view> actions;
    if (!reader.take('{'))
        return content;
    if (!reader.take('}')) {
        do {
            std::string key;
            if (!reader.string(key) || !reader.take(':'))
                return content;
            const bool isRepeated = (key == "zorbal" && kind) || (key == "format" && format) ||
                                    (key == "launches" && launches) || (key == "state" && state) ||
                                    (key == "actions" && actions);
            if (isRepeated)
                return content;
            if (key == "zorbal" || key == "state") {
                std::string value;
                if (!reader.string(value))
                    return content;
                (key == "zorbal" ? kind : state) = std::move(value);
            } else if (key == "format" || key == "launches") {
                long long value = 0;
                if (!reader.integer(value))
                    return content;
                (key == "format" ? format : launches) = value;
            } else {
                const std::size_t start = reader.valueStart();
                if (!reader.skipValue())
                    return content;
                if (key == "actions")
                    actions = text.substr(start, reader.position() - start);
            }
        } while (reader.take(','));
        if (!reader.take('}'))
            return content;
    }
    if (!reader.atEnd() || kind != "lesson" || !format)
        return content;
    if (*format != kJournalFormat) {
        content.outcome = RestoreOutcome::OtherFormat;
        return content;
    }
    if (!actions || !launches || *launches < 0 || *launches > 1'000'000'000 || !state ||
        !readState(*state, content.state) || !readActions(*actions, content.actions)) {
        content.actions.clear();
        return content;
    }
    content.launches = static_cast<int>(*launches);
    content.outcome = RestoreOutcome::Restored;
    return content;
}

// ---- base64 ----------------------------------------------------------------------------------

namespace {
constexpr std::string_view kBase64 = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
}

std::string base64Encode(std::string_view bytes) {
    std::string out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        const std::size_t n = std::min<std::size_t>(3, bytes.size() - i);
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 3; ++k)
            group = group << 8 | (k < n ? static_cast<unsigned char>(bytes[i + k]) : 0u);
        for (std::size_t k = 0; k < 4; ++k)
            out += k <= n ? kBase64[group >> (18 - 6 * k) & 63] : '=';
    }
    return out;
}

bool base64Decode(std::string_view text, std::string& bytes) {
    bytes.clear();
    if (text.size() % 4 != 0)
        return false;
    for (std::size_t i = 0; i < text.size(); i += 4) {
        // Only the last group may end in one or two '='.
        std::size_t padding = 0;
        if (i + 4 == text.size() && text[i + 3] == '=')
            padding = text[i + 2] == '=' ? 2 : 1;
        std::uint32_t group = 0;
        for (std::size_t k = 0; k < 4 - padding; ++k) {
            const std::size_t digit = kBase64.find(text[i + k]);
            if (digit == std::string_view::npos)
                return false;
            group = group << 6 | static_cast<std::uint32_t>(digit);
        }
        group <<= 6 * padding;
        for (std::size_t k = 0; k < 3 - padding; ++k)
            bytes += static_cast<char>(group >> (16 - 8 * k) & 0xff);
    }
    return true;
}

} // namespace zorbal::web
