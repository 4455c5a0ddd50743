# SPDX-License-Identifier: MIT
# Installs the project into a fresh prefix, then builds and runs an outside project against it,
# once through find_package and once with the flags pkg-config reports, and checks that each
# package carries the licence.
#
# Expects: BUILD_DIR (the project's build tree), SOURCE_DIR (this folder), WORK_DIR (scratch),
# VERSION (the project's version, which both packages must report), INJECT_TARGET (a program
# that links neither library).

file(REMOVE_RECURSE "${WORK_DIR}")
set(prefix "${WORK_DIR}/prefix")

function(run_step)
    execute_process(COMMAND ${ARGV} RESULT_VARIABLE result)
    if(NOT result EQUAL 0)
        list(JOIN ARGV " " command)
        message(FATAL_ERROR "failed (${result}): ${command}")
    endif()
endfunction()

run_step("${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}")

# Each package carries the licence, as its own copy of the project's file.
file(READ "${SOURCE_DIR}/../../LICENSE" license)
foreach(package velmora tarnwickview)
    set(installed "${prefix}/share/doc/${package}/LICENSE")
    if(NOT EXISTS "${installed}")
        message(FATAL_ERROR "${package} installs no licence at ${installed}")
    endif()
    file(READ "${installed}" installed_license)
    if(NOT installed_license STREQUAL license)
        message(FATAL_ERROR "${installed} differs from the project's LICENSE")
    endif()
    file(GLOB pc_file "${prefix}/lib*/pkgconfig/${package}.pc" "${prefix}/lib/*/pkgconfig/${package}.pc")
    file(STRINGS "${pc_file}" pc_license REGEX "^License: ")
    if(NOT pc_license STREQUAL "License: MIT")
        message(FATAL_ERROR "${pc_file} declares '${pc_license}', expected 'License: MIT'")
    endif()
endforeach()

run_step("${CMAKE_COMMAND}" -S "${SOURCE_DIR}" -B "${WORK_DIR}/build" -G Ninja
         "-DCMAKE_PREFIX_PATH=${prefix}" "-DEXPECTED_VERSION=${VERSION}")
run_step("${CMAKE_COMMAND}" --build "${WORK_DIR}/build")
run_step("${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
         "LD_LIBRARY_PATH=${prefix}/lib:${prefix}/lib64:${prefix}/lib/x86_64-linux-gnu"
         "${WORK_DIR}/build/app")

find_program(PKG_CONFIG pkg-config REQUIRED)
file(GLOB pc_dirs "${prefix}/lib*/pkgconfig" "${prefix}/lib/*/pkgconfig")
list(JOIN pc_dirs ":" pc_path)
set(ENV{PKG_CONFIG_PATH} "${pc_path}")
execute_process(COMMAND "${PKG_CONFIG}" --cflags --libs velmora tarnwickview
                OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE RESULT_VARIABLE result)
if(NOT result EQUAL 0)
    message(FATAL_ERROR "pkg-config does not know velmora or tarnwickview (PKG_CONFIG_PATH=${pc_path})")
endif()
separate_arguments(flags UNIX_COMMAND "${flags}")
foreach(package velmora tarnwickview)
    execute_process(COMMAND "${PKG_CONFIG}" --modversion ${package}
                    OUTPUT_VARIABLE pc_version OUTPUT_STRIP_TRAILING_WHITESPACE)
    if(NOT pc_version STREQUAL VERSION)
        message(FATAL_ERROR "pkg-config reports ${package} '${pc_version}', expected '${VERSION}'")
    endif()
endforeach()
find_program(CXX NAMES c++ g++ REQUIRED)
# The warnings a user would turn on come first; the Cflags must quiet the one the options records
# would otherwise raise with g++.
run_step("${CXX}" -std=c++20 -fPIC -Wall -Wextra -Wpedantic -Werror "${SOURCE_DIR}/pkgconfig.cpp" ${flags}
         -o "${WORK_DIR}/pkgconfig")
run_step("${CMAKE_COMMAND}" -E env QT_QPA_PLATFORM=offscreen
         "LD_LIBRARY_PATH=${prefix}/lib:${prefix}/lib64:${prefix}/lib/x86_64-linux-gnu"
         "${WORK_DIR}/pkgconfig")

# The installed preload module finds libtarnwickview beside itself, with no search path set: the
# program it is loaded into links neither library.
file(GLOB inject_module "${prefix}/lib*/libtarnwickview-inject.so"
                        "${prefix}/lib/*/libtarnwickview-inject.so")
if(NOT inject_module)
    message(FATAL_ERROR "libtarnwickview-inject.so is not installed under ${prefix}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=LD_LIBRARY_PATH QT_QPA_PLATFORM=offscreen
                        "LD_PRELOAD=${inject_module}" "TARNWICKVIEW_TREE=${WORK_DIR}/arbres.txt"
                        "${INJECT_TARGET}"
                RESULT_VARIABLE result ERROR_VARIABLE errors)
file(READ "${WORK_DIR}/arbres.txt" trees LIMIT 8)
if(NOT result EQUAL 0 OR NOT errors MATCHES "tarnwickview: inspecteur injecté actif"
   OR NOT trees STREQUAL "QWidget\n")
    message(FATAL_ERROR "the installed preload module did not take (${result}):\n${errors}")
endif()

message(STATUS "find_package and pkg-config consumers built and ran")
