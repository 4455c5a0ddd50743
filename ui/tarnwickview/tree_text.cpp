#include "tarnwickview.h"

#include "text_file_p.h"
#include "tree_model_p.h"

#include <QWidget>

#include <stdexcept>

namespace tarnwickview {
namespace {

void requireRoot(const QWidget* root)
{
    if (!root)
        throw std::invalid_argument("tarnwickview: root widget is null");
}

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

    void writeChildren(const QList<QWidget*>& children)
    {
        for (qsizetype i = 0; i < children.size(); ++i)
            writeNode(children.at(i), i == children.size() - 1);
    }

private:
    void writeNode(const QObject* obj, bool isLast)
    {
        detail::_append_pieces(_text, {_lineStart, isLast ? QStringView(u"└─ ") : QStringView(u"├─ ")});
        _labeller.append(_text, obj);
        const QList<QWidget*> children = detail::_visual_children(obj);
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

QString get_tree(QWidget* root)
{
    requireRoot(root);
    QString text = detail::_node_label(root);
    TreeWriter(text).writeChildren(detail::_visual_children(root));
    return text;
}

void print_tree(QWidget* root)
{
    detail::printLine(get_tree(root));
}

void save_tree(QWidget* root, const QString& path)
{
    detail::writeUtf8File(path, get_tree(root));
    detail::printLine(QStringLiteral("Arborescence sauvegardée → ") + path);
}

} // namespace tarnwickview
