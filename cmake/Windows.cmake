# Windows build (mingw-w64): the program, its tests run through Wine, and
# the zip package.

set(MASCOT_SKIN_DIR "" CACHE PATH "Folder holding the generated skins a/ to d/ and icons/")

# A bare Windows has no mingw runtime DLLs: link everything statically.
set(mascot_static_link -static -static-libgcc -static-libstdc++)

add_library(mascot_core STATIC ${MASCOT_CORE_SOURCES})
target_include_directories(mascot_core PUBLIC ${CMAKE_SOURCE_DIR})
# The random names of a save's new files.
target_link_libraries(mascot_core PUBLIC advapi32)

# The shell without WinMain, so test programs can drive the real window
# procedure, drawing and dialog.
list(FILTER MASCOT_SHELL_SOURCES EXCLUDE REGEX "/WinMain\\.cpp$")
add_library(mascot_shell STATIC ${MASCOT_SHELL_SOURCES})
target_link_libraries(mascot_shell PUBLIC mascot_core gdi32 user32)
target_compile_definitions(mascot_shell PUBLIC WIN32_LEAN_AND_MEAN NOMINMAX)

set(icon_dir ${CMAKE_SOURCE_DIR}/res)
if(MASCOT_SKIN_DIR AND EXISTS ${MASCOT_SKIN_DIR}/icons/mascot107.ico)
  set(icon_dir ${MASCOT_SKIN_DIR}/icons)
endif()
add_executable(pelmo WIN32 app/WinMain.cpp res/pelmo.rc)
target_link_libraries(pelmo PRIVATE mascot_shell)
target_link_options(pelmo PRIVATE ${mascot_static_link})
target_include_directories(pelmo PRIVATE ${CMAKE_SOURCE_DIR})
set_source_files_properties(res/pelmo.rc PROPERTIES OBJECT_DEPENDS "${icon_dir}/mascot107.ico;${icon_dir}/mascot108.ico")
set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -c 65001 -I${icon_dir}")

# The resource file is also linked into test programs that need dialog 103.
add_library(mascot_resources OBJECT res/pelmo.rc)

# Skins go beside the program so it runs from its own folder.
if(MASCOT_SKIN_DIR AND EXISTS ${MASCOT_SKIN_DIR})
  foreach(skin a b c d)
    add_custom_command(TARGET pelmo POST_BUILD
      COMMAND ${CMAKE_COMMAND} -E copy_directory ${MASCOT_SKIN_DIR}/${skin} $<TARGET_FILE_DIR:pelmo>/${skin})
    install(DIRECTORY ${MASCOT_SKIN_DIR}/${skin} DESTINATION .)
  endforeach()
endif()
install(TARGETS pelmo RUNTIME DESTINATION .)

set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME Pelmo)
set(CPACK_PACKAGE_FILE_NAME Pelmo-${PROJECT_VERSION}-win64)
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY ON)
include(CPack)

add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
add_subdirectory(tests/win32)
add_subdirectory(tests/e2e)
if(EXISTS ${CMAKE_SOURCE_DIR}/tools/bench/win/CMakeLists.txt)
  add_subdirectory(tools/bench/win)
endif()
