// SPDX-License-Identifier: MIT
// Design files, trajectory and history exports, commentary copy: the window's handlers.
#include "files/design_file.h"
#include "files/design_link.h"
#include "files/export_text.h"
#include "platform/number_text.h"
#include "ui/design_loader.h"
#include "ui/zorbal.h"

#include <exception>
#include <string>
#include <utility>

namespace zorbal::files {

namespace {

constexpr int kConfirmOverwrite = 2;
constexpr const char* kTextFilter = "text files(*.txt)";
constexpr const char* kCommaFilter = "comma separated variable files(*.csv)";

constexpr const char* kSaveProblem =
    "There was a problem saving this file. Possibly the file is in use by another "
    "application. \r\nTry saving the file with a different name.";
constexpr const char* kSaveHistoryProblem =
    "There was a problem saving this file. Possibly the file is in use by "
    "another application...? \r\nTry saving the file with a different name.";
constexpr const char* kCannotOpen = ui::kCannotOpenDesign;
constexpr const char* kLinkCopied =
    "A link to this design has been copied to the clipboard.\r\nOpening the link shows the design in Zorbal.";
constexpr const char* kLinkTooLong = "This design is too large to be shared as a link.";
constexpr const char* kPasteAdvice =
    "They can be pasted into a spreadsheet or word processing package for analysis.";
// The window system may refuse the clipboard (another program holds it, or there is no
// clipboard owner on the desktop); the user must know the text did not arrive.
constexpr const char* kClipboardProblem =
    "The text could not be placed on the clipboard. Possibly the clipboard is "
    "in use by another application. \r\nPlease try again.";

/// Shows " Busy..." on a button and disables it; restores its caption and enables it when the
/// operation ends, however it ends.
class BusyButton {
  public:
    BusyButton(platform::Button& button, const char* restingCaption)
        : m_button(button), m_caption(restingCaption) {
        m_button.Caption = " Busy...";
        m_button.Enabled = false;
    }
    ~BusyButton() {
        m_button.Caption = m_caption;
        m_button.Enabled = true;
    }
    BusyButton(const BusyButton&) = delete;
    BusyButton& operator=(const BusyButton&) = delete;

  private:
    platform::Button& m_button;
    const char* m_caption;
};

std::string copiedMessage(long long count, bool comma, const char* what) {
    return platform::integerText(count) + "  " + what + " have been copied to the clipboard in a " +
           (comma ? "comma separated varaiables (.csv) file format." : "tab-delimited file format.") +
           "\r\n" + kPasteAdvice;
}

/// What both save buttons do with an export: it goes to the clipboard as well, then the save
/// dialog offers `name` with the extension of the separator; `problem` is shown when the file
/// cannot be written.
void saveExport(platform::Services& services, char separator, const char* name, const char* problem,
                std::string text) {
    const bool comma = separator == kCommaSeparator;
    auto& dialog = *services.fileDialog;
    dialog.Filter = comma ? kCommaFilter : kTextFilter;
    if (!services.clipboard->setText(text))
        services.messageBox->show(kClipboardProblem);
    try {
        dialog.Flags = kConfirmOverwrite;
        dialog.FileName = std::string(name) + (comma ? ".csv" : ".txt");
        if (!dialog.showSave())
            return;
        if (!services.textFiles->write(dialog.FileName, exportFileContent(std::move(text))))
            services.messageBox->show(problem);
    } catch (const std::exception&) {
        services.messageBox->show(problem);
    }
}

} // namespace

} // namespace zorbal::files

namespace zorbal::ui {

void Zorbal::cmdSave_Click() {
    try {
        const std::string text = files::designFileText(designTexts(*this));
        auto& dialog = *m_services.fileDialog;
        dialog.Flags = files::kConfirmOverwrite;
        dialog.InitDir =
            files::initialDesignFolder(m_services.programFolder->path(), files::processEnvironment());
        dialog.Filter = files::kTextFilter;
        dialog.FileName = "Water Rocket 1.txt";
        if (!dialog.showSave())
            return;
        if (!m_services.textFiles->write(dialog.FileName, text))
            MsgBox(files::kSaveProblem);
    } catch (const std::exception&) {
        MsgBox(files::kSaveProblem);
    }
}

void Zorbal::cmdLoad_Click() {
    try {
        auto& dialog = *m_services.fileDialog;
        dialog.Filter = files::kTextFilter;
        dialog.InitDir =
            files::initialDesignFolder(m_services.programFolder->path(), files::processEnvironment());
        dialog.FileName = "Water Rocket 1.txt";
        if (!dialog.showOpen())
            return;
        openDesignFile(dialog.FileName);
    } catch (const std::exception&) {
        MsgBox(files::kCannotOpen);
    }
}

void Zorbal::openDesignFile(const std::string& path) {
    try {
        std::string content;
        if (!m_services.textFiles->read(path, content) || !applyDesignFile(*this, content))
            MsgBox(files::kCannotOpen);
    } catch (const std::exception&) {
        MsgBox(files::kCannotOpen);
    }
}

void Zorbal::cmdCopy_Click() {
    files::BusyButton busy(cmdCopy, "Copy");
    const char separator = files::exportSeparator(chkOptions[OptionCommaFiles].Value());
    const bool comma = separator == files::kCommaSeparator;
    const sim::TrajectorySlot& slot = TrajectoryData.slot(CurrentSlot());
    if (!m_services.clipboard->setText(files::trajectoryExportText(slot, separator))) {
        MsgBox(files::kClipboardProblem);
        return;
    }
    MsgBox(files::copiedMessage(slot.count(), comma, "trajectory data points"));
}

void Zorbal::cmdSaveTraj_Click() {
    files::BusyButton busy(cmdSaveTraj, "Save");
    const char separator = files::exportSeparator(chkOptions[OptionCommaFiles].Value());
    files::saveExport(m_services, separator, "Water Rocket Trajectory 1", files::kSaveProblem,
                      files::trajectoryExportText(TrajectoryData.slot(CurrentSlot()), separator));
}

void Zorbal::cmdCopyHistory_Click() {
    files::BusyButton busy(cmdCopyHistory, "Copy");
    const char separator = files::exportSeparator(chkOptions[OptionCommaFiles].Value());
    const bool comma = separator == files::kCommaSeparator;
    const std::string text = files::historyExportText(MSFlexGrid1, LaunchCount, separator);
    if (!m_services.clipboard->setText(text)) {
        MsgBox(files::kClipboardProblem);
        return;
    }
    MsgBox(files::copiedMessage(LaunchCount, comma, "launch records"));
}

void Zorbal::cmdSaveHistory_Click() {
    files::BusyButton busy(cmdSaveHistory, "Save");
    const char separator = files::exportSeparator(chkOptions[OptionCommaFiles].Value());
    files::saveExport(m_services, separator, "Launch Data 1", files::kSaveHistoryProblem,
                      files::historyExportText(MSFlexGrid1, LaunchCount, separator));
}

void Zorbal::copyDesignLink(std::string_view base) {
    const auto link = files::designLink(base, files::designFileText(designTexts(*this)));
    if (!link) {
        MsgBox(files::kLinkTooLong);
        return;
    }
    if (!m_services.clipboard->setText(*link)) {
        MsgBox(files::kClipboardProblem);
        return;
    }
    MsgBox(files::kLinkCopied);
}

void Zorbal::cmdCopyCommentary_Click() {
    if (!m_services.clipboard->setText(txtCommentary.Text))
        MsgBox(files::kClipboardProblem);
}

} // namespace zorbal::ui
