// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The game's one log: each call appends a time-stamped line to the file "log".
#pragma once

#include <ctime>
#include <string>

// Appends "hh:nn message" to "log" in the working directory. A log that cannot be
// written is silently skipped: the game must go on either way.
void WriteLog(const std::string& message);
// Turns the log on or off for the whole program (a check from the command line writes none);
// returns whether it was on.
bool SetLogging(bool on);

// The line WriteLog writes (without the line feed) for a given local time.
std::string FormatLogLine(const std::string& message, const std::tm& localTime);
