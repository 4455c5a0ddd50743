#pragma once

// Private to tarnwickview: UTF-8 text to files and to standard output.

#include <QString>

namespace tarnwickview::detail {

/// Writes `text` as UTF-8 (no byte-order mark) to the file at `path`, creating or replacing it.
/// The text goes to a temporary file beside the target, which replaces the target only once it
/// is complete, so a failed write leaves the previous file intact; where the directory allows no
/// new file but the existing file is writable, the file is rewritten in place instead.
/// Throws std::filesystem::filesystem_error with the operating system's error code and `path`.
void writeUtf8File(const QString& path, const QString& text);

/// Writes `text` and one line end to standard output as UTF-8, then flushes it.
void printLine(const QString& text);

} // namespace tarnwickview::detail
