// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Large digits from the "numbers" texture, and the ready-made error message window.
#pragma once

#include "gui/guidrawerunit.h"
#include "gui/guiunit.h"

#include <cstdint>
#include <string>

// Top-left corner of a digit cell in the 256-texel "numbers" texture.
TTexCoord DigitOrigin(uint8_t ch);
// Pixels from one large digit to the next: Round(scale * 32).
int32_t NumberAdvance(float scale);

// White digits of s from "numbers" (bound here through Global.MediaManager).
void DrawNumbers(int32_t x, int32_t y, const std::string& s, float scale);
// One digit scale*32 wide and scale*64 high from the bound texture; a space draws nothing.
void DrawNumberChar(int32_t x, int32_t y, uint8_t ch, float scale);

// A message box titled "Error": one line of text and a "Close" button that destroys the
// window (and with it, when shown modally, the block on the rest of the desktop).
class TUiErrorWindow : public TUiWindow {
public:
    explicit TUiErrorWindow(const std::string& message);
    // The button's OnClick: destroys this window.
    void CloseClick(TUiWidget& sender);
};
