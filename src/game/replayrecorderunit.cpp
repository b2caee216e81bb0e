// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayrecorderunit.h"

#include "app/versionunit.h"
#include "game/gameunit.h"
#include "game/worlddigestunit.h"

#include <utility>
#include <vector>

void TReplayRecorder::Begin(uint32_t seed, uint8_t difficulty, std::string fieldDate) {
    FReplay = TReplay();
    FReplay.Version = GameVersion();
    FReplay.Build = BuildIdentity();
    FReplay.Seed = seed;
    FReplay.Difficulty = difficulty;
    FReplay.FieldDate = std::move(fieldDate);
    FSteps = 0;
    FRecording = true;
    FCut = false;
}

void TReplayRecorder::Step(const TBaseList& world, uint32_t milliseconds, uint8_t keys) {
    if (!FRecording || FCut) return;
    const std::vector<TReplayRun>& runs = FReplay.Runs;
    const bool extends =
        !runs.empty() && runs.back().Milliseconds == milliseconds && runs.back().Keys == keys;
    if (FSteps == MaxReplaySteps || (!extends && runs.size() == MaxReplayRuns)) {
        Cut(world);
        return;
    }
    AppendStep(FReplay.Runs, milliseconds, keys);
    ++FSteps;
}

void TReplayRecorder::LevelEnd(const TBaseList& world) {
    if (!FRecording || FCut) return;
    // Only the steps after it can tell a recorded level end from the next.
    if (FReplay.LevelEnds.size() == MaxReplayLevelEnds) {
        Cut(world);
        return;
    }
    FReplay.LevelEnds.push_back({FSteps, world.Level, WorldDigest(world)});
}

void TReplayRecorder::Close(TReplayEnd end, const TBaseList& world) {
    FReplay.End = end;
    FReplay.Level = world.Level;
    FReplay.Score = world.Score;
    FReplay.Health = world.Player != nullptr ? world.Player->Health : 0;
    FReplay.Digest = WorldDigest(world);
}

void TReplayRecorder::Cut(const TBaseList& world) {
    Close(TReplayEnd::Cut, world);
    FCut = true;
}

TReplay TReplayRecorder::Finish(TReplayEnd end, const TBaseList& world) {
    if (!FCut) Close(end, world);
    FRecording = false;
    FCut = false;
    return std::move(FReplay);
}
