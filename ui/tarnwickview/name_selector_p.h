// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the style-sheet selector of one widget by its name.

#include <QString>
#include <QStringView>

namespace tarnwickview::detail {

/// The selector that picks the widgets named `objectName` and no others: "#" and the name, with a
/// backslash before each character a style-sheet identifier cannot hold as it is (anything but
/// ASCII letters, digits, '-', '_' and characters beyond U+00FF, which Qt's style sheets read as
/// they are). A name that is already a plain identifier comes back unchanged after the "#".
/// No escape lets "#" carry a line feed, carriage return or form feed; a name holding one gets an
/// attribute selector instead, `*[objectName="..."]`, whose quoted text escapes them.
QString nameSelector(QStringView objectName);

} // namespace tarnwickview::detail
