// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where replays go, and which game is kept as the best one.
#include "game/replayfilesunit.h"

#include "app/versionunit.h"
#include "game/dailyfieldunit.h"
#include "game/highscoreunit.h"
#include "game/introstatusunit.h"

#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

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

THighscore Table(const std::string& scores) {
    THighscore table("");
    std::istringstream in(scores);
    table.ReadScores(in);
    return table;
}

TEST(ReplayFiles, OnlyALostGameHeadingItsTableIsTheBest) {
    const std::string fresh = [] {
        std::string lines;
        for (int i = 0; i < THighscore::MaxEntries; ++i)
            lines += "0 no one\n";
        return lines;
    }();
    const std::string played = "900 ann\n400 bob\n" + fresh;
    const struct {
        TReplayEnd End;
        int32_t Score;
        const std::string& Scores;
        bool Best;
    } cases[] = {
        {TReplayEnd::Lost, 0, fresh, false}, // enters no table
        {TReplayEnd::Lost, 1, fresh, true},
        {TReplayEnd::Quit, 1000, played, false}, // never enters the table
        {TReplayEnd::Lost, 500, played, false},  // above the best replay's 400, second here
        {TReplayEnd::Lost, 900, played, false},  // ranks below an equal score
        {TReplayEnd::Lost, 901, played, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RanksFirst(c.End, c.Score, Table(c.Scores)), c.Best) << c.Score;
}

TEST(ReplayFiles, EveryGameIsTheLastAndABestGameThisVersionCannotPlayIsKeptAside) {
    TTestDir dir;
    const std::string replays = (dir.Path() / "a/replays/").string();
    const auto game = [](uint32_t seed, TDifficulty difficulty) {
        return TReplay{.Version = GameVersion(),
                       .Seed = seed,
                       .Difficulty = static_cast<uint8_t>(difficulty),
                       .Score = 10};
    };
    const auto seedOf = [&](const std::string& name) {
        return LoadReplayFile(replays + name).Seed;
    };
    KeepReplay(game(1, TDifficulty::Classic), replays, true);
    KeepReplay(game(2, TDifficulty::Classic), replays, false);
    EXPECT_EQ(seedOf("last.qrp"), 2u);
    EXPECT_EQ(seedOf("best.qrp"), 1u);
    KeepReplay(game(3, TDifficulty::Gentle), replays, true);
    EXPECT_EQ(seedOf("best-gentle.qrp"), 3u);
    EXPECT_EQ(seedOf("best.qrp"), 1u);

    // An older version's best, a damaged one, then another older best while the first is kept.
    std::string older = EncodeReplay(game(4, TDifficulty::Classic));
    older.replace(older.find(GameVersion()), GameVersion().size(), "1.0.9");
    const struct {
        std::string Bytes, KeptAs;
    } cases[] = {
        {older, "best-1.0.9.qrp"},
        {"QRPL", "best-damaged.qrp"},
        {older, "best-1.0.9-2.qrp"},
    };
    for (uint32_t seed = 10; const auto& c : cases) {
        dir.WriteFile("a/replays/best.qrp", c.Bytes);
        KeepReplay(game(seed, TDifficulty::Classic), replays, true);
        EXPECT_EQ(dir.ReadFile("a/replays/" + c.KeptAs), c.Bytes);
        EXPECT_EQ(seedOf("best.qrp"), seed);
        EXPECT_NE(dir.ReadFile("log").find("as " + replays + c.KeptAs), std::string::npos);
        ++seed;
    }
}

// A day's field: the day is marked played at once, a lost game heading the day's table becomes
// the day's best beside it (never the main best.qrp), and the title reads the best from there.
TEST(ReplayFiles, ADaysBestGameIsKeptBesideItsTableAndShownOnTheTitle) {
    TTestDir dir;
    const std::string replays = (dir.Path() / "replays/").string();
    const std::string daily = (dir.Path() / "daily/").string();
    const TFieldDate day = *ParseFieldDate("2026-12-10");
    const auto game = [&](TReplayEnd end, int32_t score) {
        return TReplay{.Version = GameVersion(),
                       .Seed = FieldSeed(day),
                       .FieldDate = day.Text(),
                       .End = end,
                       .Score = score};
    };
    EXPECT_EQ(TIntroStatus::FieldLine(daily, day), "not played yet");
    KeepFieldGame(game(TReplayEnd::Quit, 50), TReplayEnd::Quit, 50, replays, daily);
    EXPECT_EQ(TIntroStatus::FieldLine(daily, day), "your best: 0");
    EXPECT_FALSE(std::filesystem::exists(daily + "2026-12-10.qrp"));
    KeepFieldGame(game(TReplayEnd::Lost, 35), TReplayEnd::Lost, 35, replays, daily);
    EXPECT_EQ(LoadReplayFile(daily + "2026-12-10.qrp").Score, 35);
    EXPECT_EQ(LoadReplayFile(replays + "last.qrp").Score, 35);
    EXPECT_FALSE(std::filesystem::exists(replays + "best.qrp"));
    // Its name not yet entered, the best game still counts.
    EXPECT_EQ(TIntroStatus::FieldLine(daily, day), "your best: 35");
    EXPECT_EQ(TIntroStatus::FieldLine(daily, *ParseFieldDate("2026-12-11")), "not played yet");
}

TEST(ReplayFiles, AFailedSaveIsLoggedAndTheGameGoesOn) {
    TTestDir dir;
    dir.WriteFile("blocked", "a file where the directory should be");
    KeepReplay(TReplay{.Version = GameVersion()}, (dir.Path() / "blocked/replays/").string(), true);
    EXPECT_NE(dir.ReadFile("log").find("Cannot create"), std::string::npos) << dir.ReadFile("log");
    EXPECT_THROW(LoadReplayFile((dir.Path() / "missing.qrp").string()), TReplayError);
}

} // namespace
