list(APPEND MASCOT_CORE_SOURCES
  sprites/AnimationCatalogue.cpp
  sprites/BitmapCheck.cpp
  sprites/BitmapInfoCopy.cpp
  sprites/FrameChoice.cpp
  sprites/FrameReport.cpp
  sprites/SpritePath.cpp
  sprites/TextCopy.cpp)
list(APPEND MASCOT_SHELL_SOURCES
  sprites/SpriteDraw.cpp
  sprites/SpriteLoad.cpp
  sprites/AnimateState.cpp)
