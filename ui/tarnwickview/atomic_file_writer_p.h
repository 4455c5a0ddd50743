// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: replacing a file with UTF-8 text in one step.

#include <QString>

namespace tarnwickview::detail {

/// Writes `text` as UTF-8 (no byte-order mark) to the file at `path`, creating or replacing it.
/// The text goes to a temporary file beside the target, which replaces the target only once it
/// is complete, so a failed write leaves the previous file intact; the replacement keeps the
/// file's mode, and its owner and group as far as the process may set them. The file is rewritten
/// in place instead (open, truncate, write, without that guarantee) where renaming would change
/// what the file is: a device or pipe, a file with other hard links (all its names show the new
/// text), a symbolic link to nothing yet (the file it names is created, the link stays), a
/// writable file in a directory that allows no new file, and a file whose owner or group the
/// process may not give to the replacement (another user's file writable through its group or
/// by all, which keeps its owner and group).
/// Throws std::filesystem::filesystem_error with the operating system's error code and `path`.
void writeUtf8File(const QString& path, const QString& text);

} // namespace tarnwickview::detail
