// Behaviour state numbers; each is also the animation row that is drawn.
#pragma once

enum BehaviourState {
    WalkRight = 0,
    WalkLeft = 1,
    StandRight = 2,
    RiseRight = 3,
    FallRight = 4,
    LandRight = 5,
    StandLeft = 6,
    RiseLeft = 7,
    FallLeft = 8,
    LandLeft = 9,
    FlyRiseRight = 10,
    FlyDipRight = 11,
    FlyRestRight = 12,
    FlyRiseLeft = 13,
    FlyDipLeft = 14,
    FlyRestLeft = 15,
};
