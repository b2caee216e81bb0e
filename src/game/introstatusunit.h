// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The title screen: a full-window picture over the background music, which starts here.
#pragma once

#include "app/userdirectoryunit.h"
#include "assets/soundunit.h"
#include "game/dailyfieldunit.h"
#include "game/difficultyunit.h"
#include "game/highscoreunit.h"
#include "game/keycapsunit.h"
#include "game/screenkitunit.h"

#include <cstdint>
#include <memory>
#include <string>

class TTexture;

// How long the title has been left alone; the demo starts after a minute of it.
class TIdleClock {
public:
    static constexpr uint32_t DemoAfterMilliseconds = 60000;

    void Reset(uint32_t nowTicks) { FSince = nowTicks; }
    bool Expired(uint32_t nowTicks) const { return nowTicks - FSince >= DemoAfterMilliseconds; }

private:
    uint32_t FSince = 0;
};

class TIntroStatus : public TKeyScreen {
public:
    // Starts "media/yeeha.xm" looping for the rest of the run; without it the game is silent.
    // home: where the high-score table lives.
    explicit TIntroStatus(std::string home = HomeDirectory());
    ~TIntroStatus() override;
    TIntroStatus(const TIntroStatus&) = delete;
    TIntroStatus& operator=(const TIntroStatus&) = delete;

    // The idle clock starts.
    void Enter() override;
    void Leave() override;
    // Switches to the demo once the title has been left alone long enough, else draws.
    void Cycle() override;
    // Space starts a game on the level-start screen, D (or the pad's west button) a game on
    // today's field, H shows the high-score table, Escape quits; any key restarts the idle
    // clock. Over the table any key but Escape goes back.
    void KeyDown(SDL_KeyboardEvent& event) override;
    void KeyUp(SDL_KeyboardEvent& event) override;
    void MouseButtonDown(SDL_MouseButtonEvent& event) override;

    // Presses of this key are its repeats until it is released: it ended the demo.
    void IgnoreHeldKey(SDLKey key) { FHeldKey = key; }
    // Switches to the demo (DemoStatus) when the title has been idle long enough by the
    // given tick count; true when it did.
    bool StartDemoWhenIdle(uint32_t nowTicks);

    // One frame for a frame time of dt seconds, left in the back buffer: the title, or the
    // table over it while that is shown.
    void Draw(double dt);
    // The table as it is on disk now, shown until a key is pressed.
    void ShowTable();
    bool ShowsTable() const { return FTable != nullptr; }
    bool MusicPlaying() const;

    // What the title says of today's field: "not played yet", or "your best: N" once a game
    // on it has been kept (its table, or its best game, in the folder).
    static std::string FieldLine(const std::string& dailyFolder, const TFieldDate& today);
    // Where the days' tables are kept.
    std::string DailyFolder;
    TFrameTimer Timer;
    TIdleClock Idle;

private:
    TMusicPtr FMusic;
    TTexture* FFont;
    TTexture* FPicture;
    TTexture* FScores;
    TTexture* FGentle;
    TTexture* FDaily;
    TKeyCaps FKeyCaps;
    std::string FHome;
    std::unique_ptr<THighscore> FTable; // while shown
    TDifficulty FTableDifficulty = TDifficulty::Classic;
    std::string FFpsText;
    std::string FFieldLine; // read as the title is entered
    SDLKey FHeldKey = SDLK_UNKNOWN;
};

// Back to the title from another screen, left with heldKey (none for the mouse or a button):
// key repeat would otherwise hand the title the same key as a fresh press.
void ReturnToTitle(SDLKey heldKey);
