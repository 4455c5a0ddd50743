// SPDX-License-Identifier: MIT
#include "style_editor_p.h"

#include <QBoxLayout>
#include <QEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace tarnwickview::detail {
namespace {

// Edits reach the inspected window once typing pauses, so that a half-typed rule does not
// restyle the whole window on every key.
constexpr int APPLY_DELAY_MS = 300;

const QString CONFLICT_TEXT = QStringLiteral(
    "La feuille de style de la fenêtre a changé pendant votre modification : elle est conservée. "
    "« Appliquer » la remplace par celle de l'éditeur.");

} // namespace

StyleSheetEditor::StyleSheetEditor(QWidget* root, QWidget* parent)
    : QGroupBox(QStringLiteral("Feuille de style de la fenêtre"), parent)
    , _root(root)
{
    _text = new QPlainTextEdit(this);
    _text->setObjectName(QStringLiteral("style_sheet"));
    _text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* applyButton = new QPushButton(QStringLiteral("Appliquer"), this);
    applyButton->setObjectName(QStringLiteral("apply_style"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(_text);
    layout->addWidget(applyButton, 0, Qt::AlignRight);

    _applyTimer.setSingleShot(true);
    _applyTimer.setInterval(APPLY_DELAY_MS);
    connect(&_applyTimer, &QTimer::timeout, this, [this] { apply(false); });
    connect(_text, &QPlainTextEdit::textChanged, this, &StyleSheetEditor::edited);
    connect(applyButton, &QPushButton::clicked, this, [this] { apply(true); });

    // Setting a sheet sends the widget a style change, the only news of it.
    root->installEventFilter(this);
    load(root->styleSheet());
}

StyleSheetEditor::~StyleSheetEditor()
{
    _text->disconnect(this);
    if (_root)
        _root->removeEventFilter(this);
}

void StyleSheetEditor::reload()
{
    if (_applyTimer.isActive())
        apply(false);
    follow();
}

bool StyleSheetEditor::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == _root && event->type() == QEvent::StyleChange)
        follow();
    return QGroupBox::eventFilter(watched, event);
}

void StyleSheetEditor::edited()
{
    // Taking an edit back to the loaded text lets the editor follow the root again.
    if (_text->toPlainText() == _base) {
        _applyTimer.stop();
        follow();
        return;
    }
    _applyTimer.start();
}

void StyleSheetEditor::apply(bool explicitly)
{
    _applyTimer.stop();
    if (!_root)
        return;
    if (!explicitly && rootChanged()) {
        emit message(CONFLICT_TEXT);
        return;
    }
    const QString text = _text->toPlainText();
    _base = text;
    if (text == _root->styleSheet())
        return;
    _root->setStyleSheet(text);
    emit applied();
}

void StyleSheetEditor::follow()
{
    if (!_root || !rootChanged())
        return;
    if (_text->toPlainText() == _base)
        load(_root->styleSheet());
    else
        emit message(CONFLICT_TEXT);
}

void StyleSheetEditor::load(const QString& sheet)
{
    _base = sheet;
    if (_text->toPlainText() == sheet)
        return;
    const QSignalBlocker blocker(_text);
    _text->setPlainText(sheet);
}

bool StyleSheetEditor::rootChanged() const
{
    return _root && _root->styleSheet() != _base;
}

} // namespace tarnwickview::detail
