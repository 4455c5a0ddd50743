// SPDX-License-Identifier: MIT
#include "node_label_p.h"

#include "append_pieces_p.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDockWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QProgressBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSlider>
#include <QTabWidget>
#include <QTableWidget>
#include <QToolButton>

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
void appendQuoted(QString& out, QStringView word, const QString& text)
{
    appendPieces(out, {word, u"'", text, u"'"});
}

// The kinds of widget that have a label of their own. A widget takes the first kind in this
// order that its class inherits, so a class deriving from two of them reads as the earlier one.
enum class NodeKind : unsigned char {
    Label,
    PushButton,
    TableWidget,
    LineEdit,
    ComboBox,
    CheckBox,
    TabWidget,
    ScrollArea,
    ProgressBar,
    Slider,
    Other,
};

struct KindRow
{
    const QMetaObject* meta;
    NodeKind kind;
};

constexpr KindRow KIND_ROWS[] = {
    {&QLabel::staticMetaObject, NodeKind::Label},
    {&QPushButton::staticMetaObject, NodeKind::PushButton},
    {&QTableWidget::staticMetaObject, NodeKind::TableWidget},
    {&QLineEdit::staticMetaObject, NodeKind::LineEdit},
    {&QComboBox::staticMetaObject, NodeKind::ComboBox},
    {&QCheckBox::staticMetaObject, NodeKind::CheckBox},
    {&QTabWidget::staticMetaObject, NodeKind::TabWidget},
    {&QScrollArea::staticMetaObject, NodeKind::ScrollArea},
    {&QProgressBar::staticMetaObject, NodeKind::ProgressBar},
    {&QSlider::staticMetaObject, NodeKind::Slider},
};

// Inheritance is a property of the class, so the same test as qobject_cast, made on the
// meta-object, holds for every instance of it.
NodeKind kindOf(const QMetaObject* meta)
{
    for (const KindRow& row : KIND_ROWS) {
        if (meta->inherits(row.meta))
            return row.kind;
    }
    return NodeKind::Other;
}

// The word a label of `kind` starts with, which names the class only for kind Other.
const QMetaObject* wordClass(NodeKind kind)
{
    for (const KindRow& row : KIND_ROWS) {
        if (row.kind == kind)
            return row.meta;
    }
    return nullptr;
}

// The kinds whose text or title a label leaves out, though it is what a user reads on them.
enum class TextKind : unsigned char { None, ToolButton, Button, GroupBox, Menu, DockWidget };

TextKind textKindOf(const QMetaObject* meta, NodeKind kind)
{
    if (kind != NodeKind::Other)
        return TextKind::None;
    if (meta->inherits(&QToolButton::staticMetaObject))
        return TextKind::ToolButton;
    if (meta->inherits(&QAbstractButton::staticMetaObject))
        return TextKind::Button;
    if (meta->inherits(&QGroupBox::staticMetaObject))
        return TextKind::GroupBox;
    if (meta->inherits(&QMenu::staticMetaObject))
        return TextKind::Menu;
    if (meta->inherits(&QDockWidget::staticMetaObject))
        return TextKind::DockWidget;
    return TextKind::None;
}

QString textOf(const QObject* obj, TextKind kind)
{
    switch (kind) {
    case TextKind::None:
        break;
    case TextKind::ToolButton: {
        const auto* button = static_cast<const QToolButton*>(obj);
        if (!button->text().isEmpty() || !button->defaultAction())
            return button->text();
        return button->defaultAction()->text();
    }
    case TextKind::Button:
        return static_cast<const QAbstractButton*>(obj)->text();
    case TextKind::GroupBox:
        return static_cast<const QGroupBox*>(obj)->title();
    case TextKind::Menu:
        return static_cast<const QMenu*>(obj)->title();
    case TextKind::DockWidget:
        return static_cast<const QDockWidget*>(obj)->windowTitle();
    }
    return QString();
}

QString shortName(const QMetaObject* meta)
{
    const QString name = QString::fromLatin1(meta->className());
    const qsizetype scope = name.lastIndexOf(QLatin1String("::"));
    return scope < 0 ? name : name.mid(scope + 2);
}

// The kind was found on the meta-object of `obj` itself, so the static casts below are the ones
// qobject_cast would have made.
void appendBody(QString& out, const QObject* obj, NodeKind kind, const QString& className)
{
    switch (kind) {
    case NodeKind::Label:
        appendQuoted(out, u"QLabel  ", static_cast<const QLabel*>(obj)->text());
        return;
    case NodeKind::PushButton:
        appendQuoted(out, u"QPushButton  ", static_cast<const QPushButton*>(obj)->text());
        return;
    case NodeKind::TableWidget: {
        const auto* table = static_cast<const QTableWidget*>(obj);
        out += QLatin1String("QTableWidget  ");
        out += QString::number(table->rowCount());
        out += QChar(0x00d7);
        out += QString::number(table->columnCount());
        return;
    }
    case NodeKind::LineEdit:
        appendQuoted(out, u"QLineEdit  placeholder=", static_cast<const QLineEdit*>(obj)->placeholderText());
        return;
    case NodeKind::ComboBox:
        out += QLatin1String("QComboBox  ");
        out += QString::number(static_cast<const QComboBox*>(obj)->count());
        out += QLatin1String(" options");
        return;
    case NodeKind::CheckBox:
        appendQuoted(out, u"QCheckBox  ", static_cast<const QCheckBox*>(obj)->text());
        return;
    case NodeKind::TabWidget:
        out += QLatin1String("QTabWidget  ");
        appendTitleList(out, static_cast<const QTabWidget*>(obj));
        return;
    case NodeKind::ScrollArea:
        out += QLatin1String("QScrollArea");
        return;
    case NodeKind::ProgressBar: {
        const auto* progress = static_cast<const QProgressBar*>(obj);
        out += QLatin1String("QProgressBar  ");
        out += QString::number(progress->value());
        out += QLatin1Char('/');
        out += QString::number(progress->maximum());
        return;
    }
    case NodeKind::Slider:
        out += QLatin1String("QSlider  ");
        out += QString::number(static_cast<const QSlider*>(obj)->value());
        return;
    case NodeKind::Other:
        out += className;
        return;
    }
}

void appendObjectName(QString& out, const QObject* obj)
{
    const QString name = obj->objectName();
    if (!name.isEmpty())
        appendPieces(out, {u"  [#", name, u"]"});
}

} // namespace

QString shortClassName(const QObject* obj)
{
    return shortName(obj->metaObject());
}

struct NodeLabeller::ClassInfo
{
    NodeKind kind;
    TextKind textKind;
    QString shortName;
    QString ownName; // the class's short name when the label's word names another
};

NodeLabeller::NodeLabeller() = default;
NodeLabeller::~NodeLabeller() = default;

const NodeLabeller::ClassInfo& NodeLabeller::classInfo(const QObject* obj)
{
    const QMetaObject* meta = obj->metaObject();
    auto found = _classes.constFind(meta);
    if (found == _classes.cend()) {
        const NodeKind kind = kindOf(meta);
        const bool namedByWord = kind == NodeKind::Other || wordClass(kind) == meta;
        found = _classes.insert(meta, {kind, textKindOf(meta, kind),
                                       kind == NodeKind::Other ? shortName(meta) : QString(),
                                       namedByWord ? QString() : shortName(meta)});
    }
    return *found;
}

void NodeLabeller::append(QString& out, const QObject* obj)
{
    const ClassInfo& info = classInfo(obj);
    appendBody(out, obj, info.kind, info.shortName);
    appendObjectName(out, obj);
}

QString NodeLabeller::detail(const QObject* obj)
{
    const ClassInfo& info = classInfo(obj);
    QString out = info.ownName;
    if (const QString text = textOf(obj, info.textKind); !text.isEmpty()) {
        if (!out.isEmpty())
            out += QLatin1String("  ");
        appendQuotedTitle(out, text);
    }
    return out;
}

QString NodeLabeller::label(const QObject* obj)
{
    QString text;
    append(text, obj);
    return text;
}

} // namespace tarnwickview::detail
