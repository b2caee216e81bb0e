// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The screen before every level: the viking walking, the level number and the prompt.
#pragma once

#include "game/keycapsunit.h"
#include "game/screenkitunit.h"

#include <array>
#include <memory>
#include <string>

class TTexture;
class TRealTimeModel;
class TAnimationHandler;

class TLevelStatus : public TKeyScreen {
public:
    TLevelStatus();
    ~TLevelStatus() override;
    TLevelStatus(const TLevelStatus&) = delete;
    TLevelStatus& operator=(const TLevelStatus&) = delete;

    // Loads the viking model afresh and starts its walk; the walk measures from here.
    void Enter() override;
    void Leave() override;
    void Cycle() override;
    // Space starts play, Escape quits.
    void KeyDown(SDL_KeyboardEvent& event) override;

    // Advances the walk by dt seconds and draws one frame into the back buffer; on level 1
    // the key card, with the player's keys, sits between the viking and the prompt.
    void Draw(double dt);

    // The two lines above the banner on today's field of that date.
    static std::array<std::string, 2> FieldLines(const std::string& fieldDate);

    // Where the key card stands: 768 x 52 pixels from (16, 394), clear of the viking's feet
    // and of the prompt at y 450.
    static constexpr float CardLeft = 16, CardTop = 394, CardWidth = 768, CardHeight = 52;

    TFrameTimer Timer;
    std::unique_ptr<TRealTimeModel> Model;       // while current
    std::unique_ptr<TAnimationHandler> Animator; // while current

private:
    TTexture* FBanner;
    TTexture* FFont;
    TTexture* FNumbers;
    TTexture* FKeyCard;
    TKeyCaps FKeyCaps;
    std::string FLevelText;
};
