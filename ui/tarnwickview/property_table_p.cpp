// SPDX-License-Identifier: MIT
#include "property_table_p.h"

#include <QComboBox>
#include <QCursor>
#include <QDoubleSpinBox>
#include <QFont>
#include <QHeaderView>
#include <QIcon>
#include <QKeySequence>
#include <QLocale>
#include <QMargins>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QSizePolicy>
#include <QStyledItemDelegate>

#include <limits>

namespace tarnwickview::detail {
namespace {

constexpr int NAME_COLUMN = 0;
constexpr int VALUE_COLUMN = 1;
constexpr int INDEX_ROLE = Qt::UserRole;
constexpr int KIND_ROLE = Qt::UserRole + 1;
constexpr int KEYS_ROLE = Qt::UserRole + 2;
constexpr int DOUBLE_DECIMALS = 6;

enum class Kind { Shown, Bool, Int, Double, Text, Enum, Flags };

Kind kindOf(const QMetaProperty& property)
{
    if (!property.isWritable())
        return Kind::Shown;
    if (property.isEnumType())
        return property.isFlagType() ? Kind::Flags : Kind::Enum;
    switch (property.metaType().id()) {
    case QMetaType::Bool:
        return Kind::Bool;
    case QMetaType::Int:
        return Kind::Int;
    case QMetaType::Double:
        return Kind::Double;
    case QMetaType::QString:
        return Kind::Text;
    default:
        return Kind::Shown;
    }
}

QString enumName(const QMetaEnum& meta, int value)
{
    const char* key = meta.valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(value);
}

QString sizeText(double width, double height)
{
    return QStringLiteral("%1 × %2").arg(width).arg(height);
}

QString boolText(bool value)
{
    return value ? QStringLiteral("oui") : QStringLiteral("non");
}

// Values that cannot be edited here are still shown as the user would write them down.
QString valueText(const QVariant& value)
{
    if (value.metaType() == QMetaType::fromType<QMargins>()) {
        const QMargins margins = value.value<QMargins>();
        return QStringLiteral("gauche %1, haut %2, droite %3, bas %4")
            .arg(margins.left())
            .arg(margins.top())
            .arg(margins.right())
            .arg(margins.bottom());
    }
    switch (value.metaType().id()) {
    case QMetaType::UnknownType:
        return QString();
    case QMetaType::Bool:
        return boolText(value.toBool());
    case QMetaType::QSize:
        return sizeText(value.toSize().width(), value.toSize().height());
    case QMetaType::QSizeF:
        return sizeText(value.toSizeF().width(), value.toSizeF().height());
    case QMetaType::QPoint:
        return QStringLiteral("(%1, %2)").arg(value.toPoint().x()).arg(value.toPoint().y());
    case QMetaType::QRect: {
        const QRect rect = value.toRect();
        return QStringLiteral("(%1, %2) ").arg(rect.x()).arg(rect.y()) +
               sizeText(rect.width(), rect.height());
    }
    case QMetaType::QColor: {
        const QColor color = value.value<QColor>();
        return color.name(color.alpha() == 255 ? QColor::HexRgb : QColor::HexArgb);
    }
    case QMetaType::QFont: {
        const QFont font = value.value<QFont>();
        return font.pointSizeF() > 0 ? QStringLiteral("%1, %2 pt").arg(font.family()).arg(font.pointSizeF())
                                     : QStringLiteral("%1, %2 px").arg(font.family()).arg(font.pixelSize());
    }
    case QMetaType::QSizePolicy: {
        const QSizePolicy policy = value.value<QSizePolicy>();
        const QMetaEnum meta = QMetaEnum::fromType<QSizePolicy::Policy>();
        return enumName(meta, policy.horizontalPolicy()) + QStringLiteral(", ") +
               enumName(meta, policy.verticalPolicy());
    }
    case QMetaType::QCursor:
        return enumName(QMetaEnum::fromType<Qt::CursorShape>(), value.value<QCursor>().shape());
    case QMetaType::QLocale:
        return value.toLocale().name();
    case QMetaType::QKeySequence:
        return value.value<QKeySequence>().toString(QKeySequence::PortableText);
    case QMetaType::QIcon:
        return value.value<QIcon>().isNull() ? QStringLiteral("(aucune)") : QStringLiteral("(icône)");
    case QMetaType::QStringList:
        return value.toStringList().join(QStringLiteral(", "));
    default:
        break;
    }
    if (value.canConvert<QString>())
        return value.toString();
    return QStringLiteral("(%1)").arg(QLatin1StringView(value.metaType().name()));
}

QString propertyText(const QMetaProperty& property, const QVariant& value)
{
    if (!property.isEnumType())
        return valueText(value);
    const QMetaEnum meta = property.enumerator();
    return property.isFlagType() ? QString::fromLatin1(meta.valueToKeys(value.toInt()))
                                 : enumName(meta, value.toInt());
}

// Enumerations are chosen from their keys; numbers get the full range of their type.
class PropertyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override
    {
        if (index.column() != VALUE_COLUMN)
            return nullptr;
        switch (Kind(index.data(KIND_ROLE).toInt())) {
        case Kind::Enum: {
            auto* combo = new QComboBox(parent);
            combo->addItems(index.data(KEYS_ROLE).toStringList());
            connect(combo, &QComboBox::activated, this, [this, combo] {
                emit const_cast<PropertyDelegate*>(this)->commitData(combo);
                emit const_cast<PropertyDelegate*>(this)->closeEditor(combo);
            });
            return combo;
        }
        case Kind::Double: {
            auto* spin = new QDoubleSpinBox(parent);
            spin->setDecimals(DOUBLE_DECIMALS);
            spin->setRange(std::numeric_limits<double>::lowest(), std::numeric_limits<double>::max());
            return spin;
        }
        case Kind::Int:
        case Kind::Text:
        case Kind::Flags:
            return QStyledItemDelegate::createEditor(parent, option, index);
        case Kind::Bool:
        case Kind::Shown:
            break;
        }
        return nullptr;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentText(index.data(Qt::EditRole).toString());
        else
            QStyledItemDelegate::setEditorData(editor, index);
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            model->setData(index, combo->currentText(), Qt::EditRole);
        else
            QStyledItemDelegate::setModelData(editor, model, index);
    }
};

} // namespace

PropertyTable::PropertyTable(QWidget* parent)
    : QTreeWidget(parent)
{
    setObjectName(QStringLiteral("properties"));
    setColumnCount(2);
    setHeaderLabels({QStringLiteral("Propriété"), QStringLiteral("Valeur")});
    header()->setSectionResizeMode(NAME_COLUMN, QHeaderView::ResizeToContents);
    setRootIsDecorated(false);
    setUniformRowHeights(true);
    setAlternatingRowColors(true);
    setEditTriggers(QAbstractItemView::DoubleClicked | QAbstractItemView::SelectedClicked |
                    QAbstractItemView::EditKeyPressed | QAbstractItemView::AnyKeyPressed);
    setItemDelegate(new PropertyDelegate(this));
    connect(this, &QTreeWidget::itemChanged, this, &PropertyTable::edited);
    // A burst of changes (typing in the watched field, a resize) costs one reading of the values.
    _pendingUpdate.setSingleShot(true);
    _pendingUpdate.setInterval(0);
    connect(&_pendingUpdate, &QTimer::timeout, this, &PropertyTable::updateValues);
}

PropertyTable::~PropertyTable()
{
    disconnect(this, &QTreeWidget::itemChanged, this, &PropertyTable::edited);
}

void PropertyTable::setTarget(QObject* target)
{
    if (target != _target || !target || target->metaObject() != _shownClass) {
        if (_target)
            _target->disconnect(this);
        _target = target;
        build();
    }
    updateValues();
}

void PropertyTable::scheduleUpdate()
{
    _pendingUpdate.start();
}

void PropertyTable::build()
{
    const QSignalBlocker blocker(this);
    clear();
    _shownClass = _target ? _target->metaObject() : nullptr;
    if (!_shownClass)
        return;
    const QMetaMethod update = staticMetaObject.method(staticMetaObject.indexOfSlot("scheduleUpdate()"));
    QFont headerFont = font();
    headerFont.setBold(true);
    // Built detached and inserted at once, so that the view lays out the rows a single time.
    QList<QTreeWidgetItem*> groups;
    for (const QMetaObject* meta = _shownClass; meta; meta = meta->superClass()) {
        const int first = meta->superClass() ? meta->superClass()->propertyCount() : 0;
        if (first == meta->propertyCount())
            continue;
        auto* group = new QTreeWidgetItem({QString::fromLatin1(meta->className())});
        group->setFont(NAME_COLUMN, headerFont);
        group->setFlags(Qt::ItemIsEnabled);
        groups.append(group);
        for (int i = first; i < meta->propertyCount(); ++i) {
            const QMetaProperty property = meta->property(i);
            const Kind kind = kindOf(property);
            if (property.hasNotifySignal())
                connect(_target, property.notifySignal(), this, update, Qt::UniqueConnection);
            auto* row = new QTreeWidgetItem(group, {QString::fromLatin1(property.name())});
            row->setData(NAME_COLUMN, INDEX_ROLE, i);
            row->setData(VALUE_COLUMN, KIND_ROLE, int(kind));
            if (kind == Kind::Enum) {
                const QMetaEnum enumerator = property.enumerator();
                QStringList keys;
                for (int k = 0; k < enumerator.keyCount(); ++k)
                    keys.append(QString::fromLatin1(enumerator.key(k)));
                row->setData(VALUE_COLUMN, KEYS_ROLE, keys);
            }
            Qt::ItemFlags flags = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
            if (kind == Kind::Bool)
                flags |= Qt::ItemIsUserCheckable;
            else if (kind != Kind::Shown)
                flags |= Qt::ItemIsEditable;
            else
                flags &= ~Qt::ItemIsEnabled;
            row->setFlags(flags);
            row->setToolTip(NAME_COLUMN, property.isWritable() ? QString::fromLatin1(property.typeName())
                                                               : QString::fromLatin1(property.typeName()) +
                                                                     QStringLiteral(", en lecture seule"));
        }
    }
    addTopLevelItems(groups);
    for (QTreeWidgetItem* group : std::as_const(groups))
        group->setFirstColumnSpanned(true);
    expandAll();
}

void PropertyTable::updateValues()
{
    _pendingUpdate.stop();
    if (!_target || _target->metaObject() != _shownClass)
        return;
    const QSignalBlocker blocker(this);
    for (int g = 0; g < topLevelItemCount(); ++g) {
        QTreeWidgetItem* group = topLevelItem(g);
        for (int r = 0; r < group->childCount(); ++r) {
            QTreeWidgetItem* row = group->child(r);
            const QMetaProperty property = _shownClass->property(row->data(NAME_COLUMN, INDEX_ROLE).toInt());
            const QVariant value = property.read(_target);
            switch (Kind(row->data(VALUE_COLUMN, KIND_ROLE).toInt())) {
            case Kind::Bool:
                row->setCheckState(VALUE_COLUMN, value.toBool() ? Qt::Checked : Qt::Unchecked);
                row->setText(VALUE_COLUMN, boolText(value.toBool()));
                break;
            case Kind::Int:
                row->setData(VALUE_COLUMN, Qt::EditRole, value.toInt());
                break;
            case Kind::Double:
                row->setData(VALUE_COLUMN, Qt::EditRole, value.toDouble());
                break;
            case Kind::Enum:
            case Kind::Flags:
            case Kind::Text:
            case Kind::Shown:
                row->setText(VALUE_COLUMN, propertyText(property, value));
                break;
            }
        }
    }
}

void PropertyTable::edited(QTreeWidgetItem* item, int column)
{
    if (column != VALUE_COLUMN || !_target || _target->metaObject() != _shownClass || !item->parent())
        return;
    const QMetaProperty property = _shownClass->property(item->data(NAME_COLUMN, INDEX_ROLE).toInt());
    QVariant value;
    bool understood = true;
    switch (Kind(item->data(VALUE_COLUMN, KIND_ROLE).toInt())) {
    case Kind::Bool:
        value = item->checkState(VALUE_COLUMN) == Qt::Checked;
        break;
    case Kind::Int:
        value = item->data(VALUE_COLUMN, Qt::EditRole).toInt(&understood);
        break;
    case Kind::Double:
        value = item->data(VALUE_COLUMN, Qt::EditRole).toDouble(&understood);
        break;
    case Kind::Text:
        value = item->text(VALUE_COLUMN);
        break;
    case Kind::Enum:
        value =
            property.enumerator().keyToValue(item->text(VALUE_COLUMN).toLatin1().constData(), &understood);
        break;
    case Kind::Flags:
        value =
            property.enumerator().keysToValue(item->text(VALUE_COLUMN).toLatin1().constData(), &understood);
        break;
    case Kind::Shown:
        return;
    }
    const QString name = item->text(NAME_COLUMN);
    // Writing one property may change others (a check box's text, a widget's size), so every
    // value is read back, the edited one included: the row shows what the object kept.
    const bool accepted = understood && property.write(_target, value);
    updateValues();
    if (accepted)
        emit written(name);
    else
        emit refused(name);
}

} // namespace tarnwickview::detail
