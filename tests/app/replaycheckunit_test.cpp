// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The headless check's answer and exit status for a kept game that matches, one that
// diverges and files that cannot be read: scripts tell them apart by the status alone. In a
// folder without the game's media it says so in one line and writes no log there.
#include "app/replaycheckunit.h"

#include "app/stateunit.h"
#include "app/versionunit.h"
#include "game/dailyfieldunit.h"
#include "game/gameunit.h"
#include "game/replayrecorderunit.h"
#include "support/gameworld.h"
#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sstream>

namespace {

// Two seconds of 10 ms steps walking forwards on seed 7, or on the field of the date.
TReplay WalkingGame(const std::string& fieldDate = "") {
    const uint32_t seed = fieldDate.empty() ? 7 : FieldSeed(*ParseFieldDate(fieldDate));
    TBaseList world;
    TReplayRecorder recorder;
    recorder.Begin(seed, 0, fieldDate);
    RandomSeed(seed);
    world.NewGame();
    float endTimer = 0;
    for (int i = 0; i < 200; ++i) {
        HoldPlayKeys(rkUp, *Global.KeyState);
        recorder.Step(world, 10, rkUp);
        StepLevel(world, endTimer, 0.01);
    }
    return recorder.Finish(TReplayEnd::Quit, world);
}

struct TCheckCase {
    const char* Name;
    void (*Edit)(std::string& bytes);
    int Status;
    std::string Out, Err; // "FILE" stands for the file's name
};

void PrintTo(const TCheckCase& c, std::ostream* out) {
    *out << c.Name;
}

class ReplayCheck : public ::testing::TestWithParam<TCheckCase> {
protected:
    ReplayCheck() {
        std::filesystem::create_directory_symlink(QUELMARK_MEDIA_DIR, Dir.Path() / "media");
    }
    TTestDir Dir;
    TGlobalWorldScope Scope;
};

std::string Named(std::string text, const std::string& file) {
    if (const size_t at = text.find("FILE"); at != std::string::npos) text.replace(at, 4, file);
    return text;
}

TEST_P(ReplayCheck, AnswersWithItsStatus) {
    const TCheckCase& c = GetParam();
    std::string bytes = EncodeReplay(WalkingGame());
    c.Edit(bytes);
    const std::string file = (Dir.Path() / "game.qrp").string();
    if (!bytes.empty()) Dir.WriteFile("game.qrp", bytes);
    std::ostringstream out, err;
    EXPECT_EQ(RunReplayCheck(file, out, err), c.Status);
    EXPECT_EQ(out.str(), Named(c.Out, file));
    EXPECT_EQ(err.str(), Named(c.Err, file));
}

INSTANTIATE_TEST_SUITE_P(
    Files, ReplayCheck,
    ::testing::Values(TCheckCase{"Matches", [](std::string&) {}, 0,
                                 "replay FILE: level 1, score 0, 200 steps, matches\n", ""},
                      // The last digest is the file's final eight bytes.
                      TCheckCase{"Diverges", [](std::string& b) { b.back() ^= 1; }, 2,
                                 "replay FILE: diverges at step 200 (level 1)\n", ""},
                      TCheckCase{"NotAReplay", [](std::string& b) { b[3] = 'X'; }, 1, "",
                                 "quelmark: replay FILE: not a Quelmark replay\n"},
                      TCheckCase{"Missing", [](std::string& b) { b.clear(); }, 1, "",
                                 "quelmark: replay FILE: No such file or directory\n"}),
    [](const auto& info) { return info.param.Name; });

class ReplayCheckOfADay : public ReplayCheck {};

TEST_F(ReplayCheckOfADay, NamesTheDayOfTodaysField) {
    const std::string file = (Dir.Path() / "day.qrp").string();
    Dir.WriteFile("day.qrp", EncodeReplay(WalkingGame("2024-02-29")));
    std::ostringstream out, err;
    EXPECT_EQ(RunReplayCheck(file, out, err), 0);
    EXPECT_EQ(out.str(), "replay " + file +
                             ": today's field 2024-02-29, level 1, score 0, 200 steps, matches\n");
    EXPECT_EQ(err.str(), "");
}

TEST(ReplayCheckWithoutMedia, SaysSoInOneLineAndWritesNoLog) {
    TTestDir dir;
    TReplay replay{.Version = GameVersion()};
    AppendStep(replay.Runs, 16, 0);
    dir.WriteFile("game.qrp", EncodeReplay(replay));
    std::ostringstream out, err;
    EXPECT_EQ(RunReplayCheck("game.qrp", out, err), 1);
    EXPECT_EQ(out.str(), "");
    EXPECT_EQ(err.str(), "quelmark: replay game.qrp: cannot be checked without the game's media "
                         "(media/ in the folder it runs from)\n");
    EXPECT_FALSE(std::filesystem::exists(dir.Path() / "log"));
}

} // namespace
