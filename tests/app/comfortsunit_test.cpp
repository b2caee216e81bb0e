// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/comfortsunit.h"

#include "app/screenunit.h"
#include "app/stateunit.h"
#include "support/gamescreen.h"
#include "support/printers.h"
#include "support/testdir.h"

#include <gtest/gtest.h>

namespace {

SDL_keysym Key(SDLKey sym, int mod = KMOD_NONE) {
    SDL_keysym key{};
    key.sym = sym;
    key.mod = static_cast<SDLMod>(mod);
    return key;
}

struct TKeyCase {
    SDLKey Sym;
    int Mod;
    TComfort Free;   // while no text is typed
    TComfort Typing; // while the screen takes text
};

void PrintTo(const TKeyCase& c, std::ostream* out) {
    *out << SDL_GetKeyName(c.Sym) << " mod " << c.Mod;
}

class ComfortKeys : public ::testing::TestWithParam<TKeyCase> {};

TEST_P(ComfortKeys, ActOnEveryScreenButLeaveTypedCharactersToTheText) {
    const TKeyCase& c = GetParam();
    EXPECT_EQ(ComfortOf(Key(c.Sym, c.Mod), false), c.Free);
    EXPECT_EQ(ComfortOf(Key(c.Sym, c.Mod), true), c.Typing);
}

using enum TComfort;
INSTANTIATE_TEST_SUITE_P(Keys, ComfortKeys,
                         ::testing::Values(TKeyCase{SDLK_F11, KMOD_NONE, FullScreen, FullScreen},
                                           TKeyCase{SDLK_RETURN, KMOD_LALT, FullScreen, FullScreen},
                                           TKeyCase{SDLK_KP_ENTER, KMOD_RALT, FullScreen,
                                                    FullScreen},
                                           TKeyCase{SDLK_RETURN, KMOD_NONE, None, None},
                                           TKeyCase{SDLK_m, KMOD_NONE, MuteMusic, None},
                                           TKeyCase{SDLK_m, KMOD_LCTRL, None, None},
                                           TKeyCase{SDLK_MINUS, KMOD_NONE, VolumeDown, None},
                                           TKeyCase{SDLK_KP_MINUS, KMOD_NONE, VolumeDown, None},
                                           TKeyCase{SDLK_PLUS, KMOD_LSHIFT, VolumeUp, None},
                                           TKeyCase{SDLK_EQUALS, KMOD_NONE, VolumeUp, None},
                                           TKeyCase{SDLK_KP_PLUS, KMOD_NONE, VolumeUp, None},
                                           TKeyCase{SDLK_p, KMOD_NONE, None, None},
                                           TKeyCase{SDLK_ESCAPE, KMOD_NONE, None, None}));

SDL_Event KeyEvent(Uint8 type, SDLKey sym) {
    SDL_Event event{};
    event.type = type;
    event.key.keysym = Key(sym);
    return event;
}

class TTextScreen : public TVisitRecorder {
public:
    bool TakesText() const override { return true; }
};

class Comforts : public ::testing::Test {
protected:
    std::string File() const { return (Dir.Path() / "cfg/settings").string(); }

    TTestDir Dir;
};

TEST_F(Comforts, VolumeStepsShowTheIndicatorForItsTimeAndAreSavedOnceTheyStop) {
    TComforts comforts({90, false, false}, File(), nullptr);
    EXPECT_FALSE(comforts.ShowsVolume(0));
    comforts.Apply(TComfort::VolumeUp, 1000);
    EXPECT_EQ(comforts.Settings().Volume, 100);
    EXPECT_TRUE(comforts.ShowsVolume(1000));
    EXPECT_TRUE(comforts.ShowsVolume(2499)); // for 1.5 s
    EXPECT_FALSE(comforts.ShowsVolume(2500));
    comforts.SaveWhenSettled(1000 + TComforts::SaveQuietMilliseconds - 1);
    EXPECT_FALSE(std::filesystem::exists(File())) << "written before the change settled";
    comforts.SaveWhenSettled(1000 + TComforts::SaveQuietMilliseconds);
    EXPECT_EQ(LoadSettings(File()).Volume, 100);
    EXPECT_FALSE(comforts.Unsaved());
    // At the top nothing changes and nothing is written, but the indicator still answers.
    std::filesystem::remove(File());
    comforts.Apply(TComfort::VolumeUp, 5000);
    EXPECT_TRUE(comforts.ShowsVolume(5000));
    comforts.SaveWhenSettled(9000);
    EXPECT_FALSE(std::filesystem::exists(File()));
    // A held key repeats every 30 ms: one write, a quiet second after the last step.
    uint32_t now = 10000;
    for (int step = 0; step < 5; ++step, now += 30) {
        comforts.Apply(TComfort::VolumeDown, now);
        comforts.SaveWhenSettled(now);
    }
    comforts.SaveWhenSettled(now - 30 + TComforts::SaveQuietMilliseconds - 1);
    EXPECT_FALSE(std::filesystem::exists(File()));
    comforts.SaveWhenSettled(now - 30 + TComforts::SaveQuietMilliseconds);
    EXPECT_EQ(LoadSettings(File()).Volume, 50);
}

TEST_F(Comforts, AChangeNotYetSettledIsWrittenOnTheWayOut) {
    {
        TComforts comforts({90, false, false}, File(), nullptr);
        comforts.Apply(TComfort::MuteMusic, 6000);
        comforts.Apply(TComfort::VolumeDown, 6100);
        EXPECT_FALSE(std::filesystem::exists(File()));
    }
    EXPECT_EQ(LoadSettings(File()), (TSettings{80, true, false}));
}

TEST_F(Comforts, MusicMutedFromTheSettingsShowsTheIndicatorAtTheStart) {
    TComforts muted({80, true, false}, File(), nullptr);
    muted.ShowMutedStart(2000);
    EXPECT_TRUE(muted.ShowsVolume(2000));
    EXPECT_TRUE(muted.ShowsVolume(2000 + TComforts::IndicatorMilliseconds - 1));
    EXPECT_FALSE(muted.ShowsVolume(2000 + TComforts::IndicatorMilliseconds));
    TComforts playing({80, false, false}, File(), nullptr);
    playing.ShowMutedStart(2000);
    EXPECT_FALSE(playing.ShowsVolume(2000));
    EXPECT_FALSE(std::filesystem::exists(File())) << "nothing changed, nothing written";
}

TEST_F(Comforts, FilterTakesTheKeysItActsOnAndATogglePressOnlyOnce) {
    TGameScreen screen;
    TComforts comforts({}, File(), nullptr);
    SDL_Event mute = KeyEvent(SDL_KEYDOWN, SDLK_m);
    EXPECT_TRUE(comforts.Filter(mute));
    EXPECT_TRUE(comforts.Filter(mute)) << "the keyboard's repeat";
    EXPECT_TRUE(comforts.Settings().MusicMuted);
    SDL_Event release = KeyEvent(SDL_KEYUP, SDLK_m);
    EXPECT_FALSE(comforts.Filter(release));
    EXPECT_TRUE(comforts.Filter(mute));
    EXPECT_FALSE(comforts.Settings().MusicMuted);
    SDL_Event down = KeyEvent(SDL_KEYDOWN, SDLK_MINUS);
    EXPECT_TRUE(comforts.Filter(down));
    EXPECT_TRUE(comforts.Filter(down)) << "volume steps repeat";
    EXPECT_EQ(comforts.Settings().Volume, 80);
    SDL_Event space = KeyEvent(SDL_KEYDOWN, SDLK_SPACE);
    EXPECT_FALSE(comforts.Filter(space));

    // A screen taking text gets its characters.
    TTextScreen typing;
    SetCurrentListener(&typing, &screen.Loop);
    EXPECT_FALSE(comforts.Filter(down));
    EXPECT_EQ(comforts.Settings().Volume, 80);
}

TEST_F(Comforts, AFullScreenSwitchThatFailsShowsTheRefusalForTwoSecondsOfFrames) {
    TScreen closed("Quelmark!", 800, 600, 16, false, 500); // a window that cannot switch
    TComforts comforts({}, File(), &closed);
    EXPECT_FALSE(comforts.ShowsRefusal(0));
    comforts.Apply(TComfort::FullScreen, 1000);
    EXPECT_FALSE(comforts.Settings().FullScreen);
    // The first frame after the attempt, which held the picture still, starts the time.
    EXPECT_TRUE(comforts.ShowsRefusal(2500));
    EXPECT_TRUE(comforts.ShowsRefusal(4499));
    EXPECT_FALSE(comforts.ShowsRefusal(4500));
    EXPECT_FALSE(comforts.ShowsVolume(2500));
    comforts.Apply(TComfort::FullScreen, 9000);
    EXPECT_TRUE(comforts.ShowsRefusal(9100)) << "a second refusal shows again";
    EXPECT_FALSE(std::filesystem::exists(File()));
}

TEST_F(Comforts, FullScreenWithoutAWindowChangesNothing) {
    TComforts comforts({}, File(), nullptr);
    comforts.Apply(TComfort::FullScreen, 100);
    EXPECT_FALSE(comforts.Settings().FullScreen);
    EXPECT_FALSE(comforts.ShowsVolume(100));
    EXPECT_FALSE(comforts.ShowsRefusal(100));
    EXPECT_FALSE(std::filesystem::exists(File()));
}

} // namespace
