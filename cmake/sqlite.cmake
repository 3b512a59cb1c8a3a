# SQLite, compiled into the core from the amalgamation that
# tools/fetch_sqlite.sh makes from Debian's source package, at the version in
# tools/sqlite_version. The amalgamation is looked for beside this build
# folder (build/sqlite-VERSION, as the set-up makes it) and in the source
# tree's build folder; where neither has it, it is made now, once.
file(STRINGS ${CMAKE_SOURCE_DIR}/tools/sqlite_version VELNOR_SQLITE_VERSION LIMIT_COUNT 1)
set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/tools/sqlite_version)
set(VELNOR_SQLITE_DIR "" CACHE PATH "A folder holding sqlite3.c and sqlite3.h (empty: found or made)")

function(velnor_sqlite_ready dir result)
  set(${result} FALSE PARENT_SCOPE)
  if(EXISTS ${dir}/sqlite3.c AND EXISTS ${dir}/sqlite3.h AND EXISTS ${dir}/VERSION)
    file(STRINGS ${dir}/VERSION made LIMIT_COUNT 1)
    if(made STREQUAL VELNOR_SQLITE_VERSION)
      set(${result} TRUE PARENT_SCOPE)
    endif()
  endif()
endfunction()

set(sqlite_dir ${VELNOR_SQLITE_DIR})
if(NOT sqlite_dir)
  get_filename_component(beside ${CMAKE_BINARY_DIR}/../sqlite-${VELNOR_SQLITE_VERSION} ABSOLUTE)
  foreach(candidate ${beside} ${CMAKE_SOURCE_DIR}/build/sqlite-${VELNOR_SQLITE_VERSION})
    velnor_sqlite_ready(${candidate} ready)
    if(ready)
      set(sqlite_dir ${candidate})
      break()
    endif()
  endforeach()
  if(NOT sqlite_dir)
    set(sqlite_dir ${beside})
    execute_process(COMMAND bash ${CMAKE_SOURCE_DIR}/tools/fetch_sqlite.sh ${sqlite_dir} RESULT_VARIABLE fetched)
    if(NOT fetched EQUAL 0)
      message(FATAL_ERROR "SQLite ${VELNOR_SQLITE_VERSION} could not be made; run bash tools/setup.sh")
    endif()
  endif()
endif()
velnor_sqlite_ready(${sqlite_dir} ready)
if(NOT ready)
  message(FATAL_ERROR "${sqlite_dir} holds no SQLite ${VELNOR_SQLITE_VERSION} amalgamation")
endif()

add_library(sqlite3 STATIC ${sqlite_dir}/sqlite3.c)
# Only the sources that use SQLite see its header, so that adding it changes
# no other file's compile line (and the compiler cache keeps serving them).
function(velnor_sqlite_sources)
  set_property(SOURCE ${ARGN} DIRECTORY ${CMAKE_SOURCE_DIR} APPEND PROPERTY INCLUDE_DIRECTORIES ${sqlite_dir})
endfunction()
target_compile_definitions(sqlite3 PRIVATE SQLITE_OMIT_LOAD_EXTENSION=1 SQLITE_DQS=0)
# SQLite's own code is not held to this project's warnings; on the host it
# runs under AddressSanitizer like everything else.
target_compile_options(sqlite3 PRIVATE -w)
# The host tests only open a few small databases: there SQLite is compiled
# unoptimised and without debug information, which takes a fraction of the time.
if(NOT WIN32)
  target_compile_options(sqlite3 PRIVATE -fno-sanitize=undefined -O0 -g0)
endif()
