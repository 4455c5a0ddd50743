// SPDX-License-Identifier: MIT
#include "standard_output_p.h"

#include <QByteArray>

#include <cstdio>

namespace tarnwickview::detail {

void printLine(const QString& text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
    std::fflush(stdout);
}

} // namespace tarnwickview::detail
