// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/introstatusunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "assets/mediamanagerunit.h"
#include "game/gameoverstatusunit.h"
#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "game/replayfilesunit.h"
#include "game/replaystatusunit.h"
#include "game/screenkitunit.h"
#include "gui/simpleguidrawerunit.h"

#include <SDL_mixer.h>
#include <SDL_opengl.h>
#include <algorithm>
#include <filesystem>
#include <optional>
#include <utility>

namespace {
const char* const MusicFile = "media/yeeha.xm";
}

TIntroStatus::TIntroStatus(std::string home)
    : DailyFolder(DailyDirectory()), FMusic(Global.MediaManager->OpenMusic(MusicFile)),
      FFont(FetchTexture("font")), FPicture(FetchTexture("intro")), FScores(FetchTexture("scores")),
      FGentle(FetchTexture("gentle")), FDaily(FetchTexture("daily")), FHome(std::move(home)) {
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
    FTable.reset();
    FFieldLine = FieldLine(DailyFolder, TodaysFieldDate());
}

std::string TIntroStatus::FieldLine(const std::string& dailyFolder, const TFieldDate& today) {
    if (dailyFolder.empty()) return "not played yet";
    // Loaded first: the load waits for a save of the table still under way.
    THighscore table = THighscore::InDirectory(dailyFolder, DailyTableName(today));
    table.Load();
    std::error_code error;
    const bool played = std::filesystem::exists(dailyFolder + DailyTableName(today), error);
    std::optional<int32_t> best;
    if (played && table.Count() > 0) best = table.Score(0);
    // A best game whose name was never entered still counts.
    const auto header = LoadReplayFileHeader(dailyFolder + DailyReplayName(today));
    if (header && header->Score && header->FieldDate == today.Text())
        best = std::max(best.value_or(*header->Score), *header->Score);
    return best ? "your best: " + std::to_string(*best) : "not played yet";
}

void TIntroStatus::Leave() {
    FTable.reset();
    PlaySound("x2");
}

void TIntroStatus::ShowTable() {
    // The table of the difficulty the next game will be played at.
    const TBaseList* world = PlayWorld();
    FTableDifficulty = world != nullptr ? world->Difficulty : TDifficulty::Classic;
    FTable = std::make_unique<THighscore>(FHome, HighscoreFileName(FTableDifficulty));
    FTable->Load();
}

void TIntroStatus::Cycle() {
    const uint32_t now = SDL_GetTicks();
    if (StartDemoWhenIdle(now)) return;
    Draw(Timer.Tick(now));
    PresentFrame();
}

bool TIntroStatus::StartDemoWhenIdle(uint32_t nowTicks) {
    if (DemoStatus == nullptr || !Idle.Expired(nowTicks)) return false;
    SetCurrentListener(NextDemo(DemoStatus), Global.Loop);
    return true;
}

void TIntroStatus::Draw(double dt) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glLoadIdentity();
    glDisable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    BeginOverlay2D(800, 600);
    // The rate shows only where the picture is transparent.
    if (Global.ShowFps) {
        FormatFps(dt, TFpsRounding::Nearest, FFpsText);
        DrawFontText(FFont, 10, 10, FFpsText, 0, 0, 0);
    }
    DrawPicture(FPicture, 0, 0, 800, 600);
    FKeyCaps.DrawTitleKeys(PlayKeys());
    // Today's field under the title's own keys, the player's best on its plate.
    if (FDaily != nullptr) {
        DrawPicture(FDaily, 144, 246, 512, 32);
        if (FFont != nullptr) {
            FFont->Bind();
            simpleguidrawerunit::DrawText(488 - static_cast<int32_t>(FFieldLine.size()) * 4, 258,
                                          FFieldLine);
            glEnable(GL_TEXTURE_2D);
        }
    }
    // A Gentle game says so under the frame rate; a Classic title stays as drawn.
    if (const TBaseList* world = PlayWorld();
        world != nullptr && world->Difficulty == TDifficulty::Gentle)
        DrawPicture(FGentle, 10, 26, 128, 32);
    if (FTable != nullptr) {
        // The title dimmed under the board, the rows where the game-over screen writes them.
        DimOverlay();
        DrawPicture(FScores, 144, 330, 512, 256);
        DrawHighscoreRows(FFont, *FTable, FTableDifficulty);
        glEnable(GL_TEXTURE_2D);
    }
    EndOverlay2D();
}

void TIntroStatus::KeyDown(SDL_KeyboardEvent& event) {
    Idle.Reset(SDL_GetTicks());
    const SDLKey key = event.keysym.sym;
    if (key == FHeldKey) return;
    if (key == SDLK_ESCAPE) Global.Loop->Terminate();
    if (FTable != nullptr) {
        // The key that closes the table must not repeat into a game on the title.
        FTable.reset();
        FHeldKey = key;
        return;
    }
    if (key == SDLK_SPACE) SetCurrentListener(LevelStatus, Global.Loop);
    // D, or the pad's west button, which the pad sends as D here.
    if (key == SDLK_d && PlayScreen() != nullptr) {
        PlayScreen()->PlayField(TodaysFieldDate());
        SetCurrentListener(LevelStatus, Global.Loop);
    }
    if (key == SDLK_h) {
        ShowTable();
        FHeldKey = key; // its repeats must not close the table again
    }
    // O, or the pad's Back button, which has nothing else to do here.
    const bool options = key == SDLK_o || (FromPad(event) && key == SDLK_p);
    if (options && OptionsStatus != nullptr) SetCurrentListener(OptionsStatus, Global.Loop);
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

void ReturnToTitle(SDLKey heldKey) {
    SetCurrentListener(IntroStatus, Global.Loop);
    if (auto* title = dynamic_cast<TIntroStatus*>(IntroStatus)) title->IgnoreHeldKey(heldKey);
}
