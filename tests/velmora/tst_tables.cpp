// SPDX-License-Identifier: MIT
#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

#include <QHeaderView>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

#include <stdexcept>

using velmora::Section;
using velmora::UIWrapper;
using namespace fixture;

namespace {

// The texts of one table row; "-" marks a cell without an item.
QStringList rowTexts(const QTableWidget* table, int row)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column) {
        const QTableWidgetItem* item = table->item(row, column);
        texts << (item ? item->text() : QStringLiteral("-"));
    }
    return texts;
}

QStringList tableTexts(const QTableWidget* table)
{
    QStringList texts;
    for (int row = 0; row < table->rowCount(); ++row)
        texts << rowTexts(table, row).join(u'|');
    return texts;
}

// Rows named r0, r1, ... in the first column, then keys drawn from three letters so that they
// repeat; some rows are too short to reach the later columns, some longer than the table.
QList<QVariantList> randomRows(int count, quint32 seed)
{
    QRandomGenerator random(seed);
    QList<QVariantList> rows;
    for (int i = 0; i < count; ++i) {
        QVariantList values{QStringLiteral("r%1").arg(i)};
        const int size = random.bounded(5);
        for (int column = 1; column < size; ++column)
            values << QString(QChar(u'a' + random.bounded(3)));
        rows << values;
    }
    return rows;
}

QStringList headerTexts(const QTableWidget* table)
{
    QStringList texts;
    for (int column = 0; column < table->columnCount(); ++column)
        texts << table->horizontalHeaderItem(column)->text();
    return texts;
}

} // namespace

class TestTables : public QObject
{
    Q_OBJECT

private slots:
    void tableHasHeadersAndEmptyRows_data();
    void tableHasHeadersAndEmptyRows();
    void rowIsAppendedAfterExistingRows();
    void valuesFillCellsFromTheFirstColumn_data();
    void valuesFillCellsFromTheFirstColumn();
    void tableWithoutColumnsStillGetsRows();
    void chainedRowsFollowEachOther();
    void nullTableIsRejected();
    void sortedTableKeepsEachRowTogether();
    void rowsLandTogetherWhateverTheSortColumn();
    void bulkRowsGiveWhatRowByRowGives_data();
    void bulkRowsGiveWhatRowByRowGives();
    void bulkRowsLandInOrder();
    void namedTableIsFoundByName();
    void activatingACellRunsTheCallbackWithItsRow_data();
    void activatingACellRunsTheCallbackWithItsRow();

    // Careless and hostile input.
    void rejectedCallChangesNothing_data();
    void rejectedCallChangesNothing();
    void tableWithAThousandColumns();
};

void TestTables::tableHasHeadersAndEmptyRows_data()
{
    QTest::addColumn<QStringList>("columns");
    QTest::addColumn<int>("rows");
    QTest::addColumn<int>("expectedRows");

    QTest::newRow("no rows") << QStringList{"Nom", "Âge", "Ville"} << 0 << 0;
    QTest::newRow("negative rows") << QStringList{"Nom"} << -3 << 0;
    QTest::newRow("two empty rows") << QStringList{"Nom", "Âge"} << 2 << 2;
}

void TestTables::tableHasHeadersAndEmptyRows()
{
    QFETCH(QStringList, columns);
    QFETCH(int, rows);
    QFETCH(int, expectedRows);

    Host host;
    Section section(host.layout, {.stretches = {3}});
    QTableWidget* table = section.add_table(columns, {.rows = rows});
    QVERIFY(table);
    QCOMPARE(table->columnCount(), columns.size());
    QCOMPARE(headerTexts(table), columns);
    QCOMPARE(table->rowCount(), expectedRows);
    QCOMPARE(host.layout->itemAt(0)->widget(), table);
    QCOMPARE(itemsOf(section), QStringList({"QTableWidget:3"}));
    for (int row = 0; row < expectedRows; ++row)
        QCOMPARE(rowTexts(table, row), QStringList(columns.size(), "-"));
}

void TestTables::rowIsAppendedAfterExistingRows()
{
    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({"Nom", "Âge"}, {.rows = 2, .stretch = 5});
    QCOMPARE(&section.add_table_row(table, {"Zoé", 42}), &section);
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(rowTexts(table, 0), QStringList({"-", "-"}));
    QCOMPARE(rowTexts(table, 1), QStringList({"-", "-"}));
    QCOMPARE(rowTexts(table, 2), QStringList({"Zoé", "42"}));
    QCOMPARE(itemsOf(section), QStringList({"QTableWidget:5"}));
}

void TestTables::valuesFillCellsFromTheFirstColumn_data()
{
    QTest::addColumn<QVariantList>("values");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("fewer values") << QVariantList{"a"} << QStringList{"a", "-", "-"};
    QTest::newRow("surplus dropped") << QVariantList{"a", "b", "c", "d"} << QStringList{"a", "b", "c"};
    QTest::newRow("no values") << QVariantList{} << QStringList{"-", "-", "-"};
    QTest::newRow("numbers") << QVariantList{-17, 1000000, 2.5} << QStringList{"-17", "1000000", "2.5"};
}

void TestTables::valuesFillCellsFromTheFirstColumn()
{
    QFETCH(QVariantList, values);
    QFETCH(QStringList, expected);

    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({"A", "B", "C"});
    section.add_table_row(table, values);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->columnCount(), 3);
    QCOMPARE(rowTexts(table, 0), expected);
}

void TestTables::tableWithoutColumnsStillGetsRows()
{
    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({});
    section.add_table_row(table, {"a", 1});
    QCOMPARE(table->columnCount(), 0);
    QCOMPARE(table->rowCount(), 1);
    QCOMPARE(table->item(0, 0), nullptr);
}

void TestTables::chainedRowsFollowEachOther()
{
    velmora::UIWrapper ui;
    QTableWidget* table = ui.add_table({"N"});
    ui.add_table_row(table, {1}).add_table_row(table, {2}).add_table_row(table, {3});
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(rowTexts(table, 0) + rowTexts(table, 1) + rowTexts(table, 2), QStringList({"1", "2", "3"}));
}

void TestTables::nullTableIsRejected()
{
    Host host;
    Section section(host.layout, {.stretches = {4}});
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, section.add_table_row(nullptr, {"a"}));
    QCOMPARE(host.layout->count(), 0);
    section.add_label("a");
    QCOMPARE(itemsOf(section), QStringList({"QLabel:4"}));
}

void TestTables::sortedTableKeepsEachRowTogether()
{
    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({"Nom", "Code"});
    table->setSortingEnabled(true);
    table->sortByColumn(0, Qt::AscendingOrder);

    section.add_table_row(table, {"moyen", "m"})
        .add_table_row(table, {"zèbre", "z"})
        .add_table_row(table, {"abeille", "a"});

    QVERIFY(table->isSortingEnabled());
    QCOMPARE(table->rowCount(), 3);
    QCOMPARE(rowTexts(table, 0), QStringList({"abeille", "a"}));
    QCOMPARE(rowTexts(table, 1), QStringList({"moyen", "m"}));
    QCOMPARE(rowTexts(table, 2), QStringList({"zèbre", "z"}));
}

void TestTables::rowsLandTogetherWhateverTheSortColumn()
{
    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({"Nom", "Code", "Ville"});
    table->setSortingEnabled(true);
    table->sortByColumn(1, Qt::DescendingOrder);

    section.add_table_row(table, {"moyen", 2, "Lyon"})
        .add_table_row(table, {"zèbre", 3, "Nice"})
        .add_table_row(table, {"sans code"})
        .add_table_row(table, {"abeille", 1, "Metz"});

    QCOMPARE(table->rowCount(), 4);
    QCOMPARE(rowTexts(table, 0), QStringList({"zèbre", "3", "Nice"}));
    QCOMPARE(rowTexts(table, 1), QStringList({"moyen", "2", "Lyon"}));
    QCOMPARE(rowTexts(table, 2), QStringList({"abeille", "1", "Metz"}));
    QCOMPARE(rowTexts(table, 3), QStringList({"sans code", "-", "-"}));
}

void TestTables::tableWithAThousandColumns()
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

void TestTables::rejectedCallChangesNothing_data()
{
    QTest::addColumn<Action>("call");
    QTest::addColumn<QString>("type");

    QTest::newRow("row for a null table") << Action([](UIWrapper& ui) {
        ui.add_table_row(nullptr, {1, "x"});
    }) << "invalid_argument";
    QTest::newRow("row for a null table, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_table_row(nullptr, {}); }) << "invalid_argument";
    QTest::newRow("rows for a null table") << Action([](UIWrapper& ui) {
        ui.add_table_rows(nullptr, {{1, "x"}, {2}});
    }) << "invalid_argument";
    QTest::newRow("no rows for a null table, sidebar")
        << Action([](UIWrapper& ui) { ui.sidebar("left").add_table_rows(nullptr, {}); })
        << "invalid_argument";
}

void TestTables::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

void TestTables::bulkRowsGiveWhatRowByRowGives_data()
{
    QTest::addColumn<int>("sortColumn"); // -1: sorting off
    QTest::addColumn<Qt::SortOrder>("order");
    QTest::addColumn<int>("emptyRows");
    QTest::addColumn<QList<QVariantList>>("before");
    QTest::addColumn<bool>("holeAtTop");
    QTest::addColumn<QList<QVariantList>>("rows");

    const auto asc = Qt::AscendingOrder;
    const auto desc = Qt::DescendingOrder;
    const QList<QVariantList> none;
    const QList<QVariantList> some = randomRows(40, 7);
    const QList<QVariantList> many = randomRows(400, 11);
    QTest::newRow("unsorted") << -1 << asc << 2 << some << false << many;
    QTest::newRow("unsorted, no rows") << -1 << asc << 1 << some << false << none;
    QTest::newRow("sorted ascending") << 1 << asc << 0 << none << false << many;
    QTest::newRow("sorted descending") << 2 << desc << 0 << none << false << many;
    QTest::newRow("sorted, after sorted rows") << 1 << desc << 0 << some << false << many;
    QTest::newRow("sorted, after empty rows") << 1 << asc << 3 << some << false << many;
    QTest::newRow("sorted on the first column") << 0 << desc << 2 << some << false << many;
    QTest::newRow("sorted, no row has a key")
        << 2 << asc << 1 << some << false << QList<QVariantList>{{"x"}, {"y", "b"}, {}};
    QTest::newRow("sorted, keyless row above keyed ones") << 1 << asc << 0 << some << true << many;
    QTest::newRow("sort column beyond the columns") << 5 << asc << 0 << some << false << many;
}

void TestTables::bulkRowsGiveWhatRowByRowGives()
{
    QFETCH(int, sortColumn);
    QFETCH(Qt::SortOrder, order);
    QFETCH(int, emptyRows);
    QFETCH(QList<QVariantList>, before);
    QFETCH(bool, holeAtTop);
    QFETCH(QList<QVariantList>, rows);

    Host host;
    Section section(host.layout);
    QTableWidget* tables[2];
    for (QTableWidget*& table : tables) {
        table = section.add_table({"Nom", "Code", "Ville"}, {.rows = emptyRows});
        if (sortColumn >= 0) {
            table->setSortingEnabled(true);
            table->sortByColumn(sortColumn, order);
        }
        for (const QVariantList& values : before)
            section.add_table_row(table, values);
        if (holeAtTop)
            delete table->takeItem(0, sortColumn);
    }
    QSignalSpy added(tables[1]->model(), &QAbstractItemModel::rowsInserted);

    for (const QVariantList& values : rows)
        section.add_table_row(tables[0], values);
    QCOMPARE(&section.add_table_rows(tables[1], rows), &section);

    QCOMPARE(tableTexts(tables[1]), tableTexts(tables[0]));
    QCOMPARE(tables[1]->isSortingEnabled(), sortColumn >= 0);
    QCOMPARE(tables[1]->horizontalHeader()->sortIndicatorOrder(),
             tables[0]->horizontalHeader()->sortIndicatorOrder());
    if (!holeAtTop)
        QVERIFY(added.count() <= 2);
}

void TestTables::bulkRowsLandInOrder()
{
    velmora::UIWrapper ui;
    QTableWidget* table = ui.add_table({"Nom", "Âge"}, {.rows = 1});
    QCOMPARE(&ui.add_table_rows(table, {{"Zoé", 42}, {"Léo"}, {"Ana", 7, "surplus"}}), &ui.end());
    QCOMPARE(tableTexts(table), QStringList({"-|-", "Zoé|42", "Léo|-", "Ana|7"}));

    // Keys compare as texts; a new row goes before the rows of equal key, keyless rows last.
    table->setSortingEnabled(true);
    table->sortByColumn(1, Qt::AscendingOrder);
    ui.add_table_rows(table, {{"Max", 42}, {"Eva", 5}, {"Sam"}});
    QCOMPARE(tableTexts(table), QStringList({"Max|42", "Zoé|42", "Eva|5", "Ana|7", "-|-", "Léo|-", "Sam|-"}));
}

void TestTables::namedTableIsFoundByName()
{
    velmora::UIWrapper ui;
    QTableWidget* table = ui.add_row().add_table({"Heure", "Message"}, {.name = "journal"});
    QCOMPARE(table->objectName(), QStringLiteral("journal"));
    QCOMPARE(ui.find<QTableWidget>("journal"), table);
    QCOMPARE(ui.add_table({"A"})->objectName(), QString());
}

void TestTables::activatingACellRunsTheCallbackWithItsRow_data()
{
    QTest::addColumn<int>("key"); // 0: a double click on the cell
    QTest::addColumn<int>("row");

    QTest::newRow("double click") << 0 << 1;
    QTest::newRow("Return") << int(Qt::Key_Return) << 2;
    QTest::newRow("Enter") << int(Qt::Key_Enter) << 0;
}

void TestTables::activatingACellRunsTheCallbackWithItsRow()
{
    QFETCH(int, key);
    QFETCH(int, row);

    velmora::UIWrapper ui;
    QList<int> activated;
    QTableWidget* table = ui.add_table({"Heure", "Message"},
                                       {.on_activate = [&](int activatedRow) { activated << activatedRow; }});
    ui.add_table_rows(table, {{"10:00", "un"}, {"10:01", "deux"}, {"10:02", "trois"}});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));

    if (key == 0) {
        const QRect cell = table->visualItemRect(table->item(row, 1));
        // What Qt delivers for a double click: a press and a release, then the second press as
        // a double click.
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell.center());
    } else {
        table->setFocus();
        table->setCurrentCell(row, 1);
        QTest::keyClick(table, Qt::Key(key));
    }
    QCOMPARE(activated, QList<int>{row});
    QVERIFY(!table->viewport()->findChild<QLineEdit*>());
}

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
