// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/screenunit.h"

#include "app/logunit.h"
#include "app/windowmanagerunit.h"
#include "assets/textureunit.h"

#include <GL/glu.h>
#include <SDL.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <strings.h>

TScreen::TScreen(const std::string& title, int32_t width, int32_t height, int32_t bitsPerPixel,
                 bool fullScreen, float viewDistance)
    : Title(title), Width(width), Height(height), BitsPerPixel(bitsPerPixel),
      ViewDistance(viewDistance), FullScreen(fullScreen), WindowWidth(width), WindowHeight(height) {
}

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

std::string SizeText(int width, int height) {
    return std::to_string(width) + "x" + std::to_string(height);
}

} // namespace

bool IsSoftwareRenderer(const std::string& renderer) {
    std::string lower = renderer;
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    for (const char* name : {"llvmpipe", "softpipe", "swrast", "software rasterizer"})
        if (lower.find(name) != std::string::npos) return true;
    return false;
}

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

    FFlags = SDL_OPENGL | SDL_DOUBLEBUF | SDL_HWPALETTE | SDL_RESIZABLE;
    FFlags |= (info->hw_available || info->wm_available) ? SDL_HWSURFACE : SDL_SWSURFACE;
    if (info->blit_hw || info->blit_hw_CC || info->blit_hw_A || info->blit_sw || info->blit_sw_CC ||
        info->blit_sw_A || info->blit_fill)
        FFlags |= SDL_HWACCEL;
    // Before the first mode, SDL reports the desktop's: the size full screen must reach.
    FDesktopWidth = info->current_w;
    FDesktopHeight = info->current_h;

    SDL_WM_SetCaption(Title.c_str(), nullptr);
    SetWindowIcon(IconFile);
    // Swapping at the display's refresh keeps the loop (braked only by the swap) off a full core.
    SDL_GL_SetAttribute(SDL_GL_SWAP_CONTROL, 1);
    // Which renderer draws is known only once there is a context: until then the picture has
    // the design's size unless the player asked for the window's own.
    FNative = RenderSize == TRenderSize::Native;
    if (!SetMode(FullScreen)) return false;
    const auto* renderer = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    FSoftware = IsSoftwareRenderer(renderer != nullptr ? renderer : "");
    if (RenderSize == TRenderSize::Auto) {
        FNative = ResolvesNative(RenderSize, FSoftware);
        if (FNative && (FullScreen || WindowWidth != Width || WindowHeight != Height) &&
            !SetMode(FullScreen))
            return false;
    }
    SDL_ShowCursor(SDL_DISABLE);
    SetupGlDefaults();
    if (!Settle(FullScreen) && FullScreen) {
        // Started in full screen where none can be had: the window it is.
        WriteLog("Cannot switch to full screen: " + FProblem);
        FullScreen = false;
        if (!SetMode(false)) return false;
        Settle(false);
    }
    return true;
}

bool TScreen::SetMode(bool fullScreen) {
    int width = Width, height = Height;
    if (FNative) {
        // 0 x 0 asks for the desktop's size.
        width = fullScreen ? 0 : WindowWidth;
        height = fullScreen ? 0 : WindowHeight;
    }
    SDL_Surface* surface =
        SDL_SetVideoMode(width, height, BitsPerPixel, FFlags | (fullScreen ? SDL_FULLSCREEN : 0));
    if (surface == nullptr) {
        FProblem = SDL_GetError();
        return false;
    }
    Surface = surface;
    FDrawWidth = surface->w;
    FDrawHeight = surface->h;
    return true;
}

bool TScreen::Settle(bool fullScreen) {
    TWindowGeometry window;
    bool settled = true;
    if (fullScreen) {
        settled = WaitForWindow(window, [this](const TWindowGeometry& g) {
            return g.Width == FDesktopWidth && g.Height == FDesktopHeight;
        });
        if (!settled)
            FProblem = "the window stayed " + SizeText(window.Width, window.Height) +
                       " instead of " + SizeText(FDesktopWidth, FDesktopHeight);
    } else {
        const int width = FNative ? WindowWidth : Width, height = FNative ? WindowHeight : Height;
        const bool sized = WaitForWindow(window, [=](const TWindowGeometry& g) {
            return g.Width == width && g.Height == height;
        });
        // The window manager has the last word on a window's size: the picture takes the
        // size it gave.
        if (!sized && FNative && window.Width > 0 && window.Height > 0) {
            WindowWidth = window.Width;
            WindowHeight = window.Height;
            SetMode(false);
        }
        if (!FNative && (WindowWidth != Width || WindowHeight != Height)) {
            // SDL makes the window the picture's size; the player's size comes after.
            ResizeWindow(WindowWidth, WindowHeight);
            WaitForWindow(window, [this](const TWindowGeometry& g) {
                return g.Width == WindowWidth && g.Height == WindowHeight;
            });
        }
        MoveOnScreen();
    }
    Picture = PictureViewport(FDrawWidth, FDrawHeight, Width, Height);
    ApplyPicture();
    return settled;
}

bool TScreen::ToggleFullScreen() {
    if (!IsOpen()) return false;
    const bool target = !FullScreen;
    if (!SetMode(target) || !Settle(target)) {
        WriteLog(std::string("Cannot switch to ") + (target ? "full screen: " : "a window: ") +
                 FProblem);
        // Back to the mode the window still has, so that the picture fits it.
        if (SetMode(FullScreen)) Settle(FullScreen);
        return false;
    }
    FullScreen = target;
    WriteLog(FullScreen ? "Full screen" : "Windowed");
    return true;
}

bool TScreen::SetRenderSize(TRenderSize size) {
    RenderSize = size;
    const bool native = ResolvesNative(size, FSoftware);
    if (!IsOpen() || native == FNative) return true;
    FNative = native;
    if (SetMode(FullScreen) && Settle(FullScreen)) return true;
    WriteLog("Cannot change the picture's size: " + FProblem);
    return false;
}

void TScreen::Resize(int32_t width, int32_t height) {
    if (!IsOpen() || FullScreen || width < 1 || height < 1) return;
    WindowWidth = width;
    WindowHeight = height;
    // At the design's size SDL scales the picture to the window by itself.
    if (!FNative || (width == FDrawWidth && height == FDrawHeight)) return;
    if (!SetMode(false)) {
        WriteLog("Cannot resize the window: " + FProblem);
        return;
    }
    Picture = PictureViewport(FDrawWidth, FDrawHeight, Width, Height);
    ApplyPicture();
}

void TScreen::ApplyPicture() {
    SetPerspective(Width, Height, ViewDistance);
    glViewport(Picture.X, Picture.Y, Picture.Width, Picture.Height);
    if (OnPictureChanged) OnPictureChanged();
}

void TScreen::ClearBars() {
    if (Picture.Width == FDrawWidth && Picture.Height == FDrawHeight) return;
    GLfloat sky[4];
    glGetFloatv(GL_COLOR_CLEAR_VALUE, sky);
    glClearColor(0, 0, 0, 0);
    glEnable(GL_SCISSOR_TEST);
    // Two bars: left and right of the picture, or below and above it.
    const bool sides = Picture.Width < FDrawWidth;
    const int before = sides ? Picture.X : Picture.Y;
    const int after =
        sides ? FDrawWidth - Picture.X - Picture.Width : FDrawHeight - Picture.Y - Picture.Height;
    if (sides) {
        glScissor(0, 0, before, FDrawHeight);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(Picture.X + Picture.Width, 0, after, FDrawHeight);
    } else {
        glScissor(0, 0, FDrawWidth, before);
        glClear(GL_COLOR_BUFFER_BIT);
        glScissor(0, Picture.Y + Picture.Height, FDrawWidth, after);
    }
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_SCISSOR_TEST);
    glClearColor(sky[0], sky[1], sky[2], sky[3]);
}

void TScreen::MapMouse(SDL_Event& event) const {
    // Drawn at the design's size, the picture fills the surface and the rule changes nothing.
    const auto map = [this](auto& position) {
        const TOverlayPoint point = OverlayPoint(Picture, FDrawHeight, position.x, position.y);
        position.x = static_cast<Uint16>(point.X);
        position.y = static_cast<Uint16>(point.Y);
    };
    if (event.type == SDL_MOUSEMOTION) map(event.motion);
    if (event.type == SDL_MOUSEBUTTONDOWN || event.type == SDL_MOUSEBUTTONUP) map(event.button);
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
