// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "support/playdriver.h"

#include "app/logunit.h"
#include "app/stateunit.h"

TPlayDriver::TPlayDriver()
    : FPreviousKeys(std::exchange(Global.KeyState, &Keys)),
      FPreviousMedia(std::exchange(Global.MediaManager, &FMedia)),
      FPreviousLoop(std::exchange(Global.Loop, &FLoop)),
      // The screen's pictures are missing on purpose: no log of them.
      FPreviousLogging(SetLogging(false)), FPreviousPlay(MainStatus),
      FPreviousLevelStart(LevelStatus), FPreviousGameOver(GameOverStatus),
      FPreviousScreen(CurrentListener) {
    Play = std::make_unique<TMainStatus>();
    Play->GameRecorded = [this](const TReplay& replay, TReplayEnd end, int32_t) {
        Games.emplace_back(replay, end);
    };
    MainStatus = Play.get();
    LevelStatus = &FLevelStart;
    GameOverStatus = &FGameOver;
}

TPlayDriver::~TPlayDriver() {
    if (CurrentListener == Play.get() || CurrentListener == &FLevelStart ||
        CurrentListener == &FGameOver)
        CurrentListener = FPreviousScreen;
    MainStatus = FPreviousPlay;
    LevelStatus = FPreviousLevelStart;
    GameOverStatus = FPreviousGameOver;
    Play.reset();
    SetLogging(FPreviousLogging);
    Global.MediaManager = FPreviousMedia;
    Global.Loop = FPreviousLoop;
    Global.KeyState = FPreviousKeys;
}

void TPlayDriver::Start(uint32_t seed, TDifficulty difficulty) {
    World().Difficulty = difficulty;
    Play->FirstSeed = seed;
    SetCurrentListener(Play.get(), &FLoop);
    Now = Play->LastTicks;
}

bool TPlayDriver::AtLevelStart() const {
    return CurrentListener == &FLevelStart;
}

bool TPlayDriver::Frame(uint32_t milliseconds, const std::function<void()>& steer) {
    if (AtLevelStart()) {
        SetCurrentListener(Play.get(), &FLoop);
        Now = Play->LastTicks;
    }
    if (CurrentListener != Play.get()) return false;
    if (steer) steer();
    Now += milliseconds;
    Play->PlayAt(Now);
    return CurrentListener != &FGameOver;
}
