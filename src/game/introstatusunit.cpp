// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/introstatusunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "assets/mediamanagerunit.h"
#include "game/gameunit.h"
#include "game/screenkitunit.h"

#include <SDL_mixer.h>
#include <SDL_opengl.h>

namespace {
const char* const MusicFile = "media/yeeha.xm";
}

TIntroStatus::TIntroStatus()
    : FMusic(Global.MediaManager->OpenMusic(MusicFile)), FFont(FetchTexture("font")),
      FPicture(FetchTexture("intro")) {
    FFpsText.reserve(32);
    if (!FMusic)
        WriteLog(std::string("Unable to load music ") + MusicFile + ": " + Mix_GetError());
    else if (Mix_PlayMusic(FMusic.get(), -1) != 0)
        WriteLog(std::string("Unable to play music ") + MusicFile + ": " + Mix_GetError());
}

TIntroStatus::~TIntroStatus() = default;

void TIntroStatus::Enter() {
    Global.KeyState->Clear();
    Idle.Reset(SDL_GetTicks());
    FHeldKey = SDLK_UNKNOWN;
}

void TIntroStatus::Leave() {
    PlaySound("x2");
}

void TIntroStatus::Cycle() {
    const uint32_t now = SDL_GetTicks();
    if (StartDemoWhenIdle(now)) return;
    Draw(Timer.Tick(now));
    PresentFrame();
}

bool TIntroStatus::StartDemoWhenIdle(uint32_t nowTicks) {
    if (DemoStatus == nullptr || !Idle.Expired(nowTicks)) return false;
    SetCurrentListener(DemoStatus, Global.Loop);
    return true;
}

void TIntroStatus::Draw(double dt) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    // The rate shows only where the picture is transparent.
    FormatFps(dt, TFpsRounding::Nearest, FFpsText);
    DrawFontText(FFont, 10, 10, FFpsText, 0, 0, 0);
    DrawPicture(FPicture, 0, 0, 800, 600);
    EndOverlay2D();
}

void TIntroStatus::KeyDown(SDL_KeyboardEvent& event) {
    Idle.Reset(SDL_GetTicks());
    if (event.keysym.sym == FHeldKey) return;
    if (event.keysym.sym == SDLK_SPACE) SetCurrentListener(LevelStatus, Global.Loop);
    if (event.keysym.sym == SDLK_ESCAPE) Global.Loop->Terminate();
}

void TIntroStatus::KeyUp(SDL_KeyboardEvent& event) {
    if (event.keysym.sym == FHeldKey) FHeldKey = SDLK_UNKNOWN;
}

void TIntroStatus::MouseButtonDown(SDL_MouseButtonEvent&) {
    Idle.Reset(SDL_GetTicks());
}

bool TIntroStatus::MusicPlaying() const {
    return FMusic && Mix_PlayingMusic() != 0;
}
