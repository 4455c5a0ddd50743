// SPDX-License-Identifier: MIT
#include "section.h"

#include "alignment_p.h"
#include "button_group_p.h"
#include "callback_guard_p.h"
#include "radio_group_p.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {
namespace {

// The checks shared by the kinds that hold a number in a range, made before anything is created.
void checkRange(const char* operation, int min, int max, int value, int step = 1)
{
    if (min > max) {
        throw std::invalid_argument(std::string(operation) + ": min " + std::to_string(min) +
                                    " is greater than max " + std::to_string(max));
    }
    if (step < 1)
        throw std::invalid_argument(std::string(operation) + ": step " + std::to_string(step) + " is below 1");
    if (value < min || value > max) {
        throw std::out_of_range(std::string(operation) + ": value " + std::to_string(value) + " is outside " +
                                std::to_string(min) + " .. " + std::to_string(max));
    }
}

// The range of a date field given none, read once from a field of Qt's own making.
std::pair<QDate, QDate> qtDateLimits()
{
    static const std::pair<QDate, QDate> limits = [] {
        const QDateEdit probe;
        return std::pair(probe.minimumDate(), probe.maximumDate());
    }();
    return limits;
}

std::string dateText(const QDate& date)
{
    return date.toString(Qt::ISODate).toStdString();
}

} // namespace

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

Section& Section::add_spinbox(const SpinBoxOptions& options)
{
    requireAlive("add_spinbox");
    checkRange("add_spinbox", options.min, options.max, options.value, options.step);
    auto* spin = new QSpinBox;
    _register(options.name, spin);
    spin->setRange(options.min, options.max);
    // Qt's default step is 1; setting it anyway reformats the field for nothing.
    if (options.step != 1)
        spin->setSingleStep(options.step);
    if (!options.prefix.isEmpty())
        spin->setPrefix(options.prefix);
    if (!options.suffix.isEmpty())
        spin->setSuffix(options.suffix);
    spin->setValue(options.value);
    if (!options.enabled)
        spin->setEnabled(false);
    if (options.callback) {
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [callback = options.callback](int value) {
            detail::invokeGuarded("add_spinbox", callback, value);
        });
    }
    _add(spin, options.stretch);
    return *this;
}

Section& Section::add_slider(const SliderOptions& options)
{
    requireAlive("add_slider");
    checkRange("add_slider", options.min, options.max, options.value);
    // Qt's own default is vertical; a form's slider runs along the line.
    auto* slider = new QSlider(options.vertical ? Qt::Vertical : Qt::Horizontal);
    _register(options.name, slider);
    slider->setRange(options.min, options.max);
    slider->setValue(options.value);
    if (!options.enabled)
        slider->setEnabled(false);
    if (options.callback) {
        QObject::connect(slider, &QSlider::valueChanged, slider, [callback = options.callback](int value) {
            detail::invokeGuarded("add_slider", callback, value);
        });
    }
    _add(slider, options.stretch);
    return *this;
}

Section& Section::add_progress(const ProgressOptions& options)
{
    requireAlive("add_progress");
    checkRange("add_progress", options.min, options.max, options.value);
    auto* bar = new QProgressBar;
    _register(options.name, bar);
    bar->setRange(options.min, options.max);
    bar->setValue(options.value);
    if (!options.format.isEmpty())
        bar->setFormat(options.format);
    _add(bar, options.stretch);
    return *this;
}

Section& Section::add_text(const TextAreaOptions& options)
{
    requireAlive("add_text");
    auto* area = new QPlainTextEdit;
    _register(options.name, area);
    if (!options.text.isEmpty())
        area->setPlainText(options.text);
    if (!options.placeholder.isEmpty())
        area->setPlaceholderText(options.placeholder);
    if (options.read_only)
        area->setReadOnly(true);
    if (!options.enabled)
        area->setEnabled(false);
    if (options.callback) {
        QObject::connect(area, &QPlainTextEdit::textChanged, area, [area, callback = options.callback] {
            detail::invokeGuarded("add_text", callback, area->toPlainText());
        });
    }
    _add(area, options.stretch);
    return *this;
}

Section& Section::add_date(const DateOptions& options)
{
    requireAlive("add_date");
    const auto [qtMin, qtMax] = qtDateLimits();
    const QDate min = options.min.isNull() ? qtMin : options.min;
    const QDate max = options.max.isNull() ? qtMax : options.max;
    // Also a max before Qt's own min when no min is given.
    if (min > max)
        throw std::invalid_argument("add_date: min " + dateText(min) + " is after max " + dateText(max));
    QDate date = options.date;
    if (date.isNull()) {
        date = std::clamp(QDate::currentDate(), min, max);
    } else if (date < min || date > max) {
        throw std::out_of_range("add_date: date " + dateText(date) + " is outside " + dateText(min) + " .. " +
                                dateText(max));
    }
    // Made with its date: setting it afterwards costs as much again as the field itself.
    auto* edit = new QDateEdit(date);
    _register(options.name, edit);
    if (!options.min.isNull())
        edit->setMinimumDate(options.min);
    if (!options.max.isNull())
        edit->setMaximumDate(options.max);
    // A date outside Qt's own range was clamped at construction, before the range took it in.
    if (edit->date() != date)
        edit->setDate(date);
    edit->setCalendarPopup(true);
    if (!options.format.isEmpty())
        edit->setDisplayFormat(options.format);
    if (!options.enabled)
        edit->setEnabled(false);
    if (options.callback) {
        QObject::connect(edit, &QDateEdit::dateChanged, edit, [callback = options.callback](const QDate& changed) {
            detail::invokeGuarded("add_date", callback, changed);
        });
    }
    _add(edit, options.stretch);
    return *this;
}

Section& Section::add_radio(const QStringList& options, const RadioOptions& options_)
{
    requireAlive("add_radio");
    if (options.isEmpty())
        throw std::invalid_argument("add_radio: options must not be empty");
    const int current = options_.current.value_or(0);
    if (current < 0 || current >= options.size()) {
        throw std::out_of_range("add_radio: current index " + std::to_string(current) + " is outside 0 .. " +
                                std::to_string(options.size() - 1));
    }
    auto* holder = new QWidget;
    _register(options_.name, holder);
    auto* group = new detail::RadioGroup(holder);
    QBoxLayout* layout = options_.horizontal ? static_cast<QBoxLayout*>(new QHBoxLayout(holder))
                                             : static_cast<QBoxLayout*>(new QVBoxLayout(holder));
    // The buttons line up with the section's other widgets, not inside a second margin.
    layout->setContentsMargins(0, 0, 0, 0);
    for (qsizetype index = 0; index < options.size(); ++index) {
        auto* button = new QRadioButton(options[index]);
        group->addButton(button, int(index));
        layout->addWidget(button);
    }
    group->button(current)->setChecked(true);
    if (!options_.enabled)
        holder->setEnabled(false);
    if (options_.callback) {
        QObject::connect(group, &QButtonGroup::buttonToggled, holder,
                         [callback = options_.callback](QAbstractButton* button, bool checked) {
                             if (checked)
                                 detail::invokeGuarded("add_radio", callback, button->text());
                         });
    }
    _add(holder, options_.stretch);
    return *this;
}

} // namespace velmora
