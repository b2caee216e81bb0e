// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keybindingsunit.h"

#include "app/keyboardunit.h"

#include <gtest/gtest.h>

namespace {

using enum TPlayAction;

TEST(KeyBindings, TheDesignsKeysIncludingBothCtrlKeysAndPause) {
    const TKeyBindings keys;
    const std::pair<SDLKey, TPlayAction> cases[] = {
        {SDLK_LEFT, TurnLeft}, {SDLK_RIGHT, TurnRight}, {SDLK_UP, Forwards}, {SDLK_DOWN, Backwards},
        {SDLK_LCTRL, Swing},   {SDLK_RCTRL, Swing},     {SDLK_p, Pause},     {SDLK_PAUSE, Pause}};
    for (const auto& [key, action] : cases)
        EXPECT_EQ(keys.ActionOf(key), action) << KeyName(key);
    for (const SDLKey key : {SDLK_TAB, SDLK_LSHIFT, SDLK_a, SDLK_SPACE, SDLK_UNKNOWN})
        EXPECT_FALSE(keys.ActionOf(key)) << KeyName(key);
}

TEST(KeyBindings, AKeyAnotherActionHoldsSwapsTheTwo) {
    TKeyBindings keys;
    EXPECT_EQ(keys.Rebind(Swing, SDLK_UP), TRebind::Swapped);
    EXPECT_EQ(keys.Key(Swing), SDLK_UP);
    EXPECT_EQ(keys.Key(Forwards), SDLK_LCTRL);
    // The other Ctrl key follows its twin to the new action.
    EXPECT_EQ(keys.ActionOf(SDLK_RCTRL), Forwards);
    EXPECT_EQ(keys.Rebind(Swing, SDLK_a), TRebind::Bound);
    EXPECT_FALSE(keys.ActionOf(SDLK_UP));
    EXPECT_EQ(keys.Rebind(Pause, SDLK_p), TRebind::Bound);
}

TEST(KeyBindings, AKeyBoundOnItsOwnWinsOverItsTwin) {
    TKeyBindings keys;
    ASSERT_EQ(keys.Rebind(TurnLeft, SDLK_PAUSE), TRebind::Bound);
    EXPECT_EQ(keys.ActionOf(SDLK_PAUSE), TurnLeft);
    EXPECT_EQ(keys.ActionOf(SDLK_p), Pause);
}

TEST(KeyBindings, ReservedKeysAreRefusedAndChangeNothing) {
    for (const SDLKey key : {SDLK_ESCAPE, SDLK_F11, SDLK_RETURN, SDLK_SPACE, SDLK_m, SDLK_MINUS,
                             SDLK_PLUS, SDLK_EQUALS, SDLK_KP_MINUS, SDLK_KP_PLUS, SDLK_UNKNOWN}) {
        TKeyBindings keys;
        EXPECT_EQ(keys.Rebind(Swing, key), TRebind::Refused) << KeyName(key);
        EXPECT_EQ(keys, TKeyBindings());
    }
    for (const SDLKey key : {SDLK_n, SDLK_F10, SDLK_KP_ENTER, SDLK_BACKSPACE, SDLK_RALT})
        EXPECT_FALSE(IsReservedKey(key)) << KeyName(key);
}

TEST(KeyBindings, KeyNamesReadBack) {
    for (const SDLKey key : {SDLK_LCTRL, SDLK_a, SDLK_COMMA, SDLK_KP0, SDLK_PAUSE, SDLK_F1})
        EXPECT_EQ(KeyOfName(KeyName(key)), key) << KeyName(key);
    for (const char* name : {"", "unknown key", "Left", "left ctrl "})
        EXPECT_FALSE(KeyOfName(name)) << name;
}

TEST(KeyState, ARebindSwingKeySetsTheFlagAndTheOldOneNoLonger) {
    TKeyState state;
    state.Bindings.Rebind(Swing, SDLK_s);
    for (const SDLKey old : {SDLK_LCTRL, SDLK_RCTRL}) {
        state.PressKey(old);
        EXPECT_FALSE(state.Control) << KeyName(old);
    }
    state.PressKey(SDLK_s);
    EXPECT_TRUE(state.Control);
    state.ReleaseKey(SDLK_s);
    EXPECT_FALSE(state.Control);
    // The pad speaks in the design's keys.
    state.PressKey(SDLK_LCTRL, true);
    EXPECT_TRUE(state.Control);
}

} // namespace
