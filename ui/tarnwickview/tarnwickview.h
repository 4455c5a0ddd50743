// SPDX-License-Identifier: MIT
#pragma once

#include <tarnwickview/tarnwickview_export.h>

#include <QKeySequence>
#include <QString>

class QWidget;

/// Describes an existing widget tree: as box-drawn text, as a commented style-sheet template, or
/// in an inspector window. The describing functions only read the widgets and keep nothing between
/// calls. Every function runs on the thread of the application object, which owns the widgets:
/// called from another thread it throws std::logic_error whose message begins with its name
/// ("tarnwickview::get_tree: ..."), before anything happens, a null `root` included. A null
/// `root` is rejected with std::invalid_argument before anything happens; file errors reach the caller as std::filesystem::filesystem_error
/// carrying the path and the operating system's error code.
namespace tarnwickview {

/// Returns the widget tree under `root`, one entry per widget in display order, drawn with
/// box-drawing connectors. An entry is one line unless the text or object name it shows holds
/// line breaks: those stay line breaks (only tab titles are written with escapes such as `\n`). The lines are joined with "\n"; there is no line end after the last.
/// @throws std::invalid_argument when `root` is null.
TARNWICKVIEW_EXPORT QString get_tree(QWidget* root);

/// Writes get_tree(root) and one line end to standard output, as UTF-8, and flushes it.
/// @throws std::invalid_argument when `root` is null.
TARNWICKVIEW_EXPORT void print_tree(QWidget* root);

/// Saves get_tree(root) to the file at `path` as UTF-8 (no byte-order mark, no final line end),
/// then prints "Arborescence sauvegardée → " + path. The file is replaced only once the new text
/// is complete, so a failed write leaves the previous file as it was; the file keeps its mode,
/// and its owner and group where the process may keep them. The file is rewritten in place
/// instead when it has a second hard link (so that every name shows the new text), when its
/// directory allows no new file, and when it belongs to another user who must stay its owner
/// (a file writable by all in a sticky directory such as /tmp). The room the new text needs is
/// then reserved before the old text is touched, so a full disk, a quota or a file-size limit
/// still leaves the previous file whole; only a later failure (an input/output error, or a full
/// disk on a file system that cannot reserve room or needs fresh room to overwrite, such as
/// Btrfs) may leave it partly rewritten. A symbolic link leads to the file it names, which is
/// created when missing; the link stays. Devices and pipes are written through; a pipe that
/// nobody reads fails at once (ENXIO) instead of waiting for a reader. The directory of `path`
/// is not created.
/// @throws std::invalid_argument when `root` is null.
/// @throws std::filesystem::filesystem_error when the file cannot be written.
TARNWICKVIEW_EXPORT void save_tree(QWidget* root, const QString& path = QStringLiteral("ui_tree.txt"));

/// Génère un fichier .qss commenté à partir de l'arbre de widgets.
/// - Un bloc par type de widget trouvé dans l'arbre
/// - Un bloc `#objectName` pour chaque widget nommé
///
/// Writes a commented style-sheet template for the tree under `root`: one block per widget class
/// met, then one block per named widget, whose selector picks that widget: "#" and the name, with
/// a backslash before each character a style-sheet identifier cannot hold as it is (anything but
/// ASCII letters and digits, '-', '_' and characters beyond U+00FF), or `*[objectName="..."]`
/// for a name holding a line break. Creates the directory part of `path` with its missing
/// parents (a bare file name is written in the current directory; the directories it made are
/// removed again when the write fails), writes the template as UTF-8, replacing a previous file
/// only once the new text is complete (with the exceptions and guarantees that save_tree()
/// states), then prints "Template QSS généré → " + path.
/// @throws std::invalid_argument when `root` is null.
/// @throws std::filesystem::filesystem_error when the directory or the file cannot be written.
TARNWICKVIEW_EXPORT void generate_qss(QWidget* root, const QString& path = QStringLiteral("style/style.qss"));

/// Ouvre un inspecteur de l'arbre de widgets dans le processus.
///
/// Adds to `root` a shortcut, active while its window is the active window, that calls
/// open_inspector(root). Installing the same key sequence again for the same root changes nothing.
/// The shortcut is a plain object, not a widget, so it never appears in the tree.
/// @throws std::invalid_argument for a null `root` or an empty `shortcut`.
TARNWICKVIEW_EXPORT void install_inspector(QWidget* root,
                                           const QKeySequence& shortcut = QKeySequence(Qt::CTRL | Qt::SHIFT |
                                                                                       Qt::Key_I));

/// Shows the inspector window of `root`, opening it or raising the one already open, and returns
/// it. The window is a separate top-level window, never a child of `root`; it lists the tree that
/// get_tree describes and follows it as widgets are added, removed, renamed, shown or hidden and
/// as their texts change (at most one update every 250 ms, keeping the selection and the collapsed
/// rows; "Actualiser" rebuilds at once). It shows the class, object name, geometry, size policy,
/// visibility and style sheet of the selected widget, edits the style sheet of `root` live
/// (following the sheet the application sets while the editor holds no edit of its own), and
/// saves the tree or a style-sheet template to a file chosen in a dialog. "Choisir", or
/// Ctrl+Shift+C in the inspected window, selects the next widget clicked there; that click does
/// not reach the application, and Escape gives up. The selected widget is outlined by a
/// translucent frame that is a window of its own, so that nothing the application reads of its
/// tree ever sees it; it takes no input and follows the widget. The inspector does not keep the
/// application running: closing the application's last window still ends its event loop.
/// Closing the window deletes it, and the next call opens a new one; destroying `root` destroys
/// it too.
/// @return The inspector window; Qt deletes it, so keep it in a QPointer to use it later.
/// @throws std::invalid_argument for a null `root`.
TARNWICKVIEW_EXPORT QWidget* open_inspector(QWidget* root);

/// Règles de style qui atteignent un widget, dans l'ordre où Qt les applique.
///
/// Returns the style-sheet cascade of `widget` as text, lines joined with "\n". Each sheet that
/// reaches the widget gets a heading, in the order Qt applies them: "Feuille de style de
/// l'application", then "Feuille de style de " + the label get_tree() gives the owner, for each
/// ancestor from the top-level window down and for the widget itself. Under it, each selector
/// that matches the widget, in the sheet's order:
///
///     ligne 3 : QPushButton#ok — spécificité (1,0,1) — si :hover
///
/// (the rule's line, the matching selector, its CSS 2.1 specificity as (ids, classes, attributes
/// and pseudo-states, types), and, when it has pseudo-states or a sub-control, "— si " and the
/// condition under which it applies), then one line per declaration:
///
///     color: red — appliquée
///     padding: 4px — remplacée par #ok (QWidget  [#fenetre], ligne 7)
///
/// A declaration is "remplacée" when a stronger rule, whose condition holds whenever its own
/// does, sets the same properties; the line names that rule's selector, its sheet ("même
/// feuille" for the same one) and the line of the declaration. Qt ranks a rule by its sheet
/// first (a widget's own sheet beats its ancestors', which beat the application's, whatever the
/// specificity), then by specificity, then by place; it gives "!important" no weight, so neither
/// does this text. A sheet none of whose rules match says "  aucune règle ne correspond"; with no
/// sheet at all the text is "Aucune feuille de style n'atteint ce widget.". A sheet that breaks
/// the grammar counts up to the error, as Qt applies it.
/// @throws std::invalid_argument when `widget` is null.
TARNWICKVIEW_EXPORT QString get_style_rules(QWidget* widget);

/// Diagnostics des feuilles de style d'une fenêtre.
///
/// Returns, for every sheet that reaches the tree under `root` (the application's, the ancestors'
/// of `root`, then each widget's of the tree in tree order), its heading as get_style_rules()
/// writes it and one line per problem: "  erreur ligne L, colonne C : on attendait …" for a
/// grammar error or a pseudo-state Qt does not know, "  règle sans effet ligne L : selectors" for
/// a rule that matches no widget it reaches in the tree (pseudo-states aside), or
/// "  aucun problème". With no sheet at all the text is "Aucune feuille de style.".
/// @throws std::invalid_argument when `root` is null.
TARNWICKVIEW_EXPORT QString get_style_report(QWidget* root);

} // namespace tarnwickview
