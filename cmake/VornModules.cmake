# Rules shared by every module of the program: everything is position independent and hidden by
# default; a plugin library exports exactly its six C entry points, links everything it uses and
# finds the platform library one folder up.

set(VORN_WARNINGS -Wall -Wextra -Wno-unused-parameter)
if(VORN_WERROR)
  list(APPEND VORN_WARNINGS -Werror)
endif()

# Every piece of code that goes into a module: position independent, hidden by default.
function(vorn_module_rules target)
  set_target_properties(${target} PROPERTIES
    POSITION_INDEPENDENT_CODE ON
    CXX_VISIBILITY_PRESET hidden
    C_VISIBILITY_PRESET hidden
    VISIBILITY_INLINES_HIDDEN ON)
  target_compile_options(${target} PRIVATE ${VORN_WARNINGS})
endfunction()

# Adds the sources of the calling folder (*.cpp; with RECURSE also those of its subfolders) to a target.
function(vorn_add_folder_sources target)
  cmake_parse_arguments(ARG "RECURSE" "" "" ${ARGN})
  if(ARG_RECURSE)
    file(GLOB_RECURSE folder_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  else()
    file(GLOB folder_sources CONFIGURE_DEPENDS "${CMAKE_CURRENT_SOURCE_DIR}/*.cpp")
  endif()
  if(folder_sources)
    target_sources(${target} PRIVATE ${folder_sources})
  endif()
endfunction()

# A plugin library: a shared object named <name>.plvd that exports exactly the six entry points,
# links everything it uses (--no-undefined) and finds the platform library one folder up.
function(vorn_plugin_library name output_dir)
  add_library(${name} MODULE ${ARGN})
  vorn_module_rules(${name})
  set_target_properties(${name} PROPERTIES
    PREFIX ""
    SUFFIX ".plvd"
    LIBRARY_OUTPUT_DIRECTORY "${output_dir}"
    BUILD_RPATH "$ORIGIN/..;$<TARGET_FILE_DIR:vornplatform>"
    LINK_DEPENDS "${CMAKE_SOURCE_DIR}/cmake/plugin-exports.map")
  target_link_options(${name} PRIVATE
    "LINKER:--no-undefined"
    "LINKER:--version-script=${CMAKE_SOURCE_DIR}/cmake/plugin-exports.map")
  target_link_libraries(${name} PRIVATE VornPlugins VornCore vornplatform)
endfunction()
