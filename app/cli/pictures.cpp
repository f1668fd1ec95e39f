// SPDX-License-Identifier: MIT
// Finding and loading zorbal-pictures.so, and writing the pictures it draws.
#include "pictures.h"

#include "cli_design.h"
#include "platform/safe_file.h"
#include "zorbal_version.h"

#include <dlfcn.h>

#include <cstring>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <vector>

namespace zorbal::cli {

namespace {

namespace fs = std::filesystem;

struct Loaded {
    const PictureFunctions* functions = nullptr;
    std::string why;
};

/// The folders the module may be in, in the order they are tried: where the package installs it
/// (relative to the tool's folder), then the tool's own folder, where the build puts it.
std::vector<fs::path> moduleFolders(std::string& why) {
    std::error_code error;
    // The tool's own file, with every link resolved: the module belongs to this copy of the tool.
    const fs::path tool = fs::read_symlink("/proc/self/exe", error);
    if (error) {
        why = "the folder of zorbal-cli could not be found (" + error.message() + ")";
        return {};
    }
    const fs::path folder = tool.parent_path();
    return {(folder / ZORBAL_PICTURES_DIR).lexically_normal(), folder};
}

Loaded load() {
    Loaded loaded;
    const auto folders = moduleFolders(loaded.why);
    if (folders.empty())
        return loaded;
    fs::path module;
    for (const auto& folder : folders) {
        std::error_code error;
        if (fs::exists(folder / kPictureModuleName, error)) {
            module = folder / kPictureModuleName;
            break;
        }
    }
    if (module.empty()) {
        loaded.why = std::string(kPictureModuleName) + ", which draws the pictures, is in neither " +
                     folders[0].string() + " nor " + folders[1].string();
        return loaded;
    }
    auto cannotLoad = [&module](const std::string& reason) {
        return module.string() + ", which draws the pictures, could not be loaded: " + reason;
    };
    // Loaded for the rest of the run, its symbols kept to itself.
    void* handle = ::dlopen(module.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle == nullptr) {
        const char* reason = ::dlerror();
        loaded.why = cannotLoad(reason != nullptr ? reason : "unknown failure");
        return loaded;
    }
    using Entry = const PictureFunctions* (*)();
    const auto entry = reinterpret_cast<Entry>(::dlsym(handle, kPictureEntryName));
    const PictureFunctions* functions = entry != nullptr ? entry() : nullptr;
    if (functions == nullptr || functions->interface != kPictureInterface ||
        std::strcmp(functions->version, ZORBAL_VERSION) != 0 || functions->surfacePng == nullptr ||
        functions->sweepChartPng == nullptr) {
        loaded.why = cannotLoad("it belongs to another version of zorbal-cli");
        return loaded;
    }
    loaded.functions = functions;
    return loaded;
}

} // namespace

const PictureFunctions* loadPictures(std::string& why) {
    static const Loaded loaded = load();
    why = loaded.why;
    return loaded.functions;
}

bool writePicture(const std::string& bytes, const std::string& file) {
    // A picture that could not be made or encoded in memory is too large for the memory left.
    if (bytes.empty()) {
        std::cerr << "Could not write the picture " << file << ": " << kNotEnoughMemory << "\n";
        return false;
    }
    const auto error = platform::saveFileSafely(file, bytes);
    if (!error)
        return true;
    std::cerr << "Could not write the picture " << file << reasonSuffix(error) << "\n";
    return false;
}

bool pictureModuleMissing(const std::string& file, const std::string& why) {
    std::cerr << "Could not write the picture " << file << ": " << why << "\n";
    return false;
}

} // namespace zorbal::cli
