// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The SDL OpenGL window, its base GL state and a few small drawing helpers.
#pragma once

#include "app/viewportunit.h"

#include <cstdint>
#include <functional>
#include <string>

struct SDL_Surface;
union SDL_Event;

// Whether SDL settled on a video driver that shows nothing ("offscreen", "dummy") without
// being asked for it in SDL_VIDEODRIVER (requested; a comma-separated list or null). SDL
// falls back to one when it cannot reach a display, and a game nobody can see must not run.
bool IsUnaskedHeadlessDriver(const std::string& driver, const char* requested);

// Whether an OpenGL renderer (its GL_RENDERER text) rasterises in software and so pays for
// every pixel it draws: Mesa's llvmpipe, softpipe and swrast.
bool IsSoftwareRenderer(const std::string& renderer);

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
    // display lists stay); false when the screen is not open or the switch failed. A switch
    // the window did not follow is logged and undone.
    bool ToggleFullScreen();
    // Draws with the window's own pixels or at 800 x 600 from the next frame, as the setting
    // resolves on this renderer; false when the new mode could not be had.
    bool SetRenderSize(TRenderSize size);
    // The player gave the window a new size (SDL's resize event).
    void Resize(int32_t width, int32_t height);
    void SetupGlDefaults();
    bool SetPerspective(int32_t width, int32_t height, float viewDistance);
    // Viewport and projection for the picture area; the overlay's 800 x 600 follow it.
    void ApplyPicture();
    // Blacks out the bars beside the picture area, if any; every frame before it is shown.
    void ClearBars();
    // Whether the picture is drawn with the window's own pixels.
    bool DrawsNative() const { return FNative; }
    // Whether OpenGL draws in software, known once the screen is open.
    bool IsSoftware() const { return FSoftware; }
    // Puts a mouse event's position into the overlay's 800 x 600, as the screens take it (SDL
    // does so itself when it scales the picture).
    void MapMouse(SDL_Event& event) const;

    std::string Title;
    int32_t Width;
    int32_t Height;
    int32_t BitsPerPixel;
    float ViewDistance;
    bool FullScreen;
    SDL_Surface* Surface = nullptr; // belongs to SDL
    // PNG shown as the window's icon; empty or unreadable means none.
    std::string IconFile;
    // The size of the window when not in full screen, as the player last had it.
    int32_t WindowWidth;
    int32_t WindowHeight;
    TRenderSize RenderSize = TRenderSize::Auto;
    // Where the picture goes in the drawing surface, from its bottom left.
    TViewport Picture;
    // Called whenever the picture area changes.
    std::function<void()> OnPictureChanged;

private:
    // Asks SDL for the mode: the window or full screen, at the size that goes with it.
    bool SetMode(bool fullScreen);
    // Checks the window SDL made against the mode asked for and fits the picture to it.
    bool Settle(bool fullScreen);

    uint32_t FFlags = 0;
    bool FNative = false;
    bool FSoftware = false;
    // The size of what OpenGL draws on; SDL scales it to the window when the two differ.
    int32_t FDrawWidth = 0, FDrawHeight = 0;
    int32_t FDesktopWidth = 0, FDesktopHeight = 0;
    // Why the last mode could not be had.
    std::string FProblem;
};

// The current front material colour from bytes 0..255.
void SetMaterialColor(uint8_t r, uint8_t g, uint8_t b);
// The current front material colour from components 0..1.
void SetMaterialColorF(float r, float g, float b);
// A coloured quad with texture coordinates 0..1, (x, y) top left, texture row 0 at the top.
// Binds no texture; negative w or h mirror the quad.
void DrawTexturedRect(float x, float y, float w, float h, float r, float g, float b);
