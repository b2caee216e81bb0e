// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The real play screen run as the main loop runs it, without a window: each frame a caller
// holds keys, then the screen takes its step at the frame's tick, recording it as the game
// does. The level start hands straight back. Used by the replay tests and the replay bench, so
// that what they record is the game's own recording, not a copy of its loop.
#pragma once

#include "app/keyboardunit.h"
#include "app/openglmainloop.h"
#include "assets/mediamanagerunit.h"
#include "game/mainstatusunit.h"
#include "support/gamescreen.h"

#include <functional>
#include <memory>
#include <utility>
#include <vector>

class TPlayDriver {
public:
    // Installs its own keys, loop, screens and a media manager without pictures or sound in
    // Global until it goes (the models are read from media/ in the working folder, without
    // their meshes).
    TPlayDriver();
    ~TPlayDriver();
    TPlayDriver(const TPlayDriver&) = delete;
    TPlayDriver& operator=(const TPlayDriver&) = delete;

    // Enters the play screen with a new game dealt from seed under difficulty.
    void Start(uint32_t seed, TDifficulty difficulty = TDifficulty::Classic);
    // One frame of the given length: a level start showing is left (as space does, which lets
    // go of every key), steer holds the player's keys, then the screen steps. False once the
    // game has been lost.
    bool Frame(uint32_t milliseconds, const std::function<void()>& steer = {});
    // Whether the level start shows (a level was just cleared).
    bool AtLevelStart() const;
    TBaseList& World() { return Play->World(); }

    TKeyState Keys;
    std::unique_ptr<TMainStatus> Play;
    // The tick count of the last frame; each visit to the play screen starts it from the
    // screen's own reading.
    uint32_t Now = 0;
    // Each game handed over when it ended, with its end.
    std::vector<std::pair<TReplay, TReplayEnd>> Games;

private:
    TNullMediaManager FMedia;
    TOpenGlRealTimeLoop FLoop;
    TVisitRecorder FLevelStart, FGameOver;
    TKeyState* FPreviousKeys;
    TGenericMediaManager* FPreviousMedia;
    TOpenGlRealTimeLoop* FPreviousLoop;
    bool FPreviousLogging;
    TEventListener *FPreviousPlay, *FPreviousLevelStart, *FPreviousGameOver, *FPreviousScreen;
};
