# SPDX-License-Identifier: MIT
# velmora_shared_library(<target> DESCRIPTION <text> HEADERS <public headers>
#                        SOURCES <other sources> QT_MODULES <Core Gui ...>
#                        [USER_GCC_OPTIONS <options>...])
#
# One of the project's shared libraries: the <target>::<target> alias, a generated export header
# <target>/<target>_export.h, `ui/` as the include root, hidden symbols, the project's warnings,
# and installation as a package (below). USER_GCC_OPTIONS reach every user's compilation when
# the compiler is g++, through the exported target and the pkg-config Cflags.
function(velmora_shared_library target)
    cmake_parse_arguments(ARG "" "DESCRIPTION" "HEADERS;SOURCES;QT_MODULES;USER_GCC_OPTIONS" ${ARGN})
    add_library(${target} SHARED ${ARG_HEADERS} ${ARG_SOURCES})
    add_library(${target}::${target} ALIAS ${target})

    generate_export_header(${target}
        EXPORT_FILE_NAME ${CMAKE_CURRENT_BINARY_DIR}/include/${target}/${target}_export.h)
    target_include_directories(${target} PUBLIC
        $<BUILD_INTERFACE:${PROJECT_SOURCE_DIR}/ui>
        $<BUILD_INTERFACE:${CMAKE_CURRENT_BINARY_DIR}/include>
        $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
    list(TRANSFORM ARG_QT_MODULES PREPEND "Qt6::" OUTPUT_VARIABLE qt_targets)
    target_link_libraries(${target}
        PUBLIC ${qt_targets}
        PRIVATE $<BUILD_INTERFACE:velmora_warnings>)
    if(ARG_USER_GCC_OPTIONS)
        target_compile_options(${target} INTERFACE $<$<CXX_COMPILER_ID:GNU>:${ARG_USER_GCC_OPTIONS}>)
    endif()
    set_target_properties(${target} PROPERTIES
        VERSION ${PROJECT_VERSION}
        SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR}
        EXPORT_NAME ${target})

    # The API documentation covers exactly the headers that are installed.
    list(TRANSFORM ARG_HEADERS PREPEND "${CMAKE_CURRENT_SOURCE_DIR}/" OUTPUT_VARIABLE header_paths)
    set_property(GLOBAL APPEND PROPERTY VELMORA_PUBLIC_HEADERS ${header_paths})

    velmora_install_package(${target}
        DESCRIPTION "${ARG_DESCRIPTION}"
        HEADERS ${ARG_HEADERS}
        QT_MODULES ${ARG_QT_MODULES}
        CFLAGS ${ARG_USER_GCC_OPTIONS})
endfunction()

# velmora_install_package(<target> DESCRIPTION <text> HEADERS <headers>... QT_MODULES <modules>...
#                         [CFLAGS <flags>...])
#
# Installs a library target with its public headers, an exported CMake package
# (<target>-config.cmake, version file, targets file in the <target>:: namespace),
# a pkg-config file, whose Cflags carry CFLAGS after the include path, and the licence
# (share/doc/<target>/LICENSE). Both libraries of the project go through this one path.
function(velmora_install_package target)
    cmake_parse_arguments(ARG "" "DESCRIPTION" "HEADERS;QT_MODULES;CFLAGS" ${ARGN})

    install(TARGETS ${target} EXPORT ${target}-targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
        ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
        RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
        INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
    install(FILES ${ARG_HEADERS}
        ${CMAKE_CURRENT_BINARY_DIR}/include/${target}/${target}_export.h
        DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/${target})

    set(cmake_dir ${CMAKE_INSTALL_LIBDIR}/cmake/${target})
    install(EXPORT ${target}-targets NAMESPACE ${target}:: DESTINATION ${cmake_dir})
    install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/${target})

    set(PACKAGE_TARGET ${target})
    list(JOIN ARG_QT_MODULES " " PACKAGE_QT_MODULES)
    configure_package_config_file(${PROJECT_SOURCE_DIR}/cmake/package-config.cmake.in
        ${CMAKE_CURRENT_BINARY_DIR}/${target}-config.cmake
        INSTALL_DESTINATION ${cmake_dir})
    write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/${target}-config-version.cmake
        VERSION ${PROJECT_VERSION} COMPATIBILITY SameMinorVersion)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${target}-config.cmake
                  ${CMAKE_CURRENT_BINARY_DIR}/${target}-config-version.cmake
            DESTINATION ${cmake_dir})

    # The prefix is found from the .pc file's own place, so an installed tree can be moved.
    file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
    string(REGEX REPLACE "/$" "" PC_PREFIX_FROM_PCDIR "${PC_PREFIX_FROM_PCDIR}")
    set(PC_NAME ${target})
    set(PC_DESCRIPTION "${ARG_DESCRIPTION}")
    list(TRANSFORM ARG_QT_MODULES PREPEND "Qt6" OUTPUT_VARIABLE pc_requires)
    list(JOIN pc_requires " " PC_REQUIRES)
    set(PC_CFLAGS "")
    foreach(flag IN LISTS ARG_CFLAGS)
        string(APPEND PC_CFLAGS " ${flag}")
    endforeach()
    configure_file(${PROJECT_SOURCE_DIR}/cmake/package.pc.in
        ${CMAKE_CURRENT_BINARY_DIR}/${target}.pc @ONLY)
    install(FILES ${CMAKE_CURRENT_BINARY_DIR}/${target}.pc
        DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
endfunction()
