// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A real SDL window with an OpenGL context for drawing tests (run under Xvfb).
#pragma once

#include <array>
#include <cstdint>

class TGlTestWindow {
public:
    // Opens a width x height OpenGL window; throws std::runtime_error when SDL cannot.
    TGlTestWindow(int width = 64, int height = 64);
    ~TGlTestWindow();
    TGlTestWindow(const TGlTestWindow&) = delete;
    TGlTestWindow& operator=(const TGlTestWindow&) = delete;

    int Width() const { return FWidth; }
    int Height() const { return FHeight; }
    // Resets projection and model-view to a pixel overlay (origin top left, y down),
    // clears to black and disables depth test, lighting, texturing, culling and blending.
    void ResetToOverlay() const;
    // The RGBA bytes of the back buffer at (x, y), y counted from the top.
    std::array<uint8_t, 4> Pixel(int x, int y) const;

private:
    int FWidth;
    int FHeight;
};
