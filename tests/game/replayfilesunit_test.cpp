// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where replays go, and which game is kept as the best one.
#include "game/replayfilesunit.h"

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
    // (score, seed): the seed tells the files apart.
    const struct {
        int32_t Score;
        uint32_t BestSeed;
    } games[] = {{10, 0}, {5, 0}, {10, 0}, {11, 3}, {-4, 3}};
    for (uint32_t seed = 0; const auto& game : games) {
        TReplay replay{.Version = GameVersion(), .Seed = seed, .Score = game.Score};
        KeepReplay(replay, replays);
        EXPECT_EQ(LoadReplayFile(replays + "last.qrp").Seed, seed);
        ASSERT_TRUE(BestReplay(replays));
        EXPECT_EQ(BestReplay(replays)->Seed, game.BestSeed) << game.Score;
        ++seed;
    }
    // A damaged best game is replaced by the next one.
    dir.WriteFile("a/replays/best.qrp", "QRPL");
    EXPECT_FALSE(BestReplay(replays));
    KeepReplay(TReplay{.Version = GameVersion(), .Seed = 9, .Score = 1}, replays);
    EXPECT_EQ(BestReplay(replays)->Seed, 9u);
}

TEST(ReplayFiles, AFailedSaveIsLoggedAndTheGameGoesOn) {
    TTestDir dir;
    dir.WriteFile("blocked", "a file where the directory should be");
    KeepReplay(TReplay{.Version = GameVersion()}, (dir.Path() / "blocked/replays/").string());
    EXPECT_NE(dir.ReadFile("log").find("Cannot create"), std::string::npos) << dir.ReadFile("log");
    EXPECT_THROW(LoadReplayFile((dir.Path() / "missing.qrp").string()), TReplayError);
}

} // namespace
