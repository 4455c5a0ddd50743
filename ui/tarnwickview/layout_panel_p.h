// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: how the selected widget lays out what it holds.

#include <QWidget>

class QLabel;
class QLayout;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwickview::detail {

class NodeLabeller;

/// The layout a widget manages: its class, margins and spacing, and each item it holds (widgets,
/// spaces and nested layouts, the latter with their own items) with its stretch factor.
class LayoutPanel : public QWidget
{
    Q_OBJECT

public:
    /// An empty panel.
    explicit LayoutPanel(QWidget* parent = nullptr);
    ~LayoutPanel() override;
    Q_DISABLE_COPY_MOVE(LayoutPanel)

    /// Describes the layout of `widget`, or nothing when it is null.
    void setTarget(const QWidget* widget);

private:
    void addItems(QTreeWidgetItem* parent, const QLayout* layout, NodeLabeller& labeller);

    QLabel* _class = nullptr;
    QLabel* _margins = nullptr;
    QLabel* _spacing = nullptr;
    QTreeWidget* _items = nullptr;
};

} // namespace tarnwickview::detail
