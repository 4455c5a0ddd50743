// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the search field above the inspector's tree.

#include <QLineEdit>
#include <QTimer>

#include <functional>

class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwickview::detail {

/// A field that narrows `tree` to the rows whose label, detail (DETAIL_ROLE: the class and text
/// the label leaves out), class name or object name contains its text, case aside, together with
/// their ancestors; the other rows are hidden, and an empty field shows them all again. Rows the
/// tree gains or relabels later are filtered too, once the current burst of changes is over, and
/// apply() filters at once. Each pass visits every row once.
class TreeFilterField : public QLineEdit
{
    Q_OBJECT

public:
    /// Tells which object a row stands for; it may answer null for a row whose object is gone.
    using ObjectOf = std::function<const QObject*(const QTreeWidgetItem*)>;

    /// A field filtering `tree`, which must outlive it, with `objectOf` naming each row's object.
    TreeFilterField(QTreeWidget* tree, ObjectOf objectOf, QWidget* parent = nullptr);
    ~TreeFilterField() override;
    Q_DISABLE_COPY_MOVE(TreeFilterField)

    /// Filters the tree by the field's text now.
    void apply();

private:
    bool filterRow(QTreeWidgetItem* item, const QString& text);

    QTreeWidget* _tree;
    ObjectOf _objectOf;
    QTimer _pending;
    bool _someHidden = false;
};

} // namespace tarnwickview::detail
