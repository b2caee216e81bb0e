// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A player who chose another swing key finds it on the level-1 key card of the real game.
#include "game/keycapsunit.h"

#include "game/gameunit.h"
#include "game/levelstatusunit.h"
#include "game/mainstatusunit.h"
#include "support/gamescreen.h"
#include "support/gamesession.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// The card (y 394 to 446) as this process draws it with the generated pictures and the keys.
std::string ExpectedCard(const TKeyBindings& keys) {
    TGameScreen s;
    for (const char* name : {"keycard.png", "keyparts.png", "numbers.png"}) {
        std::ifstream file(std::string(QUELMARK_MEDIA_DIR) + "/" + name, std::ios::binary);
        s.Dir.WriteFile(std::string("media/") + name,
                        std::string(std::istreambuf_iterator<char>(file), {}));
    }
    s.Keys.Bindings = keys;
    TMainStatus play;
    play.World().Level = 1;
    MainStatus = &play;
    TLevelStatus level;
    s.Fill({178, 255, 255, 255});
    level.Draw(0.01);
    MainStatus = &s.Play;
    std::string pixels;
    for (int y = 394; y < 446; ++y)
        for (int x = 16; x < 784; ++x)
            for (int c = 0; c < 3; ++c)
                pixels += static_cast<char>(s.Window.Pixel(x, y)[c]);
    return pixels;
}

// Share of pixels that differ noticeably.
double Unlike(const std::string& a, const std::string& b) {
    size_t differ = 0;
    for (size_t i = 0; i + 2 < std::min(a.size(), b.size()); i += 3)
        for (size_t c = i; c < i + 3; ++c)
            if (std::abs(static_cast<int>(static_cast<uint8_t>(a[c])) -
                         static_cast<uint8_t>(b[c])) > 8) {
                ++differ;
                break;
            }
    return a.size() == b.size() ? static_cast<double>(differ) * 3 / static_cast<double>(a.size())
                                : 1.0;
}

TEST(KeyCard, ShowsAReboundSwingKey) {
    TKeyBindings rebound;
    rebound.Rebind(TPlayAction::Swing, SDLK_a);
    const std::string expected = ExpectedCard(rebound);
    ASSERT_GT(Unlike(expected, ExpectedCard(TKeyBindings())), 0.05)
        << "the swing key changes the card";

    TTestDir dir;
    dir.WriteFile("config/quelmark/settings", "key.swing=a\n");
    TGameSession game(dir, {{"XDG_CONFIG_HOME", (dir.Path() / "config").string()}});
    ASSERT_FALSE(game.Window.empty()) << dir.ReadFile("stderr.txt");
    ASSERT_TRUE(game.WaitForLog("Loading media/wri.png", 90));
    game.Pause(1500);
    game.Keys("key space");
    const auto shown = [&](const TShot& shot) {
        return Unlike(Region(shot, 16, 394, 768, 52), expected);
    };
    const TShot card =
        game.ShotWhen("keycard-rebound", [&](const TShot& shot) { return shown(shot) < 0.01; });
    EXPECT_LT(shown(card), 0.01) << "the card with A to swing";
    game.Keys("key Escape");
    EXPECT_EQ(game.Game->Wait(60), 0) << dir.ReadFile("stderr.txt");
}

} // namespace
