// SPDX-License-Identifier: MIT
#include "tree_filter_p.h"

#include "live_tree_p.h"

#include <QAbstractItemModel>
#include <QLatin1StringView>
#include <QTreeWidget>

namespace tarnwickview::detail {
namespace {

bool matches(const QTreeWidgetItem* item, const QObject* obj, const QString& text)
{
    if (item->text(0).contains(text, Qt::CaseInsensitive) ||
        item->data(0, DETAIL_ROLE).toString().contains(text, Qt::CaseInsensitive))
        return true;
    if (!obj)
        return false;
    return QLatin1StringView(obj->metaObject()->className()).contains(text, Qt::CaseInsensitive) ||
           obj->objectName().contains(text, Qt::CaseInsensitive);
}

} // namespace

TreeFilterField::TreeFilterField(QTreeWidget* tree, ObjectOf objectOf, QWidget* parent)
    : QLineEdit(parent)
    , _tree(tree)
    , _objectOf(std::move(objectOf))
{
    setObjectName(QStringLiteral("tree_filter"));
    setPlaceholderText(QStringLiteral("Rechercher…"));
    setClearButtonEnabled(true);

    // Rows come and change in bursts (a rebuild inserts thousands): one pass once it is over.
    _pending.setSingleShot(true);
    _pending.setInterval(0);
    connect(&_pending, &QTimer::timeout, this, &TreeFilterField::apply);
    const auto schedule = [this] {
        if (!text().isEmpty() || _someHidden)
            _pending.start();
    };
    QAbstractItemModel* model = _tree->model();
    connect(model, &QAbstractItemModel::rowsInserted, this, schedule);
    connect(model, &QAbstractItemModel::dataChanged, this, schedule);
    connect(model, &QAbstractItemModel::modelReset, this, schedule);
    connect(this, &QLineEdit::textChanged, this, &TreeFilterField::apply);
}

TreeFilterField::~TreeFilterField()
{
    _tree->model()->disconnect(this);
}

void TreeFilterField::apply()
{
    _pending.stop();
    const QString wanted = text();
    // With no filter and nothing hidden, a tree update leaves nothing to do, not even a walk.
    if (wanted.isEmpty() && !_someHidden)
        return;
    for (int i = 0; i < _tree->topLevelItemCount(); ++i)
        filterRow(_tree->topLevelItem(i), wanted);
    // Once the filter is cleared, the selection is brought back into view; later updates leave
    // the scroll position alone.
    if (wanted.isEmpty() && _tree->currentItem())
        _tree->scrollToItem(_tree->currentItem());
    _someHidden = !wanted.isEmpty();
}

// Post-order, so that a row knows whether any descendant stays before deciding about itself.
bool TreeFilterField::filterRow(QTreeWidgetItem* item, const QString& text)
{
    const bool own = text.isEmpty() || matches(item, _objectOf(item), text);
    bool shown = own;
    for (int i = 0; i < item->childCount(); ++i)
        shown = filterRow(item->child(i), text) || shown;
    if (item->isHidden() == shown)
        item->setHidden(!shown);
    return shown;
}

} // namespace tarnwickview::detail
