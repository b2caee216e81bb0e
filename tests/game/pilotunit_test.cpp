// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/pilotunit.h"

#include "game/gameunit.h"
#include "support/gameworld.h"

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

} // namespace
