// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The world's update per frame at levels 1, 10 and 100 (11, 38 and 308 entities; the
// collision pass is quadratic), as nanoseconds and as a share of a 60 Hz frame, with the heap
// allocations made by steady updates. No window, no audio device.
#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "game/gameunit.h"
#include "math/randomunit.h"

#include "allocationcounter.h"

#include <benchmark/benchmark.h>
#include <ctime>

namespace {

constexpr double FrameNs = 1e9 / 60;
constexpr float Dt = 1.0f / 60;
constexpr int FramesPerRound = 600; // ten seconds of play from a fresh level

// Every sound is silent and kept once asked for, like the file manager's cache.
class TSilentMediaManager : public TCachedMediaManager {
protected:
    std::unique_ptr<TMesh> LoadMesh(const std::string&) override { return nullptr; }
    std::unique_ptr<TTexture> LoadTexture(const std::string&) override { return nullptr; }
    std::unique_ptr<TSound> LoadSound(const std::string& name) override {
        auto sound = std::make_unique<TSound>();
        sound->SetName(name);
        return sound;
    }
};

// One bare node and the six entity animations, each with its blow at 60 % of the run.
std::unique_ptr<TRealTimeModel> BareModel() {
    TModel model;
    model.Poses.Add(std::make_unique<TPose>()).Name = "stand";
    for (int animation = 0; animation < 6; ++animation) {
        TAnimation& run = model.Animations.Add(std::make_unique<TAnimation>());
        for (int time : {0, 60, 100}) {
            TAnimationKey& key = run.Keys.Add(std::make_unique<TAnimationKey>());
            key.PoseName = "stand";
            key.Time = time;
            key.Trigger = time == 60;
        }
    }
    auto instance = std::make_unique<TRealTimeModel>();
    instance->Init(model);
    return instance;
}

// CPU time of this thread: on a shared machine the wall clock also counts other programs.
double ThreadCpuNs() {
    timespec now;
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return now.tv_sec * 1e9 + now.tv_nsec;
}

void BuildLevel(TBaseList& world, int level) {
    world.NewGame();
    world.Level = level - 1;
    world.NewLevel();
}

// The viking turns and swings all the time; the rams hunt it, the sheep wander.
void WorldUpdate(benchmark::State& state) {
    const int level = static_cast<int>(state.range(0));
    TKeyState keys;
    keys.Left = keys.Control = true;
    TSilentMediaManager media;
    Global.KeyState = &keys;
    Global.MediaManager = &media;
    RandomSeed(static_cast<uint32_t>(level));
    TBaseList world(BareModel(), BareModel(), BareModel(), BareModel());
    BuildLevel(world, level);
    // Steady state: every sound the world plays is in the cache.
    for (const char* name : {"swhoosh0", "hit0", "scream", "sheep", "rambite", "ramdie"})
        media.GetSound(name);

    long frames = 0;
    long allocations = 0;
    double ns = 0;
    long entities = 0;
    long buildAllocations = 0; // shows that the counter counts
    for (auto _ : state) {
        state.PauseTiming();
        long built = AllocationCount();
        BuildLevel(world, level);
        buildAllocations += AllocationCount() - built;
        entities += world.Count();
        state.ResumeTiming();
        long before = AllocationCount();
        double start = ThreadCpuNs();
        for (int i = 0; i < FramesPerRound; ++i)
            world.Update(Dt);
        ns += ThreadCpuNs() - start;
        allocations += AllocationCount() - before;
        frames += FramesPerRound;
    }
    Global.KeyState = nullptr;
    Global.MediaManager = nullptr;
    state.counters["entities"] = static_cast<double>(entities) / state.iterations();
    state.counters["ns_per_frame"] = ns / frames;
    state.counters["pct_of_60Hz_frame"] = ns / frames / FrameNs * 100;
    state.counters["allocs_per_update"] = static_cast<double>(allocations) / frames;
    state.counters["allocs_per_level_built"] =
        static_cast<double>(buildAllocations) / state.iterations();
}

BENCHMARK(WorldUpdate)
    ->Arg(1)
    ->Arg(10)
    ->Arg(100)
    ->Unit(benchmark::kMillisecond)
    ->MeasureProcessCPUTime();

} // namespace

BENCHMARK_MAIN();
