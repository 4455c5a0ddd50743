// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: re-applies a style-sheet file to a window whenever the file changes.

#include <QFileSystemWatcher>
#include <QObject>
#include <QString>

class QWidget;

namespace velmora::detail {

/**
 * Watches one style-sheet file for a window, which owns the watcher as its Qt child.
 *
 * Editors often save by writing a new file and renaming it over the old one; the file's watch
 * is then lost, so the folder is watched too and the file is watched again once it is back.
 * A reload that fails keeps the sheet that was last applied and reports one warning until a
 * reload succeeds again.
 */
class StyleWatcher : public QObject
{
public:
    /// Starts watching `path` for `window`; `appliedText` is the sheet already applied from it.
    StyleWatcher(QWidget* window, const QString& path, const QString& appliedText);

    /// Watches another file instead; `appliedText` is the sheet already applied from it.
    void retarget(const QString& path, const QString& appliedText);

private:
    void watch();
    void reload();

    QWidget* _window;
    QString _path;
    QString _applied;
    bool _failing = false;
    QFileSystemWatcher _watcher;
};

} // namespace velmora::detail
