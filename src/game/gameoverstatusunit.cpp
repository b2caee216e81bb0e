// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/gameoverstatusunit.h"

#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "assets/textureunit.h"
#include "game/gameunit.h"
#include "game/screenkitunit.h"
#include "gui/guiextraunit.h"
#include "gui/guiunit.h"
#include "gui/simpleguidrawerunit.h"

#include <SDL_opengl.h>
#include <utility>

TGameOverStatus::TGameOverStatus(TBaseList& world, std::string home)
    : Desktop(std::make_unique<TUiDesktop>()),
      Drawer(std::make_unique<simpleguidrawerunit::TGuiDrawer>(*Global.MediaManager)),
      FWorld(world), FHome(std::move(home)), FPicture(FetchTexture("gameover")),
      FFont(FetchTexture("font")) {
    auto edit = std::make_unique<TUiEdit>();
    edit->SetWidth(200);
    edit->SetHeight(16);
    edit->Top = 400;
    edit->Left = 300;
    edit->MaxLength = 20;
    NameEdit = Desktop->Add(std::move(edit));
    NameEdit->SetFocus();

    auto label = std::make_unique<TUiLabel>();
    label->Caption = "Insert your name!";
    label->SetWidth(200);
    label->SetHeight(8);
    label->Top = 390;
    label->Left = 300;
    PromptLabel = Desktop->Add(std::move(label));
}

TGameOverStatus::~TGameOverStatus() = default;

void TGameOverStatus::Enter() {
    Global.KeyState->Clear();
    NameEdit->SetFocus();
    NameEdit->Visible = true;
    PromptLabel->Visible = true;
    Highscores = std::make_unique<THighscore>(FHome, HighscoreFileName(FWorld.Difficulty));
    Highscores->Load();
}

void TGameOverStatus::Leave() {
    Highscores.reset();
    FWorld.NewGame();
    PlaySound("x2");
}

void TGameOverStatus::Cycle() {
    Timer.Tick();
    Draw();
    PresentFrame();
}

void TGameOverStatus::Draw() {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    Drawer->Draw(*Desktop);
    // Over the widgets: they show only where the picture is transparent.
    DrawPicture(FPicture, 0, 0, 800, 600);
    DrawNumbers(360, 300, std::to_string(FWorld.Score), 1.0f);
    if (FFont != nullptr) FFont->Bind();
    glColor3f(0, 0, 0);
    // The gentle table says so, centred where the classic heading stands.
    if (FWorld.Difficulty == TDifficulty::Gentle)
        simpleguidrawerunit::DrawText(326, 430, "*GENTLE HIGHSCORES*");
    else
        simpleguidrawerunit::DrawText(350, 430, "*HIGHSCORES*");
    if (Highscores != nullptr) {
        for (int i = 0; i < Highscores->Count(); ++i) {
            simpleguidrawerunit::DrawText(320, 450 + 10 * i, std::to_string(Highscores->Score(i)));
            simpleguidrawerunit::DrawText(390, 450 + 10 * i, Highscores->Strings(i));
        }
    }
    EndOverlay2D();
}

bool TGameOverStatus::TakesText() const {
    return NameEdit != nullptr && NameEdit->Visible;
}

void TGameOverStatus::KeyDown(SDL_KeyboardEvent& event) {
    const SDLKey key = event.keysym.sym;
    // Return acts only while the field is shown: once the name is stored, a second press
    // must neither store it again nor skip the table the player is looking at.
    if (key == SDLK_RETURN && NameEdit->Visible) {
        if (NameEdit->Text.empty()) {
            SetCurrentListener(IntroStatus, Global.Loop);
        } else if (Highscores != nullptr) {
            Highscores->Add(NameEdit->Text, FWorld.Score);
            Highscores->Save();
            NameEdit->Text.clear();
            NameEdit->Visible = false;
            PromptLabel->Visible = false;
            Desktop->ClearFocus();
        }
    }
    if (key == SDLK_SPACE && !NameEdit->Visible) SetCurrentListener(IntroStatus, Global.Loop);
    if (key == SDLK_ESCAPE) Global.Loop->Terminate();
    Desktop->KeyPress(static_cast<char>(event.keysym.unicode & 0xFF));
}
