// SPDX-License-Identifier: MIT
// A design file given to the program, as the file manager gives it: the main window opens it as
// "Load" does, and `zorbal FILE` runs that way (drawn with --screenshot, which needs no display).
#include "started_window.h"

#include <QFile>
#include <QImage>
#include <QLineEdit>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

namespace {

QString put(const QTemporaryDir& folder, const QString& name, const QByteArray& content) {
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size())
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

struct Run {
    int status = -1;
    QByteArray err;
};

Run runZorbal(const QStringList& arguments) {
    QProcess process;
    process.start(QStringLiteral(ZORBAL_GUI_PATH), arguments);
    if (!process.waitForFinished(60000))
        qFatal("zorbal did not finish");
    return {process.exitCode(), process.readAllStandardError()};
}

const QByteArray kDesign = "Volume\t1.5\r\nFilling Factor\t45\r\nPressure\t5\r\nLaunchTube\t1\r\n"
                           "LTLength\t0.8\r\nParachute\t0.6\r\nTriggerMechanism\tTime\r\n";
constexpr const char* kCannotOpen = "Sorry, the program can't open that file.";

} // namespace

class OpenDesignTest : public QObject {
    Q_OBJECT
  private slots:
    void aGivenFileIsLoadedAsLoadDoesOnTheRocketDesignTab() {
        QTemporaryDir folder;
        Started started;
        started.window.model().SSTab1.setTab(zorbal::ui::TabHistory);
        started.window.openDesignFile(put(folder, QStringLiteral("Water Rocket 1.txt"), kDesign));
        QVERIFY(started.messages.messages.empty());
        QCOMPARE(started.tab(), static_cast<int>(zorbal::ui::TabRocketDesign));
        QCOMPARE(started.find<QLineEdit>("txtInput_0")->text(), QStringLiteral("1.5"));
        QCOMPARE(started.find<QLineEdit>("txtInput_1")->text(), QStringLiteral("45"));
        QVERIFY(started.find<QLineEdit>("txtInput_8")->isEnabled()); // the rail, ticked
        QCOMPARE(started.find<QLineEdit>("txtInput_13")->text(), QStringLiteral("0.6"));
    }

    void aFileLoadRefusesGivesItsMessageAndKeepsTheDesign() {
        QTemporaryDir folder;
        Started started;
        const QString picture = put(folder, QStringLiteral("rocket.png"), QByteArray("\x89PNG\0\0\0", 7));
        for (const QString& path : {picture, folder.filePath(QStringLiteral("missing.txt")), folder.path()}) {
            started.messages.messages.clear();
            started.window.openDesignFile(path);
            QCOMPARE(started.messages.messages, std::vector<std::string>{kCannotOpen});
            QCOMPARE(started.find<QLineEdit>("txtInput_0")->text(), QStringLiteral("2.00"));
        }
    }

    void theProgramOpensTheFileItIsGiven() {
        QTemporaryDir folder;
        const QString design = put(folder, QStringLiteral("my design.txt"), kDesign);
        const QString shot = folder.filePath(QStringLiteral("shot.png"));
        const Run loaded = runZorbal({QStringLiteral("--screenshot"), shot, design});
        QCOMPARE(loaded.status, 0);
        QVERIFY2(!loaded.err.contains(kCannotOpen), loaded.err.constData());
        // The same file given as a file: URI, as some launchers pass it, draws the same window.
        const QString viaUri = folder.filePath(QStringLiteral("uri.png"));
        QCOMPARE(runZorbal({QStringLiteral("--screenshot"), viaUri, QUrl::fromLocalFile(design).toString()})
                     .status,
                 0);
        QFile a(shot), b(viaUri), plain(folder.filePath(QStringLiteral("plain.png")));
        QCOMPARE(runZorbal({QStringLiteral("--screenshot"), plain.fileName()}).status, 0);
        QVERIFY(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly) &&
                plain.open(QIODevice::ReadOnly));
        const QByteArray shown = a.readAll();
        QCOMPARE(b.readAll(), shown);
        QVERIFY(plain.readAll() != shown); // the default design looks otherwise

        const Run refused =
            runZorbal({QStringLiteral("--screenshot"), shot, folder.filePath(QStringLiteral("none.txt"))});
        QCOMPARE(refused.status, 0);
        QVERIFY2(refused.err.contains(kCannotOpen), refused.err.constData());
        QCOMPARE(runZorbal({design, design}).status, 2);
    }

    void theInvestigateWindowIsDrawnAfterItsRun() {
        QTemporaryDir folder;
        const QString design = put(folder, QStringLiteral("design.txt"), kDesign);
        const QString before = folder.filePath(QStringLiteral("before.png"));
        const QString after = folder.filePath(QStringLiteral("after.png"));
        const QStringList page{QStringLiteral("--investigate"), QStringLiteral("2")};
        QCOMPARE(runZorbal(QStringList{QStringLiteral("--screenshot"), before, design} + page).status, 0);
        const Run ran =
            runZorbal(QStringList{QStringLiteral("--screenshot"), after, design} + page +
                      QStringList{QStringLiteral("--investigate-input"), QStringLiteral("txtRuns=200"),
                                  QStringLiteral("--investigate-press"), QStringLiteral("cmdScatterRun")});
        QCOMPARE(ran.status, 0);
        QVERIFY2(ran.err.isEmpty() || !ran.err.contains("Sorry"), ran.err.constData());
        const QImage unrun(before), shown(after);
        QVERIFY(!shown.isNull() && shown.width() > shown.height());
        QCOMPARE(shown.size(), unrun.size());
        QVERIFY(shown != unrun); // the landings are drawn
        // A page that is not there, or an input without its value, is a usage error.
        QCOMPARE(runZorbal({QStringLiteral("--screenshot"), after, QStringLiteral("--investigate"),
                            QStringLiteral("3")})
                     .status,
                 2);
        QCOMPARE(
            runZorbal({QStringLiteral("--screenshot"), after, QStringLiteral("--investigate"),
                       QStringLiteral("0"), QStringLiteral("--investigate-input"), QStringLiteral("txtRuns")})
                .status,
            2);
    }
};

QTEST_MAIN(OpenDesignTest)
#include "open_design_test.moc"
