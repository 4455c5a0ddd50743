// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "message_log.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <stdexcept>

using velmora::TabSections;
using velmora::UIWrapper;
using namespace fixture;

class TestWindowActions : public QObject
{
    Q_OBJECT

private slots:
    void shortcutRunsItsCallbackWhateverHasTheFocus_data();
    void shortcutRunsItsCallbackWhateverHasTheFocus();
    void closeActsAsTheUser_data();
    void closeActsAsTheUser();
    void titleIsReplaced();
    void pagesAreSwitchedByTitle_data();
    void pagesAreSwitchedByTitle();
    void showRefusesAMissingPage();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
};

void TestWindowActions::shortcutRunsItsCallbackWhateverHasTheFocus_data()
{
    QTest::addColumn<QKeySequence>("keys");
    QTest::addColumn<QString>("focus"); // the object name of the focused widget; empty: none
    QTest::addColumn<bool>("throws");

    QTest::newRow("digit, focus on a button") << QKeySequence(Qt::Key_7) << "bouton" << false;
    QTest::newRow("Ctrl+S, focus in a field") << QKeySequence(Qt::CTRL | Qt::Key_S) << "champ" << false;
    QTest::newRow("F5, nothing focused") << QKeySequence(Qt::Key_F5) << "" << false;
    QTest::newRow("callback throws") << QKeySequence(Qt::Key_Plus) << "bouton" << true;
}

void TestWindowActions::shortcutRunsItsCallbackWhateverHasTheFocus()
{
    QFETCH(QKeySequence, keys);
    QFETCH(QString, focus);
    QFETCH(bool, throws);

    UIWrapper ui;
    int calls = 0;
    int clicks = 0;
    ui.add_input({.name = "champ"}).add_row().add_button("ok", [&] { ++clicks; }, {.name = "bouton"});
    QCOMPARE(&ui.add_shortcut(keys,
                              [&] {
                                  ++calls;
                                  if (throws)
                                      throw std::runtime_error("raté");
                              }),
             &ui);
    ui.window->show();
    ui.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(ui.window));
    QWidget* target = focus.isEmpty() ? static_cast<QWidget*>(ui.window) : ui.find(focus);
    if (!focus.isEmpty()) {
        target->setFocus();
        QTRY_VERIFY(target->hasFocus());
    }

    CriticalLog log;
    QTest::keySequence(target, keys);
    QCOMPARE(calls, 1);
    QCOMPARE(clicks, 0);
    QCOMPARE(log.criticals(),
             throws ? QStringList{"velmora : le callback de add_shortcut a levé une exception : raté"}
                    : QStringList{});
    QVERIFY(ui.window->isVisible());
}

void TestWindowActions::closeActsAsTheUser_data()
{
    QTest::addColumn<bool>("shown");
    QTest::addColumn<bool>("throws");
    QTest::addColumn<bool>("visibleAfter");

    QTest::newRow("shown window") << true << false << false;
    QTest::newRow("hidden window") << false << false << false;
    QTest::newRow("callback throws, window stays") << true << true << true;
}

void TestWindowActions::closeActsAsTheUser()
{
    QFETCH(bool, shown);
    QFETCH(bool, throws);
    QFETCH(bool, visibleAfter);

    UIWrapper ui;
    int closes = 0;
    ui.set_on_close([&] {
        ++closes;
        if (throws)
            throw std::runtime_error("pas maintenant");
    });
    if (shown) {
        ui.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    }
    CriticalLog log;
    QCOMPARE(&ui.close(), &ui);
    QCOMPARE(closes, 1);
    QCOMPARE(ui.window->isVisible(), visibleAfter);
    QCOMPARE(log.criticals().size(), throws ? 1 : 0);
}

void TestWindowActions::titleIsReplaced()
{
    UIWrapper ui("Avant");
    QCOMPARE(&ui.set_title("Après — 3 éléments").set_title("Après — 4 éléments"), &ui);
    QCOMPARE(ui.window->windowTitle(), QStringLiteral("Après — 4 éléments"));
}

void TestWindowActions::pagesAreSwitchedByTitle_data()
{
    QTest::addColumn<bool>("tabBar");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("index");

    QTest::newRow("with tabs, last page") << true << "Journal" << 2;
    QTest::newRow("without tabs, middle page") << false << "Réglages" << 1;
    QTest::newRow("without tabs, back to the first") << false << "Accueil" << 0;
    QTest::newRow("repeated title, its last page") << false << "Double" << 4;
}

void TestWindowActions::pagesAreSwitchedByTitle()
{
    QFETCH(bool, tabBar);
    QFETCH(QString, title);
    QFETCH(int, index);

    UIWrapper ui;
    const TabSections pages =
        ui.add_tabs({"Accueil", "Réglages", "Journal", "Double", "Double"}, {.tab_bar = tabBar});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    QCOMPARE(pages.widget()->tabBar()->isVisible(), tabBar);
    QCOMPARE(pages.current(), QStringLiteral("Accueil"));

    pages.show("Journal");
    pages.show(title);
    QCOMPARE(pages.widget()->currentIndex(), index);
    QCOMPARE(pages.current(), title);
    QWidget* page = layoutOf(pages.at(title))->parentWidget();
    QCOMPARE(pages.widget()->currentWidget(), page);
    QVERIFY(page->isVisible());
}

void TestWindowActions::showRefusesAMissingPage()
{
    UIWrapper ui;
    const TabSections pages = ui.add_tabs({"Un", "Deux"}, {.tab_bar = false});
    pages.show("Deux");
    QVERIFY_THROWS_EXCEPTION(std::out_of_range, pages.show("un"));
    QCOMPARE(pages.current(), QStringLiteral("Deux"));
    delete pages.widget()->widget(0);
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pages.show("Un"));
    QCOMPARE(pages.current(), QStringLiteral("Deux"));
    ui.clear();
    turnTheEventLoop();
    QVERIFY_THROWS_EXCEPTION(std::logic_error, pages.show("Deux"));
    QCOMPARE(pages.current(), QString());
}

void TestWindowActions::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("shortcut without keys") << Action([](UIWrapper& ui) {
        ui.add_shortcut(QKeySequence(), [] {});
    }) << "invalid_argument";
    QTest::newRow("shortcut without callback")
        << Action([](UIWrapper& ui) { ui.add_shortcut(QKeySequence(Qt::Key_F2), {}); }) << "invalid_argument";
}

void TestWindowActions::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestWindowActions)
#include "tst_window_actions.moc"
