// SPDX-License-Identifier: MIT
#pragma once

// Helpers shared by the inspector tests: capturing standard output, working in a scratch
// directory, and making writes fail on purpose.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <csignal>
#include <cstdio>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

/// Redirects file descriptor 1 to a temporary file until text() or destruction.
class StdoutCapture
{
public:
    StdoutCapture()
    {
        std::fflush(stdout);
        _saved = ::dup(STDOUT_FILENO);
        _file = QDir(_dir.path()).filePath(QStringLiteral("stdout")).toLocal8Bit();
        const int fd = ::open(_file.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0600);
        ::dup2(fd, STDOUT_FILENO);
        ::close(fd);
    }
    ~StdoutCapture() { restore(); }
    StdoutCapture(const StdoutCapture&) = delete;
    StdoutCapture& operator=(const StdoutCapture&) = delete;

    /// Ends the capture and returns the raw bytes written meanwhile.
    QByteArray bytes()
    {
        restore();
        QFile file(QString::fromLocal8Bit(_file));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
    }

private:
    void restore()
    {
        if (_saved < 0)
            return;
        std::fflush(stdout);
        ::dup2(_saved, STDOUT_FILENO);
        ::close(_saved);
        _saved = -1;
    }

    QTemporaryDir _dir;
    QByteArray _file;
    int _saved = -1;
};

/// Makes a fresh scratch directory the current one, and restores the previous one afterwards.
class ScratchDirectory
{
public:
    ScratchDirectory()
        : _previous(QDir::currentPath())
    {
        QDir::setCurrent(_dir.path());
    }
    ~ScratchDirectory() { QDir::setCurrent(_previous); }
    ScratchDirectory(const ScratchDirectory&) = delete;
    ScratchDirectory& operator=(const ScratchDirectory&) = delete;

    QString path() const { return _dir.path(); }

private:
    QTemporaryDir _dir;
    QString _previous;
};

/// Caps the size of files this process writes, so that a write past `bytes` fails with EFBIG
/// instead of raising SIGXFSZ; the previous limit and signal disposition come back afterwards.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &_previous);
        _previousHandler = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limited = _previous;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit()
    {
        ::setrlimit(RLIMIT_FSIZE, &_previous);
        std::signal(SIGXFSZ, _previousHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit _previous{};
    void (*_previousHandler)(int) = SIG_DFL;
};

inline QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<unreadable>");
}

inline void writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(bytes);
}

/// Root bypasses permission bits, so permission failures cannot be provoked as root.
inline bool runningAsRoot()
{
    return ::geteuid() == 0;
}
