// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// A kept game watched in the window: the recorded pace times the chosen speed, the level
// start that passes by itself, pausing, and the way back to the title.
#include "game/replaystatusunit.h"

#include "game/gameunit.h"
#include "game/mainstatusunit.h"
#include "math/randomunit.h"
#include "support/gamescreen.h"
#include "support/playdriver.h"
#include "support/printers.h"

#include <gtest/gtest.h>
#include <optional>

namespace {

// Three seconds of 10 ms steps walking forwards on the play screen: no level is decided that
// soon.
TReplay WalkingGame(TDifficulty difficulty = TDifficulty::Classic) {
    TPlayDriver game;
    game.Start(7, difficulty);
    for (int i = 0; i < 300; ++i)
        game.Frame(10, [&game] { HoldPlayKeys(rkUp, game.Keys); });
    game.Play->FinishGame(TReplayEnd::Quit);
    return game.Games.back().first;
}

class ReplayScreen : public ::testing::Test {
protected:
    ReplayScreen() {
        MainStatus = &Play;
        Screen.emplace(Play);
        Screen->Show(WalkingGame(), "");
        SetCurrentListener(&*Screen, &S.Loop);
    }
    ~ReplayScreen() override { CurrentListener = nullptr; }

    // Through the level start: play begins at the returned tick count.
    uint32_t StartPlaying() {
        Screen->CycleAt(1000);
        Screen->CycleAt(1999);
        EXPECT_EQ(Screen->StepsPlayed(), 0u) << "the level start shows for a second";
        Screen->CycleAt(2000);
        Screen->CycleAt(2000);
        return 2000;
    }
    void Press(SDLKey key) {
        auto event = TGameScreen::Key(key);
        Screen->KeyDown(event);
    }

    TGameScreen S;
    TMainStatus Play;
    std::optional<TReplayStatus> Screen;
};

// F pressed this often, and the speed that gives.
class ReplaySpeed : public ReplayScreen,
                    public ::testing::WithParamInterface<std::pair<int, int>> {};

TEST_P(ReplaySpeed, PlaysTheRecordedTimeTimesTheSpeed) {
    const auto [presses, speed] = GetParam();
    for (int i = 0; i < presses; ++i)
        Press(SDLK_f);
    EXPECT_EQ(Screen->Speed(), speed);
    const uint32_t start = StartPlaying();
    Screen->CycleAt(start + 99);
    EXPECT_EQ(Screen->StepsPlayed(), static_cast<uint64_t>(99 * speed / 10));
    Screen->CycleAt(start + 100);
    EXPECT_EQ(Screen->StepsPlayed(), static_cast<uint64_t>(10 * speed));
}

INSTANTIATE_TEST_SUITE_P(Presses, ReplaySpeed,
                         ::testing::Values(std::pair{0, 1}, std::pair{1, 2}, std::pair{2, 4},
                                           std::pair{3, 1}));

TEST_F(ReplayScreen, PauseHoldsTheGameAndGoesOnWithoutAJump) {
    const uint32_t start = StartPlaying();
    Screen->CycleAt(start + 100);
    Press(SDLK_p);
    Screen->CycleAt(start + 5000);
    EXPECT_TRUE(Screen->Paused());
    EXPECT_EQ(Screen->StepsPlayed(), 10u);
    Press(SDLK_p);
    Screen->CycleAt(start + 5050);
    EXPECT_EQ(Screen->StepsPlayed(), 15u);
}

TEST_F(ReplayScreen, SpaceSkipsTheLevelStartAndTheEndReturnsToTheTitle) {
    Screen->CycleAt(1000);
    Press(SDLK_SPACE);
    Screen->CycleAt(1000);
    Screen->CycleAt(4000);
    EXPECT_EQ(Screen->StepsPlayed(), 300u);
    // The final score stays four seconds from the first frame that shows it.
    Screen->CycleAt(4000);
    Screen->CycleAt(7999);
    EXPECT_EQ(CurrentListener, &*Screen);
    Screen->CycleAt(8000);
    EXPECT_EQ(CurrentListener, &S.Intro);
    // Leaving deals a fresh game for the player.
    EXPECT_EQ(Play.World().Level, 1);
    EXPECT_EQ(Play.World().Player->Age, 0);
}

TEST_F(ReplayScreen, TheAttractModePlaysWithoutTheLevelStartAndAnyKeyEndsIt) {
    Screen->Show(WalkingGame(), "Astrid: 120");
    SetCurrentListener(&*Screen, &S.Loop);
    Screen->CycleAt(1000);
    Screen->CycleAt(1100);
    EXPECT_EQ(Screen->StepsPlayed(), 10u);
    Press(SDLK_f);
    EXPECT_EQ(CurrentListener, &S.Intro);
    EXPECT_EQ(Screen->Speed(), 1);
}

// The player's difficulty, and the other one the replay was played at.
class ReplayDifficulty : public ReplayScreen, public ::testing::WithParamInterface<TDifficulty> {};

TEST_P(ReplayDifficulty, PlaysUnderTheReplaysAndGivesThePlayersBack) {
    const TDifficulty players = GetParam();
    const TDifficulty recorded =
        players == TDifficulty::Classic ? TDifficulty::Gentle : TDifficulty::Classic;
    SetCurrentListener(&S.Intro, &S.Loop);
    Screen->Show(WalkingGame(recorded), "Astrid: 120");
    Play.World().Difficulty = players;
    SetCurrentListener(&*Screen, &S.Loop);
    EXPECT_EQ(Play.World().Difficulty, recorded);
    Press(SDLK_f);
    EXPECT_EQ(CurrentListener, &S.Intro);
    EXPECT_EQ(Play.World().Difficulty, players);
}

INSTANTIATE_TEST_SUITE_P(Players, ReplayDifficulty,
                         ::testing::Values(TDifficulty::Classic, TDifficulty::Gentle),
                         [](const auto& info) { return DifficultySettingName(info.param); });

} // namespace
