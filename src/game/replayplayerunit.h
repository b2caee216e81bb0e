// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/replayformatunit.h"

#include <cstddef>
#include <cstdint>

class TBaseList;
class TKeyState;

// Plays a replay on a world, one step at a time, checking each digest on the way.
class TReplayPlayer {
public:
    enum class TResult { Playing, LevelCleared, Matches, Diverges };

    // Sets the replay's difficulty on world, seeds the generator and deals the first level.
    TReplayPlayer(const TReplay& replay, TBaseList& world, TKeyState& keys);

    // One recorded step (the next level is built when this one was cleared), or the end.
    TResult Step();
    bool Finished() const { return FDone; }
    // Time of the step Step() plays next; 0 at the end.
    uint32_t NextMilliseconds() const;
    // Steps played so far; at a divergence, the step after which it was found.
    uint64_t StepsDone() const { return FStepsDone; }
    // The level being played, or where the divergence was found.
    int32_t Level() const { return FLevel; }
    // Time of the last step played, in seconds, as play measured it.
    double LastDt() const { return FLastDt; }
    // Recorded milliseconds played on the current level.
    uint64_t LevelMilliseconds() const { return FLevelMilliseconds; }

private:
    TResult Diverged();
    TResult CheckEnd(bool lost);

    const TReplay& FReplay;
    TBaseList& FWorld;
    TKeyState& FKeys;
    size_t FRun = 0;
    uint32_t FInRun = 0;
    size_t FNextLevelEnd = 0;
    uint64_t FStepsDone = 0;
    uint64_t FLevelMilliseconds = 0;
    int32_t FLevel = 1;
    float FEndTimer = 0;
    double FLastDt = 0;
    bool FDone = false;
    TResult FResult = TResult::Playing;
};

// Plays the whole replay as fast as it can; Matches or Diverges.
TReplayPlayer::TResult CheckReplay(TReplayPlayer& player);
