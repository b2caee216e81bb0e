// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which key presses a screen that has just opened takes: none of the keys still held from the
// screen before, none in its first moments, every one after.
#pragma once

#include <SDL.h>
#include <cstdint>
#include <vector>

class TFreshKeys {
public:
    // A key hit as the screen opens, at the moment of death say, is no answer to it.
    static constexpr uint32_t SettleMilliseconds = 400;

    // The screen opens at now with these keys held; their presses (the keyboard's repeats
    // included) count only after they have been released.
    void Open(uint32_t now, std::vector<SDLKey> held);
    // Whether a press of the key at now counts. A press while the screen settles does not,
    // nor do its repeats until the key is released.
    bool Accept(SDLKey key, uint32_t now);
    void Release(SDLKey key);

    uint32_t OpenedAt() const { return FOpenedAt; }

private:
    uint32_t FOpenedAt = 0;
    std::vector<SDLKey> FHeld;
};

// The keys SDL reports down right now.
std::vector<SDLKey> HeldKeys();
