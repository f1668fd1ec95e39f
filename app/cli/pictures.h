// SPDX-License-Identifier: MIT
// zorbal-cli's pictures are drawn by a module of their own, zorbal-pictures.so, which holds Qt's
// painting and PNG encoding: the tool loads it (and Qt with it) only when a command asks for a
// picture, so every other command starts without loading Qt. This header is what the tool and
// the module share; it uses no Qt. Compiled only with the Qt layer (ZORBAL_CLI_PLOTS).
#pragma once

#include "explore/sweep_chart.h"
#include "platform/drawing_surface.h"

#include <functional>
#include <string>

namespace zorbal::cli {

/// Changes whenever PictureFunctions or what it passes changes; the tool refuses a module built
/// with another.
inline constexpr int kPictureInterface = 1;

/// Lays out a sweep chart, measuring its texts with `textWidth` (the painter's font).
using SweepChartLayout = std::function<explore::SweepChart(const explore::TextWidth& textWidth)>;

/// What the module draws. Each function returns the PNG file's bytes, or nothing when the
/// picture could not be made or encoded (too large for the memory left).
struct PictureFunctions {
    int interface = 0;        ///< kPictureInterface of the module's build
    const char* version = ""; ///< ZORBAL_VERSION of the module's build
    /// `surface` painted as the window paints it, into `width` x `height` pixels.
    std::string (*surfacePng)(const platform::DrawingSurface& surface, int width, int height) = nullptr;
    /// The chart `layout` lays out with the painter's text widths, painted at its own size.
    std::string (*sweepChartPng)(const SweepChartLayout& layout) = nullptr;
};

/// The module's file name, and its one exported function:
/// `extern "C" const PictureFunctions* zorbal_pictures()`.
inline constexpr const char* kPictureModuleName = "zorbal-pictures.so";
inline constexpr const char* kPictureEntryName = "zorbal_pictures";

/// The module's functions, loaded on the first call from the folder the tool is installed to use
/// it from (ZORBAL_PICTURES_DIR, relative to the tool's own folder) or, in a build tree, from the
/// tool's own folder. Null, with the reason in `why`, when it cannot be found or loaded; the
/// outcome of the first call holds for the run.
const PictureFunctions* loadPictures(std::string& why);

/// Writes a picture's PNG `bytes` (from the module; empty: it could not be made) to `file` with
/// the safe save every file of the tool goes through. Returns false, with a message on standard
/// error, when the picture was not written.
bool writePicture(const std::string& bytes, const std::string& file);

/// Says on standard error that the picture `file` cannot be drawn because of `why` (from
/// loadPictures), and returns false.
bool pictureModuleMissing(const std::string& file, const std::string& why);

} // namespace zorbal::cli
