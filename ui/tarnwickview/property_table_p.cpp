// SPDX-License-Identifier: MIT
#include "property_table_p.h"

#include <QComboBox>
#include <QCursor>
#include <QFont>
#include <QHeaderView>
#include <QIcon>
#include <QKeyEvent>
#include <QKeySequence>
#include <QLineEdit>
#include <QLocale>
#include <QMargins>
#include <QMetaEnum>
#include <QMetaProperty>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QSizePolicy>
#include <QSpinBox>
#include <QStyledItemDelegate>

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

namespace tarnwickview::detail {
namespace {

constexpr int NAME_COLUMN = 0;
constexpr int VALUE_COLUMN = 1;
constexpr int INDEX_ROLE = Qt::UserRole;
constexpr int KIND_ROLE = Qt::UserRole + 1;
constexpr int KEYS_ROLE = Qt::UserRole + 2;
constexpr int MINIMUM_ROLE = Qt::UserRole + 3;
constexpr int MAXIMUM_ROLE = Qt::UserRole + 4;

// Counts beyond this are typing mistakes rather than wishes: a table of two billion rows takes
// the program down with it.
constexpr int COUNT_MAXIMUM = 100000;
// A text longer than this, or holding a line break, is edited over several lines.
constexpr int LINE_LENGTH = 80;
constexpr int TEXT_EDITOR_LINES = 10;
// What an editor held when it opened, so that closing it untouched writes nothing back.
const char* const INITIAL_VALUE = "tarnwickview_initial_value";

enum class Kind { Shown, Bool, Int, Double, Text, Enum, Flags, Size, Point, Rect, Color, Font };

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
    case QMetaType::QSize:
        return Kind::Size;
    case QMetaType::QPoint:
        return Kind::Point;
    case QMetaType::QRect:
        return Kind::Rect;
    case QMetaType::QColor:
        return Kind::Color;
    case QMetaType::QFont:
        return Kind::Font;
    default:
        return Kind::Shown;
    }
}

struct Range
{
    int minimum;
    int maximum;
};

// Widths, heights and counts are told by their names; the others get the whole range of int.
Range intRange(const QMetaProperty& property)
{
    const QByteArrayView name(property.name());
    if (name.endsWith("Width") || name.endsWith("Height") || name == "width" || name == "height")
        return {0, QWIDGETSIZE_MAX};
    if (name.endsWith("Count") || name == "count")
        return {0, COUNT_MAXIMUM};
    return {std::numeric_limits<int>::min(), std::numeric_limits<int>::max()};
}

// Every digit the value has, and no exponent for the magnitudes widgets use.
QString doubleText(double value)
{
    const double magnitude = std::abs(value);
    const char format = magnitude == 0 || (magnitude >= 1e-9 && magnitude < 1e15) ? 'f' : 'g';
    return QString::number(value, format, QLocale::FloatingPointShortest);
}

std::optional<double> parseDouble(const QString& text)
{
    bool ok = false;
    double value = QLocale::c().toDouble(text.trimmed(), &ok);
    if (!ok)
        value = QLocale().toDouble(text.trimmed(), &ok);
    return ok ? std::optional<double>(value) : std::nullopt;
}

// The whole numbers of a text, in order: "120 × 30", "120 30" and "120x30" all give 120 and 30.
std::optional<QList<int>> numbersIn(const QString& text, qsizetype expected)
{
    static const QRegularExpression number(QStringLiteral("-?\\d+"));
    QList<int> numbers;
    for (const QRegularExpressionMatch& match : number.globalMatch(text)) {
        bool ok = false;
        numbers.append(match.capturedView().toInt(&ok));
        if (!ok)
            return std::nullopt;
    }
    if (numbers.size() != expected)
        return std::nullopt;
    return numbers;
}

bool isLength(int value)
{
    return value >= 0 && value <= QWIDGETSIZE_MAX;
}

bool isCoordinate(int value)
{
    return value >= -QWIDGETSIZE_MAX && value <= QWIDGETSIZE_MAX;
}

std::optional<QFont> parseFont(const QString& text, QFont font)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*(.+),\\s*(\\d+(?:\\.\\d+)?)\\s*(pt|px)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch())
        return std::nullopt;
    const double size = match.capturedView(2).toDouble();
    if (size <= 0 || size > 1000)
        return std::nullopt;
    font.setFamily(match.captured(1).trimmed());
    if (match.capturedView(3) == u"pt")
        font.setPointSizeF(size);
    else
        font.setPixelSize(int(size));
    return font;
}

// The value a text typed for a property of `kind` stands for; nothing when it stands for none.
// What the text leaves out (a font's weight and style) is kept from `current`.
std::optional<QVariant> parseValue(Kind kind, const QString& text, const QVariant& current)
{
    switch (kind) {
    case Kind::Double:
        if (const auto value = parseDouble(text))
            return QVariant(*value);
        return std::nullopt;
    case Kind::Size:
        if (const auto n = numbersIn(text, 2); n && isLength(n->at(0)) && isLength(n->at(1)))
            return QVariant(QSize(n->at(0), n->at(1)));
        return std::nullopt;
    case Kind::Point:
        if (const auto n = numbersIn(text, 2); n && isCoordinate(n->at(0)) && isCoordinate(n->at(1)))
            return QVariant(QPoint(n->at(0), n->at(1)));
        return std::nullopt;
    case Kind::Rect:
        if (const auto n = numbersIn(text, 4);
            n && isCoordinate(n->at(0)) && isCoordinate(n->at(1)) && isLength(n->at(2)) && isLength(n->at(3)))
            return QVariant(QRect(n->at(0), n->at(1), n->at(2), n->at(3)));
        return std::nullopt;
    case Kind::Color:
        if (const QColor color = QColor::fromString(text.trimmed()); color.isValid())
            return QVariant(color);
        return std::nullopt;
    case Kind::Font:
        if (const auto font = parseFont(text, current.value<QFont>()))
            return QVariant(*font);
        return std::nullopt;
    default:
        return std::nullopt;
    }
}

bool isMultiLine(const QString& text)
{
    return text.size() > LINE_LENGTH || text.contains(QLatin1Char('\n'));
}

QString enumName(const QMetaEnum& meta, int value)
{
    const char* key = meta.valueToKey(value);
    return key ? QString::fromLatin1(key) : QString::number(value);
}

QString sizeText(int width, int height)
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
    case QMetaType::Double:
        return doubleText(value.toDouble());
    case QMetaType::Bool:
        return boolText(value.toBool());
    case QMetaType::QSize:
        return sizeText(value.toSize().width(), value.toSize().height());
    case QMetaType::QSizeF:
        return doubleText(value.toSizeF().width()) + QStringLiteral(" × ") +
               doubleText(value.toSizeF().height());
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
        return font.pointSizeF() > 0
                   ? QStringLiteral("%1, %2 pt").arg(font.family(), doubleText(font.pointSizeF()))
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

QVariant editorValue(const QWidget* editor)
{
    if (const auto* combo = qobject_cast<const QComboBox*>(editor))
        return combo->currentText();
    if (const auto* text = qobject_cast<const QPlainTextEdit*>(editor))
        return text->toPlainText();
    if (const auto* line = qobject_cast<const QLineEdit*>(editor))
        return line->text();
    if (const auto* spin = qobject_cast<const QSpinBox*>(editor))
        return spin->value();
    return QVariant();
}

// Enumerations are chosen from their keys, integers within the range their property makes sense
// in, texts of more than a line over several lines (Return writes, Shift+Return breaks the line);
// the other values are typed as they are shown. An editor closed without a change writes nothing.
class PropertyDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&,
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
        case Kind::Int: {
            auto* spin = new QSpinBox(parent);
            // The current value stays reachable even when it lies outside the sensible range.
            const int current = index.data(Qt::EditRole).toInt();
            spin->setRange(std::min(index.data(MINIMUM_ROLE).toInt(), current),
                           std::max(index.data(MAXIMUM_ROLE).toInt(), current));
            return spin;
        }
        case Kind::Text:
            if (isMultiLine(index.data(Qt::EditRole).toString())) {
                auto* text = new QPlainTextEdit(parent);
                text->setTabChangesFocus(true);
                text->setToolTip(QStringLiteral("Entrée pour valider, Maj+Entrée pour aller à la ligne, "
                                                "Échap pour annuler"));
                return text;
            }
            return new QLineEdit(parent);
        case Kind::Double:
        case Kind::Flags:
        case Kind::Size:
        case Kind::Point:
        case Kind::Rect:
        case Kind::Color:
        case Kind::Font:
            return new QLineEdit(parent);
        case Kind::Bool:
        case Kind::Shown:
            break;
        }
        return nullptr;
    }

    void setEditorData(QWidget* editor, const QModelIndex& index) const override
    {
        const QVariant value = index.data(Qt::EditRole);
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            combo->setCurrentText(value.toString());
        else if (auto* text = qobject_cast<QPlainTextEdit*>(editor))
            text->setPlainText(value.toString());
        else if (auto* line = qobject_cast<QLineEdit*>(editor))
            line->setText(value.toString());
        else if (auto* spin = qobject_cast<QSpinBox*>(editor))
            spin->setValue(value.toInt());
        editor->setProperty(INITIAL_VALUE, editorValue(editor));
    }

    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override
    {
        const QVariant value = editorValue(editor);
        if (value != editor->property(INITIAL_VALUE))
            model->setData(index, value, Qt::EditRole);
    }

    void updateEditorGeometry(QWidget* editor, const QStyleOptionViewItem& option,
                              const QModelIndex& index) const override
    {
        auto* text = qobject_cast<QPlainTextEdit*>(editor);
        const QWidget* area = editor->parentWidget();
        if (!text || !area) {
            QStyledItemDelegate::updateEditorGeometry(editor, option, index);
            return;
        }
        // Several lines over the rows below, kept inside the view.
        QRect rect = option.rect;
        const int wanted = text->fontMetrics().lineSpacing() * TEXT_EDITOR_LINES + 2 * text->frameWidth();
        rect.setHeight(std::max(rect.height(), std::min(wanted, area->height())));
        if (rect.bottom() >= area->height())
            rect.moveBottom(area->height() - 1);
        rect.moveTop(std::max(rect.top(), 0));
        editor->setGeometry(rect);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        auto* text = qobject_cast<QPlainTextEdit*>(watched);
        if (text && event->type() == QEvent::KeyPress) {
            const auto* key = static_cast<QKeyEvent*>(event);
            if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
                if (key->modifiers().testFlag(Qt::ShiftModifier)) {
                    text->insertPlainText(QStringLiteral("\n"));
                } else {
                    emit commitData(text);
                    emit closeEditor(text);
                }
                return true;
            }
        }
        return QStyledItemDelegate::eventFilter(watched, event);
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
            if (kind == Kind::Int) {
                const Range range = intRange(property);
                row->setData(VALUE_COLUMN, MINIMUM_ROLE, range.minimum);
                row->setData(VALUE_COLUMN, MAXIMUM_ROLE, range.maximum);
            } else if (kind == Kind::Enum) {
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
            case Kind::Enum:
            case Kind::Flags:
            case Kind::Text:
            case Kind::Double:
            case Kind::Size:
            case Kind::Point:
            case Kind::Rect:
            case Kind::Color:
            case Kind::Font:
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
    const Kind kind = Kind(item->data(VALUE_COLUMN, KIND_ROLE).toInt());
    switch (kind) {
    case Kind::Bool:
        value = item->checkState(VALUE_COLUMN) == Qt::Checked;
        break;
    case Kind::Int:
        value = item->data(VALUE_COLUMN, Qt::EditRole).toInt(&understood);
        break;
    case Kind::Double:
    case Kind::Size:
    case Kind::Point:
    case Kind::Rect:
    case Kind::Color:
    case Kind::Font: {
        const std::optional<QVariant> parsed =
            parseValue(kind, item->text(VALUE_COLUMN), property.read(_target));
        understood = parsed.has_value();
        value = parsed.value_or(QVariant());
        break;
    }
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
