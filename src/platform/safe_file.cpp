// SPDX-License-Identifier: MIT
// Saving a whole file through a temporary file beside it, or in place when only the file itself
// may be written.
#include "platform/safe_file.h"

#include <array>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <random>
#include <vector>

#if defined(__unix__) || defined(__APPLE__)
#define ZORBAL_POSIX_FILES 1
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#else
#define ZORBAL_POSIX_FILES 0
#endif

namespace zorbal::platform {

namespace {

namespace fs = std::filesystem;

/// The largest existing file rewritten in place: its old content is held in memory meanwhile.
constexpr std::size_t kMaxInPlaceBytes = 256u << 20;

class SaveErrorCategory final : public std::error_category {
  public:
    const char* name() const noexcept override { return "zorbal.save"; }
    std::string message(int) const override { return "Not a regular file"; }
};

std::error_code lastSystemError() {
    return {errno != 0 ? errno : EIO, std::generic_category()};
}

std::error_code systemError(int code) {
    return {code, std::generic_category()};
}

// The temporary files being written, so that a signal ending the program can remove them. A slot
// holds a path owned by the save in progress; when all slots are taken the save goes unrecorded.
std::array<std::atomic<const char*>, 8> g_temporaryFiles{};

class TemporaryFileRecord {
  public:
    explicit TemporaryFileRecord(const std::string& path) {
        for (auto& slot : g_temporaryFiles) {
            const char* empty = nullptr;
            if (slot.compare_exchange_strong(empty, path.c_str())) {
                m_slot = &slot;
                return;
            }
        }
    }
    ~TemporaryFileRecord() {
        if (m_slot)
            m_slot->store(nullptr);
    }
    TemporaryFileRecord(const TemporaryFileRecord&) = delete;
    TemporaryFileRecord& operator=(const TemporaryFileRecord&) = delete;

  private:
    std::atomic<const char*>* m_slot = nullptr;
};

#if ZORBAL_POSIX_FILES

// Whether following the symbolic link `link`, found in `folder`, is refused: in a sticky folder
// everyone may write (as /tmp), a link is followed only when it belongs to the user or to the
// folder's owner. Anyone may plant a link there, and one of theirs must not turn the user's save
// into an overwrite of the user's files elsewhere (the rule of the kernel's protected_symlinks,
// kept here whether the system enables it or not). EACCES when refused.
std::error_code checkLinkOwner(const struct stat& link, const fs::path& folder) {
    struct stat info {};
    if (::stat(folder.empty() ? "." : folder.c_str(), &info) != 0)
        return lastSystemError();
    const bool shared = (info.st_mode & S_ISVTX) != 0 && (info.st_mode & S_IWOTH) != 0;
    if (shared && link.st_uid != ::geteuid() && link.st_uid != info.st_uid)
        return systemError(EACCES);
    return {};
}

// Resolves `path` to the file it names, following every symbolic link on the way (of a folder
// or of the file itself) as the system would when opening it, so that saving through a link
// replaces the linked file and keeps the link. A link that checkLinkOwner refuses, a loop
// (ELOOP) or a missing folder fails; a missing last name is fine (a new file, or the target of a
// dangling link). A trailing slash is kept, so that a file named as a folder still fails.
std::error_code resolveLinks(const fs::path& path, fs::path& target) {
    std::vector<fs::path> pending; // the names still to walk, the next one last
    const auto walkLater = [&pending](const fs::path& names) {
        const fs::path relative = names.relative_path();
        const std::vector<fs::path> parts(relative.begin(), relative.end());
        pending.insert(pending.end(), parts.rbegin(), parts.rend());
    };
    fs::path resolved = path.has_root_directory() ? fs::path("/") : fs::path();
    walkLater(path);
    int links = 0;
    while (!pending.empty()) {
        const fs::path name = pending.back();
        pending.pop_back();
        if (name.empty() || name == ".") {
            // "a/" or "a/.": `resolved` must be a folder, as the system requires.
            struct stat info {};
            if (!resolved.empty() && name.empty() && ::stat(resolved.c_str(), &info) == 0 &&
                !S_ISDIR(info.st_mode))
                return systemError(ENOTDIR);
            continue;
        }
        if (name == "..") {
            // `resolved` holds no links, so its parent is the physical one.
            if (resolved.empty() || resolved.filename() == "..")
                resolved /= "..";
            else if (resolved != "/")
                resolved = resolved.parent_path();
            continue;
        }
        const fs::path next = resolved / name;
        struct stat info {};
        if (::lstat(next.c_str(), &info) != 0) {
            if (errno == ENOENT && pending.empty()) {
                resolved = next;
                break;
            }
            return lastSystemError();
        }
        if (!S_ISLNK(info.st_mode)) {
            resolved = next;
            continue;
        }
        if (++links > 40)
            return systemError(ELOOP);
        if (const std::error_code refused = checkLinkOwner(info, resolved))
            return refused;
        std::error_code error;
        const fs::path content = fs::read_symlink(next, error);
        if (error)
            return error;
        if (content.has_root_directory())
            resolved = "/";
        walkLater(content);
    }
    target = resolved.empty() ? fs::path(".") : resolved;
    if (!path.empty() && path.native().back() == '/')
        target /= "";
    return {};
}

#else

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

#endif

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

bool writeAll(int fd, std::string_view bytes, off_t offset) {
    while (!bytes.empty()) {
        const ssize_t written = ::pwrite(fd, bytes.data(), bytes.size(), offset);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (written == 0) {
            errno = EIO;
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
        offset += written;
    }
    return true;
}

// Writes all of `bytes` to a new file at `path` (which must not exist), with the permissions
// and, where allowed, the owner of `like` when that is set, and flushes it to the disk. The file
// is removed again when anything fails.
std::error_code writeNewFile(const fs::path& path, std::string_view bytes, const struct stat* like) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0)
        return lastSystemError();
    std::error_code error;
    if (like) {
        if (::fchmod(fd, like->st_mode & 07777) != 0)
            error = lastSystemError();
        // Keeping the owner needs root (or only changes the group); a new owner is harmless.
        const bool ownerKept = ::fchown(fd, like->st_uid, like->st_gid) == 0;
        (void)ownerKept;
    }
    if (!error && !writeAll(fd, bytes, 0))
        error = lastSystemError();
    if (!error && ::fsync(fd) != 0)
        error = lastSystemError();
    // close reports the errors of delayed writes (full disk, network file systems).
    if (::close(fd) != 0 && !error)
        error = lastSystemError();
    if (error)
        ::unlink(path.c_str());
    return error;
}

bool readAll(int fd, std::string& content) {
    char buffer[1 << 16];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (got == 0)
            return true;
        content.append(buffer, static_cast<std::size_t>(got));
        if (content.size() > kMaxInPlaceBytes) {
            errno = EFBIG;
            return false;
        }
    }
}

// Rewrites the existing regular file `target` with `bytes` through the same inode, as careful
// editors do when they may write the file but not its folder. The old content is kept in memory
// and written back when the new content cannot be completed.
std::error_code rewriteInPlace(const fs::path& target, std::string_view bytes) {
    const int fd = ::open(target.c_str(), O_RDWR | O_CLOEXEC | O_NOFOLLOW);
    if (fd < 0)
        return lastSystemError();
    struct stat info {};
    std::string old;
    std::error_code error;
    // Saves of the file at the same time take turns: each reads, rewrites and, if need be, restores
    // the whole file under the lock (released by close), so the file ends as one complete version
    // instead of a mixture of them. A file system without locks is written as before.
    int locked = 0;
    while ((locked = ::flock(fd, LOCK_EX)) != 0 && errno == EINTR) {
    }
    const bool lockFailed = locked != 0 && errno != ENOLCK && errno != EOPNOTSUPP && errno != EINVAL;
    if (lockFailed || ::fstat(fd, &info) != 0)
        error = lastSystemError();
    else if (!S_ISREG(info.st_mode))
        error = notARegularFileError();
    if (!error && !readAll(fd, old))
        error = lastSystemError();
    if (error) {
        ::close(fd);
        return error;
    }
    const auto oldSize = static_cast<off_t>(old.size());
    const auto newSize = static_cast<off_t>(bytes.size());
    // Reserve the space first: a full disk or a size limit then fails before a byte changes.
    if (newSize > oldSize) {
        const int reserved = ::posix_fallocate(fd, oldSize, newSize - oldSize);
        if (reserved != 0 && reserved != EOPNOTSUPP && reserved != EINVAL) {
            const bool sizeKept = ::ftruncate(fd, oldSize) == 0;
            (void)sizeKept;
            ::close(fd);
            return systemError(reserved);
        }
    }
    if (!writeAll(fd, bytes, 0) || ::ftruncate(fd, newSize) != 0 || ::fsync(fd) != 0) {
        error = lastSystemError();
        // Put the old content back; it fitted before, so this normally succeeds.
        const bool restored = writeAll(fd, old, 0) && ::ftruncate(fd, oldSize) == 0 && ::fsync(fd) == 0;
        (void)restored;
    }
    if (::close(fd) != 0 && !error)
        error = lastSystemError();
    return error;
}

bool refusesNewFiles(const std::error_code& error) {
    return error == std::errc::permission_denied || error == std::errc::operation_not_permitted;
}

#endif

} // namespace

std::error_code notARegularFileError() {
    static const SaveErrorCategory category;
    return {1, category};
}

std::error_code saveFileSafely(const std::string& path, std::string_view bytes) {
    if (path.empty())
        return systemError(ENOENT);
#if ZORBAL_POSIX_FILES
    fs::path target;
    if (const std::error_code refused = resolveLinks(fs::path(path), target))
        return refused;
#else
    fs::path target = followLinks(fs::path(path));
    if (target.empty())
        return systemError(ELOOP);
#endif
    if (!target.has_parent_path())
        target = fs::path(".") / target;
    std::error_code error;
    const fs::file_status status = fs::status(target, error);
    const bool exists = fs::exists(status);
    // Only a regular file is replaced: never a folder, a device or a pipe.
    if (fs::is_directory(status))
        return systemError(EISDIR);
    if (exists && !fs::is_regular_file(status))
        return notARegularFileError();

#if ZORBAL_POSIX_FILES
    struct stat old {};
    if (exists) {
        // A file the user may not write (read-only) is refused, as opening it for writing would be,
        // although the folder would allow replacing it.
        if (::access(target.c_str(), W_OK) != 0 || ::stat(target.c_str(), &old) != 0)
            return lastSystemError();
    }
    const struct stat* like = exists ? &old : nullptr;

    std::string temporary;
    error = systemError(EEXIST);
    for (unsigned attempt = 0; attempt < 8; ++attempt) {
        temporary = temporaryName(target, attempt).string();
        std::error_code ignored;
        if (fs::exists(fs::symlink_status(temporary, ignored)))
            continue;
        const TemporaryFileRecord record(temporary);
        error = writeNewFile(temporary, bytes, like);
        if (error == std::errc::file_exists)
            continue;
        if (!error && ::rename(temporary.c_str(), target.c_str()) != 0) {
            error = lastSystemError();
            ::unlink(temporary.c_str());
        }
        break;
    }
    // A folder that refuses new files (or, being sticky, the replacement of another user's file)
    // still lets the user write a file they may write.
    if (exists && refusesNewFiles(error))
        error = rewriteInPlace(target, bytes);
    if (error)
        return error;
    // Make the new name durable as well; a failure here no longer endangers either version.
    if (const int folder = ::open(target.parent_path().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
        folder >= 0) {
        (void)::fsync(folder);
        ::close(folder);
    }
    return {};
#else
    const fs::perms oldPermissions = status.permissions();
    if (exists && (oldPermissions & fs::perms::owner_write) == fs::perms::none)
        return systemError(EACCES);
    const fs::path temporary = temporaryName(target, 0);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (out.fail()) {
            fs::remove(temporary, error);
            return systemError(EIO);
        }
    }
    if (exists)
        fs::permissions(temporary, oldPermissions, error);
    fs::rename(temporary, target, error);
    if (error)
        fs::remove(temporary, error);
    return error;
#endif
}

#if ZORBAL_POSIX_FILES
namespace {

extern "C" void removeTemporaryFilesAndEnd(int signal) {
    for (auto& slot : g_temporaryFiles)
        if (const char* path = slot.load())
            ::unlink(path);
    // The handler was reset on entry (SA_RESETHAND): end as the signal would have.
    ::raise(signal);
}

} // namespace
#endif

void prepareSignalsForSaving() {
#if ZORBAL_POSIX_FILES
    std::signal(SIGXFSZ, SIG_IGN);
    // Every signal whose default action ends the program and that a user, a terminal, a time
    // limit or another program may send; those the program ignores or handles itself stay so.
    for (const int signal :
         {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGUSR1, SIGUSR2, SIGALRM, SIGXCPU, SIGVTALRM, SIGPROF}) {
        struct sigaction current {};
        if (::sigaction(signal, nullptr, &current) != 0 || (current.sa_flags & SA_SIGINFO) != 0 ||
            current.sa_handler != SIG_DFL)
            continue;
        struct sigaction action {};
        action.sa_handler = removeTemporaryFilesAndEnd;
        sigemptyset(&action.sa_mask);
        action.sa_flags = SA_RESETHAND | SA_NODEFER;
        ::sigaction(signal, &action, nullptr);
    }
#endif
}

} // namespace zorbal::platform
