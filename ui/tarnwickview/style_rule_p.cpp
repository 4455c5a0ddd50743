// SPDX-License-Identifier: MIT
#include "style_rule_p.h"

#include "qss_selector_p.h"

#include <QObject>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTextCursor>
#include <QTextDocument>

namespace tarnwickview::detail {
namespace {

constexpr QLatin1StringView RULE_BODY_INDENT("    ");

} // namespace

QString styleSelector(const QObject* obj)
{
    if (!obj->objectName().isEmpty())
        return nameSelector(obj->objectName());
    return QString::fromLatin1(obj->metaObject()->className())
        .replace(QStringLiteral("::"), QStringLiteral("--"));
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
