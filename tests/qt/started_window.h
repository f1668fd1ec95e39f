// SPDX-License-Identifier: MIT
// A shown main window after start-up, for the Qt Test suites of the window.
#pragma once

#include "platform/headless.h"
#include "platform/qt/qt_services.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/main_window.h"

#include <QPlainTextEdit>
#include <QTest>

/// A shown, active main window after Form_Load, with its messages recorded.
struct Started {
    Started() : window(platform, &messages) {
        window.load();
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
    }
    template <typename Widget> Widget* find(const char* name) {
        auto* widget = window.findChild<Widget*>(QString::fromLatin1(name));
        if (!widget)
            qFatal("no widget %s", name);
        return widget;
    }
    void click(const char* button) { QTest::mouseClick(find<QWidget>(button), Qt::LeftButton); }
    QString help() { return find<QPlainTextEdit>("txtHelp")->toPlainText(); }
    int tab() { return find<zorbal::ui::qt::DesignTabControl>("SSTab1")->currentIndex(); }

    zorbal::platform::qt::QtPlatform platform;
    zorbal::platform::RecordingMessageBox messages;
    zorbal::ui::qt::MainWindow window;
};
