// SPDX-License-Identifier: MIT
// "Save Picture As…" of the picture boxes: refused onto a folder or a pipe, and a picture that
// cannot be written completely leaves the old file as it was.
#include "platform/qt/canvas_widget.h"

#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <pwd.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

std::string bytesOf(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int entriesOf(const QTemporaryDir& dir) {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : fs::directory_iterator(dir.path().toStdString()))
        ++count;
    return count;
}

} // namespace

class PictureSaveTest : public QObject {
    Q_OBJECT
  private slots:
    void init();
    void refusesFoldersAndPipesAndLeavesThemAlone();
    void aPictureCutShortKeepsTheOldFile();
    void refusesALinkAnotherUserPlantedInASharedFolder();

  private:
    zorbal::platform::DrawingSurface m_surface;
    zorbal::platform::qt::CanvasWidget m_canvas;
};

void PictureSaveTest::init() {
    m_surface.scale(0, 10, 10, 0);
    m_surface.setBackColor(zorbal::platform::kWhite);
    m_surface.setForeColor(zorbal::platform::kBlue);
    for (int i = 0; i < 40; ++i)
        m_surface.line(0, i * 0.25, 10, 10 - i * 0.2);
    m_canvas.resize(300, 200);
    m_canvas.setSurface(&m_surface);
}

void PictureSaveTest::refusesFoldersAndPipesAndLeavesThemAlone() {
    QTemporaryDir dir;
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.png")));
    const QString pipe = dir.filePath(QStringLiteral("pipe.png"));
    QCOMPARE(::mkfifo(pipe.toLocal8Bit().constData(), 0600), 0);
    QVERIFY(!m_canvas.savePicture(dir.filePath(QStringLiteral("folder.png"))));
    QVERIFY(fs::is_directory(dir.filePath(QStringLiteral("folder.png")).toStdString()));
    QVERIFY(!m_canvas.savePicture(pipe));
    QVERIFY(fs::is_fifo(pipe.toStdString()));
    QCOMPARE(entriesOf(dir), 2);
}

void PictureSaveTest::aPictureCutShortKeepsTheOldFile() {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("picture.png"));
    QVERIFY(m_canvas.savePicture(path));
    const std::string old = bytesOf(path);
    QVERIFY(old.size() > 1024);
    m_surface.line(0, 10, 10, 0);

    // A file-size limit stops the write part of the way, as a full disk would.
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    rlimit small = saved;
    small.rlim_cur = 1024;
    const auto handler = std::signal(SIGXFSZ, SIG_IGN);
    ::setrlimit(RLIMIT_FSIZE, &small);
    const bool isSaved = m_canvas.savePicture(path);
    ::setrlimit(RLIMIT_FSIZE, &saved);
    std::signal(SIGXFSZ, handler);

    QVERIFY(!isSaved);
    QCOMPARE(bytesOf(path), old);
    QCOMPARE(entriesOf(dir), 1);
    QVERIFY(m_canvas.savePicture(path));
    QVERIFY(bytesOf(path) != old);
}

void PictureSaveTest::refusesALinkAnotherUserPlantedInASharedFolder() {
    const passwd* nobody = ::getpwnam("nobody");
    if (::geteuid() != 0 || !nobody)
        QSKIP("needs root, to give a link to the user nobody");
    QTemporaryDir dir;
    const fs::path shared = fs::path(dir.path().toStdString()) / "shared";
    fs::create_directory(shared);
    fs::permissions(shared, fs::perms::all | fs::perms::sticky_bit);
    const QString victim = dir.filePath(QStringLiteral("victim.png"));
    QVERIFY(m_canvas.savePicture(victim));
    const std::string old = bytesOf(victim);
    fs::create_symlink(victim.toStdString(), shared / "map.png");
    QCOMPARE(::lchown((shared / "map.png").c_str(), nobody->pw_uid, nobody->pw_gid), 0);
    m_surface.line(0, 10, 10, 0);

    QVERIFY(!m_canvas.savePicture(QString::fromStdString((shared / "map.png").string())));
    QCOMPARE(bytesOf(victim), old);
    QVERIFY(fs::is_symlink(shared / "map.png"));
    QCOMPARE(entriesOf(dir), 2);
}

QTEST_MAIN(PictureSaveTest)
#include "picture_save_test.moc"
