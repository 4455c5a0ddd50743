#include "banner_probe.h"
#include "layout_probe.h"
#include "message_log.h"

#include <velmora/velmora.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>
#include <QTabWidget>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <cerrno>
#include <climits>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <system_error>
#include <typeinfo>

#include <sys/stat.h>
#include <unistd.h>

using velmora::Section;
using velmora::UIWrapper;

using Action = std::function<void(UIWrapper&)>;
Q_DECLARE_METATYPE(Action)

namespace {

const QString kValidSides = QStringLiteral("'. Valeurs valides : ['up', 'down', 'left', 'right']");

QString megabyteText()
{
    return QString(1 << 20, QLatin1Char('m'));
}

QString withNul()
{
    return QString::fromUtf16(u"a\0b", 3);
}

QString typeOf(const std::exception& error)
{
    if (typeid(error) == typeid(velmora::ValueError))
        return QStringLiteral("ValueError");
    if (typeid(error) == typeid(std::invalid_argument))
        return QStringLiteral("invalid_argument");
    if (typeid(error) == typeid(std::out_of_range))
        return QStringLiteral("out_of_range");
    if (typeid(error) == typeid(std::filesystem::filesystem_error))
        return QStringLiteral("filesystem_error");
    return QString::fromLatin1(typeid(error).name());
}

// Everything an operation could leave behind in a window: its objects and names, what each box
// layout holds, margins, spacing and alignment, style sheets, title, size limits and opacity.
QStringList stateOf(const UIWrapper& ui)
{
    const QMainWindow* window = ui.window;
    QStringList state{window->windowTitle(), window->styleSheet(),
                      QStringLiteral("%1 %2 %3 %4")
                          .arg(QVariant(window->size()).toString(),
                               QVariant(window->minimumSize()).toString(),
                               QVariant(window->maximumSize()).toString())
                          .arg(window->windowOpacity())};
    for (const QObject* object : window->findChildren<QObject*>()) {
        QString line = QLatin1StringView(object->metaObject()->className()) + u' ' + object->objectName();
        if (const auto* layout = qobject_cast<const QBoxLayout*>(object)) {
            const QMargins m = layout->contentsMargins();
            line += QStringLiteral(" [%1] %2,%3,%4,%5 spacing %6 align %7")
                        .arg(itemsOf(layout).join(u','))
                        .arg(m.left())
                        .arg(m.top())
                        .arg(m.right())
                        .arg(m.bottom())
                        .arg(layout->spacing())
                        .arg(int(layout->alignment()));
        }
        if (const auto* widget = qobject_cast<const QWidget*>(object))
            line += u' ' + widget->styleSheet();
        state << line;
    }
    return state;
}

// A window with some of everything, so that a rejected call has something to disturb.
void furnish(UIWrapper& ui)
{
    ui.sidebar("left", {.stretches = {1}, .align = "center"}).add_label("barre", {.name = "barre"});
    ui.add_label("titre", {.name = "titre"});
    Section& row =
        ui.add_row({.stretches = {2, 3}, .align = "top", .cross_align = "center", .name = "ligne"});
    row.add_input({.name = "champ"}).end().add_table({"A", "B"}, {.rows = 1});
    ui.add_tabs({"Un", "Deux"}).at("Deux").add_checkbox("case", {.name = "case"});
}

// Lets the window's layouts work out sizes and place every widget, without painting it: what
// a huge or negative size does to Qt's arithmetic shows here.
void layOut(UIWrapper& ui)
{
    QWidget* central = ui.window->centralWidget();
    (void)ui.window->sizeHint();
    (void)ui.window->minimumSizeHint();
    central->layout()->activate();
    central->layout()->setGeometry(QRect(0, 0, 640, 480));
    for (QLayout* layout : ui.window->findChildren<QLayout*>())
        layout->activate();
}

QString writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write test file %s", qPrintable(path));
    return path;
}

} // namespace

class TestBadInput : public QObject
{
    Q_OBJECT

private slots:
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void unknownSideNamesTheWordItWasGiven_data();
    void unknownSideNamesTheWordItWasGiven();

    void alignmentWordsOutsideTheTablesActAsAbsent_data();
    void alignmentWordsOutsideTheTablesActAsAbsent();

    void textsAreKeptWhole_data();
    void textsAreKeptWhole();
    void namesAreKeptWhole_data();
    void namesAreKeptWhole();

    void extremeStretchesGapsAndSpacingsAreHandedOn_data();
    void extremeStretchesGapsAndSpacingsAreHandedOn();
    void extremeSizesAreHandedToQtUnchanged_data();
    void extremeSizesAreHandedToQtUnchanged();
    void extremeDurationsStillEndOrLast_data();
    void extremeDurationsStillEndOrLast();

    void twoThousandTabs();
    void tableWithAThousandColumns();
    void rowsNestedFiveHundredDeep();

    void unusableStylePathFailsAndChangesNothing_data();
    void unusableStylePathFailsAndChangesNothing();

    void throwingCallbackOfAnApplicationChangeIsReportedOnce_data();
    void throwingCallbackOfAnApplicationChangeIsReportedOnce();
    void throwingSubmitOrActivateCallbackIsReportedOnce_data();
    void throwingSubmitOrActivateCallbackIsReportedOnce();
    void closeCallbackThrowingANonStandardValueKeepsTheWindowOpen();
    void libraryErrorsReachTheCallerUnchanged();
    void libraryErrorInsideACallbackReachesTheCallbacksOwnHandler();
};

void TestBadInput::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("section over a null layout") << Action([](UIWrapper& ui) {
        Section orphan(
            nullptr, {.parent = &ui.end(), .stretches = {4}, .align = "center", .cross_flag = Qt::AlignLeft});
    }) << "invalid_argument";
    QTest::newRow("row for a null table") << Action([](UIWrapper& ui) {
        ui.add_table_row(nullptr, {1, "x"});
    }) << "invalid_argument";
    QTest::newRow("row for a null table, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_table_row(nullptr, {}); }) << "invalid_argument";
    QTest::newRow("button without callback")
        << Action([](UIWrapper& ui) { ui.add_button("OK", {}, {.stretch = 3, .gap = 12, .name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("button without callback, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_button("OK", {}, {.gap = 5, .name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("empty close callback")
        << Action([](UIWrapper& ui) { ui.set_on_close({}); }) << "invalid_argument";
    QTest::newRow("unknown side") << Action([](UIWrapper& ui) {
        ui.sidebar("middle", {.stretches = {1}, .align = "center", .size = 40});
    }) << "ValueError";
    QTest::newRow("null widget") << Action([](UIWrapper& ui) {
        ui.add_widget(nullptr, {.stretch = 2, .name = "ok"});
    }) << "invalid_argument";
    QTest::newRow("null widget, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_widget(nullptr, {.name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("widget holding the section")
        << Action([](UIWrapper& ui) { ui.add_widget(ui.window->centralWidget(), {.name = "ok"}); })
        << "invalid_argument";
    QTest::newRow("window into its own sidebar") << Action([](UIWrapper& ui) {
        ui.sidebar("left").add_widget(ui.window, {.stretch = 1, .name = "ok"});
    }) << "invalid_argument";
    QTest::newRow("rows for a null table") << Action([](UIWrapper& ui) {
        ui.add_table_rows(nullptr, {{1, "x"}, {2}});
    }) << "invalid_argument";
    QTest::newRow("no rows for a null table, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_table_rows(nullptr, {}); })
        << "invalid_argument";
    QTest::newRow("drop-down current before the first entry") << Action([](UIWrapper& ui) {
        ui.add_dropdown({"un", "deux"}, {.callback = [](const QString&) {}, .name = "ok", .current = -1});
    }) << "out_of_range";
    QTest::newRow("drop-down current past the last entry") << Action([](UIWrapper& ui) {
        ui.add_dropdown({"un", "deux"}, {.name = "ok", .current = 2, .enabled = false});
    }) << "out_of_range";
    QTest::newRow("drop-down current without entries")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_dropdown({}, {.name = "ok", .current = 0}); })
        << "out_of_range";
    QTest::newRow("drop-down current at INT_MAX")
        << Action([](UIWrapper& ui) { ui.add_dropdown({"un"}, {.current = INT_MAX}); }) << "out_of_range";
    QTest::newRow("style path with a NUL")
        << Action([](UIWrapper& ui) { ui.load_style(QString::fromUtf16(u"style\0.qss", 10)); })
        << "filesystem_error";
}

void TestBadInput::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    UIWrapper ui;
    furnish(ui);
    int closes = 0;
    ui.set_on_close([&] { ++closes; });
    const QStringList before = stateOf(ui);

    try {
        call(ui);
        QFAIL("the call was accepted");
    } catch (const std::exception& error) {
        QCOMPARE(typeOf(error), type);
    }

    QCOMPARE(stateOf(ui), before);
    QCOMPARE(ui.get("ok"), nullptr);
    QCOMPARE(ui.sidebar("left").get("ok"), nullptr);
    QVERIFY(ui.get("titre"));
    ui.add_label("après");
    QCOMPARE(itemsOf(ui.end()).constLast(), QStringLiteral("QLabel:0"));
    ui.window->show();
    QVERIFY(ui.window->close());
    QCOMPARE(closes, 1);
}

void TestBadInput::unknownSideNamesTheWordItWasGiven_data()
{
    QTest::addColumn<QString>("side");
    QTest::addColumn<QString>("message");

    const QString prefix = QStringLiteral("Sidebar inconnue : '");
    QTest::newRow("empty") << QString() << prefix + kValidSides;
    QTest::newRow("trailing space") << "LEFT " << prefix + "left " + kValidSides;
    QTest::newRow("right-to-left word") << "ימין" << prefix + "ימין" + kValidSides;
    QTest::newRow("direction override") << "\u202eLeft" << prefix + "\u202eleft" + kValidSides;
    QTest::newRow("astral letters") << "𝔩𝔢𝔣𝔱" << prefix + "𝔩𝔢𝔣𝔱" + kValidSides;
    QTest::newRow("braces and comment end") << "{Left} */" << prefix + "{left} */" + kValidSides;
    QTest::newRow("one megabyte") << megabyteText() << prefix + megabyteText() + kValidSides;
    // what() is a C string: the message ends at the word's NUL.
    QTest::newRow("NUL inside") << withNul() << prefix + "a";
}

void TestBadInput::unknownSideNamesTheWordItWasGiven()
{
    QFETCH(QString, side);
    QFETCH(QString, message);

    UIWrapper ui;
    const QStringList before = stateOf(ui);
    try {
        ui.sidebar(side, {.size = 10});
        QFAIL("the side was accepted");
    } catch (const velmora::ValueError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), message);
    }
    QCOMPARE(stateOf(ui), before);
}

void TestBadInput::alignmentWordsOutsideTheTablesActAsAbsent_data()
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

void TestBadInput::alignmentWordsOutsideTheTablesActAsAbsent()
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

void TestBadInput::textsAreKeptWhole_data()
{
    QTest::addColumn<QString>("text");

    QTest::newRow("empty") << QString();
    QTest::newRow("one megabyte") << megabyteText();
    QTest::newRow("NUL inside") << withNul();
    QTest::newRow("right-to-left") << "שלום עולם";
    QTest::newRow("mixed directions and a line break") << "abc \u202bאבג\u202c\n123";
    QTest::newRow("astral") << "𝄞 😀 𝔸";
    QTest::newRow("mnemonic and markup") << "&Fichier <b>gras</b> %1";
}

void TestBadInput::textsAreKeptWhole()
{
    QFETCH(QString, text);

    UIWrapper ui(text);
    ui.add_label(text)
        .add_button(text, [] {})
        .add_input({.placeholder = text})
        .add_dropdown({text, text})
        .add_checkbox(text);
    QTableWidget* table = ui.add_table({text});
    ui.add_table_row(table, {text, text});
    const velmora::TabSections tabs = ui.add_tabs({text, text});
    ui.set_style(text);
    ui.notify(text, {.kind = text, .duration = 60000});

    const Section& root = ui.end();
    QCOMPARE(ui.window->windowTitle(), text);
    QCOMPARE(widgetAt<QLabel>(root, 0)->text(), text);
    QCOMPARE(widgetAt<QPushButton>(root, 1)->text(), text);
    QCOMPARE(widgetAt<QLineEdit>(root, 2)->placeholderText(), text);
    QCOMPARE(widgetAt<QComboBox>(root, 3)->itemText(1), text);
    QCOMPARE(widgetAt<QCheckBox>(root, 4)->text(), text);
    QCOMPARE(table->horizontalHeaderItem(0)->text(), text);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0)->text(), text);
    QCOMPARE(tabs.keys(), QStringList{text});
    QCOMPARE(widgetAt<QTabWidget>(root, 6)->count(), 2);
    QCOMPARE(widgetAt<QTabWidget>(root, 6)->tabText(1), text);
    QCOMPARE(ui.window->findChild<QWidget*>("content")->styleSheet(), text);
    QCOMPARE(bannersOf(ui).size(), 1);
    QCOMPARE(bannersOf(ui).constFirst()->text(), text);
}

void TestBadInput::namesAreKeptWhole_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("lookalike");

    QTest::newRow("spaces") << "nom avec espaces"
                            << "nom";
    QTest::newRow("braces") << "{bloc}"
                            << "bloc";
    QTest::newRow("comment end") << "*/ QWidget { color: red; } /*"
                                 << "*/";
    QTest::newRow("selector characters") << "#content > QLabel"
                                         << "content";
    QTest::newRow("NUL inside") << withNul() << "a";
    QTest::newRow("right-to-left") << "שם"
                                   << "ם";
    QTest::newRow("astral") << "😀"
                            << "\xf0";
    QTest::newRow("one megabyte") << megabyteText() << megabyteText().left(1000);
}

void TestBadInput::namesAreKeptWhole()
{
    QFETCH(QString, name);
    QFETCH(QString, lookalike);

    UIWrapper ui;
    ui.add_label("l", {.name = name});
    Section& row = ui.add_row({.name = name});
    row.add_input({.name = name})
        .add_dropdown({"x"}, {.name = name})
        .add_checkbox("c", {.name = name})
        .add_button("b", [] {}, {.name = name});
    ui.add_tabs({"t"}, {.name = name});
    Section& bar = ui.sidebar("down");
    bar.add_label("s", {.name = name});

    QCOMPARE(ui.get(name), widgetAt<QLabel>(ui.end(), 0));
    QCOMPARE(ui.get(name)->objectName(), name);
    QCOMPARE(row.get(name), widgetAt<QPushButton>(row, 3));
    for (int i = 0; i < 4; ++i)
        QCOMPARE(layoutOf(row)->itemAt(i)->widget()->objectName(), name);
    QCOMPARE(widgetAt<QFrame>(ui.end(), 1)->objectName(), name);
    QCOMPARE(widgetAt<QTabWidget>(ui.end(), 2)->objectName(), name);
    QCOMPARE(bar.get(name), widgetAt<QLabel>(bar, 0));
    QCOMPARE(ui.get(lookalike), nullptr);
    QCOMPARE(row.get(lookalike), nullptr);
}

void TestBadInput::extremeStretchesGapsAndSpacingsAreHandedOn_data()
{
    QTest::addColumn<Action>("build");
    QTest::addColumn<QStringList>("items");

    QTest::newRow("INT_MAX, INT_MIN and -1 from the list") << Action([](UIWrapper& ui) {
        ui.add_column({.stretches = {INT_MAX, INT_MIN, -1}})
            .add_label("a")
            .add_separator()
            .add_checkbox("c")
            .add_label("d");
    }) << QStringList{"QLabel:2147483647", "QFrame:-2147483648", "QCheckBox:-1", "QLabel:0"};
    QTest::newRow("explicit extremes use no entry") << Action([](UIWrapper& ui) {
        ui.add_column({.stretches = {7}})
            .add_label("a", {.stretch = INT_MIN})
            .add_separator(INT_MAX)
            .add_label("b");
    }) << QStringList{"QLabel:-2147483648", "QFrame:2147483647", "QLabel:7"};
    QTest::newRow("gap INT_MAX") << Action([](UIWrapper& ui) {
        ui.add_column().add_button("b", [] {}, {.gap = INT_MAX}).add_label("a");
    }) << QStringList{"QPushButton:0", "spacing:2147483647", "QLabel:0"};
    QTest::newRow("gap INT_MIN adds nothing") << Action([](UIWrapper& ui) {
        ui.add_column().add_button("b", [] {}, {.gap = INT_MIN}).add_label("a");
    }) << QStringList{"QPushButton:0", "QLabel:0"};
    QTest::newRow("spacers of extreme factors") << Action([](UIWrapper& ui) {
        ui.add_column().add_spacer(INT_MIN).add_spacer(INT_MAX).add_spacer(-1).add_label("a");
    }) << QStringList{"stretch:-2147483648", "stretch:2147483647", "stretch:-1", "QLabel:0"};
    QTest::newRow("spacings of extreme sizes") << Action([](UIWrapper& ui) {
        ui.add_column().add_spacing(INT_MAX).add_spacing(-7).add_spacing(INT_MIN).add_label("a");
    }) << QStringList{"spacing:2147483647", "spacing:-7", "spacing:-2147483648", "QLabel:0"};
    QTest::newRow("spacing and margins INT_MAX") << Action([](UIWrapper& ui) {
        ui.add_column()
            .set_spacing(INT_MAX)
            .set_margins({INT_MAX, INT_MAX, INT_MAX, INT_MAX})
            .add_label("a")
            .add_label("b");
    }) << QStringList{"QLabel:0", "QLabel:0"};
    QTest::newRow("spacing and margins negative") << Action([](UIWrapper& ui) {
        ui.add_column()
            .set_spacing(INT_MIN)
            .set_margins({-1, INT_MIN, -30, -2})
            .add_label("a")
            .add_label("b");
    }) << QStringList{"QLabel:0", "QLabel:0"};
    QTest::newRow("tables with negative rows") << Action([](UIWrapper& ui) {
        Section& column = ui.add_column();
        column.add_table({"A"}, {.rows = -1, .stretch = INT_MIN});
        column.add_table({}, {.rows = INT_MIN});
    }) << QStringList{"QTableWidget:-2147483648", "QTableWidget:0"};
}

void TestBadInput::extremeStretchesGapsAndSpacingsAreHandedOn()
{
    QFETCH(Action, build);
    QFETCH(QStringList, items);

    MessageLog log;
    UIWrapper ui;
    ui.add_label("avant").add_label("après");
    build(ui);
    const QBoxLayout* layout = qobject_cast<QBoxLayout*>(widgetAt<QFrame>(ui.end(), 2)->layout());
    QCOMPARE(itemsOf(layout), items);
    for (const QTableWidget* table : ui.window->findChildren<QTableWidget*>())
        QCOMPARE(table->rowCount(), 0);

    layOut(ui);
    QCOMPARE(itemsOf(layout), items);
    QCOMPARE(log.criticals(), QStringList());
}

void TestBadInput::extremeSizesAreHandedToQtUnchanged_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("second");

    const QList<std::pair<const char*, std::pair<int, int>>> values{
        {"INT_MAX", {INT_MAX, INT_MAX}}, {"INT_MIN", {INT_MIN, INT_MIN}},    {"-1 and 0", {-1, 0}},
        {"mixed", {INT_MAX, INT_MIN}},   {"16777216", {16777216, 16777215}},
    };
    for (const char* operation : {"window", "secondary window", "set_min_size", "set_max_size",
                                  "left sidebar", "up sidebar", "padding"}) {
        for (const auto& [label, pair] : values) {
            QTest::addRow("%s, %s", operation, label) << operation << pair.first << pair.second;
        }
    }
}

void TestBadInput::extremeSizesAreHandedToQtUnchanged()
{
    QFETCH(QString, operation);
    QFETCH(int, first);
    QFETCH(int, second);

    // Qt clamps what it cannot use and warns; the window must end as a plain widget given the
    // same values does.
    MessageLog log;
    QWidget reference;
    std::unique_ptr<UIWrapper> ui;
    if (operation == QLatin1StringView("window")) {
        ui = std::make_unique<UIWrapper>(QString(), first, second);
        reference.resize(first, second);
        QCOMPARE(ui->window->size(), reference.size());
    } else if (operation == QLatin1StringView("secondary window")) {
        if (first > 0 || second > 0)
            QSKIP("a shown window millions of pixels wide cannot get a backing store");
        UIWrapper main;
        ui = main.open_window({.width = first, .height = second});
        // Shown at once, so Qt grows it to the least its layout needs.
        QVERIFY(ui->window->isVisible());
        QCOMPARE(ui->window->size(), ui->window->minimumSizeHint());
        QTest::qWait(10);
    } else if (operation == QLatin1StringView("set_min_size")) {
        ui = std::make_unique<UIWrapper>();
        QCOMPARE(&ui->set_min_size(first, second), ui.get());
        reference.setMinimumSize(first, second);
        QCOMPARE(ui->window->minimumSize(), reference.minimumSize());
    } else if (operation == QLatin1StringView("set_max_size")) {
        ui = std::make_unique<UIWrapper>();
        QCOMPARE(&ui->set_max_size(first, second), ui.get());
        reference.setMaximumSize(first, second);
        QCOMPARE(ui->window->maximumSize(), reference.maximumSize());
    } else if (operation.endsWith(QLatin1StringView("sidebar"))) {
        ui = std::make_unique<UIWrapper>();
        const bool left = operation.startsWith(QLatin1StringView("left"));
        Section& bar = ui->sidebar(left ? "left" : "up", {.size = first});
        bar.add_label("a");
        if (left)
            reference.setFixedWidth(first);
        else
            reference.setFixedHeight(first);
        const QWidget* container = layoutOf(bar)->parentWidget();
        QCOMPARE(container->minimumSize(), reference.minimumSize());
        QCOMPARE(container->maximumSize(), reference.maximumSize());
    } else {
        ui = std::make_unique<UIWrapper>(QString(), 800, 600, first);
        QWidget inner(&reference);
        QVBoxLayout column(&inner);
        column.setContentsMargins(first, first, first, first);
        QCOMPARE(ui->window->centralWidget()->layout()->contentsMargins(), column.contentsMargins());
    }
    ui->add_label("contenu");
    layOut(*ui);
    QCOMPARE(log.criticals(), QStringList());
}

void TestBadInput::extremeDurationsStillEndOrLast_data()
{
    QTest::addColumn<int>("duration");
    QTest::addColumn<bool>("lasts");

    QTest::newRow("INT_MIN") << INT_MIN << false;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("0") << 0 << false;
    QTest::newRow("INT_MAX") << INT_MAX << true;
}

void TestBadInput::extremeDurationsStillEndOrLast()
{
    QFETCH(int, duration);
    QFETCH(bool, lasts);

    MessageLog log;
    UIWrapper ui;
    QCOMPARE(&ui.notify("message", {.duration = duration}), &ui);
    const QPointer<QLabel> banner = bannersOf(ui).value(0);
    QVERIFY(banner);
    QTest::qWait(20);
    QCOMPARE(!banner.isNull(), lasts);
    QCOMPARE(log.warnings(), QStringList());
}

void TestBadInput::twoThousandTabs()
{
    // Qt's tab bar lays out every tab again on each insertion, so the time grows with the square
    // of the count: 10,000 tabs take about a minute in Qt alone. 2,000 show the same behaviour.
    QStringList titles;
    for (int i = 0; i < 2000; ++i)
        titles << QString::number(i % 1800);
    UIWrapper ui;
    const velmora::TabSections tabs = ui.add_tabs(titles, {.name = "onglets"});
    auto* widget = ui.window->findChild<QTabWidget*>("onglets");
    QCOMPARE(widget->count(), 2000);
    QCOMPARE(tabs.size(), 1800);
    QCOMPARE(tabs.keys().constLast(), QStringLiteral("1799"));
    tabs.at("0").add_label("dernière page du titre 0");
    QCOMPARE(widget->widget(1800)->findChildren<QLabel*>().size(), 1);
    QCOMPARE(&tabs.at("9").end(), &ui.end());
}

void TestBadInput::tableWithAThousandColumns()
{
    QStringList headers;
    QVariantList values;
    for (int i = 0; i < 1000; ++i) {
        headers << QStringLiteral("C%1").arg(i);
        values << i;
    }
    values << QStringLiteral("de trop");
    UIWrapper ui;
    QTableWidget* table = ui.add_table(headers, {.rows = 2});
    ui.add_table_row(table, values).add_table_row(table, {});
    QCOMPARE(table->columnCount(), 1000);
    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(table->horizontalHeaderItem(999)->text(), QStringLiteral("C999"));
    QCOMPARE(table->item(2, 999)->text(), QStringLiteral("999"));
    QCOMPARE(table->item(3, 0), nullptr);
}

void TestBadInput::rowsNestedFiveHundredDeep()
{
    UIWrapper ui;
    Section* section = &ui.end();
    for (int depth = 0; depth < 500; ++depth) {
        section = depth % 2 ? &section->add_column({.align = "center", .cross_align = "center"})
                            : &section->add_row({.align = "center", .cross_align = "center"});
    }
    section->add_label("fond", {.name = "fond"});
    Section* climb = section;
    for (int depth = 0; depth < 500; ++depth)
        climb = &climb->end();
    QCOMPARE(climb, &ui.end());

    QTimer::singleShot(0, [] { QCoreApplication::exit(3); });
    QCOMPARE(ui.run(), 3);
    QCOMPARE(itemsOf(*section), QStringList({"stretch:1", "QLabel:0", "stretch:1"}));
    QVERIFY(section->get("fond")->isVisible());
}

void TestBadInput::unusableStylePathFailsAndChangesNothing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<int>("error");
    QTest::addColumn<bool>("watch");

    for (const bool watch : {false, true}) {
        const char* how = watch ? "watch_style" : "load_style";
        QTest::addRow("%s, missing", how) << "absent.qss" << ENOENT << watch;
        QTest::addRow("%s, empty path", how) << "" << ENOENT << watch;
        QTest::addRow("%s, directory", how) << "dossier" << EISDIR << watch;
        QTest::addRow("%s, no read permission", how) << "fermé.qss" << EACCES << watch;
        QTest::addRow("%s, read fails", how) << "/proc/self/mem" << EIO << watch;
        QTest::addRow("%s, pipe without writer", how) << "tube.qss" << EINVAL << watch;
        QTest::addRow("%s, endless device", how) << "/dev/zero" << EINVAL << watch;
        QTest::addRow("%s, NUL in the path", how)
            << QString::fromUtf16(u"style.qss\0.txt", 14) << EINVAL << watch;
        QTest::addRow("%s, invalid UTF-8", how) << "latin1.qss" << EILSEQ << watch;
    }
}

void TestBadInput::unusableStylePathFailsAndChangesNothing()
{
    QFETCH(QString, path);
    QFETCH(int, error);
    QFETCH(bool, watch);

    if (error == EACCES && geteuid() == 0)
        QSKIP("root reads files whatever their permission bits");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    QVERIFY(QDir(dir.path()).mkdir("dossier"));
    QFile::setPermissions(writeFile(dir.filePath("fermé.qss"), "#a { }"), QFileDevice::WriteOwner);
    writeFile(dir.filePath("latin1.qss"), "/* th\xe8me */");
    QCOMPARE(::mkfifo(QFile::encodeName(dir.filePath("tube.qss")).constData(), 0600), 0);
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));

    UIWrapper ui;
    ui.window->setStyleSheet("QWidget { color: blue; }");
    const QStringList before = stateOf(ui);
    const qsizetype children = ui.window->children().size();
    try {
        watch ? ui.watch_style(path) : ui.load_style(path);
        QVERIFY(QDir::setCurrent(previous));
        QFAIL("the path was accepted");
    } catch (const std::filesystem::filesystem_error& failure) {
        QVERIFY(QDir::setCurrent(previous));
        QCOMPARE(failure.code(), std::error_code(error, std::generic_category()));
        QCOMPARE(QString::fromLocal8Bit(failure.path1().c_str()), path.left(path.indexOf(QChar(0))));
    }
    QCOMPARE(stateOf(ui), before);
    QCOMPARE(ui.window->children().size(), children);
}

void TestBadInput::throwingCallbackOfAnApplicationChangeIsReportedOnce_data()
{
    QTest::addColumn<QString>("widget");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("report");

    const QString prefix = QStringLiteral("velmora : le callback de ");
    for (const char* widget : {"add_checkbox", "add_dropdown", "add_input"}) {
        QTest::addRow("%s, std::runtime_error", widget)
            << widget << true << prefix + widget + " a levé une exception : refusé";
        QTest::addRow("%s, int", widget)
            << widget << false << prefix + widget + " a levé une exception inconnue";
    }
}

void TestBadInput::throwingCallbackOfAnApplicationChangeIsReportedOnce()
{
    QFETCH(QString, widget);
    QFETCH(bool, standard);
    QFETCH(QString, report);

    MessageLog log;
    UIWrapper ui;
    QStringList seen;
    const auto refuse = [&](const QString& value) {
        seen << value;
        if (standard)
            throw std::runtime_error("refusé");
        throw 42;
    };
    ui.add_checkbox("c", {.callback = [&](bool checked) { refuse(checked ? "oui" : "non"); }, .name = "c"})
        .add_dropdown({"un", "deux", "trois"}, {.callback = refuse, .name = "d"})
        .add_input({.callback = refuse, .name = "i"});

    if (widget == QLatin1StringView("add_checkbox")) {
        auto* box = qobject_cast<QCheckBox*>(ui.get("c"));
        box->setChecked(true);
        box->setChecked(false);
        QVERIFY(!box->isChecked());
        QCOMPARE(seen, QStringList({"oui", "non"}));
    } else if (widget == QLatin1StringView("add_dropdown")) {
        auto* combo = qobject_cast<QComboBox*>(ui.get("d"));
        combo->setCurrentIndex(2);
        combo->setCurrentText("deux");
        QCOMPARE(combo->currentIndex(), 1);
        QCOMPARE(seen, QStringList({"trois", "deux"}));
    } else {
        auto* input = qobject_cast<QLineEdit*>(ui.get("i"));
        input->setText("abc");
        input->setText(QString());
        QCOMPARE(input->text(), QString());
        QCOMPARE(seen, QStringList({"abc", ""}));
    }
    QCOMPARE(log.criticals(), QStringList({report, report}));
}

void TestBadInput::throwingSubmitOrActivateCallbackIsReportedOnce_data()
{
    QTest::addColumn<bool>("table");
    QTest::addColumn<bool>("standard");
    QTest::addColumn<QString>("report");

    QTest::newRow("on_submit, std::runtime_error")
        << false << true << "velmora : le callback de add_input a levé une exception : refusé";
    QTest::newRow("on_submit, int") << false << false
                                    << "velmora : le callback de add_input a levé une exception inconnue";
    QTest::newRow("on_activate, std::runtime_error")
        << true << true << "velmora : le callback de add_table a levé une exception : refusé";
    QTest::newRow("on_activate, int")
        << true << false << "velmora : le callback de add_table a levé une exception inconnue";
}

void TestBadInput::throwingSubmitOrActivateCallbackIsReportedOnce()
{
    QFETCH(bool, table);
    QFETCH(bool, standard);
    QFETCH(QString, report);

    MessageLog log;
    UIWrapper ui;
    QStringList seen;
    const auto refuse = [&](const QString& value) {
        seen << value;
        if (standard)
            throw std::runtime_error("refusé");
        throw 42;
    };
    ui.add_input({.name = "i", .text = "saisi", .on_submit = refuse});
    QTableWidget* rows = ui.add_table({"A"}, {.on_activate = [&](int row) { refuse(QString::number(row)); }});
    ui.add_table_rows(rows, {{"un"}, {"deux"}});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));

    QWidget* target = table ? static_cast<QWidget*>(rows) : ui.get("i");
    target->setFocus();
    rows->setCurrentCell(1, 0);
    QTest::keyClick(target, Qt::Key_Return);
    QTest::keyClick(target, Qt::Key_Enter);
    QCOMPARE(seen, table ? QStringList({"1", "1"}) : QStringList({"saisi", "saisi"}));
    QCOMPARE(log.criticals(), QStringList({report, report}));
}

void TestBadInput::closeCallbackThrowingANonStandardValueKeepsTheWindowOpen()
{
    MessageLog log;
    UIWrapper ui;
    ui.set_on_close([] { throw 42; });
    ui.window->show();
    QVERIFY(!ui.window->close());
    QVERIFY(ui.window->isVisible());
    QCOMPARE(log.criticals(),
             QStringList{"velmora : le callback de set_on_close a levé une exception inconnue"});

    int closes = 0;
    ui.set_on_close([&] { ++closes; });
    QVERIFY(ui.window->close());
    QCOMPARE(closes, 1);
    QCOMPARE(log.criticals().size(), 1);
}

void TestBadInput::libraryErrorsReachTheCallerUnchanged()
{
    MessageLog log;
    UIWrapper ui;
    try {
        ui.sidebar("Milieu");
        QFAIL("no error");
    } catch (const velmora::ValueError& error) {
        QCOMPARE(QString::fromUtf8(error.what()), "Sidebar inconnue : 'milieu" + kValidSides);
    }
    try {
        ui.add_button("b", {});
        QFAIL("no error");
    } catch (const std::invalid_argument& error) {
        QCOMPARE(typeOf(error), QStringLiteral("invalid_argument"));
    }
    try {
        ui.load_style("/nonexistent/velmora.qss");
        QFAIL("no error");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(std::errc::no_such_file_or_directory));
        QCOMPARE(error.path1(), std::filesystem::path("/nonexistent/velmora.qss"));
    }
    try {
        ui.add_tabs({"A"}).at("B");
        QFAIL("no error");
    } catch (const std::out_of_range&) {
    }
    QCOMPARE(log.criticals(), QStringList());
}

void TestBadInput::libraryErrorInsideACallbackReachesTheCallbacksOwnHandler()
{
    MessageLog log;
    UIWrapper ui;
    QStringList caught;
    ui.add_button("gère", [&] {
          try {
              ui.sidebar("milieu");
          } catch (const velmora::ValueError& error) {
              caught << QString::fromUtf8(error.what());
          }
          try {
              ui.load_style("/nonexistent/velmora.qss");
          } catch (const std::filesystem::filesystem_error& error) {
              caught << QString::number(error.code().value());
          }
      }).add_button("laisse passer", [&] { ui.sidebar("milieu"); });

    QTest::mouseClick(widgetAt<QPushButton>(ui.end(), 0), Qt::LeftButton);
    QCOMPARE(caught, QStringList({"Sidebar inconnue : 'milieu" + kValidSides, QString::number(ENOENT)}));
    QCOMPARE(log.criticals(), QStringList());

    QTest::mouseClick(widgetAt<QPushButton>(ui.end(), 1), Qt::LeftButton);
    QCOMPARE(log.criticals(), QStringList{"velmora : le callback de add_button a levé une exception : "
                                          "Sidebar inconnue : 'milieu" +
                                          kValidSides});
}

QTEST_MAIN(TestBadInput)
#include "tst_bad_input.moc"
