# Shared compile settings and the helpers that define the libraries and the programs of the application folder.

add_library(mirelda_warnings INTERFACE)
target_compile_options(mirelda_warnings INTERFACE -Wall -Wextra -Wpedantic -Wshadow -Wconversion
                                                  -Wno-sign-conversion)

# mirelda_add_program(NAME SOURCES ... [LIBRARIES ...]): an executable placed in the application folder.
function(mirelda_add_program name)
  cmake_parse_arguments(ARG "" "" "SOURCES;LIBRARIES" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE mirelda_warnings ${ARG_LIBRARIES})
endfunction()

# mirelda_add_library(NAME ALIAS SOURCES ... [PUBLIC ...] [PRIVATE ...]): a static library of the project.
# Every library includes by paths rooted at the repository ("brindel/exchange/point_file.h"), so a header's
# path says which library and layer it belongs to.
function(mirelda_add_library name alias)
  cmake_parse_arguments(ARG "" "" "SOURCES;PUBLIC;PRIVATE" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  add_library(${alias} ALIAS ${name})
  target_include_directories(${name} PUBLIC "${PROJECT_SOURCE_DIR}")
  target_link_libraries(${name} PUBLIC ${ARG_PUBLIC} PRIVATE mirelda_warnings ${ARG_PRIVATE})
endfunction()
