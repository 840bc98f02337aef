list(APPEND MASCOT_CORE_SOURCES
  settings/NumberText.cpp
  settings/SettingsRecord.cpp
  settings/SettingsFile.cpp)
# The file operations of a safe save: the core's only platform-specific
# part.
if(WIN32)
  list(APPEND MASCOT_CORE_SOURCES settings/FileReplaceWin32.cpp)
else()
  list(APPEND MASCOT_CORE_SOURCES settings/FileReplacePosix.cpp)
endif()
list(APPEND MASCOT_SHELL_SOURCES settings/OptionsDialog.cpp)
