// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the inspector window that open_inspector shows.

#include <QPointer>
#include <QWidget>

#include <functional>
#include <memory>

class QLabel;
class QPushButton;
class QTreeWidget;

namespace tarnwickview::detail {

class InspectorHighlight;
class LayoutPanel;
class LiveTree;
class PropertyTable;
class RulesPanel;
class StyleSheetEditor;
class TreeFilterField;
class WidgetPicker;
class WidgetWatcher;

/// A top-level window over the widget tree of `root`: the tree as get_tree describes it, kept up
/// to date as the widgets change, the details of the selected widget (following its moves, resizes,
/// visibility and state as they happen), highlighted over its window,
/// a picker that selects a widget by a click in the inspected window, and an editor of the root's
/// style sheet. It is never part of the tree it shows, does not keep the application running,
/// and deletes itself when closed. A modal window of the application never blocks it, and the
/// keys typed in it, or in the dialogs it opens, never reach the application's shortcuts.
class InspectorWindow : public QWidget
{
    Q_OBJECT

public:
    /// `root` must not be null.
    explicit InspectorWindow(QWidget* root);
    ~InspectorWindow() override;
    Q_DISABLE_COPY_MOVE(InspectorWindow)

    /// Rebuilds the tree from the widgets as they are now, keeping the selected widget selected
    /// while it is still in the tree, and reloads the root's title and style sheet.
    void refresh();

signals:
    /// The window was closed and is about to be deleted.
    void closed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void selectionChanged();
    void treeUpdated();
    void picked(QWidget* widget);
    void showDetails(QWidget* widget);
    void chooseFile(const QString& caption, const QString& suggested, const QString& filter,
                    const QString& suffix, std::function<void(const QString&)> write);
    void write(const std::function<QString()>& write, const QString& failure);
    void insertStyleRule();
    void showRule(int line, int column);
    void stayAboveModal();

    QPointer<QWidget> _root;
    std::unique_ptr<InspectorHighlight> _highlight;
    QTreeWidget* _tree = nullptr;
    TreeFilterField* _filter = nullptr;
    LiveTree* _liveTree = nullptr;
    WidgetPicker* _picker = nullptr;
    WidgetWatcher* _watcher = nullptr;
    QPushButton* _pickButton = nullptr;
    StyleSheetEditor* _styleEditor = nullptr;
    PropertyTable* _properties = nullptr;
    LayoutPanel* _layout = nullptr;
    RulesPanel* _rules = nullptr;
    QPushButton* _ruleButton = nullptr;
    QLabel* _class = nullptr;
    QLabel* _name = nullptr;
    QLabel* _geometry = nullptr;
    QLabel* _sizePolicy = nullptr;
    QLabel* _visibility = nullptr;
    QLabel* _ownStyleSheet = nullptr;
    QLabel* _status = nullptr;
    QMetaObject::Connection _modalHidden;
};

} // namespace tarnwickview::detail
