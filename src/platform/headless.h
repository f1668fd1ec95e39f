// SPDX-License-Identifier: MIT
// Services for running the window module without a display: the command-line tool and the tests.
#pragma once

#include "platform/services.h"

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <system_error>
#include <vector>

namespace zorbal::platform {

/// Records every message; optionally echoes it to standard error.
class RecordingMessageBox final : public MessageBox {
  public:
    explicit RecordingMessageBox(bool echoToStderr = false) : m_echo(echoToStderr) {}
    void show(std::string_view text) override;
    std::vector<std::string> messages;
    /// Runs after each message is recorded, as a user closing the box might trigger more work.
    std::function<void()> onShow;

  private:
    bool m_echo;
};

/// Runs queued actions when the program processes pending events, one batch per call, so tests
/// can click a button "while" an operation yields. Actions queued while a batch runs wait for
/// the next call.
class ScriptedEventPump final : public EventPump {
  public:
    void doEvents() override;
    void post(std::function<void()> action) { m_queue.push_back(std::move(action)); }
    /// Runs on every call, before the queued actions (e.g. a view refresh).
    std::function<void()> onEachCall;
    int calls = 0;

  private:
    std::deque<std::function<void()>> m_queue;
};

/// A clipboard held in memory. `failing` makes every set fail.
class MemoryClipboard final : public Clipboard {
  public:
    bool setText(const std::string& text) override;
    std::string text;
    bool failing = false;
    int sets = 0;
};

/// A file dialog that answers from a script: each show takes the next answer (a path, or
/// std::nullopt for a cancel). With no answers left it cancels.
class ScriptedFileDialog final : public FileDialog {
  public:
    bool showSave() override { return answer(true); }
    bool showOpen() override { return answer(false); }
    std::deque<std::optional<std::string>> answers;
    struct Use {
        bool save;
        std::string filter, fileName, initDir;
        int flags;
    };
    std::vector<Use> uses; ///< the settings at each show, for tests

  private:
    bool answer(bool save);
};

/// A window whose width is whatever was last set (optionally rounded to a pixel grid).
class FakeWindowFrame final : public WindowFrame {
  public:
    int outerWidthTwips() const override { return width; }
    void setOuterWidthTwips(int twips) override;
    int width = 15495;
    int roundTo = 1; ///< e.g. 15 to round to whole pixels at 96 dpi
};

class FixedProgramFolder final : public ProgramFolder {
  public:
    explicit FixedProgramFolder(std::string folder = ".") : m_folder(std::move(folder)) {}
    std::string path() const override { return m_folder; }

  private:
    std::string m_folder;
};

/// Files on disk. Reading takes a whole regular file (up to 64 MiB). Writing goes through
/// saveFileSafely (safe_file.h): the old file is replaced only by a complete new one, and a folder,
/// device or pipe, or an existing file the user may not write, is refused.
class DiskTextFiles final : public TextFiles {
  public:
    bool read(const std::string& path, std::string& content) override;
    bool write(const std::string& path, const std::string& content) override;
    /// Why the latest write failed; empty after a write that succeeded.
    std::error_code lastWriteError() const { return m_lastError; }

  private:
    std::error_code m_lastError;
};

/// A complete set of headless services, owned together.
struct HeadlessPlatform {
    explicit HeadlessPlatform(bool echoMessages = false) : messageBox(echoMessages) {}
    RecordingMessageBox messageBox;
    ScriptedEventPump eventPump;
    MemoryClipboard clipboard;
    ScriptedFileDialog fileDialog;
    FakeWindowFrame windowFrame;
    FixedProgramFolder programFolder;
    DiskTextFiles textFiles;

    Services services() {
        return Services{&messageBox,  &eventPump,     &clipboard, &fileDialog,
                        &windowFrame, &programFolder, &textFiles};
    }
};

} // namespace zorbal::platform
