// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/dailyfieldunit.h"

#include "app/logunit.h"
#include "app/userdirectoryunit.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace {

std::chrono::year_month_day Calendar(const TFieldDate& date) {
    return std::chrono::year_month_day{std::chrono::year{date.Year}, std::chrono::month{date.Month},
                                       std::chrono::day{date.Day}};
}

bool AllDigits(std::string_view text) {
    return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

int Number(std::string_view digits) {
    int value = 0;
    for (const char c : digits)
        value = value * 10 + (c - '0');
    return value;
}

} // namespace

std::string TFieldDate::Text() const {
    char text[16];
    std::snprintf(text, sizeof text, "%04d-%02u-%02u", Year, Month, Day);
    return text;
}

int64_t TFieldDate::DayNumber() const {
    return std::chrono::sys_days{Calendar(*this)}.time_since_epoch().count();
}

std::optional<TFieldDate> ParseFieldDate(std::string_view text) {
    if (text.size() != 10 || text[4] != '-' || text[7] != '-' || !AllDigits(text.substr(0, 4)) ||
        !AllDigits(text.substr(5, 2)) || !AllDigits(text.substr(8, 2)))
        return std::nullopt;
    const TFieldDate date{Number(text.substr(0, 4)),
                          static_cast<unsigned>(Number(text.substr(5, 2))),
                          static_cast<unsigned>(Number(text.substr(8, 2)))};
    if (date.Year < 1 || !Calendar(date).ok()) return std::nullopt;
    return date;
}

TFieldDate UtcDate(std::chrono::system_clock::time_point when) {
    const std::chrono::year_month_day day{std::chrono::floor<std::chrono::days>(when)};
    return {static_cast<int>(day.year()), static_cast<unsigned>(day.month()),
            static_cast<unsigned>(day.day())};
}

uint32_t FieldSeed(const TFieldDate& date) {
    uint32_t hash = 2166136261u;
    for (const char c : date.Text()) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return hash;
}

std::optional<TFieldDate> ReadDateOverride(const char* value, std::ostream& err) {
    if (value == nullptr) return std::nullopt;
    if (auto date = ParseFieldDate(value)) return date;
    err << "quelmark: QUELMARK_DATE \"" << value
        << "\" is not a date (YYYY-MM-DD); today's field is today's UTC date" << std::endl;
    return std::nullopt;
}

TFieldDate TodaysFieldDate() {
    // Read once: the line about a bad value is said once, and the date stays what it named.
    static const std::optional<TFieldDate> forced =
        ReadDateOverride(std::getenv("QUELMARK_DATE"), std::cerr);
    return forced ? *forced : UtcDate(std::chrono::system_clock::now());
}

std::string DailyDirectory(const char* stateHome, const std::string& home) {
    const std::string base = XdgBaseDirectory(stateHome, home, ".local/state");
    return base.empty() ? "" : base + "/quelmark/daily/";
}

std::string DailyDirectory() {
    return DailyDirectory(std::getenv("XDG_STATE_HOME"), HomeDirectory());
}

std::string DailyTableName(const TFieldDate& date) {
    return date.Text() + ".highscore";
}

std::string DailyReplayName(const TFieldDate& date) {
    return date.Text() + ".qrp";
}

bool DailyExpired(const TFieldDate& day, const TFieldDate& today) {
    return today.DayNumber() - day.DayNumber() > DailyKeptDays;
}

std::vector<std::string> PruneDailyFiles(const std::string& directory, const TFieldDate& today) {
    std::vector<std::string> deleted;
    std::error_code error;
    std::filesystem::directory_iterator entries(directory, error);
    if (error) return deleted; // nothing kept yet
    for (const auto& entry : entries) {
        const std::string name = entry.path().filename().string();
        if (name.size() < 11 || (name[10] != '.' && name[10] != '-')) continue;
        const auto day = ParseFieldDate(std::string_view(name).substr(0, 10));
        if (!day || !DailyExpired(*day, today) || !entry.is_regular_file(error)) continue;
        if (std::filesystem::remove(entry.path(), error))
            deleted.push_back(name);
        else
            WriteLog("Cannot delete " + entry.path().string() + ": " + error.message());
    }
    std::sort(deleted.begin(), deleted.end());
    return deleted;
}
