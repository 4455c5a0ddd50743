// SPDX-License-Identifier: MIT
#include "todo_list.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QKeySequence>
#include <QSaveFile>

#include <algorithm>

namespace {

const QStringList PRIORITIES{"Basse", "Normale", "Haute"};
constexpr const char* DATE_FORMAT = "dd/MM/yyyy";
constexpr int LABEL_WIDTH = 80;

QVariantList cells(const TodoItem& item)
{
    return {item.title, item.priority, item.due.toString(DATE_FORMAT),
            item.done ? QStringLiteral("oui") : QStringLiteral("non")};
}

// An entry of the file, made fit for the dialog: an unknown priority reads as "Normale".
TodoItem fromJson(const QJsonObject& object)
{
    const QString priority = object["priorite"].toString();
    return {object["titre"].toString(), PRIORITIES.contains(priority) ? priority : PRIORITIES[1],
            QDate::fromString(object["echeance"].toString(), Qt::ISODate), object["faite"].toBool()};
}

QJsonObject toJson(const TodoItem& item)
{
    return {{"titre", item.title},
            {"priorite", item.priority},
            {"echeance", item.due.toString(Qt::ISODate)},
            {"faite", item.done}};
}

} // namespace

TodoList::TodoList(const QString& path)
    : ui({.title = "Tâches", .width = 600, .height = 420, .padding = 12})
    , _path(path)
{
    ui.add_row()
        .set_margins()
        .add_button("Nouvel élément…", [this] { openEditor(-1); },
                    {.gap = 6, .name = "ajouter", .shortcut = QKeySequence(Qt::CTRL | Qt::Key_N)})
        .add_button("Modifier…", [this] { openEditor(_currentRow); },
                    {.gap = 6, .name = "modifier", .enabled = false})
        .add_button("Supprimer", [this] { removeCurrent(); },
                    {.name = "supprimer", .enabled = false, .shortcut = QKeySequence(Qt::Key_Delete)})
        .add_spacer();
    _table = ui.add_table({"Tâche", "Priorité", "Échéance", "Faite"},
                          {.stretch = 1,
                           .name = "taches",
                           .on_activate = [this](int row) { openEditor(row); },
                           .read_only = true,
                           .select = "rows",
                           .single = true,
                           .widths = {230, 80, 90},
                           .stretch_last = true,
                           .on_select = [this](int row) { selectRow(row); }});
    ui.add_label("", {.name = "statut"});
    load();
    showItems();
}

// Opens the dialog on the item of `row`, or on a new item when `row` is -1.
void TodoList::openEditor(int row)
{
    if (row >= _items.size())
        return;
    _editedRow = row;
    const TodoItem item = row < 0 ? TodoItem{{}, PRIORITIES[1], {}, false} : _items[row];
    _editor = ui.open_window({.title = row < 0 ? "Nouvel élément" : "Modifier l'élément",
                              .width = 380,
                              .height = 220,
                              .padding = 12,
                              .modal = true});
    velmora::UIWrapper& editor = *_editor;
    editor.add_row({.stretches = {0, 1}})
        .set_margins()
        .add_label("Intitulé", {.width = LABEL_WIDTH})
        .add_input({.placeholder = "Ce qu'il reste à faire",
                    .name = "intitule",
                    .text = item.title,
                    .on_submit = [this](const QString&) { acceptEditor(); }});
    editor.add_row()
        .set_margins()
        .add_label("Priorité", {.width = LABEL_WIDTH})
        .add_radio(
            PRIORITIES,
            {.current = int(PRIORITIES.indexOf(item.priority)), .horizontal = true, .name = "priorite"});
    editor.add_row()
        .set_margins()
        .add_label("Échéance", {.width = LABEL_WIDTH})
        .add_date({.date = item.due, .format = DATE_FORMAT, .name = "echeance"})
        .add_spacer();
    editor.add_checkbox("Faite", {.checked = item.done, .name = "faite"})
        .add_spacer()
        .add_row({.align = "right"})
        .set_margins()
        .add_button("Annuler", [this] { _editor->close(); },
                    {.gap = 6, .name = "annuler", .shortcut = QKeySequence(Qt::Key_Escape)})
        .add_button("Valider", [this] { acceptEditor(); }, {.name = "valider"});
}

void TodoList::acceptEditor()
{
    const velmora::UIWrapper& editor = *_editor;
    const QString title = editor.value<QString>("intitule").trimmed();
    if (title.isEmpty()) {
        _editor->notify("Donnez un intitulé à l'élément.", {.kind = "error"});
        return;
    }
    const TodoItem item{title, editor.value<QString>("priorite"), editor.value<QDate>("echeance"),
                        editor.value<bool>("faite")};
    if (_editedRow < 0)
        _items.append(item);
    else
        _items[_editedRow] = item;
    _editor->close();
    showItems();
    save();
}

void TodoList::removeCurrent()
{
    if (_currentRow < 0)
        return;
    const int row = _currentRow;
    _items.removeAt(row);
    ui.remove_table_row(_table, row);
    showStatus();
    save();
}

void TodoList::showItems()
{
    QList<QVariantList> rows;
    for (const TodoItem& item : _items)
        rows.append(cells(item));
    ui.set_table_rows(_table, rows);
    showStatus();
}

void TodoList::showStatus()
{
    const qsizetype done =
        std::count_if(_items.cbegin(), _items.cend(), [](const TodoItem& item) { return item.done; });
    const qsizetype count = _items.size();
    ui.set_value("statut", count == 0 ? QStringLiteral("Aucun élément")
                                      : QStringLiteral("%1 élément%2, %3 fait%4")
                                            .arg(count)
                                            .arg(count > 1 ? "s" : "")
                                            .arg(done)
                                            .arg(done > 1 ? "s" : ""));
}

// The buttons act on the current row: Qt makes a row current before it selects it, so the
// selection cannot tell yet which row the user chose.
void TodoList::selectRow(int row)
{
    _currentRow = row;
    ui.set_enabled("modifier", row >= 0).set_enabled("supprimer", row >= 0);
}

void TodoList::load()
{
    QFile file(_path);
    if (!file.exists())
        return;
    QJsonParseError error{};
    const QJsonDocument document =
        file.open(QIODevice::ReadOnly) ? QJsonDocument::fromJson(file.readAll(), &error) : QJsonDocument();
    if (!document.isArray()) {
        _writable = false;
        ui.notify("Impossible de lire " + _path +
                      " : le fichier reste tel quel et les changements ne seront pas enregistrés.",
                  {.kind = "error", .duration = 8000});
        return;
    }
    for (const QJsonValue& entry : document.array()) {
        if (entry.isObject())
            _items.append(fromJson(entry.toObject()));
    }
}

void TodoList::save()
{
    if (!_writable)
        return;
    QJsonArray entries;
    for (const TodoItem& item : _items)
        entries.append(toJson(item));
    QDir().mkpath(QFileInfo(_path).absolutePath());
    // Written aside and renamed, so that a failure leaves the previous file whole.
    QSaveFile file(_path);
    if (!file.open(QIODevice::WriteOnly) || file.write(QJsonDocument(entries).toJson()) < 0 || !file.commit())
        ui.notify("Impossible d'enregistrer " + _path + " : " + file.errorString(),
                  {.kind = "error", .duration = 8000});
}
