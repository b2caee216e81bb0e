// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The recorder at each of the file's limits: it stops there, and the file it writes is read.
#include "game/replayrecorderunit.h"

#include "game/gameunit.h"
#include "game/worlddigestunit.h"
#include "math/randomunit.h"

#include "support/gameworld.h"

#include <gtest/gtest.h>

namespace {

class RecorderAtTheLimits : public ::testing::Test {
protected:
    RecorderAtTheLimits() {
        RandomSeed(1);
        World->NewGame();
        Recorder.Begin(1, 0);
    }

    // The recording ended with the world (digest) as it was when the limit was met.
    void ExpectCut(uint64_t digest) {
        World->Score = 700; // the game goes on, unrecorded
        Recorder.Step(*World, 16, 0);
        Recorder.LevelEnd(*World);
        const TReplay replay = Recorder.Finish(TReplayEnd::Lost, *World);
        EXPECT_FALSE(Recorder.Recording());
        EXPECT_EQ(replay.End, TReplayEnd::Cut);
        EXPECT_EQ(replay.Score, 500);
        EXPECT_EQ(replay.Digest, digest);
        EXPECT_EQ(DecodeReplay(EncodeReplay(replay)), replay);
        Cut = replay;
    }

    TGlobalWorldScope Scope;
    std::unique_ptr<TBaseList> World = MakeHeadlessWorld();
    TReplayRecorder Recorder;
    TReplay Cut;
};

TEST_F(RecorderAtTheLimits, Steps) {
    for (uint64_t step = 0; step < MaxReplaySteps; ++step)
        Recorder.Step(*World, 16, rkUp);
    World->Score = 500;
    ASSERT_EQ(Recorder.Replay().Steps(), MaxReplaySteps);
    const uint64_t digest = WorldDigest(*World);
    Recorder.Step(*World, 16, rkUp);
    ExpectCut(digest);
    EXPECT_EQ(Cut.Steps(), MaxReplaySteps);
}

TEST_F(RecorderAtTheLimits, Runs) {
    for (size_t run = 0; run < MaxReplayRuns; ++run)
        Recorder.Step(*World, static_cast<uint32_t>(run % 2), 0);
    // A step like the last one still fits.
    Recorder.Step(*World, 1, 0);
    World->Score = 500;
    const uint64_t digest = WorldDigest(*World);
    Recorder.Step(*World, 0, 0);
    ExpectCut(digest);
    EXPECT_EQ(Cut.Runs.size(), MaxReplayRuns);
    EXPECT_EQ(Cut.Steps(), MaxReplayRuns + 1);
}

TEST_F(RecorderAtTheLimits, LevelEnds) {
    for (size_t level = 1; level <= MaxReplayLevelEnds; ++level) {
        Recorder.Step(*World, 16, 0);
        World->Level = static_cast<int32_t>(level);
        Recorder.LevelEnd(*World);
    }
    Recorder.Step(*World, 16, 0);
    World->Level = static_cast<int32_t>(MaxReplayLevelEnds) + 1;
    World->Score = 500;
    const uint64_t digest = WorldDigest(*World);
    Recorder.LevelEnd(*World);
    ExpectCut(digest);
    EXPECT_EQ(Cut.LevelEnds.size(), MaxReplayLevelEnds);
}

} // namespace
