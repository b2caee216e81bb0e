// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayrecorderunit.h"

#include "app/versionunit.h"
#include "game/gameunit.h"
#include "game/worlddigestunit.h"

void TReplayRecorder::Begin(uint32_t seed, uint8_t difficulty) {
    FReplay = TReplay();
    FReplay.Version = GameVersion();
    FReplay.Seed = seed;
    FReplay.Difficulty = difficulty;
    FRecording = true;
}

void TReplayRecorder::Step(uint32_t milliseconds, uint8_t keys) {
    if (FRecording) AppendStep(FReplay.Runs, milliseconds, keys);
}

void TReplayRecorder::LevelEnd(const TBaseList& world) {
    if (FRecording) FReplay.LevelEnds.push_back({FReplay.Steps(), world.Level, WorldDigest(world)});
}

TReplay TReplayRecorder::Finish(TReplayEnd end, const TBaseList& world) {
    FRecording = false;
    FReplay.End = end;
    FReplay.Level = world.Level;
    FReplay.Score = world.Score;
    FReplay.Health = world.Player != nullptr ? world.Player->Health : 0;
    FReplay.Digest = WorldDigest(world);
    return std::move(FReplay);
}
