// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keybindingsunit.h"

#include <SDL_keyboard.h>
#include <algorithm>

namespace {

struct TActionNames {
    const char* Setting;
    const char* Label;
};

constexpr TActionNames Names[PlayActionCount] = {
    {"turn_left", "Turn left"},      {"turn_right", "Turn right"}, {"forwards", "Walk forwards"},
    {"backwards", "Walk backwards"}, {"swing", "Swing"},           {"pause", "Pause"}};

} // namespace

const char* ActionSettingName(TPlayAction action) {
    return Names[static_cast<size_t>(action)].Setting;
}

const char* ActionLabel(TPlayAction action) {
    return Names[static_cast<size_t>(action)].Label;
}

std::string KeyName(SDLKey key) {
    return SDL_GetKeyName(key);
}

std::optional<SDLKey> KeyOfName(const std::string& name) {
    for (int k = SDLK_FIRST + 1; k < SDLK_LAST; ++k)
        if (name == SDL_GetKeyName(static_cast<SDLKey>(k)) && name != "unknown key")
            return static_cast<SDLKey>(k);
    return std::nullopt;
}

bool IsReservedKey(SDLKey key) {
    switch (key) {
    case SDLK_UNKNOWN:
    case SDLK_ESCAPE:
    case SDLK_F11:
    case SDLK_RETURN:
    case SDLK_SPACE:
    case SDLK_m:
    case SDLK_MINUS:
    case SDLK_PLUS:
    case SDLK_EQUALS:
    case SDLK_KP_MINUS:
    case SDLK_KP_PLUS:
        return true;
    default:
        return false;
    }
}

TKeyBindings::TKeyBindings()
    : FKeys{SDLK_LEFT, SDLK_RIGHT, SDLK_UP, SDLK_DOWN, SDLK_LCTRL, SDLK_p},
      FAlternates{SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_UNKNOWN, SDLK_RCTRL, SDLK_PAUSE} {}

std::optional<TPlayAction> TKeyBindings::ActionOf(SDLKey key) const {
    if (key == SDLK_UNKNOWN) return std::nullopt;
    for (const auto* keys : {&FKeys, &FAlternates}) {
        const auto found = std::find(keys->begin(), keys->end(), key);
        if (found != keys->end()) return static_cast<TPlayAction>(found - keys->begin());
    }
    return std::nullopt;
}

TRebind TKeyBindings::Rebind(TPlayAction action, SDLKey key) {
    if (IsReservedKey(key)) return TRebind::Refused;
    const auto index = static_cast<size_t>(action);
    SDLKey& own = FKeys[index];
    // An action's own second key only trades places with its main key.
    if (key == FAlternates[index]) std::swap(FAlternates[index], own);
    if (key == own) return TRebind::Bound;
    for (auto* keys : {&FKeys, &FAlternates}) {
        const auto other = std::find(keys->begin(), keys->end(), key);
        if (other == keys->end()) continue;
        *other = own;
        own = key;
        return TRebind::Swapped;
    }
    own = key;
    return TRebind::Bound;
}
