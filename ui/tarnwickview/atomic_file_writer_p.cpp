// SPDX-License-Identifier: MIT
#include "atomic_file_writer_p.h"

#include <QByteArray>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tarnwickview::detail {
namespace {

[[noreturn]] void fail(const QString& path, int error)
{
    throw std::filesystem::filesystem_error("cannot write file",
                                            std::filesystem::path(QFile::encodeName(path).toStdString()),
                                            std::error_code(error, std::generic_category()));
}

// Owns a descriptor; closing it explicitly reports the error that a late write-back may raise.
class FileDescriptor
{
public:
    explicit FileDescriptor(int fd)
        : _fd(fd)
    {
    }
    ~FileDescriptor()
    {
        if (_fd >= 0)
            ::close(_fd);
    }
    FileDescriptor(const FileDescriptor&) = delete;
    FileDescriptor& operator=(const FileDescriptor&) = delete;

    int get() const { return _fd; }
    bool valid() const { return _fd >= 0; }

    /// Returns 0, or the errno of a failed close.
    int close()
    {
        const int fd = _fd;
        _fd = -1;
        return ::close(fd) == 0 ? 0 : errno;
    }

private:
    int _fd;
};

// Removes the temporary file unless it was moved into place.
class TemporaryName
{
public:
    TemporaryName() = default;
    ~TemporaryName()
    {
        if (!_name.isEmpty())
            ::unlink(_name.constData());
    }
    TemporaryName(const TemporaryName&) = delete;
    TemporaryName& operator=(const TemporaryName&) = delete;

    void set(const QByteArray& name) { _name = name; }
    const char* get() const { return _name.constData(); }
    void release() { _name.clear(); }
    void remove()
    {
        ::unlink(_name.constData());
        _name.clear();
    }

private:
    QByteArray _name;
};

/// Returns 0, or the errno of the write that failed.
int writeAll(int fd, const QByteArray& bytes)
{
    const char* data = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, data, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += n;
        left -= n;
    }
    return 0;
}

QByteArray directoryOf(const QByteArray& target)
{
    const qsizetype slash = target.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    if (slash == 0)
        return QByteArrayLiteral("/");
    return target.left(slash);
}

// Creates an empty file beside the target with a fresh name. The mode passes through the umask,
// as it would for a file created directly.
int createTemporary(const QByteArray& directory, mode_t mode, TemporaryName& name)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray candidate =
            directory + "/.tarnwickview-" + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd = ::open(candidate.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0) {
            name.set(candidate);
            return fd;
        }
        if (errno != EEXIST)
            return -1;
    }
    errno = EEXIST;
    return -1;
}

// Claims the disk space `size` bytes of text need before any of the old text is overwritten, so
// that a full disk, a quota or a size limit fails while the file is intact. Returns 0, or the
// errno that makes the write impossible. A file system that cannot reserve space (EOPNOTSUPP) is
// written without the reservation. Not posix_fallocate: where the file system cannot reserve,
// glibc falls back to reading the file, which fails on a descriptor opened for writing only.
int reserveSpace(int fd, off_t size)
{
    if (size == 0 || ::fallocate(fd, 0, 0, size) == 0)
        return 0;
    return errno == EOPNOTSUPP || errno == ENOSYS ? 0 : errno;
}

enum class Missing { Fail, Create };

void writeInPlace(const QString& path, const QByteArray& target, const QByteArray& bytes,
                  Missing missing = Missing::Fail)
{
    // Without O_NONBLOCK, opening a pipe that nobody reads would wait for a reader for ever; with
    // it, a missing reader is ENXIO. Writing then blocks as a plain write would. O_CREAT only
    // where the file is to be made: with it, protected_regular and protected_fifos refuse another
    // user's file in a sticky directory.
    const int create = missing == Missing::Create ? O_CREAT : 0;
    FileDescriptor fd(::open(target.constData(), O_WRONLY | create | O_NONBLOCK | O_CLOEXEC, 0666));
    if (!fd.valid())
        fail(path, errno);
    const int flags = ::fcntl(fd.get(), F_GETFL);
    if (flags < 0 || ::fcntl(fd.get(), F_SETFL, flags & ~O_NONBLOCK) != 0)
        fail(path, errno);
    struct stat opened = {};
    if (::fstat(fd.get(), &opened) != 0)
        fail(path, errno);
    // A regular file keeps its old text until the new one is sure to fit, then loses only the
    // tail beyond it; devices and pipes take the text as a stream.
    const bool regular = S_ISREG(opened.st_mode);
    if (regular) {
        if (const int error = reserveSpace(fd.get(), off_t(bytes.size())))
            fail(path, error);
    }
    if (const int error = writeAll(fd.get(), bytes))
        fail(path, error);
    if (regular && ::ftruncate(fd.get(), off_t(bytes.size())) != 0)
        fail(path, errno);
    if (const int error = fd.close())
        fail(path, error);
}

} // namespace

void writeUtf8File(const QString& path, const QString& text)
{
    QByteArray target = QFile::encodeName(path);
    if (target.isEmpty())
        fail(path, ENOENT);
    if (target.contains('\0'))
        fail(path, EINVAL);
    const QByteArray bytes = text.toUtf8();

    struct stat existing = {};
    const bool exists = ::stat(target.constData(), &existing) == 0;
    if (!exists && errno != ENOENT)
        fail(path, errno);
    if (exists && S_ISDIR(existing.st_mode))
        fail(path, EISDIR);
    // Devices and pipes cannot be replaced by renaming; they are written through. So is a file
    // with other hard links, which would otherwise keep the old text under their names.
    if (exists && (!S_ISREG(existing.st_mode) || existing.st_nlink > 1)) {
        writeInPlace(path, target, bytes);
        return;
    }
    // A symbolic link to nothing yet: opening it creates the file it names, and it stays a link.
    struct stat link = {};
    if (!exists && ::lstat(target.constData(), &link) == 0 && S_ISLNK(link.st_mode)) {
        writeInPlace(path, target, bytes, Missing::Create);
        return;
    }
    if (exists) {
        // Renaming over the file would bypass its own permissions; it must be writable as itself.
        if (::faccessat(AT_FDCWD, target.constData(), W_OK, AT_EACCESS) != 0)
            fail(path, errno);
        // Replace the file a symbolic link points to, not the link itself.
        if (char* resolved = ::realpath(target.constData(), nullptr)) {
            target = resolved;
            std::free(resolved);
        }
    }

    TemporaryName temporary;
    FileDescriptor fd(createTemporary(directoryOf(target), exists ? 0600 : 0666, temporary));
    if (!fd.valid()) {
        const int error = errno;
        if (exists && (error == EACCES || error == EPERM)) {
            writeInPlace(path, target, bytes);
            return;
        }
        fail(path, error);
    }
    if (exists) {
        // Only a privileged process may give a file away; when the replacement cannot be given
        // the old owner and group, rewriting in place is the only way to keep them, as a plain
        // write would. That is settled while the replacement is still empty, so that it never
        // holds disk space the rewrite needs.
        struct stat created = {};
        if (::fstat(fd.get(), &created) != 0)
            fail(path, errno);
        if ((created.st_uid != existing.st_uid || created.st_gid != existing.st_gid) &&
            ::fchown(fd.get(), existing.st_uid, existing.st_gid) != 0) {
            if (errno != EPERM)
                fail(path, errno);
            fd.close();
            temporary.remove();
            writeInPlace(path, target, bytes);
            return;
        }
    }
    if (const int error = writeAll(fd.get(), bytes))
        fail(path, error);
    // After the write, which clears the set-user-ID and set-group-ID bits of an unprivileged
    // writer's file.
    if (exists && ::fchmod(fd.get(), existing.st_mode & 07777) != 0)
        fail(path, errno);
    if (::fsync(fd.get()) != 0)
        fail(path, errno);
    if (const int error = fd.close())
        fail(path, error);
    if (::rename(temporary.get(), target.constData()) != 0)
        fail(path, errno);
    temporary.release();
}

} // namespace tarnwickview::detail
