// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/pilotunit.h"

#include "game/gameunit.h"
#include "support/gameworld.h"

#include <deque>
#include <gtest/gtest.h>
#include <numbers>

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

enum TKind { Sheep, Ram, DyingSheep };

struct TOther {
    TKind Kind;
    gameunit::TVector Position;
};

struct TSetting {
    const char* Name;
    std::vector<TOther> Others;
    // The viking stands at (24, 24) facing +z (heading 0).
    bool Left, Right, Up, Control;
};

void PrintTo(const TSetting& setting, std::ostream* out) {
    *out << setting.Name;
}

class PilotChoice : public ::testing::TestWithParam<TSetting> {
protected:
    PilotChoice() {
        World->Player = &Place<TViking>({24, 24}, 1.1f);
        for (const TOther& other : GetParam().Others) {
            TBase& entity = other.Kind == Ram
                                ? static_cast<TBase&>(Place<TWolf>(other.Position, 1.4f))
                                : Place<TSheep>(other.Position, 1.4f);
            if (other.Kind == DyingSheep) entity.Animation->Start(eaDeath, 0.3f);
        }
    }

    template <typename T> T& Place(gameunit::TVector at, float radius) {
        auto& entity =
            static_cast<T&>(World->Add(std::make_unique<T>(*World, *World->VikingModel)));
        entity.Position = at;
        entity.Radius = radius;
        return entity;
    }

    TGlobalWorldScope Scope;
    std::unique_ptr<TBaseList> World = MakeHeadlessWorld();
};

TEST_P(PilotChoice, HoldsTheKeysAPlayerWould) {
    TKeyState& keys = Scope.Keys;
    keys.Down = keys.Shift = true; // left over from before: the pilot decides afresh
    SteerViking(*World, keys);
    const TSetting& s = GetParam();
    EXPECT_EQ(keys.Left, s.Left);
    EXPECT_EQ(keys.Right, s.Right);
    EXPECT_EQ(keys.Up, s.Up);
    EXPECT_EQ(keys.Control, s.Control);
    EXPECT_FALSE(keys.Down);
}

// Heading 0 faces +z; the Left key turns towards +x.
const TSetting Settings[] = {
    {"SheepAheadWalkStraight", {{Sheep, {24, 34}}}, false, false, true, false},
    {"SheepAheadAndALittleToPlusXTurnsWhileWalking", {{Sheep, {26, 34}}}, true, false, true, false},
    {"SheepToMinusXTurnsRight", {{Sheep, {20, 30}}}, false, true, true, false},
    {"SheepBehindTurnsOnTheSpot", {{Sheep, {25, 14}}}, true, false, false, false},
    {"SheepTouchingIsStruck", {{Sheep, {24, 26.7f}}}, false, false, false, true},
    {"SheepJustOutOfTouchIsApproached", {{Sheep, {24, 26.9f}}}, false, false, true, false},
    {"NearestSheepIsChosen", {{Sheep, {24, 10}}, {Sheep, {24, 34}}}, false, false, true, false},
    {"DyingSheepIsLeftAlone",
     {{DyingSheep, {24, 34}}, {Sheep, {25, 10}}},
     true,
     false,
     false,
     false},
    {"RamCloseIsFoughtBeforeANearerSheep",
     {{Sheep, {24, 28}}, {Ram, {31, 24}}},
     true,
     false,
     false,
     false},
    {"RamFarLeavesTheSheepFirst", {{Sheep, {24, 34}}, {Ram, {34, 24}}}, false, false, true, false},
    {"FieldClearedKeepsAwayFromTheRam", {{Ram, {23, 34}}}, true, false, false, false},
    {"NothingLeftStandsStill", {}, false, false, false, false},
};

INSTANTIATE_TEST_SUITE_P(Settings, PilotChoice, ::testing::ValuesIn(Settings),
                         [](const auto& info) { return std::string(info.param.Name); });

TEST(Pilot, DeadVikingHoldsNoKey) {
    TGlobalWorldScope scope;
    auto world = MakeHeadlessWorld();
    world->NewGame();
    world->Player->Dead = true;
    scope.Keys.Up = true;
    SteerViking(*world, scope.Keys);
    EXPECT_FALSE(scope.Keys.Up || scope.Keys.Left || scope.Keys.Right || scope.Keys.Control);
}

// The novice's aim error halves every second: slow enough to walk a curve to its sheep.
struct TAimCase {
    float First, Seconds, Left;
};

class NoviceAim : public ::testing::TestWithParam<TAimCase> {};

TEST_P(NoviceAim, ErrorShrinksByHalfEverySecond) {
    const TAimCase& c = GetParam();
    EXPECT_NEAR(TNovicePilot::AimErrorAfter(c.First, c.Seconds), c.Left, 1e-6f);
}

INSTANTIATE_TEST_SUITE_P(Table, NoviceAim,
                         ::testing::Values(TAimCase{0.3f, 0, 0.3f}, TAimCase{0.3f, 0.5f, 0.212132f},
                                           TAimCase{0.3f, 1, 0.15f}, TAimCase{-0.2f, 2, -0.05f},
                                           TAimCase{0.1f, 3, 0.0125f}));

struct TDelayCase {
    std::deque<double> Times;
    double Now;
    size_t Seen;
};

class NoviceDelay : public ::testing::TestWithParam<TDelayCase> {};

// The newest view at least 250 ms old, the 250 ms counted inclusively; the oldest while none
// is that old.
TEST_P(NoviceDelay, SteersByTheNewestViewAQuarterSecondOld) {
    EXPECT_EQ(TNovicePilot::SeenIndex(GetParam().Times, GetParam().Now), GetParam().Seen);
}

const std::deque<double> Kept{0, 0.125, 0.25, 0.375, 0.5};

INSTANTIATE_TEST_SUITE_P(Table, NoviceDelay,
                         ::testing::Values(TDelayCase{{0}, 0, 0}, TDelayCase{Kept, 0.24, 0},
                                           TDelayCase{Kept, 0.37, 0}, TDelayCase{Kept, 0.375, 1},
                                           TDelayCase{Kept, 0.5, 2}, TDelayCase{Kept, 0.62, 2},
                                           TDelayCase{Kept, 0.625, 3}, TDelayCase{Kept, 0.75, 4},
                                           TDelayCase{Kept, 9, 4}));

// A sheep ahead jumps behind the viking: the novice walks on towards where it was until the
// jump is a quarter of a second old, then turns on the spot.
TEST(Novice, SeesTheFieldAQuarterSecondLate) {
    TGlobalWorldScope scope;
    auto world = MakeHeadlessWorld();
    world->Level = 1;
    auto& viking =
        static_cast<TViking&>(world->Add(std::make_unique<TViking>(*world, *world->VikingModel)));
    viking.Position = {24, 24};
    viking.Radius = 1.1f;
    world->Player = &viking;
    TBase& sheep = world->Add(std::make_unique<TSheep>(*world, *world->SheepModel));
    sheep.Position = {24, 34};
    sheep.Radius = 1.4f;
    for (const uint32_t seed : {1u, 2u, 3u}) {
        TNovicePilot novice(seed);
        TKeyState& keys = scope.Keys;
        sheep.Position = {24, 34};
        novice.Steer(*world, 0.0625f, keys); // 0.0625 s
        sheep.Position = {24, 14};
        for (int frame = 2; frame <= 5; ++frame) { // up to 0.3125 s
            novice.Steer(*world, 0.0625f, keys);
            EXPECT_TRUE(keys.Up) << "seed " << seed << ", frame " << frame;
        }
        novice.Steer(*world, 0.0625f, keys); // 0.375 s: sees the jump
        EXPECT_FALSE(keys.Up) << "seed " << seed;
        EXPECT_TRUE(keys.Left || keys.Right) << "seed " << seed;
    }
}

// The novice's own draws: a seed plays the same game twice, and steering never draws from
// the world's generator (a replay holds only the keys).
TEST(Novice, ASeedRepeatsItsGameAndLeavesTheWorldsDrawsAlone) {
    TGlobalWorldScope scope;
    auto play = [&scope](uint32_t seed) {
        RandomSeed(7);
        auto world = MakeHeadlessWorld();
        world->NewGame();
        TNovicePilot novice(seed);
        std::vector<int> trace;
        for (int frame = 0; frame < 1200; ++frame) {
            {
                TScriptedRandom watch;
                novice.Steer(*world, 1.0f / 60, scope.Keys);
                EXPECT_TRUE(watch.Calls.empty()) << "frame " << frame;
            }
            trace.push_back(scope.Keys.Left + 2 * scope.Keys.Right + 4 * scope.Keys.Up +
                            8 * scope.Keys.Control);
            world->Update(1.0f / 60);
        }
        return trace;
    };
    const std::vector<int> first = play(5);
    EXPECT_EQ(play(5), first);
    EXPECT_NE(play(6), first);
}

} // namespace
