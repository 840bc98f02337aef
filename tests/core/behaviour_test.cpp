#include <gtest/gtest.h>
#include "app/MascotState.h"
#include "behaviour/BehaviourStep.h"
TEST(Smoke, Walks) { ResetMascotState(); mascot.targetX = 1000; BehaviourStep(); EXPECT_EQ(mascot.posX, 4); }
