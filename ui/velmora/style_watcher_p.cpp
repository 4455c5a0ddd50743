// SPDX-License-Identifier: MIT
#include "style_watcher_p.h"

#include "logging_p.h"
#include "utf8_file_reader_p.h"

#include <QFileInfo>
#include <QWidget>

#include <exception>

namespace velmora::detail {

StyleWatcher::StyleWatcher(QWidget* window, const QString& path, const QString& appliedText)
    : QObject(window)
    , _window(window)
{
    connect(&_watcher, &QFileSystemWatcher::fileChanged, this, [this] { reload(); });
    connect(&_watcher, &QFileSystemWatcher::directoryChanged, this, [this] {
        // Only the file's own return matters: other files of the folder come and go freely.
        if (!_watcher.files().contains(_path) && QFileInfo::exists(_path))
            reload();
    });
    retarget(path, appliedText);
}

void StyleWatcher::retarget(const QString& path, const QString& appliedText)
{
    if (!_watcher.files().isEmpty())
        _watcher.removePaths(_watcher.files());
    if (!_watcher.directories().isEmpty())
        _watcher.removePaths(_watcher.directories());
    _path = QFileInfo(path).absoluteFilePath();
    _applied = appliedText;
    watch();
}

void StyleWatcher::watch()
{
    if (!_watcher.files().contains(_path) && QFileInfo::exists(_path))
        _watcher.addPath(_path);
    const QString folder = QFileInfo(_path).absolutePath();
    if (!_watcher.directories().contains(folder))
        _watcher.addPath(folder);
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
