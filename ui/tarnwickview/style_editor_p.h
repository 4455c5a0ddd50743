// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the inspector's editor of the inspected root's style sheet.

#include <QGroupBox>
#include <QPointer>
#include <QString>
#include <QTimer>

class QPlainTextEdit;

namespace tarnwickview::detail {

/// Edits the style sheet of `root` live. While the text is as it was last loaded or applied, the
/// editor follows the sheet the application (or a watched style file) sets on the root. Once both
/// changed, typing no longer applies: the application's sheet stays, and message() says so until
/// the user applies explicitly with the button or takes the edit back.
class StyleSheetEditor : public QGroupBox
{
    Q_OBJECT

public:
    /// `root` must not be null.
    StyleSheetEditor(QWidget* root, QWidget* parent);
    ~StyleSheetEditor() override;
    Q_DISABLE_COPY_MOVE(StyleSheetEditor)

    /// Applies an edit still waiting for its delay unless the root's sheet changed meanwhile,
    /// then loads the root's sheet unless the editor holds an edit of its own.
    void reload();

    /// The text field, for callers that insert text at the cursor.
    QPlainTextEdit* textEdit() const { return _text; }

signals:
    /// A line for the inspector's status bar.
    void message(const QString& text);
    /// The root's sheet was replaced from the editor.
    void applied();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void edited();
    void apply(bool explicitly);
    void follow();
    void load(const QString& sheet);
    bool rootChanged() const;

    QPointer<QWidget> _root;
    QPlainTextEdit* _text = nullptr;
    // The root's sheet as the editor last saw it; the text differs from it once edited.
    QString _base;
    QTimer _applyTimer;
};

} // namespace tarnwickview::detail
