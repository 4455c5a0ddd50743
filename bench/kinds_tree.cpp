// SPDX-License-Identifier: MIT
#include "kinds_tree.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFrame>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QRadioButton>
#include <QSlider>
#include <QSpinBox>

namespace bench {
namespace {

const QStringList& answers()
{
    static const QStringList list{QStringLiteral("Oui"), QStringLiteral("Non"), QStringLiteral("Peut-être")};
    return list;
}

QString widgetName(int index)
{
    return index % 10 == 0 ? QStringLiteral("champ-%1").arg(index) : QString();
}

void addVelmoraKind(velmora::Section& row, int index, Sink& sink)
{
    const QString name = widgetName(index);
    switch (index % KINDS_ROW_WIDTH) {
    case 0:
        row.add_spinbox(
            {.max = 100, .value = 5, .callback = [&sink](int value) { sink.clicks += value; }, .name = name});
        break;
    case 1:
        row.add_slider({.value = 5, .callback = [&sink](int value) { sink.clicks += value; }, .name = name});
        break;
    case 2:
        row.add_progress({.value = 40, .name = name});
        break;
    case 3:
        row.add_text({.placeholder = QStringLiteral("Notes"),
                      .callback = [&sink](const QString& text) { sink.characters += text.size(); },
                      .name = name});
        break;
    case 4:
        row.add_date({.callback = [&sink](const QDate& date) { sink.toggles += date.day(); }, .name = name});
        break;
    default:
        row.add_radio(
            answers(),
            {.callback = [&sink](const QString& text) { sink.characters += text.size(); }, .name = name});
        break;
    }
}

QWidget* makeQtKind(int index, Sink& sink)
{
    QWidget* widget = nullptr;
    switch (index % KINDS_ROW_WIDTH) {
    case 0: {
        auto* spin = new QSpinBox;
        spin->setRange(0, 100);
        spin->setValue(5);
        QObject::connect(spin, &QSpinBox::valueChanged, spin, [&sink](int value) { sink.clicks += value; });
        widget = spin;
        break;
    }
    case 1: {
        auto* slider = new QSlider(Qt::Horizontal);
        slider->setValue(5);
        QObject::connect(slider, &QSlider::valueChanged, slider,
                         [&sink](int value) { sink.clicks += value; });
        widget = slider;
        break;
    }
    case 2: {
        auto* bar = new QProgressBar;
        bar->setValue(40);
        widget = bar;
        break;
    }
    case 3: {
        auto* area = new QPlainTextEdit;
        area->setPlaceholderText(QStringLiteral("Notes"));
        QObject::connect(area, &QPlainTextEdit::textChanged, area,
                         [area, &sink] { sink.characters += area->toPlainText().size(); });
        widget = area;
        break;
    }
    case 4: {
        auto* edit = new QDateEdit(QDate::currentDate());
        edit->setCalendarPopup(true);
        QObject::connect(edit, &QDateEdit::dateChanged, edit,
                         [&sink](const QDate& date) { sink.toggles += date.day(); });
        widget = edit;
        break;
    }
    default: {
        auto* holder = new QWidget;
        auto* group = new QButtonGroup(holder);
        auto* layout = new QVBoxLayout(holder);
        layout->setContentsMargins(0, 0, 0, 0);
        for (int i = 0; i < answers().size(); ++i) {
            auto* button = new QRadioButton(answers()[i]);
            group->addButton(button, i);
            layout->addWidget(button);
        }
        group->button(0)->setChecked(true);
        QObject::connect(group, &QButtonGroup::buttonToggled, holder,
                         [&sink](QAbstractButton* button, bool checked) {
                             if (checked)
                                 sink.characters += button->text().size();
                         });
        widget = holder;
        break;
    }
    }
    const QString name = widgetName(index);
    if (!name.isEmpty())
        widget->setObjectName(name);
    return widget;
}

// The main window's shell as velmora makes it, for the hand-written variants.
std::unique_ptr<QMainWindow> qtShell(QVBoxLayout*& content)
{
    auto window = std::make_unique<QMainWindow>();
    window->setWindowTitle(QStringLiteral("Banc d'essai"));
    window->resize(800, 600);
    auto* central = new QWidget;
    window->setCentralWidget(central);
    auto* outer = new QVBoxLayout(central);
    outer->setContentsMargins(0, 0, 0, 0);
    outer->setSpacing(0);
    auto* middle = new QWidget;
    middle->setObjectName(QStringLiteral("middle"));
    auto* middleLayout = new QHBoxLayout(middle);
    middleLayout->setContentsMargins(0, 0, 0, 0);
    middleLayout->setSpacing(0);
    outer->addWidget(middle, 1);
    auto* contentWidget = new QWidget;
    contentWidget->setObjectName(QStringLiteral("content"));
    content = new QVBoxLayout(contentWidget);
    middleLayout->addWidget(contentWidget, 1);
    return window;
}

} // namespace

std::unique_ptr<velmora::UIWrapper> buildKindsWithVelmora(int widgets, Sink& sink)
{
    auto ui = std::make_unique<velmora::UIWrapper>(QStringLiteral("Banc d'essai"), 800, 600);
    int made = 0;
    while (made < widgets) {
        velmora::Section& col = ui->add_column({.stretch = 1});
        for (int r = 0; r < ROWS_PER_COLUMN && made < widgets; ++r) {
            velmora::Section& row = col.add_row();
            for (int k = 0; k < KINDS_ROW_WIDTH && made < widgets; ++k)
                addVelmoraKind(row, made++, sink);
        }
    }
    return ui;
}

std::unique_ptr<QMainWindow> buildKindsWithQt(int widgets, Sink& sink)
{
    QVBoxLayout* content = nullptr;
    auto window = qtShell(content);
    int made = 0;
    while (made < widgets) {
        auto* colFrame = new QFrame;
        auto* colLayout = new QVBoxLayout(colFrame);
        content->addWidget(colFrame, 1);
        for (int r = 0; r < ROWS_PER_COLUMN && made < widgets; ++r) {
            auto* rowFrame = new QFrame;
            auto* rowLayout = new QHBoxLayout(rowFrame);
            colLayout->addWidget(rowFrame, 0);
            for (int k = 0; k < KINDS_ROW_WIDTH && made < widgets; ++k)
                rowLayout->addWidget(makeQtKind(made++, sink), 0);
        }
    }
    return window;
}

std::unique_ptr<velmora::UIWrapper> buildFormWithVelmora(int widgets)
{
    auto ui = std::make_unique<velmora::UIWrapper>(QStringLiteral("Formulaire"), 800, 600);
    velmora::Section* row = nullptr;
    for (int i = 0; i < widgets; ++i) {
        if (i % ROW_WIDTH == 0)
            row = &ui->add_row();
        const QString name = QStringLiteral("champ-%1").arg(i);
        switch (i % 5) {
        case 0:
            row->add_input({.name = name, .text = QStringLiteral("texte")});
            break;
        case 1:
            row->add_checkbox(QStringLiteral("Activer"), {.checked = i % 2 == 0, .name = name});
            break;
        case 2:
            row->add_dropdown(QStringList{QStringLiteral("Petit"), QStringLiteral("Grand")}, {.name = name});
            break;
        case 3:
            row->add_spinbox({.value = i % 99, .name = name});
            break;
        default:
            row->add_slider({.value = i % 100, .name = name});
            break;
        }
    }
    return ui;
}

HandForm buildFormWithQt(int widgets)
{
    HandForm form;
    QVBoxLayout* content = nullptr;
    form.window = qtShell(content);
    QHBoxLayout* row = nullptr;
    for (int i = 0; i < widgets; ++i) {
        if (i % ROW_WIDTH == 0) {
            auto* frame = new QFrame;
            row = new QHBoxLayout(frame);
            content->addWidget(frame);
        }
        const QString name = QStringLiteral("champ-%1").arg(i);
        QWidget* widget = nullptr;
        switch (i % 5) {
        case 0: {
            auto* input = new QLineEdit(QStringLiteral("texte"));
            form.inputs.emplace_back(name, input);
            widget = input;
            break;
        }
        case 1: {
            auto* box = new QCheckBox(QStringLiteral("Activer"));
            box->setChecked(i % 2 == 0);
            form.checkBoxes.emplace_back(name, box);
            widget = box;
            break;
        }
        case 2: {
            auto* combo = new QComboBox;
            combo->addItems({QStringLiteral("Petit"), QStringLiteral("Grand")});
            form.dropdowns.emplace_back(name, combo);
            widget = combo;
            break;
        }
        case 3: {
            auto* spin = new QSpinBox;
            spin->setValue(i % 99);
            form.spinBoxes.emplace_back(name, spin);
            widget = spin;
            break;
        }
        default: {
            auto* slider = new QSlider(Qt::Horizontal);
            slider->setValue(i % 100);
            form.sliders.emplace_back(name, slider);
            widget = slider;
            break;
        }
        }
        widget->setObjectName(name);
        row->addWidget(widget);
    }
    return form;
}

QVariantMap readHandForm(const HandForm& form)
{
    QVariantMap values;
    for (const auto& [name, input] : form.inputs)
        values.insert(name, input->text());
    for (const auto& [name, box] : form.checkBoxes)
        values.insert(name, static_cast<QCheckBox*>(box)->isChecked());
    for (const auto& [name, combo] : form.dropdowns)
        values.insert(name, static_cast<QComboBox*>(combo)->currentText());
    for (const auto& [name, spin] : form.spinBoxes)
        values.insert(name, static_cast<QSpinBox*>(spin)->value());
    for (const auto& [name, slider] : form.sliders)
        values.insert(name, static_cast<QSlider*>(slider)->value());
    return values;
}

} // namespace bench
