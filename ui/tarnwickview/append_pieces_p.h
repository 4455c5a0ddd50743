// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: appending several pieces of text to a string at once.

#include <QString>
#include <QStringView>

#include <initializer_list>

namespace tarnwickview::detail {

/// Appends `pieces` to `out` in order, making room for all of them at once: QString::append
/// checks for room on every call, which costs more than copying the few characters of a label
/// piece, so a line written in one call costs one check instead of one per piece.
void appendPieces(QString& out, std::initializer_list<QStringView> pieces);

} // namespace tarnwickview::detail
