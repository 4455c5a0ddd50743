// SPDX-License-Identifier: MIT
#include "style_rule_p.h"

#include "name_selector_p.h"
#include "qss_parser_p.h"
#include "qss_selector_p.h"

#include <QMetaProperty>
#include <QObject>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>
#include <QWidget>

#include <array>

namespace tarnwickview::detail {
namespace {

constexpr QLatin1StringView RULE_BODY_INDENT("    ");

// Properties that tell widgets apart best, tried before the others.
constexpr std::array TELLING_PROPERTIES{"text", "title", "windowTitle", "placeholderText", "accessibleName",
                                        "toolTip"};

QString className(const QObject* obj)
{
    return QString::fromLatin1(obj->metaObject()->className()).replace(QStringLiteral("::"), QStringLiteral("--"));
}

QString quoted(const QString& text)
{
    QString result = text;
    result.replace(u'\\', QStringLiteral("\\\\")).replace(u'"', QStringLiteral("\\\""));
    return u'"' + result + u'"';
}

// The widgets `selector` matches among `widgets`, at most two.
int matchCount(const QString& selector, const QList<const QWidget*>& widgets, const QWidget* wanted, bool& hitsWanted)
{
    const QssSheet sheet = parseStyleSheet(selector + QStringLiteral(" {}"));
    hitsWanted = false;
    if (!sheet.errors.isEmpty() || sheet.rules.size() != 1 || sheet.rules.first().selectors.size() != 1)
        return -1;
    const QssSelector& parsed = sheet.rules.first().selectors.first();
    int count = 0;
    for (const QWidget* widget : widgets) {
        if (selectorMatches(parsed, widget)) {
            hitsWanted = hitsWanted || widget == wanted;
            if (++count > 1)
                break;
        }
    }
    return count;
}

bool picksAlone(const QString& selector, const QList<const QWidget*>& widgets, const QWidget* wanted)
{
    bool hitsWanted = false;
    return matchCount(selector, widgets, wanted, hitsWanted) == 1 && hitsWanted;
}

QList<const QWidget*> childWidgets(const QWidget* parent)
{
    QList<const QWidget*> children;
    for (const QObject* child : parent->children()) {
        if (child->isWidgetType())
            children.append(static_cast<const QWidget*>(child));
    }
    return children;
}

// A property selector whose text no sibling in `rivals` shares, or empty.
QString tellingProperty(const QWidget* widget, const QList<const QWidget*>& rivals)
{
    const QMetaObject* meta = widget->metaObject();
    QList<QByteArray> names;
    for (const char* name : TELLING_PROPERTIES)
        names.append(name);
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty property = meta->property(i);
        // Values read back from the layout (position, size) cannot be written: leave them out.
        if (property.isReadable() && property.isWritable() && property.isStored() && property.isDesignable() &&
            !names.contains(property.name()))
            names.append(property.name());
    }
    for (const QByteArray& name : names) {
        const QString key = QString::fromLatin1(name);
        const QString text = propertyText(widget, key);
        if (text.isEmpty() || text.size() > 60 || text.contains(u'\n') || key == QLatin1StringView("objectName"))
            continue;
        const bool shared = std::any_of(rivals.begin(), rivals.end(), [&key, &text](const QWidget* rival) {
            return propertyText(rival, key) == text;
        });
        if (!shared)
            return u'[' + key + u'=' + quoted(text) + u']';
    }
    return {};
}

// The widgets other than `widget` among `candidates` (and in `scope`) that `step` matches.
QList<const QWidget*> rivalsOf(const QString& step, const QWidget* widget, const QList<const QWidget*>& candidates,
                               const QList<const QWidget*>& scope)
{
    QList<const QWidget*> rivals;
    const QssSheet sheet = parseStyleSheet(step + QStringLiteral(" {}"));
    if (sheet.rules.isEmpty())
        return rivals;
    const QssSelector& parsed = sheet.rules.first().selectors.first();
    for (const QWidget* other : candidates) {
        if (other != widget && scope.contains(other) && selectorMatches(parsed, other))
            rivals.append(other);
    }
    return rivals;
}

// One step of a child chain: the class (exact when a subclass would be confused with it), the
// name, and what tells it from its siblings (from the whole tree, for the top of the chain).
QString chainStep(const QWidget* widget, const QList<const QWidget*>& scope, bool top)
{
    const QString name = widget->objectName().isEmpty() ? QString() : nameSelector(widget->objectName());
    QString step = className(widget) + name;
    if (!widget->parentWidget())
        return step;
    const QList<const QWidget*> candidates = top ? scope : childWidgets(widget->parentWidget());
    QList<const QWidget*> rivals = rivalsOf(step, widget, candidates, scope);
    if (rivals.isEmpty())
        return step;
    const QString exact = u'.' + className(widget) + name;
    if (QList<const QWidget*> fewer = rivalsOf(exact, widget, candidates, scope); fewer.size() < rivals.size()) {
        step = exact;
        rivals = std::move(fewer);
    }
    return rivals.isEmpty() ? step : step + tellingProperty(widget, rivals);
}

} // namespace

QString exactSelector(const QWidget* widget, const QWidget* window)
{
    QList<const QWidget*> scope{window};
    for (const QWidget* child : window->findChildren<QWidget*>())
        scope.append(child);
    if (!scope.contains(widget))
        return {};
    if (!widget->objectName().isEmpty()) {
        const QString byName = nameSelector(widget->objectName());
        if (picksAlone(byName, scope, widget))
            return byName;
    }
    QStringList steps;
    QString anchor;
    for (const QWidget* node = widget; node; node = node == window ? nullptr : node->parentWidget()) {
        if (node != widget && !node->objectName().isEmpty()) {
            const QString byName = nameSelector(node->objectName());
            if (picksAlone(byName, scope, node)) {
                anchor = byName;
                break;
            }
        }
        steps.prepend(chainStep(node, scope, node == window));
    }
    if (!anchor.isEmpty())
        steps.prepend(anchor);
    const QString selector = steps.join(QStringLiteral(" > "));
    return picksAlone(selector, scope, widget) ? selector : QString();
}

void insertRuleSkeleton(QPlainTextEdit* editor, const QString& selector)
{
    QTextDocument* document = editor->document();
    const QRegularExpression existing(QStringLiteral("^[ \\t]*") + QRegularExpression::escape(selector) +
                                          QStringLiteral("[ \\t]*\\{[^\\n]*\\n?"),
                                      QRegularExpression::MultilineOption);
    const QRegularExpressionMatch found = existing.match(editor->toPlainText());
    QTextCursor cursor(document);
    if (found.hasMatch()) {
        cursor.setPosition(int(found.capturedEnd()));
    } else {
        const QString text = editor->toPlainText();
        QString before;
        if (!text.isEmpty())
            before = text.endsWith(u'\n') ? QStringLiteral("\n") : QStringLiteral("\n\n");
        cursor.movePosition(QTextCursor::End);
        cursor.insertText(before + selector + QStringLiteral(" {\n") + RULE_BODY_INDENT);
        const int inside = cursor.position();
        cursor.insertText(QStringLiteral("\n}\n"));
        cursor.setPosition(inside);
    }
    editor->setTextCursor(cursor);
    editor->ensureCursorVisible();
    editor->setFocus(Qt::OtherFocusReason);
}

} // namespace tarnwickview::detail
