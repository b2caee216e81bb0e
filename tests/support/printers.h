// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// How failing checks print the game's records: fields by name, not bytes.
#pragma once

#include "app/settingsunit.h"

#include <ostream>

inline void PrintTo(const TSettings& s, std::ostream* out) {
    *out << "{Volume " << s.Volume << ", MusicMuted " << s.MusicMuted << ", FullScreen "
         << s.FullScreen << "}";
}
