// SPDX-License-Identifier: MIT
#include "qss_parser_p.h"

#include <algorithm>
#include <array>
#include <vector>

namespace tarnwickview::detail {
namespace {

constexpr std::array KNOWN_PSEUDO_STATES{
    "active", "adjoins-item", "alternate", "bottom", "checked", "closable", "closed", "default",
    "disabled", "editable", "edit-focus", "enabled", "exclusive", "first", "flat", "floatable",
    "focus", "has-children", "has-siblings", "horizontal", "hover", "indeterminate", "last", "left",
    "maximized", "middle", "minimized", "movable", "no-frame", "non-exclusive", "off", "on",
    "only-one", "open", "next-selected", "pressed", "previous-selected", "read-only", "right",
    "selected", "top", "unchecked", "vertical", "window"};

bool isIdentStart(QChar c)
{
    return c.isLetter() || c == u'_' || c == u'-' || c == u'\\' || c.unicode() > 0x7f;
}

bool isIdentChar(QChar c)
{
    return isIdentStart(c) || c.isDigit();
}

bool startsCompound(QChar c)
{
    return isIdentStart(c) || c == u'*' || c == u'#' || c == u'.' || c == u'[' || c == u':';
}

// Style sheets spell a C++ namespace separator "--".
QByteArray cppClassName(const QString& ident)
{
    return QString(ident).replace(QStringLiteral("--"), QStringLiteral("::")).toLatin1();
}

// Characters that make Qt give up on the whole rest of the sheet.
bool isInvalid(QChar c)
{
    return c == u'$' || c == u'?' || c == u'^' || c == u'&' || c == u'`' || c == u'}' || c == u',';
}

// Reads a sheet as Qt does: a bad selector drops its rule, a bad declaration drops itself, and
// only what Qt cannot step over (the end of the text inside a rule, a character it has no token
// for) ends the sheet, keeping the rules before.
class Parser
{
public:
    explicit Parser(const QString& text)
        : _text(text)
    {
        _lineStarts.push_back(0);
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (text.at(i) == u'\n')
                _lineStarts.push_back(i + 1);
        }
    }

    /// Every diagnostic met so far, in the order met.
    const QList<QssDiagnostic>& diagnostics() const { return _errors; }

    // Rules up to the first error Qt cannot step over; false when there was one.
    bool parseSheet(QList<QssRule>& rules)
    {
        for (;;) {
            skipSpace();
            if (atEnd())
                return true;
            if (peek() == u'@') {
                skipBlock(true);
                if (_fatal)
                    return false;
                continue;
            }
            QssRule rule;
            if (parseRule(rule))
                rules.append(std::move(rule));
            else if (_fatal)
                return false;
        }
    }

    // The whole text as the body of one rule; false on any error.
    bool parseDeclarationsOnly(QList<QssDeclaration>& declarations)
    {
        return parseDeclarations(declarations, false) && _errors.isEmpty();
    }

private:
    bool atEnd() const { return _pos >= _text.size(); }
    QChar peek(qsizetype ahead = 0) const
    {
        return _pos + ahead < _text.size() ? _text.at(_pos + ahead) : QChar();
    }

    int lineOf(qsizetype at) const
    {
        return int(std::upper_bound(_lineStarts.begin(), _lineStarts.end(), at) - _lineStarts.begin());
    }
    int columnOf(qsizetype at) const { return int(at - _lineStarts[size_t(lineOf(at) - 1)]) + 1; }

    void note(qsizetype at, const QString& expected) { _errors.append({lineOf(at), columnOf(at), expected}); }
    bool fatal(qsizetype at, const QString& expected)
    {
        note(at, expected);
        _fatal = true;
        return false;
    }

    // An unterminated comment runs to the end of the text, as in Qt, but is worth a word.
    void skipSpace()
    {
        while (!atEnd()) {
            if (peek().isSpace()) {
                ++_pos;
            } else if (peek() == u'/' && peek(1) == u'*') {
                const qsizetype end = _text.indexOf(QStringLiteral("*/"), _pos + 2);
                if (end < 0) {
                    note(_pos, QStringLiteral("la fin du commentaire « */ »"));
                    _pos = _text.size();
                } else {
                    _pos = end + 2;
                }
            } else {
                break;
            }
        }
    }

    QString readIdent()
    {
        QString ident;
        while (!atEnd() && isIdentChar(peek())) {
            if (peek() == u'\\') {
                ++_pos;
                if (atEnd())
                    break;
            }
            ident += peek();
            ++_pos;
        }
        return ident;
    }

    // A quoted string at the cursor, without its quotes. An unterminated one stops at the end of
    // its line, as in Qt.
    bool readString(QString& value)
    {
        const qsizetype start = _pos;
        const QChar quote = peek();
        ++_pos;
        while (!atEnd() && peek() != quote && peek() != u'\n') {
            if (peek() == u'\\')
                ++_pos;
            if (!atEnd())
                value += peek();
            ++_pos;
        }
        if (atEnd() || peek() != quote) {
            note(start, QStringLiteral("un guillemet fermant"));
            return false;
        }
        ++_pos;
        return true;
    }

    // Steps over everything up to the end of the next block (or the first ";" outside one, for an
    // at-rule); always false, fatal at the end of the text.
    bool skipBlock(bool endsAtSemicolon = false)
    {
        int depth = 0;
        while (!atEnd()) {
            const QChar c = peek();
            if (c == u'"' || c == u'\'') {
                QString ignored;
                readString(ignored);
                continue;
            }
            ++_pos;
            if (c == u'{')
                ++depth;
            else if (c == u'}' && --depth <= 0)
                return false;
            else if (c == u';' && depth == 0 && endsAtSemicolon)
                return false;
        }
        return fatal(_pos, QStringLiteral("« } »"));
    }

    // Steps over a declaration Qt drops: up to ";" (consumed) or the "}" that ends the rule.
    bool skipDeclaration(bool inBlock)
    {
        int depth = 0;
        while (!atEnd()) {
            const QChar c = peek();
            if (c == u'"' || c == u'\'') {
                QString ignored;
                readString(ignored);
                continue;
            }
            if (depth == 0 && c == u'}')
                return true;
            ++_pos;
            if (c == u'(' || c == u'{' || c == u'[')
                ++depth;
            else if ((c == u')' || c == u'}' || c == u']') && depth > 0)
                --depth;
            else if (c == u';' && depth == 0)
                return true;
        }
        return inBlock ? fatal(_pos, QStringLiteral("« } »")) : false;
    }

    bool parseRule(QssRule& rule)
    {
        rule.offset = _pos;
        rule.line = lineOf(_pos);
        rule.column = columnOf(_pos);
        for (;;) {
            QssSelector selector;
            if (!parseSelector(selector)) {
                // Qt silently stops reading the sheet at a selector missing after a comma.
                if (!rule.selectors.isEmpty())
                    _fatal = true;
                return _fatal ? false : skipBlock();
            }
            rule.selectors.append(std::move(selector));
            if (peek() != u',')
                break;
            ++_pos;
            skipSpace();
        }
        if (peek() != u'{') {
            if (atEnd() || isInvalid(peek()))
                return fatal(_pos, QStringLiteral("« { »"));
            note(_pos, QStringLiteral("« { »"));
            return skipBlock();
        }
        ++_pos;
        return parseDeclarations(rule.declarations, true);
    }

    bool parseSelector(QssSelector& selector)
    {
        const qsizetype start = _pos;
        const qsizetype noted = _errors.size();
        QssCompound compound;
        if (!parseCompound(compound, selector))
            return failSelector(noted);
        selector.compounds.append(std::move(compound));
        for (;;) {
            const qsizetype before = _pos;
            skipSpace();
            const bool spaced = _pos > before;
            QssCompound next;
            const QChar c = peek();
            if (c == u'>' || c == u'+' || c == u'~') {
                next.combinator = c == u'>' ? QssCombinator::Child : QssCombinator::Sibling;
                ++_pos;
                skipSpace();
            } else if (!spaced || !startsCompound(c)) {
                break;
            }
            if (!parseCompound(next, selector))
                return failSelector(noted);
            selector.compounds.append(std::move(next));
        }
        selector.text = _text.mid(start, _pos - start).simplified();
        return true;
    }

    // Notes the broken selector unless a part of it was noted already.
    bool failSelector(qsizetype noted)
    {
        if (atEnd() || isInvalid(peek()))
            return _errors.size() > noted ? fatalHere() : fatal(_pos, QStringLiteral("un sélecteur"));
        if (_errors.size() == noted)
            note(_pos, QStringLiteral("un sélecteur"));
        return false;
    }

    bool fatalHere()
    {
        _fatal = true;
        return false;
    }

    // False when nothing at the cursor starts a compound selector, or when one part is broken
    // (then noted).
    bool parseCompound(QssCompound& compound, QssSelector& selector)
    {
        bool any = false;
        if (peek() == u'*') {
            compound.element = "*";
            ++_pos;
            any = true;
        } else if (isIdentStart(peek())) {
            compound.element = cppClassName(readIdent());
            any = true;
        }
        for (;;) {
            const QChar c = peek();
            if (c == u'#' || c == u'.') {
                ++_pos;
                const QString name = readIdent();
                if (name.isEmpty())
                    return false;
                if (c == u'#')
                    compound.ids.append(name);
                else
                    compound.exactClasses.append(cppClassName(name));
            } else if (c == u'[') {
                if (!parseAttribute(compound))
                    return false;
            } else if (c == u':' && peek(1) == u':') {
                _pos += 2;
                compound.subControl = readIdent();
                if (compound.subControl.isEmpty())
                    return false;
            } else if (c == u':') {
                ++_pos;
                QssPseudoState state;
                if (peek() == u'!') {
                    state.negated = true;
                    ++_pos;
                }
                const qsizetype at = _pos;
                state.name = readIdent().toLower();
                if (state.name.isEmpty())
                    return false;
                if (!isKnownPseudoState(state.name)) {
                    selector.knownStates = false;
                    note(at, QStringLiteral("un pseudo-état connu"));
                }
                compound.pseudoStates.append(std::move(state));
            } else {
                break;
            }
            any = true;
        }
        return any;
    }

    bool parseAttribute(QssCompound& compound)
    {
        ++_pos;
        skipSpace();
        QssAttribute attribute;
        attribute.name = readIdent();
        if (attribute.name.isEmpty())
            return false;
        skipSpace();
        if (peek() != u']') {
            if (peek() == u'=') {
                attribute.match = QssAttributeMatch::Equals;
                ++_pos;
            } else if ((peek() == u'~' || peek() == u'|') && peek(1) == u'=') {
                attribute.match = peek() == u'~' ? QssAttributeMatch::ContainsWord : QssAttributeMatch::DashPrefix;
                _pos += 2;
            } else {
                return false;
            }
            skipSpace();
            if (peek() == u'"' || peek() == u'\'') {
                if (!readString(attribute.value))
                    return false;
            } else {
                attribute.value = readIdent();
                if (attribute.value.isEmpty())
                    return false;
            }
            skipSpace();
            if (peek() != u']')
                return false;
        }
        ++_pos;
        compound.attributes.append(std::move(attribute));
        return true;
    }

    // Declarations up to "}" (inBlock) or the end of the text.
    bool parseDeclarations(QList<QssDeclaration>& declarations, bool inBlock)
    {
        for (;;) {
            skipSpace();
            if (atEnd())
                return inBlock ? fatal(_pos, QStringLiteral("« } »")) : true;
            if (inBlock && peek() == u'}') {
                ++_pos;
                return true;
            }
            if (peek() == u';') {
                ++_pos;
                continue;
            }
            QssDeclaration declaration;
            if (parseDeclaration(declaration))
                declarations.append(std::move(declaration));
            else if (!skipDeclaration(inBlock))
                return false;
        }
    }

    bool parseDeclaration(QssDeclaration& declaration)
    {
        declaration.line = lineOf(_pos);
        declaration.property = readIdent().toLower();
        if (declaration.property.isEmpty()) {
            note(_pos, QStringLiteral("un nom de propriété"));
            return false;
        }
        skipSpace();
        if (peek() != u':') {
            note(_pos, QStringLiteral("« : »"));
            return false;
        }
        ++_pos;
        return parseValue(declaration);
    }

    bool parseValue(QssDeclaration& declaration)
    {
        const qsizetype start = _pos;
        QString value;
        int depth = 0;
        while (!atEnd()) {
            const QChar c = peek();
            if (depth == 0 && (c == u';' || c == u'}'))
                break;
            if (c == u'{') {
                note(_pos, QStringLiteral("« ; »"));
                return false;
            }
            if (c == u'"' || c == u'\'') {
                const qsizetype from = _pos;
                QString ignored;
                if (!readString(ignored))
                    return false;
                value += _text.mid(from, _pos - from);
                continue;
            }
            if (c == u'/' && peek(1) == u'*') {
                skipSpace();
                value += u' ';
                continue;
            }
            if (c == u'(')
                ++depth;
            else if (c == u')' && depth > 0)
                --depth;
            value += c;
            ++_pos;
        }
        value = value.simplified();
        const qsizetype bang = value.lastIndexOf(u'!');
        if (bang >= 0 &&
            value.mid(bang + 1).trimmed().compare(QLatin1StringView("important"), Qt::CaseInsensitive) == 0) {
            declaration.important = true;
            value = value.left(bang).trimmed();
        }
        if (value.isEmpty()) {
            note(start, QStringLiteral("une valeur"));
            return false;
        }
        declaration.value = value;
        return true;
    }

    const QString& _text;
    qsizetype _pos = 0;
    std::vector<qsizetype> _lineStarts;
    QList<QssDiagnostic> _errors;
    bool _fatal = false;
};

} // namespace

bool isKnownPseudoState(const QString& name)
{
    return std::any_of(KNOWN_PSEUDO_STATES.begin(), KNOWN_PSEUDO_STATES.end(),
                       [&name](const char* known) { return name == QLatin1StringView(known); });
}

QssSheet parseStyleSheet(const QString& text)
{
    QssSheet sheet;
    Parser parser(text);
    if (!parser.parseSheet(sheet.rules) && sheet.rules.isEmpty()) {
        // Qt reads a sheet that is not a list of rules once more as the body of a "*" rule.
        Parser body(text);
        QssRule universal;
        if (body.parseDeclarationsOnly(universal.declarations) && !universal.declarations.isEmpty()) {
            QssSelector any;
            any.compounds.append(QssCompound{.element = "*"});
            any.text = QStringLiteral("*");
            universal.selectors.append(std::move(any));
            universal.line = 1;
            universal.column = 1;
            return {{std::move(universal)}, {}};
        }
    }
    sheet.errors = parser.diagnostics();
    std::stable_sort(sheet.errors.begin(), sheet.errors.end(), [](const QssDiagnostic& a, const QssDiagnostic& b) {
        return a.line != b.line ? a.line < b.line : a.column < b.column;
    });
    return sheet;
}

int specificity(const QssSelector& selector)
{
    int ids = 0;
    int conditions = 0;
    int elements = 0;
    for (const QssCompound& compound : selector.compounds) {
        ids += int(compound.ids.size());
        conditions += int(compound.exactClasses.size() + compound.attributes.size() + compound.pseudoStates.size()) +
                      (compound.subControl.isEmpty() ? 0 : 1);
        if (!compound.element.isEmpty() && compound.element != "*")
            ++elements;
    }
    return ids * 0x10000 + std::min(conditions, 0xff) * 0x100 + std::min(elements, 0xff);
}

QString specificityText(int value)
{
    return QStringLiteral("(%1,%2,%3)").arg(value >> 16).arg((value >> 8) & 0xff).arg(value & 0xff);
}

} // namespace tarnwickview::detail
