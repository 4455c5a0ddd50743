// SPDX-License-Identifier: MIT
#include "heap_probe.h"
#include "message_log.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <stdexcept>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

class TestWrapper : public QObject
{
    Q_OBJECT

private slots:
    void defaultWindowHasSkeleton();
    void secondWrapperSharesApplication();
    void runReturnsTheLoopsExitCode();
    void chainStartedOnWrapperLandsInRootSection();
    void emptyButtonCallbackIsRejected();

    // Careless and hostile input, and objects outliving or outlived by others.
    void libraryErrorsReachTheCallerUnchanged();
    void destroyingAWindowCallsNoCallback();
    void repeatedWrappersDoNotGrowTheHeap();
    void everyConstructorFormMeansTheObviousThing();
};

void TestWrapper::defaultWindowHasSkeleton()
{
    UIWrapper ui;
    QCOMPARE(ui.window->windowTitle(), QString());
    QCOMPARE(ui.window->size(), QSize(800, 600));
    QVERIFY(!ui.window->isVisible());
    QCOMPARE(QString::fromLatin1(ui.window->metaObject()->className()), QStringLiteral("QMainWindow"));
    auto* middle = ui.window->findChild<QWidget*>(QStringLiteral("middle"));
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QVERIFY(middle);
    QVERIFY(content);
    QCOMPARE(content->parentWidget(), middle);
    QCOMPARE(ui.window->centralWidget()->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
}

void TestWrapper::secondWrapperSharesApplication()
{
    UIWrapper first;
    UIWrapper second(QStringLiteral("Deux"), 300, 200, 12);
    QCOMPARE(first.app, second.app);
    QCOMPARE(static_cast<QCoreApplication*>(second.app), QCoreApplication::instance());
    QCOMPARE(second.window->centralWidget()->layout()->contentsMargins(), QMargins(12, 12, 12, 12));
}

void TestWrapper::runReturnsTheLoopsExitCode()
{
    UIWrapper ui;
    QTimer::singleShot(0, [] { QCoreApplication::exit(7); });
    QCOMPARE(ui.run(), 7);
    QVERIFY(ui.window->isVisible());
}

void TestWrapper::chainStartedOnWrapperLandsInRootSection()
{
    UIWrapper ui;
    int clicks = 0;
    velmora::Section& root = ui.add_label("Titre").add_button("OK", [&] { ++clicks; });
    QCOMPARE(&root, &ui.end());
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QCOMPARE(content->layout()->count(), 2);
    auto* button = qobject_cast<QPushButton*>(content->layout()->itemAt(1)->widget());
    QVERIFY(button);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(clicks, 1);
}

void TestWrapper::emptyButtonCallbackIsRejected()
{
    UIWrapper ui;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ui.add_button("OK", {}));
    auto* content = ui.window->findChild<QWidget*>(QStringLiteral("content"));
    QCOMPARE(content->layout()->count(), 0);
}

void TestWrapper::libraryErrorsReachTheCallerUnchanged()
{
    const CriticalLog log;
    UIWrapper ui;
    try {
        ui.sidebar("Milieu");
        QFAIL("no error");
    } catch (const velmora::ValueError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), "Sidebar inconnue : 'milieu" + validSides());
    }
    try {
        ui.add_button("b", {});
        QFAIL("no error");
    } catch (const std::invalid_argument& error) {
        QCOMPARE(typeOf(error), QStringLiteral("invalid_argument"));
    }
    try {
        ui.load_style("/nonexistent/velmora.qss");
        QFAIL("no error");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(std::errc::no_such_file_or_directory));
        QCOMPARE(error.path1(), std::filesystem::path("/nonexistent/velmora.qss"));
    }
    try {
        ui.add_tabs({"A"}).at("B");
        QFAIL("no error");
    } catch (const std::out_of_range&) {
    }
    QCOMPARE(log.criticals(), QStringList());
}

void TestWrapper::destroyingAWindowCallsNoCallback()
{
    int calls = 0;
    {
        UIWrapper ui;
        furnishWithCallbacks(ui, calls);
        ui.sidebar("right").add_dropdown({"a", "b", "c"}, {.callback = [&](const QString&) { ++calls; }});
        // A table's rows go with it, and its current row with them.
        QTableWidget* table = ui.add_table({"A"}, {.on_select = [&](int row) { calls += row == 1 ? 1000 : 1; }});
        ui.add_table_rows(table, {{1}, {2}});
        table->setCurrentCell(1, 0);
        ui.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    }
    QCOMPARE(calls, 1000);
}

void TestWrapper::repeatedWrappersDoNotGrowTheHeap()
{
    if (!heap::MEASURABLE)
        QSKIP("AddressSanitizer replaces malloc; the heap figures mean nothing here");
    // No style sheet here: Qt's own style-sheet caches grow with every styled window made and
    // destroyed, with or without this library.
    std::size_t afterWarmUp = 0;
    for (int i = 1; i <= 200; ++i) {
        int calls = 0;
        {
            UIWrapper ui(QStringLiteral("Fenêtre %1").arg(i));
            furnishWithCallbacks(ui, calls);
            ui.notify("bonjour", {.duration = 60000}).notify("bref", {.duration = 0});
            std::unique_ptr<UIWrapper> secondary = ui.open_window();
            secondary->add_label("secondaire");
            ui.add_row().add_label("vidé");
            ui.clear().add_label("après");
        }
        turnTheEventLoop();
        if (i == 20)
            afterWarmUp = heap::inUse();
    }
    const std::size_t atEnd = heap::inUse();
    const auto growth = qint64(atEnd) - qint64(afterWarmUp);
    qInfo("heap in use after 20 windows: %zu bytes, after 200: %zu bytes", afterWarmUp, atEnd);
    QVERIFY2(growth < 96 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
}

void TestWrapper::everyConstructorFormMeansTheObviousThing()
{
    // Braced forms take WindowOptions; the others the positional constructor.
    const QString title = QStringLiteral("Variable");
    UIWrapper empty({});
    UIWrapper braced({"Titre"});
    UIWrapper designated({.title = "Titre", .width = 640});
    UIWrapper positional("Titre");
    UIWrapper sized("Titre", 640, 480);
    UIWrapper fromQString(title, 500);
    const auto described = [](const UIWrapper& ui) {
        return QStringLiteral("%1 %2x%3")
            .arg(ui.window->windowTitle())
            .arg(ui.window->width())
            .arg(ui.window->height());
    };
    QCOMPARE(described(empty), " 800x600");
    QCOMPARE(described(braced), "Titre 800x600");
    QCOMPARE(described(designated), "Titre 640x600");
    QCOMPARE(described(positional), "Titre 800x600");
    QCOMPARE(described(sized), "Titre 640x480");
    QCOMPARE(described(fromQString), "Variable 500x600");
}

QTEST_MAIN(TestWrapper)
#include "tst_wrapper.moc"
