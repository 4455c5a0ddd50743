// SPDX-License-Identifier: MIT
#pragma once

// Private to the preload module: what it adds to a program that was built without the inspector.

#include "tree_appender_p.h"

#include <QObject>
#include <QSet>

#include <optional>

class QKeyEvent;
class QWidget;

namespace tarnwickview::detail {

/// An application-wide event filter: Ctrl+Shift+I opens the inspector of the window it was
/// pressed in, and, when a tree file is given, the tree of every application window is appended
/// to it the first time the window is shown. It changes nothing else in the program: every other
/// event passes untouched.
class Injector : public QObject
{
public:
    /// Watches `application`, which becomes the injector's parent; `treeFile` is empty when no
    /// tree is to be written.
    Injector(QObject* application, const QString& treeFile);
    Q_DISABLE_COPY_MOVE(Injector)

    /// The file the trees go to, if any.
    const std::optional<TreeAppender>& trees() const { return _trees; }

    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void windowShown(QWidget* window);
    bool keyPressed(QWidget* receiver, const QKeyEvent* event);

    std::optional<TreeAppender> _trees;
    QSet<const QObject*> _written;
};

} // namespace tarnwickview::detail
