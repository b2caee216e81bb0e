// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The options window with the real binary: O opens it over the title, the keyboard turns the
// volume down and the settings file keeps it, Escape goes back to the title.
#include "support/gamesession.h"

#include <gtest/gtest.h>

namespace {

TEST(Options, DownAndLeftTurnTheVolumeDownForGoodAndEscapeReturnsToTheTitle) {
    TTestDir dir;
    TGameSession game(
        dir, {{"SDL_AUDIODRIVER", "dummy"}, {"XDG_CONFIG_HOME", (dir.Path() / "config").string()}});
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    // The demo's board is the last picture loaded at start-up; then the title settles.
    ASSERT_TRUE(game.WaitForLog("Loading media/demo.png", 120));
    std::string title;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::string previous = title;
            title = Middle(game.Shot("options-title"));
            return title == previous;
        },
        60));
    game.Keys("key o");
    ASSERT_TRUE(WaitUntil([&] { return Middle(game.Shot("options-open")) != title; }, 30));
    // Taps whose press and release come in one frame: sdl12-compat then repeats the key on
    // its own, which must not step the volume again.
    game.Keys("key --delay 0 Down key --delay 0 Left");
    const auto settings = [&dir] { return dir.ReadFile("config/quelmark/settings"); };
    EXPECT_TRUE(WaitUntil([&] { return settings().find("volume=90\n") != std::string::npos; }, 30))
        << settings();
    game.Pause(1500);
    EXPECT_NE(settings().find("volume=90\n"), std::string::npos) << settings();
    EXPECT_NE(settings().find("music_muted=0\n"), std::string::npos) << "Down came to the volume";
    game.Shot("options");
    game.Keys("key Escape");
    EXPECT_TRUE(WaitUntil([&] { return Middle(game.Shot("options-back")) == title; }, 30));
    // Escape on the title quits, as it always has.
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
}

} // namespace
