// SPDX-License-Identifier: MIT
#include "log_viewer.h"

#include <QCheckBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QTableWidget>
#include <QTime>

#include <array>

namespace {

constexpr int BATCH_SIZE = 2000;

struct Level
{
    const char* label; // of the check box
    const char* word;  // in the table
    const char* name;  // of the check box
};

constexpr std::array<Level, 4> LEVELS{{
    {"Débogage", "DÉBOGAGE", "niveau-debogage"},
    {"Information", "INFO", "niveau-info"},
    {"Avertissement", "AVERTISSEMENT", "niveau-avertissement"},
    {"Erreur", "ERREUR", "niveau-erreur"},
}};

constexpr std::array<const char*, 4> SOURCES{"réseau", "disque", "authentification", "planificateur"};
constexpr std::array<const char*, 4> EVENTS{"Connexion établie", "Fichier écrit", "Session ouverte",
                                            "Tâche terminée"};

// The line number `i` of a made-up journal: a line every four seconds, mostly information.
QVariantList line(int i)
{
    const Level& level = LEVELS[i % 97 == 0 ? 3 : i % 13 == 0 ? 2 : i % 3 == 0 ? 0 : 1];
    const int source = (i / 7) % int(SOURCES.size());
    return {QTime(0, 0).addSecs(4 * i).toString("HH:mm:ss"), level.word, SOURCES[source],
            QStringLiteral("%1 (n° %2)").arg(EVENTS[source]).arg(i)};
}

} // namespace

LogViewer::LogViewer(const QString& stylePath)
    : ui({.title = "Journal", .width = 960, .height = 600})
    , _stylePath(stylePath)
{
    velmora::Section& levels = ui.sidebar("left", {.size = 180}).add_label("Niveaux", {.name = "titre"});
    for (const Level& level : LEVELS)
        levels.add_checkbox(level.label,
                            {.callback = [this](bool) { filter(0); }, .checked = true, .name = level.name});
    levels.add_spacer();

    ui.add_input({.placeholder = "Rechercher…",
                  .callback = [this](const QString&) { filter(0); },
                  .name = "recherche"});
    _table =
        ui.add_table({"Heure", "Niveau", "Source", "Message"},
                     {.stretch = 1, .name = "journal", .on_activate = [this](int row) { showDetails(row); }});
    _table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    _table->setSelectionBehavior(QAbstractItemView::SelectRows);
    _table->setAlternatingRowColors(true);
    _table->verticalHeader()->hide();
    _table->verticalHeader()->setDefaultSectionSize(24);
    _table->horizontalHeader()->setStretchLastSection(true);
    _table->setColumnWidth(1, 140);
    _table->setColumnWidth(2, 150);

    ui.sidebar("down").add_label("Chargement…", {.name = "statut"});
    ui.load_style(_stylePath);

    _loader.callOnTimeout([this] { addBatch(); });
    _loader.start(20);
}

void LogViewer::addBatch()
{
    const int first = _table->rowCount();
    QList<QVariantList> rows;
    for (int i = first; i < first + BATCH_SIZE && i < LINE_COUNT; ++i)
        rows.append(line(i));
    ui.add_table_rows(_table, rows);
    if (_table->rowCount() == LINE_COUNT)
        _loader.stop();
    filter(first);
}

// Shows or hides the rows from `firstRow` on; the rows above it keep their state.
void LogViewer::filter(int firstRow)
{
    QStringList levels;
    for (const Level& level : LEVELS) {
        if (ui.find<QCheckBox>(level.name)->isChecked())
            levels.append(level.word);
    }
    const QString search = ui.find<QLineEdit>("recherche")->text();
    if (firstRow == 0)
        _shown = 0;
    for (int row = firstRow; row < _table->rowCount(); ++row) {
        const bool shown = levels.contains(_table->item(row, 1)->text()) &&
                           (_table->item(row, 2)->text().contains(search, Qt::CaseInsensitive) ||
                            _table->item(row, 3)->text().contains(search, Qt::CaseInsensitive));
        _table->setRowHidden(row, !shown);
        _shown += shown;
    }
    const QString loading = _loader.isActive() ? QStringLiteral(" — chargement…") : QString();
    const QString shown = _shown > 1 ? QStringLiteral("lignes affichées") : QStringLiteral("ligne affichée");
    ui.find<QLabel>("statut")->setText(
        QStringLiteral("%1 %2 sur %3%4").arg(_shown).arg(shown).arg(_table->rowCount()).arg(loading));
}

void LogViewer::showDetails(int row)
{
    _details =
        ui.open_window({.title = "Détails", .width = 420, .height = 220, .padding = 16, .modal = true});
    for (int column = 0; column < _table->columnCount(); ++column) {
        _details->add_row({.stretches = {1, 3}})
            .set_margins()
            .add_label(_table->horizontalHeaderItem(column)->text(), {.name = "champ"})
            .add_label(_table->item(row, column)->text());
    }
    _details->add_spacer()
        .add_row({.align = "right"})
        .set_margins()
        .add_button("Fermer", [this] { _details->window->close(); }, {.name = "fermer"});
    _details->load_style(_stylePath);
}
