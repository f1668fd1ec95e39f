// SPDX-License-Identifier: MIT
// Services for running the window module without a display.
#include "platform/headless.h"

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#define ZORBAL_POSIX_FILES 1
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define ZORBAL_POSIX_FILES 0
#endif

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

// Follows a chain of symbolic links to the file they name, so that saving through a link
// replaces the linked file and keeps the link. Gives an empty path for a loop.
fs::path followLinks(fs::path path) {
    std::error_code error;
    for (int hops = 0; hops < 40; ++hops) {
        if (!fs::is_symlink(fs::symlink_status(path, error)))
            return path;
        const fs::path link = fs::read_symlink(path, error);
        if (error)
            return {};
        path = link.is_absolute() ? link : path.parent_path() / link;
    }
    return {};
}

// A name for the temporary file beside `target`, short enough for any file system.
fs::path temporaryName(const fs::path& target, unsigned attempt) {
    std::string base = target.filename().string();
    if (base.size() > 100)
        base.resize(100);
    std::random_device random;
    return target.parent_path() /
           ("." + base + ".zorbal-" + std::to_string(random()) + "-" + std::to_string(attempt) + ".tmp");
}

#if ZORBAL_POSIX_FILES
// Writes all of `content` to a new file at `path` (which must not exist), with the permissions
// and, where allowed, the owner of `like` when that exists, and flushes it to the disk.
bool writeNewFile(const fs::path& path, const std::string& content, const struct stat* like) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return false;
    bool ok = true;
    if (like) {
        ok = ::fchmod(fd, like->st_mode & 07777) == 0;
        // Keeping the owner needs root (or only changes the group); a new owner is harmless.
        const bool ownerKept = ::fchown(fd, like->st_uid, like->st_gid) == 0;
        (void)ownerKept;
    }
    const char* data = content.data();
    std::size_t left = content.size();
    while (ok && left > 0) {
        const ssize_t written = ::write(fd, data, left);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            ok = false;
            break;
        }
        data += written;
        left -= static_cast<std::size_t>(written);
    }
    ok = ok && ::fsync(fd) == 0;
    // close reports the errors of delayed writes (full disk, network file systems).
    ok = ::close(fd) == 0 && ok;
    return ok;
}
#else
bool writeNewFile(const fs::path& path, const std::string& content, const fs::perms* like) {
    std::error_code error;
    if (fs::exists(path, error))
        return false;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        return false;
    out.write(content.data(), static_cast<std::streamsize>(content.size()));
    out.close();
    if (out.fail())
        return false;
    if (like)
        fs::permissions(path, *like, error);
    return true;
}
#endif

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
    std::error_code error;
    if (path.empty())
        return false;
    fs::path target = followLinks(fs::path(path));
    if (target.empty())
        return false;
    if (!target.has_parent_path())
        target = fs::path(".") / target;
    const fs::file_status status = fs::status(target, error);
    const bool exists = fs::exists(status);
    // Only a regular file is replaced: never a folder, a device or a pipe.
    if (exists && !fs::is_regular_file(status))
        return false;

#if ZORBAL_POSIX_FILES
    struct stat old {};
    if (exists) {
        // A file the user may not write (read-only) is refused, as opening it for writing would be,
        // although the folder would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0 || ::stat(target.c_str(), &old) != 0)
            return false;
    }
    const struct stat* like = exists ? &old : nullptr;
#else
    const fs::perms oldPermissions = status.permissions();
    if (exists && (oldPermissions & fs::perms::owner_write) == fs::perms::none)
        return false;
    const fs::perms* like = exists ? &oldPermissions : nullptr;
#endif

    fs::path temporary;
    bool written = false;
    for (unsigned attempt = 0; attempt < 8 && !written; ++attempt) {
        temporary = temporaryName(target, attempt);
        if (fs::exists(fs::symlink_status(temporary, error)))
            continue;
        written = writeNewFile(temporary, content, like);
        if (!written) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            // A folder that refuses new files refuses them whatever the name.
            break;
        }
    }
    if (!written)
        return false;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return false;
    }
#if ZORBAL_POSIX_FILES
    // Make the new name durable as well; a failure here no longer endangers either version.
    if (const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
#endif
    return true;
}

} // namespace zorbal::platform
