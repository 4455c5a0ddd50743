// SPDX-License-Identifier: MIT
#include "log_viewer.h"

#include <QHeaderView>
#include <QKeySequence>
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

const QStringList COLUMNS{"Heure", "Niveau", "Source", "Message"};

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
                            {.callback = [this](bool) { filter(); }, .checked = true, .name = level.name});
    levels.add_spacer();

    ui.add_input({.placeholder = "Rechercher…",
                  .callback = [this](const QString&) { filter(); },
                  .name = "recherche"});
    _table = ui.add_table(COLUMNS, {.stretch = 1,
                                    .name = "journal",
                                    .on_activate = [this](int row) { showDetails(row); },
                                    .read_only = true,
                                    .select = "rows",
                                    .widths = {90, 140, 150},
                                    .stretch_last = true});
    // Zebra rows, no row numbers and a compact row height have no velmora option.
    _table->setAlternatingRowColors(true);
    _table->verticalHeader()->hide();
    _table->verticalHeader()->setDefaultSectionSize(24);

    ui.sidebar("down").add_label("Chargement…", {.name = "statut"});
    ui.load_style(_stylePath);

    _loader.callOnTimeout([this] { addBatch(); });
    _loader.start(20);
}

void LogViewer::addBatch()
{
    QList<QVariantList> rows;
    for (int i = _loaded; i < _loaded + BATCH_SIZE && i < LINE_COUNT; ++i)
        rows.append(line(i));
    ui.add_table_rows(_table, rows);
    _loaded += int(rows.size());
    if (_loaded == LINE_COUNT)
        _loader.stop();
    filter();
}

void LogViewer::filter()
{
    QStringList levels;
    for (const Level& level : LEVELS) {
        if (ui.value<bool>(level.name))
            levels.append(level.word);
    }
    const QString search = ui.value<QString>("recherche");
    int shown = 0;
    ui.filter_rows(_table, [&](int row) {
        const QStringList cells = ui.table_row(_table, row);
        const bool keep = levels.contains(cells[1]) && (cells[2].contains(search, Qt::CaseInsensitive) ||
                                                        cells[3].contains(search, Qt::CaseInsensitive));
        shown += keep;
        return keep;
    });
    const QString loading = _loader.isActive() ? QStringLiteral(" — chargement…") : QString();
    const QString lines = shown > 1 ? QStringLiteral("lignes affichées") : QStringLiteral("ligne affichée");
    ui.set_value("statut", QStringLiteral("%1 %2 sur %3%4").arg(shown).arg(lines).arg(_loaded).arg(loading));
}

void LogViewer::showDetails(int row)
{
    _details =
        ui.open_window({.title = "Détails", .width = 420, .height = 220, .padding = 16, .modal = true});
    const QStringList cells = ui.table_row(_table, row);
    for (int column = 0; column < COLUMNS.size(); ++column) {
        _details->add_row({.stretches = {1, 3}})
            .set_margins()
            .add_label(COLUMNS[column], {.name = "champ"})
            .add_label(cells[column]);
    }
    _details->add_spacer()
        .add_row({.align = "right"})
        .set_margins()
        .add_button("Fermer", [this] { _details->close(); },
                    {.name = "fermer", .shortcut = QKeySequence(Qt::Key_Escape)});
    _details->load_style(_stylePath);
}
