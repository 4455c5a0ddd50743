// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include "test_support.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTest>

#include <filesystem>
#include <memory>
#include <stdexcept>
#include <system_error>

Q_DECLARE_METATYPE(std::errc)

class TitleLabel : public QLabel
{
    Q_OBJECT
};

// No run-time class information of its own.
class PlainButton : public QPushButton
{
};

namespace {

const QByteArray HEADER =
    "/* ================================================================ */\n"
    "/* QSS g\xc3\xa9n\xc3\xa9r\xc3\xa9 automatiquement par tarnwickview                      */\n"
    "/* D\xc3\xa9"
    "commentez et modifiez les propri\xc3\xa9t\xc3\xa9s que vous voulez utiliser  */\n"
    "/* ================================================================ */\n"
    "\n"
    "/* \xe2\x94\x80\xe2\x94\x80 Styles globaux par type de widget \xe2\x94\x80\xe2\x94\x80 */\n"
    "\n";

const QByteArray NAME_HEADER = "\n/* \xe2\x94\x80\xe2\x94\x80 Styles sp\xc3\xa9"
                               "cifiques par nom (#objectName) \xe2\x94\x80\xe2\x94\x80 */\n\n";

QByteArray nameBlock(const char* cls, const char* name)
{
    return QByteArray("/* ") + cls + " */\n#" + name +
           " {\n    /* background-color: ; */\n    /* color: ; */\n}\n";
}

template<typename W> W* add(QBoxLayout* layout, W* widget, const char* name = nullptr)
{
    if (name)
        widget->setObjectName(QString::fromUtf8(name));
    layout->addWidget(widget);
    return widget;
}

// What generate_qss wrote to `path`; the confirmation goes to `printed`.
QByteArray generate(QWidget* root, const QString& path, QByteArray* printed = nullptr)
{
    StdoutCapture out;
    tarnwickview::generate_qss(root, path);
    const QByteArray said = out.bytes();
    if (printed)
        *printed = said;
    return readFile(path);
}

} // namespace

class TestQss : public QObject
{
    Q_OBJECT

private slots:
    // Content.
    void documentedExampleIsWrittenExactly();
    void everyTemplateBlockIsWrittenExactly();
    void treeWithoutTemplatesOrNamesGivesHeadersOnly();
    void eachClassGetsOneBlockWhereFirstMet();
    void subclassesGetNoBlockButTheirOwnNameBlock();
    void namesAreNeitherFilteredNorMerged();
    void nullRootIsRejected();
    void eachNameBlockStylesExactlyItsWidget_data();
    void eachNameBlockStylesExactlyItsWidget();

    // Files.
    void missingDirectoriesAreCreated();
    void bareFileNameIsWrittenInCurrentDirectory();
    void secondCallLeavesOnlySecondFile();
    void fileErrorsCarryOsCode_data();
    void fileErrorsCarryOsCode();
    void failedWriteKeepsPreviousFile();
};

void TestQss::documentedExampleIsWrittenExactly()
{
    QWidget root;
    root.setObjectName(QStringLiteral("fenetre"));
    auto* layout = new QVBoxLayout(&root);
    add(layout, new QLabel, "titre");
    add(layout, new QPushButton);
    add(layout, new QPushButton, "btn_annuler");

    ScratchDirectory dir;
    QByteArray printed;
    const QByteArray file = generate(&root, QStringLiteral("style/style.qss"), &printed);
    QCOMPARE(file, HEADER +
                       "QLabel {\n"
                       "    /* color: ;\n"
                       "    font-size: px;\n"
                       "    font-weight: bold; */\n"
                       "}\n"
                       "\n"
                       "QPushButton {\n"
                       "    /* background-color: ;\n"
                       "    color: ;\n"
                       "    border-radius: px;\n"
                       "    padding: px px; */\n"
                       "}\n"
                       "QPushButton:hover {\n"
                       "    /* background-color: ; */\n"
                       "}\n"
                       "QPushButton:pressed {\n"
                       "    /* background-color: ; */\n"
                       "}\n"
                       "\n" +
                       NAME_HEADER + nameBlock("QWidget", "fenetre") + "\n" + nameBlock("QLabel", "titre") +
                       "\n" + nameBlock("QPushButton", "btn_annuler"));
    QCOMPARE(printed, QByteArray("Template QSS g\xc3\xa9n\xc3\xa9r\xc3\xa9 \xe2\x86\x92 style/style.qss\n"));
}

void TestQss::everyTemplateBlockIsWrittenExactly()
{
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    add(layout, new QPushButton);
    add(layout, new QLabel);
    add(layout, new QLineEdit);
    add(layout, new QComboBox);
    add(layout, new QCheckBox);
    add(layout, new QTabWidget);
    add(layout, new QScrollArea);
    add(layout, new QProgressBar);
    add(layout, new QSlider);
    add(layout, new QFrame);

    ScratchDirectory dir;
    const QByteArray file = generate(&root, QStringLiteral("t.qss"));
    // Qt's internal widgets carry object names, so a name section follows; only the type blocks
    // are compared here.
    const QByteArray types = file.left(file.indexOf(NAME_HEADER));
    QCOMPARE(types, HEADER + "QPushButton {\n"
                             "    /* background-color: ;\n"
                             "    color: ;\n"
                             "    border-radius: px;\n"
                             "    padding: px px; */\n"
                             "}\n"
                             "QPushButton:hover {\n"
                             "    /* background-color: ; */\n"
                             "}\n"
                             "QPushButton:pressed {\n"
                             "    /* background-color: ; */\n"
                             "}\n"
                             "\n"
                             "QLabel {\n"
                             "    /* color: ;\n"
                             "    font-size: px;\n"
                             "    font-weight: bold; */\n"
                             "}\n"
                             "\n"
                             "QLineEdit {\n"
                             "    /* background-color: ;\n"
                             "    border: 1px solid ;\n"
                             "    border-radius: px;\n"
                             "    padding: px; */\n"
                             "}\n"
                             "QLineEdit:focus {\n"
                             "    /* border-color: ; */\n"
                             "}\n"
                             "\n"
                             "QComboBox {\n"
                             "    /* background-color: ;\n"
                             "    border: 1px solid ;\n"
                             "    border-radius: px; */\n"
                             "}\n"
                             "\n"
                             "QCheckBox {\n"
                             "    /* color: ;\n"
                             "    spacing: px; */\n"
                             "}\n"
                             "\n"
                             "QTabWidget::pane {\n"
                             "    /* border: 1px solid ;\n"
                             "    background-color: ; */\n"
                             "}\n"
                             "QTabBar::tab {\n"
                             "    /* background-color: ;\n"
                             "    padding: px px;\n"
                             "    border-radius: px px 0 0; */\n"
                             "}\n"
                             "QTabBar::tab:selected {\n"
                             "    /* background-color: ; */\n"
                             "}\n"
                             "QTabBar::tab:hover {\n"
                             "    /* background-color: ; */\n"
                             "}\n"
                             "\n"
                             "QScrollArea {\n"
                             "    /* border: none; */\n"
                             "}\n"
                             "QScrollBar:vertical {\n"
                             "    /* width: px;\n"
                             "    background: ; */\n"
                             "}\n"
                             "QScrollBar::handle:vertical {\n"
                             "    /* background: ;\n"
                             "    border-radius: px; */\n"
                             "}\n"
                             "\n"
                             "QProgressBar {\n"
                             "    /* border: 1px solid ;\n"
                             "    border-radius: px;\n"
                             "    background-color: ; */\n"
                             "}\n"
                             "QProgressBar::chunk {\n"
                             "    /* background-color: ;\n"
                             "    border-radius: px; */\n"
                             "}\n"
                             "\n"
                             "QSlider::groove:horizontal {\n"
                             "    /* height: px;\n"
                             "    background: ; */\n"
                             "}\n"
                             "QSlider::handle:horizontal {\n"
                             "    /* width: px;\n"
                             "    background: ;\n"
                             "    border-radius: px; */\n"
                             "}\n"
                             "\n"
                             "QFrame {\n"
                             "    /* background-color: ;\n"
                             "    border: 1px solid ; */\n"
                             "}\n"
                             "\n");
}

void TestQss::treeWithoutTemplatesOrNamesGivesHeadersOnly()
{
    QWidget root;
    new QWidget(&root);
    ScratchDirectory dir;
    QCOMPARE(generate(&root, QStringLiteral("vide.qss")), HEADER.chopped(1));
}

void TestQss::eachClassGetsOneBlockWhereFirstMet()
{
    QFrame root;
    auto* layout = new QVBoxLayout(&root);
    for (int i = 0; i < 10; ++i)
        add(layout, new QPushButton);
    add(layout, new QLabel);

    ScratchDirectory dir;
    const QByteArray file = generate(&root, QStringLiteral("t.qss"));
    QCOMPARE(file.count("QPushButton {"), 1);
    const qsizetype frame = file.indexOf("QFrame {");
    const qsizetype button = file.indexOf("QPushButton {");
    const qsizetype label = file.indexOf("QLabel {");
    QVERIFY(frame == HEADER.size());
    QVERIFY(frame < button && button < label);
    QVERIFY(file.endsWith("font-weight: bold; */\n}\n"));
}

void TestQss::subclassesGetNoBlockButTheirOwnNameBlock()
{
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    add(layout, new TitleLabel, "grand");
    add(layout, new PlainButton, "simple");

    ScratchDirectory dir;
    QCOMPARE(generate(&root, QStringLiteral("t.qss")), HEADER + NAME_HEADER +
                                                           nameBlock("TitleLabel", "grand") + "\n" +
                                                           nameBlock("QPushButton", "simple"));
}

void TestQss::namesAreNeitherFilteredNorMerged()
{
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    add(layout, new QWidget, "double");
    add(layout, new QWidget, "double");
    add(layout, new QScrollArea);

    ScratchDirectory dir;
    const QByteArray file = generate(&root, QStringLiteral("t.qss"));
    QCOMPARE(file.count(nameBlock("QWidget", "double")), 2);
    QVERIFY(file.contains("\n#qt_scrollarea_viewport {\n"));
}

void TestQss::nullRootIsRejected()
{
    ScratchDirectory dir;
    StdoutCapture out;
    QVERIFY_THROWS_EXCEPTION(std::invalid_argument, tarnwickview::generate_qss(nullptr));
    QVERIFY(!QFile::exists(QStringLiteral("style")));
    QCOMPARE(out.bytes(), QByteArray());
}

void TestQss::eachNameBlockStylesExactlyItsWidget_data()
{
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("selector");
    QTest::newRow("space") << QStringList{"ok button", "ok"} << "#ok\\ button";
    QTest::newRow("dot") << QStringList{"main.title", "main"} << "#main\\.title";
    QTest::newRow("selector punctuation") << QStringList{"a>b,c:hover", "a", "c"} << "#a\\>b\\,c\\:hover";
    QTest::newRow("comment opener") << QStringList{"x/*y", "x"} << "#x\\/\\*y";
    QTest::newRow("quote and backslash") << QStringList{"dit\"x\\y", "dit"} << "#dit\\\"x\\\\y";
    QTest::newRow("Latin-1 letter") << QStringList{"r\u00e9glage", "rglage"} << "#r\\\u00e9glage";
    QTest::newRow("beyond Latin-1, kept") << QStringList{"\u540d\u524d"} << "#\u540d\u524d";
    QTest::newRow("plain identifiers, kept") << QStringList{"-x_1", "1er"} << "#-x_1";
    QTest::newRow("line feed") << QStringList{"deux\nlignes", "deux", "lignes"}
                               << "*[objectName=\"deux\\\nlignes\"]";
    QTest::newRow("carriage return and form feed")
        << QStringList{"a\r\fb", "a", "b"} << "*[objectName=\"a\\\r\\\fb\"]";
}

void TestQss::eachNameBlockStylesExactlyItsWidget()
{
    QFETCH(QStringList, names);
    QFETCH(QString, selector);
    QWidget root;
    auto* layout = new QVBoxLayout(&root);
    QList<QLabel*> labels;
    for (const QString& name : names)
        labels.append(add(layout, new QLabel(QStringLiteral("x")), name.toUtf8().constData()));
    auto* unnamed = add(layout, new QLabel(QStringLiteral("x")));
    const QColor untouched = unnamed->palette().color(QPalette::WindowText);

    ScratchDirectory dir;
    QString sheet = QString::fromUtf8(generate(&root, QStringLiteral("t.qss")));
    QVERIFY2(sheet.contains(u'\n' + selector + QStringLiteral(" {\n")), qPrintable(sheet));
    // Name blocks follow the widgets' order, the root's first; each gets a colour of its own.
    const QString placeholder = QStringLiteral("    /* color: ; */");
    for (qsizetype i = 0, at = 0; i < labels.size(); ++i) {
        at = sheet.indexOf(placeholder, at);
        QVERIFY(at >= 0);
        sheet.replace(at, placeholder.size(), QStringLiteral("    color: rgb(0, 0, %1);").arg(i + 1));
    }
    root.setStyleSheet(sheet);
    for (qsizetype i = 0; i < labels.size(); ++i) {
        labels[i]->ensurePolished();
        QCOMPARE(labels[i]->palette().color(QPalette::WindowText), QColor(0, 0, int(i + 1)));
    }
    unnamed->ensurePolished();
    QCOMPARE(unnamed->palette().color(QPalette::WindowText), untouched);
}

void TestQss::missingDirectoriesAreCreated()
{
    QLabel label;
    ScratchDirectory dir;
    QByteArray printed;
    QVERIFY(generate(&label, QStringLiteral("a/b/c.qss"), &printed).startsWith(HEADER + "QLabel {"));
    QCOMPARE(printed, QByteArray("Template QSS g\xc3\xa9n\xc3\xa9r\xc3\xa9 \xe2\x86\x92 a/b/c.qss\n"));
    QVERIFY(generate(&label, QStringLiteral("a/b/d.qss")).startsWith(HEADER));
}

void TestQss::bareFileNameIsWrittenInCurrentDirectory()
{
    QWidget root;
    ScratchDirectory dir;
    QByteArray printed;
    QCOMPARE(generate(&root, QStringLiteral("theme.qss"), &printed), HEADER.chopped(1));
    QCOMPARE(printed, QByteArray("Template QSS g\xc3\xa9n\xc3\xa9r\xc3\xa9 \xe2\x86\x92 theme.qss\n"));
}

void TestQss::secondCallLeavesOnlySecondFile()
{
    QWidget big;
    auto* layout = new QVBoxLayout(&big);
    add(layout, new QPushButton, "b");
    QWidget small;
    ScratchDirectory dir;
    generate(&big, QStringLiteral("style/style.qss"));
    QCOMPARE(generate(&small, QStringLiteral("style/style.qss")), HEADER.chopped(1));
    QCOMPARE(QDir(QStringLiteral("style")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("style.qss")});
}

void TestQss::fileErrorsCarryOsCode_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<std::errc>("code");
    QTest::newRow("path is a directory") << QStringLiteral("dossier") << std::errc::is_a_directory;
    QTest::newRow("directory part is a file")
        << QStringLiteral("fichier/t.qss") << std::errc::not_a_directory;
    QTest::newRow("parent of directory part is a file")
        << QStringLiteral("fichier/sous/t.qss") << std::errc::not_a_directory;
}

void TestQss::fileErrorsCarryOsCode()
{
    QFETCH(QString, path);
    QFETCH(std::errc, code);
    QLabel label;
    ScratchDirectory dir;
    QDir().mkdir(QStringLiteral("dossier"));
    writeFile(QStringLiteral("fichier"), "garde");
    StdoutCapture out;
    try {
        tarnwickview::generate_qss(&label, path);
        QFAIL("no error was raised");
    } catch (const std::filesystem::filesystem_error& error) {
        QCOMPARE(error.code(), std::make_error_code(code));
        QVERIFY(path.startsWith(QString::fromStdString(error.path1().string())));
    }
    QCOMPARE(out.bytes(), QByteArray());
    QCOMPARE(readFile(QStringLiteral("fichier")), QByteArray("garde"));
}

void TestQss::failedWriteKeepsPreviousFile()
{
    QLabel label;
    ScratchDirectory dir;
    QDir().mkdir(QStringLiteral("style"));
    writeFile(QStringLiteral("style/style.qss"), "ancien");
    StdoutCapture out;
    {
        const FileSizeLimit limit(64);
        try {
            tarnwickview::generate_qss(&label);
            QFAIL("no error was raised");
        } catch (const std::filesystem::filesystem_error& error) {
            QCOMPARE(error.code(), std::make_error_code(std::errc::file_too_large));
            QCOMPARE(QString::fromStdString(error.path1().string()), QStringLiteral("style/style.qss"));
        }
        QVERIFY_THROWS_EXCEPTION(std::filesystem::filesystem_error,
                                 tarnwickview::generate_qss(&label, QStringLiteral("neuf/sous/t.qss")));
    }
    QVERIFY(!QFile::exists(QStringLiteral("neuf")));
    QCOMPARE(out.bytes(), QByteArray());
    QCOMPARE(readFile(QStringLiteral("style/style.qss")), QByteArray("ancien"));
    QCOMPARE(QDir(QStringLiteral("style")).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot),
             QStringList{QStringLiteral("style.qss")});
}

QTEST_MAIN(TestQss)
#include "tst_qss.moc"
