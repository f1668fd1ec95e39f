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
    /// Clears the clipboard and puts `text` on it as plain text (bytes as the program holds them,
    /// UTF-8; line breaks CR LF). Returns false when the clipboard could not be set (another
    /// program holds it, or there is no clipboard on the desktop); the caller reports that.
    virtual bool setText(const std::string& text) = 0;
};

/// The window's single file dialog. Its four settings persist between uses: the program sets
/// some before each show and leaves the others as the last use left them.
class FileDialog {
  public:
    virtual ~FileDialog() = default;
    /// One filter entry written as the window shows it, e.g. "text files(*.txt)": the file
    /// pattern is the text inside the parentheses. The dialog offers that pattern (and may add
    /// "all files").
    std::string Filter;
    /// In: the proposed name, a bare file name (e.g. "Water Rocket 1.txt") shown in the name box
    /// in the initial folder. Out, after a show that returned true: the full path of the chosen
    /// file, used as typed (no extension is added).
    std::string FileName;
    /// The folder the dialog opens in. Empty: the platform's choice, normally where the dialog
    /// was last used. The dialog does not create it; when it does not exist the platform chooses.
    std::string InitDir;
    /// 2 = before a save to an existing file, ask the user to confirm overwriting it; declining
    /// returns to the dialog or counts as a cancel. Other bits are ignored.
    int Flags = 0;

    /// Shows the modal save dialog. Returns false when the user cancelled; then FileName is
    /// unchanged and the caller writes nothing.
    virtual bool showSave() = 0;
    /// Shows the modal open dialog for an existing file. Returns false when the user cancelled;
    /// then FileName is unchanged and the caller reads nothing.
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
    /// The folder of the program's executable, without a trailing separator. The design-file
    /// dialogs open in its "Water Rockets" folder when that exists, else in the user's documents
    /// folder (files::initialDesignFolder).
    virtual std::string path() const = 0;
};

/// Reading and writing whole text files, byte for byte (no line-end or character-set
/// translation). Writing replaces a file only once the new content is complete, so a failed write
/// leaves the old file as it was.
class TextFiles {
  public:
    virtual ~TextFiles() = default;
    /// Reads the whole file into `content`. Returns false when it cannot be read (missing, not a
    /// regular file, too large, a read error); `content` is then unchanged.
    virtual bool read(const std::string& path, std::string& content) = 0;
    /// Writes `content` as the file's new content, creating the file if needed. Returns false on
    /// any failure (a folder or non-writable target, a full disk, an error on closing); the old
    /// file, if any, is then untouched.
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
