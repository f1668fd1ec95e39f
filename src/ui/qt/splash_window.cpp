// SPDX-License-Identifier: MIT
// The splash window at its designed size, with the picture painted in code.
#include "ui/qt/splash_window.h"

#include "platform/qt/qt_color.h"
#include "platform/qt/twips.h"
#include "ui/qt/look.h"
#include "ui/qt/splash_picture.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>

#include <cstddef>

namespace zorbal::ui::qt {

namespace {

/// The designed font, or the nearest sans-serif font this system has.
QFont designFont(const QFont& base, const FontNote& note) {
    QFont font = base;
    font.setFamilies({QString::fromStdString(note.family), QStringLiteral("Liberation Sans"),
                      QStringLiteral("Arial"), QStringLiteral("Nimbus Sans"), QStringLiteral("DejaVu Sans")});
    font.setPointSizeF(note.pointSize);
    font.setBold(note.isBold);
    return font;
}

} // namespace

SplashPicture::SplashPicture(QImage image, QWidget* parent) : QWidget(parent), m_image(std::move(image)) {
    setObjectName(QStringLiteral("Image1"));
}

void SplashPicture::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), m_image);
}

void SplashPicture::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

SplashWindow::SplashWindow(Splash& model, QWidget* parent) : QWidget(parent), m_model(model) {
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Zorbal"));
    showFixedSizeButtons(*this);
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    auto at = [dpi](int left, int top, int width, int height) {
        return platform::qt::twipsRect(left, top, width, height, dpi);
    };
    const QSize size = at(kSplashArea.left, kSplashArea.top, kSplashArea.width, kSplashArea.height).size();
    if (QGuiApplication::platformName() == QLatin1String("offscreen"))
        resize(size); // nobody can drag it, and size hints cannot be passed on
    else
        setFixedSize(size);

    m_picture = paintSplashPicture();
    std::size_t labels = 0;
    for (const FormControl& control : splashForm()) {
        const QRect rect = at(control.rect.left, control.rect.top, control.rect.width, control.rect.height);
        const QString name =
            QString::fromLatin1(control.id.data(), static_cast<qsizetype>(control.id.size()));
        switch (control.kind) {
        case ControlKind::Picture: {
            auto* picture = new SplashPicture(m_picture, this);
            picture->setGeometry(rect);
            connect(picture, &SplashPicture::clicked, this, [this] { act(&Splash::Image1_Click); });
            break;
        }
        case ControlKind::Label: {
            auto* label = new QLabel(this);
            label->setObjectName(name);
            label->setGeometry(rect);
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
            // Transparent over the picture, and a click on a label is a click on the picture.
            label->setAttribute(Qt::WA_TransparentForMouseEvents);
            label->setFont(designFont(label->font(), *m_model.fontOf(control.id)));
            m_labels.at(labels) = {label, m_model.labelOf(control.id)};
            ++labels;
            break;
        }
        case ControlKind::Button:
            m_ok = new QPushButton(this);
            m_ok->setObjectName(name);
            m_ok->setGeometry(rect);
            m_ok->setAutoDefault(true);
            m_ok->setDefault(true);
            m_ok->setFont(designFont(m_ok->font(), *m_model.fontOf(control.id)));
            connect(m_ok, &QPushButton::clicked, this, [this] { act(&Splash::cmdOK_Click); });
            break;
        default:
            break;
        }
    }
    m_ok->setFocus();
    refresh();
}

QIcon SplashWindow::rocketIcon() const {
    // The rocket and the top of its jet, in a square around it.
    const QImage rocket = m_picture.copy(QRect(430, 400, 520, 520));
    return QIcon(QPixmap::fromImage(rocket.scaled(128, 128, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}

void SplashWindow::act(void (Splash::*handler)()) {
    (m_model.*handler)();
    refresh();
}

void SplashWindow::refresh() {
    for (const auto& [widget, label] : m_labels) {
        const QString caption = QString::fromStdString(label->Caption);
        if (widget->text() != caption)
            widget->setText(caption);
        QPalette palette = widget->palette();
        palette.setColor(QPalette::WindowText, platform::qt::toQColor(label->ForeColor));
        widget->setPalette(palette);
    }
    m_ok->setText(QString::fromStdString(m_model.cmdOK.Caption));
    m_ok->setToolTip(QString::fromStdString(m_model.cmdOK.ToolTip));
    m_ok->setEnabled(m_model.cmdOK.Enabled);
    if (!m_model.Visible && isVisible())
        hide();
}

void SplashWindow::closeEvent(QCloseEvent* event) {
    int cancel = 0;
    m_model.Form_Unload(cancel);
    event->accept();
    // Closed before "OK": there is no main window to go on with, so the program ends.
    QCoreApplication::quit();
}

} // namespace zorbal::ui::qt
