// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the replay reader: it must refuse them with a TReplayError or read
// a replay of bounded length that writes back to bytes reading as the same replay.
#include "game/replayformatunit.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TReplay replay;
    try {
        replay = DecodeReplay(std::string(reinterpret_cast<const char*>(data), size));
    } catch (const TReplayError&) {
        return 0;
    }
    if (replay.Steps() > MaxReplaySteps || replay.Runs.size() > MaxReplayRuns ||
        replay.LevelEnds.size() > MaxReplayLevelEnds)
        std::abort();
    for (size_t i = 1; i < replay.LevelEnds.size(); ++i)
        if (replay.LevelEnds[i].Step <= replay.LevelEnds[i - 1].Step ||
            replay.LevelEnds[i].Level <= replay.LevelEnds[i - 1].Level)
            std::abort();
    if (DecodeReplay(EncodeReplay(replay)) != replay) std::abort();
    return 0;
}
