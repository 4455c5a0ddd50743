// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: replacing a file with UTF-8 text in one step.

#include <QString>

namespace tarnwickview::detail {

/// Writes `text` as UTF-8 (no byte-order mark) to the file at `path`, creating or replacing it.
/// The text goes to a temporary file beside the target, which replaces the target only once it
/// is complete, so a failed write leaves the previous file intact; the replacement keeps the
/// file's mode, and its owner and group as far as the process may set them. The file is rewritten
/// in place instead where renaming would change what the file is: a device or pipe, a file with
/// other hard links (all its names show the new text), a symbolic link to nothing yet (the file it
/// names is created, the link stays), a writable file in a directory that allows no new file, and
/// a file whose owner or group the process may not give to the replacement (another user's file
/// writable through its group or by all, which keeps its owner and group).
/// Rewriting a regular file in place first reserves the room the new text needs (fallocate), so
/// a full disk, an exhausted quota or a file-size limit fails the call with the old text whole.
/// The old text may be left partly overwritten only by a failure after that: an input/output
/// error, or running out of room on a file system that cannot reserve it (fallocate reports
/// EOPNOTSUPP) or that needs fresh room to overwrite (copy-on-write file systems such as Btrfs).
/// A pipe is opened without waiting: one that nobody reads fails at once with ENXIO.
/// Throws std::filesystem::filesystem_error with the operating system's error code and `path`.
void writeUtf8File(const QString& path, const QString& text);

} // namespace tarnwickview::detail
