// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: from the selected widget to a rule of the style sheet.

#include <QString>

class QObject;
class QPlainTextEdit;

namespace tarnwickview::detail {

/// The selector a style sheet uses for `obj` alone where it can: nameSelector() of its object
/// name, or else its class name (with "--" in place of "::", as style sheets spell namespaces).
QString styleSelector(const QObject* obj);

/// Places the cursor of `editor` inside the rule for `selector`, adding an empty rule at the end
/// of the text when there is none yet, and gives the editor the focus.
void insertRuleSkeleton(QPlainTextEdit* editor, const QString& selector);

} // namespace tarnwickview::detail
