// SPDX-License-Identifier: MIT
#include "tab_sections.h"

#include "section.h"
#include "thread_check_p.h"

#include <QBoxLayout>
#include <QHash>
#include <QTabWidget>

#include <cstdint>
#include <stdexcept>

namespace velmora {

// Shared by copies and never changed once built.
struct TabSections::Data
{
    std::vector<Entry> entries;
    // What each entry's section counted of its discards when the page was made.
    std::vector<std::uint32_t> generations;
    // Each entry's page widget, which outlives neither its tab widget nor a clear().
    std::vector<QPointer<QWidget>> pages;
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
    data->generations.reserve(order.size());
    data->pages.reserve(order.size());
    for (const QString& title : order) {
        Section* section = last.value(title);
        data->index.insert(title, qsizetype(data->entries.size()));
        data->entries.push_back(Entry{title, *section});
        data->generations.push_back(section->_generation);
        data->pages.emplace_back(section->_layout->parentWidget());
    }
    _data = std::move(data);
}

qsizetype TabSections::size() const
{
    detail::requireGuiThread("TabSections::size");
    return qsizetype(_data->entries.size());
}

bool TabSections::contains(const QString& title) const
{
    detail::requireGuiThread("TabSections::contains");
    return _data->index.contains(title);
}

QStringList TabSections::keys() const
{
    detail::requireGuiThread("TabSections::keys");
    QStringList titles;
    titles.reserve(size());
    for (const Entry& entry : _data->entries)
        titles.append(entry.first);
    return titles;
}

Section& TabSections::at(const QString& title) const
{
    detail::requireGuiThread("TabSections::at");
    const auto it = _data->index.constFind(title);
    if (it == _data->index.cend())
        throw std::out_of_range("TabSections::at: no tab titled \"" + title.toStdString() + '"');
    if (!alive(std::size_t(*it)))
        throw std::logic_error("TabSections::at: the section of tab \"" + title.toStdString() +
                               "\" no longer exists (a clear() discarded it, or Qt deleted its page)");
    return _data->entries[std::size_t(*it)].second;
}

bool TabSections::alive(std::size_t index) const
{
    // Page sections are never freed, only emptied and reused, so the count can always be read.
    const Section& section = _data->entries[index].second;
    return section._generation == _data->generations[index] && !section._layout.isNull();
}

TabSections::const_iterator TabSections::begin() const
{
    detail::requireGuiThread("TabSections::begin");
    for (std::size_t i = 0; i < _data->entries.size(); ++i) {
        if (!alive(i))
            throw std::logic_error("TabSections: the sections of these tabs no longer exist (a clear() "
                                   "discarded them, or Qt deleted their pages)");
    }
    return _data->entries.cbegin();
}

TabSections::const_iterator TabSections::end() const
{
    detail::requireGuiThread("TabSections::end");
    return _data->entries.cend();
}

void TabSections::show(const QString& title) const
{
    detail::requireGuiThread("TabSections::show");
    const auto it = _data->index.constFind(title);
    if (it == _data->index.cend())
        throw std::out_of_range("TabSections::show: no tab titled \"" + title.toStdString() + '"');
    QWidget* page = _data->pages[std::size_t(*it)];
    if (!_widget || !page || _widget->indexOf(page) < 0)
        throw std::logic_error("TabSections::show: the page of tab \"" + title.toStdString() +
                               "\" no longer exists (a clear() discarded it, or Qt deleted it)");
    _widget->setCurrentWidget(page);
}

QString TabSections::current() const
{
    detail::requireGuiThread("TabSections::current");
    return _widget ? _widget->tabText(_widget->currentIndex()) : QString();
}

QTabWidget* TabSections::widget() const
{
    detail::requireGuiThread("TabSections::widget");
    return _widget.data();
}

} // namespace velmora
