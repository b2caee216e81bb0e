// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Today's field: one field a day, dealt from the UTC date, so every player gets the same
// levels on the same date; each day keeps its own table and best game.
#pragma once

#include <chrono>
#include <compare>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// A day of the Gregorian calendar, years 1 to 9999.
struct TFieldDate {
    int Year = 1970;
    unsigned Month = 1;
    unsigned Day = 1;

    // "YYYY-MM-DD".
    std::string Text() const;
    // Days since 1970-01-01.
    int64_t DayNumber() const;
    auto operator<=>(const TFieldDate&) const = default;
};

// The date the text names: exactly "YYYY-MM-DD", a day the calendar has (2024-02-29 is one,
// 2023-02-29 is not); none for anything else.
std::optional<TFieldDate> ParseFieldDate(std::string_view text);
// The UTC date at that moment.
TFieldDate UtcDate(std::chrono::system_clock::time_point when);

// The field's seed: the 32-bit FNV-1a hash of the date's ten ASCII characters "YYYY-MM-DD"
// (offset basis 2166136261, prime 16777619, each byte XORed in before the multiplication),
// which every platform computes alike.
uint32_t FieldSeed(const TFieldDate& date);

// The date QUELMARK_DATE would set: its value when that is a date; otherwise none, with one
// line on err naming the value (nothing when value is null).
std::optional<TFieldDate> ReadDateOverride(const char* value, std::ostream& err);
// Today for the game: QUELMARK_DATE when it names a date, else the UTC date now. A bad value
// is named on standard error once per run.
TFieldDate TodaysFieldDate();

// stateHome + "/quelmark/daily/" when it is absolute, else home +
// "/.local/state/quelmark/daily/"; "" without either.
std::string DailyDirectory(const char* stateHome, const std::string& home);
// The directory for this user: XDG_STATE_HOME, else the home from the password database.
std::string DailyDirectory();
// The day's table ("2026-12-10.highscore") and best game ("2026-12-10.qrp") in that directory.
std::string DailyTableName(const TFieldDate& date);
std::string DailyReplayName(const TFieldDate& date);

// How many days before today a day's files are kept: a table 30 days old stays, one 31 days
// old goes.
inline constexpr int64_t DailyKeptDays = 30;
// Whether the day's files go, seen from today: more than DailyKeptDays before it. Today's
// and later days' never go.
bool DailyExpired(const TFieldDate& day, const TFieldDate& today);
// Deletes the files of expired days from the directory: those whose names start with the
// day's date followed by '.' or '-' (its table, its best game, one moved aside). Anything
// else stays. Returns the names deleted; a failure is logged.
std::vector<std::string> PruneDailyFiles(const std::string& directory, const TFieldDate& today);
