// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <cmath>
#include <optional>
#include <type_traits>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

namespace {

// Value callbacks and Qt change signals of the widget under test, and its click callbacks.
int changes = 0;
int clicks = 0;

void changed()
{
    ++changes;
}

// A widget made by hand, its change signal counted as a value callback would be.
template<class W, class Signal> Action handMade(W* (*make)(), Signal signal)
{
    return [make, signal](UIWrapper& ui) {
        W* widget = make();
        QObject::connect(widget, signal, [] { changed(); });
        if constexpr (std::is_base_of_v<QAbstractButton, W>)
            QObject::connect(widget, &QAbstractButton::clicked, [] { ++clicks; });
        ui.add_widget(widget, {.name = "w"});
    };
}

QDoubleSpinBox* doubleSpin()
{
    auto* spin = new QDoubleSpinBox;
    spin->setRange(-1.5, 10.0);
    return spin;
}

} // namespace

Q_DECLARE_METATYPE(std::optional<int>)

class TestValues : public QObject
{
    Q_OBJECT

private slots:
    void init() { changes = clicks = 0; }

    void valueRoundTripsThroughSetValue_data()
    {
        QTest::addColumn<Action>("build");
        QTest::addColumn<QVariant>("initial");
        QTest::addColumn<QVariant>("next");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<int>("signalled");

        const auto text = [](const QString&) { changed(); };
        QTest::newRow("line edit") << Action([=](UIWrapper& ui) {
            ui.add_input({.callback = text, .name = "w", .text = "a"});
        }) << QVariant("a") << QVariant("b") << QVariant("b") << 1;
        QTest::newRow("label") << Action([](UIWrapper& ui) { ui.add_label("x", {.name = "w"}); })
                               << QVariant("x") << QVariant("y") << QVariant("y") << 0;
        QTest::newRow("text area") << Action([=](UIWrapper& ui) { ui.add_text({.callback = text, .name = "w"}); })
                                   << QVariant("") << QVariant("un\ndeux") << QVariant("un\ndeux") << 1;
        QTest::newRow("drop-down") << Action([=](UIWrapper& ui) {
            ui.add_dropdown({"un", "deux"}, {.callback = text, .name = "w"});
        }) << QVariant("un") << QVariant("deux") << QVariant("deux") << 1;
        QTest::newRow("radio group") << Action([=](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.callback = text, .name = "w"});
        }) << QVariant("a") << QVariant("b") << QVariant("b") << 1;
        QTest::newRow("check box") << Action([](UIWrapper& ui) {
            ui.add_checkbox("c", {.callback = [](bool) { changed(); }, .name = "w"});
        }) << QVariant(false) << QVariant(true) << QVariant(true) << 1;
        QTest::newRow("radio button") << handMade(+[] { return new QRadioButton("r"); }, &QRadioButton::toggled)
                                      << QVariant(false) << QVariant(true) << QVariant(true) << 1;
        QTest::newRow("checkable button") << handMade(+[] {
            auto* button = new QPushButton("t");
            button->setCheckable(true);
            return button;
        }, &QPushButton::toggled) << QVariant(false) << QVariant(true) << QVariant(true) << 1;
        QTest::newRow("button: its text, never a click") << Action([](UIWrapper& ui) {
            ui.add_button("ok", [] { ++clicks; }, {.name = "w"});
        }) << QVariant("ok") << QVariant("OK") << QVariant("OK") << 0;
        QTest::newRow("spin box, from a qint64") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.min = -10, .callback = [](int) { changed(); }, .name = "w"});
        }) << QVariant(0) << QVariant(qint64(-10)) << QVariant(-10) << 1;
        QTest::newRow("slider, from an unsigned") << Action([](UIWrapper& ui) {
            ui.add_slider({.callback = [](int) { changed(); }, .name = "w"});
        }) << QVariant(0) << QVariant(100u) << QVariant(100) << 1;
        QTest::newRow("progress bar") << Action([](UIWrapper& ui) { ui.add_progress({.name = "w"}); })
                                      << QVariant(0) << QVariant(40) << QVariant(40) << 0;
        QTest::newRow("double spin box, from an int")
            << handMade(+[] { return doubleSpin(); }, &QDoubleSpinBox::valueChanged) << QVariant(0.0) << QVariant(7)
            << QVariant(7.0) << 1;
        QTest::newRow("date") << Action([](UIWrapper& ui) {
            ui.add_date({.date = {2024, 1, 1}, .callback = [](const QDate&) { changed(); }, .name = "w"});
        }) << QVariant(QDate(2024, 1, 1)) << QVariant(QDate(2024, 6, 30)) << QVariant(QDate(2024, 6, 30)) << 1;
    }

    void valueRoundTripsThroughSetValue()
    {
        QFETCH(Action, build);
        QFETCH(QVariant, initial);
        QFETCH(QVariant, next);
        QFETCH(QVariant, stored);
        QFETCH(int, signalled);
        UIWrapper ui;
        build(ui);
        QCOMPARE(ui.value("w"), initial);
        ui.set_value("w", next);
        QCOMPARE(ui.value("w"), stored);
        QCOMPARE(changes, signalled);
        // The current value again: nothing to signal.
        ui.set_value("w", stored);
        QCOMPARE(changes, signalled);
        QCOMPARE(ui.values(), QVariantMap({{"w", stored}}));
        QCOMPARE(clicks, 0);
    }

    void rejectedValueChangesNothing_data()
    {
        QTest::addColumn<Action>("build");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("type");

        const Action spin = [](UIWrapper& ui) { ui.add_spinbox({.callback = [](int) { changed(); }, .name = "w"}); };
        const Action check = [](UIWrapper& ui) {
            ui.add_checkbox("c", {.callback = [](bool) { changed(); }, .name = "w"});
        };
        const Action input = [](UIWrapper& ui) {
            ui.add_input({.callback = [](const QString&) { changed(); }, .name = "w"});
        };
        QTest::newRow("no such name") << Action([](UIWrapper& ui) { ui.add_label("x", {.name = "v"}); })
                                      << QVariant("y") << "out_of_range";
        QTest::newRow("a table") << Action([](UIWrapper& ui) { (void)ui.add_table({"A"}, {.name = "w"}); })
                                 << QVariant("y") << "invalid_argument";
        QTest::newRow("a plain widget") << Action([](UIWrapper& ui) { ui.add_widget(new QWidget, {.name = "w"}); })
                                        << QVariant("y") << "invalid_argument";
        QTest::newRow("text given an int") << input << QVariant(1) << "invalid_argument";
        QTest::newRow("check box given a text") << check << QVariant("true") << "invalid_argument";
        QTest::newRow("check box given an int") << check << QVariant(1) << "invalid_argument";
        QTest::newRow("drop-down, not an entry") << Action([](UIWrapper& ui) {
            ui.add_dropdown({"un", "deux"}, {.callback = [](const QString&) { changed(); }, .name = "w"});
        }) << QVariant("Deux") << "invalid_argument";
        QTest::newRow("radio group, not an option") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.callback = [](const QString&) { changed(); }, .name = "w"});
        }) << QVariant("c") << "invalid_argument";
        QTest::newRow("radio button unchecked alone")
            << handMade(+[] {
                   auto* button = new QRadioButton("r");
                   button->setChecked(true);
                   return button;
               }, &QRadioButton::toggled)
            << QVariant(false) << "invalid_argument";
        QTest::newRow("spin box past max") << spin << QVariant(100) << "out_of_range";
        QTest::newRow("spin box below min") << spin << QVariant(-1) << "out_of_range";
        QTest::newRow("spin box, unsigned that an int cast makes 0")
            << spin << QVariant(qulonglong(1) << 32) << "out_of_range";
        QTest::newRow("spin box, signed that an int cast makes 0")
            << spin << QVariant(qint64(1) << 32) << "out_of_range";
        QTest::newRow("spin box given a double") << spin << QVariant(5.0) << "invalid_argument";
        QTest::newRow("spin box given a bool") << spin << QVariant(true) << "invalid_argument";
        QTest::newRow("spin box given a numeric text") << spin << QVariant("5") << "invalid_argument";
        QTest::newRow("double spin box given NaN")
            << handMade(+[] { return doubleSpin(); }, &QDoubleSpinBox::valueChanged)
            << QVariant(std::nan("")) << "out_of_range";
        const Action date = [](UIWrapper& ui) {
            ui.add_date({.date = {2024, 1, 1}, .max = {2024, 12, 31}, .callback = [](const QDate&) { changed(); },
                         .name = "w"});
        };
        QTest::newRow("date past max") << date << QVariant(QDate(2025, 1, 1)) << "out_of_range";
        QTest::newRow("date given a text") << date << QVariant("2024-02-02") << "invalid_argument";
        QTest::newRow("null date") << date << QVariant(QDate()) << "invalid_argument";
    }

    void rejectedValueChangesNothing()
    {
        QFETCH(Action, build);
        QFETCH(QVariant, value);
        QFETCH(QString, type);
        UIWrapper ui;
        build(ui);
        ui.add_input({.name = "z", .text = "avant"});
        const QVariantMap before = ui.values();
        for (const bool wholeMap : {false, true}) {
            try {
                if (wholeMap)
                    ui.set_values({{"a", 1}, {"w", value}, {"z", "après"}});
                else
                    ui.set_value("w", value);
                QFAIL("the value was accepted");
            } catch (const std::exception& error) {
                // The first entry, "a", names nothing either.
                QCOMPARE(typeOf(error), wholeMap ? QStringLiteral("out_of_range") : type);
            }
            QCOMPARE(ui.values(), before);
            QCOMPARE(changes, 0);
        }
        try {
            ui.set_values({{"w", value}, {"z", "après"}});
            QFAIL("the map was accepted");
        } catch (const std::exception& error) {
            QCOMPARE(typeOf(error), type);
        }
        QCOMPARE(ui.values(), before);
    }

    void valuesFollowFindAcrossTheWindow()
    {
        UIWrapper ui;
        ui.sidebar("left").add_label("barre", {.name = "a"}).add_spinbox({.value = 4, .name = "nombre"});
        ui.add_label("racine", {.name = "a"});
        Section& row = ui.add_row();
        row.add_input({.name = "a", .text = "caché"}).add_checkbox("c", {.checked = true, .name = "case"});
        (void)row.add_table({"A"}, {.name = "table"});
        ui.add_widget(new QWidget, {.name = "vide"});

        QCOMPARE(ui.values(), QVariantMap({{"a", "racine"}, {"case", true}, {"nombre", 4}}));
        QCOMPARE(row.values(), QVariantMap({{"a", "caché"}, {"case", true}}));

        // Each entry goes where find() points, and in the map's order.
        QStringList order;
        ui.add_input({.callback = [&](const QString&) { order << "b"; }, .name = "b"});
        ui.add_checkbox("d", {.callback = [&](bool) { order << "case"; }, .name = "case"});
        ui.set_values({{"case", false}, {"a", "neuf"}, {"b", "x"}, {"nombre", 9}});
        QCOMPARE(order, QStringList({"b"}));
        QCOMPARE(ui.values(), QVariantMap({{"a", "neuf"}, {"b", "x"}, {"case", false}, {"nombre", 9}}));
        QCOMPARE(row.value("a"), QVariant("caché"));

        ui.set_enabled("nombre", false).set_visible("a", false);
        QVERIFY(!ui.find("nombre")->isEnabled());
        QVERIFY(ui.find("a")->isHidden());
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, ui.set_enabled("absent"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, row.set_visible("nombre"));
    }

    void setValuesSurvivesACallbackThatDeletesALaterWidget()
    {
        UIWrapper ui;
        ui.add_input({.name = "z"});
        ui.add_input({.callback = [&](const QString&) { delete ui.find("z"); }, .name = "a"});
        ui.set_values({{"a", "x"}, {"z", "y"}});
        QCOMPARE(ui.values(), QVariantMap({{"a", "x"}}));
    }

    void valueConvertsToTheAskedType()
    {
        UIWrapper ui;
        ui.add_label("42", {.name = "nombre"}).add_label("abc", {.name = "texte"}).add_spinbox({.value = 7, .name = "s"});
        QCOMPARE(ui.value<int>("nombre"), 42);
        QCOMPARE(ui.value<QString>("s"), QStringLiteral("7"));
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, (void)ui.value<int>("texte"));
        QVERIFY_THROWS_EXCEPTION(std::out_of_range, (void)ui.value<int>("absent"));
    }

    void setOptionsReplacesTheEntries_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<std::optional<int>>("current");
        QTest::addColumn<QString>("expected");
        QTest::addColumn<QStringList>("calls");

        QTest::newRow("current text kept") << QStringList{"deux", "trois"} << std::optional<int>() << "deux"
                                           << QStringList();
        QTest::newRow("current text changes") << QStringList{"un", "deux"} << std::optional<int>(0) << "un"
                                              << QStringList{"un"};
        QTest::newRow("no entries left") << QStringList() << std::optional<int>() << "" << QStringList{""};
        QTest::newRow("current past the end") << QStringList{"x"} << std::optional<int>(1) << "out_of_range"
                                              << QStringList();
    }

    void setOptionsReplacesTheEntries()
    {
        QFETCH(QStringList, options);
        QFETCH(std::optional<int>, current);
        QFETCH(QString, expected);
        QFETCH(QStringList, calls);
        UIWrapper ui;
        QStringList received;
        ui.add_dropdown({"un", "deux"}, {.callback = [&](const QString& text) { received << text; }, .name = "w",
                                         .current = 1});
        try {
            ui.set_options("w", options, current);
            QCOMPARE(ui.value("w"), QVariant(expected));
            QCOMPARE(ui.find<QComboBox>("w")->count(), options.size());
        } catch (const std::out_of_range&) {
            QCOMPARE(expected, QStringLiteral("out_of_range"));
            QCOMPARE(ui.value("w"), QVariant("deux"));
            QCOMPARE(ui.find<QComboBox>("w")->count(), 2);
        }
        QCOMPARE(received, calls);
        QVERIFY_THROWS_EXCEPTION(std::invalid_argument, ui.add_label("l", {.name = "l"}).set_options("l", {"a"}));
    }
};

QTEST_MAIN(TestValues)
#include "tst_values.moc"
