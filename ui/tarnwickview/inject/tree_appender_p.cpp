// SPDX-License-Identifier: MIT
#include "tree_appender_p.h"

#include "../logging_p.h"

#include <QFile>
#include <QFileInfo>

namespace tarnwickview::detail {

TreeAppender::TreeAppender(const QString& path)
    : _path(QFileInfo(path).absoluteFilePath())
{
}

bool TreeAppender::append(const QString& tree)
{
    QFile file(_path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Unbuffered)) {
        reportFailure(file.errorString());
        return false;
    }
    // The separator depends on what the file already holds, so that trees of earlier runs and
    // of other processes sharing the file stay apart as well.
    const qint64 before = file.size();
    QByteArray bytes = before > 0 ? QByteArray("\n") : QByteArray();
    bytes += tree.toUtf8();
    bytes += '\n';
    // Qt reports no reason for a short write, only for the write that then fails outright.
    qint64 written = 0;
    while (written < bytes.size()) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            break;
        written += count;
    }
    if (written != bytes.size()) {
        const QString reason = file.errorString();
        // The file holds whole trees only: what was written of this one goes again.
        file.resize(before);
        reportFailure(reason);
        return false;
    }
    return true;
}

void TreeAppender::reportFailure(const QString& reason)
{
    if (_failureReported)
        return;
    _failureReported = true;
    qCWarning(lcTarnwickview).noquote()
        << QStringLiteral("impossible d'ajouter l'arborescence à %1 : %2").arg(_path, reason);
}

} // namespace tarnwickview::detail
