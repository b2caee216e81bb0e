// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the game's picture goes in a window of any size.
#pragma once

// How many pixels the picture is drawn with: the window's real pixels, the design's own
// 800 x 600 (scaled up by SDL to a larger window), or whichever suits the renderer.
enum class TRenderSize { Auto, Native, Design };

// Whether a setting draws with the window's own pixels: auto does unless a software renderer
// would pay for every one of them.
bool ResolvesNative(TRenderSize size, bool softwareRenderer);

struct TViewport {
    int X = 0; // from the window's left edge
    int Y = 0; // from the window's bottom edge, as glViewport counts
    int Width = 0;
    int Height = 0;

    bool operator==(const TViewport&) const = default;
};

// The largest area of the screen's own shape (shapeWidth : shapeHeight, 4:3 for the game's
// 800 x 600) centred in a window of width x height pixels, the rest being black bars; a window
// or a shape smaller than 1 x 1 counts as 1 x 1, and the area is never empty.
TViewport PictureViewport(int width, int height, int shapeWidth, int shapeHeight);

// Whether the area shows the 800 x 600 overlay at a whole multiple of 2 or more, where pixel
// art is sharpest sampled from its nearest texel.
bool IsWholeScaleUp(const TViewport& area);

// Whether the area shows the overlay at a scale that is no whole number (smaller or larger
// than the design, not twice or thrice it), where its pictures are filtered smoothly.
bool IsFractionalScale(const TViewport& area);

struct TOverlayPoint {
    int X = 0, Y = 0;
    bool operator==(const TOverlayPoint&) const = default;
};

// A pixel of a window surfaceHeight pixels high (x from the left, y down from the top) in the
// overlay's 800 x 600 over the area, kept within them: where a mouse event lands on a screen.
TOverlayPoint OverlayPoint(const TViewport& area, int surfaceHeight, int x, int y);
