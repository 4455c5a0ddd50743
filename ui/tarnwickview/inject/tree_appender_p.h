// SPDX-License-Identifier: MIT
#pragma once

// Private to the preload module: the file that collects the trees of the windows it sees.

#include <QString>

namespace tarnwickview::detail {

/// Appends widget trees to one file, a blank line between two trees, each tree ending with a line
/// end. The file is opened for each tree and closed again, so that it is complete whenever the
/// host program stops. A FIFO or a device is written to as well, without ever blocking the host
/// program. A failure is reported once on the "tarnwickview" logging category and never reaches
/// the host program.
class TreeAppender
{
public:
    /// `path` is made absolute against the current directory now, so that a program that changes
    /// its directory later still writes to the same file.
    explicit TreeAppender(const QString& path);

    /// The absolute path of the file.
    const QString& path() const { return _path; }

    /// Appends `tree` to the file; returns whether all of it was written.
    bool append(const QString& tree);

private:
    void reportFailure(const QString& reason);

    QString _path;
    bool _failureReported = false;
    bool _appended = false;
};

} // namespace tarnwickview::detail
