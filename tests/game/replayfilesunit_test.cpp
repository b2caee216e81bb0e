// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where replays go, and which game is kept as the best one.
#include "game/replayfilesunit.h"

#include "app/versionunit.h"

#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

TEST(ReplayFiles, DirectoryFollowsAnAbsoluteStateHomeElseTheHome) {
    const struct {
        const char* StateHome;
        std::string Home, Directory;
    } cases[] = {
        {"/state", "/home/p", "/state/quelmark/replays/"},
        {"state", "/home/p", "/home/p/.local/state/quelmark/replays/"},
        {"", "/home/p", "/home/p/.local/state/quelmark/replays/"},
        {nullptr, "/home/p", "/home/p/.local/state/quelmark/replays/"},
        {nullptr, "", ""},
        {"/state", "", "/state/quelmark/replays/"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ReplayDirectory(c.StateHome, c.Home), c.Directory) << c.StateHome << c.Home;
}

TEST(ReplayFiles, EveryGameIsTheLastAndOnlyABetterScoreTheBest) {
    TTestDir dir;
    const std::string replays = (dir.Path() / "a/replays/").string();
    constexpr auto Classic = TDifficulty::Classic, Gentle = TDifficulty::Gentle;
    // The seed tells the files apart; each difficulty keeps its own best game.
    const struct {
        TDifficulty Difficulty;
        int32_t Score;
        uint32_t ClassicBest, GentleBest; // seeds, 99 for none
    } games[] = {{Classic, 10, 0, 99}, {Classic, 5, 0, 99}, {Classic, 10, 0, 99},
                 {Gentle, 50, 0, 3},   {Classic, 11, 4, 3}, {Classic, -4, 4, 3},
                 {Gentle, 50, 4, 3},   {Gentle, 51, 4, 7}};
    const auto bestSeed = [&](TDifficulty difficulty) {
        const auto best = BestReplay(replays, difficulty);
        return best ? best->Seed : 99;
    };
    for (uint32_t seed = 0; const auto& game : games) {
        KeepReplay({.Version = GameVersion(),
                    .Seed = seed,
                    .Difficulty = static_cast<uint8_t>(game.Difficulty),
                    .Score = game.Score},
                   replays);
        EXPECT_EQ(LoadReplayFile(replays + "last.qrp").Seed, seed);
        EXPECT_EQ(bestSeed(Classic), game.ClassicBest) << seed;
        EXPECT_EQ(bestSeed(Gentle), game.GentleBest) << seed;
        ++seed;
    }
    EXPECT_TRUE(std::filesystem::exists(replays + "best-gentle.qrp"));
    // A damaged best game is replaced by the next one.
    dir.WriteFile("a/replays/best.qrp", "QRPL");
    EXPECT_FALSE(BestReplay(replays, Classic));
    KeepReplay(TReplay{.Version = GameVersion(), .Seed = 9, .Score = 1}, replays);
    EXPECT_EQ(bestSeed(Classic), 9u);
}

TEST(ReplayFiles, AFailedSaveIsLoggedAndTheGameGoesOn) {
    TTestDir dir;
    dir.WriteFile("blocked", "a file where the directory should be");
    KeepReplay(TReplay{.Version = GameVersion()}, (dir.Path() / "blocked/replays/").string());
    EXPECT_NE(dir.ReadFile("log").find("Cannot create"), std::string::npos) << dir.ReadFile("log");
    EXPECT_THROW(LoadReplayFile((dir.Path() / "missing.qrp").string()), TReplayError);
}

} // namespace
