// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/difficultyunit.h"

namespace {

// Gentle's hunters first appear on this level.
constexpr int32_t GentleHuntersFrom = 3;
constexpr int32_t FullHealth = 5;
// Long enough to walk out of a ram's reach, short enough that standing still still costs.
constexpr float GentleBiteGrace = 2.0f;

} // namespace

const char* DifficultySettingName(TDifficulty difficulty) {
    return difficulty == TDifficulty::Gentle ? "gentle" : "classic";
}

const char* DifficultyLabel(TDifficulty difficulty) {
    return difficulty == TDifficulty::Gentle ? "Gentle" : "Classic";
}

std::optional<TDifficulty> DifficultyOfName(const std::string& name) {
    for (const TDifficulty d : {TDifficulty::Classic, TDifficulty::Gentle})
        if (name == DifficultySettingName(d)) return d;
    return std::nullopt;
}

bool HuntersOnLevel(TDifficulty difficulty, int32_t level) {
    return difficulty == TDifficulty::Classic || level >= GentleHuntersFrom;
}

int32_t HealthAfterClearing(TDifficulty difficulty, int32_t health) {
    if (difficulty == TDifficulty::Classic || health >= FullHealth) return health;
    return health + 1;
}

bool ShowsFacingMarker(TDifficulty difficulty, std::optional<bool> choice) {
    return choice.value_or(difficulty == TDifficulty::Gentle);
}

float BiteGraceSeconds(TDifficulty difficulty) {
    return difficulty == TDifficulty::Gentle ? GentleBiteGrace : 0;
}

int32_t RamsOnLevel(TDifficulty difficulty, int32_t level) {
    const bool spared = difficulty == TDifficulty::Gentle && level < GentleHuntersFrom;
    return spared ? level : level + 1;
}

const char* HighscoreFileName(TDifficulty difficulty) {
    return difficulty == TDifficulty::Gentle ? "highscore-gentle" : "highscore";
}
