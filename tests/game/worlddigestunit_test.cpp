// SPDX-FileCopyrightText: 2026 Quelmark developers
//
// SPDX-License-Identifier: GPL-3.0-or-later

// The digest tells worlds apart by every field the game's course depends on.
#include "game/worlddigestunit.h"

#include "assets/animationhandlerunit.h"
#include "game/gameunit.h"
#include "math/randomunit.h"

#include "support/gameworld.h"

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

std::unique_ptr<TBaseList> DealtWorld() {
    auto world = MakeHeadlessWorld();
    RandomSeed(5);
    world->NewGame();
    return world;
}

struct TChange {
    const char* Name;
    std::function<void(TBaseList&)> Apply;
};

TEST(WorldDigest, EqualWorldsAgreeAndEachFieldChangesTheDigest) {
    TGlobalWorldScope scope;
    const uint64_t dealt = WorldDigest(*DealtWorld());
    EXPECT_EQ(WorldDigest(*DealtWorld()), dealt);
    const auto last = [](TBaseList& w) -> TBase& { return w.Items(w.Count() - 1); };
    const TChange changes[] = {
        {"level", [](TBaseList& w) { ++w.Level; }},
        {"lives", [](TBaseList& w) { --w.Lives; }},
        {"sheep", [](TBaseList& w) { --w.SheepCount; }},
        {"score", [](TBaseList& w) { w.Score += 10; }},
        {"x", [&](TBaseList& w) { last(w).Position.x += 0.001f; }},
        {"z", [&](TBaseList& w) { last(w).Position.z += 0.001f; }},
        {"heading", [&](TBaseList& w) { last(w).Heading += 0.001f; }},
        {"speed", [&](TBaseList& w) { last(w).Speed += 0.001f; }},
        {"health", [&](TBaseList& w) { --last(w).Health; }},
        {"dead", [&](TBaseList& w) { last(w).Dead = true; }},
        {"animation", [&](TBaseList& w) { last(w).Animation->Animation ^= 1; }},
        {"animation time", [&](TBaseList& w) { last(w).Animation->Time += 0.001f; }},
        {"animation duration", [&](TBaseList& w) { last(w).Animation->Duration += 0.001f; }},
        {"triggered",
         [&](TBaseList& w) { last(w).Animation->Triggered = !last(w).Animation->Triggered; }},
        {"viking's x", [](TBaseList& w) { w.Player->Position.x += 0.001f; }},
    };
    for (const TChange& change : changes) {
        auto world = DealtWorld();
        change.Apply(*world);
        EXPECT_NE(WorldDigest(*world), dealt) << change.Name;
    }
}

TEST(WorldDigest, TellsTheKindsApart) {
    TGlobalWorldScope scope;
    // Two worlds alike but for the kind of their only entity.
    auto sheep = MakeHeadlessWorld();
    auto ram = MakeHeadlessWorld();
    sheep->Add(std::make_unique<TSheep>(*sheep, *sheep->SheepModel));
    ram->Add(std::make_unique<TWolf>(*ram, *ram->SheepModel));
    EXPECT_NE(WorldDigest(*sheep), WorldDigest(*ram));
}

} // namespace
