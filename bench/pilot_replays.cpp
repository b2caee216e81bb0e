// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the demo pilot's games as replays, for checking them with "quelmark --replay FILE
// --check" and for measuring their size: pilot_replays DIR FIRST_SEED LAST_SEED [MINUTES].
// Each game runs until the pilot falls or MINUTES of play have passed (then it is quit),
// with the 16 and 17 ms frames of a 60 Hz display. Run it where media/ is.
#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "game/gameunit.h"
#include "game/pilotunit.h"
#include "game/replayplayerunit.h"
#include "game/replayrecorderunit.h"
#include "math/randomunit.h"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: pilot_replays DIR FIRST_SEED LAST_SEED [MINUTES]\n");
        return 1;
    }
    const std::string dir = argv[1];
    const auto first = static_cast<uint32_t>(std::strtoul(argv[2], nullptr, 10));
    const auto last = static_cast<uint32_t>(std::strtoul(argv[3], nullptr, 10));
    const double minutes = argc > 4 ? std::strtod(argv[4], nullptr) : 30;
    TKeyState keys;
    Global.KeyState = &keys;
    TBaseList world;
    uint64_t allBytes = 0, allMilliseconds = 0;
    for (uint32_t seed = first; seed <= last; ++seed) {
        TReplayRecorder recorder;
        recorder.Begin(seed, 0);
        RandomSeed(seed);
        world.NewGame();
        float endTimer = 0;
        uint64_t played = 0;
        TReplayEnd end = TReplayEnd::Quit;
        for (uint64_t step = 0; played < minutes * 60000; ++step) {
            SteerViking(world, keys);
            const uint32_t ms = step % 3 == 0 ? 16 : 17;
            recorder.Step(world, ms, HeldPlayKeys(keys));
            played += ms;
            const TLevelOutcome outcome = StepLevel(world, endTimer, ms / 1000.0);
            if (outcome == TLevelOutcome::Lost) {
                end = TReplayEnd::Lost;
                break;
            }
            if (outcome == TLevelOutcome::Cleared) {
                recorder.LevelEnd(world);
                world.NewLevel();
                endTimer = 0;
            }
        }
        const std::string bytes = EncodeReplay(recorder.Finish(end, world));
        std::ofstream(dir + "/seed-" + std::to_string(seed) + ".qrp", std::ios::binary) << bytes;
        std::printf("seed %u: level %d, score %d, %.1f s, %zu bytes, %.0f bytes per minute\n", seed,
                    world.Level, world.Score, played / 1000.0, bytes.size(),
                    bytes.size() * 60000.0 / static_cast<double>(played));
        allBytes += bytes.size();
        allMilliseconds += played;
    }
    std::printf("all: %.1f minutes, %llu bytes, %.0f bytes per minute\n", allMilliseconds / 60000.0,
                static_cast<unsigned long long>(allBytes), allBytes * 60000.0 / allMilliseconds);
    return 0;
}
