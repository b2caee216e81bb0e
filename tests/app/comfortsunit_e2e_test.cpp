// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Full screen, the volume and the music mute with the real binary under a window manager, and
// the settings they leave behind for the next run.
#include "support/gamesession.h"

#include <chrono>
#include <gtest/gtest.h>
#include <optional>

namespace {

// The window's size as the X server reports it, "WxH".
std::string WindowSize(const std::string& window) {
    const std::string info = RunCommand("xwininfo -id " + window);
    const auto number = [&info](const std::string& label) {
        const size_t at = info.find(label);
        return at == std::string::npos
                   ? std::string("?")
                   : info.substr(at + label.size(), info.find('\n', at) - at - label.size());
    };
    return number("Width: ") + "x" + number("Height: ");
}

// Waits until the window has kept the size for a second and a half, so that a switch still
// under way is not taken for done; false when it does not within the time (a loaded machine
// can lag the keys by seconds).
bool WaitForSettledSize(const std::string& window, const std::string& size) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + std::chrono::seconds(60);
    std::optional<Clock::time_point> since;
    while (Clock::now() < deadline) {
        if (WindowSize(window) != size)
            since.reset();
        else if (!since)
            since = Clock::now();
        else if (Clock::now() - *since >= std::chrono::milliseconds(1500))
            return true;
        TGameSession::Pause(200);
    }
    return false;
}

// Share of the window picture, below the frame-rate line, that the full screen picture shows
// alike at the same place scaled up to its size.
double AlikeScaled(const TShot& window, const TShot& full) {
    const double sx = full.Image.Width / 800.0, sy = full.Image.Height / 600.0;
    int alike = 0, total = 0;
    for (int y = 40; y < 600; y += 8)
        for (int x = 0; x < 800; x += 8) {
            const uint8_t* p = window.At(x, y);
            const uint8_t* q = full.At(static_cast<int>(x * sx), static_cast<int>(y * sy));
            alike += std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) < 90;
            ++total;
        }
    return static_cast<double>(alike) / total;
}

TEST(Comforts, FullScreenKeepsThePictureAndVolumeAndMuteSurviveARestart) {
    TTestDir dir;
    // Full screen is the window manager's to grant: the test display gets a small one.
    TChildProcess manager("/usr/bin/evilwm", {"-fn", "fixed"}, {}, dir.Path().string());
    for (int tries = 0; tries < 100; ++tries) {
        if (RunCommand("xprop -root _NET_SUPPORTING_WM_CHECK").find("window id") !=
            std::string::npos)
            break;
        TGameSession::Pause(100);
    }
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
