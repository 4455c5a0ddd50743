// SPDX-License-Identifier: MIT
#include "../velmora/banner_probe.h"
#include "example_driver.h"
#include "todo_list.h"

#include <QApplication>
#include <QDate>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

namespace {

const QByteArray TWO_ITEMS =
    R"([{"titre": "Un", "priorite": "Haute", "echeance": "2026-03-01", "faite": false},
    {"titre": "Deux", "priorite": "Urgente", "echeance": "pas une date", "faite": true}])";

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QList<QStringList> tableRows(TodoList& list)
{
    auto* table = list.ui.find<QTableWidget>("taches");
    QList<QStringList> rows;
    for (int row = 0; row < table->rowCount(); ++row)
        rows.append(list.ui.table_row(table, row));
    return rows;
}

QStringList titles(const QList<QStringList>& rows)
{
    QStringList titles;
    for (const QStringList& cells : rows)
        titles.append(cells[0]);
    return titles;
}

QStringList savedTitles(const QString& path)
{
    QStringList titles;
    for (const QJsonValue& entry : QJsonDocument::fromJson(readFile(path)).array())
        titles.append(entry.toObject()["titre"].toString());
    return titles;
}

QWidget* waitForModal()
{
    QWidget* modal = nullptr;
    const bool shown =
        QTest::qWaitFor([&] { return (modal = QApplication::activeModalWidget()) != nullptr; }) &&
        QTest::qWaitForWindowExposed(modal);
    return shown ? modal : nullptr;
}

} // namespace

class TestTodoExample : public QObject
{
    Q_OBJECT

private slots:
    void changesAreShownAndSaved_data();
    void changesAreShownAndSaved();
    void fileIsReadBackOrLeftAlone_data();
    void fileIsReadBackOrLeftAlone();
};

void TestTodoExample::changesAreShownAndSaved_data()
{
    QTest::addColumn<int>("row");        // clicked first; -1 for none
    QTest::addColumn<QString>("action"); // a button's name, a key, or "double click"
    QTest::addColumn<QString>("typed");  // after the title, in the dialog
    QTest::addColumn<QString>("finish"); // the dialog's button, or "Return" in the title
    QTest::addColumn<QList<QStringList>>("rows");
    const QString today = QDate::currentDate().toString("dd/MM/yyyy");
    const QStringList un{"Un", "Haute", "01/03/2026", "non"};
    const QStringList deux{"Deux", "Normale", "", "oui"};
    QTest::newRow("new, Ctrl+N, Haute")
        << -1 << "Ctrl+N"
        << "Trois"
        << "valider" << QList<QStringList>{un, deux, {"Trois", "Haute", today, "non"}};
    QTest::newRow("new, Return, trimmed")
        << -1 << "ajouter"
        << "  Trois "
        << "Return" << QList<QStringList>{un, deux, {"Trois", "Normale", today, "non"}};
    QTest::newRow("new, blank title refused") << -1 << "ajouter"
                                              << "   "
                                              << "valider" << QList<QStringList>{un, deux};
    QTest::newRow("new, cancelled") << -1 << "ajouter"
                                    << "Trois"
                                    << "annuler" << QList<QStringList>{un, deux};
    QTest::newRow("edit, double click")
        << 1 << "double click"
        << " bis"
        << "valider" << QList<QStringList>{un, {"Deux bis", "Normale", today, "oui"}};
    QTest::newRow("edit, button") << 0 << "modifier"
                                  << " bis"
                                  << "valider"
                                  << QList<QStringList>{{"Un bis", "Haute", "01/03/2026", "non"}, deux};
    QTest::newRow("remove, button") << 0 << "supprimer"
                                    << ""
                                    << "" << QList<QStringList>{deux};
    QTest::newRow("remove, Delete") << 1 << "Delete"
                                    << ""
                                    << "" << QList<QStringList>{un};
}

void TestTodoExample::changesAreShownAndSaved()
{
    QFETCH(int, row);
    QFETCH(QString, action);
    QFETCH(QString, typed);
    QFETCH(QString, finish);
    QFETCH(QList<QStringList>, rows);
    QTemporaryDir dir;
    const QString path = dir.filePath("taches.json");
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(TWO_ITEMS) == TWO_ITEMS.size());
    file.close();
    TodoList list(path);
    QVERIFY(start(list.ui));
    QVERIFY(!list.ui.find<QPushButton>("modifier")->isEnabled());
    QVERIFY(!list.ui.find<QPushButton>("supprimer")->isEnabled());

    auto* table = list.ui.find<QTableWidget>("taches");
    if (row >= 0) {
        const QPoint cell = table->visualItemRect(table->item(row, 0)).center();
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
        if (action == "double click")
            QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);
    }
    if (action == "Ctrl+N")
        QTest::keyClick(table, Qt::Key_N, Qt::ControlModifier);
    else if (action == "Delete")
        QTest::keyClick(table, Qt::Key_Delete);
    else if (action != "double click")
        QTest::mouseClick(list.ui.find<QPushButton>(action), Qt::LeftButton);
    if (!finish.isEmpty()) {
        QWidget* dialog = waitForModal();
        QVERIFY(dialog);
        QCOMPARE(dialog->windowTitle(), row < 0 ? "Nouvel élément" : "Modifier l'élément");
        auto* field = dialog->findChild<QLineEdit*>("intitule");
        field->end(false);
        QTest::keyClicks(field, typed);
        for (QRadioButton* radio : dialog->findChildren<QRadioButton*>()) {
            if (radio->text() == "Haute" && QByteArray(QTest::currentDataTag()).contains("Haute"))
                QTest::mouseClick(radio, Qt::LeftButton);
        }
        if (finish == "Return")
            QTest::keyClick(field, Qt::Key_Return);
        else
            QTest::mouseClick(dialog->findChild<QPushButton*>(finish), Qt::LeftButton);
        QCOMPARE(dialog->isVisible(), typed.trimmed().isEmpty() && finish != "annuler");
    }

    // A button's shortcut may click it a moment later, as a click drawn on screen.
    QTRY_COMPARE(tableRows(list), rows);
    QCOMPARE(savedTitles(path), titles(rows));
    if (QByteArray(QTest::currentDataTag()) == "edit, button")
        QVERIFY(saveScreenshot(list.ui.window, "todo.png"));
}

void TestTodoExample::fileIsReadBackOrLeftAlone_data()
{
    QTest::addColumn<QByteArray>("file"); // empty: no file at all
    QTest::addColumn<int>("rows");
    QTest::addColumn<bool>("readable");
    QTest::newRow("no file yet") << QByteArray() << 0 << true;
    QTest::newRow("two entries") << TWO_ITEMS << 2 << true;
    QTest::newRow("not JSON") << QByteArray("[{\"titre\": ") << 0 << false;
    QTest::newRow("an object, not a list") << QByteArray(R"({"titre": "Un"})") << 0 << false;
}

void TestTodoExample::fileIsReadBackOrLeftAlone()
{
    QFETCH(QByteArray, file);
    QFETCH(int, rows);
    QFETCH(bool, readable);
    QTemporaryDir dir;
    const QString path = dir.filePath("taches.json");
    QFile out(path);
    QVERIFY(file.isEmpty() || (out.open(QIODevice::WriteOnly) && out.write(file) == file.size()));
    out.close();
    TodoList list(path);
    QVERIFY(start(list.ui));
    QCOMPARE(tableRows(list).size(), rows);
    const QList<QLabel*> banners = bannersOf(list.ui);
    QCOMPARE(banners.size(), readable ? 0 : 1);
    if (!readable) {
        QCOMPARE(banners[0]->text(),
                 "Impossible de lire " + path +
                     " : le fichier reste tel quel et les changements ne seront pas enregistrés.");
    }

    QTest::mouseClick(list.ui.find<QPushButton>("ajouter"), Qt::LeftButton);
    QWidget* dialog = waitForModal();
    QVERIFY(dialog);
    QTest::keyClicks(dialog->findChild<QLineEdit*>("intitule"), "Quatre");
    QTest::mouseClick(dialog->findChild<QPushButton*>("valider"), Qt::LeftButton);
    // The file is read back as it was written, or left exactly as it was.
    if (readable) {
        TodoList again(path);
        QCOMPARE(tableRows(again), tableRows(list));
    } else {
        QCOMPARE(readFile(path), file);
    }
}

QTEST_MAIN(TestTodoExample)
#include "tst_example_todo.moc"
