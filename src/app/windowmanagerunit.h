// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's window as the X window manager has it: its real size and place, and what the game
// asks of it. Under any other video driver nothing can be read or asked.
#pragma once

#include <cstdint>
#include <functional>

// A window's size and place on its screen, as the X server has it.
struct TWindowGeometry {
    int X = 0, Y = 0, Width = 0, Height = 0;
    int ScreenWidth = 0, ScreenHeight = 0;
};

// The real window, or false when the video driver cannot say.
bool WindowGeometry(TWindowGeometry& geometry);

// Waits up to about a second, while the window manager does what it was asked, for the window
// to meet the wish; the last geometry read stays in geometry. False when it never did; true at
// once when the window cannot be read, for then there is nothing to check with.
bool WaitForWindow(TWindowGeometry& geometry,
                   const std::function<bool(const TWindowGeometry&)>& wish);

// Asks the window manager for a size, as the player would by dragging the border.
void ResizeWindow(int32_t width, int32_t height);

// Whether the whole window lies on its screen.
bool IsOnScreen(const TWindowGeometry& geometry);

// A window off the screen, wholly or in part, goes to the screen's middle.
void MoveOnScreen();
