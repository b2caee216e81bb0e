// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "game/replayformatunit.h"

#include <cstdint>
#include <string>

class TBaseList;

// Writes down a game as it is played.
class TReplayRecorder {
public:
    // A new game dealt from seed under the rules of difficulty, on the field of that date
    // when one is given; what was recorded before is dropped.
    void Begin(uint32_t seed, uint8_t difficulty, std::string fieldDate = "");
    // One world step of the given time with these keys held, about to be taken on world.
    // A step beyond the file's limits cuts the recording there instead: the replay ends with
    // the world as it is, and the game plays on unrecorded.
    void Step(const TBaseList& world, uint32_t milliseconds, uint8_t keys);
    // The world has just been decided cleared, before the next level is built.
    void LevelEnd(const TBaseList& world);
    // The game ends here (or ended where the recording was cut); the recording is handed over
    // and recording stops.
    TReplay Finish(TReplayEnd end, const TBaseList& world);
    bool Recording() const { return FRecording; }
    const TReplay& Replay() const { return FReplay; }

private:
    void Close(TReplayEnd end, const TBaseList& world);
    void Cut(const TBaseList& world);

    bool FRecording = false;
    bool FCut = false;
    uint64_t FSteps = 0;
    TReplay FReplay;
};
