// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the one-line label of a node, the only place that labels one.

#include <QHash>
#include <QString>

class QMetaObject;
class QObject;

namespace tarnwickview::detail {

/// Labels the nodes of one walk over a tree. A label is a body that depends on the node's kind
/// (tab titles quoted and escaped), then "  [#name]" when the node has an object name. What a
/// label needs to know about a class (its kind, its short name) is worked out once per class and
/// kept for the life of the labeller only, so a walk never sees what an earlier one learned.
class NodeLabeller
{
public:
    /// An empty labeller: nothing known about any class yet.
    NodeLabeller();
    ~NodeLabeller();
    NodeLabeller(const NodeLabeller&) = delete;
    NodeLabeller& operator=(const NodeLabeller&) = delete;

    /// Appends the label of `obj` to `out`.
    void append(QString& out, const QObject* obj);

    /// The label of `obj`, as a string of its own.
    QString label(const QObject* obj);

    /// What a user reads on `obj` that its label leaves out, for the inspector window to show
    /// beside it: the class's own name when the label names the class it derives from
    /// ("StatusLabel" for a label reading "QLabel  …"), then the quoted text of a tool button (its
    /// action's when it has none of its own), another button, a group box, a menu or a dock
    /// widget. Empty when there is nothing more to read.
    QString detail(const QObject* obj);

private:
    struct ClassInfo;
    const ClassInfo& classInfo(const QObject* obj);
    QHash<const QMetaObject*, ClassInfo> _classes;
};

/// The most derived class name of `obj` that has run-time class information, without namespace.
QString shortClassName(const QObject* obj);

} // namespace tarnwickview::detail
