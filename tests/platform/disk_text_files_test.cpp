// SPDX-License-Identifier: MIT
// Files on disk: whole-file reading, and writing that never destroys the old file.
#include "platform/headless.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

namespace zorbal::platform {
namespace {

namespace fs = std::filesystem;

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

TEST(DiskTextFiles, RefusesFoldersDevicesAndReadOnlyFilesWithoutTouchingThem) {
    test::TempFolder folder;
    DiskTextFiles files;
    fs::create_directory(folder.path() / "sub");
    EXPECT_FALSE(files.write(folder.file("sub"), "x"));
    EXPECT_TRUE(fs::is_directory(folder.path() / "sub"));
    ASSERT_EQ(::mkfifo(folder.file("pipe").c_str(), 0600), 0);
    EXPECT_FALSE(files.write(folder.file("pipe"), "x"));
    EXPECT_EQ(folder.entries(), 2);
    if (::geteuid() == 0)
        GTEST_SKIP() << "running as root, which may write read-only files";
    const std::string target = folder.put("locked.txt", "keep");
    fs::permissions(target, fs::perms::owner_read);
    EXPECT_FALSE(files.write(target, "x"));
    EXPECT_EQ(folder.get("locked.txt"), "keep");
}

} // namespace
} // namespace zorbal::platform
