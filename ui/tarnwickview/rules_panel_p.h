// SPDX-License-Identifier: MIT
#pragma once

// Private to tarnwickview: the inspector's view of the style-sheet cascade of the selected widget.

#include <QPointer>
#include <QWidget>

class QPlainTextEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace tarnwickview::detail {

/// The rules that reach the selected widget, sheet by sheet as get_style_rules() lists them:
/// overridden declarations struck through, rules that apply only under a condition muted. Below,
/// the diagnostics of every sheet of the inspected window, as get_style_report() writes them.
class RulesPanel : public QWidget
{
    Q_OBJECT

public:
    /// An empty panel over the window `root`.
    explicit RulesPanel(QWidget* root, QWidget* parent = nullptr);
    ~RulesPanel() override;
    Q_DISABLE_COPY_MOVE(RulesPanel)

    /// Shows the cascade of `widget` (nothing when it is null) and the window's diagnostics.
    void setTarget(const QWidget* widget);

signals:
    /// A rule of the root's own sheet was clicked; `line` and `column` are 1-based.
    void ruleClicked(int line, int column);

private:
    void clicked(QTreeWidgetItem* item);

    QPointer<QWidget> _root;
    QTreeWidget* _rules = nullptr;
    QPlainTextEdit* _diagnostics = nullptr;
};

} // namespace tarnwickview::detail
