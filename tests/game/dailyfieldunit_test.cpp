// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Today's field: the date's seed (the expected values computed apart from this code, by a
// Python one-liner of FNV-1a), which dates count, the days' files and their pruning.
#include "game/dailyfieldunit.h"

#include "game/highscoreunit.h"

#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

using namespace std::chrono;

TEST(DailyField, SeedOfTheDateIsFnv1aOfItsText) {
    const std::pair<const char*, uint32_t> cases[] = {
        {"1970-01-01", 1421751008u}, {"2024-02-29", 1859561356u}, {"2038-01-19", 894970193u},
        {"2038-01-20", 1180042621u}, {"2026-12-10", 3256950789u}, {"9999-12-31", 187631482u},
        {"0001-01-01", 1254110786u},
    };
    for (const auto& [text, seed] : cases) {
        const auto date = ParseFieldDate(text);
        ASSERT_TRUE(date) << text;
        EXPECT_EQ(date->Text(), text);
        EXPECT_EQ(FieldSeed(*date), seed) << text;
    }
}

TEST(DailyField, OnlyRealCalendarDatesInTheirOneSpelling) {
    for (const char* good : {"2024-02-29", "2000-02-29", "2026-12-31", "2026-04-30", "0001-01-01"})
        EXPECT_TRUE(ParseFieldDate(good)) << good;
    for (const char* bad :
         {"2023-02-29", "1900-02-29", "2026-04-31", "2026-13-01", "2026-00-10", "2026-12-00",
          "0000-01-01", "2026-1-01", "2026-12-1", "26-12-10", "2026-12-10 ", " 2026-12-10",
          "2026/12/10", "+026-12-10", "2026-12-1x", ""})
        EXPECT_FALSE(ParseFieldDate(bad)) << bad;
}

TEST(DailyField, TheUtcDateTurnsAtMidnightAndPastTheYear2038) {
    const auto at = [](int y, unsigned m, unsigned d, seconds time) {
        return sys_days{year{y} / m / d} + time;
    };
    EXPECT_EQ(UtcDate(at(2038, 1, 19, 3h + 14min + 8s)).Text(), "2038-01-19");
    EXPECT_EQ(UtcDate(at(2038, 1, 19, 23h + 59min + 59s)).Text(), "2038-01-19");
    EXPECT_EQ(UtcDate(at(2038, 1, 20, 0s)).Text(), "2038-01-20");
    EXPECT_EQ(UtcDate(at(2024, 2, 29, 12h)).Text(), "2024-02-29");
    EXPECT_EQ(UtcDate(at(2024, 3, 1, 0s) - 1s).Text(), "2024-02-29");
}

TEST(DailyField, ABadDateOverrideIsNamedInOneLineAndIgnored) {
    std::ostringstream err;
    EXPECT_FALSE(ReadDateOverride(nullptr, err));
    EXPECT_EQ(err.str(), "");
    EXPECT_EQ(ReadDateOverride("2024-02-29", err)->Text(), "2024-02-29");
    EXPECT_EQ(err.str(), "");
    EXPECT_FALSE(ReadDateOverride("2023-02-29", err));
    EXPECT_EQ(err.str(), "quelmark: QUELMARK_DATE \"2023-02-29\" is not a date (YYYY-MM-DD); "
                         "today's field is today's UTC date\n");
}

TEST(DailyField, DirectoryFollowsAnAbsoluteStateHomeElseTheHome) {
    EXPECT_EQ(DailyDirectory("/state", "/home/p"), "/state/quelmark/daily/");
    EXPECT_EQ(DailyDirectory("state", "/home/p"), "/home/p/.local/state/quelmark/daily/");
    EXPECT_EQ(DailyDirectory(nullptr, "/home/p"), "/home/p/.local/state/quelmark/daily/");
    EXPECT_EQ(DailyDirectory(nullptr, ""), "");
}

// Today 2024-03-30: 30 days before it is the leap day, which stays; the day before goes.
TEST(DailyField, PruningKeepsThirtyDaysBeforeTodayAndDeletesTheThirtyFirst) {
    TTestDir dir;
    const std::string folder = (dir.Path() / "daily").string() + "/";
    const char* kept[] = {"2024-02-29.highscore",
                          "2024-02-29.qrp",
                          "2024-03-30.highscore",
                          "2024-03-30.qrp",
                          "2024-04-02.highscore",
                          "highscore",
                          "notes.txt",
                          "2024-02-28x.qrp",
                          "2024-02-30.qrp"};
    const char* gone[] = {"2024-02-28-1.0.9.qrp", "2024-02-28.highscore", "2024-02-28.qrp",
                          "2023-03-30.highscore"};
    for (const char* name : kept)
        dir.WriteFile(std::string("daily/") + name, "1 a\n");
    for (const char* name : gone)
        dir.WriteFile(std::string("daily/") + name, "1 a\n");
    const TFieldDate today = *ParseFieldDate("2024-03-30");
    EXPECT_FALSE(DailyExpired(*ParseFieldDate("2024-02-29"), today));
    EXPECT_TRUE(DailyExpired(*ParseFieldDate("2024-02-28"), today));
    EXPECT_EQ(PruneDailyFiles(folder, today),
              std::vector<std::string>({"2023-03-30.highscore", "2024-02-28-1.0.9.qrp",
                                        "2024-02-28.highscore", "2024-02-28.qrp"}));
    for (const char* name : kept)
        EXPECT_TRUE(std::filesystem::exists(folder + name)) << name;
    for (const char* name : gone)
        EXPECT_FALSE(std::filesystem::exists(folder + name)) << name;
    EXPECT_TRUE(PruneDailyFiles(folder + "missing/", today).empty());
}

TEST(DailyField, TheDaysTableIsKeptApartFromTheMainOne) {
    TTestDir dir;
    const std::string home = (dir.Path() / "home").string();
    const std::string daily = DailyDirectory(nullptr, home);
    const TFieldDate day = *ParseFieldDate("2026-12-10");
    THighscore dayTable = THighscore::InDirectory(daily, DailyTableName(day));
    dayTable.Load();
    dayTable.Add("daily", 70);
    dayTable.Save();
    THighscore main(home);
    main.Load();
    EXPECT_EQ(main.Score(0), 0);
    main.Add("main", 40);
    main.Save();
    EXPECT_EQ(dir.ReadFile("home/.local/state/quelmark/daily/2026-12-10.highscore").substr(0, 9),
              "70 daily\n");
    EXPECT_EQ(dir.ReadFile("home/.quelmark/highscore").substr(0, 8), "40 main\n");
    THighscore again = THighscore::InDirectory(daily, DailyTableName(day));
    again.Load();
    EXPECT_EQ(again.Strings(0), "daily");
    // Pruning the days never touches the main table.
    PruneDailyFiles(home + "/.quelmark/", *ParseFieldDate("2099-01-01"));
    EXPECT_TRUE(std::filesystem::exists(home + "/.quelmark/highscore"));
}

} // namespace
