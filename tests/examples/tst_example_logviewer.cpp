// SPDX-License-Identifier: MIT
#include "example_driver.h"
#include "log_viewer.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>

namespace {

int shownRows(const QTableWidget* table)
{
    int shown = 0;
    for (int row = 0; row < table->rowCount(); ++row)
        shown += !table->isRowHidden(row);
    return shown;
}

QStringList labelTexts(const QWidget* window)
{
    QStringList texts;
    for (const QLabel* label : window->findChildren<QLabel*>())
        texts.append(label->text());
    return texts;
}

// Waits until the viewer has loaded every line.
bool loaded(LogViewer& viewer)
{
    return QTest::qWaitFor([&] { return viewer.ui.find<QTableWidget>("journal")->rowCount() == 20000; },
                           30000);
}

} // namespace

class TestLogViewerExample : public QObject
{
    Q_OBJECT

private slots:
    void linesArriveInBatches();
    void rowsAreFilteredAsYouType_data();
    void rowsAreFilteredAsYouType();
    void activatingARowOpensModalDetails_data();
    void activatingARowOpensModalDetails();
};

void TestLogViewerExample::linesArriveInBatches()
{
    LogViewer viewer(LOGVIEWER_STYLE);
    QVERIFY(!viewer.ui.window->styleSheet().isEmpty());
    auto* table = viewer.ui.find<QTableWidget>("journal");
    QCOMPARE(table->rowCount(), 0);
    QCOMPARE(viewer.ui.find<QLabel>("statut")->text(), "Chargement…");
    QSignalSpy batches(table->model(), &QAbstractItemModel::rowsInserted);
    QVERIFY(start(viewer.ui));

    QVERIFY(loaded(viewer));
    QCOMPARE(batches.size(), 10);
    for (int i = 0; i < batches.size(); ++i) {
        QCOMPARE(batches[i][1].toInt(), 2000 * i);
        QCOMPARE(batches[i][2].toInt(), 2000 * i + 1999);
    }
    QCOMPARE(viewer.ui.find<QLabel>("statut")->text(), "20000 lignes affichées sur 20000");
    QCOMPARE(table->item(19999, 3)->text(), "Fichier écrit (n° 19999)");
}

void TestLogViewerExample::rowsAreFilteredAsYouType_data()
{
    QTest::addColumn<QString>("search");
    QTest::addColumn<QStringList>("unchecked");
    QTest::addColumn<int>("shown");
    QTest::addColumn<QString>("status");
    QTest::newRow("everything") << "" << QStringList() << 20000 << "20000 lignes affichées sur 20000";
    QTest::newRow("errors only") << ""
                                 << QStringList{"niveau-debogage", "niveau-info", "niveau-avertissement"}
                                 << 207 << "207 lignes affichées sur 20000";
    QTest::newRow("source") << "disque" << QStringList() << 4999 << "4999 lignes affichées sur 20000";
    QTest::newRow("any case") << "SESSION" << QStringList() << 4998 << "4998 lignes affichées sur 20000";
    QTest::newRow("text and level") << "n° 1234" << QStringList{"niveau-info"} << 3
                                    << "3 lignes affichées sur 20000";
    QTest::newRow("no match") << "introuvable" << QStringList() << 0 << "0 ligne affichée sur 20000";
    QTest::newRow("the guide's picture") << "disque" << QStringList{"niveau-debogage", "niveau-info"} << 431
                                         << "431 lignes affichées sur 20000";
}

void TestLogViewerExample::rowsAreFilteredAsYouType()
{
    QFETCH(QString, search);
    QFETCH(QStringList, unchecked);
    QFETCH(int, shown);
    QFETCH(QString, status);
    LogViewer viewer(LOGVIEWER_STYLE);
    QVERIFY(start(viewer.ui));
    // Typing while the lines arrive: the lines loaded later are filtered as well.
    for (const QString& name : unchecked)
        QTest::mouseClick(viewer.ui.find<QCheckBox>(name), Qt::LeftButton);
    QTest::keyClicks(viewer.ui.find<QLineEdit>("recherche"), search);
    QVERIFY(loaded(viewer));

    QCOMPARE(shownRows(viewer.ui.find<QTableWidget>("journal")), shown);
    QCOMPARE(viewer.ui.find<QLabel>("statut")->text(), status);
    if (QByteArray(QTest::currentDataTag()) == "the guide's picture")
        QVERIFY(saveScreenshot(viewer.ui.window, "logviewer.png"));
}

void TestLogViewerExample::activatingARowOpensModalDetails_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<bool>("byKeyboard");
    QTest::addColumn<QStringList>("details");
    QTest::newRow("double click") << 3 << false
                                  << QStringList{"00:00:12", "DÉBOGAGE", "réseau",
                                                 "Connexion établie (n° 3)"};
    QTest::newRow("Enter") << 13 << true
                           << QStringList{"00:00:52", "AVERTISSEMENT", "disque", "Fichier écrit (n° 13)"};
}

void TestLogViewerExample::activatingARowOpensModalDetails()
{
    QFETCH(int, row);
    QFETCH(bool, byKeyboard);
    QFETCH(QStringList, details);
    LogViewer viewer(LOGVIEWER_STYLE);
    QVERIFY(start(viewer.ui));
    QVERIFY(loaded(viewer));
    auto* table = viewer.ui.find<QTableWidget>("journal");
    const QPoint cell = table->visualItemRect(table->item(row, 0)).center();
    // A double click starts with a click, which makes the cell current.
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell);
    if (byKeyboard)
        QTest::keyClick(table, Qt::Key_Return);
    else
        QTest::mouseDClick(table->viewport(), Qt::LeftButton, {}, cell);

    QWidget* modal = nullptr;
    QTRY_VERIFY((modal = QApplication::activeModalWidget()) != nullptr);
    QCOMPARE(modal->windowTitle(), "Détails");
    QCOMPARE(modal->windowModality(), Qt::ApplicationModal);
    QCOMPARE(labelTexts(modal), (QStringList{"Heure", details[0], "Niveau", details[1], "Source", details[2],
                                             "Message", details[3]}));

    QTest::mouseClick(modal->findChild<QPushButton*>("fermer"), Qt::LeftButton);
    QTRY_COMPARE(QApplication::activeModalWidget(), nullptr);
}

QTEST_MAIN(TestLogViewerExample)
#include "tst_example_logviewer.moc"
