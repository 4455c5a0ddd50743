// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: UTF-8 lines to standard output.

#include <QString>

namespace tarnwickview::detail {

/// Writes `text` and one line end to standard output as UTF-8, then flushes it.
void printLine(const QString& text);

} // namespace tarnwickview::detail
