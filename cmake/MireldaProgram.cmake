# Shared compile settings and the one helper that defines a program of the application folder.

add_library(mirelda_warnings INTERFACE)
target_compile_options(mirelda_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                  -Wno-sign-conversion)

# mirelda_add_program(NAME SOURCES ... [LIBRARIES ...]): an executable placed in the application folder.
function(mirelda_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE mirelda_warnings ${ARG_LIBRARIES})
endfunction()
