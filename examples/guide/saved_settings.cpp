// SPDX-License-Identifier: MIT
// A settings window that keeps its values between runs: values() saved to QSettings, and
// set_values() restoring them.

#include <velmora/velmora.h>

#include <QApplication>
#include <QSettings>
#include <QStringList>
#include <QTimer>

#include <exception>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui({.title = "Préférences", .width = 420, .height = 260, .padding = 12});
    ui.add_input({.placeholder = "Nom", .name = "nom"})
        .add_dropdown({"Clair", "Sombre"}, {.name = "theme"})
        .add_spinbox({.min = 8, .max = 32, .value = 11, .suffix = " pt", .name = "taille"})
        .add_checkbox("Vérifier les mises à jour", {.checked = true, .name = "mises-a-jour"});

    QSettings settings("preferences.ini", QSettings::IniFormat);
    // A settings file hands numbers and check states back as text: each stored value is
    // converted to the type its widget holds. set_values takes them all, or none.
    const QVariantMap defaults = ui.values();
    QVariantMap stored;
    for (auto it = defaults.cbegin(); it != defaults.cend(); ++it) {
        QVariant value = settings.value(it.key(), it.value());
        if (value.convert(it.value().metaType()))
            stored.insert(it.key(), value);
    }
    try {
        ui.set_values(stored);
    } catch (const std::exception&) {
        ui.notify("Préférences illisibles : valeurs par défaut.", {.kind = "warning"});
    }

    ui.add_button("Enregistrer", [&ui, &settings] {
        const QVariantMap values = ui.values();
        for (auto it = values.cbegin(); it != values.cend(); ++it)
            settings.setValue(it.key(), it.value());
        ui.notify("Préférences enregistrées.", {.kind = "success"});
    });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);
    return ui.run();
}
