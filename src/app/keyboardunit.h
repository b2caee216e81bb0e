// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which play controls are held down, fed by key events and read every frame.
#pragma once

#include "app/keybindingsunit.h"

#include <SDL_events.h>
#include <cstdint>

// The keyboard number the gamepad's key events carry: the pad speaks in the design's keys,
// whatever keys the player has chosen.
constexpr uint8_t PadKeyboard = 1;
inline bool FromPad(const SDL_KeyboardEvent& event) {
    return event.which == PadKeyboard;
}

// A press of a key nobody holds. sdl12-compat, with UNICODE translation on, hands over a
// press that has no character only after its release when both come in one pump, and then
// arms its key repeat: the released key goes on pressing itself every 30 ms, after 500 ms,
// until another key event (a tapped arrow turned the viking on and on). Such a press is of a
// key that is up with no release of it waiting in the queue. The pad's presses are exempt.
bool IsStaleRepeat(const SDL_Event& event);

class TKeyState {
public:
    void Clear();
    // Sets or clears the flag of an SDL key symbol: the play keys as bound (the design's keys
    // for designKeys), Tab and Shift as they are; other symbols change nothing.
    void PressKey(uint16_t sym, bool designKeys = false);
    void ReleaseKey(uint16_t sym, bool designKeys = false);
    // The flag the event's key sets, keyboard or pad.
    void Press(const SDL_KeyboardEvent& event) { PressKey(event.keysym.sym, FromPad(event)); }
    void Release(const SDL_KeyboardEvent& event) { ReleaseKey(event.keysym.sym, FromPad(event)); }
    // The play action of the event's key, keyboard or pad.
    std::optional<TPlayAction> ActionOf(const SDL_KeyboardEvent& event) const;

    bool Left = false;
    bool Shift = false; // both shift keys share it
    bool Right = false;
    bool Up = false;
    bool Down = false;
    bool Tab = false;
    bool Control = false; // both control keys share it
    TKeyBindings Bindings;

private:
    bool* FlagOf(uint16_t sym, bool designKeys);
};
