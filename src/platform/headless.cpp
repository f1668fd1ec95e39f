// SPDX-License-Identifier: MIT
// Services for running the window module without a display.
#include "platform/headless.h"

#include "platform/safe_file.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>

namespace zorbal::platform {

void RecordingMessageBox::show(std::string_view text) {
    messages.emplace_back(text);
    if (m_echo)
        std::cerr << text << '\n';
    if (onShow)
        onShow();
}

void ScriptedEventPump::doEvents() {
    ++calls;
    if (onEachCall)
        onEachCall();
    auto batch = std::move(m_queue);
    m_queue.clear();
    for (auto& action : batch)
        action();
}

bool MemoryClipboard::setText(const std::string& newText) {
    ++sets;
    if (failing)
        return false;
    text = newText;
    return true;
}

bool ScriptedFileDialog::answer(bool save) {
    uses.push_back(Use{save, Filter, FileName, InitDir, Flags});
    if (answers.empty())
        return false;
    auto next = std::move(answers.front());
    answers.pop_front();
    if (!next)
        return false;
    FileName = *next;
    return true;
}

void FakeWindowFrame::setOuterWidthTwips(int twips) {
    width = roundTo > 1 ? (twips + roundTo / 2) / roundTo * roundTo : twips;
}

namespace {

namespace fs = std::filesystem;

constexpr std::uintmax_t kMaxReadBytes = 64u << 20;

} // namespace

bool DiskTextFiles::read(const std::string& path, std::string& content) {
    std::error_code error;
    if (path.empty() || !fs::is_regular_file(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // Read to the end rather than trusting the size, which may change meanwhile.
    std::string text;
    char buffer[1 << 16];
    while (in) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<std::size_t>(in.gcount()));
        if (text.size() > kMaxReadBytes)
            return false;
    }
    if (in.bad())
        return false;
    content = std::move(text);
    return true;
}

bool DiskTextFiles::write(const std::string& path, const std::string& content) {
    m_lastError = saveFileSafely(path, content);
    return !m_lastError;
}

} // namespace zorbal::platform
