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

// The line WriteLog writes (without the line feed) for a given local time.
std::string FormatLogLine(const std::string& message, const std::tm& localTime);
