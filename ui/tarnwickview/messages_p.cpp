// SPDX-License-Identifier: MIT
#include "messages_p.h"

#include <stdexcept>

namespace tarnwickview::detail {

void requireRoot(const QWidget* root)
{
    if (!root)
        throw std::invalid_argument("tarnwickview: root widget is null");
}

QString treeSavedMessage(const QString& path)
{
    return QStringLiteral("Arborescence sauvegardée → ") + path;
}

QString qssGeneratedMessage(const QString& path)
{
    return QStringLiteral("Template QSS généré → ") + path;
}

} // namespace tarnwickview::detail
