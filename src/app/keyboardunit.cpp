// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keyboardunit.h"

#include <SDL.h>
#include <algorithm>
#include <array>

void TKeyState::Clear() {
    Left = Shift = Right = Up = Down = Tab = Control = false;
}

namespace {
const TKeyBindings DesignKeys;
}

void TKeyState::PressKey(uint16_t sym, bool designKeys) {
    if (bool* flag = FlagOf(sym, designKeys)) *flag = true;
}

void TKeyState::ReleaseKey(uint16_t sym, bool designKeys) {
    if (bool* flag = FlagOf(sym, designKeys)) *flag = false;
}

std::optional<TPlayAction> TKeyState::ActionOf(const SDL_KeyboardEvent& event) const {
    return (FromPad(event) ? DesignKeys : Bindings).ActionOf(event.keysym.sym);
}

bool* TKeyState::FlagOf(uint16_t sym, bool designKeys) {
    const auto action =
        sym < SDLK_LAST ? (designKeys ? DesignKeys : Bindings).ActionOf(static_cast<SDLKey>(sym))
                        : std::nullopt;
    if (action) {
        switch (*action) {
        case TPlayAction::TurnLeft:
            return &Left;
        case TPlayAction::TurnRight:
            return &Right;
        case TPlayAction::Forwards:
            return &Up;
        case TPlayAction::Backwards:
            return &Down;
        case TPlayAction::Swing:
            return &Control;
        case TPlayAction::Pause:
            return nullptr;
        }
    }
    switch (sym) {
    case SDLK_TAB:
        return &Tab;
    case SDLK_RSHIFT:
    case SDLK_LSHIFT:
        return &Shift;
    default:
        return nullptr;
    }
}

bool IsStaleRepeat(const SDL_Event& event) {
    if (event.type != SDL_KEYDOWN || FromPad(event.key)) return false;
    const SDLKey key = event.key.keysym.sym;
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    if (state == nullptr || key >= count || state[key] != 0) return false;
    // Peeking neither pumps nor takes events; the queue holds at most 128.
    std::array<SDL_Event, 128> queued;
    const int releases = SDL_PeepEvents(queued.data(), static_cast<int>(queued.size()),
                                        SDL_PEEKEVENT, SDL_EVENTMASK(SDL_KEYUP));
    return std::none_of(queued.begin(), queued.begin() + std::max(releases, 0),
                        [key](const SDL_Event& e) { return e.key.keysym.sym == key; });
}
