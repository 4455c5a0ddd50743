// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBlock>
#include <QTreeWidget>

#include <memory>

namespace {

const QString SHEET = QStringLiteral("QPushButton { color: red; padding: 2px }\n"
                                     "QPushButton:hover { color: blue }\n"
                                     "#valider { color: green }\n"
                                     "QSlider { color: black }\n");

// A window whose sheet styles its buttons, with the inspector open on the "Règles" tab.
struct Inspected
{
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    QPushButton* ok = new QPushButton(QStringLiteral("Valider"));
    QPointer<QWidget> inspector;

    Inspected()
    {
        root->setObjectName(QStringLiteral("racine"));
        root->setStyleSheet(SHEET);
        auto* column = new QVBoxLayout(root.get());
        ok->setObjectName(QStringLiteral("valider"));
        column->addWidget(ok);
        column->addWidget(new QLabel(QStringLiteral("Texte")));
        root->show();
        if (!QTest::qWaitForWindowExposed(root.get()))
            qFatal("window not exposed");
        inspector = tarnwickview::open_inspector(root.get());
        inspector->activateWindow();
        if (!QTest::qWaitForWindowActive(inspector))
            qFatal("inspector not active");
        auto* pages = part<QTabWidget>("details_pages");
        for (int i = 0; i < pages->count(); ++i) {
            if (pages->tabText(i) == QStringLiteral("Règles"))
                pages->setCurrentIndex(i);
        }
        select(QStringLiteral("QPushButton  'Valider'  [#valider]"));
    }
    ~Inspected()
    {
        if (inspector)
            inspector->close();
    }
    Inspected(const Inspected&) = delete;
    Inspected& operator=(const Inspected&) = delete;

    template<typename T> T* part(const char* name) const
    {
        auto* found = inspector->findChild<T*>(QLatin1String(name));
        if (!found)
            qFatal("no %s in the inspector", name);
        return found;
    }

    void select(const QString& label) const
    {
        auto* tree = part<QTreeWidget>("tree");
        const QList<QTreeWidgetItem*> found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        tree->setCurrentItem(found.first());
    }

    QTreeWidgetItem* row(const QString& text) const
    {
        const QList<QTreeWidgetItem*> found =
            part<QTreeWidget>("style_rules")->findItems(text, Qt::MatchExactly | Qt::MatchRecursive);
        return found.size() == 1 ? found.first() : nullptr;
    }
};

} // namespace

class TestRulesPanel : public QObject
{
    Q_OBJECT

private slots:
    void rowsShowHowEachDeclarationFares_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("struck");
        QTest::addColumn<bool>("muted");
        QTest::newRow("overridden by the id") << "color: red" << true << false;
        QTest::newRow("applied") << "padding: 2px" << false << false;
        QTest::newRow("conditional and overridden") << "color: blue" << true << true;
        QTest::newRow("conditional rule") << QString::fromUtf8("ligne 2 : QPushButton:hover — spécificité (0,1,1) — si :hover")
                                          << false << true;
        QTest::newRow("winner") << "color: green" << false << false;
    }

    void rowsShowHowEachDeclarationFares()
    {
        QFETCH(QString, text);
        QFETCH(bool, struck);
        QFETCH(bool, muted);
        Inspected inspected;
        const QTreeWidgetItem* item = inspected.row(text);
        QVERIFY(item);
        QCOMPARE(item->font(0).strikeOut(), struck);
        QCOMPARE(item->foreground(0).style() != Qt::NoBrush, muted);
    }

    void clickOnRuleMovesEditorCursor()
    {
        Inspected inspected;
        auto* rules = inspected.part<QTreeWidget>("style_rules");
        QTreeWidgetItem* item = inspected.row(QString::fromUtf8("ligne 3 : #valider — spécificité (1,0,0)"));
        QVERIFY(item);
        rules->scrollToItem(item);
        QTest::mouseClick(rules->viewport(), Qt::LeftButton, {}, rules->visualItemRect(item).center());
        auto* editor = inspected.part<QPlainTextEdit>("style_sheet");
        QCOMPARE(editor->textCursor().blockNumber(), 2);
        QCOMPARE(editor->textCursor().positionInBlock(), 0);
        QVERIFY(editor->hasFocus());
    }

    void appliedEditRefreshesRulesAndDiagnostics()
    {
        Inspected inspected;
        auto* diagnostics = inspected.part<QPlainTextEdit>("style_diagnostics");
        QCOMPARE(diagnostics->toPlainText(), QString::fromUtf8("Feuille de style de QWidget  [#racine]\n"
                                                               "  règle sans effet ligne 4 : QSlider"));
        auto* editor = inspected.part<QPlainTextEdit>("style_sheet");
        editor->moveCursor(QTextCursor::End);
        editor->insertPlainText(QStringLiteral("QPushButton#valider { color: navy }\nQLabel { color: "));
        QTRY_VERIFY(inspected.row(QStringLiteral("color: navy")));
        QVERIFY(inspected.row(QStringLiteral("color: green"))->font(0).strikeOut());
        QTRY_COMPARE(diagnostics->toPlainText(),
                     QString::fromUtf8("Feuille de style de QWidget  [#racine]\n"
                                       "  erreur ligne 6, colonne 16 : on attendait une valeur\n"
                                       "  erreur ligne 6, colonne 17 : on attendait « } »\n"
                                       "  règle sans effet ligne 4 : QSlider"));
    }
};

QTEST_MAIN(TestRulesPanel)
#include "tst_rules_panel.moc"
