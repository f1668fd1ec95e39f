// SPDX-License-Identifier: MIT
// Files on disk: whole-file reading, and writing that never destroys the old file.
#include "platform/headless.h"
#include "platform/safe_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#if defined(__linux__)
#include <poll.h>
#include <sys/inotify.h>
#include <sys/syscall.h>
#endif
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorbal::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kCouldNotDrop = 254;
constexpr int kNotRegular = 253;
constexpr int kThrew = 252;

/// Starts a child process with no more rights than an ordinary user (the user nobody when the
/// tests run as root) that exits with what `body` returns, or kCouldNotDrop.
pid_t startAsOrdinaryUser(const std::function<int()>& body) {
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 0;
    const gid_t gid = nobody ? nobody->pw_gid : 0;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(kCouldNotDrop);
        // Never back into the test program: an exception ends the child too.
        try {
            ::_exit(body());
        } catch (...) {
            ::_exit(kThrew);
        }
    }
    return child;
}

/// The exit status of a save: 0 for success, else the reason (kNotRegular or the errno).
int saveStatus(const std::error_code& error) {
    return !error ? 0 : error == notARegularFileError() ? kNotRegular : error.value() & 0xff;
}

/// The save error of a child started by startAsOrdinaryUser, from its exit status;
/// std::errc::not_supported when the child could not give up its rights.
std::error_code saveErrorOf(pid_t child) {
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return std::make_error_code(std::errc::io_error);
    switch (WEXITSTATUS(status)) {
    case 0:
        return {};
    case kCouldNotDrop:
        return std::make_error_code(std::errc::not_supported);
    case kNotRegular:
        return notARegularFileError();
    default:
        return {WEXITSTATUS(status), std::generic_category()};
    }
}

/// Saves `content` at `path` as an ordinary user (startAsOrdinaryUser), under a file-size limit of
/// `sizeLimit` bytes (0: none), and returns the save's error.
std::error_code saveAsOrdinaryUser(const std::string& path, const std::string& content,
                                   rlim_t sizeLimit = 0) {
    return saveErrorOf(startAsOrdinaryUser([&] {
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = sizeLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        return saveStatus(saveFileSafely(path, content));
    }));
}

constexpr fs::perms kReadOnlyFolder = fs::perms::owner_read | fs::perms::owner_exec | fs::perms::group_read |
                                      fs::perms::group_exec | fs::perms::others_read | fs::perms::others_exec;

TEST(DiskTextFiles, WritesAndReadsBytesUnchangedAndLeavesNoTemporaryFile) {
    test::TempFolder folder;
    DiskTextFiles files;
    const std::string content = std::string("a\tb\r\nc\nd\0e", 11) + std::string(200000, 'x');
    ASSERT_TRUE(files.write(folder.file("f.txt"), content));
    ASSERT_TRUE(files.write(folder.file("f.txt"), content + "more"));
    std::string read = "unchanged";
    ASSERT_TRUE(files.read(folder.file("f.txt"), read));
    EXPECT_EQ(read, content + "more");
    EXPECT_EQ(folder.entries(), 1);

    read = "unchanged";
    EXPECT_FALSE(files.read(folder.file("missing.txt"), read));
    EXPECT_FALSE(files.read(folder.path().string(), read));
    EXPECT_FALSE(files.read("", read));
    EXPECT_EQ(read, "unchanged");
    EXPECT_FALSE(files.write(folder.file("no such folder/f.txt"), content));
    EXPECT_FALSE(files.write("", content));
}

TEST(DiskTextFiles, ReplacingKeepsPermissionsAndSymbolicLinks) {
    test::TempFolder folder;
    DiskTextFiles files;
    const std::string target = folder.put("shared.txt", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    fs::create_symlink("shared.txt", folder.path() / "link.txt");
    ASSERT_TRUE(files.write(folder.file("link.txt"), "new"));
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.txt"));
    EXPECT_EQ(folder.get("shared.txt"), "new");
    EXPECT_EQ(fs::status(target).permissions(),
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
}

TEST(DiskTextFiles, RefusesFoldersDevicesAndReadOnlyFilesWithoutTouchingThemAndSaysWhy) {
    test::TempFolder folder;
    DiskTextFiles files;
    fs::create_directory(folder.path() / "sub");
    EXPECT_FALSE(files.write(folder.file("sub"), "x"));
    EXPECT_EQ(files.lastWriteError(), std::errc::is_a_directory);
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(files.write(folder.file("pipe"), "x"));
    EXPECT_EQ(files.lastWriteError(), notARegularFileError());
    EXPECT_EQ(files.lastWriteError().message(), "Not a regular file");
    EXPECT_TRUE(fs::is_fifo(folder.path() / "pipe"));
    EXPECT_FALSE(files.write(folder.file("missing/f.txt"), "x"));
    EXPECT_EQ(files.lastWriteError(), std::errc::no_such_file_or_directory);
    EXPECT_TRUE(files.write(folder.file("f.txt"), "x"));
    EXPECT_FALSE(files.lastWriteError());
    EXPECT_EQ(folder.entries(), 3);

    fs::permissions(folder.path(), fs::perms::all);
    const std::string target = folder.put("locked.txt", "keep");
    fs::permissions(target, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    const auto error = saveAsOrdinaryUser(target, "x");
    if (error == std::errc::not_supported)
        GTEST_SKIP() << "could not run as an ordinary user";
    EXPECT_EQ(error, std::errc::permission_denied);
    EXPECT_EQ(folder.get("locked.txt"), "keep");
    EXPECT_EQ(folder.entries(), 4);
}

TEST(DiskTextFiles, AWritableFileInAFolderThatRefusesNewFilesIsRewrittenInPlace) {
    test::TempFolder folder;
    const std::string target = folder.put("shared.txt", std::string(3000, 'o'));
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    fs::create_symlink("shared.txt", folder.path() / "link.txt");
    fs::permissions(folder.path(), kReadOnlyFolder);

    const auto shorter = saveAsOrdinaryUser(target, "shorter");
    if (shorter == std::errc::not_supported)
        GTEST_SKIP() << "could not run as an ordinary user";
    EXPECT_FALSE(shorter) << shorter.message();
    EXPECT_EQ(folder.get("shared.txt"), "shorter");
    const std::string longer(20000, 'n');
    EXPECT_FALSE(saveAsOrdinaryUser(folder.file("link.txt"), longer));
    EXPECT_EQ(folder.get("shared.txt"), longer);
    EXPECT_TRUE(fs::is_symlink(folder.path() / "link.txt"));

    // New content that cannot be completed leaves the old content, and no other file.
    EXPECT_EQ(saveAsOrdinaryUser(target, std::string(100000, 'x'), 50000), std::errc::file_too_large);
    EXPECT_EQ(folder.get("shared.txt"), longer);
    // A file that does not exist yet cannot be made there.
    EXPECT_EQ(saveAsOrdinaryUser(folder.file("new.txt"), "x"), std::errc::permission_denied);
    EXPECT_EQ(folder.entries(), 2);
    EXPECT_EQ(fs::status(target).permissions() & fs::perms::others_write, fs::perms::others_write);
}

TEST(DiskTextFiles, ConcurrentSavesInPlaceEndAsOneCompleteVersion) {
    test::TempFolder folder;
    const std::string target = folder.put("shared.txt", "old");
    fs::permissions(target, fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read |
                                fs::perms::group_write | fs::perms::others_read | fs::perms::others_write);
    fs::permissions(folder.path(), kReadOnlyFolder);
    // Versions of very different lengths, so an interleaving shows as a mixture, a stray tail or
    // a stretch of zeros.
    const std::vector<std::string> versions = {std::string(218, 'a'), std::string(1u << 20, 'b'),
                                               std::string(300000, 'c'), std::string(20000, 'd')};
    for (int round = 0; round < 40; ++round) {
        SCOPED_TRACE("round " + std::to_string(round));
        // The writers wait on a pipe and start together when it closes.
        int start[2];
        ASSERT_EQ(::pipe(start), 0);
        std::vector<pid_t> writers;
        for (const auto& version : versions)
            writers.push_back(startAsOrdinaryUser([&] {
                ::close(start[1]);
                char ignored = 0;
                (void)::read(start[0], &ignored, 1);
                for (int save = 0; save < 2; ++save)
                    if (const int status = saveStatus(saveFileSafely(target, version)); status != 0)
                        return status;
                return 0;
            }));
        ::close(start[0]);
        ::close(start[1]);
        for (const pid_t writer : writers) {
            const auto error = saveErrorOf(writer);
            if (error == std::errc::not_supported)
                GTEST_SKIP() << "could not run as an ordinary user";
            EXPECT_FALSE(error) << error.message();
        }
        const std::string content = folder.get("shared.txt");
        EXPECT_NE(std::find(versions.begin(), versions.end(), content), versions.end())
            << content.size() << " bytes, starting with " << content.substr(0, 1) << ", ending with "
            << (content.empty() ? std::string() : content.substr(content.size() - 1));
        EXPECT_EQ(folder.entries(), 1);
    }
}

TEST(DiskTextFiles, ALinkPlantedByAnotherUserInASharedFolderIsNotFollowed) {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        GTEST_SKIP() << "needs root, to give links to the user nobody";
    test::TempFolder folder;
    DiskTextFiles files;
    // A shared folder as /tmp is (sticky, everyone may write), a file of root's, and a folder only
    // root may enter.
    const auto [shared, victim, privateDir] = test::makeSharedFolderScene(folder);
    const auto plant = [&](const fs::path& link, const fs::path& to, uid_t owner) {
        fs::create_symlink(to, link);
        ASSERT_EQ(::lchown(link.c_str(), owner, owner == 0 ? 0 : nobody->pw_gid), 0);
    };
    plant(shared / "map.txt", victim, nobody->pw_uid);
    plant(shared / "new.txt", folder.path() / "private" / "new.txt", nobody->pw_uid);
    plant(shared / "folder", folder.path() / "private", nobody->pw_uid);
    plant(shared / "root's.txt", "map.txt", 0); // a link of root's onto the planted one

    for (const char* name : {"map.txt", "new.txt", "folder/new.txt", "root's.txt"}) {
        SCOPED_TRACE(name);
        EXPECT_FALSE(files.write((shared / name).string(), "replaced"));
        EXPECT_EQ(files.lastWriteError(), std::errc::permission_denied);
        EXPECT_EQ(files.lastWriteError().message(), "Permission denied");
    }
    EXPECT_EQ(folder.get("victim.txt"), "root's file");
    EXPECT_FALSE(fs::exists(folder.path() / "private" / "new.txt"));
    EXPECT_TRUE(fs::is_empty(folder.path() / "private"));
    EXPECT_EQ(std::distance(fs::directory_iterator(shared), fs::directory_iterator()), 4);

    // Links of the saving user or of the folder's owner, and links outside shared folders, are
    // followed as before: the linked file is replaced and the link kept.
    fs::remove(shared / "map.txt");
    plant(shared / "map.txt", victim, 0);
    EXPECT_TRUE(files.write((shared / "root's.txt").string(), "through root's links"));
    EXPECT_EQ(folder.get("victim.txt"), "through root's links");
    EXPECT_TRUE(fs::is_symlink(shared / "map.txt"));
    const fs::path ofNobody = folder.path() / "nobody's";
    fs::create_directory(ofNobody);
    fs::permissions(ofNobody, fs::perms::all | fs::perms::sticky_bit);
    ASSERT_EQ(::chown(ofNobody.c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    plant(ofNobody / "link.txt", victim, nobody->pw_uid);
    EXPECT_TRUE(files.write((ofNobody / "link.txt").string(), "through the owner's link"));
    EXPECT_EQ(folder.get("victim.txt"), "through the owner's link");
    plant(folder.path() / "plain.txt", victim, nobody->pw_uid);
    EXPECT_TRUE(files.write(folder.file("plain.txt"), "outside a shared folder"));
    EXPECT_EQ(folder.get("victim.txt"), "outside a shared folder");
    EXPECT_TRUE(fs::is_symlink(folder.path() / "plain.txt"));
}

#if defined(__linux__)
TEST(DiskTextFiles, EndingSignalsRemoveTheTemporaryFileOfASaveInProgress) {
    for (const int signal : {SIGTERM, SIGQUIT, SIGUSR1, SIGALRM}) {
        SCOPED_TRACE(::strsignal(signal));
        test::TempFolder folder;
        bool caught = false;
        // The save is stopped as soon as its temporary file appears; should it have finished
        // already, a longer one is tried.
        for (std::size_t size = 64u << 20; !caught && size <= (256u << 20); size *= 2) {
            const int watch = ::inotify_init1(IN_CLOEXEC);
            ASSERT_GE(watch, 0);
            ASSERT_GE(::inotify_add_watch(watch, folder.path().c_str(), IN_CREATE), 0);
            const pid_t child = ::fork();
            if (child == 0) {
                const rlimit noCore{};
                ::setrlimit(RLIMIT_CORE, &noCore);
                prepareSignalsForSaving();
                try {
                    ::_exit(saveFileSafely(folder.file("design.txt"), std::string(size, 'x')) ? 1 : 0);
                } catch (...) {
                    ::_exit(kThrew);
                }
            }
            ASSERT_GT(child, 0);
            // Wait for the temporary file to appear, or for the child to end without one.
            const int ended = static_cast<int>(::syscall(SYS_pidfd_open, child, 0));
            pollfd waits[2] = {{watch, POLLIN, 0}, {ended, POLLIN, 0}};
            const bool created =
                ::poll(waits, ended >= 0 ? 2 : 1, -1) > 0 && (waits[0].revents & POLLIN) != 0;
            ::close(watch);
            if (ended >= 0)
                ::close(ended);
            if (created)
                ::kill(child, SIGSTOP);
            int status = 0;
            const bool reaped = ::waitpid(child, &status, WUNTRACED) == child;
            if (reaped && WIFSTOPPED(status) && folder.entries() == 1 &&
                !fs::exists(folder.file("design.txt"))) {
                caught = true;
                ::kill(child, signal);
                ::kill(child, SIGCONT);
                ASSERT_EQ(::waitpid(child, &status, 0), child);
                ASSERT_TRUE(WIFSIGNALED(status)) << "the signal did not end the program";
                EXPECT_EQ(WTERMSIG(status), signal);
                EXPECT_EQ(folder.entries(), 0) << "the temporary file was left behind";
            } else if (reaped && WIFSTOPPED(status)) {
                ::kill(child, SIGCONT);
                ASSERT_EQ(::waitpid(child, &status, 0), child);
            }
            ASSERT_TRUE(WIFSIGNALED(status) || (WIFEXITED(status) && WEXITSTATUS(status) == 0))
                << "the save failed";
            fs::remove(folder.file("design.txt"));
        }
        EXPECT_TRUE(caught) << "every save finished before it could be stopped";
    }
}
#endif

} // namespace
} // namespace zorbal::platform
