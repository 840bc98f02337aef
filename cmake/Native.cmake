# Native (Linux) build: the core with address and undefined-behaviour checks, its unit
# tests, the skin generator, and the Windows build as an external project.

option(MASCOT_SANITIZE "Build the native core, the skin generator and their tests with -fsanitize=address,undefined" ON)
option(MASCOT_BUILD_WINDOWS "Cross-build the Windows program and run its tests under Wine" ON)

add_library(mascot_core STATIC ${MASCOT_CORE_SOURCES})
target_include_directories(mascot_core PUBLIC ${CMAKE_SOURCE_DIR})
set(MASCOT_SANITIZER_FLAGS)
if(MASCOT_SANITIZE)
  set(MASCOT_SANITIZER_FLAGS -fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
endif()
target_compile_options(mascot_core PUBLIC ${MASCOT_SANITIZER_FLAGS})
target_link_options(mascot_core PUBLIC ${MASCOT_SANITIZER_FLAGS})

find_package(GTest REQUIRED)
include(GoogleTest)
add_subdirectory(tests/core)
add_subdirectory(tests/fuzz)

set(MASCOT_SKIN_OUTPUT_DIR "")
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/skinmaker/CMakeLists.txt)
  add_subdirectory(tools/skinmaker)
  if(EXISTS ${CMAKE_SOURCE_DIR}/tests/skins/CMakeLists.txt)
    add_subdirectory(tests/skins)
  endif()
  set(MASCOT_SKIN_OUTPUT_DIR ${CMAKE_BINARY_DIR}/skins)
endif()

if(EXISTS ${CMAKE_SOURCE_DIR}/tools/bench/CMakeLists.txt)
  add_subdirectory(tools/bench)
endif()

if(MASCOT_BUILD_WINDOWS)
  include(ExternalProject)
  set(windows_dir ${CMAKE_BINARY_DIR}/windows)
  set(skin_target)
  set(skinmaker_path)
  if(TARGET skins)
    set(skin_target skins skinmaker)
    set(skinmaker_path $<TARGET_FILE:skinmaker>)
  endif()
  set(paint_count_path)
  if(TARGET bench_paint_count)
    list(APPEND skin_target bench_paint_count)
    set(paint_count_path $<TARGET_FILE:bench_paint_count>)
  endif()
  ExternalProject_Add(mascot_windows
    SOURCE_DIR ${CMAKE_SOURCE_DIR}
    BINARY_DIR ${windows_dir}
    CMAKE_ARGS
      -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake
      -DCMAKE_BUILD_TYPE=Release
      -DMASCOT_SKIN_DIR=${MASCOT_SKIN_OUTPUT_DIR}
      -DMASCOT_SKINMAKER=${skinmaker_path}
      -DMASCOT_PAINT_COUNT=${paint_count_path}
      -DMASCOT_GOOGLETEST_DIR=${MASCOT_GOOGLETEST_DIR}
    BUILD_ALWAYS ON
    INSTALL_COMMAND ""
    # The run command configures the Windows build through this step and
    # then builds only the program there.
    STEP_TARGETS configure
    DEPENDS ${skin_target})
  # Configured on its own without the skins, the Windows build stops at
  # once and says what to pass.
  add_test(NAME windows_build_alone_says_what_it_needs
    COMMAND ${CMAKE_COMMAND} -S ${CMAKE_SOURCE_DIR} -B ${CMAKE_BINARY_DIR}/windows-alone
            -DCMAKE_TOOLCHAIN_FILE=${CMAKE_SOURCE_DIR}/cmake/mingw-w64-x86_64.cmake)
  set_tests_properties(windows_build_alone_says_what_it_needs PROPERTIES
    PASS_REGULAR_EXPRESSION "needs the generated skins and icons" TIMEOUT 60)
  # The Windows build's own CTest file joins this one, so one ctest run
  # executes the native tests and the tests under Wine.
  file(WRITE ${CMAKE_BINARY_DIR}/windows-tests.cmake "subdirs(\"${windows_dir}\")\n")
  set_property(DIRECTORY APPEND PROPERTY TEST_INCLUDE_FILES ${CMAKE_BINARY_DIR}/windows-tests.cmake)
endif()
