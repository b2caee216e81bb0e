// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/gamepadunit.h"

#include "app/keyboardunit.h"

#include <cstdlib>

namespace {

bool IsJoystickEvent(uint8_t type) {
    return type == SDL_JOYAXISMOTION || type == SDL_JOYHATMOTION || type == SDL_JOYBUTTONDOWN ||
           type == SDL_JOYBUTTONUP || type == SDL_JOYBALLMOTION;
}

} // namespace

std::vector<TPadKey> TGamepadMapper::Translate(const SDL_Event& event, bool nameEntry, bool title) {
    std::vector<TPadKey> out;
    switch (event.type) {
    case SDL_JOYAXISMOTION: {
        const int32_t value = event.jaxis.value;
        if (event.jaxis.axis == 0)
            Hold(Stick, Left | Right,
                 value <= -DeadZone  ? Left
                 : value >= DeadZone ? Right
                                     : 0,
                 out);
        else if (event.jaxis.axis == 1)
            Hold(Stick, Up | Down, value <= -DeadZone ? Up : value >= DeadZone ? Down : 0, out);
        break;
    }
    case SDL_JOYHATMOTION: {
        const uint8_t hat = event.jhat.value;
        Hold(Hat, Left | Right | Up | Down,
             (hat & SDL_HAT_LEFT ? Left : 0) | (hat & SDL_HAT_RIGHT ? Right : 0) |
                 (hat & SDL_HAT_UP ? Up : 0) | (hat & SDL_HAT_DOWN ? Down : 0),
             out);
        break;
    }
    case SDL_JOYBUTTONDOWN:
    case SDL_JOYBUTTONUP: {
        const uint8_t button = event.jbutton.button;
        if (button >= 32) break;
        const uint32_t bit = 1u << button;
        const bool down = event.type == SDL_JOYBUTTONDOWN;
        if (button == Start && down && (FButtonsDown & bit) == 0)
            FStartKey = nameEntry ? SDLK_RETURN : SDLK_SPACE;
        if (button == West && down && (FButtonsDown & bit) == 0) FWestStartsField = title;
        FButtonsDown = down ? FButtonsDown | bit : FButtonsDown & ~bit;
        uint32_t held = 0;
        for (uint8_t b = 0; b < 32; ++b)
            if (FButtonsDown & (1u << b)) held |= ControlOf(b);
        Hold(Buttons, ~0u, held, out);
        break;
    }
    default:
        break;
    }
    return out;
}

void TGamepadMapper::Hold(TSource source, uint32_t mask, uint32_t held, std::vector<TPadKey>& out) {
    const uint32_t before = Combined();
    FHeld[source] = (FHeld[source] & ~mask) | (held & mask);
    const uint32_t after = Combined();
    for (uint32_t control = 1; control <= Other; control <<= 1)
        if ((before ^ after) & control) out.push_back({KeyOf(control), (after & control) != 0});
}

uint32_t TGamepadMapper::ControlOf(uint8_t button) const {
    switch (button) {
    case DpadLeft:
        return Left;
    case DpadRight:
        return Right;
    case DpadUp:
        return Up;
    case DpadDown:
        return Down;
    case South:
        return Swing;
    case West:
        return FWestStartsField ? FieldKey : Swing;
    case Start:
        return StartKey;
    case Back:
        return BackKey;
    case North:
        return TableKey;
    case Guide:
        return 0; // the system's button
    default:
        return Other;
    }
}

uint32_t TGamepadMapper::Combined() const {
    return FHeld[Stick] | FHeld[Hat] | FHeld[Buttons];
}

SDLKey TGamepadMapper::KeyOf(uint32_t control) const {
    switch (control) {
    case Left:
        return SDLK_LEFT;
    case Right:
        return SDLK_RIGHT;
    case Up:
        return SDLK_UP;
    case Down:
        return SDLK_DOWN;
    case Swing:
        return SDLK_LCTRL;
    case StartKey:
        return FStartKey;
    case BackKey:
        return SDLK_p;
    case TableKey:
        return SDLK_h;
    case FieldKey:
        return SDLK_d;
    default:
        return SDLK_UNKNOWN;
    }
}

TGamepad::TGamepad() {
    // sdl12-compat reads this when the joystick subsystem starts: pads it knows then number
    // their buttons alike (south 0, west 2, back 4, start 6, d-pad 11 to 14).
    setenv("SDL12COMPAT_USE_GAME_CONTROLLERS", "1", 0);
    if (SDL_InitSubSystem(SDL_INIT_JOYSTICK) != 0) return;
    if (SDL_NumJoysticks() > 0) FJoystick = SDL_JoystickOpen(0);
    SDL_JoystickEventState(SDL_ENABLE);
}

TGamepad::~TGamepad() {
    if (FJoystick != nullptr) SDL_JoystickClose(FJoystick);
    SDL_QuitSubSystem(SDL_INIT_JOYSTICK);
}

bool TGamepad::Filter(SDL_Event& event) {
    if (!IsJoystickEvent(event.type)) return false;
    const bool nameEntry = NameEntryOpen && NameEntryOpen();
    const bool title = TitleOpen && TitleOpen();
    for (const TPadKey& key : FMapper.Translate(event, nameEntry, title)) {
        SDL_Event synthetic{};
        synthetic.type = key.Pressed ? SDL_KEYDOWN : SDL_KEYUP;
        synthetic.key.type = synthetic.type;
        synthetic.key.state = key.Pressed ? SDL_PRESSED : SDL_RELEASED;
        synthetic.key.keysym.sym = key.Key;
        synthetic.key.which = PadKeyboard;
        SDL_PushEvent(&synthetic);
    }
    return true;
}
