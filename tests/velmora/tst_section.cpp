// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <optional>
#include <stdexcept>

using velmora::Section;
using velmora::UIWrapper;
using velmora::detail::SectionAccess;
using namespace fixture;

class TestSection : public QObject
{
    Q_OBJECT

private slots:
    void stretchesAreHandedOutInOrder_data();
    void stretchesAreHandedOutInOrder();
    void stretchListIsCopiedFromCaller();
    void widgetsTakeTheirFactorsInOrderOfAddition();

    void alignmentWordAddsStretchesAroundChildren_data();
    void alignmentWordAddsStretchesAroundChildren();
    void sealingRunsOnlyOnce();
    void widgetAddedAfterSealingFollowsTrailingStretch();
    void sealingReachesTheWholeTree();
    void childCreatedAfterParentWasSealedStaysOpen();
    void crossFlagIsSetOnTheLayout();

    void namedWidgetIsRegisteredUnderItsName();
    void emptyNameRegistersNothing();
    void repeatedNameReturnsTheLatestWidget();
    void registryIsPerSection();
    void registryNeverHandsOutADeletedWidget();

    void clearEmptiesLayoutAndDeletesWidgetsLater();
    void clearRestartsStretchesAndSealing();
    void clearFromACallbackOfItsOwnWidget();

    void endReturnsParentOrItself();
    void nullLayoutIsRejected();

    // Careless and hostile input, and objects outliving or outlived by others.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void alignmentWordsOutsideTheTablesActAsAbsent_data();
    void alignmentWordsOutsideTheTablesActAsAbsent();
    void clearThenDestroyBeforeTheLoopTurns();
    void callbackClearsTheSectionHoldingIt_data();
    void callbackClearsTheSectionHoldingIt();
};

void TestSection::stretchesAreHandedOutInOrder_data()
{
    // An invalid QVariant stands for "no explicit factor".
    QTest::addColumn<QList<int>>("stretches");
    QTest::addColumn<QVariantList>("explicitFactors");
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("list, then exhausted")
        << QList<int>{2, 1} << QVariantList{{}, {}, {}} << QList<int>{2, 1, 0};
    QTest::newRow("explicit does not consume") << QList<int>{3} << QVariantList{5, {}} << QList<int>{5, 3};
    QTest::newRow("explicit zero does not consume")
        << QList<int>{3} << QVariantList{0, {}, {}} << QList<int>{0, 3, 0};
    QTest::newRow("no list") << QList<int>{} << QVariantList{{}, 4, {}} << QList<int>{0, 4, 0};
}

void TestSection::stretchesAreHandedOutInOrder()
{
    QFETCH(QList<int>, stretches);
    QFETCH(QVariantList, explicitFactors);
    QFETCH(QList<int>, expected);

    Host host;
    Section section(host.layout, {.stretches = stretches});
    QList<int> handedOut;
    for (const QVariant& factor : explicitFactors) {
        const auto explicitStretch = factor.isValid() ? std::optional<int>(factor.toInt()) : std::nullopt;
        handedOut << SectionAccess::nextStretch(section, explicitStretch);
    }
    QCOMPARE(handedOut, expected);
}

void TestSection::stretchListIsCopiedFromCaller()
{
    Host host;
    QList<int> stretches{4};
    Section section(host.layout, {.stretches = stretches});
    stretches[0] = 9;
    stretches << 8;
    QCOMPARE(SectionAccess::nextStretch(section), 4);
    QCOMPARE(SectionAccess::nextStretch(section), 0);
}

void TestSection::widgetsTakeTheirFactorsInOrderOfAddition()
{
    Host host;
    Section section(host.layout, {.stretches = {2, 1}});
    section.add_label("a").add_label("b", {.stretch = 7}).add_label("c").add_label("d");
    QCOMPARE(itemsOf(section), QStringList({"QLabel:2", "QLabel:7", "QLabel:1", "QLabel:0"}));
}

void TestSection::alignmentWordAddsStretchesAroundChildren_data()
{
    QTest::addColumn<Qt::Orientation>("orientation");
    QTest::addColumn<QString>("align");
    QTest::addColumn<QStringList>("open");
    QTest::addColumn<QStringList>("sealed");

    const QStringList start{"QLabel:0"};
    const QStringList end{"stretch:1", "QLabel:0"};
    const QStringList packedAtStart{"QLabel:0", "stretch:1"};
    const QStringList centred{"stretch:1", "QLabel:0", "stretch:1"};

    QTest::newRow("top") << Qt::Vertical << "top" << start << packedAtStart;
    QTest::newRow("left") << Qt::Vertical << "left" << start << packedAtStart;
    QTest::newRow("bottom") << Qt::Vertical << "bottom" << end << end;
    QTest::newRow("right") << Qt::Vertical << "right" << end << end;
    QTest::newRow("center") << Qt::Vertical << "center" << end << centred;
    QTest::newRow("top in a row") << Qt::Horizontal << "top" << start << packedAtStart;
    QTest::newRow("bottom in a row") << Qt::Horizontal << "bottom" << end << end;
    QTest::newRow("center in a row") << Qt::Horizontal << "center" << end << centred;
    QTest::newRow("absent") << Qt::Vertical << "" << start << start;
    QTest::newRow("misspelt") << Qt::Vertical << "centre" << start << start;
    QTest::newRow("capitalised") << Qt::Vertical << "Top" << start << start;
}

void TestSection::alignmentWordAddsStretchesAroundChildren()
{
    QFETCH(Qt::Orientation, orientation);
    QFETCH(QString, align);
    QFETCH(QStringList, open);
    QFETCH(QStringList, sealed);

    Host host(orientation);
    Section section(host.layout, {.align = align});
    section.add_label("a");
    QCOMPARE(itemsOf(section), open);
    SectionAccess::seal(section);
    QCOMPARE(itemsOf(section), sealed);
}

void TestSection::sealingRunsOnlyOnce()
{
    Host host;
    Section section(host.layout, {.align = "center"});
    QVERIFY(!SectionAccess::sealed(section));
    SectionAccess::seal(section);
    SectionAccess::seal(section);
    QVERIFY(SectionAccess::sealed(section));
    QCOMPARE(itemsOf(section), QStringList({"stretch:1", "stretch:1"}));
}

void TestSection::widgetAddedAfterSealingFollowsTrailingStretch()
{
    Host host;
    Section section(host.layout, {.align = "top"});
    section.add_label("a");
    SectionAccess::seal(section);
    section.add_label("b");
    QCOMPARE(itemsOf(section), QStringList({"QLabel:0", "stretch:1", "QLabel:0"}));
}

void TestSection::sealingReachesTheWholeTree()
{
    Host host;
    Section root(host.layout);
    Section& column = root.add_column({.align = "top"});
    Section& row = column.add_label("a").add_row({.align = "left"});
    row.add_label("b");
    Section& scroll = root.add_scroll();
    Section& page = root.add_tabs({"A"}).at("A");

    SectionAccess::seal(root);

    for (const Section* section : {&root, &column, &row, &scroll, &page})
        QVERIFY(SectionAccess::sealed(*section));
    QCOMPARE(itemsOf(column), QStringList({"QLabel:0", "QFrame:0", "stretch:1"}));
    QCOMPARE(itemsOf(row), QStringList({"QLabel:0", "stretch:1"}));
    QCOMPARE(itemsOf(root), QStringList({"QFrame:0", "QScrollArea:0", "QTabWidget:0"}));
}

void TestSection::childCreatedAfterParentWasSealedStaysOpen()
{
    Host host;
    Section root(host.layout);
    SectionAccess::seal(root);
    Section& late = root.add_column({.align = "top"});
    late.add_label("a");

    SectionAccess::seal(root);
    QVERIFY(!SectionAccess::sealed(late));
    QCOMPARE(itemsOf(late), QStringList({"QLabel:0"}));

    SectionAccess::seal(late);
    QCOMPARE(itemsOf(late), QStringList({"QLabel:0", "stretch:1"}));
}

void TestSection::crossFlagIsSetOnTheLayout()
{
    Host flagged;
    Section withFlag(flagged.layout, {.cross_flag = Qt::AlignRight});
    QCOMPARE(flagged.layout->alignment(), Qt::Alignment(Qt::AlignRight));
    QCOMPARE(flagged.layout->count(), 0);

    Host plain;
    Section withoutFlag(plain.layout);
    QCOMPARE(plain.layout->alignment(), Qt::Alignment());
}

void TestSection::namedWidgetIsRegisteredUnderItsName()
{
    Host host;
    Section section(host.layout);
    section.add_label("Bonjour", {.name = "titre"});
    auto* label = qobject_cast<QLabel*>(section.get("titre"));
    QVERIFY(label);
    QCOMPARE(label->text(), QStringLiteral("Bonjour"));
    QCOMPARE(label->objectName(), QStringLiteral("titre"));
    QCOMPARE(section.get("Titre"), nullptr);
}

void TestSection::emptyNameRegistersNothing()
{
    Host host;
    Section section(host.layout);
    section.add_label("a").add_label("b", {.name = ""});
    QCOMPARE(section.get(""), nullptr);
    QCOMPARE(widgetAt<QLabel>(section, 0)->objectName(), QString());
    QCOMPARE(widgetAt<QLabel>(section, 1)->objectName(), QString());
}

void TestSection::repeatedNameReturnsTheLatestWidget()
{
    Host host;
    Section section(host.layout);
    section.add_label("premier", {.name = "x"}).add_label("second", {.name = "x"});
    QCOMPARE(section.get("x"), widgetAt<QLabel>(section, 1));
    QCOMPARE(widgetAt<QLabel>(section, 0)->objectName(), QStringLiteral("x"));
    QCOMPARE(widgetAt<QLabel>(section, 1)->objectName(), QStringLiteral("x"));
    QCOMPARE(host.layout->count(), 2);
}

void TestSection::registryIsPerSection()
{
    Host host;
    Section root(host.layout);
    root.add_label("haut", {.name = "haut"});
    Section& row = root.add_row();
    row.add_label("bas", {.name = "bas"});

    QVERIFY(row.get("bas"));
    QCOMPARE(root.get("bas"), nullptr);
    QCOMPARE(row.get("haut"), nullptr);
}

void TestSection::registryNeverHandsOutADeletedWidget()
{
    Host host;
    Section section(host.layout);
    section.add_label("a", {.name = "a"});
    delete section.get("a");
    QCOMPARE(section.get("a"), nullptr);
    QCOMPARE(host.layout->count(), 0);
}

void TestSection::clearEmptiesLayoutAndDeletesWidgetsLater()
{
    Host host;
    Section section(host.layout, {.align = "center"});
    section.add_label("a", {.name = "a"}).add_spacing(5);
    section.add_row().add_label("b");
    QPointer<QWidget> label = section.get("a");
    QPointer<QWidget> row = widgetAt<QWidget>(section, 3);
    QVERIFY(label && row);

    QCOMPARE(&section.clear(), &section);

    QCOMPARE(host.layout->count(), 0);
    QCOMPARE(section.get("a"), nullptr);
    QCOMPARE(SectionAccess::subSectionCount(section), 0);
    QVERIFY(label && row);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!label);
    QVERIFY(!row);
}

void TestSection::clearRestartsStretchesAndSealing()
{
    Host host;
    Section section(host.layout, {.stretches = {5, 6}, .align = "center", .cross_flag = Qt::AlignHCenter});
    section.add_label("a");
    SectionAccess::seal(section);
    section.clear();

    QVERIFY(!SectionAccess::sealed(section));
    QCOMPARE(host.layout->alignment(), Qt::Alignment(Qt::AlignHCenter));
    section.add_label("b");
    QCOMPARE(itemsOf(section), QStringList({"QLabel:5"}));
    SectionAccess::seal(section);
    QCOMPARE(itemsOf(section), QStringList({"QLabel:5", "stretch:1"}));
}

void TestSection::clearFromACallbackOfItsOwnWidget()
{
    Host host;
    Section section(host.layout);
    int rebuilds = 0;
    section.add_button("Réinitialiser", [&] {
        section.clear().add_label("vide", {.name = "vide"});
        ++rebuilds;
    });
    QPointer<QPushButton> button = widgetAt<QPushButton>(section, 0);
    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(rebuilds, 1);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!button);
    QCOMPARE(itemsOf(section), QStringList({"QLabel:0"}));
    QVERIFY(section.get("vide"));
}

void TestSection::endReturnsParentOrItself()
{
    Host host;
    Section root(host.layout);
    Section& row = root.add_row();
    Section& column = row.add_column();
    QCOMPARE(&root.end(), &root);
    QCOMPARE(&column.end(), &row);
    QCOMPARE(&column.end().end(), &root);
    QVERIFY(!SectionAccess::sealed(row));
}

void TestSection::nullLayoutIsRejected()
{
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, Section(nullptr));
}

void TestSection::alignmentWordsOutsideTheTablesActAsAbsent_data()
{
    QTest::addColumn<QString>("word");

    QTest::newRow("LEFT") << "LEFT";
    QTest::newRow("Center") << "Center";
    QTest::newRow("tOp") << "tOp";
    QTest::newRow("BOTTOM") << "BOTTOM";
    QTest::newRow("padded") << " center";
    QTest::newRow("NUL after the word") << QString::fromUtf16(u"center\0", 7);
    QTest::newRow("right-to-left") << "מרכז";
    QTest::newRow("astral") << "🡄";
    QTest::newRow("one megabyte") << megabyteText();
}

void TestSection::alignmentWordsOutsideTheTablesActAsAbsent()
{
    QFETCH(QString, word);

    UIWrapper ui;
    Section& row = ui.add_row({.align = word, .cross_align = word});
    Section& column = ui.add_column({.align = word, .cross_align = word});
    Section& bar = ui.sidebar("up", {.align = word, .cross_align = word});
    Section& side = ui.sidebar("right", {.align = word, .cross_align = word});
    for (Section* section : {&row, &column, &bar, &side})
        section->add_label("a");
    QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
    QCOMPARE(ui.run(), 0);

    for (const Section* section : {&row, &column, &bar, &side}) {
        QCOMPARE(itemsOf(*section), QStringList({"QLabel:0"}));
        QCOMPARE(layoutOf(*section)->alignment(), Qt::Alignment());
    }
}

void TestSection::clearThenDestroyBeforeTheLoopTurns()
{
    int calls = 0;
    QList<QPointer<QWidget>> removed;
    {
        UIWrapper ui;
        furnishWithCallbacks(ui, calls);
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

void TestSection::callbackClearsTheSectionHoldingIt_data()
{
    QTest::addColumn<QString>("widget");
    QTest::newRow("button") << "button";
    QTest::newRow("input") << "input";
    QTest::newRow("dropdown") << "dropdown";
    QTest::newRow("checkbox") << "checkbox";
}

void TestSection::callbackClearsTheSectionHoldingIt()
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

void TestSection::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("section over a null layout") << Action([](UIWrapper& ui) {
        Section orphan(
            nullptr, {.parent = &ui.end(), .stretches = {4}, .align = "center", .cross_flag = Qt::AlignLeft});
    }) << "invalid_argument";
}

void TestSection::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestSection)
#include "tst_section.moc"
