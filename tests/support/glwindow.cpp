// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/glwindow.h"

#include <SDL.h>
#include <SDL_opengl.h>
#include <stdexcept>
#include <string>

TGlTestWindow::TGlTestWindow(int width, int height) : FWidth(width), FHeight(height) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) < 0)
        throw std::runtime_error(std::string("SDL video: ") + SDL_GetError());
    if (SDL_SetVideoMode(width, height, 0, SDL_OPENGL | SDL_DOUBLEBUF) == nullptr)
        throw std::runtime_error(std::string("SDL video mode: ") + SDL_GetError());
    ResetToOverlay();
}

TGlTestWindow::~TGlTestWindow() {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

void TGlTestWindow::ResetToOverlay() const {
    glViewport(0, 0, FWidth, FHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, FWidth, FHeight, 0, -100, 100);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glDisable(GL_CULL_FACE);
    glDisable(GL_BLEND);
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

std::array<uint8_t, 4> TGlTestWindow::Pixel(int x, int y) const {
    std::array<uint8_t, 4> rgba{};
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, FHeight - 1 - y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, rgba.data());
    return rgba;
}
