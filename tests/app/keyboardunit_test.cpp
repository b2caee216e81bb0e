// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keyboardunit.h"

#include <SDL_keysym.h>
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

} // namespace
