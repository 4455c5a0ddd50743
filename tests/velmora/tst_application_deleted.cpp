// SPDX-License-Identifier: MIT
// The caller may delete the application object a wrapper made (`delete ui.app`): the process must
// still end cleanly. Run with a case name, this program plays that case; run without, it runs
// itself once per case and checks each exit.

#include <velmora/velmora.h>

#include <QProcess>
#include <QTest>
#include <QTimer>

#include <cstdio>

class TestApplicationDeleted : public QObject
{
    Q_OBJECT

private slots:
    void processEndsCleanly_data()
    {
        QTest::addColumn<QString>("how");
        QTest::newRow("deleted before main returns") << "before return";
        QTest::newRow("deleted after the event loop showed the window") << "after run";
        QTest::newRow("deleted under a wrapper with static storage") << "static";
    }

    void processEndsCleanly()
    {
        QFETCH(QString, how);
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {how});
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::NormalExit);
        QVERIFY2(child.exitCode() == 0, child.readAllStandardError().constData());
        QCOMPARE(child.readAllStandardOutput(), QByteArray("main returns\n"));
    }
};

int main(int argc, char** argv)
{
    const QByteArray how = argc > 1 ? argv[1] : "";
    if (how == "before return" || how == "after run") {
        velmora::UIWrapper ui(QStringLiteral("Fenêtre"));
        ui.add_label(QStringLiteral("texte"));
        if (how == "after run") {
            QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
            (void)ui.run();
        }
        delete ui.app;
    } else if (how == "static") {
        static velmora::UIWrapper ui;
        delete ui.app;
    } else {
        QApplication application(argc, argv);
        TestApplicationDeleted test;
        return QTest::qExec(&test, argc, argv);
    }
    std::puts("main returns");
    return 0;
}

#include "tst_application_deleted.moc"
