// SPDX-License-Identifier: MIT
#include "widget_tree.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QComboBox>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace bench {
namespace {

// Row stretch factors: both variants hand the same factor to the widget at each position.
const QList<int> ROW_STRETCHES{1, 2, 1, 1, 2, 1, 1, 2, 1, 1};

const QStringList& choices()
{
    static const QStringList list{QStringLiteral("Petit"), QStringLiteral("Moyen"), QStringLiteral("Grand")};
    return list;
}

// One widget in ten carries an object name, and every other column.
QString widgetName(int index)
{
    return index % 10 == 0 ? QStringLiteral("champ-%1").arg(index) : QString();
}

QString columnName(int column)
{
    return column % 2 == 0 ? QStringLiteral("colonne-%1").arg(column) : QString();
}

void addVelmoraWidget(velmora::Section& row, int index, Sink& sink)
{
    const QString name = widgetName(index);
    switch (index % 5) {
    case 0:
        row.add_label(QStringLiteral("Libellé"), {.name = name});
        break;
    case 1:
        row.add_button(QStringLiteral("Valider"), [&sink] { ++sink.clicks; }, {.name = name});
        break;
    case 2:
        row.add_input({.placeholder = QStringLiteral("Saisir"),
                       .callback = [&sink](const QString& text) { sink.characters += text.size(); },
                       .name = name});
        break;
    case 3:
        row.add_checkbox(QStringLiteral("Activer"),
                         {.callback = [&sink](bool checked) { sink.toggles += checked; }, .name = name});
        break;
    default:
        row.add_dropdown(
            choices(),
            {.callback = [&sink](const QString& text) { sink.characters += text.size(); }, .name = name});
        break;
    }
}

QWidget* makeQtWidget(int index, Sink& sink)
{
    QWidget* widget = nullptr;
    switch (index % 5) {
    case 0:
        widget = new QLabel(QStringLiteral("Libellé"));
        break;
    case 1: {
        auto* button = new QPushButton(QStringLiteral("Valider"));
        QObject::connect(button, &QPushButton::clicked, button, [&sink] { ++sink.clicks; });
        widget = button;
        break;
    }
    case 2: {
        auto* input = new QLineEdit;
        input->setPlaceholderText(QStringLiteral("Saisir"));
        QObject::connect(input, &QLineEdit::textChanged, input,
                         [&sink](const QString& text) { sink.characters += text.size(); });
        widget = input;
        break;
    }
    case 3: {
        auto* box = new QCheckBox(QStringLiteral("Activer"));
        box->setChecked(false);
        QObject::connect(box, &QCheckBox::toggled, box, [&sink](bool checked) { sink.toggles += checked; });
        widget = box;
        break;
    }
    default: {
        auto* combo = new QComboBox;
        combo->addItems(choices());
        QObject::connect(combo, &QComboBox::currentTextChanged, combo,
                         [&sink](const QString& text) { sink.characters += text.size(); });
        widget = combo;
        break;
    }
    }
    const QString name = widgetName(index);
    if (!name.isEmpty())
        widget->setObjectName(name);
    return widget;
}

} // namespace

std::unique_ptr<velmora::UIWrapper> buildWithVelmora(int widgets, Sink& sink)
{
    auto ui = std::make_unique<velmora::UIWrapper>(QStringLiteral("Banc d'essai"), 800, 600);
    int made = 0;
    for (int column = 0; made < widgets; ++column) {
        velmora::Section& col = ui->add_column({.stretch = 1, .name = columnName(column)});
        for (int r = 0; r < ROWS_PER_COLUMN && made < widgets; ++r) {
            velmora::Section& row = col.add_row({.stretches = ROW_STRETCHES});
            for (int k = 0; k < ROW_WIDTH && made < widgets; ++k)
                addVelmoraWidget(row, made++, sink);
        }
    }
    return ui;
}

std::unique_ptr<QMainWindow> buildWithQt(int widgets, Sink& sink)
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
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("content"));
    auto* contentLayout = new QVBoxLayout(content);
    middleLayout->addWidget(content, 1);

    int made = 0;
    for (int column = 0; made < widgets; ++column) {
        auto* colFrame = new QFrame;
        const QString name = columnName(column);
        if (!name.isEmpty())
            colFrame->setObjectName(name);
        auto* colLayout = new QVBoxLayout(colFrame);
        contentLayout->addWidget(colFrame, 1);
        for (int r = 0; r < ROWS_PER_COLUMN && made < widgets; ++r) {
            auto* rowFrame = new QFrame;
            auto* rowLayout = new QHBoxLayout(rowFrame);
            colLayout->addWidget(rowFrame, 0);
            for (int k = 0; k < ROW_WIDTH && made < widgets; ++k)
                rowLayout->addWidget(makeQtWidget(made++, sink), ROW_STRETCHES[k]);
        }
    }
    return window;
}

QWidget* makeMixedWidget(int index)
{
    QWidget* widget = nullptr;
    switch (index % 3) {
    case 0:
        widget = new QLabel(QStringLiteral("texte %1").arg(index));
        break;
    case 1:
        widget = new QPushButton(QStringLiteral("bouton %1").arg(index));
        break;
    default:
        widget = new QWidget;
        break;
    }
    if (index % 10 == 0)
        widget->setObjectName(QStringLiteral("w%1").arg(index));
    return widget;
}

} // namespace bench
