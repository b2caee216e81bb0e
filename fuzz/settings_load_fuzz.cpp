// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the settings reader: whatever the file held, the volume must be a
// step of 0..100, every play key a distinct key that may be bound, and the written settings
// must read back the same.
#include "app/settingsunit.h"

#include <cstdint>
#include <cstdlib>
#include <set>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    const TSettings settings = ReadSettings(in);
    if (settings.Volume < 0 || settings.Volume > 100 || settings.Volume % 10 != 0) std::abort();
    std::set<SDLKey> keys;
    for (int i = 0; i < PlayActionCount; ++i) {
        const SDLKey key = settings.Keys.Key(static_cast<TPlayAction>(i));
        if (IsReservedKey(key) || !keys.insert(key).second) std::abort();
    }
    std::istringstream back(FormatSettings(settings));
    if (!(ReadSettings(back) == settings)) std::abort();
    return 0;
}
