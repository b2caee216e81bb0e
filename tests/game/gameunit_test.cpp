// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

#include "game/gameunit.h"

#include "support/gameworld.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <numbers>
#include <ostream>

using TGroundVector = gameunit::TVector;

namespace {

constexpr float Pi = std::numbers::pi_v<float>;

TEST(GroundVector, Operations) {
    TGroundVector v{3, 4};
    EXPECT_FLOAT_EQ(gameunit::Length(v), 5);
    gameunit::NormaliseInPlace(v);
    EXPECT_FLOAT_EQ(v.x, 0.6f);
    EXPECT_FLOAT_EQ(v.z, 0.8f);
    TGroundVector zero{0, 0};
    gameunit::NormaliseInPlace(zero);
    EXPECT_EQ(zero.x, 1);
    EXPECT_EQ(zero.z, 0);
    EXPECT_FLOAT_EQ(gameunit::Distance({1, 2}, {4, 6}), 5);
    // Heading 0 faces +z; a quarter turn faces +x.
    TGroundVector ahead = gameunit::Rotate({0, 1}, Pi / 2);
    EXPECT_NEAR(ahead.x, 1, 1e-6);
    EXPECT_NEAR(ahead.z, 0, 1e-6);
    EXPECT_FLOAT_EQ(gameunit::HeadingOf({1, 0}), Pi / 2);
    EXPECT_EQ(gameunit::HeadingOf({0, 0}), 0);
}

struct TTurnCase {
    float From, To, Turn;
    friend std::ostream& operator<<(std::ostream& out, const TTurnCase& c) {
        return out << c.From << " to " << c.To;
    }
};

class TurnFrom : public ::testing::TestWithParam<TTurnCase> {};

TEST_P(TurnFrom, IsTheShortestEquivalentTurn) {
    const TTurnCase& c = GetParam();
    EXPECT_NEAR(gameunit::TurnFrom(c.From, c.To), c.Turn, 1e-4);
}

INSTANTIATE_TEST_SUITE_P(
    Headings, TurnFrom,
    ::testing::Values(TTurnCase{0, 1, 1}, TTurnCase{1, 0, -1}, TTurnCase{3, -3, 2 * Pi - 6},
                      TTurnCase{-3, 3, 6 - 2 * Pi}, TTurnCase{0, 3, 3},
                      TTurnCase{0, 3.5f, 3.5f - 2 * Pi},
                      // headings far from zero after a long game
                      TTurnCase{-10, 0, 10 - 4 * Pi}, TTurnCase{-2 * Pi - 0.5f, 0.25f, 0.75f},
                      TTurnCase{6 * Pi + 1, 1.5f, 0.5f}, TTurnCase{100, 100.5f, 0.5f}));

class World : public ::testing::Test {
protected:
    template <typename T>
    T& Spawn(TRealTimeModel& model, float x, float z, float radius, float heading = 0) {
        auto entity = std::make_unique<T>(*Game, model);
        entity->Position = {x, z};
        entity->Radius = radius;
        entity->Heading = heading;
        return static_cast<T&>(Game->Add(std::move(entity)));
    }
    TViking& SpawnViking(float x, float z, float heading = 0) {
        TViking& viking = Spawn<TViking>(*Game->VikingModel, x, z, 1.1f, heading);
        viking.Health = 5;
        Game->Player = &viking;
        return viking;
    }
    TSheep& SpawnSheep(float x, float z) {
        return Still(Spawn<TSheep>(*Game->SheepModel, x, z, 1.4f));
    }
    TWolf& SpawnRam(float x, float z, float heading = 0) {
        TWolf& ram = Still(Spawn<TWolf>(*Game->RamModel, x, z, 1.4f, heading));
        ram.Health = 8;
        return ram;
    }
    TTree& SpawnTree(float x, float z) {
        TTree& tree = Spawn<TTree>(*Game->TreeModel, x, z, 1.1f);
        tree.Movable = false;
        return tree;
    }
    // Idle from the start of a 2-second run, so it stays put for a while.
    template <typename T> T& Still(T& entity) {
        entity.Animation->Start(eaIdle, 2.0f);
        entity.Speed = 0;
        return entity;
    }
    void Run(float seconds, float dt = 0.01f) {
        for (int frame = 0; frame < static_cast<int>(std::lround(seconds / dt)); ++frame)
            Game->Update(dt);
    }
    bool Holds(const TBase& entity) const {
        for (int i = 0; i < Game->Count(); ++i)
            if (&Game->Items(i) == &entity) return true;
        return false;
    }

    TGlobalWorldScope Scope;
    TKeyState& Keys = Scope.Keys;
    std::vector<std::string>& Played = Scope.Media.Played;
    std::unique_ptr<TBaseList> Game = MakeHeadlessWorld();
};

} // namespace

// Level composition ----------------------------------------------------------------------

struct TLevelCase {
    int Level, Sheep, Rams;
    friend std::ostream& operator<<(std::ostream& out, const TLevelCase& c) {
        return out << "level " << c.Level;
    }
};

class LevelComposition : public World, public ::testing::WithParamInterface<TLevelCase> {};

TEST_P(LevelComposition, HoldsTheVikingTreesSheepAndRamsInOrder) {
    const TLevelCase& c = GetParam();
    Game->NewGame();
    while (Game->Level < c.Level)
        Game->NewLevel();
    ASSERT_EQ(Game->Count(), 1 + 4 + c.Sheep + c.Rams);
    EXPECT_EQ(Game->SheepCount, c.Sheep);
    EXPECT_EQ(&Game->Items(0), Game->Player);
    for (int i = 0; i < Game->Count(); ++i) {
        const TBase& e = Game->Items(i);
        SCOPED_TRACE(i);
        EXPECT_EQ(e.Position.x, std::floor(e.Position.x));
        EXPECT_EQ(e.Position.z, std::floor(e.Position.z));
        EXPECT_TRUE(e.Position.x >= 0 && e.Position.x < 48 && e.Position.z >= 0 &&
                    e.Position.z < 48);
        EXPECT_EQ(e.Speed, 0);
        if (i == 0) {
            EXPECT_NE(dynamic_cast<const TViking*>(&e), nullptr);
            EXPECT_EQ(e.Radius, 1.1f);
            EXPECT_EQ(e.Height, 2.0f);
            EXPECT_EQ(e.Health, 5);
            EXPECT_EQ(e.Heading, 0);
            EXPECT_EQ(e.Animation->Model, Game->VikingModel.get());
        } else if (i <= 4) {
            EXPECT_NE(dynamic_cast<const TTree*>(&e), nullptr);
            EXPECT_EQ(e.Radius, 1.1f);
            EXPECT_EQ(e.Height, 4.0f);
            EXPECT_FALSE(e.Movable);
            EXPECT_EQ(e.Animation->Model, Game->TreeModel.get());
        } else if (i <= 4 + c.Sheep) {
            EXPECT_NE(dynamic_cast<const TSheep*>(&e), nullptr);
            EXPECT_EQ(e.Radius, 1.4f);
            EXPECT_EQ(e.Height, 1.8f);
            EXPECT_EQ(e.Health, 4);
            EXPECT_TRUE(e.Movable);
            EXPECT_EQ(e.Animation->Model, Game->SheepModel.get());
        } else {
            const auto* ram = dynamic_cast<const TWolf*>(&e);
            ASSERT_NE(ram, nullptr);
            EXPECT_EQ(e.Radius, 1.4f);
            EXPECT_EQ(e.Health, 8);
            EXPECT_TRUE(e.Movable);
            EXPECT_EQ(e.Animation->Model, Game->RamModel.get());
            bool hunter = i >= Game->Count() - 2;
            EXPECT_EQ(ram->ChaseRadius, hunter ? 1000.0f : 20.0f);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Levels, LevelComposition,
                         ::testing::Values(TLevelCase{1, 4, 2}, TLevelCase{3, 8, 4}));

TEST_F(World, NewLevelCarriesTheHealthOverAndNewGameStartsAfresh) {
    Game->NewGame();
    Game->Score = 40;
    Game->Player->Health = 2;
    Game->NewLevel();
    EXPECT_EQ(Game->Level, 2);
    EXPECT_EQ(Game->Lives, 2);
    EXPECT_EQ(Game->Player->Health, 2);
    EXPECT_EQ(Game->Score, 40);
    Game->NewGame();
    EXPECT_EQ(Game->Level, 1);
    EXPECT_EQ(Game->Player->Health, 5);
    EXPECT_EQ(Game->Score, 0);
}

struct TDifficultyCase {
    TDifficulty Difficulty;
    int Level;
    float HunterRadius;
    size_t Rams;
    friend std::ostream& operator<<(std::ostream& out, const TDifficultyCase& c) {
        return out << DifficultyLabel(c.Difficulty) << " level " << c.Level;
    }
};

class Hunters : public World, public ::testing::WithParamInterface<TDifficultyCase> {};

// Gentle spares one ram on levels 1 and 2; the last two rams are the hunters.
TEST_P(Hunters, ChaseAcrossTheFieldOnlyWhereTheDifficultyLetsThem) {
    const TDifficultyCase& c = GetParam();
    Game->Difficulty = c.Difficulty;
    Game->NewGame();
    while (Game->Level < c.Level)
        Game->NewLevel();
    std::vector<float> radii;
    for (int i = 0; i < Game->Count(); ++i)
        if (const auto* ram = dynamic_cast<const TWolf*>(&Game->Items(i)))
            radii.push_back(ram->ChaseRadius);
    std::vector<float> expected(c.Rams, 20.0f);
    for (size_t i = c.Rams > 2 ? c.Rams - 2 : 0; i < c.Rams; ++i)
        expected[i] = c.HunterRadius;
    EXPECT_EQ(radii, expected);
    EXPECT_EQ(RamsOnLevel(c.Difficulty, c.Level), static_cast<int32_t>(c.Rams));
}

INSTANTIATE_TEST_SUITE_P(Levels, Hunters,
                         ::testing::Values(TDifficultyCase{TDifficulty::Classic, 1, 1000, 2},
                                           TDifficultyCase{TDifficulty::Classic, 2, 1000, 3},
                                           TDifficultyCase{TDifficulty::Classic, 3, 1000, 4},
                                           TDifficultyCase{TDifficulty::Gentle, 1, 20, 1},
                                           TDifficultyCase{TDifficulty::Gentle, 2, 20, 2},
                                           TDifficultyCase{TDifficulty::Gentle, 3, 1000, 4}));

TEST_F(World, ChangingTheDifficultyRetunesTheHuntersOfTheLevelBuilt) {
    Game->NewGame();
    const auto& hunter = dynamic_cast<const TWolf&>(Game->Items(Game->Count() - 1));
    Game->SetDifficulty(TDifficulty::Gentle);
    EXPECT_EQ(hunter.ChaseRadius, 20.0f);
    Game->SetDifficulty(TDifficulty::Classic);
    EXPECT_EQ(hunter.ChaseRadius, 1000.0f);
}

TEST_F(World, GentleGivesAPointOfHealthBackForAClearedLevelUpToFive) {
    const std::tuple<TDifficulty, int, int> cases[] = {{TDifficulty::Gentle, 1, 2},
                                                       {TDifficulty::Gentle, 4, 5},
                                                       {TDifficulty::Gentle, 5, 5},
                                                       {TDifficulty::Classic, 2, 2},
                                                       {TDifficulty::Classic, 5, 5}};
    for (const auto& [difficulty, before, after] : cases) {
        Game->Difficulty = difficulty;
        Game->NewGame();
        Game->Player->Health = before;
        Game->NewLevel();
        EXPECT_EQ(Game->Player->Health, after) << DifficultyLabel(difficulty) << ' ' << before;
    }
}

TEST_F(World, LevelDrawsEveryNumberFromTheGameGenerator) {
    // The viking: phase 37, x 7, z 9; a tree: phase 0, x 47, z 0; then everything else 0.
    TScriptedRandom random({37, 7, 9, 0, 47, 0});
    Game->NewGame();
    // Level 1: 3 draws for the viking and each tree, 4 per sheep, 6 per ram.
    ASSERT_EQ(random.Calls.size(), 3u + 4 * 3 + 4 * 4 + 2 * 6);
    EXPECT_EQ(random.Calls[0], std::make_pair(100, 37));
    EXPECT_EQ(random.Calls[1], std::make_pair(48, 7));
    EXPECT_EQ(random.Calls[2], std::make_pair(48, 9));
    EXPECT_EQ(random.Calls[3 + 4 * 3 + 3], std::make_pair(360, 0)); // the first sheep's heading
    EXPECT_EQ(random.Calls.back(), std::make_pair(360, 0));         // the last ram's heading
    EXPECT_FLOAT_EQ(Game->Player->Animation->Time, 0.37f / 3);
    EXPECT_EQ(Game->Player->Position.x, 7);
    EXPECT_EQ(Game->Player->Position.z, 9);
    EXPECT_EQ(Game->Items(1).Position.x, 47);
}

// Collisions -----------------------------------------------------------------------------

TEST_F(World, CoincidentEntitiesSplitAlongXInListOrder) {
    TSheep& first = SpawnSheep(10, 10);
    TSheep& second = SpawnSheep(10, 10);
    Game->Update(0);
    EXPECT_NEAR(first.Position.x, 11.4f, 1e-5);
    EXPECT_NEAR(second.Position.x, 8.6f, 1e-5);
    EXPECT_EQ(first.Position.z, 10);
    EXPECT_EQ(second.Position.z, 10);
    // The sorting pass put the lower x first.
    EXPECT_EQ(&Game->Items(0), &second);
}

struct TPairCase {
    const char* Name;
    bool FirstIsTree, SecondIsTree;
    float FirstX, SecondX; // after the update; both start 1 apart on z = 10
    friend std::ostream& operator<<(std::ostream& out, const TPairCase& c) { return out << c.Name; }
};

class Overlap : public World, public ::testing::WithParamInterface<TPairCase> {};

TEST_P(Overlap, YieldsByMobility) {
    const TPairCase& c = GetParam();
    auto make = [&](bool tree, float x) -> TBase& {
        return tree ? static_cast<TBase&>(SpawnTree(x, 10)) : SpawnSheep(x, 10);
    };
    TBase& a = make(c.FirstIsTree, 10);
    TBase& b = make(c.SecondIsTree, 11);
    Game->Update(0);
    EXPECT_NEAR(a.Position.x, c.FirstX, 1e-5);
    EXPECT_NEAR(b.Position.x, c.SecondX, 1e-5);
    EXPECT_EQ(a.Position.z, 10);
    EXPECT_EQ(b.Position.z, 10);
}

INSTANTIATE_TEST_SUITE_P(Pairs, Overlap,
                         ::testing::Values(TPairCase{"TreeThenSheep", true, false, 10, 12.5f},
                                           TPairCase{"SheepThenTree", false, true, 8.5f, 11},
                                           TPairCase{"TwoTrees", true, true, 9.4f, 11.6f},
                                           TPairCase{"TwoSheep", false, false, 9.1f, 11.9f}),
                         [](const auto& info) { return std::string(info.param.Name); });

struct TFenceCase {
    float X, Z, ClampedX, ClampedZ;
    friend std::ostream& operator<<(std::ostream& out, const TFenceCase& c) {
        return out << "(" << c.X << ", " << c.Z << ")";
    }
};

class Fence : public World, public ::testing::WithParamInterface<TFenceCase> {};

TEST_P(Fence, ClampsToExactlyTheRadius) {
    const TFenceCase& c = GetParam();
    TSheep& sheep = SpawnSheep(c.X, c.Z);
    Game->Update(0);
    EXPECT_EQ(sheep.Position.x, c.ClampedX);
    EXPECT_EQ(sheep.Position.z, c.ClampedZ);
}

INSTANTIATE_TEST_SUITE_P(Positions, Fence,
                         ::testing::Values(TFenceCase{-5, 60, 1.4f, 46.6f},
                                           TFenceCase{0.5f, 47.9f, 1.4f, 46.6f},
                                           TFenceCase{50, -0.1f, 46.6f, 1.4f},
                                           TFenceCase{24, 1.4f, 24, 1.4f}));

TEST_F(World, NoNaNFromCoincidenceZeroDirectionsOrOddFrameTimes) {
    Game->NewGame();
    Game->NewLevel();
    // Everyone on one spot, rams standing on their homes.
    for (int i = 0; i < Game->Count(); ++i) {
        Game->Items(i).Position = {20, 20};
        if (auto* ram = dynamic_cast<TWolf*>(&Game->Items(i))) {
            ram->Home = {20, 20};
            ram->ChaseRadius = 0;
            ram->Animation->Start(eaWalk, 1.0f);
        }
    }
    Keys.Left = Keys.Up = true;
    const float inf = std::numeric_limits<float>::infinity();
    for (float dt : {0.0f, 1e-11f, 1e30f, 3e38f, inf, -1.0f, std::nanf(""), 0.02f, 5.0f}) {
        Game->Update(dt);
        for (int i = 0; i < Game->Count(); ++i) {
            const TBase& e = Game->Items(i);
            SCOPED_TRACE(::testing::Message() << "dt " << dt << " entity " << i);
            ASSERT_TRUE(std::isfinite(e.Position.x) && std::isfinite(e.Position.z));
            ASSERT_TRUE(std::isfinite(e.Heading));
            EXPECT_TRUE(e.Position.x >= e.Radius && e.Position.x <= 48 - e.Radius);
            EXPECT_TRUE(e.Position.z >= e.Radius && e.Position.z <= 48 - e.Radius);
        }
    }
}

// Combat ---------------------------------------------------------------------------------

TEST_F(World, SwingHitsEverythingInReach) {
    TViking& viking = SpawnViking(10, 10);
    // The blow lands around (10, 12.1), 2.1 before the viking; the crowd would be pushed
    // apart by the next collision pass, so the swing is caught at its trigger.
    TSheep& left = SpawnSheep(9.3f, 12.1f);
    TSheep& right = SpawnSheep(10.7f, 12.3f);
    TWolf& ram = SpawnRam(10, 12.9f);
    TSheep& behind = SpawnSheep(10, 7.5f);
    TTree& tree = SpawnTree(11.2f, 11.5f);
    Keys.Control = true;
    viking.Animation->Start(eaAttack, 0.6f);
    viking.Animation->Time = 0.5f;
    Game->Update(0.01f);
    EXPECT_EQ(left.Health, 3);
    EXPECT_EQ(right.Health, 3);
    EXPECT_EQ(ram.Health, 7);
    EXPECT_EQ(behind.Health, 4);
    EXPECT_EQ(tree.Health, 4);
    EXPECT_EQ(viking.Health, 5);
    EXPECT_EQ(Played, (std::vector<std::string>{"swhoosh0", "hit0", "hit0", "hit0"}));
    Run(0.2f); // one blow per swing
    EXPECT_EQ(left.Health, 3);
}

struct TBlowCase {
    const char* Kind;
    int32_t Animation;
    bool Struck;
    friend std::ostream& operator<<(std::ostream& out, const TBlowCase& c) {
        return out << c.Kind << " in animation " << c.Animation;
    }
};

class Blow : public World, public ::testing::WithParamInterface<TBlowCase> {
protected:
    TBase& Victim(const std::string& kind) {
        if (kind == "viking") return SpawnViking(20, 20);
        if (kind == "sheep") return SpawnSheep(20, 20);
        return SpawnRam(20, 20);
    }
};

TEST_P(Blow, CountsOnlyWhenNotReelingOrDying) {
    const TBlowCase& c = GetParam();
    TBase& victim = Victim(c.Kind);
    victim.Speed = 2;
    victim.Animation->Start(c.Animation, 1.0f);
    victim.Health = 2;
    victim.Hit();
    if (c.Struck) {
        EXPECT_EQ(victim.Health, 1);
        EXPECT_EQ(victim.Speed, 0);
        EXPECT_EQ(victim.Animation->Animation, eaHit);
        EXPECT_EQ(Played, std::vector<std::string>{"hit0"});
    } else {
        EXPECT_EQ(victim.Health, 2);
        EXPECT_EQ(victim.Speed, 2);
        EXPECT_EQ(victim.Animation->Animation, c.Animation);
        EXPECT_TRUE(Played.empty());
    }
}

INSTANTIATE_TEST_SUITE_P(
    Kinds, Blow,
    ::testing::Values(TBlowCase{"viking", eaIdle, true}, TBlowCase{"viking", eaAttack2, true},
                      TBlowCase{"viking", eaHit, false}, TBlowCase{"viking", eaDeath, false},
                      TBlowCase{"sheep", eaWalk, true}, TBlowCase{"sheep", eaHit, false},
                      TBlowCase{"sheep", eaDeath, false}, TBlowCase{"ram", eaAttack, true},
                      TBlowCase{"ram", eaHit, false}, TBlowCase{"ram", eaDeath, false}));

TEST_F(Blow, LastBlowCriesForEachKind) {
    for (auto [kind, cry] :
         {std::pair{"viking", "scream"}, {"sheep", "sheep"}, {"ram", "ramdie"}}) {
        Played.clear();
        TBase& victim = Victim(kind);
        victim.Health = 1;
        victim.Hit();
        EXPECT_EQ(Played, (std::vector<std::string>{"hit0", cry})) << kind;
    }
}

TEST_F(World, RamBiteStrikesThePlayerSheepAndOtherRams) {
    TViking& viking = SpawnViking(10, 12.4f);
    TWolf& ram = SpawnRam(10, 10);
    ram.Animation->Start(eaWalk, 1.0f);
    ram.ChaseRadius = 1000;
    Game->Update(0.01f);
    EXPECT_EQ(ram.Animation->Animation, eaAttack); // the player stands in reach
    EXPECT_EQ(ram.Speed, 0);
    // Caught at the trigger of the bite, with a crowd about the player.
    ram.Animation->Time = 0.5f;
    TSheep& sheep = SpawnSheep(10.9f, 12.4f);
    sheep.Health = 1;
    TWolf& other = SpawnRam(9.1f, 12.6f);
    Game->Update(0.01f);
    EXPECT_EQ(viking.Health, 4);
    EXPECT_EQ(other.Health, 7);
    EXPECT_EQ(sheep.Health, 0);
    EXPECT_EQ(ram.Health, 8);
    EXPECT_EQ(Played[0], "rambite");
    // The sheep's hit and death take 0.6 s; it scores for the player all the same.
    Run(0.7f);
    EXPECT_FALSE(Holds(sheep));
    EXPECT_EQ(Game->Score, 5);
}

// After a bite on Gentle the viking cannot be bitten again for two seconds; Classic has no
// grace, only the reeling that refuses any blow for its 0.3 s.
struct TGraceCase {
    TDifficulty Difficulty;
    float After; // seconds from the first bite to the second
    int32_t Health;
    friend std::ostream& operator<<(std::ostream& out, const TGraceCase& c) {
        return out << DifficultyLabel(c.Difficulty) << " after " << c.After << " s";
    }
};

class BiteGrace : public World, public ::testing::WithParamInterface<TGraceCase> {};

TEST_P(BiteGrace, RefusesASecondBiteUntilItEnds) {
    const TGraceCase& c = GetParam();
    Game->Difficulty = c.Difficulty;
    TViking& viking = SpawnViking(24, 24);
    viking.Hit();
    ASSERT_EQ(viking.Health, 4);
    Run(c.After);
    viking.Hit();
    EXPECT_EQ(viking.Health, c.Health);
}

INSTANTIATE_TEST_SUITE_P(Edges, BiteGrace,
                         ::testing::Values(TGraceCase{TDifficulty::Gentle, 1.98f, 4},
                                           TGraceCase{TDifficulty::Gentle, 2.02f, 3},
                                           TGraceCase{TDifficulty::Classic, 0.28f, 4},
                                           TGraceCase{TDifficulty::Classic, 0.32f, 3}));

TEST_F(World, AKillingBiteGivesNoGraceSoTheFallenVikingStaysInSight) {
    Game->Difficulty = TDifficulty::Gentle;
    TViking& viking = SpawnViking(24, 24);
    viking.Health = 1;
    viking.Hit();
    EXPECT_EQ(viking.Grace, 0);
    Run(1.5f);
    EXPECT_TRUE(viking.Dead);
    EXPECT_FALSE(viking.BlinkedOut());
}

// The viking blinks out for the second tenth of every fifth of a second while the grace lasts.
TEST_F(World, GraceBlinksFiveTimesASecond) {
    TViking& viking = SpawnViking(24, 24);
    const std::pair<float, bool> cases[] = {{0, false},     {0.05f, false}, {0.15f, true},
                                            {0.25f, false}, {1.95f, true},  {1.85f, false}};
    for (const auto& [grace, out] : cases) {
        viking.Grace = grace;
        EXPECT_EQ(viking.BlinkedOut(), out) << grace;
    }
}

class Death : public Blow {};

TEST_F(Death, CountsAndScoresOnlyOnceTheDeathHasRun) {
    SpawnSheep(40, 40); // another sheep keeps the count above zero
    for (auto [kind, points] : {std::pair{"sheep", 5}, {"ram", 15}}) {
        SCOPED_TRACE(kind);
        TBase& victim = Victim(kind);
        int sheepBefore = Game->SheepCount;
        int scoreBefore = Game->Score;
        victim.Health = 1;
        victim.Hit();
        Run(0.55f); // 0.3 s of hit, most of the 0.3-second death
        EXPECT_TRUE(Holds(victim));
        EXPECT_FALSE(victim.Dead);
        EXPECT_EQ(Game->SheepCount, sheepBefore);
        EXPECT_EQ(Game->Score, scoreBefore);
        Run(0.1f);
        EXPECT_FALSE(Holds(victim));
        EXPECT_EQ(Game->SheepCount, sheepBefore - (std::string(kind) == "sheep"));
        EXPECT_EQ(Game->Score, scoreBefore + points);
    }
}

// Viking control -------------------------------------------------------------------------

struct TControlCase {
    const char* Name;
    bool Left, Right, Up, Down, Control;
    float Turn;  // heading change over 0.1 s
    float Speed; // afterwards
    bool Swinging;
    friend std::ostream& operator<<(std::ostream& out, const TControlCase& c) {
        return out << c.Name;
    }
};

class Control : public World, public ::testing::WithParamInterface<TControlCase> {};

TEST_P(Control, KeysTurnWalkAndSwing) {
    const TControlCase& c = GetParam();
    TViking& viking = SpawnViking(24, 24, 1.0f);
    Still(viking);
    Keys.Left = c.Left;
    Keys.Right = c.Right;
    Keys.Up = c.Up;
    Keys.Down = c.Down;
    Keys.Control = c.Control;
    Run(0.1f);
    EXPECT_NEAR(viking.Heading, 1.0f + c.Turn, 1e-5);
    EXPECT_EQ(viking.Speed, c.Speed);
    int32_t animation = viking.Animation->Animation;
    EXPECT_EQ(animation == eaAttack || animation == eaAttack2, c.Swinging);
    if (c.Speed == 0) {
        EXPECT_EQ(viking.Position.x, 24);
        EXPECT_EQ(viking.Position.z, 24);
    } else {
        EXPECT_EQ(animation, eaWalk);
        EXPECT_GT(std::abs(viking.Position.x - 24) + std::abs(viking.Position.z - 24), 0.5f);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Keys, Control,
    ::testing::Values(TControlCase{"Nothing", false, false, false, false, false, 0, 0, false},
                      TControlCase{"Left", true, false, false, false, false, 0.4f, 0, false},
                      TControlCase{"Right", false, true, false, false, false, -0.4f, 0, false},
                      TControlCase{"LeftAndRight", true, true, false, false, false, 0, 0, false},
                      TControlCase{"Up", false, false, true, false, false, 0, 6.5f, false},
                      TControlCase{"Down", false, false, false, true, false, 0, -6.5f, false},
                      TControlCase{"UpAndDown", false, false, true, true, false, 0, 6.5f, false},
                      TControlCase{"CtrlWithUp", false, false, true, false, true, 0, 0, true},
                      TControlCase{"CtrlWithLeft", true, false, false, false, true, 0.4f, 0, true}),
    [](const auto& info) { return std::string(info.param.Name); });

TEST_F(World, ARebindSwingKeySwingsAndTheOldKeyNoLonger) {
    TViking& viking = SpawnViking(10, 10);
    Keys.Bindings.Rebind(TPlayAction::Swing, SDLK_s);
    Keys.PressKey(SDLK_LCTRL);
    Game->Update(0.01f);
    EXPECT_EQ(viking.Animation->Animation, eaIdle);
    Keys.PressKey(SDLK_s);
    Game->Update(0.01f);
    EXPECT_TRUE(viking.Animation->Animation == eaAttack ||
                viking.Animation->Animation == eaAttack2);
}

TEST_F(World, SwingChoosesEitherAttackAtRandom) {
    TViking& viking = SpawnViking(24, 24);
    Keys.Control = true;
    TScriptedRandom random({1});
    Game->Update(0.01f);
    EXPECT_EQ(viking.Animation->Animation, eaAttack);
    EXPECT_EQ(random.Calls[0], std::make_pair(2, 1));
    Run(0.65f); // the completed swing resets to idle and the held key swings again, now with 0
    EXPECT_EQ(viking.Animation->Animation, eaAttack2);
}

TEST_F(World, ReleasingCtrlEndsTheSwingUnlessAnArrowIsHeld) {
    TViking& viking = SpawnViking(24, 24);
    Keys.Control = true;
    Run(0.1f);
    Keys.Control = false;
    Game->Update(0.01f);
    EXPECT_EQ(viking.Animation->Animation, eaIdle);

    Keys.Control = true;
    Run(0.1f);
    Keys.Control = false;
    Keys.Up = true;
    Run(0.3f);
    int32_t animation = viking.Animation->Animation;
    EXPECT_TRUE(animation == eaAttack || animation == eaAttack2);
    EXPECT_EQ(viking.Position.z, 24);
    Run(0.3f); // the swing ends, the held arrow walks
    EXPECT_EQ(viking.Animation->Animation, eaWalk);
}

TEST_F(World, VikingFallsAfterTheHitAndStaysDownInTheList) {
    TViking& viking = SpawnViking(24, 24);
    viking.Health = 1;
    viking.Hit();
    EXPECT_EQ(Played, (std::vector<std::string>{"hit0", "scream"}));
    Keys.Up = Keys.Left = true; // a dead viking heeds no keys
    Run(0.32f);
    EXPECT_EQ(viking.Animation->Animation, eaDeath);
    EXPECT_FALSE(viking.Dead);
    Run(1.0f);
    EXPECT_TRUE(viking.Dead);
    EXPECT_EQ(viking.Animation->Time, 0.999999f);
    float heading = viking.Heading;
    Run(2.0f);
    EXPECT_TRUE(Holds(viking));
    EXPECT_EQ(viking.Animation->Animation, eaDeath);
    EXPECT_EQ(viking.Animation->Time, 0.999999f);
    EXPECT_EQ(viking.Heading, heading);
    EXPECT_EQ(viking.Position.x, 24);
}

// Rams -----------------------------------------------------------------------------------

class Ram : public World {
protected:
    // A walking ram at the centre; scripted draws of 0 keep it walking cycle after cycle.
    TWolf& Walker(float heading) {
        TWolf& ram = SpawnRam(24, 24, heading);
        ram.Animation->Start(eaWalk, 1.0f);
        return ram;
    }
    // Steps until the ram faces its target, checking the turn rate on every frame; the
    // answer is the total turn. The ram is held on its spot so that the target's direction
    // stays put.
    float Steer(TWolf& ram, gameunit::TVector (*target)(const TWolf&), float dt = 0.02f) {
        float start = ram.Heading;
        for (int frame = 0; frame < 400; ++frame) {
            float before = ram.Heading;
            ram.Speed = 0;
            Game->Update(dt);
            EXPECT_LE(std::abs(ram.Heading - before), dt * 1.0f + 1e-4f);
            gameunit::TVector ahead = gameunit::Rotate({0, 1}, ram.Heading);
            gameunit::TVector to = gameunit::Subtract(target(ram), ram.Position);
            gameunit::NormaliseInPlace(to);
            if (ahead.x * to.x + ahead.z * to.z > 0.9999f) return ram.Heading - start;
        }
        ADD_FAILURE() << "never faced its target";
        return 0;
    }
    TScriptedRandom Draws;
};

gameunit::TVector HomeOf(const TWolf& ram) {
    return ram.Home;
}

gameunit::TVector PlayerOf(const TWolf& ram) {
    return ram.World->Player->Position;
}

TEST_F(Ram, WalksHomeWhenThePlayerIsBeyondTheChaseRadius) {
    SpawnViking(2, 46);
    TWolf& ram = Walker(0);
    ram.Home = {44, 24}; // the player is 29 from home
    float turn = Steer(ram, HomeOf);
    EXPECT_NEAR(turn, std::numbers::pi / 2, 0.05);
    EXPECT_EQ(ram.Animation->Animation, eaWalk);
}

TEST_F(Ram, TurnsTowardsAPlayerWithinTheChaseRadiusOfHome) {
    SpawnViking(2, 24);
    TWolf& ram = Walker(0);
    ram.Home = {14, 24}; // the player is 12 from home
    float turn = Steer(ram, PlayerOf);
    EXPECT_NEAR(turn, -std::numbers::pi / 2, 0.05);
}

class RamHeading : public Ram, public ::testing::WithParamInterface<float> {};

TEST_P(RamHeading, TakesTheShortWayRoundWhateverItsAccumulatedHeading) {
    SpawnViking(44, 24); // due +x of the ram: heading pi/2
    TWolf& ram = Walker(GetParam());
    ram.ChaseRadius = 1000;
    float turn = Steer(ram, PlayerOf);
    EXPECT_LE(std::abs(turn), std::numbers::pi + 0.02);
}

INSTANTIATE_TEST_SUITE_P(Headings, RamHeading,
                         ::testing::Values(-40.0f, -12.0f, -3.5f, -0.5f, 0.0f, 3.0f, 4.8f, 9.0f,
                                           40.0f, 1000.0f));
