// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/freshkeysunit.h"

#include <algorithm>
#include <utility>

void TFreshKeys::Open(uint32_t now, std::vector<SDLKey> held) {
    FOpenedAt = now;
    FHeld = std::move(held);
}

bool TFreshKeys::Accept(SDLKey key, uint32_t now) {
    if (std::find(FHeld.begin(), FHeld.end(), key) != FHeld.end()) return false;
    if (now - FOpenedAt >= SettleMilliseconds) return true;
    FHeld.push_back(key);
    return false;
}

void TFreshKeys::Release(SDLKey key) {
    std::erase(FHeld, key);
}

std::vector<SDLKey> HeldKeys() {
    std::vector<SDLKey> held;
    int count = 0;
    const Uint8* state = SDL_GetKeyState(&count);
    if (state == nullptr) return held;
    for (int key = 0; key < count; ++key)
        if (state[key] != 0) held.push_back(static_cast<SDLKey>(key));
    return held;
}
