// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/windowmanagerunit.h"

#include <SDL.h>
#include <SDL_syswm.h>
#include <algorithm>

namespace {

// SDL's own X11 display and window; false under another video driver or without a window.
bool X11Window(SDL_SysWMinfo& info) {
    SDL_VERSION(&info.version);
    return SDL_GetWMInfo(&info) == 1 && info.subsystem == SDL_SYSWM_X11;
}

} // namespace

bool WindowGeometry(TWindowGeometry& geometry) {
    SDL_SysWMinfo info;
    if (!X11Window(info)) return false;
    Display* display = info.info.x11.display;
    const Window window = info.info.x11.window;
    if (display == nullptr || window == 0) return false;
    XWindowAttributes attributes, root;
    Window child = 0;
    if (XGetWindowAttributes(display, window, &attributes) == 0 ||
        XGetWindowAttributes(display, attributes.root, &root) == 0 ||
        XTranslateCoordinates(display, window, attributes.root, 0, 0, &geometry.X, &geometry.Y,
                              &child) == 0)
        return false;
    geometry.Width = attributes.width;
    geometry.Height = attributes.height;
    geometry.ScreenWidth = root.width;
    geometry.ScreenHeight = root.height;
    return true;
}

bool WaitForWindow(TWindowGeometry& geometry,
                   const std::function<bool(const TWindowGeometry&)>& wish) {
    for (int tries = 0; tries < 50; ++tries) {
        if (!WindowGeometry(geometry)) return true;
        if (wish(geometry)) return true;
        SDL_Delay(20);
    }
    return false;
}

void ResizeWindow(int32_t width, int32_t height) {
    SDL_SysWMinfo info;
    if (!X11Window(info)) return;
    XResizeWindow(info.info.x11.display, info.info.x11.window, width, height);
    XFlush(info.info.x11.display);
}

bool IsOnScreen(const TWindowGeometry& g) {
    return g.X >= 0 && g.Y >= 0 && g.X + g.Width <= g.ScreenWidth &&
           g.Y + g.Height <= g.ScreenHeight;
}

void MoveOnScreen() {
    TWindowGeometry g;
    if (!WindowGeometry(g) || IsOnScreen(g)) return;
    SDL_SysWMinfo info;
    if (!X11Window(info)) return;
    XMoveWindow(info.info.x11.display, info.info.x11.window,
                std::max((g.ScreenWidth - g.Width) / 2, 0),
                std::max((g.ScreenHeight - g.Height) / 2, 0));
    XFlush(info.info.x11.display);
}
