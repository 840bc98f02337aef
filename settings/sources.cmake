list(APPEND MASCOT_CORE_SOURCES
  settings/NumberText.cpp
  settings/SettingsRecord.cpp
  settings/SettingsFile.cpp)
# The process id and the one-step replace of a save: the core's only
# platform-specific parts.
if(WIN32)
  list(APPEND MASCOT_CORE_SOURCES settings/FileReplaceWin32.cpp)
else()
  list(APPEND MASCOT_CORE_SOURCES settings/FileReplacePosix.cpp)
endif()
list(APPEND MASCOT_SHELL_SOURCES settings/OptionsDialog.cpp)
