// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the checks and confirmations that every entry point shares.

#include <QString>

class QWidget;

namespace tarnwickview::detail {

/// Throws std::invalid_argument when `root` is null; every public operation starts with it.
void requireRoot(const QWidget* root);

/// The line that confirms the tree was saved to `path`.
QString treeSavedMessage(const QString& path);

/// The line that confirms the style-sheet template was written to `path`.
QString qssGeneratedMessage(const QString& path);

} // namespace tarnwickview::detail
