// SPDX-License-Identifier: MIT
#include "style_rule_p.h"

#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QRadioButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabWidget>
#include <QTest>
#include <QTextEdit>
#include <QToolBar>
#include <QTreeWidget>

#include <functional>
#include <memory>

using WindowFactory = std::function<QWidget*()>;
Q_DECLARE_METATYPE(WindowFactory)

namespace {

const QColor MARK(0x12, 0x34, 0x56);

// A sign-in dialog: a form of unnamed fields told apart by their echo mode.
QWidget* signInDialog()
{
    auto* dialog = new QDialog;
    dialog->setObjectName(QStringLiteral("connexion"));
    auto* form = new QFormLayout(dialog);
    form->addRow(QStringLiteral("Utilisateur :"), new QLineEdit);
    auto* password = new QLineEdit;
    password->setEchoMode(QLineEdit::Password);
    form->addRow(QStringLiteral("Mot de passe :"), password);
    form->addRow(new QCheckBox(QStringLiteral("Se souvenir de moi")));
    form->addRow(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel));
    return dialog;
}

// Settings pages whose contents reuse the same object names on every page.
QWidget* settingsWindow()
{
    auto* window = new QWidget;
    window->setObjectName(QStringLiteral("Form"));
    auto* column = new QVBoxLayout(window);
    auto* tabs = new QTabWidget;
    column->addWidget(tabs);
    for (const QString& title : {QStringLiteral("Général"), QStringLiteral("Avancé")}) {
        auto* page = new QWidget;
        page->setObjectName(title == QStringLiteral("Général") ? QStringLiteral("general")
                                                               : QStringLiteral("avance"));
        auto* rows = new QVBoxLayout(page);
        auto* label = new QLabel(title + QStringLiteral(" :"));
        label->setObjectName(QStringLiteral("libelle"));
        rows->addWidget(label);
        rows->addWidget(new QSpinBox);
        tabs->addTab(page, title);
    }
    auto* network = new QGroupBox(QStringLiteral("Réseau"));
    auto* choices = new QVBoxLayout(network);
    choices->addWidget(new QRadioButton(QStringLiteral("Direct")));
    choices->addWidget(new QRadioButton(QStringLiteral("Mandataire")));
    column->addWidget(network);
    return window;
}

// A main window with a menu, a tool bar of actions, two views and a status bar.
QWidget* editorWindow()
{
    auto* window = new QMainWindow;
    window->menuBar()->addMenu(QStringLiteral("Fichier"));
    QToolBar* tools = window->addToolBar(QStringLiteral("Outils"));
    tools->addAction(QStringLiteral("Ouvrir"));
    tools->addAction(QStringLiteral("Enregistrer"));
    auto* central = new QWidget;
    auto* row = new QHBoxLayout(central);
    row->addWidget(new QTreeWidget);
    row->addWidget(new QTextEdit);
    window->setCentralWidget(central);
    window->statusBar()->addWidget(new QLabel(QStringLiteral("Prêt")));
    return window;
}

} // namespace

class TestExactSelector : public QObject
{
    Q_OBJECT

private slots:
    void selectorPicksOneWidget_data()
    {
        QTest::addColumn<WindowFactory>("make");
        QTest::newRow("sign-in dialog") << WindowFactory(signInDialog);
        QTest::newRow("settings with repeated names") << WindowFactory(settingsWindow);
        QTest::newRow("main window") << WindowFactory(editorWindow);
    }

    // For every widget of the window, a colour set through the offered selector reaches that
    // widget and no other.
    void selectorPicksOneWidget()
    {
        QFETCH(WindowFactory, make);
        const std::unique_ptr<QWidget> window(make());
        QList<QWidget*> widgets{window.get()};
        widgets += window->findChildren<QWidget*>();
        QVERIFY(widgets.size() > 5);
        for (QWidget* target : widgets) {
            const QString selector = tarnwickview::detail::exactSelector(target, window.get());
            QVERIFY2(!selector.isEmpty(), target->metaObject()->className());
            window->setStyleSheet(selector + QStringLiteral(" { color: #123456; }"));
            for (QWidget* widget : widgets) {
                widget->ensurePolished();
                const bool marked = widget->palette().color(widget->foregroundRole()) == MARK;
                // Qt styles the parts a widget is made of ("qt_" children) with it.
                const bool part = widget->parentWidget() == target &&
                                  widget->objectName().startsWith(QLatin1StringView("qt_"));
                // Qt's own parts take their palette from the widget they belong to, not from a rule.
                const bool ownPart = target->objectName().startsWith(QLatin1StringView("qt_"));
                QVERIFY2(
                    widget == target ? marked || ownPart : !marked || part,
                    qPrintable(selector + QStringLiteral(" reaches ") + widget->metaObject()->className()));
            }
        }
    }

    void selectorsReadAsWritten_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("selector");
        QTest::newRow("unique name") << QStringLiteral("connexion/QCheckBox")
                                     << QStringLiteral("#connexion > QCheckBox");
        QTest::newRow("twin fields") << QStringLiteral("connexion/QLineEdit#1")
                                     << QStringLiteral("#connexion > QLineEdit[echoMode=\"Password\"]");
    }

    void selectorsReadAsWritten()
    {
        QFETCH(QString, path);
        QFETCH(QString, selector);
        const std::unique_ptr<QWidget> window(signInDialog());
        const QString className = path.section(u'/', 1).section(u'#', 0, 0);
        const int index = path.section(u'#', 1).toInt();
        QList<QWidget*> matching;
        for (QWidget* child : window->findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
            if (QLatin1StringView(child->metaObject()->className()) == className)
                matching.append(child);
        }
        QCOMPARE(tarnwickview::detail::exactSelector(matching.value(index), window.get()), selector);
    }
};

QTEST_MAIN(TestExactSelector)
#include "tst_exact_selector.moc"
