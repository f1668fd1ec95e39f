// SPDX-License-Identifier: MIT
// Qt implementations of the message box, event pump, clipboard, file dialog, window width and
// program folder.
#include "platform/qt/qt_services.h"

#include "platform/qt/twips.h"

#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <QLocale>
#include <QMessageBox>
#include <QMimeDatabase>
#include <QScreen>
#include <QStandardPaths>
#include <QStringList>
#include <QTreeView>

#include <algorithm>

namespace zorbal::platform::qt {

namespace {
/// The frame the design allows around the client area: 15495 outer twips for a 15435-twip
/// client area.
constexpr int kDesignedFrameTwips = 60;

/// Logical pixels a file dialog needs for its name, size, type and date columns.
constexpr int kFileDialogWidth = 860;
constexpr int kFileDialogHeight = 520;

/// The folder of the last file chosen in any file dialog of the program during the run.
QString& lastChosenFolder() {
    static QString folder;
    return folder;
}

bool isFolder(const QString& path) {
    return !path.isEmpty() && QFileInfo(path).isDir();
}

/// The widest of `texts` in `metrics`, pixels.
int widest(const QFontMetrics& metrics, const QStringList& texts) {
    int width = 0;
    for (const QString& text : texts)
        width = std::max(width, metrics.horizontalAdvance(text));
    return width;
}

/// Widens the size, type and date columns of a file dialog's detail view to what they show for
/// the program's files, so none is cut short; the name column takes the rest of the width.
void fitFileColumns(QFileDialog& dialog) {
    auto* view = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    if (!view || view->header()->count() < 4)
        return;
    const QLocale locale = QLocale::system();
    QStringList sizes, dates;
    for (const qint64 bytes : {999LL, 1023LL * 1024 + 1000, 999LL * 1024 * 1024 + 1000})
        sizes << locale.formattedDataSize(bytes);
    for (int month = 1; month <= 12; ++month)
        dates << locale.toString(QDateTime(QDate(2028, month, 28), QTime(23, 58, 58)), QLocale::ShortFormat);
    const QMimeDatabase types;
    const QStringList kinds = {types.mimeTypeForName(QStringLiteral("text/plain")).comment(),
                               types.mimeTypeForName(QStringLiteral("text/csv")).comment(),
                               QFileDialog::tr("Folder")};
    const QFontMetrics metrics(view->font());
    // The item's text margins on both sides, and room for the sort arrow in the heading.
    const int margins =
        2 * (view->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, view) + 1) + 16;
    QHeaderView* header = view->header();
    header->setStretchLastSection(false);
    header->setSectionResizeMode(0, QHeaderView::Stretch);
    const QStringList columns[] = {sizes, kinds, dates};
    for (int column = 1; column <= 3; ++column) {
        const QString heading = view->model()->headerData(column, Qt::Horizontal).toString();
        const int width = widest(metrics, columns[column - 1] + QStringList{heading}) + margins;
        header->setSectionResizeMode(column, QHeaderView::Interactive);
        header->resizeSection(column, std::max(header->sectionSize(column), width));
    }
}

} // namespace

QString fileDialogFolder(const QString& lastFolder, const QString& proposedFolder) {
    for (const QString& folder : {lastFolder, proposedFolder, lastChosenFolder(),
                                  QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)})
        if (isFolder(folder))
            return QDir(folder).absolutePath();
    return QDir::homePath();
}

QString runFileDialog(QWidget* parent, QFileDialog::AcceptMode mode, const QString& caption,
                      QString& lastFolder, const QString& proposedFolder, const QString& proposedName,
                      const QString& filter, QFileDialog::Options options) {
    QFileDialog dialog(parent, caption, fileDialogFolder(lastFolder, proposedFolder), filter);
    dialog.setAcceptMode(mode);
    dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    dialog.setOptions(options);
    if (!proposedName.isEmpty())
        dialog.selectFile(proposedName);
    QSize size = dialog.sizeHint().expandedTo(QSize(kFileDialogWidth, kFileDialogHeight));
    const QScreen* screen = parent ? parent->screen() : QGuiApplication::primaryScreen();
    if (screen)
        size = size.boundedTo(screen->availableGeometry().size());
    dialog.resize(size);
    fitFileColumns(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    const QString chosen = dialog.selectedFiles().constFirst();
    lastFolder = QFileInfo(chosen).absolutePath();
    lastChosenFolder() = lastFolder;
    return chosen;
}

QString toQtText(const std::string& text) {
    QString result = QString::fromStdString(text);
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return result;
}

std::string fromQtText(const QString& text) {
    QString result = text;
    result.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    result.replace(QStringLiteral("\n"), QStringLiteral("\r\n"));
    return result.toStdString();
}

void QtMessageBox::show(std::string_view text) {
    if (beforeShow)
        beforeShow();
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Zorbal"), toQtText(std::string(text)),
                    QMessageBox::Ok, parent.data());
    box.setTextFormat(Qt::PlainText);
    // A screen reader reads the message as the box's description, not only its title.
    box.setAccessibleDescription(box.text());
    box.exec();
}

void QtEventPump::doEvents() {
    if (beforeEvents)
        beforeEvents();
    QCoreApplication::processEvents();
}

bool QtClipboard::setText(const std::string& text) {
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    const QString wanted = QString::fromStdString(text);
    clipboard->setText(wanted);
    return clipboard->text() == wanted;
}

QString QtFileDialog::qtFilter(const std::string& filter) {
    const QStringList parts = QString::fromStdString(filter).split(QLatin1Char('|'));
    if (parts.size() < 2)
        return parts.value(0);
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString description = parts[i].trimmed();
        const QString pattern = parts[i + 1].trimmed();
        // A description that already shows its pattern in brackets is used as it is.
        entries << (description.endsWith(QLatin1Char(')'))
                        ? description
                        : description + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

bool QtFileDialog::show(bool save) {
    // The program writes folders the Windows way; on this system "/" separates them.
    const QString proposedFolder =
        QString::fromStdString(InitDir).replace(QLatin1Char('\\'), QLatin1Char('/'));
    QFileDialog::Options options;
    if ((Flags & 2) == 0)
        options |= QFileDialog::DontConfirmOverwrite;
    const QString chosen = runFileDialog(
        parent.data(), save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen, QString(), m_lastFolder,
        proposedFolder, QString::fromStdString(FileName), qtFilter(Filter), options);
    if (chosen.isEmpty())
        return false;
    FileName = QDir::toNativeSeparators(chosen).toStdString();
    return true;
}

int QtWindowFrame::frameExtraPixels() const {
    // Always the designed frame, not the window system's: the outer width then maps to one
    // client width, the one the window was created with, whatever decorations the window
    // manager draws and whenever it reports them.
    return twipsToPixels(kDesignedFrameTwips, dotsPerInch);
}

int QtWindowFrame::outerWidthTwips() const {
    if (!window)
        return 0;
    return pixelsToTwips(window->width() + frameExtraPixels(), dotsPerInch);
}

void QtWindowFrame::setOuterWidthTwips(int twips) {
    if (!window)
        return;
    const int clientWidth = twipsToPixels(twips, dotsPerInch) - frameExtraPixels();
    if (clientWidth < 1 || clientWidth == window->width())
        return;
    // The user cannot drag the window to another width; without a window system (offscreen)
    // there is nobody to drag it, and its size hints cannot be passed on.
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        window->resize(clientWidth, window->height());
    else
        window->setFixedWidth(clientWidth);
}

std::string QtProgramFolder::path() const {
    return QCoreApplication::applicationDirPath().toStdString();
}

} // namespace zorbal::platform::qt
