// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// An 800 x 600 game window set up as the program does, with the shared globals filled, for
// tests of the game's screens. Media come from media/ in a fresh test directory.
#pragma once

#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "app/stateunit.h"
#include "assets/mediamanagerunit.h"
#include "support/gamemedia.h"
#include "support/glwindow.h"
#include "support/testdir.h"

#include <string>

// A screen that only notes its visits, standing in for the screens a test does not look at.
class TVisitRecorder : public TEventListener {
public:
    void Enter() override { ++Entered; }
    void Leave() override { ++Left; }
    void Cycle() override { ++Cycles; }
    void KeyDown(SDL_KeyboardEvent&) override {}
    void KeyUp(SDL_KeyboardEvent&) override {}
    void MouseButtonDown(SDL_MouseButtonEvent&) override {}
    void MouseButtonUp(SDL_MouseButtonEvent&) override {}
    void MouseMove(SDL_MouseMotionEvent&) override {}

    int Entered = 0;
    int Left = 0;
    int Cycles = 0;
};

class TGameScreen {
public:
    // Fills Global and points the five screen variables at recorders.
    TGameScreen();
    ~TGameScreen();
    TGameScreen(const TGameScreen&) = delete;
    TGameScreen& operator=(const TGameScreen&) = delete;

    bool Logged(const std::string& message) const;
    // Clears the back buffer to a colour (0..255 components); later clears are sky again.
    void Fill(TRgba colour) const;
    // Points the GL state back at what the program sets up.
    void ResetGl() const;
    // The text drawn with the coded font in black over white at (x, y): one code per
    // glyph, 0 where none is recognised.
    std::string ReadText(int x, int y, size_t length) const;
    // A key press as the main loop delivers it.
    static SDL_KeyboardEvent Key(SDLKey sym);

    TTestDir Dir;
    TGlTestWindow Window{800, 600};
    TKeyState Keys;
    TFileMediaManager Media;
    TOpenGlRealTimeLoop Loop;
    TVisitRecorder Play, Intro, LevelStart, GameOver, Demo;
};
