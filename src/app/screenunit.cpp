// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/screenunit.h"

#include "app/logunit.h"
#include "assets/textureunit.h"

#include <GL/glu.h>
#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cstdlib>
#include <strings.h>

TScreen::TScreen(const std::string& title, int32_t width, int32_t height, int32_t bitsPerPixel,
                 bool fullScreen, float viewDistance)
    : Title(title), Width(width), Height(height), BitsPerPixel(bitsPerPixel),
      ViewDistance(viewDistance), FullScreen(fullScreen) {}

TScreen::~TScreen() {
    if (IsOpen()) Close();
}

namespace {

// The window manager copies the icon, so the surface only has to live for the call.
void SetWindowIcon(const std::string& fileName) {
    if (fileName.empty()) return;
    TTextureImage image;
    try {
        image = DecodeTextureFile(fileName);
    } catch (const TTextureError&) {
        return; // cosmetic: the window simply keeps the desktop's default icon
    }
    if (!image.HasAlpha) return;
    SDL_Surface* icon = SDL_CreateRGBSurfaceFrom(
        image.Pixels.data(), image.Width, image.Height, 32, static_cast<int>(image.RowBytes()),
        SDL_SwapLE32(0x000000FF), SDL_SwapLE32(0x0000FF00), SDL_SwapLE32(0x00FF0000),
        SDL_SwapLE32(0xFF000000));
    if (icon == nullptr) return;
    SDL_WM_SetIcon(icon, nullptr);
    SDL_FreeSurface(icon);
}

} // namespace

bool IsUnaskedHeadlessDriver(const std::string& driver, const char* requested) {
    if (strcasecmp(driver.c_str(), "offscreen") != 0 && strcasecmp(driver.c_str(), "dummy") != 0)
        return false;
    const std::string asked = requested != nullptr ? requested : "";
    for (size_t from = 0; from <= asked.size();) {
        const size_t to = std::min(asked.find(',', from), asked.size());
        if (strcasecmp(asked.substr(from, to - from).c_str(), driver.c_str()) == 0) return false;
        from = to + 1;
    }
    return true;
}

bool TScreen::Open() {
    WriteLog("Initializing SDL");
    // The game pauses itself when it loses the focus; a full screen window that also
    // minimised itself could not come back with F11 (unless the player asks for it).
    setenv("SDL_VIDEO_MINIMIZE_ON_FOCUS_LOSS", "0", 0);
    if (SDL_Init(SDL_INIT_VIDEO) < 0) return false;
    char driver[32] = "";
    SDL_VideoDriverName(driver, sizeof driver);
    if (IsUnaskedHeadlessDriver(driver, std::getenv("SDL_VIDEODRIVER"))) {
        SDL_SetError("no display to show it on (SDL offered only its \"%s\" video driver)", driver);
        return false;
    }
    const SDL_VideoInfo* info = SDL_GetVideoInfo();
    if (info == nullptr) return false;

    Uint32 flags = SDL_OPENGL | SDL_DOUBLEBUF | SDL_HWPALETTE;
    if (FullScreen) flags |= SDL_FULLSCREEN;
    flags |= (info->hw_available || info->wm_available) ? SDL_HWSURFACE : SDL_SWSURFACE;
    if (info->blit_hw || info->blit_hw_CC || info->blit_hw_A || info->blit_sw || info->blit_sw_CC ||
        info->blit_sw_A || info->blit_fill)
        flags |= SDL_HWACCEL;

    SDL_WM_SetCaption(Title.c_str(), nullptr);
    SetWindowIcon(IconFile);
    // Swapping at the display's refresh keeps the loop (braked only by the swap) off a full core.
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    Surface = SDL_SetVideoMode(Width, Height, BitsPerPixel, flags);
    if (Surface == nullptr) return false;
    SDL_ShowCursor(SDL_DISABLE);
    SetupGlDefaults();
    SetPerspective(Width, Height, ViewDistance);
    return true;
}

bool TScreen::ToggleFullScreen() {
    if (!IsOpen()) return false;
    if (SDL_WM_ToggleFullScreen(Surface) == 0) {
        // Not every video driver toggles in place; a new mode of the same size keeps the
        // context as well.
        SDL_Surface* surface =
            SDL_SetVideoMode(Width, Height, BitsPerPixel, Surface->flags ^ SDL_FULLSCREEN);
        if (surface == nullptr) {
            WriteLog(std::string("Cannot toggle full screen: ") + SDL_GetError());
            return false;
        }
        Surface = surface;
    }
    FullScreen = !FullScreen;
    WriteLog(FullScreen ? "Full screen" : "Windowed");
    return true;
}

void TScreen::Close() {
    WriteLog("Finalizing SDL");
    SDL_VideoQuit();
    SDL_Quit();
    Surface = nullptr;
}

void TScreen::SetupGlDefaults() {
    glShadeModel(GL_SMOOTH);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    glHint(GL_PERSPECTIVE_CORRECTION_HINT, GL_NICEST);
    glViewport(0, 0, Width, Height);
    SetMaterialColor(255, 255, 255);
}

bool TScreen::SetPerspective(int32_t width, int32_t height, float viewDistance) {
    if (height == 0) height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 2.0, viewDistance);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return true;
}

void SetMaterialColor(uint8_t r, uint8_t g, uint8_t b) {
    SetMaterialColorF(r / 255.0f, g / 255.0f, b / 255.0f);
}

void SetMaterialColorF(float r, float g, float b) {
    const GLfloat colour[4] = {r, g, b, 1.0f};
    glMaterialfv(GL_FRONT, GL_DIFFUSE, colour);
    glMaterialfv(GL_FRONT, GL_AMBIENT, colour);
}

void DrawTexturedRect(float x, float y, float w, float h, float r, float g, float b) {
    // The colour is set once, outside the strip, as the text and gui pieces do: with the same
    // vertex layout for every flat draw, the driver reuses the shaders the loading picture
    // compiled instead of compiling new ones for the title's first frame.
    glColor3f(r, g, b);
    glBegin(GL_TRIANGLE_STRIP);
    glTexCoord2f(0, 0);
    glVertex2f(x, y);
    glTexCoord2f(0, 1);
    glVertex2f(x, y + h);
    glTexCoord2f(1, 0);
    glVertex2f(x + w, y);
    glTexCoord2f(1, 1);
    glVertex2f(x + w, y + h);
    glEnd();
}
