# SPDX-License-Identifier: MIT
# Fails when a page (the user guide, the README) no longer quotes one of the example programs of
# a folder whole, byte for byte, or, given CMAKE_SOURCES, the lines that each of those CMake
# files marks for quoting: those between a line "# >>> quoted in docs/guide.md" and a line
# "# <<<", quoted as one cmake block.
#
# Expects: GUIDE (the page), EXAMPLES (the folder of programs); optionally CMAKE_SOURCES (a
# list of CMake files).

file(READ "${GUIDE}" guide)
file(GLOB programs "${EXAMPLES}/*.cpp")
set(missing "")
foreach(program IN LISTS programs)
    file(READ "${program}" source)
    # The licence line heads every file; the pages quote the program from the line after it.
    string(REGEX REPLACE "^// SPDX-License-Identifier: MIT\n" "" source "${source}")
    get_filename_component(name "${program}" NAME)
    string(FIND "${guide}" "```cpp\n${source}```" position)
    if(position EQUAL -1)
        list(APPEND missing "${name}")
    endif()
endforeach()
foreach(listfile IN LISTS CMAKE_SOURCES)
    file(READ "${listfile}" source)
    string(FIND "${source}" "# >>> quoted in docs/guide.md\n" begin)
    string(FIND "${source}" "# <<<\n" end)
    if(begin EQUAL -1 OR end LESS begin)
        message(FATAL_ERROR "${listfile} marks no lines to quote")
    endif()
    math(EXPR begin "${begin} + 30")
    math(EXPR length "${end} - ${begin}")
    string(SUBSTRING "${source}" ${begin} ${length} lines)
    string(FIND "${guide}" "```cmake\n${lines}```" position)
    if(position EQUAL -1)
        list(APPEND missing "${listfile}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "${GUIDE} does not quote these files as they are: ${missing}")
endif()
list(LENGTH programs count)
message(STATUS "${GUIDE} quotes all ${count} example programs")
