// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Which play controls are held down, fed by key events and read every frame.
#pragma once

#include <cstdint>

class TKeyState {
public:
    void Clear();
    // Sets or clears the flag of an SDL key symbol; symbols outside the table change nothing.
    void PressKey(uint16_t sym);
    void ReleaseKey(uint16_t sym);

    bool Left = false;
    bool Shift = false; // both shift keys share it
    bool Right = false;
    bool Up = false;
    bool Down = false;
    bool Tab = false;
    bool Control = false; // both control keys share it

private:
    bool* FlagOf(uint16_t sym);
};
