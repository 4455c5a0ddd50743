// SPDX-License-Identifier: MIT
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QAbstractButton>
#include <QBoxLayout>
#include <QButtonGroup>
#include <QDateEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>

#include <functional>

using velmora::UIWrapper;
using namespace fixture;

namespace {

// Every callback of the window under test records its argument here, as text.
QStringList received;

void note(const QVariant& value)
{
    received << value.toString();
}

QString enabledWord(const QWidget* widget)
{
    return widget->isEnabled() ? QStringLiteral("enabled") : QStringLiteral("disabled");
}

// What each kind was asked to be, in a few words.
QString describe(QWidget* widget)
{
    if (auto* spin = qobject_cast<QSpinBox*>(widget))
        return QStringLiteral("%1..%2 step %3 '%4' %5").arg(spin->minimum()).arg(spin->maximum())
            .arg(spin->singleStep()).arg(spin->text(), enabledWord(spin));
    if (auto* slider = qobject_cast<QSlider*>(widget))
        return QStringLiteral("%1..%2 %3 %4").arg(slider->minimum()).arg(slider->maximum())
            .arg(slider->orientation() == Qt::Horizontal ? "horizontal" : "vertical", enabledWord(slider));
    if (auto* bar = qobject_cast<QProgressBar*>(widget))
        return QStringLiteral("%1..%2 '%3'").arg(bar->minimum()).arg(bar->maximum()).arg(bar->text());
    if (auto* area = qobject_cast<QPlainTextEdit*>(widget))
        return QStringLiteral("'%1' '%2' %3 %4").arg(area->toPlainText(), area->placeholderText())
            .arg(area->isReadOnly() ? "read-only" : "editable", enabledWord(area));
    if (auto* edit = qobject_cast<QDateEdit*>(widget))
        return QStringLiteral("%1..%2 %3 '%4'").arg(edit->minimumDate().toString(Qt::ISODate),
                                                    edit->maximumDate().toString(Qt::ISODate),
                                                    edit->calendarPopup() ? "pop-up" : "no pop-up",
                                                    edit->displayFormat());
    QStringList options;
    for (auto* button : widget->findChildren<QRadioButton*>())
        options << button->text() + (button->isChecked() ? "*" : "");
    auto* group = widget->findChild<QButtonGroup*>();
    return QStringLiteral("%1 %2 %3 %4").arg(widget->layout()->metaObject()->className(), options.join(u','),
                                             group && group->exclusive() ? "exclusive" : "free",
                                             enabledWord(widget));
}

// Clicks the indicator of one option: a button stretched across the window takes clicks only
// on its indicator and its text.
void clickOption(UIWrapper& ui, int index)
{
    QRadioButton* button = ui.find("w")->findChildren<QRadioButton*>().at(index);
    QStyleOptionButton style;
    style.initFrom(button);
    const QRect indicator = button->style()->subElementRect(QStyle::SE_RadioButtonIndicator, &style, button);
    QTest::mouseClick(button, Qt::LeftButton, {}, indicator.center());
}

} // namespace

class TestWidgetKinds : public QObject
{
    Q_OBJECT

private slots:
    void init() { received.clear(); }

    void kindStartsInItsInitialStateWithoutCallback_data()
    {
        QTest::addColumn<Action>("build");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QVariant>("value");
        QTest::addColumn<QString>("description");

        const QDate today = QDate::currentDate();
        QTest::newRow("spin box") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.min = -5, .max = 5, .value = -3, .step = 2, .prefix = "x", .suffix = " €",
                            .callback = note, .name = "w", .enabled = false});
        }) << "QSpinBox" << QVariant(-3) << "-5..5 step 2 'x-3 €' disabled";
        QTest::newRow("slider, defaults") << Action([](UIWrapper& ui) { ui.add_slider({.name = "w"}); })
                                          << "QSlider" << QVariant(0) << "0..100 horizontal enabled";
        QTest::newRow("slider, vertical") << Action([](UIWrapper& ui) {
            ui.add_slider({.min = 10, .max = 20, .value = 20, .vertical = true, .callback = note, .name = "w"});
        }) << "QSlider" << QVariant(20) << "10..20 vertical enabled";
        QTest::newRow("progress bar, own format") << Action([](UIWrapper& ui) {
            ui.add_progress({.max = 200, .value = 40, .format = "%v/%m", .name = "w"});
        }) << "QProgressBar" << QVariant(40) << "0..200 '40/200'";
        QTest::newRow("progress bar, Qt's format") << Action([](UIWrapper& ui) {
            ui.add_progress({.value = 25, .name = "w"});
        }) << "QProgressBar" << QVariant(25) << "0..100 '25%'";
        QTest::newRow("text area") << Action([](UIWrapper& ui) {
            ui.add_text({.text = "un\ndeux", .placeholder = "notes", .read_only = true, .callback = note,
                         .name = "w"});
        }) << "QPlainTextEdit" << QVariant("un\ndeux") << "'un\ndeux' 'notes' read-only enabled";
        QTest::newRow("date in its range") << Action([](UIWrapper& ui) {
            ui.add_date({.date = {2024, 2, 29}, .min = {2024, 1, 1}, .max = {2024, 12, 31},
                         .format = "dd/MM/yyyy", .callback = note, .name = "w"});
        }) << "QDateEdit" << QVariant(QDate(2024, 2, 29)) << "2024-01-01..2024-12-31 pop-up 'dd/MM/yyyy'";
        QTest::newRow("no date: today") << Action([](UIWrapper& ui) {
            ui.add_date({.min = {2000, 1, 1}, .callback = note, .name = "w"});
        }) << "QDateEdit" << QVariant(today) << "2000-01-01..9999-12-31 pop-up '" +
                                                     QDateEdit().displayFormat() + "'";
        QTest::newRow("no date, today past max: max") << Action([](UIWrapper& ui) {
            ui.add_date({.max = {2001, 5, 6}, .format = "yyyy", .name = "w"});
        }) << "QDateEdit" << QVariant(QDate(2001, 5, 6)) << "1752-09-14..2001-05-06 pop-up 'yyyy'";
        QTest::newRow("date before Qt's own min, in its range") << Action([](UIWrapper& ui) {
            ui.add_date({.date = {1600, 3, 1}, .min = {1500, 1, 1}, .max = {1700, 1, 1}, .format = "yyyy-MM-dd",
                         .callback = note, .name = "w"});
        }) << "QDateEdit" << QVariant(QDate(1600, 3, 1)) << "1500-01-01..1700-01-01 pop-up 'yyyy-MM-dd'";
        QTest::newRow("radio group, column") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b", "c"}, {.current = 1, .callback = note, .name = "w"});
        }) << "QWidget" << QVariant("b") << "QVBoxLayout a,b*,c exclusive enabled";
        QTest::newRow("radio group, row") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.callback = note, .horizontal = true, .name = "w", .enabled = false});
        }) << "QWidget" << QVariant("a") << "QHBoxLayout a*,b exclusive disabled";
    }

    void kindStartsInItsInitialStateWithoutCallback()
    {
        QFETCH(Action, build);
        QFETCH(QString, className);
        QFETCH(QVariant, value);
        QFETCH(QString, description);
        UIWrapper ui;
        build(ui);
        QWidget* widget = ui.get("w");
        QVERIFY(widget);
        QCOMPARE(QString(widget->metaObject()->className()), className);
        QCOMPARE(widget->objectName(), QStringLiteral("w"));
        QCOMPARE(ui.value("w"), value);
        QCOMPARE(describe(widget), description);
        QCOMPARE(received, QStringList());
    }

    void userChangeReachesCallback_data()
    {
        QTest::addColumn<Action>("build");
        QTest::addColumn<Action>("act");
        QTest::addColumn<QStringList>("calls");

        QTest::newRow("spin box, one step up") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.value = 3, .step = 5, .callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) { QTest::keyClick(ui.find("w"), Qt::Key_Up); }) << QStringList{"8"};
        QTest::newRow("slider, one step right") << Action([](UIWrapper& ui) {
            ui.add_slider({.callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) { QTest::keyClick(ui.find("w"), Qt::Key_Right); }) << QStringList{"1"};
        QTest::newRow("text area, two keys") << Action([](UIWrapper& ui) {
            ui.add_text({.text = "a", .callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) {
            auto* area = ui.find<QPlainTextEdit>("w");
            area->moveCursor(QTextCursor::End);
            QTest::keyClicks(area, "bc");
        }) << QStringList{"ab", "abc"};
        QTest::newRow("date, one year up") << Action([](UIWrapper& ui) {
            ui.add_date({.date = {2024, 2, 29}, .format = "yyyy-MM-dd", .callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) { QTest::keyClick(ui.find("w"), Qt::Key_Up); })
           << QStringList{"2025-02-28"};
        QTest::newRow("radio group, another option") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) { clickOption(ui, 1); })
           << QStringList{"b"};
        QTest::newRow("radio group, the checked option again") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.current = 1, .callback = note, .name = "w"});
        }) << Action([](UIWrapper& ui) {
            clickOption(ui, 1);
            QCOMPARE(ui.value("w"), QVariant("b"));
        }) << QStringList();
    }

    void userChangeReachesCallback()
    {
        QFETCH(Action, build);
        QFETCH(Action, act);
        QFETCH(QStringList, calls);
        UIWrapper ui;
        build(ui);
        ui.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(ui.window));
        act(ui);
        QCOMPARE(received, calls);
    }

    void badOptionsAreRefusedBeforeAnythingIsMade_data()
    {
        QTest::addColumn<Action>("call");
        QTest::addColumn<QString>("type");

        QTest::newRow("spin box, min above max, value outside too") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.min = 5, .max = 1, .value = 9, .name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("spin box, step 0") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.step = 0, .name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("spin box, value past max") << Action([](UIWrapper& ui) {
            ui.add_spinbox({.value = 100, .name = "ok"});
        }) << "out_of_range";
        QTest::newRow("slider, value below min") << Action([](UIWrapper& ui) {
            ui.add_slider({.min = 1, .name = "ok"});
        }) << "out_of_range";
        QTest::newRow("progress bar, min above max") << Action([](UIWrapper& ui) {
            ui.add_progress({.min = 1, .max = 0, .name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("date, min after max") << Action([](UIWrapper& ui) {
            ui.add_date({.min = {2024, 1, 2}, .max = {2024, 1, 1}, .name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("date, no min and a max before Qt's") << Action([](UIWrapper& ui) {
            ui.add_date({.max = {1700, 1, 1}, .name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("date outside its range") << Action([](UIWrapper& ui) {
            ui.add_date({.date = {2023, 12, 31}, .min = {2024, 1, 1}, .name = "ok"});
        }) << "out_of_range";
        QTest::newRow("radio group without options") << Action([](UIWrapper& ui) {
            ui.add_radio({}, {.name = "ok"});
        }) << "invalid_argument";
        QTest::newRow("radio group, current past the end") << Action([](UIWrapper& ui) {
            ui.add_radio({"a", "b"}, {.current = 2, .name = "ok"});
        }) << "out_of_range";
        QTest::newRow("radio group, negative current") << Action([](UIWrapper& ui) {
            ui.add_radio({"a"}, {.current = -1, .name = "ok"});
        }) << "out_of_range";
    }

    void badOptionsAreRefusedBeforeAnythingIsMade()
    {
        QFETCH(Action, call);
        QFETCH(QString, type);
        checkRejectedCallChangesNothing(call, type);
    }
};

QTEST_MAIN(TestWidgetKinds)
#include "tst_widget_kinds.moc"
