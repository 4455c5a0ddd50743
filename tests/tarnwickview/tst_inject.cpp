// SPDX-License-Identifier: MIT
// libtarnwickview-inject.so preloaded into inject_target, a program that links neither library.

#include "test_support.h"

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

#include <csignal>

#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// The trees of the target's main window (its dialog is its child) and of the dialog, as the
// module appends them: each ends with a line end, a blank line between them. Written as soon as
// shown, they lack the label the dialog adds to itself while it is being shown.
const QByteArray EARLY_MAIN_TREE = "QWidget\n"
                                   "├─ QLabel  'Bonjour'\n"
                                   "├─ QLineEdit  placeholder=''  [#saisie]\n"
                                   "├─ QPushButton  'Valider'\n"
                                   "└─ QDialog\n"
                                   "   └─ QCheckBox  'Sombre'\n";
const QByteArray EARLY_TREES = EARLY_MAIN_TREE + "\n"
                                                 "QDialog\n"
                                                 "└─ QCheckBox  'Sombre'\n";
const QByteArray MAIN_TREE = "QWidget\n"
                             "├─ QLabel  'Bonjour'\n"
                             "├─ QLineEdit  placeholder=''  [#saisie]\n"
                             "├─ QPushButton  'Valider'\n"
                             "└─ QDialog\n"
                             "   ├─ QCheckBox  'Sombre'\n"
                             "   └─ QLabel  'Tardif'\n";
const QByteArray TREES = MAIN_TREE + "\n"
                                     "QDialog\n"
                                     "├─ QCheckBox  'Sombre'\n"
                                     "└─ QLabel  'Tardif'\n";

struct Run
{
    int exitCode = -1;
    QByteArray standardOutput;
    QByteArray moduleLines; // what the module wrote on standard error, without Qt's own notes
    QByteArray otherLines;  // the rest of standard error, but for what Qt's offscreen platform says
};

Run runTarget(const QString& directory, const QString& mode, bool preload, const QString& treeFile,
              rlim_t fileLimit, const QStringList& settings)
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    environment.remove(QStringLiteral("QT_MESSAGE_PATTERN"));
    environment.remove(QStringLiteral("TARNWICKVIEW_TREE"));
    environment.remove(QStringLiteral("LD_PRELOAD"));
    environment.remove(QStringLiteral("TARNWICKVIEW_SHORTCUT"));
    environment.remove(QStringLiteral("TARNWICKVIEW_TREE_WHEN"));
    environment.remove(QStringLiteral("TARNWICKVIEW_STYLE_REPORT"));
    if (preload)
        environment.insert(QStringLiteral("LD_PRELOAD"), QStringLiteral(INJECT_MODULE));
    if (!treeFile.isEmpty())
        environment.insert(QStringLiteral("TARNWICKVIEW_TREE"), treeFile);
    for (const QString& setting : settings)
        environment.insert(setting.section(QLatin1Char('='), 0, 0), setting.section(QLatin1Char('='), 1));
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
    // A program stopped by the module never finishes.
    if (!process.waitForFinished(20000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.exitCode = process.exitCode();
    run.standardOutput = process.readAllStandardOutput();
    for (const QByteArray& line : process.readAllStandardError().split('\n')) {
        if (line.startsWith("tarnwickview"))
            run.moduleLines += line + '\n';
        else if (!line.isEmpty() && !line.startsWith("This plugin does not support") &&
                 !line.startsWith("QStandardPaths:"))
            run.otherLines += line + '\n';
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
    void nonRegularFileNeverBlocks_data();
    void nonRegularFileNeverBlocks();
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
    QTest::addColumn<QStringList>("settings");

    const QByteArray withInspector = "Inspecteur — Réglages\nPrincipale\nRéglages\n";
    const QByteArray withoutInspector = "Principale\nRéglages\n";
    const QString active = QStringLiteral("tarnwickview: inspecteur injecté actif (Ctrl+Shift+I)");
    const QString activeWithTrees =
        active + QStringLiteral(" ; arborescences des fenêtres ajoutées à %1/arbres.txt\n");

    QTest::newRow("trees into a new file, relative path resolved")
        << QString() << true << "arbres.txt" << QByteArray() << 0 << withInspector << activeWithTrees << TREES
        << QStringList();
    QTest::newRow("trees appended after earlier content")
        << QString() << true << "arbres.txt" << QByteArray("ancien\n") << 0 << withInspector
        << activeWithTrees << QByteArray("ancien\n\n" + TREES) << QStringList();
    QTest::newRow("style reports with the same timing")
        << "--styled" << true << QString() << QByteArray() << 0 << withInspector
        << QString(active + QStringLiteral(" ; diagnostics de style ajoutés à %1/arbres.txt\n"))
        << QByteArray("Feuille de style de QWidget\n  r\xc3\xa8gle sans effet ligne 2 : QSlider\n\n"
                      "Feuille de style de QWidget\n  r\xc3\xa8gle sans effet ligne 2 : QSlider\n")
        << QStringList{QStringLiteral("TARNWICKVIEW_STYLE_REPORT=arbres.txt")};
    QTest::newRow("inspector only, no tree file")
        << QString() << true << QString() << QByteArray() << 0 << withInspector << QString(active + '\n')
        << QByteArray() << QStringList();
    QTest::newRow("not preloaded: nothing written")
        << QString() << false << "arbres.txt" << QByteArray() << 0 << withoutInspector << QString()
        << QByteArray() << QStringList();
    QTest::newRow("missing folder reported once, program unharmed")
        << QString() << true << "absent/arbres.txt" << QByteArray() << 0 << withInspector
        << QString(active + QStringLiteral(" ; arborescences des fenêtres ajoutées à %1/absent/arbres.txt\n"
                                           "tarnwickview: impossible d'ajouter l'arborescence à "
                                           "%1/absent/arbres.txt : No such file or directory\n"))
        << QByteArray() << QStringList();
    // The limit cuts the second tree short; the part of it that was written is taken back.
    QTest::newRow("full disk reported once, whole trees kept")
        << QString() << true << "arbres.txt" << QByteArray() << 200 << withInspector
        << QString(activeWithTrees + QStringLiteral("tarnwickview: impossible d'ajouter l'arborescence à "
                                                    "%1/arbres.txt : File too large\n"))
        << MAIN_TREE << QStringList();
    QTest::newRow("the program's own Ctrl+Shift+I wins")
        << "--own-shortcut" << true << "arbres.txt" << QByteArray() << 0
        << QByteArray("raccourci du programme\n" + withoutInspector) << activeWithTrees << TREES
        << QStringList();
    QTest::newRow("trees written as soon as shown")
        << QString() << true << "arbres.txt" << QByteArray() << 0 << withInspector << activeWithTrees
        << EARLY_TREES << QStringList{"TARNWICKVIEW_TREE_WHEN=shown"};
    QTest::newRow("trees written at exit, in the order shown")
        << QString() << true << "arbres.txt" << QByteArray() << 0 << withInspector << activeWithTrees << TREES
        << QStringList{"TARNWICKVIEW_TREE_WHEN=exit"};
    QTest::newRow("unknown timing reported, trees written once settled")
        << QString() << true << "arbres.txt" << QByteArray() << 0 << withInspector
        << QString("tarnwickview: TARNWICKVIEW_TREE_WHEN ignoré : « bientôt » n'est ni shown, ni settled, "
                   "ni exit\n" +
                   activeWithTrees)
        << TREES << QStringList{"TARNWICKVIEW_TREE_WHEN=bientôt"};
    QTest::newRow("key pressed in a pop-up inspects the window beneath")
        << "--popup" << true << QString() << QByteArray() << 0
        << QByteArray("Inspecteur — Principale\nPrincipale\nRéglages\n") << QString(active + '\n')
        << QByteArray() << QStringList();
    QTest::newRow("key changed: the new key opens it")
        << QString() << true << QString() << QByteArray() << 0 << withInspector
        << "tarnwickview: inspecteur injecté actif (Alt+F12)\n"
        << QByteArray() << QStringList{"TARNWICKVIEW_SHORTCUT=Alt+F12", "INJECT_TARGET_KEY=Alt+F12"};
    QTest::newRow("key changed: Ctrl+Shift+I left to the program")
        << QString() << true << QString() << QByteArray() << 0 << withoutInspector
        << "tarnwickview: inspecteur injecté actif (Alt+F12)\n"
        << QByteArray() << QStringList{"TARNWICKVIEW_SHORTCUT=Alt+F12"};
    QTest::newRow("no key at all") << QString() << true << QString() << QByteArray() << 0 << withoutInspector
                                   << "tarnwickview: inspecteur injecté actif (sans raccourci)\n"
                                   << QByteArray() << QStringList{"TARNWICKVIEW_SHORTCUT=none"};
    QTest::newRow("key that is no key reported, Ctrl+Shift+I kept")
        << QString() << true << QString() << QByteArray() << 0 << withInspector
        << QString("tarnwickview: TARNWICKVIEW_SHORTCUT ignoré : « Ctrl+Truc » n'est pas une touche\n" +
                   active + '\n')
        << QByteArray() << QStringList{"TARNWICKVIEW_SHORTCUT=Ctrl+Truc"};
    QTest::newRow("QCoreApplication left alone")
        << "--core" << true << "arbres.txt" << QByteArray() << 0 << QByteArray() << QString() << QByteArray()
        << QStringList();
    QTest::newRow("QGuiApplication left alone") << "--gui" << true << "arbres.txt" << QByteArray() << 0
                                                << QByteArray() << QString() << QByteArray() << QStringList();
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
    QFETCH(QStringList, settings);

    QTemporaryDir scratch;
    const QString written = QDir(scratch.path()).filePath(QStringLiteral("arbres.txt"));
    if (!previousFile.isEmpty())
        writeFile(written, previousFile);

    const Run run = runTarget(scratch.path(), mode, preload, treeFile, rlim_t(fileLimit), settings);

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(run.standardOutput, standardOutput);
    QCOMPARE(QString::fromUtf8(run.moduleLines), moduleLines.replace(QStringLiteral("%1"), scratch.path()));
    QCOMPARE(QFileInfo::exists(written), !expectedFile.isEmpty());
    if (!expectedFile.isEmpty())
        QCOMPARE(readFile(written), expectedFile);
}

void TstInject::nonRegularFileNeverBlocks_data()
{
    QTest::addColumn<QString>("treeFile"); // "tuyau" is made a FIFO in the scratch directory
    QTest::addColumn<QString>("failure");

    QTest::newRow("FIFO without a reader") << "tuyau"
                                           << "impossible d'ajouter l'arborescence à %1/tuyau : No such "
                                              "device or address";
    QTest::newRow("device without room") << "/dev/full"
                                         << "impossible d'ajouter l'arborescence à /dev/full : No space "
                                            "left on device";
}

void TstInject::nonRegularFileNeverBlocks()
{
    QFETCH(QString, treeFile);
    QFETCH(QString, failure);

    QTemporaryDir scratch;
    const QByteArray fifo = QFile::encodeName(QDir(scratch.path()).filePath(QStringLiteral("tuyau")));
    QCOMPARE(::mkfifo(fifo.constData(), 0600), 0);

    const Run run = runTarget(scratch.path(), QString(), true, treeFile, 0, {});

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.moduleLines),
             QStringLiteral("tarnwickview: inspecteur injecté actif (Ctrl+Shift+I) ; arborescences des "
                            "fenêtres ajoutées à %1\ntarnwickview: %2\n")
                 .arg(QFileInfo(QDir(scratch.path()), treeFile).absoluteFilePath(), failure)
                 .replace(QStringLiteral("%1"), scratch.path()));
    QCOMPARE(run.otherLines, QByteArray());
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
    const Run run = runTarget(scratch.path(), QString(), true, QStringLiteral("absent/arbres.txt"), 0, {});
    qputenv("QT_LOGGING_RULES", before);

    QCOMPARE(run.exitCode, 0);
    QCOMPARE(QString::fromUtf8(run.moduleLines), moduleLines.replace(QStringLiteral("%1"), scratch.path()));
}

QTEST_GUILESS_MAIN(TstInject)
#include "tst_inject.moc"
