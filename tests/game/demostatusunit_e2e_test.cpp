// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The self-playing demo with the real binary: the title left alone turns into it, a key
// brings the title back, "--demo" plays until Escape, and the high-score table stays as it was.
#include "support/gamesession.h"
#include "support/pixelcheck.h"

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

const char* const SavedTable = "120 Harald\n85 Astrid\n";
const char* const TablePath = "home/.quelmark/highscore";

const TTestDir& WithSavedTable(const TTestDir& dir) {
    dir.WriteFile(TablePath, SavedTable);
    return dir;
}

// A run on a saved table, its sound unheard.
struct TDemoRun {
    explicit TDemoRun(const std::vector<std::string>& arguments)
        : Game(WithSavedTable(Dir), {{"SDL_AUDIODRIVER", "dummy"}}, arguments) {}

    // The demo's board at the bottom and the play screen's heart beside it. Both are shaded,
    // a few steps a pixel: within 24, a picture drawn a few pixels off still passes.
    bool ShowsDemo(const std::string& name = "demo-probe") const {
        const TShot shot = Game.Shot(name);
        return NearColour(shot.Colour(220, 555), 164, 119, 74, /*tolerance=*/24) &&
               NearColour(shot.Colour(16, 496), 221, 66, 51, /*tolerance=*/24);
    }

    TTestDir Dir;
    TGameSession Game;
};

TEST(Demo, TitleLeftAloneTurnsIntoTheDemoAndAKeyBringsItBack) {
    TDemoRun run({});
    ASSERT_FALSE(run.Game.Window.empty()) << run.Dir.ReadFile("stderr.txt");
    // The demo's board is the last picture loaded at start-up; then the title settles.
    ASSERT_TRUE(run.Game.WaitForLog("Loading media/demo.png", 120));
    std::string title;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::string previous = title;
            title = Middle(run.Game.Shot("demo-title"));
            return title == previous;
        },
        60));
    ASSERT_TRUE(WaitUntil([&] { return run.ShowsDemo("demo"); }, 120))
        << "no demo after two minutes on the title";
    // Play goes on: the field moves under the board.
    const std::string before = Middle(run.Game.Shot("demo-play"));
    EXPECT_TRUE(WaitUntil([&] { return Middle(run.Game.Shot("demo-play-on")) != before; }, 10));

    run.Game.Keys("key a");
    EXPECT_TRUE(WaitUntil([&] { return Middle(run.Game.Shot("demo-back")) == title; }, 20))
        << "a key did not bring the title back";
    run.Game.Keys("key Escape");
    EXPECT_EQ(run.Game.Game->Wait(60), 0) << run.Dir.ReadFile("stderr.txt");
    EXPECT_EQ(run.Dir.ReadFile(TablePath), SavedTable);
}

TEST(Demo, DemoOptionPlaysUntilEscapeWhichEndsTheProgram) {
    TDemoRun run({"--demo"});
    ASSERT_FALSE(run.Game.Window.empty()) << run.Dir.ReadFile("stderr.txt");
    ASSERT_TRUE(WaitUntil([&] { return run.ShowsDemo(); }, 60));
    run.Game.Keys("key Escape");
    EXPECT_EQ(run.Game.Game->Wait(60), 0) << run.Dir.ReadFile("stderr.txt");
    EXPECT_EQ(run.Dir.ReadFile(TablePath), SavedTable);
    EXPECT_FALSE(fs::exists(run.Dir.Path() / "home/.quelmark/highscore.tmp"));
}

} // namespace
