// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Full screen and resizing in end-to-end tests: a window manager to grant them, the window's
// size as the X server reports it, and pictures compared across sizes.
#pragma once

#include "support/gamesession.h"

#include <string>

// Runs evilwm on the display while it lives (full screen is the window manager's to grant).
class TWindowManager {
public:
    explicit TWindowManager(const TTestDir& dir);

private:
    TChildProcess FProcess;
};

// The window's size, "WxH".
std::string WindowSize(const std::string& window);
// Waits until the window has kept the size for a second and a half, so that a switch still
// under way is not taken for done; false when it does not within the time (a loaded machine
// can lag the keys by seconds).
bool WaitForSettledSize(const std::string& window, const std::string& size);
// Share of the 800 x 600 window picture, below the frame-rate line, that a larger shot of the
// same 4:3 picture shows alike at the same place scaled up to its size.
double AlikeScaled(const TShot& window, const TShot& large);
