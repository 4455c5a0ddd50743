// SPDX-License-Identifier: MIT
#include "layout_panel_p.h"

#include "node_label_p.h"

#include <QBoxLayout>
#include <QFormLayout>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QTreeWidget>

namespace tarnwickview::detail {
namespace {

QLabel* valueLabel(const char* name, QWidget* parent)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QLatin1String(name));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QString marginsText(const QMargins& margins)
{
    return QStringLiteral("gauche %1, haut %2, droite %3, bas %4")
        .arg(margins.left())
        .arg(margins.top())
        .arg(margins.right())
        .arg(margins.bottom());
}

// Grid and form layouts space rows and columns apart separately; spacing() says -1 when the two
// differ, which is no answer to show.
QString spacingText(const QLayout* layout)
{
    int horizontal = layout->spacing();
    int vertical = horizontal;
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
        horizontal = grid->horizontalSpacing();
        vertical = grid->verticalSpacing();
    } else if (const auto* form = qobject_cast<const QFormLayout*>(layout)) {
        horizontal = form->horizontalSpacing();
        vertical = form->verticalSpacing();
    }
    if (horizontal == vertical)
        return QString::number(horizontal);
    return QStringLiteral("horizontal %1, vertical %2").arg(horizontal).arg(vertical);
}

QString stretchText(const QLayout* layout, int index)
{
    if (const auto* box = qobject_cast<const QBoxLayout*>(layout))
        return QString::number(box->stretch(index));
    if (const auto* grid = qobject_cast<const QGridLayout*>(layout)) {
        int row = 0;
        int column = 0;
        int rowSpan = 0;
        int columnSpan = 0;
        grid->getItemPosition(index, &row, &column, &rowSpan, &columnSpan);
        return QStringLiteral("ligne %1 : %2, colonne %3 : %4")
            .arg(row)
            .arg(grid->rowStretch(row))
            .arg(column)
            .arg(grid->columnStretch(column));
    }
    return QStringLiteral("—");
}

QString spaceText(const QSpacerItem* spacer, Qt::Orientations expanding)
{
    const QSize size = spacer->sizeHint();
    if (expanding)
        return QStringLiteral("espace extensible");
    return QStringLiteral("espace fixe %1 × %2").arg(size.width()).arg(size.height());
}

} // namespace

LayoutPanel::LayoutPanel(QWidget* parent)
    : QWidget(parent)
{
    setObjectName(QStringLiteral("layout_panel"));
    _class = valueLabel("layout_class", this);
    _margins = valueLabel("layout_margins", this);
    _spacing = valueLabel("layout_spacing", this);
    _items = new QTreeWidget(this);
    _items->setObjectName(QStringLiteral("layout_items"));
    _items->setColumnCount(2);
    _items->setHeaderLabels({QStringLiteral("Élément"), QStringLiteral("Étirement")});
    _items->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    _items->header()->setStretchLastSection(false);
    _items->header()->setSectionResizeMode(1, QHeaderView::ResizeToContents);
    _items->setSelectionMode(QAbstractItemView::NoSelection);

    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Classe :"), _class);
    form->addRow(QStringLiteral("Marges :"), _margins);
    form->addRow(QStringLiteral("Espacement :"), _spacing);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(_items, 1);
}

LayoutPanel::~LayoutPanel() = default;

void LayoutPanel::setTarget(const QWidget* widget)
{
    _items->clear();
    const QLayout* layout = widget ? widget->layout() : nullptr;
    if (!layout) {
        _class->setText(widget ? QStringLiteral("(aucune)") : QString());
        _margins->clear();
        _spacing->clear();
        return;
    }
    _class->setText(shortClassName(layout));
    _margins->setText(marginsText(layout->contentsMargins()));
    _spacing->setText(spacingText(layout));
    NodeLabeller labeller;
    auto* top = new QTreeWidgetItem;
    addItems(top, layout, labeller);
    _items->addTopLevelItems(top->takeChildren());
    delete top;
    _items->expandAll();
}

void LayoutPanel::addItems(QTreeWidgetItem* parent, const QLayout* layout, NodeLabeller& labeller)
{
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        auto* row = new QTreeWidgetItem(parent);
        row->setText(1, stretchText(layout, i));
        if (QWidget* widget = item->widget()) {
            row->setText(0, labeller.label(widget));
        } else if (QLayout* nested = item->layout()) {
            row->setText(0, shortClassName(nested));
            addItems(row, nested, labeller);
        } else if (QSpacerItem* spacer = item->spacerItem()) {
            row->setText(0, spaceText(spacer, item->expandingDirections()));
        }
    }
}

} // namespace tarnwickview::detail
