// SPDX-License-Identifier: MIT
#include "../velmora/banner_probe.h"
#include "dashboard.h"
#include "example_driver.h"

#include <QCoreApplication>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>

#include <deque>
#include <memory>

namespace {

// Hands out the samples a test queues, then repeats the last one.
struct ScriptedSource
{
    std::shared_ptr<std::deque<SystemSample>> queue = std::make_shared<std::deque<SystemSample>>();

    SampleSource source() const
    {
        return [queue = queue, last = std::make_shared<SystemSample>()] {
            if (!queue->empty()) {
                *last = queue->front();
                queue->pop_front();
            }
            return *last;
        };
    }
};

SystemSample withCpu(int cpu)
{
    return {cpu, 40, 60, {}};
}

QList<QVariantList> processTable(const QList<int>& memory)
{
    const QStringList names{"systemd", "bash", "top", "Web Content"};
    QList<QVariantList> rows;
    for (int i = 0; i < memory.size(); ++i)
        rows.append({i + 1, names[i], "en veille", memory[i]});
    return rows;
}

QStringList bannerTexts(const velmora::UIWrapper& ui)
{
    QStringList texts;
    for (const QLabel* banner : bannersOf(ui))
        texts.append(banner->text());
    return texts;
}

} // namespace

class TestDashboardExample : public QObject
{
    Q_OBJECT

private slots:
    void sidebarSwitchesPages_data();
    void sidebarSwitchesPages();
    void gaugesAndAlertFollowTheSamples_data();
    void gaugesAndAlertFollowTheSamples();
    void processTableKeepsItsSelection_data();
    void processTableKeepsItsSelection();
    void processStatLinesAreRead_data();
    void processStatLinesAreRead();
};

void TestDashboardExample::sidebarSwitchesPages_data()
{
    QTest::addColumn<QStringList>("clicks");
    QTest::addColumn<QString>("page");
    QTest::newRow("processes") << QStringList{"processus"} << "Processus";
    QTest::newRow("settings") << QStringList{"processus", "reglages"} << "Réglages";
    QTest::newRow("back to the overview") << QStringList{"reglages", "vue"} << "Vue d'ensemble";
    QTest::newRow("the checked button clicked again") << QStringList{"processus", "processus"} << "Processus";
}

void TestDashboardExample::sidebarSwitchesPages()
{
    QFETCH(QStringList, clicks);
    QFETCH(QString, page);
    Dashboard dashboard(ScriptedSource().source());
    QVERIFY(start(dashboard.ui));
    for (const QString& name : clicks)
        QTest::mouseClick(dashboard.ui.find<QPushButton>(name), Qt::LeftButton);

    QCOMPARE(dashboard.pages.current(), page);
    for (const QString& name : QStringList{"vue", "processus", "reglages"})
        QCOMPARE(dashboard.ui.value<bool>(name), name == clicks.last());
}

void TestDashboardExample::gaugesAndAlertFollowTheSamples_data()
{
    QTest::addColumn<QList<int>>("cpu");
    QTest::addColumn<int>("threshold");
    QTest::addColumn<QStringList>("alerts");
    QTest::newRow("below") << QList<int>{10, 50, 79} << 80 << QStringList();
    QTest::newRow("at the threshold is not past") << QList<int>{80, 80} << 80 << QStringList();
    QTest::newRow("once per crossing")
        << QList<int>{85, 90, 70, 95} << 80
        << QStringList{"Processeur à 85 % (seuil : 80 %)", "Processeur à 95 % (seuil : 80 %)"};
    QTest::newRow("threshold changed")
        << QList<int>{60} << 50 << QStringList{"Processeur à 60 % (seuil : 50 %)"};
}

void TestDashboardExample::gaugesAndAlertFollowTheSamples()
{
    QFETCH(QList<int>, cpu);
    QFETCH(int, threshold);
    QFETCH(QStringList, alerts);
    ScriptedSource script;
    Dashboard dashboard(script.source());
    QVERIFY(start(dashboard.ui));
    dashboard.ui.set_value("seuil", threshold);
    for (int value : cpu) {
        script.queue->push_back(withCpu(value));
        dashboard.refresh();
        QCOMPARE(dashboard.ui.value<int>("processeur"), value);
    }
    QCOMPARE(dashboard.ui.value<int>("memoire"), 40);
    QCOMPARE(dashboard.ui.value<int>("disque"), 60);
    QCOMPARE(bannerTexts(dashboard.ui), alerts);
    if (QByteArray(QTest::currentDataTag()) == "once per crossing")
        QVERIFY(saveScreenshot(dashboard.ui.window, "dashboard.png"));
}

void TestDashboardExample::processTableKeepsItsSelection_data()
{
    QTest::addColumn<QList<int>>("before"); // one process per entry: its memory
    QTest::addColumn<int>("selected");
    QTest::addColumn<QList<int>>("after");
    QTest::addColumn<QList<int>>("selection");
    QTest::addColumn<QString>("count");
    QTest::newRow("values change") << QList<int>{100, 200, 300} << 1 << QList<int>{100, 250, 300}
                                   << QList<int>{1} << "3 processus";
    QTest::newRow("a process starts")
        << QList<int>{100, 200, 300} << 2 << QList<int>{100, 200, 300, 400} << QList<int>{2} << "4 processus";
    QTest::newRow("the selected row is gone")
        << QList<int>{100, 200, 300} << 2 << QList<int>{100, 200} << QList<int>() << "2 processus";
}

void TestDashboardExample::processTableKeepsItsSelection()
{
    QFETCH(QList<int>, before);
    QFETCH(int, selected);
    QFETCH(QList<int>, after);
    QFETCH(QList<int>, selection);
    QFETCH(QString, count);
    ScriptedSource script;
    script.queue->push_back({10, 20, 30, processTable(before)});
    Dashboard dashboard(script.source());
    QVERIFY(start(dashboard.ui));
    QTest::mouseClick(dashboard.ui.find<QPushButton>("processus"), Qt::LeftButton);
    auto* table = dashboard.ui.find<QTableWidget>("table-processus");
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      table->visualItemRect(table->item(selected, 1)).center());
    QCOMPARE(dashboard.ui.selected_rows(table), QList<int>{selected});

    script.queue->push_back({10, 20, 30, processTable(after)});
    dashboard.refresh();
    QCOMPARE(dashboard.ui.selected_rows(table), selection);
    QCOMPARE(dashboard.ui.table_row(table, 1),
             (QStringList{"2", "bash", "en veille", QString::number(after[1])}));
    QCOMPARE(dashboard.ui.value<QString>("nombre"), count);
}

void TestDashboardExample::processStatLinesAreRead_data()
{
    QTest::addColumn<QByteArray>("line");
    QTest::addColumn<bool>("read");
    QTest::addColumn<int>("pid");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("state");
    QTest::addColumn<qint64>("pages");
    const QByteArray tail = " 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20 1234 22 23\n";
    QTest::newRow("plain") << "812 (bash) S" + tail << true << 812 << "bash"
                           << "en veille" << qint64(1234);
    QTest::newRow("spaces in the name") << "4021 (Web Content) R" + tail << true << 4021 << "Web Content"
                                        << "actif" << qint64(1234);
    QTest::newRow("parentheses in the name") << "77 (a) b (c)) Z" + tail << true << 77 << "a) b (c)"
                                             << "zombie" << qint64(1234);
    QTest::newRow("cut short") << QByteArray("812 (bash) S 1 2 3") << false << 0 << ""
                               << "" << qint64(0);
    QTest::newRow("empty: the process ended") << QByteArray() << false << 0 << ""
                                              << "" << qint64(0);
}

void TestDashboardExample::processStatLinesAreRead()
{
    QFETCH(QByteArray, line);
    QFETCH(bool, read);
    QFETCH(int, pid);
    QFETCH(QString, name);
    QFETCH(QString, state);
    QFETCH(qint64, pages);
    const std::optional<ProcessStat> stat = parseProcessStat(line);
    QCOMPARE(stat.has_value(), read);
    if (!stat)
        return;
    QCOMPARE(stat->pid, pid);
    QCOMPARE(stat->name, name);
    QCOMPARE(stat->state, state);
    QCOMPARE(stat->residentPages, pages);

    // And the real thing: this very process is in the machine's table.
    const SystemSample sample = systemSampler()();
    const qint64 self = QCoreApplication::applicationPid();
    const auto row =
        std::find_if(sample.processes.cbegin(), sample.processes.cend(),
                     [self](const QVariantList& cells) { return cells[0].toLongLong() == self; });
    QVERIFY(row != sample.processes.cend());
    QCOMPARE((*row)[1].toString(), "tst_example_das");
    QVERIFY((*row)[3].toLongLong() > 0);
}

QTEST_MAIN(TestDashboardExample)
#include "tst_example_dashboard.moc"
