// SPDX-License-Identifier: MIT
#include "section.h"

#include "alignment_p.h"
#include "section_pool_p.h"
#include "thread_check_p.h"

#include <QBoxLayout>

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace velmora {
namespace {

[[noreturn]] void throwGone(const char* operation)
{
    throw std::logic_error(std::string("Section::") + operation +
                           ": this section no longer exists (a clear() of its parent discarded it, "
                           "or Qt deleted its layout)");
}

} // namespace

Section::Section(QBoxLayout* layout, const SectionOptions& options)
    : _parent(nullptr)
{
    detail::requireGuiThread("Section::Section");
    if (!layout)
        throw std::invalid_argument("Section: layout must not be null");
    reset(layout, options);
}

Section::~Section() = default;

void Section::reset(QBoxLayout* layout, const SectionOptions& options)
{
    _layout = layout;
    _parent = options.parent;
    _stretches = options.stretches;
    _stretch_idx = 0;
    _align = options.align;
    _sealed = false;
    if (detail::mainAxis(_align).before)
        layout->addStretch(1);
    if (options.cross_flag)
        layout->setAlignment(*options.cross_flag);
}

void Section::discard() noexcept
{
    ++_generation;
    _layout = nullptr;
    _parent = nullptr;
    _stretches = QList<int>();
    _stretch_idx = 0;
    _align = QString();
    _sealed = false;
    // Swapped out first, so that the children go back to the pool from an already empty shell.
    decltype(_sub_sections)().swap(_sub_sections);
    decltype(_named_widgets)().swap(_named_widgets);
}

void Section::requireAlive(const char* operation) const
{
    detail::requireGuiThread("Section", operation);
    if (!_layout) [[unlikely]]
        throwGone(operation);
}

void Section::_seal()
{
    // A section whose layout Qt deleted has nothing left to seal.
    if (_sealed || !_layout)
        return;
    _sealed = true;
    if (detail::mainAxis(_align).after)
        _layout->addStretch(1);
    for (const auto& child : _sub_sections)
        child->_seal();
}

int Section::_next_stretch(std::optional<int> explicit_stretch)
{
    if (explicit_stretch)
        return *explicit_stretch;
    if (_stretch_idx < _stretches.size())
        return _stretches[_stretch_idx++];
    return 0;
}

QWidget* Section::_register(const QString& name, QWidget* widget)
{
    if (!name.isEmpty()) {
        widget->setObjectName(name);
        _named_widgets.insert_or_assign(name, widget);
    }
    return widget;
}

QWidget* Section::get(const QString& name) const
{
    requireAlive("get");
    const auto it = _named_widgets.find(name);
    return it == _named_widgets.end() ? nullptr : it->second.data();
}

QWidget* Section::find(const QString& name) const
{
    requireAlive("find");
    return findBelow(name);
}

QWidget* Section::findBelow(const QString& name) const
{
    // Iterative, so that deeply nested sections cannot exhaust the stack.
    std::vector<const Section*> pending{this};
    while (!pending.empty()) {
        const Section* section = pending.back();
        pending.pop_back();
        // A section whose layout Qt deleted took its widgets with it.
        if (!section->_layout)
            continue;
        const auto it = section->_named_widgets.find(name);
        if (it != section->_named_widgets.end() && it->second)
            return it->second.data();
        for (auto child = section->_sub_sections.rbegin(); child != section->_sub_sections.rend(); ++child)
            pending.push_back(child->get());
    }
    return nullptr;
}

Section& Section::clear()
{
    requireAlive("clear");
    while (QLayoutItem* item = _layout->takeAt(0)) {
        if (QWidget* widget = item->widget())
            widget->deleteLater();
        delete item;
    }
    _named_widgets.clear();
    _sub_sections.clear();
    _stretch_idx = 0;
    _sealed = false;
    return *this;
}

Section& Section::end()
{
    requireAlive("end");
    return _parent ? *_parent : *this;
}

Section& Section::_adopt(detail::SectionHandle child)
{
    _sub_sections.push_back(std::move(child));
    return *_sub_sections.back();
}

void Section::_add(QWidget* widget, std::optional<int> stretch)
{
    _layout->addWidget(widget, _next_stretch(stretch));
}

} // namespace velmora
