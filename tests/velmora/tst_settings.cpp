// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "message_log.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QIcon>
#include <QMainWindow>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QVBoxLayout>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

namespace {

constexpr int UNLIMITED_SIZE = 16777215;

QString writeFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

// load_style on `path` must throw a filesystem_error with `code` and the path, and leave the
// window's previous sheet in place.
void expectLoadStyleFailure(const QString& path, std::error_code code)
{
    UIWrapper ui;
    ui.window->setStyleSheet(QStringLiteral("QWidget { color: blue; }"));
    try {
        ui.load_style(path);
        QFAIL("load_style did not throw");
    } catch (const std::filesystem::filesystem_error& failure) {
        QCOMPARE(failure.code(), code);
        QCOMPARE(QString::fromStdString(failure.path1().string()), path);
    }
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QWidget { color: blue; }"));
}

} // namespace

class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void fixedSizeIsTheCurrentSize_data();
    void fixedSizeIsTheCurrentSize();
    void resizableLiftsEveryEarlierLimit_data();
    void resizableLiftsEveryEarlierLimit();
    void sizeLimitsAndOpacityAreHandedOn();
    void missingIconLeavesAnEmptyIcon();
    void everySettingReturnsTheSameWrapper();

    void centerPlacesTheWindowOnThePrimaryScreen_data();
    void centerPlacesTheWindowOnThePrimaryScreen();

    void onlyTheLastCloseCallbackRunsOncePerClose();
    void emptyCloseCallbackIsRejectedAndKeepsTheHandler();
    void throwingCloseCallbackKeepsTheWindowOpen();

    void styleFileIsAppliedExactly_data();
    void styleFileIsAppliedExactly();
    void relativeStylePathIsTakenFromTheCurrentDirectory();
    void unreadableStyleFileFailsWithTheSystemError_data();
    void unreadableStyleFileFailsWithTheSystemError();
    void invalidUtf8StyleFileFails_data();
    void invalidUtf8StyleFileFails();
    void styleFileLeavesSectionAndOtherWindowSheetsAlone();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void extremeSizesAreHandedToQtUnchanged_data();
    void extremeSizesAreHandedToQtUnchanged();
    void closeCallbackThrowingANonStandardValueKeepsTheWindowOpen();
    void unusableStylePathFailsAndChangesNothing_data();
    void unusableStylePathFailsAndChangesNothing();
};

void TestSettings::fixedSizeIsTheCurrentSize_data()
{
    QTest::addColumn<QSize>("resizeTo");
    QTest::addColumn<QSize>("expected");
    QTest::newRow("constructor default") << QSize() << QSize(800, 600);
    QTest::newRow("size set later") << QSize(640, 410) << QSize(640, 410);
}

void TestSettings::fixedSizeIsTheCurrentSize()
{
    QFETCH(QSize, resizeTo);
    QFETCH(QSize, expected);
    UIWrapper ui;
    if (resizeTo.isValid())
        ui.window->resize(resizeTo);
    ui.set_resizable(false);
    QCOMPARE(ui.window->minimumSize(), expected);
    QCOMPARE(ui.window->maximumSize(), expected);
    QCOMPARE(ui.window->size(), expected);
}

void TestSettings::resizableLiftsEveryEarlierLimit_data()
{
    QTest::addColumn<int>("limit");
    QTest::newRow("fixed size") << 0;
    QTest::newRow("minimum size") << 1;
    QTest::newRow("maximum size") << 2;
}

void TestSettings::resizableLiftsEveryEarlierLimit()
{
    QFETCH(int, limit);
    UIWrapper ui;
    if (limit == 0)
        ui.set_resizable(false);
    else if (limit == 1)
        ui.set_min_size(300, 200);
    else
        ui.set_max_size(900, 700);
    ui.set_resizable(true);
    QCOMPARE(ui.window->minimumSize(), QSize(0, 0));
    QCOMPARE(ui.window->maximumSize(), QSize(UNLIMITED_SIZE, UNLIMITED_SIZE));
}

void TestSettings::sizeLimitsAndOpacityAreHandedOn()
{
    UIWrapper ui;
    ui.set_min_size(320, 240).set_max_size(1024, 768).set_opacity(0.2);
    QCOMPARE(ui.window->minimumSize(), QSize(320, 240));
    QCOMPARE(ui.window->maximumSize(), QSize(1024, 768));
    QCOMPARE(ui.window->windowOpacity(), 0.2);
}

void TestSettings::missingIconLeavesAnEmptyIcon()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    ui.set_icon(dir.filePath(QStringLiteral("absent.png")));
    QVERIFY(ui.window->windowIcon().availableSizes().isEmpty());
    QVERIFY(ui.window->windowIcon().pixmap(16, 16).isNull());
}

void TestSettings::everySettingReturnsTheSameWrapper()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString style = writeFile(dir, QStringLiteral("s.qss"), "QLabel { color: red; }");
    UIWrapper ui;
    UIWrapper& end = ui.set_icon(dir.filePath(QStringLiteral("i.png")))
                         .set_resizable(true)
                         .set_min_size(10, 10)
                         .set_max_size(2000, 2000)
                         .set_opacity(0.9)
                         .set_on_close([] {})
                         .center()
                         .load_style(style);
    QCOMPARE(&end, &ui);
}

void TestSettings::centerPlacesTheWindowOnThePrimaryScreen_data()
{
    // Window size relative to the screen's, and the expected offset from the screen's origin.
    QTest::addColumn<QSize>("growth");
    QTest::addColumn<QPoint>("offset");
    QTest::newRow("even margins") << QSize(-400, -300) << QPoint(200, 150);
    QTest::newRow("odd margins round down") << QSize(-401, -301) << QPoint(200, 150);
    QTest::newRow("same size") << QSize(0, 0) << QPoint(0, 0);
    QTest::newRow("one pixel too big") << QSize(1, 1) << QPoint(-1, -1);
    QTest::newRow("three pixels too big") << QSize(3, 2) << QPoint(-2, -1);
}

void TestSettings::centerPlacesTheWindowOnThePrimaryScreen()
{
    QFETCH(QSize, growth);
    QFETCH(QPoint, offset);
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    UIWrapper ui;
    ui.window->resize(screen.size() + growth);
    QCOMPARE(ui.window->size(), screen.size() + growth);
    ui.center();
    QCOMPARE(ui.window->pos(), screen.topLeft() + offset);
}

void TestSettings::onlyTheLastCloseCallbackRunsOncePerClose()
{
    UIWrapper ui;
    int first = 0;
    int second = 0;
    ui.set_on_close([&] { ++first; }).set_on_close([&] { ++second; });

    for (int round = 1; round <= 2; ++round) {
        ui.window->show();
        QVERIFY(ui.window->close());
        QVERIFY(!ui.window->isVisible());
        QCOMPARE(first, 0);
        QCOMPARE(second, round);
    }
}

void TestSettings::emptyCloseCallbackIsRejectedAndKeepsTheHandler()
{
    UIWrapper ui;
    int calls = 0;
    ui.set_on_close([&] { ++calls; });
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ui.set_on_close({}));
    ui.window->show();
    QVERIFY(ui.window->close());
    QCOMPARE(calls, 1);
}

void TestSettings::throwingCloseCallbackKeepsTheWindowOpen()
{
    UIWrapper ui;
    int calls = 0;
    ui.set_on_close([&] {
        ++calls;
        throw std::runtime_error("sauvegarde impossible");
    });
    ui.window->show();
    QTest::ignoreMessage(
        QtCriticalMsg, "velmora : le callback de set_on_close a levé une exception : sauvegarde impossible");
    QVERIFY(!ui.window->close());
    QVERIFY(ui.window->isVisible());
    QCOMPARE(calls, 1);
}

void TestSettings::styleFileIsAppliedExactly_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << QByteArray("QLabel { color: red; }\n")
                           << QStringLiteral("QLabel { color: red; }\n");
    QTest::newRow("accents and CRLF")
        << QByteArray("/* th\xc3\xa8me \xe2\x80\x94 sombre */\r\n#content { }\r\n")
        << QStringLiteral("/* thème — sombre */\r\n#content { }\r\n");
    QTest::newRow("empty") << QByteArray() << QString();
    QTest::newRow("leading byte-order mark dropped")
        << QByteArray("\xef\xbb\xbfQLabel { color: red; }") << QStringLiteral("QLabel { color: red; }");
    QTest::newRow("only the leading mark dropped")
        << QByteArray("\xef\xbb\xbf\xef\xbb\xbf#a { }") << QStringLiteral("\ufeff#a { }");
    QTest::newRow("mark elsewhere kept")
        << QByteArray("#a { }\xef\xbb\xbf") << QStringLiteral("#a { }\ufeff");
}

void TestSettings::styleFileIsAppliedExactly()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QString, expected);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    ui.window->setStyleSheet(QStringLiteral("QWidget { color: blue; }"));
    QCOMPARE(&ui.load_style(writeFile(dir, QStringLiteral("style.qss"), bytes)), &ui);
    QCOMPARE(ui.window->styleSheet(), expected);
}

void TestSettings::relativeStylePathIsTakenFromTheCurrentDirectory()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeFile(dir, QStringLiteral("relative.qss"), "#middle { margin: 2px; }");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    UIWrapper ui;
    ui.load_style(QStringLiteral("relative.qss"));
    QVERIFY(QDir::setCurrent(previous));
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("#middle { margin: 2px; }"));
}

void TestSettings::unreadableStyleFileFailsWithTheSystemError_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("error");
    QTest::newRow("missing file") << QStringLiteral("absent.qss") << int(ENOENT);
    QTest::newRow("directory") << QStringLiteral("folder.qss") << int(EISDIR);
    QTest::newRow("below a plain file") << QStringLiteral("plain.qss/style.qss") << int(ENOTDIR);
}

void TestSettings::unreadableStyleFileFailsWithTheSystemError()
{
    QFETCH(QString, name);
    QFETCH(int, error);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder.qss")));
    writeFile(dir, QStringLiteral("plain.qss"), "#a { }");
    const QString path = dir.filePath(name);

    expectLoadStyleFailure(path, std::error_code(error, std::generic_category()));
}

void TestSettings::invalidUtf8StyleFileFails_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("stray continuation byte") << QByteArray("#a { color: r\x80"
                                                           "ed; }");
    QTest::newRow("Latin-1 accent") << QByteArray("/* th\xe8me */");
    QTest::newRow("overlong slash") << QByteArray("#a \xc0\xaf { }");
    QTest::newRow("encoded surrogate") << QByteArray("#a \xed\xa0\x80 { }");
    QTest::newRow("sequence cut at end of file") << QByteArray("#a { } /* \xe2\x80");
    QTest::newRow("mark then invalid byte") << QByteArray("\xef\xbb\xbf\xff");
}

void TestSettings::invalidUtf8StyleFileFails()
{
    QFETCH(QByteArray, bytes);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = writeFile(dir, QStringLiteral("bad.qss"), bytes);
    expectLoadStyleFailure(path, std::make_error_code(std::errc::illegal_byte_sequence));
}

void TestSettings::styleFileLeavesSectionAndOtherWindowSheetsAlone()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = writeFile(dir, QStringLiteral("style.qss"), "QLabel { color: red; }");
    UIWrapper ui;
    UIWrapper other;
    other.window->setStyleSheet(QStringLiteral("QLabel { color: green; }"));
    ui.set_style(QStringLiteral("background: black;"));
    ui.load_style(path);
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QCOMPARE(content->styleSheet(), QStringLiteral("background: black;"));
    QCOMPARE(other.window->styleSheet(), QStringLiteral("QLabel { color: green; }"));
    QCOMPARE(ui.window->styleSheet(), QStringLiteral("QLabel { color: red; }"));
}

void TestSettings::extremeSizesAreHandedToQtUnchanged_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");

    const QList<std::pair<const char*, std::pair<int, int>>> values{
        {"INT_MAX", {INT_MAX, INT_MAX}}, {"INT_MIN", {INT_MIN, INT_MIN}},    {"-1 and 0", {-1, 0}},
        {"mixed", {INT_MAX, INT_MIN}},   {"16777216", {16777216, 16777215}},
    };
    for (const char* operation : {"window", "secondary window", "set_min_size", "set_max_size",
                                  "left sidebar", "up sidebar", "padding"}) {
        for (const auto& [label, pair] : values) {
            QTest::addRow("%s, %s", operation, label) << operation << pair.first << pair.second;
        }
    }
}

void TestSettings::extremeSizesAreHandedToQtUnchanged()
{
    QFETCH(QString, operation);
    QFETCH(int, first);
    QFETCH(int, second);

    // Qt clamps what it cannot use and warns; the window must end as a plain widget given the
    // same values does.
    const CriticalLog log;
    QWidget reference;
    std::unique_ptr<UIWrapper> ui;
    if (operation == QLatin1StringView("window")) {
        ui = std::make_unique<UIWrapper>(QString(), first, second);
        reference.resize(first, second);
        QCOMPARE(ui->window->size(), reference.size());
    } else if (operation == QLatin1StringView("secondary window")) {
        if (first > 0 || second > 0)
            QSKIP("a shown window millions of pixels wide cannot get a backing store");
        UIWrapper main;
        ui = main.open_window({.width = first, .height = second});
        // Shown at once, so Qt grows it to the least its layout needs.
        QVERIFY(ui->window->isVisible());
        QCOMPARE(ui->window->size(), ui->window->minimumSizeHint());
        // Nothing to wait for: the window's first events must merely pass without harm.
        QTest::qWait(10);
    } else if (operation == QLatin1StringView("set_min_size")) {
        ui = std::make_unique<UIWrapper>();
        QCOMPARE(&ui->set_min_size(first, second), ui.get());
        reference.setMinimumSize(first, second);
        QCOMPARE(ui->window->minimumSize(), reference.minimumSize());
    } else if (operation == QLatin1StringView("set_max_size")) {
        ui = std::make_unique<UIWrapper>();
        QCOMPARE(&ui->set_max_size(first, second), ui.get());
        reference.setMaximumSize(first, second);
        QCOMPARE(ui->window->maximumSize(), reference.maximumSize());
    } else if (operation.endsWith(QLatin1StringView("sidebar"))) {
        ui = std::make_unique<UIWrapper>();
        const bool left = operation.startsWith(QLatin1StringView("left"));
        Section& bar = ui->sidebar(left ? "left" : "up", {.size = first});
        bar.add_label("a");
        if (left)
            reference.setFixedWidth(first);
        else
            reference.setFixedHeight(first);
        const QWidget* container = layoutOf(bar)->parentWidget();
        QCOMPARE(container->minimumSize(), reference.minimumSize());
        QCOMPARE(container->maximumSize(), reference.maximumSize());
    } else {
        ui = std::make_unique<UIWrapper>(QString(), 800, 600, first);
        QWidget inner(&reference);
        QVBoxLayout column(&inner);
        column.setContentsMargins(first, first, first, first);
        QCOMPARE(ui->window->centralWidget()->layout()->contentsMargins(), column.contentsMargins());
    }
    ui->add_label("contenu");
    layOut(*ui);
    QCOMPARE(log.criticals(), QStringList());
}

void TestSettings::closeCallbackThrowingANonStandardValueKeepsTheWindowOpen()
{
    const CriticalLog log;
    UIWrapper ui;
    ui.set_on_close([] { throw 42; });
    ui.window->show();
    QVERIFY(!ui.window->close());
    QVERIFY(ui.window->isVisible());
    QCOMPARE(log.criticals(),
             QStringList{"velmora : le callback de set_on_close a levé une exception inconnue"});

    int closes = 0;
    ui.set_on_close([&] { ++closes; });
    QVERIFY(ui.window->close());
    QCOMPARE(closes, 1);
    QCOMPARE(log.criticals().size(), 1);
}

void TestSettings::unusableStylePathFailsAndChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("watch");
    addUnusableStylePathRows("load_style", false);
}

void TestSettings::unusableStylePathFailsAndChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(int, error);
    QFETCH(bool, watch);
    checkUnusableStylePathFailsAndChangesNothing(path, error, watch);
}

void TestSettings::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("empty close callback")
        << Action([](UIWrapper& ui) { ui.set_on_close({}); }) << "invalid_argument";
    QTest::newRow("style path with a NUL")
        << Action([](UIWrapper& ui) { ui.load_style(QString::fromUtf16(u"style\0.qss", 10)); })
        << "filesystem_error";
}

void TestSettings::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
