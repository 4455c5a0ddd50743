// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: Qt style sheets read into rules, with the place of every rule and of
// the first error, without Qt's private style-sheet classes.

#include <QList>
#include <QString>
#include <QStringList>

namespace tarnwickview::detail {

/// How a compound selector relates to the one written before it.
enum class QssCombinator {
    Descendant, ///< "A B": B anywhere under A
    Child,      ///< "A > B": B directly under A
    Sibling,    ///< "A + B" or "A ~ B": parsed as Qt does, never matched by widgets
};

/// How an attribute selector compares the property's text.
enum class QssAttributeMatch {
    Exists,     ///< [name]
    Equals,     ///< [name="v"]
    ContainsWord, ///< [name~="v"]
    DashPrefix, ///< [name|="v"]
};

/// One attribute condition of a compound selector.
struct QssAttribute
{
    QString name;
    QString value;
    QssAttributeMatch match = QssAttributeMatch::Exists;
};

/// One pseudo-state condition; `negated` for the ":!state" form.
struct QssPseudoState
{
    QString name;
    bool negated = false;
};

/// A compound selector: everything written between two combinators.
struct QssCompound
{
    QByteArray element;            ///< class name as C++ spells it ("::" for "--"), "*", or empty
    QList<QByteArray> exactClasses; ///< ".Class" conditions, C++ spelling
    QStringList ids;               ///< "#name" conditions
    QList<QssAttribute> attributes;
    QList<QssPseudoState> pseudoStates;
    QString subControl;            ///< "::name", empty when none
    QssCombinator combinator = QssCombinator::Descendant; ///< relation to the previous compound
};

/// One selector of a selector list.
struct QssSelector
{
    QList<QssCompound> compounds;
    QString text;          ///< as written, whitespace collapsed
    bool knownStates = true; ///< false when a pseudo-state is not one Qt knows: never matches
};

/// One declaration; `line` is 1-based.
struct QssDeclaration
{
    QString property;
    QString value;
    bool important = false;
    int line = 0;
};

/// One rule; `line`/`column` (1-based) and `offset` (0-based) locate its first selector.
struct QssRule
{
    QList<QssSelector> selectors;
    QList<QssDeclaration> declarations;
    int line = 0;
    int column = 0;
    qsizetype offset = 0;
};

/// A place where the sheet departs from the grammar, and what was expected there.
struct QssDiagnostic
{
    int line = 0;
    int column = 0;
    QString expected;
};

/// A parsed sheet, as Qt applies it: when the text breaks the grammar, the rules before the break
/// stay and the rest is ignored. A text made of declarations alone is one "*" rule.
struct QssSheet
{
    QList<QssRule> rules;
    QList<QssDiagnostic> errors;
};

/// Reads `text` as a style sheet.
QssSheet parseStyleSheet(const QString& text);

/// CSS 2.1 specificity of `selector` as Qt computes it: ids, then classes, attributes and
/// pseudo-states (sub-controls included), then class names ("*" counts for nothing).
int specificity(const QssSelector& selector);

/// The specificity as "(a,b,c)".
QString specificityText(int value);

/// Whether Qt knows the pseudo-state `name`.
bool isKnownPseudoState(const QString& name);

} // namespace tarnwickview::detail
