// SPDX-License-Identifier: MIT
#include "calculator.h"

#include <QHash>
#include <QKeySequence>

#include <cmath>

namespace {

const QList<QStringList> KEYPAD{
    {"C", "←"}, {"7", "8", "9", "÷"}, {"4", "5", "6", "×"}, {"1", "2", "3", "−"}, {"0", ",", "=", "+"}};

// The keys that press a button whose text is not itself a key.
const QHash<QString, QList<QKeySequence>> SHORTCUTS{{"C", {Qt::Key_Escape, Qt::Key_Delete}},
                                                    {"←", {Qt::Key_Backspace}},
                                                    {"÷", {Qt::Key_Slash}},
                                                    {"×", {Qt::Key_Asterisk}},
                                                    {"−", {Qt::Key_Minus}},
                                                    {",", {Qt::Key_Comma, Qt::Key_Period}},
                                                    {"=", {Qt::Key_Equal, Qt::Key_Return, Qt::Key_Enter}}};

const char* STYLE = R"(
    QLineEdit#affichage { font-size: 28px; padding: 8px; border: none; background: #1f2933; color: white; }
    QPushButton { font-size: 18px; min-height: 48px; }
    QPushButton[text="="] { background: #2f80ed; color: white; }
)";

} // namespace

Calculator::Calculator()
    : ui({.title = "Calculatrice", .width = 300, .height = 380, .padding = 8})
{
    // Disabled rather than read-only: a read-only field still takes the focus, and with it
    // Backspace and Delete, which belong to the keypad.
    ui.set_style(STYLE).add_input({.name = "affichage", .text = "0", .enabled = false, .align = "right"});

    for (const QStringList& keys : KEYPAD) {
        velmora::Section& row = ui.add_row({.stretch = 1}).set_margins();
        for (const QString& key : keys) {
            row.add_button(key, [this, key] { press(key); }, {.stretch = 1, .name = key});
            // Each key press counts at once, however fast the keys come: a shortcut that
            // animated the button's click would drop a repeated digit.
            for (const QKeySequence& sequence : SHORTCUTS.value(key, {QKeySequence(key)}))
                ui.add_shortcut(sequence, [this, key] { press(key); });
        }
    }
    ui.set_resizable(false);
}

void Calculator::press(const QString& key)
{
    if (key == "C") {
        _entry.clear();
        _operator.clear();
        show(_total = 0);
    } else if (key == "←") {
        if (_entry.isEmpty())
            return;
        _entry.chop(1);
        display(_entry.isEmpty() ? QStringLiteral("0") : _entry);
    } else if (key == ",") {
        if (!_entry.contains(','))
            _entry = (_entry.isEmpty() ? QStringLiteral("0") : _entry) + key;
        display(_entry);
    } else if (key.front().isDigit()) {
        _entry = _entry == "0" ? key : _entry + key;
        display(_entry);
    } else {
        apply();
        _operator = key == "=" ? QString() : key;
    }
}

// Applies the waiting operator to the total and the number typed, and shows the result.
void Calculator::apply()
{
    if (_entry.isEmpty())
        return;
    const double operand = QString(_entry).replace(',', '.').toDouble();
    _entry.clear();
    if (_operator == "+")
        _total += operand;
    else if (_operator == "−")
        _total -= operand;
    else if (_operator == "×")
        _total *= operand;
    else if (_operator == "÷")
        _total /= operand;
    else
        _total = operand;
    show(_total);
}

void Calculator::show(double value)
{
    if (!std::isfinite(value)) {
        _total = 0;
        _operator.clear();
        display(QStringLiteral("Erreur"));
        return;
    }
    display(QString::number(value, 'g', 12).replace('.', ','));
}

void Calculator::display(const QString& text)
{
    ui.set_value("affichage", text);
}
