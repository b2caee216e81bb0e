// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/demostatusunit.h"

#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "game/gameunit.h"
#include "game/introstatusunit.h"
#include "game/mainstatusunit.h"
#include "game/pilotunit.h"
#include "game/replaystatusunit.h"

#include <SDL_opengl.h>

TDemoStatus::TDemoStatus(TMainStatus& play) : FPlay(play), FBanner(FetchTexture("demo")) {}

void TDemoStatus::Enter() {
    // The demo shows the game as designed, whatever the player chose.
    FPlay.LendWorld(TDifficulty::Classic);
    FPlay.World().NewGame();
    FPlay.BeginVisit();
}

void TDemoStatus::Leave() {
    FPlay.TakeWorldBack();
    Global.KeyState->Clear();
    PlaySound("x2");
}

void TDemoStatus::Cycle() {
    const uint32_t now = SDL_GetTicks();
    const double dt = FrameSeconds(FPlay.LastTicks, now);
    FPlay.LastTicks = now;
    if (Frame(dt, now - FPlay.StartTicks)) PresentFrame();
}

bool TDemoStatus::Frame(double dt, uint32_t levelMilliseconds) {
    SteerViking(FPlay.World(), *Global.KeyState);
    if (FPlay.StepWorld(dt) != TLevelOutcome::Playing) {
        Finish();
        return false;
    }
    FPlay.DrawScene();
    FPlay.DrawHud(dt, levelMilliseconds);
    BeginOverlay2D(800, 600);
    const TOverlayRect& banner = DemoBandRect;
    DrawPicture(FBanner, banner.X, banner.Y, banner.Width, banner.Height);
    EndOverlay2D();
    return true;
}

void TDemoStatus::KeyDown(SDL_KeyboardEvent& event) {
    if (event.keysym.sym == SDLK_ESCAPE && Endless)
        Global.Loop->Terminate();
    else
        ReturnToTitle(event.keysym.sym);
}

void TDemoStatus::MouseButtonDown(SDL_MouseButtonEvent&) {
    ReturnToTitle(SDLK_UNKNOWN);
}

void TDemoStatus::Finish() {
    SetCurrentListener(Endless ? NextDemo(this) : IntroStatus, Global.Loop);
}
