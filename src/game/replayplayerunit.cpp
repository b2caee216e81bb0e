// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replayplayerunit.h"

#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "game/gameunit.h"
#include "game/worlddigestunit.h"
#include "math/randomunit.h"

TReplayPlayer::TReplayPlayer(const TReplay& replay, TBaseList& world, TKeyState& keys)
    : FReplay(replay), FWorld(world), FKeys(keys) {
    FWorld.Difficulty = static_cast<TDifficulty>(replay.Difficulty);
    RandomSeed(replay.Seed);
    FWorld.NewGame();
    FLevel = FWorld.Level;
}

uint32_t TReplayPlayer::NextMilliseconds() const {
    return FRun < FReplay.Runs.size() ? FReplay.Runs[FRun].Milliseconds : 0;
}

TReplayPlayer::TResult TReplayPlayer::Step() {
    if (FDone) return FResult;
    if (FRun >= FReplay.Runs.size()) return CheckEnd(false);
    const TReplayRun& run = FReplay.Runs[FRun];
    HoldPlayKeys(run.Keys, FKeys);
    FLastDt = StepSeconds(run.Milliseconds);
    const TLevelOutcome outcome = StepLevel(FWorld, FEndTimer, FLastDt);
    FLevelMilliseconds += run.Milliseconds;
    ++FStepsDone;
    if (++FInRun >= run.Count) {
        ++FRun;
        FInRun = 0;
    }
    const bool endedHere = FNextLevelEnd < FReplay.LevelEnds.size() &&
                           FReplay.LevelEnds[FNextLevelEnd].Step == FStepsDone;
    if (outcome == TLevelOutcome::Lost) return CheckEnd(true);
    if (outcome == TLevelOutcome::Cleared) {
        if (!endedHere || WorldDigest(FWorld) != FReplay.LevelEnds[FNextLevelEnd].Digest)
            return Diverged();
        ++FNextLevelEnd;
        FWorld.NewLevel();
        FEndTimer = 0;
        FLevel = FWorld.Level;
        FLevelMilliseconds = 0;
        return FRun < FReplay.Runs.size() ? TResult::LevelCleared : CheckEnd(false);
    }
    if (endedHere) return Diverged();
    return FRun < FReplay.Runs.size() ? TResult::Playing : CheckEnd(false);
}

TReplayPlayer::TResult TReplayPlayer::Diverged() {
    FDone = true;
    FLevel = FWorld.Level;
    FResult = TResult::Diverges;
    return FResult;
}

TReplayPlayer::TResult TReplayPlayer::CheckEnd(bool lost) {
    if (lost != (FReplay.End == TReplayEnd::Lost) || FRun < FReplay.Runs.size() ||
        FNextLevelEnd != FReplay.LevelEnds.size() || WorldDigest(FWorld) != FReplay.Digest)
        return Diverged();
    FDone = true;
    FResult = TResult::Matches;
    return FResult;
}

TReplayPlayer::TResult CheckReplay(TReplayPlayer& player) {
    for (;;) {
        const TReplayPlayer::TResult result = player.Step();
        if (result == TReplayPlayer::TResult::Matches || result == TReplayPlayer::TResult::Diverges)
            return result;
    }
}
