// SPDX-License-Identifier: MIT
// velmora-calculator: a pocket calculator, with the mouse or the keyboard.

#include "calculator.h"

int main()
{
    Calculator calculator;
    return calculator.ui.run();
}
