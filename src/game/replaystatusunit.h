// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A kept game shown again on the play screen's world at its recorded pace: watched from a
// file (space skips a level start, P pauses, F picks 1x, 2x or 4x, Escape quits) or, in the
// attract mode, the best game under a band with its player and score, from level to level
// without the level starts.
#pragma once

#include "game/difficultyunit.h"
#include "game/levelstatusunit.h"
#include "game/replayplayerunit.h"
#include "game/screenkitunit.h"

#include <cstdint>
#include <memory>
#include <string>

class TMainStatus;
class TTexture;

class TReplayStatus : public TKeyScreen {
public:
    // The level-start screen between levels passes by itself after this long.
    static constexpr uint32_t LevelStartMilliseconds = 1000;
    // The final score stays this long before the title returns.
    static constexpr uint32_t EndMilliseconds = 4000;

    explicit TReplayStatus(TMainStatus& play);
    ~TReplayStatus() override;

    // The game the next visit shows from its start; a band text makes it the attract mode's
    // best game, "" a file being watched.
    void Show(TReplay replay, std::string band);
    // Shows best.qrp next, named by the table; false when there is no readable best game.
    bool ShowBest();
    // The attract mode's next demo: the pilot's screen and the best game take turns, the pilot
    // first; the pilot's screen again on the best game's turn when there is none to show.
    TEventListener* NextDemo(TEventListener* pilot);

    // The first level is dealt and its start screen shown.
    void Enter() override;
    // A fresh game, so that the player's own game starts on level 1.
    void Leave() override;
    void Cycle() override;
    void KeyDown(SDL_KeyboardEvent& event) override;
    void MouseButtonDown(SDL_MouseButtonEvent& event) override;

    // One cycle at the tick count now: the steps due, then the frame into the back buffer.
    void CycleAt(uint32_t now);
    int Speed() const { return 1 << FSpeedShift; }
    uint64_t StepsPlayed() const { return FPlayer ? FPlayer->StepsDone() : 0; }
    bool Paused() const { return FPaused; }

    // In the attract mode demos follow each other and Escape quits, as "--demo" asks.
    bool Endless = false;

private:
    enum class TPhase { LevelStart, Playing, Ended };

    void EnterPhase(TPhase phase, uint32_t now);
    void Advance(uint32_t elapsed, uint32_t now);
    void Draw(double dt);
    void DrawBand() const;
    // To the title, or the next demo when they run endlessly.
    void Finish();

    TMainStatus& FPlay;
    TLevelStatus FLevelScreen;
    TReplay FReplay;
    std::string FBand;
    std::unique_ptr<TReplayPlayer> FPlayer;
    TPhase FPhase = TPhase::LevelStart;
    uint32_t FLastTicks = 0;
    uint32_t FPhaseTicks = 0;
    bool FFreshPhase = true;
    double FBudget = 0; // recorded milliseconds due but not yet played
    bool FPaused = false;
    int FSpeedShift = 0;
    TTexture* FFont;
    TTexture* FPanel;
    std::string FText;
    // Whether the attract mode's next turn is the best game's.
    bool FBestGamesTurn = false;
};

// The replay screen of the attract mode, while the game runs.
extern TReplayStatus* ReplayStatus;

// The next demo the title shows: the pilot's screen, and the best game in turn when one is
// kept.
TEventListener* NextDemo(TEventListener* pilot);
