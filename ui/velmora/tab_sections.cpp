#include "tab_sections.h"

#include <QHash>
#include <QTabWidget>

#include <stdexcept>

namespace velmora {

// Shared by copies and never changed once built.
struct TabSections::Data
{
    std::vector<Entry> entries;
    QHash<QString, qsizetype> index;
};

TabSections::TabSections()
    : _data(std::make_shared<const Data>())
{
}

TabSections::TabSections(QTabWidget* widget, const std::vector<std::pair<QString, Section*>>& pages)
    : _widget(widget)
{
    // First pass: the order of first appearance and the last section of each title.
    QStringList order;
    QHash<QString, Section*> last;
    for (const auto& [title, section] : pages) {
        if (!last.contains(title))
            order.append(title);
        last.insert(title, section);
    }
    auto data = std::make_shared<Data>();
    data->entries.reserve(order.size());
    for (const QString& title : order) {
        data->index.insert(title, qsizetype(data->entries.size()));
        data->entries.push_back(Entry{title, *last.value(title)});
    }
    _data = std::move(data);
}

qsizetype TabSections::size() const
{
    return qsizetype(_data->entries.size());
}

bool TabSections::contains(const QString& title) const
{
    return _data->index.contains(title);
}

QStringList TabSections::keys() const
{
    QStringList titles;
    titles.reserve(size());
    for (const Entry& entry : _data->entries)
        titles.append(entry.first);
    return titles;
}

Section& TabSections::at(const QString& title) const
{
    const auto it = _data->index.constFind(title);
    if (it == _data->index.cend())
        throw std::out_of_range("TabSections::at: no tab titled \"" + title.toStdString() + '"');
    return _data->entries[std::size_t(*it)].second;
}

TabSections::const_iterator TabSections::begin() const
{
    return _data->entries.cbegin();
}

TabSections::const_iterator TabSections::end() const
{
    return _data->entries.cend();
}

QTabWidget* TabSections::widget() const
{
    return _widget.data();
}

} // namespace velmora
