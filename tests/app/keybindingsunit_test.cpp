// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keybindingsunit.h"

#include "app/keyboardunit.h"

#include <gtest/gtest.h>
#include <optional>

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
    // Right Ctrl is the swing's own second key, and stays with it.
    EXPECT_EQ(keys.ActionOf(SDLK_RCTRL), Swing);
    EXPECT_EQ(keys.Rebind(Swing, SDLK_a), TRebind::Bound);
    EXPECT_FALSE(keys.ActionOf(SDLK_UP));
    EXPECT_EQ(keys.Rebind(Pause, SDLK_p), TRebind::Bound);
}

// Right Ctrl and Pause belong to the swing and the pause whatever their main keys become;
// taking one for another action is a swap that leaves the owner's main key alone.
TEST(KeyBindings, TheSecondKeysStayWithTheirActions) {
    const struct {
        TPlayAction Action;
        SDLKey Key;
        TRebind Result;
        // What left Ctrl, right Ctrl, P, Pause and the action's old main key work afterwards.
        std::optional<TPlayAction> LCtrl, RCtrl, P, PauseKey, Old;
    } cases[] = {{TurnLeft, SDLK_RCTRL, TRebind::Swapped, Swing, TurnLeft, Pause, Pause, Swing},
                 {TurnLeft, SDLK_PAUSE, TRebind::Swapped, Swing, Swing, Pause, TurnLeft, Pause},
                 {TurnRight, SDLK_RCTRL, TRebind::Swapped, Swing, TurnRight, Pause, Pause, Swing},
                 {TurnRight, SDLK_PAUSE, TRebind::Swapped, Swing, Swing, Pause, TurnRight, Pause},
                 {Forwards, SDLK_RCTRL, TRebind::Swapped, Swing, Forwards, Pause, Pause, Swing},
                 {Forwards, SDLK_PAUSE, TRebind::Swapped, Swing, Swing, Pause, Forwards, Pause},
                 {Backwards, SDLK_RCTRL, TRebind::Swapped, Swing, Backwards, Pause, Pause, Swing},
                 {Backwards, SDLK_PAUSE, TRebind::Swapped, Swing, Swing, Pause, Backwards, Pause},
                 {Swing, SDLK_RCTRL, TRebind::Bound, Swing, Swing, Pause, Pause, Swing},
                 {Swing, SDLK_PAUSE, TRebind::Swapped, Pause, Swing, Pause, Swing, Pause},
                 {Pause, SDLK_RCTRL, TRebind::Swapped, Swing, Pause, Swing, Pause, Swing},
                 {Pause, SDLK_PAUSE, TRebind::Bound, Swing, Swing, Pause, Pause, Pause},
                 // Main keys swap as before; the second keys stay where they were.
                 {Swing, SDLK_p, TRebind::Swapped, Pause, Swing, Swing, Pause, Pause},
                 {TurnLeft, SDLK_LCTRL, TRebind::Swapped, TurnLeft, Swing, Pause, Pause, Swing},
                 {Pause, SDLK_a, TRebind::Bound, Swing, Swing, std::nullopt, Pause, std::nullopt}};
    for (const auto& c : cases) {
        TKeyBindings keys;
        const SDLKey old = keys.Key(c.Action);
        EXPECT_EQ(keys.Rebind(c.Action, c.Key), c.Result) << KeyName(c.Key);
        const std::string what = std::string(ActionLabel(c.Action)) + " to " + KeyName(c.Key);
        EXPECT_EQ(keys.Key(c.Action), c.Key) << what;
        EXPECT_EQ(keys.ActionOf(SDLK_LCTRL), c.LCtrl) << what;
        EXPECT_EQ(keys.ActionOf(SDLK_RCTRL), c.RCtrl) << what;
        EXPECT_EQ(keys.ActionOf(SDLK_p), c.P) << what;
        EXPECT_EQ(keys.ActionOf(SDLK_PAUSE), c.PauseKey) << what;
        EXPECT_EQ(keys.ActionOf(old), c.Old) << what;
    }
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

struct TCaptionCase {
    SDLKey Key;
    const char* Caption;
};

class KeyCapCaptions : public testing::TestWithParam<TCaptionCase> {};

TEST_P(KeyCapCaptions, NameTheKeyAsItsCapShowsIt) {
    EXPECT_EQ(KeyCapCaption(GetParam().Key), GetParam().Caption);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, KeyCapCaptions,
    testing::Values(TCaptionCase{SDLK_LEFT, "\u2190"}, TCaptionCase{SDLK_UP, "\u2191"},
                    TCaptionCase{SDLK_RIGHT, "\u2192"}, TCaptionCase{SDLK_DOWN, "\u2193"},
                    TCaptionCase{SDLK_LCTRL, "Ctrl"}, TCaptionCase{SDLK_RCTRL, "R Ctrl"},
                    TCaptionCase{SDLK_RSHIFT, "R Shift"}, TCaptionCase{SDLK_LALT, "Alt"},
                    TCaptionCase{SDLK_a, "A"}, TCaptionCase{SDLK_p, "P"},
                    TCaptionCase{SDLK_COMMA, ","}, TCaptionCase{SDLK_KP0, "Num 0"},
                    TCaptionCase{SDLK_KP_ENTER, "Enter"}, TCaptionCase{SDLK_PAGEUP, "Page Up"},
                    TCaptionCase{SDLK_F10, "F10"}, TCaptionCase{SDLK_BACKSPACE, "Backspace"}));

TEST(KeyCapCaption, GlyphsAreAsciiThenTheFourArrows) {
    EXPECT_EQ(CaptionGlyphs(" ~"), (std::vector<int>{0, 94}));
    EXPECT_EQ(CaptionGlyphs("\u2190\u2191\u2192\u2193"), (std::vector<int>{95, 96, 97, 98}));
    EXPECT_EQ(CaptionGlyphs("\u2194\x1f\x7f\u00e9"), (std::vector<int>{-1, -1, -1, -1, -1}));
    EXPECT_EQ(CaptionGlyphCode(0), U' ');
    EXPECT_EQ(CaptionGlyphCode(94), U'~');
    EXPECT_EQ(CaptionGlyphCode(95), U'\u2190');
    EXPECT_EQ(CaptionGlyphCode(98), U'\u2193');
    // A rebound key's caption is drawn from glyphs the parts hold.
    for (int k = SDLK_FIRST + 1; k < SDLK_LAST; ++k) {
        const auto key = static_cast<SDLKey>(k);
        if (KeyName(key) == "unknown key") continue;
        for (int glyph : CaptionGlyphs(KeyCapCaption(key)))
            EXPECT_GE(glyph, 0) << KeyName(key);
    }
}

TEST(KeyState, ARebindSwingKeySetsTheFlagAndTheOldOneNoLonger) {
    TKeyState state;
    state.Bindings.Rebind(Swing, SDLK_s);
    state.PressKey(SDLK_LCTRL);
    EXPECT_FALSE(state.Control);
    state.PressKey(SDLK_RCTRL);
    EXPECT_TRUE(state.Control) << "right Ctrl stays the swing's second key";
    state.ReleaseKey(SDLK_RCTRL);
    state.PressKey(SDLK_s);
    EXPECT_TRUE(state.Control);
    state.ReleaseKey(SDLK_s);
    EXPECT_FALSE(state.Control);
    // The pad speaks in the design's keys.
    state.PressKey(SDLK_LCTRL, true);
    EXPECT_TRUE(state.Control);
}

} // namespace
