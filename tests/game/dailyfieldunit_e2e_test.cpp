// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Today's field played with keys on a fixed date, twice: both runs are dealt the same field,
// and the lost game's replay checks, naming its date.
#include "support/gamesession.h"

#include <gtest/gtest.h>
#include <regex>

namespace {

const char* const Day = "2024-02-29";

// The field the log says the game was dealt, or "" when it says none within the time.
std::string DealtField(const TTestDir& dir) {
    const std::regex line(std::string("Today's field ") + Day +
                          ": seed 1859561356, field digest [0-9a-f]{16}");
    std::smatch found;
    std::string log;
    WaitUntil(
        [&] {
            log = dir.ReadFile("log");
            return std::regex_search(log, found, line);
        },
        60);
    return found.empty() ? "" : found.str(0);
}

TEST(DailyField, TwoRunsOnOneDateMeetOneFieldAndTheLostGameChecksWithItsDate) {
    std::string first;
    std::string replay;
    {
        TTestDir dir;
        TGameSession game(dir, {{"QUELMARK_DATE", Day}, {"SDL_AUDIODRIVER", "dummy"}});
        ASSERT_FALSE(game.Window.empty());
        const auto replays = game.Home.Home / ".local/state/quelmark/replays";
        game.Keys("key d sleep 1 key space sleep 1 keydown Control_L sleep 2 keyup Control_L");
        first = DealtField(dir);
        ASSERT_FALSE(first.empty()) << dir.ReadFile("log");
        // The rams hunt a viking who stands still: the game is lost and kept.
        ASSERT_TRUE(WaitUntil([&] { return std::filesystem::exists(replays / "last.qrp"); }, 300));
        // A day's field marks its day as played, whatever the score.
        EXPECT_TRUE(WaitUntil(
            [&] {
                return std::filesystem::exists(game.Home.Home / ".local/state/quelmark/daily" /
                                               (std::string(Day) + ".highscore"));
            },
            30));
        game.Keys("key Escape");
        EXPECT_EQ(game.Game->Wait(30), 0);
        const std::string file = (replays / "last.qrp").string();
        replay = RunCommand("sh -c \"cd '" + dir.Path().string() +
                            "' && exec '" QUELMARK_BINARY "' --replay '" + file +
                            "' --check\"; echo \"exit $?\"");
        EXPECT_TRUE(std::regex_search(
            replay, std::regex("^replay " + file + ": today's field " + Day +
                               ", level 1, score [0-9]+, [0-9]+ steps, matches\nexit 0$")))
            << replay;
    }
    TTestDir dir;
    TGameSession game(dir, {{"QUELMARK_DATE", Day}, {"SDL_AUDIODRIVER", "dummy"}});
    ASSERT_FALSE(game.Window.empty());
    game.Keys("key d sleep 1 key space");
    EXPECT_EQ(DealtField(dir), first);
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(30), 0);
}

} // namespace
