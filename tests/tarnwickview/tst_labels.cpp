// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCommandLinkButton>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>

#include <functional>
#include <memory>

using WidgetFactory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(WidgetFactory)

namespace app {
class Badge : public QFrame
{
    Q_OBJECT
};
} // namespace app

class FancyLabel : public QLabel
{
    Q_OBJECT
public:
    using QLabel::QLabel;
};

// No run-time class information of its own: it is known by its nearest described base.
class PlainFrame : public QFrame
{
};

namespace {

template<typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromUtf8(name));
    return widget;
}

// The root line of a tree is the root's label, whatever internal children it has.
QString labelOf(QWidget* widget)
{
    return tarnwickview::get_tree(widget).section(QLatin1Char('\n'), 0, 0);
}

QTabWidget* tabsTitled(const QStringList& titles)
{
    auto* tabs = new QTabWidget;
    for (const QString& title : titles)
        tabs->addTab(new QWidget, title);
    return tabs;
}

} // namespace

class TestLabels : public QObject
{
    Q_OBJECT

private slots:
    void eachKindHasItsBody_data();
    void eachKindHasItsBody();
    void textWithLineBreakSpansTwoLines();
    void tabTitlesAreQuotedAndEscaped_data();
    void tabTitlesAreQuotedAndEscaped();
    void tabListSeparatesTitlesWithCommaAndSpace();
};

void TestLabels::eachKindHasItsBody_data()
{
    QTest::addColumn<WidgetFactory>("make");
    QTest::addColumn<QString>("label");

    QTest::newRow("tabs, named") << WidgetFactory([] {
        return named(tabsTitled({QStringLiteral("Général"), QStringLiteral("Avancé")}), "onglets");
    }) << QStringLiteral("QTabWidget  ['Général', 'Avancé']  [#onglets]");
    QTest::newRow("tabs, none") << WidgetFactory([] { return new QTabWidget; })
                                << QStringLiteral("QTabWidget  []");
    QTest::newRow("plain widget") << WidgetFactory([] { return new QWidget; }) << QStringLiteral("QWidget");
    QTest::newRow("plain widget, named")
        << WidgetFactory([] { return named(new QWidget, "zone"); }) << QStringLiteral("QWidget  [#zone]");
    QTest::newRow("label, named") << WidgetFactory([] { return named(new QLabel("Bonjour"), "titre"); })
                                  << QStringLiteral("QLabel  'Bonjour'  [#titre]");
    QTest::newRow("label, empty") << WidgetFactory([] { return new QLabel; }) << QStringLiteral("QLabel  ''");
    QTest::newRow("label, rich text kept") << WidgetFactory([] { return new QLabel("<b>Gras</b> & co"); })
                                           << QStringLiteral("QLabel  '<b>Gras</b> & co'");
    QTest::newRow("label, quotes not escaped")
        << WidgetFactory([] { return new QLabel("l'aide"); }) << QStringLiteral("QLabel  'l'aide'");
    QTest::newRow("label subclass") << WidgetFactory([] { return named(new FancyLabel("x"), "f"); })
                                    << QStringLiteral("QLabel  'x'  [#f]");
    QTest::newRow("button") << WidgetFactory([] { return new QPushButton("Valider"); })
                            << QStringLiteral("QPushButton  'Valider'");
    QTest::newRow("button, mnemonic kept") << WidgetFactory([] { return new QPushButton("&Ouvrir"); })
                                           << QStringLiteral("QPushButton  '&Ouvrir'");
    QTest::newRow("button subclass") << WidgetFactory([] { return new QCommandLinkButton("Suivant"); })
                                     << QStringLiteral("QPushButton  'Suivant'");
    QTest::newRow("table 3x2") << WidgetFactory([] { return new QTableWidget(3, 2); })
                               << QStringLiteral("QTableWidget  3×2");
    QTest::newRow("table, empty") << WidgetFactory([] { return new QTableWidget; })
                                  << QStringLiteral("QTableWidget  0×0");
    QTest::newRow("line edit") << WidgetFactory([] { return new QLineEdit; })
                               << QStringLiteral("QLineEdit  placeholder=''");
    QTest::newRow("line edit shows placeholder, not text") << WidgetFactory([] {
        auto* edit = new QLineEdit(QStringLiteral("tapé"));
        edit->setPlaceholderText(QStringLiteral("Nom"));
        return edit;
    }) << QStringLiteral("QLineEdit  placeholder='Nom'");
    QTest::newRow("combo, 0") << WidgetFactory([] { return new QComboBox; })
                              << QStringLiteral("QComboBox  0 options");
    QTest::newRow("combo, 1") << WidgetFactory([] {
        auto* combo = new QComboBox;
        combo->addItem(QStringLiteral("un"));
        return combo;
    }) << QStringLiteral("QComboBox  1 options");
    QTest::newRow("checkbox ignores state") << WidgetFactory([] {
        auto* check = new QCheckBox(QStringLiteral("Actif"));
        check->setChecked(true);
        return check;
    }) << QStringLiteral("QCheckBox  'Actif'");
    QTest::newRow("scroll area, named") << WidgetFactory([] { return named(new QScrollArea, "defil"); })
                                        << QStringLiteral("QScrollArea  [#defil]");
    QTest::newRow("progress 40/100") << WidgetFactory([] {
        auto* bar = new QProgressBar;
        bar->setRange(0, 100);
        bar->setValue(40);
        return bar;
    }) << QStringLiteral("QProgressBar  40/100");
    QTest::newRow("progress below zero") << WidgetFactory([] {
        auto* bar = new QProgressBar;
        bar->setRange(-20, 1500);
        bar->setValue(-5);
        return bar;
    }) << QStringLiteral("QProgressBar  -5/1500");
    QTest::newRow("slider") << WidgetFactory([] {
        auto* slider = new QSlider;
        slider->setValue(25);
        return slider;
    }) << QStringLiteral("QSlider  25");
    QTest::newRow("class outside the table")
        << WidgetFactory([] { return new QRadioButton("Oui"); }) << QStringLiteral("QRadioButton");
    QTest::newRow("main window") << WidgetFactory([] { return new QMainWindow; })
                                 << QStringLiteral("QMainWindow");
    QTest::newRow("own class, namespace dropped")
        << WidgetFactory([] { return named(new app::Badge, "b"); }) << QStringLiteral("Badge  [#b]");
    QTest::newRow("class without own class information")
        << WidgetFactory([] { return new PlainFrame; }) << QStringLiteral("QFrame");
}

void TestLabels::eachKindHasItsBody()
{
    QFETCH(WidgetFactory, make);
    QFETCH(QString, label);
    const std::unique_ptr<QWidget> widget(make());
    QCOMPARE(labelOf(widget.get()), label);
}

void TestLabels::textWithLineBreakSpansTwoLines()
{
    QLabel label(QStringLiteral("Première\nSeconde"));
    label.setObjectName(QStringLiteral("note"));
    QCOMPARE(tarnwickview::get_tree(&label), QStringLiteral("QLabel  'Première\nSeconde'  [#note]"));
}

void TestLabels::tabTitlesAreQuotedAndEscaped_data()
{
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("quoted");

    QTest::newRow("empty") << QString() << QStringLiteral("''");
    QTest::newRow("single quote only") << QStringLiteral("l'aide") << QStringLiteral("\"l'aide\"");
    QTest::newRow("double quote only") << QStringLiteral("dit \"oui\"") << QStringLiteral("'dit \"oui\"'");
    QTest::newRow("both quotes") << QStringLiteral("l'a dit \"oui\"")
                                 << QStringLiteral("'l\\'a dit \"oui\"'");
    QTest::newRow("backslash") << QStringLiteral("C:\\temp\\") << QStringLiteral("'C:\\\\temp\\\\'");
    QTest::newRow("backslash in double quotes") << QStringLiteral("l'\\") << QStringLiteral("\"l'\\\\\"");
    QTest::newRow("tab, line feed, return")
        << QStringLiteral("a\tb\nc\rd") << QStringLiteral("'a\\tb\\nc\\rd'");
    QTest::newRow("other controls") << QStringLiteral("\x01\x1b\x7f") << QStringLiteral("'\\x01\\x1b\\x7f'");
    QTest::newRow("NUL") << QString(QChar(0)) << QStringLiteral("'\\x00'");
    QTest::newRow("C1 control") << QStringLiteral("\u0085") << QStringLiteral("'\\x85'");
    QTest::newRow("ASCII space kept") << QStringLiteral(" a b ") << QStringLiteral("' a b '");
    QTest::newRow("no-break space") << QStringLiteral("a\u00a0b") << QStringLiteral("'a\\xa0b'");
    QTest::newRow("soft hyphen") << QStringLiteral("\u00ad") << QStringLiteral("'\\xad'");
    QTest::newRow("ideographic space") << QStringLiteral("\u3000") << QStringLiteral("'\\u3000'");
    QTest::newRow("line separator") << QStringLiteral("\u2028") << QStringLiteral("'\\u2028'");
    QTest::newRow("paragraph separator") << QStringLiteral("\u2029") << QStringLiteral("'\\u2029'");
    QTest::newRow("zero-width space") << QStringLiteral("a\u200bb") << QStringLiteral("'a\\u200bb'");
    QTest::newRow("private use") << QStringLiteral("\ue000") << QStringLiteral("'\\ue000'");
    QTest::newRow("unassigned") << QStringLiteral("\u0378\uffff") << QStringLiteral("'\\u0378\\uffff'");
    QTest::newRow("astral printable kept") << QStringLiteral("\U0001F600") << QStringLiteral("'\U0001F600'");
    QTest::newRow("astral private use") << QStringLiteral("\U000F0000") << QStringLiteral("'\\U000f0000'");
    QTest::newRow("astral unassigned") << QStringLiteral("\U0002FFFE") << QStringLiteral("'\\U0002fffe'");
    QTest::newRow("lone high surrogate")
        << QString(QChar(0xd800)) + QLatin1Char('a') << QStringLiteral("'\\ud800a'");
    QTest::newRow("lone low surrogate") << QString(QChar(0xdc00)) << QStringLiteral("'\\udc00'");
    QTest::newRow("reversed pair") << QString(QChar(0xdc00)) + QChar(0xd800)
                                   << QStringLiteral("'\\udc00\\ud800'");
    QTest::newRow("letters of any script")
        << QStringLiteral("Général Ωμέγα 日本 é") << QStringLiteral("'Général Ωμέγα 日本 é'");
    QTest::newRow("mnemonic kept") << QStringLiteral("&Fichier") << QStringLiteral("'&Fichier'");
}

void TestLabels::tabTitlesAreQuotedAndEscaped()
{
    QFETCH(QString, title);
    QFETCH(QString, quoted);
    const std::unique_ptr<QTabWidget> tabs(tabsTitled({title}));
    QCOMPARE(tabs->tabText(0), title);
    QCOMPARE(labelOf(tabs.get()), QStringLiteral("QTabWidget  [") + quoted + QLatin1Char(']'));
}

void TestLabels::tabListSeparatesTitlesWithCommaAndSpace()
{
    const std::unique_ptr<QTabWidget> tabs(
        tabsTitled({QStringLiteral("a"), QStringLiteral("l'aide"), QStringLiteral("")}));
    QCOMPARE(labelOf(tabs.get()), QStringLiteral("QTabWidget  ['a', \"l'aide\", '']"));
}

QTEST_MAIN(TestLabels)
#include "tst_labels.moc"
