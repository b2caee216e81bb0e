// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/levelstatusunit.h"

#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "assets/animationhandlerunit.h"
#include "assets/modelunit.h"
#include "assets/textureunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "game/screenkitunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiextraunit.h"

#include <SDL_opengl.h>
#include <array>
#include <charconv>

namespace {
const std::string Prompt = "Press space to start!";
}

std::array<std::string, 2> TLevelStatus::FieldLines(const std::string& fieldDate) {
    return {"Today's field, " + fieldDate + ": the same levels for every player",
            "Classic rules, whatever your difficulty, so that scores compare"};
}

TLevelStatus::TLevelStatus()
    : FBanner(FetchTexture("wri")), FFont(FetchTexture("font")), FNumbers(FetchTexture("numbers")),
      FKeyCard(FetchTexture("keycard")) {
    FLevelText.reserve(16);
}

TLevelStatus::~TLevelStatus() = default;

void TLevelStatus::Enter() {
    Model = FetchModel("media/viking_weapon.model");
    Animator = std::make_unique<TAnimationHandler>(*Model);
    Animator->Start(eaWalk, 1.0f);
    Animator->Apply();
    // The first frame measures from here, not from the previous visit.
    Timer.LastTicks = SDL_GetTicks();
}

void TLevelStatus::Leave() {
    Animator.reset();
    Model.reset();
    PlaySound("x2");
}

void TLevelStatus::Cycle() {
    Draw(Timer.Tick());
    PresentFrame();
}

void TLevelStatus::Draw(double dt) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    gluLookAt(20, 25, 20, 0, 5, 0, 0, 1, 0);
    glEnable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    if (Animator) {
        Animator->Advance(static_cast<float>(dt));
        Animator->Apply();
        Model->Render();
    }
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    if (FBanner != nullptr) {
        // Only the band of the picture that holds the banner.
        glColor3f(1, 1, 1);
        FBanner->Bind();
        glBegin(GL_TRIANGLE_STRIP);
        glTexCoord2f(0, 0.3f);
        glVertex3f(300, 180, 0);
        glTexCoord2f(0, 0.65f);
        glVertex3f(300, 250, 0);
        glTexCoord2f(1, 0.3f);
        glVertex3f(440, 180, 0);
        glTexCoord2f(1, 0.65f);
        glVertex3f(440, 250, 0);
        glEnd();
    }
    if (const TBaseList* world = PlayWorld(); world != nullptr && FNumbers != nullptr) {
        char digits[16];
        const auto end = std::to_chars(digits, digits + sizeof digits, world->Level).ptr;
        FLevelText.assign(digits, end);
        DrawNumbers(440, 180, FLevelText, 1.0f);
        if (world->Level == 1 && FKeyCard != nullptr) {
            // The card fills the top-left of its 1024 x 64 picture, drawn pixel for pixel; the
            // row of keys on it shows the player's own.
            FKeyCard->Bind();
            glColor3f(1, 1, 1);
            DrawTexturePiece(CardLeft, CardTop, CardWidth, CardHeight, 0, 0, CardWidth / 1024,
                             CardHeight / 64);
            FKeyCaps.DrawCardRow(PlayKeys(), CardLeft + CardWidth / 2, CardTop + 7);
        }
    }
    DrawFontText(FFont, 330, 450, Prompt, 0, 0, 0);
    // A game on today's field says which day's it is, and that its rules are Classic for all.
    if (const TMainStatus* play = PlayScreen(); play != nullptr && play->Field()) {
        const std::array<std::string, 2> lines = FieldLines(play->Field()->Text());
        for (size_t i = 0; i < lines.size(); ++i)
            DrawFontText(FFont, 400 - static_cast<int32_t>(lines[i].size()) * 4,
                         120 + 16 * static_cast<int32_t>(i), lines[i], 0, 0, 0);
    }
    EndOverlay2D();
}

void TLevelStatus::KeyDown(SDL_KeyboardEvent& event) {
    if (event.keysym.sym == SDLK_SPACE) SetCurrentListener(MainStatus, Global.Loop);
    if (event.keysym.sym == SDLK_ESCAPE) Global.Loop->Terminate();
}
