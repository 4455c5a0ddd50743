// SPDX-License-Identifier: MIT
#include "../velmora/banner_probe.h"
#include "example_driver.h"
#include "settings_window.h"

#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

class TestSettingsExample : public QObject
{
    Q_OBJECT

private slots:
    void applyListsEveryValue_data();
    void applyListsEveryValue();
    void cancelClosesTheWindow_data();
    void cancelClosesTheWindow();
};

void TestSettingsExample::applyListsEveryValue_data()
{
    QTest::addColumn<bool>("edit");
    QTest::addColumn<QString>("expected");
    QTest::newRow("as opened") << false
                               << "Nom d'utilisateur : camille\nCourriel : camille@example.org\n"
                                  "Langue : Français\nDernière session : oui\nServeur : proxy.example.org\n"
                                  "Port : 8080\nMot de passe : 6 caractères\nDélai d'attente : 30 s\n"
                                  "Mandataire : oui\nThème : Système\nTaille du texte : Normale\n"
                                  "Animations : oui\nBarre d'état : non";
    QTest::newRow("after edits") << true
                                 << "Nom d'utilisateur : dominique\nCourriel : camille@example.org\n"
                                    "Langue : Français\nDernière session : oui\nServeur : proxy.example.org\n"
                                    "Port : 3128\nMot de passe : 6 caractères\nDélai d'attente : 60 s\n"
                                    "Mandataire : non\nThème : Système\nTaille du texte : Normale\n"
                                    "Animations : oui\nBarre d'état : oui";
}

void TestSettingsExample::applyListsEveryValue()
{
    QFETCH(bool, edit);
    QFETCH(QString, expected);
    velmora::UIWrapper ui({.title = "Paramètres", .width = 560, .height = 360, .padding = 12});
    buildSettingsWindow(ui);
    QVERIFY(start(ui));
    QTabBar* tabBar = ui.window->findChild<QTabWidget*>()->tabBar();
    if (!edit) {
        QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
        QVERIFY(saveScreenshot(ui.window, "settings.png"));
    } else {
        auto* user = ui.find<QLineEdit>("utilisateur");
        user->selectAll();
        QTest::keyClicks(user, "dominique");

        QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(1).center());
        auto* port = ui.find<QSpinBox>("port");
        port->setFocus();
        QTest::keyClick(port, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClicks(port, "3128");
        QTest::keyClick(ui.find<QComboBox>("delai"), Qt::Key_Down);
        QTest::keyClick(ui.find<QCheckBox>("mandataire"), Qt::Key_Space);

        QTest::mouseClick(tabBar, Qt::LeftButton, {}, tabBar->tabRect(2).center());
        QTest::keyClick(ui.find<QCheckBox>("barre-etat"), Qt::Key_Space);
    }
    QTest::mouseClick(ui.find<QPushButton>("appliquer"), Qt::LeftButton);

    const QList<QLabel*> banners = bannersOf(ui);
    QCOMPARE(banners.size(), 1);
    QCOMPARE(banners.first()->text(), expected);
}

void TestSettingsExample::cancelClosesTheWindow_data()
{
    QTest::addColumn<bool>("byKeyboard");
    QTest::newRow("button") << false;
    QTest::newRow("Escape, from a field") << true;
}

void TestSettingsExample::cancelClosesTheWindow()
{
    QFETCH(bool, byKeyboard);
    velmora::UIWrapper ui({.title = "Paramètres"});
    buildSettingsWindow(ui);
    QVERIFY(start(ui));
    if (byKeyboard)
        QTest::keyClick(ui.find<QLineEdit>("utilisateur"), Qt::Key_Escape);
    else
        QTest::mouseClick(ui.find<QPushButton>("annuler"), Qt::LeftButton);
    QTRY_VERIFY(!ui.window->isVisible());
}

QTEST_MAIN(TestSettingsExample)
#include "tst_example_settings.moc"
