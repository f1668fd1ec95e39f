// SPDX-License-Identifier: MIT
// The services the program needs from the window system, one small interface each.
#pragma once

#include <string>
#include <string_view>

namespace zorbal::platform {

/// Modal message box with only an OK button and the title "Zorbal".
class MessageBox {
  public:
    virtual ~MessageBox() = default;
    /// Shows `text` and returns when the user has closed the box.
    virtual void show(std::string_view text) = 0;
};

/// Processing pending window events once; queued handlers run to completion, nested in the caller.
class EventPump {
  public:
    virtual ~EventPump() = default;
    virtual void doEvents() = 0;
};

/// The system clipboard.
class Clipboard {
  public:
    virtual ~Clipboard() = default;
    /// Replaces the clipboard's contents with plain text. Returns false when the clipboard could
    /// not be set.
    virtual bool setText(const std::string& text) = 0;
};

/// The window's single file dialog. Its settings persist between uses.
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    std::string Filter;     ///< e.g. "text files(*.txt)"
    std::string FileName;   ///< proposed name in, chosen path out
    std::string InitDir;    ///< initial folder; empty for the platform's choice
    int Flags = 0;          ///< 2 = confirm before overwriting

    /// Shows the save dialog. Returns false when the user cancelled; then FileName is unchanged.
    virtual bool showSave() = 0;
    /// Shows the open dialog. Returns false when the user cancelled; then FileName is unchanged.
    virtual bool showOpen() = 0;
};

/// The outer size of the main window, in twips.
class WindowFrame {
  public:
    virtual ~WindowFrame() = default;
    virtual int outerWidthTwips() const = 0;
    /// Asks for a new outer width; the window system may round or refuse it.
    virtual void setOuterWidthTwips(int twips) = 0;
};

/// Where the program lives.
class ProgramFolder {
  public:
    virtual ~ProgramFolder() = default;
    /// The folder of the program's executable, without a trailing separator.
    virtual std::string path() const = 0;
};

/// Reading and writing whole text files. Writing replaces a file only once the new content is
/// complete, so a failed write leaves the old file as it was.
class TextFiles {
  public:
    virtual ~TextFiles() = default;
    /// Reads the whole file into `content`. Returns false when it cannot be read.
    virtual bool read(const std::string& path, std::string& content) = 0;
    /// Writes `content` as the file's new content. Returns false on any failure.
    virtual bool write(const std::string& path, const std::string& content) = 0;
};

/// The services passed to the window module. Every pointer is set (use the null services of
/// headless.h where a service is not wanted).
struct Services {
    MessageBox* messageBox = nullptr;
    EventPump* eventPump = nullptr;
    Clipboard* clipboard = nullptr;
    FileDialog* fileDialog = nullptr;
    WindowFrame* windowFrame = nullptr;
    ProgramFolder* programFolder = nullptr;
    TextFiles* textFiles = nullptr;
};

} // namespace zorbal::platform
