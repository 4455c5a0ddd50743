#include <velmora/velmora.h>

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

using velmora::UIWrapper;

// The registry behind get(): what a section remembers by name, and when it forgets.
class TestNamedWidgets : public QObject
{
    Q_OBJECT

private slots:
    void eachNameFindsItsOwnWidget();
    void reusedNameFindsTheLatestWidget();
    void unknownOrEmptyNameFindsNothing();
    void deletedWidgetIsNoLongerFound();
    void clearForgetsEveryName();
    void namesStayInTheirSection();
};

void TestNamedWidgets::eachNameFindsItsOwnWidget()
{
    UIWrapper ui;
    ui.add_label("Nom", {.name = "etiquette"})
        .add_button("OK", [] {}, {.name = "valider"})
        .add_input({.name = "saisie"})
        .add_checkbox("Actif", {.name = "case"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("etiquette"))->text(), QStringLiteral("Nom"));
    QCOMPARE(qobject_cast<QPushButton*>(ui.get("valider"))->text(), QStringLiteral("OK"));
    QVERIFY(qobject_cast<QLineEdit*>(ui.get("saisie")));
    QCOMPARE(qobject_cast<QCheckBox*>(ui.get("case"))->text(), QStringLiteral("Actif"));
    QCOMPARE(ui.get("valider")->objectName(), QStringLiteral("valider"));
}

void TestNamedWidgets::reusedNameFindsTheLatestWidget()
{
    UIWrapper ui;
    ui.add_label("Premier", {.name = "titre"}).add_label("Second", {.name = "titre"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("titre"))->text(), QStringLiteral("Second"));
}

void TestNamedWidgets::unknownOrEmptyNameFindsNothing()
{
    UIWrapper ui;
    ui.add_label("Sans nom").add_label("Nommé", {.name = "nomme"});
    QCOMPARE(ui.get("absent"), nullptr);
    QCOMPARE(ui.get(""), nullptr);
}

void TestNamedWidgets::deletedWidgetIsNoLongerFound()
{
    UIWrapper ui;
    ui.add_label("Éphémère", {.name = "temp"});
    delete ui.get("temp");
    QCOMPARE(ui.get("temp"), nullptr);
}

void TestNamedWidgets::clearForgetsEveryName()
{
    UIWrapper ui;
    ui.add_label("Un", {.name = "un"}).add_label("Deux", {.name = "deux"});
    ui.clear();
    QCOMPARE(ui.get("un"), nullptr);
    QCOMPARE(ui.get("deux"), nullptr);
    ui.add_label("Trois", {.name = "un"});
    QCOMPARE(qobject_cast<QLabel*>(ui.get("un"))->text(), QStringLiteral("Trois"));
}

void TestNamedWidgets::namesStayInTheirSection()
{
    UIWrapper ui;
    velmora::Section& row = ui.add_row();
    row.add_label("Dans la ligne", {.name = "interne"});
    QVERIFY(row.get("interne"));
    QCOMPARE(ui.get("interne"), nullptr);
}

QTEST_MAIN(TestNamedWidgets)
#include "tst_named_widgets.moc"
