#pragma once

// Private to tarnwickview: replacing a file with UTF-8 text in one step.

#include <QString>

namespace tarnwickview::detail {

/// Writes `text` as UTF-8 (no byte-order mark) to the file at `path`, creating or replacing it.
/// The text goes to a temporary file beside the target, which replaces the target only once it
/// is complete, so a failed write leaves the previous file intact; where the directory allows no
/// new file but the existing file is writable, the file is rewritten in place instead.
/// Throws std::filesystem::filesystem_error with the operating system's error code and `path`.
void writeUtf8File(const QString& path, const QString& text);

} // namespace tarnwickview::detail
