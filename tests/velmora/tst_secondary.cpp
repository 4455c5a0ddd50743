// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <memory>
#include <type_traits>

using velmora::UIWrapper;

using namespace fixture;

namespace {

QStringList labelTexts(const UIWrapper& ui)
{
    QStringList texts;
    for (const QLabel* label : ui.window->findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

QWidget* content(const UIWrapper& ui)
{
    return ui.window->findChild<QWidget*>(QStringLiteral("content"));
}

} // namespace

class TestSecondary : public QObject
{
    Q_OBJECT

private slots:
    void defaultWindowIsShownAtFourHundredByThreeHundred();
    void optionsArePassedThrough();
    void windowsDoNotShareContent();
    void settingsStayWithTheirWindow();
    void closingOneWindowLeavesTheOthers();
    void applicationObjectIsShared();
    void releasingTheWrapperDestroysItsWindow();
    void windowDeletedByQtIsNotDeletedTwice();
    void secondaryWindowOpensItsOwnSecondary();

    // Objects outliving or outlived by others.
    void callbackReleasesAnotherWindow();
    void secondaryReleasedWhileShown();
    void secondaryDeletedOnCloseByQt();

    void modalWindowBlocksTheOthersUntilClosed_data();
    void modalWindowBlocksTheOthersUntilClosed();
};

void TestSecondary::defaultWindowIsShownAtFourHundredByThreeHundred()
{
    static_assert(
        std::is_same_v<decltype(std::declval<UIWrapper&>().open_window()), std::unique_ptr<UIWrapper>>);
    UIWrapper ui(QStringLiteral("Principale"), 900, 700, 8);
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    QVERIFY(secondary);
    QVERIFY(secondary->window != ui.window);
    QVERIFY(secondary->window->isVisible());
    QVERIFY(!ui.window->isVisible());
    QCOMPARE(secondary->window->size(), QSize(400, 300));
    QCOMPARE(secondary->window->windowTitle(), QString());
    QCOMPARE(secondary->window->centralWidget()->layout()->contentsMargins(), QMargins(0, 0, 0, 0));
    QCOMPARE(secondary->window->parentWidget(), nullptr);
}

void TestSecondary::optionsArePassedThrough()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary =
        ui.open_window({.title = QStringLiteral("Détails"), .width = 520, .height = 310, .padding = 6});
    QCOMPARE(secondary->window->windowTitle(), QStringLiteral("Détails"));
    QCOMPARE(secondary->window->size(), QSize(520, 310));
    QCOMPARE(secondary->window->centralWidget()->layout()->contentsMargins(), QMargins(6, 6, 6, 6));
}

void TestSecondary::windowsDoNotShareContent()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window();
    std::unique_ptr<UIWrapper> second = ui.open_window();
    ui.add_label(QStringLiteral("Principale"));
    first->add_label(QStringLiteral("Un"), {.name = QStringLiteral("titre")});
    second->add_label(QStringLiteral("Deux"), {.name = QStringLiteral("titre")});

    QCOMPARE(labelTexts(ui), QStringList{QStringLiteral("Principale")});
    QCOMPARE(labelTexts(*first), QStringList{QStringLiteral("Un")});
    QCOMPARE(labelTexts(*second), QStringList{QStringLiteral("Deux")});
    QCOMPARE(ui.get(QStringLiteral("titre")), nullptr);
    QCOMPARE(first->get(QStringLiteral("titre"))->window(), first->window);
    QCOMPARE(second->get(QStringLiteral("titre"))->window(), second->window);
    QCOMPARE(content(*first)->layout()->count(), 1);
}

void TestSecondary::settingsStayWithTheirWindow()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QFile style(dir.filePath(QStringLiteral("style.qss")));
    QVERIFY(style.open(QIODevice::WriteOnly));
    QCOMPARE(style.write("QLabel { color: red; }"), 22);
    style.close();

    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window();
    std::unique_ptr<UIWrapper> second = ui.open_window();
    first->set_opacity(0.2).load_style(style.fileName()).set_style(QStringLiteral("background: black;"));

    QCOMPARE(first->window->windowOpacity(), 0.2);
    QCOMPARE(first->window->styleSheet(), QStringLiteral("QLabel { color: red; }"));
    for (const UIWrapper* other : {&ui, second.get()}) {
        QCOMPARE(other->window->windowOpacity(), 1.0);
        QCOMPARE(other->window->styleSheet(), QString());
        QCOMPARE(content(*other)->styleSheet(), QString());
    }
}

void TestSecondary::closingOneWindowLeavesTheOthers()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window();
    std::unique_ptr<UIWrapper> second = ui.open_window();
    int mainCloses = 0;
    int firstCloses = 0;
    int secondCloses = 0;
    ui.set_on_close([&] { ++mainCloses; });
    first->set_on_close([&] { ++firstCloses; });
    second->set_on_close([&] { ++secondCloses; });
    ui.window->show();

    QVERIFY(ui.window->close());
    QCOMPARE(mainCloses, 1);
    QCOMPARE(firstCloses, 0);
    QVERIFY(first->window->isVisible());

    QVERIFY(first->window->close());
    QCOMPARE(firstCloses, 1);
    QCOMPARE(secondCloses, 0);
    QVERIFY(second->window->isVisible());
    QCOMPARE(mainCloses, 1);
}

void TestSecondary::applicationObjectIsShared()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window();
    std::unique_ptr<UIWrapper> nested = first->open_window();
    QCOMPARE(first->app, ui.app);
    QCOMPARE(nested->app, ui.app);
    QCOMPARE(static_cast<QCoreApplication*>(ui.app), QCoreApplication::instance());
}

void TestSecondary::releasingTheWrapperDestroysItsWindow()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    secondary->add_label(QStringLiteral("Éphémère"));
    const QPointer<QMainWindow> window = secondary->window;
    const QPointer<QWidget> label = secondary->window->findChild<QLabel*>();
    secondary.reset();
    QVERIFY(window.isNull());
    QVERIFY(label.isNull());
    QVERIFY(ui.window);
    QVERIFY(!QApplication::topLevelWidgets().contains(window.data()));
}

void TestSecondary::windowDeletedByQtIsNotDeletedTwice()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    secondary->window->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QMainWindow> window = secondary->window;
    QVERIFY(window->close());
    QTRY_VERIFY(window.isNull());
    secondary.reset();
}

void TestSecondary::secondaryWindowOpensItsOwnSecondary()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> first = ui.open_window({.title = QStringLiteral("Un")});
    std::unique_ptr<UIWrapper> nested = first->open_window({.title = QStringLiteral("Deux"), .width = 250});
    QVERIFY(nested->window->isVisible());
    QCOMPARE(nested->window->size(), QSize(250, 300));
    QCOMPARE(nested->window->windowTitle(), QStringLiteral("Deux"));
    QCOMPARE(nested->window->parentWidget(), nullptr);

    nested->add_label(QStringLiteral("Profond"));
    QCOMPARE(labelTexts(*first), QStringList());

    first.reset();
    QVERIFY(nested->window->isVisible());
    QCOMPARE(labelTexts(*nested), QStringList{QStringLiteral("Profond")});
}

void TestSecondary::callbackReleasesAnotherWindow()
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
    // The main window must stay open once the deletions have run; there is no event to await.
    QTest::qWait(20);
    QVERIFY(ui.window->isVisible());
}

void TestSecondary::secondaryReleasedWhileShown()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window({.title = "Détails"});
    int calls = 0;
    furnishWithCallbacks(*secondary, calls);
    secondary->watch_style(writeStyle(dir)).notify("attente", {.duration = 50});
    QVERIFY(QTest::qWaitForWindowExposed(secondary->window));
    const QPointer<QMainWindow> window = secondary->window;

    secondary.reset();
    QVERIFY(window.isNull());
    QFile file(dir.filePath("style.qss"));
    QVERIFY(file.open(QIODevice::Append));
    file.write("QPushButton { color: blue; }");
    file.close();
    // The released window's watcher must not react to the change: give it the time to.
    QTest::qWait(100);
    QVERIFY(!QApplication::topLevelWidgets().contains(window.data()));
    QCOMPARE(calls, 0);
}

void TestSecondary::secondaryDeletedOnCloseByQt()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    int closes = 0;
    int calls = 0;
    furnishWithCallbacks(*secondary, calls);
    secondary->set_on_close([&] { ++closes; })
        .watch_style(writeStyle(dir))
        .notify("attente", {.duration = 50});
    secondary->window->setAttribute(Qt::WA_DeleteOnClose);
    const QPointer<QMainWindow> window = secondary->window;

    QVERIFY(window->close());
    QCOMPARE(closes, 1);
    QTRY_VERIFY(window.isNull());
    // Past the banner's duration and a reload's delay: nothing may reach the deleted window.
    QTest::qWait(80);
    secondary.reset();
    QCOMPARE(closes, 1);
    QCOMPARE(calls, 0);
}

void TestSecondary::modalWindowBlocksTheOthersUntilClosed_data()
{
    QTest::addColumn<bool>("modal");
    QTest::addColumn<int>("clicksWhileOpen");

    QTest::newRow("modal") << true << 0;
    QTest::newRow("not modal") << false << 1;
}

void TestSecondary::modalWindowBlocksTheOthersUntilClosed()
{
    QFETCH(bool, modal);
    QFETCH(int, clicksWhileOpen);

    UIWrapper ui;
    int clicks = 0;
    ui.add_button("Compter", [&] { ++clicks; }, {.name = "compter"});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    std::unique_ptr<UIWrapper> details = ui.open_window({.title = "Détails", .modal = modal});
    QVERIFY(QTest::qWaitForWindowExposed(details->window));
    QCOMPARE(details->window->windowModality(), modal ? Qt::ApplicationModal : Qt::NonModal);
    QCOMPARE(QApplication::activeModalWidget(), modal ? details->window : nullptr);

    // Through the main window's platform window, as the user's click arrives.
    const auto clickButton = [&] {
        auto* button = ui.get<QPushButton>("compter");
        QTest::mouseClick(ui.window->windowHandle(), Qt::LeftButton, {},
                          button->mapTo(ui.window, button->rect().center()));
    };
    clickButton();
    QCOMPARE(clicks, clicksWhileOpen);

    QVERIFY(details->window->close());
    QCOMPARE(QApplication::activeModalWidget(), nullptr);
    clickButton();
    QCOMPARE(clicks, clicksWhileOpen + 1);
}

QTEST_MAIN(TestSecondary)
#include "tst_secondary.moc"
