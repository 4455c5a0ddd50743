# SPDX-License-Identifier: MIT
# Fails when a source, header, CMake or script file of the project lacks its licence line (in its
# first two lines, so that a script's shebang may come first).
#
# Expects: SOURCE_DIR (the project's top folder).

file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}"
    "${SOURCE_DIR}/ui/*" "${SOURCE_DIR}/tests/*" "${SOURCE_DIR}/examples/*" "${SOURCE_DIR}/bench/*"
    "${SOURCE_DIR}/cmake/*" "${SOURCE_DIR}/docs/*" "${SOURCE_DIR}/scripts/*" "${SOURCE_DIR}/.ci/*")
list(APPEND files CMakeLists.txt)
set(missing "")
foreach(file IN LISTS files)
    if(file MATCHES "/corpus/")
        continue()
    endif()
    if(NOT file MATCHES "(\\.(cpp|h|cmake|in|py|supp)|CMakeLists\\.txt)$" AND NOT file MATCHES "^(scripts|\\.ci)/")
        continue()
    endif()
    file(STRINGS "${SOURCE_DIR}/${file}" head LIMIT_COUNT 2)
    if(NOT head MATCHES "SPDX-License-Identifier: MIT")
        list(APPEND missing "${file}")
    endif()
endforeach()
if(missing)
    list(JOIN missing "\n  " listed)
    message(FATAL_ERROR "These files lack the line 'SPDX-License-Identifier: MIT':\n  ${listed}")
endif()
list(LENGTH files count)
message(STATUS "every one of the ${count} files carries its licence line")
