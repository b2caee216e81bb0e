// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The play screen: advances the world, follows the viking with the camera, draws the field
// and the heads-up display, and hands over when the level is won or lost.
#pragma once

#include "app/stateunit.h"
#include "game/dailyfieldunit.h"
#include "game/gameunit.h"
#include "game/replayrecorderunit.h"
#include "math/frustumunit.h"
#include "math/randomunit.h"
#include "math/vectorunit.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <random>
#include <string>

class TTexture;
class TRealTimeModel;

// The camera stands this far from the viking in x, y and z and looks at its feet.
TVector CameraEye(float vikingX, float vikingZ);
TVector CameraTarget(float vikingX, float vikingZ);

// Whether a tree (sphere of centre treeCentre and the given radius) lies on the line from
// the eye through the viking's point, before, between or behind them.
bool HidesViking(const TVector& eye, const TVector& vikingPoint, const TVector& treeCentre,
                 float radius);

// "TIME: mm:ss" for the milliseconds spent on the level, into out.
void FormatClock(uint32_t milliseconds, std::string& out);

class TMainStatus : public TEventListener {
public:
    // Builds the world on level 1 and loads the fence.
    TMainStatus();
    ~TMainStatus() override;
    TMainStatus(const TMainStatus&) = delete;
    TMainStatus& operator=(const TMainStatus&) = delete;

    // Restarts the level clock, unpaused; the first frame measures from here. A new game is
    // dealt from a seed of its own and recorded from here on.
    void Enter() override;
    void Leave() override;
    void Cycle() override;
    // P and Pause pause and resume; Escape quits, paused or not.
    void KeyDown(SDL_KeyboardEvent& event) override;
    void KeyUp(SDL_KeyboardEvent& event) override;
    void MouseButtonDown(SDL_MouseButtonEvent&) override {}
    void MouseButtonUp(SDL_MouseButtonEvent&) override {}
    void MouseMove(SDL_MouseMotionEvent& event) override { RecordMousePosition(event); }
    // Pauses; coming back is the player's to decide.
    void FocusLost() override;

    // One cycle at the tick reading now: a world frame, or the paused picture.
    void CycleAt(uint32_t now);
    // Stops the world and the level clock at now and forgets the held keys; nothing when
    // already paused.
    void Pause(uint32_t now);
    // Goes on from now as if the paused time had never passed; nothing when not paused.
    void Resume(uint32_t now);
    bool Paused() const { return FPaused; }
    // The time spent on the level at now, without the paused time.
    uint32_t LevelMilliseconds(uint32_t now) const;

    // The world's part of a cycle at now, without drawing: the step is recorded with the keys
    // held, then taken; true when another screen has taken over. Nothing while paused.
    bool PlayAt(uint32_t now);
    // One frame of dt seconds: the world, then the hand-over or the picture.
    void Frame(double dt, uint32_t levelMilliseconds);
    // The picture of a frame of dt seconds.
    void DrawFrame(double dt, uint32_t levelMilliseconds);
    // Advances the world and decides the level; true when another screen has taken over
    // (and nothing may be drawn this cycle).
    bool AdvanceWorld(double dt);
    // Advances the world by dt and says whether the level has been decided, five seconds
    // after the last sheep or the viking fell. Switches no screen.
    TLevelOutcome StepWorld(double dt);
    // A fresh visit: level clock and end timer restart, no key held.
    void BeginVisit();
    // The field from the camera over the viking, into the back buffer.
    void DrawScene();
    // The overlay: frame rate, level clock, title, health, sheep left and score.
    void DrawHud(double dt, uint32_t levelMilliseconds);
    // The still scene and its HUD dimmed, under the paused panel, into the back buffer.
    void DrawPaused();

    TBaseList& World() const { return *FWorld; }
    // The demo and the replays play on this world under rules of their own while they show;
    // the player's difficulty stays known meanwhile and comes back with a new game when the
    // world is handed back.
    void LendWorld(TDifficulty difficulty);
    void TakeWorldBack();
    TDifficulty PlayersDifficulty() const;

    // Deals a new game from the next game's seed, or from the day's seed on today's field,
    // and starts recording it.
    void StartGame();
    // The next game, until LeaveField, is the day's field: dealt from its date's seed on
    // Classic rules whatever the player's difficulty, which is kept meanwhile.
    void PlayField(const TFieldDate& date);
    // Back to the player's own games, with a new game on the player's difficulty.
    void LeaveField();
    // The day whose field is being played, if any.
    const std::optional<TFieldDate>& Field() const { return FField; }
    // Ends the game being recorded, if any, and hands its replay to GameRecorded.
    void FinishGame(TReplayEnd end);

    // The first game is dealt from seed, later ones from seeds drawn from a generator of
    // their own that it seeds too, so that no replay watched meanwhile decides them.
    void SeedGames(uint32_t seed);
    std::optional<uint32_t> FirstSeed;
    TReplayRecorder Recorder;
    // Receives every game when it ends (lost or quit), with its end and final score (a
    // recording cut short ends earlier).
    std::function<void(const TReplay&, TReplayEnd, int32_t)> GameRecorded;

    uint32_t LastTicks = 0;
    uint32_t StartTicks = 0;
    float EndTimer = 0;
    TVector Eye{0, 0, 0};
    TVector Target{0, 0, 0};
    TFrustumCuller Culler;

private:
    void DrawFenceAndGround() const;
    void DrawEntities();
    void DrawIcon(const TTexture* icon, int32_t y, int32_t value);

    bool FPaused = false;
    uint32_t FPausedAt = 0;
    // The pause key acts once per press, not again on the keyboard's repeat.
    bool FPauseKeyHeld = false;
    // The frame time the HUD showed when play paused; the paused picture keeps it.
    double FLastDt = 0;
    std::mt19937 FGameSeeds{ClockSeed()};
    std::optional<TDifficulty> FLentFrom;
    std::optional<TFieldDate> FField;
    std::unique_ptr<TBaseList> FWorld;
    std::unique_ptr<TRealTimeModel> FFenceModel;
    TTexture* FFont;
    TTexture* FTitle;
    TTexture* FHeart;
    TTexture* FSheep;
    TTexture* FPoint;
    TTexture* FGround;
    TTexture* FNumbers;
    TTexture* FPausedPanel;
    TTexture* FGentle;
    std::string FFpsText;
    std::string FClockText;
    std::string FNumberText;
};

// The world of the play screen, or nullptr before it exists.
TBaseList* PlayWorld();
// The play screen, or nullptr before it exists.
TMainStatus* PlayScreen();
