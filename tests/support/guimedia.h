// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Stand-in pictures for the GUI's textures, so drawing tests need no generated art: every
// cell of the font and digit grids has a colour of its own, so a pixel read back names the
// cell that was sampled.
#pragma once

#include "assets/mediamanagerunit.h"
#include "support/testdir.h"

#include <array>
#include <cstdint>
#include <string>

using TRgbBytes = std::array<uint8_t, 3>;

// Font grid cell (column 0..15, row 0..7 of the lower half of the 128-texel "font").
TRgbBytes FontCellColour(int column, int row);
// Digit cell (column 0..7, row 0..3 of the 256-texel "numbers").
TRgbBytes DigitCellColour(int column, int row);

std::string FontPng();
std::string NumbersPng();
// A size x size picture of one colour.
std::string SolidPng(TRgbBytes colour, int size);
// A 64 x 64 skin cut into 4 x 4 cells of 16 texels: cell (column, row) has the colour
// SkinCellColour(base, column, row); the centre cell (1, 1) is transparent when asked.
std::string SkinPng(TRgbBytes base, bool clearCentre = false);
TRgbBytes SkinCellColour(TRgbBytes base, int column, int row);

// A working directory whose media/ holds the pictures written into it, served by a file
// media manager that Global.MediaManager points to while this lives. Needs a GL context.
class TGuiTestMedia {
public:
    TGuiTestMedia();
    ~TGuiTestMedia();
    TGuiTestMedia(const TGuiTestMedia&) = delete;
    TGuiTestMedia& operator=(const TGuiTestMedia&) = delete;

    // Writes media/<name>.png.
    void AddPicture(const std::string& name, const std::string& png) const;

    TTestDir Dir;
    TFileMediaManager Manager;

private:
    TGenericMediaManager* FPrevious;
};
