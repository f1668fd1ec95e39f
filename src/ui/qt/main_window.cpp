// SPDX-License-Identifier: MIT
// The main window: its creation on the platform's services, and its lifetime.
#include "ui/qt/main_window.h"

#include "files/design_file.h"
#include "platform/qt/twips.h"
#include "ui/design_loader.h"
#include "ui/qt/look.h"

#include <QApplication>
#include <QFile>
#include <QScreen>

#include <utility>

namespace zorbal::ui::qt {

namespace {

/// The client area as designed, twips.
constexpr int kClientWidth = 15435;
constexpr int kClientHeight = 9990;

double screenDotsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : 96.0;
}

} // namespace

MainWindow::MainWindow(platform::qt::QtPlatform& platform, platform::MessageBox* messageBoxOverride,
                       QWidget* parent)
    : QWidget(parent), m_messages(messageBoxOverride ? *messageBoxOverride : platform.messageBox),
      m_model(std::make_unique<Zorbal>(platform.services(&m_messages))),
      m_actions(std::make_unique<FormActions>(*m_model)), m_platform(platform),
      m_dotsPerInch(screenDotsPerInch()) {
    setObjectName(QStringLiteral("frmZorbal"));
    m_platform.messageBox.parent = this;
    m_platform.fileDialog.parent = this;
    m_platform.windowFrame.window = this;
    m_platform.windowFrame.dotsPerInch = m_dotsPerInch;
    m_platform.eventPump.beforeEvents = [this] { refresh(); };
    m_platform.messageBox.beforeShow = [this] { refresh(); };

    // A window of fixed size, as designed; only the help panel button changes its width.
    showFixedSizeButtons(*this);
    const QRect client = designRect(0, 0, kClientWidth, kClientHeight);
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        resize(client.size()); // nobody can drag it, and size hints cannot be passed on
    else
        setFixedSize(client.size());
    build();
    buildKeyboard();
    buildAccessibility();
    m_focusConnection = connect(qApp, &QApplication::focusChanged, this, [this](QWidget* old, QWidget* now) {
        showFocusFrame(now);
        focusMoved(old, now);
    });
    refresh();
}

void MainWindow::load() {
    if (!m_model->Loaded)
        act([this] { m_model->Form_Load(); });
}

void MainWindow::openDesignFile(const QString& path) {
    act([this, file = QFile::encodeName(path).toStdString()] {
        m_model->openDesignFile(file);
        m_model->SSTab1.setTab(TabRocketDesign);
    });
}

void MainWindow::openDesignText(const std::string& text) {
    act([this, &text] {
        if (!applyDesignFile(*m_model, text))
            m_model->services().messageBox->show(kCannotOpenDesign);
        m_model->SSTab1.setTab(TabRocketDesign);
    });
}

std::string MainWindow::designText() const {
    return files::designFileText(designTexts(*m_model));
}

MainWindow::~MainWindow() {
    disconnect(m_focusConnection);
    m_platform.eventPump.beforeEvents = nullptr;
    m_platform.messageBox.beforeShow = nullptr;
    m_platform.windowFrame.window = nullptr;
}

void MainWindow::HeardMessageBox::show(std::string_view text) {
    m_heard += m_heard.empty() ? "" : " ";
    m_heard += text;
    m_shown.show(text);
}

std::string MainWindow::HeardMessageBox::takeHeard() {
    return std::exchange(m_heard, std::string());
}

QRect MainWindow::designRect(int left, int top, int width, int height) const {
    return platform::qt::twipsRect(left, top, width, height, m_dotsPerInch);
}

} // namespace zorbal::ui::qt
