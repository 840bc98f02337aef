#pragma once

// One step of the behaviour state machine on the program-wide mascot state:
// decides what the mascot does relative to its target and moves it one step.
void BehaviourStep();
