// SPDX-License-Identifier: MIT
// velmora-showcase: a small address book built with velmora, the program to run first.
//
// A left sidebar switches between four tabs: a contact form with a live preview, the contact
// list, a scrolling history and the preferences, where each kind of notification can be tried.
// The style sheet showcase.qss lies beside the executable and is re-applied whenever it changes.
// Ctrl+T prints the widget tree. Run with --help for the command-line options.

#include <tarnwickview/tarnwickview.h>
#include <velmora/velmora.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCommandLineParser>
#include <QDate>
#include <QDir>
#include <QHeaderView>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPainter>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QSplitter>
#include <QStyle>
#include <QTabWidget>
#include <QTableWidget>
#include <QTimer>
#include <QTreeWidget>

#include <algorithm>
#include <array>
#include <cstdio>
#include <exception>
#include <memory>

namespace {

// The size the README's picture and the screenshot test expect.
constexpr int windowWidth = 960;
constexpr int windowHeight = 640;

// Without a display nobody can close the window, so it closes itself after this delay.
constexpr int headlessDelayMs = 2000;

struct Contact
{
    const char* firstName;
    const char* lastName;
    const char* email;
    const char* phone;
    const char* group;
    bool favourite;
};

const std::array<Contact, 10> sampleContacts{{
    {"Camille", "Martin", "camille.martin@example.org", "06 12 34 56 78", "Famille", true},
    {"Léa", "Bernard", "lea.bernard@example.org", "06 23 45 67 89", "Travail", false},
    {"Hugo", "Dubois", "hugo.dubois@example.org", "07 34 56 78 90", "Amis", true},
    {"Manon", "Thomas", "manon.thomas@example.org", "06 45 67 89 01", "Travail", false},
    {"Lucas", "Robert", "lucas.robert@example.org", "07 56 78 90 12", "Famille", false},
    {"Chloé", "Richard", "chloe.richard@example.org", "06 67 89 01 23", "Amis", false},
    {"Louis", "Petit", "louis.petit@example.org", "07 78 90 12 34", "Travail", true},
    {"Emma", "Durand", "emma.durand@example.org", "06 89 01 23 45", "Autre", false},
    {"Jules", "Leroy", "jules.leroy@example.org", "07 90 12 34 56", "Amis", false},
    {"Inès", "Moreau", "ines.moreau@example.org", "06 01 23 45 67", "Travail", false},
}};

const QStringList groups{"Famille", "Amis", "Travail", "Autre"};

struct Page
{
    const char* title;
    const char* button;
};

const std::array<Page, 4> pages{{
    {"Fiche contact", "nav-fiche"},
    {"Contacts", "nav-contacts"},
    {"Historique", "nav-historique"},
    {"Préférences", "nav-preferences"},
}};

QString contactCount(int count)
{
    return count == 1 ? QStringLiteral("1 contact") : QStringLiteral("%1 contacts").arg(count);
}

QString text(const velmora::Section& section, const char* name)
{
    return section.get<QLineEdit>(name)->text().trimmed();
}

void setText(const velmora::Section& section, const char* name, const QString& value)
{
    section.get<QLabel>(name)->setText(value);
}

// The style sheet selects the current navigation button by this property; a change of property
// only shows once the style has looked at the widget again.
void markCurrent(const velmora::Section& nav, int current)
{
    for (int i = 0; i < int(pages.size()); ++i) {
        QWidget* button = nav.get(pages[i].button);
        button->setProperty("actif", i == current);
        button->style()->unpolish(button);
        button->style()->polish(button);
    }
}

void fail(const QString& message)
{
    std::fprintf(stderr, "velmora-showcase : %s\n", qUtf8Printable(message));
    QCoreApplication::exit(1);
}

// Reports a mistake on the command line; returns the exit status that goes with it.
int usageError(const QString& message)
{
    std::fprintf(stderr, "velmora-showcase : %s\n", qUtf8Printable(message));
    return 2;
}

QString optionSpelling(const QString& name)
{
    return (name.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + name;
}

// The usage text, descriptions aligned in one column and wrapped to fit 80 columns.
QString helpText(const QList<QCommandLineOption>& options)
{
    QStringList spellings;
    qsizetype column = 0;
    for (const QCommandLineOption& option : options) {
        QStringList names;
        for (const QString& name : option.names())
            names << optionSpelling(name);
        QString spelling = names.join(QStringLiteral(", "));
        if (!option.valueName().isEmpty())
            spelling += QStringLiteral(" <%1>").arg(option.valueName());
        column = std::max(column, spelling.size() + 4);
        spellings << spelling;
    }
    QString help = QStringLiteral("Utilisation : velmora-showcase [options]\n"
                                  "Carnet d'adresses de démonstration construit avec velmora.\n"
                                  "Sans affichage, la fenêtre est dessinée hors écran et se ferme "
                                  "d'elle-même.\n\nOptions :\n");
    const qsizetype width = std::max<qsizetype>(80 - column, 30);
    for (qsizetype i = 0; i < options.size(); ++i) {
        QString line = QStringLiteral("  ") + spellings[i];
        for (const QString& word : options[i].description().split(QLatin1Char(' '))) {
            const qsizetype used = line.size() - line.lastIndexOf(QLatin1Char('\n')) - 1 - column;
            if (used > 0 && used + 1 + word.size() > width)
                line += QLatin1Char('\n');
            const qsizetype start = line.lastIndexOf(QLatin1Char('\n')) + 1;
            if (line.size() - start < column)
                line += QString(column - (line.size() - start), QLatin1Char(' '));
            else
                line += QLatin1Char(' ');
            line += word;
        }
        help += line + QLatin1Char('\n');
    }
    return help;
}

// The inspector opened on the main window with the e-mail field selected, the tree narrowed to
// what mentions "courriel" and the field's properties shown, and the main window with the
// highlight over the field, side by side: the picture the guide shows.
QPixmap inspectorPicture(QWidget* window)
{
    QWidget* inspector = tarnwickview::open_inspector(window);
    if (auto* splitter = inspector->findChild<QSplitter*>())
        splitter->setSizes({400, 560});
    if (auto* tree = inspector->findChild<QTreeWidget*>(QStringLiteral("tree"))) {
        const auto found = tree->findItems(QStringLiteral("QLineEdit  placeholder='camille.martin"),
                                           Qt::MatchStartsWith | Qt::MatchRecursive);
        if (!found.isEmpty())
            tree->setCurrentItem(found.first());
    }
    if (auto* filter = inspector->findChild<QLineEdit*>(QStringLiteral("tree_filter")))
        filter->setText(QStringLiteral("courriel"));
    if (auto* pages = inspector->findChild<QTabWidget*>(QStringLiteral("details_pages")))
        pages->setCurrentIndex(1);
    QCoreApplication::processEvents();
    QPixmap left = window->grab();
    // The highlight is a window of its own, laid over the main window on the screen.
    for (QWidget* highlight : QApplication::topLevelWidgets()) {
        if (highlight->objectName() == QLatin1String("tarnwickview_highlight") && highlight->isVisible()) {
            QPainter over(&left);
            over.drawPixmap(highlight->geometry().topLeft() - window->mapToGlobal(QPoint(0, 0)),
                            highlight->grab());
        }
    }
    const QPixmap right = inspector->grab();
    const int gap = 24;
    QPixmap picture(left.width() + gap + right.width(), std::max(left.height(), right.height()));
    picture.fill(QColor(0xd8, 0xdc, 0xe3));
    QPainter painter(&picture);
    painter.drawPixmap(0, 0, left);
    painter.drawPixmap(left.width() + gap, 0, right);
    return picture;
}

} // namespace

int main(int argc, char** argv)
{
    // Qt cannot open a window without a display: draw offscreen instead, unless the caller chose.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        !qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");

    // Made here rather than by the wrapper so that the command line reaches Qt and the parser.
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("velmora-showcase"));
    QApplication::setApplicationVersion(QStringLiteral(SHOWCASE_VERSION));

    QCommandLineParser parser;
    // Qt's own help and version options and its usage text are in English: these are declared
    // and the help is written here.
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")},
                                        QStringLiteral("Affiche cette aide et quitte."));
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")},
                                           QStringLiteral("Affiche la version et quitte."));
    const QCommandLineOption screenshotOption(
        QStringLiteral("screenshot"),
        QStringLiteral("Enregistre une capture PNG de la fenêtre, puis quitte."), QStringLiteral("FICHIER"));
    const QCommandLineOption treeOption(QStringLiteral("tree"),
                                        QStringLiteral("Affiche l'arborescence des widgets, puis quitte."));
    const QCommandLineOption treeFileOption(
        QStringLiteral("tree-file"),
        QStringLiteral("Enregistre l'arborescence des widgets dans FICHIER, puis quitte."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption qssOption(
        QStringLiteral("qss"),
        QStringLiteral("Écrit un modèle de feuille de style dans FICHIER, puis quitte."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption styleOption(
        QStringLiteral("style-file"),
        QStringLiteral("Feuille de style à appliquer et à surveiller (par défaut showcase.qss, à côté du "
                       "programme)."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption inspectorShotOption(
        QStringLiteral("inspector-screenshot"),
        QStringLiteral("Ouvre l'inspecteur sur un widget, enregistre une capture PNG des deux fenêtres "
                       "côte à côte, puis quitte."),
        QStringLiteral("FICHIER"));
    const QCommandLineOption quitAfterOption(QStringLiteral("quit-after"),
                                             QStringLiteral("Ferme la fenêtre au bout de MS millisecondes."),
                                             QStringLiteral("MS"));
    const QList<QCommandLineOption> options{helpOption,          versionOption, screenshotOption,
                                            inspectorShotOption, treeOption,    treeFileOption,
                                            qssOption,           styleOption,   quitAfterOption};
    parser.addOptions(options);
    if (!parser.parse(QCoreApplication::arguments())) {
        const QStringList unknown = parser.unknownOptionNames();
        if (!unknown.isEmpty())
            return usageError(QStringLiteral("option inconnue « %1 ».").arg(optionSpelling(unknown.first())));
        // The other failures are a value given to an option that takes none, or a value missing
        // after the last argument.
        for (const QString& argument : QCoreApplication::arguments()) {
            const QString name = argument.section(QLatin1Char('='), 0, 0);
            for (const QCommandLineOption& option : options) {
                if (argument.startsWith(QLatin1String("--")) && argument.contains(QLatin1Char('=')) &&
                    option.valueName().isEmpty() && option.names().contains(name.mid(2)))
                    return usageError(QStringLiteral("l'option « %1 » ne prend pas de valeur.").arg(name));
            }
        }
        return usageError(
            QStringLiteral("l'option « %1 » attend une valeur.").arg(QCoreApplication::arguments().last()));
    }
    if (parser.isSet(helpOption)) {
        std::fputs(qUtf8Printable(helpText(options)), stdout);
        return 0;
    }
    if (parser.isSet(versionOption)) {
        std::printf("velmora-showcase %s\n", SHOWCASE_VERSION);
        return 0;
    }
    // An empty name would only surface as a failed write, after the window is built.
    for (const QCommandLineOption& option :
         {screenshotOption, inspectorShotOption, treeFileOption, qssOption}) {
        if (parser.isSet(option) && parser.value(option).isEmpty())
            return usageError(QStringLiteral("--%1 attend un nom de fichier, pas une chaîne vide.")
                                  .arg(option.names().first()));
    }

    int quitAfter = -1;
    if (parser.isSet(quitAfterOption)) {
        bool ok = false;
        quitAfter = parser.value(quitAfterOption).toInt(&ok);
        if (!ok || quitAfter < 0) {
            return usageError(QStringLiteral("--quit-after attend un nombre de millisecondes, pas « %1 ».")
                                  .arg(parser.value(quitAfterOption)));
        }
    }

    velmora::UIWrapper ui({.title = "Carnet d'adresses", .width = windowWidth, .height = windowHeight});
    ui.set_min_size(800, 560);

    // Top bar: the title, and a reminder of the inspector's shortcut.
    ui.sidebar("up", {.cross_align = "center", .size = 64})
        .set_margins({.right = 24, .left = 24})
        .add_label("Carnet d'adresses", {.name = "titre"})
        .add_spacer()
        .add_label("Ctrl+T : arborescence des widgets · Ctrl+Maj+I : inspecteur", {.name = "sous-titre"});

    // Left bar: one button per tab, then the secondary window at the bottom.
    velmora::Section& nav = ui.sidebar("left", {.size = 190});
    nav.set_margins({.top = 20, .right = 12, .bottom = 16, .left = 12})
        .set_spacing(4)
        .add_label("NAVIGATION", {.name = "rubrique"})
        .add_spacing(6);

    velmora::Section& content = ui.set_margins({.top = 18, .right = 20, .bottom = 20, .left = 20});
    const velmora::TabSections tabs = content.add_tabs(
        {pages[0].title, pages[1].title, pages[2].title, pages[3].title}, {.stretch = 1, .name = "onglets"});
    auto* tabWidget = ui.window->findChild<QTabWidget*>(QStringLiteral("onglets"));
    // The sidebar replaces the tab bar as the way to move between pages.
    tabWidget->tabBar()->hide();

    for (int i = 0; i < int(pages.size()); ++i) {
        nav.add_button(pages[i].title, [tabWidget, i] { tabWidget->setCurrentIndex(i); },
                       {.name = pages[i].button});
    }
    QObject::connect(tabWidget, &QTabWidget::currentChanged, tabWidget,
                     [&nav](int index) { markCurrent(nav, index); });
    markCurrent(nav, 0);

    // Contacts: a count and a table filled row by row.
    velmora::Section& list = tabs.at("Contacts");
    list.set_spacing(8)
        .add_label("Contacts", {.name = "titre-page"})
        .add_label(contactCount(int(sampleContacts.size())), {.name = "compte"});
    QTableWidget* table =
        list.add_table({"Prénom", "Nom", "Courriel", "Téléphone", "Groupe", "Favori"}, {.stretch = 1});
    table->setObjectName(QStringLiteral("contacts"));
    table->verticalHeader()->hide();
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table->setWordWrap(false);
    QHeaderView* header = table->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    // Column widths follow the text as the style sheet draws it; the e-mail column takes the rest.
    header->setSectionResizeMode(QHeaderView::ResizeToContents);
    header->setSectionResizeMode(2, QHeaderView::Stretch);
    for (const Contact& c : sampleContacts) {
        list.add_table_row(table, {c.firstName, c.lastName, c.email, c.phone, c.group,
                                   c.favourite ? QStringLiteral("★") : QString()});
    }
    table->setSortingEnabled(true);
    table->sortByColumn(1, Qt::AscendingOrder);

    // History: many entries in a scroll area.
    velmora::Section& historyPage = tabs.at("Historique");
    historyPage.add_label("Historique", {.name = "titre-page"});
    velmora::Section& history = historyPage.add_scroll({.stretch = 1});
    history.set_spacing(0);
    const auto log = [&history](const QString& entry) { history.add_label(entry); };
    for (int day = 0; day < 12; ++day) {
        const Contact& c = sampleContacts[std::size_t(day) % sampleContacts.size()];
        const QString when = QStringLiteral("%1 novembre 2026").arg(28 - 2 * day);
        log(when + QStringLiteral(" — Contact ajouté : %1 %2").arg(c.firstName, c.lastName));
        log(when + QStringLiteral(" — Courriel vérifié : %1").arg(c.email));
        if (c.favourite)
            log(when + QStringLiteral(" — Ajouté aux favoris : %1 %2").arg(c.firstName, c.lastName));
    }

    // Contact form with a live preview beside it.
    velmora::Section& formPage = tabs.at("Fiche contact");
    formPage.add_label("Nouveau contact", {.name = "titre-page"}).add_spacing(8);
    velmora::Section& columns = formPage.add_row({.stretches = {3, 2}, .cross_align = "top"});
    columns.set_margins().set_spacing(20);
    velmora::Section& form = columns.add_column({.name = "formulaire"});
    velmora::Section& preview = columns.add_column({.align = "top", .name = "apercu"});
    formPage.add_spacer();

    preview.set_margins({.top = 16, .right = 16, .bottom = 16, .left = 16})
        .set_spacing(10)
        .add_label("APERÇU", {.name = "rubrique"})
        .add_label("Nouveau contact", {.name = "apercu-nom"})
        .add_label("Aucun courriel", {.name = "apercu-courriel"})
        .add_label("Groupe : Famille", {.name = "apercu-groupe"})
        .add_label("", {.name = "apercu-favori"});

    const auto refresh = [&form, &preview] {
        const QString name = (text(form, "prenom") + QLatin1Char(' ') + text(form, "nom")).trimmed();
        setText(preview, "apercu-nom", name.isEmpty() ? QStringLiteral("Nouveau contact") : name);
        const QString email = text(form, "courriel");
        setText(preview, "apercu-courriel", email.isEmpty() ? QStringLiteral("Aucun courriel") : email);
        setText(preview, "apercu-groupe",
                QStringLiteral("Groupe : ") + form.get<QComboBox>("groupe")->currentText());
        setText(preview, "apercu-favori",
                form.get<QCheckBox>("favori")->isChecked() ? QStringLiteral("★ Favori") : QString());
    };
    const auto onText = [refresh](const QString&) { refresh(); };

    form.set_margins().set_spacing(6);
    form.add_label("Prénom")
        .add_input({.placeholder = "Camille", .callback = onText, .name = "prenom"})
        .add_spacing(6)
        .add_label("Nom")
        .add_input({.placeholder = "Martin", .callback = onText, .name = "nom"})
        .add_spacing(6)
        .add_label("Courriel")
        .add_input({.placeholder = "camille.martin@example.org", .callback = onText, .name = "courriel"})
        .add_spacing(6)
        .add_label("Groupe")
        .add_dropdown(groups, {.callback = onText, .name = "groupe"})
        .add_spacing(10)
        .add_checkbox("Marquer comme favori", {.callback = [refresh](bool) { refresh(); }, .name = "favori"})
        .add_checkbox("Recevoir la lettre d'information", {.checked = true, .name = "lettre"})
        .add_spacing(8)
        .add_separator()
        .add_spacing(8);

    const auto clearForm = [&form] {
        for (const char* name : {"prenom", "nom", "courriel"})
            form.get<QLineEdit>(name)->clear();
        form.get<QComboBox>("groupe")->setCurrentIndex(0);
        form.get<QCheckBox>("favori")->setChecked(false);
    };
    const auto save = [&ui, &form, &list, table, log, clearForm] {
        const QString first = text(form, "prenom");
        const QString last = text(form, "nom");
        const QString email = text(form, "courriel");
        if (first.isEmpty() && last.isEmpty()) {
            ui.notify("Indiquez au moins un prénom ou un nom.", {.kind = "error"});
            return;
        }
        const bool favourite = form.get<QCheckBox>("favori")->isChecked();
        list.add_table_row(table,
                           {first, last, email, QString(), form.get<QComboBox>("groupe")->currentText(),
                            favourite ? QStringLiteral("★") : QString()});
        setText(list, "compte", contactCount(table->rowCount()));
        const QString who = (first + QLatin1Char(' ') + last).trimmed();
        const QString today =
            QLocale(QLocale::French).toString(QDate::currentDate(), QStringLiteral("d MMMM yyyy"));
        log(today + QStringLiteral(" — Contact ajouté : ") + who);
        if (!email.isEmpty() && !email.contains(QLatin1Char('@')))
            ui.notify("Contact enregistré, mais le courriel « " + email + " » semble incomplet.",
                      {.kind = "warning", .duration = 5000});
        else
            ui.notify("Contact enregistré : " + who, {.kind = "success"});
        clearForm();
    };
    form.add_row({.align = "right"})
        .set_margins()
        .add_button("Effacer",
                    [&ui, clearForm] {
                        clearForm();
                        ui.notify("Formulaire vidé.");
                    },
                    {.gap = 8, .name = "effacer"})
        .add_button("Enregistrer le contact", save, {.name = "enregistrer"});

    // Preferences: settings that act on the list, and one button per kind of notification.
    velmora::Section& settings = tabs.at("Préférences");
    settings.set_spacing(8)
        .add_label("Préférences", {.name = "titre-page"})
        .add_spacing(4)
        .add_checkbox("Trier la liste des contacts",
                      {.callback = [table](bool on) { table->setSortingEnabled(on); }, .checked = true})
        .add_checkbox("Afficher la grille de la liste",
                      {.callback = [table](bool on) { table->setShowGrid(on); }, .checked = true})
        .add_label("Densité de la liste")
        .add_row({.align = "left"})
        .set_margins()
        .add_dropdown({"Confortable", "Compacte"},
                      {.callback =
                           [table](const QString& choice) {
                               table->verticalHeader()->setDefaultSectionSize(choice == "Compacte" ? 24 : 34);
                           },
                       .name = "densite"})
        .end()
        .add_spacing(12)
        .add_separator()
        .add_spacing(12)
        .add_label("Notifications", {.name = "titre-page"})
        .add_spacing(4)
        .add_label("Chaque bouton affiche un bandeau en bas de la fenêtre pendant quelques secondes.")
        .add_row({.align = "left"})
        .set_margins()
        .add_button("Information", [&ui] { ui.notify("Trois contacts n'ont pas de téléphone."); }, {.gap = 8})
        .add_button("Succès", [&ui] { ui.notify("Carnet sauvegardé.", {.kind = "success"}); }, {.gap = 8})
        .add_button("Avertissement",
                    [&ui] { ui.notify("Deux fiches semblent en double.", {.kind = "warning"}); }, {.gap = 8})
        .add_button("Erreur", [&ui] { ui.notify("Synchronisation impossible.", {.kind = "error"}); })
        .end()
        .add_spacer();
    table->verticalHeader()->setDefaultSectionSize(34);

    // The secondary window lives until the main window goes; a second click brings it back.
    QString stylePath = parser.value(styleOption);
    if (stylePath.isEmpty())
        stylePath = QDir(QCoreApplication::applicationDirPath()).filePath(QStringLiteral("showcase.qss"));
    std::unique_ptr<velmora::UIWrapper> about;
    nav.add_spacer().add_separator().add_spacing(8).add_button("À propos…", [&ui, &about, stylePath] {
        if (!about) {
            about = ui.open_window({.title = "À propos", .width = 420, .height = 240, .padding = 24});
            about->add_label("Carnet d'adresses", {.name = "titre"})
                .add_label("Une démonstration de velmora " SHOWCASE_VERSION ", construite en quelques "
                           "dizaines d'appels déclaratifs.",
                           {.name = "texte"})
                .add_spacer()
                .add_row({.align = "right"})
                .set_margins()
                .add_button("Fermer", [&about] { about->window->close(); });
            about->get<QLabel>("texte")->setWordWrap(true);
            try {
                about->load_style(stylePath);
            } catch (const std::exception&) {
                // Already reported for the main window; the window is usable without style.
            }
        }
        about->window->show();
        about->window->raise();
    });

    try {
        ui.watch_style(stylePath);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "velmora-showcase : feuille de style non chargée (%s)\n", error.what());
    }

    QShortcut printTree(QKeySequence(Qt::CTRL | Qt::Key_T), ui.window);
    QObject::connect(&printTree, &QShortcut::activated, ui.window,
                     [&ui] { tarnwickview::print_tree(ui.window); });
    tarnwickview::install_inspector(ui.window);

    // Shown once the window has its size, since a banner places itself from its parent's size.
    QTimer::singleShot(0, ui.window, [&ui] {
        ui.notify("Bienvenue ! Choisissez une rubrique dans la barre de gauche.", {.duration = 5000});
    });

    // One-shot requests run once the window is shown and laid out, then end the program.
    const bool oneShot = parser.isSet(screenshotOption) || parser.isSet(inspectorShotOption) ||
                         parser.isSet(treeOption) || parser.isSet(treeFileOption) || parser.isSet(qssOption);
    if (oneShot) {
        QTimer::singleShot(0, ui.window, [&] {
            try {
                if (parser.isSet(screenshotOption)) {
                    const QString path = parser.value(screenshotOption);
                    if (!ui.window->grab().save(path, "PNG"))
                        return fail(QStringLiteral("impossible d'écrire la capture dans « %1 ».").arg(path));
                    std::printf("Capture enregistrée → %s\n", qUtf8Printable(path));
                    std::fflush(stdout);
                }
                if (parser.isSet(inspectorShotOption)) {
                    const QString path = parser.value(inspectorShotOption);
                    if (!inspectorPicture(ui.window).save(path, "PNG"))
                        return fail(QStringLiteral("impossible d'écrire la capture dans « %1 ».").arg(path));
                    std::printf("Capture enregistrée → %s\n", qUtf8Printable(path));
                    std::fflush(stdout);
                }
                if (parser.isSet(treeOption))
                    tarnwickview::print_tree(ui.window);
                if (parser.isSet(treeFileOption))
                    tarnwickview::save_tree(ui.window, parser.value(treeFileOption));
                if (parser.isSet(qssOption))
                    tarnwickview::generate_qss(ui.window, parser.value(qssOption));
            } catch (const std::exception& error) {
                return fail(QString::fromUtf8(error.what()));
            }
            QCoreApplication::exit(0);
        });
    } else if (quitAfter >= 0) {
        QTimer::singleShot(quitAfter, ui.window, [] { QCoreApplication::exit(0); });
    } else if (QGuiApplication::platformName() == QLatin1StringView("offscreen")) {
        std::fprintf(stderr, "velmora-showcase : pas d'affichage, la fenêtre se ferme au bout de %d ms.\n",
                     headlessDelayMs);
        QTimer::singleShot(headlessDelayMs, ui.window, [] { QCoreApplication::exit(0); });
    }

    return ui.run();
}
