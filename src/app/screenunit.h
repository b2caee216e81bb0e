// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The SDL OpenGL window, its base GL state and a few small drawing helpers.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Surface;

// Whether SDL settled on a video driver that shows nothing ("offscreen", "dummy") without
// being asked for it in SDL_VIDEODRIVER (requested; a comma-separated list or null). SDL
// falls back to one when it cannot reach a display, and a game nobody can see must not run.
bool IsUnaskedHeadlessDriver(const std::string& driver, const char* requested);

class TScreen {
public:
    TScreen(const std::string& title, int32_t width, int32_t height, int32_t bitsPerPixel,
            bool fullScreen, float viewDistance);
    ~TScreen();
    TScreen(const TScreen&) = delete;
    TScreen& operator=(const TScreen&) = delete;

    // Initialises SDL video and opens the OpenGL window; false on any SDL failure, and when
    // SDL could only offer a driver that shows nothing.
    bool Open();
    // Logs "Finalizing SDL" and shuts SDL down; safe when never opened.
    void Close();
    bool IsOpen() const { return Surface != nullptr; }
    // Switches between the window and full screen, keeping the OpenGL context (textures and
    // display lists stay); false when the screen is not open or the switch failed.
    bool ToggleFullScreen();
    void SetupGlDefaults();
    bool SetPerspective(int32_t width, int32_t height, float viewDistance);

    std::string Title;
    int32_t Width;
    int32_t Height;
    int32_t BitsPerPixel;
    float ViewDistance;
    bool FullScreen;
    SDL_Surface* Surface = nullptr; // belongs to SDL
    // PNG shown as the window's icon; empty or unreadable means none.
    std::string IconFile;
};

// The current front material colour from bytes 0..255.
void SetMaterialColor(uint8_t r, uint8_t g, uint8_t b);
// The current front material colour from components 0..1.
void SetMaterialColorF(float r, float g, float b);
// A coloured quad with texture coordinates 0..1, (x, y) top left, texture row 0 at the top.
// Binds no texture; negative w or h mirror the quad.
void DrawTexturedRect(float x, float y, float w, float h, float r, float g, float b);
