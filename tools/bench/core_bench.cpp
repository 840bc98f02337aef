// Cost of one tick of the platform-free core: the wander decision on the
// program-wide state, the state machine step alone and the frame choice.
// Not a test: it prints timings only.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "app/MascotState.h"
#include "behaviour/BehaviourStep.h"
#include "behaviour/RandomGenerator.h"
#include "behaviour/WanderDecide.h"
#include "settings/SettingsRecord.h"
#include "sprites/AnimationCatalogue.h"
#include "sprites/FrameChoice.h"

namespace {

// The virtual display's size; with no settings the range is the screen.
const int32_t ScreenW = 1280, ScreenH = 1024;
// A cursor that never rests on the mascot, so every tick takes the moving path.
const int32_t FarAway = -100000;
// A power of two, so the replay index wraps with a mask.
const size_t RecordedTicks = 1 << 14;

void StartLikeTheProgram()
{
    ResetMascotState();
    settings = SettingsRecord{};
    SeedRandom(12345);
    FillAnimationCatalogue();
    mascot.posX = 500;
    mascot.posY = 500;
}

// States met while wandering, so the step alone is measured over the
// states the program really goes through, not one state repeated.
std::vector<MascotState> RecordWander()
{
    StartLikeTheProgram();
    std::vector<MascotState> states(RecordedTicks);
    for (size_t i = 0; i < RecordedTicks; ++i) {
        WanderDecide(FarAway, FarAway, ScreenW, ScreenH);
        states[i] = mascot;
    }
    return states;
}

void BM_WanderDecide(benchmark::State& st)
{
    StartLikeTheProgram();
    for (auto _ : st) {
        WanderOutcome outcome = WanderDecide(FarAway, FarAway, ScreenW, ScreenH);
        benchmark::DoNotOptimize(outcome);
        benchmark::ClobberMemory();
    }
}

// The cost of the replay itself, to subtract from the step below.
void BM_StateCopyOnly(benchmark::State& st)
{
    const std::vector<MascotState> states = RecordWander();
    size_t i = 0;
    for (auto _ : st) {
        mascot = states[i++ & (RecordedTicks - 1)];
        benchmark::ClobberMemory();
    }
}

void BM_BehaviourStep(benchmark::State& st)
{
    const std::vector<MascotState> states = RecordWander();
    size_t i = 0;
    for (auto _ : st) {
        mascot = states[i++ & (RecordedTicks - 1)];
        BehaviourStep();
        benchmark::ClobberMemory();
    }
}

void BM_ChooseFrame(benchmark::State& st)
{
    const std::vector<MascotState> states = RecordWander();
    StartLikeTheProgram();
    size_t i = 0;
    for (auto _ : st) {
        const int32_t row = states[i++ & (RecordedTicks - 1)].state;
        FrameChoice choice = ChooseFrame(row);
        benchmark::DoNotOptimize(choice);
        benchmark::ClobberMemory();
    }
}

}  // namespace

BENCHMARK(BM_WanderDecide);
BENCHMARK(BM_StateCopyOnly);
BENCHMARK(BM_BehaviourStep);
BENCHMARK(BM_ChooseFrame);

BENCHMARK_MAIN();
