// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>
#include <filesystem>

#include <unistd.h>

using velmora::UIWrapper;

namespace {

void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(bytes), bytes.size());
}

// Replaces the file in one step, as editors that save through a temporary file do.
void replaceFile(const QString& path, const QByteArray& bytes)
{
    const QString fresh = path + ".new";
    writeFile(fresh, bytes);
    QCOMPARE(std::rename(fresh.toLocal8Bit().constData(), path.toLocal8Bit().constData()), 0);
}

// Makes `link` a symbolic link to `target` in one step: a new link renamed over the old one.
void swapLink(const QString& target, const QString& link)
{
    const QByteArray fresh = QFile::encodeName(link + ".new");
    QCOMPARE(::symlink(QFile::encodeName(target).constData(), fresh.constData()), 0);
    QCOMPARE(std::rename(fresh.constData(), QFile::encodeName(link).constData()), 0);
}

// Removes the file and lets the watch see it gone (its failed reload warns) before it returns.
void removeAndMakeAgain(const QString& path, const QByteArray& bytes)
{
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("rechargement du style impossible"));
    QCOMPARE(::unlink(QFile::encodeName(path).constData()), 0);
    QTest::qWait(200);
    writeFile(path, bytes);
}

} // namespace

class TestStyleWatch : public QObject
{
    Q_OBJECT

private slots:
    void init();
    void firstLoadAppliesTheFile();
    void inPlaceWriteIsApplied();
    void renameOverIsApplied();
    void pathIsFollowedAcrossReplacements_data();
    void pathIsFollowedAcrossReplacements();
    void failedReloadKeepsTheLastGoodSheet();
    void missingFileThrowsAndChangesNothing();
    void secondCallWatchesTheNewFileOnly();
    void anotherSheetEndsTheWatch_data();
    void anotherSheetEndsTheWatch();

    // Careless and hostile input.
    void unusableStylePathFailsAndChangesNothing_data();
    void unusableStylePathFailsAndChangesNothing();

private:
    QTemporaryDir _dir;
    QString _path;
};

void TestStyleWatch::init()
{
    QVERIFY(_dir.isValid());
    _path = _dir.filePath("style.qss");
    writeFile(_path, "QLabel { color: red; }");
}

void TestStyleWatch::firstLoadAppliesTheFile()
{
    UIWrapper ui;
    QCOMPARE(&ui.watch_style(_path), &ui);
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: red; }"));
}

void TestStyleWatch::inPlaceWriteIsApplied()
{
    UIWrapper ui;
    ui.watch_style(_path);
    writeFile(_path, "QLabel { color: blue; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: blue; }"));
    // The watch survives the first change.
    writeFile(_path, "QLabel { color: green; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: green; }"));
}

void TestStyleWatch::renameOverIsApplied()
{
    UIWrapper ui;
    ui.watch_style(_path);
    replaceFile(_path, "QLabel { color: navy; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: navy; }"));
    // The file watched now is the new one, and its own replacement is seen too.
    replaceFile(_path, "QLabel { color: teal; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: teal; }"));
}

void TestStyleWatch::pathIsFollowedAcrossReplacements_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("renamed over a file with a second hard link") << "rename linked";
    QTest::newRow("symbolic link swapped by rename") << "swap";
    QTest::newRow("symbolic link swapped to another folder") << "swap folder";
    QTest::newRow("linked file renamed over, second hard link") << "link rename linked";
    QTest::newRow("removed and made again") << "remake";
    QTest::newRow("linked file in another folder removed and made again") << "link remake";
}

void TestStyleWatch::pathIsFollowedAcrossReplacements()
{
    QFETCH(QString, how);
    QTemporaryDir scratch;
    QVERIFY(scratch.isValid());
    const QDir dir(scratch.path());
    const QString path = dir.filePath("style.qss");
    writeFile(path, "QLabel { color: red; }");
    QVERIFY(dir.mkdir("autre"));
    const QString linked = dir.filePath("autre/vrai.qss");
    if (how.startsWith("link")) {
        writeFile(linked, "QLabel { color: red; }");
        QCOMPARE(::unlink(QFile::encodeName(path).constData()), 0);
        swapLink(linked, path);
    }
    UIWrapper ui;
    ui.watch_style(path);
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: red; }"));

    for (int round = 1; round <= 3; ++round) {
        const QString sheet = QStringLiteral("QLabel { margin: %1px; }").arg(round);
        const QByteArray bytes = sheet.toUtf8();
        const QString other = dir.filePath(QStringLiteral("copie%1.qss").arg(round));
        // A second hard link keeps the replaced file alive, so that its watch never ends.
        if (how.endsWith("linked")) {
            const QString& file = how == "rename linked" ? path : linked;
            QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(other).constData()), 0);
            replaceFile(file, bytes);
        } else if (how == "swap") {
            writeFile(other, bytes);
            swapLink(other, path);
        } else if (how == "swap folder") {
            const QString folder = QStringLiteral("dossier%1").arg(round);
            QVERIFY(dir.mkdir(folder));
            const QString target = dir.filePath(folder + "/style.qss");
            writeFile(target, "QLabel { padding: 1px; }");
            swapLink(target, path);
            QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { padding: 1px; }"));
            // The new target's own folder is watched from now on.
            removeAndMakeAgain(target, bytes);
        } else if (how == "remake") {
            removeAndMakeAgain(path, bytes);
        } else if (how == "link remake") {
            removeAndMakeAgain(linked, bytes);
        }
        QTRY_COMPARE(ui.window->styleSheet(), sheet);
    }
}

void TestStyleWatch::failedReloadKeepsTheLastGoodSheet()
{
    UIWrapper ui;
    ui.watch_style(_path);
    QTest::ignoreMessage(QtWarningMsg, QRegularExpression("rechargement du style impossible"));
    replaceFile(_path, "QLabel { color: \xff; }");
    // The sheet must not change, so there is no condition to await: give the reload its time.
    QTest::qWait(300);
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: red; }"));

    writeFile(_path, "QLabel { color: olive; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: olive; }"));
}

void TestStyleWatch::missingFileThrowsAndChangesNothing()
{
    UIWrapper ui;
    ui.window->setStyleSheet("QWidget {}");
    QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error, ui.watch_style(_dir.filePath("absent.qss")));
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QWidget {}"));
}

void TestStyleWatch::secondCallWatchesTheNewFileOnly()
{
    UIWrapper ui;
    ui.watch_style(_path);
    const QString other = _dir.filePath("other.qss");
    writeFile(other, "QPushButton { color: gray; }");
    ui.watch_style(other);
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QPushButton { color: gray; }"));

    writeFile(_path, "QLabel { color: purple; }");
    writeFile(other, "QPushButton { color: black; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QPushButton { color: black; }"));
    // A late reload of the first file must not follow.
    QTest::qWait(200);
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QPushButton { color: black; }"));
}

void TestStyleWatch::unusableStylePathFailsAndChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("watch");
    fixture::addUnusableStylePathRows("watch_style", true);
}

void TestStyleWatch::unusableStylePathFailsAndChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(int, error);
    QFETCH(bool, watch);
    fixture::checkUnusableStylePathFailsAndChangesNothing(path, error, watch);
}

void TestStyleWatch::anotherSheetEndsTheWatch_data()
{
    QTest::addColumn<QString>("how");
    QTest::newRow("loaded") << "load";
    QTest::newRow("load failed") << "failed load";
    QTest::newRow("sheet set") << "set";
}

void TestStyleWatch::anotherSheetEndsTheWatch()
{
    QFETCH(QString, how);
    const bool loadFails = how == "failed load";
    UIWrapper ui;
    UIWrapper witness;
    ui.watch_style(_path);
    witness.watch_style(_path);
    const QString other = _dir.filePath("other.qss");
    writeFile(other, "QPushButton { color: gray; }");
    if (loadFails) {
        // Nothing changes when the file cannot be read: the watch goes on.
        QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error,
                                 ui.load_style(_dir.filePath("absent.qss")));
    } else if (how == "set") {
        ui.set_window_style("QPushButton { color: gray; }");
    } else {
        ui.load_style(other);
    }

    writeFile(_path, "QLabel { color: purple; }");
    QTRY_COMPARE(witness.window->styleSheet(), QStringLiteral("QLabel { color: purple; }"));
    QTest::qWait(100);
    QCOMPARE(ui.window->styleSheet(), loadFails ? QStringLiteral("QLabel { color: purple; }")
                                                : QStringLiteral("QPushButton { color: gray; }"));

    // A later watch_style watches again.
    ui.watch_style(_path);
    writeFile(_path, "QLabel { color: maroon; }");
    QTRY_COMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: maroon; }"));
}

QTEST_MAIN(TestStyleWatch)
#include "tst_style_watch.moc"
