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
// first. `prefix` is shared by the whole walk: each level appends its marker and removes it again,
// so no line costs more than the characters it holds.
void _walk(const QObject* obj, QString& prefix, bool is_last, QString& text)
{
    text += QLatin1Char('\n');
    text += prefix;
    text += is_last ? QStringView(u"└─ ") : QStringView(u"├─ ");
    detail::_append_node_label(text, obj);
    const QList<QWidget*> children = detail::_visual_children(obj);
    if (children.isEmpty())
        return;
    prefix += is_last ? QStringView(u"   ") : QStringView(u"│  ");
    for (qsizetype i = 0; i < children.size(); ++i)
        _walk(children.at(i), prefix, i == children.size() - 1, text);
    prefix.chop(3);
}

} // namespace

QString get_tree(QWidget* root)
{
    requireRoot(root);
    QString text = detail::_node_label(root);
    QString prefix;
    const QList<QWidget*> children = detail::_visual_children(root);
    for (qsizetype i = 0; i < children.size(); ++i)
        _walk(children.at(i), prefix, i == children.size() - 1, text);
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
