#include "tree_model_p.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>

#include <vector>

namespace tarnwickview::detail {
namespace {

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

void appendQuotedTitle(QString& out, const QString& title)
{
    const QChar quote = title.contains(QLatin1Char('\'')) && !title.contains(QLatin1Char('"'))
                            ? QLatin1Char('"')
                            : QLatin1Char('\'');
    out += quote;
    for (qsizetype i = 0; i < title.size(); ++i) {
        const qsizetype first = i;
        char32_t codePoint = title.at(i).unicode();
        if (title.at(i).isHighSurrogate() && i + 1 < title.size() && title.at(i + 1).isLowSurrogate()) {
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
        } else {
            out += QStringView(title).sliced(first, i - first + 1);
        }
    }
    out += quote;
}

void appendTitleList(QString& out, const QTabWidget* tabs)
{
    out += QLatin1Char('[');
    for (int i = 0; i < tabs->count(); ++i) {
        if (i > 0)
            out += QLatin1String(", ");
        appendQuotedTitle(out, tabs->tabText(i));
    }
    out += QLatin1Char(']');
}

// Texts are inserted as the widget returns them: not trimmed, not escaped.
void appendQuoted(QString& out, QLatin1String word, const QString& text)
{
    out += word;
    out += QLatin1Char('\'');
    out += text;
    out += QLatin1Char('\'');
}

void appendBody(QString& out, const QObject* obj)
{
    if (auto* label = qobject_cast<const QLabel*>(obj)) {
        appendQuoted(out, QLatin1String("QLabel  "), label->text());
    } else if (auto* button = qobject_cast<const QPushButton*>(obj)) {
        appendQuoted(out, QLatin1String("QPushButton  "), button->text());
    } else if (auto* table = qobject_cast<const QTableWidget*>(obj)) {
        out += QLatin1String("QTableWidget  ");
        out += QString::number(table->rowCount());
        out += QChar(0x00d7);
        out += QString::number(table->columnCount());
    } else if (auto* edit = qobject_cast<const QLineEdit*>(obj)) {
        appendQuoted(out, QLatin1String("QLineEdit  placeholder="), edit->placeholderText());
    } else if (auto* combo = qobject_cast<const QComboBox*>(obj)) {
        out += QLatin1String("QComboBox  ");
        out += QString::number(combo->count());
        out += QLatin1String(" options");
    } else if (auto* check = qobject_cast<const QCheckBox*>(obj)) {
        appendQuoted(out, QLatin1String("QCheckBox  "), check->text());
    } else if (auto* tabs = qobject_cast<const QTabWidget*>(obj)) {
        out += QLatin1String("QTabWidget  ");
        appendTitleList(out, tabs);
    } else if (qobject_cast<const QScrollArea*>(obj)) {
        out += QLatin1String("QScrollArea");
    } else if (auto* progress = qobject_cast<const QProgressBar*>(obj)) {
        out += QLatin1String("QProgressBar  ");
        out += QString::number(progress->value());
        out += QLatin1Char('/');
        out += QString::number(progress->maximum());
    } else if (auto* slider = qobject_cast<const QSlider*>(obj)) {
        out += QLatin1String("QSlider  ");
        out += QString::number(slider->value());
    } else {
        out += _class_name(obj);
    }
}

} // namespace

QList<QWidget*> _visual_children(const QObject* obj)
{
    const QObjectList& objects = obj->children();
    const QLayout* layout = obj->isWidgetType() ? static_cast<const QWidget*>(obj)->layout() : nullptr;
    QList<QWidget*> result;
    if (!layout) {
        for (QObject* child : objects) {
            if (child->isWidgetType())
                result.append(static_cast<QWidget*>(child));
        }
        return result;
    }

    // Where each direct child stands in the child list: the layout pass tells a child from a
    // foreign widget and marks it placed by hashing, without searching the list or reading the
    // child itself, which keeps wide layouts linear and light on memory traffic.
    QHash<const QObject*, qsizetype> position;
    position.reserve(objects.size());
    for (qsizetype i = 0; i < objects.size(); ++i)
        position.insert(objects.at(i), i);
    std::vector<bool> placed(size_t(objects.size()), false);

    result.reserve(objects.size());
    for (int i = 0; i < layout->count(); ++i) {
        const QLayoutItem* item = layout->itemAt(i);
        QWidget* widget = item ? item->widget() : nullptr;
        const auto found = widget ? position.constFind(widget) : position.cend();
        if (found == position.cend() || placed[size_t(*found)])
            continue;
        placed[size_t(*found)] = true;
        result.append(widget);
    }
    for (qsizetype i = 0; i < objects.size(); ++i) {
        QObject* child = objects.at(i);
        if (!placed[size_t(i)] && child->isWidgetType())
            result.append(static_cast<QWidget*>(child));
    }
    return result;
}

QString _class_name(const QObject* obj)
{
    const QString name = QString::fromLatin1(obj->metaObject()->className());
    const qsizetype scope = name.lastIndexOf(QLatin1String("::"));
    return scope < 0 ? name : name.mid(scope + 2);
}

void _append_node_label(QString& out, const QObject* obj)
{
    appendBody(out, obj);
    const QString name = obj->objectName();
    if (!name.isEmpty()) {
        out += QLatin1String("  [#");
        out += name;
        out += QLatin1Char(']');
    }
}

QString _node_label(const QObject* obj)
{
    QString label;
    _append_node_label(label, obj);
    return label;
}

} // namespace tarnwickview::detail
