#include "banner_probe.h"
#include "layout_probe.h"
#include "message_log.h"

#include <velmora/velmora.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <optional>

#include <malloc.h>

#if defined(__SANITIZE_ADDRESS__)
#define VELMORA_TEST_ASAN 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define VELMORA_TEST_ASAN 1
#endif
#endif

using velmora::Section;
using velmora::TabSections;
using velmora::UIWrapper;

namespace {

// Carries out the deletions that clear() and banners scheduled, and whatever else is pending.
void turnTheEventLoop()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}

QString writeStyle(const QTemporaryDir& dir)
{
    const QString path = dir.filePath(QStringLiteral("style.qss"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write("QLabel { color: red; }") != 22)
        qFatal("cannot write %s", qPrintable(path));
    return path;
}

// One window with something of every kind, callbacks included.
void furnish(UIWrapper& ui, int& calls)
{
    ui.sidebar("left").add_label("barre").add_button("b", [&] { ++calls; });
    ui.add_label("titre", {.name = "titre"})
        .add_input({.placeholder = "nom", .callback = [&](const QString&) { ++calls; }, .name = "champ"})
        .add_dropdown({"un", "deux"}, {.callback = [&](const QString&) { ++calls; }, .name = "liste"})
        .add_checkbox("actif", {.callback = [&](bool) { ++calls; }, .checked = true, .name = "case"});
    Section& row = ui.add_row({.stretches = {1, 2}, .align = "center", .name = "ligne"});
    row.add_button("ok", [&] { ++calls; }, {.gap = 4}).add_separator();
    QTableWidget* table = ui.add_table({"A", "B"}, {.rows = 1});
    ui.add_table_row(table, {1, "x"});
    ui.add_tabs({"Un", "Deux"}).at("Deux").add_scroll().add_label("défile");
}

} // namespace

class TestLifetimes : public QObject
{
    Q_OBJECT

private slots:
    void wrapperDestroyedWithBannersPending();
    void clearThenDestroyBeforeTheLoopTurns();
    void callbackClearsTheSectionHoldingIt_data();
    void callbackClearsTheSectionHoldingIt();
    void callbackReleasesAnotherWindow();
    void secondaryReleasedWhileShown();
    void secondaryDeletedOnCloseByQt();
    void destroyingAWindowCallsNoCallback();
    void repeatedWrappersDoNotGrowTheHeap();
    void tabSectionsCopyOutlivesTheCallAndTheWindow();
    void registeredWidgetDeletedByTheApplication_data();
    void registeredWidgetDeletedByTheApplication();
};

void TestLifetimes::wrapperDestroyedWithBannersPending()
{
    // A banner's timer must go with the banner: one left pending in the event dispatcher would
    // live on for the rest of its duration, up to weeks, for every banner of a closed window.
    const qsizetype dispatcherChildren = QAbstractEventDispatcher::instance()->children().size();
    auto ui = std::make_unique<UIWrapper>();
    ui->window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui->window));
    ui->notify("court", {.duration = 30}).notify("long", {.duration = 60000}).notify("nul", {.duration = 0});
    std::unique_ptr<UIWrapper> secondary = ui->open_window();
    secondary->notify("ailleurs", {.duration = 40});
    QList<QPointer<QLabel>> banners;
    for (QLabel* banner : bannersOf(*ui) + bannersOf(*secondary))
        banners.append(banner);
    QCOMPARE(banners.size(), 4);

    ui.reset();
    secondary.reset();
    for (const QPointer<QLabel>& banner : banners)
        QVERIFY(banner.isNull());
    QCOMPARE(QAbstractEventDispatcher::instance()->children().size(), dispatcherChildren);
    QTest::qWait(100);
}

void TestLifetimes::clearThenDestroyBeforeTheLoopTurns()
{
    int calls = 0;
    QList<QPointer<QWidget>> removed;
    {
        UIWrapper ui;
        furnish(ui, calls);
        for (QWidget* widget : ui.window->findChild<QWidget*>("content")->findChildren<QWidget*>())
            removed.append(widget);
        Section& nested = ui.add_column();
        nested.add_label("imbriqué");
        nested.clear();
        ui.clear();
        ui.sidebar("left").clear();
        QVERIFY(removed.constFirst());
    }
    for (const QPointer<QWidget>& widget : removed)
        QVERIFY(widget.isNull());
    turnTheEventLoop();
    QCOMPARE(calls, 0);
}

void TestLifetimes::callbackClearsTheSectionHoldingIt_data()
{
    QTest::addColumn<QString>("widget");
    QTest::newRow("button") << "button";
    QTest::newRow("input") << "input";
    QTest::newRow("dropdown") << "dropdown";
    QTest::newRow("checkbox") << "checkbox";
}

void TestLifetimes::callbackClearsTheSectionHoldingIt()
{
    QFETCH(QString, widget);

    UIWrapper ui;
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    int rebuilds = 0;
    // The row's section is destroyed by its parent's clear while its own widget is emitting.
    const auto rebuild = [&] {
        ui.clear().add_label("reconstruit", {.name = "reconstruit"});
        ++rebuilds;
    };
    Section& row = ui.add_row();
    if (widget == QLatin1StringView("button"))
        row.add_button("vider", rebuild);
    else if (widget == QLatin1StringView("input"))
        row.add_input({.callback = [&](const QString&) { rebuild(); }});
    else if (widget == QLatin1StringView("dropdown"))
        row.add_dropdown({"un", "deux"}, {.callback = [&](const QString&) { rebuild(); }});
    else
        row.add_checkbox("vider", {.callback = [&](bool) { rebuild(); }});
    const QPointer<QWidget> target = layoutOf(row)->itemAt(0)->widget();

    if (auto* button = qobject_cast<QPushButton*>(target))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (auto* input = qobject_cast<QLineEdit*>(target))
        QTest::keyClick(input, Qt::Key_A);
    else if (auto* combo = qobject_cast<QComboBox*>(target))
        QTest::keyClick(combo, Qt::Key_Down);
    else
        QTest::mouseClick(target, Qt::LeftButton, {}, QPoint(6, target->height() / 2));
    QCOMPARE(rebuilds, 1);

    turnTheEventLoop();
    QVERIFY(target.isNull());
    QCOMPARE(itemsOf(ui.end()), QStringList({"QLabel:0"}));
    QVERIFY(ui.get("reconstruit"));
}

void TestLifetimes::callbackReleasesAnotherWindow()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window();
    std::unique_ptr<UIWrapper> second = first->open_window();
    const QPointer<QMainWindow> firstWindow = first->window;
    const QPointer<QMainWindow> secondWindow = second->window;
    first->add_button("fermer la suivante", [&] { second.reset(); });
    ui.add_button("fermer la première", [&] { first.reset(); });
    ui.window->show();

    QTest::mouseClick(first->window->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(secondWindow.isNull());
    QTest::mouseClick(ui.window->findChild<QPushButton*>(), Qt::LeftButton);
    QVERIFY(firstWindow.isNull());
    QTest::qWait(20);
    QVERIFY(ui.window->isVisible());
}

void TestLifetimes::secondaryReleasedWhileShown()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window({.title = "Détails"});
    int calls = 0;
    furnish(*secondary, calls);
    secondary->watch_style(writeStyle(dir)).notify("attente", {.duration = 50});
    QVERIFY(QTest::qWaitForWindowExposed(secondary->window));
    const QPointer<QMainWindow> window = secondary->window;

    secondary.reset();
    QVERIFY(window.isNull());
    QFile file(dir.filePath("style.qss"));
    QVERIFY(file.open(QIODevice::Append));
    file.write("QPushButton { color: blue; }");
    file.close();
    QTest::qWait(100);
    QVERIFY(!QApplication::topLevelWidgets().contains(window.data()));
    QCOMPARE(calls, 0);
}

void TestLifetimes::secondaryDeletedOnCloseByQt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    int closes = 0;
    int calls = 0;
    furnish(*secondary, calls);
    secondary->set_on_close([&] { ++closes; })
        .watch_style(writeStyle(dir))
        .notify("attente", {.duration = 50});
    secondary->window->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QMainWindow> window = secondary->window;

    QVERIFY(window->close());
    QCOMPARE(closes, 1);
    QTRY_VERIFY(window.isNull());
    QTest::qWait(80);
    secondary.reset();
    QCOMPARE(closes, 1);
    QCOMPARE(calls, 0);
}

void TestLifetimes::destroyingAWindowCallsNoCallback()
{
    int calls = 0;
    {
        UIWrapper ui;
        furnish(ui, calls);
        ui.sidebar("right").add_dropdown({"a", "b", "c"}, {.callback = [&](const QString&) { ++calls; }});
        ui.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    }
    QCOMPARE(calls, 0);
}

void TestLifetimes::repeatedWrappersDoNotGrowTheHeap()
{
#ifdef VELMORA_TEST_ASAN
    QSKIP("AddressSanitizer replaces malloc; the heap figures mean nothing here");
#else
    // No style sheet here: Qt's own style-sheet caches grow with every styled window made and
    // destroyed, with or without this library.
    std::size_t afterWarmUp = 0;
    for (int i = 1; i <= 200; ++i) {
        int calls = 0;
        {
            UIWrapper ui(QStringLiteral("Fenêtre %1").arg(i));
            furnish(ui, calls);
            ui.notify("bonjour", {.duration = 60000}).notify("bref", {.duration = 0});
            std::unique_ptr<UIWrapper> secondary = ui.open_window();
            secondary->add_label("secondaire");
            ui.add_row().add_label("vidé");
            ui.clear().add_label("après");
        }
        turnTheEventLoop();
        if (i == 20)
            afterWarmUp = mallinfo2().uordblks;
    }
    const std::size_t atEnd = mallinfo2().uordblks;
    const auto growth = qint64(atEnd) - qint64(afterWarmUp);
    qInfo("heap in use after 20 windows: %zu bytes, after 200: %zu bytes", afterWarmUp, atEnd);
    QVERIFY2(growth < 96 * 1024, qPrintable(QStringLiteral("grew by %1 bytes").arg(growth)));
#endif
}

void TestLifetimes::tabSectionsCopyOutlivesTheCallAndTheWindow()
{
    TabSections kept;
    {
        UIWrapper ui;
        {
            const TabSections tabs = ui.add_tabs({"A", "B", "A"});
            kept = tabs;
        }
        TabSections assigned;
        assigned = kept;
        kept.at("B").add_label("b", {.name = "b"});
        QCOMPARE(assigned.at("B").get("b"), kept.at("B").get("b"));
        QCOMPARE(kept.keys(), QStringList({"A", "B"}));
        QCOMPARE(&kept.at("A").end(), &ui.end());
    }
    // The sections are gone with their window; the map may still be asked about its titles.
    QCOMPARE(kept.keys(), QStringList({"A", "B"}));
    QVERIFY(kept.contains("A"));
}

void TestLifetimes::registeredWidgetDeletedByTheApplication_data()
{
    QTest::addColumn<QString>("where");
    QTest::addColumn<bool>("later");

    for (const char* where : {"root", "sidebar", "row"}) {
        QTest::addRow("%s, deleted at once", where) << where << false;
        QTest::addRow("%s, deleted later", where) << where << true;
    }
}

void TestLifetimes::registeredWidgetDeletedByTheApplication()
{
    QFETCH(QString, where);
    QFETCH(bool, later);

    UIWrapper ui;
    Section& section = where == QLatin1StringView("root")      ? ui.end()
                       : where == QLatin1StringView("sidebar") ? ui.sidebar("down")
                                                               : ui.add_row();
    section.add_input({.name = "champ"}).add_label("reste", {.name = "reste"});
    QWidget* input = section.get("champ");
    if (later) {
        input->deleteLater();
        QVERIFY(section.get("champ"));
        turnTheEventLoop();
    } else {
        delete input;
    }
    QCOMPARE(section.get("champ"), nullptr);
    QVERIFY(section.get("reste"));
    QCOMPARE(itemsOf(section), QStringList({"QLabel:0"}));

    section.add_checkbox("nouveau", {.name = "champ"});
    QCOMPARE(section.get("champ"), widgetAt<QCheckBox>(section, 1));
    section.clear();
    turnTheEventLoop();
    QCOMPARE(section.get("champ"), nullptr);
}

QTEST_MAIN(TestLifetimes)
#include "tst_lifetimes.moc"
