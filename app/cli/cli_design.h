// SPDX-License-Identifier: MIT
// The design options every zorbal-cli command shares, applied to the window as a user would, and
// the commands that save designs and exports through the window's own buttons.
#pragma once

#include "platform/headless.h"
#include "ui/zorbal.h"

#include <CLI/CLI.hpp>

#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zorbal::cli {

struct DesignOptions {
    std::string designFile; ///< a design file loaded first, as "Load" does
    std::string link;       ///< or a link whose design is loaded first, as the page opens it
    /// The design file's bytes once read (readDesignFile): every window then gets the same design,
    /// even when the file is changed or removed meanwhile.
    std::optional<std::string> designFileText;
    std::vector<std::string> inputs; ///< "I=TEXT"
    std::optional<bool> rail;
    std::optional<bool> parachute;
    std::string trigger; ///< "angle", "time" or empty
};

/// Refuses an empty file name (a usage error), as no file can have it.
CLI::Validator nonEmptyFileName();

/// Adds --design, --link, --input, --rail/--no-rail, --parachute/--no-parachute and --trigger to `command`.
void addDesignOptions(CLI::App& command, DesignOptions& options);

/// Reads the --design file or the design of the --link, if one is given and not read yet, into
/// `options.designFileText`. Returns an error text when it cannot be read, or an empty string.
std::string readDesignFile(DesignOptions& options, platform::TextFiles& files);

/// Loads the --design file or the --link's design (its text once read, else the file through the
/// window's files, or the link decoded) through the design-file loader, then types the other options into the
/// window's boxes and options. Returns an error text for an unreadable design file or a malformed --input, or
/// an empty string.
std::string applyDesign(ui::Zorbal& window, const DesignOptions& options);

/// Reads the design options once and types them into a started window on headless services, as
/// a command does before flying many windows from them. Returns the first error text (an
/// unreadable design file or link, a malformed --input), or an empty string.
std::string checkDesign(DesignOptions& options);

/// ": " and the system's reason for `error` ("No space left on device"), or nothing when there
/// is no error, to end a line saying what could not be written.
std::string reasonSuffix(const std::error_code& error);

/// The link to `base` carrying the design of `window` as "Save" writes it, as the page's "Copy
/// Link" makes it; std::nullopt when the design is too large for a link.
std::optional<std::string> designLinkOf(const ui::Zorbal& window, const std::string& base);

/// What the tool says when memory ran out.
inline constexpr const char* kNotEnoughMemory = "Not enough memory";

/// A file a command writes, and the option that names it.
struct OutputFile {
    std::string option; ///< "--plot"
    std::string file;   ///< empty: not written
};

/// True when `a` and `b` name the same file: the same path once made absolute and normalised,
/// the same existing file (device and inode, so also through links), or the same name in the
/// same existing folder for files that do not exist yet.
bool isSameFile(const std::string& a, const std::string& b);

/// A usage error when two of `outputs` would write the same file, or one would write over the
/// --design file `designFile` (empty: none); an empty string when every file is its own.
std::string clashingFiles(const std::vector<OutputFile>& outputs, const std::string& designFile);

/// Writes the window's design as "Save" does to `file` ("-": standard output). Returns false
/// (the program's message has gone to standard error) when the file could not be written.
bool saveDesign(ui::Zorbal& window, platform::HeadlessPlatform& platform, const std::string& file);

/// Where `fly` writes the exports of its last launch; empty: not written, "-": standard output.
struct ExportOptions {
    std::string trajectory;
    std::string history;
    bool csv = false; ///< comma-separated, as with "Save files delimited by a comma" ticked

    bool writesToStdout() const { return trajectory == "-" || history == "-"; }
};

/// Adds --trajectory, --history and --csv to `command`.
void addExportOptions(CLI::App& command, ExportOptions& options);

/// An error text when the options cannot be honoured together (two exports, or an export and
/// the JSON report, on standard output), or an empty string.
std::string checkExportOptions(const ExportOptions& options, bool json);

/// Writes the exports through the window's "Save" buttons (files) or prints the text a saved
/// file would hold ("-"). Returns false when a file could not be written.
bool writeExports(ui::Zorbal& window, platform::HeadlessPlatform& platform, const ExportOptions& options);

} // namespace zorbal::cli
