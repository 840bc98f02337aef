list(APPEND MASCOT_CORE_SOURCES
  behaviour/BehaviourStep.cpp
  behaviour/RandomGenerator.cpp
  behaviour/WanderDecide.cpp)
list(APPEND MASCOT_SHELL_SOURCES behaviour/WanderTick.cpp)
