// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Full screen and a resized window with the real binary: what size and place the window
// really gets, and that the title picture survives every switch, with a window manager and
// without one.
#include "support/gamesession.h"
#include "support/windowsize.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

struct TPlace {
    int X = -1, Y = -1, Width = 0, Height = 0;
};

int Field(const std::string& info, const std::string& label) {
    const size_t at = info.find(label);
    return at == std::string::npos ? -1 : std::atoi(info.c_str() + at + label.size());
}

// Where the X server has the window (or the root window, for "-root").
TPlace Place(const std::string& window) {
    const std::string info =
        RunCommand("xwininfo " + (window == "-root" ? window : "-id " + window));
    return {Field(info, "Absolute upper-left X: "), Field(info, "Absolute upper-left Y: "),
            Field(info, "Width: "), Field(info, "Height: ")};
}

// Waits for the window to settle at a size; its place when it did, nothing when it did not in
// time.
std::optional<TPlace> WaitForSize(const std::string& window, int width, int height) {
    if (!WaitForSettledSize(window, std::to_string(width) + "x" + std::to_string(height)))
        return std::nullopt;
    return Place(window);
}

// The window lies wholly on the screen.
bool OnScreen(const TPlace& place, const TPlace& screen) {
    return place.X >= 0 && place.Y >= 0 && place.X + place.Width <= screen.Width &&
           place.Y + place.Height <= screen.Height;
}

std::map<std::string, std::string> Config(const TTestDir& dir) {
    return {{"XDG_CONFIG_HOME", (dir.Path() / "config").string()}};
}

// The title, once its media are in and the picture stands still.
TShot Title(const TGameSession& game, const std::string& name) {
    EXPECT_TRUE(game.WaitForLog("Loading media/wri.png", 90));
    TGameSession::Pause(1500);
    return game.Shot(name);
}

void Quit(TGameSession& game) {
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(60), 0) << game.Dir.ReadFile("stderr.txt");
}

TEST(FullScreen, HoldsFromAWindowedStartAndFromAFullScreenStart) {
    TTestDir dir;
    TWindowManager manager(dir);
    const TPlace screen = Place("-root");
    TShot window;
    {
        TGameSession game(dir, Config(dir));
        ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
        window = Title(game, "window");
        game.Keys("key F11");
        const auto filled = WaitForSize(game.Window, screen.Width, screen.Height);
        ASSERT_TRUE(filled) << "no full screen";
        EXPECT_EQ(filled->X, 0);
        EXPECT_EQ(filled->Y, 0);
        const TShot full = game.ShotWhen("full", [&](const TShot& shot) {
            return shot.Image.Width == screen.Width && AlikeScaled(window, shot) > 0.9;
        });
        EXPECT_GT(AlikeScaled(window, full), 0.9);
        game.Keys("key F11");
        const auto back = WaitForSize(game.Window, 800, 600);
        ASSERT_TRUE(back) << "no window again";
        EXPECT_TRUE(OnScreen(*back, screen)) << back->X << "," << back->Y;
        const TShot shot = game.ShotWhen("back", [&](const TShot& s) {
            return s.Image.Width == 800 && Changed(window, s, 0, 40, 800, 600) < 0.02;
        });
        EXPECT_LT(Changed(window, shot, 0, 40, 800, 600), 0.02);
        Quit(game);
    }
    // Started full screen, the window it leaves for has no place yet: the screen's middle.
    TGameSession game(dir, Config(dir), {"-fs"});
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    EXPECT_TRUE(WaitForSize(game.Window, screen.Width, screen.Height)) << "no full screen";
    EXPECT_GT(AlikeScaled(window, Title(game, "fs-start")), 0.9);
    game.Keys("key F11");
    const auto back = WaitForSize(game.Window, 800, 600);
    ASSERT_TRUE(back) << "no window after the full-screen start";
    EXPECT_NEAR(back->X, (screen.Width - 800) / 2, 2);
    EXPECT_NEAR(back->Y, (screen.Height - 600) / 2, 2);
    const TShot shot = game.ShotWhen("fs-back", [&](const TShot& s) {
        return s.Image.Width == 800 && Changed(window, s, 0, 40, 800, 600) < 0.02;
    });
    EXPECT_LT(Changed(window, shot, 0, 40, 800, 600), 0.02);
    Quit(game);
}

// A window the player makes larger gets the picture at its own pixels, and keeps its size
// for the next run.
TEST(Window, ResizedItDrawsTheTitleOverItsWholeArea) {
    TTestDir dir;
    TWindowManager manager(dir);
    dir.WriteFile("config/quelmark/settings", "render=native\n");
    {
        TGameSession game(dir, Config(dir));
        ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
        const TShot window = Title(game, "window");
        // The display is 1024 x 768: a 4:3 size that the window, centred at 800 x 600, can
        // take without leaving it.
        RunCommand("xdotool windowsize " + game.Window + " 880 660");
        ASSERT_TRUE(WaitForSize(game.Window, 880, 660));
        const TShot large = game.ShotWhen(
            "resized", [&](const TShot& shot) { return AlikeScaled(window, shot) > 0.9; });
        EXPECT_GT(AlikeScaled(window, large), 0.9);
        // The sky reaches the corners: no bars and nothing left undrawn.
        ASSERT_EQ(large.Image.Width, 880);
        ASSERT_EQ(large.Image.Height, 660);
        for (const auto& [x, y] : {std::pair{0, 30}, std::pair{879, 30}})
            EXPECT_GT(large.At(x, y)[2], 200) << x << "," << y;
        EXPECT_GT(large.At(879, 659)[1], 100); // the grass
        Quit(game);
    }
    EXPECT_NE(dir.ReadFile("config/quelmark/settings").find("\nwindow=880x660\n"),
              std::string::npos)
        << dir.ReadFile("config/quelmark/settings");
    TGameSession game(dir, Config(dir));
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    EXPECT_TRUE(WaitForSize(game.Window, 880, 660)) << "the size was not kept";
    Quit(game);
}

// Without a window manager nothing grants full screen: the game says so and goes on drawing
// the picture its window can show.
TEST(FullScreen, WithoutAWindowManagerTheTitleStaysAsItWas) {
    TTestDir dir;
    TGameSession game(dir, Config(dir));
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    const TShot window = Title(game, "window");
    game.Keys("key F11");
    EXPECT_TRUE(game.WaitForLog("Cannot switch to full screen: the window stayed 800x600 instead "
                                "of " +
                                    std::to_string(Place("-root").Width) + "x" +
                                    std::to_string(Place("-root").Height),
                                30));
    game.Pause(1000);
    game.Keys("key F11");
    game.Pause(3000);
    const TPlace place = Place(game.Window);
    EXPECT_EQ(place.Width, 800);
    EXPECT_EQ(place.Height, 600);
    EXPECT_LT(Changed(window, game.Shot("after"), 0, 40, 800, 600), 0.02);
    EXPECT_EQ(dir.ReadFile("log").find("Full screen"), std::string::npos);
    Quit(game);
}

} // namespace
