// SPDX-License-Identifier: MIT
// Services for running the window module without a display.
#include "platform/headless.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <system_error>

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

bool DiskTextFiles::read(const std::string& path, std::string& content) {
    namespace fs = std::filesystem;
    std::error_code error;
    if (!fs::is_regular_file(path, error))
        return false;
    const auto size = fs::file_size(path, error);
    constexpr std::uintmax_t kMaxBytes = 64u << 20;
    if (error || size > kMaxBytes)
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    content.assign(static_cast<std::size_t>(size), '\0');
    in.read(content.data(), static_cast<std::streamsize>(size));
    content.resize(static_cast<std::size_t>(in.gcount()));
    return !in.bad();
}

bool DiskTextFiles::write(const std::string& path, const std::string& content) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::path target(path);
    if (fs::is_directory(target, error))
        return false;
    const fs::path folder = target.has_parent_path() ? target.parent_path() : fs::path(".");
    std::random_device random;
    const fs::path temporary = folder / ("." + target.filename().string() + ".zorbal-" +
                                         std::to_string(random()) + ".tmp");
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        out.write(content.data(), static_cast<std::streamsize>(content.size()));
        out.flush();
        if (!out) {
            out.close();
            fs::remove(temporary, error);
            return false;
        }
    }
    // Keep the permissions of a file being replaced.
    if (fs::exists(target, error))
        fs::permissions(temporary, fs::status(target, error).permissions(), error);
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
    return true;
}

} // namespace zorbal::platform
