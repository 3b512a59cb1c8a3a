# The version stands in the VERSION file alone ("1.13"). This makes from it
# velnor_version.h in GENERATED_DIR, the header that the program and its
# resources read, and sets VELNOR_VERSION, VELNOR_VERSION_QUAD ("1.13.0.0")
# and VELNOR_VERSION_NUMBERS (1,13,0,0) for the includer. CMakeLists.txt
# includes it; a script that builds without CMake runs it on its own:
#   cmake -DGENERATED_DIR=dir -P cmake/version.cmake
get_filename_component(velnor_source_dir ${CMAKE_CURRENT_LIST_DIR}/.. ABSOLUTE)
file(STRINGS ${velnor_source_dir}/VERSION VELNOR_VERSION LIMIT_COUNT 1)
string(REPLACE "." ";" version_parts "${VELNOR_VERSION}")
list(LENGTH version_parts version_count)
while(version_count LESS 4)
  list(APPEND version_parts 0)
  math(EXPR version_count "${version_count} + 1")
endwhile()
string(REPLACE ";" "." VELNOR_VERSION_QUAD "${version_parts}")
string(REPLACE ";" "," VELNOR_VERSION_NUMBERS "${version_parts}")
configure_file(${velnor_source_dir}/res/velnor_version.h.in ${GENERATED_DIR}/velnor_version.h @ONLY)
