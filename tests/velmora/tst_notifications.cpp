// SPDX-License-Identifier: MIT
#include "banner_probe.h"

#include <velmora/velmora.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QMainWindow>
#include <QPointer>
#include <QPushButton>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <algorithm>
#include <climits>
#include <memory>

using velmora::UIWrapper;

namespace {

const QString SUCCESS_STYLE =
    QStringLiteral("background-color: #2d6a2d; color: white; border-radius: 6px; padding: 8px 14px;");
const QString ERROR_STYLE =
    QStringLiteral("background-color: #8b0000; color: white; border-radius: 6px; padding: 8px 14px;");
const QString WARNING_STYLE =
    QStringLiteral("background-color: #7a5c00; color: white; border-radius: 6px; padding: 8px 14px;");
const QString INFO_STYLE =
    QStringLiteral("background-color: #1a3a6b; color: white; border-radius: 6px; padding: 8px 14px;");

QLabel* onlyBanner(const UIWrapper& ui)
{
    const QList<QLabel*> banners = bannersOf(ui);
    return banners.size() == 1 ? banners.first() : nullptr;
}

// The natural width a label of this text takes under a banner's style sheet.
int naturalWidth(const QString& text)
{
    QLabel label(text);
    label.setStyleSheet(INFO_STYLE);
    label.setAlignment(Qt::AlignCenter);
    label.adjustSize();
    return label.width();
}

// Shows the window with its central widget `width` pixels wide, laid out.
bool showWithCentralWidth(UIWrapper& ui, int width)
{
    ui.window->resize(width, 400);
    ui.window->show();
    if (!QTest::qWaitForWindowExposed(ui.window))
        return false;
    return QTest::qWaitFor([&] { return ui.window->centralWidget()->width() == width; });
}

} // namespace

class TestNotifications : public QObject
{
    Q_OBJECT

private slots:
    void kindSelectsTheColours_data();
    void kindSelectsTheColours();
    void defaultsAreInfoAndTheWrapperIsReturned();
    void widthIsNaturalPlusFortyButAtLeastThreeHundred_data();
    void widthIsNaturalPlusFortyButAtLeastThreeHundred();
    void bannerIsCentredRoundingDown_data();
    void bannerIsCentredRoundingDown();
    void bottomEdgeIsTwentyPixelsAboveTheCentralWidgets();
    void bannerIsShownAboveEveryOtherChild();
    void secondBannerOverlapsTheFirstOnTop();
    void bannerIsRemovedAfterItsDuration_data();
    void bannerIsRemovedAfterItsDuration();
    void eachBannerKeepsItsOwnDuration();
    void notificationOnASecondaryWindowStaysThere();

    // Careless and hostile input, and objects outliving or outlived by others.
    void extremeDurationsStillEndOrLast_data();
    void extremeDurationsStillEndOrLast();
    void wrapperDestroyedWithBannersPending();
    void bannerMadeBeforeTheFirstShowIsPlacedWhenShown_data();
    void bannerMadeBeforeTheFirstShowIsPlacedWhenShown();
    void bannerLetsTheMouseThrough_data();
    void bannerLetsTheMouseThrough();
};

void TestNotifications::kindSelectsTheColours_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("sheet");
    QTest::newRow("success") << QStringLiteral("success") << SUCCESS_STYLE;
    QTest::newRow("error") << QStringLiteral("error") << ERROR_STYLE;
    QTest::newRow("warning") << QStringLiteral("warning") << WARNING_STYLE;
    QTest::newRow("info") << QStringLiteral("info") << INFO_STYLE;
    QTest::newRow("other case") << QStringLiteral("Success") << INFO_STYLE;
    QTest::newRow("unknown word") << QStringLiteral("danger") << INFO_STYLE;
    QTest::newRow("empty") << QString() << INFO_STYLE;
}

void TestNotifications::kindSelectsTheColours()
{
    QFETCH(QString, kind);
    QFETCH(QString, sheet);
    UIWrapper ui;
    ui.notify(QStringLiteral("Enregistré"), {.kind = kind});
    QLabel* banner = onlyBanner(ui);
    QVERIFY(banner);
    QCOMPARE(banner->styleSheet(), sheet);
    QCOMPARE(banner->text(), QStringLiteral("Enregistré"));
    QCOMPARE(banner->alignment(), Qt::AlignCenter);
}

void TestNotifications::defaultsAreInfoAndTheWrapperIsReturned()
{
    UIWrapper ui;
    QCOMPARE(&ui.notify(QStringLiteral("Bonjour")), &ui);
    QLabel* banner = onlyBanner(ui);
    QVERIFY(banner);
    QCOMPARE(banner->styleSheet(), INFO_STYLE);
}

void TestNotifications::widthIsNaturalPlusFortyButAtLeastThreeHundred_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("wide");
    QTest::newRow("short") << QStringLiteral("OK") << false;
    QTest::newRow("long") << QStringLiteral("Le fichier de configuration a été enregistré dans le dossier "
                                            "personnel de l'utilisateur")
                          << true;
}

void TestNotifications::widthIsNaturalPlusFortyButAtLeastThreeHundred()
{
    QFETCH(QString, text);
    QFETCH(bool, wide);
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 800));
    ui.notify(text);
    QLabel* banner = onlyBanner(ui);
    QVERIFY(banner);
    const int natural = naturalWidth(text);
    QCOMPARE(natural > 260, wide);
    QCOMPARE(banner->width(), std::max(natural + 40, 300));
    QCOMPARE(banner->minimumWidth(), banner->width());
    QCOMPARE(banner->maximumWidth(), banner->width());
}

void TestNotifications::bannerIsCentredRoundingDown_data()
{
    QTest::addColumn<int>("centralWidth");
    QTest::addColumn<int>("x");
    QTest::newRow("800 wide") << 800 << 250;
    QTest::newRow("301 wide") << 301 << 0;
    QTest::newRow("299 wide") << 299 << -1;
    QTest::newRow("297 wide") << 297 << -2;
}

void TestNotifications::bannerIsCentredRoundingDown()
{
    QFETCH(int, centralWidth);
    QFETCH(int, x);
    QVERIFY(naturalWidth(QStringLiteral("OK")) + 40 < 300);
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, centralWidth));
    ui.notify(QStringLiteral("OK"));
    QLabel* banner = onlyBanner(ui);
    QVERIFY(banner);
    QCOMPARE(banner->width(), 300);
    QCOMPARE(banner->x(), x);
}

void TestNotifications::bottomEdgeIsTwentyPixelsAboveTheCentralWidgets()
{
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 500));
    ui.notify(QStringLiteral("Une ligne"));
    ui.notify(QStringLiteral("Première ligne\nDeuxième ligne\nTroisième ligne"));
    const QList<QLabel*> banners = bannersOf(ui);
    QCOMPARE(banners.size(), 2);
    QVERIFY(banners.at(0)->height() < banners.at(1)->height());
    for (QLabel* banner : banners)
        QCOMPARE(banner->y() + banner->height(), ui.window->centralWidget()->height() - 20);
}

void TestNotifications::bannerIsShownAboveEveryOtherChild()
{
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 600));
    auto* overlay = new QWidget(ui.window->centralWidget());
    overlay->show();
    ui.notify(QStringLiteral("Au premier plan"));
    QLabel* banner = onlyBanner(ui);
    QVERIFY(banner);
    QVERIFY(banner->isVisible());
    QCOMPARE(ui.window->centralWidget()->children().constLast(), banner);
}

void TestNotifications::secondBannerOverlapsTheFirstOnTop()
{
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 800));
    ui.notify(QStringLiteral("Premier"), {.kind = QStringLiteral("success")});
    ui.notify(QStringLiteral("Second"), {.kind = QStringLiteral("error")});
    const QList<QLabel*> banners = bannersOf(ui);
    QCOMPARE(banners.size(), 2);
    QLabel* first = banners.at(0)->text() == QStringLiteral("Premier") ? banners.at(0) : banners.at(1);
    QLabel* second = first == banners.at(0) ? banners.at(1) : banners.at(0);
    QVERIFY(first->geometry().intersects(second->geometry()));
    QCOMPARE(first->geometry(), second->geometry());
    const QObjectList stack = ui.window->centralWidget()->children();
    QCOMPARE(stack.constLast(), second);
    QVERIFY(stack.indexOf(first) < stack.indexOf(second));
}

void TestNotifications::bannerIsRemovedAfterItsDuration_data()
{
    QTest::addColumn<int>("duration");
    QTest::newRow("50 ms") << 50;
    QTest::newRow("zero") << 0;
    QTest::newRow("negative") << -500;
}

void TestNotifications::bannerIsRemovedAfterItsDuration()
{
    QFETCH(int, duration);
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 800));
    ui.notify(QStringLiteral("Bientôt parti"), {.duration = duration});
    const QPointer<QLabel> banner = onlyBanner(ui);
    QVERIFY(banner);
    QTRY_VERIFY_WITH_TIMEOUT(banner.isNull(), 2000);
    QVERIFY(bannersOf(ui).isEmpty());
}

void TestNotifications::eachBannerKeepsItsOwnDuration()
{
    UIWrapper ui;
    QVERIFY(showWithCentralWidth(ui, 800));
    ui.notify(QStringLiteral("Long"), {.duration = 60000});
    const QPointer<QLabel> lasting = onlyBanner(ui);
    ui.notify(QStringLiteral("Court"), {.duration = 50});
    QCOMPARE(bannersOf(ui).size(), 2);
    QTRY_COMPARE(bannersOf(ui).size(), 1);
    QVERIFY(lasting);
    QCOMPARE(onlyBanner(ui), lasting.data());
}

void TestNotifications::notificationOnASecondaryWindowStaysThere()
{
    UIWrapper ui;
    std::unique_ptr<UIWrapper> secondary = ui.open_window();
    QCOMPARE(&secondary->notify(QStringLiteral("Ailleurs")), secondary.get());
    QVERIFY(bannersOf(ui).isEmpty());
    QLabel* banner = onlyBanner(*secondary);
    QVERIFY(banner);
    QCOMPARE(banner->window(), secondary->window);
}

void TestNotifications::extremeDurationsStillEndOrLast_data()
{
    QTest::addColumn<int>("duration");
    QTest::addColumn<bool>("lasts");

    QTest::newRow("INT_MIN") << INT_MIN << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("INT_MAX") << INT_MAX << true;
}

void TestNotifications::extremeDurationsStillEndOrLast()
{
    QFETCH(int, duration);
    QFETCH(bool, lasts);

    QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
    UIWrapper ui;
    QCOMPARE(&ui.notify("message", {.duration = duration}), &ui);
    const QPointer<QLabel> banner = bannersOf(ui).value(0);
    QVERIFY(banner);
    if (lasts) {
        // A lasting banner has no moment to wait for: give a wrapped-round duration the time
        // to end it, and prove it did not.
        QTest::qWait(20);
        QVERIFY(banner);
    } else {
        QTRY_VERIFY(banner.isNull());
    }
}

void TestNotifications::wrapperDestroyedWithBannersPending()
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
    // Past the short banners' durations: a timer left behind must not fire into a deleted banner.
    QTest::qWait(100);
}

void TestNotifications::bannerMadeBeforeTheFirstShowIsPlacedWhenShown_data()
{
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("bottom");
    QTest::newRow("800 x 600") << 800 << 600 << 250 << 580;
    QTest::newRow("320 x 200") << 320 << 200 << 10 << 180;
    QTest::newRow("1000 x 700") << 1000 << 700 << 350 << 680;
}

void TestNotifications::bannerMadeBeforeTheFirstShowIsPlacedWhenShown()
{
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(int, x);
    QFETCH(int, bottom);
    UIWrapper ui({.title = "Avant", .width = width, .height = height});
    ui.notify(QStringLiteral("OK"), {.duration = 60000});
    const QPointer<QLabel> early = onlyBanner(ui);
    QVERIFY(early);
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    QCOMPARE(ui.window->centralWidget()->size(), QSize(width, height));
    QVERIFY(early->isVisible());
    const QRect geometry(x, bottom - early->height(), 300, early->height());
    QCOMPARE(early->geometry(), geometry);

    // Made on the shown window, it lands in the same place, and neither follows a resize.
    ui.notify(QStringLiteral("OK"), {.duration = 60000});
    QLabel* late = bannersOf(ui).constLast();
    QCOMPARE(late->geometry(), geometry);
    ui.window->resize(width + 100, height + 100);
    QTRY_COMPARE(ui.window->centralWidget()->size(), QSize(width + 100, height + 100));
    QCOMPARE(early->geometry(), geometry);
    QCOMPARE(late->geometry(), geometry);
}

void TestNotifications::bannerLetsTheMouseThrough_data()
{
    QTest::addColumn<QString>("gesture");
    QTest::newRow("click") << "click";
    QTest::newRow("press") << "press";
    QTest::newRow("wheel") << "wheel";
}

void TestNotifications::bannerLetsTheMouseThrough()
{
    QFETCH(QString, gesture);
    UIWrapper ui({.title = "Réglages", .width = 400, .height = 300});
    int cancels = 0;
    QStringList chosen;
    ui.add_spacer()
        .add_dropdown({"un", "deux", "trois"}, {.callback = [&](const QString& text) { chosen << text; }})
        .add_button("Annuler", [&] { ++cancels; });
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    auto* button = ui.window->findChild<QPushButton*>();
    auto* combo = ui.window->findChild<QComboBox*>();
    ui.notify(QStringLiteral("Réglages appliqués"), {.duration = 60000});
    QLabel* banner = onlyBanner(ui);
    QWidget* target = gesture == "wheel" ? static_cast<QWidget*>(combo) : button;
    const QPoint centre = target->mapTo(ui.window, target->rect().center());
    QVERIFY(banner->geometry().contains(banner->parentWidget()->mapFrom(ui.window, centre)));

    QWindow* window = ui.window->windowHandle();
    if (gesture == "click") {
        QTest::mouseClick(window, Qt::LeftButton, {}, centre);
        QCOMPARE(cancels, 1);
    } else if (gesture == "press") {
        QSignalSpy pressed(button, &QPushButton::pressed);
        QTest::mousePress(window, Qt::LeftButton, {}, centre);
        QCOMPARE(pressed.count(), 1);
        QVERIFY(button->isDown());
        QTest::mouseRelease(window, Qt::LeftButton, {}, centre);
        QCOMPARE(cancels, 1);
    } else {
        QWheelEvent wheel(centre, ui.window->mapToGlobal(centre), {}, QPoint(0, -120), Qt::NoButton, {},
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(window, &wheel);
        QCOMPARE(chosen, QStringList({"deux"}));
    }
}

QTEST_MAIN(TestNotifications)
#include "tst_notifications.moc"
