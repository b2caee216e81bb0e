// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keyboardunit.h"

#include <SDL_keysym.h>

void TKeyState::Clear() {
    Left = Shift = Right = Up = Down = Tab = Control = false;
}

void TKeyState::PressKey(uint16_t sym) {
    if (bool* flag = FlagOf(sym)) *flag = true;
}

void TKeyState::ReleaseKey(uint16_t sym) {
    if (bool* flag = FlagOf(sym)) *flag = false;
}

bool* TKeyState::FlagOf(uint16_t sym) {
    switch (sym) {
    case SDLK_TAB:
        return &Tab;
    case SDLK_UP:
        return &Up;
    case SDLK_DOWN:
        return &Down;
    case SDLK_RIGHT:
        return &Right;
    case SDLK_LEFT:
        return &Left;
    case SDLK_RSHIFT:
    case SDLK_LSHIFT:
        return &Shift;
    case SDLK_RCTRL:
    case SDLK_LCTRL:
        return &Control;
    default:
        return nullptr;
    }
}
