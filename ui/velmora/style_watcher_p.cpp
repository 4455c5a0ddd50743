// SPDX-License-Identifier: MIT
#include "style_watcher_p.h"

#include "logging_p.h"
#include "utf8_file_reader_p.h"

#include <QFile>
#include <QFileInfo>
#include <QWidget>

#include <exception>

#include <sys/stat.h>

namespace velmora::detail {
namespace {

// Symbolic links may lead to links in turn; the system gives up after 40, and so do we.
constexpr int maxLinkHops = 40;

// The folders whose entries decide what `path` leads to: its own, then that of each symbolic
// link on the way to the file. A change in any of them can swap the file under the path.
QStringList foldersAlong(const QString& path)
{
    QStringList folders;
    QString current = path;
    for (int hop = 0; hop <= maxLinkHops; ++hop) {
        const QFileInfo info(current);
        const QString folder = info.absolutePath();
        if (!folders.contains(folder) && QFileInfo(folder).isDir())
            folders.append(folder);
        if (!info.isSymLink())
            break;
        // symLinkTarget() is absolute, resolved against the link's own folder.
        current = info.symLinkTarget();
    }
    return folders;
}

} // namespace

StyleWatcher::StyleWatcher(QWidget* window, const QString& path, const QString& appliedText)
    : QObject(window)
    , _window(window)
{
    connect(&_watcher, &QFileSystemWatcher::fileChanged, this, [this] { reload(); });
    connect(&_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        // Other files of the folders come and go freely: only a change of what the path leads
        // to matters (a rename over it, a link swapped, the file's return after it went away).
        if (identify(_path) != _watched)
            reload();
    });
    retarget(path, appliedText);
}

StyleWatcher::FileIdentity StyleWatcher::identify(const QString& path)
{
    struct stat status = {};
    if (::stat(QFile::encodeName(path).constData(), &status) != 0)
        return {};
    return {status.st_dev, status.st_ino, true};
}

void StyleWatcher::retarget(const QString& path, const QString& appliedText)
{
    if (!_watcher.files().isEmpty())
        _watcher.removePaths(_watcher.files());
    if (!_watcher.directories().isEmpty())
        _watcher.removePaths(_watcher.directories());
    _path = QFileInfo(path).absoluteFilePath();
    _watched = {};
    _applied = appliedText;
    watch();
}

void StyleWatcher::watch()
{
    // The file watch stays on the file it was set on, even once the path leads elsewhere (or
    // nowhere): set it again on whatever the path leads to now.
    const FileIdentity current = identify(_path);
    const bool watching = _watcher.files().contains(_path);
    if (!watching || current != _watched) {
        if (watching)
            _watcher.removePath(_path);
        if (current.exists)
            _watcher.addPath(_path);
        _watched = current;
    }

    const QStringList wanted = foldersAlong(_path);
    QStringList stale;
    for (const QString& folder : _watcher.directories()) {
        if (!wanted.contains(folder))
            stale.append(folder);
    }
    if (!stale.isEmpty())
        _watcher.removePaths(stale);
    for (const QString& folder : wanted) {
        if (!_watcher.directories().contains(folder))
            _watcher.addPath(folder);
    }
}

void StyleWatcher::reload()
{
    watch();
    QString text;
    try {
        text = readUtf8File(_path);
    } catch (const std::exception& error) {
        // One save can raise several change signals; the user hears once until a reload succeeds.
        if (_failing)
            return;
        _failing = true;
        qCWarning(lcVelmora,
                  "velmora : rechargement du style impossible, la feuille précédente reste en place : %s",
                  error.what());
        return;
    }
    _failing = false;
    if (text == _applied)
        return;
    _applied = text;
    _window->setStyleSheet(text);
}

} // namespace velmora::detail
