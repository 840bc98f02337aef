list(APPEND MASCOT_CORE_SOURCES app/MascotState.cpp)
list(APPEND MASCOT_SHELL_SOURCES
  app/ShellState.cpp
  app/MascotWindow.cpp
  app/MascotWndProc.cpp
  app/WinMain.cpp)
