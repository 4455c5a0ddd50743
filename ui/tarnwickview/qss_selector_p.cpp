// SPDX-License-Identifier: MIT
#include "qss_selector_p.h"

#include <QMetaProperty>
#include <QWidget>

#include <cstring>

namespace tarnwickview::detail {
namespace {

bool inherits(const QWidget* widget, const QByteArray& className)
{
    for (const QMetaObject* meta = widget->metaObject(); meta; meta = meta->superClass()) {
        if (std::strcmp(meta->className(), className.constData()) == 0)
            return true;
    }
    return false;
}

bool textMatches(const QssAttribute& attribute, const QString& text)
{
    switch (attribute.match) {
    case QssAttributeMatch::Exists:
        return !text.isNull();
    case QssAttributeMatch::Equals:
        return !text.isNull() && text == attribute.value;
    case QssAttributeMatch::ContainsWord:
        return text.split(u' ', Qt::SkipEmptyParts).contains(attribute.value);
    case QssAttributeMatch::DashPrefix:
        return text == attribute.value || text.startsWith(attribute.value + u'-');
    }
    return false;
}

bool attributeMatches(const QssAttribute& attribute, const QWidget* widget)
{
    if (textMatches(attribute, propertyText(widget, attribute.name)))
        return true;
    // Qt compares an enumeration both by its key and by its number.
    const QByteArray key = attribute.name.toLatin1();
    const int index = widget->metaObject()->indexOfProperty(key.constData());
    return index >= 0 && widget->metaObject()->property(index).isEnumType() &&
           textMatches(attribute, QString::number(widget->property(key.constData()).toInt()));
}

bool compoundMatches(const QssCompound& compound, const QWidget* widget)
{
    if (!compound.element.isEmpty() && compound.element != "*" && !inherits(widget, compound.element))
        return false;
    for (const QByteArray& exact : compound.exactClasses) {
        if (std::strcmp(widget->metaObject()->className(), exact.constData()) != 0)
            return false;
    }
    for (const QString& id : compound.ids) {
        if (widget->objectName() != id)
            return false;
    }
    for (const QssAttribute& attribute : compound.attributes) {
        if (!attributeMatches(attribute, widget))
            return false;
    }
    return true;
}

// Compounds [0, last] against `widget` and its ancestors, right to left.
bool matchesFrom(const QList<QssCompound>& compounds, qsizetype last, const QWidget* widget)
{
    if (!compoundMatches(compounds.at(last), widget))
        return false;
    if (last == 0)
        return true;
    switch (compounds.at(last).combinator) {
    case QssCombinator::Child:
        return widget->parentWidget() && matchesFrom(compounds, last - 1, widget->parentWidget());
    case QssCombinator::Descendant:
        for (const QWidget* up = widget->parentWidget(); up; up = up->parentWidget()) {
            if (matchesFrom(compounds, last - 1, up))
                return true;
        }
        return false;
    case QssCombinator::Sibling:
        return false;
    }
    return false;
}

} // namespace

QString propertyText(const QWidget* widget, const QString& name)
{
    const QByteArray key = name.toLatin1();
    const QMetaObject* meta = widget->metaObject();
    const QVariant value = widget->property(key.constData());
    if (!value.isValid()) {
        if (name == QLatin1StringView("class"))
            return QString::fromLatin1(meta->className()).replace(u':', u'-');
        return {};
    }
    if (const int index = meta->indexOfProperty(key.constData()); index >= 0) {
        const QMetaProperty property = meta->property(index);
        if (property.isEnumType()) {
            const QMetaEnum enumerator = property.enumerator();
            const QByteArray keys = enumerator.isFlag() ? enumerator.valueToKeys(value.toInt())
                                                        : QByteArray(enumerator.valueToKey(value.toInt()));
            return QString::fromLatin1(keys);
        }
    }
    if (value.userType() == QMetaType::QStringList)
        return value.toStringList().join(u' ');
    QString text = value.toString();
    return text.isNull() ? QStringLiteral("") : text;
}

bool selectorMatches(const QssSelector& selector, const QWidget* widget)
{
    return selector.knownStates && !selector.compounds.isEmpty() &&
           matchesFrom(selector.compounds, selector.compounds.size() - 1, widget);
}

bool conditionHolds(const QssSelector& selector, const QStringList& states)
{
    for (const QssPseudoState& state : selector.compounds.constLast().pseudoStates) {
        if (states.contains(state.name) == state.negated)
            return false;
    }
    return true;
}

QString conditionText(const QssSelector& selector)
{
    const QssCompound& last = selector.compounds.constLast();
    QString text;
    if (!last.subControl.isEmpty())
        text += QStringLiteral("::") + last.subControl;
    for (const QssPseudoState& state : last.pseudoStates)
        text += (state.negated ? QStringLiteral(":!") : QStringLiteral(":")) + state.name;
    return text;
}

} // namespace tarnwickview::detail
