// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A game played with keys and lost in a throwaway home, then its replay checked without a
// window: the check must reach the very score the table shows.
#include "support/gamesession.h"

#include <fstream>
#include <gtest/gtest.h>
#include <regex>

namespace {

TEST(ReplayCheck, LostGameReplaysToTheScoreInTheTable) {
    TTestDir dir;
    // The field on which a viking who swings once and stands is known to lose.
    TGameSession game(dir, {{"QUELMARK_SEED", "5489"}, {"SDL_AUDIODRIVER", "dummy"}});
    ASSERT_FALSE(game.Window.empty());
    const auto replays = game.Home.Home / ".local/state/quelmark/replays";
    const auto table = game.Home.Home / ".quelmark/highscore";
    // A short table takes any score, even none.
    std::filesystem::create_directories(table.parent_path());
    std::ofstream(table) << "120 Harald\n";
    game.Keys("key space sleep 1 key space sleep 1 keydown Control_L sleep 2 keyup Control_L");
    // The replay is kept the moment the game is lost, before the name is asked for.
    ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(replays / "last.qrp"); }, 300));
    TGameSession::Pause(1000);
    game.Keys("key a b Return");
    ASSERT_TRUE(WaitUntil([&] { return ReadBytes(table).find(" ab\n") != std::string::npos; }, 30));
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(30), 0);

    std::ifstream in(table);
    std::string scoreText;
    for (std::string line; std::getline(in, line);)
        if (line.ends_with(" ab")) scoreText = line.substr(0, line.find(' '));
    ASSERT_FALSE(scoreText.empty()) << ReadBytes(table);
    // Only a game heading its table is the best one.
    EXPECT_EQ(std::filesystem::exists(replays / "best.qrp"), std::stoi(scoreText) > 120);
    const std::string file = (replays / "last.qrp").string();
    const std::string out = RunCommand("sh -c \"cd '" + dir.Path().string() +
                                       "' && exec '" QUELMARK_BINARY "' --replay '" + file +
                                       "' --check\"; echo \"exit $?\"");
    EXPECT_TRUE(std::regex_search(out, std::regex("^replay " + file + ": level 1, score " +
                                                  scoreText + ", [0-9]+ steps, matches\nexit 0$")))
        << out;
}

} // namespace
