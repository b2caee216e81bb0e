// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/gameoverstatusunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "assets/textureunit.h"
#include "game/dailyfieldunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "game/screenkitunit.h"
#include "gui/guidrawerunit.h"
#include "gui/guiextraunit.h"
#include "gui/guiunit.h"
#include "gui/simpleguidrawerunit.h"

#include <SDL_opengl.h>
#include <utility>

namespace {
const char* const Prompt = "Insert your name!";
// The board's parchment (#FBF3DC).
constexpr float ParchmentR = 0.984f, ParchmentG = 0.953f, ParchmentB = 0.863f;
} // namespace

std::string FieldTableHeading(const std::string& fieldDate) {
    return "*TODAY'S FIELD " + fieldDate + "*";
}

void DrawHighscoreRows(const TTexture* font, const THighscore& table, TDifficulty difficulty,
                       const std::string& fieldDate) {
    if (font != nullptr) font->Bind();
    glColor3f(0, 0, 0);
    // The gentle table and a day's table say so, centred where the classic heading stands.
    if (!fieldDate.empty()) {
        const std::string heading = FieldTableHeading(fieldDate);
        simpleguidrawerunit::DrawText(400 - static_cast<int32_t>(heading.size()) * 4, 430, heading);
    } else if (difficulty == TDifficulty::Gentle)
        simpleguidrawerunit::DrawText(326, 430, "*GENTLE HIGHSCORES*");
    else
        simpleguidrawerunit::DrawText(350, 430, "*HIGHSCORES*");
    for (int i = 0; i < table.Count(); ++i) {
        simpleguidrawerunit::DrawText(320, 450 + 10 * i, std::to_string(table.Score(i)));
        simpleguidrawerunit::DrawText(390, 450 + 10 * i, table.Strings(i));
    }
}

TGameOverStatus::TGameOverStatus(TBaseList& world, std::string home)
    : Desktop(std::make_unique<TUiDesktop>()),
      Drawer(std::make_unique<simpleguidrawerunit::TGuiDrawer>(*Global.MediaManager)),
      DailyFolder(DailyDirectory()), FWorld(world), FHome(std::move(home)),
      FPicture(FetchTexture("gameover")), FFont(FetchTexture("font")),
      FHints(FetchTexture("gameoverhints")) {
    auto edit = std::make_unique<TUiEdit>();
    edit->SetWidth(200);
    edit->SetHeight(16);
    edit->Top = 400;
    edit->Left = 300;
    edit->MaxLength = 20;
    NameEdit = Desktop->Add(std::move(edit));
    NameEdit->SetFocus();

    auto label = std::make_unique<TUiLabel>();
    label->Caption = Prompt;
    label->SetWidth(200);
    label->SetHeight(8);
    label->Top = 390;
    label->Left = 300;
    PromptLabel = Desktop->Add(std::move(label));
}

TGameOverStatus::~TGameOverStatus() = default;

void TGameOverStatus::Enter() {
    Global.KeyState->Clear();
    FreshKeys.Open(SDL_GetTicks(), HeldKeys());
    FFieldDate.clear();
    if (Play != nullptr && Play->Field()) {
        FFieldDate = Play->Field()->Text();
        Highscores = std::make_unique<THighscore>(
            THighscore::InDirectory(DailyFolder, DailyTableName(*Play->Field())));
    } else {
        Highscores = std::make_unique<THighscore>(FHome, HighscoreFileName(FWorld.Difficulty));
    }
    Highscores->Load();
    // A name the table would drop at once is not asked for.
    const bool admitted = Highscores->Admits(FWorld.Score);
    FMissed = !admitted;
    PromptLabel->Visible = admitted;
    NameEdit->Visible = admitted;
    if (admitted)
        NameEdit->SetFocus();
    else
        Desktop->ClearFocus();
}

std::string TGameOverStatus::MissedLine(int32_t score) {
    return "Score " + std::to_string(score) + ": missed the table";
}

void TGameOverStatus::Leave() {
    Highscores.reset();
    if (Play != nullptr && Play->Field())
        Play->LeaveField();
    else
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
    if (!NameEdit->Visible) {
        // No field is left waiting: parchment over its frame, and the missed line on it.
        FillOverlayRect(290, 380, 220, 44, ParchmentR, ParchmentG, ParchmentB);
        FillOverlayRect(290, 424, 220, 1, 0.808f, 0.733f, 0.584f); // the rule's upper edge
        if (FMissed && FFont != nullptr) {
            const std::string line = MissedLine(FWorld.Score);
            FFont->Bind();
            simpleguidrawerunit::DrawText(400 - static_cast<int32_t>(line.size()) * 4, 398, line);
        }
        glEnable(GL_TEXTURE_2D);
    }
    if (FHints != nullptr) {
        FHints->Bind();
        glColor3f(1, 1, 1);
        const float band = Footer() == TFooter::SaveOrBack ? 0 : 0.5f;
        DrawTexturePiece(144, 574, 512, 26, 0, band, 1, 26.0f / 64);
    }
    DrawNumbers(360, 300, std::to_string(FWorld.Score), 1.0f);
    if (Highscores != nullptr) DrawHighscoreRows(FFont, *Highscores, FWorld.Difficulty, FFieldDate);
    EndOverlay2D();
}

TGameOverStatus::TFooter TGameOverStatus::Footer() const {
    return NameEdit->Visible ? TFooter::SaveOrBack : TFooter::Back;
}

bool TGameOverStatus::TakesText() const {
    return NameEdit != nullptr && NameEdit->Visible;
}

void TGameOverStatus::KeyDown(SDL_KeyboardEvent& event) {
    KeyDownAt(event, SDL_GetTicks());
}

void TGameOverStatus::KeyUp(SDL_KeyboardEvent& event) {
    FreshKeys.Release(event.keysym.sym);
}

void TGameOverStatus::KeyDownAt(SDL_KeyboardEvent& event, uint32_t now) {
    const SDLKey key = event.keysym.sym;
    if (key == SDLK_ESCAPE) Global.Loop->Terminate();
    if (!FreshKeys.Accept(key, now)) return;
    // Return acts only while the field is shown: once the name is stored, a second press
    // must neither store it again nor skip the table the player is looking at.
    if (key == SDLK_RETURN && NameEdit->Visible) {
        if (NameEdit->Text.empty()) {
            SetCurrentListener(IntroStatus, Global.Loop);
        } else if (Highscores != nullptr) {
            Highscores->Add(NameEdit->Text, FWorld.Score);
            Highscores->Save();
            // The days' files stay for a month; older ones go as a new day's table is kept.
            if (!FFieldDate.empty())
                for (const std::string& name : PruneDailyFiles(DailyFolder, TodaysFieldDate()))
                    WriteLog("Deleted " + DailyFolder + name + ", a day's field more than " +
                             std::to_string(DailyKeptDays) + " days old");
            NameEdit->Text.clear();
            NameEdit->Visible = false;
            PromptLabel->Visible = false;
            Desktop->ClearFocus();
        }
    }
    if (key == SDLK_SPACE && !NameEdit->Visible) SetCurrentListener(IntroStatus, Global.Loop);
    Desktop->KeyPress(static_cast<char>(event.keysym.unicode & 0xFF));
}
