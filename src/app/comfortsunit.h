// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What the keys do on every screen besides the screen's own meaning: the volume, the music
// mute and full screen, kept in the settings file; and the volume indicator's timing.
#pragma once

#include "app/settingsunit.h"

#include <SDL.h>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

class TScreen;

enum class TComfort { None, FullScreen, MuteMusic, VolumeDown, VolumeUp };

// What a key press asks for. While the screen takes text, the keys that type characters
// (m, -, +, =) belong to the text and ask for nothing; F11 and Alt+Return always act.
TComfort ComfortOf(const SDL_keysym& key, bool takingText);

class TComforts {
public:
    // How long the indicator stays after a change.
    static constexpr uint32_t IndicatorMilliseconds = 1500;
    // After a switch to or from full screen, presses of the toggle are ignored this long: the
    // window's focus moves during the switch, and the keyboard then reports the key again.
    static constexpr uint32_t FullScreenSettleMilliseconds = 750;
    // How long the plaque that says a full-screen switch could not be made stays.
    static constexpr uint32_t RefusalMilliseconds = 2000;
    // A change is written once the settings have stood still this long, so that a held key,
    // a dragged slider or a dragged window edge writes once when it ends.
    static constexpr uint32_t SaveQuietMilliseconds = 1000;

    // settings: as loaded; settingsFile: where changes go ("" keeps them for this run);
    // screen: the window full screen toggles, or none.
    TComforts(TSettings settings, std::string settingsFile, TScreen* screen);
    // Writes what is still unwritten.
    ~TComforts();
    TComforts(const TComforts&) = delete;
    TComforts& operator=(const TComforts&) = delete;

    // The loop's event filter: takes the key presses it acts on, and lets everything else
    // through (key releases too, so that screens keep their held keys right).
    bool Filter(SDL_Event& event);
    // Does what the comfort asks for at the tick reading now; a change is saved later.
    void Apply(TComfort comfort, uint32_t now);
    // Takes every setting at once (the options screen), acting on what changed; a change is
    // saved later.
    void Change(const TSettings& settings, uint32_t now);
    // The player gave the window a new size at now: the picture follows, and the settings keep
    // it.
    void Resize(int width, int height, uint32_t now);

    // Called every frame: saves a change once SaveQuietMilliseconds have passed since the last.
    void SaveWhenSettled(uint32_t now);
    // Saves a change not yet saved, at once (on the way out).
    void SaveNow();
    bool Unsaved() const { return FUnsaved; }

    // At the first frames: music that starts muted from the settings shows the indicator for
    // its time, so that the silence is not taken for a fault.
    void ShowMutedStart(uint32_t now);

    const TSettings& Settings() const { return FSettings; }
    // Whether the volume indicator shows at now: for a while after the last change.
    bool ShowsVolume(uint32_t now) const;
    // Whether the plaque saying the last full-screen switch failed shows at now: for
    // RefusalMilliseconds from the first frame that asks, as the failed attempt itself holds
    // the picture still for a second or more.
    bool ShowsRefusal(uint32_t now);

private:
    // A toggle acts once per press: the keyboard's repeat must not flip it back and forth.
    bool FirstPress(SDLKey key);
    void Changed(uint32_t now);
    // Hands the settings the screens read (keys, counter) to the shared globals.
    void Publish() const;

    TSettings FSettings;
    std::string FFile;
    TScreen* FScreen;
    std::vector<SDLKey> FHeldToggles;
    bool FIndicatorShown = false;
    uint32_t FChangedAt = 0;
    bool FSwitched = false;
    uint32_t FSwitchedAt = 0;
    bool FRefused = false;
    std::optional<uint32_t> FRefusalShownFrom;
    bool FUnsaved = false;
    uint32_t FLastChangeAt = 0;
};
