#pragma once

// Private to tarnwickview: the inspector window that open_inspector shows.

#include <QPointer>
#include <QTimer>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwickview::detail {

class InspectorOverlay;
class LayoutPanel;
class NodeLabeller;
class PropertyTable;
class TreeFilterField;

/// A top-level window over the widget tree of `root`: the tree as get_tree describes it, the
/// details of the selected widget, highlighted in its window, and an editor of the root's style
/// sheet. It is never a child of the tree it shows and deletes itself when closed, taking its
/// highlight along.
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

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildTree();
    void addChildren(QTreeWidgetItem* item, QWidget* widget, NodeLabeller& labeller);
    QTreeWidgetItem* addItem(QTreeWidgetItem* parent, QWidget* widget, NodeLabeller& labeller);
    QWidget* selectedWidget() const;
    void selectionChanged();
    void removeHighlight();
    void showDetails(QWidget* widget);
    void loadStyleSheet();
    void applyStyleSheet();
    void chooseFile(const QString& caption, const QString& suggested, const QString& filter,
                    const QString& suffix, std::function<void(const QString&)> write);
    void writeWithoutHighlight(const std::function<QString()>& write, const QString& failure);
    void insertStyleRule();

    QPointer<QWidget> _root;
    QPointer<InspectorOverlay> _overlay;
    std::vector<QPointer<QWidget>> _nodes;
    QTreeWidget* _tree = nullptr;
    TreeFilterField* _filter = nullptr;
    PropertyTable* _properties = nullptr;
    LayoutPanel* _layout = nullptr;
    QPushButton* _ruleButton = nullptr;
    QLabel* _class = nullptr;
    QLabel* _name = nullptr;
    QLabel* _geometry = nullptr;
    QLabel* _sizePolicy = nullptr;
    QLabel* _visibility = nullptr;
    QLabel* _ownStyleSheet = nullptr;
    QPlainTextEdit* _styleSheet = nullptr;
    QLabel* _status = nullptr;
    QTimer _applyTimer;
};

} // namespace tarnwickview::detail
