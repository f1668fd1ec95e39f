// SPDX-License-Identifier: MIT
// zorbal: the desktop program. Opens on the splash window; "OK" opens the main window. Given a
// design FILE (as the file manager's "Open With" gives it), it opens the main window at once with
// that design loaded as "Load" loads it. With --screenshot it renders the main window to a PNG
// file instead, without a display; with --investigate too, the Investigate window after the runs
// asked for.
#include "investigate/qt/investigate_window.h"
#include "platform/headless.h"
#include "platform/qt/png_file.h"
#include "platform/qt/qt_services.h"
#include "platform/safe_file.h"
#include "ui/qt/design_widgets.h"
#include "ui/qt/look.h"
#include "ui/qt/main_window.h"
#include "ui/qt/splash_window.h"
#include "zorbal_version.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFile>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <QUrl>

#include <QElapsedTimer>

#include <cstdio>
#include <string_view>

namespace {

using zorbal::ui::qt::MainWindow;

/// The look chosen on the command line: --high-contrast.
bool highContrast = false;

/// True when the command line asks only for output that needs no display: a screenshot, or the
/// help or version text (which a terminal without a display, or help2man, asks for).
bool needsNoDisplay(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        const std::string_view argument = argv[i];
        if (argument == "--screenshot" || argument.starts_with("--screenshot=") || argument == "--help" ||
            argument == "--help-all" || argument == "-h" || argument == "--version" || argument == "-v")
            return true;
    }
    return false;
}

/// The local path of a FILE argument: a path as given, or a file: URI as some launchers pass it.
QString localPath(const QString& argument) {
    if (argument.startsWith(QLatin1String("file:")))
        return QUrl(argument).toLocalFile();
    return argument;
}

/// Places a window in the middle of the screen's free area.
void centre(QWidget& window) {
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        window.move(screen->availableGeometry().center() - window.rect().center());
}

void press(QWidget& window, const char* buttonName) {
    if (auto* button = window.findChild<QPushButton*>(QString::fromLatin1(buttonName)))
        button->click();
}

/// The Investigate window's options of --screenshot.
struct InvestigateShot {
    const QCommandLineOption& page;
    const QCommandLineOption& input;
    const QCommandLineOption& press;
};

/// Opens the Investigate window from `window`, types the inputs, presses the buttons (each
/// waiting for its job), shows page `n` and grabs it. Returns the exit status.
int investigateScreenshot(const QCommandLineParser& options, const InvestigateShot& shot,
                          zorbal::investigate::qt::InvestigateLink& link, QPixmap& picture) {
    using zorbal::ui::FormEvent;
    link.open();
    zorbal::investigate::qt::InvestigateWindow& investigate = *link.window();
    QCoreApplication::processEvents();
    for (const QString& input : options.values(shot.input)) {
        const qsizetype equals = input.indexOf(QLatin1Char('='));
        if (equals <= 0) {
            std::fprintf(stderr, "zorbal: --investigate-input takes NAME=VALUE\n");
            return 2;
        }
        investigate.act(FormEvent::Input, input.left(equals).toStdString(),
                        input.mid(equals + 1).toStdString());
    }
    for (const QString& press : options.values(shot.press)) {
        investigate.act(FormEvent::Click, press.toStdString());
        // A run takes seconds: wait for it, at most a few minutes.
        QElapsedTimer waited;
        waited.start();
        while ((investigate.isRunning() || investigate.model().isBusy()) && waited.elapsed() < 300000)
            QCoreApplication::processEvents(QEventLoop::AllEvents | QEventLoop::WaitForMoreEvents, 50);
    }
    bool isNumber = false;
    const int page = options.value(shot.page).toInt(&isNumber);
    auto* tabs = investigate.findChild<zorbal::ui::qt::DesignTabControl*>(QStringLiteral("tabInvestigate"));
    if (!isNumber || page < 0 || !tabs || page >= tabs->count()) {
        std::fprintf(stderr, "zorbal: --investigate takes a page number from 0 to 2\n");
        return 2;
    }
    tabs->tabBar()->setCurrentIndex(page);
    QCoreApplication::processEvents();
    picture = investigate.grab();
    return 0;
}

/// Renders the main window, after the requested actions, into `file`. Returns the exit status.
int screenshot(const QCommandLineParser& options, const QCommandLineOption& fileOption,
               const QCommandLineOption& tabOption, const QCommandLineOption& launchOption,
               const QCommandLineOption& hideHelpOption, const QCommandLineOption& splashOption,
               const InvestigateShot& investigateShot, const QString& designFile) {
    const QString file = options.value(fileOption);
    QPixmap picture;
    zorbal::platform::qt::QtPlatform platform;
    // Messages go to standard error: there is nobody to press "OK".
    zorbal::platform::RecordingMessageBox messages(true);
    MainWindow window(platform, &messages);
    auto* link = new zorbal::investigate::qt::InvestigateLink(window, platform, &messages);
    window.setHighContrast(highContrast);
    if (options.isSet(splashOption)) {
        zorbal::ui::Splash model(window.model());
        zorbal::ui::qt::SplashWindow splash(model);
        splash.show();
        QCoreApplication::processEvents();
        picture = splash.grab();
    } else {
        window.load();
        window.show();
        QCoreApplication::processEvents();
        if (!designFile.isEmpty())
            window.openDesignFile(localPath(designFile));
        if (options.isSet(launchOption))
            press(window, "cmdLaunch");
        if (options.isSet(tabOption)) {
            bool isNumber = false;
            const int tab = options.value(tabOption).toInt(&isNumber);
            auto* tabs = window.findChild<zorbal::ui::qt::DesignTabControl*>(QStringLiteral("SSTab1"));
            if (!isNumber || tab < 0 || !tabs || tab >= tabs->count()) {
                std::fprintf(stderr, "zorbal: --tab takes a page number from 0 to 6\n");
                return 2;
            }
            // As a click on the tab would.
            tabs->tabBar()->setCurrentIndex(tab);
        }
        if (options.isSet(hideHelpOption))
            press(window, "cmdShowHelp_0");
        QCoreApplication::processEvents();
        if (options.isSet(investigateShot.page)) {
            if (const int status = investigateScreenshot(options, investigateShot, *link, picture))
                return status;
        } else {
            picture = window.grab();
        }
    }
    if (const auto error =
            zorbal::platform::qt::savePngSafely(picture.toImage(), QFile::encodeName(file).toStdString())) {
        std::fprintf(stderr, "zorbal: cannot write %s: %s\n", file.toLocal8Bit().constData(),
                     error.message().c_str());
        return 1;
    }
    return 0;
}

} // namespace

int main(int argc, char** argv) {
    // A file-size limit fails a save (which says so) instead of ending the program.
    zorbal::platform::prepareSignalsForSaving();
    // A screenshot, the help and the version need no display: draw offscreen unless a platform was
    // chosen.
    if (needsNoDisplay(argc, argv) && qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Zorbal"));
    QApplication::setApplicationVersion(QStringLiteral(ZORBAL_VERSION));
    QApplication::setDesktopFileName(QStringLiteral("zorbal"));
    zorbal::ui::qt::applyDesignLook(application);

    QCommandLineParser options;
    options.setApplicationDescription(QStringLiteral("Zorbal: a water-rocket flight simulator"));
    options.addHelpOption();
    options.addVersionOption();
    const QCommandLineOption fileOption(QStringLiteral("screenshot"),
                                        QStringLiteral("Render the main window to the PNG <file> and exit."),
                                        QStringLiteral("file"));
    const QCommandLineOption tabOption(
        QStringLiteral("tab"), QStringLiteral("With --screenshot: select tab page <n> (0 to 6) first."),
        QStringLiteral("n"));
    const QCommandLineOption launchOption(QStringLiteral("launch"),
                                          QStringLiteral("With --screenshot: press \"Launch!\" first."));
    const QCommandLineOption hideHelpOption(QStringLiteral("hide-help"),
                                            QStringLiteral("With --screenshot: hide the help panel first."));
    const QCommandLineOption splashOption(
        QStringLiteral("splash"), QStringLiteral("With --screenshot: render the splash window instead."));
    const QCommandLineOption contrastOption(
        QStringLiteral("high-contrast"),
        QStringLiteral(
            "Show the high-contrast look, in which every text stands out (Ctrl+Shift+H switches)."));
    const QCommandLineOption investigateOption(
        QStringLiteral("investigate"),
        QStringLiteral("With --screenshot: render the Investigate window on page <n> (0 to 2) instead."),
        QStringLiteral("n"));
    const QCommandLineOption investigateInputOption(
        QStringLiteral("investigate-input"),
        QStringLiteral("With --investigate: type <name=value> into a box, or choose entry <value> of a "
                       "list or the pages (repeatable)."),
        QStringLiteral("name=value"));
    const QCommandLineOption investigatePressOption(
        QStringLiteral("investigate-press"),
        QStringLiteral("With --investigate: press button <name> after the inputs and wait for its run "
                       "(repeatable)."),
        QStringLiteral("name"));
    options.addOptions({fileOption, tabOption, launchOption, hideHelpOption, splashOption, contrastOption,
                        investigateOption, investigateInputOption, investigatePressOption});
    options.addPositionalArgument(
        QStringLiteral("FILE"),
        QStringLiteral("A design file to open in the main window, as \"Load\" opens it."),
        QStringLiteral("[FILE]"));
    options.process(application);
    highContrast = options.isSet(contrastOption);
    const QStringList files = options.positionalArguments();
    if (files.size() > 1) {
        std::fprintf(stderr, "zorbal: give at most one design FILE\n");
        return 2;
    }

    if (options.isSet(fileOption))
        return screenshot(options, fileOption, tabOption, launchOption, hideHelpOption, splashOption,
                          InvestigateShot{investigateOption, investigateInputOption, investigatePressOption},
                          files.isEmpty() ? QString() : files.front());

    zorbal::platform::qt::QtPlatform platform;
    MainWindow window(platform);
    // Ctrl+I, or the window's context menu, opens the Investigate window.
    new zorbal::investigate::qt::InvestigateLink(window, platform);
    window.setHighContrast(highContrast);
    zorbal::ui::Splash splashModel(window.model());
    // "OK" loads the main window in the model; here it appears.
    splashModel.onShowMainWindow = [&window] {
        window.refresh();
        centre(window);
        window.show();
        window.raise();
        window.activateWindow();
    };
    zorbal::ui::qt::SplashWindow splash(splashModel);
    QApplication::setWindowIcon(splash.rocketIcon());
    if (!files.isEmpty()) {
        // A file was opened: straight to the main window, with the design loaded once it is shown
        // (a refusal's message box then stands over the window).
        splashModel.cmdOK_Click();
        QTimer::singleShot(0, &window,
                           [&window, path = localPath(files.front())] { window.openDesignFile(path); });
        return QApplication::exec();
    }
    centre(splash);
    splash.show();
    return QApplication::exec();
}
