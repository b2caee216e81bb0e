// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/keybindingsunit.h"

#include <SDL_keyboard.h>
#include <algorithm>
#include <cctype>

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

std::string KeyCapCaption(SDLKey key) {
    switch (key) {
    case SDLK_LEFT:
        return "\u2190";
    case SDLK_UP:
        return "\u2191";
    case SDLK_RIGHT:
        return "\u2192";
    case SDLK_DOWN:
        return "\u2193";
    case SDLK_LCTRL:
        return "Ctrl";
    case SDLK_RCTRL:
        return "R Ctrl";
    case SDLK_LSHIFT:
        return "Shift";
    case SDLK_RSHIFT:
        return "R Shift";
    case SDLK_LALT:
        return "Alt";
    case SDLK_RALT:
        return "R Alt";
    case SDLK_LMETA:
        return "Meta";
    case SDLK_RMETA:
        return "R Meta";
    case SDLK_LSUPER:
        return "Super";
    case SDLK_RSUPER:
        return "R Super";
    default:
        break;
    }
    std::string name = KeyName(key);
    if (name.size() > 2 && name.front() == '[' && name.back() == ']')
        return "Num " + name.substr(1, name.size() - 2);
    for (size_t i = 0; i < name.size(); ++i)
        if (i == 0 || name[i - 1] == ' ')
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    return name;
}

namespace {
constexpr char32_t Arrows[] = {0x2190, 0x2191, 0x2192, 0x2193};
}

char32_t CaptionGlyphCode(int index) {
    return index < 95 ? static_cast<char32_t>(32 + index) : Arrows[index - 95];
}

std::vector<int> CaptionGlyphs(const std::string& caption) {
    std::vector<int> glyphs;
    for (size_t i = 0; i < caption.size(); ++i) {
        const auto byte = static_cast<unsigned char>(caption[i]);
        if (byte >= 32 && byte < 127) {
            glyphs.push_back(byte - 32);
        } else if (byte == 0xE2 && i + 2 < caption.size() &&
                   static_cast<unsigned char>(caption[i + 1]) == 0x86) {
            // U+2190..U+2193 are E2 86 90..93.
            const int arrow = static_cast<unsigned char>(caption[i + 2]) - 0x90;
            glyphs.push_back(arrow >= 0 && arrow < 4 ? 95 + arrow : -1);
            i += 2;
        } else {
            glyphs.push_back(-1);
        }
    }
    return glyphs;
}
