// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/logunit.h"
#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <regex>

namespace {

TEST(LogLine, StampIsTwoDigitHoursAndMinutes) {
    std::tm t{};
    t.tm_hour = 9;
    t.tm_min = 5;
    EXPECT_EQ(FormatLogLine("hello", t), "09:05 hello");
    t.tm_hour = 23;
    t.tm_min = 59;
    EXPECT_EQ(FormatLogLine("", t), "23:59 ");
    t.tm_hour = 0;
    t.tm_min = 0;
    EXPECT_EQ(FormatLogLine("a b", t), "00:00 a b");
}

TEST(LogFile, FirstCallCreatesLaterCallsAppend) {
    TTestDir dir;
    WriteLog("first");
    WriteLog("");
    const std::regex twoLines(R"(\d\d:\d\d first\n\d\d:\d\d \n)");
    EXPECT_TRUE(std::regex_match(dir.ReadFile("log"), twoLines)) << dir.ReadFile("log");
}

TEST(LogFile, KeepsTheLinesOfEarlierRuns) {
    TTestDir dir;
    dir.WriteFile("log", "earlier run\n");
    WriteLog("bytes \x01\xff kept");
    const std::string content = dir.ReadFile("log");
    EXPECT_EQ(content.rfind("earlier run\n", 0), 0u);
    EXPECT_NE(content.find(" bytes \x01\xff kept\n"), std::string::npos);
}

TEST(LogFile, UnwritableLogIsSkippedQuietly) {
    TTestDir dir;
    std::filesystem::create_directory(dir.Path() / "log"); // cannot be opened as a file
    EXPECT_NO_THROW(WriteLog("lost"));
    EXPECT_TRUE(std::filesystem::is_directory(dir.Path() / "log"));
}

} // namespace
