// SPDX-License-Identifier: MIT
#include "rules_panel_p.h"

#include "qss_selector_p.h"
#include "style_cascade_p.h"

#include <QHeaderView>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace tarnwickview::detail {
namespace {

// Where a clicked rule lies in the root's own sheet; other rows hold nothing there.
constexpr int LINE_ROLE = Qt::UserRole;
constexpr int COLUMN_ROLE = Qt::UserRole + 1;

} // namespace

RulesPanel::RulesPanel(QWidget* root, QWidget* parent)
    : QWidget(parent)
    , _root(root)
{
    _rules = new QTreeWidget(this);
    _rules->setObjectName(QStringLiteral("style_rules"));
    _rules->setHeaderHidden(true);
    _rules->setColumnCount(1);
    _rules->setUniformRowHeights(true);
    _diagnostics = new QPlainTextEdit(this);
    _diagnostics->setObjectName(QStringLiteral("style_diagnostics"));
    _diagnostics->setReadOnly(true);
    _diagnostics->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* column = new QVBoxLayout(this);
    column->addWidget(_rules, 3);
    column->addWidget(new QLabel(QStringLiteral("Diagnostics des feuilles de la fenêtre :"), this));
    column->addWidget(_diagnostics, 1);
    connect(_rules, &QTreeWidget::itemClicked, this, &RulesPanel::clicked);
}

RulesPanel::~RulesPanel() = default;

void RulesPanel::setTarget(const QWidget* widget)
{
    _rules->clear();
    _diagnostics->setPlainText(_root ? styleReport(_root) : QString());
    if (!widget)
        return;
    const StyleCascade cascade(widget);
    const QColor muted = palette().color(QPalette::Disabled, QPalette::Text);
    QList<QTreeWidgetItem*> sheetItems;
    for (const StyleSheetSource& source : cascade.sheets()) {
        auto* item = new QTreeWidgetItem(_rules, {sheetHeading(source.owner)});
        sheetItems.append(item);
    }
    // Rules in the order of their sheet, as the text lists them.
    QList<qsizetype> order(cascade.entries().size());
    for (qsizetype i = 0; i < order.size(); ++i)
        order[i] = i;
    std::sort(order.begin(), order.end(), [&cascade](qsizetype a, qsizetype b) {
        const CascadeEntry& x = cascade.entries().at(a);
        const CascadeEntry& y = cascade.entries().at(b);
        return std::tie(x.source, x.rule, x.selector) < std::tie(y.source, y.rule, y.selector);
    });
    for (const qsizetype e : order) {
        const CascadeEntry& entry = cascade.entries().at(e);
        const QssRule& rule = cascade.rule(entry);
        const QssSelector& selector = cascade.selector(entry);
        const QString condition = conditionText(selector);
        QString head = QStringLiteral("ligne %1 : %2 — spécificité %3")
                           .arg(rule.line)
                           .arg(selector.text, specificityText(entry.specificity));
        if (!condition.isEmpty())
            head += QStringLiteral(" — si ") + condition;
        auto* ruleItem = new QTreeWidgetItem(sheetItems.at(entry.source), {head});
        if (cascade.sheets().at(entry.source).owner == _root) {
            ruleItem->setData(0, LINE_ROLE, rule.line);
            ruleItem->setData(0, COLUMN_ROLE, rule.column);
            ruleItem->setToolTip(0, QStringLiteral("Cliquez pour placer le curseur de l'éditeur sur cette règle"));
        }
        for (qsizetype d = 0; d < rule.declarations.size(); ++d) {
            const QssDeclaration& declaration = rule.declarations.at(d);
            auto* line = new QTreeWidgetItem(ruleItem, {declaration.property + QStringLiteral(": ") + declaration.value +
                                                        (declaration.important ? QStringLiteral(" !important") : QString())});
            if (cascade.fate(e, d).overridden()) {
                QFont struck = line->font(0);
                struck.setStrikeOut(true);
                line->setFont(0, struck);
            }
            if (!condition.isEmpty())
                line->setForeground(0, muted);
        }
        if (!condition.isEmpty())
            ruleItem->setForeground(0, muted);
    }
    _rules->expandAll();
    if (sheetItems.isEmpty())
        new QTreeWidgetItem(_rules, {QStringLiteral("Aucune feuille de style n'atteint ce widget.")});
}

void RulesPanel::clicked(QTreeWidgetItem* item)
{
    const QVariant line = item->data(0, LINE_ROLE);
    if (line.isValid())
        emit ruleClicked(line.toInt(), item->data(0, COLUMN_ROLE).toInt());
}

} // namespace tarnwickview::detail
