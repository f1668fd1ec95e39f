// SPDX-License-Identifier: MIT
// The lesson the page keeps in the browser's storage: the user's actions of this session in
// order, which a new session replays to come back to exactly the same window after a reload.
//
// The window's state after a launch depends on much more than the design launched: the earlier
// launches drawn in blue, the history's marks against the launch before, a re-plot after a graph
// limit (which flies the boxes as they are then, counted or not), the options ticked meanwhile.
// Every one of them is the result of the handlers run on the user's actions, and the program is
// deterministic, so the actions themselves are the smallest record that gives all of it back
// without a second way of setting the window's state. Mouse movements only change the advice
// text and are left out; consecutive typing into one box is kept as its last text.
#pragma once

#include "ui/zorbal.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace zorbal::web {

/// One user action of a session: an event of Session::act, or a file the user picked ("pick",
/// with the file's name in `id` and its bytes in `value`).
struct JournalAction {
    std::string event;
    std::string id;
    std::string value;
    friend bool operator==(const JournalAction&, const JournalAction&) = default;
};

/// Why a kept lesson was not restored.
enum class RestoreOutcome : int {
    Restored = 0,
    OtherFormat = 1, ///< kept by a page with another journal format (older or newer)
    Damaged = 2,     ///< not a journal, or cut short or garbled
    Different = 3,   ///< replayed, but the lesson did not come out as it was kept
};

/// The journal's format number; a page refuses journals of any other.
inline constexpr int kJournalFormat = 1;
/// The longest journal text read, in bytes (a browser keeps a few million characters per site).
inline constexpr std::size_t kMaxJournalBytes = std::size_t{16} << 20;

/// The actions of one session, as a journal text.
///
/// The text is one JSON object: {"zorbal":"lesson","format":1,"actions":[[event,id,value],...],
/// "launches":N,"state":"<16 hex digits>"}, where "pick" actions carry the file's bytes in
/// base64, `launches` is LaunchCount and `state` is lessonDigest() after the last action, so that
/// a replay that does not come out the same is noticed.
class Journal {
  public:
    /// Adds a user action. Mouse movements, the launch buttons' "press" (its click follows and
    /// does all the launch does), copying a link (it changes nothing) and unloading the window
    /// are not kept; typing into the box
    /// typed into last replaces its kept text.
    void record(std::string_view event, std::string_view id, std::string_view value);
    /// Whether record() keeps actions of this event.
    static bool keeps(std::string_view event) {
        return event != "move" && event != "press" && event != "unload" && event != "copylink";
    }
    /// Adds a picked file. A file longer than any design file (files::kMaxDesignFileBytes), which
    /// "Load" refuses before it reads anything, is kept as a one-byte stand-in refused the same way.
    void recordPick(std::string_view name, std::string_view content);

    const std::vector<JournalAction>& actions() const { return m_actions; }
    /// Moves with every change of the actions.
    std::uint64_t revision() const { return m_revision; }

    /// The journal text of these actions leaving `window` as it is now.
    std::string text(const ui::Zorbal& window, int windowWidth) const;

  private:
    /// The digest of graph `which` (0 trajectory, 1 velocity), computed again only when the
    /// surface's revision has moved.
    std::uint64_t graphDigest(std::size_t which, const platform::DrawingSurface& surface) const;

    struct GraphDigest {
        std::uint64_t revision = 0; ///< the surface's revision + 1 (0: none yet)
        std::uint64_t digest = 0;
    };
    std::vector<JournalAction> m_actions;
    std::uint64_t m_revision = 0;
    mutable std::array<GraphDigest, 2> m_graphDigests{};
};

/// A journal text read back.
struct JournalContent {
    RestoreOutcome outcome = RestoreOutcome::Damaged; ///< Restored when the text was read
    std::vector<JournalAction> actions;               ///< "pick" values decoded to their bytes
    int launches = 0;
    std::uint64_t state = 0;
};

/// Reads a journal text; anything but a whole journal of kJournalFormat is refused as OtherFormat
/// (a well-formed journal of another format) or Damaged.
JournalContent readJournal(std::string_view text);

/// The display list of `surface` as 32-bit words, kDisplayListWords per entry: kind, period,
/// colour, fill, width, x1, y1, x2, y2, radius, aspect, start, end (floats as their bits), first,
/// count, then the colour and width of each of the four run styles. Two lists are the same
/// drawing when their words are.
inline constexpr std::size_t kDisplayListWords = 24;
void packDisplayList(const platform::DrawingSurface& surface, std::vector<std::uint32_t>& out);

/// A digest of what the lesson shows: the design boxes, the graph limits, the options, the
/// results, the commentary and the other texts but the advice, the selected tab, the window's
/// width, the launch count, the history grid and both graphs' display lists.
std::uint64_t lessonDigest(const ui::Zorbal& window, int windowWidth);
/// The same with the graphs' digests (surfaceDigest) given, as a caller that keeps them has them.
std::uint64_t lessonDigest(const ui::Zorbal& window, int windowWidth, std::uint64_t trajectoryDigest,
                           std::uint64_t velocityDigest);
/// A digest of one graph: its display list, background and points.
std::uint64_t surfaceDigest(const platform::DrawingSurface& surface);

/// `bytes` in base64 (RFC 4648, with padding), and back; decoding refuses anything else.
std::string base64Encode(std::string_view bytes);
bool base64Decode(std::string_view text, std::string& bytes);

} // namespace zorbal::web
