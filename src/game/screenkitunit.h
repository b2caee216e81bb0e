// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// What every screen uses: assets fetched once (a missing or damaged file costs only its
// picture, model or sound, and the log names the file), pictures and texts in the overlay.
#pragma once

#include "app/stateunit.h"

#include <cstdint>
#include <memory>
#include <string>

class TTexture;
class TKeyBindings;
class TRealTimeModel;

// The texture "media/<name>.png" from the media manager, or nullptr after logging
// "Unable to load texture media/<name>.png".
TTexture* FetchTexture(const std::string& name);

// A model loaded from fileName. A damaged file logs "Unable to load model <file>: <reason>"
// and gives an empty model, which draws nothing and never animates.
std::unique_ptr<TRealTimeModel> FetchModel(const std::string& fileName);

// Binds the texture and draws it white over the rectangle, texture row 0 at the top;
// draws nothing without a texture.
void DrawPicture(const TTexture* texture, float x, float y, float w, float h);

// Binds the font, sets the colour and writes the text; nothing without a font.
void DrawFontText(const TTexture* font, int32_t x, int32_t y, const std::string& text, float r,
                  float g, float b);

// A flat rectangle in overlay pixels: texturing off for it and on again after (blending is the
// caller's).
void FillOverlayRect(float x, float y, float w, float h, float r, float g, float b, float a = 1);

// Dims the whole overlay, as under a board that stands over the game (blending is the caller's).
void DimOverlay();
// The game dimmed under the paused panel, in the overlay (blending is the caller's).
void DrawPausedPanel(const TTexture* panel);

// A rectangle in the overlay's pixels, from its top left.
struct TOverlayRect {
    float X, Y, Width, Height;
};
// Where the demo's banner and the best game's band stand: centred below the middle of the
// window, clear of the viking and the HUD icons.
inline constexpr TOverlayRect DemoBandRect{200, 530, 400, 50};

// The play keys the player has chosen; the design's before the keyboard is set up.
const TKeyBindings& PlayKeys();

enum class TFpsRounding { Truncate, Nearest };

// "FPS: " and the frame rate 1/dt as a whole number, into out (reusing its storage).
// dt below 1e-11 (or not a number) counts as 1e-11, so the figure stays finite.
void FormatFps(double dt, TFpsRounding rounding, std::string& out);

// A screen that ignores key releases and mouse buttons and notes where the mouse is, as
// every screen but play does.
class TKeyScreen : public TEventListener {
public:
    void KeyUp(SDL_KeyboardEvent&) override {}
    void MouseButtonDown(SDL_MouseButtonEvent&) override {}
    void MouseButtonUp(SDL_MouseButtonEvent&) override {}
    void MouseMove(SDL_MouseMotionEvent& event) override { RecordMousePosition(event); }
};
