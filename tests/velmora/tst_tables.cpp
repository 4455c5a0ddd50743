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

#include <functional>
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

// The row header labels, "-" for a row without one.
QStringList rowLabels(const QTableWidget* table)
{
    QStringList labels;
    for (int row = 0; row < table->rowCount(); ++row) {
        const QTableWidgetItem* label = table->verticalHeaderItem(row);
        labels << (label ? label->text() : QStringLiteral("-"));
    }
    return labels;
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

    void replacedRowsKeepTheCurrentRow_data();
    void replacedRowsKeepTheCurrentRow();
    void currentRowIsReportedOncePerChange();
    void rowOperationsAnswerAndChange_data();
    void rowOperationsAnswerAndChange();
    void filterHidesTheRowsKeepRefuses_data();
    void filterHidesTheRowsKeepRefuses();
    void selectedRowsAreListedOnceInOrder_data();
    void selectedRowsAreListedOnceInOrder();

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
    QTest::newRow("replace rows of a null table")
        << Action([](UIWrapper& ui) { ui.set_table_rows(nullptr, {{1}}); }) << "invalid_argument";
    QTest::newRow("read a row of a null table")
        << Action([](UIWrapper& ui) { (void)ui.table_row(nullptr, 0); }) << "invalid_argument";
    QTest::newRow("remove a row of a null table")
        << Action([](UIWrapper& ui) { ui.sidebar("left").remove_table_row(nullptr, 0); }) << "invalid_argument";
    QTest::newRow("filter a null table")
        << Action([](UIWrapper& ui) { ui.filter_rows(nullptr, [](int) { return false; }); }) << "invalid_argument";
    QTest::newRow("selection of a null table")
        << Action([](UIWrapper& ui) { (void)ui.selected_rows(nullptr); }) << "invalid_argument";
    const auto table = [](UIWrapper& ui) { return ui.window->findChild<QTableWidget*>(); };
    QTest::newRow("remove the row past the end")
        << Action([=](UIWrapper& ui) { ui.remove_table_row(table(ui), 1); }) << "out_of_range";
    QTest::newRow("remove row -1") << Action([=](UIWrapper& ui) { ui.remove_table_row(table(ui), -1); })
                                   << "out_of_range";
    QTest::newRow("read the row past the end")
        << Action([=](UIWrapper& ui) { (void)ui.table_row(table(ui), 1); }) << "out_of_range";
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
    QTest::addColumn<bool>("labelled"); // every third row already there carries a header label

    const auto asc = Qt::AscendingOrder;
    const auto desc = Qt::DescendingOrder;
    const QList<QVariantList> none;
    const QList<QVariantList> some = randomRows(40, 7);
    const QList<QVariantList> many = randomRows(400, 11);
    QTest::newRow("unsorted") << -1 << asc << 2 << some << false << many << false;
    QTest::newRow("unsorted, no rows") << -1 << asc << 1 << some << false << none << false;
    QTest::newRow("sorted ascending") << 1 << asc << 0 << none << false << many << false;
    QTest::newRow("sorted descending") << 2 << desc << 0 << none << false << many << false;
    QTest::newRow("sorted, after sorted rows") << 1 << desc << 0 << some << false << many << false;
    QTest::newRow("sorted, after empty rows") << 1 << asc << 3 << some << false << many << false;
    QTest::newRow("sorted on the first column") << 0 << desc << 2 << some << false << many << false;
    QTest::newRow("sorted, no row has a key")
        << 2 << asc << 1 << some << false << QList<QVariantList>{{"x"}, {"y", "b"}, {}} << false;
    QTest::newRow("sorted, keyless row above keyed ones") << 1 << asc << 0 << some << true << many << false;
    QTest::newRow("sorted, labelled rows") << 1 << asc << 0 << some << false << many << true;
    QTest::newRow("sorted descending, labelled rows after empty ones") << 0 << desc << 4 << some << false << many
                                                                     << true;
    QTest::newRow("unsorted, labelled rows") << -1 << asc << 0 << some << false << many << true;
    QTest::newRow("sort column beyond the columns") << 5 << asc << 0 << some << false << many << false;
}

void TestTables::bulkRowsGiveWhatRowByRowGives()
{
    QFETCH(int, sortColumn);
    QFETCH(Qt::SortOrder, order);
    QFETCH(int, emptyRows);
    QFETCH(QList<QVariantList>, before);
    QFETCH(bool, holeAtTop);
    QFETCH(QList<QVariantList>, rows);
    QFETCH(bool, labelled);

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
        for (int row = 0; labelled && row < table->rowCount(); row += 3)
            table->setVerticalHeaderItem(row, new QTableWidgetItem(QStringLiteral("L%1").arg(row)));
    }
    QSignalSpy added(tables[1]->model(), &QAbstractItemModel::rowsInserted);

    for (const QVariantList& values : rows)
        section.add_table_row(tables[0], values);
    QCOMPARE(&section.add_table_rows(tables[1], rows), &section);

    QCOMPARE(tableTexts(tables[1]), tableTexts(tables[0]));
    QCOMPARE(rowLabels(tables[1]), rowLabels(tables[0]));
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

void TestTables::replacedRowsKeepTheCurrentRow_data()
{
    QTest::addColumn<QString>("select");
    QTest::addColumn<bool>("sorted");
    QTest::addColumn<QPoint>("current"); // (column, row); (-1, -1): none
    QTest::addColumn<int>("newRows");
    QTest::addColumn<QPoint>("expectedCurrent");
    QTest::addColumn<QList<int>>("expectedSelected");
    QTest::addColumn<QList<int>>("expectedReports");
    QTest::addColumn<QString>("expectedFirstRow");

    using Rows = QList<int>;
    QTest::newRow("row kept") << "rows" << false << QPoint(1, 2) << 5 << QPoint(1, 2) << Rows{2} << Rows{}
                              << "m0|0";
    QTest::newRow("cell kept") << "cells" << false << QPoint(1, 3) << 4 << QPoint(1, 3) << Rows{3} << Rows{}
                               << "m0|0";
    QTest::newRow("row gone") << "rows" << false << QPoint(0, 4) << 2 << QPoint(-1, -1) << Rows{} << Rows{-1}
                              << "m0|0";
    QTest::newRow("table emptied") << "rows" << false << QPoint(0, 1) << 0 << QPoint(-1, -1) << Rows{}
                                   << Rows{-1} << "";
    QTest::newRow("no current row") << "rows" << false << QPoint(-1, -1) << 3 << QPoint(-1, -1) << Rows{}
                                    << Rows{} << "m0|0";
    QTest::newRow("no selection") << "none" << false << QPoint(0, 1) << 3 << QPoint(0, 1) << Rows{} << Rows{}
                                  << "m0|0";
    QTest::newRow("sorted descending") << "rows" << true << QPoint(0, 0) << 3 << QPoint(0, 0) << Rows{0}
                                       << Rows{} << "m2|20";
}

void TestTables::replacedRowsKeepTheCurrentRow()
{
    QFETCH(QString, select);
    QFETCH(bool, sorted);
    QFETCH(QPoint, current);
    QFETCH(int, newRows);
    QFETCH(QPoint, expectedCurrent);
    QFETCH(QList<int>, expectedSelected);
    QFETCH(QList<int>, expectedReports);
    QFETCH(QString, expectedFirstRow);

    UIWrapper ui;
    QList<int> reports;
    QTableWidget* table =
        ui.add_table({"Nom", "N"}, {.select = select, .on_select = [&](int row) { reports << row; }});
    if (sorted) {
        table->setSortingEnabled(true);
        table->sortByColumn(0, Qt::DescendingOrder);
    }
    ui.add_table_rows(table, {{"n0", 1}, {"n1", 2}, {"n2", 3}, {"n3", 4}, {"n4", 5}});
    if (current.y() >= 0)
        table->setCurrentCell(current.y(), current.x());
    reports.clear();

    QList<QVariantList> rows;
    for (int i = 0; i < newRows; ++i)
        rows.append({QStringLiteral("m%1").arg(i), i * 10});
    QCOMPARE(&ui.set_table_rows(table, rows), &ui.end());

    QCOMPARE(table->rowCount(), newRows);
    QCOMPARE(QPoint(table->currentColumn(), table->currentRow()), expectedCurrent);
    QCOMPARE(ui.selected_rows(table), expectedSelected);
    QCOMPARE(reports, expectedReports);
    QCOMPARE(tableTexts(table).value(0), expectedFirstRow);
}

void TestTables::currentRowIsReportedOncePerChange()
{
    UIWrapper ui;
    QList<int> reports;
    QTableWidget* table = ui.add_table({"Nom", "N"}, {.on_select = [&](int row) { reports << row; }});
    ui.add_table_rows(table, {{"a", 1}, {"b", 2}, {"c", 3}, {"d", 4}});
    ui.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(ui.window));
    reports.clear(); // the table may have taken the focus, and a current cell with it

    const auto click = [&](int row, int column) {
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                          table->visualItemRect(table->item(row, column)).center());
    };
    click(1, 0);
    click(1, 1); // same row, another cell
    QTest::keyClick(table, Qt::Key_Down);
    ui.remove_table_row(table, 0); // the current row moves up
    ui.remove_table_row(table, 1); // the current row itself: the one above takes over
    QCOMPARE(reports, QList<int>({1, 2, 1, 0}));
}

void TestTables::rowOperationsAnswerAndChange_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("row");
    QTest::addColumn<QStringList>("answer");
    QTest::addColumn<QStringList>("expectedTable");

    const QStringList all{"a|1|x", "b|-|-", "-|-|-"};
    QTest::newRow("read a full row") << "read" << 0 << QStringList{"a", "1", "x"} << all;
    QTest::newRow("read a short row") << "read" << 1 << QStringList{"b", "", ""} << all;
    QTest::newRow("read an empty row") << "read" << 2 << QStringList{"", "", ""} << all;
    QTest::newRow("remove the first row") << "remove" << 0 << QStringList{} << QStringList{"b|-|-", "-|-|-"};
    QTest::newRow("remove the last row") << "remove" << 2 << QStringList{} << QStringList{"a|1|x", "b|-|-"};
    QTest::newRow("read past the end") << "read" << 3 << QStringList{"out_of_range"} << all;
    QTest::newRow("remove past the end") << "remove" << 3 << QStringList{"out_of_range"} << all;
    QTest::newRow("remove a negative row") << "remove" << -1 << QStringList{"out_of_range"} << all;
}

void TestTables::rowOperationsAnswerAndChange()
{
    QFETCH(QString, operation);
    QFETCH(int, row);
    QFETCH(QStringList, answer);
    QFETCH(QStringList, expectedTable);

    Host host;
    Section section(host.layout);
    QTableWidget* table = section.add_table({"Nom", "N", "Note"});
    section.add_table_rows(table, {{"a", 1, "x"}, {"b"}, {}});
    QStringList got;
    try {
        if (operation == "read")
            got = section.table_row(table, row);
        else
            QCOMPARE(&section.remove_table_row(table, row), &section);
    } catch (const std::out_of_range&) {
        got = QStringList{"out_of_range"};
    }
    QCOMPARE(got, answer);
    QCOMPARE(tableTexts(table), expectedTable);
}

void TestTables::filterHidesTheRowsKeepRefuses_data()
{
    using Keep = std::function<bool(int)>;
    QTest::addColumn<Keep>("keep");
    QTest::addColumn<QList<int>>("expectedHidden");

    QTest::newRow("even rows kept") << Keep([](int row) { return row % 2 == 0; }) << QList<int>{1, 3};
    QTest::newRow("every row kept") << Keep([](int) { return true; }) << QList<int>{};
    QTest::newRow("no row kept") << Keep([](int) { return false; }) << QList<int>{0, 1, 2, 3, 4};
    QTest::newRow("empty function shows all") << Keep() << QList<int>{};
    QTest::newRow("keep throws halfway, nothing changes") << Keep([](int row) {
        if (row == 3)
            throw std::runtime_error("raté");
        return false;
    }) << QList<int>{4};
}

void TestTables::filterHidesTheRowsKeepRefuses()
{
    using Keep = std::function<bool(int)>;
    QFETCH(Keep, keep);
    QFETCH(QList<int>, expectedHidden);

    UIWrapper ui;
    QTableWidget* table = ui.add_table({"N"});
    ui.add_table_rows(table, {{0}, {1}, {2}, {3}, {4}});
    ui.filter_rows(table, [](int row) { return row != 4; });
    try {
        QCOMPARE(&ui.filter_rows(table, keep), &ui.end());
    } catch (const std::runtime_error&) {
    }
    QList<int> hidden;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->isRowHidden(row))
            hidden << row;
    }
    QCOMPARE(hidden, expectedHidden);
}

void TestTables::selectedRowsAreListedOnceInOrder_data()
{
    QTest::addColumn<QList<QRect>>("ranges"); // cells selected, as (column, row, width, height)
    QTest::addColumn<QList<int>>("expected");

    QTest::newRow("nothing") << QList<QRect>{} << QList<int>{};
    QTest::newRow("one cell") << QList<QRect>{{1, 2, 1, 1}} << QList<int>{2};
    QTest::newRow("cells of one row") << QList<QRect>{{0, 3, 1, 1}, {2, 3, 1, 1}} << QList<int>{3};
    QTest::newRow("overlapping blocks, later first")
        << QList<QRect>{{0, 4, 2, 2}, {1, 0, 1, 2}, {0, 1, 3, 4}} << QList<int>{0, 1, 2, 3, 4, 5};
}

void TestTables::selectedRowsAreListedOnceInOrder()
{
    QFETCH(QList<QRect>, ranges);
    QFETCH(QList<int>, expected);

    UIWrapper ui;
    QTableWidget* table = ui.add_table({"A", "B", "C"}, {.rows = 6});
    for (const QRect& r : ranges)
        table->setRangeSelected(QTableWidgetSelectionRange(r.top(), r.left(), r.bottom(), r.right()), true);
    QCOMPARE(ui.selected_rows(table), expected);
}

QTEST_MAIN(TestTables)
#include "tst_tables.moc"
