// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "test_support.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QCommandLinkButton>
#include <QFrame>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QTest>
#include <QTimer>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

#include <cerrno>

#include <fcntl.h>
#include <grp.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/statvfs.h>
#include <sys/wait.h>
#include <unistd.h>

Q_DECLARE_METATYPE(std::errc)

namespace {

// The tree of the documented example: a named window with a title, a row of two buttons and a
// frame holding a check box and a progress bar.
std::unique_ptr<QWidget> exampleWindow()
{
    auto root = std::make_unique<QWidget>();
    root->setObjectName(QStringLiteral("fenetre"));
    auto* column = new QVBoxLayout(root.get());

    auto* title = new QLabel(QStringLiteral("Titre"));
    title->setObjectName(QStringLiteral("titre"));
    column->addWidget(title);

    auto* buttons = new QWidget;
    auto* row = new QHBoxLayout(buttons);
    row->addWidget(new QPushButton(QStringLiteral("OK")));
    auto* cancel = new QPushButton(QStringLiteral("Annuler"));
    cancel->setObjectName(QStringLiteral("btn_annuler"));
    row->addWidget(cancel);
    column->addWidget(buttons);

    auto* frame = new QFrame;
    auto* inner = new QVBoxLayout(frame);
    inner->addWidget(new QCheckBox(QStringLiteral("Actif")));
    auto* progress = new QProgressBar;
    progress->setRange(0, 100);
    progress->setValue(40);
    inner->addWidget(progress);
    column->addWidget(frame);
    return root;
}

const QString EXAMPLE_TREE = QStringLiteral("QWidget  [#fenetre]\n"
                                            "├─ QLabel  'Titre'  [#titre]\n"
                                            "├─ QWidget\n"
                                            "│  ├─ QPushButton  'OK'\n"
                                            "│  └─ QPushButton  'Annuler'  [#btn_annuler]\n"
                                            "└─ QFrame\n"
                                            "   ├─ QCheckBox  'Actif'\n"
                                            "   └─ QProgressBar  40/100");

const uid_t OTHER_OWNER = 65534;
const uid_t GROUP_MEMBER = 65533;
const gid_t SHARED_GROUP = 8765;
const int CANNOT_SWITCH_USER = 2;

// Runs `write` in a child process that is an unprivileged member of SHARED_GROUP and not the
// file's owner. Returns its exit status: 0 on success, 1 if it threw, CANNOT_SWITCH_USER.
template<typename Write> int writeAsGroupMember(Write write)
{
    const pid_t child = ::fork();
    if (child == 0) {
        if (::setgroups(0, nullptr) != 0 || ::setgid(SHARED_GROUP) != 0 || ::setuid(GROUP_MEMBER) != 0)
            ::_exit(CANNOT_SWITCH_USER);
        try {
            write();
        } catch (...) {
            ::_exit(1);
        }
        ::_exit(0);
    }
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return -1;
    return WEXITSTATUS(status);
}

QLabel* labelIn(QWidget* parent, const char* text)
{
    return new QLabel(QString::fromUtf8(text), parent);
}

} // namespace

class TestTree : public QObject
{
    Q_OBJECT

private slots:
    // Children and their order.
    void layoutWidgetsComeFirstThenOtherChildren();
    void widgetWithoutLayoutListsChildrenInChildOrder();
    void layoutItemOfAnotherParentIsNotListed();
    void widgetHeldTwiceByLayoutIsListedOnce();

    // Text tree.
    void documentedExampleIsRenderedExactly();
    void rootWithoutChildrenIsItsLabelAlone();
    void onlyChildGetsLastConnector();
    void markersAccumulateOnePerLevel();
    void widgetsOfOneClassKeepTheirOwnLabels();
    void kindFollowsInheritanceWhereverTheClassAppears();
    void laterCallSeesChangedTexts();
    void nullRootIsRejected();

    // Standard output and files.
    void printTreeWritesTreeAndOneLineEnd();
    void saveTreeWritesUtf8TextThenConfirms();
    void saveTreeShowsPathAsPassed();
    void secondSaveLeavesOnlySecondTree();
    void saveKeepsModeOfReplacedFile();
    void saveThroughSymlinkReplacesItsTarget();
    void saveErrorsCarryOsCode_data();
    void saveErrorsCarryOsCode();
    void failedWriteKeepsPreviousFile();
    void unwritableFileIsNotReplaced();
    void readOnlyDirectoryStillAllowsRewritingItsFile();
    void replacedFileKeepsWhatAPlainWriteKeeps_data();
    void replacedFileKeepsWhatAPlainWriteKeeps();
    void pipeIsWrittenOnlyWhenSomeoneReads_data();
    void pipeIsWrittenOnlyWhenSomeoneReads();
    void fullDiskLeavesFileRewrittenInPlaceWhole_data();
    void fullDiskLeavesFileRewrittenInPlaceWhole();
};

void TestTree::layoutWidgetsComeFirstThenOtherChildren()
{
    QWidget root;
    QLabel* a = labelIn(&root, "A");
    QLabel* b = labelIn(&root, "B");
    QLabel* c = labelIn(&root, "C");
    QLabel* d = labelIn(&root, "D");
    labelIn(&root, "E");
    auto* column = new QVBoxLayout(&root);
    column->addWidget(a);
    auto* row = new QHBoxLayout;
    column->addLayout(row);
    row->addWidget(b);
    row->addWidget(c);
    column->addStretch();
    column->addWidget(d);

    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QLabel  'A'\n"
                                                           "├─ QLabel  'D'\n"
                                                           "├─ QLabel  'B'\n"
                                                           "├─ QLabel  'C'\n"
                                                           "└─ QLabel  'E'"));
}

void TestTree::widgetWithoutLayoutListsChildrenInChildOrder()
{
    QWidget root;
    labelIn(&root, "2");
    new QTimer(&root);
    labelIn(&root, "1");
    new QObject(&root);
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QLabel  '2'\n"
                                                           "└─ QLabel  '1'"));
}

void TestTree::layoutItemOfAnotherParentIsNotListed()
{
    QWidget root;
    QWidget elsewhere;
    QLabel* foreign = labelIn(&elsewhere, "ailleurs");
    auto* column = new QVBoxLayout(&root);
    column->addItem(new QWidgetItem(foreign));
    column->addWidget(labelIn(&root, "ici"));
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "└─ QLabel  'ici'"));
}

void TestTree::widgetHeldTwiceByLayoutIsListedOnce()
{
    QWidget root;
    QLabel* first = labelIn(&root, "1");
    QLabel* second = labelIn(&root, "2");
    auto* column = new QVBoxLayout(&root);
    column->addWidget(second);
    column->addItem(new QWidgetItem(first));
    column->addItem(new QWidgetItem(second));
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QLabel  '2'\n"
                                                           "└─ QLabel  '1'"));
}

void TestTree::documentedExampleIsRenderedExactly()
{
    const auto root = exampleWindow();
    QCOMPARE(tarnwickview::get_tree(root.get()), EXAMPLE_TREE);
}

void TestTree::rootWithoutChildrenIsItsLabelAlone()
{
    QPushButton button(QStringLiteral("Seul"));
    QCOMPARE(tarnwickview::get_tree(&button), QStringLiteral("QPushButton  'Seul'"));
}

void TestTree::onlyChildGetsLastConnector()
{
    QWidget root;
    auto* child = new QWidget(&root);
    labelIn(child, "x");
    labelIn(child, "y");
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "└─ QWidget\n"
                                                           "   ├─ QLabel  'x'\n"
                                                           "   └─ QLabel  'y'"));
}

void TestTree::markersAccumulateOnePerLevel()
{
    QWidget root;
    auto* one = new QWidget(&root);
    auto* two = new QWidget(one);
    labelIn(two, "profond");
    labelIn(two, "dernier");
    labelIn(one, "oncle");
    labelIn(&root, "fin");
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QWidget\n"
                                                           "│  ├─ QWidget\n"
                                                           "│  │  ├─ QLabel  'profond'\n"
                                                           "│  │  └─ QLabel  'dernier'\n"
                                                           "│  └─ QLabel  'oncle'\n"
                                                           "└─ QLabel  'fin'"));
}

void TestTree::widgetsOfOneClassKeepTheirOwnLabels()
{
    QWidget root;
    labelIn(&root, "a")->setObjectName(QStringLiteral("premier"));
    labelIn(&root, "b");
    new QFrame(&root);
    labelIn(&root, "c")->setObjectName(QStringLiteral("dernier"));
    new QFrame(&root);
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QLabel  'a'  [#premier]\n"
                                                           "├─ QLabel  'b'\n"
                                                           "├─ QFrame\n"
                                                           "├─ QLabel  'c'  [#dernier]\n"
                                                           "└─ QFrame"));
}

// A command link derives from QPushButton, a check box only from QAbstractButton; each class keeps
// its kind whether it comes before or after the others in the walk.
void TestTree::kindFollowsInheritanceWhereverTheClassAppears()
{
    QWidget root;
    new QCommandLinkButton(QStringLiteral("lien"), &root);
    new QPushButton(QStringLiteral("un"), &root);
    new QCheckBox(QStringLiteral("case"), &root);
    new QCommandLinkButton(QStringLiteral("autre"), &root);
    new QPushButton(QStringLiteral("deux"), &root);
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "├─ QPushButton  'lien'\n"
                                                           "├─ QPushButton  'un'\n"
                                                           "├─ QCheckBox  'case'\n"
                                                           "├─ QPushButton  'autre'\n"
                                                           "└─ QPushButton  'deux'"));
}

void TestTree::laterCallSeesChangedTexts()
{
    QWidget root;
    QLabel* label = labelIn(&root, "avant");
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "└─ QLabel  'avant'"));
    label->setText(QStringLiteral("après"));
    label->setObjectName(QStringLiteral("nom"));
    QCOMPARE(tarnwickview::get_tree(&root), QStringLiteral("QWidget\n"
                                                           "└─ QLabel  'après'  [#nom]"));
}

void TestTree::nullRootIsRejected()
{
    StdoutCapture out;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::get_tree(nullptr));
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::print_tree(nullptr));
    ScratchDirectory dir;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::save_tree(nullptr));
    QVERIFY(!QFile::exists(QStringLiteral("ui_tree.txt")));
    QCOMPARE(out.bytes(), QByteArray());
}

void TestTree::printTreeWritesTreeAndOneLineEnd()
{
    const auto root = exampleWindow();
    StdoutCapture out;
    tarnwickview::print_tree(root.get());
    QCOMPARE(out.bytes(), (EXAMPLE_TREE + QLatin1Char('\n')).toUtf8());
}

void TestTree::saveTreeWritesUtf8TextThenConfirms()
{
    const auto root = exampleWindow();
    ScratchDirectory dir;
    StdoutCapture out;
    tarnwickview::save_tree(root.get());
    QCOMPARE(out.bytes(), QStringLiteral("Arborescence sauvegardée → ui_tree.txt\n").toUtf8());
    QCOMPARE(readFile(QStringLiteral("ui_tree.txt")), EXAMPLE_TREE.toUtf8());
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("ui_tree.txt")});
}

void TestTree::saveTreeShowsPathAsPassed()
{
    QLabel label(QStringLiteral("é"));
    ScratchDirectory dir;
    QDir().mkdir(QStringLiteral("sortie"));
    StdoutCapture out;
    tarnwickview::save_tree(&label, QStringLiteral("sortie/arbre.txt"));
    QCOMPARE(out.bytes(), QStringLiteral("Arborescence sauvegardée → sortie/arbre.txt\n").toUtf8());
    QCOMPARE(readFile(QStringLiteral("sortie/arbre.txt")), QByteArray("QLabel  '\xc3\xa9'"));
}

void TestTree::secondSaveLeavesOnlySecondTree()
{
    const auto big = exampleWindow();
    QLabel small(QStringLiteral("petit"));
    ScratchDirectory dir;
    StdoutCapture out;
    tarnwickview::save_tree(big.get(), QStringLiteral("arbre.txt"));
    tarnwickview::save_tree(&small, QStringLiteral("arbre.txt"));
    QCOMPARE(readFile(QStringLiteral("arbre.txt")), QByteArray("QLabel  'petit'"));
}

void TestTree::saveKeepsModeOfReplacedFile()
{
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    writeFile(QStringLiteral("arbre.txt"), "ancien");
    QCOMPARE(::chmod("arbre.txt", 0640), 0);
    StdoutCapture out;
    tarnwickview::save_tree(&label, QStringLiteral("arbre.txt"));
    struct stat st = {};
    QCOMPARE(::stat("arbre.txt", &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0640));

    tarnwickview::save_tree(&label, QStringLiteral("nouveau.txt"));
    const mode_t mask = ::umask(0);
    ::umask(mask);
    QCOMPARE(::stat("nouveau.txt", &st), 0);
    QCOMPARE(st.st_mode & 07777, mode_t(0666 & ~mask));
}

void TestTree::saveThroughSymlinkReplacesItsTarget()
{
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    writeFile(QStringLiteral("cible.txt"), "ancien");
    QVERIFY(QFile::link(QStringLiteral("cible.txt"), QStringLiteral("lien.txt")));
    StdoutCapture out;
    tarnwickview::save_tree(&label, QStringLiteral("lien.txt"));
    QVERIFY(QFileInfo(QStringLiteral("lien.txt")).isSymLink());
    QCOMPARE(readFile(QStringLiteral("cible.txt")), QByteArray("QLabel  'x'"));
}

void TestTree::saveErrorsCarryOsCode_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<std::errc>("code");
    QTest::newRow("missing directory")
        << QStringLiteral("absent/arbre.txt") << std::errc::no_such_file_or_directory;
    QTest::newRow("path is a directory") << QStringLiteral("dossier") << std::errc::is_a_directory;
    QTest::newRow("directory is a file") << QStringLiteral("fichier/arbre.txt") << std::errc::not_a_directory;
}

void TestTree::saveErrorsCarryOsCode()
{
    QFETCH(QString, path);
    QFETCH(std::errc, code);
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    QDir().mkdir(QStringLiteral("dossier"));
    writeFile(QStringLiteral("fichier"), "garde");
    StdoutCapture out;
    try {
        tarnwickview::save_tree(&label, path);
        QFAIL("no error was raised");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(code));
        QCOMPARE(QString::fromStdString(error.path1().string()), path);
    }
    QCOMPARE(out.bytes(), QByteArray());
    QVERIFY(!QFile::exists(QStringLiteral("absent")));
    QCOMPARE(readFile(QStringLiteral("fichier")), QByteArray("garde"));
    QCOMPARE(QDir(QStringLiteral("dossier")).isEmpty(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             true);
}

void TestTree::failedWriteKeepsPreviousFile()
{
    const auto root = exampleWindow();
    ScratchDirectory dir;
    writeFile(QStringLiteral("arbre.txt"), "ancien");
    StdoutCapture out;
    {
        const FileSizeLimit limit(16);
        try {
            tarnwickview::save_tree(root.get(), QStringLiteral("arbre.txt"));
            QFAIL("no error was raised");
        } catch (const std::filesystem::filesystem_error& error) {
            QCOMPARE(error.code(), std::make_error_code(std::errc::file_too_large));
        }
    }
    QCOMPARE(out.bytes(), QByteArray());
    QCOMPARE(readFile(QStringLiteral("arbre.txt")), QByteArray("ancien"));
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("arbre.txt")});
}

void TestTree::unwritableFileIsNotReplaced()
{
    if (runningAsRoot())
        QSKIP("root writes regardless of permission bits");
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    writeFile(QStringLiteral("arbre.txt"), "ancien");
    QCOMPARE(::chmod("arbre.txt", 0444), 0);
    StdoutCapture out;
    try {
        tarnwickview::save_tree(&label, QStringLiteral("arbre.txt"));
        QFAIL("no error was raised");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(std::errc::permission_denied));
    }
    QCOMPARE(out.bytes(), QByteArray());
    QCOMPARE(readFile(QStringLiteral("arbre.txt")), QByteArray("ancien"));
}

void TestTree::readOnlyDirectoryStillAllowsRewritingItsFile()
{
    if (runningAsRoot())
        QSKIP("root writes regardless of permission bits");
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    QDir().mkdir(QStringLiteral("lecture"));
    writeFile(QStringLiteral("lecture/arbre.txt"), "ancien");
    QCOMPARE(::chmod("lecture", 0555), 0);
    StdoutCapture out;
    try {
        tarnwickview::save_tree(&label, QStringLiteral("lecture/arbre.txt"));
        tarnwickview::save_tree(&label, QStringLiteral("lecture/neuf.txt"));
        QFAIL("a new file was created in a read-only directory");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(std::errc::permission_denied));
    }
    ::chmod("lecture", 0755);
    QCOMPARE(readFile(QStringLiteral("lecture/arbre.txt")), QByteArray("QLabel  'x'"));
    QCOMPARE(out.bytes(), QStringLiteral("Arborescence sauvegardée → lecture/arbre.txt\n").toUtf8());
}

void TestTree::replacedFileKeepsWhatAPlainWriteKeeps_data()
{
    QTest::addColumn<bool>("qss");
    QTest::addColumn<QString>("file");
    for (const bool qss : {false, true}) {
        const char* writer = qss ? "generate_qss" : "save_tree";
        QTest::addRow("%s, second hard link", writer) << qss << "hard link";
        QTest::addRow("%s, owner and group", writer) << qss << "owner";
        QTest::addRow("%s, another user's file writable by its group", writer) << qss << "group member";
        QTest::addRow("%s, link to nothing yet", writer) << qss << "dangling link";
    }
}

void TestTree::replacedFileKeepsWhatAPlainWriteKeeps()
{
    QFETCH(bool, qss);
    QFETCH(QString, file);
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    const QString path = QStringLiteral("sortie.txt");
    if (file == "hard link") {
        writeFile(path, "ancien");
        QCOMPARE(::link("sortie.txt", "autre-nom.txt"), 0);
    } else if (file == "owner") {
        if (!runningAsRoot())
            QSKIP("only a privileged process may keep another user's file as it is");
        writeFile(path, "ancien");
        QCOMPARE(::chown("sortie.txt", 4321, 8765), 0);
    } else if (file == "group member") {
        if (!runningAsRoot())
            QSKIP("writing as another user needs a privileged process to switch users");
        writeFile(path, "ancien");
        QCOMPARE(::chown("sortie.txt", OTHER_OWNER, SHARED_GROUP), 0);
        QCOMPARE(::chmod("sortie.txt", 0664), 0);
        QCOMPARE(::chmod(".", 0777), 0);
    } else {
        QVERIFY(QFile::link(QStringLiteral("cible.txt"), path));
    }
    StdoutCapture out;
    if (file == "group member") {
        const int status = writeAsGroupMember([&] {
            if (qss)
                tarnwickview::generate_qss(&label, path);
            else
                tarnwickview::save_tree(&label, path);
        });
        if (status == CANNOT_SWITCH_USER)
            QSKIP("this process may not switch users");
        QCOMPARE(status, 0);
    } else if (qss) {
        tarnwickview::generate_qss(&label, path);
    } else {
        tarnwickview::save_tree(&label, path);
    }
    const QByteArray written = readFile(path);
    QVERIFY(written.startsWith(qss ? "/*" : "QLabel  'x'"));

    struct stat st = {};
    if (file == "hard link") {
        QCOMPARE(readFile(QStringLiteral("autre-nom.txt")), written);
        QCOMPARE(::stat("sortie.txt", &st), 0);
        QCOMPARE(st.st_nlink, nlink_t(2));
    } else if (file == "owner") {
        QCOMPARE(::stat("sortie.txt", &st), 0);
        QCOMPARE(st.st_uid, uid_t(4321));
        QCOMPARE(st.st_gid, gid_t(8765));
    } else if (file == "group member") {
        QCOMPARE(::stat("sortie.txt", &st), 0);
        QCOMPARE(st.st_uid, OTHER_OWNER);
        QCOMPARE(st.st_gid, SHARED_GROUP);
        QCOMPARE(st.st_mode & 07777, mode_t(0664));
    } else {
        QVERIFY(QFileInfo(path).isSymLink());
        QCOMPARE(readFile(QStringLiteral("cible.txt")), written);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot).size(),
             file == "owner" || file == "group member" ? 1 : 2);
}

void TestTree::pipeIsWrittenOnlyWhenSomeoneReads_data()
{
    QTest::addColumn<bool>("qss");
    QTest::addColumn<QString>("reader");
    QTest::addColumn<QByteArray>("received"); // empty: the call fails with ENXIO
    QTest::newRow("save_tree, no reader") << false << "none" << QByteArray();
    QTest::newRow("generate_qss, no reader") << true << "none" << QByteArray();
    QTest::newRow("save_tree, a reader") << false << "tube" << QByteArray("QLabel  'x'");
    QTest::newRow("generate_qss, a reader") << true << "tube" << QByteArray("/* ======");
    QTest::newRow("save_tree, standard output into a pipe")
        << false << "/dev/stdout"
        << QByteArray("QLabel  'x'Arborescence sauvegard\xc3\xa9"
                      "e \xe2\x86\x92 /dev/stdout\n");
}

void TestTree::pipeIsWrittenOnlyWhenSomeoneReads()
{
    QFETCH(bool, qss);
    QFETCH(QString, reader);
    QFETCH(QByteArray, received);
    QLabel label(QStringLiteral("x"));
    ScratchDirectory dir;
    QCOMPARE(::mkfifo("tube", 0600), 0);
    const int tube = reader == "tube" ? ::open("tube", O_RDONLY | O_NONBLOCK | O_CLOEXEC) : -1;
    int out[2];
    QCOMPARE(::pipe2(out, O_CLOEXEC | O_NONBLOCK), 0);
    std::fflush(stdout);
    const int savedStdout = ::dup(STDOUT_FILENO);
    ::dup2(out[1], STDOUT_FILENO);
    int error = 0;
    try {
        const QString path = reader == "/dev/stdout" ? reader : QStringLiteral("tube");
        qss ? tarnwickview::generate_qss(&label, path) : tarnwickview::save_tree(&label, path);
    } catch (const std::filesystem::filesystem_error& failure) {
        error = failure.code().value();
    }
    std::fflush(stdout);
    ::dup2(savedStdout, STDOUT_FILENO);
    ::close(savedStdout);
    ::close(out[1]);
    auto drain = [](int fd) {
        QByteArray bytes(1 << 16, '\0');
        const ssize_t n = ::read(fd, bytes.data(), size_t(bytes.size()));
        ::close(fd);
        return bytes.left(n < 0 ? 0 : n);
    };
    const QByteArray printed = drain(out[0]);
    QCOMPARE(error, received.isEmpty() ? ENXIO : 0);
    QVERIFY(received.isEmpty() ? printed.isEmpty()
                               : (tube >= 0 ? drain(tube) : printed).startsWith(received));
}

void TestTree::fullDiskLeavesFileRewrittenInPlaceWhole_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<int>("roomKiB");
    QTest::addColumn<bool>("written");
    QTest::newRow("second hard link") << "hard link" << 16 << false;
    QTest::newRow("folder without write permission") << "read-only folder" << 16 << false;
    QTest::newRow("another user's file in a sticky folder") << "sticky" << 16 << false;
    QTest::newRow("another user's file in a sticky folder, room for the text once") << "sticky" << 80 << true;
}

void TestTree::fullDiskLeavesFileRewrittenInPlaceWhole()
{
    QFETCH(QString, file);
    QFETCH(int, roomKiB);
    QFETCH(bool, written);
    if (!runningAsRoot())
        QSKIP("mounting a small disk and writing as another user need root");
    const QTemporaryDir disk;
    const QByteArray mountPoint = QFile::encodeName(disk.path());
    if (::mount("tmpfs", mountPoint.constData(), "tmpfs", 0, "size=1m") != 0)
        QSKIP("this process may not mount a file system");
    const auto unmount = qScopeGuard([&] { ::umount2(mountPoint.constData(), MNT_DETACH); });
    const QByteArray folder = mountPoint + "/d";
    const QByteArray path = folder + "/arbre.txt";
    const QByteArray previous(8 * 1024, 'a');
    QCOMPARE(::mkdir(folder.constData(), 0755), 0);
    writeFile(QFile::decodeName(path), previous);
    QCOMPARE(::chown(path.constData(), file == "sticky" ? OTHER_OWNER : GROUP_MEMBER, SHARED_GROUP), 0);
    QCOMPARE(::chmod(path.constData(), 0666), 0);
    QCOMPARE(::chmod(folder.constData(), file == "sticky" ? 01777 : 0555), 0);
    if (file == "hard link")
        QCOMPARE(::link(path.constData(), (mountPoint + "/lien").constData()), 0);
    // Everything but the room goes to a filler file.
    struct statvfs fs = {};
    QCOMPARE(::statvfs(mountPoint.constData(), &fs), 0);
    const int filler = ::open((mountPoint + "/plein").constData(), O_WRONLY | O_CREAT | O_CLOEXEC, 0600);
    QCOMPARE(::posix_fallocate(filler, 0, off_t(fs.f_bavail * fs.f_frsize) - roomKiB * 1024), 0);
    ::close(filler);

    QLabel label(QString(64 * 1024, u'x'));
    StdoutCapture out;
    const int status = writeAsGroupMember([&] { tarnwickview::save_tree(&label, QFile::decodeName(path)); });
    if (status == CANNOT_SWITCH_USER)
        QSKIP("this process may not switch users");
    QCOMPARE(status, written ? 0 : 1);
    QCOMPARE(readFile(QFile::decodeName(path)),
             written ? "QLabel  '" + QByteArray(64 * 1024, 'x') + "'" : previous);
}

QTEST_MAIN(TestTree)
#include "tst_tree.moc"
