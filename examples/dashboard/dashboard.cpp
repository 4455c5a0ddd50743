// SPDX-License-Identifier: MIT
#include "dashboard.h"

#include <QTime>

#include <utility>

namespace {

constexpr int LABEL_WIDTH = 130;

// The sidebar's buttons: the page each shows, and the button's name.
const QList<std::pair<QString, QString>> PAGES{
    {"Vue d'ensemble", "vue"}, {"Processus", "processus"}, {"Réglages", "reglages"}};

const char* STYLE = R"(
    #titre { font-size: 15px; font-weight: bold; padding: 4px 0 10px 0; }
    QPushButton:checked { background: #2f80ed; color: white; border: none; padding: 6px; }
)";

} // namespace

Dashboard::Dashboard(SampleSource source)
    : ui({.title = "Tableau de bord", .width = 820, .height = 480, .padding = 12})
    , _source(std::move(source))
{
    ui.set_window_style(STYLE);
    velmora::Section& sidebar =
        ui.sidebar("left", {.size = 170}).add_label("Tableau de bord", {.name = "titre"});
    for (const auto& page : PAGES) {
        sidebar.add_button(page.first, [this, title = page.first] { pages.show(title); },
                           {.gap = 4,
                            .name = page.second,
                            .checkable = true,
                            .checked = page.second == "vue",
                            .group = "pages"});
    }
    sidebar.add_spacer();

    pages = ui.add_tabs({PAGES[0].first, PAGES[1].first, PAGES[2].first},
                        {.stretch = 1, .name = "pages", .tab_bar = false});

    velmora::Section& overview = pages.at("Vue d'ensemble");
    overview.add_row()
        .set_margins()
        .add_label("Processeur", {.width = LABEL_WIDTH})
        .add_progress({.stretch = 1, .name = "processeur"});
    overview.add_row()
        .set_margins()
        .add_label("Mémoire", {.width = LABEL_WIDTH})
        .add_progress({.stretch = 1, .name = "memoire"});
    overview.add_row()
        .set_margins()
        .add_label("Disque", {.width = LABEL_WIDTH})
        .add_progress({.stretch = 1, .name = "disque"});
    overview.add_label("", {.name = "mesure"}).add_spacer();

    velmora::Section& list = pages.at("Processus");
    _processes = list.add_table({"PID", "Nom", "État", "Mémoire (Kio)"}, {.stretch = 1,
                                                                          .name = "table-processus",
                                                                          .read_only = true,
                                                                          .select = "rows",
                                                                          .single = true,
                                                                          .widths = {70, 220, 100},
                                                                          .stretch_last = true});
    list.add_label("", {.name = "nombre"});

    velmora::Section& settings = pages.at("Réglages");
    settings.add_row()
        .set_margins()
        .add_label("Seuil d'alerte", {.width = LABEL_WIDTH})
        .add_spinbox({.min = 1, .max = 100, .value = 80, .suffix = " %", .name = "seuil"})
        .add_spacer();
    settings.add_row()
        .set_margins()
        .add_label("Intervalle", {.width = LABEL_WIDTH})
        .add_spinbox({.min = 250,
                      .max = 10000,
                      .value = 1000,
                      .step = 250,
                      .suffix = " ms",
                      .callback = [this](int interval) { _timer.setInterval(interval); },
                      .name = "intervalle"})
        .add_spacer();
    settings.add_spacer();

    refresh();
    _timer.callOnTimeout([this] { refresh(); });
    _timer.start(ui.value<int>("intervalle"));
}

void Dashboard::refresh()
{
    const SystemSample sample = _source();
    ui.set_values({{"processeur", sample.cpu}, {"memoire", sample.memory}, {"disque", sample.disk}});
    ui.set_value("mesure", "Dernière mesure : " + QTime::currentTime().toString("HH:mm:ss"));
    // The selected process keeps its row as long as the table has that many rows.
    ui.set_table_rows(_processes, sample.processes);
    ui.set_value("nombre", QStringLiteral("%1 processus").arg(sample.processes.size()));

    const int threshold = ui.value<int>("seuil");
    const bool past = sample.cpu > threshold;
    if (past && !_pastThreshold) {
        ui.notify(QStringLiteral("Processeur à %1 % (seuil : %2 %)").arg(sample.cpu).arg(threshold),
                  {.kind = "warning", .duration = 5000});
    }
    _pastThreshold = past;
}
