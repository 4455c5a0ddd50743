// SPDX-License-Identifier: MIT
#pragma once

// Private to velmora: reading a text file with the operating system's error codes.

#include <QString>

namespace velmora::detail {

/// Reads the whole file at `path` and decodes it as UTF-8, dropping a leading byte-order mark.
/// Throws std::filesystem::filesystem_error with the system's error code when the file cannot be
/// opened or read, with std::errc::file_too_large when it holds more than 16 MiB (without reading
/// it), and with std::errc::illegal_byte_sequence when it is not valid UTF-8.
QString readUtf8File(const QString& path);

} // namespace velmora::detail
