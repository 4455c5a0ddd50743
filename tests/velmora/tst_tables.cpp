#include "layout_probe.h"
#include "window_fixture.h"

#include <velmora/velmora.h>

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
}

void TestTables::rejectedCallChangesNothing()
{
    QFETCH(Action, call);
    QFETCH(QString, type);
    checkRejectedCallChangesNothing(call, type);
}

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
