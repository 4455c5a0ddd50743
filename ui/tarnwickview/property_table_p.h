// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the table of the selected widget's properties.

#include <QPointer>
#include <QTimer>
#include <QTreeWidget>

namespace tarnwickview::detail {

/// Every meta-object property of one object, inherited ones included, under one header row per
/// class from the object's own class down to QObject, each with its current value. Values of type
/// bool, int, double, QString, QSize, QPoint, QRect, QColor, QFont and of enumerations can be
/// edited in place and are written to the object at once, and only when the user changed them;
/// the others, and those the object does not let one write, are greyed out. Doubles show every
/// digit they have; widths and heights are bounded by the largest widget size, counts by a sane
/// maximum. Values whose property announces its changes follow the object by themselves; the
/// others are read again by updateValues().
class PropertyTable : public QTreeWidget
{
    Q_OBJECT

public:
    /// An empty table.
    explicit PropertyTable(QWidget* parent = nullptr);
    ~PropertyTable() override;
    Q_DISABLE_COPY_MOVE(PropertyTable)

    /// Shows the properties of `target`, or nothing when it is null; showing the same object
    /// again reads its values anew and keeps the rows, their order and the scroll position.
    void setTarget(QObject* target);

    /// Reads every shown value from the object again.
    void updateValues();

signals:
    /// The object took the value edited for `property`.
    void written(const QString& property);
    /// The object refused the value edited for `property`; the row shows its value again.
    void refused(const QString& property);

private slots:
    void scheduleUpdate();

private:
    void build();
    void edited(QTreeWidgetItem* item, int column);

    QPointer<QObject> _target;
    const QMetaObject* _shownClass = nullptr;
    QTimer _pendingUpdate;
};

} // namespace tarnwickview::detail
