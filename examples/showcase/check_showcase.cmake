# SPDX-License-Identifier: MIT
# Runs velmora-showcase as a user would from a terminal and checks what it leaves behind.
#
# Expects: PROGRAM (the executable), WORK_DIR (scratch), CASE (one of the blocks below),
# WIDTH and HEIGHT (the window size main.cpp sets), VERSION (the project's version).

file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

# run(<prefix> <args>...): runs the program; sets <prefix>_rc, <prefix>_out and <prefix>_err.
function(run prefix)
    execute_process(COMMAND ${ARGN} WORKING_DIRECTORY "${WORK_DIR}" TIMEOUT 60
                    RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
    set(${prefix}_rc "${rc}" PARENT_SCOPE)
    set(${prefix}_out "${out}" PARENT_SCOPE)
    set(${prefix}_err "${err}" PARENT_SCOPE)
endfunction()

function(expect_rc prefix expected)
    if(NOT "${${prefix}_rc}" STREQUAL "${expected}")
        message(FATAL_ERROR "${prefix}: exit status ${${prefix}_rc}, expected ${expected}\n"
                            "stdout:\n${${prefix}_out}\nstderr:\n${${prefix}_err}")
    endif()
endfunction()

function(expect_failure prefix)
    if("${${prefix}_rc}" STREQUAL "0")
        message(FATAL_ERROR "${prefix}: exit status 0, expected a failure\nstdout:\n${${prefix}_out}")
    endif()
endfunction()

function(expect_contains prefix stream text)
    string(FIND "${${prefix}_${stream}}" "${text}" position)
    if(position EQUAL -1)
        message(FATAL_ERROR "${prefix}: ${stream} lacks \"${text}\":\n${${prefix}_${stream}}")
    endif()
endfunction()

function(expect_lacks prefix stream text)
    string(FIND "${${prefix}_${stream}}" "${text}" position)
    if(NOT position EQUAL -1)
        message(FATAL_ERROR "${prefix}: ${stream} shows \"${text}\":\n${${prefix}_${stream}}")
    endif()
endfunction()

# Checks that `file` is a PNG image of WIDTH × HEIGHT pixels (or of `ARGV1` × HEIGHT), from its
# signature and IHDR chunk.
function(expect_png file)
    set(expected_width ${WIDTH})
    if(ARGC GREATER 1)
        set(expected_width ${ARGV1})
    endif()
    if(NOT EXISTS "${file}")
        message(FATAL_ERROR "no picture written at ${file}")
    endif()
    file(READ "${file}" head LIMIT 24 HEX)
    string(SUBSTRING "${head}" 0 16 signature)
    string(SUBSTRING "${head}" 24 8 chunk)
    if(NOT signature STREQUAL "89504e470d0a1a0a" OR NOT chunk STREQUAL "49484452")
        message(FATAL_ERROR "${file} is not a PNG image (starts with ${head})")
    endif()
    string(SUBSTRING "${head}" 32 8 width_hex)
    string(SUBSTRING "${head}" 40 8 height_hex)
    math(EXPR width "0x${width_hex}")
    math(EXPR height "0x${height_hex}")
    if(NOT width EQUAL expected_width OR NOT height EQUAL HEIGHT)
        message(FATAL_ERROR "picture is ${width}×${height}, expected ${expected_width}×${HEIGHT}")
    endif()
    file(SIZE "${file}" size)
    if(size LESS 10000)
        message(FATAL_ERROR "picture of ${size} bytes: the window was not drawn")
    endif()
endfunction()

set(no_display ${CMAKE_COMMAND} -E env --unset=DISPLAY --unset=WAYLAND_DISPLAY --unset=QT_QPA_PLATFORM)

if(CASE STREQUAL "screenshot")
    run(shot "${PROGRAM}" --screenshot "${WORK_DIR}/capture.png")
    expect_rc(shot 0)
    expect_contains(shot out "Capture enregistrée → ${WORK_DIR}/capture.png\n")
    expect_png("${WORK_DIR}/capture.png")

    # The extension does not choose the format.
    run(named "${PROGRAM}" --screenshot "${WORK_DIR}/capture.jpg")
    expect_rc(named 0)
    expect_png("${WORK_DIR}/capture.jpg")

    # The inspector opens at 960 × 640, the size of the showcase window, and stands beside it
    # 24 pixels apart.
    run(inspector "${PROGRAM}" --inspector-screenshot "${WORK_DIR}/inspecteur.png")
    expect_rc(inspector 0)
    math(EXPR both "2 * ${WIDTH} + 24")
    expect_png("${WORK_DIR}/inspecteur.png" ${both})

    run(missing_dir "${PROGRAM}" --screenshot "${WORK_DIR}/absent/capture.png")
    expect_rc(missing_dir 1)
    expect_contains(missing_dir err
        "velmora-showcase : impossible d'écrire la capture dans « ${WORK_DIR}/absent/capture.png ».")

elseif(CASE STREQUAL "headless")
    # No display and no platform chosen: the program draws offscreen by itself...
    run(shot ${no_display} "${PROGRAM}" --screenshot "${WORK_DIR}/capture.png")
    expect_rc(shot 0)
    expect_png("${WORK_DIR}/capture.png")

    # ...and, with nothing to do, closes its window instead of waiting for a user.
    run(plain ${no_display} "${PROGRAM}")
    expect_rc(plain 0)
    expect_contains(plain err "velmora-showcase : pas d'affichage, la fenêtre se ferme au bout de 2000 ms.")

    run(timed "${PROGRAM}" --quit-after 50)
    expect_rc(timed 0)

elseif(CASE STREQUAL "inspector")
    run(tree "${PROGRAM}" --tree)
    expect_rc(tree 0)
    string(FIND "${tree_out}" "QMainWindow\n└─ QWidget\n   ├─ QWidget  [#sidebar-up]\n" start)
    if(NOT start EQUAL 0)
        message(FATAL_ERROR "the tree does not start at the main window:\n${tree_out}")
    endif()
    expect_contains(tree out "QTabWidget  ['Fiche contact', 'Contacts', 'Historique', 'Préférences']  [#onglets]")
    expect_contains(tree out "QLineEdit  placeholder='Camille'  [#prenom]")
    expect_contains(tree out "QTableWidget  10×6  [#contacts]")

    run(saved "${PROGRAM}" --tree-file "${WORK_DIR}/arbre.txt")
    expect_rc(saved 0)
    expect_contains(saved out "Arborescence sauvegardée → ${WORK_DIR}/arbre.txt")
    file(READ "${WORK_DIR}/arbre.txt" saved_tree)
    if(NOT "${saved_tree}\n" STREQUAL "${tree_out}")
        message(FATAL_ERROR "the saved tree differs from the printed one:\n${saved_tree}")
    endif()

    run(qss "${PROGRAM}" --qss "${WORK_DIR}/modele/style.qss")
    expect_rc(qss 0)
    expect_contains(qss out "Template QSS généré → ${WORK_DIR}/modele/style.qss")
    file(READ "${WORK_DIR}/modele/style.qss" template)
    foreach(block "QPushButton {" "QLineEdit {" "#prenom {" "#enregistrer {")
        string(FIND "${template}" "${block}" position)
        if(position EQUAL -1)
            message(FATAL_ERROR "the template lacks the block ${block}")
        endif()
    endforeach()

    run(unwritable "${PROGRAM}" --tree-file "${WORK_DIR}/absent/arbre.txt")
    expect_rc(unwritable 1)
    expect_contains(unwritable err "velmora-showcase : ")

elseif(CASE STREQUAL "options")
    run(version "${PROGRAM}" --version)
    expect_rc(version 0)
    expect_contains(version out "velmora-showcase ${VERSION}\n")

    run(help "${PROGRAM}" --help)
    expect_rc(help 0)
    foreach(line "Utilisation : velmora-showcase [options]\n" "\nOptions :\n"
                 "  -h, --help                        Affiche cette aide et quitte.\n"
                 "  -v, --version                     Affiche la version et quitte.\n")
        expect_contains(help out "${line}")
    endforeach()
    foreach(english "Usage:" "Options:" "Displays" "--help-all")
        expect_lacks(help out "${english}")
    endforeach()
    foreach(option "--screenshot <FICHIER>" "--inspector-screenshot <FICHIER>" "--tree " "--tree-file <FICHIER>" "--qss <FICHIER>"
                   "--style-file <FICHIER>" "--quit-after <MS>")
        expect_contains(help out "${option}")
    endforeach()

    run(bad_delay "${PROGRAM}" --quit-after soon)
    expect_rc(bad_delay 2)
    expect_contains(bad_delay err
        "velmora-showcase : --quit-after attend un nombre de millisecondes, pas « soon ».")

    run(unknown "${PROGRAM}" --photo x.png)
    expect_failure(unknown)
    expect_contains(unknown err "velmora-showcase : option inconnue « --photo ».")
    run(flag_value "${PROGRAM}" --tree=oui)
    expect_rc(flag_value 2)
    expect_contains(flag_value err "velmora-showcase : l'option « --tree » ne prend pas de valeur.")
    run(no_value "${PROGRAM}" --qss)
    expect_rc(no_value 2)
    expect_contains(no_value err "velmora-showcase : l'option « --qss » attend une valeur.")

    # An empty file name is refused before Qt tries to open it (run() would drop the argument).
    execute_process(COMMAND "${PROGRAM}" --screenshot "" WORKING_DIRECTORY "${WORK_DIR}" TIMEOUT 60
                    RESULT_VARIABLE empty_name_rc OUTPUT_VARIABLE empty_name_out ERROR_VARIABLE empty_name_err)
    expect_rc(empty_name 2)
    expect_contains(empty_name err "velmora-showcase : --screenshot attend un nom de fichier, pas une chaîne vide.\n")
    expect_lacks(empty_name err "QFSFileEngine")

    # A style sheet that cannot be read is reported; the window still works.
    run(no_style "${PROGRAM}" --style-file "${WORK_DIR}/absent.qss" --quit-after 50)
    expect_rc(no_style 0)
    expect_contains(no_style err "velmora-showcase : feuille de style non chargée")
else()
    message(FATAL_ERROR "unknown CASE '${CASE}'")
endif()
