// SPDX-License-Identifier: MIT
// The splash window "frmSplash": the picture, the program's title, the maker and "OK", bound to
// the splash model of the window module.
#pragma once

#include "ui/splash.h"

#include <QIcon>
#include <QImage>
#include <QWidget>

#include <array>
#include <utility>

class QLabel;
class QPushButton;

namespace zorbal::ui::qt {

/// The start-up window. "OK" or a click on the picture runs the model's handler, which loads and
/// shows the main window (through Splash::onShowMainWindow) and hides the splash. Closing the
/// window before that ends the program.
class SplashWindow final : public QWidget {
    Q_OBJECT
  public:
    explicit SplashWindow(Splash& model, QWidget* parent = nullptr);
    /// Copies the model into the widgets; hides the window once the model is no longer visible.
    void refresh();
    /// The program's window icon: the rocket of the splash picture.
    QIcon rocketIcon() const;

  protected:
    void closeEvent(QCloseEvent* event) override;

  private:
    void act(void (Splash::*handler)());
    Splash& m_model;
    QImage m_picture;
    /// Each label's widget and its model.
    std::array<std::pair<QLabel*, const platform::Label*>, 3> m_labels{};
    QPushButton* m_ok = nullptr;
};

/// The picture, stretched over its designed rectangle; a click on it is Image1_Click.
class SplashPicture final : public QWidget {
    Q_OBJECT
  public:
    SplashPicture(QImage image, QWidget* parent);

  signals:
    void clicked();

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QImage m_image;
};

} // namespace zorbal::ui::qt
