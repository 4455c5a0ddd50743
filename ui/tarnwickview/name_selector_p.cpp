// SPDX-License-Identifier: MIT
#include "name_selector_p.h"

#include <algorithm>

namespace tarnwickview::detail {
namespace {

bool isLineBreak(QChar c)
{
    return c == u'\n' || c == u'\r' || c == u'\f';
}

// Qt's style-sheet scanner reads Latin-1 letters such as 'é' only behind a backslash, although it
// takes characters beyond them plainly.
bool isPlainIdentifierChar(QChar c)
{
    return c.unicode() > 0xff || (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z') ||
           (c >= u'0' && c <= u'9') || c == u'-' || c == u'_';
}

} // namespace

QString nameSelector(QStringView objectName)
{
    QString result;
    if (std::any_of(objectName.begin(), objectName.end(), isLineBreak)) {
        result.reserve(objectName.size() + 20);
        result += QLatin1String("*[objectName=\"");
        for (const QChar c : objectName) {
            if (c == u'"' || c == u'\\' || isLineBreak(c))
                result += u'\\';
            result += c;
        }
        result += QLatin1String("\"]");
        return result;
    }
    result.reserve(objectName.size() + 1);
    result += u'#';
    for (const QChar c : objectName) {
        if (!isPlainIdentifierChar(c))
            result += u'\\';
        result += c;
    }
    return result;
}

} // namespace tarnwickview::detail
