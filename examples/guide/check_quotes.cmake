# SPDX-License-Identifier: MIT
# Fails when a page (the user guide, the README) no longer quotes one of the example programs of
# a folder whole, byte for byte.
#
# Expects: GUIDE (the page), EXAMPLES (the folder of programs).

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
if(missing)
    message(FATAL_ERROR "${GUIDE} does not quote these programs as they are: ${missing}")
endif()
list(LENGTH programs count)
message(STATUS "${GUIDE} quotes all ${count} example programs")
