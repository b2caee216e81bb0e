// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keyboardunit.h"
#include "support/glwindow.h"

#include <SDL.h>
#include <gtest/gtest.h>

namespace {

bool AnyHeld(const TKeyState& k) {
    return k.Left || k.Shift || k.Right || k.Up || k.Down || k.Tab || k.Control;
}

TEST(KeyState, TableMapsEachSymbolToItsFlag) {
    TKeyState keys;
    EXPECT_FALSE(AnyHeld(keys));
    struct Case {
        SDLKey sym;
        bool TKeyState::*flag;
    };
    const Case cases[] = {{SDLK_TAB, &TKeyState::Tab},      {SDLK_UP, &TKeyState::Up},
                          {SDLK_DOWN, &TKeyState::Down},    {SDLK_RIGHT, &TKeyState::Right},
                          {SDLK_LEFT, &TKeyState::Left},    {SDLK_RSHIFT, &TKeyState::Shift},
                          {SDLK_LSHIFT, &TKeyState::Shift}, {SDLK_RCTRL, &TKeyState::Control},
                          {SDLK_LCTRL, &TKeyState::Control}};
    for (const Case& c : cases) {
        keys.PressKey(c.sym);
        EXPECT_TRUE(keys.*c.flag) << c.sym;
        keys.ReleaseKey(c.sym);
        EXPECT_FALSE(AnyHeld(keys)) << c.sym;
    }
}

TEST(KeyState, BothShiftKeysShareOneFlag) {
    TKeyState keys;
    keys.PressKey(SDLK_LSHIFT);
    keys.PressKey(SDLK_RSHIFT);
    keys.ReleaseKey(SDLK_RSHIFT);
    EXPECT_FALSE(keys.Shift);
    keys.PressKey(SDLK_LCTRL);
    keys.PressKey(SDLK_RCTRL);
    keys.ReleaseKey(SDLK_LCTRL);
    EXPECT_FALSE(keys.Control);
}

TEST(KeyState, RepeatedPressesNeedOneRelease) {
    TKeyState keys;
    for (int i = 0; i < 5; ++i)
        keys.PressKey(SDLK_UP);
    EXPECT_TRUE(keys.Up);
    keys.ReleaseKey(SDLK_UP);
    EXPECT_FALSE(keys.Up);
}

TEST(KeyState, KeysOutsideTheTableChangeNothing) {
    TKeyState keys;
    keys.PressKey(SDLK_LEFT);
    for (uint16_t sym : {uint16_t(SDLK_SPACE), uint16_t(SDLK_ESCAPE), uint16_t(SDLK_RETURN),
                         uint16_t(0), uint16_t(65535), uint16_t(SDLK_RALT)}) {
        keys.PressKey(sym);
        keys.ReleaseKey(sym);
    }
    EXPECT_TRUE(keys.Left);
    keys.Clear();
    EXPECT_FALSE(AnyHeld(keys));
}

// Pushed presses leave SDL's key state up, as sdl12-compat's stray repeats find it.
bool FirstIsStale(std::initializer_list<std::pair<Uint8, SDLKey>> queue, Uint8 which = 0) {
    SDL_Event e{};
    while (SDL_PollEvent(&e) == 1) {
    }
    for (const auto& [type, sym] : queue) {
        e.key = {type, which, 0, {0, sym, KMOD_NONE, 0}};
        SDL_PushEvent(&e);
    }
    return SDL_PollEvent(&e) == 1 && IsStaleRepeat(e);
}

TEST(StaleRepeat, APressOfAKeyThatIsUpCountsWithItsReleaseQueuedOrFromThePad) {
    const TGlTestWindow window;
    EXPECT_TRUE(FirstIsStale({{SDL_KEYDOWN, SDLK_LEFT}, {SDL_KEYUP, SDLK_RIGHT}}));
    EXPECT_FALSE(FirstIsStale({{SDL_KEYDOWN, SDLK_LEFT}, {SDL_KEYUP, SDLK_LEFT}}));
    EXPECT_FALSE(FirstIsStale({{SDL_KEYDOWN, SDLK_LEFT}}, PadKeyboard));
}

} // namespace
