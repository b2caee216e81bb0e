// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The self-playing demo with the real binary: the title left alone turns into it, a key
// brings the title back, "--demo" plays until Escape, and the high-score table stays as it was.
#include "support/fakehome.h"
#include "support/process.h"
#include "support/screenshot.h"
#include "support/testdir.h"

#include <chrono>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace {

namespace fs = std::filesystem;

const char* const SavedTable = "120 Harald\n85 Astrid\n";

bool Near(const std::array<uint8_t, 3>& a, const std::array<uint8_t, 3>& b) {
    for (int i = 0; i < 3; ++i)
        if (std::abs(a[i] - b[i]) > 24) return false;
    return true;
}

std::string Middle(const fs::path& png) {
    return PictureRegion(png, 100, 100, 600, 400);
}

class TDemoRun {
public:
    TDemoRun(const std::vector<std::string>& arguments)
        : Home(Dir.Path() / "user"),
          Game(QUELMARK_BINARY, arguments, Environment(), Dir.Path().string()) {
        Window = WaitForWindow("Quelmark!", 60);
    }

    // Media and a saved table in place before the game starts.
    std::map<std::string, std::string> Environment() {
        Dir.WriteFile("user/home/.quelmark/highscore", SavedTable);
        fs::create_directory_symlink(QUELMARK_MEDIA_DIR, Dir.Path() / "media");
        auto environment = Home.Environment();
        environment["SDL_AUDIODRIVER"] = "dummy";
        return environment;
    }

    fs::path Shot(const std::string& name) const {
        const fs::path png = Dir.Path() / (name + ".png");
        ShootWindow(Window, png);
        return png;
    }

    // The demo's board at the bottom and the play screen's heart beside it.
    bool ShowsDemo(const std::string& name = "probe") const {
        const fs::path png = Shot(name);
        return Near(PicturePixel(png, 220, 555), {164, 119, 74}) &&
               Near(PicturePixel(png, 16, 496), {221, 66, 51});
    }

    std::string Table() const { return Dir.ReadFile("user/home/.quelmark/highscore"); }

    TTestDir Dir;
    TFakeHome Home;
    TChildProcess Game;
    std::string Window;
};

TEST(Demo, TitleLeftAloneTurnsIntoTheDemoAndAKeyBringsItBack) {
    TDemoRun run({});
    ASSERT_FALSE(run.Window.empty()) << run.Dir.ReadFile("stderr.txt");
    // The demo's board is the last picture loaded at start-up; then the title settles.
    ASSERT_TRUE(WaitUntil(
        [&] { return run.Dir.ReadFile("log").find("media/demo.png") != std::string::npos; }, 120));
    std::string title;
    ASSERT_TRUE(WaitUntil(
        [&] {
            const std::string previous = title;
            title = Middle(run.Shot("title"));
            return !title.empty() && title == previous;
        },
        60));
    ASSERT_TRUE(WaitUntil([&] { return run.ShowsDemo("demo"); }, 120))
        << "no demo after two minutes on the title";
    if (const char* keep = std::getenv("QUELMARK_SCREENSHOT_DIR"))
        fs::copy_file(run.Dir.Path() / "demo.png", fs::path(keep) / "demo.png",
                      fs::copy_options::overwrite_existing);
    // Play goes on: the field moves under the board.
    const std::string before = Middle(run.Shot("play1"));
    EXPECT_TRUE(WaitUntil([&] { return Middle(run.Shot("play2")) != before; }, 10));

    SendKeys(run.Window, "a");
    EXPECT_TRUE(WaitUntil([&] { return Middle(run.Shot("back")) == title; }, 20))
        << "a key did not bring the title back";
    SendKeys(run.Window, "Escape");
    EXPECT_EQ(run.Game.Wait(60), 0) << run.Dir.ReadFile("stderr.txt");
    EXPECT_EQ(run.Table(), SavedTable);
}

TEST(Demo, DemoOptionPlaysUntilEscapeWhichEndsTheProgram) {
    TDemoRun run({"--demo"});
    ASSERT_FALSE(run.Window.empty()) << run.Dir.ReadFile("stderr.txt");
    ASSERT_TRUE(WaitUntil([&] { return run.ShowsDemo(); }, 60));
    SendKeys(run.Window, "Escape");
    EXPECT_EQ(run.Game.Wait(60), 0) << run.Dir.ReadFile("stderr.txt");
    EXPECT_EQ(run.Table(), SavedTable);
    EXPECT_FALSE(fs::exists(run.Dir.Path() / "user/home/.quelmark/highscore.tmp"));
}

} // namespace
