// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Full screen, the volume and the music mute with the real binary under a window manager, and
// the settings they leave behind for the next run.
#include "support/gamesession.h"
#include "support/windowsize.h"

#include <gtest/gtest.h>

namespace {

TEST(Comforts, FullScreenKeepsThePictureAndVolumeAndMuteSurviveARestart) {
    TTestDir dir;
    TWindowManager manager(dir);
    const std::map<std::string, std::string> config{
        {"XDG_CONFIG_HOME", (dir.Path() / "config").string()}};
    const auto settings = [&dir] { return dir.ReadFile("config/quelmark/settings"); };
    {
        TGameSession game(dir, config);
        ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
        ASSERT_TRUE(game.WaitForLog("Loading media/wri.png", 90));
        game.Pause(1500);
        const TShot window = game.Shot("window");
        EXPECT_EQ(WindowSize(game.Window), "800x600");
        game.Keys("key F11");
        ASSERT_TRUE(WaitForSettledSize(game.Window, "1024x768")) << WindowSize(game.Window);
        // The picture follows the window's size within a frame or two.
        const TShot full = game.ShotWhen("full", [&](const TShot& shot) {
            return shot.Image.Width == 1024 && AlikeScaled(window, shot) > 0.9;
        });
        EXPECT_GT(AlikeScaled(window, full), 0.9) << "textures lost in the switch";
        game.Keys("key alt+Return");
        EXPECT_TRUE(WaitForSettledSize(game.Window, "800x600")) << WindowSize(game.Window);
        const TShot back = game.ShotWhen("back", [&](const TShot& shot) {
            return shot.Image.Width == 800 && Changed(window, shot, 0, 40, 800, 600) < 0.02;
        });
        EXPECT_EQ(back.Image.Width, 800);
        EXPECT_LT(Changed(window, back, 0, 40, 800, 600), 0.02);
        game.Keys("key minus minus minus m");
        game.Pause(300);
        // The keys come in order: once Escape is taken, so are the others.
        game.Keys("key Escape");
        EXPECT_EQ(game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
    }
    EXPECT_NE(settings().find("\nvolume=70\nmusic_muted=1\nfullscreen=0\n"), std::string::npos)
        << settings();

    TGameSession game(dir, config);
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    ASSERT_TRUE(game.WaitForLog("Loading media/wri.png", 90));
    game.Pause(1500);
    const Samples sound = game.Capture();
    ASSERT_GT(sound.size(), 22050u);
    EXPECT_LT(Rms(sound, sound.size() - 22050, sound.size()), 10) << "the music is not muted";
    game.Keys("key m");
    EXPECT_GT(game.LastSecondRmsWhen([](double rms) { return rms > 150; }), 150)
        << "the music did not return";
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
    EXPECT_NE(settings().find("\nvolume=70\nmusic_muted=0\n"), std::string::npos) << settings();
}

} // namespace
