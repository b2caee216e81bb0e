// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The player's settings (volume, music mute, full screen, the frame-rate counter, the
// difficulty, the play keys, the window's size and how many pixels the picture is drawn
// with), kept between runs in ${XDG_CONFIG_HOME:-$HOME/.config}/quelmark/settings as
// key=value lines.
#pragma once

#include "app/keybindingsunit.h"
#include "app/viewportunit.h"
#include "game/difficultyunit.h"

#include <iosfwd>
#include <optional>
#include <string>

struct TSettings {
    // The window's sides, when it is not full screen.
    static constexpr int MinWindowWidth = 320, MinWindowHeight = 240, MaxWindowSide = 16384;

    int Volume = 100; // master volume in percent, a multiple of 10
    bool MusicMuted = false;
    bool FullScreen = false;
    bool ShowFps = true;
    TDifficulty Difficulty = TDifficulty::Classic;
    TKeyBindings Keys{};
    int WindowWidth = 800;
    int WindowHeight = 600;
    TRenderSize RenderSize = TRenderSize::Auto;
    // The mark on the ground ahead of the viking: the player's choice, or none to let the
    // difficulty decide (shown on Gentle only).
    std::optional<bool> FacingMarker = std::nullopt;

    bool operator==(const TSettings&) const = default;
};

// The settings a text gives: every key that is missing, unknown or unreadable keeps its
// default. Volumes 0..100 are rounded to the nearest 10; anything else is unreadable. The
// key.<action> lines bind in the file's order as the options screen does, a key another
// action holds swapping the two; a reserved or unknown key leaves the binding as it was.
// A window is "WxH", each side within its bounds; render is "auto", "native" or "800x600";
// facing_marker is "auto", "0" or "1".
TSettings ReadSettings(std::istream& in);
// The file's text: a comment line, then one key=value line per setting.
std::string FormatSettings(const TSettings& settings);

// The settings file for an XDG_CONFIG_HOME value (null or empty, or a relative path, means
// unset) and a home directory; "" when neither gives a place.
std::string SettingsFile(const char* configHome, const std::string& home);
// The file of this run's environment and home directory (as the high-score table finds it).
std::string SettingsFile();

// The file's settings, or the defaults when it cannot be read.
TSettings LoadSettings(const std::string& fileName);
// Creates the directory when needed and replaces the file; a failure is logged and the game
// goes on. True when saved.
bool SaveSettings(const std::string& fileName, const TSettings& settings);

// The next volume step, down or up, kept within 0..100.
int StepVolume(int volume, int steps);
