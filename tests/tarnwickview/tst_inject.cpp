// SPDX-License-Identifier: MIT
// libtarnwickview-inject.so preloaded into inject_target, a program that links neither library.

#include "test_support.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>

#include <sys/resource.h>

namespace {

// The trees of the target's main window (its dialog is its child) and of the dialog, as the
// module appends them: each ends with a line end, a blank line between them.
const QByteArray MAIN_TREE = "QWidget\n"
                             "├─ QLabel  'Bonjour'\n"
                             "├─ QLineEdit  placeholder=''  [#saisie]\n"
                             "├─ QPushButton  'Valider'\n"
                             "└─ QDialog\n"
                             "   └─ QCheckBox  'Sombre'\n";
const QByteArray TREES = MAIN_TREE + "\n"
                                     "QDialog\n"
                                     "└─ QCheckBox  'Sombre'\n";

struct Run
{
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray moduleLines; // what the module wrote on standard error, without Qt's own notes
};

Run runTarget(const QString& directory, const QString& mode, bool preload, const QString& treeFile,
              rlim_t fileLimit)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QT_MESSAGE_PATTERN"));
    environment.remove(QStringLiteral("TARNWICKVIEW_TREE"));
    environment.remove(QStringLiteral("LD_PRELOAD"));
    if (preload)
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(INJECT_MODULE));
    if (!treeFile.isEmpty())
        environment.insert(QStringLiteral("TARNWICKVIEW_TREE"), treeFile);
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(directory);
    if (fileLimit > 0) {
        process.setChildProcessModifier([fileLimit] {
            std::signal(SIGXFSZ, SIG_IGN);
            rlimit limit{};
            ::getrlimit(RLIMIT_FSIZE, &limit);
            limit.rlim_cur = fileLimit;
            ::setrlimit(RLIMIT_FSIZE, &limit);
        });
    }
    process.start(QStringLiteral(INJECT_TARGET), mode.isEmpty() ? QStringList() : QStringList{mode});
    Run run;
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.standardOutput = process.readAllStandardOutput();
    for (const QByteArray& line : process.readAllStandardError().split('\n')) {
        if (line.startsWith("tarnwickview"))
            run.moduleLines += line + '\n';
    }
    return run;
}

} // namespace

class TstInject : public QObject
{
    Q_OBJECT

private slots:
    void preloadedProgram_data();
    void preloadedProgram();
    void loggingRulesSilenceModule_data();
    void loggingRulesSilenceModule();
};

void TstInject::preloadedProgram_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("preload");
    QTest::addColumn<QString>("treeFile");
    QTest::addColumn<QByteArray>("previousFile");
    QTest::addColumn<int>("fileLimit");
    QTest::addColumn<QByteArray>("standardOutput");
    QTest::addColumn<QString>("moduleLines"); // %1 stands for the scratch directory
    QTest::addColumn<QByteArray>("expectedFile");

    const QByteArray withInspector = "Inspecteur — Réglages\nPrincipale\nRéglages\n";
    const QByteArray withoutInspector = "Principale\nRéglages\n";
    const QString active = QStringLiteral("tarnwickview: inspecteur injecté actif (Ctrl+Shift+I)");
    const QString activeWithTrees =
        active + QStringLiteral(" ; arborescences des fenêtres ajoutées à %1/arbres.txt\n");

    QTest::newRow("trees into a new file, relative path resolved")
        << QString() << true << "arbres.txt" << QByteArray() << 0 << withInspector << activeWithTrees
        << TREES;
    QTest::newRow("trees appended after earlier content")
        << QString() << true << "arbres.txt" << QByteArray("ancien\n") << 0 << withInspector
        << activeWithTrees << QByteArray("ancien\n\n" + TREES);
    QTest::newRow("inspector only, no tree file") << QString() << true << QString() << QByteArray() << 0
                                                  << withInspector << QString(active + '\n') << QByteArray();
    QTest::newRow("not preloaded: nothing written") << QString() << false << "arbres.txt" << QByteArray() << 0
                                                    << withoutInspector << QString() << QByteArray();
    QTest::newRow("missing folder reported once, program unharmed")
        << QString() << true << "absent/arbres.txt" << QByteArray() << 0 << withInspector
        << QString(active + QStringLiteral(" ; arborescences des fenêtres ajoutées à %1/absent/arbres.txt\n"
                                           "tarnwickview: impossible d'ajouter l'arborescence à "
                                           "%1/absent/arbres.txt : No such file or directory\n"))
        << QByteArray();
    // The limit cuts the second tree short; the part of it that was written is taken back.
    QTest::newRow("full disk reported once, whole trees kept")
        << QString() << true << "arbres.txt" << QByteArray() << 160 << withInspector
        << QString(activeWithTrees + QStringLiteral("tarnwickview: impossible d'ajouter l'arborescence à "
                                                    "%1/arbres.txt : File too large\n"))
        << MAIN_TREE;
    QTest::newRow("the program's own Ctrl+Shift+I wins")
        << "--own-shortcut" << true << "arbres.txt" << QByteArray() << 0
        << QByteArray("raccourci du programme\n" + withoutInspector) << activeWithTrees << TREES;
    QTest::newRow("QCoreApplication left alone")
        << "--core" << true << "arbres.txt" << QByteArray() << 0 << QByteArray() << QString() << QByteArray();
    QTest::newRow("QGuiApplication left alone")
        << "--gui" << true << "arbres.txt" << QByteArray() << 0 << QByteArray() << QString() << QByteArray();
}

void TstInject::preloadedProgram()
{
    QFETCH(QString, mode);
    QFETCH(bool, preload);
    QFETCH(QString, treeFile);
    QFETCH(QByteArray, previousFile);
    QFETCH(int, fileLimit);
    QFETCH(QByteArray, standardOutput);
    QFETCH(QString, moduleLines);
    QFETCH(QByteArray, expectedFile);

    QTemporaryDir scratch;
    const QString written = QDir(scratch.path()).filePath(QStringLiteral("arbres.txt"));
    if (!previousFile.isEmpty())
        writeFile(written, previousFile);

    const Run run = runTarget(scratch.path(), mode, preload, treeFile, rlim_t(fileLimit));

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.standardOutput, standardOutput);
    QCOMPARE(QString::fromUtf8(run.moduleLines), moduleLines.replace(QStringLiteral("%1"), scratch.path()));
    QCOMPARE(QFileInfo::exists(written), !expectedFile.isEmpty());
    if (!expectedFile.isEmpty())
        QCOMPARE(readFile(written), expectedFile);
}

void TstInject::loggingRulesSilenceModule_data()
{
    QTest::addColumn<QString>("rules");
    QTest::addColumn<QString>("moduleLines"); // %1 stands for the scratch directory

    const QString banner =
        QStringLiteral("tarnwickview: inspecteur injecté actif (Ctrl+Shift+I) ; arborescences "
                       "des fenêtres ajoutées à %1/absent/arbres.txt\n");
    const QString failure = QStringLiteral("tarnwickview: impossible d'ajouter l'arborescence à "
                                           "%1/absent/arbres.txt : No such file or directory\n");
    QTest::newRow("the documented rule") << "velmora=false;tarnwickview=false" << QString();
    // A wildcard after the dot reaches the categories below the module's, not the module's own.
    QTest::newRow("wildcard after the dot") << "tarnwickview.*=false" << QString(banner + failure);
}

void TstInject::loggingRulesSilenceModule()
{
    QFETCH(QString, rules);
    QFETCH(QString, moduleLines);

    QTemporaryDir scratch;
    const QByteArray before = qgetenv("QT_LOGGING_RULES");
    qputenv("QT_LOGGING_RULES", rules.toUtf8());
    const Run run = runTarget(scratch.path(), QString(), true, QStringLiteral("absent/arbres.txt"), 0);
    qputenv("QT_LOGGING_RULES", before);

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.moduleLines), moduleLines.replace(QStringLiteral("%1"), scratch.path()));
}

QTEST_GUILESS_MAIN(TstInject)
#include "tst_inject.moc"
