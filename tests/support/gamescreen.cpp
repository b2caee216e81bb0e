// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/gamescreen.h"

#include "app/mainunit.h"
#include "app/screenunit.h"

#include <SDL_opengl.h>

TGameScreen::TGameScreen() {
    Global.KeyState = &Keys;
    Global.MediaManager = &Media;
    Global.Loop = &Loop;
    CurrentListener = nullptr;
    MainStatus = &Play;
    IntroStatus = &Intro;
    LevelStatus = &LevelStart;
    GameOverStatus = &GameOver;
    DemoStatus = &Demo;
    ResetGl();
}

TGameScreen::~TGameScreen() {
    CurrentListener = nullptr;
    MainStatus = IntroStatus = LevelStatus = GameOverStatus = DemoStatus = nullptr;
    Global.KeyState = nullptr;
    Global.MediaManager = nullptr;
    Global.Loop = nullptr;
}

void TGameScreen::ResetGl() const {
    TScreen screen("Quelmark!", 800, 600, 16, false, 500);
    screen.SetupGlDefaults();
    screen.SetPerspective(800, 600, 500);
    TProg({}).SetupOpenGl();
}

bool TGameScreen::Logged(const std::string& message) const {
    for (const std::string& line : Dir.LogMessages())
        if (line == message) return true;
    return false;
}

void TGameScreen::Fill(TRgba colour) const {
    glClearColor(colour[0] / 255.0f, colour[1] / 255.0f, colour[2] / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glClearColor(0.7f, 1.0f, 1.0f, 0.0f);
}

std::string TGameScreen::ReadText(int x, int y, size_t length) const {
    std::string text;
    for (size_t i = 0; i < length; ++i)
        text += static_cast<char>(
            GlyphFromGrey(Window.Pixel(x + 7 * static_cast<int>(i) + 3, y + 4)[1]));
    return text;
}

SDL_KeyboardEvent TGameScreen::Key(SDLKey sym) {
    SDL_KeyboardEvent event{};
    event.type = SDL_KEYDOWN;
    event.state = SDL_PRESSED;
    event.keysym.sym = sym;
    return event;
}
