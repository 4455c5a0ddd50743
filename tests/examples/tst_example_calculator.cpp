// SPDX-License-Identifier: MIT
#include "calculator.h"
#include "example_driver.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QPushButton* button(const velmora::UIWrapper& ui, const QString& text)
{
    for (QPushButton* candidate : ui.window->findChildren<QPushButton*>()) {
        if (candidate->text() == text)
            return candidate;
    }
    return nullptr;
}

} // namespace

class TestCalculatorExample : public QObject
{
    Q_OBJECT

private slots:
    void computes_data();
    void computes();
    void keysReachTheKeypadWhereverTheFocusIs();
};

void TestCalculatorExample::computes_data()
{
    QTest::addColumn<QString>("keys");    // typed on the keyboard
    QTest::addColumn<QString>("buttons"); // the same, clicked: button texts separated by spaces
    QTest::addColumn<QString>("display");
    QTest::newRow("left to right") << "12+3*2="
                                   << "1 2 + 3 × 2 ="
                                   << "30";
    QTest::newRow("decimal comma") << "7/2="
                                   << "7 ÷ 2 ="
                                   << "3,5";
    QTest::newRow("period types a comma") << "1.5+1,25="
                                          << "1 , 5 + 1 , 2 5 ="
                                          << "2,75";
    QTest::newRow("no binary noise") << "0.1+0.2="
                                     << "0 , 1 + 0 , 2 ="
                                     << "0,3";
    QTest::newRow("negative result") << "9-12="
                                     << "9 − 1 2 ="
                                     << "-3";
    QTest::newRow("division by zero") << "5/0="
                                      << "5 ÷ 0 ="
                                      << "Erreur";
    QTest::newRow("Enter is equals") << "12+3\r"
                                     << "1 2 + 3 ="
                                     << "15";
    QTest::newRow("backspace") << "123\b"
                               << "1 2 3 ←"
                               << "12";
    QTest::newRow("escape clears") << "12+3\x1b"
                                   << "1 2 + 3 C"
                                   << "0";
    QTest::newRow("cleared, then anew") << "12+3\x1b"
                                           "4="
                                        << "1 2 + 3 C 4 ="
                                        << "4";
    QTest::newRow("result goes on") << "4+5=*2="
                                    << "4 + 5 = × 2 ="
                                    << "18";
    QTest::newRow("digit after equals") << "4+5=7+1="
                                        << "4 + 5 = 7 + 1 ="
                                        << "8";
    QTest::newRow("operator replaced") << "2+*3="
                                       << "2 + × 3 ="
                                       << "6";
    QTest::newRow("leading zeros") << "007"
                                   << "0 0 7"
                                   << "7";
    QTest::newRow("one comma") << "1,,5"
                               << "1 , , 5"
                               << "1,5";
}

void TestCalculatorExample::computes()
{
    QFETCH(QString, keys);
    QFETCH(QString, buttons);
    QFETCH(QString, display);

    Calculator typed;
    QVERIFY(start(typed.ui));
    QTest::keyClicks(typed.ui.window, keys);
    QCOMPARE(typed.ui.value<QString>("affichage"), display);

    Calculator clicked;
    QVERIFY(start(clicked.ui));
    for (const QString& text : buttons.split(' ')) {
        QPushButton* key = button(clicked.ui, text);
        QVERIFY2(key, qPrintable(text));
        QTest::mouseClick(key, Qt::LeftButton);
    }
    QCOMPARE(clicked.ui.value<QString>("affichage"), display);
}

void TestCalculatorExample::keysReachTheKeypadWhereverTheFocusIs()
{
    Calculator calculator;
    QVERIFY(start(calculator.ui));
    // A click on the display or on a key must not keep the editing keys from the keypad.
    QTest::mouseClick(calculator.ui.get<QLineEdit>("affichage"), Qt::LeftButton);
    QTest::mouseClick(button(calculator.ui, "7"), Qt::LeftButton);
    QWidget* focused = QApplication::focusWidget();
    QVERIFY(focused);
    QTest::keyClicks(focused, "12\b\b");
    QCOMPARE(calculator.ui.value<QString>("affichage"), "7");
    QTest::keyClick(focused, Qt::Key_Delete);
    QCOMPARE(calculator.ui.value<QString>("affichage"), "0");
    QTest::keyClicks(focused, "355/113=");
    QCOMPARE(calculator.ui.value<QString>("affichage"), "3,14159292035");
    QVERIFY(saveScreenshot(calculator.ui.window, "calculator.png"));
}

QTEST_MAIN(TestCalculatorExample)
#include "tst_example_calculator.moc"
