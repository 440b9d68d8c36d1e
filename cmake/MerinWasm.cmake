# SPDX-License-Identifier: MIT
# What the WebAssembly build (emcmake cmake) does differently from the native one. Included by the
# top-level CMakeLists.txt when the compiler is Emscripten's.

# Exceptions are on: a view reports a picture that cannot be loaded by throwing PictureLoadError,
# which stops a handler at that step, ApplyMelody refuses a bad code by throwing, and the tests
# check both. Emscripten leaves them off by default, and a throw would then end the module.
add_compile_options(-fexceptions)
add_link_options(-fexceptions -sALLOW_MEMORY_GROWTH=1)

# Optimised across files at the link: the key-press conversion runs some 1.7 times as fast so
# (bench/README.md).
add_compile_options(-flto)
add_link_options(-flto)

# emcc's optimiser needs acorn, which Debian keeps where a Node of another origin does not look.
set(MERIN_NODE_PATH /usr/share/nodejs CACHE PATH "The folder of Node modules that holds acorn")
set(CMAKE_CXX_LINKER_LAUNCHER ${CMAKE_COMMAND} -E env NODE_PATH=${MERIN_NODE_PATH})

# Node runs the tests. emcmake names it with a flag that Node 20 refuses; and the loader would
# fetch() the .wasm by its path, which Node's fetch cannot, unless fetch is off.
find_program(MERIN_NODE NAMES node nodejs REQUIRED)
set(MERIN_NODE_COMMAND ${MERIN_NODE} --no-experimental-fetch)
set(CMAKE_CROSSCOMPILING_EMULATOR ${MERIN_NODE_COMMAND})

if(MERIN_BUILD_TESTS)
  # GoogleTest built from the sources of Debian's googletest package, which names its targets
  # GTest::gtest, GTest::gtest_main and GTest::gmock as an installed one does.
  set(MERIN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's sources")
  set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${MERIN_GOOGLETEST_SOURCE} googletest EXCLUDE_FROM_ALL)
  foreach(target gtest gtest_main gmock)
    target_compile_options(${target} PRIVATE -w)  # its own warnings are not ours to fix
  endforeach()
endif()

# The pictures and sounds come from the asset generator of a native build tree (built there
# when needed), copied into this build's program folder, the pictures as PNG for a page.
set(MERIN_NATIVE_BUILD ${PROJECT_SOURCE_DIR}/build CACHE PATH
    "The native build tree whose asset generator draws the pictures and sounds")
find_program(MERIN_CONVERT convert REQUIRED)
include(ExternalProject)
ExternalProject_Add(native_assets
  SOURCE_DIR ${PROJECT_SOURCE_DIR}
  BINARY_DIR ${MERIN_NATIVE_BUILD}
  # A tree of its own is configured once, with Ninja; an existing one is built as it is.
  CONFIGURE_COMMAND ${CMAKE_COMMAND} -E env --unset=CC --unset=CXX CMAKE_GENERATOR=Ninja
                    ${CMAKE_COMMAND} -S <SOURCE_DIR> -B <BINARY_DIR>
  BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target assets
  BUILD_ALWAYS ON
  INSTALL_COMMAND ""
  BUILD_BYPRODUCTS ${MERIN_NATIVE_BUILD}/program-files.txt)
set(list ${CMAKE_BINARY_DIR}/program-files.txt)
add_custom_command(
  OUTPUT ${list}
  COMMAND ${CMAKE_COMMAND} -DFROM=${MERIN_NATIVE_BUILD}/bin -DTO=${MERIN_PROGRAM_DIR}
          -DLIST=${MERIN_NATIVE_BUILD}/program-files.txt -DOUT=${list} -DCONVERT=${MERIN_CONVERT}
          -P ${PROJECT_SOURCE_DIR}/cmake/CopyProgramFiles.cmake
  DEPENDS native_assets ${MERIN_NATIVE_BUILD}/program-files.txt
          ${PROJECT_SOURCE_DIR}/cmake/CopyProgramFiles.cmake
  COMMENT "Copying the pictures and sounds of the native build"
  VERBATIM)
add_custom_target(assets ALL DEPENDS ${list})
set_target_properties(assets PROPERTIES PROGRAM_FILES_LIST ${list})
