// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's pictures, each returned as the bytes of a PNG file.
#pragma once

#include "fonts/consolefont.h"

#include <string>
#include <vector>

namespace mediagen {

// Full-window screens, laid out in 800 x 600 window pixels on 1024 x 1024 canvases.
std::string IntroPicture();
std::string GameOverPicture();
// The game-over screen's footer lines, drawn 1:1: saving the name or going back (512 x 32
// each, one above the other).
std::string GameOverHintsPicture();
// The 256 x 256 picture shown while the game starts.
std::string LoadingPicture();
// The HUD's top-left title (drawn 200 x 200 from y = -20).
std::string TitlePicture();
// The level-start "LEVEL" banner in the texture band t = 0.3 to 0.65.
std::string LevelBannerPicture();
// The "Demo: press any key" board over the self-playing demo, drawn 400 x 50.
std::string DemoBannerPicture();
// The 512 x 256 panel over the paused field, and the 256 x 64 volume plaque; both drawn 1:1.
std::string PausedPicture();
std::string VolumePicture();

// The level-1 key card (drawn 1:1, the card in its top-left 768 x 52) and the board of the
// high-score table seen from the title (512 x 256, drawn 1:1).
std::string KeyCardPicture();
std::string ScoresPicture();
// The keycap parts the game draws the key card's row and the title's play keys with, and the
// card's labels in their order.
std::string KeyPartsPicture();
const std::vector<const char*>& KeyCardLabels();
// The title's line for today's field, its key and a plate for the player's best (512 x 32,
// drawn 1:1).
std::string DailyLinePicture();
// The mark of a Gentle game, on the title and in play (128 x 32, drawn 1:1).
std::string GentleBadgePicture();

// HUD icons, drawn 32 x 32 by the game.
std::string HeartIcon();
std::string SheepIcon();
std::string PointIcon();
// The seamless ground tile.
std::string GrassTile();
// The 8 x 8 glyph grid: codes 32 to 159 in the lower half, 160 to 255 where the
// texture's repeat wrap brings them, in the upper half.
std::string FontPicture(const TConsoleFont& font);
// Large digits "0" to "9" in 32 x 64 cells, 8 to a row.
std::string NumbersPicture();

// The textured GUI skin: nine-slice frames and the check-box tick.
std::string SkinPicture(const std::string& name);
// The names of the skin pictures.
const std::vector<std::string>& SkinNames();

} // namespace mediagen
