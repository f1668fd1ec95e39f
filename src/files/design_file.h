// SPDX-License-Identifier: MIT
// Design files: the keyed text a design is saved as, and the reading of such a text back into
// the values the loader puts into the window.
#pragma once

#include "sim/limits.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace zorbal::files {

/// A design as the window shows it: the texts of the 14 input boxes as typed and the options.
struct DesignTexts {
    std::array<std::string, sim::kInputCount> inputs;
    bool railTicked = false;      ///< "Launch Rail" has the value 1
    bool parachuteTicked = false; ///< "Parachute" has the value 1
    bool triggerByAngle = true;   ///< the angle trigger is the selected option
};

/// The file's content: 16 lines of key, TAB and value, each ended by CR LF (the last one too).
/// Box texts are written character for character, except that a decimal comma is written as
/// "." (platform::decimalPointText), since the loader ends a field at a comma; the parachute line
/// holds the diameter only when the parachute is ticked, else "0".
std::string designFileText(const DesignTexts& design);

/// The largest design file the loader reads; a larger one, or one holding a NUL character, is
/// not a design file and is refused before anything is applied.
inline constexpr std::size_t kMaxDesignFileBytes = std::size_t{1} << 20;

/// The longest field the loader reads; a longer one makes the file unreadable.
inline constexpr std::size_t kMaxFieldLength = 32767;

/// Reads a design file's text field by field as the loader does: a field is the text up to the
/// next comma or line end (CR LF, LF or CR), leading blanks skipped. A UTF-8 byte-order mark at
/// the start, as some editors write, is skipped, so the first key is read.
class DesignFieldReader {
  public:
    explicit DesignFieldReader(std::string_view content);
    /// Reads the next field into `field`. Returns false when there is none left to read (so an
    /// empty text fails at its first read) or the field is longer than kMaxFieldLength.
    bool read(std::string& field);
    /// True once every character has been consumed.
    bool atEnd() const { return m_position >= m_content.size(); }
    /// When the last field read ended at a comma and the rest of its line holds no other comma:
    /// that rest, up to the line end (not yet read). std::nullopt otherwise.
    std::optional<std::string_view> commaTail() const;
    /// Reads past the commaTail() and its line end, if there is one.
    void skipCommaTail();

  private:
    std::string_view m_content;
    std::size_t m_position = 0;
    bool m_hasEndedAtComma = false;
};

/// True when the loader reads `content` to its end: not empty, within kMaxDesignFileBytes, no
/// NUL character, no field over kMaxFieldLength. A text that fails this is one "Load" refuses,
/// some of it perhaps applied first; a link's text is checked first so that none of it is.
bool readsWhole(std::string_view content);

/// What a field of a design file sets.
enum class DesignTarget {
    None,       ///< an unrecognised key: nothing
    InputBox,   ///< the text of txtInput(input)
    LaunchRail, ///< the launch rail option
    Parachute,  ///< the parachute option and the diameter box
    Trigger,    ///< the parachute trigger option
};

/// One field of a design file, understood.
struct DesignLine {
    DesignTarget target = DesignTarget::None;
    int input = -1;        ///< the box for InputBox (13 for Parachute)
    double value = 0;      ///< the leading number of the value text (0 if none)
    std::string valueText; ///< `value` as general text: "1.0" arrives as "1", "0.50" as "0.5"
    std::string rawValue;  ///< the text after the TAB, unchanged (the trigger reads it)
};

/// Understands one field: the key is recognised by its first three letters in any case; the
/// value is everything after the first TAB that follows the first character (the whole field
/// when there is none).
DesignLine parseDesignLine(std::string_view field);

/// A box's value that the field reading cut at a comma inside its number ("Volume\t1,5" is read
/// as "Volume\t1" and "5"), joined with the rest of its line `tail`: a decimal comma gives the
/// number it means ("1,5" arrives as "1.5"), a comma that may group thousands ("1,250") arrives
/// as written, so that the launch check asks which number is meant. std::nullopt when `line`
/// sets no box or its comma is no part of a number (the tail is then a field of its own).
std::optional<DesignLine> joinCommaValue(const DesignLine& line, std::string_view tail);

/// True when a trigger value selects the angle trigger ("Angle" in any case).
bool isAngleTrigger(std::string_view rawValue);

/// Looks up an environment variable; std::nullopt when it is not set.
using EnvironmentLookup = std::function<std::optional<std::string>(const char* name)>;

/// The environment of the process.
EnvironmentLookup processEnvironment();

/// The user's documents folder: XDG_DOCUMENTS_DIR (from the environment or the user-dirs.dirs
/// file), else "Documents" in the home folder (HOME, or USERPROFILE on Windows), else the home
/// folder; only folders that exist are chosen. Empty when none is known.
std::string documentsFolder(const EnvironmentLookup& environment);

/// The folder the design-file dialogs open in: "Water Rockets" beside the program when that
/// folder exists, else the user's documents folder (empty: the platform's choice).
std::string initialDesignFolder(const std::string& programFolder, const EnvironmentLookup& environment);

} // namespace zorbal::files
