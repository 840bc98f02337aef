list(APPEND MASCOT_CORE_SOURCES
  settings/NumberText.cpp
  settings/SettingsRecord.cpp
  settings/SettingsFile.cpp)
list(APPEND MASCOT_SHELL_SOURCES settings/OptionsDialog.cpp)
