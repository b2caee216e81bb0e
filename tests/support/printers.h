// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How failing checks print the game's records: fields by name, not bytes.
#pragma once

#include "app/settingsunit.h"

#include <ostream>

inline void PrintTo(TDifficulty d, std::ostream* out) {
    *out << DifficultySettingName(d);
}

// Every field, so that two settings that differ never print the same.
inline void PrintTo(const TSettings& s, std::ostream* out) {
    *out << "{Volume " << s.Volume << ", MusicMuted " << s.MusicMuted << ", FullScreen "
         << s.FullScreen << ", ShowFps " << s.ShowFps << ", Difficulty "
         << DifficultySettingName(s.Difficulty) << ", Keys";
    for (int i = 0; i < PlayActionCount; ++i) {
        const auto action = static_cast<TPlayAction>(i);
        *out << ' ' << ActionSettingName(action) << '=' << KeyName(s.Keys.Key(action)) << " ("
             << static_cast<int>(s.Keys.Key(action)) << ')';
    }
    *out << ", Window " << s.WindowWidth << 'x' << s.WindowHeight << ", RenderSize "
         << static_cast<int>(s.RenderSize) << ", FacingMarker "
         << (s.FacingMarker ? (*s.FacingMarker ? "1" : "0") : "unset") << '}';
}
