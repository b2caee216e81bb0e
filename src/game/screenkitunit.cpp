// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/screenkitunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/screenunit.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "assets/modelunit.h"
#include "gui/guidrawerunit.h"

#include <SDL_opengl.h>
#include <charconv>
#include <cmath>
#include <exception>

const TKeyBindings& PlayKeys() {
    static const TKeyBindings design;
    return Global.KeyState != nullptr ? Global.KeyState->Bindings : design;
}

TTexture* FetchTexture(const std::string& name) {
    TTexture* texture = Global.MediaManager->GetTexture(name);
    if (texture == nullptr) WriteLog("Unable to load texture media/" + name + ".png");
    return texture;
}

std::unique_ptr<TRealTimeModel> FetchModel(const std::string& fileName) {
    auto model = std::make_unique<TRealTimeModel>();
    try {
        model->LoadFromFile(fileName, *Global.MediaManager);
    } catch (const std::exception& error) {
        WriteLog("Unable to load model " + fileName + ": " + error.what());
        model = std::make_unique<TRealTimeModel>();
    }
    return model;
}

void DrawPicture(const TTexture* texture, float x, float y, float w, float h) {
    if (texture == nullptr) return;
    texture->Bind();
    DrawTexturedRect(x, y, w, h, 1, 1, 1);
}

void FillOverlayRect(float x, float y, float w, float h, float r, float g, float b, float a) {
    glDisable(GL_TEXTURE_2D);
    glColor4f(r, g, b, a);
    // Corners in this order face the viewer in the overlay's y-down pixels.
    glRectf(x, y + h, x + w, y);
    glEnable(GL_TEXTURE_2D);
}

void DimOverlay() {
    FillOverlayRect(0, 0, 800, 600, 0, 0, 0, 0.45f);
}

void DrawPausedPanel(const TTexture* panel) {
    DimOverlay();
    DrawPicture(panel, 144, 172, 512, 256);
}

void DrawFontText(const TTexture* font, int32_t x, int32_t y, const std::string& text, float r,
                  float g, float b) {
    if (font == nullptr) return;
    font->Bind();
    glColor3f(r, g, b);
    DrawText(x, y, text);
}

void FormatFps(double dt, TFpsRounding rounding, std::string& out) {
    if (!(dt >= 1e-11)) dt = 1e-11;
    const double rate = 1.0 / dt;
    // At most 1e11: a 64-bit whole number holds it.
    const auto value = static_cast<int64_t>(
        rounding == TFpsRounding::Truncate ? std::trunc(rate) : std::nearbyint(rate));
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
    out.assign("FPS: ");
    out.append(digits, end);
}
