// SPDX-License-Identifier: MIT
// A to-do list kept in a JSON file: items added and edited in a modal dialog, listed in a table.

#pragma once

#include <velmora/velmora.h>

#include <QDate>
#include <QList>
#include <QString>

#include <memory>

class QTableWidget;

// One line of the list.
struct TodoItem
{
    QString title;
    QString priority; // "Basse", "Normale" or "Haute"
    QDate due;        // null when the item has none
    bool done = false;
};

// The list of the file at `path`, read when the window is built and written again after every
// change. A file that exists but cannot be read is never overwritten: the window then says so
// and keeps its changes to itself.
class TodoList
{
public:
    explicit TodoList(const QString& path);

    velmora::UIWrapper ui;

private:
    void openEditor(int row);
    void acceptEditor();
    void removeCurrent();
    void showItems();
    void showStatus();
    void selectRow(int row);
    void load();
    void save();

    QString _path;
    bool _writable = true;
    QList<TodoItem> _items;
    QTableWidget* _table = nullptr;
    int _currentRow = -1; // the table's current row; -1 for none
    int _editedRow = -1;  // the row the dialog edits; -1 for a new item
    std::unique_ptr<velmora::UIWrapper> _editor;
};
