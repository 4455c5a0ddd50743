// SPDX-License-Identifier: MIT
// The inspector stays usable beside the application: modal windows do not block it and the keys
// typed in it never reach the application's shortcuts.

#include <tarnwickview/tarnwickview.h>

#include "inspector_support.h"

#include <QAction>
#include <QDialog>
#include <QShortcut>

namespace {

QPoint centreOf(const QWidget* widget)
{
    return widget->mapTo(widget->window(), widget->rect().center());
}

// Clicks `widget` through its window, the way the window system delivers a click, so that
// modality applies.
void clickThroughWindow(QWidget* widget)
{
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {}, centreOf(widget));
}

} // namespace

class TestInspectorIsolation : public QObject
{
    Q_OBJECT

private slots:
    void cleanup();

    void keysTypedInInspectorStayThere_data();
    void keysTypedInInspectorStayThere();
    void modalWindowLeavesInspectorUsable_data();
    void modalWindowLeavesInspectorUsable();
};

void TestInspectorIsolation::cleanup()
{
    for (QWidget* inspector : openInspectors())
        inspector->close();
    QTRY_VERIFY(openInspectors().isEmpty());
}

void TestInspectorIsolation::keysTypedInInspectorStayThere_data()
{
    QTest::addColumn<QKeySequence>("key");
    QTest::addColumn<bool>("asAction");
    QTest::addColumn<bool>("inInspector");
    QTest::addColumn<int>("fired");

    const QKeySequence quit(Qt::CTRL | Qt::Key_Q);
    const QKeySequence close(Qt::CTRL | Qt::Key_W);
    QTest::newRow("application action, typed in the program") << quit << true << false << 1;
    QTest::newRow("application action, typed in the inspector") << quit << true << true << 0;
    QTest::newRow("application shortcut, typed in the inspector") << close << false << true << 0;
}

void TestInspectorIsolation::keysTypedInInspectorStayThere()
{
    QFETCH(QKeySequence, key);
    QFETCH(bool, asAction);
    QFETCH(bool, inInspector);
    QFETCH(int, fired);

    InspectedWindow inspected;
    int count = 0;
    if (asAction) {
        auto* action = new QAction(QStringLiteral("Quitter"), inspected.get());
        action->setShortcut(key);
        action->setShortcutContext(Qt::ApplicationShortcut);
        inspected.get()->addAction(action);
        QObject::connect(action, &QAction::triggered, [&count] { ++count; });
    } else {
        auto* shortcut = new QShortcut(key, inspected.get());
        shortcut->setContext(Qt::ApplicationShortcut);
        QObject::connect(shortcut, &QShortcut::activated, [&count] { ++count; });
    }
    inspected.show();
    QWidget* inspector = tarnwickview::open_inspector(inspected.get());
    QWidget* target = inInspector ? inspector->findChild<QLineEdit*>(QStringLiteral("tree_filter"))
                                  : static_cast<QWidget*>(inspected.ok);
    ACTIVATE_OR_SKIP(target->window());
    target->setFocus();

    QTest::keyClick(target, key[0].key(), key[0].keyboardModifiers());
    QCOMPARE(count, fired);
}

void TestInspectorIsolation::modalWindowLeavesInspectorUsable_data()
{
    QTest::addColumn<Qt::WindowModality>("modality");
    QTest::addColumn<bool>("inspectDialog");

    QTest::newRow("application-modal dialog, main window inspected") << Qt::ApplicationModal << false;
    QTest::newRow("window-modal dialog, main window inspected") << Qt::WindowModal << false;
    QTest::newRow("application-modal dialog inspected itself") << Qt::ApplicationModal << true;
}

void TestInspectorIsolation::modalWindowLeavesInspectorUsable()
{
    QFETCH(Qt::WindowModality, modality);
    QFETCH(bool, inspectDialog);

    InspectedWindow inspected;
    inspected.show();
    QDialog dialog(inspected.get());
    dialog.setWindowModality(modality);
    auto* choice = new QCheckBox(QStringLiteral("Sombre"), &dialog);
    choice->setObjectName(QStringLiteral("sombre"));
    QWidget* root = inspectDialog ? static_cast<QWidget*>(&dialog) : inspected.get();
    QWidget* inspector = tarnwickview::open_inspector(root);
    QVERIFY(QTest::qWaitForWindowExposed(inspector));
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));

    auto* pick = inspector->findChild<QPushButton*>(QStringLiteral("pick"));
    clickThroughWindow(pick);
    QVERIFY(pick->isChecked());
    if (inspectDialog) {
        // Picking inside the modal dialog.
        clickThroughWindow(choice);
        QCOMPARE(treeOf(inspector)->currentItem()->text(0), QStringLiteral("QCheckBox  'Sombre'  [#sombre]"));
        QVERIFY(!choice->isChecked());
    } else {
        clickThroughWindow(pick);
        QVERIFY(!pick->isChecked());
    }

    // Once the dialog is gone, the inspector no longer hangs on it.
    dialog.hide();
    QTRY_COMPARE(inspector->windowHandle()->transientParent(), nullptr);
    clickThroughWindow(pick);
    QVERIFY(pick->isChecked());
}

QTEST_MAIN(TestInspectorIsolation)
#include "tst_inspector_isolation.moc"
