// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The gamepad: joystick events become the key presses and releases a player would make, fed
// back through SDL's queue so that every key rule and every screen treats them as keys.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <functional>
#include <vector>

// A key press or release the pad stands for.
struct TPadKey {
    SDLKey Key;
    bool Pressed;
};

// The mapping, without a device: the left stick (outside a 25 % dead zone), the hat and the
// d-pad buttons are the arrows; the south and west buttons Ctrl, but the west button D on the
// title (today's field); Start space (Return on the name entry); Back P; the north button H
// (the high scores, on the title). Any other button is a
// key of no meaning, so that it still counts as "any key". Each source keeps its own state:
// releasing the stick does not release an arrow the d-pad still holds.
class TGamepadMapper {
public:
    // Axis values from this far out of the centre count as pushed (25 % of the full range).
    static constexpr int32_t DeadZone = 8192;

    // Button numbers as SDL's game-controller layout gives them (the game asks sdl12-compat
    // for that layout, so they are the same on every pad it knows).
    enum TButton : uint8_t {
        South = 0,
        East = 1,
        West = 2,
        North = 3,
        Back = 4,
        Guide = 5,
        Start = 6,
        DpadUp = 11,
        DpadDown = 12,
        DpadLeft = 13,
        DpadRight = 14,
    };

    // The key events one joystick event stands for, in order; none for any other event.
    // nameEntry: the game-over name field is open, where Start confirms the name. title: the
    // title is shown, where the west button starts today's field.
    std::vector<TPadKey> Translate(const SDL_Event& event, bool nameEntry, bool title = false);

private:
    enum TSource { Stick, Hat, Buttons, SourceCount };
    // The controls, one bit each in a source's held set.
    static constexpr uint32_t Left = 1, Right = 2, Up = 4, Down = 8, Swing = 16, StartKey = 32,
                              BackKey = 64, TableKey = 128, FieldKey = 256, Other = 512;

    // Sets the source's held controls within mask to held, and reports every control whose
    // combined state over all sources changed.
    void Hold(TSource source, uint32_t mask, uint32_t held, std::vector<TPadKey>& out);
    uint32_t Combined() const;
    uint32_t ControlOf(uint8_t button) const;
    SDLKey KeyOf(uint32_t control) const;

    uint32_t FHeld[SourceCount] = {};
    uint32_t FButtonsDown = 0;     // one bit per button number
    SDLKey FStartKey = SDLK_SPACE; // what Start pressed, so its release matches
    bool FWestStartsField = false; // what the west button pressed, likewise
};

// The first joystick, opened at start-up (none is fine), and the filter that turns its
// events into keys on SDL's queue.
class TGamepad {
public:
    // Opens joystick 0 when there is one, in SDL's game-controller layout.
    TGamepad();
    ~TGamepad();
    TGamepad(const TGamepad&) = delete;
    TGamepad& operator=(const TGamepad&) = delete;

    // For the loop's event filter: takes joystick events, pushing the keys they stand for.
    bool Filter(SDL_Event& event);

    bool Opened() const { return FJoystick != nullptr; }
    // Whether the game-over name field is open; unset, it never is.
    std::function<bool()> NameEntryOpen;
    // Whether the title is shown; unset, it never is.
    std::function<bool()> TitleOpen;

private:
    SDL_Joystick* FJoystick = nullptr;
    TGamepadMapper FMapper;
};
