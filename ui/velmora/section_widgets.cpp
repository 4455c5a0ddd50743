// SPDX-License-Identifier: MIT
#include "section.h"

#include "alignment_p.h"
#include "button_group_p.h"
#include "callback_guard_p.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {

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

Section& Section::add_label(const QString& text, const LabelOptions& options)
{
    requireAlive("add_label");
    auto* label = new QLabel(text);
    _register(options.name, label);
    if (options.width)
        label->setMinimumWidth(std::max(0, *options.width));
    _add(label, options.stretch);
    return *this;
}

Section& Section::add_button(const QString& text, Callback callback, const ButtonOptions& options)
{
    requireAlive("add_button");
    if (!callback)
        throw std::invalid_argument("add_button: callback must not be empty");
    if (options.checked && !options.checkable)
        throw std::invalid_argument("add_button: checked needs checkable");
    auto* button = new QPushButton(text);
    _register(options.name, button);
    if (!options.enabled)
        button->setEnabled(false);
    if (!options.shortcut.isEmpty())
        button->setShortcut(options.shortcut);
    if (options.checkable) {
        button->setCheckable(true);
        if (!options.group.isEmpty())
            detail::joinButtonGroup(_layout, options.group, button);
        // In a group, this releases the button checked before: the later one wins.
        button->setChecked(options.checked);
    }
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
    const auto align = options.align.isEmpty() ? std::nullopt : detail::crossFlagVertical(options.align);
    if (!options.align.isEmpty() && !align) {
        throw std::invalid_argument("add_input: align must be \"left\", \"center\" or \"right\", not \"" +
                                    options.align.toStdString() + '"');
    }
    auto* input = new QLineEdit;
    _register(options.name, input);
    if (align)
        input->setAlignment(*align | Qt::AlignVCenter);
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

} // namespace velmora
