// SPDX-License-Identifier: MIT
#pragma once

#include <velmora/velmora_export.h>

#include <QPointer>
#include <QString>
#include <QStringList>

#include <memory>
#include <utility>
#include <vector>

class QTabWidget;
class QWidget;

namespace velmora {

class Section;

/**
 * The page sections of a tab widget, by tab title.
 *
 * Titles keep the order in which they first appear; a title given twice maps to its last page.
 * Copies share the same entries. The sections stay owned by the section that made them.
 *
 * Once the pages' sections are discarded (a clear() of the section that made them, or the end of
 * their window's wrapper), at() and range-for throw std::logic_error, while size(), contains()
 * and keys() still answer for the titles.
 * Les titres restent consultables après la disparition des sections des onglets.
 *
 * Its members run on the thread of the application object; called from another thread they
 * throw std::logic_error whose message begins with the member's name ("TabSections::at: ...").
 */
class VELMORA_EXPORT TabSections
{
public:
    /// One title and its page section; `auto& [title, section]` binds both.
    struct Entry
    {
        /// The tab's title.
        QString first;
        /// The page's section.
        Section& second;
    };
    /// Walks the entries in tab order.
    using const_iterator = std::vector<Entry>::const_iterator;

    /// An empty set of pages.
    TabSections();

    /// Number of distinct titles.
    qsizetype size() const;

    /// Whether a page has this title.
    bool contains(const QString& title) const;

    /// The distinct titles, in order of first appearance.
    QStringList keys() const;

    /// The section of the page with this title.
    /// @throws std::out_of_range when no page has this title.
    /// @throws std::logic_error when the page's section no longer exists.
    Section& at(const QString& title) const;

    /// The first entry, for range-for.
    /// @throws std::logic_error when the pages' sections no longer exist.
    const_iterator begin() const;
    /// Past the last entry, for range-for.
    const_iterator end() const;

    /// Makes the page with this title the current one, as a click on its tab would; the only way
    /// to switch pages of a tab widget made without its tab bar.
    /// @throws std::out_of_range when no page has this title.
    /// @throws std::logic_error when the page or its tab widget no longer exists.
    void show(const QString& title) const;

    /// The title of the current page; empty when there is no page or no tab widget.
    QString current() const;

    /// The tab widget holding the pages; nullptr for a default-constructed value, and once Qt
    /// has deleted the tab widget (after the section holding it was cleared, for instance).
    QTabWidget* widget() const;

private:
    friend class Section;

    struct Data;

    /// Builds the map from the pages of `widget` in tab order; later pages replace earlier ones
    /// of the same title.
    TabSections(QTabWidget* widget, const std::vector<std::pair<QString, Section*>>& pages);

    // Whether the entry at `index` still reaches the section it was made with.
    bool alive(std::size_t index) const;

    std::shared_ptr<const Data> _data;
    QPointer<QTabWidget> _widget;
};

} // namespace velmora
