# SPDX-License-Identifier: MIT
# merin_library(NAME name SOURCES file... [LINKS target...] [PRIVATE_LINKS target...])
#
# One library of src/: the static library merin_<name>, also called merin::<name>, built from the
# SOURCES of the calling folder. Its headers are included as "<name>/header.h": the library
# exposes an include root of its own in the build tree, <build>/include/<name>, whose only entry
# is a link <name> to the library's source folder. A target therefore sees the headers of the
# libraries it links (LINKS are public and pass on) and of no other.
function(merin_library)
  cmake_parse_arguments(L "" "NAME" "SOURCES;LINKS;PRIVATE_LINKS" ${ARGN})
  if(NOT L_NAME OR NOT L_SOURCES OR L_UNPARSED_ARGUMENTS)
    message(FATAL_ERROR "merin_library: NAME and SOURCES are needed; unknown: ${L_UNPARSED_ARGUMENTS}")
  endif()
  set(target merin_${L_NAME})
  add_library(${target} STATIC ${L_SOURCES})
  add_library(merin::${L_NAME} ALIAS ${target})
  set(root ${CMAKE_BINARY_DIR}/include/${L_NAME})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${CMAKE_CURRENT_SOURCE_DIR} ${root}/${L_NAME} SYMBOLIC)
  target_include_directories(${target} PUBLIC ${root})
  target_link_libraries(${target} PUBLIC ${L_LINKS} PRIVATE ${L_PRIVATE_LINKS})
endfunction()
