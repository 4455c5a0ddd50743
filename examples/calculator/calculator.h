// SPDX-License-Identifier: MIT
// A pocket calculator: a keypad that the mouse and the keyboard both drive.

#pragma once

#include <velmora/velmora.h>

// Works as a pocket calculator does: each operator applies the previous one, so that
// 12 + 3 × 2 = gives 30; "=" repeats nothing; a digit after "=" starts a new calculation.
class Calculator
{
public:
    Calculator();

    velmora::UIWrapper ui;

private:
    void press(const QString& key);
    void apply();
    void show(double value);
    void display(const QString& text);

    QString _entry;    // the number being typed, with a decimal comma
    double _total = 0; // the result so far
    QString _operator; // waiting for its right operand; empty when none
};
