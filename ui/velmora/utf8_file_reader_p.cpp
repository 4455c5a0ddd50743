// SPDX-License-Identifier: MIT
#include "utf8_file_reader_p.h"

#include <QByteArray>
#include <QStringDecoder>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::detail {
namespace {

// Well above any hand-written sheet, and low enough that Qt parses it in a moment: a sheet of a
// hundred megabytes stalls the window for most of a minute and takes gigabytes.
constexpr qsizetype maxStyleSheetBytes = qsizetype(16) * 1024 * 1024;

[[noreturn]] void fail(const char* what, const QByteArray& path, std::error_code code)
{
    throw std::filesystem::filesystem_error(what, std::filesystem::path(path.toStdString()), code);
}

[[noreturn]] void failWithErrno(const char* what, const QByteArray& path)
{
    fail(what, path, std::error_code(errno, std::generic_category()));
}

// Owns a file descriptor for the duration of one read.
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

private:
    int _fd;
};

} // namespace

QString readUtf8File(const QString& path)
{
    const QByteArray localPath = path.toLocal8Bit();
    if (localPath.contains('\0'))
        fail("cannot open style sheet", localPath, std::make_error_code(std::errc::invalid_argument));

    // Non-blocking, so that opening a pipe with no writer cannot hang the caller.
    const FileDescriptor fd(::open(localPath.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
    if (fd.get() < 0)
        failWithErrno("cannot open style sheet", localPath);
    struct stat status = {};
    if (::fstat(fd.get(), &status) != 0)
        failWithErrno("cannot read style sheet", localPath);
    if (S_ISDIR(status.st_mode))
        fail("cannot read style sheet", localPath, std::make_error_code(std::errc::is_a_directory));
    // Pipes and devices would block or never end (/dev/zero); a style sheet is a regular file.
    if (!S_ISREG(status.st_mode))
        fail("style sheet is not a regular file", localPath,
             std::make_error_code(std::errc::invalid_argument));
    if (status.st_size > maxStyleSheetBytes)
        fail("style sheet is larger than 16 MiB", localPath, std::make_error_code(std::errc::file_too_large));

    // The file may grow after fstat(): reading stops one byte past the limit whatever its size.
    QByteArray bytes;
    bytes.reserve(qsizetype(status.st_size));
    char buffer[64 * 1024];
    for (;;) {
        const qsizetype room = maxStyleSheetBytes + 1 - bytes.size();
        if (room <= 0)
            fail("style sheet is larger than 16 MiB", localPath,
                 std::make_error_code(std::errc::file_too_large));
        const ssize_t n = ::read(fd.get(), buffer, std::min<std::size_t>(sizeof buffer, std::size_t(room)));
        if (n == 0)
            break;
        if (n < 0) {
            if (errno == EINTR)
                continue;
            failWithErrno("cannot read style sheet", localPath);
        }
        bytes.append(buffer, n);
    }

    // Stateless: a sequence cut short at the end of the file counts as an error too.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        fail("style sheet is not valid UTF-8", localPath,
             std::make_error_code(std::errc::illegal_byte_sequence));
    return text;
}

} // namespace velmora::detail
