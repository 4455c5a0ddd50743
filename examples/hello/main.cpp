// The smallest useful velmora program: a greeting, a name field and a button.
//
// Pass --quit-after MS to close the window by itself after MS milliseconds.

#include <velmora/velmora.h>

#include <QApplication>
#include <QLineEdit>
#include <QStringList>
#include <QTimer>

int main(int argc, char** argv)
{
    velmora::UIWrapper ui("Bonjour", 420, 220, 12);

    ui.add_label("Comment vous appelez-vous ?")
        .add_input({.placeholder = "Votre nom", .name = "nom"})
        .add_button("Saluer", [&ui] {
            const auto* field = static_cast<QLineEdit*>(ui.get("nom"));
            ui.notify("Bonjour, " + field->text() + " !", {.kind = "success"});
        });

    const QStringList args(argv, argv + argc);
    if (const qsizetype i = args.indexOf("--quit-after"); i >= 0 && i + 1 < args.size())
        QTimer::singleShot(args[i + 1].toInt(), ui.app, &QApplication::quit);

    return ui.run();
}
