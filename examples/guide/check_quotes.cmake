# Fails when the user guide no longer quotes one of the example programs whole, byte for byte.
#
# Expects: GUIDE (docs/guide.md), EXAMPLES (this folder).

file(READ "${GUIDE}" guide)
file(GLOB programs "${EXAMPLES}/*.cpp")
set(missing "")
foreach(program IN LISTS programs)
    file(READ "${program}" source)
    get_filename_component(name "${program}" NAME)
    string(FIND "${guide}" "```cpp\n${source}```" position)
    if(position EQUAL -1)
        list(APPEND missing "${name}")
    endif()
endforeach()
if(missing)
    message(FATAL_ERROR "docs/guide.md does not quote these programs as they are: ${missing}")
endif()
list(LENGTH programs count)
message(STATUS "the guide quotes all ${count} example programs")
