// SPDX-License-Identifier: MIT
#include "append_pieces_p.h"

#include <algorithm>

namespace tarnwickview::detail {

void appendPieces(QString& out, std::initializer_list<QStringView> pieces)
{
    qsizetype added = 0;
    for (QStringView piece : pieces)
        added += piece.size();
    const qsizetype start = out.size();
    // Growing by at least the current capacity keeps a long text's copies linear in its length.
    if (out.capacity() < start + added)
        out.reserve(std::max(start + added, 2 * out.capacity()));
    out.resize(start + added);
    QChar* at = out.data() + start;
    for (QStringView piece : pieces)
        at = std::copy(piece.begin(), piece.end(), at);
}

} // namespace tarnwickview::detail
