// SPDX-License-Identifier: MIT
#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <functional>

using velmora::UIWrapper;

// Builds the widget named "w" in `ui`; every callback it connects adds to `calls`.
using Build = std::function<void(UIWrapper& ui, int& calls)>;
Q_DECLARE_METATYPE(Build)
Q_DECLARE_METATYPE(velmora::InputOptions)

namespace {

QString enabledWord(const QWidget* widget)
{
    return widget->isEnabled() ? QStringLiteral("actif") : QStringLiteral("inactif");
}

// The state the initial options set, in one line.
QString stateOf(QWidget* widget)
{
    if (const auto* input = qobject_cast<QLineEdit*>(widget)) {
        return QStringLiteral("'%1' %2 %3 %4")
            .arg(input->text(), input->echoMode() == QLineEdit::Password ? "masqué" : "visible",
                 input->isReadOnly() ? "lecture seule" : "modifiable", enabledWord(input));
    }
    if (const auto* combo = qobject_cast<QComboBox*>(widget))
        return QStringLiteral("'%1' %2 %3")
            .arg(combo->currentText())
            .arg(combo->currentIndex())
            .arg(enabledWord(combo));
    if (const auto* box = qobject_cast<QCheckBox*>(widget))
        return (box->isChecked() ? QStringLiteral("cochée ") : QStringLiteral("vide ")) + enabledWord(box);
    return enabledWord(widget);
}

} // namespace

class TestInitialState : public QObject
{
    Q_OBJECT

private slots:
    void initialStateIsSetWithoutCallingBack_data();
    void initialStateIsSetWithoutCallingBack();
    void submitRunsWithTheFieldsText_data();
    void submitRunsWithTheFieldsText();
};

void TestInitialState::initialStateIsSetWithoutCallingBack_data()
{
    QTest::addColumn<Build>("build");
    QTest::addColumn<QString>("state");

    const QStringList entries{"Lyon", "Nice", "Metz"};
    QTest::newRow("input, defaults") << Build([](UIWrapper& ui, int& calls) {
        ui.add_input({.callback = [&](const QString&) { ++calls; }, .name = "w"});
    }) << "'' visible modifiable actif";
    QTest::newRow("input, every field") << Build([](UIWrapper& ui, int& calls) {
        ui.add_input({.placeholder = "Mot de passe",
                      .callback = [&](const QString&) { ++calls; },
                      .name = "w",
                      .text = "sésame",
                      .password = true,
                      .read_only = true,
                      .on_submit = [&](const QString&) { ++calls; },
                      .enabled = false});
    }) << "'sésame' masqué lecture seule inactif";
    QTest::newRow("input, text only") << Build([](UIWrapper& ui, int& calls) {
        ui.add_input({.callback = [&](const QString&) { ++calls; }, .name = "w", .text = "0"});
    }) << "'0' visible modifiable actif";
    QTest::newRow("drop-down, defaults") << Build([entries](UIWrapper& ui, int& calls) {
        ui.add_dropdown(entries, {.callback = [&](const QString&) { ++calls; }, .name = "w"});
    }) << "'Lyon' 0 actif";
    QTest::newRow("drop-down, last entry") << Build([entries](UIWrapper& ui, int& calls) {
        ui.add_dropdown(entries, {.callback = [&](const QString&) { ++calls; }, .name = "w", .current = 2});
    }) << "'Metz' 2 actif";
    QTest::newRow("drop-down, first entry, disabled") << Build([entries](UIWrapper& ui, int& calls) {
        ui.add_dropdown(
            entries,
            {.callback = [&](const QString&) { ++calls; }, .name = "w", .current = 0, .enabled = false});
    }) << "'Lyon' 0 inactif";
    QTest::newRow("button, disabled") << Build([](UIWrapper& ui, int& calls) {
        ui.add_button("Valider", [&] { ++calls; }, {.name = "w", .enabled = false});
    }) << "inactif";
    QTest::newRow("check box, checked and disabled") << Build([](UIWrapper& ui, int& calls) {
        ui.add_checkbox("Actif",
                        {.callback = [&](bool) { ++calls; }, .checked = true, .name = "w", .enabled = false});
    }) << "cochée inactif";
    QTest::newRow("check box, in a sidebar") << Build([](UIWrapper& ui, int& calls) {
        ui.sidebar("left").add_checkbox("Actif", {.callback = [&](bool) { ++calls; }, .name = "w"});
    }) << "vide actif";
}

void TestInitialState::initialStateIsSetWithoutCallingBack()
{
    QFETCH(Build, build);
    QFETCH(QString, state);

    UIWrapper ui;
    int calls = 0;
    build(ui, calls);
    QWidget* widget = ui.find("w");
    QVERIFY(widget);
    QCOMPARE(stateOf(widget), state);
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    QCOMPARE(calls, 0);

    // A disabled widget ignores the user; an enabled one reacts once.
    if (auto* button = qobject_cast<QPushButton*>(widget))
        QTest::mouseClick(button, Qt::LeftButton);
    else if (auto* box = qobject_cast<QCheckBox*>(widget))
        QTest::mouseClick(box, Qt::LeftButton);
    else if (auto* combo = qobject_cast<QComboBox*>(widget))
        QTest::keyClick(combo, combo->currentIndex() == 0 ? Qt::Key_Down : Qt::Key_Up);
    else
        QTest::keyClicks(widget, "x");
    const bool readOnly = qobject_cast<QLineEdit*>(widget) && qobject_cast<QLineEdit*>(widget)->isReadOnly();
    QCOMPARE(calls, widget->isEnabled() && !readOnly ? 1 : 0);
}

void TestInitialState::submitRunsWithTheFieldsText_data()
{
    QTest::addColumn<velmora::InputOptions>("options");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("key");
    QTest::addColumn<QStringList>("submitted");
    QTest::addColumn<int>("changes");

    QTest::newRow("Return") << velmora::InputOptions{.text = "Bonjour"} << " et bienvenue"
                            << int(Qt::Key_Return) << QStringList{"Bonjour et bienvenue"} << 13;
    QTest::newRow("Enter on the keypad")
        << velmora::InputOptions{} << "12" << int(Qt::Key_Enter) << QStringList{"12"} << 2;
    QTest::newRow("Escape does not submit")
        << velmora::InputOptions{.text = "a"} << "b" << int(Qt::Key_Escape) << QStringList{} << 1;
    QTest::newRow("password: the real text") << velmora::InputOptions{.password = true} << "sesame"
                                             << int(Qt::Key_Return) << QStringList{"sesame"} << 6;
    QTest::newRow("read-only: the initial text") << velmora::InputOptions{.text = "fixe", .read_only = true}
                                                 << "xyz" << int(Qt::Key_Return) << QStringList{"fixe"} << 0;
    QTest::newRow("disabled: nothing") << velmora::InputOptions{.text = "gris", .enabled = false} << "xyz"
                                       << int(Qt::Key_Return) << QStringList{} << 0;
}

void TestInitialState::submitRunsWithTheFieldsText()
{
    QFETCH(velmora::InputOptions, options);
    QFETCH(QString, typed);
    QFETCH(int, key);
    QFETCH(QStringList, submitted);
    QFETCH(int, changes);

    UIWrapper ui;
    QStringList seen;
    int changed = 0;
    options.name = "champ";
    options.callback = [&](const QString&) { ++changed; };
    options.on_submit = [&](const QString& text) { seen << text; };
    ui.add_input(options);
    auto* input = ui.get<QLineEdit>("champ");
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));

    QTest::keyClicks(input, typed);
    QTest::keyClick(input, Qt::Key(key));
    QCOMPARE(seen, submitted);
    QCOMPARE(changed, changes);
}

QTEST_MAIN(TestInitialState)
#include "tst_initial_state.moc"
