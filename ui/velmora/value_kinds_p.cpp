// SPDX-License-Identifier: MIT
#include "value_kinds_p.h"

#include "radio_group_p.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <map>
#include <stdexcept>
#include <string>
#include <utility>

namespace velmora::detail {
namespace {

template<class Error> [[noreturn]] void fail(const NamedTarget& target, const std::string& why)
{
    throw Error(std::string(target.operation) + ": \"" + target.name.toStdString() + "\" " + why);
}

std::string typeName(const QVariant& value)
{
    const char* name = value.typeName();
    return name ? name : "an empty value";
}

[[noreturn]] void failType(const NamedTarget& target, const char* wanted, const QVariant& value)
{
    fail<std::invalid_argument>(target, std::string("takes ") + wanted + ", not " + typeName(value));
}

QString requireText(const QVariant& value, const NamedTarget& target)
{
    if (value.typeId() != QMetaType::QString)
        failType(target, "a QString", value);
    return value.toString();
}

bool requireBool(const QVariant& value, const NamedTarget& target)
{
    if (value.typeId() != QMetaType::Bool)
        failType(target, "a bool", value);
    return value.toBool();
}

bool isSignedInteger(int type)
{
    return type == QMetaType::Int || type == QMetaType::LongLong || type == QMetaType::Long ||
           type == QMetaType::Short || type == QMetaType::Char || type == QMetaType::SChar;
}

bool isUnsignedInteger(int type)
{
    return type == QMetaType::UInt || type == QMetaType::ULongLong || type == QMetaType::ULong ||
           type == QMetaType::UShort || type == QMetaType::UChar;
}

[[noreturn]] void failRange(const NamedTarget& target, const QString& value, const QString& min, const QString& max)
{
    fail<std::out_of_range>(target, "cannot take " + value.toStdString() + ": outside " + min.toStdString() +
                                        " .. " + max.toStdString());
}

// Any integer type, compared in its own signedness so that no value wraps into the range.
int requireInt(const QVariant& value, int min, int max, const NamedTarget& target)
{
    const int type = value.typeId();
    bool inRange = false;
    if (isSignedInteger(type)) {
        const qlonglong number = value.toLongLong();
        inRange = number >= min && number <= max;
    } else if (isUnsignedInteger(type)) {
        const qulonglong number = value.toULongLong();
        inRange = max >= 0 && number <= qulonglong(max) && (min <= 0 || number >= qulonglong(min));
    } else {
        failType(target, "an integer", value);
    }
    if (!inRange)
        failRange(target, value.toString(), QString::number(min), QString::number(max));
    return int(value.toLongLong());
}

double requireNumber(const QVariant& value, double min, double max, const NamedTarget& target)
{
    const int type = value.typeId();
    if (!isSignedInteger(type) && !isUnsignedInteger(type) && type != QMetaType::Double &&
        type != QMetaType::Float)
        failType(target, "a number", value);
    const double number = value.toDouble();
    // Written so that NaN falls outside too.
    if (!(number >= min && number <= max))
        failRange(target, value.toString(), QString::number(min), QString::number(max));
    return number;
}

QDate requireDate(const QVariant& value, const QDate& min, const QDate& max, const NamedTarget& target)
{
    if (value.typeId() != QMetaType::QDate)
        failType(target, "a QDate", value);
    const QDate date = value.toDate();
    if (!date.isValid())
        fail<std::invalid_argument>(target, "takes a valid date, not a null one");
    if (date < min || date > max)
        failRange(target, date.toString(Qt::ISODate), min.toString(Qt::ISODate), max.toString(Qt::ISODate));
    return date;
}

template<class W> const W* as(const QWidget* widget)
{
    return static_cast<const W*>(widget);
}

template<class W> W* as(QWidget* widget)
{
    return static_cast<W*>(widget);
}

QVariant checkText(const QWidget*, const QVariant& value, const NamedTarget& target)
{
    return requireText(value, target);
}

QVariant checkBool(const QWidget*, const QVariant& value, const NamedTarget& target)
{
    return requireBool(value, target);
}

template<class W> QVariant checkInRange(const QWidget* widget, const QVariant& value, const NamedTarget& target)
{
    return requireInt(value, as<W>(widget)->minimum(), as<W>(widget)->maximum(), target);
}

template<class W> QVariant readInt(const QWidget* widget)
{
    return as<W>(widget)->value();
}

template<class W> void writeInt(QWidget* widget, const QVariant& value)
{
    // Qt's setters emit the change signal only for a new value.
    as<W>(widget)->setValue(value.toInt());
}

void writeChecked(QWidget* widget, const QVariant& value)
{
    as<QAbstractButton>(widget)->setChecked(value.toBool());
}

QAbstractButton* radioOption(const QWidget* widget, const QString& text)
{
    for (QAbstractButton* button : radioGroupOf(widget)->buttons()) {
        if (button->text() == text)
            return button;
    }
    return nullptr;
}

struct Entry
{
    const QMetaObject* type;
    // Narrows `type` further; null takes every widget of the type.
    bool (*accepts)(const QWidget* widget);
    ValueKind kind;
};

// One entry per widget kind. A widget takes the entry of its most derived listed class.
const Entry kEntries[] = {
    {&QLineEdit::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QLineEdit>(w)->text(); }, checkText,
      [](QWidget* w, const QVariant& v) {
          if (as<QLineEdit>(w)->text() != v.toString())
              as<QLineEdit>(w)->setText(v.toString());
      }}},
    {&QLabel::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QLabel>(w)->text(); }, checkText,
      [](QWidget* w, const QVariant& v) { as<QLabel>(w)->setText(v.toString()); }}},
    {&QPlainTextEdit::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QPlainTextEdit>(w)->toPlainText(); }, checkText,
      [](QWidget* w, const QVariant& v) {
          // setPlainText() signals a change even for the same text.
          if (as<QPlainTextEdit>(w)->toPlainText() != v.toString())
              as<QPlainTextEdit>(w)->setPlainText(v.toString());
      }}},
    {&QComboBox::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QComboBox>(w)->currentText(); },
      [](const QWidget* w, const QVariant& v, const NamedTarget& target) -> QVariant {
          const QString text = requireText(v, target);
          if (as<QComboBox>(w)->findText(text, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
              fail<std::invalid_argument>(target, "has no entry \"" + text.toStdString() + "\"");
          return text;
      },
      [](QWidget* w, const QVariant& v) {
          auto* combo = as<QComboBox>(w);
          // Of two equal entries, the current one stays.
          if (combo->currentText() != v.toString())
              combo->setCurrentIndex(combo->findText(v.toString(), Qt::MatchExactly | Qt::MatchCaseSensitive));
      }}},
    {&QWidget::staticMetaObject, [](const QWidget* w) { return radioGroupOf(w) != nullptr; },
     {[](const QWidget* w) -> QVariant {
          const QAbstractButton* checked = radioGroupOf(w)->checkedButton();
          return checked ? checked->text() : QString();
      },
      [](const QWidget* w, const QVariant& v, const NamedTarget& target) -> QVariant {
          const QString text = requireText(v, target);
          if (!radioOption(w, text))
              fail<std::invalid_argument>(target, "has no option \"" + text.toStdString() + "\"");
          return text;
      },
      [](QWidget* w, const QVariant& v) { radioOption(w, v.toString())->setChecked(true); }}},
    {&QCheckBox::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QCheckBox>(w)->isChecked(); }, checkBool, writeChecked}},
    {&QRadioButton::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QRadioButton>(w)->isChecked(); },
      [](const QWidget*, const QVariant& v, const NamedTarget& target) -> QVariant {
          // Qt unchecks a radio button only by checking another one.
          if (!requireBool(v, target))
              fail<std::invalid_argument>(target, "is a radio button, which takes only true");
          return true;
      },
      writeChecked}},
    {&QAbstractButton::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant {
          const auto* button = as<QAbstractButton>(w);
          return button->isCheckable() ? QVariant(button->isChecked()) : QVariant(button->text());
      },
      [](const QWidget* w, const QVariant& v, const NamedTarget& target) -> QVariant {
          return as<QAbstractButton>(w)->isCheckable() ? requireBool(v, target) : QVariant(requireText(v, target));
      },
      [](QWidget* w, const QVariant& v) {
          // Never click(): a button's click callback does not run from here.
          auto* button = as<QAbstractButton>(w);
          if (button->isCheckable())
              button->setChecked(v.toBool());
          else
              button->setText(v.toString());
      }}},
    {&QSpinBox::staticMetaObject, nullptr, {readInt<QSpinBox>, checkInRange<QSpinBox>, writeInt<QSpinBox>}},
    {&QSlider::staticMetaObject, nullptr, {readInt<QSlider>, checkInRange<QSlider>, writeInt<QSlider>}},
    {&QProgressBar::staticMetaObject, nullptr,
     {readInt<QProgressBar>, checkInRange<QProgressBar>, writeInt<QProgressBar>}},
    {&QDoubleSpinBox::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QDoubleSpinBox>(w)->value(); },
      [](const QWidget* w, const QVariant& v, const NamedTarget& target) -> QVariant {
          return requireNumber(v, as<QDoubleSpinBox>(w)->minimum(), as<QDoubleSpinBox>(w)->maximum(), target);
      },
      [](QWidget* w, const QVariant& v) { as<QDoubleSpinBox>(w)->setValue(v.toDouble()); }}},
    {&QDateEdit::staticMetaObject, nullptr,
     {[](const QWidget* w) -> QVariant { return as<QDateEdit>(w)->date(); },
      [](const QWidget* w, const QVariant& v, const NamedTarget& target) -> QVariant {
          return requireDate(v, as<QDateEdit>(w)->minimumDate(), as<QDateEdit>(w)->maximumDate(), target);
      },
      [](QWidget* w, const QVariant& v) { as<QDateEdit>(w)->setDate(v.toDate()); }}},
};

} // namespace

const ValueKind* valueKindOf(const QWidget* widget) noexcept
{
    for (const QMetaObject* type = widget->metaObject(); type; type = type->superClass()) {
        for (const Entry& entry : kEntries) {
            if (entry.type == type)
                return !entry.accepts || entry.accepts(widget) ? &entry.kind : nullptr;
        }
    }
    return nullptr;
}

QWidget* requireNamed(QWidget* widget, const NamedTarget& target)
{
    if (!widget)
        throw std::out_of_range(std::string(target.operation) + ": no widget is named \"" +
                                target.name.toStdString() + "\"");
    return widget;
}

namespace {

const ValueKind& requireKind(const QWidget* widget, const NamedTarget& target)
{
    const ValueKind* kind = valueKindOf(widget);
    if (!kind)
        fail<std::invalid_argument>(target, std::string("is a ") + widget->metaObject()->className() +
                                                ", which holds no value");
    return *kind;
}

} // namespace

QVariant readValue(const QWidget* widget, const NamedTarget& target)
{
    requireNamed(const_cast<QWidget*>(widget), target);
    return requireKind(widget, target).read(widget);
}

CheckedValue checkValue(QWidget* widget, const QVariant& value, const NamedTarget& target)
{
    requireNamed(widget, target);
    const ValueKind& kind = requireKind(widget, target);
    return {widget, &kind, kind.check(widget, value, target)};
}

void writeValue(const CheckedValue& checked)
{
    if (checked.widget)
        checked.kind->write(checked.widget, checked.value);
}

QVariantMap valuesOf(std::vector<std::pair<const QString*, QWidget*>>&& named)
{
    // Sorted by name first, so that the map below takes each entry at its end with one comparison
    // instead of searching its tree; a stable sort keeps the first widget of each name first.
    std::stable_sort(named.begin(), named.end(), [](const auto& a, const auto& b) { return *a.first < *b.first; });
    std::map<QString, QVariant> values;
    const QString* previous = nullptr;
    for (const auto& [name, widget] : named) {
        if (previous && *previous == *name)
            continue;
        previous = name;
        if (const ValueKind* kind = valueKindOf(widget))
            values.emplace_hint(values.end(), *name, kind->read(widget));
    }
    // Takes the tree over as it is, without copying a node.
    return QVariantMap(std::move(values));
}

void replaceOptions(QWidget* widget, const QStringList& options, std::optional<int> current,
                    const NamedTarget& target)
{
    auto* combo = qobject_cast<QComboBox*>(requireNamed(widget, target));
    if (!combo) {
        fail<std::invalid_argument>(target, std::string("is a ") + widget->metaObject()->className() +
                                                ", not a drop-down");
    }
    if (current && (*current < 0 || *current >= options.size())) {
        fail<std::out_of_range>(target, "has no entry " + std::to_string(*current) + " among 0 .. " +
                                            std::to_string(options.size() - 1));
    }
    const int indexBefore = combo->currentIndex();
    const QString textBefore = combo->currentText();
    {
        // Emptying and refilling passes through states nobody chose; only the outcome is signalled.
        const QSignalBlocker blocker(combo);
        combo->clear();
        combo->addItems(options);
        if (!options.isEmpty())
            combo->setCurrentIndex(current.value_or(0));
    }
    const QString textAfter = combo->currentText();
    if (combo->currentIndex() != indexBefore || textAfter != textBefore)
        Q_EMIT combo->currentIndexChanged(combo->currentIndex());
    if (textAfter != textBefore)
        Q_EMIT combo->currentTextChanged(textAfter);
}

} // namespace velmora::detail
