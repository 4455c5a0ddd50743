// SPDX-License-Identifier: MIT
#pragma once

// What the tests of the inspector window share: a window of the kind applications build, and
// reading and driving the inspector as a user would.

#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QStatusBar>
#include <QTabWidget>
#include <QTableWidget>
#include <QTest>
#include <QTreeWidget>

#include <memory>

// A main window of the kind applications build: menu and status bars, a central widget whose
// column holds a label, a row of buttons, tabs, a scroll area and a table.
struct InspectedWindow
{
    std::unique_ptr<QMainWindow> window = std::make_unique<QMainWindow>();
    QPushButton* ok = nullptr;
    QTabWidget* tabs = nullptr;
    QScrollArea* scroll = nullptr;
    QLabel* lastLine = nullptr;
    QTableWidget* table = nullptr;
    QWidget* central = nullptr;

    InspectedWindow()
    {
        window->setWindowTitle(QStringLiteral("Fenêtre test"));
        window->menuBar()->addMenu(QStringLiteral("Fichier"));
        central = new QWidget;
        central->setObjectName(QStringLiteral("central"));
        auto* column = new QVBoxLayout(central);

        auto* title = new QLabel(QStringLiteral("Titre"));
        title->setObjectName(QStringLiteral("titre"));
        column->addWidget(title);

        auto* row = new QHBoxLayout;
        column->addLayout(row);
        ok = new QPushButton(QStringLiteral("Valider"));
        ok->setObjectName(QStringLiteral("valider"));
        row->addWidget(ok);
        row->addWidget(new QPushButton(QStringLiteral("Annuler")));

        tabs = new QTabWidget;
        tabs->setObjectName(QStringLiteral("onglets"));
        auto* general = new QWidget;
        auto* page = new QVBoxLayout(general);
        page->addWidget(new QCheckBox(QStringLiteral("Actif")));
        auto* edit = new QLineEdit;
        edit->setPlaceholderText(QStringLiteral("Nom"));
        page->addWidget(edit);
        tabs->addTab(general, QStringLiteral("Général"));
        auto* combo = new QComboBox;
        combo->addItems({QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")});
        tabs->addTab(combo, QStringLiteral("Avancé"));
        column->addWidget(tabs);

        scroll = new QScrollArea;
        scroll->setObjectName(QStringLiteral("defilement"));
        scroll->setWidgetResizable(true);
        auto* content = new QWidget;
        auto* lines = new QVBoxLayout(content);
        for (int i = 1; i <= 3; ++i) {
            lastLine = new QLabel(QStringLiteral("Ligne %1").arg(i));
            lastLine->setMinimumHeight(300);
            lines->addWidget(lastLine);
        }
        lastLine->setObjectName(QStringLiteral("derniere"));
        scroll->setWidget(content);
        column->addWidget(scroll);

        table = new QTableWidget(3, 2);
        column->addWidget(table);

        window->setCentralWidget(central);
        window->statusBar();
        window->resize(800, 600);
    }

    QMainWindow* get() const { return window.get(); }

    void show() const
    {
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
};

// The tree as the view shows it, drawn with the connectors of the text tree.
inline void appendItem(QString& text, const QTreeWidgetItem* item, QString& prefix, bool isLast)
{
    text += QLatin1Char('\n');
    text += prefix;
    text += isLast ? QStringView(u"└─ ") : QStringView(u"├─ ");
    text += item->text(0);
    prefix += isLast ? QStringView(u"   ") : QStringView(u"│  ");
    for (int i = 0; i < item->childCount(); ++i)
        appendItem(text, item->child(i), prefix, i == item->childCount() - 1);
    prefix.chop(3);
}

inline QString viewText(const QTreeWidget* tree)
{
    if (tree->topLevelItemCount() != 1)
        return QStringLiteral("<%1 top-level items>").arg(tree->topLevelItemCount());
    const QTreeWidgetItem* top = tree->topLevelItem(0);
    QString text = top->text(0);
    QString prefix;
    for (int i = 0; i < top->childCount(); ++i)
        appendItem(text, top->child(i), prefix, i == top->childCount() - 1);
    return text;
}

// Whether `window` became active. An X server may keep a program's own request to activate one of
// its windows from taking effect once another of its windows is active: only a user's event
// would then activate it.
inline bool activate(QWidget* window)
{
    window->activateWindow();
    return QTest::qWaitForWindowActive(window);
}

// In a test function: activates `window`, or skips the test where only the window system kept it
// inactive.
#define ACTIVATE_OR_SKIP(window)                                                                             \
    do {                                                                                                     \
        if (!activate(window)) {                                                                             \
            QVERIFY2(QGuiApplication::platformName() != QLatin1String("offscreen"), "not activated");        \
            QSKIP("the window system kept the window inactive");                                             \
        }                                                                                                    \
    } while (false)

inline QTreeWidget* treeOf(QWidget* inspector)
{
    return inspector->findChild<QTreeWidget*>(QStringLiteral("tree"));
}

inline QString textOf(QWidget* inspector, const char* name)
{
    const auto* label = inspector->findChild<QLabel*>(QLatin1String(name));
    return label ? label->text() : QStringLiteral("<no %1>").arg(QLatin1String(name));
}

inline void click(QWidget* inspector, const char* button)
{
    auto* target = inspector->findChild<QPushButton*>(QLatin1String(button));
    QVERIFY2(target, button);
    QTest::mouseClick(target, Qt::LeftButton);
}

// Clicks the row whose text is `label`, as a user picks a node.
inline void selectNode(QWidget* inspector, const QString& label)
{
    QTreeWidget* tree = treeOf(inspector);
    const QList<QTreeWidgetItem*> found = tree->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
    QCOMPARE(found.size(), 1);
    tree->scrollToItem(found.first());
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, tree->visualItemRect(found.first()).center());
    QCOMPARE(tree->currentItem(), found.first());
}

// The selection highlights shown on the screen, whichever inspector made them.
inline QList<QWidget*> shownHighlights(const QString& name = QStringLiteral("tarnwickview_highlight"))
{
    QList<QWidget*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == name && widget->isVisible())
            result.append(widget);
    }
    return result;
}

// The selection highlight of any inspector, shown or not.
inline QWidget* anyHighlight()
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("tarnwickview_highlight"))
            return widget;
    }
    return nullptr;
}

// Where `widget` is on the screen.
inline QRect screenArea(const QWidget* widget)
{
    return QRect(widget->mapToGlobal(QPoint(0, 0)), widget->size());
}

inline QList<QWidget*> openInspectors()
{
    QList<QWidget*> result;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String("tarnwickview_inspector"))
            result.append(widget);
    }
    return result;
}
