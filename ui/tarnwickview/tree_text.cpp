// SPDX-License-Identifier: MIT
#include "tarnwickview.h"

#include "append_pieces_p.h"
#include "atomic_file_writer_p.h"
#include "messages_p.h"
#include "node_label_p.h"
#include "standard_output_p.h"
#include "thread_check_p.h"
#include "visual_children_p.h"

#include <QWidget>

namespace tarnwickview {
namespace {

// The tree text grows in `text`, one line per widget, a line feed before every line but the
// first. `_lineStart` is shared by the whole walk: it holds that line feed and the markers of the
// levels above; each level appends its marker and removes it again, so no line costs more than
// the characters it holds.
class TreeWriter
{
public:
    explicit TreeWriter(QString& text)
        : _text(text)
    {
    }

    void writeRoot(const QWidget* root)
    {
        _labeller.append(_text, root);
        writeChildren(detail::visualChildren(root));
    }

private:
    void writeChildren(const QList<QWidget*>& children)
    {
        for (qsizetype i = 0; i < children.size(); ++i)
            writeNode(children.at(i), i == children.size() - 1);
    }

    void writeNode(const QObject* obj, bool isLast)
    {
        detail::appendPieces(_text, {_lineStart, isLast ? QStringView(u"└─ ") : QStringView(u"├─ ")});
        _labeller.append(_text, obj);
        const QList<QWidget*> children = detail::visualChildren(obj);
        if (children.isEmpty())
            return;
        _lineStart += isLast ? QStringView(u"   ") : QStringView(u"│  ");
        writeChildren(children);
        _lineStart.chop(3);
    }

    QString& _text;
    QString _lineStart = QStringLiteral("\n");
    detail::NodeLabeller _labeller;
};

} // namespace

namespace {

QString treeText(QWidget* root)
{
    detail::requireRoot(root);
    QString text;
    TreeWriter(text).writeRoot(root);
    return text;
}

} // namespace

QString get_tree(QWidget* root)
{
    detail::requireGuiThread("tarnwickview::get_tree");
    return treeText(root);
}

void print_tree(QWidget* root)
{
    detail::requireGuiThread("tarnwickview::print_tree");
    detail::printLine(treeText(root));
}

void save_tree(QWidget* root, const QString& path)
{
    detail::requireGuiThread("tarnwickview::save_tree");
    detail::writeUtf8File(path, treeText(root));
    detail::printLine(detail::treeSavedMessage(path));
}

} // namespace tarnwickview
