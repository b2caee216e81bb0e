// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The replay file: every field kept across the coding boundaries, foreign and damaged files
// refused with their reason.
#include "game/replayformatunit.h"

#include "app/versionunit.h"
#include "game/difficultyunit.h"

#include <gtest/gtest.h>
#include <string>
#include <utility>

namespace {

TEST(ReplayFile, RoundTripKeepsEveryFieldAcrossTheTimeCodingBoundaries) {
    TReplay replay;
    replay.Version = GameVersion();
    replay.Build = "a build";
    replay.Seed = 0xDEADBEEF;
    replay.Difficulty = static_cast<uint8_t>(TDifficulty::Gentle);
    // Deltas of -65, -64, 63 and 64 ms sit on both sides of the one-byte step.
    for (uint32_t ms : {100u, 35u, 100u, 36u, 99u, 163u, 100u, 164u, 0u, 0u, 4294967295u, 0u})
        AppendStep(replay.Runs, ms, static_cast<uint8_t>(ms % 32));
    AppendStep(replay.Runs, 17, rkUp | rkControl);
    AppendStep(replay.Runs, 17, rkUp | rkControl);
    AppendStep(replay.Runs, 17, rkUp | rkControl);
    // Level ends after the first step, on neighbouring steps and inside a run.
    replay.LevelEnds = {{1, 1, 1}, {5, 2, ~0ull}, {6, 3, 0}, {13, 4, 42}};
    replay.End = TReplayEnd::Lost;
    replay.Level = 2147483647;
    replay.Score = -2147483647 - 1;
    replay.Health = -1;
    replay.Digest = 0x0123456789ABCDEFull;
    EXPECT_EQ(DecodeReplay(EncodeReplay(replay)), replay);
    const TReplay empty{.Version = GameVersion()};
    EXPECT_EQ(DecodeReplay(EncodeReplay(empty)), empty);
    // The header alone tells the score.
    EXPECT_EQ(ReadReplayHeader(EncodeReplay(replay)).Score, replay.Score);
}

// Steps of one time and keys in a row, a level maybe ending inside them, and what the steps
// cost in the file: one byte each up to three, then a step and a repeat of the rest.
struct TRepeatCase {
    uint32_t Count;
    uint64_t LevelEndsAfter; // 0: no level ends
    size_t Bytes;
};

void PrintTo(const TRepeatCase& c, std::ostream* out) {
    *out << c.Count << " steps, a level end after " << c.LevelEndsAfter;
}

class RepeatRecord : public ::testing::TestWithParam<TRepeatCase> {};

TEST_P(RepeatRecord, CostsWhatItShouldAndReadsBackTheSameSteps) {
    const TRepeatCase& c = GetParam();
    const TReplay empty{.Version = GameVersion()};
    TReplay replay = empty;
    for (uint32_t i = 0; i < c.Count; ++i)
        AppendStep(replay.Runs, 16, rkUp);
    if (c.LevelEndsAfter > 0) replay.LevelEnds = {{c.LevelEndsAfter, 1, 7}};
    const std::string bytes = EncodeReplay(replay);
    // The keys record is one byte more.
    EXPECT_EQ(bytes.size() - EncodeReplay(empty).size(), 1 + c.Bytes);
    const TReplay read = DecodeReplay(bytes);
    EXPECT_EQ(read.Steps(), c.Count);
    EXPECT_EQ(read, replay);
}

// A level end costs ten bytes and splits the steps around it.
INSTANTIATE_TEST_SUITE_P(Edges, RepeatRecord,
                         ::testing::Values(TRepeatCase{1, 0, 1}, TRepeatCase{2, 0, 2},
                                           TRepeatCase{3, 0, 3}, TRepeatCase{4, 0, 3},
                                           TRepeatCase{5, 0, 3}, TRepeatCase{128, 0, 3},
                                           TRepeatCase{129, 0, 4}, TRepeatCase{5, 1, 1 + 10 + 3},
                                           TRepeatCase{5, 4, 3 + 10 + 1},
                                           TRepeatCase{8, 4, 3 + 10 + 3}),
                         [](const auto& info) {
                             return std::to_string(info.param.Count) + "StepsLevelEndAfter" +
                                    std::to_string(info.param.LevelEndsAfter);
                         });

TEST(ReplayFile, AnotherGameOrFormatVersionIsRefusedNamingBoth) {
    const std::string ours = " (replay format " + std::to_string(ReplayFormatVersion) + ")";
    const struct {
        uint16_t Format;
        std::string Version;
        std::string Says;
    } cases[] = {
        {ReplayFormatVersion, "1.0.9",
         "made by Quelmark 1.0.9" + ours + ", this is Quelmark " + GameVersion() + ours},
        {1, GameVersion(),
         "made by Quelmark " + GameVersion() + " (replay format 1), this is Quelmark " +
             GameVersion() + ours},
        {ReplayFormatVersion + 1, GameVersion(),
         "made by Quelmark " + GameVersion() + " (replay format " +
             std::to_string(ReplayFormatVersion + 1) + "), this is Quelmark " + GameVersion() +
             ours},
        // Written as it is compared: cut alike.
        {ReplayFormatVersion, GameVersion() + std::string(MaxReplayNameLength, 'x'),
         "made by Quelmark " + GameVersion() +
             std::string(MaxReplayNameLength - GameVersion().size(), 'x') + ours +
             ", this is Quelmark " + GameVersion() + ours},
    };
    for (const auto& c : cases) {
        TReplay replay{.Format = c.Format, .Version = c.Version};
        try {
            DecodeReplay(EncodeReplay(replay));
            ADD_FAILURE() << c.Version;
        } catch (const TReplayError& e) {
            EXPECT_EQ(std::string(e.what()), c.Says);
        }
    }
}

// Format 3 carries the day of today's field; a file claiming one must have been dealt from its
// seed on Classic rules, and a format-2 file (no date) still reads.
TEST(ReplayFile, ADaysFieldReadsBackWithItsDateOnlyFromThatDaysSeed) {
    TReplay day{.Version = GameVersion(), .Seed = 894970193, .FieldDate = "2038-01-19"};
    AppendStep(day.Runs, 16, rkUp);
    EXPECT_EQ(DecodeReplay(EncodeReplay(day)), day);
    EXPECT_EQ(ReadReplayHeader(EncodeReplay(day)).FieldDate, day.FieldDate);
    TReplay older{.Format = 2, .Version = GameVersion(), .Seed = 5};
    AppendStep(older.Runs, 16, rkUp);
    EXPECT_EQ(DecodeReplay(EncodeReplay(older)), older);
    const size_t dateAt = EncodeReplay(TReplay{.Version = GameVersion()}).size() - 10;
    TReplay otherSeed = day, gentle = day, leap = day, notDate = day;
    otherSeed.Seed = 1180042621; // the next day's
    gentle.Difficulty = 1;
    leap.FieldDate = "2023-02-29";
    notDate.FieldDate = "2038-01-1";
    const std::pair<TReplay, std::string> cases[] = {
        {otherSeed, "claims today's field of 2038-01-19 (seed 894970193) but was dealt from seed "
                    "1180042621"},
        {gentle, "claims today's field of 2038-01-19, which is played on Classic rules, but was "
                 "played on Gentle"},
        {leap, "corrupt at byte " + std::to_string(dateAt) + ": not a date"},
        {notDate, "corrupt at byte " + std::to_string(dateAt) + ": not a date"},
    };
    for (const auto& [replay, says] : cases) {
        try {
            DecodeReplay(EncodeReplay(replay));
            ADD_FAILURE() << says;
        } catch (const TReplayError& e) {
            EXPECT_EQ(std::string(e.what()), says);
        }
    }
}

// A replay of two steps whose body (after the header) is replaced.
std::string WithBody(const std::string& body) {
    TReplay replay{.Version = GameVersion()};
    const std::string empty = EncodeReplay(replay);
    return empty.substr(0, empty.size() - 9) + body + empty.substr(empty.size() - 9);
}

std::string Varint(uint64_t n) {
    std::string out;
    for (; n >= 0x80; n >>= 7)
        out.push_back(static_cast<char>(0x80 | (n & 0x7F)));
    out.push_back(static_cast<char>(n));
    return out;
}

std::string LevelEnd(int level) {
    return "\xB0" + Varint(static_cast<uint64_t>(level)) + std::string(8, '\0');
}

TEST(ReplayFile, DamagedFilesAreRefusedWithTheirReason) {
    TReplay replay{.Version = GameVersion()};
    AppendStep(replay.Runs, 16, rkLeft);
    AppendStep(replay.Runs, 16, rkLeft);
    const std::string good = EncodeReplay(replay);
    const size_t body = WithBody("").size() - 9;
    const size_t difficulty = body - 6; // then the end, level, score, health and no date
    // One step (+1 ms) then n more like it.
    const auto repeat = [](uint64_t n) { return "\x02\xA0" + Varint(n); };
    // Steps of 0 and 1 ms in turn, n runs.
    const auto runs = [](size_t n) {
        std::string bytes;
        for (size_t i = 0; i < n; ++i)
            bytes.push_back(i % 2 == 0 ? '\x02' : '\x01');
        return bytes;
    };
    const std::string step(1, '\0'); // of 0 ms
    std::string levels;
    for (size_t level = 1; level <= MaxReplayLevelEnds; ++level)
        levels += step + LevelEnd(static_cast<int>(level));
    const std::pair<std::string, std::string> cases[] = {
        {"", "not a Quelmark replay"},
        {"QRPX" + good.substr(4), "not a Quelmark replay"},
        {std::string(MaxReplayBytes + 1, 'Q'), "not a Quelmark replay (too big)"},
        {good.substr(0, good.size() - 1), "truncated at byte " + std::to_string(good.size() - 1)},
        {good + "x", "corrupt at byte " + std::to_string(good.size()) + ": bytes after the end"},
        {WithBody("\xC0"), "corrupt at byte " + std::to_string(body) + ": unknown record"},
        {WithBody("\x01"), "corrupt at byte " + std::to_string(body) + ": negative step time"},
        {WithBody(repeat(MaxReplaySteps)),
         "corrupt at byte " + std::to_string(body + 1) + ": too many steps"},
        {WithBody(runs(MaxReplayRuns + 1)),
         "corrupt at byte " + std::to_string(body + MaxReplayRuns) + ": too many runs"},
        {good.substr(0, difficulty) + "\x02" + good.substr(difficulty + 1),
         "corrupt at byte " + std::to_string(difficulty) + ": unknown difficulty"},
        {good.substr(0, difficulty + 1) + "\x04" + good.substr(difficulty + 2),
         "corrupt at byte " + std::to_string(difficulty + 1) + ": unknown end of game"},
        // Level ends: never before the first step, once a step, levels rising, so many at most.
        {WithBody(LevelEnd(1)),
         "corrupt at byte " + std::to_string(body) + ": level end out of order"},
        {WithBody(step + LevelEnd(1) + LevelEnd(2)),
         "corrupt at byte " + std::to_string(body + 11) + ": level end out of order"},
        {WithBody(step + LevelEnd(2) + step + LevelEnd(2)),
         "corrupt at byte " + std::to_string(body + 12) + ": level end out of order"},
        {WithBody(step + LevelEnd(0)),
         "corrupt at byte " + std::to_string(body + 1) + ": level end out of order"},
        {WithBody(levels + step + LevelEnd(MaxReplayLevelEnds + 1)),
         "corrupt at byte " + std::to_string(body + levels.size() + 1) + ": too many level ends"},
    };
    for (const auto& [bytes, says] : cases) {
        try {
            DecodeReplay(bytes);
            ADD_FAILURE() << says;
        } catch (const TReplayError& e) {
            EXPECT_EQ(std::string(e.what()), says);
        }
    }
    // Each limit is reachable.
    EXPECT_EQ(DecodeReplay(WithBody(repeat(MaxReplaySteps - 1))).Steps(), MaxReplaySteps);
    EXPECT_EQ(DecodeReplay(WithBody(runs(MaxReplayRuns))).Runs.size(), MaxReplayRuns);
    EXPECT_EQ(DecodeReplay(WithBody(levels)).LevelEnds.size(), MaxReplayLevelEnds);
    // Every cut of a good file is refused, none crashes.
    for (size_t cut = 0; cut < good.size(); ++cut)
        EXPECT_THROW(DecodeReplay(good.substr(0, cut)), TReplayError) << cut;
}

} // namespace
