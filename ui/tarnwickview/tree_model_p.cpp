#include "tree_model_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSet>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

namespace tarnwickview::detail {
namespace {

QString quoted(const QString& text)
{
    return QLatin1Char('\'') + text + QLatin1Char('\'');
}

// Spaces and separators other than the ASCII space would be invisible or break the line, and the
// other categories have no glyph of their own; all of them are spelled out as escapes.
bool isPrintable(char32_t codePoint)
{
    switch (QChar::category(codePoint)) {
    case QChar::Other_Control:
    case QChar::Other_Format:
    case QChar::Other_Surrogate:
    case QChar::Other_PrivateUse:
    case QChar::Other_NotAssigned:
    case QChar::Separator_Line:
    case QChar::Separator_Paragraph:
        return false;
    case QChar::Separator_Space:
        return codePoint == U' ';
    default:
        return true;
    }
}

void appendEscape(QString& out, char32_t codePoint)
{
    if (codePoint < 0x100)
        out += QStringLiteral("\\x%1").arg(uint(codePoint), 2, 16, QLatin1Char('0'));
    else if (codePoint < 0x10000)
        out += QStringLiteral("\\u%1").arg(uint(codePoint), 4, 16, QLatin1Char('0'));
    else
        out += QStringLiteral("\\U%1").arg(uint(codePoint), 8, 16, QLatin1Char('0'));
}

QString quoteTitle(const QString& title)
{
    const QChar quote = title.contains(QLatin1Char('\'')) && !title.contains(QLatin1Char('"'))
                            ? QLatin1Char('"')
                            : QLatin1Char('\'');
    QString out;
    out.reserve(title.size() + 2);
    out += quote;
    for (qsizetype i = 0; i < title.size(); ++i) {
        char32_t codePoint = title.at(i).unicode();
        const bool pair =
            title.at(i).isHighSurrogate() && i + 1 < title.size() && title.at(i + 1).isLowSurrogate();
        if (pair) {
            codePoint = QChar::surrogateToUcs4(title.at(i), title.at(i + 1));
            ++i;
        }
        if (codePoint == U'\\' || codePoint == quote.unicode()) {
            out += QLatin1Char('\\');
            out += QChar(codePoint);
        } else if (codePoint == U'\t') {
            out += QLatin1String("\\t");
        } else if (codePoint == U'\n') {
            out += QLatin1String("\\n");
        } else if (codePoint == U'\r') {
            out += QLatin1String("\\r");
        } else if (!isPrintable(codePoint)) {
            appendEscape(out, codePoint);
        } else if (pair) {
            out += title.at(i - 1);
            out += title.at(i);
        } else {
            out += title.at(i);
        }
    }
    out += quote;
    return out;
}

QString titleList(const QStringList& titles)
{
    QString out = QStringLiteral("[");
    for (qsizetype i = 0; i < titles.size(); ++i) {
        if (i > 0)
            out += QStringLiteral(", ");
        out += quoteTitle(titles.at(i));
    }
    out += QLatin1Char(']');
    return out;
}

QString body(const QObject* obj)
{
    if (auto* label = qobject_cast<const QLabel*>(obj))
        return QStringLiteral("QLabel  ") + quoted(label->text());
    if (auto* button = qobject_cast<const QPushButton*>(obj))
        return QStringLiteral("QPushButton  ") + quoted(button->text());
    if (auto* table = qobject_cast<const QTableWidget*>(obj))
        return QStringLiteral("QTableWidget  %1\u00d7%2").arg(table->rowCount()).arg(table->columnCount());
    if (auto* edit = qobject_cast<const QLineEdit*>(obj))
        return QStringLiteral("QLineEdit  placeholder=") + quoted(edit->placeholderText());
    if (auto* combo = qobject_cast<const QComboBox*>(obj))
        return QStringLiteral("QComboBox  %1 options").arg(combo->count());
    if (auto* check = qobject_cast<const QCheckBox*>(obj))
        return QStringLiteral("QCheckBox  ") + quoted(check->text());
    if (auto* tabs = qobject_cast<const QTabWidget*>(obj)) {
        QStringList titles;
        titles.reserve(tabs->count());
        for (int i = 0; i < tabs->count(); ++i)
            titles.append(tabs->tabText(i));
        return QStringLiteral("QTabWidget  ") + titleList(titles);
    }
    if (qobject_cast<const QScrollArea*>(obj))
        return QStringLiteral("QScrollArea");
    if (auto* progress = qobject_cast<const QProgressBar*>(obj))
        return QStringLiteral("QProgressBar  %1/%2").arg(progress->value()).arg(progress->maximum());
    if (auto* slider = qobject_cast<const QSlider*>(obj))
        return QStringLiteral("QSlider  %1").arg(slider->value());
    return _class_name(obj);
}

} // namespace

QList<QWidget*> _visual_children(const QObject* obj)
{
    QList<QWidget*> children;
    for (QObject* child : obj->children()) {
        if (child->isWidgetType())
            children.append(static_cast<QWidget*>(child));
    }
    const QLayout* layout = obj->isWidgetType() ? static_cast<const QWidget*>(obj)->layout() : nullptr;
    if (!layout)
        return children;

    QList<QWidget*> ordered;
    ordered.reserve(children.size());
    QSet<const QWidget*> seen;
    seen.reserve(layout->count());
    for (int i = 0; i < layout->count(); ++i) {
        QLayoutItem* item = layout->itemAt(i);
        QWidget* widget = item ? item->widget() : nullptr;
        // A direct child is exactly a widget whose parent is `obj`: an O(1) test in place of a
        // search through `children`, which keeps wide layouts linear.
        if (widget && widget->parent() == obj && !seen.contains(widget)) {
            ordered.append(widget);
            seen.insert(widget);
        }
    }
    for (QWidget* child : children) {
        if (!seen.contains(child))
            ordered.append(child);
    }
    return ordered;
}

QString _class_name(const QObject* obj)
{
    const QString name = QString::fromLatin1(obj->metaObject()->className());
    const qsizetype scope = name.lastIndexOf(QLatin1String("::"));
    return scope < 0 ? name : name.mid(scope + 2);
}

QString _node_label(const QObject* obj)
{
    const QString name = obj->objectName();
    if (name.isEmpty())
        return body(obj);
    return body(obj) + QStringLiteral("  [#") + name + QLatin1Char(']');
}

} // namespace tarnwickview::detail
