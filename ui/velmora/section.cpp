// SPDX-License-Identifier: MIT
#include "section.h"

#include "alignment_p.h"
#include "callback_guard_p.h"
#include "section_pool_p.h"
#include "thread_check_p.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QTableWidget>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {
namespace {

// Places one row's values from the first column on, dropping those beyond the table's `columns`.
void fillRow(QTableWidget* table, int row, int columns, const QVariantList& values)
{
    const int count = int(std::min<qsizetype>(values.size(), columns));
    for (int column = 0; column < count; ++column)
        table->setItem(row, column, new QTableWidgetItem(values[column].toString()));
}

// Whether the sorted table is as sorted appends leave it: the rows with a cell in the sort
// column first, in sorted order, then the rows without one, and no row header set. Only then
// does a single sort reproduce what appending the rows one by one would give.
bool keepsSortedShape(const QTableWidget* table, int sortColumn, Qt::SortOrder order)
{
    const QTableWidgetItem* previous = nullptr;
    bool pastKeys = false;
    for (int row = 0; row < table->rowCount(); ++row) {
        if (table->verticalHeaderItem(row))
            return false;
        const QTableWidgetItem* item = table->item(row, sortColumn);
        if (!item) {
            pastKeys = true;
            continue;
        }
        if (pastKeys)
            return false;
        if (previous && (order == Qt::AscendingOrder ? *item < *previous : *previous < *item))
            return false;
        previous = item;
    }
    return true;
}

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

TabSections Section::add_tabs(const QStringList& tabs, const TabsOptions& options)
{
    requireAlive("add_tabs");
    auto* tabsWidget = new QTabWidget;
    if (!options.name.isEmpty())
        tabsWidget->setObjectName(options.name);
    _add(tabsWidget, options.stretch);

    std::vector<std::pair<QString, Section*>> pages;
    pages.reserve(tabs.size());
    for (const QString& title : tabs) {
        auto* container = new QWidget;
        auto* layout = new QVBoxLayout(container);
        tabsWidget->addTab(container, title);
        pages.emplace_back(title, &_adopt(detail::SectionPool::make(layout, SectionOptions{this})));
    }
    return TabSections(tabsWidget, pages);
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

Section& Section::add_widget(QWidget* widget, const WidgetOptions& options)
{
    requireAlive("add_widget");
    if (!widget)
        throw std::invalid_argument("add_widget: widget must not be null");
    for (const QWidget* ancestor = _layout->parentWidget(); ancestor; ancestor = ancestor->parentWidget()) {
        if (ancestor == widget)
            throw std::invalid_argument("add_widget: the widget holds this section and cannot go inside it");
    }
    _register(options.name, widget);
    _add(widget, options.stretch);
    return *this;
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

Section& Section::add_label(const QString& text, const LabelOptions& options)
{
    requireAlive("add_label");
    auto* label = new QLabel(text);
    _register(options.name, label);
    _add(label, options.stretch);
    return *this;
}

Section& Section::add_button(const QString& text, Callback callback, const ButtonOptions& options)
{
    requireAlive("add_button");
    if (!callback)
        throw std::invalid_argument("add_button: callback must not be empty");
    auto* button = new QPushButton(text);
    _register(options.name, button);
    if (!options.enabled)
        button->setEnabled(false);
    QObject::connect(button, &QPushButton::clicked, button,
                     [callback = std::move(callback)] { detail::invokeGuarded("add_button", callback); });
    _add(button, options.stretch);
    if (options.gap > 0)
        _layout->addSpacing(options.gap);
    return *this;
}

Section& Section::add_input(const InputOptions& options)
{
    requireAlive("add_input");
    auto* input = new QLineEdit;
    _register(options.name, input);
    input->setPlaceholderText(options.placeholder);
    // The initial state goes in before any callback is connected, so that none runs for it.
    if (!options.text.isEmpty())
        input->setText(options.text);
    if (options.password)
        input->setEchoMode(QLineEdit::Password);
    if (options.read_only)
        input->setReadOnly(true);
    if (!options.enabled)
        input->setEnabled(false);
    if (options.callback) {
        QObject::connect(input, &QLineEdit::textChanged, input,
                         [callback = options.callback](const QString& text) {
                             detail::invokeGuarded("add_input", callback, text);
                         });
    }
    if (options.on_submit) {
        QObject::connect(input, &QLineEdit::returnPressed, input, [input, callback = options.on_submit] {
            detail::invokeGuarded("add_input", callback, input->text());
        });
    }
    _add(input, options.stretch);
    return *this;
}

Section& Section::add_dropdown(const QStringList& options, const DropdownOptions& dropdown_options)
{
    requireAlive("add_dropdown");
    if (const auto current = dropdown_options.current;
        current && (*current < 0 || *current >= options.size())) {
        throw std::out_of_range("add_dropdown: current index " + std::to_string(*current) +
                                " is outside 0 .. " + std::to_string(options.size() - 1));
    }
    auto* combo = new QComboBox;
    _register(dropdown_options.name, combo);
    combo->addItems(options);
    if (dropdown_options.current)
        combo->setCurrentIndex(*dropdown_options.current);
    if (!dropdown_options.enabled)
        combo->setEnabled(false);
    if (dropdown_options.callback) {
        QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                         [callback = dropdown_options.callback](const QString& text) {
                             detail::invokeGuarded("add_dropdown", callback, text);
                         });
    }
    _add(combo, dropdown_options.stretch);
    return *this;
}

Section& Section::add_checkbox(const QString& text, const CheckboxOptions& options)
{
    requireAlive("add_checkbox");
    auto* box = new QCheckBox(text);
    _register(options.name, box);
    box->setChecked(options.checked);
    if (!options.enabled)
        box->setEnabled(false);
    if (options.callback) {
        QObject::connect(box, &QCheckBox::toggled, box, [callback = options.callback](bool checked) {
            detail::invokeGuarded("add_checkbox", callback, checked);
        });
    }
    _add(box, options.stretch);
    return *this;
}

Section& Section::add_separator(std::optional<int> stretch)
{
    requireAlive("add_separator");
    auto* line = new QFrame;
    line->setFrameShape(qobject_cast<QVBoxLayout*>(_layout) ? QFrame::HLine : QFrame::VLine);
    line->setFrameShadow(QFrame::Sunken);
    _add(line, stretch);
    return *this;
}

Section& Section::add_spacer(int stretch)
{
    requireAlive("add_spacer");
    _layout->addStretch(stretch);
    return *this;
}

Section& Section::add_spacing(int px)
{
    requireAlive("add_spacing");
    _layout->addSpacing(px);
    return *this;
}

Section& Section::set_spacing(int px)
{
    requireAlive("set_spacing");
    _layout->setSpacing(px);
    return *this;
}

Section& Section::set_margins(const Margins& margins)
{
    requireAlive("set_margins");
    _layout->setContentsMargins(margins.left, margins.top, margins.right, margins.bottom);
    return *this;
}

Section& Section::set_style(const QString& css)
{
    requireAlive("set_style");
    if (QWidget* widget = _layout->parentWidget())
        widget->setStyleSheet(css);
    return *this;
}

Section& Section::add_row(const BoxOptions& options)
{
    requireAlive("add_row");
    const auto crossFlag =
        options.cross_align.isEmpty() ? std::nullopt : detail::crossFlagHorizontal(options.cross_align);
    return _make_sub(true, options.stretches, options.stretch, options.align, crossFlag, options.name);
}

Section& Section::add_column(const BoxOptions& options)
{
    requireAlive("add_column");
    const auto crossFlag =
        options.cross_align.isEmpty() ? std::nullopt : detail::crossFlagVertical(options.cross_align);
    return _make_sub(false, options.stretches, options.stretch, options.align, crossFlag, options.name);
}

Section& Section::_make_sub(bool horizontal, const QList<int>& stretches, std::optional<int> stretch,
                            const QString& align, std::optional<Qt::AlignmentFlag> cross_flag,
                            const QString& name)
{
    auto* container = new QFrame;
    if (!name.isEmpty())
        container->setObjectName(name);
    QBoxLayout* layout = horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(container))
                                    : static_cast<QBoxLayout*>(new QVBoxLayout(container));
    _add(container, stretch);
    return _adopt(detail::SectionPool::make(layout, SectionOptions{this, stretches, align, cross_flag}));
}

Section& Section::add_scroll(const ScrollOptions& options)
{
    requireAlive("add_scroll");
    auto* scroll = new QScrollArea;
    scroll->setWidgetResizable(true);
    scroll->setHorizontalScrollBarPolicy(options.horizontal ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    auto* inner = new QWidget;
    auto* innerLayout = new QVBoxLayout(inner);
    scroll->setWidget(inner);
    _add(scroll, options.stretch);
    return _adopt(detail::SectionPool::make(innerLayout, SectionOptions{this}));
}

QTableWidget* Section::add_table(const QStringList& columns, const TableOptions& options)
{
    requireAlive("add_table");
    auto* table = new QTableWidget;
    table->setColumnCount(int(columns.size()));
    table->setHorizontalHeaderLabels(columns);
    if (options.rows > 0)
        table->setRowCount(options.rows);
    _register(options.name, table);
    if (options.on_activate) {
        // A double click activates the row; it would otherwise open the cell's editor instead.
        table->setEditTriggers(table->editTriggers() & ~QAbstractItemView::DoubleClicked);
        QObject::connect(table, &QTableWidget::cellActivated, table,
                         [callback = options.on_activate](int row, int) {
                             detail::invokeGuarded("add_table", callback, row);
                         });
    }
    _add(table, options.stretch);
    return table;
}

Section& Section::add_table_row(QTableWidget* table, const QVariantList& values)
{
    requireAlive("add_table_row");
    if (!table)
        throw std::invalid_argument("add_table_row: table must not be null");
    // In a sorted table, placing the cell of the sort column moves its row to the sorted place at
    // once. That cell goes in last, so that the row's other cells are already in the row it moves.
    const int sortColumn = table->isSortingEnabled() ? table->horizontalHeader()->sortIndicatorSection() : -1;
    const int row = table->rowCount();
    table->insertRow(row);
    QTableWidgetItem* sortCell = nullptr;
    for (qsizetype column = 0; column < values.size(); ++column) {
        if (column >= table->columnCount())
            break;
        auto* item = new QTableWidgetItem(values[column].toString());
        if (column == sortColumn)
            sortCell = item;
        else
            table->setItem(row, int(column), item);
    }
    if (sortCell)
        table->setItem(row, sortColumn, sortCell);
    return *this;
}

Section& Section::add_table_rows(QTableWidget* table, const QList<QVariantList>& rows)
{
    requireAlive("add_table_rows");
    if (!table)
        throw std::invalid_argument("add_table_rows: table must not be null");
    if (rows.isEmpty())
        return *this;
    QHeaderView* header = table->horizontalHeader();
    const int sortColumn = table->isSortingEnabled() ? header->sortIndicatorSection() : -1;
    const int columns = table->columnCount();
    const bool sorted = sortColumn >= 0 && sortColumn < columns;

    // Rows with a cell in the sort column each move to their sorted place as they arrive.
    std::vector<const QVariantList*> keyed;
    if (sorted) {
        for (const QVariantList& values : rows) {
            if (values.size() > sortColumn)
                keyed.push_back(&values);
        }
    }
    if (keyed.empty()) {
        // Nothing moves: one resize, then the cells, as the fastest fill by hand does.
        const int first = table->rowCount();
        table->setRowCount(first + int(rows.size()));
        for (qsizetype i = 0; i < rows.size(); ++i)
            fillRow(table, first + int(i), columns, rows[i]);
        return *this;
    }

    const Qt::SortOrder order = header->sortIndicatorOrder();
    if (!keepsSortedShape(table, sortColumn, order)) {
        for (const QVariantList& values : rows)
            add_table_row(table, values);
        return *this;
    }
    // Appending one row at a time puts each row before the rows of equal key already there, and
    // leaves the rows without a key at the end in the order they came. One stable sort gives the
    // same order when the keyed rows start at the top, latest first, and the others at the bottom.
    const bool indicatorShown = header->isSortIndicatorShown();
    table->setSortingEnabled(false);
    const int keyedCount = int(keyed.size());
    table->model()->insertRows(0, keyedCount);
    for (int i = 0; i < keyedCount; ++i)
        fillRow(table, i, columns, *keyed[std::size_t(keyedCount - 1 - i)]);
    const int first = table->rowCount();
    table->setRowCount(first + int(rows.size()) - keyedCount);
    int row = first;
    for (const QVariantList& values : rows) {
        if (values.size() <= sortColumn)
            fillRow(table, row++, columns, values);
    }
    table->setSortingEnabled(true);
    header->setSortIndicatorShown(indicatorShown);
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
