// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/replaystatusunit.h"

#include "app/keyboardunit.h"
#include "app/logunit.h"
#include "app/openglmainloop.h"
#include "app/userdirectoryunit.h"
#include "game/gameunit.h"
#include "game/highscoreunit.h"
#include "game/introstatusunit.h"
#include "game/mainstatusunit.h"
#include "game/replayfilesunit.h"
#include "game/screenkitunit.h"
#include "gui/guiextraunit.h"

#include <SDL_opengl.h>

TReplayStatus* ReplayStatus = nullptr;

namespace {

// More steps than this in one frame is a file of zero-length steps: it plays on next frame.
constexpr int MaxStepsPerCycle = 4000;

} // namespace

TReplayStatus::TReplayStatus(TMainStatus& play)
    : FPlay(play), FFont(FetchTexture("font")), FPanel(FetchTexture("paused")) {}

TReplayStatus::~TReplayStatus() = default;

void TReplayStatus::Show(TReplay replay, std::string band) {
    FReplay = std::move(replay);
    FBand = std::move(band);
}

bool TReplayStatus::ShowBest() {
    // The best game and the table of the difficulty the player has chosen.
    const TDifficulty difficulty = FPlay.PlayersDifficulty();
    std::optional<TReplay> best = BestReplay(ReplayDirectory(), difficulty);
    // A best game always scored; anything else is no best game to show.
    if (!best || best->Score <= 0) return false;
    THighscore table(HomeDirectory(), HighscoreFileName(difficulty));
    table.Load();
    std::string name;
    for (int i = 0; i < table.Count() && name.empty(); ++i)
        if (table.Score(i) == best->Score && table.Strings(i) != "no one") name = table.Strings(i);
    const std::string score = std::to_string(best->Score);
    Show(std::move(*best), name.empty() ? "Best game: " + score : name + ": " + score);
    return true;
}

void TReplayStatus::Enter() {
    FPlay.LendWorld(static_cast<TDifficulty>(FReplay.Difficulty));
    FPlayer = std::make_unique<TReplayPlayer>(FReplay, FPlay.World(), *Global.KeyState);
    FPlay.BeginVisit();
    FPaused = false;
    FSpeedShift = 0;
    EnterPhase(TPhase::LevelStart, SDL_GetTicks());
}

void TReplayStatus::Leave() {
    // The level-start screen is dropped without its sound: this screen's own follows.
    FLevelScreen.Animator.reset();
    FLevelScreen.Model.reset();
    FPlayer.reset();
    FPlay.TakeWorldBack();
    Global.KeyState->Clear();
    PlaySound("x2");
}

void TReplayStatus::EnterPhase(TPhase phase, uint32_t now) {
    // The attract mode goes from level to level as the pilot's demo does, without the
    // level start and its prompt.
    if (phase == TPhase::LevelStart && !FBand.empty()) phase = TPhase::Playing;
    if (FPhase == TPhase::LevelStart && phase != TPhase::LevelStart && FLevelScreen.Animator)
        FLevelScreen.Leave();
    FPhase = phase;
    FPhaseTicks = 0;
    FLastTicks = now;
    FFreshPhase = true;
    FBudget = 0;
    if (phase == TPhase::LevelStart) FLevelScreen.Enter();
}

void TReplayStatus::Cycle() {
    CycleAt(SDL_GetTicks());
}

void TReplayStatus::CycleAt(uint32_t now) {
    // A phase's time counts from its first frame: loading the level screen's model, or a
    // slow start-up, must not eat the second it shows.
    const uint32_t elapsed = FFreshPhase ? 0 : now - FLastTicks;
    FFreshPhase = false;
    FLastTicks = now;
    if (!FPaused) FPhaseTicks += elapsed;
    switch (FPhase) {
    case TPhase::LevelStart:
        FLevelScreen.Draw(elapsed / 1000.0);
        PresentFrame();
        if (FPhaseTicks >= LevelStartMilliseconds) EnterPhase(TPhase::Playing, now);
        return;
    case TPhase::Playing:
        if (!FPaused) Advance(elapsed, now);
        break;
    case TPhase::Ended:
        if (FPhaseTicks >= EndMilliseconds) {
            Finish();
            return;
        }
        break;
    }
    if (FPhase == TPhase::LevelStart) return;
    Draw(FPlayer->LastDt());
    PresentFrame();
}

void TReplayStatus::Advance(uint32_t elapsed, uint32_t now) {
    FBudget += static_cast<double>(elapsed) * Speed();
    for (int i = 0; i < MaxStepsPerCycle && !FPlayer->Finished(); ++i) {
        const uint32_t due = FPlayer->NextMilliseconds();
        if (FBudget < due) break;
        FBudget -= due;
        switch (FPlayer->Step()) {
        case TReplayPlayer::TResult::LevelCleared:
            EnterPhase(TPhase::LevelStart, now);
            return;
        case TReplayPlayer::TResult::Diverges:
            WriteLog("Replay diverges at step " + std::to_string(FPlayer->StepsDone()));
            EnterPhase(TPhase::Ended, now);
            return;
        case TReplayPlayer::TResult::Matches:
            EnterPhase(TPhase::Ended, now);
            return;
        case TReplayPlayer::TResult::Playing:
            break;
        }
    }
}

void TReplayStatus::Draw(double dt) {
    FPlay.DrawScene();
    FPlay.DrawHud(dt, static_cast<uint32_t>(FPlayer->LevelMilliseconds()));
    BeginOverlay2D(800, 600);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    if (FBand.empty()) {
        FText = "REPLAY " + std::to_string(Speed()) + "x  (F speed, P pause)";
        DrawFontText(FFont, 210, 10, FText, 0, 0, 0);
    }
    if (FPaused)
        DrawPausedPanel(FPanel);
    else if (FPhase == TPhase::Ended)
        DimOverlay();
    if (FPhase == TPhase::Ended) {
        FText = "FINAL SCORE";
        DrawFontText(FFont, 356, 280, FText, 1, 1, 1);
        FText = std::to_string(FPlay.World().Score);
        glColor3f(1, 1, 1);
        DrawNumbers(400 - 16 * static_cast<int32_t>(FText.size()), 300, FText, 1.0f);
    }
    EndOverlay2D();
    if (!FBand.empty()) DrawBand();
}

void TReplayStatus::DrawBand() const {
    BeginOverlay2D(800, 600);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    // Light wood in a darker frame, as the other boards.
    const TOverlayRect& band = DemoBandRect;
    FillOverlayRect(band.X, band.Y, band.Width, band.Height, 0.35f, 0.23f, 0.12f);
    FillOverlayRect(band.X + 3, band.Y + 3, band.Width - 6, band.Height - 6, 0.66f, 0.49f, 0.31f);
    const auto x =
        static_cast<int32_t>(band.X + band.Width / 2) - 4 * static_cast<int32_t>(FBand.size());
    DrawFontText(FFont, x, static_cast<int32_t>(band.Y + 14), FBand, 1, 0.95f, 0.85f);
    const std::string hint = "press any key";
    DrawFontText(FFont, 400 - 4 * static_cast<int32_t>(hint.size()),
                 static_cast<int32_t>(band.Y + 30), hint, 0.2f, 0.13f, 0.07f);
    EndOverlay2D();
}

void TReplayStatus::KeyDown(SDL_KeyboardEvent& event) {
    const SDLKey key = event.keysym.sym;
    if (!FBand.empty()) {
        if (key == SDLK_ESCAPE && Endless) {
            Global.Loop->Terminate();
            return;
        }
        ReturnToTitle(key);
        return;
    }
    const uint32_t now = SDL_GetTicks();
    if (key == SDLK_ESCAPE) Global.Loop->Terminate();
    if (key == SDLK_SPACE && FPhase == TPhase::LevelStart) EnterPhase(TPhase::Playing, now);
    if (key == SDLK_SPACE && FPhase == TPhase::Ended) Finish();
    if ((key == SDLK_p || key == SDLK_PAUSE) && FPhase == TPhase::Playing) FPaused = !FPaused;
    if (key == SDLK_f) FSpeedShift = (FSpeedShift + 1) % 3;
}

void TReplayStatus::MouseButtonDown(SDL_MouseButtonEvent&) {
    if (!FBand.empty()) ReturnToTitle(SDLK_UNKNOWN);
}

void TReplayStatus::Finish() {
    SetCurrentListener(!FBand.empty() && Endless ? NextDemo(DemoStatus) : IntroStatus, Global.Loop);
}

TEventListener* TReplayStatus::NextDemo(TEventListener* pilot) {
    const bool best = FBestGamesTurn;
    FBestGamesTurn = !FBestGamesTurn;
    return best && ShowBest() ? this : pilot;
}

TEventListener* NextDemo(TEventListener* pilot) {
    return ReplayStatus != nullptr ? ReplayStatus->NextDemo(pilot) : pilot;
}
