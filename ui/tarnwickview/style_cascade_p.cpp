// SPDX-License-Identifier: MIT
#include "style_cascade_p.h"

#include "node_label_p.h"
#include "qss_selector_p.h"

#include <QApplication>
#include <QSet>
#include <QWidget>

#include <algorithm>
#include <array>

namespace tarnwickview::detail {
namespace {

constexpr std::array SIDES{"top", "right", "bottom", "left"};

// Whether rule `stronger` applies whenever rule `weaker` does: same sub-control, and every
// pseudo-state it asks for is one `weaker` asks for too.
bool conditionImplied(const QssSelector& stronger, const QssSelector& weaker)
{
    const QssCompound& s = stronger.compounds.constLast();
    const QssCompound& w = weaker.compounds.constLast();
    if (s.subControl.compare(w.subControl, Qt::CaseInsensitive) != 0)
        return false;
    return std::all_of(s.pseudoStates.begin(), s.pseudoStates.end(), [&w](const QssPseudoState& state) {
        return std::any_of(w.pseudoStates.begin(), w.pseudoStates.end(), [&state](const QssPseudoState& other) {
            return other.name == state.name && other.negated == state.negated;
        });
    });
}

void sideLonghands(const QString& prefix, const QString& suffix, QStringList& out)
{
    for (const char* side : SIDES)
        out.append(prefix + QLatin1StringView(side) + suffix);
}

// Where a sheet comes from, as an override names it.
QString originName(const QWidget* owner)
{
    if (!owner)
        return QStringLiteral("application");
    NodeLabeller labeller;
    return labeller.label(owner);
}

} // namespace

QStringList longhands(const QString& property)
{
    QStringList out;
    if (property == QLatin1StringView("padding") || property == QLatin1StringView("margin")) {
        sideLonghands(property + u'-', {}, out);
    } else if (property == QLatin1StringView("border")) {
        for (const char* aspect : {"-width", "-style", "-color"})
            sideLonghands(QStringLiteral("border-"), QLatin1StringView(aspect), out);
    } else if (property == QLatin1StringView("border-width") || property == QLatin1StringView("border-style") ||
               property == QLatin1StringView("border-color")) {
        sideLonghands(QStringLiteral("border-"), property.mid(6), out);
    } else if (property.startsWith(QLatin1StringView("border-")) && property.count(u'-') == 1 &&
               std::any_of(SIDES.begin(), SIDES.end(), [&property](const char* side) {
                   return property.mid(7) == QLatin1StringView(side);
               })) {
        for (const char* aspect : {"-width", "-style", "-color"})
            out.append(property + QLatin1StringView(aspect));
    } else if (property == QLatin1StringView("font")) {
        out = {QStringLiteral("font-family"), QStringLiteral("font-size"), QStringLiteral("font-weight"),
               QStringLiteral("font-style")};
    } else if (property == QLatin1StringView("background")) {
        out = {QStringLiteral("background-color"), QStringLiteral("background-image"),
               QStringLiteral("background-repeat"), QStringLiteral("background-position"),
               QStringLiteral("background-attachment"), QStringLiteral("background-origin"),
               QStringLiteral("background-clip")};
    } else {
        out.append(property);
    }
    return out;
}

QString sheetHeading(const QWidget* owner)
{
    return owner ? QStringLiteral("Feuille de style de ") + originName(owner)
                 : QStringLiteral("Feuille de style de l'application");
}

StyleCascade::StyleCascade(const QWidget* widget)
    : _widget(widget)
{
    QList<const QWidget*> chain;
    for (const QWidget* up = widget; up; up = up->parentWidget())
        chain.prepend(up);
    if (const QString text = qApp ? qApp->styleSheet() : QString(); !text.isEmpty())
        _sheets.append({nullptr, parseStyleSheet(text)});
    for (const QWidget* owner : chain) {
        if (const QString text = owner->styleSheet(); !text.isEmpty())
            _sheets.append({owner, parseStyleSheet(text)});
    }
    for (qsizetype s = 0; s < _sheets.size(); ++s) {
        const QList<QssRule>& rules = _sheets.at(s).sheet.rules;
        for (qsizetype r = 0; r < rules.size(); ++r) {
            for (qsizetype k = 0; k < rules.at(r).selectors.size(); ++k) {
                const QssSelector& candidate = rules.at(r).selectors.at(k);
                if (selectorMatches(candidate, widget))
                    _entries.append({s, r, k, specificity(candidate)});
            }
        }
    }
    // Sheets come in Qt's order already; a stable sort keeps the sheet order within a specificity.
    std::stable_sort(_entries.begin(), _entries.end(), [](const CascadeEntry& a, const CascadeEntry& b) {
        return a.source != b.source ? a.source < b.source : a.specificity < b.specificity;
    });

    _fates.resize(_entries.size());
    for (qsizetype e = 0; e < _entries.size(); ++e) {
        const QList<QssDeclaration>& declarations = rule(_entries.at(e)).declarations;
        _fates[e].resize(declarations.size());
        for (qsizetype d = 0; d < declarations.size(); ++d) {
            QStringList open = longhands(declarations.at(d).property);
            DeclarationFate fate;
            // From the strongest down, until every longhand is set again.
            for (qsizetype o = _entries.size() - 1; o >= e && !open.isEmpty(); --o) {
                if (!conditionImplied(selector(_entries.at(o)), selector(_entries.at(e))))
                    continue;
                const QList<QssDeclaration>& later = rule(_entries.at(o)).declarations;
                for (qsizetype l = later.size() - 1; l >= (o == e ? d + 1 : 0); --l) {
                    const QStringList set = longhands(later.at(l).property);
                    const qsizetype before = open.size();
                    open.removeIf([&set](const QString& name) { return set.contains(name); });
                    if (open.size() < before && fate.by < 0)
                        fate = {o, l};
                    if (open.isEmpty())
                        break;
                }
            }
            _fates[e][d] = open.isEmpty() ? fate : DeclarationFate{};
        }
    }
}

const QssRule& StyleCascade::rule(const CascadeEntry& entry) const
{
    return _sheets.at(entry.source).sheet.rules.at(entry.rule);
}

const QssSelector& StyleCascade::selector(const CascadeEntry& entry) const
{
    return rule(entry).selectors.at(entry.selector);
}

DeclarationFate StyleCascade::fate(qsizetype entry, qsizetype declaration) const
{
    return _fates.at(entry).at(declaration);
}

const QssDeclaration* StyleCascade::winner(const QString& longhand, const QStringList& states) const
{
    for (qsizetype e = _entries.size() - 1; e >= 0; --e) {
        const QssSelector& sel = selector(_entries.at(e));
        if (!sel.compounds.constLast().subControl.isEmpty() || !conditionHolds(sel, states))
            continue;
        const QList<QssDeclaration>& declarations = rule(_entries.at(e)).declarations;
        for (qsizetype d = declarations.size() - 1; d >= 0; --d) {
            if (longhands(declarations.at(d).property).contains(longhand))
                return &declarations.at(d);
        }
    }
    return nullptr;
}

QString StyleCascade::text() const
{
    if (_sheets.isEmpty())
        return QStringLiteral("Aucune feuille de style n'atteint ce widget.");
    // Shown in sheet order, each rule where the sheet has it.
    QList<qsizetype> shown(_entries.size());
    for (qsizetype i = 0; i < shown.size(); ++i)
        shown[i] = i;
    std::sort(shown.begin(), shown.end(), [this](qsizetype a, qsizetype b) {
        const CascadeEntry& x = _entries.at(a);
        const CascadeEntry& y = _entries.at(b);
        return std::tie(x.source, x.rule, x.selector) < std::tie(y.source, y.rule, y.selector);
    });
    QStringList lines;
    qsizetype next = 0;
    for (qsizetype s = 0; s < _sheets.size(); ++s) {
        lines.append(sheetHeading(_sheets.at(s).owner));
        const qsizetype first = next;
        for (; next < shown.size() && _entries.at(shown.at(next)).source == s; ++next) {
            const qsizetype e = shown.at(next);
            const CascadeEntry& entry = _entries.at(e);
            const QssSelector& sel = selector(entry);
            QString head = QStringLiteral("  ligne %1 : %2 — spécificité %3")
                               .arg(rule(entry).line)
                               .arg(sel.text, specificityText(entry.specificity));
            if (const QString condition = conditionText(sel); !condition.isEmpty())
                head += QStringLiteral(" — si ") + condition;
            lines.append(head);
            const QList<QssDeclaration>& declarations = rule(entry).declarations;
            for (qsizetype d = 0; d < declarations.size(); ++d) {
                const QssDeclaration& declaration = declarations.at(d);
                QString line = QStringLiteral("    ") + declaration.property + QStringLiteral(": ") + declaration.value;
                if (declaration.important)
                    line += QStringLiteral(" !important");
                const DeclarationFate f = fate(e, d);
                if (!f.overridden()) {
                    line += QStringLiteral(" — appliquée");
                } else {
                    const CascadeEntry& by = _entries.at(f.by);
                    line += QStringLiteral(" — remplacée par %1 (%2, ligne %3)")
                                .arg(selector(by).text,
                                     by.source == entry.source
                                         ? QStringLiteral("même feuille")
                                         : originName(_sheets.at(by.source).owner),
                                     QString::number(rule(by).declarations.at(f.declaration).line));
                }
                lines.append(line);
            }
        }
        if (next == first)
            lines.append(QStringLiteral("  aucune règle ne correspond"));
    }
    return lines.join(u'\n');
}

QString styleReport(const QWidget* root)
{
    // The tree in preorder; the subtree of widget i is [i, i + sizes[i]).
    QList<const QWidget*> order;
    QList<qsizetype> sizes;
    const auto walk = [&order, &sizes](const auto& self, const QWidget* widget) -> void {
        const qsizetype at = order.size();
        order.append(widget);
        sizes.append(1);
        for (const QObject* child : widget->children()) {
            if (child->isWidgetType())
                self(self, static_cast<const QWidget*>(child));
        }
        sizes[at] = order.size() - at;
    };
    walk(walk, root);

    struct Scoped
    {
        const QWidget* owner;
        QString text;
        qsizetype from;
        qsizetype to;
    };
    QList<Scoped> scoped;
    if (qApp && !qApp->styleSheet().isEmpty())
        scoped.append({nullptr, qApp->styleSheet(), 0, order.size()});
    QList<const QWidget*> ancestors;
    for (const QWidget* up = root->parentWidget(); up; up = up->parentWidget())
        ancestors.prepend(up);
    for (const QWidget* up : ancestors) {
        if (!up->styleSheet().isEmpty())
            scoped.append({up, up->styleSheet(), 0, order.size()});
    }
    for (qsizetype i = 0; i < order.size(); ++i) {
        if (!order.at(i)->styleSheet().isEmpty())
            scoped.append({order.at(i), order.at(i)->styleSheet(), i, i + sizes.at(i)});
    }
    if (scoped.isEmpty())
        return QStringLiteral("Aucune feuille de style.");

    QStringList lines;
    for (const Scoped& one : scoped) {
        lines.append(sheetHeading(one.owner));
        const QssSheet sheet = parseStyleSheet(one.text);
        for (const QssDiagnostic& error : sheet.errors) {
            lines.append(QStringLiteral("  erreur ligne %1, colonne %2 : on attendait %3")
                             .arg(error.line)
                             .arg(error.column)
                             .arg(error.expected));
        }
        // Widgets outside, rules inside: each widget is read once while the rules stay at hand.
        QList<bool> used(sheet.rules.size(), false);
        qsizetype unused = sheet.rules.size();
        for (qsizetype i = one.from; i < one.to && unused > 0; ++i) {
            for (qsizetype r = 0; r < sheet.rules.size(); ++r) {
                if (used.at(r))
                    continue;
                const QList<QssSelector>& selectors = sheet.rules.at(r).selectors;
                if (std::any_of(selectors.begin(), selectors.end(),
                                [&](const QssSelector& sel) { return selectorMatches(sel, order.at(i)); })) {
                    used[r] = true;
                    --unused;
                }
            }
        }
        for (qsizetype r = 0; r < sheet.rules.size(); ++r) {
            if (used.at(r))
                continue;
            QStringList selectors;
            for (const QssSelector& sel : sheet.rules.at(r).selectors)
                selectors.append(sel.text);
            lines.append(QStringLiteral("  règle sans effet ligne %1 : %2")
                             .arg(sheet.rules.at(r).line)
                             .arg(selectors.join(QStringLiteral(", "))));
        }
        if (sheet.errors.isEmpty() && lines.constLast() == sheetHeading(one.owner))
            lines.append(QStringLiteral("  aucun problème"));
    }
    return lines.join(u'\n');
}

} // namespace tarnwickview::detail
