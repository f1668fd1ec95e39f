// SPDX-License-Identifier: MIT
// A fresh folder for a test's files, removed with everything in it at the end of the test.
#pragma once

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace zorbal::test {

class TempFolder {
  public:
    TempFolder() {
        std::random_device random;
        m_path = std::filesystem::temp_directory_path() / ("zorbal-files-" + std::to_string(random()));
        std::filesystem::create_directories(m_path);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::permissions(m_path, std::filesystem::perms::owner_all, ignored);
        std::filesystem::remove_all(m_path, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return m_path; }
    std::string file(const std::string& name) const { return (m_path / name).string(); }

    /// Writes `content` to `name` byte for byte and returns its path.
    std::string put(const std::string& name, const std::string& content) const {
        std::ofstream(m_path / name, std::ios::binary) << content;
        return file(name);
    }
    /// The bytes of `name`.
    std::string get(const std::string& name) const {
        std::ifstream in(m_path / name, std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }
    /// The number of entries in the folder (temporary files left behind show up here).
    int entries() const {
        int count = 0;
        for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(m_path))
            ++count;
        return count;
    }

  private:
    std::filesystem::path m_path;
};

/// The scene of links planted by another user, inside `folder`: a shared folder as /tmp is
/// (sticky, everyone may write), a file of the running user's and a folder only that user may
/// enter.
struct SharedFolderScene {
    std::filesystem::path shared;     ///< "shared", mode 1777
    std::string victim;               ///< "victim.txt", holding "root's file"
    std::filesystem::path privateDir; ///< "private", mode 0700
};

inline SharedFolderScene makeSharedFolderScene(const TempFolder& folder) {
    namespace fs = std::filesystem;
    SharedFolderScene scene{folder.path() / "shared", folder.put("victim.txt", "root's file"),
                            folder.path() / "private"};
    fs::create_directory(scene.shared);
    fs::permissions(scene.shared, fs::perms::all | fs::perms::sticky_bit);
    fs::create_directory(scene.privateDir);
    fs::permissions(scene.privateDir, fs::perms::owner_all);
    return scene;
}

} // namespace zorbal::test
