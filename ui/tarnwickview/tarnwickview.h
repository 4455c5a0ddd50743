#pragma once

#include <tarnwickview/tarnwickview_export.h>

#include <QString>

class QWidget;

/// Describes an existing widget tree: as box-drawn text, or as a commented style-sheet template.
/// Every function only reads the widgets, on the thread that owns them, and keeps nothing between
/// calls. A null `root` is rejected with std::invalid_argument before anything happens; file
/// errors reach the caller as std::filesystem::filesystem_error carrying the path and the
/// operating system's error code.
namespace tarnwickview {

/// Returns the widget tree under `root`, one line per widget in display order, drawn with
/// box-drawing connectors. The lines are joined with "\n"; there is no line end after the last.
TARNWICKVIEW_EXPORT QString get_tree(QWidget* root);

/// Writes get_tree(root) and one line end to standard output, as UTF-8, and flushes it.
TARNWICKVIEW_EXPORT void print_tree(QWidget* root);

/// Saves get_tree(root) to the file at `path` as UTF-8 (no byte-order mark, no final line end),
/// then prints "Arborescence sauvegardée → " + path. The file is replaced only once the new text
/// is complete, so a failed write leaves the previous file as it was. The directory of `path` is
/// not created.
TARNWICKVIEW_EXPORT void save_tree(QWidget* root, const QString& path = QStringLiteral("ui_tree.txt"));

/// Génère un fichier .qss commenté à partir de l'arbre de widgets.
/// - Un bloc par type de widget trouvé dans l'arbre
/// - Un bloc #objectName pour chaque widget nommé
///
/// Creates the directory part of `path` with its missing parents (a bare file name is written in
/// the current directory), writes the template as UTF-8, replacing a previous file only once the
/// new text is complete, then prints "Template QSS généré → " + path.
TARNWICKVIEW_EXPORT void generate_qss(QWidget* root, const QString& path = QStringLiteral("style/style.qss"));

} // namespace tarnwickview
