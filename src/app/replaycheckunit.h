// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// "--replay FILE --check": the replay played without a window as fast as it goes, every
// digest compared.
#pragma once

#include <iosfwd>
#include <string>

// Prints "replay FILE: level L, score S, N steps, matches" ("replay FILE: today's field
// YYYY-MM-DD, level L, ..." for a game on a day's field) and returns 0, or "replay FILE:
// diverges at step N (level L)" (naming the build that recorded it when that is another one)
// and returns 2; a file that cannot be read, or a folder without the media, gets one line on
// err and 1. The world's models come from media/ as the game would load them.
int RunReplayCheck(const std::string& fileName, std::ostream& out, std::ostream& err);
