// SPDX-License-Identifier: MIT
// Files on disk: whole-file reading, and writing that never destroys the old file.
#include "platform/headless.h"
#include "platform/safe_file.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <grp.h>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace zorbal::platform {
namespace {

namespace fs = std::filesystem;

constexpr int kCouldNotDrop = 254;
constexpr int kNotRegular = 253;

/// Saves `content` at `path` from a child process with no more rights than an ordinary user
/// (the user nobody when the tests run as root), under a file-size limit of `sizeLimit` bytes
/// (0: none), and returns the save's error; std::errc::not_supported when the child could not
/// give up its rights.
std::error_code saveAsOrdinaryUser(const std::string& path, const std::string& content,
                                   rlim_t sizeLimit = 0) {
    const passwd* nobody = ::getpwnam("nobody");
    const uid_t uid = nobody ? nobody->pw_uid : 0;
    const gid_t gid = nobody ? nobody->pw_gid : 0;
    const pid_t child = ::fork();
    if (child == 0) {
        if (::geteuid() == 0 &&
            (!nobody || ::setgroups(0, nullptr) != 0 || ::setgid(gid) != 0 || ::setuid(uid) != 0))
            ::_exit(kCouldNotDrop);
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = sizeLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        }
        const std::error_code error = saveFileSafely(path, content);
        ::_exit(!error ? 0 : error == notARegularFileError() ? kNotRegular : error.value() & 0xff);
    }
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

} // namespace
} // namespace zorbal::platform
