// SPDX-License-Identifier: MIT
#include <tarnwickview/tarnwickview.h>

#include <QApplication>
#include <QBoxLayout>
#include <QClipboard>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QStyleOptionViewItem>
#include <QTabWidget>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <memory>

namespace demo {

// A class in a namespace: its label shows "Panneau", its class name is "demo::Panneau". Its
// properties announce no change, and it counts how often the inspector reads them.
class Panneau : public QWidget
{
    Q_OBJECT
    Q_PROPERTY(double ratio MEMBER ratio)
    Q_PROPERTY(int rowCount MEMBER rowCount)
    Q_PROPERTY(QRect zone MEMBER zone)
    Q_PROPERTY(QColor tint MEMBER tint)
    Q_PROPERTY(int reads READ countRead)

public:
    double ratio = 0.5;
    int rowCount = 3;
    QRect zone;
    QColor tint;
    mutable int reads = 0;

    int countRead() const { return ++reads; }
};

} // namespace demo

namespace {

// A small window: a row of buttons in a box layout with stretches, a nested layout and spaces, a
// panel of a namespaced class, with a space in its name and a grid, and a spin box:
//   QWidget  [#racine]
//   ├─ QLabel  'Titre'  [#titre]
//   ├─ QWidget  [#ligne]
//   │  ├─ QPushButton  'Valider'  [#valider]
//   │  └─ QPushButton  'Annuler'
//   ├─ Panneau  [#mon bouton]
//   │  └─ QLabel  'A'
//   └─ QDoubleSpinBox  [#nombre]
//      └─ QLineEdit  [#qt_spinbox_lineedit]
struct Inspected
{
    std::unique_ptr<QWidget> root = std::make_unique<QWidget>();
    QWidget* row = new QWidget;
    QPushButton* ok = new QPushButton(QStringLiteral("Valider"));
    QPushButton* cancel = new QPushButton(QStringLiteral("Annuler"));
    demo::Panneau* panel = new demo::Panneau;
    QDoubleSpinBox* number = new QDoubleSpinBox;
    QWidget* inspector = nullptr;

    Inspected()
    {
        root->setObjectName(QStringLiteral("racine"));
        auto* column = new QVBoxLayout(root.get());
        auto* title = new QLabel(QStringLiteral("Titre"));
        title->setObjectName(QStringLiteral("titre"));
        column->addWidget(title);
        row->setObjectName(QStringLiteral("ligne"));
        auto* buttons = new QHBoxLayout(row);
        buttons->setContentsMargins(1, 2, 3, 4);
        buttons->setSpacing(5);
        ok->setObjectName(QStringLiteral("valider"));
        buttons->addWidget(ok, 2);
        buttons->addStretch(1);
        auto* nested = new QVBoxLayout;
        nested->addWidget(cancel);
        buttons->addLayout(nested);
        buttons->addSpacing(7);
        column->addWidget(row);
        panel->setObjectName(QStringLiteral("mon bouton"));
        auto* grid = new QGridLayout(panel);
        grid->setHorizontalSpacing(3);
        grid->setVerticalSpacing(8);
        grid->addWidget(new QLabel(QStringLiteral("A")), 0, 1);
        grid->setColumnStretch(1, 4);
        column->addWidget(panel);
        number->setObjectName(QStringLiteral("nombre"));
        column->addWidget(number);
        root->show();
        if (!QTest::qWaitForWindowExposed(root.get()))
            qFatal("window not exposed");
        inspector = tarnwickview::open_inspector(root.get());
        // Editors and the style sheet take the keyboard focus, which only an active window has.
        inspector->activateWindow();
        if (!QTest::qWaitForWindowActive(inspector))
            qFatal("inspector not active");
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
    QTreeWidget* tree() const { return part<QTreeWidget>("tree"); }
    QTreeWidget* properties() const { return part<QTreeWidget>("properties"); }
    QString text(const char* label) const { return part<QLabel>(label)->text(); }

    void select(QWidget* widget) const
    {
        const QString label = labelOf(widget);
        const QList<QTreeWidgetItem*> found = tree()->findItems(label, Qt::MatchExactly | Qt::MatchRecursive);
        QCOMPARE(found.size(), 1);
        tree()->scrollToItem(found.first());
        QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                          tree()->visualItemRect(found.first()).center());
        QCOMPARE(tree()->currentItem(), found.first());
    }

    // The first line of a tree is the label of its root.
    static QString labelOf(QWidget* widget)
    {
        const QString tree = tarnwickview::get_tree(widget);
        return tree.left(tree.indexOf(u'\n'));
    }

    // The row of `property` in the table, under the group of the class that declares it.
    QTreeWidgetItem* property(const QString& name) const
    {
        const QList<QTreeWidgetItem*> found =
            properties()->findItems(name, Qt::MatchExactly | Qt::MatchRecursive, 0);
        if (found.isEmpty())
            qFatal("no property %s", qPrintable(name));
        return found.first();
    }
};

// The rows a user sees: those not hidden and under no hidden row, in tree order.
QStringList visibleRows(const QTreeWidget* tree)
{
    QStringList rows;
    for (QTreeWidgetItemIterator it(const_cast<QTreeWidget*>(tree)); *it; ++it) {
        bool shown = true;
        for (const QTreeWidgetItem* item = *it; item && shown; item = item->parent())
            shown = !item->isHidden();
        if (shown)
            rows.append((*it)->text(0));
    }
    return rows;
}

} // namespace

class TestInspectorPanels : public QObject
{
    Q_OBJECT

private slots:
    void filterShowsMatchesWithTheirAncestors_data();
    void filterShowsMatchesWithTheirAncestors();
    void filterHoldsWhileTreeChanges_data();
    void filterHoldsWhileTreeChanges();
    void liveUpdateWithoutFilterKeepsScrolling();

    void editedPropertyReachesWidget_data();
    void editedPropertyReachesWidget();
    void propertiesAreGroupedAndReadOnlyOnesGreyed_data();
    void propertiesAreGroupedAndReadOnlyOnesGreyed();
    void propertyValuesFollowWidget();
    void editorWritesOnlyWhatWasTyped_data();
    void editorWritesOnlyWhatWasTyped();
    void detailsFollowSelectedWidget_data();
    void detailsFollowSelectedWidget();
    void burstOfChangesIsReadOnce();

    void layoutPageDescribesSelectedLayout_data();
    void layoutPageDescribesSelectedLayout();

    void ruleButtonAddsRuleAndCopiesSelector_data();
    void ruleButtonAddsRuleAndCopiesSelector();
};

void TestInspectorPanels::filterShowsMatchesWithTheirAncestors_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QStringList>("expected");
    const QString root = QStringLiteral("QWidget  [#racine]");
    const QString row = QStringLiteral("QWidget  [#ligne]");
    const QString ok = QStringLiteral("QPushButton  'Valider'  [#valider]");
    const QString cancel = QStringLiteral("QPushButton  'Annuler'");
    QTest::newRow("object name") << QStringLiteral("VALIDER") << QStringList{root, row, ok};
    QTest::newRow("label text only") << QStringLiteral("annul") << QStringList{root, row, cancel};
    QTest::newRow("class, case aside") << QStringLiteral("pushbutton") << QStringList{root, row, ok, cancel};
    QTest::newRow("namespace of the class")
        << QStringLiteral("demo::") << QStringList{root, QStringLiteral("Panneau  [#mon bouton]")};
    QTest::newRow("ancestor matching keeps its own children hidden")
        << QStringLiteral("ligne") << QStringList{root, row};
    QTest::newRow("nothing") << QStringLiteral("introuvable") << QStringList{};
}

void TestInspectorPanels::filterShowsMatchesWithTheirAncestors()
{
    QFETCH(QString, typed);
    QFETCH(QStringList, expected);
    Inspected inspected;
    const QStringList everything = visibleRows(inspected.tree());
    QCOMPARE(everything.size(), 9);
    auto* field = inspected.part<QLineEdit>("tree_filter");
    QCOMPARE(field->placeholderText(), QStringLiteral("Rechercher…"));

    QTest::keyClicks(field, typed);
    QCOMPARE(visibleRows(inspected.tree()), expected);

    field->selectAll();
    QTest::keyClick(field, Qt::Key_Backspace);
    QCOMPARE(visibleRows(inspected.tree()), everything);
}

void TestInspectorPanels::filterHoldsWhileTreeChanges_data()
{
    QTest::addColumn<QString>("change");
    QTest::addColumn<bool>("clickRefresh");
    QTest::addColumn<QStringList>("expected");
    const QString root = QStringLiteral("QWidget  [#racine]");
    const QString row = QStringLiteral("QWidget  [#ligne]");
    const QString cancel = QStringLiteral("QPushButton  'Annuler'");
    const QString added = QStringLiteral("QPushButton  'Annuler tout'");
    QTest::newRow("widget added, Actualiser") << "add" << true << QStringList{root, row, added, cancel};
    QTest::newRow("widget added, followed live") << "add" << false << QStringList{root, row, added, cancel};
    QTest::newRow("renamed into the filter")
        << "rename" << false
        << QStringList{root, QStringLiteral("QLabel  'Titre'  [#annuler-titre]"), row, cancel};
    QTest::newRow("relabelled out of the filter") << "relabel" << false << QStringList{};
}

void TestInspectorPanels::filterHoldsWhileTreeChanges()
{
    QFETCH(QString, change);
    QFETCH(bool, clickRefresh);
    QFETCH(QStringList, expected);
    Inspected inspected;
    QTest::keyClicks(inspected.part<QLineEdit>("tree_filter"), QStringLiteral("annuler"));
    if (change == QLatin1String("add"))
        inspected.row->layout()->addWidget(new QPushButton(QStringLiteral("Annuler tout")));
    else if (change == QLatin1String("rename"))
        inspected.root->findChild<QLabel*>(QStringLiteral("titre"))
            ->setObjectName(QStringLiteral("annuler-titre"));
    else
        inspected.cancel->setText(QStringLiteral("Fermer"));

    if (clickRefresh) {
        QTest::mouseClick(inspected.part<QPushButton>("refresh"), Qt::LeftButton);
        QCOMPARE(visibleRows(inspected.tree()), expected);
    } else {
        QTRY_COMPARE(visibleRows(inspected.tree()), expected);
    }
}

void TestInspectorPanels::liveUpdateWithoutFilterKeepsScrolling()
{
    Inspected inspected;
    for (int i = 0; i < 80; ++i)
        inspected.row->layout()->addWidget(new QLabel(QStringLiteral("Ligne %1").arg(i)));
    QTest::mouseClick(inspected.part<QPushButton>("refresh"), Qt::LeftButton);
    inspected.select(inspected.ok);
    QScrollBar* bar = inspected.tree()->verticalScrollBar();
    QVERIFY(bar->maximum() > 0);
    bar->setValue(bar->maximum());

    inspected.ok->setText(QStringLiteral("OK"));
    QTRY_COMPARE(inspected.tree()->currentItem()->text(0), QStringLiteral("QPushButton  'OK'  [#valider]"));
    QCOMPARE(bar->value(), bar->maximum());
}

// Opens the editor of `property` and presses Return; types `typed` over the whole value first
// unless it is null.
void editProperty(const Inspected& inspected, const QString& property, const QString& typed)
{
    inspected.part<QTabWidget>("details_pages")->setCurrentIndex(1);
    QTreeWidget* table = inspected.properties();
    QTreeWidgetItem* row = inspected.property(property);
    table->scrollToItem(row);
    const QRect rowRect = table->visualItemRect(row);
    QTest::mouseClick(table->viewport(), Qt::LeftButton, {},
                      QPoint(table->columnViewportPosition(1) + 4, rowRect.center().y()));
    QTest::keyClick(table, Qt::Key_F2);
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != table);
    if (!typed.isNull() && !qobject_cast<QComboBox*>(editor))
        QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(editor, typed);
    QTest::keyClick(editor, Qt::Key_Return);
    QTRY_COMPARE(QApplication::focusWidget(), table);
}

void TestInspectorPanels::editedPropertyReachesWidget_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("typed"); // empty: click the check box; an enumeration is typed in a list
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QString>("shown");
    QTest::newRow("bool") << "valider"
                          << "checkable"
                          << ""
                          << "true"
                          << "oui";
    QTest::newRow("int") << "valider"
                         << "autoRepeatDelay"
                         << "450"
                         << "450"
                         << "450";
    QTest::newRow("QString") << "valider"
                             << "text"
                             << "Envoyer"
                             << "Envoyer"
                             << "Envoyer";
    QTest::newRow("enumeration") << "valider"
                                 << "layoutDirection"
                                 << "R"
                                 << "RightToLeft"
                                 << "RightToLeft";
    QTest::newRow("double") << "nombre"
                            << "value"
                            << "12.5"
                            << "12.5"
                            << "12.5";
    QTest::newRow("value the widget clamps") << "nombre"
                                             << "value"
                                             << "250"
                                             << "99.99"
                                             << "99.99";
}

void TestInspectorPanels::editedPropertyReachesWidget()
{
    QFETCH(QString, target);
    QFETCH(QString, property);
    QFETCH(QString, typed);
    QFETCH(QString, expected);
    QFETCH(QString, shown);
    Inspected inspected;
    QWidget* widget = inspected.root->findChild<QWidget*>(target);
    inspected.select(widget);
    inspected.part<QTabWidget>("details_pages")->setCurrentIndex(1);
    QTreeWidget* table = inspected.properties();
    QTreeWidgetItem* row = inspected.property(property);
    table->scrollToItem(row);
    const QRect rowRect = table->visualItemRect(row);
    const QRect cell(table->columnViewportPosition(1), rowRect.top(), table->columnWidth(1),
                     rowRect.height());

    if (typed.isEmpty()) {
        QStyleOptionViewItem option;
        option.initFrom(table->viewport());
        option.rect = cell;
        option.features |= QStyleOptionViewItem::HasCheckIndicator;
        const QRect box =
            table->style()->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &option, table);
        QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, box.center());
    } else {
        editProperty(inspected, property, typed);
    }
    QTRY_COMPARE(widget->property(qPrintable(property)).toString(), expected);
    QCOMPARE(inspected.property(property)->text(1), shown);
}

void TestInspectorPanels::propertiesAreGroupedAndReadOnlyOnesGreyed_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("group");
    QTest::addColumn<bool>("editable");
    QTest::addColumn<QString>("shown");
    QTest::newRow("read-only bool") << "isActiveWindow"
                                    << "QWidget" << false << "oui";
    QTest::newRow("writable but not a simple value") << "sizePolicy"
                                                     << "QWidget" << false << "Minimum, Fixed";
    QTest::newRow("object name") << "objectName"
                                 << "QObject" << true << "valider";
    QTest::newRow("inherited text") << "text"
                                    << "QAbstractButton" << true << "Valider";
    QTest::newRow("enumeration") << "focusPolicy"
                                 << "QWidget" << true << "StrongFocus";
}

void TestInspectorPanels::propertiesAreGroupedAndReadOnlyOnesGreyed()
{
    QFETCH(QString, property);
    QFETCH(QString, group);
    QFETCH(bool, editable);
    QFETCH(QString, shown);
    Inspected inspected;
    inspected.ok->setFixedSize(120, 30);
    inspected.root->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(inspected.root.get()));
    inspected.select(inspected.ok);

    QTreeWidget* table = inspected.properties();
    QStringList groups;
    for (int i = 0; i < table->topLevelItemCount(); ++i)
        groups.append(table->topLevelItem(i)->text(0));
    QCOMPARE(groups, (QStringList{"QPushButton", "QAbstractButton", "QWidget", "QObject"}));
    QTreeWidgetItem* row = inspected.property(property);
    QCOMPARE(row->parent()->text(0), group);
    QCOMPARE(row->text(1), shown);
    QCOMPARE(row->flags().testFlag(Qt::ItemIsEnabled), editable);
}

void TestInspectorPanels::propertyValuesFollowWidget()
{
    Inspected inspected;
    inspected.select(inspected.number);
    inspected.number->setValue(3.5);
    inspected.number->setValue(4.25);
    QTRY_COMPARE(inspected.property(QStringLiteral("value"))->text(1), QStringLiteral("4.25"));

    inspected.ok->setCheckable(true);
    inspected.select(inspected.ok);
    inspected.ok->setChecked(true);
    QTRY_COMPARE(inspected.property(QStringLiteral("checked"))->text(1), QStringLiteral("oui"));
    QCOMPARE(inspected.property(QStringLiteral("text"))->text(1), QStringLiteral("Valider"));
}

void TestInspectorPanels::editorWritesOnlyWhatWasTyped_data()
{
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("before");
    QTest::addColumn<QString>("typed"); // null: Return in the editor without typing
    QTest::addColumn<QVariant>("after");
    QTest::addColumn<QString>("shown"); // null: not compared

    const QVariant longText(QString(44000, QLatin1Char('x')));
    const QVariant largest(QSize(16777215, 16777215));
    const QVariant tiny(0.000000125);
    QTest::newRow("long text left alone") << "whatsThis" << longText << QString() << longText << QString();
    QTest::newRow("long text replaced") << "whatsThis" << longText << "court" << QVariant("court") << "court";
    QTest::newRow("double keeps its digits") << "ratio" << tiny << QString() << tiny << "0.000000125";
    QTest::newRow("double typed") << "ratio" << QVariant(0.5) << "0.000000125" << tiny << "0.000000125";
    QTest::newRow("whole size") << "maximumSize" << largest << QString() << largest << "16777215 × 16777215";
    QTest::newRow("size") << "minimumSize" << QVariant(QSize()) << "40 × 20" << QVariant(QSize(40, 20))
                          << "40 × 20";
    QTest::newRow("size too large") << "minimumSize" << QVariant(QSize(5, 6)) << "99999999 × 1"
                                    << QVariant(QSize(5, 6)) << "5 × 6";
    QTest::newRow("rectangle") << "zone" << QVariant(QRect()) << "(1, -2) 30 × 40"
                               << QVariant(QRect(1, -2, 30, 40)) << "(1, -2) 30 × 40";
    QTest::newRow("colour") << "tint" << QVariant(QColor(Qt::black)) << "#ff8000"
                            << QVariant(QColor(255, 128, 0)) << "#ff8000";
    QTest::newRow("width bounded") << "minimumWidth" << QVariant(0) << "99999999" << QVariant(9999999)
                                   << "9999999";
    QTest::newRow("count bounded") << "rowCount" << QVariant(3) << "2147483647" << QVariant(21474) << "21474";
}

void TestInspectorPanels::editorWritesOnlyWhatWasTyped()
{
    QFETCH(QString, property);
    QFETCH(QVariant, before);
    QFETCH(QString, typed);
    QFETCH(QVariant, after);
    QFETCH(QString, shown);
    Inspected inspected;
    const QByteArray name = property.toLatin1();
    QVERIFY(inspected.panel->setProperty(name, before));
    inspected.select(inspected.panel);

    editProperty(inspected, property, typed);

    QCOMPARE(inspected.panel->property(name), after);
    if (!shown.isNull())
        QCOMPARE(inspected.property(property)->text(1), shown);
}

void TestInspectorPanels::detailsFollowSelectedWidget_data()
{
    using Change = std::function<void(QWidget*)>;
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("geometry");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QString>("shown");
    QTest::newRow("moved") << Change([](QWidget* w) { w->move(30, 40); }) << "position (30, 40), taille 50×20"
                           << "pos"
                           << "(30, 40)";
    QTest::newRow("resized") << Change([](QWidget* w) { w->resize(70, 25); })
                             << "position (10, 10), taille 70×25"
                             << "size"
                             << "70 × 25";
    QTest::newRow("disabled") << Change([](QWidget* w) { w->setEnabled(false); })
                              << "position (10, 10), taille 50×20"
                              << "enabled"
                              << "non";
}

void TestInspectorPanels::detailsFollowSelectedWidget()
{
    QFETCH(std::function<void(QWidget*)>, change);
    QFETCH(QString, geometry);
    QFETCH(QString, property);
    QFETCH(QString, shown);
    Inspected inspected;
    // Placed by hand, out of every layout.
    auto* badge = new QLabel(QStringLiteral("Badge"), inspected.root.get());
    badge->setGeometry(10, 10, 50, 20);
    badge->show();
    QTRY_VERIFY(
        !inspected.tree()->findItems(QStringLiteral("QLabel  'Badge'"), Qt::MatchRecursive).isEmpty());
    inspected.select(badge);

    change(badge);

    QTRY_COMPARE(inspected.property(property)->text(1), shown);
    QCOMPARE(inspected.text("details_geometry"), geometry);
}

void TestInspectorPanels::burstOfChangesIsReadOnce()
{
    Inspected inspected;
    inspected.select(inspected.panel);
    // Brings the tree up to date now, so that no update of its own is pending.
    QTest::mouseClick(inspected.part<QPushButton>("refresh"), Qt::LeftButton);
    const int before = inspected.panel->reads;

    inspected.panel->move(inspected.panel->pos() + QPoint(1, 0));
    inspected.panel->move(inspected.panel->pos() + QPoint(1, 0));
    inspected.panel->setEnabled(false);

    QTRY_VERIFY(inspected.panel->reads > before);
    QCOMPARE(inspected.panel->reads, before + 1);
}

void TestInspectorPanels::layoutPageDescribesSelectedLayout_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("layoutClass");
    QTest::addColumn<QString>("margins");
    QTest::addColumn<QString>("spacing");
    QTest::addColumn<QStringList>("items");
    QTest::newRow("box layout with stretches, a nested layout and spaces")
        << "ligne"
        << "QHBoxLayout"
        << "gauche 1, haut 2, droite 3, bas 4"
        << "5"
        << QStringList{"QPushButton  'Valider'  [#valider] = 2", "espace extensible = 1", "QVBoxLayout = 0",
                       "  QPushButton  'Annuler' = 0", "espace fixe 7 × 0 = 0"};
    QTest::newRow("grid layout with its row and column stretches")
        << "mon bouton"
        << "QGridLayout"
        << "gauche 11, haut 11, droite 11, bas 11"
        << "horizontal 3, vertical 8" << QStringList{"QLabel  'A' = ligne 0 : 0, colonne 1 : 4"};
    QTest::newRow("widget without a layout") << "valider"
                                             << "(aucune)"
                                             << ""
                                             << "" << QStringList{};
}

void TestInspectorPanels::layoutPageDescribesSelectedLayout()
{
    QFETCH(QString, target);
    QFETCH(QString, layoutClass);
    QFETCH(QString, margins);
    QFETCH(QString, spacing);
    QFETCH(QStringList, items);
    Inspected inspected;
    QWidget* widget = inspected.root->findChild<QWidget*>(target);
    if (auto* grid = qobject_cast<QGridLayout*>(widget->layout()))
        grid->setContentsMargins(11, 11, 11, 11);
    inspected.select(widget);

    QCOMPARE(inspected.text("layout_class"), layoutClass);
    QCOMPARE(inspected.text("layout_margins"), margins);
    QCOMPARE(inspected.text("layout_spacing"), spacing);
    QStringList shown;
    for (QTreeWidgetItemIterator it(inspected.part<QTreeWidget>("layout_items")); *it; ++it) {
        const QString indent = (*it)->parent() ? QStringLiteral("  ") : QString();
        shown.append(indent + (*it)->text(0) + QStringLiteral(" = ") + (*it)->text(1));
    }
    QCOMPARE(shown, items);
}

void TestInspectorPanels::ruleButtonAddsRuleAndCopiesSelector_data()
{
    QTest::addColumn<QString>("target");
    QTest::addColumn<QString>("sheet");
    QTest::addColumn<QString>("selector");
    QTest::addColumn<QString>("expected");
    QTest::newRow("named widget") << "valider"
                                  << ""
                                  << "#valider"
                                  << "#valider {\n    color: #0000ff;\n}\n";
    QTest::newRow("unnamed widget, after a sheet without final newline")
        << ""
        << "QLabel { color: red; }"
        << "#ligne > QPushButton[text=\"Annuler\"]"
        << "QLabel { color: red; }\n\n#ligne > QPushButton[text=\"Annuler\"] {\n    color: #0000ff;\n}\n";
    QTest::newRow("rule already there") << "valider"
                                        << "#valider {\n}\n"
                                        << "#valider"
                                        << "#valider {\ncolor: #0000ff;}\n";
    QTest::newRow("name with a space") << "mon bouton"
                                       << ""
                                       << "#mon\\ bouton"
                                       << "#mon\\ bouton {\n    color: #0000ff;\n}\n";
}

void TestInspectorPanels::ruleButtonAddsRuleAndCopiesSelector()
{
    QFETCH(QString, target);
    QFETCH(QString, sheet);
    QFETCH(QString, selector);
    QFETCH(QString, expected);
    Inspected inspected;
    inspected.root->setStyleSheet(sheet);
    QTest::mouseClick(inspected.part<QPushButton>("refresh"), Qt::LeftButton);
    auto* button = inspected.part<QPushButton>("style_rule");
    QVERIFY(!button->isEnabled());
    QWidget* widget = target.isEmpty() ? inspected.cancel : inspected.root->findChild<QWidget*>(target);
    inspected.select(widget);
    QApplication::clipboard()->clear();
    QSignalSpy copied(QApplication::clipboard(), &QClipboard::dataChanged);

    QTest::mouseClick(button, Qt::LeftButton);
    QCOMPARE(copied.count(), 1);
    QCOMPARE(QApplication::clipboard()->text(), selector);
    QCOMPARE(inspected.text("status"),
             QStringLiteral("Sélecteur « ") + selector + QStringLiteral(" » copié dans le presse-papiers."));
    auto* editor = inspected.part<QPlainTextEdit>("style_sheet");
    QVERIFY(editor->hasFocus());
    QTest::keyClicks(editor, QStringLiteral("color: #0000ff;"));
    QCOMPARE(editor->toPlainText(), expected);
    QTRY_COMPARE(widget->palette().color(widget->foregroundRole()), QColor(0, 0, 255));
}

QTEST_MAIN(TestInspectorPanels)
#include "tst_inspector_panels.moc"
