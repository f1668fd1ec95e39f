// SPDX-License-Identifier: MIT
// The window system's services for the window module, implemented with Qt.
#pragma once

#include "platform/headless.h"
#include "platform/services.h"

#include <QFileDialog>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace zorbal::platform::qt {

/// Converts the program's CR LF line ends to the "\n" that Qt's widgets expect.
QString toQtText(const std::string& text);
/// Converts a widget's "\n" line ends back to the program's CR LF.
std::string fromQtText(const QString& text);

/// A modal message box with the title "Zorbal", the message and only an OK button.
class QtMessageBox final : public MessageBox {
  public:
    void show(std::string_view text) override;
    /// The window the box is centred on and modal to; may be null.
    QPointer<QWidget> parent;
    /// Called before the box opens (the main window's refresh), so the window behind it shows
    /// what the running handler has done so far, e.g. the busy "Launch!" button.
    std::function<void()> beforeShow;
};

/// Processes pending window events once. The view is refreshed first, so whatever the running
/// handler has changed so far is on screen while the events run.
class QtEventPump final : public EventPump {
  public:
    void doEvents() override;
    /// Called before the events are processed (the main window's refresh).
    std::function<void()> beforeEvents;
};

/// The system clipboard.
class QtClipboard final : public Clipboard {
  public:
    /// Puts plain text on the clipboard; false when the clipboard does not hold it afterwards.
    bool setText(const std::string& text) override;
};

/// The folder a file dialog of the program opens in: `lastFolder`, where a file was last chosen in
/// that dialog during the run; else `proposedFolder`; else the folder of the last file chosen in
/// any of the program's file dialogs; else the documents folder (or home). Folders that do not
/// exist are passed over.
QString fileDialogFolder(const QString& lastFolder, const QString& proposedFolder);

/// Shows a modal file dialog of the program in fileDialogFolder(), with `proposedName` in its name
/// box, sized so that its columns can be read. Returns the chosen file, whose folder becomes
/// `lastFolder`, or an empty string when the user cancelled.
QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& caption,
                      QString& lastFolder, const QString& proposedFolder, const QString& proposedName,
                      const QString& filter, QFileDialog::Options options = {});

/// The window's file dialog. Filter, FileName, InitDir and Flags persist between uses; it opens
/// where a file was last chosen in it during the run, else in InitDir (see fileDialogFolder).
class QtFileDialog final : public FileDialog {
  public:
    bool showSave() override { return show(true); }
    bool showOpen() override { return show(false); }
    QPointer<QWidget> parent;

    /// The filter text in Qt's form: "description|pattern" pairs become "description (pattern)"
    /// entries, a single entry such as "text files(*.txt)" is taken as it is.
    static QString qtFilter(const std::string& filter);

  private:
    bool show(bool save);
    QString m_lastFolder;
};

/// The outer width of a window in twips: its client width plus the designed frame. Setting it
/// resizes the window to whole pixels, so a width read back is the set width rounded to the
/// screen's pixel grid.
class QtWindowFrame final : public WindowFrame {
  public:
    int outerWidthTwips() const override;
    void setOuterWidthTwips(int twips) override;
    /// The window whose width this is; its height stays as it is.
    QPointer<QWidget> window;
    /// Screen resolution used for the conversion, dots per inch.
    double dotsPerInch = 96;

  private:
    /// Pixels the frame adds to the client width: the designed border.
    int frameExtraPixels() const;
};

/// The folder of the running executable.
class QtProgramFolder final : public ProgramFolder {
  public:
    std::string path() const override;
};

/// Every service the window module needs, with Qt where the window system is involved and the
/// plain disk files of the core otherwise.
struct QtPlatform {
    QtMessageBox messageBox;
    QtEventPump eventPump;
    QtClipboard clipboard;
    QtFileDialog fileDialog;
    QtWindowFrame windowFrame;
    QtProgramFolder programFolder;
    DiskTextFiles textFiles;

    /// The services; `messageBoxOverride`, when set, takes the message box's place (tests and
    /// benchmarks record messages instead of waiting for a click).
    Services services(MessageBox* messageBoxOverride = nullptr) {
        return Services{messageBoxOverride ? messageBoxOverride : &messageBox,
                        &eventPump,
                        &clipboard,
                        &fileDialog,
                        &windowFrame,
                        &programFolder,
                        &textFiles};
    }
};

} // namespace zorbal::platform::qt
