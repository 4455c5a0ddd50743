// SPDX-License-Identifier: MIT
// The six widget kinds of 0.3: spin box, slider, progress bar, text area, date and radio group.

#include <velmora/velmora.h>

#include <QApplication>
#include <QDate>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Saisies", .width = 460, .height = 420, .padding = 12});

    ui.add_spinbox({.min = 1, .max = 12, .value = 3, .suffix = " mois", .name = "duree"})
        // A slider drives the progress bar below it: each callback receives the new value.
        .add_slider({.value = 40,
                     .callback = [&ui](int volume) { ui.set_value("niveau", volume); },
                     .name = "volume"})
        .add_progress({.value = 40, .format = "%v sur %m", .name = "niveau"})
        .add_date(
            {.min = QDate(2026, 1, 1), .max = QDate(2026, 12, 31), .format = "dd/MM/yyyy", .name = "debut"})
        .add_radio(
            {"Courrier", "Courriel", "Téléphone"},
            {.current = 1,
             .callback = [&ui](const QString& choice) { ui.notify("Contact par " + choice.toLower()); },
             .horizontal = true,
             .name = "contact"})
        .add_text({.placeholder = "Remarques", .stretch = 1, .name = "remarques"});

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
