// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/demostatusunit.h"

#include "game/gameunit.h"
#include "game/introstatusunit.h"
#include "game/mainstatusunit.h"
#include "support/gamescreen.h"
#include "support/pixelcheck.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

const TRgba Banner{250, 200, 40, 255};

// The demo on the play screen's world, over a one-colour banner; the title is a recorder.
class DemoScreen : public ::testing::Test {
protected:
    DemoScreen() {
        WritePicture(S.Dir, "demo", SolidPicture(4, 4, Banner));
        MainStatus = &Play;
        Demo.emplace(Play);
        SetCurrentListener(&*Demo, &S.Loop);
    }
    ~DemoScreen() override { CurrentListener = nullptr; }

    TBaseList& World() { return Play.World(); }

    TGameScreen S;
    TMainStatus Play;
    std::optional<TDemoStatus> Demo;
};

TEST_F(DemoScreen, PlaysAFreshFirstLevelUnderTheBannerWithThePilotAtTheKeys) {
    EXPECT_EQ(World().Level, 1);
    EXPECT_EQ(World().SheepCount, 4);
    // A sheep straight ahead: the pilot walks towards it.
    World().Player->Heading = 0;
    World().Player->Position = {10, 10};
    for (int i = 0; i < World().Count(); ++i)
        if (auto* sheep = dynamic_cast<TSheep*>(&World().Items(i))) sheep->Position = {10, 20};
    ASSERT_TRUE(Demo->Frame(0.01, 0));
    EXPECT_TRUE(S.Keys.Up);
    EXPECT_TRUE(NearColour(S.Window.Pixel(400, 560), Banner));
    EXPECT_FALSE(NearColour(S.Window.Pixel(400, 300), Banner));
}

TEST_F(DemoScreen, AnyKeyReturnsToTheTitleAndThePlayerStartsAFreshGame) {
    World().Score = 45;
    World().Player->Health = 2;
    auto key = TGameScreen::Key(SDLK_LCTRL);
    Demo->KeyDown(key);
    EXPECT_EQ(CurrentListener, &S.Intro);
    EXPECT_EQ(S.Loop.Terminated, false);
    EXPECT_FALSE(S.Keys.Control); // the key did nothing else
    EXPECT_EQ(World().Level, 1);
    EXPECT_EQ(World().Player->Health, 5);
    EXPECT_EQ(World().Score, 0);
}

TEST_F(DemoScreen, PlaysClassicWhateverThePlayerChoseAndHandsTheChoiceBack) {
    SetCurrentListener(&S.Intro, &S.Loop);
    World().SetDifficulty(TDifficulty::Gentle);
    SetCurrentListener(&*Demo, &S.Loop);
    EXPECT_EQ(World().Difficulty, TDifficulty::Classic);
    EXPECT_EQ(dynamic_cast<TWolf&>(World().Items(World().Count() - 1)).ChaseRadius, 1000.0f);
    auto key = TGameScreen::Key(SDLK_a);
    Demo->KeyDown(key);
    EXPECT_EQ(World().Difficulty, TDifficulty::Gentle);
    EXPECT_EQ(dynamic_cast<TWolf&>(World().Items(World().Count() - 1)).ChaseRadius, 20.0f);
}

TEST_F(DemoScreen, EscapeReturnsToTheTitleButQuitsEndlessDemos) {
    auto escape = TGameScreen::Key(SDLK_ESCAPE);
    Demo->KeyDown(escape);
    EXPECT_EQ(CurrentListener, &S.Intro);
    EXPECT_FALSE(S.Loop.Terminated);
    SetCurrentListener(&*Demo, &S.Loop);
    Demo->Endless = true;
    Demo->KeyDown(escape);
    EXPECT_EQ(CurrentListener, &*Demo);
    EXPECT_TRUE(S.Loop.Terminated);
}

// A lost demo neither shows the game-over screen nor keeps the dead viking.
class DemoEnd : public DemoScreen, public ::testing::WithParamInterface<bool> {};

TEST_P(DemoEnd, DeadVikingEndsTheDemoFiveSecondsLater) {
    Demo->Endless = GetParam();
    World().Player->Health = 0;
    World().Player->Dead = true;
    EXPECT_TRUE(Demo->Frame(5.0, 0));
    EXPECT_FALSE(Demo->Frame(0.01, 0));
    EXPECT_EQ(CurrentListener, GetParam() ? static_cast<TEventListener*>(&*Demo) : &S.Intro);
    EXPECT_EQ(S.GameOver.Entered, 0);
    EXPECT_FALSE(World().Player->Dead);
    EXPECT_EQ(World().Player->Health, 5);
}

INSTANTIATE_TEST_SUITE_P(Endless, DemoEnd, ::testing::Bool());

// The title's idle clock, on given ticks.
class TitleIdle : public ::testing::Test {
protected:
    TitleIdle() {
        IntroStatus = &Intro;
        SetCurrentListener(&Intro, &S.Loop);
    }
    ~TitleIdle() override { CurrentListener = nullptr; }

    TGameScreen S;
    TIntroStatus Intro;
};

TEST_F(TitleIdle, DemoStartsAfterSixtySecondsWithoutAKey) {
    Intro.Idle.Reset(1000);
    EXPECT_FALSE(Intro.StartDemoWhenIdle(60999));
    EXPECT_EQ(CurrentListener, &Intro);
    EXPECT_TRUE(Intro.StartDemoWhenIdle(61000));
    EXPECT_EQ(CurrentListener, &S.Demo);
}

TEST_F(TitleIdle, AKeyOrAButtonRestartsTheClock) {
    SDL_MouseButtonEvent click{};
    for (int kind = 0; kind < 2; ++kind) {
        Intro.Idle.Reset(0);
        const uint32_t before = SDL_GetTicks();
        auto key = TGameScreen::Key(SDLK_a);
        if (kind == 0)
            Intro.KeyDown(key);
        else
            Intro.MouseButtonDown(click);
        const uint32_t after = SDL_GetTicks();
        EXPECT_FALSE(Intro.StartDemoWhenIdle(before + 59999)) << kind;
        EXPECT_TRUE(Intro.StartDemoWhenIdle(after + 60000)) << kind;
        SetCurrentListener(&Intro, &S.Loop);
    }
}

TEST_F(TitleIdle, TheKeyThatEndedTheDemoRepeatsIntoNothingUntilReleased) {
    Intro.IgnoreHeldKey(SDLK_SPACE);
    auto space = TGameScreen::Key(SDLK_SPACE);
    Intro.KeyDown(space); // a repeat of the held key
    EXPECT_EQ(CurrentListener, &Intro);
    auto release = TGameScreen::Key(SDLK_SPACE);
    release.type = SDL_KEYUP;
    Intro.KeyUp(release);
    Intro.KeyDown(space);
    EXPECT_EQ(CurrentListener, &S.LevelStart);
}

} // namespace
