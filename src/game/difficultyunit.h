// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The two ways to play: Classic, the world as designed, and Gentle, a kinder start for new
// players. Everything a difficulty changes is decided here.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

enum class TDifficulty { Classic, Gentle };

// The word in the settings file ("classic") and the one on screen ("Classic").
const char* DifficultySettingName(TDifficulty difficulty);
const char* DifficultyLabel(TDifficulty difficulty);
std::optional<TDifficulty> DifficultyOfName(const std::string& name);

// Whether the level's last two rams hunt the viking across the whole field: always in
// Classic; from level 3 on in Gentle.
bool HuntersOnLevel(TDifficulty difficulty, int32_t level);
// The health the viking starts the next level with after clearing one: Gentle gives one
// point back, up to the starting five.
int32_t HealthAfterClearing(TDifficulty difficulty, int32_t health);

// Whether play shows the mark on the ground ahead of the viking: the player's choice when
// there is one, otherwise on Gentle only.
bool ShowsFacingMarker(TDifficulty difficulty, std::optional<bool> choice);

// How long after a bite the viking cannot be bitten again: none in Classic.
float BiteGraceSeconds(TDifficulty difficulty);

// The rams on a level: one more than its number; Gentle has one fewer on levels 1 and 2.
int32_t RamsOnLevel(TDifficulty difficulty, int32_t level);

// The high-score table's file in ~/.quelmark/: each difficulty keeps its own.
const char* HighscoreFileName(TDifficulty difficulty);
