// SPDX-License-Identifier: MIT
#pragma once

// Helpers shared by the tests of careless and hostile input and of object lifetimes: awkward
// texts, a furnished window, and a snapshot of a window's whole state to prove that a rejected
// call left it untouched.

#include "layout_probe.h"

#include <velmora/velmora.h>

#include <QBoxLayout>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMetaType>
#include <QString>
#include <QStringList>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QVariant>

#include <cerrno>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

#include <sys/stat.h>
#include <unistd.h>

/// An operation on a window, for data-driven tests.
using Action = std::function<void(velmora::UIWrapper&)>;
Q_DECLARE_METATYPE(Action)

namespace fixture {

/// The end of the message for an unknown sidebar side, after the word given.
inline QString validSides()
{
    return QStringLiteral("'. Valeurs valides : ['up', 'down', 'left', 'right']");
}

/// A text of one mebibyte.
inline QString megabyteText()
{
    return QString(1 << 20, QLatin1Char('m'));
}

/// "a", a NUL character, "b".
inline QString withNul()
{
    return QString::fromUtf16(u"a\0b", 3);
}

/// A short name for the exact type of an exception.
inline QString typeOf(const std::exception& error)
{
    if (typeid(error) == typeid(velmora::ValueError))
        return QStringLiteral("ValueError");
    if (typeid(error) == typeid(std::invalid_argument))
        return QStringLiteral("invalid_argument");
    if (typeid(error) == typeid(std::out_of_range))
        return QStringLiteral("out_of_range");
    if (typeid(error) == typeid(std::filesystem::filesystem_error))
        return QStringLiteral("filesystem_error");
    return QString::fromLatin1(typeid(error).name());
}

/// Everything an operation could leave behind in a window: its objects and names, what each box
/// layout holds, margins, spacing and alignment, style sheets, title, size limits and opacity.
inline QStringList stateOf(const velmora::UIWrapper& ui)
{
    const QMainWindow* window = ui.window;
    QStringList state{window->windowTitle(), window->styleSheet(),
                      QStringLiteral("%1 %2 %3 %4")
                          .arg(QVariant(window->size()).toString(),
                               QVariant(window->minimumSize()).toString(),
                               QVariant(window->maximumSize()).toString())
                          .arg(window->windowOpacity())};
    for (const QObject* object : window->findChildren<QObject*>()) {
        QString line = QLatin1StringView(object->metaObject()->className()) + u' ' + object->objectName();
        if (const auto* layout = qobject_cast<const QBoxLayout*>(object)) {
            const QMargins m = layout->contentsMargins();
            line += QStringLiteral(" [%1] %2,%3,%4,%5 spacing %6 align %7")
                        .arg(itemsOf(layout).join(u','))
                        .arg(m.left())
                        .arg(m.top())
                        .arg(m.right())
                        .arg(m.bottom())
                        .arg(layout->spacing())
                        .arg(int(layout->alignment()));
        }
        if (const auto* widget = qobject_cast<const QWidget*>(object))
            line += u' ' + widget->styleSheet();
        state << line;
    }
    return state;
}

/// A window with some of everything, so that a rejected call has something to disturb.
inline void furnish(velmora::UIWrapper& ui)
{
    ui.sidebar("left", {.stretches = {1}, .align = "center"}).add_label("barre", {.name = "barre"});
    ui.add_label("titre", {.name = "titre"});
    velmora::Section& row =
        ui.add_row({.stretches = {2, 3}, .align = "top", .cross_align = "center", .name = "ligne"});
    (void)row.add_input({.name = "champ"}).end().add_table({"A", "B"}, {.rows = 1});
    ui.add_tabs({"Un", "Deux"}).at("Deux").add_checkbox("case", {.name = "case"});
}

/// One window with something of every kind, each callback counting its calls in `calls`.
inline void furnishWithCallbacks(velmora::UIWrapper& ui, int& calls)
{
    ui.sidebar("left").add_label("barre").add_button("b", [&] { ++calls; });
    ui.add_label("titre", {.name = "titre"})
        .add_input({.placeholder = "nom", .callback = [&](const QString&) { ++calls; }, .name = "champ"})
        .add_dropdown({"un", "deux"}, {.callback = [&](const QString&) { ++calls; }, .name = "liste"})
        .add_checkbox("actif", {.callback = [&](bool) { ++calls; }, .checked = true, .name = "case"});
    velmora::Section& row = ui.add_row({.stretches = {1, 2}, .align = "center", .name = "ligne"});
    row.add_button("ok", [&] { ++calls; }, {.gap = 4}).add_separator();
    QTableWidget* table = ui.add_table({"A", "B"}, {.rows = 1});
    ui.add_table_row(table, {1, "x"});
    ui.add_tabs({"Un", "Deux"}).at("Deux").add_scroll().add_label("défile");
}

/// Runs `call` on a furnished window and checks that it throws an exception of the type named
/// `type` (see typeOf) and leaves the window exactly as it was, still usable and closable.
inline void checkRejectedCallChangesNothing(const Action& call, const QString& type)
{
    using velmora::UIWrapper;
    UIWrapper ui;
    furnish(ui);
    int closes = 0;
    ui.set_on_close([&] { ++closes; });
    const QStringList before = stateOf(ui);

    try {
        call(ui);
        QFAIL("the call was accepted");
    } catch (const std::exception& error) {
        QCOMPARE(typeOf(error), type);
    }

    QCOMPARE(stateOf(ui), before);
    QCOMPARE(ui.get("ok"), nullptr);
    QCOMPARE(ui.sidebar("left").get("ok"), nullptr);
    QVERIFY(ui.get("titre"));
    ui.add_label("après");
    QCOMPARE(itemsOf(ui.end()).constLast(), QStringLiteral("QLabel:0"));
    ui.window->show();
    QVERIFY(ui.window->close());
    QCOMPARE(closes, 1);
}

/// Lets the window's layouts work out sizes and place every widget, without painting it: what
/// a huge or negative size does to Qt's arithmetic shows here.
inline void layOut(velmora::UIWrapper& ui)
{
    QWidget* central = ui.window->centralWidget();
    (void)ui.window->sizeHint();
    (void)ui.window->minimumSizeHint();
    central->layout()->activate();
    central->layout()->setGeometry(QRect(0, 0, 640, 480));
    for (QLayout* layout : ui.window->findChildren<QLayout*>())
        layout->activate();
}

/// Carries out the deletions that clear() and banners scheduled, and whatever else is pending.
inline void turnTheEventLoop()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

/// Writes `bytes` to `path`, which it returns.
inline QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

/// Writes a small label style to "style.qss" in `dir` and returns its path.
inline QString writeStyle(const QTemporaryDir& dir)
{
    return writeFile(dir.filePath(QStringLiteral("style.qss")), "QLabel { color: red; }");
}

/// Adds the data rows of paths that cannot be used as a style sheet, named after `how` (the
/// operation tried): the path, the error its failure must carry, and `watch`.
inline void addUnusableStylePathRows(const char* how, bool watch)
{
    QTest::addRow("%s, missing", how) << "absent.qss" << ENOENT << watch;
    QTest::addRow("%s, empty path", how) << "" << ENOENT << watch;
    QTest::addRow("%s, directory", how) << "dossier" << EISDIR << watch;
    QTest::addRow("%s, no read permission", how) << "fermé.qss" << EACCES << watch;
    QTest::addRow("%s, read fails", how) << "/proc/self/mem" << EIO << watch;
    QTest::addRow("%s, pipe without writer", how) << "tube.qss" << EINVAL << watch;
    QTest::addRow("%s, endless device", how) << "/dev/zero" << EINVAL << watch;
    QTest::addRow("%s, NUL in the path", how)
        << QString::fromUtf16(u"style.qss\0.txt", 14) << EINVAL << watch;
    QTest::addRow("%s, invalid UTF-8", how) << "latin1.qss" << EILSEQ << watch;
    QTest::addRow("%s, over 16 MiB", how) << "énorme.qss" << EFBIG << watch;
}

/// Hands `path` to watch_style (if `watch`) or load_style, from a directory holding a
/// directory, an unreadable file, a pipe, a file that is not UTF-8 and one a byte over 16 MiB
/// (sparse, so that it costs no disk), and checks that the call
/// fails with `error` and the path, and changes nothing in the window.
inline void checkUnusableStylePathFailsAndChangesNothing(const QString& path, int error, bool watch)
{
    using velmora::UIWrapper;
    if (error == EACCES && geteuid() == 0)
        QSKIP("root reads files whatever their permission bits");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("dossier"));
    QFile::setPermissions(writeFile(dir.filePath("fermé.qss"), "#a { }"), QFileDevice::WriteOwner);
    writeFile(dir.filePath("latin1.qss"), "/* th\xe8me */");
    QVERIFY(QFile::resize(writeFile(dir.filePath("énorme.qss"), "QLabel { color: red; }"),
                          16 * 1024 * 1024 + 1));
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tube.qss")).constData(), 0600), 0);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    UIWrapper ui;
    ui.window->setStyleSheet("QWidget { color: blue; }");
    const QStringList before = stateOf(ui);
    const qsizetype children = ui.window->children().size();
    try {
        watch ? ui.watch_style(path) : ui.load_style(path);
        QVERIFY(QDir::setCurrent(previous));
        QFAIL("the path was accepted");
    } catch (const std::filesystem::filesystem_error& failure) {
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(failure.code(), std::error_code(error, std::generic_category()));
        QCOMPARE(QString::fromLocal8Bit(failure.path1().c_str()), path.left(path.indexOf(QChar(0))));
    }
    QCOMPARE(stateOf(ui), before);
    QCOMPARE(ui.window->children().size(), children);
}

} // namespace fixture
