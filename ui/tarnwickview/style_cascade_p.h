// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the style sheets that reach a widget, the rules of them that match it,
// and which declaration wins, in the order Qt applies them.

#include "qss_parser_p.h"

#include <QList>
#include <QString>
#include <QStringList>

class QWidget;

namespace tarnwickview::detail {

/// One sheet that reaches a widget: the application's (null owner) or a widget's.
struct StyleSheetSource
{
    const QWidget* owner = nullptr;
    QssSheet sheet;
};

/// One selector of one rule that matches the widget.
struct CascadeEntry
{
    qsizetype source = 0;   ///< index in StyleCascade::sheets()
    qsizetype rule = 0;     ///< index in that sheet's rules
    qsizetype selector = 0; ///< index in that rule's selectors
    int specificity = 0;
};

/// Where a declaration stands in the cascade: applied, or overridden by the declaration
/// `declaration` of the entry `by` (an index in StyleCascade::entries()).
struct DeclarationFate
{
    qsizetype by = -1;
    qsizetype declaration = -1;
    bool overridden() const { return by >= 0; }
};

/// The cascade of one widget. Qt orders rules by the sheet first (the application's, then each
/// ancestor's from the top-level window down, then the widget's own), then by specificity, then by
/// place in the sheet; "!important" weighs nothing. A declaration is overridden when a later rule,
/// whose condition holds whenever its own does, sets everything it sets.
class StyleCascade
{
public:
    /// Reads the sheets that reach `widget` and matches their rules against it.
    explicit StyleCascade(const QWidget* widget);

    /// The sheets, in the order Qt applies them; those without text are left out.
    const QList<StyleSheetSource>& sheets() const { return _sheets; }
    /// The matching selectors, from the weakest to the strongest.
    const QList<CascadeEntry>& entries() const { return _entries; }
    /// The rule of `entry`.
    const QssRule& rule(const CascadeEntry& entry) const;
    /// The selector of `entry`.
    const QssSelector& selector(const CascadeEntry& entry) const;
    /// The fate of declaration `declaration` of entry `entry` (indexes).
    DeclarationFate fate(qsizetype entry, qsizetype declaration) const;

    /// The declaration Qt uses for `longhand` ("color", "padding-left", "border-left-width",
    /// "font-size"...) when the widget is in `states`, without sub-control; null when none.
    const QssDeclaration* winner(const QString& longhand, const QStringList& states) const;

    /// The cascade as the text get_style_rules() returns.
    QString text() const;

private:
    const QWidget* _widget;
    QList<StyleSheetSource> _sheets;
    QList<CascadeEntry> _entries;
    QList<QList<DeclarationFate>> _fates;
};

/// The longhand properties a declaration of `property` sets ("padding" sets four).
QStringList longhands(const QString& property);

/// The heading of a sheet's section: the application's or the owner's label.
QString sheetHeading(const QWidget* owner);

/// The diagnostics of every sheet that reaches the tree under `root`, as get_style_report()
/// returns them.
QString styleReport(const QWidget* root);

} // namespace tarnwickview::detail
