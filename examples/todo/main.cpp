// SPDX-License-Identifier: MIT
// velmora-todo: a to-do list saved in a JSON file, the one named on the command line or
// taches.json in the user's application data folder.

#include "todo_list.h"

#include <QApplication>
#include <QStandardPaths>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    const QString path =
        args.size() > 1 ? args[1]
                        : QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + "/taches.json";
    TodoList list(path);
    return list.ui.run();
}
