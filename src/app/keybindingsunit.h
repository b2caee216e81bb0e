// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The play keys the player chooses: one key per play action, the design's keys by default.
#pragma once

#include <SDL_keysym.h>
#include <array>
#include <optional>
#include <string>
#include <vector>

enum class TPlayAction { TurnLeft, TurnRight, Forwards, Backwards, Swing, Pause };
constexpr int PlayActionCount = 6;

// The action's word in the settings file ("turn_left") and its label on screen ("Turn left").
const char* ActionSettingName(TPlayAction action);
const char* ActionLabel(TPlayAction action);

// SDL's name of the key ("left ctrl"), and the key of such a name.
std::string KeyName(SDLKey key);
std::optional<SDLKey> KeyOfName(const std::string& name);

// Keys that keep their meaning on every screen (Escape, F11, Return, space, M and the volume
// keys) and so can never be play keys; the unknown key neither.
bool IsReservedKey(SDLKey key);

enum class TRebind { Bound, Swapped, Refused };

class TKeyBindings {
public:
    // The design's keys: the arrows, Ctrl and P.
    TKeyBindings();

    SDLKey Key(TPlayAction action) const { return FKeys[static_cast<size_t>(action)]; }
    // The action's second key: right Ctrl swings and Pause pauses as well, whatever their main
    // keys are; the other actions have none (the unknown key).
    SDLKey Alternate(TPlayAction action) const { return FAlternates[static_cast<size_t>(action)]; }
    // The action a key works: a main key first, then a second key.
    std::optional<TPlayAction> ActionOf(SDLKey key) const;
    // Binds the key to the action as its main key. A key another action holds, as its main or
    // its second key, swaps: that action gets this action's old main key in its place (so a
    // taken second key leaves the other's main key alone). A reserved key is refused.
    TRebind Rebind(TPlayAction action, SDLKey key);

    bool operator==(const TKeyBindings&) const = default;

private:
    std::array<SDLKey, PlayActionCount> FKeys;
    std::array<SDLKey, PlayActionCount> FAlternates;
};

// The name a keycap shows for the key: an arrow for the arrow keys, "Ctrl" for the left Ctrl
// key (the right one is "R Ctrl", and so for Shift, Alt, Meta and Super), "Num 0" for keypad
// 0, a capital for a letter, and SDL's name with capitals otherwise ("Page Up").
std::string KeyCapCaption(SDLKey key);

// The glyphs of keycap captions: the printable ASCII characters (index = code - 32), then the
// four arrows left, up, right, down. CaptionGlyphs gives -1 for a character outside them.
constexpr int CaptionGlyphCount = 99;
char32_t CaptionGlyphCode(int index);
std::vector<int> CaptionGlyphs(const std::string& caption);
