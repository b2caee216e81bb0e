// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The self-playing demo: a fresh first level on the play screen's world, the pilot at the
// keys, a "Demo: press any key" board over it. Any key or button goes back to the title.
#pragma once

#include "game/difficultyunit.h"
#include "game/screenkitunit.h"

#include <cstdint>

class TMainStatus;
class TTexture;

class TDemoStatus : public TKeyScreen {
public:
    // play: the play screen, whose world and drawing the demo borrows.
    explicit TDemoStatus(TMainStatus& play);

    // A fresh game on level 1 and the pilot at the keys.
    void Enter() override;
    // A fresh game again, so that the player's own game starts on level 1 with full health.
    void Leave() override;
    void Cycle() override;
    // Any key ends the demo and does nothing else; Escape quits when demos run endlessly.
    void KeyDown(SDL_KeyboardEvent& event) override;
    void MouseButtonDown(SDL_MouseButtonEvent& event) override;

    // One frame of dt seconds: the pilot steers, the world moves, the picture is drawn into
    // the back buffer. False when the demo is over (nothing drawn) and another screen or
    // demo has taken over.
    bool Frame(double dt, uint32_t levelMilliseconds);

    // Demos follow each other and Escape quits, as "--demo" asks.
    bool Endless = false;

private:
    // To the title, or straight into the next demo when they run endlessly.
    void Finish();

    TMainStatus& FPlay;
    TTexture* FBanner;
};
