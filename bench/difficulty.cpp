// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How hard each difficulty is, measured by two pilots playing whole games headless: the
// demo's pilot (the expert) and the novice. difficulty [SEEDS] [MINUTES]: seeds 1..SEEDS
// (200) per difficulty and pilot, each game until it is lost or MINUTES (10) of play have
// passed, with the 16 and 17 ms frames of a 60 Hz display. Run it where media/ is.
#include "app/keyboardunit.h"
#include "app/stateunit.h"
#include "game/gameunit.h"
#include "game/pilotunit.h"
#include "math/randomunit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct TGame {
    bool ClearedFirst = false;
    bool ReachedThird = false;
    double FirstLevelAlive = 0; // seconds
    int32_t Score = 0;
};

TGame Play(TBaseList& world, TKeyState& keys, TDifficulty difficulty, bool novice, uint32_t seed,
           double minutes) {
    RandomSeed(seed);
    world.Difficulty = difficulty;
    world.NewGame();
    std::optional<TNovicePilot> pilot;
    if (novice) pilot.emplace(seed);
    TGame game;
    float endTimer = 0;
    uint64_t played = 0;
    for (uint64_t step = 0; played < minutes * 60000; ++step) {
        const uint32_t ms = step % 3 == 0 ? 16 : 17;
        if (pilot)
            pilot->Steer(world, ms / 1000.0f, keys);
        else
            SteerViking(world, keys);
        played += ms;
        const bool firstAlive = world.Level == 1 && !world.Player->Dead && world.Player->Health > 0;
        const TLevelOutcome outcome = StepLevel(world, endTimer, ms / 1000.0);
        if (firstAlive) game.FirstLevelAlive += ms / 1000.0;
        if (outcome == TLevelOutcome::Lost) break;
        if (outcome == TLevelOutcome::Cleared) {
            game.ClearedFirst = game.ClearedFirst || world.Level == 1;
            world.NewLevel();
            endTimer = 0;
            game.ReachedThird = game.ReachedThird || world.Level >= 3;
        }
    }
    game.Score = world.Score;
    return game;
}

template <typename T> double Median(std::vector<T> values) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t half = values.size() / 2;
    return values.size() % 2 == 1 ? values[half] : (values[half - 1] + values[half]) / 2.0;
}

} // namespace

int main(int argc, char** argv) {
    const long seeds = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 200;
    const double minutes = argc > 2 ? std::strtod(argv[2], nullptr) : 10;
    if (seeds < 1 || !(minutes > 0)) {
        std::fprintf(stderr, "usage: difficulty [SEEDS] [MINUTES]\n");
        return 1;
    }
    TKeyState keys;
    Global.KeyState = &keys;
    TBaseList world;
    std::printf("%ld seeds, games of at most %.0f minutes\n", seeds, minutes);
    std::printf("%-10s %-8s %14s %14s %16s %13s\n", "difficulty", "pilot", "clears level 1",
                "reaches lvl 3", "level 1 alive", "median score");
    for (const TDifficulty difficulty : {TDifficulty::Classic, TDifficulty::Gentle})
        for (const bool novice : {true, false}) {
            int cleared = 0, third = 0;
            std::vector<double> alive;
            std::vector<int32_t> scores;
            for (uint32_t seed = 1; seed <= static_cast<uint32_t>(seeds); ++seed) {
                const TGame game = Play(world, keys, difficulty, novice, seed, minutes);
                cleared += game.ClearedFirst;
                third += game.ReachedThird;
                alive.push_back(game.FirstLevelAlive);
                scores.push_back(game.Score);
            }
            std::printf("%-10s %-8s %13.1f%% %13.1f%% %14.1f s %13.1f\n",
                        DifficultyLabel(difficulty), novice ? "novice" : "expert",
                        100.0 * cleared / static_cast<double>(seeds),
                        100.0 * third / static_cast<double>(seeds), Median(alive), Median(scores));
        }
    return 0;
}
