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
#include <QMessageBox>
#include <QStringList>

namespace zorbal::platform::qt {

namespace {
/// The frame the design allows around the client area: 15495 outer twips for a 15435-twip
/// client area.
constexpr int kDesignedFrameTwips = 60;
} // namespace

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
    QString folder = QString::fromStdString(InitDir).replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (folder.isEmpty())
        folder = m_lastFolder;
    const QString proposed = QString::fromStdString(FileName);
    const QString start = folder.isEmpty() ? proposed : QDir(folder).filePath(proposed);
    QFileDialog::Options options;
    if ((Flags & 2) == 0)
        options |= QFileDialog::DontConfirmOverwrite;
    const QString chosen = save ? QFileDialog::getSaveFileName(parent.data(), QString(), start,
                                                               qtFilter(Filter), nullptr, options)
                                : QFileDialog::getOpenFileName(parent.data(), QString(), start,
                                                               qtFilter(Filter), nullptr, options);
    if (chosen.isEmpty())
        return false;
    m_lastFolder = QFileInfo(chosen).absolutePath();
    FileName = QDir::toNativeSeparators(chosen).toStdString();
    return true;
}

int QtWindowFrame::frameExtraPixels() const {
    if (window) {
        const int extra = window->frameGeometry().width() - window->width();
        if (extra > 0)
            return extra;
    }
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
