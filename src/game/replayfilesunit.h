// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Where replays are kept, reading one from a file, and keeping every game as last.qrp and the
// best one as best.qrp.
#pragma once

#include "game/replayunit.h"

#include <optional>
#include <string>

// stateHome + "/quelmark/replays/" when it is absolute, else home +
// "/.local/state/quelmark/replays/"; "" without either.
std::string ReplayDirectory(const char* stateHome, const std::string& home);
// The directory for this user: XDG_STATE_HOME, else the home from the password database.
std::string ReplayDirectory();

// The replay in the file; throws TReplayError saying why not (the file's name not included).
TReplay LoadReplayFile(const std::string& fileName);

// Saves the game as last.qrp and, when it beats the score of best.qrp (or there is no
// readable one), as best.qrp too. A failure is logged and nothing else happens.
void KeepReplay(const TReplay& replay, const std::string& directory);

// best.qrp of the directory, or none when it is missing or unreadable.
std::optional<TReplay> BestReplay(const std::string& directory);
