// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Writes the demo pilot's games as replays, for checking them with "quelmark --replay FILE
// --check" and for measuring their size: pilot_replays DIR FIRST_SEED LAST_SEED [MINUTES].
// Each game runs until the pilot falls or MINUTES of play have passed (then it is quit),
// with the 16 and 17 ms frames of a 60 Hz display, on the play screen, which records it as in
// the game. Run it where media/ is: without the models' animations no blow lands, and the
// games would not be the game's.
#include "game/gameunit.h"
#include "game/pilotunit.h"
#include "support/playdriver.h"

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
    uint64_t allBytes = 0, allMilliseconds = 0;
    for (uint32_t seed = first; seed <= last; ++seed) {
        TPlayDriver game;
        game.Start(seed);
        if (!Animated(game.World())) {
            std::fprintf(stderr, "pilot_replays: the models have no animations; run it where "
                                 "media/ is\n");
            return 1;
        }
        uint64_t played = 0;
        for (uint64_t step = 0; played < minutes * 60000; ++step) {
            const uint32_t ms = step % 3 == 0 ? 16 : 17;
            played += ms;
            if (!game.Frame(ms, [&game] { SteerViking(game.World(), game.Keys); })) break;
        }
        game.Play->FinishGame(TReplayEnd::Quit);
        const std::string bytes = EncodeReplay(game.Games.back().first);
        std::ofstream(dir + "/seed-" + std::to_string(seed) + ".qrp", std::ios::binary) << bytes;
        std::printf("seed %u: level %d, score %d, %.1f s, %zu bytes, %.0f bytes per minute\n", seed,
                    game.World().Level, game.World().Score, played / 1000.0, bytes.size(),
                    bytes.size() * 60000.0 / static_cast<double>(played));
        allBytes += bytes.size();
        allMilliseconds += played;
    }
    std::printf("all: %.1f minutes, %llu bytes, %.0f bytes per minute\n", allMilliseconds / 60000.0,
                static_cast<unsigned long long>(allBytes), allBytes * 60000.0 / allMilliseconds);
    return 0;
}
