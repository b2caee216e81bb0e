// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// Games recorded by the play screen, with the game's own models and uneven frame times, then
// played back: every digest must agree, and a single changed key must be
// caught, never before the step it changed.
#include "game/replayplayerunit.h"

#include "game/gameunit.h"
#include "game/pilotunit.h"
#include "game/replayrecorderunit.h"
#include "math/randomunit.h"

#include "support/gameworld.h"
#include "support/playdriver.h"
#include "support/testdir.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <random>

namespace {

using TResult = TReplayPlayer::TResult;

// The pilot (or the novice) plays on the play screen until it falls or has cleared three levels,
// with frames of 1 to 40 ms; the screen records the game as it does in play.
TReplay RecordPilotGame(uint32_t seed, TDifficulty difficulty = TDifficulty::Classic,
                        bool novice = false) {
    TPlayDriver game;
    game.Start(seed, difficulty);
    std::mt19937 frames(seed); // apart from the game's generator
    TNovicePilot newcomer(seed);
    uint32_t ms = 16;
    for (int step = 0; step < 200000; ++step) {
        if (game.AtLevelStart() && game.World().Level > 3) break;
        const auto next = static_cast<uint32_t>(std::uniform_int_distribution<int>(1, 40)(frames));
        const bool playing = game.Frame(next, [&] {
            if (novice)
                newcomer.Steer(game.World(), static_cast<float>(ms) / 1000, game.Keys);
            else
                SteerViking(game.World(), game.Keys);
        });
        ms = next;
        if (!playing) break;
    }
    game.Play->FinishGame(TReplayEnd::Quit);
    return game.Games.back().first;
}

class Replays : public ::testing::Test {
protected:
    Replays() {
        std::filesystem::create_directory_symlink(QUELMARK_MEDIA_DIR, Dir.Path() / "media");
        Game = RecordPilotGame(3);
    }

    // The replay played on a fresh world; the level ends met on the way.
    TResult Play(const TReplay& replay, TReplayPlayer** out = nullptr, int* cleared = nullptr) {
        World = std::make_unique<TBaseList>();
        Player = std::make_unique<TReplayPlayer>(replay, *World, Scope.Keys);
        if (out != nullptr) *out = Player.get();
        for (;;) {
            const TResult result = Player->Step();
            if (result == TResult::LevelCleared && cleared != nullptr) ++*cleared;
            if (result == TResult::Matches || result == TResult::Diverges) return result;
        }
    }

    TTestDir Dir;
    TGlobalWorldScope Scope;
    TReplay Game;
    std::unique_ptr<TBaseList> World;
    std::unique_ptr<TReplayPlayer> Player;
};

TEST_F(Replays, PilotGameOverThreeLevelsPlaysBackWithEveryDigestMatching) {
    // With frames this uneven the pilot falls on the third level, after 20 s at the least.
    ASSERT_EQ(Game.End, TReplayEnd::Lost);
    ASSERT_EQ(Game.LevelEnds.size(), 2u);
    EXPECT_GT(Game.Steps(), 20 * 1000 / 40);
    const TReplay read = DecodeReplay(EncodeReplay(Game));
    int cleared = 0;
    TReplayPlayer* player = nullptr;
    EXPECT_EQ(Play(read, &player, &cleared), TResult::Matches);
    EXPECT_EQ(cleared, 2);
    EXPECT_EQ(player->StepsDone(), Game.Steps());
    EXPECT_EQ(World->Level, 3);
    EXPECT_EQ(World->Score, Game.Score);
    // A steady 60 frames a second would cost about a byte a step; these frames jitter widely.
    EXPECT_LT(EncodeReplay(Game).size(), Game.Steps() * 2);
}

// Where the key changes: the very first step, a quarter, half, three quarters and nine
// tenths into the game (the viking still standing).
class FlippedKey : public Replays, public ::testing::WithParamInterface<double> {};

TEST_P(FlippedKey, DivergesAtTheChangedStepOrLaterNeverEarlier) {
    const uint64_t total = Game.Steps();
    const auto changed = std::min(total - 1, static_cast<uint64_t>(GetParam() * total));
    TReplay edited = Game;
    edited.Runs.clear();
    uint64_t step = 0;
    for (const TReplayRun& run : Game.Runs)
        for (uint32_t i = 0; i < run.Count; ++i, ++step) {
            uint8_t keys = run.Keys;
            // A turn the other way would cancel out; this one always turns the viking.
            if (step == changed) keys ^= (keys & rkRight) ? rkRight : rkLeft;
            AppendStep(edited.Runs, run.Milliseconds, keys);
        }
    TReplayPlayer* player = nullptr;
    ASSERT_EQ(Play(edited, &player), TResult::Diverges);
    EXPECT_GE(player->StepsDone(), changed + 1);
}

INSTANTIATE_TEST_SUITE_P(Where, FlippedKey, ::testing::Values(0.0, 0.25, 0.5, 0.75, 0.9));

TEST_F(Replays, ChangedEndingOrExtraStepDiverges) {
    TReplay quit = Game;
    quit.End = TReplayEnd::Quit;
    EXPECT_EQ(Play(quit), TResult::Diverges);
    TReplay longer = Game;
    AppendStep(longer.Runs, 16, 0);
    EXPECT_EQ(Play(longer), TResult::Diverges);
    TReplay earlyEnd = Game;
    earlyEnd.LevelEnds[1].Step -= 1;
    TReplayPlayer* player = nullptr;
    EXPECT_EQ(Play(earlyEnd, &player), TResult::Diverges);
    EXPECT_EQ(player->StepsDone(), earlyEnd.LevelEnds[1].Step);
    EXPECT_EQ(player->Level(), 2);
}

TEST_F(Replays, TheRulesComeFromTheReplay) {
    const TReplay gentle = RecordPilotGame(3, TDifficulty::Gentle);
    EXPECT_EQ(Play(DecodeReplay(EncodeReplay(gentle))), TResult::Matches);
    EXPECT_EQ(World->Difficulty, TDifficulty::Gentle);
    // The novice lets go of the swing early, which Gentle's rules answer differently.
    for (const uint32_t seed : {4u, 5u})
        EXPECT_EQ(Play(RecordPilotGame(seed, TDifficulty::Gentle, true)), TResult::Matches) << seed;
    TReplay asClassic = gentle;
    asClassic.Difficulty = static_cast<uint8_t>(TDifficulty::Classic);
    EXPECT_EQ(Play(asClassic), TResult::Diverges);
}

// Recorded through the play screen as the game records: a pause mid-game, then a quit on the
// level start after the first level was cleared.
TEST_F(Replays, APauseAndAQuitBetweenLevelsPlayBackAndTheLevelEndKeepsTheClearedField) {
    TReplay replay;
    {
        TPlayDriver game;
        game.Start(3);
        const auto steer = [&game] { SteerViking(game.World(), game.Keys); };
        for (int i = 0; i < 300; ++i)
            ASSERT_TRUE(game.Frame(16, steer));
        ASSERT_EQ(game.Play->Recorder.Replay().Steps(), 300u);
        game.Play->Pause(game.Now + 5);
        for (int i = 0; i < 20; ++i)
            game.Frame(16, steer);
        EXPECT_EQ(game.Play->Recorder.Replay().Steps(), 300u) << "a paused frame is no step";
        game.Now += 60000;
        game.Play->Resume(game.Now);
        while (!game.AtLevelStart())
            ASSERT_TRUE(game.Frame(17, steer)) << "the pilot fell on level 1";
        game.Play->FinishGame(TReplayEnd::Quit);
        ASSERT_EQ(game.Games.size(), 1u);
        replay = game.Games[0].first;
    }
    EXPECT_EQ(replay.End, TReplayEnd::Quit);
    // The paused minute is in no step.
    for (const TReplayRun& run : replay.Runs)
        EXPECT_LE(run.Milliseconds, 17u);
    ASSERT_EQ(replay.LevelEnds.size(), 1u);
    EXPECT_EQ(replay.LevelEnds[0].Step, replay.Steps());
    EXPECT_EQ(replay.LevelEnds[0].Level, 1);
    EXPECT_EQ(replay.Level, 2);
    EXPECT_EQ(Play(DecodeReplay(EncodeReplay(replay))), TResult::Matches);
    EXPECT_EQ(World->Level, 2);
}

} // namespace
