#include "tarnwickview.h"

#include "text_file_p.h"
#include "tree_model_p.h"

#include <QStringList>
#include <QWidget>

#include <stdexcept>

namespace tarnwickview {
namespace {

void requireRoot(const QWidget* root)
{
    if (!root)
        throw std::invalid_argument("tarnwickview: root widget is null");
}

void _walk(const QObject* obj, const QString& prefix, bool is_last, QStringList& lines)
{
    lines.append(prefix + (is_last ? QStringLiteral("└─ ") : QStringLiteral("├─ ")) +
                 detail::_node_label(obj));
    const QList<QWidget*> children = detail::_visual_children(obj);
    const QString child_prefix = prefix + (is_last ? QStringLiteral("   ") : QStringLiteral("│  "));
    for (qsizetype i = 0; i < children.size(); ++i)
        _walk(children.at(i), child_prefix, i == children.size() - 1, lines);
}

} // namespace

QString get_tree(QWidget* root)
{
    requireRoot(root);
    QStringList lines{detail::_node_label(root)};
    const QList<QWidget*> children = detail::_visual_children(root);
    for (qsizetype i = 0; i < children.size(); ++i)
        _walk(children.at(i), QString(), i == children.size() - 1, lines);
    return lines.join(QLatin1Char('\n'));
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
