// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/levelstatusunit.h"

#include "assets/animationhandlerunit.h"
#include "assets/modelunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <fstream>
#include <gtest/gtest.h>

namespace {

// The banner band of "wri" is green; above it red, below it blue.
TPngImage BannerPicture() {
    TPngImage image = SolidPicture(20, 20, {0, 255, 0, 255});
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            uint8_t* p = &image.Pixels[(static_cast<size_t>(y) * 20 + x) * 4];
            if (y < 5) p[0] = 255, p[1] = 0;
            if (y >= 14) p[2] = 255, p[1] = 0;
        }
    return image;
}

const TRgba Card{200, 120, 40, 255};

class LevelStartScreen : public ::testing::Test {
protected:
    LevelStartScreen() {
        WritePicture(S.Dir, "wri", BannerPicture());
        WritePicture(S.Dir, "numbers", CodedNumbers());
        WritePicture(S.Dir, "font", CodedFont());
        WritePicture(S.Dir, "keycard", SolidPicture(16, 16, Card));
        Play = std::make_unique<TMainStatus>();
        MainStatus = Play.get();
        Level = std::make_unique<TLevelStatus>();
        LevelStatus = Level.get();
    }

    TGameScreen S;
    std::unique_ptr<TMainStatus> Play;
    std::unique_ptr<TLevelStatus> Level;
};

TEST_F(LevelStartScreen, ShowsTheBannerBandTheLevelNumberAndThePrompt) {
    Play->World().Level = 12;
    SetCurrentListener(Level.get(), &S.Loop);
    S.Fill({255, 255, 255, 255});
    Level->Draw(0.01);
    const auto at = [&](int x, int y) { return S.Window.Pixel(x, y); };
    // Only the band t = 0.3 .. 0.65 is stretched over 300..440 x 180..250.
    for (const auto& [x, y] : {std::pair{302, 182}, {370, 215}, {437, 247}})
        EXPECT_TRUE(NearColour(at(x, y), 0, 255, 0)) << x << "," << y;
    EXPECT_TRUE(NearColour(at(456, 212), DigitColour(1)));
    EXPECT_TRUE(NearColour(at(488, 212), DigitColour(2)));
    EXPECT_TRUE(NearColour(at(456, 240), DigitColour(1)));
    std::string prompt;
    for (int i = 0; i < 21; ++i)
        prompt += static_cast<char>(GlyphFromGrey(at(330 + 7 * i + 3, 454)[1]));
    EXPECT_EQ(prompt, "Press space to start!");
}

TEST_F(LevelStartScreen, WalkMeasuresFromEnterOnEveryVisit) {
    SetCurrentListener(Level.get(), &S.Loop);
    ASSERT_NE(Level->Animator, nullptr);
    EXPECT_EQ(Level->Animator->Animation, 1);
    Level->Cycle();
    SDL_Delay(400);
    SetCurrentListener(&S.Play, &S.Loop);
    EXPECT_EQ(Level->Animator, nullptr);
    SetCurrentListener(Level.get(), &S.Loop);
    EXPECT_EQ(Level->Animator->Time, 0);
    Level->Cycle();
    EXPECT_LT(Level->Animator->Time, 0.2f);
}

TEST_F(LevelStartScreen, EveryVisitLoadsTheVikingAgainAndADamagedOneIsSkipped) {
    S.Dir.WriteFile("media/viking_weapon.model", "<MODEL><NAME>v</NAME>");
    const size_t before = S.Dir.LogMessages().size();
    SetCurrentListener(Level.get(), &S.Loop);
    SetCurrentListener(&S.Play, &S.Loop);
    SetCurrentListener(Level.get(), &S.Loop);
    int loads = 0, failures = 0;
    const auto log = S.Dir.LogMessages();
    for (size_t i = before; i < log.size(); ++i) {
        const std::string& line = log[i];
        loads += line == "Loading media/viking_weapon.model";
        failures += line.rfind("Unable to load model media/viking_weapon.model: ", 0) == 0;
    }
    EXPECT_EQ(loads, 2);
    EXPECT_EQ(failures, 2);
    Level->Cycle();
}

TEST_F(LevelStartScreen, SpaceStartsPlayAndEscapeQuits) {
    SetCurrentListener(Level.get(), &S.Loop);
    SDL_KeyboardEvent other = TGameScreen::Key(SDLK_a);
    Level->KeyDown(other);
    EXPECT_EQ(CurrentListener, Level.get());
    SDL_KeyboardEvent space = TGameScreen::Key(SDLK_SPACE);
    Level->KeyDown(space);
    EXPECT_EQ(CurrentListener, Play.get());
    EXPECT_FALSE(S.Loop.Terminated);
    SDL_KeyboardEvent escape = TGameScreen::Key(SDLK_ESCAPE);
    Level->KeyDown(escape);
    EXPECT_TRUE(S.Loop.Terminated);
}

TEST_F(LevelStartScreen, TheKeyCardShowsOnTheFirstLevelOnlyBetweenTheVikingAndThePrompt) {
    for (const int level : {1, 2}) {
        Play->World().Level = level;
        SetCurrentListener(Level.get(), &S.Loop);
        S.Fill({255, 255, 255, 255});
        Level->Draw(0.01);
        const auto at = [&](int x, int y) { return S.Window.Pixel(x, y); };
        for (const auto& [x, y] : {std::pair{16, 394}, {783, 394}, {16, 445}, {783, 445}})
            EXPECT_EQ(static_cast<bool>(NearColour(at(x, y), Card, 6)), level == 1)
                << level << ": " << x << "," << y;
        for (const auto& [x, y] : {std::pair{15, 420}, {784, 420}, {400, 393}, {400, 446}})
            EXPECT_FALSE(NearColour(at(x, y), Card, 6)) << level << ": " << x << "," << y;
        SetCurrentListener(&S.Play, &S.Loop);
    }
}

// The card's row as the game draws it, with the generated keycap parts.
std::string CardRow(const TGameScreen& s) {
    std::string pixels;
    for (int y = 400; y < 424; ++y)
        for (int x = 16; x < 784; ++x)
            for (uint8_t c : s.Window.Pixel(x, y))
                pixels += static_cast<char>(c);
    return pixels;
}

TEST_F(LevelStartScreen, TheKeyCardShowsThePlayersOwnKeys) {
    std::ifstream parts(std::string(QUELMARK_MEDIA_DIR) + "/keyparts.png", std::ios::binary);
    S.Dir.WriteFile("media/keyparts.png", std::string(std::istreambuf_iterator<char>(parts), {}));
    Level = std::make_unique<TLevelStatus>();
    Play->World().Level = 1;
    Level->Draw(0.01);
    const std::string design = CardRow(S);
    int drawn = 0;
    for (int x = 16; x < 784; ++x)
        drawn += NearColour(S.Window.Pixel(x, 410), Card, 6) ? 0 : 1;
    EXPECT_GT(drawn, 300) << "keys and words across the card";
    S.Keys.Bindings.Rebind(TPlayAction::Swing, SDLK_a);
    Level->Draw(0.01);
    EXPECT_TRUE(NearColour(S.Window.Pixel(16, 394), Card, 6)) << "the card shows for any keys";
    EXPECT_NE(CardRow(S), design);
    S.Keys.Bindings.Rebind(TPlayAction::Swing, SDLK_LCTRL);
    Level->Draw(0.01);
    EXPECT_EQ(CardRow(S), design);
}

} // namespace
