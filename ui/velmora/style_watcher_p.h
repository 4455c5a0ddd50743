// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: re-applies a style-sheet file to a window whenever the file changes.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>
#include <QStringList>

#include <sys/types.h>

class QWidget;

namespace velmora::detail {

/**
 * Watches one style-sheet path for a window, which owns the watcher as its Qt child.
 *
 * The path is what counts, not the file it named at first. A file watch follows one file (the
 * one a symbolic link leads to), and stays on it when the path comes to name another: an editor
 * renaming a new file over the old one, a symbolic link replaced by rename, a file removed and
 * made again. So the folders along the path are watched too, and after every change the file
 * the path now names is compared with the one watched; when they differ, the new one is watched
 * and applied. A reload that fails keeps the sheet that was last applied and reports one warning
 * until a reload succeeds again.
 */
class StyleWatcher : public QObject
{
public:
    /// Starts watching `path` for `window`; `appliedText` is the sheet already applied from it.
    StyleWatcher(QWidget* window, const QString& path, const QString& appliedText);

    /// Watches another file instead; `appliedText` is the sheet already applied from it.
    void retarget(const QString& path, const QString& appliedText);

private:
    /// Which file a path leads to: its device and inode, or none when it leads nowhere.
    struct FileIdentity
    {
        dev_t device = 0;
        ino_t inode = 0;
        bool exists = false;
        friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
    };

    static FileIdentity identify(const QString& path);
    void watch();
    void reload();

    QWidget* _window;
    QString _path;
    QString _applied;
    // The file the file watch is on; compared with what the path leads to after each change.
    FileIdentity _watched;
    bool _failing = false;
    QFileSystemWatcher _watcher;
};

} // namespace velmora::detail
