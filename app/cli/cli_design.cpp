// SPDX-License-Identifier: MIT
// The design options every zorbal-cli command shares, and the design and export files.
#include "cli_design.h"

#include "files/design_link.h"
#include "files/export_text.h"
#include "ui/design_loader.h"

#include <charconv>
#include <filesystem>
#include <iostream>
#include <sys/stat.h>

namespace zorbal::cli {

CLI::Validator nonEmptyFileName() {
    return CLI::Validator(
        [](const std::string& text) {
            return text.empty() ? std::string("the file name is empty") : std::string();
        },
        "");
}

std::string reasonSuffix(const std::error_code& error) {
    return error ? ": " + error.message() : std::string();
}

bool isSameFile(const std::string& a, const std::string& b) {
    namespace fs = std::filesystem;
    const auto normal = [](const std::string& path) {
        std::error_code error;
        const fs::path absolute = fs::absolute(path, error);
        return (error ? fs::path(path) : absolute).lexically_normal();
    };
    if (normal(a) == normal(b))
        return true;
    const auto sameNode = [](const fs::path& x, const fs::path& y) {
        struct stat first {};
        struct stat second {};
        return ::stat(x.c_str(), &first) == 0 && ::stat(y.c_str(), &second) == 0 &&
               first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    };
    std::error_code error;
    const bool aExists = fs::exists(a, error);
    const bool bExists = fs::exists(b, error);
    if (aExists || bExists)
        return aExists && bExists && sameNode(a, b);
    const fs::path pathA(a), pathB(b);
    const auto folder = [](const fs::path& path) {
        return path.has_parent_path() ? path.parent_path() : fs::path(".");
    };
    return pathA.filename() == pathB.filename() && sameNode(folder(pathA), folder(pathB));
}

std::string clashingFiles(const std::vector<OutputFile>& outputs, const std::string& designFile) {
    for (auto output = outputs.begin(); output != outputs.end(); ++output) {
        if (output->file.empty())
            continue;
        if (!designFile.empty() && isSameFile(output->file, designFile))
            return output->option + " cannot write over the --design file \"" + output->file + "\"";
        for (auto other = outputs.begin(); other != output; ++other) {
            if (!other->file.empty() && isSameFile(other->file, output->file))
                return other->option + " and " + output->option + " cannot both write \"" + output->file +
                       "\"";
        }
    }
    return {};
}

void addDesignOptions(CLI::App& command, DesignOptions& options) {
    auto* file =
        command.add_option("--design", options.designFile, "Load a design file first, as \"Load\" does")
            ->type_name("FILE")
            ->check(nonEmptyFileName());
    command
        .add_option("--link", options.link,
                    "Load the design a link carries first, as opening the link in the page does")
        ->type_name("URL")
        ->excludes(file);
    command
        .add_option("--input", options.inputs, "Set the text of input box I (0..13) exactly as typed: I=TEXT")
        ->type_name("I=TEXT");
    auto* rail = command.add_flag_callback(
        "--rail", [&options] { options.rail = true; }, "Tick \"Launch Rail\"");
    auto* noRail = command.add_flag_callback(
        "--no-rail", [&options] { options.rail = false; }, "Clear \"Launch Rail\"");
    rail->excludes(noRail);
    auto* chute = command.add_flag_callback(
        "--parachute", [&options] { options.parachute = true; }, "Tick \"Parachute\"");
    auto* noChute = command.add_flag_callback(
        "--no-parachute", [&options] { options.parachute = false; }, "Clear \"Parachute\"");
    chute->excludes(noChute);
    command.add_option("--trigger", options.trigger, "Parachute trigger option")
        ->check(CLI::IsMember({"angle", "time"}));
}

namespace {

std::string cannotOpen(const DesignOptions& options) {
    return "--design \"" + options.designFile + "\": " + ui::kCannotOpenDesign;
}

/// The design text of the --link into `text`; an error text when it carries none that "Load"
/// reads to its end.
std::string readLink(const std::string& link, std::string& text) {
    files::DesignLinkReading reading = files::readDesignLink(link);
    if (reading.content == files::LinkContent::NotADesign)
        return "--link: the link carries no Zorbal design";
    if (reading.content == files::LinkContent::Damaged || !files::readsWhole(reading.designText))
        return std::string("--link: ") + ui::kCannotOpenDesign;
    text = std::move(reading.designText);
    return {};
}

} // namespace

std::string readDesignFile(DesignOptions& options, platform::TextFiles& files) {
    if (options.designFileText)
        return {};
    if (!options.link.empty()) {
        std::string text;
        if (auto error = readLink(options.link, text); !error.empty())
            return error;
        options.designFileText = std::move(text);
        return {};
    }
    if (options.designFile.empty())
        return {};
    std::string content;
    if (!files.read(options.designFile, content))
        return cannotOpen(options);
    options.designFileText = std::move(content);
    return {};
}

std::string checkDesign(DesignOptions& options) {
    platform::HeadlessPlatform platform;
    ui::Zorbal window(platform.services());
    window.Form_Load();
    if (auto error = readDesignFile(options, platform.textFiles); !error.empty())
        return error;
    return applyDesign(window, options);
}

std::string applyDesign(ui::Zorbal& window, const DesignOptions& options) {
    if (!options.link.empty()) {
        std::string text;
        if (!options.designFileText)
            if (auto error = readLink(options.link, text); !error.empty())
                return error;
        ui::applyDesignFile(window, options.designFileText ? *options.designFileText : text);
    } else if (!options.designFile.empty()) {
        std::string read;
        const bool isRead =
            options.designFileText || window.services().textFiles->read(options.designFile, read);
        if (!isRead || !ui::applyDesignFile(window, options.designFileText ? *options.designFileText : read))
            return cannotOpen(options);
    }
    for (const auto& assignment : options.inputs) {
        const auto equals = assignment.find('=');
        int index = -1;
        if (equals != std::string::npos) {
            const char* first = assignment.data();
            const auto [end, error] = std::from_chars(first, first + equals, index);
            if (error != std::errc{} || end != first + equals)
                index = -1;
        }
        if (index < 0 || index >= sim::kInputCount)
            return "--input takes I=TEXT with I from 0 to 13, not \"" + assignment + "\"";
        window.txtInput[static_cast<std::size_t>(index)].Text = assignment.substr(equals + 1);
    }
    if (options.rail)
        window.chkOptions[2].setValue(*options.rail ? 1 : 0);
    if (options.parachute)
        window.chkOptions[3].setValue(*options.parachute ? 1 : 0);
    if (options.trigger == "angle")
        window.optParachute.select(0);
    else if (options.trigger == "time")
        window.optParachute.select(1);
    return {};
}

std::optional<std::string> designLinkOf(const ui::Zorbal& window, const std::string& base) {
    return files::designLink(base, files::designFileText(ui::designTexts(window)));
}

namespace {

// Presses a save button with the dialog answering `file`; false when the program showed its
// saving message.
bool saveThroughDialog(platform::HeadlessPlatform& platform, const std::string& file,
                       void (ui::Zorbal::*button)(), ui::Zorbal& window) {
    const auto before = platform.messageBox.messages.size();
    platform.fileDialog.answers.emplace_back(file);
    (window.*button)();
    platform.fileDialog.answers.clear();
    if (platform.messageBox.messages.size() == before)
        return true;
    std::cerr << "zorbal-cli: could not write \"" << file << "\""
              << reasonSuffix(platform.textFiles.lastWriteError()) << "\n";
    return false;
}

} // namespace

bool saveDesign(ui::Zorbal& window, platform::HeadlessPlatform& platform, const std::string& file) {
    if (file == "-") {
        std::cout << files::designFileText(ui::designTexts(window)) << std::flush;
        return true;
    }
    return saveThroughDialog(platform, file, &ui::Zorbal::cmdSave_Click, window);
}

void addExportOptions(CLI::App& command, ExportOptions& options) {
    command
        .add_option("--trajectory", options.trajectory,
                    "Save the trajectory of the last launch (- for stdout)")
        ->type_name("FILE|-")
        ->check(nonEmptyFileName());
    command.add_option("--history", options.history, "Save the launch history table (- for stdout)")
        ->type_name("FILE|-")
        ->check(nonEmptyFileName());
    command.add_flag("--csv", options.csv, "Separate the exported columns by commas instead of TABs");
}

std::string checkExportOptions(const ExportOptions& options, bool json) {
    if (options.trajectory == "-" && options.history == "-")
        return "--trajectory and --history cannot both write to standard output";
    if (json && options.writesToStdout())
        return "--json cannot be combined with an export to standard output";
    return {};
}

bool writeExports(ui::Zorbal& window, platform::HeadlessPlatform& platform, const ExportOptions& options) {
    if (options.csv)
        window.chkOptions[1].setValue(1);
    const char separator = files::exportSeparator(window.chkOptions[1].Value());
    bool ok = true;
    if (options.trajectory == "-") {
        const auto& slot = window.TrajectoryData.slot(window.CurrentSlot());
        std::cout << files::exportFileContent(files::trajectoryExportText(slot, separator)) << std::flush;
    } else if (!options.trajectory.empty()) {
        ok = saveThroughDialog(platform, options.trajectory, &ui::Zorbal::cmdSaveTraj_Click, window) && ok;
    }
    if (options.history == "-") {
        std::cout << files::exportFileContent(
                         files::historyExportText(window.MSFlexGrid1, window.LaunchCount, separator))
                  << std::flush;
    } else if (!options.history.empty()) {
        ok = saveThroughDialog(platform, options.history, &ui::Zorbal::cmdSaveHistory_Click, window) && ok;
    }
    return ok;
}

} // namespace zorbal::cli
