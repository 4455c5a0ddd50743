// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: from the selected widget to a rule of the style sheet.

#include <QString>

class QPlainTextEdit;
class QWidget;

namespace tarnwickview::detail {

/// A selector that matches `widget` and no other widget of the tree under `window`: "#name" when
/// the name is unique there; else a chain of child combinators from the nearest uniquely named
/// ancestor (or from `window`'s class), each step the class, the name if any, and a property
/// selector where siblings would otherwise be confused. Every candidate is checked with the
/// style-sheet matcher; empty when none picks the widget alone.
QString exactSelector(const QWidget* widget, const QWidget* window);

/// Places the cursor of `editor` inside the rule for `selector`, adding an empty rule at the end
/// of the text when there is none yet, and gives the editor the focus.
void insertRuleSkeleton(QPlainTextEdit* editor, const QString& selector);

} // namespace tarnwickview::detail
