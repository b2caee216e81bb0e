// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where replays are kept, reading one from a file, and keeping every game as last.qrp and the
// best one as best.qrp.
#pragma once

#include "game/difficultyunit.h"
#include "game/replayformatunit.h"

class THighscore;

#include <cstdint>
#include <optional>
#include <string>

// stateHome + "/quelmark/replays/" when it is absolute, else home +
// "/.local/state/quelmark/replays/"; "" without either.
std::string ReplayDirectory(const char* stateHome, const std::string& home);
// The directory for this user: XDG_STATE_HOME, else the home from the password database.
std::string ReplayDirectory();

// The replay in the file; throws TReplayError saying why not (the file's name not included).
TReplay LoadReplayFile(const std::string& fileName);
// Its header only, the steps not decoded; nullopt when the file cannot be read as a replay.
std::optional<TReplayHeader> LoadReplayFileHeader(const std::string& fileName);

// The best game of each difficulty has its file, as its scores have their table:
// "best.qrp" for Classic, "best-gentle.qrp" for Gentle.
std::string BestReplayFileName(TDifficulty difficulty);

// Whether a game that ended so is the best of its difficulty: lost, entering the table and
// above every score in it, so that the best game is the one heading the table.
bool RanksFirst(TReplayEnd end, int32_t score, const THighscore& table);

// Saves the game as last.qrp and, when best, as the best game of its difficulty. A best file
// that this version cannot play is not overwritten but moved aside first, as
// best-<its version>.qrp, and the log says so. A failure is logged and nothing else happens.
void KeepReplay(const TReplay& replay, const std::string& directory, bool best);

// Saves the game as the best one under that name in the directory (the best game of a day's
// field), moving aside a best file this version cannot play as KeepReplay does.
void KeepBestReplay(const TReplay& replay, const std::string& directory,
                    const std::string& bestName);

// A game on a day's field: kept as last.qrp in replayDirectory, and as the day's best game
// beside the day's table in dailyDirectory when it is lost heading that table. A day without
// a table gets its ten empty entries written, so that the title knows it has been played.
void KeepFieldGame(const TReplay& replay, TReplayEnd end, int32_t score,
                   const std::string& replayDirectory, const std::string& dailyDirectory);

// The best game of the difficulty in the directory, or none when it is missing or unreadable.
std::optional<TReplay> BestReplay(const std::string& directory, TDifficulty difficulty);
