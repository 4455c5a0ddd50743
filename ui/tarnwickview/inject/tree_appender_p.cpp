// SPDX-License-Identifier: MIT
#include "tree_appender_p.h"

#include "../logging_p.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwickview::detail {
namespace {

QString reasonOf(int error)
{
    return QString::fromStdString(std::generic_category().message(error));
}

} // namespace

TreeAppender::TreeAppender(const QString& path)
    : _path(QFileInfo(path).absoluteFilePath())
{
}

bool TreeAppender::append(const QString& tree)
{
    // Opened without blocking: a FIFO that nobody reads fails at once instead of stopping the
    // program until a reader comes.
    const QByteArray name = QFile::encodeName(_path);
    const int fd = ::open(name.constData(), O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0) {
        reportFailure(reasonOf(errno));
        return false;
    }
    // Only a regular file has a size to go by and to cut back to; a FIFO or a device is told
    // apart by what this process has already sent to it.
    struct stat status = {};
    const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
    const off_t before = regular ? status.st_size : 0;
    const bool separate = regular ? before > 0 : _appended;

    // The separator depends on what the file already holds, so that trees of earlier runs and
    // of other processes sharing the file stay apart as well.
    QByteArray bytes = separate ? QByteArray("\n") : QByteArray();
    bytes += tree.toUtf8();
    bytes += '\n';
    qsizetype written = 0;
    int error = 0;
    while (written < bytes.size()) {
        const ssize_t count = ::write(fd, bytes.constData() + written, size_t(bytes.size() - written));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0) {
            // A short write reports no reason; the write after it does.
            error = count < 0 ? errno : ENOSPC;
            break;
        }
        written += count;
    }
    if (written != bytes.size() && regular) {
        // The file holds whole trees only: what was written of this one goes again.
        [[maybe_unused]] const int cut = ::ftruncate(fd, before);
    }
    ::close(fd);
    if (written != bytes.size()) {
        reportFailure(reasonOf(error));
        return false;
    }
    _appended = true;
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
